// The last drawing step of every redraw: the scale labels of every axis
// that a ticked field or strip uses, its grid when the axis's grid box is
// ticked, the time grid and the base and zero lines.
#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "overview/axisticks.h"
#include "overview/controlrules.h"
#include "overview/plotdata.h"
#include "overview/timelabels.h"

namespace ondrik {

namespace {

bool AnyTicked(const OverviewOptions& o, Axis axis) {
  for (const OverviewRow& r : OverviewRows())
    if (r.axis == axis && (r.kind == BoxKind::Field || r.kind == BoxKind::Strip) && o.On(r.id)) return true;
  return false;
}

// The three label columns of a side picture (x from 0 to 100); the index
// axis writes its sign and number at the third.
constexpr double kFirstColumn = 0, kSecondColumn = 33, kThirdColumn = 66;

// The widest labels each column has to hold at the axes' usual ranges,
// and the column right of it (100: the edge).
struct ColumnRoom {
  double from, to;
  const char* widest;
};
constexpr ColumnRoom kSideColumns[] = {
    {kFirstColumn, kSecondColumn, "2000"}, {kFirstColumn, kSecondColumn, "20Km"},  // CAPE, heights
    {kSecondColumn, kThirdColumn, " 360"}, {kSecondColumn, kThirdColumn, "1.00"},  // direction, precipitation
    {kThirdColumn, 100, "+ 400"},          {kThirdColumn, 100, "-10"},             // index, temperature
};

// One labelled axis: its grid box, the side picture and column of its labels,
// and the picture its label height is measured on.
struct Block {
  Axis axis;
  BoxId grid;
  PictureBox* side;
  double column;
  PictureBox* measure;
};

// The labels of a side picture, placed together: each where its value
// puts it, a pixel in from the picture's edges; where that runs into a
// label before it (the values of a squeezed axis, the "10 meter" row), a
// little along its row or off it as far as it still stands by its row,
// then smaller.
class SideLabels {
 public:
  explicit SideLabels(PictureBox& pic) : pic_(pic) { place_.Begin(pic); }
  // At the picture's current position, in its font and colour, the label of
  // the row `row` (in the picture's scale).
  // A label held in from the picture's edge, away from its row there, is
  // the label of its tick as a point: it stands as near it as the picture
  // holds.
  void Write(const std::string& text, double row, bool heldIn) {
    place_.Add(Label(text, pic_.ForeColor, row, heldIn));
  }
  // Two labels of one row, in their colours: the first where Write puts
  // it, the second right under it at its left. Where the picture has no room
  // under the first, the pair stands a row higher, so that the second is
  // under the first at every tick; the first is then the label of its tick
  // as a point, which it stands within a line of. The two move as one.
  void WritePair(const std::string& text, Color colour, const std::string& second, Color secondColour, double row,
                 bool heldIn) {
    TextPlacement::Text first = Label(text, colour, row, heldIn);
    const QRectF ink = pic_.TextInkPx(text);
    const double step = ink.height() + 2;  // the two rooms apart, no more
    if (first.y + step + pic_.TextInkPx(second).bottom() > pic_.PixelHeight() - 2 && first.y + ink.top() - step >= 1) {
      first.y -= step;
      first.labels = TextPlacement::Labels::Point;
    }
    TextPlacement::Text under = Label(second, secondColour, row, heldIn);
    under.labels = TextPlacement::Labels::Place;  // by the first, which labels the row
    under.x = first.x;
    under.y = first.y + step;
    first.together = under.together = ++pairs_;
    place_.Add(std::move(first));
    place_.Add(std::move(under));
  }
  void PrintAll() { place_.PrintAll(pic_); }

 private:
  // A label at the picture's current position, in its font, of a row: it
  // may move to the nearest free place a line away that still reads as
  // the row's.
  TextPlacement::Text Label(const std::string& text, Color colour, double row, bool heldIn) const {
    TextPlacement::Text t = TextPlacement::Text::At(pic_, text);
    t.colour = colour;
    t.labels = heldIn ? TextPlacement::Labels::Point : TextPlacement::Labels::Row;
    t.of = QPointF(t.x, pic_.YToPixel(row));
    t.move = TextPlacement::Move::Nearest;
    t.reach = pic_.TextHeightPx("9");
    t.ground = TextPlacement::Ground::None;
    return t;
  }

