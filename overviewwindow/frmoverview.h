// The overview window: the whole forecast of the loaded file as time-height
// fields and strips beside the profile window, following its hour and its
// dataset. The profile window creates it when the user opens it and it lives
// until it is closed or rebuilt for a new file.
//
// Its check boxes are made from the table of fields and strips
// (overview/boxes.h) and keep the options of the drawing (OverviewState) in
// step; PlotData draws from that state. What the overview reads of the
// profile window and the commands it gives it go through ProfileLink.
// Controls are private; tests find them by object name.
//
// The implementation: frmoverview.cpp (controls, layout, load and unload),
// frmoverview_hours.cpp (time window, keys, wheel, datasets),
// frmoverview_draw.cpp (redraw, cursor, time axis, readout),
// frmoverview_controls.cpp (option buttons, legends and level bars of the
// control pages; the window's side of the box rules), frmoverview_mouse.cpp
// (hours, readout and zoom by mouse, the picture-in-picture, the logo),
// frmoverview_layouts.cpp (layouts and their files), frmoverview_snap.cpp
// (the snapshot).
#pragma once

#include <QWidget>

#include <memory>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "overview/classes.h"
#include "overview/controlrules.h"
#include "overview/layout.h"
#include "overview/state.h"
#include "overviewwindow/profilelink.h"
#include "platform/busycursor.h"
#include "platform/picturebox.h"
#include "savedstate/link.h"

class QFrame;
class QImage;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace ondrik {

class CheckBox;
class PictureBoxWidget;
class ScrollBar;
class ScrollPage;
class WheelFilter;

// The smallest size of the window, in twips.
inline constexpr int kOverviewMinWidthTw = 14970;
inline constexpr int kOverviewMinHeightTw = 10830;

class frmOverView : public QWidget, private OverviewEvents, private BoxHost {
  Q_OBJECT

 public:
  explicit frmOverView(ProfileLink& profile, QWidget* parent = nullptr);
  ~frmOverView() override;

  // ---- life of the window ----
  // Builds the window from the loaded file and the profile window, shows it
  // and recalls layout 8.
  void Form_Load();
  void Form_Resize();
  // The pictures of a batch snapshot ("-SIZE=") at a scale of their size in
  // the smallest window: the window grows with a scale above 1, the
  // pictures alone shrink with one below it. Form_Resize lays them out
  // again.
  void ScalePictures(double scale);
  // Stores the window's place and layout 8; the window is then to be
  // destroyed (Unloaded is emitted).
  void Form_Unload();
  // The window's Top and Left into the saved geometry.
  void StorePlace();
  void btnQuit_Click();

  // ---- drawing ----
  void PlotData();
  void DrawTimeAxis();
  // The profile window's hour cursor: the line at fromHour is taken away and
  // drawn at toHour. False (nothing drawn) while "Cursor" is not ticked.
  bool PlotCursor(int fromHour, int toHour);
  // The precipitation (or raw and settled snow) from the marked hour to the
  // hour under the pointer, in the readout label one label height under the
  // pointer; y is the pointer's height as the mouse event on picRH gives it.
  void ShowPrecipTotal(int hour, double y);
  Integer MarkerHour = 0;
  Integer ReadoutHour = 0;

  // ---- time window ----
  void btnHours_Click(int index);
  void hsbHours_Change();

  // ---- keys, wheel, datasets ----
  // Key handler with the platform's key codes (Left 37, Up 38, F1 112 ...).
  void Form_KeyDown(int keyCode, int shift);
  void MouseWheel(int rotation);
  void Cycle(int column);
  void CycleOn();
  void vsbEE_Change();
  void chkefname_Click(int index);
  void btnEnsemble_Click();
  // From the profile window: its dataset bar and a dataset box changed.
  void MirrorDatasetBar(int max, int value, bool visible);
  // btnEnsemble bold while every shown dataset is drawn (gOverlayAll).
  void ShowOverlay();
  void MirrorDatasetBox(const std::string& summary, int index, int value);

  // ---- layouts (frmoverview_layouts.cpp) ----
  // False when the layout could not be saved (the user has been told).
  bool btnSave_Click(int index);
  void btnRecall_Click(int index);
  // False when the slot held no usable layout (nothing changed, nothing drawn).
  bool RecallMacro(int index);
  // The layout as the window stands (what btnSave_Click keeps).
  saved::OverviewLayout CaptureLayout();
  // "Reset": the fields and strips off, one redraw.
  void btnReset_Click();

