#include "panels/picturepanel.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/clipsegment.h"
#include "platform/pictureboxwidget.h"

namespace ondrik {

namespace {
// Narrower than the panel font at the same height; the smallest size its
// digits stay distinct at.
constexpr const char* kCondensedFace = "DejaVu Sans Condensed";
constexpr double kSmallestLegiblePt = 7;
// The smallest size a row shrinks to, in screen pixels: on a scaled screen
// fewer picture pixels, down to the one that rounds to it there (the face
// keeps its own floor).
constexpr int kSmallestRowPx = 7;
int SmallestRowPx(const PictureBox& pic) {
  return static_cast<int>(std::floor(kSmallestRowPx / std::max(pic.DeviceScale(), 1.0) + 0.5));
}
}  // namespace

PicturePanel::PicturePanel(PanelHost& host, QWidget* parent, const std::string& objectName)
    : host_(host), picture_(new PictureBoxWidget(parent)) {
  picture_->setObjectName(QString::fromStdString(objectName));
  picture_->onResize = [this] {
    Resized();
    Draw();
  };
}

QWidget* PicturePanel::Widget() { return picture_; }

PictureBox& PicturePanel::Pic() { return picture_->Pic(); }

void PicturePanel::Update() { picture_->update(); }

double FitFontSize(PictureBox& pic, const std::string& sample, double width, double maxPt, double minPt) {
  // Fonts come in whole pixels: step through them from the largest down.
  const int maxPx = static_cast<int>(std::floor(maxPt * 96.0 / 72.0 + 1e-9));
  const int minPx = std::max(1, static_cast<int>(std::ceil(minPt * 96.0 / 72.0 - 1e-9)));
  for (int px = maxPx; px >= minPx; --px) {
    pic.FontSize = px * 72.0 / 96.0;
    if (pic.TextWidth(sample) <= std::fabs(width)) return pic.FontSize;
  }
  pic.FontSize = minPx * 72.0 / 96.0;
  return pic.FontSize;
}

void UsePanelFont(PictureBox& pic, double pt) {
  pic.FontName = "Small Fonts";
  pic.FontSize = pt;
  pic.FontBold = false;
}

void UseCondensedFace(PictureBox& pic) { pic.FontName = kCondensedFace; }

double SignedTextHeight(const PictureBox& pic, const std::string& text) {
  const double h = pic.TextHeight(text);
  return pic.ScaleHeight() < 0 ? -h : h;
}

QPoint ShiftInside(const PictureBox& pic, const QRect& ink) {
  if (ink.isEmpty()) return {};
  const int span = pic.PixelSpan();
  // The device pixels wholly inside the picture: where a picture pixel
  // spans a fraction of a device pixel, the image's last row and column
  // are only partly in it.
  const double s = pic.DeviceScale();
  const QSize size(static_cast<int>(std::floor(pic.PixelWidth() * s + 1e-6)),
                   static_cast<int>(std::floor(pic.PixelHeight() * s + 1e-6)));
  // Whole between the margins when it fits, else from the first margin on.
  const auto shift = [&](int from, int to, int extent) {
    const int last = extent - 1 - span;
    if (from < span || to - from > last - span) return span - from;
    return to > last ? last - to : 0;
  };
  return {shift(ink.left(), ink.right(), size.width()), shift(ink.top(), ink.bottom(), size.height())};
}

namespace {

// (x, y) moved as far as the ink of the text printed there must go to
// stand clear of the picture's edges.
void MoveInside(const PictureBox& pic, double& x, double& y, const std::string& text) {
  const QPoint by = ShiftInside(pic, TextInk(pic, x, y, text));
  if (by.isNull()) return;
  const double s = pic.DeviceScale();
  x = pic.PixelToX(pic.XToPixel(x) + by.x() / s);
  y = pic.PixelToY(pic.YToPixel(y) + by.y() / s);
}

}  // namespace

void PrintAt(PictureBox& pic, double x, double y, const std::string& text, Color c, bool newline) {
  MoveInside(pic, x, y, text);
  pic.CurrentX = x;
  pic.CurrentY = y;
  pic.ForeColor = c;
  pic.Print(text, newline);
}

namespace {

// Pixel positions of a row's texts at the picture's font: each at its place
// or a blank after the text before it; the end of the last one.
// A blank between two texts of a row, at least so wide that their inks
// stand more than a pixel apart.
double RowGap(const PictureBox& pic) { return std::max(pic.TextWidthPx(" "), 3.0); }

double LayRow(const PictureBox& pic, const std::vector<RowText>& row, const std::vector<double>& wanted,
              std::vector<double>& at) {
  const double gap = RowGap(pic);
  double end = -1e300;
  for (std::size_t i = 0; i < row.size(); ++i) {
    const std::string& t = row[i].text;
    at[i] = std::max(wanted[i], end + gap);
    end = at[i] + pic.TextWidthPx(t.substr(0, t.find_last_not_of(' ') + 1));
  }
  return end;
}

std::string CollapseBlanks(const std::string& t) {
  std::string out;
  for (char c : t)
    if (c != ' ' || out.empty() || out.back() != ' ') out += c;
  return out;
}

}  // namespace

namespace {

// Lays out the row as PrintRow says and, when asked, prints it; true when it
// stands whole between its limits. inks: where not null, the device pixels
// each of its texts' ink takes.
// place: where not null, the row's texts are handed to it in place of
// printing them.
struct RowPlacement {
  TextPlacement* place = nullptr;
  TextPlacement::Ground ground = TextPlacement::Ground::None;
};

bool LayOutRow(PictureBox& pic, double y, const std::vector<RowText>& row, double leftLimit, double rightLimit,
               bool print, std::vector<QRect>* inks = nullptr, double* yAt = nullptr, RowPlacement to = {}) {
  if (row.empty()) return true;
  const double font = pic.FontSize;
  const std::string face = pic.FontName;
  // The row is laid out in pixels from the left, whichever way x runs; a
  // glyph's ink may reach a pixel past its advance on either side.
  const double left = std::max(pic.XToPixel(leftLimit), 1.0);
  double right = pic.PixelWidth() - 1.0;
  if (!std::isnan(rightLimit)) right = std::min(right, pic.XToPixel(rightLimit));
  std::vector<RowText> texts = row;
  std::vector<double> wanted(row.size()), at(row.size());
  for (std::size_t i = 0; i < row.size(); ++i) wanted[i] = pic.XToPixel(row[i].x);
  // Fits when the row ends inside, moved left as far as it may go: first
  // the whole row, else only as many texts from the right as must move,
  // each a blank before the next.
  auto fits = [&] {
    const double over = LayRow(pic, texts, wanted, at) - right;
    if (over <= 0) return true;
    if (at[0] - over >= left) {
      for (double& a : at) a -= over;
      return true;
    }
    const double gap = RowGap(pic);
    double next = right + gap;
    for (std::size_t i = texts.size(); i-- > 0;) {
      const std::string& t = texts[i].text;
      at[i] = std::min(at[i], next - gap - pic.TextWidthPx(t.substr(0, t.find_last_not_of(' ') + 1)));
      next = at[i];
    }
    return at[0] >= left;
  };
  // Then with single blanks, then in the condensed face (as legible at the
  // same size, narrower).
  bool done = fits();
  if (!done) {
    for (RowText& t : texts) t.text = CollapseBlanks(t.text);
    done = fits();
  }
  // At last a size smaller, down to 7 pixels: whole and inside rather
  // than cut at the edge.
  pic.FontName = done ? face : kCondensedFace;
  pic.FontSize = std::max(font, kSmallestLegiblePt);
  done = done || fits();
  // Then whole pixels smaller, the last one the smallest.
  for (int px = static_cast<int>(std::ceil(pic.FontSize * 96 / 72)) - 1; !done && px >= SmallestRowPx(pic); --px) {
    pic.FontSize = px * 72.0 / 96;
    done = fits();
  }
  // Clear of the picture's edges (a row at its top or bottom, or one that
  // begins at its left edge).
  QRect ink;
  for (std::size_t i = 0; i < texts.size(); ++i) ink |= TextInk(pic, pic.PixelToX(at[i]), y, texts[i].text);
  const QPoint by = ShiftInside(pic, ink);
  const double s = pic.DeviceScale();
  for (double& a : at) a += by.x() / s;
  y = pic.PixelToY(pic.YToPixel(y) + by.y() / s);
  if (yAt != nullptr) *yAt = y;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (inks != nullptr) inks->push_back(TextInk(pic, pic.PixelToX(at[i]), y, texts[i].text));
    if (print && to.place != nullptr) {
      TextPlacement::Text t = TextAt(pic, pic.PixelToX(at[i]), y, texts[i].text, texts[i].colour);
      t.ground = to.ground;
      t.mayShrink = false;
      to.place->Add(t);
    } else if (print) {
      PrintAt(pic, pic.PixelToX(at[i]), y, texts[i].text, texts[i].colour, false);
    }
  }
  pic.FontSize = font;
  pic.FontName = face;
  return done;
}

}  // namespace

