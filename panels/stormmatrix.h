// The convective storm matrix (control page "KORVAN"): the hour's cell of
// the matrix (panels/matrixcell.h) in lblMatrix, coloured by the convective
// inhibition, a sketch in picReason of the layers that decided its row with
// their shear and helicity, and the buttons that open the cell's pages of the
// training module.
#pragma once

#include <array>
#include <string>

#include "panels/panel.h"

class QFrame;
class QLabel;
class QPushButton;

namespace ondrik {

class PictureBoxWidget;

// Opens a training page named with a drive letter (the module's own naming)
// with the desktop's handler and answers as the Windows shell does: above 32
// when it opened; 3 when the drive's folder is missing, 2 when the page is,
// 31 when no program opened it.
int OpenTrainingPage(const std::string& pageName);

class StormMatrixPage : public SidePanel {
 public:
  StormMatrixPage(PanelHost& host, QWidget* parent);
  QWidget* Widget() override;
  void Draw() override { ShowMatrixPanel(); }

  // The page's refresh: builds the cell when the hour has none, colours and
  // writes the label and draws the sketch. Hands no help topic over.
  void ShowMatrixPanel();
  // Clicks on the label, the sketch and the page's caption hand the topic
  // "KORVAN" over; the first two draw the sketch again.
  void lblMatrix_Click();
  void picReason_Click() { lblMatrix_Click(); }
  void Label32_Click();
  // Page Index + 1 of the cell: buttons 0 "0.4 km", 1 "4 km", 2 "Clouds",
  // 4 "Summary"; any other index, or an hour without a cell with pages,
  // opens nothing. When the page cannot be opened, the user is told why and
  // may open the module's download page.
  void btnLoop_Click(int index);

 private:
  void DrawMatrixReason();

  PanelHost& host_;
  QFrame* page_;
  QLabel* Label32_;
  QLabel* lblMatrix_;
  PictureBoxWidget* picReason_;
  std::array<QPushButton*, 5> btnLoop_{};  // [3] has no button
};

}  // namespace ondrik
