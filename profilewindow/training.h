// Training material: the training index "Ondrik.ref" (help topics and the
// documents each opens in training mode), the help window's outline
// "OndrikTraining.dat" (areas and their buttons) with the help window's
// layout, and what a training target may open.
//
// Targets are document paths relative to the program folder (an anchor may
// follow a "#"), web addresses, or browser targets: any text, "!", then what
// the browser is to open. Only documents and web addresses are ever opened;
// a target that names a program is refused.
//
// Qt-free: the windows turn a resolved target into a URL and open it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/store.h"

namespace ondrik {

inline constexpr int kMaxTrainingTopics = 200;  // topics 1..200
inline constexpr int kMaxHelpAreas = 160;       // areas 1..160

// Training mode: the next control that hands over a topic opens its documents.
extern bool gTrainingMode;
// Per help area 1..160: 1 = its buttons are listed, 0 = folded (all folded at start).
extern std::array<Integer, kMaxHelpAreas + 1> gHelpAreaOpen;
// The help window's last left edge in twips; -9999 = not shown yet.
extern Long gHelpLeft;

// ---- the training index ----

// One topic: its name (trimmed, upper-cased) and its targets, each followed by "|".
struct TrainingEntry {
  std::string topic;
  std::string targets;
};

struct TrainingIndex {
  // Entry 0 collects target lines before the first topic and is never looked
  // up; entries 1..TrainingCount are the topics in file order.
  std::vector<TrainingEntry> entries = std::vector<TrainingEntry>(1);
  int TrainingCount = 0;
  // The first topic equal to the key (see TrainingTopicKey); null when none.
  const TrainingEntry* Find(const std::string& key) const;
};

// The index from the file's lines: each line trimmed; empty lines and lines
// beginning with "#" skipped; "[name]" starts a topic; any other line is a
// target of the last topic. Topics after the 200th, and their targets, are
// read past.
TrainingIndex ParseTrainingIndex(const std::vector<std::string>& lines);
// GetTraining's reading: "Ondrik.ref" in the program folder, found whatever
// the case of its name; an empty index when it cannot be read.
TrainingIndex ReadTrainingIndex(const std::string& programFolder);

// A topic as it is looked up: trimmed and upper-cased.
std::string TrainingTopicKey(const std::string& topic);
// The targets of a target list, in order (the text up to each "|").
std::vector<std::string> SplitTargets(const std::string& targets);

// ---- what a target opens ----

struct ResolvedTarget {
  enum Kind { kDocument, kWebAddress, kRefused };
  Kind kind = kRefused;
  bool viaBrowser = false;  // a "!" target: the browser opens it
  std::string location;     // kDocument: absolute path; kWebAddress: the URL
  std::string anchor;       // kDocument: the text after "#", "" for none
  std::string reason;       // kRefused: why, for the message
};

// Resolves a target of either file: a "!" target is what follows the first
// "!", opened by the browser; "http://", "https://" and "www." texts are web
// addresses; any other text is a document path, relative to programFolder
// unless absolute ("\" is read as "/", the file found whatever the case of
// its folders and name), with an anchor after "#". Other addresses ("ftp:",
// "mailto:", "javascript:"...) and files of programs are refused.
ResolvedTarget ResolveTrainingTarget(const std::string& target, const std::string& programFolder);

// ---- the help window's outline ----

struct HelpButtonRow {
  int area = 0;         // area it belongs to (0: before the first area, never shown)
  std::string caption;
  std::string target;   // "" or blanks: a sub-heading that cannot be pressed
};

struct HelpOutline {
  std::vector<std::string> areas = std::vector<std::string>(1);  // captions of areas 1..AreaCount
  std::vector<HelpButtonRow> buttons;
  int AreaCount() const { return static_cast<int>(areas.size()) - 1; }
};

// The outline from the file's lines: ">" starts an area (its caption is the
// rest of the line); any other line is a button caption and the next line
// its target. Areas after the 160th, and their buttons, are read past.
HelpOutline ParseHelpOutline(const std::vector<std::string>& lines);

// Where the help window puts its labels and buttons, in twips from the
// window's top left corner.
struct HelpLayout {
  struct Place {
    int index = 0;  // area number (labels) or position in HelpOutline::buttons
    int left = 0, top = 0;
  };
  std::vector<Place> labels;   // one per area, in order
  std::vector<Place> buttons;  // the buttons of open areas, in order
  int okTop = 0;               // "Exit Training"
  int height = 0;              // the window's height
};

inline constexpr int kHelpFirstTop = 1800;      // below the version and title
inline constexpr int kHelpLeft = 200;
inline constexpr int kHelpLabelStep = 500;      // below an area label
inline constexpr int kHelpRowStep = 780;        // from one row of buttons to the next
inline constexpr int kHelpButtonStep = 3720;    // from one button to the next in a row
inline constexpr int kHelpRowEnd = 12000;       // a button beyond this starts a new row

// The layout of the outline with the areas open as `open` says (1 = open):
// labels at the left edge, four buttons a row, "Exit Training" under the
// last row.
HelpLayout LayOutHelp(const HelpOutline& outline, const std::array<Integer, kMaxHelpAreas + 1>& open);

}  // namespace ondrik
