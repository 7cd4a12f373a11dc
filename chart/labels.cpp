#include "chart/labels.h"

#include <algorithm>
#include <cmath>

namespace ondrik {

namespace {

using Move = TextPlacement::Move;

// How far (text lines) a value of the wind column or the surface strip and
// a marker at a trace's point may go from their places; the other
// datasets' values of the surface strip gather round the shown one's.
constexpr double kColumnReachLines = 2;
constexpr double kOthersColumnReachLines = 8;
constexpr double kPointReachLines = 4;

// The order in which the kinds of text find their places: those with the
// least room first.
int Rank(LabelPlace place, bool shown) {
  if (!shown) return 10 + Rank(place, true);
  switch (place) {
    case LabelPlace::UnderAxis:
    case LabelPlace::HeightAxis:
      return 0;
    case LabelPlace::Anywhere:  // the title, which names what the chart shows
      return 1;
    case LabelPlace::Column:
      return 2;
    case LabelPlace::AlongRow:
      return 3;
    case LabelPlace::AtPoint:
      return 4;
    case LabelPlace::ColumnAfter:
      return 5;
  }
  return 6;
}

}  // namespace

void ChartLabels::Begin(const PictureBox& pic, double coveredTopPx) {
  collecting_ = true;
  shown_ = true;
  topPx_ = std::max(coveredTopPx, 0.0);
  kept_.clear();
  place_.Begin(pic);
  if (coveredTopPx > 0) place_.Hold(QRectF(0, 0, pic.PixelWidth(), coveredTopPx));
}

void ChartLabels::Print(PictureBox& pic, const std::string& text, LabelPlace place, double lo, double hi) {
  if (!collecting_) {
    pic.Print(text, false);
    return;
  }
  TextPlacement::Text t = TextPlacement::Text::At(pic, text);
  if (!std::isfinite(t.x) || !std::isfinite(t.y)) return;
  const double line = pic.TextHeightPx(text), width = pic.TextWidthPx(text);
  const double W = pic.PixelWidth(), H = pic.PixelHeight();
  // A text whose row lies above the chart's top (a level of a zoomed chart,
  // under what lies over the top or beyond the picture) or below the
  // picture has nothing to stand by there; one that runs off an edge moves
  // in.
  if (const double row = t.y + line / 2; row < topPx_ - 0.5 || row > H) return;
  double loPx = 0, hiPx = W;
  if (lo != 0 || hi != 0) {
    loPx = std::min(pic.XToPixel(lo), pic.XToPixel(hi));
    hiPx = std::max(pic.XToPixel(lo), pic.XToPixel(hi));
  }
  switch (place) {
    case LabelPlace::Column:
    case LabelPlace::ColumnAfter:
      // Along its row between lo and hi, when given, then near its place.
      t.move = Move::Nearest;
      t.reach = (shown_ ? kColumnReachLines : kOthersColumnReachLines) * line;
      if (lo != 0 || hi != 0) {
        t.lo = loPx;
        t.hi = std::max(loPx, hiPx - width);
      }
      break;
    case LabelPlace::AtPoint:
      t.move = Move::Nearest;
      t.reach = kPointReachLines * line;
      break;
    case LabelPlace::UnderAxis:
      // Under its tick, as far either way as its width.
      t.move = Move::AlongRow;
      t.lo = t.x - width;
      t.hi = t.x + width;
      break;
    case LabelPlace::HeightAxis:
    case LabelPlace::AlongRow:
      // Its whole text between lo and hi.
      t.move = Move::AlongRow;
      t.lo = loPx;
      t.hi = std::max(loPx, hiPx - width);
      break;
    case LabelPlace::Anywhere: {
      // Between the heights lo and hi, when given.
      double top = 0, bottom = H;
      if (lo != 0 || hi != 0) {
        top = std::clamp(std::min(pic.YToPixel(lo), pic.YToPixel(hi)), 0.0, H);
        bottom = std::clamp(std::max(pic.YToPixel(lo), pic.YToPixel(hi)), top, H);
      }
      t.move = Move::Region;
      t.region = QRectF(0, top, W, bottom - top);
      // A name too long for a narrow picture reads in the narrower face.
      t.condensedFace = "DejaVu Sans Condensed";
      break;
    }
  }
  kept_.push_back({Rank(place, shown_), std::move(t)});
}

void ChartLabels::PrintAll(PictureBox& pic) {
  collecting_ = false;
  std::stable_sort(kept_.begin(), kept_.end(), [](const Kept& a, const Kept& b) { return a.rank < b.rank; });
  for (Kept& k : kept_) place_.Add(std::move(k.text));
  kept_.clear();
  place_.PrintAll(pic);
}

}  // namespace ondrik
