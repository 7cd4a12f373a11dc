#include "core/reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "core/ccl.h"
#include "core/constants.h"
#include "core/derived.h"
#include "core/levels.h"
#include "core/numberscan.h"
#include "core/preciptype.h"
#include "core/reader_layouts.h"
#include "core/recentvalues.h"
#include "core/shear.h"
#include "core/stormmotion.h"
#include "core/thermo.h"

namespace ondrik {

using numberscan::TrimBlanks;

// ---------------------------------------------------------------------------
// The load

namespace {

// Scalars the load writes; put back when a load fails.
struct SavedScalars {
  Integer datasetCount = gDatasetCount;
  Integer curDataset = gCurDataset;
  std::string profileExt = gProfileExt;
  Integer chartBottom = gChartBottom;
  Single hoursPerStep = gHoursPerStep;
  Single maxSpecHum = MaxSpecHum;
  Single maxSfcPres = MaxSfcPres;
  Integer tzOffset = gTZOffset;
  Integer elevatedLevel = gElevatedLevel;

  void Restore() const {
    gDatasetCount = datasetCount;
    gCurDataset = curDataset;
    gProfileExt = profileExt;
    gChartBottom = chartBottom;
    gHoursPerStep = hoursPerStep;
    MaxSpecHum = maxSpecHum;
    MaxSfcPres = maxSfcPres;
    gTZOffset = tzOffset;
    gElevatedLevel = elevatedLevel;
  }
};

// Control settings worked out while reading; applied after the commit.
struct ControlSettings {
  Integer lastHour = 0;
  Integer smallestLastHour = kMaxHours - 1;
  Integer sigmaMin = 0, sigmaMax = 0, sigmaValue = 0;
  Integer meanFlowMin0 = 0, meanFlowMin1 = 0, meanFlowValue0 = 1, meanFlowValue1 = 1;
  DatasetBoxes boxes;
};

// The whole file in memory (its bytes are not zero-filled first).
struct FileText {
  std::unique_ptr<char[]> bytes;
  std::size_t size = 0;
  std::string_view View() const { return {bytes.get(), size}; }
};

bool SameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

// Reads the whole file at path through read: "" when it was read whole,
// else why not (the system's reason, or kFileChangedWhileRead when the file
// grew, shrank or was written while it was read).
std::string ReadWholeFile(const std::string& path, const ReadBytes& read, FileText& text) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::generic_category().message(errno);
  std::string reason;
  struct stat before {}, after {};
  if (::fstat(fd, &before) != 0) {
    reason = std::generic_category().message(errno);
  } else {
    // Room for one byte more than measured, so that a file that grew shows.
    const auto size = static_cast<std::size_t>(std::max<off_t>(before.st_size, 0));
    text.bytes = std::make_unique_for_overwrite<char[]>(size + 1);
    std::size_t got = 0;
    long long n = 0;
    errno = 0;
    while (got <= size && (n = read(fd, text.bytes.get() + got, static_cast<long long>(size + 1 - got))) > 0)
      got += static_cast<std::size_t>(n);
    text.size = std::min(got, size);
    if (n < 0)
      reason = std::generic_category().message(errno != 0 ? errno : EIO);
    else if (::fstat(fd, &after) != 0)
      reason = std::generic_category().message(errno);
    else if (got != size || after.st_size != before.st_size || !SameTime(after.st_mtim, before.st_mtim))
      reason = kFileChangedWhileRead;
  }
  ::close(fd);
  return reason;
}

// Saturation vapour pressure over water, hPa, at t deg C.
double VapourPressure(float t) {
  const double T = t;
  return 6.112 * std::exp(17.67 * T / (T + 243.5));
}
// (1000 / p)^(2/7): potential temperature per kelvin at p mb.
double PotentialFactor(float p) { return std::pow(1000.0 / static_cast<double>(p), kKappa); }
struct CosSin {
  double c = 0, s = 0;
};
// Cosine and sine of the direction the wind blows towards, from the
// direction it comes from (degrees).
CosSin WindTowards(float wdir) {
  const double rad = (270.0 - wdir) * kRadPerDeg;
  return {std::cos(rad), std::sin(rad)};
}

class Loader {
 public:
  Loader(std::string_view text, const ModelLayout& layout, const LoadOptions& options, LoadUi& ui)
      : text_(text), in_(text), layout_(layout), opt_(options), ui_(ui) {}

