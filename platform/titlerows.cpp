#include "platform/titlerows.h"

#include <algorithm>
#include <cmath>

#include "platform/picturetext.h"

namespace ondrik {

namespace {

// The white box reaches this far over and under the rows, whole pixels.
constexpr double kBoxPadPx = 1;

// The texts between a line's runs of blanks of at least `blanks`.
std::vector<std::string> Pieces(const std::string& line, std::size_t blanks) {
  std::vector<std::string> out;
  const std::string run(blanks, ' ');
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && line[i] == ' ') ++i;
    std::size_t end = i;
    while (end < line.size() && line.compare(end, blanks, run) != 0) ++end;
    std::size_t last = end;
    while (last > i && line[last - 1] == ' ') --last;
    if (last > i) out.push_back(line.substr(i, last - i));
    i = end;
  }
  return out;
}

// The width a row takes on its white box (picture pixels): its advance, and
// at least its ink with a blank's width of white either side.
double RowWidthPx(const PictureBox& pic, const std::string& row) {
  return std::max(pic.TextWidthPx(row), pic.TextInkPx(row).width() + 2 * pic.TextWidthPx(" "));
}

// Texts joined by `gap`, as many to a row as fit across `room`.
std::vector<std::string> Pack(const PictureBox& pic, const std::vector<std::string>& texts, const std::string& gap,
                              double room) {
  std::vector<std::string> rows;
  for (const std::string& t : texts) {
    if (!rows.empty() && RowWidthPx(pic, rows.back() + gap + t) <= room) rows.back() += gap + t;
    else rows.push_back(t);
  }
  return rows;
}

// The rows a line takes across `room`: the line itself when it fits; else
// its fields two blanks apart, as many to a row as fit, a field wider than
// the room over rows of its own words.
std::vector<std::string> Rows(const PictureBox& pic, const std::string& line, double room) {
  if (RowWidthPx(pic, line) <= room) return {line};
  std::vector<std::string> parts;
  for (const std::string& field : Pieces(line, 2))
    for (const std::string& part : Pack(pic, Pieces(field, 1), " ", room)) parts.push_back(part);
  return Pack(pic, parts, "  ", room);
}

}  // namespace

std::size_t TitleRows::Count() const {
  std::size_t n = 0;
  for (const auto& l : lines) n += l.size();
  return n;
}

TitleRows LayOutTitleRows(PictureBox& pic, const std::vector<std::string>& lines, double roomPx) {
  const std::string keptName = pic.FontName;
  const double keptSize = pic.FontSize;
  const auto allFit = [&] {
    return std::all_of(lines.begin(), lines.end(), [&](const std::string& l) { return RowWidthPx(pic, l) <= roomPx; });
  };
  // A smaller face, then the condensed face so, then more rows.
  for (const picturetext::FaceSize& f :
       picturetext::SizesDownToFloor(keptName, keptSize, pic.FontBold, pic.DeviceScale())) {
    pic.FontName = f.name;
    pic.FontSize = f.pt;
    if (allFit()) break;
  }
  const std::string probe = lines.empty() ? std::string("0") : lines.front();
  TitleRows t;
  t.fontName = pic.FontName;
  t.fontSize = pic.FontSize;
  t.rowPx = pic.TextHeightPx(probe);
  for (const std::string& l : lines) {
    t.lines.push_back(Rows(pic, l, roomPx));
    for (const std::string& r : t.lines.back()) t.widthPx = std::max(t.widthPx, RowWidthPx(pic, r));
  }
  pic.FontName = keptName;
  pic.FontSize = keptSize;
  return t;
}

void PrintTitleRows(PictureBox& pic, const TitleRows& rows, double centreXPx, double topPx,
                    const std::vector<Color>& colours) {
  if (rows.Count() == 0) return;
  const double left = pic.ScaleLeft(), top = pic.ScaleTop(), w = pic.ScaleWidth(), h = pic.ScaleHeight();
  const std::string keptName = pic.FontName;
  const double keptSize = pic.FontSize;
  const Color keptColour = pic.ForeColor;
  const bool keptTransparent = pic.FontTransparent;
  pic.ScalePixels();
  pic.FontName = rows.fontName;
  pic.FontSize = rows.fontSize;
  const double x = centreXPx - rows.widthPx / 2;
  pic.Box(x, std::floor(topPx) - kBoxPadPx, x + rows.widthPx, std::ceil(topPx + rows.HeightPx()) + kBoxPadPx,
          RGB(255, 255, 255), true);
  pic.FontTransparent = true;
  double y = topPx;
  for (std::size_t i = 0; i < rows.lines.size(); ++i) {
    if (!colours.empty()) pic.ForeColor = colours[std::min(i, colours.size() - 1)];
    for (const std::string& r : rows.lines[i]) {
      pic.CurrentX = centreXPx - pic.TextWidthPx(r) / 2;
      pic.CurrentY = y;
      pic.Print(r);
      y += rows.rowPx;
    }
  }
  pic.FontTransparent = keptTransparent;
  pic.ForeColor = keptColour;
  pic.FontName = keptName;
  pic.FontSize = keptSize;
  pic.Scale(left, top, left + w, top + h);
}

}  // namespace ondrik
