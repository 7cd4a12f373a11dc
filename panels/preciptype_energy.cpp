// The precipitation-type panel's energy view: the header with the model's
// snow share and the start level, the three energy diagrams with their
// points and trails, the surface energy strip, and the top-down block.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "core/constants.h"
#include "core/shared.h"
#include "core/numberformat.h"
#include "panels/preciptype.h"
#include "panels/preciptyperules.h"
#include "platform/pictureboxwidget.h"

namespace ondrik {

namespace {

constexpr Color kEnergyBack = RGB(128, 255, 255);
constexpr Color kChartGrey = RGB(127, 127, 127);
constexpr Color kLevelText = RGB(94, 53, 0);
// The start-level lines stand at this part of the picture's width, or
// further left to end inside it.
constexpr double kLevelTextX = 0.70;
// A diagram's axis (y = 0) stands at this part of the picture's height, or
// higher to leave room for the rows under it, but not above the least.
constexpr double kAxisAt = 0.762, kLeastAxisAt = 0.45;
// Where the surface energy strip may stand over the picture (left and top
// as parts of it; its size is kSleetWidth by kSleetHeight), inside the
// two-layer diagram: first in its corner of much melting and little
// refreezing energy, under the decision lines, while the hour's point (the
// strip shows only then) lies on or above them; then in the other corners,
// for points of earlier hours or other datasets that stand there, the top
// ones, where the top-down warning may stand, last.
constexpr double kSleetWidth = 0.5, kSleetHeight = 0.225;
constexpr std::array<std::array<double, 2>, 4> kSleetPlaces = {
    {{0.46, 0.525}, {0.17, 0.525}, {0.17, 0.06}, {0.44, 0.06}}};

Color Dimmed(Integer shown, Rgb c) { return eRGB(shown, c.r, c.g, c.b); }
// The colour of a region label: that of the points of its kind.
Color Kind(Rgb c) { return RGB(c.r, c.g, c.b); }

// A diagram's axis titles and numbers: a number that would run into a
// title or the number before it is left out (the grid line stays).
class AxisTexts {
 public:
  explicit AxisTexts(PictureBox& pic) : pic_(pic) {}
  void Title(double x, double y, const std::string& t, Color c) {
    Keep(x, y, t);
    PrintAt(pic_, x, y, t, c);
  }
  // Right-aligned against x = right, centred on y.
  void Left(double right, double y, int v) {
    const std::string t = NumberItem(v);
    Number(right - pic_.TextWidth(t), y - SignedTextHeight(pic_, "I") / 2, t);
  }
  // Every how many steps of `step` the numbers under the axis stand, so
  // that the widest, `widest`, keeps clear of the next: each or each other.
  int Every(double step, int widest) const {
    const double pxPerX = pic_.PixelWidth() / std::fabs(pic_.ScaleWidth());
    return step * pxPerX - pic_.TextWidthPx(std::to_string(widest)) >= 7 ? 1 : 2;
  }
  // Centred on x under the axis.
  void Under(double x, int v) {
    const std::string t = NumberItem(v);
    Number(x - pic_.TextWidth(t) / 2, 0, t);
  }

