// cGdiPlus: saves the picture of a picture box as an image file. The encoder
// is chosen by the file name's extension (case-blind) among the image writers
// of the platform; JPEG files take a quality value. A failed save raises the
// Error event with a status number and its text and returns false; the file
// is encoded in memory and saved whole through a temporary file in the same
// folder (every write checked), so a failure, a full disk included, never
// destroys an earlier copy.
#pragma once

#include <QImage>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/effects.h"
#include "platform/picturebox.h"

namespace ondrik {

// Status numbers of a save, as the Error event reports them.
enum GdiStatus {
  kGdiOk = 0,
  kGdiGenericError = 1,
  kGdiInvalidParameter = 2,
  kGdiOutOfMemory = 3,
  kGdiWin32Error = 7,
  kGdiFileNotFound = 10,
  kGdiAccessDenied = 12,
  kGdiUnknownImageFormat = 13,
};

class cGdiPlus {
 public:
  // Reads the list of encoders (the writable image formats). Files are
  // written through effects.
  explicit cGdiPlus(Effects& effects = TheEffects());

  // Saves pic's picture to sFilename; quality (0..100) is used by the JPEG
  // encoder only. False when the extension has no encoder (no event) or the
  // save failed (Error raised).
  bool PictureBoxToFile(const PictureBox& pic, const std::string& sFilename, int lQuality);
  // The same for an image that is not held by a picture box.
  bool ImageToFile(const QImage& image, const std::string& sFilename, int lQuality);

  // The text of a status number ("Access Denied"); "Unknown GDI+ Error" for
  // 0 and any number outside 1..20.
  static std::string GdiErrorString(int lError);

  // Raised when a save fails: status number and its text.
  std::function<void(int lGdiError, const std::string& sErrorDesc)> Error;

  // The detail of the last failure (the file and the platform's reason);
  // empty after a successful save.
  const std::string& LastErrorDetail() const { return lastDetail_; }

  // The text after the last "." of a path; empty when there is none or when
  // a folder separator follows it.
  static std::string FileExtension(const std::string& path);
  // Index of the encoder of a pattern such as "*.png" (case-blind); -1 when
  // there is none.
  int EncoderIndexOf(const std::string& pattern) const;
  int EncoderCount() const { return static_cast<int>(encoders_.size()); }

 private:
  void AddExtensions(const std::string& list, char separator, int index);
  void RaiseError(int status, const std::string& detail);

  std::vector<std::string> encoders_;     // format names of the image writer
  std::map<std::string, int> extensions_; // upper-cased pattern -> encoder index
  std::string lastDetail_;
  Effects& effects_;
};

}  // namespace ondrik
