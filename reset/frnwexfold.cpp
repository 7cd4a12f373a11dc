#include "reset/frnwexfold.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

#include <utility>

#include "reset/effects.h"

namespace wexfold {

namespace {

enum class Target { History, Macros, Configuration, TimeZones };

struct BoxRow {
  const char* name;
  const char* caption;
  int frame;  // 0: the saved-state frame, 1: the defaults frame
  Target target;
};

// The boxes in the order the reset works through them; within its frame each
// box stands in this order too.
constexpr std::array<BoxRow, 4> kBoxes{{
    {"chkHistory", "History File  (Run to Run autocofiguration)", 0, Target::History},
    {"chkMacros", "Overview and Profile Macros (F1 to F5)", 0, Target::Macros},
    {"chkConfig", "Ondrik \"Setup\" configuration", 1, Target::Configuration},
    {"chkTime", "Site Time Zone Database", 0, Target::TimeZones},
}};

struct FrameRow {
  const char* name;
  const char* caption;
};

constexpr std::array<FrameRow, 2> kFrames{{
    {"Frame1", "Select the Types of Files you want to Wexfoldalize"},
    {"Frame2", "Reset to System Defaults"},
}};

// Display setups and overview layouts: every slot Ondrik could have written.
constexpr int kMacroSlots = 10;

}  // namespace

frnWexfold::frnWexfold(Effects& effects, Folders folders, QWidget* parent)
    : QWidget(parent), effects_(effects), folders_(std::move(folders)) {
  setWindowTitle(QStringLiteral("Ondrik Wexfoldialization Utility"));
  QFont bold = font();
  bold.setBold(true);
  setFont(bold);

  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  std::array<QVBoxLayout*, 2> frameLayouts{};
  for (std::size_t f = 0; f < kFrames.size(); ++f) {
    auto* frame = new QGroupBox(QString::fromUtf8(kFrames[f].caption), this);
    frame->setObjectName(QString::fromLatin1(kFrames[f].name));
    frameLayouts[f] = new QVBoxLayout(frame);
    layout->addWidget(frame);
  }
  for (std::size_t i = 0; i < kBoxes.size(); ++i) {
    QVBoxLayout* frameLayout = frameLayouts[static_cast<std::size_t>(kBoxes[i].frame)];
    auto* box = new QCheckBox(QString::fromUtf8(kBoxes[i].caption), frameLayout->parentWidget());
    box->setObjectName(QString::fromLatin1(kBoxes[i].name));
    frameLayout->addWidget(box);
    connect(box, &QCheckBox::toggled, this, &frnWexfold::chkBox_Click);
    boxes_[i] = box;
  }

  btnWexfold_ = new QPushButton(QStringLiteral("Wexfoldialize Selected Files"), this);
  btnWexfold_->setObjectName(QStringLiteral("btnWexfold"));
  // The window keeps its size while the button is hidden.
  QSizePolicy keep = btnWexfold_->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  btnWexfold_->setSizePolicy(keep);
  btnWexfold_->hide();
  btnExit_ = new QPushButton(QStringLiteral("Exit"), this);
  btnExit_->setObjectName(QStringLiteral("btnExit"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnWexfold_);
  buttons->addStretch(1);
  buttons->addWidget(btnExit_);
  layout->addLayout(buttons);
  connect(btnWexfold_, &QPushButton::clicked, this, &frnWexfold::btnWexfold_Click);
  connect(btnExit_, &QPushButton::clicked, this, &frnWexfold::btnExit_Click);
}

void frnWexfold::chkBox_Click() {
  bool any = false;
  for (const QCheckBox* box : boxes_) any = any || box->isChecked();
  btnWexfold_->setVisible(any);
}

void frnWexfold::btnWexfold_Click() {
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    if (boxes_[i]->isChecked() && Reset(static_cast<int>(i))) boxes_[i]->setChecked(false);
  }
}

void frnWexfold::btnExit_Click() { close(); }

bool frnWexfold::Reset(int box) {
  QStringList kept;
  switch (kBoxes[static_cast<std::size_t>(box)].target) {
    case Target::History:
      DeleteNoCase(folders_.savedState, QStringLiteral("Ondrik.hst"), kept);
      break;
    case Target::Macros:
      for (int n = 0; n < kMacroSlots; ++n) {
        DeleteNoCase(folders_.savedState, QStringLiteral("Ondrik.SP%1").arg(n), kept);
        DeleteNoCase(folders_.savedState, QStringLiteral("Ondrik.SO%1").arg(n), kept);
      }
      break;
    case Target::Configuration:
      return RestoreConfiguration();
    case Target::TimeZones:
      DeleteNoCase(folders_.program, QStringLiteral("TimeZone.DAT"), kept);
      break;
  }
  return ReportKept(kept);
}

// Deletes the file in every letter case it has on disk, so that Ondrik finds
// none of them afterwards. A file that cannot be deleted is added to kept,
// with the system's reason, and the reset goes on with the others.
void frnWexfold::DeleteNoCase(const QString& folder, const QString& name, QStringList& kept) {
  for (const QString& path : FindFilesNoCase(folder, name)) {
    QFile file(path);
    if (!file.exists() || file.remove()) continue;
    kept << QStringLiteral("%1 (%2)").arg(QDir::toNativeSeparators(path), file.errorString());
  }
}

// True when every file went; else tells the user which stayed.
bool frnWexfold::ReportKept(const QStringList& kept) {
  if (kept.isEmpty()) return true;
  Report(QStringLiteral("Can't delete:\n%1\nThese files were left as they are.").arg(kept.join(QLatin1Char('\n'))));
  return false;
}

// Initial.cfg over Ondrik.cfg, through a temporary file in the program folder
// that replaces Ondrik.cfg only when it was written whole: a failure keeps
// the old configuration.
bool frnWexfold::RestoreConfiguration() {
  const QString program = QDir::toNativeSeparators(folders_.program);
  const QString initial = FindFileNoCase(folders_.program, QStringLiteral("Initial.cfg"));
  if (initial.isEmpty()) {
    Report(QStringLiteral("Can't locate the initial configuration file Initial.cfg in\n%1\n"
                          "The configuration Ondrik.cfg was left as it is.")
               .arg(program));
    return false;
  }
  QFile in(initial);
  QByteArray data;
  if (in.open(QIODevice::ReadOnly)) data = in.readAll();
  if (!in.isOpen() || in.error() != QFileDevice::NoError) {
    Report(QStringLiteral("Can't read the initial configuration file\n%1\n(%2)\n"
                          "The configuration Ondrik.cfg was left as it is.")
               .arg(QDir::toNativeSeparators(initial), in.errorString()));
    return false;
  }

  QString target = FindFileNoCase(folders_.program, QStringLiteral("Ondrik.cfg"));
  if (target.isEmpty()) target = QDir(folders_.program).filePath(QStringLiteral("Ondrik.cfg"));
  QSaveFile out(target);
  const bool written = out.open(QIODevice::WriteOnly) && effects_.Write(out, data) == data.size() &&
                       out.flush() && out.commit();
  if (!written) {
    const QString why = out.errorString();
    out.cancelWriting();
    Report(QStringLiteral("Can't replace the configuration file\n%1\nby Initial.cfg (%2).\n"
                          "The configuration was left as it is.")
               .arg(QDir::toNativeSeparators(target), why));
    return false;
  }
  return true;
}

void frnWexfold::Report(const QString& text) { effects_.Message(this, text, windowTitle()); }

}  // namespace wexfold
