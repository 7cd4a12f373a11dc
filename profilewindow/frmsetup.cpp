#include "profilewindow/frmsetup.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <filesystem>
#include <system_error>

#include "platform/controls.h"
#include "platform/effects.h"
#include "platform/folders.h"
#include "platform/pictureboxwidget.h"
#include "profilewindow/frmlinux.h"
#include "savedstate/safefile.h"

namespace ondrik {

namespace {

constexpr int kTw = 15;  // twips a pixel
constexpr int kHeight = 620;
constexpr const char* kTitle = "Ondrik Set Up";
constexpr const char* kDesignHours[4] = {"84", "72", "48", "24"};

QGroupBox* Group(QWidget* parent, const char* name, const QString& caption, const QRect& at) {
  auto* g = new QGroupBox(caption, parent);
  g->setObjectName(name);
  g->setGeometry(at);
  return g;
}

QLabel* Label(QWidget* parent, const QString& caption, const QRect& at, const QString& name = {}) {
  auto* l = new QLabel(caption, parent);
  if (!name.isEmpty()) l->setObjectName(name);
  l->setGeometry(at);
  return l;
}

QLineEdit* Box(QWidget* parent, const QString& name, const QRect& at) {
  auto* t = new QLineEdit(parent);
  t->setObjectName(name);
  t->setGeometry(at);
  return t;
}

QPushButton* Button(QWidget* parent, const QString& name, const QString& caption, const QRect& at) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setGeometry(at);
  return b;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QLineEdit* t) { return t->text().toStdString(); }

}  // namespace

frmSetUp::frmSetUp(Config& cfg, std::function<void()> onSitesPerColumn, QWidget* parent)
    : QWidget(parent, Qt::Window), cfg_(cfg), onSitesPerColumn_(std::move(onSitesPerColumn)) {
  setObjectName("frmSetUp");
  setWindowTitle(kTitle);
  setAttribute(Qt::WA_DeleteOnClose);
  QFont f("DejaVu Sans");
  f.setPointSizeF(7.5);
  setFont(f);
  chooseFolder = [this](const std::string& start) {
    return QFileDialog::getExistingDirectory(this, "Choose a folder", Q(start)).toStdString();
  };
  chooseProgram = [this](const std::string& start) {
    return QFileDialog::getOpenFileName(this, "Choose the web browser", Q(start)).toStdString();
  };
  Build();
}

