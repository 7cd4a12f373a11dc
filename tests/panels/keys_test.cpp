// The side panels' keys against what their plotters draw: a label's or a
// button's colour as its style sets it, a printed key's as its strokes are
// printed, and each line, dot and ring as the picture recorded it.
#include <gtest/gtest.h>

#include <QPalette>

#include <cmath>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>

#include "core/shared.h"
#include "core/thresholds.h"
#include "panels/heavyprecip.h"
#include "panels/hodograph.h"
#include "panels/map.h"
#include "panels/preciptype.h"
#include "platform/color.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "tests/panels/panel_fixture.h"

namespace ondrik {
namespace {

using Shape = PictureBox::DrawnShape;

Color ColourOf(const QColor& q) { return RGB(q.red(), q.green(), q.blue()); }

// A label's or box's text colour, or a button's face, as its style sets it.
Color Wears(QWidget* w, QPalette::ColorRole role = QPalette::WindowText) {
  w->ensurePolished();
  return ColourOf(w->palette().color(role));
}

// The colour of the last text printed beginning with `text`: that of its
// most covered stroke.
std::optional<Color> InkOf(const PictureBox& pic, const std::string& text) {
  const auto& texts = pic.PrintedTexts();
  for (auto t = texts.rbegin(); t != texts.rend(); ++t) {
    if (t->text.rfind(text, 0) != 0) continue;
    QColor ink(Qt::transparent);
    for (int y = 0; y < t->strokes.height(); ++y)
      for (int x = 0; x < t->strokes.width(); ++x)
        if (t->strokes.pixelColor(x, y).alpha() > ink.alpha()) ink = t->strokes.pixelColor(x, y);
    if (ink.alpha() > 0) return ColourOf(ink);
  }
  return std::nullopt;
}

// Whether a recorded point stands at (x, y) of the scale in force.
bool At(const PictureBox& pic, QPointF p, double x, double y) {
  return std::hypot(p.x() - pic.XToPixel(x) * pic.DeviceScale(), p.y() - pic.YToPixel(y) * pic.DeviceScale()) <= 2;
}

// The pen of the last line drawn from `from` (to `to`, when given), of the
// given width (any when 0).
std::optional<Color> Line(const PictureBox& pic, QPointF from, std::optional<QPointF> to = {}, int width = 0) {
  std::optional<Color> pen;
  for (const Shape& s : pic.DrawnShapes())
    if (s.kind == Shape::Kind::Lines && s.points.size() == 2 && At(pic, s.points[0], from.x(), from.y()) &&
        (!to || At(pic, s.points[1], to->x(), to->y())) && (width == 0 || s.pen.width() == width))
      pen = ColourOf(s.pen.color());
  return pen;
}

// The fill of the last dot drawn (about `at`, when given), or the pen of
// the last ring.
std::optional<Color> Dot(const PictureBox& pic, std::optional<QPointF> at = {}, bool ring = false) {
  std::optional<Color> c;
  for (const Shape& s : pic.DrawnShapes())
    if (s.kind == Shape::Kind::Ellipse && (ring || s.brush.style() != Qt::NoBrush) &&
        (!at || At(pic, s.centre, at->x(), at->y())))
      c = ColourOf(ring ? s.pen.color() : s.brush.color());
  return c;
}

class PanelKeysTest : public testing::PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    PictureBox::RecordPrintedTexts(true);
    StoreDefaultIndexThresholds();
    testing::LoadShipped("NAM_KOKC.ond");
    host.hour = H;
  }
  void TearDown() override { PictureBox::RecordPrintedTexts(false); }
  template <class W = QWidget>
  W* Find(const QString& name) {
    W* w = parent.findChild<W*>(name);
    if (w == nullptr) throw std::runtime_error("no " + name.toStdString());
    return w;
  }
  // A panel shown as the window shows it; its picture.
  PictureBox& Show(SidePanel& p, const char* picture) {
    Place(p);
    p.Widget()->show();
    if (QWidget* bar = p.ButtonBar()) bar->show();
    return Find<PictureBoxWidget>(picture)->Pic();
  }
  // A key and the colour its plotter drew it with (none: nothing drawn).
  void Key(const std::string& name, std::optional<Color> key, std::optional<Color> drawn) {
    ASSERT_TRUE(key && drawn) << name << ": the key or what it names not found";
    EXPECT_EQ(*key, *drawn) << name;
    ++keys;
  }
  const Integer D = 1, H = 6;
  int keys = 0;
};