  // Reads every dataset and runs the derivations on the current store.
  // With sideBySide, the datasets after the first are read on several
  // threads where the file allows (see ReadSideBySide); false when that
  // went wrong, and the load must be run again without.
  bool Run(const std::string& ext, bool sideBySide) {
    MaxSpecHum = 0;
    if (in_.OnlyBlankLeft()) throw ProfileReadError("the file holds no profile data");
    const std::size_t start = in_.Position();
    const int startLine = in_.Line();
    ReadDataset(ext);
    if (sideBySide && !in_.OnlyBlankLeft() &&
        !ReadSideBySide(ext, in_.Line() - startLine, in_.Position() - start)) {
      return false;
    }
    while (gDatasetCount < kMaxDatasets && !in_.OnlyBlankLeft()) ReadDataset(ext);
    // A 25th dataset and any after it have no place in the store: they are
    // counted, so that the user learns what was left out.
    leftOut_ = 0;
    while (!in_.OnlyBlankLeft()) {
      ++leftOut_;
      if (!SkipDataset(in_)) break;
    }

    DecidePrecipType();
    const int D = gDatasetCount;
    // Hours between the first two valid times; a dataset of one hour (or
    // one whose times do not advance) takes the model's step.
    const std::int64_t minutes =
        gLastHour(D) >= 1 ? MinutesBetween(gValidTime(D, 0), gValidTime(D, 1)) : 0;
    gHoursPerStep = minutes > 0 ? static_cast<Single>(minutes) / 60.0f : opt_.modelHourStep;
    ctl_.boxes = ComputeEnsembleNames();
    return true;
  }

  const ControlSettings& Controls() const { return ctl_; }
  int LineNumber() const { return in_.LineNumber(); }
  // The datasets after the last one the store has room for.
  int LeftOut() const { return leftOut_; }