  // ---- snapshot (frmoverview_snap.cpp) ----
  // The overview as one PNG in the snapshot folder: "ondrikoverview.png"
  // (opened for the user) for an empty suffix, else named for the model,
  // site and suffix (and the first valid time in archive mode): the title
  // in a band over the four pictures as the window shows them, whole at
  // every size. The window is drawn again from layout 9. False when the
  // picture was not saved.
  bool Snap(const std::string& suffix);
  void btnSnapshot_Click();
  // The band of the last snapshot, as its title was printed there.
  const PictureBox& SnapshotTitlePicture() const { return snapshotTitle_; }

  // ---- option buttons and legends (frmoverview_controls.cpp) ----
  void btnCAPEkm_Click(int index);
  void btnHeights_Click(int index);
  void btnHaines_Click(int index);
  void btnPHK_Click(int index);
  void btnPressureBase_Click();
  void btnClouds_Click();
  void btnOmegaFiltered_Click();
  void btnVWPInterval_Click();
  void btnVWPIntervalA_Click();
  void btnXferO_Click(int index);
  void OptWindColor_Click(int index);
  void optLayerShear_Click(int index);
  void optSnowTechnique_Click(int index);
  void hsbRatio_Change();
  void lblECAPE_Click(int index);
  void lblRH_Click(int index);
  void lblHI_Click(int index);
  void btnAdjustTimeLeft_Click();
  void btnAdjustTimeRight_Click();
  void btn_SnowAccumulationHelp_Click();
  void btnSRclimo_Click();
  void chkCI_Click(int index);
  // The level bars.
  void vbsElevatedPT_Change();
  void vsbMeanWind_Change(int index);
  void vsbSigmaLevel_Change();

  // ---- mouse and picture-in-picture (frmoverview_mouse.cpp) ----
  void picRH_MouseDown(int button, int shift, double x, double y);
  void picRH_MouseMove(int button, int shift, double x, double y);
  void picRH_MouseUp(int button, int shift, double x, double y);
  void picLeft_MouseDown(int button, int shift, double x, double y);
  void picRight_MouseDown(int button, int shift, double x, double y);
  // The release on picLeft (left) or picRight.
  void picSide_MouseUp(bool left, int button, double y);
  void picLogo_Click();
  void PIP(double x);
  void picPIP_Resize();
  void RedoSnowRatio();
  ZoomAxis ZoomAxisChosen = ZoomAxis::None;

  // ---- what others read ----
  const OverviewState& State() const { return state_; }
  Integer GridSwitchGuard = 0;

 signals:
  // PlotData drew the pictures.
  void Drawn();
  // Form_Unload ran: the window is closed.
  void Unloaded();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // ---- OverviewEvents ----
  void FocusScrollBar() override;
  void SetBusy(bool busy) override;

  // ---- building (frmoverview.cpp) ----
  void BuildControls();
  void BuildBoxes();
  void LayoutTop();
  QPushButton* MakeButton(QWidget* parent, const QString& caption, const QString& name);
  void btnControl_Click(int index);
  void ShowPage(int index);
  void BoxClicked(const OverviewRow& row);
  void SetBox(BoxId id, int value);
  CheckBox* Box(BoxId id) const { return boxes_[static_cast<size_t>(id)]; }
  void ShowRedraw();
  void StepHour(int keyCode);
  void DisplayECAPELabels();
  void BuildOptionControls();
  void ShowOptions();
  void ShowRHLegend();
  void ShowPTypeLegend();
  void ShowVWPLegend();
  void SigmaWindScale() override;
  void ConnectMouse();
  // The mappings the mouse reads the pictures in (see frmoverview_mouse.cpp).
  void KeepTimeMapping();
  void KeepSideMappings();
  void SetElevationLabel();
  void LabelMeanWind(int index);
  void OpenWebPage(const std::string& url);
  void AdjustTime(int delta);

  // ---- BoxHost ----
  int Value(BoxId id) const override;
  void SetValue(BoxId id, int value) override;
  void ShowPanel(BoxPanel panel, bool shown) override;
  void Redraw() override { PlotData(); }
  void Topic(std::string_view topic) override;
  void ECAPELabels() override { DisplayECAPELabels(); }
  void SetCaption(BoxId id, const std::string& caption) override;
  bool MeanWindLayerShown() const override;
  void CopyMeanWindLayer() override;
  void Bourgouin(int value) override;
  double Random() override;
  // The labels and buttons that name a value of the profile window, as
  // that window has it now.
  void ShowProfileValues();
  // The precipitation types and their snow follow the profile window's
  // source and level.
  void FollowTypeSource();
  void BuildLayoutButtons();
  void LinkLayout(saved::Way way, saved::OverviewLayout& file);
  void LinkBoxes(saved::Way way, saved::OverviewLayout& file, int firstLine, int lastLine);
  // The title's band for an image `width` pixels wide: its rows centred on
  // centreX as far as the image lets them, black on white, in picRH's face.
  const PictureBox& DrawSnapshotTitle(const std::string& title, int width, double centreX);
  QImage ComposeSnapshot(const std::string& title);

