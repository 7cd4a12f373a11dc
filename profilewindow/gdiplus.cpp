#include "profilewindow/gdiplus.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>
#include <QString>

#include "platform/savefile.h"
#include "config/config.h"

namespace ondrik {

cGdiPlus::cGdiPlus(Effects& effects) : effects_(effects) {
  // One encoder per writable format, each listing its own pattern; JPEG
  // lists the usual spellings of its extension as one encoder.
  const auto formats = QImageWriter::supportedImageFormats();
  for (const QByteArray& f : formats) {
    const std::string name = ToUpperAscii(f.toStdString());
    if (name == "JPG" || name == "JPEG") continue;
    encoders_.push_back(name);
    AddExtensions("*." + name, ';', static_cast<int>(encoders_.size()) - 1);
  }
  if (formats.contains("jpeg") || formats.contains("jpg")) {
    encoders_.push_back(formats.contains("jpeg") ? "JPEG" : "JPG");
    AddExtensions("*.JPG;*.JPEG;*.JPE;*.JFIF", ';', static_cast<int>(encoders_.size()) - 1);
  }
}

void cGdiPlus::AddExtensions(const std::string& list, char separator, int index) {
  std::size_t start = 0;
  while (true) {
    const std::size_t sep = list.find(separator, start);
    if (sep == std::string::npos) {
      const std::string last = TrimBlanks(list.substr(start));
      if (!last.empty()) extensions_[ToUpperAscii(last)] = index;
      return;
    }
    extensions_[ToUpperAscii(list.substr(start, sep - start))] = index;
    start = sep + 1;
  }
}

int cGdiPlus::EncoderIndexOf(const std::string& pattern) const {
  const auto it = extensions_.find(ToUpperAscii(pattern));
  return it == extensions_.end() ? -1 : it->second;
}

std::string cGdiPlus::FileExtension(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos) return "";
  if (path.find_first_of("\\/", dot) != std::string::npos) return "";
  return path.substr(dot + 1);
}

std::string cGdiPlus::GdiErrorString(int lError) {
  switch (lError) {
    case 1: return "Generic Error";
    case 2: return "Invalid Parameter";
    case 3: return "Out Of Memory";
    case 4: return "Object Busy";
    case 5: return "Insufficient Buffer";
    case 6: return "Not Implemented";
    case 7: return "Win32 Error";
    case 8: return "Wrong State";
    case 9: return "Aborted";
    case 10: return "File Not Found";
    case 11: return "Value Overflow";
    case 12: return "Access Denied";
    case 13: return "Unknown Image Format";
    case 14: return "FontFamily Not Found";
    case 15: return "FontStyle Not Found";
    case 16: return "Not TrueType Font";
    case 17: return "Unsupported Gdiplus Version";
    case 18: return "Gdiplus Not Initialized";
    case 19: return "Property Not Found";
    case 20: return "Property Not Supported";
    default: return "Unknown GDI+ Error";
  }
}

void cGdiPlus::RaiseError(int status, const std::string& detail) {
  lastDetail_ = detail;
  if (Error) Error(status, GdiErrorString(status));
}

namespace {
// PNG quality for the fast deflate level (the encoder maps 0..100 to levels 9..0).
constexpr int kPngSpeedQuality = 80;
}  // namespace

bool cGdiPlus::PictureBoxToFile(const PictureBox& pic, const std::string& sFilename, int lQuality) {
  return ImageToFile(pic.DesignImage(), sFilename, lQuality);
}

bool cGdiPlus::ImageToFile(const QImage& image, const std::string& sFilename, int lQuality) {
  lastDetail_.clear();
  const std::string ext = FileExtension(sFilename);
  const int idx = ext.empty() ? -1 : EncoderIndexOf("*." + ext);
  if (idx < 0) {
    lastDetail_ = sFilename + ": no image encoder for this file type";
    return false;
  }
  if (image.isNull()) {
    RaiseError(kGdiInvalidParameter, sFilename + ": the picture is empty");
    return false;
  }
  // The picture is encoded in memory first and then saved whole through a
  // temporary file, so a failed save (a full disk) leaves an earlier file as
  // it was.
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, QByteArray::fromStdString(encoders_[static_cast<std::size_t>(idx)]));
  const char first = ext[0];
  if (first == 'J' || first == 'j') {
    writer.setQuality(lQuality < 0 ? 0 : (lQuality > 100 ? 100 : lQuality));
  } else if (QString::fromStdString(ext).compare("png", Qt::CaseInsensitive) == 0) {
    // The PNG encoder's quality is its compression the other way round: 80
    // is the fast deflate level, a little larger files in a third of the
    // time of the default (the pictures themselves are the same).
    writer.setQuality(kPngSpeedQuality);
  }
  if (!writer.write(image)) {
    const int status = writer.error() == QImageWriter::UnsupportedFormatError ? kGdiUnknownImageFormat
                                                                                : kGdiWin32Error;
    RaiseError(status, sFilename + ": " + writer.errorString().toStdString());
    return false;
  }
  std::string error;
  bool denied = false;
  if (!SaveFileReplacing(sFilename, bytes.toStdString(), effects_, &error, &denied)) {
    RaiseError(denied ? kGdiAccessDenied : kGdiWin32Error, error);
    return false;
  }
  return true;
}

}  // namespace ondrik