 private:
  // What reading a dataset's text leaves for its derivation.
  struct DatasetText {
    bool cfrlSeen = false;
    Single maxSpecHum = 0;
    std::vector<SurfaceRecord> surface;
  };
  // A dataset read in one go: its text, then what follows from it, then
  // the lines up to the next dataset.
  void ReadDataset(const std::string& ext) {
    const int D = gDatasetCount + 1;
    DatasetText text;
    gDatasetCount = D;
    gCurDataset = D;
    gProfileExt = ext;
    ReadDatasetText(in_, D, text);
    DeriveDataset(D, text, ext);
    SkipToNextDataset(in_);
  }
  bool ReadSideBySide(const std::string& ext, int lines, std::size_t bytes);
  // Reads dataset D's header, hours and surface records from `in` into the
  // store. Writes nothing but the store's entries of D and `text`, so that
  // datasets can be read on threads of their own.
  void ReadDatasetText(ProfileTokenizer& in, int D, DatasetText& text) const;
  static void SkipToNextDataset(ProfileTokenizer& in) {
    // The rest of the dataset up to its blank line, and one line more.
    while (!TrimBlanks(in.ReadLine()).empty()) {
    }
    if (!in.AtEnd()) in.ReadLine();
  }
  // Reads past a dataset without storing it: its hours up to the header of
  // its surface section (as the hours past the store's last one are read
  // past), then the section. False when the file ends inside it.
  static bool SkipDataset(ProfileTokenizer& in) {
    try {
      while (in.ReadLine().find("YYMMDD") == std::string_view::npos) {
      }
      SkipToNextDataset(in);
      return true;
    } catch (const ProfileReadError&) {
      return false;
    }
  }
  void ReadStationIndices(ProfileTokenizer& in, int D, int H) const;
  // The level arrays that a level's items and what follows from them go to,
  // as the levels of one dataset and hour.
  struct HourRows {
    template <typename T>
    using Row = std::span<T, static_cast<std::size_t>(kMaxLevels) + 1>;
    template <typename T>
    using WindRow = std::span<T, static_cast<std::size_t>(kMaxLevels) + 2>;
    HourRows(ProfileStore& s, int D, int H)
        : pres(s.gPres.Of(D, H)), temp(s.gTemp.Of(D, H)), wetBulb(s.gWetBulb.Of(D, H)),
          thetaE(s.gThetaE.Of(D, H)), wdir(s.gWdir.Of(D, H)), wspd(s.gWspd.Of(D, H)), cfrl(s.gCfrl.Of(D, H)),
          hght(s.gHght.Of(D, H)), rh(s.gRH.Of(D, H)), rhIce(s.gRHIce.Of(D, H)),
          mixRatioSat(s.gMixRatioSat.Of(D, H)), mixRatio(s.gMixRatio.Of(D, H)), specHum(s.gSpecHum.Of(D, H)),
          omega(s.gOmega.Of(D, H)), theta(s.gTheta.Of(D, H)), dewpt(s.gDewpt.Of(D, H)),
          hghtAGL(s.gHghtAGL.Of(D, H)), frostPt(s.gFrostPt.Of(D, H)), windU(s.gWindU.Of(D, H)),
          windV(s.gWindV.Of(D, H)), windUAsLoaded(s.gWindUAsLoaded.Of(D, H)),
          windVAsLoaded(s.gWindVAsLoaded.Of(D, H)) {}
    Row<Single> pres, temp, wetBulb, thetaE, wdir, wspd, cfrl, hght, rh, rhIce, mixRatioSat, mixRatio, specHum,
        omega, theta, dewpt, hghtAGL;
    Row<double> frostPt;
    WindRow<Single> windU, windV, windUAsLoaded, windVAsLoaded;  // level l at l + 1
  };
  void ReadLevel(ProfileTokenizer& in, const HourRows& rows, int i, Single p, Single elevM, DatasetText& text) const;
  void SkipLevelItems(ProfileTokenizer& in) const {
    std::array<Single, static_cast<std::size_t>(LevelColumn::Count)> items;
    in.ReadNumbers(std::span(items).first(layout_.levelColumns.size()));
  }
  // Stores dataset D's surface records and derives what the displays share,
  // in the file's order of datasets (the derivations read and write the
  // load's globals).
  void DeriveDataset(int D, const DatasetText& text, const std::string& ext);

