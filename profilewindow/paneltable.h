// The profile window's side panels and control pages, each a row with its
// index, button caption, help topic and factory. The window builds its panel
// buttons, its panel switch and its page switch from these two tables; a new
// panel is a file pair in panels/ and one row here.
#pragma once

#include <string>
#include <vector>

#include "panels/panel.h"

namespace ondrik {

// Side panels 0..9 and the archive lists (99, without a button).
std::vector<PanelEntry> SidePanelTable();
// Control pages 0..5 (6 = no page open).
std::vector<PanelEntry> ControlPageTable();

inline constexpr int kNoControlPage = 6;

// The object name the window gives a control page's widget.
std::string PageWidgetName(int index);
// The topic a click on a control page hands over.
inline constexpr const char* kPageTopic = "KORVAN";

}  // namespace ondrik