void frmSetUp::Build() {
  // ---- folders ----
  auto* f1 = Group(this, "Frame1", "Specify where the Ondrik profiles are located ", QRect(6, 4, 679, 112));
  Label(f1, "Directory that Contains the Ondrik profiles:", QRect(8, 18, 660, 16), "lblDir");
  txtDir = Box(f1, "txtDir", QRect(8, 35, 620, 22));
  Label(f1,
        "Directory that Contains the Archive Ondrik profiles (the profiles with a data prepended to the filename):",
        QRect(8, 61, 660, 16), "lblArchive");
  txtArchive = Box(f1, "txtArchive", QRect(8, 78, 620, 22));
  auto* btnDir = Button(f1, "btnDir", "...", QRect(634, 35, 34, 22));
  auto* btnArchive = Button(f1, "btnArchive", "...", QRect(634, 78, 34, 22));

  // ---- the clock ----
  auto* f2 = Group(this, "Frame2", "Specify how the clock on your computer is set up: ", QRect(6, 120, 679, 100));
  auto* f5 = Group(f2, "Frame5", "Is your PC on Local or Z time", QRect(8, 18, 236, 74));
  optLocalZ[0] = new QRadioButton("The Computer is on Local time", f5);
  optLocalZ[1] = new QRadioButton("The Computer is on Z time (set to UTC)", f5);
  for (int i = 0; i < 2; ++i) {
    optLocalZ[static_cast<size_t>(i)]->setObjectName(QString("optLocalZ%1").arg(i));
    optLocalZ[static_cast<size_t>(i)]->setGeometry(8, 20 + i * 24, 224, 20);
  }
  auto* f6 = Group(f2, "Frame6", "Standard Time Zone in which your PC is located ", QRect(250, 18, 310, 74));
  hsbTimeZone = new ScrollBar(Qt::Horizontal, f6);
  hsbTimeZone->setObjectName("hsbTimeZone");
  hsbTimeZone->SetRange(-12, 12);
  hsbTimeZone->setGeometry(8, 22, 170, 17);
  lblTimeZone = Label(f6, "", QRect(186, 22, 118, 17), "lblTimeZone");
  const char* zones[4] = {"Eastern", "Central", "Mountain", "Pacific"};
  for (int i = 0; i < 4; ++i) {
    auto* b = Button(f6, QString("btnTZ%1").arg(i), zones[i], QRect(8 + i * 74, 44, 70, 22));
    connect(b, &QPushButton::clicked, this, [this, i] { btnTZ_Click(i); });
  }
  auto* f11 = Group(f2, "Frame11", "Savings Time", QRect(566, 18, 105, 74));
  chkDST = new QCheckBox("DST in effect", f11);
  chkDST->setObjectName("chkDST");
  chkDST->setGeometry(8, 30, 94, 20);

  // ---- models and favourite sites ----
  auto* f3 = Group(this, "Frame3",
                   "Specifiy Up to 18 Model Types          (Examples:   NAM    NAMM    GFS3    RUC   ARW  NMM)",
                   QRect(6, 224, 679, 76));
  for (int i = 0; i < kSetUpModelBoxes; ++i)
    Text1[static_cast<size_t>(i)] =
        Box(f3, QString("Text1%1").arg(i + 1), QRect(8 + (i % 9) * 74, 20 + (i / 9) * 26, 70, 22));
  auto* f8 = Group(this, "Frame8", "These profiles will be listed first on the available site list",
                   QRect(6, 304, 679, 76));
  for (int i = 0; i < kSetUpSiteBoxes; ++i)
    txtSite[static_cast<size_t>(i)] =
        Box(f8, QString("txtSite%1").arg(i + 1), QRect(8 + (i % 8) * 83, 20 + (i / 8) * 26, 78, 22));

  // ---- site layout and Linux ----
  auto* f4 = Group(this, "Frame4", "Specify the Site IDs Layout", QRect(6, 384, 336, 96));
  auto* f9 = Group(f4, "Frame9", "Max Site IDs or Models Types in a Column", QRect(8, 18, 228, 70));
  hsbMaxSites = new ScrollBar(Qt::Horizontal, f9);
  hsbMaxSites->setObjectName("hsbMaxSites");
  hsbMaxSites->SetRange(3, 8);
  hsbMaxSites->setGeometry(8, 30, 160, 17);
  lblMaxSites = Label(f9, "", QRect(176, 30, 40, 17), "lblMaxSites");
  picIDs = new PictureBoxWidget(f4);
  picIDs->setObjectName("picIDs");
  picIDs->setGeometry(244, 20, 1400 / kTw, (100 * 3 + 50) / kTw);
  picIDs->onResize = [this] { DrawSiteLayout(); };
  auto* f7 = Group(this, "Frame7", "Optimize for Linux", QRect(349, 384, 336, 96));
  chkLinux = new QCheckBox("Running on a Linux PC", f7);
  chkLinux->setObjectName("chkLinux");
  chkLinux->setGeometry(8, 20, 300, 20);
  frameLinux = new QFrame(f7);
  frameLinux->setObjectName("frameLinux");
  frameLinux->setGeometry(8, 42, 320, 48);
  Label(frameLinux, "Path to the Linux Web Browser:", QRect(0, 0, 300, 16), "Label4");
  txtLinux = Box(frameLinux, "txtLinux", QRect(0, 18, 280, 22));
  auto* btnLinux = Button(frameLinux, "btnLinux", "...", QRect(286, 18, 34, 22));

  // ---- snapshot and export folders ----
  auto* f10 = Group(this, "Frame10", "Directory to save screen captured snapshots:", QRect(6, 484, 336, 54));
  txtSnapshot = Box(f10, "txtSnapshot", QRect(8, 22, 280, 22));
  auto* btnSnap = Button(f10, "btnSnap", "...", QRect(294, 22, 34, 22));
  auto* f14 = Group(this, "Frame14", "Directory to save exported profiles:", QRect(349, 484, 336, 54));
  txtExport = Box(f14, "txtExport", QRect(8, 22, 280, 22));
  auto* btnExport = Button(f14, "btnExport", "...", QRect(294, 22, 34, 22));

  // ---- advanced options, save ----
  auto* f12 = Group(this, "Frame12", "Advanced Options", QRect(6, 542, 336, 72));
  chkScale = new QCheckBox("Define my own Overview time scales", f12);
  chkScale->setObjectName("chkScale");
  chkScale->setGeometry(8, 20, 320, 20);
  chkAnomaly = new QCheckBox("Reverse the timeline (hour 0 at the left)", f12);
  chkAnomaly->setObjectName("chkAnomaly");
  chkAnomaly->setGeometry(8, 44, 320, 20);
  Label(this, "Saved changes will take effect the next time you start Ondrik", QRect(349, 550, 336, 18), "Label1");
  btnSave = Button(this, "btnSave", "Save", QRect(473, 580, 100, 28));
  btnCancel = Button(this, "btnCancel", "Cancel", QRect(583, 580, 100, 28));

  // ---- the overview's time scales, right of the narrow window ----
  Frame13 = Group(this, "Frame13", "Overview Time Scales", QRect(691, 4, 181, 610));
  Label(Frame13, "Model Type", QRect(6, 20, 60, 16), "Label2");
  Label(Frame13, "Time Scales", QRect(68, 20, 106, 16), "Label3");
  for (int n = 0; n < kSetUpScaleRows; ++n) {
    const int y = 38 + n * 31;
    txtScaleName[static_cast<size_t>(n)] = Box(Frame13, QString("txtScaleName%1").arg(n + 1), QRect(6, y, 54, 22));
    for (int j = 0; j < 4; ++j) {
      QLineEdit* h = Box(Frame13, QString("txtScaleHour%1").arg(4 * n + j), QRect(64 + j * 28, y, 26, 22));
      h->setText(kDesignHours[j]);
      h->setVisible(false);
      txtScaleHour[static_cast<size_t>(4 * n + j)] = h;
    }
    connect(txtScaleName[static_cast<size_t>(n)], &QLineEdit::textChanged, this,
            [this, n] { txtScaleName_Change(n + 1); });
  }
  Frame13->setVisible(false);
  resize(kNarrowTw / kTw, kHeight);

  connect(btnDir, &QPushButton::clicked, this, [this] { GetaDirectory(1); });
  connect(btnArchive, &QPushButton::clicked, this, [this] { GetaDirectory(2); });
  connect(btnSnap, &QPushButton::clicked, this, [this] { GetaDirectory(3); });
  connect(btnExport, &QPushButton::clicked, this, [this] { GetaDirectory(4); });
  connect(btnLinux, &QPushButton::clicked, this, [this] { btnLinux_Click(); });
  hsbTimeZone->onChange = [this] { hsbTimeZone_Change(); };
  hsbMaxSites->onChange = [this] { hsbMaxSites_Change(); };
  connect(chkLinux, &QCheckBox::clicked, this, [this] { chkLinux_Click(); });
  connect(chkScale, &QCheckBox::clicked, this, [this] { chkScale_Click(); });
  connect(btnSave, &QPushButton::clicked, this, [this] { btnSave_Click(); });
  connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancel_Click(); });
}

