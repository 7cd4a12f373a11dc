#include "platform/picturetext.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

#include "platform/picturebox.h"

namespace ondrik::picturetext {

namespace {

bool HaveGuiApp() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

std::string Lower(const std::string& s) {
  std::string r = s;
  for (char& ch : r) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return r;
}

constexpr const char* kSans = "DejaVu Sans";
constexpr const char* kMono = "DejaVu Sans Mono";

// The Windows faces the program's pictures name, and what draws them here.
struct WindowsFace {
  const char* name;  // lower case
  const char* family;
};
constexpr std::array<WindowsFace, 14> kWindowsFaces = {{
    {"ms sans serif", kSans},
    {"microsoft sans serif", kSans},
    {"small fonts", kSans},
    {"tahoma", kSans},
    {"arial", kSans},
    {"helvetica", kSans},
    {"verdana", kSans},
    {"segoe ui", kSans},
    {"courier", kMono},
    {"courier new", kMono},
    {"lucida console", kMono},
    {"consolas", kMono},
    {"fixedsys", kMono},
    {"terminal", kMono},
}};

// The installed family of that name, whatever its case; empty when none.
std::string Installed(const std::string& name) {
  static std::mutex mu;
  static std::map<std::string, std::string> cache;
  const std::lock_guard<std::mutex> lock(mu);
  const std::string key = Lower(name);
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  std::string found;
  const QString want = ToQString(name);
  for (const QString& f : QFontDatabase::families()) {
    if (f.compare(want, Qt::CaseInsensitive) == 0) {
      found = f.toStdString();
      break;
    }
  }
  cache[key] = found;
  return found;
}

}  // namespace

std::string FamilyFor(const std::string& requested) {
  const std::string key = Lower(requested);
  for (const WindowsFace& f : kWindowsFaces)
    if (key == f.name) return f.family;
  if (HaveGuiApp()) {
    if (std::string found = Installed(requested); !found.empty()) return found;
  }
  return kSans;
}

namespace {

std::mutex gFontMutex;

// The texts of all fonts, the least recently used first, and the bytes
// their pictures hold; guarded by gFontMutex. Never destroyed, as the fonts.
TextsByUse& TextsInOrderOfUse() {
  static auto* texts = new TextsByUse;
  return *texts;
}
std::size_t gDrawnBytes = 0;

std::size_t PictureBytes(const LaidOutText& t) {
  std::size_t bytes = 0;
  for (const auto& [color, drawn] : t.drawn) bytes += static_cast<std::size_t>(drawn.image.sizeInBytes());
  return bytes;
}

// Lets a text of a font go. Called with gFontMutex held.
void Forget(FontEntry& font, std::unordered_map<std::string, LaidOutText>::iterator it) {
  gDrawnBytes -= PictureBytes(it->second);
  TextsInOrderOfUse().erase(it->second.use);
  font.texts.erase(it);
}

constexpr const char* kDigits = "0123456789";

QFont FontOf(const std::string& family, int pixelSize, bool bold) {
  QFont f(QString::fromStdString(family));
  f.setPixelSize(std::max(1, pixelSize));
  f.setBold(bold);
  f.setHintingPreference(QFont::PreferFullHinting);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

// How many pixel rows the digits' strokes take as a picture draws them: a
// face's outlines may reach rows its strokes hardly touch (the condensed
// face's digits at 7 pixels span 7 rows and stand 5 tall), so the height is
// counted from the drawn digits.
double DrawnDigitHeight(const QFont& font) {
  const QFontMetricsF fm(font);
  QImage img(static_cast<int>(std::ceil(fm.horizontalAdvance(kDigits))) + 2 * kPad,
             static_cast<int>(std::ceil(fm.height())) + 2 * kPad, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.setFont(font);
  p.setPen(Qt::white);
  QStaticText text{QString(kDigits)};
  text.setTextFormat(Qt::PlainText);
  p.drawStaticText(QPointF(kPad, kPad), text);
  p.end();
  const int w = img.width(), h = img.height();
  const auto stroke = [](QRgb px) { return qAlpha(px) >= kStrokeAlpha; };
  int top = h, bottom = -1;
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    if (std::any_of(row, row + w, stroke)) {
      top = std::min(top, y);
      bottom = y;
    }
  }
  return bottom >= top ? bottom - top + 1 : 0;
}

// The smallest whole size in screen pixels at which the digits of a family
// stand kSmallestDigitPx tall (9 when no font can be measured).
// Called with gFontMutex held.
double SmallestLegiblePx(const std::string& family, bool bold) {
  static auto* sizes = new std::map<std::pair<std::string, bool>, double>;
  if (!HaveGuiApp()) return 9;
  auto [it, added] = sizes->try_emplace({family, bold}, 0);
  if (added) {
    int px = static_cast<int>(kSmallestDigitPx);
    while (px < 4 * kSmallestDigitPx && DrawnDigitHeight(FontOf(family, px, bold)) < kSmallestDigitPx) ++px;
    it->second = px;
  }
  return it->second;
}

}  // namespace

const FontEntry& FontFor(const std::string& name, double sizePt, bool bold, double deviceScale, bool finePrint) {
  // Never destroyed: its fonts must not outlive the GUI application at exit.
  static auto* fonts = new std::map<std::tuple<std::string, double, bool, double, bool>, FontEntry>;
  const double pt = std::isfinite(sizePt) ? std::clamp(sizePt, 1.0, 500.0) : 8.0;
  const double scale = std::isfinite(deviceScale) ? std::clamp(deviceScale, 0.25, 8.0) : 1.0;
  const std::lock_guard<std::mutex> lock(gFontMutex);
  auto [it, added] = fonts->try_emplace({name, pt, bold, scale, finePrint});
  FontEntry& e = it->second;
  if (added) {
    const std::string family = FamilyFor(name);
    // The floor is of the screen's pixels: on a scaled screen a face may be
    // smaller in picture pixels and still read.
    const long px = std::lround(pt * 96.0 / 72.0 * scale);
    e.font = FontOf(family, static_cast<int>(finePrint ? px : std::max<long>(px, SmallestLegiblePx(family, bold))), bold);
  }
  if (!e.measured) {
    if (HaveGuiApp()) {
      const QFontMetricsF fm(e.font);
      e.ascent = fm.ascent();
      e.height = fm.height();
      e.digitHeight = DrawnDigitHeight(e.font);
      e.measured = true;
      while (!e.texts.empty()) Forget(e, e.texts.begin());
    } else {
      // Without a GUI application no font can be measured; an estimate from
      // the font size keeps the layout going.
      e.ascent = e.font.pixelSize();
      e.height = 1.2 * e.font.pixelSize();
      e.digitHeight = 0.73 * e.font.pixelSize();
    }
  }
  return e;
}

std::vector<FaceSize> SizesDownToFloor(const std::string& name, double sizePt, bool bold, double deviceScale) {
  std::vector<FaceSize> out;
  for (const std::string& face : {name, std::string(kCondensedFace)}) {
    if (face != name && FamilyFor(face) == FamilyFor(name)) continue;
    const int own = FontFor(face, sizePt, bold, deviceScale).font.pixelSize();
    const int floor = FontFor(face, 1, bold, deviceScale).font.pixelSize();
    out.push_back({face, sizePt});
    for (int px = own - 1; px >= floor; --px) out.push_back({face, px * 72.0 / 96.0 / deviceScale});
  }
  return out;
}

std::size_t DrawnBytes() {
  const std::lock_guard<std::mutex> lock(gFontMutex);
  return gDrawnBytes;
}

const LaidOutText& TextIn(const FontEntry& constFont, const std::string& text) {
  const std::lock_guard<std::mutex> lock(gFontMutex);
  auto& font = const_cast<FontEntry&>(constFont);
  TextsByUse& byUse = TextsInOrderOfUse();
  if (auto it = font.texts.find(text); it != font.texts.end()) {
    if (it->second.laidOut || !HaveGuiApp()) {
      byUse.splice(byUse.end(), byUse, it->second.use);
      return it->second;
    }
    // Estimated before there was a GUI application: laid out anew.
    Forget(font, it);
  }
  while (!byUse.empty() && (byUse.size() >= kMaxTexts || gDrawnBytes >= kMaxDrawnBytes)) {
    FontEntry& oldest = *byUse.front().font;
    Forget(oldest, oldest.texts.find(*byUse.front().text));
  }
  LaidOutText t;
  const QString qs = ToQString(text);
  if (HaveGuiApp()) {
    const QFontMetricsF fm(font.font);
    t.laidOut = true;
    t.width = fm.horizontalAdvance(qs);
    // Qt counts leading blanks as ink: measured from the first glyph.
    qsizetype lead = 0;
    while (lead < qs.size() && qs[lead] == u' ') ++lead;
    if (lead < qs.size())
      t.ink = fm.tightBoundingRect(qs.mid(lead)).translated(fm.horizontalAdvance(qs.left(lead)), font.ascent);
    // Laid out for drawing when first drawn: many texts are only measured.
    t.text = QStaticText(qs);
    t.text.setTextFormat(Qt::PlainText);
  } else {
    t.width = 0.6 * font.font.pixelSize() * static_cast<double>(qs.size());
    t.ink = QRectF(0, 0, t.width, font.height);
  }
  const auto added = font.texts.emplace(text, std::move(t)).first;
  added->second.use = byUse.insert(byUse.end(), TextOfFont{&font, &added->first});
  return added->second;
}

namespace {

// Whether a row of pixels has any with some cover: the pixels or-ed
// together and the alpha of that looked at. Eight at a time, without a
// branch, which the compiler does in a few wide steps.
bool RowHasCover(const QRgb* row, int width) {
  constexpr int kBlock = 8;
  std::array<QRgb, kBlock> any{};
  int x = 0;
  for (; x + kBlock <= width; x += kBlock)
    for (int i = 0; i < kBlock; ++i) any[static_cast<std::size_t>(i)] |= row[x + i];
  QRgb all = 0;
  for (const QRgb a : any) all |= a;
  for (; x < width; ++x) all |= row[x];
  return qAlpha(all) != 0;
}

}  // namespace

QRect InkedPart(const QImage& image) {
  const QImage argb = image.format() == QImage::Format_ARGB32_Premultiplied || image.format() == QImage::Format_ARGB32
                          ? image
                          : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const int w = argb.width(), h = argb.height();
  const auto row = [&argb](int y) { return reinterpret_cast<const QRgb*>(argb.constScanLine(y)); };
  int top = 0, bottom = h - 1;
  while (top < h && !RowHasCover(row(top), w)) ++top;
  if (top == h) return {};
  while (!RowHasCover(row(bottom), w)) --bottom;
  // Row by row only the columns left and right of the part found so far
  // are looked at.
  int left = w, right = -1;
  for (int y = top; y <= bottom; ++y) {
    const QRgb* r = row(y);
    int x = 0;
    while (x < left && qAlpha(r[x]) == 0) ++x;
    left = x;
    x = w - 1;
    while (x > right && qAlpha(r[x]) == 0) --x;
    right = x;
  }
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

const DrawnPicture& DrawnText(const FontEntry& font, const LaidOutText& t, Color c) {
  const std::lock_guard<std::mutex> lock(gFontMutex);
  auto& drawn = const_cast<LaidOutText&>(t).drawn;
  if (auto it = drawn.find(c); it != drawn.end()) return it->second;
  QImage img(static_cast<int>(std::ceil(t.width)) + 2 * kPad, static_cast<int>(std::ceil(font.height)) + 2 * kPad,
             QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.setFont(font.font);
  p.setPen(ToQColor(c));
  p.drawStaticText(QPointF(kPad, kPad), t.text);
  p.end();
  gDrawnBytes += static_cast<std::size_t>(img.sizeInBytes());
  const QRect inked = InkedPart(img);
  return drawn.emplace(c, DrawnPicture{std::move(img), inked}).first->second;
}

}  // namespace ondrik::picturetext
