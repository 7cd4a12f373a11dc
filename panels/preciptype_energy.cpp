// The precipitation-type panel's energy view: the header with the model's
// snow share and the start level, the three energy diagrams with their
// points and trails, the surface energy strip, and the top-down block.
#include <algorithm>
#include <array>
#include <cmath>
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
// The verdict and the top-down line may step down to this font (pixels) to
// fit under a diagram.
constexpr int kLeastBottomFontPx = 6;

// Where the start-level lines stand, as parts of the picture's width and
// height: right of the verdict's shorter last lines, above the top-down line.
constexpr double kLevelTextX = 0.70, kLevelTextY = 0.885;
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

// The y axis numbers of a diagram: right-aligned against x = right, centred on y.
void AxisNumberLeft(PictureBox& pic, double right, double y, int v) {
  const std::string t = NumberItem(v);
  PrintAt(pic, right - pic.TextWidth(t), y - SignedTextHeight(pic, "I") / 2, t, kBlack);
}

void AxisNumberUnder(PictureBox& pic, double x, int v) { PrintCentred(pic, x, 0, NumberItem(v), kBlack); }

// The title over a diagram's x axis at (x, y), moved left when it would
// reach the snow-share bar that starts at pixel barLeftPx.
void AxisTitle(PictureBox& pic, double x, double y, const std::string& title, double barLeftPx) {
  const double limit = pic.PixelToX(barLeftPx - 3) - pic.TextWidth(title);
  PrintAt(pic, std::min(x, limit), y, title, kRed);
}

// Lines printed one below the other from (x, y).
void PrintLines(PictureBox& pic, double x, double y, std::initializer_list<std::string> lines) {
  pic.CurrentX = x;
  pic.CurrentY = y;
  for (const std::string& l : lines) {
    pic.CurrentX = x;
    pic.Print(l);
  }
}

}  // namespace

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

double PrecipTypePanel::PlaceVerdict(PictureBox& pic, double designY, int lines) {
  const double pxPerUnit = pic.PixelHeight() / std::fabs(pic.ScaleHeight());
  const auto lineHeight = [&] { return pic.TextHeight("I") * pxPerUnit; };
  // The axis numbers stand in the line under y = 0.
  const double numbersEnd = pic.YToPixel(0) + lineHeight();
  const double bottom = pic.PixelHeight();
  for (int px = static_cast<int>(std::lround(pic.FontSize * 96.0 / 72.0));
       px > kLeastBottomFontPx && numbersEnd + (lines + 1) * lineHeight() > bottom; --px)
    pic.FontSize = (px - 1) * 72.0 / 96.0;
  const double h = lineHeight();
  const double start = std::max(numbersEnd, std::min(pic.YToPixel(designY), bottom - (lines + 1) * h));
  verdictEndPx_ = start + lines * h;
  return pic.PixelToY(start);
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
  PrintAt(pic, 30, 1, "SNRA=" + NumberItem(gSnra(D, H)), kBlack);

  // Where the energies are taken from, kept inside the picture's right edge.
  pic.ScalePixels();
  const Integer s = gElevatedLevel;
  std::string lines[2];
  if (s == 1 || s < 0 || s > kMaxLevels) {
    lines[0] = "Surface";
  } else {
    const double agl = gHghtAGL(D, H, s), msl = gHght(D, H, s);
    lines[0] = "AGL: " + Format(agl / kFeetToMetre, "##0") + "'   " + Format(agl, "##0") + "m";
    lines[1] = "MSL: " + Format(msl / kFeetToMetre, "##0") + "'   " + Format(msl, "##0") + "m";
  }
  const double width = std::max(pic.TextWidth(lines[0]), pic.TextWidth(lines[1]));
  const double x = std::min(pic.PixelWidth() * kLevelTextX, pic.PixelWidth() - width - 2);
  double y = pic.PixelHeight() * kLevelTextY;
  if (lines[1].empty()) y += pic.TextHeight("A") / 2;
  for (const std::string& l : lines)
    if (!l.empty()) {
      PrintAt(pic, x, y, l, kLevelText);
      y = pic.CurrentY;
    }
}