bool frmSetUp::Form_Load() {
  if (const QScreen* s = screen()) {
    const QRect g = s->geometry();
    move(g.x() + (g.width() - width()) / 2, g.y() + (g.height() - height()) / 2);
  }
  path_ = FindFileNoCase(ProgramFolder(), kSetUpFileName);
  std::vector<std::string> lines;
  const bool read = !path_.empty() && ReadTextLines(path_, lines);
  const SetUpLoad load = read ? LoadSetUp(lines, cfg_.ExportDir, cfg_.gMaxSitesPerColumn) : SetUpLoad{};
  if (!load.ok) {
    const std::string file = path_.empty() ? ProgramFolder() + kSetUpFileName : path_;
    TheEffects().Message("The configuration file " + file + " can't be edited here: " +
                             (read ? load.message : std::string("it can't be read.")),
                         kTitle, MsgIcon::Warning);
    btnSave->setEnabled(false);
    return false;
  }
  values_ = load.values;
  const SetUpValues& v = values_;
  txtDir->setText(Q(v.dataDir));
  txtArchive->setText(Q(v.archiveDir));
  txtLinux->setText(Q(v.browser));
  optLocalZ[v.localTime ? 0 : 1]->setChecked(true);
  hsbTimeZone->SetValue(v.zone);
  hsbTimeZone_Change();
  chkDST->setChecked(v.dst != 0);
  chkLinux->setChecked(v.linuxMode);
  chkLinux_Click();
  txtSnapshot->setText(Q(v.snapshotDir));
  for (size_t i = 0; i < Text1.size(); ++i) Text1[i]->setText(Q(v.models[i]));
  chkAnomaly->setChecked(v.reverse != 0);
  for (size_t n = 0; n < txtScaleName.size(); ++n) {
    const SetUpScaleRow& row = v.scales[n];
    txtScaleName[n]->setText(Q(row.name));
    if (!row.name.empty())
      for (size_t j = 0; j < 4; ++j) txtScaleHour[4 * n + j]->setText(Q(row.hours[j]));
    txtScaleName_Change(static_cast<int>(n) + 1);
  }
  txtExport->setText(Q(v.exportDir));
  for (size_t i = 0; i < txtSite.size(); ++i) txtSite[i]->setText(Q(v.sites[i]));
  hsbMaxSites->SetValue(v.maxSites);
  hsbMaxSites_Change();
  return true;
}