// Every key of the side panels wears the colour its plotter draws with.
TEST_F(PanelKeysTest, EveryKeyWearsItsPlottersColours) {
  {  // The hodograph: a layer button against the trace at its height; the
     // inflow lines, "M", the storm's cross and the motions relative to a
     // boundary against their labels.
    HodographPanel p(host, &parent);
    PictureBox& pic = Show(p, "picHodograph");
    const auto point = [&](Integer L) {
      return QPointF(gSRWindU(D, H, L) + gStormU(D, H), gSRWindV(D, H, L) + gStormV(D, H));
    };
    const auto button = [&](const char* column, int k) { return Wears(Find(column + QString::number(k)), QPalette::Button); };
    for (int k : {2, 5, 8}) {  // the segment up to the top (9–12 km: the bottom 10 below)
      p.HodoBaseClick(0);
      p.HodoHeightClick(k);
      p.DrawHodograph();
      const Integer t = gSRHTopLevel(D, H);
      Key("top " + std::to_string(k), button("btnHodoHeight", k), Line(pic, point(t - 1), point(t)));
    }
    for (int k : {0, 2, 10}) {  // the dot at the bottom
      p.HodoHeightClick(15);
      p.HodoBaseClick(k);
      p.DrawHodograph();
      Key("bottom " + std::to_string(k), button("btnHodoBase", k), Dot(pic, point(gSRHBottomLevel(D, H))));
    }
    p.HodoHeightClick(3);
    p.HodoBaseClick(0);
    p.DrawHodograph();
    const QPointF S(gStormU(D, H), gStormV(D, H));
    const auto label = [&](const char* name) { return Wears(Find(name)); };
    Key("inflow at the top", label("lblSRInflowHigh"), Line(pic, S, {}, 2));
    Key("inflow at the surface", label("lblSRInflowLow"), Line(pic, S, {}, 1));
    Key("mean wind", label("lblMean"), InkOf(pic, "M"));
    const double a = (270.0 - gMeanWindDir(D, H)) * M_PI / 180;
    const QPointF M(gMeanWindSpd(D, H) * std::cos(a), gMeanWindSpd(D, H) * std::sin(a));
    std::set<Color> relative;
    for (const double f : {0.1, 2.0}) {  // a boundary the storm overtakes (red), one it falls behind (green)
      p.picHodograph_MouseDown(2, 0, f * S.x(), f * S.y());
      Key("storm's cross", label("lblStormMotion"), Line(pic, S - QPointF(1, 0)));
      Key("storm to the boundary", label("lblSRInflowLow"), Line(pic, S, {}, 2));
      Key("mean wind to the boundary", label("lblSRInflowHigh"), Line(pic, M, {}, 2));
      relative.insert(Wears(Find("lblSRInflowLow")));
    }
    EXPECT_EQ(relative.size(), 2u);
  }
  {  // Heavy precipitation: the texts, the jet gauge and the chart's jet mark
     // against the vectors, upwind and forward, the jet sure or not.
    HeavyPrecipPanel p(host, &parent);
    PictureBox& pic = Show(p, "picMBE");
    for (const int forward : {0, 1}) {
      Find<CheckBox>("chkMBE2")->SetValue(forward);
      for (const Integer unsure : {0, 1}) {
        p.Draw();  // the vectors of the hour
        gLLJUncertain(D, H) = unsure;
        p.Draw();
        pic.Scale(-p.gMBEScale, p.gMBEScale, p.gMBEScale, -p.gMBEScale);  // the vectors'
        const QPointF cloud(gCloudLayerU(D, H), gCloudLayerV(D, H)), mbe(gMbeU(D, H), gMbeV(D, H));
        const auto jet = Line(pic, cloud, forward ? QPointF(gMbeUpwindU(D, H), gMbeUpwindV(D, H)) : mbe);
        Key("cloud layer", InkOf(pic, "V cloud layer"), Line(pic, {0, 0}, cloud));
        Key("jet", InkOf(pic, "V low-level jet"), jet);
        Key("jet gauge", InkOf(pic, "Low Lvl Jet"), jet);
        Key("chart's jet mark", LowLevelJetMark(D, H).labelColor, jet);
        Key("MBE", InkOf(pic, "MBE Velocity"), Line(pic, {0, 0}, mbe));
      }
    }
    Find<CheckBox>("chkMBE2")->SetValue(0);
  }
  {  // Precipitation type: each region label against a point in its region.
    host.trail = 0;
    PrecipTypePanel p(host, &parent);
    PictureBox& pic = Show(p, "picPrecipType");
    const struct {
      const char* pattern;
      Single pos, neg;
      const char* label;
    } regions[] = {{"BB", 2, 0, "Snow"},     {"BB", 2, 0, "SNOW"},   {"AB", 40, 0, "Rain"},
                   {"BA", 300, 50, "Freezing Rain"}, {"BA", 0, 400, "Sleet"}, {"ABAB", 400, 50, "Rain"},
                   {"ABAB", 0, 400, "Sleet or Rain"}};
    for (const auto& r : regions) {
      gEnergyPattern(D, H) = r.pattern;
      gPosEnergy(D, H) = r.pos;
      gNegEnergy(D, H) = r.neg;
      gSfcWarmDepth(D, H) = 2500;
      p.Draw();
      // The point in the kind's own colour; the label in that colour made
      // to read on the chart's grey.
      const std::optional<Color> point = Dot(pic);
      Key(std::string(r.label) + " of " + r.pattern, InkOf(pic, r.label),
          point ? std::optional<Color>(ReadableOn(*point, RGB(127, 127, 127))) : point);
    }
  }
  {  // The map's radar tilts against their rings, one at a time.
    MapPanel p(host, &parent);
    PictureBox& pic = Show(p, "picMap");
    Find<CheckBox>("chkBrightBand")->SetValue(1);
    for (int j = 0; j < 5; ++j) {
      for (int k = 0; k < 5; ++k) Find<CheckBox>("chkAngle" + QString::number(k))->SetValue(k == j ? 1 : 0);
      p.Draw();
      Key("tilt " + std::to_string(j), Wears(Find("chkAngle" + QString::number(j))), Dot(pic, {}, true));
    }
  }
  EXPECT_EQ(keys, 15 + 20 + 7 + 5);
}

}  // namespace
}  // namespace ondrik