void PrintRow(PictureBox& pic, double y, const std::vector<RowText>& row, double leftLimit, double rightLimit,
              std::vector<QRect>* inks) {
  LayOutRow(pic, y, row, leftLimit, rightLimit, true, inks);
}

void PlaceRow(PictureBox& pic, TextPlacement& place, double y, const std::vector<RowText>& row, double leftLimit,
              TextPlacement::Ground ground, double rightLimit) {
  LayOutRow(pic, y, row, leftLimit, rightLimit, true, nullptr, nullptr, {&place, ground});
}

bool RowFits(PictureBox& pic, const std::vector<RowText>& row, double leftLimit, double rightLimit) {
  return LayOutRow(pic, 0, row, leftLimit, rightLimit, false);
}

std::vector<QRect> RowInks(PictureBox& pic, double y, const std::vector<RowText>& row, double leftLimit,
                           double rightLimit) {
  std::vector<QRect> inks;
  LayOutRow(pic, y, row, leftLimit, rightLimit, false, &inks);
  return inks;
}

std::vector<std::vector<RowText>> WrapRow(PictureBox& pic, const std::vector<RowText>& row, double leftLimit,
                                          double rightLimit) {
  if (RowFits(pic, row, leftLimit, rightLimit)) return {row};
  // The pieces a line may break between, each with the text it is of.
  struct Piece {
    RowText text;
    std::size_t of;
  };
  std::vector<Piece> pieces;
  for (std::size_t i = 0; i < row.size(); ++i) {
    const RowText& t = row[i];
    std::vector<std::string> words;
    if (!RowFits(pic, {t}, leftLimit, rightLimit))
      for (std::size_t at = t.text.find_first_not_of(' '); at != std::string::npos;) {
        const std::size_t end = t.text.find(' ', at);
        words.push_back(t.text.substr(at, end == std::string::npos ? std::string::npos : end - at));
        at = end == std::string::npos ? end : t.text.find_first_not_of(' ', end);
      }
    if (words.size() < 2) words = {t.text};
    for (const std::string& w : words) pieces.push_back({{t.x, w, t.colour}, i});
  }
  // The pieces [from, to) as a line: those of one text joined by a blank.
  const auto line = [&](std::size_t from, std::size_t to) {
    std::vector<RowText> l;
    for (std::size_t k = from; k < to; ++k) {
      if (k > from && pieces[k].of == pieces[k - 1].of)
        l.back().text += " " + pieces[k].text.text;
      else
        l.push_back(pieces[k].text);
    }
    return l;
  };
  // The fewest lines, then the narrowest widest line: every way of cutting
  // the pieces into that many lines (a row has a few of them).
  const std::size_t n = pieces.size();
  for (std::size_t lines = 2; lines <= n; ++lines) {
    std::vector<std::size_t> cuts(lines - 1);
    for (std::size_t k = 0; k + 1 < lines; ++k) cuts[k] = k + 1;
    std::vector<std::vector<RowText>> best;
    int bestWidth = 0;
    while (true) {
      std::vector<std::vector<RowText>> tried;
      int widest = 0;
      bool fits = true;
      for (std::size_t k = 0; k < lines && fits; ++k) {
        tried.push_back(line(k == 0 ? 0 : cuts[k - 1], k + 1 < lines ? cuts[k] : n));
        fits = RowFits(pic, tried.back(), leftLimit, rightLimit);
        widest = std::max(widest, RowInk(pic, 0, tried.back(), leftLimit, rightLimit).width());
      }
      if (fits && (best.empty() || widest < bestWidth)) {
        best = std::move(tried);
        bestWidth = widest;
      }
      // The next way of cutting: the last cut that can move right does, the
      // ones after it follow it.
      std::size_t k = cuts.size();
      while (k > 0 && cuts[k - 1] == n - (cuts.size() - k) - 1) --k;
      if (k == 0) break;
      ++cuts[k - 1];
      for (std::size_t j = k; j < cuts.size(); ++j) cuts[j] = cuts[j - 1] + 1;
    }
    if (!best.empty()) return best;
  }
  return {row};
}