QLineEdit* frmSetUp::FolderBox(int kind) const {
  switch (kind) {
    case 1: return txtDir;
    case 2: return txtArchive;
    case 3: return txtSnapshot;
    case 4: return txtExport;
    default: return nullptr;
  }
}

void frmSetUp::GetaDirectory(int kind) {
  QLineEdit* box = FolderBox(kind);
  if (box == nullptr || !chooseFolder) return;
  const std::string now = ResolveConfigFolder(S(box), ProgramFolder());
  const std::string start = QDir(Q(now)).exists() ? now : ProgramFolder();
  const std::string chosen = chooseFolder(start);
  // A cancelled dialog leaves the box as it was.
  if (!chosen.empty()) box->setText(Q(AddBackslash(chosen)));
  QDir::setCurrent(Q(ProgramFolder()));
}

void frmSetUp::btnLinux_Click() {
  if (!chooseProgram) return;
  const std::string chosen = chooseProgram(ProgramFolder());
  if (!chosen.empty()) txtLinux->setText(Q(BrowserFromDialog(chosen)));
  QDir::setCurrent(Q(ProgramFolder()));
}

void frmSetUp::btnTZ_Click(int index) { hsbTimeZone->SetValue(index + 5); }

void frmSetUp::hsbTimeZone_Change() { lblTimeZone->setText(Q(TimeZoneCaption(hsbTimeZone->Value()))); }

void frmSetUp::hsbMaxSites_Change() {
  const int v = hsbMaxSites->Value();
  lblMaxSites->setText(QString::number(v));
  picIDs->resize(1400 / kTw, (100 * v + 50) / kTw);
  DrawSiteLayout();
  SetMaxSites(values_, v);
  if (cfg_.gMaxSitesPerColumn != v) {
    cfg_.gMaxSitesPerColumn = v;
    if (onSitesPerColumn_) onSitesPerColumn_();
  }
}

// The preview: three site ids a row, one row per site id of a column (in
// twips, 15 to a pixel).
void frmSetUp::DrawSiteLayout() {
  const int v = hsbMaxSites->Value();
  PictureBox& p = picIDs->Pic();
  p.BackColor = kWhite;
  p.Cls();
  p.Scale(0, 0, 1400, 100 * v + 50);
  for (int i = 1; i <= v; ++i)
    for (int x : {100, 550, 1000}) p.Box(x, 100 * (i - 1) + 20, x + 300, 100 * (i - 1) + 60, kBlack, true);
  picIDs->update();
}