void PrecipTypePanel::DrawEnergyDiagram(PictureBox& pic, Integer d, Integer H, EnergyDiagram diagram,
                                        bool& background) {
  if (diagram == EnergyDiagram::None) return;
  const std::string& pattern = gEnergyPattern(d, H);
  const bool shown = d == ShownDataset;
  const bool trailOn = host_.TrailHours() != 0;
  pic.FillTransparent = false;

  if (diagram == EnergyDiagram::Surface) {
    pic.Scale(-16, 3200, 85, -1000);
    if (!background) {
      pic.Box(0, 3000, 80, 0, kChartGrey, true);
      AxisTitle(pic, 20, 3200, "Positive Energy J/kg", snowBarLeftPx_);
      PrintAt(pic, -16, 1900, "Freezing", kRed);
      PrintAt(pic, -14, 1400, "Level", kRed);
      PrintAt(pic, -12, 900, "(ft)", kRed);
      PrintAt(pic, 1, 500, "Snow", kBlue);
      PrintAt(pic, 45, 1700, "Rain", kGreen);
      pic.Line(5.6, 0, 5.6, 3000, kRed);
      pic.Line(13.2, 0, 13.2, 3000, kRed);
      for (int y = 0; y <= 3000; y += 500) {
        pic.Line(0, y, 80, y, kBlack);
        AxisNumberLeft(pic, -1, y, y);
      }
      pic.Line(0, 0, 0, 3000, kBlack);
      pic.Line(80, 0, 80, 3000, kBlack);
      for (int v = 10; v <= 70; v += 10) AxisNumberUnder(pic, v, v);
      background = true;
    }
    if (shown) {
      if (pattern == "BB") {
        PrintLines(pic, 0, PlaceVerdict(pic, -200, 3), {"Entire Sounding Below Freezing", ""});
        pic.ForeColor = kBlue;
        pic.CurrentX = 0;
        pic.Print("SNOW");
      } else {
        PrintLines(pic, 0, PlaceVerdict(pic, -200, 4),
                   {"Sounding Starts Out Above Freezing", "",
                    "Positive Energy = " + Format(gPosEnergy(d, H), "#,##0.0") + " J/kg",
                    "Freezing Level  = " + Format(gSfcWarmDepth(d, H), "#,##0") + " ft"});
      }
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
  pic.Scale(-90, 480, 480, -150);
  if (!background) {
    pic.Box(0, 450, 450, 0, kChartGrey, true);
    if (twoLayer)
      AxisTitle(pic, 90, 480, "Elevated Positive Energy J/kg", snowBarLeftPx_);
    else
      AxisTitle(pic, 115, 480, "Positive Energy J/kg", snowBarLeftPx_);
    PrintAt(pic, -85, 290, "Negative", kRed);
    PrintAt(pic, -75, 245, "Energy", kRed);
    PrintAt(pic, -65, 190, "J/kg", kRed);
    if (twoLayer) {
      PrintAt(pic, 300, 190, "Rain", kGreen);
      PrintAt(pic, 170, 340, "Sleet or Rain", kYellow);
    } else {
      PrintAt(pic, 250, 190, "Freezing Rain", kRed);
      PrintAt(pic, 170, 340, "Sleet", kYellow);
    }
    for (int b = 50; b <= 70; b += 10) pic.Line(0, b, 450, b + 300, kGreen);
    for (int y = 0; y <= 400; y += 50) {
      pic.Line(0, y, 450, y, kBlack);
      AxisNumberLeft(pic, 0, y, y);
    }
    pic.Line(0, 450, 450, 450, kBlack);
    for (int v = 50; v <= 450; v += 50) AxisNumberUnder(pic, v, v);
    pic.Line(0, 0, 0, 450, kBlack);
    pic.Line(450, 0, 450, 450, kBlack);
    background = true;
  }
  if (shown) {
    const std::string pos = "Positive Energy = " + Format(gPosEnergy(d, H), "0.0") + " J/kg";
    const std::string neg = "Negative Energy = " + Format(gNegEnergy(d, H), "0.0") + " J/kg";
    pic.ForeColor = kBlack;
    const double y = PlaceVerdict(pic, -30, 4);
    if (twoLayer)
      PrintLines(pic, 0, y, {"Elevated Layer Above Freezing ", "and Surface Temp Above Freezing", pos, neg});
    else
      PrintLines(pic, 0, y, {"Sounding Starts Out Below Freezing ", "      and Goes Above Freezing Aloft", pos, neg});
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

void PrecipTypePanel::DrawTopDown(PictureBox& pic, Integer H) {
  const Integer D = gCurDataset;
  pic.Scale(0, 0, 100, 100);
  const TopDown t = TopDownOf(D, H, gElevatedLevel);
  if (!t.valid) return;
  // The lines at the bottom stay inside the picture whatever its font, and
  // under the verdict's last line.
  const double line = pic.TextHeight("F");
  const double y = std::max(std::min(96.0, 100 - line), pic.PixelToY(verdictEndPx_));
  PrintAt(pic, 15.5, y, "Cloud Top: " + Format(t.cloudTopFt, "#,##0") + " ft", kBlack, false);
  // From x = 45, or right after a longer first text.
  pic.CurrentX = std::max(45.0, pic.CurrentX + pic.TextWidth(" "));
  pic.Print("Cloud Top Temp: " + Format(t.cloudTopTemp, "0.0"));
  if (t.seederFeeder) {
    PrintAt(pic, 2, std::min(94.0, 100 - 2 * line), "Seeder", kBlack);
    pic.CurrentX = 2;
    pic.Print("Feeder");
  }
  if (t.warning == IceWarning::None) return;
  PrintAt(pic, 35, 20, "WARNING:  No Ice Crystals In Cloud", kCyan);
  pic.CurrentX = 37.5;
  if (t.warning == IceWarning::Drizzle) {
    pic.ForeColor = kGreen;
    pic.Print("Consider:  Drizzle");
  } else {
    pic.ForeColor = kRed;
    pic.Print("Consider:  Freezing Drizzle");
  }
}

}  // namespace ondrik
