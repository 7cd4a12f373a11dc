// The one window of the reset utility: four check boxes choose which of
// Ondrik's files go back to their starting state, the reset button (shown
// while a box is ticked) does it, the exit button ends the utility.
#pragma once

#include <QStringList>
#include <QWidget>

#include <array>

#include "reset/folders.h"

class QCheckBox;
class QPushButton;

namespace wexfold {

class Effects;

class frnWexfold : public QWidget {
  Q_OBJECT

 public:
  frnWexfold(Effects& effects, Folders folders, QWidget* parent = nullptr);

  // Resets what every ticked box stands for and clears its box; a box whose
  // work failed (a file that could not be deleted, a configuration that
  // could not be replaced) stays ticked, and the user is told why.
  void btnWexfold_Click();
  void btnExit_Click();
  // The four boxes' one handler, for a user's change and the reset's alike:
  // the reset button is shown exactly while a box is ticked.
  void chkBox_Click();

 private:
  bool Reset(int box);
  void DeleteNoCase(const QString& folder, const QString& name, QStringList& kept);
  bool ReportKept(const QStringList& kept);
  bool RestoreConfiguration();
  void Report(const QString& text);

  Effects& effects_;
  Folders folders_;
  std::array<QCheckBox*, 4> boxes_{};
  QPushButton* btnWexfold_ = nullptr;
  QPushButton* btnExit_ = nullptr;
};

}  // namespace wexfold