  PictureBox& pic_;
  TextPlacement place_;
  int pairs_ = 0;
};

// Where a label of half height `half` (in the side picture's scale, signed
// as the scale is) centred on `value` begins; a label of a value at either
// end of the range is kept whole, inside the picture. NaN for a value off
// the range: its label would stand outside the picture or over the next
// axis's.
double LabelTop(const AxisRange& r, double value, double half) {
  const double span = static_cast<double>(r.bottom) - r.top;
  const double top = value - half;
  if (span == 0) return top;
  const double at = (value - r.top) / span;
  if (at < -1e-4 || at > 1 + 1e-4) return std::nan("");
  const double u = std::clamp((top - r.top) / span, 0.0, std::max(0.0, 1 - 2 * half / span));
  return r.top + u * span;
}

// The ticks of an axis with their labels, in the axis's label colour or a
// colour of their own.
struct LabelledTicks {
  // A plain axis is its ticks.
  LabelledTicks(std::vector<AxisTick> t = {}, std::optional<Color> c = std::nullopt)
      : ticks(std::move(t)), colour(c) {}
  std::vector<AxisTick> ticks;
  std::optional<Color> colour;
};

// Steps 2 to 6 of a block: scales, label colour, grid lines and labels. A
// tick that cannot be drawn is skipped. `under`: labels of the same ticks
// for strips that read another factor, each under the tick's own label (one
// that reads the same is not repeated).
void DrawBlock(OverviewDraw& d, const Block& b, SideLabels& labels, const LabelledTicks& own,
               const LabelledTicks* under = nullptr) {
  const OverviewOptions& o = d.s.opt;
  const AxisRange r = RangeOf(d.s, b.axis);
  ScaleTo(d, b.axis);
  b.side->Scale(0, r.top, 100, r.bottom);
  const bool grid = o.On(b.grid);
  const Color axisColour = grid ? kWhite : kGridGrey;
  const double half = b.measure->TextHeightInScale("9") / 2;
  const Single left = d.s.frame.TimeLeft;
  const std::vector<AxisTick>& ticks = own.ticks;
  for (size_t i = 0; i < ticks.size(); ++i) {
    const AxisTick& t = ticks[i];
    try {
      if (grid) {
        d.rh.Style = t.dotted ? DrawStyle::Dot : DrawStyle::Solid;
        d.rh.DrawWidth = t.width;
        if (t.fullWidth)
          DrawLineClear(d.rh, d.s.draw.Texts, -1, t.value, left, t.value, t.colour);
        else
          DrawLineClear(d.rh, d.s.draw.Texts, -0.5, t.value, left - 0.5, t.value, t.colour);
      }
      const double top = LabelTop(r, t.value, half);
      if ((t.label.empty() && t.label2.empty()) || std::isnan(top)) continue;
      const bool heldIn = std::abs(b.side->YToPixel(top) - b.side->YToPixel(t.value - half)) > 0.5;
      b.side->CurrentX = b.column;
      b.side->CurrentY = top;
      b.side->ForeColor = own.colour.value_or(axisColour);
      // The index axis's sign and number as one text: printed apart, a
      // wide sign would run into the number.
      const std::string text = t.label + t.label2;
      const std::string other =
          under != nullptr && i < under->ticks.size() ? under->ticks[i].label + under->ticks[i].label2 : text;
      if (other == text)
        labels.Write(text, t.value, heldIn);
      else
        labels.WritePair(text, own.colour.value_or(axisColour), other, under->colour.value_or(axisColour), t.value,
                         heldIn);
    } catch (const std::exception&) {
    }
  }
  d.rh.Style = DrawStyle::Solid;
  d.rh.DrawWidth = 1;
}

}  // namespace

int SidePictureWidth(const PictureBox& side) {
  double need = 0;
  for (const ColumnRoom& c : kSideColumns) {
    const double pixels = side.TextWidthPx(c.widest) + 2;
    need = std::max(need, pixels * 100 / (c.to - c.from));
  }
  return std::isfinite(need) ? static_cast<int>(std::ceil(std::min(need, 1000.0))) : 0;
}

void DrawAxesAndGrids(OverviewDraw& d) {
  OverviewState& s = d.s;
  const OverviewOptions& o = s.opt;
  const OverviewFrame& f = s.frame;
  for (BoxId g : {kBoxGridHeight, kBoxGridWind, kBoxGridPrecip, kBoxGridLakeIndex, kBoxGridTemp, kBoxGridLeft})
    s.draw.GridVisible[static_cast<size_t>(g)] = false;
  auto shown = [&](BoxId grid) { s.draw.GridVisible[static_cast<size_t>(grid)] = true; };
  d.rh.ForeColor = kWhite;
  SideLabels left(d.left), right(d.right);

  if (AnyTicked(o, Axis::Height)) {
    shown(kBoxGridHeight);
    DrawBlock(d, {Axis::Height, kBoxGridHeight, &d.right, kFirstColumn, &d.right}, right,
              HeightTicks(o.VerticalUnit, f.LogPBottom, f.LogPSpan));
    const Integer D = gCurDataset;
    if (o.TenMeterBase != 0 && D >= 1 && D <= kMaxDatasets) {
      const Single base = f.LogPSurface[static_cast<size_t>(D)];
      DrawLineClear(d.rh, d.s.draw.Texts, -1, base, f.TimeLeft, base, kGridGrey);
      if (o.On(kBoxVWP)) {
        d.right.CurrentX = 0;
        d.right.CurrentY = (base + f.LogPBottom) / 2 - d.right.TextHeightInScale("9") / 2;
        right.Write("10 meter", (base + f.LogPBottom) / 2, false);
      }
    }
  }
  if (AnyTicked(o, Axis::Direction)) {
    shown(kBoxGridWind);
    DrawBlock(d, {Axis::Direction, kBoxGridWind, &d.left, kSecondColumn, &d.rh}, left, DirectionTicks(f.DirSpan));
  }
  if (AnyTicked(o, Axis::Precip)) {
    shown(kBoxGridPrecip);
    DrawBlock(d, {Axis::Precip, kBoxGridPrecip, &d.right, kSecondColumn, &d.rh}, right,
              PrecipTicks(f.PrecipBottom, f.PrecipSpan));
  }
  if (AnyTicked(o, Axis::Index)) {
    shown(kBoxGridLakeIndex);
    const IndexAxisLabels sets = IndexLabels(o, f);
    const auto ticks = [&f](const IndexLabelSet& set) {
      return LabelledTicks{IndexTicks(f.IndexBottom, f.IndexSpan, set.factor),
                           set.ownColour ? std::optional<Color>(set.colour) : std::nullopt};
    };
    const LabelledTicks under = sets.second ? ticks(*sets.second) : LabelledTicks{};
    DrawBlock(d, {Axis::Index, kBoxGridLakeIndex, &d.left, kThirdColumn, &d.rh}, left, ticks(sets.first),
              sets.second ? &under : nullptr);
  }
  if (AnyTicked(o, Axis::Temperature)) {
    shown(kBoxGridTemp);
    DrawBlock(d, {Axis::Temperature, kBoxGridTemp, &d.right, kThirdColumn, &d.rh}, right,
              TemperatureTicks(f.TempBottom, f.TempSpan));
    DrawLineClear(d.rh, d.s.draw.Texts, -0.5, 0, f.TimeLeft - 0.5, 0, kWhite);
  }
  // One left axis: the first group that is ticked owns the column and its grid.
  const struct {
    Axis axis;
    std::vector<AxisTick> (*ticks)(const OverviewFrame&);
  } lefts[] = {{Axis::Cape, [](const OverviewFrame&) { return CapeTicks(gLICAxisTop); }},
               {Axis::SfcPres, [](const OverviewFrame& fr) { return SfcPresTicks(fr.SfcPresBottom, fr.SfcPresSpan); }},
               {Axis::Ventilation, [](const OverviewFrame&) { return VentilationTicks(gVentAxisTop); }},
               {Axis::Visibility, [](const OverviewFrame&) { return VisibilityTicks(gVisAxisTop); }}};
  for (const auto& l : lefts) {
    if (!AnyTicked(o, l.axis)) continue;
    shown(kBoxGridLeft);
    DrawBlock(d, {l.axis, kBoxGridLeft, &d.left, kFirstColumn, &d.left}, left, l.ticks(f));
    break;
  }
  if (o.On(kBoxGridTime)) {
    d.rh.Scale(f.TimeLeft, 1, f.TimeRight, 0);
    d.rh.Style = DrawStyle::Dot;
    const Integer step = TimeLabelStep(s.in.TimeLabelStep, s.in.ModelHourStep);
    const long last = static_cast<long>(std::nearbyint(std::clamp<double>(f.TimeLeft - 1, -1, kMaxHours * 4)));
    for (long h = 0; h <= last; ++h) {
      d.rh.DrawWidth = h % step == 0 ? 2 : 1;
      DrawLineClear(d.rh, d.s.draw.Texts, static_cast<double>(h), 0, static_cast<double>(h), 1, kGridGrey);
    }
  }
  left.PrintAll();
  right.PrintAll();
  d.rh.DrawWidth = 1;
  d.rh.Style = DrawStyle::Solid;
  d.rh.ForeColor = kWhite;
}

}  // namespace ondrik