  std::string_view text_;
  ProfileTokenizer in_;
  const ModelLayout& layout_;
  const LoadOptions& opt_;
  LoadUi& ui_;
  ControlSettings ctl_;
  int leftOut_ = 0;
  // The values met in earlier loads stay known for later ones. A large file
  // holds several thousand different pressures.
  static inline thread_local RecentValues<double> vapourPressure_{VapourPressure};
  static inline thread_local RecentValues<double, 14> potentialFactor_{PotentialFactor};
  static inline thread_local RecentValues<CosSin> windTowards_{WindTowards};
};

// The datasets of a file are alike as a rule (the members of one ensemble,
// each with the same hours and levels), so where each has as many lines as
// the first, the next ones start every `lines` lines (the first's `bytes`
// are worth the threads' start). Each is read from there
// on a thread of the few this load starts; one counts when it was read
// without fault and ended where the next was taken to start. They are then
// derived in the file's order, as if read one after the other. False when
// one does not count (datasets of other lengths, a fault in the file): the
// store then holds what it must not, and the load starts again without this.
bool Loader::ReadSideBySide(const std::string& ext, int lines, std::size_t bytes) {
  // Reading a dataset of fewer bytes takes less than starting a thread.
  if (constexpr std::size_t kBytesWorthAThread = 64 * 1024; bytes < kBytesWorthAThread) return true;
  struct Part {
    std::size_t pos = 0, endPos = 0;
    int line = 0, endLine = 0;
    bool read = false;
    DatasetText text;
  };
  const int first = gDatasetCount + 1;
  std::vector<Part> parts;
  for (std::size_t pos = in_.Position(), line = static_cast<std::size_t>(in_.Line());;) {
    parts.emplace_back().pos = pos;
    parts.back().line = static_cast<int>(line);
    pos = numberscan::AfterLineFeeds(text_, pos, lines);
    line += static_cast<std::size_t>(lines);
    if (first + static_cast<int>(parts.size()) > kMaxDatasets || pos >= text_.size() ||
        ProfileTokenizer(text_, pos, 0).OnlyBlankLeft() || line > std::numeric_limits<int>::max()) {
      break;
    }
  }
  if (parts.size() < 2) return true;  // nothing to share: read as usual

  std::atomic<std::size_t> next{0};
  auto readParts = [&] {
    for (std::size_t k; (k = next.fetch_add(1)) < parts.size();) {
      Part& part = parts[k];
      try {
        ProfileTokenizer in(text_, part.pos, part.line);
        ReadDatasetText(in, first + static_cast<int>(k), part.text);
        SkipToNextDataset(in);
        part.endPos = in.Position();
        part.endLine = in.Line();
        part.read = true;
      } catch (...) {  // the load starts again and says what is wrong
      }
    }
  };
  {
    constexpr std::size_t kMaxThreads = 8;
    const std::size_t helpers = std::min({std::size_t{std::max(1u, std::thread::hardware_concurrency())},
                                          parts.size(), kMaxThreads}) - 1;
    std::vector<std::jthread> threads;
    try {
      while (threads.size() < helpers) threads.emplace_back(readParts);
    } catch (const std::system_error&) {  // fewer threads
    }
    readParts();
  }  // joined

  for (std::size_t k = 0; k < parts.size(); ++k) {
    const Part* after = k + 1 < parts.size() ? &parts[k + 1] : nullptr;
    if (!parts[k].read || (after && (parts[k].endPos != after->pos || parts[k].endLine != after->line))) return false;
  }
  try {
    for (std::size_t k = 0; k < parts.size(); ++k) DeriveDataset(first + static_cast<int>(k), parts[k].text, ext);
  } catch (...) {
    return false;
  }
  in_ = ProfileTokenizer(text_, parts.back().endPos, parts.back().endLine);
  return true;
}

void Loader::ReadDatasetText(ProfileTokenizer& in, int D, DatasetText& text) const {
  ProfileStore& s = Store();

  s.gDatasetTitle(D) = std::string(in.ReadLine());
  s.gDatasetLabel(D) = "";
  if (in.ReadLine().size() < 5) in.ReadLine();
  in.SkipLines(2);

  Single elevM = 0;
  int levels = 0;  // level count of the last hour stored
  for (int H = 0;; ++H) {
    std::string_view header;
    if (H - 1 <= kMaxHours - 1) {
      gLastHour(D) = H - 1;
      header = in.ReadLine();
    } else {
      // Hours past the store's last one: skip to the surface section.
      gLastHour(D) = kMaxHours - 1;
      do header = in.ReadLine();
      while (header.find("YYMMDD") == std::string_view::npos);
    }
    if (header.find("TIME") == std::string_view::npos) break;
    const bool stored = H < kMaxHours;
    if (stored) {
      DateTime vt;
      if (!ValidTimeOfHeader(header, vt)) {
        throw ProfileReadError("the hour header has no valid date and time");
      }
      s.gValidTime(D, H) = vt;
    }

    if (H == 0) {
      std::array<Single, 9> site;
      in.ReadNumbers(site);
      s.gSiteLat(D) = site[2];
      s.gSiteLon(D) = -site[5];
      elevM = site[8];
      s.gSiteElev(D) = site[8] / 1000.0f;
    } else {
      in.ReadLine();
    }
    in.SkipLines(2);

    if (stored) {
      ReadStationIndices(in, D, H);
    } else {
      in.SkipLines(4);
    }
    in.SkipLines(3);

    std::optional<HourRows> rows;
    if (stored) rows.emplace(s, D, H);
    int i = 0;
    for (;;) {
      ++i;
      const Single p = in.ReadNumber();
      if (p == 0) break;
      if (!stored) {
        in.SkipLines(2);
      } else if (i > kMaxLevels) {
        SkipLevelItems(in);  // a 68th level has no place in the store
      } else {
        ReadLevel(in, *rows, i, p, elevM, text);
      }
    }
    if (stored) {
      levels = std::min(i - 1, kMaxLevels);
      s.gWindEdited(D, H) = false;
    }
  }

  if (gLastHour(D) < 0) throw ProfileReadError("a dataset has no forecast hours");
  if (levels < 1) throw ProfileReadError("a forecast hour has no levels");
  gNumLevels(D) = levels;

  ReadSurfaceRecords(in, layout_, gLastHour(D), text.surface);
}

void Loader::ReadStationIndices(ProfileTokenizer& in, int D, int H) const {
  ProfileStore& s = Store();
  std::array<Single, 39> v;
  in.ReadNumbers(v);
  s.gShow(D, H) = v[2];
  s.gLift(D, H) = v[5];
  s.gSweat(D, H) = v[8];
  s.gKIndex(D, H) = v[11];
  s.gLclPres(D, H) = v[14];
  s.gPwat(D, H) = v[17] / kMmPerInchF;
  s.gTotals(D, H) = v[20];
  s.gCape(D, H) = v[23];
  s.gLclTemp(D, H) = v[26] - kKelvinF;
  s.gCins(D, H) = v[29];
  s.gEqlv(D, H) = v[32];
  s.gLfct(D, H) = v[35];
  s.gBrch(D, H) = v[38];
  if (!(s.gCape(D, H) > 0)) {
    s.gCape(D, H) = 0;
    s.gCins(D, H) = 999;
  }
  s.gCins(D, H) = std::fabs(s.gCins(D, H));
}

void Loader::ReadLevel(ProfileTokenizer& in, const HourRows& r, int i, Single p, Single elevM,
                       DatasetText& text) const {
  const auto k = static_cast<std::size_t>(i);  // 1..67
  std::array<Single, static_cast<std::size_t>(LevelColumn::Count)> item{};
  auto at = [&item](LevelColumn c) -> Single& { return item[static_cast<std::size_t>(c)]; };
  at(LevelColumn::Cfrl) = -1;  // a layout without cloud fractions
  std::array<Single, static_cast<std::size_t>(LevelColumn::Count)> read;
  const std::size_t count = layout_.levelColumns.size();
  in.ReadNumbers(std::span(read).first(count));
  for (std::size_t c = 0; c < count; ++c) at(layout_.levelColumns[c]) = read[c];
  const Single t = at(LevelColumn::Temp), tw = at(LevelColumn::WetBulb), thetaE = at(LevelColumn::ThetaE),
               wdir = at(LevelColumn::Wdir), wspd = at(LevelColumn::Wspd), omega = at(LevelColumn::Omega),
               cfrl = at(LevelColumn::Cfrl), hght = at(LevelColumn::Hght);
  Single td = at(LevelColumn::Dewpt);

  // Missing or implausible dew points.
  if (td < -270.0f) {
    td = t - 40.0f;
  } else if (td > t + 10.0f) {
    td = t - 10.0f;
  }
  if (cfrl > 0) text.cfrlSeen = true;

  // Humidity. A temperature below -100 degC (missing) or a pressure that is
  // not positive leaves no humidity; a dew point below -100 degC holds no
  // measurable vapour. Either way no exponential runs outside its range.
  const double T = t, Td = td, P = p;
  double rh = 0, rhIce = 0, mixSat = 0, mix = 0;
  if (T >= -100.0 && P > 0) {
    const double e = Td >= -100.0 ? vapourPressure_(td) : 0.0;
    double es = vapourPressure_(t);
    rh = 100.0 * e / es;
    if (T >= 0) {
      rhIce = rh;
    } else {
      es = 6.109177956 +
           T * (0.503469897 +
                T * (0.01886013408 +
                     T * (0.0004176223716 +
                          T * (5.82472028e-6 + T * (4.838803174e-8 + T * 1.838826904e-10)))));
      rhIce = es > 0 ? 100.0 * e / es : 0.0;
      if (T > -20.0) rhIce = T / 20.0 * (rh - rhIce) + rh;
    }
    const double f = 1.001 + 0.0034 * (P - 100.0) / 900.0;
    const double esf = es * f, ef = e * f;
    mixSat = P - esf > 0 ? 0.62197 * esf / (P - esf) * 1000.0 : 0.0;
    mix = P - ef > 0 ? 0.62197 * ef / (P - ef) * 1000.0 : 0.0;
  }
  r.pres[k] = p;
  r.temp[k] = t;
  r.wetBulb[k] = tw;
  r.thetaE[k] = thetaE;
  r.wdir[k] = wdir;
  r.wspd[k] = wspd;
  r.cfrl[k] = cfrl;
  r.hght[k] = hght;
  r.rh[k] = static_cast<Single>(rh);
  r.frostPt[k] = td > 0 ? static_cast<double>(td) : 0.8808 * Td - 0.0008 * Td * Td;
  r.rhIce[k] = static_cast<Single>(rhIce);
  r.mixRatioSat[k] = static_cast<Single>(mixSat);
  r.mixRatio[k] = static_cast<Single>(mix);
  const Single w = static_cast<Single>(mix);
  const Single q = w / (w + 1000.0f) * 1000.0f;
  r.specHum[k] = q;
  if (q > text.maxSpecHum) text.maxSpecHum = q;

  const CosSin towards = windTowards_(wdir);
  const Single u = static_cast<Single>(wspd / kKnotsPerMps * towards.c);
  const Single v = static_cast<Single>(wspd / kKnotsPerMps * towards.s);
  r.windU[k + 1] = u;
  r.windV[k + 1] = v;
  r.windUAsLoaded[k + 1] = u;
  r.windVAsLoaded[k + 1] = v;
  r.omega[k] = omega * 10.0f;
  const Single theta = P > 0 ? static_cast<Single>((T + kKelvin) * potentialFactor_(p)) : 0.0f;
  r.theta[k] = theta;
  if (!(td >= -1000.0f)) {  // missing temperature
    td = t - 50.0f;
    r.wetBulb[k] = t;
    r.rh[k] = 0;
    r.thetaE[k] = theta;
  }
  r.dewpt[k] = td;
  r.hghtAGL[k] = hght - elevM;
}

void Loader::DeriveDataset(int D, const DatasetText& text, const std::string& ext) {
  gDatasetCount = D;
  gCurDataset = D;
  gProfileExt = ext;
  if (text.maxSpecHum > MaxSpecHum) MaxSpecHum = text.maxSpecHum;
  StoreSurfaceRecords(layout_, text.surface);

  ProfileStore& s = Store();
  const int lastHour = gLastHour(D);
  const int n = gNumLevels(D);

  if (!text.cfrlSeen) MakeCFRL(D);
  FindWetBulbZero();

  const Single elevM = s.gSiteElev(D) * 1000.0f;
  for (int H = 0; H <= lastHour; ++H) {
    // No LFC: LFC and EL at the surface, no CIN. No EL: EL at the LFC.
    if (!(s.gLfct(D, H) > 0)) {
      s.gLfct(D, H) = s.gSfcPres(D, H);
      s.gEqlv(D, H) = s.gSfcPres(D, H);
      s.gCins(D, H) = 999;
    }
    if (!(s.gEqlv(D, H) > 0)) s.gEqlv(D, H) = s.gLfct(D, H);
    const Single cape = s.gCape(D, H), lfc = s.gLfct(D, H), el = s.gEqlv(D, H);
    Single normCape = 0;
    if (cape > 0 && lfc > 0 && el > 0 && el != lfc) {
      const double depth = static_cast<double>(StdHeightMOfPressure(el)) -
                           static_cast<double>(StdHeightMOfPressure(lfc));
      if (depth != 0) normCape = static_cast<Single>(cape / depth);
    }
    s.gNormCape(D, H) = normCape;

    // Level 0: surface values; level -1: the storm motion.
    s.gPres(D, H, 0) = s.gSfcPres(D, H);
    s.gWindU(D, H, 0) = s.gWind10U(D, H);
    s.gWindV(D, H, 0) = s.gWind10V(D, H);
    s.gWindU(D, H, -1) = s.gStormU(D, H);
    s.gWindV(D, H, -1) = s.gStormV(D, H);
    for (int l = -1; l <= 0; ++l) {
      s.gWindUAsLoaded(D, H, l) = s.gWindU(D, H, l);
      s.gWindVAsLoaded(D, H, l) = s.gWindV(D, H, l);
    }
    s.gWdir(D, H, 0) = s.gWind10Dir(D, H);
    s.gWspd(D, H, 0) = s.gWind10m(D, H);
    s.gHght(D, H, 0) = elevM;

    s.gHelicityDone(D, H) = 0;
    s.MatrixPageDone(D, H) = 0;
    s.gMbeDone(D, H) = 0;
    s.gLakeParcelDone(D, H) = 0;
    s.gLayerCapeDone(D, H) = false;
    s.gBulkShearDone(D, H) = false;
    s.XoverManual(D, H) = 999;

    const Single zs = StdHeightFtOfPressure(s.gSfcPres(D, H));
    s.gEqlvHgtAGL(D, H) = StdHeightFtOfPressure(s.gEqlv(D, H)) - zs;
    s.gLfcHgtAGL(D, H) =
        s.gCins(D, H) != 999 ? StdHeightFtOfPressure(s.gLfct(D, H)) - zs : 99999.0f;
    if (!(s.gLclPres(D, H) > 0)) s.gLclPres(D, H) = s.gSfcPres(D, H) - 10.0f;
    s.gLclHgtAGL(D, H) = StdHeightFtOfPressure(s.gLclPres(D, H)) - zs;
    s.gWbzHgtAGL(D, H) = s.gWbzHgt(D, H) - zs;

    MakeStormMotion(H);
  }

  gTZOffset = ui_.GetTimeZoneOffset(s.gSiteLat(D), s.gSiteLon(D));

  ctl_.lastHour = lastHour;
  ctl_.smallestLastHour = std::min<Integer>(ctl_.smallestLastHour, lastHour);

  ComputeCCL();
  SetProfileTopLevels();

  // Sigma-level bar: the configured level, or the bar's Max when that level
  // lies outside the bar.
  ctl_.sigmaMin = n - opt_.sigmaLevelStep - 1;
  ctl_.sigmaMax = opt_.sigmaLevelStep;
  const Integer sigma = LevelOfPressure(opt_.sigmaLevelPres);
  const Integer lo = std::min(ctl_.sigmaMin, ctl_.sigmaMax);
  const Integer hi = std::max(ctl_.sigmaMin, ctl_.sigmaMax);
  ctl_.sigmaValue = (sigma >= lo && sigma <= hi) ? sigma : ctl_.sigmaMax;

  // Mean-flow bars run from level 1 up; the upper one starts near 700 mb.
  ctl_.meanFlowMin0 = n - 2;
  ctl_.meanFlowMin1 = n;
  ctl_.meanFlowValue0 = 1;
  const Integer l700 = LevelOfPressure(700);
  ctl_.meanFlowValue1 = (l700 >= 1 && l700 <= n) ? l700 : 1;

  MaxSfcPres = 0;
  for (int H = 0; H <= lastHour; ++H) {
    if (s.gSfcPres(D, H) > MaxSfcPres) MaxSfcPres = s.gSfcPres(D, H);
    s.gParcelTraceDone(D, H) = 0;
    s.gCinTraceDone(D, H) = 0;
    s.UserStormSet(D, H) = 0;
    for (int l = 1; l <= n; ++l) s.gLevelParcelDone(D, H, l) = false;
    s.gECapeMark(D, H) = -1;
  }
  // The chart's bottom lies 4 % of its log-pressure span below the highest
  // surface pressure; a surface pressure of no atmosphere leaves it alone.
  SetChartBottom();
  MakeHeightScale();

  s.gOmegaSmoothDone(D) = 0;
  s.ThicknessDone(D) = 0;
  s.gWarmCloudTopDone(D) = 0;
  s.gWarmCloudDepthDone(D) = 0;
  s.gTQIndexDone(D) = false;
}

}  // namespace