double RowYInside(PictureBox& pic, double y, const std::vector<RowText>& row, double leftLimit, double rightLimit) {
  LayOutRow(pic, y, row, leftLimit, rightLimit, false, nullptr, &y);
  return y;
}

QRect RowInk(PictureBox& pic, double y, const std::vector<RowText>& row, double leftLimit, double rightLimit) {
  QRect ink;
  for (const QRect& r : RowInks(pic, y, row, leftLimit, rightLimit)) ink |= r;
  return ink;
}

double RightLimitBeside(PictureBox& pic, double y, const std::vector<RowText>& row, double leftLimit,
                        double rightLimit, const std::vector<QRect>& beside) {
  if (beside.empty()) return rightLimit;
  const double s = pic.DeviceScale();
  // The fewest whole device pixels as wide as a picture pixel.
  const int gap = static_cast<int>(std::ceil(s - 1e-9));
  double limit = rightLimit;
  QRect was;
  // Moved left (or made narrower) by what it lacks until it stands clear,
  // or no further.
  for (int tries = 0; tries < 8; ++tries) {
    const QRect ink = RowInk(pic, y, row, leftLimit, limit);
    if (ink.isEmpty() || ink == was) break;
    int lack = 0;
    for (const QRect& r : beside)
      if (r.top() <= ink.bottom() && ink.top() <= r.bottom() && r.left() > ink.left())
        lack = std::max(lack, ink.right() + 1 + gap - r.left());
    if (lack <= 0) break;
    // From where the row ends now: a limit far past it would not move it.
    const double right = std::min(std::isnan(limit) ? pic.PixelWidth() - 1.0 : pic.XToPixel(limit), (ink.right() + 1.0) / s);
    limit = pic.PixelToX(right - lack / s);
    was = ink;
  }
  return limit;
}

