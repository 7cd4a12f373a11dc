// The data table of the current hour (side panel "Data"): one line a level,
// from the highest that fits down to the lowest, with pressure, temperature,
// dew point, relative humidity, wind and height above ground, and a closing
// line with the hour's and the accumulated precipitation.
#pragma once

#include <vector>

#include "panels/picturepanel.h"

namespace ondrik {

class DataTablePanel : public PicturePanel {
 public:
  DataTablePanel(PanelHost& host, QWidget* parent);
  // PrintDataTable.
  void Draw() override;
  // A click on the listing: a band on the clicked row (a second click on it
  // takes it away; the next draw clears it) and, for a row of a level, the
  // same level marked on the chart. y in pixels from the top.
  void picProfile_MouseUp(int button, int shift, double x, double y);

  // The highest level listed; the first row under the header shows it and
  // each row below the next level down.
  Integer DataTableTop = 0;

 private:
  // Where the last draw printed its lines (pixels): the top of each, the
  // header first, where the strokes of each end, and the pitch of the lines.
  std::vector<double> lineTops_;
  std::vector<double> inkEnds_;
  double linePitch_ = 1;
};

// The header and one row of the table for level L of (d, h), the columns
// right-aligned under their headings.
std::string DataTableHeader();
std::string DataTableRow(Integer d, Integer h, Integer L);
// The closing line: the hour's and the accumulated precipitation (in).
std::string PrecipitationLine(Integer d, Integer h);

}  // namespace ondrik
