// frmSetUp ("Ondrik Set Up"): the editor of the configuration file
// "Ondrik.cfg" of the program folder, whatever configuration the command
// line chose. It reads the file whole when it opens; "Save" rewrites it
// (the old file stays when that fails) and offers to end the program, since
// the changes take effect at the next start. Two controls act at once: the
// Linux box sets the window's Linux mode, the site-layout bar the number of
// site ids a column of the profile window.
//
// Controls are private; tests find them by object name.
#pragma once

#include <QWidget>

#include <array>
#include <functional>
#include <string>

#include "profilewindow/setupfile.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ondrik {

struct Config;
class PictureBoxWidget;
class ScrollBar;

class frmSetUp : public QWidget {
  Q_OBJECT

 public:
  // cfg is the profile window's configuration, whose Linux mode and site
  // layout the window changes at once; onSitesPerColumn runs after the latter.
  frmSetUp(Config& cfg, std::function<void()> onSitesPerColumn, QWidget* parent = nullptr);

  // Reads the file and fills the controls; false (with a message shown)
  // when the file cannot be read, and Save is then disabled.
  bool Form_Load();
  // GetaDirectory with kind 1 (data folder), 2 (archive), 3 (snapshots), 4 (exports).
  void GetaDirectory(int kind);
  void btnLinux_Click();
  void btnTZ_Click(int index);
  void hsbTimeZone_Change();
  void hsbMaxSites_Change();
  void chkLinux_Click();
  void chkScale_Click();
  void txtScaleName_Change(int index);
  // False when nothing was written (the window then stays open).
  bool btnSave_Click();
  void btnCancel_Click();

  // Moves or deletes the WINE library copy "oleaut32.dllx" of the program
  // folder and then shows the instruction page; nothing when it is absent.
  // True when the page was shown.
  static bool Linux_dll_Check(const std::string& programFolder, QWidget* parent);

  // The dialogs, replaceable by tests: a folder ("" when cancelled) and a
  // program file, each starting at the given folder.
  std::function<std::string(const std::string& start)> chooseFolder;
  std::function<std::string(const std::string& start)> chooseProgram;

  // Window widths (twips) with and without the time-scale frame.
  static constexpr int kWideTw = 13170;
  static constexpr int kNarrowTw = 10365;

 private:
  void Build();
  void DrawSiteLayout();
  SetUpValues FromControls() const;
  QLineEdit* FolderBox(int kind) const;

  Config& cfg_;
  std::function<void()> onSitesPerColumn_;
  SetUpValues values_;
  std::string path_;

  QLineEdit* txtDir = nullptr;
  QLineEdit* txtArchive = nullptr;
  QLineEdit* txtSnapshot = nullptr;
  QLineEdit* txtExport = nullptr;
  QLineEdit* txtLinux = nullptr;
  std::array<QRadioButton*, 2> optLocalZ{};
  ScrollBar* hsbTimeZone = nullptr;
  QLabel* lblTimeZone = nullptr;
  QCheckBox* chkDST = nullptr;
  std::array<QLineEdit*, kSetUpModelBoxes> Text1{};     // boxes 1..18
  std::array<QLineEdit*, kSetUpSiteBoxes> txtSite{};    // boxes 1..16
  ScrollBar* hsbMaxSites = nullptr;
  QLabel* lblMaxSites = nullptr;
  PictureBoxWidget* picIDs = nullptr;
  QCheckBox* chkLinux = nullptr;
  QFrame* frameLinux = nullptr;
  QCheckBox* chkScale = nullptr;
  QCheckBox* chkAnomaly = nullptr;
  QWidget* Frame13 = nullptr;
  std::array<QLineEdit*, kSetUpScaleRows> txtScaleName{};        // rows 1..18
  std::array<QLineEdit*, 4 * kSetUpScaleRows> txtScaleHour{};    // 4 (n - 1) + j
  QPushButton* btnSave = nullptr;
  QPushButton* btnCancel = nullptr;
};

}  // namespace ondrik
