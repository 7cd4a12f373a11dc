// The help window frmHelp ("Training" button of the profile window): the
// areas of the help outline "OndrikTraining.dat", each a label that folds or
// unfolds its buttons, and a button per training page. The fold state of the
// areas and the window's left edge outlive the window until the program ends.
//
// Controls are private; tests find them by object name ("lblArea1",
// "btnTraining1", "btnOK", "pnlVersion", "pnlProfile").
#pragma once

#include <QWidget>

#include <string>
#include <vector>

#include "profilewindow/training.h"

class QLabel;
class QPushButton;
class QScrollArea;

namespace ondrik {

struct Config;
class Timer;

// Opens one training target: a document (as a file URL with its anchor) or a
// web address with the desktop's default handler, or with the configured
// browser for a "!" target and whenever `browserForAll` is set; the browser
// gets the address as its one argument. A refused target is reported.
void OpenTrainingTarget(const std::string& target, const Config& cfg, bool browserForAll);

// A document's absolute path and anchor as the URL that opens it.
std::string DocumentUrl(const std::string& path, const std::string& anchor);

class frmHelp : public QWidget {
  Q_OBJECT

 public:
  // cfg is the profile window's configuration (Linux mode and browser are
  // read at each click); profileLeftTw is the profile window's left edge in
  // twips, where the window first opens.
  frmHelp(const Config& cfg, int profileLeftTw, QWidget* parent = nullptr);

  // Builds the window from the outline file (at creation and after every fold).
  void Form_Load();
  void lblArea_Click(int index);
  void btnTraining_Click(int index);
  void btnOK_Click();
  void timerToolKit_Timer();
  void timerToyBox_Timer();

  int AreaCount() const { return areaCount_; }
  int ButtonCount() const { return static_cast<int>(btnTraining_.size()); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Clear();
  void Place(int heightTw, int okTopTw);

  const Config& cfg_;
  int profileLeftTw_;
  int areaCount_ = 0;
  QScrollArea* scroll_;
  QWidget* content_;
  QLabel* pnlProfile_;
  QLabel* pnlVersion_;
  QPushButton* btnOK_;
  Timer* timerToolKit_;
  Timer* timerToyBox_;
  std::vector<QLabel*> lblArea_;         // areas 1..AreaCount
  std::vector<QPushButton*> btnTraining_; // buttons 1..ButtonCount
  std::vector<std::string> tags_;         // each button's target
};

}  // namespace ondrik
