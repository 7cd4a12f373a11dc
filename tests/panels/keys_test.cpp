// Every key of the side panels wears the colour its plotter draws with, read
// as the user sees both: a label's or a button's colour as its style sets
// it, a printed key's colour from the pixels its strokes cover, and each
// line, dot and ring as the picture recorded it.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/shared.h"
#include "core/thresholds.h"
#include "panels/heavyprecip.h"
#include "panels/hodograph.h"
#include "panels/map.h"
#include "panels/preciptype.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "tests/panels/panel_fixture.h"

namespace ondrik {
namespace {

using Shape = PictureBox::DrawnShape;

Color ColourOf(const QColor& q) { return RGB(q.red(), q.green(), q.blue()); }

// The colour a label or box writes its text in, or a button fills with.
Color TextColour(QWidget* w) {
  w->ensurePolished();
  return ColourOf(w->palette().color(QPalette::WindowText));
}
Color FaceColour(QWidget* w) {
  w->ensurePolished();
  return ColourOf(w->palette().color(QPalette::Button));
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
    if (ink.alpha() == 0) return std::nullopt;
    return ColourOf(ink);
  }
  return std::nullopt;
}

QPointF Device(const PictureBox& pic, double x, double y) {
  return {pic.XToPixel(x) * pic.DeviceScale(), pic.YToPixel(y) * pic.DeviceScale()};
}
bool Near(const QPointF& a, const QPoint& b) { return std::hypot(a.x() - b.x(), a.y() - b.y()) <= 2; }

// The pens of the lines drawn from (x, y), and to (x1, y1) when given, in
// the picture's scale in force.
std::vector<QPen> LinesFrom(const PictureBox& pic, double x, double y, std::optional<QPointF> to = std::nullopt) {
  std::vector<QPen> pens;
  const QPointF from = Device(pic, x, y);
  const std::optional<QPointF> end = to ? std::optional(Device(pic, to->x(), to->y())) : std::nullopt;
  for (const Shape& s : pic.DrawnShapes())
    if (s.kind == Shape::Kind::Lines && s.points.size() == 2 && Near(from, s.points[0]) &&
        (!end || Near(*end, s.points[1])))
      pens.push_back(s.pen);
  return pens;
}

// The fill of the dots drawn about (x, y), the last one first... or of the
// last dot drawn anywhere.
std::optional<Color> DotAt(const PictureBox& pic, std::optional<QPointF> at = std::nullopt) {
  const auto& shapes = pic.DrawnShapes();
  for (auto s = shapes.rbegin(); s != shapes.rend(); ++s)
    if (s->kind == Shape::Kind::Ellipse && s->brush.style() != Qt::NoBrush &&
        (!at || Near(Device(pic, at->x(), at->y()), s->centre.toPoint())))
      return ColourOf(s->brush.color());
  return std::nullopt;
}

struct Key {
  std::string name;
  Color key;
  std::optional<Color> drawn;  // none: the plotter drew nothing of it
};

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
  template <class W>
  W* Find(const QString& name) {
    W* w = parent.findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
  }
  static PictureBox& PicOf(QWidget* w) { return static_cast<PictureBoxWidget*>(w)->Pic(); }
  // A panel made after the first is shown as the window shows it.
  void Show(SidePanel& p) {
    Place(p);
    p.Widget()->show();
    if (QWidget* bar = p.ButtonBar()) bar->show();
  }
  const Integer D = 1, H = 6;
  std::vector<Key> keys;
};