 private:
  // The pixels a text at (x, y) takes, its blanks left out.
  QRectF Place(double x, double y, const std::string& t) const {
    const std::size_t first = t.find_first_not_of(' '), last = t.find_last_not_of(' ');
    const double left = pic_.XToPixel(x) + pic_.TextWidthPx(t.substr(0, first));
    return {left, pic_.YToPixel(y), pic_.TextWidthPx(t.substr(first, last - first + 1)), pic_.TextHeightPx(t)};
  }
  void Keep(double x, double y, const std::string& t) { taken_.push_back(Place(x, y, t)); }
  void Number(double x, double y, const std::string& t) {
    // Drawn glyphs may reach a pixel past their advance on either side.
    const QRectF r = Place(x, y, t).adjusted(-3, 1, 3, -1);
    for (const QRectF& o : taken_)
      if (r.intersects(o)) return;
    Keep(x, y, t);
    PrintAt(pic_, x, y, t, kBlack);
  }
  PictureBox& pic_;
  std::vector<QRectF> taken_;
};

// The title over a diagram's x axis at (x, y), moved left when it would
// reach the snow-share bar that starts at pixel barLeftPx.
void AxisTitle(PictureBox& pic, double x, double y, const std::string& title, double barLeftPx) {
  const double limit = pic.PixelToX(barLeftPx - 3) - pic.TextWidth(title);
  PrintAt(pic, std::min(x, limit), y, title, kRed);
}

}  // namespace

double PrecipTypePanel::BottomUnder(const PictureBox& pic, double top) const {
  const double H = pic.PixelHeight(), axis = std::max(under_.axisPx, 1.0);
  return -(H - axis) * top / axis;
}

QRect PrecipTypePanel::SleetRect(int place) const {
  const QWidget* p = Picture();
  const auto& at = kSleetPlaces[static_cast<size_t>(place)];
  return {static_cast<int>(p->width() * at[0]), static_cast<int>(p->height() * at[1]),
          std::max(1, static_cast<int>(p->width() * kSleetWidth)),
          std::max(1, static_cast<int>(p->height() * kSleetHeight))};
}

void PrecipTypePanel::PlaceSleetStrip() { picSleet_->setGeometry(SleetRect(sleetPlace_)); }

void PrecipTypePanel::PlaceSleetStrip(const std::vector<QRectF>& points) {
  // The first place that hides no point, else the one that hides fewest.
  std::size_t fewest = points.size() + 1;
  for (int place = 0; place < static_cast<int>(kSleetPlaces.size()) && fewest > 0; ++place) {
    const QRectF strip(SleetRect(place));
    const auto hidden = static_cast<std::size_t>(
        std::count_if(points.begin(), points.end(), [&](const QRectF& r) { return strip.intersects(r); }));
    if (hidden < fewest) {
      fewest = hidden;
      sleetPlace_ = place;
    }
  }
  PlaceSleetStrip();
}

void PrecipTypePanel::DrawEnergyHeader(PictureBox& pic, Integer H) {
  const Integer D = gCurDataset;
  pic.BackColor = kEnergyBack;
  pic.Cls();
  pic.Scale(-300, 0, 102, 200);
  // The model's snow share: green for the rest, blue for snow.
  const double S = std::clamp<double>(gSnra(D, H), 0, 100);
  if (S < 100) pic.Box(0, 1, 100 - S, 7, kGreen, true);
  if (S > 0) pic.Box(100 - S, 1, 100, 7, kBlue, true);
  snowBarLeftPx_ = pic.XToPixel(0);
  PrintRow(pic, 1, {{30, "SNRA=" + NumberItem(gSnra(D, H)), kBlack}}, 0);
}

std::vector<std::string> PrecipTypePanel::VerdictLines(Integer d, Integer H, EnergyDiagram diagram) {
  const std::string& pattern = gEnergyPattern(d, H);
  switch (diagram) {
    case EnergyDiagram::Surface:
      if (pattern == "BB") return {"Entire Sounding Below Freezing", "", "SNOW"};
      return {"Sounding Starts Out Above Freezing", "",
              "Positive Energy = " + Format(gPosEnergy(d, H), "#,##0.0") + " J/kg",
              "Freezing Level  = " + Format(gSfcWarmDepth(d, H), "#,##0") + " ft"};
    case EnergyDiagram::Elevated:
    case EnergyDiagram::TwoLayer: {
      const bool twoLayer = diagram == EnergyDiagram::TwoLayer;
      return {twoLayer ? "Elevated Layer Above Freezing " : "Sounding Starts Out Below Freezing ",
              twoLayer ? "and Surface Temp Above Freezing" : "      and Goes Above Freezing Aloft",
              "Positive Energy = " + Format(gPosEnergy(d, H), "0.0") + " J/kg",
              "Negative Energy = " + Format(gNegEnergy(d, H), "0.0") + " J/kg"};
    }
    case EnergyDiagram::None:
      break;
  }
  return {};
}

void PrecipTypePanel::PlanUnderDiagram(PictureBox& pic, Integer H, EnergyDiagram diagram) {
  const Integer D = gCurDataset;
  UnderDiagram& u = under_;
  u = UnderDiagram{};
  pic.ScalePixels();
  const double W = pic.PixelWidth(), gap = pic.TextWidth(" ");
  u.line = pic.TextHeight("I");
  // The diagrams' x = 0 stands at the same part of the width in each.
  u.verdictX = W * 16.0 / 101.0;
  if (diagram != EnergyDiagram::None) u.verdict = VerdictLines(D, H, diagram);
  int rows = static_cast<int>(u.verdict.size());

  // Where the energies are taken from.
  const Integer s = gElevatedLevel;
  std::vector<std::string> level;
  if (s == 1 || s < 0 || s > kMaxLevels) {
    level = {"Surface"};
  } else {
    const double agl = gHghtAGL(D, H, s), msl = gHght(D, H, s);
    level = {"AGL: " + Format(agl / kFeetToMetre, "##0") + "'   " + Format(agl, "##0") + "m",
             "MSL: " + Format(msl / kFeetToMetre, "##0") + "'   " + Format(msl, "##0") + "m"};
  }
  double width = 0;
  for (const std::string& l : level) width = std::max(width, pic.TextWidth(l));
  u.levelX = std::max(0.0, std::min(W * kLevelTextX, W - width - 2));
  // In the first rows, one after the other, that the verdict leaves room in.
  int row = 0;
  for (const std::string& l : level) {
    while (row < rows && u.verdictX + pic.TextWidth(u.verdict[static_cast<std::size_t>(row)]) + gap > u.levelX) ++row;
    u.level.push_back({row, l});
    ++row;
  }
  rows = std::max(rows, row);

  u.topDown = TopDownOf(D, H, gElevatedLevel);
  if (u.topDown.valid) {
    if (u.topDown.seederFeeder) u.seederRow = rows++;
    u.cloudRow = rows++;
  }
  // The axis numbers take the row under the axis.
  const double H0 = pic.PixelHeight();
  u.axisPx = std::max(H0 * kLeastAxisAt, std::min(H0 * kAxisAt, H0 - (rows + 1) * u.line - 1));
}

void PrecipTypePanel::DrawUnderDiagram(PictureBox& pic) {
  const UnderDiagram& u = under_;
  pic.ScalePixels();
  const auto rowY = [&](int r) { return u.axisPx + (r + 1) * u.line; };
  for (std::size_t i = 0; u.shownDrawn && i < u.verdict.size(); ++i) {
    const bool snow = u.verdict[i] == "SNOW";
    PrintRow(pic, rowY(static_cast<int>(i)), {{u.verdictX, u.verdict[i], snow ? Kind(kSnowPoint) : kBlack}}, 1);
  }
  for (const auto& [row, text] : u.level) PrintAt(pic, u.levelX, rowY(row), text, kLevelText);
  if (!u.topDown.valid) return;
  const TopDown& t = u.topDown;
  const double W = pic.PixelWidth();
  double from = 1;
  if (t.seederFeeder) {
    PrintAt(pic, W * 0.02, rowY(u.seederRow), "Seeder", kBlack);
    PrintAt(pic, W * 0.02, rowY(u.cloudRow), "Feeder", kBlack);
    from = W * 0.02 + pic.TextWidth("Feeder ");
  }
  PrintRow(pic, rowY(u.cloudRow),
           {{std::max(W * 0.155, from), "Cloud Top: " + Format(t.cloudTopFt, "#,##0") + " ft", kBlack},
            {W * 0.45, "Cloud Top Temp: " + Format(t.cloudTopTemp, "0.0"), kBlack}},
           from);
  if (t.warning == IceWarning::None) return;
  // The warning stands in the diagram's top rows, clear of its region labels.
  const double y = u.diagramTopPx + 2;
  PrintRow(pic, y, {{W * 0.35, "WARNING:  No Ice Crystals In Cloud", kCyan}}, 1);
  if (t.warning == IceWarning::Drizzle)
    PrintRow(pic, y + u.line, {{W * 0.375, "Consider:  Drizzle", kGreen}}, 1);
  else
    PrintRow(pic, y + u.line, {{W * 0.375, "Consider:  Freezing Drizzle", kRed}}, 1);
}

void PrecipTypePanel::DrawEnergyDiagram(PictureBox& pic, Integer d, Integer H, EnergyDiagram diagram,
                                        bool& background) {
  if (diagram == EnergyDiagram::None) return;
  if (d == ShownDataset) under_.shownDrawn = true;
  const bool trailOn = host_.TrailHours() != 0;
  pic.FillTransparent = false;

  if (diagram == EnergyDiagram::Surface) {
    pic.Scale(-16, 3200, 85, BottomUnder(pic, 3200));
    under_.diagramTopPx = pic.YToPixel(3000);
    if (!background) {
      pic.Box(0, 3000, 80, 0, kChartGrey, true);
      AxisTitle(pic, 20, 3200, "Positive Energy J/kg", snowBarLeftPx_);
      AxisTexts axis(pic);
      axis.Title(-16, 1900, "Freezing", kRed);
      axis.Title(-14, 1400, "Level", kRed);
      axis.Title(-12, 900, "(ft)", kRed);
      PrintAt(pic, 1, 500, "Snow", Kind(kSnowPoint));
      PrintAt(pic, 45, 1700, "Rain", Kind(kRainPoint));
      pic.Line(5.6, 0, 5.6, 3000, kRed);
      pic.Line(13.2, 0, 13.2, 3000, kRed);
      for (int y = 0; y <= 3000; y += 500) {
        pic.Line(0, y, 80, y, kBlack);
        axis.Left(-1, y, y);
      }
      pic.Line(0, 0, 0, 3000, kBlack);
      pic.Line(80, 0, 80, 3000, kBlack);
      const int every = axis.Every(10, 70);
      for (int v = 10 * every; v <= 70; v += 10 * every) axis.Under(v, v);
      background = true;
    }
    const int n = EnergyTrailLength(d, H, diagram, trailOn);
    double px = 0, py = 0;
    for (Integer i = H - n; i <= H; ++i) {
      const Single e = gPosEnergy(d, i);
      const double x = std::clamp<double>(e, 0, 80);
      const double y = std::min<double>(gSfcWarmDepth(d, i), 3000);
      if (i > H - n) pic.Line(px, py, x, y, kBlack);
      pic.FillColor = Dimmed(ShownDataset, SurfacePointColour(e));
      pic.Circle(x, y, 1.5 - 0.1 * (H - i), kBlack);
      px = x;
      py = y;
    }
    return;
  }

  // The elevated and the two-layer diagrams: negative against positive energy.
  const bool twoLayer = diagram == EnergyDiagram::TwoLayer;
  pic.Scale(-90, 480, 480, BottomUnder(pic, 480));
  under_.diagramTopPx = pic.YToPixel(450);
  if (!background) {
    pic.Box(0, 450, 450, 0, kChartGrey, true);
    if (twoLayer)
      AxisTitle(pic, 90, 480, "Elevated Positive Energy J/kg", snowBarLeftPx_);
    else
      AxisTitle(pic, 115, 480, "Positive Energy J/kg", snowBarLeftPx_);
    AxisTexts axis(pic);
    axis.Title(-85, 290, "Negative", kRed);
    axis.Title(-75, 245, "Energy", kRed);
    axis.Title(-65, 190, "J/kg", kRed);
    if (twoLayer) {
      PrintAt(pic, 300, 190, "Rain", Kind(kRainPoint));
      PrintAt(pic, 170, 340, "Sleet or Rain", Kind(kSleetPoint));
    } else {
      PrintAt(pic, 250, 190, "Freezing Rain", Kind(kFreezingRainPoint));
      PrintAt(pic, 170, 340, "Sleet", Kind(kSleetPoint));
    }
    for (int b = 50; b <= 70; b += 10) pic.Line(0, b, 450, b + 300, kGreen);
    for (int y = 0; y <= 400; y += 50) {
      pic.Line(0, y, 450, y, kBlack);
      axis.Left(0, y, y);
    }
    pic.Line(0, 450, 450, 450, kBlack);
    const int every = axis.Every(50, 450);
    for (int v = 50 * every; v <= 450; v += 50 * every) axis.Under(v, v);
    pic.Line(0, 0, 0, 450, kBlack);
    pic.Line(450, 0, 450, 450, kBlack);
    background = true;
  }
  const int n = EnergyTrailLength(d, H, diagram, trailOn);
  double px = 0, py = 0;
  for (Integer i = H - n; i <= H; ++i) {
    const Single pe = gPosEnergy(d, i), ne = gNegEnergy(d, i);
    const double x = std::min<double>(pe, 450), y = std::min<double>(ne, 450);
    if (i > H - n) pic.Line(px, py, x, y, kBlack);
    bool refreezes = false;
    pic.FillColor = Dimmed(ShownDataset, LayerPointColour(pe, ne, gEnergyPattern(d, i), &refreezes));
    if (twoLayer && i == H && refreezes) PlotPrecipTypeEnergy(H);
    const double r = 10 - 0.667 * (H - i);
    pic.Circle(x, y, r, kBlack);
    const double rPx = r * pic.PixelWidth() / std::fabs(pic.ScaleWidth());
    pointsPx_.emplace_back(pic.XToPixel(x) - rPx, pic.YToPixel(y) - rPx, 2 * rPx, 2 * rPx);
    px = x;
    py = y;
  }
}

void PrecipTypePanel::PlotPrecipTypeEnergy(Integer hour) {
  PictureBox& pic = picSleet_->Pic();
  const Integer D = gCurDataset;
  picSleet_->setVisible(true);
  UsePanelFont(pic);
  pic.Cls();
  pic.Scale(-5, 100, 45, 0);
  pic.FontTransparent = true;
  PrintAt(pic, 5, 97, "Sleet", kBlack, false);
  pic.CurrentX = 25;
  pic.Print("Rain/Sleet");
  for (int v = 0; v <= 40; v += 10) PrintCentred(pic, v, 70, std::to_string(v), kBlack);
  pic.DrawWidth = 3;
  pic.Line(20, 99, 20, 70, kBlue);
  pic.DrawWidth = 2;
  const std::string energy = "Sfc Positive Energy = " + Format(gSfcPosEnergy(D, hour), "0.#") + " J/kg";
  const double fontPt = pic.FontSize;
  FitFontSize(pic, energy, 46, fontPt, 4.5);
  PrintAt(pic, -2, 38, energy, kBlack);
  pic.FontSize = fontPt;
  pic.FillColor = kYellow;
  pic.FillTransparent = false;
  pic.Circle(gSfcPosEnergy(D, hour), 83, 2, kBlue);
  pic.DrawWidth = 1;
  picSleet_->update();
}

}  // namespace ondrik
