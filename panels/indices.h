// The indices panel (side panel "Indices"): eighteen indices of the hour, one
// row each with its name, value and the two thresholds that end the first
// and second thirds of its bar, and, as the three boxes under it choose, the
// bar, one circle per shown dataset and the box of the shown datasets'
// quartiles. Every row is judged against its row of the index thresholds
// (panels/thresholds.h, positions by panels/indexscale.h).
#pragma once

#include <string>

#include "panels/indexscale.h"
#include "panels/picturepanel.h"

class QFrame;

namespace ondrik {

class CheckBox;
class TextPlacement;

// One gauge bar of the heavy-precipitation panel on its picture: value v read
// as a rising row of the thresholds, drawn from (0, row - 1.9) to
// (x, row - 1.2), so that the panel's scale puts the gauge of each row where
// it belongs. Nothing for a value at or below the row's start.
void PlotBar(PictureBox& picMBE, Single v, int row);

// The colour of a third: green, yellow, red; black for no bar.
Color ThirdColor(IndexThird t);

// A value in one of the formats of the panel's rows: "0", "0.00", "0.000"
// (rounded to that many decimals) or "#,##0" (whole, with thousands
// separated by commas).
std::string FormatIndexValue(double v, const std::string& format);

class IndicesPanel : public PicturePanel {
 public:
  IndicesPanel(PanelHost& host, QWidget* parent);
  QWidget* ButtonBar() override;
  void Draw() override { PrintIndices(); }
  void Capture(PanelSettings& into) const override;
  void Apply(const PanelSettings& from) override;

  void PrintIndices();
  // The three boxes; nothing while the loading state is raised.
  void chkIndcyBar_Click() { BoxClicked(); }
  void chkIndcyCircle_Click() { BoxClicked(); }
  void chkIndicyBox_Click() { BoxClicked(); }

 private:
  void BoxClicked();
  // Row `row` of the panel at height y (then y moves to the next row): its
  // bar, circles and box drawn, its texts handed to the placement.
  void IndexPrintLabels(TextPlacement& place, double& y, int row, Integer shown);

  QFrame* pnlIndices_;
  CheckBox* chkIndcyBar_;
  CheckBox* chkIndcyCircle_;
  CheckBox* chkIndicyBox_;
};

}  // namespace ondrik