long long ReadFileBytes(int fd, char* data, long long size) {
  ssize_t n = 0;
  do {
    n = ::read(fd, data, static_cast<std::size_t>(size));
  } while (n < 0 && errno == EINTR);
  return n;
}

LoadResult LoadProfileFile(const std::string& path, const LoadOptions& options, LoadUi& ui) {
  LoadResult result;
  const ModelLayout* layout = FindModelLayout(options.modelKey);
  if (layout == nullptr) {
    result.message = "The profile file " + path + " can't be read: the model key \"" +
                     options.modelKey + "\" has no known column layout";
    return result;
  }
  // Only a regular file is read: a folder cannot be, and a pipe or a device
  // may never end.
  std::error_code ec;
  const std::filesystem::file_status st = std::filesystem::status(path, ec);
  if (std::filesystem::exists(st) && !std::filesystem::is_regular_file(st)) {
    result.message = "The profile file " + path + " can't be read: it is " +
                     (std::filesystem::is_directory(st) ? "a folder" : "not a regular file") +
                     ", not a profile data file";
    return result;
  }
  FileText text;
  if (const std::string reason = ReadWholeFile(path, options.readBytes, text); !reason.empty()) {
    result.message = "Can't read the profile file " + path + ": " + reason;
    return result;
  }

  ui.SetBusyCursor(true);
  const SavedScalars saved;
  const Integer remembered = gCurDataset == 0 ? 1 : gCurDataset;
  const std::string ext = path.size() >= 3 ? path.substr(path.size() - 3) : path;
  std::optional<Loader> loader;
  try {
    StoreOverride scratch(ScratchStore());
    gLoadingState = true;
    // The new file starts from an empty store: nothing read or computed for
    // an earlier file stays behind. A second round reads one dataset after
    // the other.
    for (const bool sideBySide : {options.readSideBySide, false}) {
      saved.Restore();
      ClearScratchStore();
      gDatasetCount = 0;
      loader.emplace(text.View(), *layout, options, ui);
      if (loader->Run(ext, sideBySide)) break;
    }
  } catch (const std::exception& e) {
    saved.Restore();
    gLoadingState = false;
    ui.SetBusyCursor(false);
    result.message = "The profile file " + path + " can't be read (line " +
                     std::to_string(loader->LineNumber()) + "): " + e.what();
    return result;
  }
  CommitScratchStore();
  ui.NewFileLoaded();

  // The controls follow the new data.
  const ControlSettings& c = loader->Controls();
  ui.SetElevatedLevelBar(1);
  ui.SetHourBar(c.lastHour, c.smallestLastHour, options.timeLeftToRight);
  ui.SetSigmaLevelBar(c.sigmaMin, c.sigmaMax, c.sigmaValue);
  ui.SetMeanFlowBars(c.meanFlowMin0, c.meanFlowMin1, c.meanFlowValue0, c.meanFlowValue1);
  gLoadingState = false;
  ui.ShowEnsembleControls(gDatasetCount > 1);
  if (options.srInflowDepth > 0) {
    ui.HodoHeightClick(static_cast<Integer>(std::nearbyint(options.srInflowDepth)));
    ui.HodoBaseClick(static_cast<Integer>(std::nearbyint(options.srInflowBase)));
  }
  ui.RedrawMap();
  ui.SetDatasetBoxes(c.boxes);
  if (gDatasetCount > 1) ui.DatasetsChanged();
  gCurDataset = std::min(remembered, gDatasetCount);
  ui.DatasetsChanged();
  ui.SetBusyCursor(false);
  ui.FocusHourBar();
  result.ok = true;
  result.datasetsLeftOut = loader->LeftOut();
  if (const int n = result.datasetsLeftOut; n > 0) {
    result.notice = "The profile file " + path + " holds " + std::to_string(kMaxDatasets + n) + " datasets; the first " +
                    std::to_string(kMaxDatasets) + " are loaded and the last " +
                    (n == 1 ? std::string("one is") : std::to_string(n) + " are") + " left out.";
  }
  return result;
}

LoadResult LoadProfileFile(const std::string& path, const LoadOptions& options) {
  NoLoadUi ui;
  return LoadProfileFile(path, options, ui);
}

}  // namespace ondrik