TEST_F(PanelKeysTest, EveryKeyWearsItsPlottersColours) {
  {  // The hodograph: the inflow lines, "M", the motions relative to a
     // boundary and the storm's cross, and the trace at each layer button.
    HodographPanel p(host, &parent);
    Show(p);
    PictureBox& pic = PicOf(Find<PictureBoxWidget>("picHodograph"));
    const auto label = [&](const char* name) { return TextColour(Find<QLabel>(name)); };
    const auto point = [&](Integer L) {
      return QPointF(gSRWindU(D, H, L) + gStormU(D, H), gSRWindV(D, H, L) + gStormV(D, H));
    };
    for (int top : {2, 5, 8, 11}) {
      p.HodoBaseClick(0);
      p.HodoHeightClick(top);
      p.DrawHodograph();
      const Integer t = gSRHTopLevel(D, H);
      const QPointF before = point(t - 1);
      for (const QPen& pen : LinesFrom(pic, before.x(), before.y(), point(t)))
        keys.push_back({"btnHodoHeight" + std::to_string(top), FaceColour(Find<QPushButton>(QString("btnHodoHeight%1").arg(top))),
                        ColourOf(pen.color())});
    }
    for (int base : {0, 2, 10}) {
      p.HodoHeightClick(15);
      p.HodoBaseClick(base);
      p.DrawHodograph();
      keys.push_back({"btnHodoBase" + std::to_string(base), FaceColour(Find<QPushButton>(QString("btnHodoBase%1").arg(base))),
                      DotAt(pic, point(gSRHBottomLevel(D, H)))});
    }
    p.HodoHeightClick(3);
    p.HodoBaseClick(0);
    p.DrawHodograph();
    const double su = gStormU(D, H), sv = gStormV(D, H);
    for (const QPen& pen : LinesFrom(pic, su, sv)) {  // the top's two pixels wide, the surface's one
      const char* name = pen.width() == 2 ? "lblSRInflowHigh" : "lblSRInflowLow";
      keys.push_back({name, label(name), ColourOf(pen.color())});
    }
    keys.push_back({"lblMean", label("lblMean"), InkOf(pic, "M")});
    const double a = (270.0 - gMeanWindDir(D, H)) * M_PI / 180;
    const double mu = gMeanWindSpd(D, H) * std::cos(a), mv = gMeanWindSpd(D, H) * std::sin(a);
    // Boundaries that the storm and the mean wind overtake (red) and that
    // outrun them (green).
    for (const double f : {0.1, 2.0}) {
      const QPointF b(f * su, f * sv);
      p.picHodograph_MouseDown(2, 0, b.x(), b.y());
      const std::string at = " boundary at " + std::to_string(b.x()) + ", " + std::to_string(b.y());
      // The motions are drawn two pixels wide, the trace three.
      const auto motion = [&](double x, double y, const char* name) {
        for (const QPen& pen : LinesFrom(pic, x, y))
          if (pen.width() == 2) keys.push_back({name + at, label(name), ColourOf(pen.color())});
      };
      motion(su, sv, "lblSRInflowLow");
      motion(mu, mv, "lblSRInflowHigh");
      motion(su - 1, sv, "lblStormMotion");
    }
    std::set<Color> relative;
    for (const Key& k : keys)
      if (k.name.find("boundary") != std::string::npos) relative.insert(k.key);
    EXPECT_EQ(relative.size(), 3u) << "the storm's cross, and red and green motions";
  }
  {  // Heavy precipitation: the vector texts, the jet gauge and the chart's
     // jet mark against the vectors, upwind and forward, jet sure or not.
    HeavyPrecipPanel p(host, &parent);
    Show(p);
    PictureBox& pic = PicOf(p.Widget());
    for (const bool forward : {false, true}) {
      Find<CheckBox>("chkMBE2")->SetValue(forward ? 1 : 0);
      for (const Integer uncertain : {0, 1}) {
        p.Draw();  // the vectors of the hour computed
        gLLJUncertain(D, H) = uncertain;
        p.Draw();
        pic.Scale(-p.gMBEScale, p.gMBEScale, p.gMBEScale, -p.gMBEScale);  // the vectors'
        const double cu = gCloudLayerU(D, H), cv = gCloudLayerV(D, H);
        const auto pen = [&](double x0, double y0, double x1, double y1) -> std::optional<Color> {
          const std::vector<QPen> pens = LinesFrom(pic, x0, y0, QPointF(x1, y1));
          if (pens.empty()) return std::nullopt;
          return ColourOf(pens.back().color());
        };
        const std::optional<Color> jet =
            forward ? pen(cu, cv, gMbeUpwindU(D, H), gMbeUpwindV(D, H)) : pen(cu, cv, gMbeU(D, H), gMbeV(D, H));
        const std::string how = std::string(forward ? " forward" : " upwind") + (uncertain ? ", jet unsure" : "");
        keys.push_back({"V cloud layer" + how, *InkOf(pic, "V cloud layer"), pen(0, 0, cu, cv)});
        keys.push_back({"V low-level jet" + how, *InkOf(pic, "V low-level jet"), jet});
        keys.push_back({"Low Lvl Jet" + how, *InkOf(pic, "Low Lvl Jet"), jet});
        keys.push_back({"chart's jet mark" + how, LowLevelJetMark(D, H).labelColor, jet});
        keys.push_back({"MBE Velocity" + how, *InkOf(pic, "MBE Velocity"), pen(0, 0, gMbeU(D, H), gMbeV(D, H))});
      }
    }
    Find<CheckBox>("chkMBE2")->SetValue(0);
  }
  {  // Precipitation type: each region label against a point of its region.
    host.thickness = false;
    host.trail = 0;
    PrecipTypePanel p(host, &parent);
    Show(p);
    PictureBox& pic = PicOf(p.Widget());
    const struct {
      const char* pattern;
      Single pos, neg;
      const char* label;
    } regions[] = {{"BB", 2, 0, "Snow"},         {"BB", 2, 0, "SNOW"},     {"AB", 40, 0, "Rain"},
                   {"BA", 300, 50, "Freezing Rain"}, {"BA", 0, 400, "Sleet"}, {"ABAB", 400, 50, "Rain"},
                   {"ABAB", 0, 400, "Sleet or Rain"}};
    for (const auto& r : regions) {
      gEnergyPattern(D, H) = r.pattern;
      gPosEnergy(D, H) = r.pos;
      gNegEnergy(D, H) = r.neg;
      gSfcWarmDepth(D, H) = 2500;
      p.Draw();
      const std::optional<Color> ink = InkOf(pic, r.label);
      ASSERT_TRUE(ink) << r.pattern << " " << r.label;
      keys.push_back({std::string(r.label) + " (" + r.pattern + ")", *ink, DotAt(pic)});
    }
  }
  {  // The map's radar tilts against their rings, one at a time.
    MapPanel p(host, &parent);
    Show(p);
    Find<CheckBox>("chkBrightBand")->SetValue(1);
    PictureBox& pic = PicOf(Find<PictureBoxWidget>("picMap"));
    for (int j = 0; j < 5; ++j) {
      CheckBox* tilt = Find<CheckBox>(QString("chkAngle%1").arg(j));
      for (int k = 0; k < 5; ++k) Find<CheckBox>(QString("chkAngle%1").arg(k))->SetValue(k == j ? 1 : 0);
      p.Draw();
      std::optional<Color> ring;
      for (const Shape& s : pic.DrawnShapes())
        if (s.kind == Shape::Kind::Ellipse) ring = ColourOf(s.pen.color());
      keys.push_back({"chkAngle" + std::to_string(j), TextColour(tilt), ring});
    }
  }
  // 16 of the hodograph, 20 of heavy precipitation, 7 regions and 5 tilts.
  ASSERT_EQ(keys.size(), 48u) << "a key whose line or dot was not found";
  for (const Key& k : keys) {
    ASSERT_TRUE(k.drawn) << k.name << ": nothing of it drawn";
    EXPECT_EQ(k.key, *k.drawn) << k.name;
  }
}

}  // namespace
}  // namespace ondrik