void frmSetUp::chkLinux_Click() {
  frameLinux->setVisible(chkLinux->isChecked());
  cfg_.gLinuxMode = chkLinux->isChecked();
}

void frmSetUp::chkScale_Click() {
  Frame13->setVisible(chkScale->isChecked());
  resize((chkScale->isChecked() ? kWideTw : kNarrowTw) / kTw, height());
}

void frmSetUp::txtScaleName_Change(int index) {
  if (index < 1 || index > kSetUpScaleRows) return;
  const bool shown = !txtScaleName[static_cast<size_t>(index - 1)]->text().isEmpty();
  for (int j = 0; j < 4; ++j) txtScaleHour[static_cast<size_t>(4 * (index - 1) + j)]->setVisible(shown);
}

SetUpValues frmSetUp::FromControls() const {
  SetUpValues v = values_;
  v.dataDir = S(txtDir);
  v.archiveDir = S(txtArchive);
  v.zone = hsbTimeZone->Value();
  v.dst = chkDST->isChecked() ? 1 : 0;
  v.localTime = optLocalZ[0]->isChecked();
  v.linuxMode = cfg_.gLinuxMode;
  v.browser = S(txtLinux);
  v.snapshotDir = S(txtSnapshot);
  for (size_t i = 0; i < Text1.size(); ++i) v.models[i] = S(Text1[i]);
  v.reverse = chkAnomaly->isChecked() ? 1 : 0;
  for (size_t n = 0; n < txtScaleName.size(); ++n) {
    v.scales[n].name = S(txtScaleName[n]);
    for (size_t j = 0; j < 4; ++j) v.scales[n].hours[j] = S(txtScaleHour[4 * n + j]);
  }
  v.exportDir = S(txtExport);
  for (size_t i = 0; i < txtSite.size(); ++i) v.sites[i] = S(txtSite[i]);
  return v;
}

bool frmSetUp::btnSave_Click() {
  if (!btnSave->isEnabled()) return false;
  std::string problem, error;
  const std::vector<std::string> lines = SetUpSaveLines(FromControls(), &problem);
  if (!problem.empty()) {
    TheEffects().Message(problem + "\r\nNothing was saved.", kTitle, MsgIcon::Warning);
    return false;
  }
  if (!WriteLinesReplacing(path_, lines, error)) {
    TheEffects().Message(saved::SaveFailedMessage("The configuration", path_, error), kTitle, MsgIcon::Warning);
    return false;
  }
  QWidget* owner = parentWidget();
  close();
  if (cfg_.gLinuxMode) Linux_dll_Check(ProgramFolder(), owner);
  if (TheEffects().Ask("The changes you made have been saved to a configuration file.\r\n\r\n"
                       "For these changes to go in effect, you must shutdown Ondrik and then start again.\r\n\r\n"
                       "Do you want to shut down Ondrik right now?",
                       "Shutdown Ondrik?"))
    TheEffects().EndProgram(0);
  return true;
}

void frmSetUp::btnCancel_Click() { close(); }

bool frmSetUp::Linux_dll_Check(const std::string& programFolder, QWidget* parent) {
  namespace fs = std::filesystem;
  const std::string copy = FindFileNoCase(programFolder, "oleaut32.dllx");
  if (copy.empty()) return false;
  std::error_code ec;
  if (!FindFileNoCase(programFolder, "oleaut32.dll").empty())
    fs::remove(copy, ec);
  else
    fs::rename(copy, AddBackslash(programFolder) + "oleaut32.dll", ec);
  if (ec) TheEffects().Message("The WINE library " + copy + " could not be installed: " + ec.message(), kTitle,
                               MsgIcon::Warning);
  auto* page = new frmLinux(parent);
  page->setAttribute(Qt::WA_DeleteOnClose);
  if (IsBatchOrOffscreen())
    page->show();  // nobody could click a modal page away
  else
    page->exec();
  return true;
}

}  // namespace ondrik
