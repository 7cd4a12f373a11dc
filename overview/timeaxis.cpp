// The time axis picture: the UTC and local labels of the labelled hours,
// all of them wherever the picture can hold them apart in some size of its
// face or of the condensed face.
#include <QRectF>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "core/store.h"
#include "overview/planetexts.h"
#include "overview/plotdata.h"
#include "overview/timelabels.h"
#include "platform/picturetext.h"

namespace ondrik {

namespace {

constexpr double kEdgePx = 1;     // pixels between a label and the picture's edges
constexpr double kUtcRow = 10;    // tops of the two rows in the picture's scale 0..100
constexpr double kLocalRow = 50;

using Face = picturetext::FaceSize;

const picturetext::FontEntry& FontOf(const PictureBox& pic, const Face& f) {
  return picturetext::FontFor(f.name, f.pt, pic.FontBold, pic.DeviceScale());
}

// Where a text's strokes lie across its line in a face, picture pixels
// from the left edge of its advance.
struct Ink {
  double left, right;
};
Ink InkOf(const PictureBox& pic, const Face& f, const std::string& text) {
  const QRectF ink = picturetext::TextIn(FontOf(pic, f), text).ink;
  return {ink.left() / pic.DeviceScale(), (ink.left() + ink.width()) / pic.DeviceScale()};
}
// Two labels of a row stand a blank of their face apart.
double BlankPx(const PictureBox& pic, const Face& f) {
  return picturetext::TextIn(FontOf(pic, f), " ").width / pic.DeviceScale();
}

// A label of a row: the pixel of its hour and its strokes.
struct Slot {
  double hourPx;
  Ink ink;
  double Width() const { return ink.right - ink.left; }
};

// The left edges of a row's labels, in the order of their hours across the
// picture (left to right): each one's strokes centred on its hour where its
// neighbours leave it room, else moved along the row as far as they still
// stand over its hour, `apart` from the next and in from the picture's
// edges (by a screen pixel more, for the rounding of its place). False when
// they cannot stand so (the edges are then the nearest they come).
bool LayRow(const std::vector<Slot>& row, double pictureWidth, double deviceScale, double apart,
            std::vector<double>& at) {
  const std::size_t n = row.size();
  at.assign(n, 0);
  // Where the strokes of each may begin.
  std::vector<double> lo(n), hi(n);
  const double edge = kEdgePx + 1 / deviceScale;
  for (std::size_t i = 0; i < n; ++i) {
    const Slot& l = row[i];
    const double inLo = edge, inHi = pictureWidth - edge - l.Width();
    lo[i] = std::max(inLo, l.hourPx - l.Width());
    hi[i] = std::min(inHi, l.hourPx);
    if (lo[i] > hi[i]) {  // an hour at the very edge: inside, whatever its hour
      lo[i] = inLo;
      hi[i] = std::max(inLo, inHi);
    }
  }
  // The leftmost each may stand at, then from the right each as near its
  // centred place as those after it let it.
  std::vector<double> least(n);
  bool fits = true;
  for (std::size_t i = 0; i < n; ++i) {
    least[i] = i == 0 ? lo[i] : std::max(lo[i], least[i - 1] + row[i - 1].Width() + apart);
    fits = fits && least[i] <= hi[i];
  }
  for (std::size_t i = n; i-- > 0;) {
    double x = std::clamp(row[i].hourPx - row[i].Width() / 2, least[i], std::max(least[i], hi[i]));
    if (i + 1 < n) x = std::min(x, at[i + 1] - apart - row[i].Width());
    at[i] = x;
  }
  for (std::size_t i = 0; i < n; ++i) at[i] -= row[i].ink.left;
  return fits;
}

}  // namespace

std::vector<TimeAxisLabel> TimeAxisLabels(const PictureBox& pic, const OverviewState& s) {
  std::vector<TimeAxisLabel> out;
  const OverviewFrame& f = s.frame;
  const Integer D = gCurDataset;
  if (D < 1 || D > kMaxDatasets) return out;
  const Integer step = TimeLabelStep(s.in.TimeLabelStep, s.in.ModelHourStep);
  const int last = std::min<int>(gLastHour(D), kMaxHours - 1);
  const double first = std::max<double>(0, std::ceil(std::min(f.TimeRight, f.TimeLeft)));
  const double lastShown = std::min<double>(last, std::floor(std::max(f.TimeRight, f.TimeLeft)));
  struct Hour {
    int t;
    std::string utc, local;
  };
  std::vector<Hour> hours;
  for (int t = 0; t <= lastShown; t += step) {
    if (t < first) continue;
    const DateTime v = gValidTime(D, t);
    if (v.IsSet()) hours.push_back({t, UtcTimeLabel(v), LocalTimeAxisLabel(v, gTZOffset)});
  }
  const std::vector<Face> faces = picturetext::SizesDownToFloor(pic.FontName, pic.FontSize, pic.FontBold, pic.DeviceScale());
  const double W = pic.PixelWidth();
  for (int every = 1;; every *= 2) {
    // In their order across the picture from its left edge.
    std::vector<const Hour*> shown;
    for (const Hour& h : hours)
      if (h.t % (every * step) == 0) shown.push_back(&h);
    std::sort(shown.begin(), shown.end(),
              [&pic](const Hour* a, const Hour* b) { return pic.XToPixel(a->t) < pic.XToPixel(b->t); });
    const bool lastStride = every * step > kMaxHours;
    for (std::size_t k = 0; k < faces.size(); ++k) {
      const Face& face = faces[k];
      std::vector<Slot> utc, local;
      for (const Hour* h : shown) {
        utc.push_back({pic.XToPixel(h->t), InkOf(pic, face, h->utc)});
        local.push_back({pic.XToPixel(h->t), InkOf(pic, face, h->local)});
      }
      std::vector<double> utcAt, localAt;
      const double apart = BlankPx(pic, face);
      const bool utcFits = LayRow(utc, W, pic.DeviceScale(), apart, utcAt);
      const bool fits = LayRow(local, W, pic.DeviceScale(), apart, localAt) && utcFits;
      if (!fits && !(lastStride && k + 1 == faces.size())) continue;
      for (std::size_t i = 0; i < shown.size(); ++i) {
        out.push_back({shown[i]->t, pic.PixelToX(utcAt[i]), kUtcRow, shown[i]->utc, face.name, face.pt});
        out.push_back({shown[i]->t, pic.PixelToX(localAt[i]), kLocalRow, shown[i]->local, face.name, face.pt});
      }
      // In the order of their hours.
      std::stable_sort(out.begin(), out.end(), [](const TimeAxisLabel& a, const TimeAxisLabel& b) { return a.hour < b.hour; });
      return out;
    }
  }
}

void DrawTimeAxis(PictureBox& pic, const OverviewState& s) {
  const OverviewFrame& f = s.frame;
  pic.Scale(f.TimeLeft, 0, f.TimeRight, 100);
  pic.Cls();
  const std::string name = pic.FontName;
  const double size = pic.FontSize;
  for (const TimeAxisLabel& l : TimeAxisLabels(pic, s)) {
    pic.FontName = l.fontName;
    pic.FontSize = l.fontSize;
    // Its strokes a pixel in from the edges (where they stand so already
    // but for a picture too narrow for them).
    double x = pic.XToPixel(l.x), y = pic.YToPixel(l.y);
    MoveInside(pic, l.text, x, y);
    pic.CurrentX = pic.PixelToX(x);
    pic.CurrentY = pic.PixelToY(y);
    pic.Print(l.text);
  }
  pic.FontName = name;
  pic.FontSize = size;
}

}  // namespace ondrik