  ProfileLink& profile_;
  OverviewState state_;
  PictureBox snapshotTitle_;
  WheelFilter* wheel_ = nullptr;
  // The controls scroll in a window that the screen holds only smaller.
  std::unique_ptr<ScrollPage> scroll_;
  bool unloaded_ = false;
  BusyCursor busy_;
  std::optional<int> cursorAt_;  // hour of the cursor line on picRH
  // The momentum-transfer step of the transport winds computed.
  Integer transferStep_ = -1;
  // The precipitation-type source and level of the snow amounts computed.
  bool typeDecided_ = false;
  Integer typeLevel_ = 1;
  // The hodograph layer (top, bottom) of the layout being recalled.
  std::array<Single, 2> recalledLayer_{};

  // ---- controls ----
  PictureBoxWidget* picRH = nullptr;
  PictureBoxWidget* picLeft = nullptr;
  PictureBoxWidget* picRight = nullptr;
  PictureBoxWidget* picTime = nullptr;
  QFrame* picEE = nullptr;
  QFrame* frameLeftClick = nullptr;
  QFrame* frameRightClick = nullptr;
  QFrame* frameDatasets = nullptr;
  QFrame* frameECAPE = nullptr;
  QPlainTextEdit* txtQualityControl = nullptr;
  QLabel* lblPrecip = nullptr;
  QLabel* lblSelectEnsemble = nullptr;
  QLabel* lblLakeTemp = nullptr;
  ScrollBar* hsbHours = nullptr;
  ScrollBar* vsbEE = nullptr;
  ScrollBar* vsbF = nullptr;
  ScrollBar* vsbSigmaLevel = nullptr;
  std::array<ScrollBar*, 2> vsbMeanWind{};
  QPushButton* btnQuit = nullptr;
  QPushButton* btnEnsemble = nullptr;
  QPushButton* btnVWPInterval = nullptr;
  QPushButton* btnVWPIntervalA = nullptr;
  std::array<QPushButton*, 4> btnHours{};
  std::array<QPushButton*, 4> btnXferO{};
  std::array<QPushButton*, kOverviewPageCount> btnControl{};
  std::array<QFrame*, kOverviewPageCount> pnlControl{};
  std::array<QLabel*, 6> lblECAPE{};
  std::array<CheckBox*, kBoxCount> boxes_{};
  std::array<CheckBox*, kDatasetBoxCount> chkefname{};
  // Option buttons, legends and bars of the control pages.
  std::array<QWidget*, static_cast<size_t>(BoxPanel::Count)> panels_{};
  std::array<QPushButton*, 8> btnCAPEkm{};    // 0, 3..7
  std::array<QPushButton*, 4> btnHeights{};   // 1..3
  std::array<QPushButton*, 3> btnHaines{};
  std::array<QPushButton*, 3> btnPHK{};
  std::array<QRadioButton*, 4> OptWindColor{};
  std::array<QRadioButton*, 2> optLayerShear{};
  std::array<QRadioButton*, 4> optSnowTechnique{};
  std::array<QRadioButton*, 4> chkCI{};
  std::array<QLabel*, 6> lblVWP{};
  std::array<QLabel*, 10> lblRH{};            // 1..9
  std::array<QLabel*, 4> lblHI{};
  std::array<QLabel*, 2> lblMeanWind{}, lblMeanWindPressure{};
  QLabel* lblSigmaLevel = nullptr;
  PictureBoxWidget* picWindScale = nullptr;
  std::array<QLabel*, kPTypeLegend.size()> lblPType{};
  QLabel* lblPTElevation = nullptr;
  QLabel* picLogo = nullptr;
  QLabel* picPIP = nullptr;
  QPushButton* btnPressureBase = nullptr;
  QPushButton* btnClouds = nullptr;
  QPushButton* btnOmegaFiltered = nullptr;
  ScrollBar* hsbRatio = nullptr;
  ScrollBar* vbsElevatedPT = nullptr;
};

// The layout slots kept as files in the saved-state folder, which the
// program uses (SetLayoutSlots).
OverviewLayoutSlots& FileLayoutSlots();

// Bold or plain caption of a button.
void SetBold(QPushButton* button, bool bold);

}  // namespace ondrik