void PrintTickLabels(PictureBox& pic, double y, const std::vector<std::pair<double, std::string>>& labels,
                     double from, double to, Color c) {
  const double size = pic.FontSize;
  const std::string face = pic.FontName;
  std::vector<double> at(labels.size());
  // Each centred on its place, else moved along the row as little as keeps
  // it a blank from the next (closer, two numbers read as one): those on the
  // left moved right, then, as far as the row's end asks, those on the right
  // moved left.
  const auto lay = [&] {
    const double gap = RowGap(pic);
    double end = from - gap;
    for (std::size_t i = 0; i < labels.size(); ++i) {
      const double w = pic.TextWidthPx(labels[i].second);
      at[i] = std::max(std::max(pic.XToPixel(labels[i].first) - w / 2, from), end + gap);
      end = at[i] + w;
    }
    double next = to + gap;
    for (std::size_t i = labels.size(); i-- > 0;) {
      at[i] = std::min(at[i], next - gap - pic.TextWidthPx(labels[i].second));
      next = at[i];
    }
    return labels.empty() || at.front() >= from;
  };
  bool fits = lay();
  if (!fits) UseCondensedFace(pic);
  for (int px = static_cast<int>(std::ceil(size * 96 / 72)); !fits && px >= SmallestRowPx(pic); --px) {
    pic.FontSize = px * 72.0 / 96;
    fits = lay();
  }
  for (std::size_t i = 0; i < labels.size(); ++i) PrintAt(pic, pic.PixelToX(at[i]), y, labels[i].second, c);
  pic.FontSize = size;
  pic.FontName = face;
}

QRect TextInk(const PictureBox& pic, double x, double y, const std::string& text) {
  const QRectF ink = pic.TextInkAt(pic.XToPixel(x), pic.YToPixel(y), text);
  return QRect(QPoint(static_cast<int>(std::floor(ink.left())), static_cast<int>(std::floor(ink.top()))),
               QPoint(static_cast<int>(std::ceil(ink.right())) - 1, static_cast<int>(std::ceil(ink.bottom())) - 1));
}

QRect DevicePixelsOf(const PictureBox& pic, double x1, double y1, double x2, double y2) {
  const double s = pic.DeviceScale();
  const auto px = [&](double v) { return static_cast<int>(std::floor(v * s + 0.5)); };
  const int l = px(pic.XToPixel(x1)), r = px(pic.XToPixel(x2)), t = px(pic.YToPixel(y1)), b = px(pic.YToPixel(y2));
  return QRect(QPoint(std::min(l, r), std::min(t, b)), QPoint(std::max(l, r) - 1, std::max(t, b) - 1));
}

bool ClipSegment(QPointF& a, QPointF& b, const QRectF& r) {
  double t0, t1;
  if (!SegmentInside(a.x(), a.y(), b.x(), b.y(), r.left(), r.top(), r.right(), r.bottom(), t0, t1)) return false;
  const QPointF from = a, d = b - a;
  a = from + t0 * d;
  b = from + t1 * d;
  return true;
}

TextPlacement::Text TextAt(PictureBox& pic, double x, double y, const std::string& text, Color c) {
  pic.CurrentX = x;
  pic.CurrentY = y;
  pic.ForeColor = c;
  TextPlacement::Text t = TextPlacement::Text::At(pic, text);
  t.condensedFace = kCondensedFace;
  return t;
}

double BlockLinePx(const PictureBox& pic) {
  // The tallest ascenders and deepest descenders, the placement's margin
  // round each, a picture pixel for the cells it keeps them in and a device
  // pixel for the rounding of where each line lands.
  return std::max(pic.TextHeightPx("I"),
                  pic.TextInkPx("Hkly\\()").height() + 2 * TextPlacement::Text{}.margin + 1 + 1 / pic.DeviceScale());
}

bool PanelCanDraw(Integer hour) {
  if (gLoadingState) return false;
  if (gDatasetCount < 1 || gCurDataset < 1 || gCurDataset > std::min(gDatasetCount, kMaxDatasets)) return false;
  return hour >= 0 && hour < kMaxHours && hour <= gLastHour(gCurDataset) && gNumLevels(gCurDataset) >= 1;
}

}  // namespace ondrik
