#include "profilewindow/export.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <utility>

#include "core/store.h"
#include "platform/savefile.h"
#include "profilewindow/snapshot.h"
#include "savedstate/ownfiles.h"

namespace ondrik {

namespace {

std::string TwoDigits(int v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", v);
  return buf;
}

// yyyy-mm-dd hh:nn:ss
std::string IsoTime(const DateTime& t) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:00", t.year, t.month, t.day, t.hour, t.minute);
  return buf;
}

// Right-aligned in at least `width` columns.
std::string RightAligned(const std::string& text, std::size_t width) {
  if (text.size() >= width) return text;
  return std::string(width - text.size(), ' ') + text;
}

}  // namespace

std::string ExportBaseName(const std::string& modelName, const std::string& siteId, const DateTime& runTime,
                           int curHour) {
  return modelName + "_" + siteId + "_" + TwoDigits(runTime.year % 100) + TwoDigits(runTime.month) +
         TwoDigits(runTime.day) + "_" + TwoDigits(runTime.hour) + "z_F" + TwoDigits(curHour);
}

bool ExportableProfile(int d, int h) {
  if (gDatasetCount < 1 || d < 1 || d > gDatasetCount || d > kMaxDatasets) return false;
  if (h < 0 || h >= kMaxHours || h > gLastHour(d)) return false;
  const int n = gNumLevels(d);
  return n >= 1 && n <= kMaxLevels;
}

std::string NspText(int d, int h, const std::string& siteId) {
  std::string out = "OBS BUFRUA  " + siteId + " " + IsoTime(gValidTime(d, h)) + " " + " LAT=" +
                    FormatFixed(gSiteLat(1), 5) + " LON=" + FormatFixed(-static_cast<double>(gSiteLon(1)), 5) +
                    "\n";
  out += "PRESSURE  HGHT\t   TEMP\t  DWPT    WDIR     WSPD    OMEG\n";
  for (int L = 1; L <= gNumLevels(d); ++L) {
    for (const float v : {gPres(d, h, L), gHght(d, h, L), gTemp(d, h, L), gDewpt(d, h, L), gWdir(d, h, L),
                          gWspd(d, h, L)})
      out += FormatFixed(v, 6) + "  ";
    out += "-9999.000000\n";
  }
  return out;
}

std::string BspText(int d, int h, const std::string& siteId) {
  const DateTime& t = gValidTime(d, h);
  const std::string crlf = "\r\n";
  std::string out = "%TITLE%" + crlf;
  out += " " + siteId + "   " + TwoDigits(t.year % 100) + TwoDigits(t.month) + TwoDigits(t.day) + "/" +
         TwoDigits(t.hour) + TwoDigits(t.minute) + crlf;
  out += crlf;
  out += "   LEVEL       HGHT       TEMP       DWPT       WDIR       WSPD" + crlf;
  out += std::string(67, '-') + crlf;
  out += "%RAW%" + crlf;
  for (int L = 1; L <= gNumLevels(d); ++L) {
    bool first = true;
    for (const float v : {gPres(d, h, L), gHght(d, h, L), gTemp(d, h, L), gDewpt(d, h, L), gWdir(d, h, L),
                          gWspd(d, h, L)}) {
      if (!first) out += ",  ";
      first = false;
      out += RightAligned(FormatFixed(v, 2), 8);
    }
    out += crlf;
  }
  out += "%END%" + crlf;
  out += crlf;
  return out;
}

ExportResult ExportProfile(const std::string& exportDir, const std::string& modelName,
                           const std::string& siteId, int curHour, Effects& effects) {
  ExportResult r;
  // The dataset shown, not the file's last one: with an ensemble loaded the
  // forecaster exports the member on the chart, the one being looked at.
  const int d = gCurDataset;
  if (!ExportableProfile(d, curHour)) {
    r.error = "There is no profile to export: load a profile file first.";
    effects.Message(r.error, kProgramName, MsgIcon::Information);
    return r;
  }
  const std::string base = ExportBaseName(modelName, siteId, gValidTime(d, 0), curHour);
  r.nspPath = JoinFolder(exportDir, base + std::string(saved::kNspExtension));
  r.bspPath = JoinFolder(exportDir, base + std::string(saved::kBspExtension));
  for (const auto& [path, text] : {std::pair(r.nspPath, NspText(d, curHour, siteId)),
                                    std::pair(r.bspPath, BspText(d, curHour, siteId))}) {
    if (!SaveFileReplacing(path, text, effects, &r.error)) {
      effects.Message(saved::SaveFailedMessage("The profile export", path, r.error), kProgramName, MsgIcon::Warning);
      return r;
    }
  }
  r.ok = true;
  return r;
}

}  // namespace ondrik
