// ondrik_storedump: loads profile files the way the profile window does, runs
// every computation the displays ask for on demand and prints every value of
// the profile store and of the results, so that two builds can be compared
// bit for bit (floating-point values are printed in hexadecimal, %a).
//
// Usage:
//   ondrik_storedump [data folder]
//       every *.ond file of the folder (default: the shipped data/), each in
//       a process of its own, then three sequences: NAM_KOKC then GFS_KBOS;
//       NAM_KOKC, GFS_KBOS then RUC_KDEN; NAM_KOKC then GFS_KBOS cut short
//   ondrik_storedump --run <file> [<file> ...]
//       loads the files one after the other in this process, computing every
//       result after each load, and dumps after the last one; a file written
//       "truncated:<file>" is loaded from a copy cut in half (a failed load)
//
// A run of more than one file also dumps the state right after the last
// load, before anything is computed: what a new file finds in the store.
//
// Besides the store, the dump has the chart's wind levels and mixed-layer
// tops, and a hash of the chart picture of every hour (parcel, CIN, dry
// adiabats, momentum transfer, omega and winds drawn).
//
// The output is deterministic; redirect it to a file and diff two builds.
// The run fails when an array of the profile store is missing from the dump.

#include <QGuiApplication>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "chart/chart.h"
#include "chart/windcolumn.h"
#include "core/ccl.h"
#include "core/derived.h"
#include "core/guards.h"
#include "core/mbe.h"
#include "core/parcels.h"
#include "core/preciptype.h"
#include "core/reader.h"
#include "core/shear.h"
#include "core/store.h"
#include "config/config.h"
#include "profilewindow/models.h"

#ifndef ONDRIK_DATA_DIR
#define ONDRIK_DATA_DIR "data"
#endif

