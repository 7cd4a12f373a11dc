// The profile window's tools: training mode and the training links, the logo
// that switches it, and the help and set-up windows.
#include <QApplication>

#include "platform/folders.h"
#include "platform/pictureboxwidget.h"
#include "profilewindow/frmhelp.h"
#include "profilewindow/frmprofile.h"
#include "profilewindow/frmsetup.h"

namespace ondrik {

namespace {

// The pointer shows training mode: the arrow with a question mark while on.
void ShowTrainingPointer(bool on) {
  static bool shown = false;
  if (on == shown || qApp == nullptr) return;
  shown = on;
  if (on)
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
  else
    QApplication::restoreOverrideCursor();
}

}  // namespace

void frmProfile::GetTraining() {
  gTrainingMode = false;
  ShowTrainingPointer(false);
  training_ = ReadTrainingIndex(ProgramFolder());
}

// Every control that carries a help topic hands it over here first; outside
// training mode nothing happens. A topic without an entry keeps training
// mode on, so the user can try another control.
void frmProfile::OpenTrainingLinks(const std::string& topic) {
  if (!gTrainingMode) return;
  const TrainingEntry* e = training_.Find(TrainingTopicKey(topic));
  if (e == nullptr) return;
  // Training mode ends before the documents open, so that nothing opened
  // from here hands a topic over again.
  gTrainingMode = false;
  ShowTrainingPointer(false);
  for (const std::string& target : SplitTargets(e->targets)) OpenTrainingTarget(target, cfg_, false);
}

void frmProfile::picLogo_Click() {
  gTrainingMode = !gTrainingMode;
  ShowTrainingPointer(gTrainingMode);
}

void frmProfile::btnHelp_Click() {
  if (help_ != nullptr && !help_->isVisible()) help_ = nullptr;
  if (help_ == nullptr) help_ = new frmHelp(cfg_, x() * kTwipsPerPixel, this);
  help_->show();
  help_->raise();
  help_->activateWindow();
}

// The set-up window edits "Ondrik.cfg"; its site-layout bar relays this
// window out at once.
void frmProfile::btnSetup_Click() {
  // A window closed but not yet deleted is not used again.
  if (setup_ != nullptr && !setup_->isVisible()) setup_ = nullptr;
  if (setup_ == nullptr) {
    setup_ = new frmSetUp(cfg_, [this] { Form_Resize(); }, this);
    setup_->Form_Load();
  }
  setup_->show();
  setup_->raise();
  setup_->activateWindow();
}

// The logo: a small skewed chart, white on blue, with its temperature and
// dew-point traces.
void frmProfile::DrawLogo() {
  PictureBox& p = picLogo->Pic();
  p.BackColor = RGB(0, 40, 110);
  p.Cls();
  p.Scale(0, 0, 100, 100);
  p.DrawWidth = 1;
  for (int i = -60; i <= 100; i += 25) p.Line(i, 100, i + 60, 0, RGB(70, 110, 170));
  p.DrawWidth = 3;
  p.Line(62, 96, 48, 60, kRed);
  p.LineTo(56, 34, kRed);
  p.LineTo(40, 6, kRed);
  p.Line(44, 96, 30, 62, RGB(0, 220, 0));
  p.LineTo(22, 36, RGB(0, 220, 0));
  p.LineTo(12, 8, RGB(0, 220, 0));
  p.DrawWidth = 1;
  picLogo->setToolTip("Click for training mode: the next control you click opens its help");
  picLogo->update();
}

}  // namespace ondrik