namespace ondrik {
namespace {

// ---------------------------------------------------------------------------
// Values as text

std::string Text(float v) {
  char b[40];
  std::snprintf(b, sizeof b, "%a", static_cast<double>(v));
  return b;
}
std::string Text(double v) {
  char b[40];
  std::snprintf(b, sizeof b, "%a", v);
  return b;
}
std::string Text(int v) { return std::to_string(v); }
std::string Text(bool v) { return v ? "1" : "0"; }
std::string Text(const std::string& v) { return "\"" + v + "\""; }
std::string Text(const DateTime& t) {
  char b[40];
  std::snprintf(b, sizeof b, "%04d-%02d-%02dT%02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
  return b;
}

std::FILE* out = stdout;

// Names of the arrays dumped, to find any array of the store left out.
std::set<std::string> dumped;

void Line(const std::string& s) {
  std::fputs(s.c_str(), out);
  std::fputc('\n', out);
}

Integer Count() { return std::clamp<Integer>(gDatasetCount, 0, kMaxDatasets); }
Integer Last(Integer d) { return std::clamp<Integer>(gLastHour(d), -1, kMaxHours - 1); }
Integer Levels(Integer d) { return std::clamp<Integer>(gNumLevels(d), 0, kMaxLevels); }

// (D, H, level) array: one line per dataset and hour, levels lo..gNumLevels.
template <typename A>
void DumpLevels(const char* name, const A& a, int lo = 0) {
  dumped.insert(name);
  for (Integer d = 1; d <= Count(); ++d) {
    for (Integer h = 0; h <= Last(d); ++h) {
      std::string s = std::string(name) + " " + std::to_string(d) + " " + std::to_string(h) + ":";
      for (int l = lo; l <= Levels(d); ++l) s += " " + Text(a(d, h, l));
      Line(s);
    }
  }
}

// (D, H, k) array with elements lo..hi: one line per dataset and hour.
template <typename A>
void DumpElements(const char* name, const A& a, int lo, int hi) {
  dumped.insert(name);
  for (Integer d = 1; d <= Count(); ++d) {
    for (Integer h = 0; h <= Last(d); ++h) {
      std::string s = std::string(name) + " " + std::to_string(d) + " " + std::to_string(h) + ":";
      for (int k = lo; k <= hi; ++k) s += " " + Text(a(d, h, k));
      Line(s);
    }
  }
}

// (D, H, starting level, level) array: one line per starting level.
template <typename A>
void DumpParcelLevels(const char* name, const A& a) {
  dumped.insert(name);
  for (Integer d = 1; d <= Count(); ++d) {
    for (Integer h = 0; h <= Last(d); ++h) {
      for (int l0 = 0; l0 <= Levels(d); ++l0) {
        std::string s = std::string(name) + " " + std::to_string(d) + " " + std::to_string(h) +
                        " " + std::to_string(l0) + ":";
        for (int l = 0; l <= Levels(d); ++l) s += " " + Text(a(d, h, l0, l));
        Line(s);
      }
    }
  }
}

// (D, H) array: one line per dataset, hours 0..gLastHour.
template <typename A>
void DumpHours(const char* name, const A& a) {
  dumped.insert(name);
  for (Integer d = 1; d <= Count(); ++d) {
    std::string s = std::string(name) + " " + std::to_string(d) + ":";
    for (Integer h = 0; h <= Last(d); ++h) s += " " + Text(a(d, h));
    Line(s);
  }
}

// (D) array: one line, datasets 1..gDatasetCount.
template <typename A>
void DumpDatasets(const char* name, const A& a) {
  dumped.insert(name);
  std::string s = std::string(name) + ":";
  for (Integer d = 1; d <= Count(); ++d) s += " " + Text(a(d));
  Line(s);
}

template <typename A>
void DumpVector(const char* name, const A& a, int lo, int hi) {
  dumped.insert(name);
  std::string s = std::string(name) + ":";
  for (int i = lo; i <= hi; ++i) s += " " + Text(a(i));
  Line(s);
}

#define LEVELS(a) DumpLevels(#a, a)
#define HOURS(a) DumpHours(#a, a)
#define DATASETS(a) DumpDatasets(#a, a)

void DumpScalars() {
  Line("gDatasetCount: " + Text(gDatasetCount));
  Line("gCurDataset: " + Text(gCurDataset));
  Line("gProfileExt: " + Text(gProfileExt));
  Line("gChartTop: " + Text(gChartTop));
  Line("gChartBottom: " + Text(gChartBottom));
  Line("gHoursPerStep: " + Text(gHoursPerStep));
  Line("gElevatedLevel: " + Text(gElevatedLevel));
  Line("gTZOffset: " + Text(gTZOffset));
  Line("MaxSpecHum: " + Text(MaxSpecHum));
  Line("MaxSfcPres: " + Text(MaxSfcPres));
}

// Everything the profile store holds, in the order of its declaration.
void DumpStore() {
  LEVELS(gPres); LEVELS(gTemp); LEVELS(gWetBulb); LEVELS(gDewpt); LEVELS(gThetaE);
  LEVELS(gWdir); LEVELS(gWspd); LEVELS(gOmega); LEVELS(gCfrl); LEVELS(gHght);
  LEVELS(gHghtAGL); LEVELS(gRH); LEVELS(gRHIce); LEVELS(gMixRatioSat); LEVELS(gMixRatio);
  LEVELS(gSpecHum); LEVELS(gTheta); LEVELS(gOmegaSmooth); LEVELS(gFrostPt);
  LEVELS(gLevelParcelDone);
  DumpLevels("gWindU", gWindU, -1);
  DumpLevels("gWindV", gWindV, -1);
  DumpLevels("gWindUAsLoaded", gWindUAsLoaded, -1);
  DumpLevels("gWindVAsLoaded", gWindVAsLoaded, -1);

  HOURS(gValidTime);
  HOURS(gShow); HOURS(gLift); HOURS(gSweat); HOURS(gKIndex);
  HOURS(gLclPres); HOURS(gPwat); HOURS(gTotals); HOURS(gCape);
  HOURS(gLclTemp); HOURS(gCins); HOURS(gEqlv); HOURS(gLfct); HOURS(gBrch);
  HOURS(gNormCape); HOURS(gEqlvHgtAGL); HOURS(gLfcHgtAGL); HOURS(gLclHgtAGL);
  HOURS(gWbzHgtAGL); HOURS(gWbzHgt);

  HOURS(gSfcPres); HOURS(gSfcTemp); HOURS(gSfcDewpt); HOURS(gSkinTemp); HOURS(gSoilTemp);
  HOURS(gPrecip); HOURS(gConvPrecip); HOURS(gPrecipAccum); HOURS(gRunOff);
  HOURS(gEvaporation); HOURS(gSnra); HOURS(gWind10U); HOURS(gWind10V); HOURS(gWind10m);
  HOURS(gWind10Dir); HOURS(gStormU); HOURS(gStormV); HOURS(gSfcHelicity); HOURS(gEhi);
  HOURS(gCloudBasePres); HOURS(gVisibility); HOURS(gPtypeSrcB);

  HOURS(gMeanWindDir); HOURS(gMeanWindSpd); HOURS(gRightMoverU); HOURS(gRightMoverV);
  HOURS(gLeftMoverU); HOURS(gLeftMoverV); HOURS(gStormMotionDir); HOURS(gStormMotionSpd);

  HOURS(gCclPres); HOURS(gConvTemp);

  HOURS(gEnergyPattern); HOURS(gPosEnergy); HOURS(gNegEnergy); HOURS(gSfcPosEnergy);
  HOURS(gSfcWarmDepth); HOURS(gCloudTopLevel); HOURS(gSeederFeeder); HOURS(gPtypeSrcA);
  HOURS(gFreezingLevelFt); HOURS(gMinus20LevelFt); HOURS(gWarmCloudDepthFt);
  HOURS(gWarmCloudDepth); HOURS(gTQIndex);

  DATASETS(gNumLevels); DATASETS(gLastHour); DATASETS(gSiteLat); DATASETS(gSiteLon);
  DATASETS(gSiteElev); DATASETS(gDatasetTitle); DATASETS(gDatasetLabel); DATASETS(gTopLevel);

  HOURS(PrecipTotal); HOURS(ConvPrecipTotal); HOURS(XoverManual); HOURS(UserStormSet);
  HOURS(gECapeMark);

  HOURS(gHelicityDone); HOURS(gBulkShearDone); HOURS(gMbeDone); HOURS(gLakeParcelDone);
  HOURS(gLayerCapeDone); HOURS(gParcelTraceDone); HOURS(gCinTraceDone);
  LEVELS(gParcelTraceTemp); LEVELS(gCinTraceTemp);
  HOURS(MatrixPageDone); HOURS(gWindEdited);
  DATASETS(gOmegaSmoothDone); DATASETS(gWarmCloudTopDone); DATASETS(gWarmCloudDepthDone);
  DATASETS(gTQIndexDone); DATASETS(ThicknessDone);
  LEVELS(ThickHeights);

  DumpVector("gPresAtKft", gPresAtKft, 0, 70);
  DumpVector("gPresAtKm", gPresAtKm, 0, 20);
  DumpVector("gTitleWordCount", gTitleWordCount, 1, 4);
  for (int c = 1; c <= 4; ++c) {
    std::string s = "gTitleWords " + std::to_string(c) + ":";
    for (int k = 1; k <= 16; ++k) s += " " + Text(Store().gTitleWords[c][k]);
    Line(s);
  }
  Line("gTitleColumnCount: " + Text(Store().gTitleColumnCount));
}

// The results computed on demand: bulk shear and helicity, the MBE vectors,
// the lake parcel, the layer CAPEs, the parcels from every level and the
// chart's precipitation type.
void DumpShear() {
  HOURS(gBulkShear); HOURS(gEffectiveCape); HOURS(gEffectiveCin);
}
void DumpHelicity() {
  HOURS(gSRHTopLevel); HOURS(gSRHBottomLevel);
  LEVELS(gSRWindU); LEVELS(gSRWindV);
  HOURS(gSRInflowSfcSpd); HOURS(gSRInflowSfcDir); HOURS(gSRInflowTopSpd); HOURS(gSRInflowTopDir);
  HOURS(gHelicity); HOURS(gSRHLayerShear); HOURS(gSRHLayerShearPerKm);
}
void DumpMbe() {
  HOURS(gCloudLayerU); HOURS(gCloudLayerV); HOURS(gCloudLayerDir); HOURS(gCloudLayerSpd);
  HOURS(gLLJDir); HOURS(gLLJSpd); HOURS(gLLJPres); HOURS(gLLJUncertain); HOURS(gLLJU);
  HOURS(gLLJV); HOURS(gMbeU); HOURS(gMbeV); HOURS(gMbeDir); HOURS(gMbeSpd);
  HOURS(gMbeUpwindU); HOURS(gMbeUpwindV); HOURS(gMbeUpwindDir);
}
void DumpLake() {
  HOURS(gLakeParcelT); HOURS(gLakeParcelTd); HOURS(gLakeLclTemp); HOURS(gLakeLclPres);
  HOURS(gLakeELLevel); HOURS(gLakeELPres); HOURS(gLakeELTemp); HOURS(gLakeEL);
  HOURS(gLakeCape); HOURS(gLakeNCape);
  LEVELS(gLakeParcelTemp);
}
void DumpElevated() {
  LEVELS(gElevCape); LEVELS(gElevHailCape); LEVELS(gElevCin); LEVELS(gElevELLevel);
  LEVELS(gElevELPres); LEVELS(gElevELTemp); LEVELS(gElevEL); LEVELS(gElevNCape);
  DumpParcelLevels("gElevParcelTemp", gElevParcelTemp);
}
void DumpEnergies() {
  HOURS(gEnergyPattern); HOURS(gPosEnergy); HOURS(gNegEnergy); HOURS(gSfcPosEnergy);
  HOURS(gSfcWarmDepth); HOURS(gCloudTopLevel); HOURS(gSeederFeeder); HOURS(gPtypeSrcA);
}
void DumpResults() {
  DumpShear();
  DumpHelicity();
  DumpMbe();
  DumpLake();
  DumpElements("gLayerCape", gLayerCape, 0, 7);
  DumpElevated();
  HOURS(BoundaryShown); HOURS(BoundaryMotionU); HOURS(BoundaryMotionV);
  HOURS(MatrixCellCode); HOURS(MatrixPagePath); HOURS(MatrixMeanDPD);
  HOURS(gPtypeCode);
}

void DumpAll(const std::string& title) {
  Line("== " + title);
  DumpScalars();
  DumpStore();
  DumpResults();
}

// True when every array of the store has been dumped; names the others.
bool EveryArrayDumped() {
  bool all = true;
#define ONDRIK_CHECK_DUMPED(name)                                          \
  if (!dumped.contains(#name)) {                                           \
    std::fprintf(stderr, "ondrik_storedump: %s is not dumped\n", #name);  \
    all = false;                                                           \
  }
  ONDRIK_STORE_ARRAYS(ONDRIK_CHECK_DUMPED)
#undef ONDRIK_CHECK_DUMPED
  return all;
}

// ---------------------------------------------------------------------------
// The computations

// Runs f(d, h) for every hour of every loaded dataset, with d current.
template <typename F>
void EveryHour(F&& f) {
  for (Integer d = 1; d <= Count(); ++d) {
    const CurrentDatasetGuard current(d);
    for (Integer h = 0; h <= Last(d); ++h) f(d, h);
  }
}

std::uint64_t Fnv1a(const unsigned char* p, std::size_t n) {
  std::uint64_t x = 1469598103934665603ULL;
  for (std::size_t i = 0; i < n; ++i) x = (x ^ p[i]) * 1099511628211ULL;
  return x;
}

// The chart of every hour of every dataset with the parcel, CIN, dry
// adiabats, momentum transfer, omega and wind column on; prints a hash of
// each picture. Fills the trace caches and gPtypeCode.
void DrawCharts() {
  PictureBox pic(640, 480);
  ChartState s;
  s.opt.chkParcel = s.opt.chkCINS = s.opt.chkDryAdiabats = s.opt.chkMomentum = s.opt.ChkOmega = true;
  s.opt.chkWindVector = s.opt.chkWindDigital = s.opt.chk10MWind = true;
  s.opt.chkLCL = s.opt.chkLFC = s.opt.chkEQL = s.opt.chkCCL = s.opt.chkConvectiveTemp = true;
  s.opt.chkSkewT = true;
  for (int pass = 0; pass < 2; ++pass) {
    s.opt.chksWSYMb = pass == 1;
    for (Integer d = 1; d <= Count(); ++d) {
      const CurrentDatasetGuard current(d);
      std::string line = "chart " + std::to_string(pass) + " " + std::to_string(d) + ":";
      for (Integer h = 0; h <= Last(d); ++h) {
        s.in.CurHour = h;
        gCurDataset = d;
        PlotProfile(pic, s);
        const QImage& img = pic.Image();
        char b[24];
        std::snprintf(b, sizeof b, " %016llx",
                      static_cast<unsigned long long>(
                          Fnv1a(img.constBits(), static_cast<std::size_t>(img.sizeInBytes()))));
        line += b;
      }
      Line(line);
    }
  }
}

void ChartLevels() {
  for (Integer d = 1; d <= Count(); ++d) {
    for (Integer h = 0; h <= Last(d); ++h) {
      std::string s = "MixingTopLevel " + std::to_string(d) + " " + std::to_string(h) + ":";
      for (Integer x = 0; x <= 3; ++x) s += " " + Text(MixingTopLevel(d, h, x));
      Line(s);
    }
  }
  struct Choice {
    bool autoMode;
    Integer step, spacing;
  };
  const Choice choices[] = {{false, 1, 1}, {false, 2, 1}, {false, 3, 1},
                            {true, 1, 1},  {true, 1, 2},  {true, 1, 3}};
  for (const Choice& c : choices) {
    ChartState s;
    s.opt.WindAutoMode = c.autoMode;
    s.opt.WindLevelStep = c.step;
    s.opt.WindAutoSpacing = c.spacing;
    for (Integer d = 1; d <= Count(); ++d) {
      for (Integer h = 0; h <= Last(d); ++h) {
        const WindLevels w = ChooseWindLevels(s, d, h);
        std::string line = "ChooseWindLevels " + Text(c.autoMode) + " " + Text(c.step) + " " +
                           Text(c.spacing) + " " + std::to_string(d) + " " + std::to_string(h) + ":";
        for (int i = 0; i < w.count; ++i) line += " " + Text(w.level[static_cast<size_t>(i)]);
        Line(line);
      }
    }
  }
}

void ComputeEverything() {
  // Bulk shear for each layer choice.
  const Integer options[] = {kShearSixKm, kShearOneKm, kShearEffective};
  for (Integer option : options) {
    EveryHour([&](Integer d, Integer h) { ComputeBulkShear(d, h, option); });
    Line("-- bulk shear, option " + std::to_string(option));
    DumpShear();
  }

  EveryHour([](Integer, Integer h) { ComputeSRHelicity(h); });

  // MBE vectors: upwind, with a chosen jet level, then forward propagating.
  EveryHour([](Integer d, Integer h) { ComputeMBEVectors(d, h, 0, false); });
  Line("-- MBE, upwind");
  DumpMbe();
  EveryHour([](Integer d, Integer h) { ComputeMBEVectors(d, h, 3, false); });
  Line("-- MBE, jet level 3");
  DumpMbe();
  EveryHour([](Integer d, Integer h) { ComputeMBEVectors(d, h, 0, true); });

  // Lake parcel over a warm lake, then over the default lake.
  const Single lakeTemp = gLakeTempC;
  gLakeTempC = 12.0f;
  EveryHour([](Integer, Integer h) { LiftSurfaceParcel(h); });
  Line("-- lake parcel, 12 C");
  DumpLake();
  gLakeTempC = lakeTemp;
  EveryHour([](Integer, Integer h) { LiftSurfaceParcel(h); });

  EveryHour([](Integer, Integer h) { ComputeLayerCapes(h); });
  EveryHour([](Integer d, Integer h) {
    for (Integer l0 = 1; l0 <= Levels(d); ++l0) ComputeEffectiveParcels(d, h, l0);
  });

  for (Integer d = 1; d <= Count(); ++d) {
    const CurrentDatasetGuard current(d);
    ComputeTQIndex();
    FindWarmCloudTop();
    ComputeWarmCloudDepth();
    MakeThickness();
    SmoothOmega();
  }

  // Precipitation type from an elevated start level, then from the ground.
  const Integer elevated = gElevatedLevel;
  gElevatedLevel = 4;
  DecidePrecipType();
  Line("-- precipitation type, start level 4");
  DumpEnergies();
  gElevatedLevel = elevated;
  DecidePrecipType();

  ChartLevels();
  DrawCharts();
}

// ---------------------------------------------------------------------------
// Loading

struct Setup {
  Config cfg;
};

LoadOptions OptionsForFile(const Setup& setup, const std::string& path) {
  const std::string name = std::filesystem::path(path).filename().string();
  const std::string modelName = name.substr(0, name.find('_'));
  LoadOptions opt;
  ModelState model;
  for (int m = 0; m < static_cast<int>(setup.cfg.ModelNames.size()); ++m) {
    if (EqualsNoCase(setup.cfg.ModelNames[m], modelName) && SelectModel(setup.cfg, m, model)) {
      opt.modelKey = setup.cfg.ModelCodes[m];
      break;
    }
  }
  opt.dayFirst = false;
  opt.timeLeftToRight = setup.cfg.gTimeLeftToRight;
  opt.sigmaLevelStep = model.params.gSigmaLevelStep;
  opt.sigmaLevelPres = setup.cfg.SigmaLevelPres;
  opt.srInflowDepth = gSRInflowDepth;
  opt.srInflowBase = 0;
  opt.modelHourStep =
      static_cast<Single>(model.params.gModelHourStep > 0 ? model.params.gModelHourStep : 1);
  return opt;
}

// A copy of the first half of a file, which cannot be read to its end.
std::string TruncatedCopy(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  const std::string text = ss.str();
  const std::filesystem::path copy = std::filesystem::temp_directory_path() /
                                     ("ondrik_storedump_" + std::filesystem::path(path).filename().string());
  std::ofstream(copy, std::ios::binary) << text.substr(0, text.size() / 2);
  return copy.string();
}

int Run(const std::vector<std::string>& files, const std::string& dataDir) {
  Setup setup;
  const ConfigResult cr = ReadConfigFile(dataDir + "/Ondrik.cfg", dataDir);
  if (!cr.ok) {
    std::fprintf(stderr, "%s\n", cr.message.c_str());
    return 1;
  }
  setup.cfg = cr.config;
  // The first-run chart bounds, as the window starts.
  gChartTop = 295;
  gChartTMin = -60;
  gChartTMax = 30;
  gSRInflowDepth = 3;

  const std::string prefix = "truncated:";
  auto shownName = [&](const std::string& f) {
    const bool cut = f.rfind(prefix, 0) == 0;
    const std::string name =
        std::filesystem::path(cut ? f.substr(prefix.size()) : f).filename().string();
    return cut ? prefix + name : name;
  };
  std::string title = "run";
  for (const std::string& f : files) title += " " + shownName(f);
  Line("==== " + title);
  for (std::size_t i = 0; i < files.size(); ++i) {
    const bool last = i + 1 == files.size();
    std::string path = files[i];
    const std::string shown = shownName(path);
    const bool temp = path.rfind(prefix, 0) == 0;
    if (temp) path = TruncatedCopy(path.substr(prefix.size()));
    const LoadResult r = LoadProfileFile(path, OptionsForFile(setup, path));
    if (temp) std::filesystem::remove(path);
    Line("load " + shown + ": " + (r.ok ? "ok" : "failed"));
    if (last && files.size() > 1) DumpAll("after the load of " + shown);
    if (!r.ok) continue;
    ComputeEverything();
    if (last) DumpAll("after computing everything for " + shown);
  }
  return dumped.empty() || EveryArrayDumped() ? 0 : 1;
}

// Runs this program on one file list in a process of its own.
int RunChild(const std::string& self, const std::string& dataDir,
             const std::vector<std::string>& files) {
  std::string cmd = "\"" + self + "\" --data \"" + dataDir + "\" --run";
  for (const std::string& f : files) cmd += " \"" + f + "\"";
  std::fflush(out);
  return std::system(cmd.c_str()) == 0 ? 0 : 1;
}

int RunAll(const std::string& self, const std::string& dataDir) {
  std::vector<std::string> files;
  for (const auto& e : std::filesystem::directory_iterator(dataDir)) {
    if (e.path().extension() == ".ond") files.push_back(e.path().string());
  }
  std::sort(files.begin(), files.end());
  int status = 0;
  for (const std::string& f : files) status |= RunChild(self, dataDir, {f});
  const std::string a = dataDir + "/NAM_KOKC.ond";
  const std::string b = dataDir + "/GFS_KBOS.ond";
  const std::string c = dataDir + "/RUC_KDEN.ond";
  status |= RunChild(self, dataDir, {a, b});
  status |= RunChild(self, dataDir, {a, b, c});
  status |= RunChild(self, dataDir, {a, "truncated:" + b});
  return status;
}

}  // namespace
}  // namespace ondrik

int main(int argc, char** argv) {
  static char buffer[1 << 20];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string dataDir = ONDRIK_DATA_DIR;
  if (args.size() >= 2 && args[0] == "--data") {
    dataDir = args[1];
    args.erase(args.begin(), args.begin() + 2);
  }
  if (!args.empty() && args[0] == "--run") {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    std::vector<std::string> files(args.begin() + 1, args.end());
    const int rc = ondrik::Run(files, dataDir);
    std::fflush(stdout);
    return rc;
  }
  if (!args.empty()) dataDir = args[0];
  return ondrik::RunAll(argv[0], dataDir);
}
