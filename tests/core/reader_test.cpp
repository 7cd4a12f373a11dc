#include "core/reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "core/levels.h"
#include "core/store.h"
#include "tests/core/profile_text.h"
#include "tests/common/temp_folder.h"

namespace ondrik {
namespace {

namespace fs = std::filesystem;
using testing::MakeProfileText;
using testing::ProfileFileSpec;

std::string WriteTemp(const std::string& name, const std::string& text) {
  const fs::path p = testing::OwnTestFile("reader", name);
  std::ofstream(p, std::ios::binary) << text;
  return p.string();
}

LoadOptions Options(const std::string& key) {
  LoadOptions o;
  o.modelKey = key;
  o.sigmaLevelStep = 2;
  o.sigmaLevelPres = 850;
  o.modelHourStep = 3;
  return o;
}

// Writes down every control effect of a load, in order.
class RecordingUi : public LoadUi {
 public:
  std::vector<std::string> calls;
  Integer GetTimeZoneOffset(Single, Single lon) override {
    calls.push_back("GetTimeZoneOffset");
    return TimeZoneOffsetOfLongitude(lon);
  }
  void SetBusyCursor(bool b) override { Add("SetBusyCursor", b); }
  void SetElevatedLevelBar(Integer v) override { Add("SetElevatedLevelBar", v); }
  void SetHourBar(Integer last, Integer limit, bool ltr) override {
    Add("SetHourBar", last, limit, ltr);
  }
  void SetSigmaLevelBar(Integer a, Integer b, Integer c) override {
    Add("SetSigmaLevelBar", a, b, c);
  }
  void SetMeanFlowBars(Integer a, Integer b, Integer c, Integer d) override {
    Add("SetMeanFlowBars", a, b, c, d);
  }
  void ShowEnsembleControls(bool v) override { Add("ShowEnsembleControls", v); }
  void HodoHeightClick(Integer i) override { Add("HodoHeightClick", i); }
  void HodoBaseClick(Integer i) override { Add("HodoBaseClick", i); }
  void RedrawMap() override { Add("RedrawMap"); }
  void SetDatasetBoxes(const DatasetBoxes& b) override {
    boxes = b;
    Add("SetDatasetBoxes");
  }
  void DatasetsChanged() override {
    Add("DatasetsChanged");
    curDatasetAtRedraw = gCurDataset;
  }
  void FocusHourBar() override { Add("FocusHourBar"); }

  DatasetBoxes boxes;
  Integer curDatasetAtRedraw = -1;

 private:
  template <typename... A>
  void Add(const std::string& name, A... a) {
    std::string s = name;
    ((s += " " + std::to_string(static_cast<int>(a))), ...);
    calls.push_back(s);
  }
};

// ---------------------------------------------------------------------------

TEST(ProfileReader, ValidTimesAndTimeZones) {
  DateTime t;
  ASSERT_TRUE(ValidTimeOfHeader("STID = KORD  STNM = 725300  TIME = 061231/1800", t));
  EXPECT_EQ(t, (DateTime{2006, 12, 31, 18, 0}));
  ASSERT_TRUE(ValidTimeOfHeader("TIME = 490102/0630", t));
  EXPECT_EQ(t, (DateTime{2049, 1, 2, 6, 30}));
  ASSERT_TRUE(ValidTimeOfHeader("TIME = 500102/0630", t));
  EXPECT_EQ(t.year, 1950);
  EXPECT_FALSE(ValidTimeOfHeader("TIME = 061331/1800", t));  // month 13
  EXPECT_FALSE(ValidTimeOfHeader("TIME = 06123", t));        // cut short
  EXPECT_FALSE(ValidTimeOfHeader("TIME = 0612xx/1800", t));
  EXPECT_FALSE(ValidTimeOfHeader("no time here", t));

  // Time zones of the longitude alone (west positive), 15-degree bands
  // centred on the multiples of 15 degrees, east and west alike.
  const float inf = std::numeric_limits<float>::infinity();
  const struct {
    float lon;
    Integer zone;
  } zones[] = {
      {87.9f, 6},    {97.5f, 7},  {7.5f, 1},      {7.4f, 0},     {0.0f, 0},     {-7.4f, 0},
      {-10.0f, -1},  {-15.0f, -1}, {-20.0f, -1},  {-139.7f, -9}, {180.0f, 12},
      // Absurd longitudes never overflow the conversion to whole hours.
      {3e10f, 24},   {-3e10f, -24}, {inf, 0},     {-inf, 0},     {std::nanf(""), 0},
  };
  for (const auto& z : zones) EXPECT_EQ(TimeZoneOffsetOfLongitude(z.lon), z.zone) << z.lon;
}

// ---------------------------------------------------------------------------
// A hand-written "eta" file: three hours three hours apart, five levels.

std::string EtaHour(const std::string& time, const std::string& lclp, const std::string& cape,
                    const std::string& eqlv, const std::string& lfct) {
  std::string s;
  s += "STID = KORD  STNM = 725300  TIME = " + time + "\n";
  s += "SLAT = 41.98 SLON = -87.90 SELV = 190.0\n";
  s += "STIM = 0\n\n";
  s += "SHOW = 1.20 LIFT = -3.00 SWET = 200.00 KINX = 30.00\n";
  s += "LCLP = " + lclp + " PWAT = 25.40 TOTL = 50.00 CAPE = " + cape + "\n";
  s += "LCLT = 285.16 CINS = -50.00 EQLV = " + eqlv + " LFCT = " + lfct + "\n";
  s += "BRCH = 12.00\n\n";
  s += "PRES TMPC TMWC DWPC THTE DRCT\nSKNT OMEG CFRL HGHT\n";
  s += " 1000.00 20.00 14.00 10.00 320.00 180.00\n 10.00 -0.50 0.00 300.00\n";
  s += " 850.00 12.00 8.00 -9999.00 315.00 225.00\n 20.00 -1.00 0.00 1190.00\n";
  s += " 700.00 -10.00 -12.00 -15.00 310.00 270.00\n 30.00 0.00 0.00 3000.00\n";
  s += " 500.00 -25.00 -26.00 -30.00 315.00 270.00\n 40.00 0.00 0.00 5600.00\n";
  s += " 300.00 -45.00 -45.50 5.00 325.00 270.00\n 60.00 0.00 0.00 9200.00\n";
  s += "\n";
  return s;
}

std::string EtaSurfaceRecord(const std::string& sfcp, const std::string& precip,
                             const std::string& u, const std::string& v,
                             const std::string& td2m) {
  std::string s;
  s += "061231/1800 1013.00 0.00 " + sfcp + " 18.00 16.00 0.00 0.00\n";
  s += " " + precip + " -1.00 12.00 0.00 0.00 0.00\n";
  s += " 40.00 " + u + " " + v + " 2.54 0.00 19.50\n";
  s += " 8.00 0.00 0.00 0.00 1.00 3.00\n";
  s += " 4.00 150.00 1.00 60.00 850.00 10.00\n";
  s += " " + td2m + "\n";
  return s;
}

std::string HandWrittenEta() {
  std::string s = "NAM CTL 00Z\nSNPARM = PRES;TMPC;TMWC;DWPC;THTE;DRCT;SKNT;OMEG;CFRL;HGHT\n";
  s += "STNPRM = SHOW;LIFT;SWET;KINX\n\n";
  s += EtaHour("061231/1800", "0.00", "1500.00", "200.00", "800.00");
  s += EtaHour("061231/2100", "-5.00", "0.00", "0.00", "0.00");
  s += EtaHour("070101/0000", "900.00", "800.00", "0.00", "750.00");
  s += "YYMMDD/HHMM PMSL\nA\nB\nC\nD\nE\n";
  s += EtaSurfaceRecord("1000.00", "5.00", "0.00", "5.00", "-9999.00");
  s += EtaSurfaceRecord("1001.00", "2.54", "-5.00", "0.00", "9.00");
  s += EtaSurfaceRecord("1002.00", "-3.00", "5.00", "0.00", "9.00");
  s += "\n";  // the file ends right after the blank line
  return s;
}

TEST(ProfileReader, HandWrittenEtaFileEndToEnd) {
  const std::string path = WriteTemp("KORD.ond", HandWrittenEta());
  gCurDataset = 5;
  const LoadResult r = LoadProfileFile(path, Options("eta"));
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(gDatasetCount, 1);
  EXPECT_EQ(gCurDataset, 1);
  EXPECT_EQ(gProfileExt, "ond");
  EXPECT_EQ(gLastHour(1), 2);
  EXPECT_EQ(gNumLevels(1), 5);
  EXPECT_EQ(gDatasetTitle(1), "NAM CTL 00Z");
  EXPECT_EQ(gDatasetLabel(1), "");
  EXPECT_EQ(gValidTime(1, 0), (DateTime{2006, 12, 31, 18, 0}));
  EXPECT_EQ(gValidTime(1, 2), (DateTime{2007, 1, 1, 0, 0}));
  EXPECT_FLOAT_EQ(gHoursPerStep, 3.0f);

  // Site: longitude stored west-positive, elevation in km, heights above it.
  EXPECT_FLOAT_EQ(gSiteLat(1), 41.98f);
  EXPECT_FLOAT_EQ(gSiteLon(1), 87.9f);
  EXPECT_FLOAT_EQ(gSiteElev(1), 0.19f);
  EXPECT_FLOAT_EQ(gHghtAGL(1, 0, 2), 1000.0f);
  EXPECT_FLOAT_EQ(gHght(1, 0, 0), 190.0f);
  EXPECT_EQ(gTZOffset, 6);  // 87.9 W: six hours behind UTC

  // Worked example at 1000 mb, T 20, Td 10: e 12.27, es 23.37 hPa.
  EXPECT_NEAR(gRH(1, 0, 1), 100 * 12.27 / 23.37, 0.1);
  EXPECT_NEAR(gRH(1, 0, 1), 52.5, 0.05);
  EXPECT_NEAR(gMixRatio(1, 0, 1), 7.76, 0.01);
  EXPECT_NEAR(gMixRatioSat(1, 0, 1), 14.95, 0.01);
  EXPECT_NEAR(gSpecHum(1, 0, 1), 7.76 / 1007.76 * 1000, 0.01);
  EXPECT_FLOAT_EQ(gRHIce(1, 0, 1), gRH(1, 0, 1));  // above 0 degC
  EXPECT_NEAR(gTheta(1, 0, 1), 293.16, 1e-3);
  EXPECT_NEAR(MaxSpecHum, gSpecHum(1, 0, 1), 1e-4);

  // Missing dew point (-9999) becomes T - 40; one far above T becomes T - 10.
  EXPECT_FLOAT_EQ(gDewpt(1, 0, 2), 12.0f - 40.0f);
  EXPECT_FLOAT_EQ(gDewpt(1, 0, 5), -55.0f);
  EXPECT_FLOAT_EQ(gFrostPt(1, 0, 1), 10.0);
  EXPECT_NEAR(gFrostPt(1, 0, 2), 0.8808 * -28 - 0.0008 * 28 * 28, 1e-4);

  // Over ice: Magnus over ice, 6.112 exp(22.46 T / (272.62 + T)), stands in
  // for the reader's polynomial. At -10 degC the value is halfway between
  // the water and the ice value, at -25 degC it is the ice value.
  auto esWater = [](double t) { return 6.112 * std::exp(17.67 * t / (t + 243.5)); };
  auto esIce = [](double t) { return 6.112 * std::exp(22.46 * t / (272.62 + t)); };
  const double rhWater10 = 100 * esWater(-15) / esWater(-10);
  const double rhIce10 = 100 * esWater(-15) / esIce(-10);
  EXPECT_NEAR(gRH(1, 0, 3), rhWater10, 0.05);
  EXPECT_NEAR(gRHIce(1, 0, 3), (rhWater10 + rhIce10) / 2, 0.2);
  EXPECT_NEAR(gRHIce(1, 0, 4), 100 * esWater(-30) / esIce(-25), 0.3);
  EXPECT_GT(gRHIce(1, 0, 4), gRH(1, 0, 4));

  // Winds: 10 kt from the south blows toward the north.
  EXPECT_NEAR(gWindU(1, 0, 1), 0.0, 1e-5);
  EXPECT_NEAR(gWindV(1, 0, 1), 10 / 1.94254, 1e-4);
  EXPECT_NEAR(gWindU(1, 0, 3), 30 / 1.94254, 1e-4);  // from the west
  EXPECT_EQ(gWindUAsLoaded(1, 0, 3), gWindU(1, 0, 3));
  EXPECT_FLOAT_EQ(gOmega(1, 0, 1), -5.0f);
  EXPECT_FALSE(gWindEdited(1, 0));

  // Station indices and their fix-ups.
  EXPECT_FLOAT_EQ(gShow(1, 0), 1.2f);
  EXPECT_FLOAT_EQ(gKIndex(1, 0), 30.0f);
  EXPECT_FLOAT_EQ(gPwat(1, 0), 1.0f);
  EXPECT_NEAR(gLclTemp(1, 0), 12.0, 1e-4);
  EXPECT_FLOAT_EQ(gCins(1, 0), 50.0f);
  EXPECT_FLOAT_EQ(gBrch(1, 0), 12.0f);
  // CAPE over the standard-atmosphere depth 800 -> 200 mb (about 1949 m to
  // 11784 m).
  EXPECT_NEAR(gNormCape(1, 0), 1500.0 / (11784 - 1949), 0.002);
  EXPECT_LT(gLfcHgtAGL(1, 0), 99999.0f);
  // An LCL pressure of 0 or below lies 10 mb above the surface.
  EXPECT_FLOAT_EQ(gLclPres(1, 0), 990.0f);
  EXPECT_FLOAT_EQ(gLclPres(1, 1), 991.0f);
  EXPECT_NEAR(gLclHgtAGL(1, 0), StdHeightFtOfPressure(990) - StdHeightFtOfPressure(1000), 0.01);
  // Hour 1: no CAPE and no LFC: CIN 999, LFC = EL = surface, no LFC height.
  EXPECT_EQ(gCape(1, 1), 0.0f);
  EXPECT_EQ(gCins(1, 1), 999.0f);
  EXPECT_EQ(gLfct(1, 1), 1001.0f);
  EXPECT_EQ(gEqlv(1, 1), 1001.0f);
  EXPECT_EQ(gLfcHgtAGL(1, 1), 99999.0f);
  EXPECT_EQ(gNormCape(1, 1), 0.0f);
  // Hour 2: CAPE and LFC but no EL: the EL is the LFC and NormCape 0.
  EXPECT_EQ(gEqlv(1, 2), 750.0f);
  EXPECT_EQ(gNormCape(1, 2), 0.0f);
  EXPECT_EQ(gCins(1, 2), 50.0f);

  // Surface section.
  EXPECT_FLOAT_EQ(gSfcPres(1, 0), 1000.0f);
  EXPECT_FLOAT_EQ(gPres(1, 1, 0), 1001.0f);
  EXPECT_FLOAT_EQ(gSfcTemp(1, 0), 20.0f);  // missing 2-m dew point: level 1
  EXPECT_FLOAT_EQ(gSfcDewpt(1, 0), 10.0f);
  EXPECT_FLOAT_EQ(gSfcTemp(1, 1), 19.5f);
  EXPECT_FLOAT_EQ(gSfcDewpt(1, 1), 9.0f);
  EXPECT_NEAR(gWind10m(1, 0), 9.71, 0.005);
  EXPECT_NEAR(gWind10Dir(1, 0), 180.0, 1e-3);
  EXPECT_NEAR(gWind10Dir(1, 1), 90.0, 1e-3);
  EXPECT_NEAR(gWind10Dir(1, 2), 270.0, 1e-3);
  EXPECT_FLOAT_EQ(gWdir(1, 1, 0), gWind10Dir(1, 1));
  EXPECT_FLOAT_EQ(gWindU(1, 1, 0), -5.0f);
  EXPECT_EQ(gPrecip(1, 0), 0.0f);  // hour 0 never has precipitation
  EXPECT_NEAR(gPrecip(1, 1), 0.1, 1e-6);
  EXPECT_EQ(gPrecip(1, 2), 0.0f);  // negative amount
  EXPECT_EQ(gConvPrecip(1, 1), 0.0f);
  EXPECT_NEAR(PrecipTotal(1, 2), 0.1, 1e-6);
  EXPECT_NEAR(gPrecipAccum(1, 2), 0.1, 1e-6);
  EXPECT_NEAR(gRunOff(1, 1), 0.1, 1e-6);
  EXPECT_FLOAT_EQ(gSoilTemp(1, 0), 15.0f);  // (3 * 16 + 12) / 4
  EXPECT_FLOAT_EQ(gSpecHum(1, 0, 0), 8.0f);
  EXPECT_NEAR(gEhi(1, 0), 1500 * 150 / 160000.0, 1e-4);
  EXPECT_EQ(gPtypeSrcB(1, 0), 60);
  EXPECT_FLOAT_EQ(gVisibility(1, 0), 10.0f);
  EXPECT_EQ(gElevatedLevel, 1);

  // No positive cloud fraction in the file: derived from humidity.
  for (int l = 1; l <= 5; ++l) {
    EXPECT_GE(gCfrl(1, 0, l), 0.0f);
    EXPECT_LE(gCfrl(1, 0, l), 100.0f);
  }
  // Flags cleared and the chart bottom 4 % of ln(1002/100) below 1002 mb.
  EXPECT_EQ(XoverManual(1, 1), 999.0f);
  EXPECT_EQ(gECapeMark(1, 1), -1);
  EXPECT_EQ(ThicknessDone(1), 0);
  EXPECT_FLOAT_EQ(MaxSfcPres, 1002.0f);
  EXPECT_EQ(gChartBottom, static_cast<int>(std::lround(1002 * std::pow(1002 / 100.0, 0.04))));
  EXPECT_FALSE(gLoadingState);
}

TEST(ProfileReader, Gfs3FileEndToEnd) {
  std::string s = "GFS 12Z\nSNPARM = PRES;TMPC;TMWC;DWPC;THTE;DRCT;SKNT;OMEG;HGHT\nx\n\n";
  for (const char* time : {"061231/1200", "061231/1800"}) {
    s += std::string("STID = KORD TIME = ") + time + "\n";
    s += "SLAT = 41.98 SLON = -87.90 SELV = 190.0\nSTIM = 0\n\n";
    s += "SHOW = 1 LIFT = 2 SWET = 3 KINX = 4\nLCLP = 950 PWAT = 0 TOTL = 0 CAPE = 0\n";
    s += "LCLT = 273.16 CINS = 0 EQLV = 0 LFCT = 0\nBRCH = 0\n\n";
    s += "PRES TMPC TMWC DWPC THTE DRCT SKNT OMEG\nHGHT\n";
    s += "1000 20 14 10 320 180 10 -0.5\n300\n";
    s += "850 12 8 2 315 225 20 -1\n1500\n";
    s += "700 2 0 -5 310 270 30 0\n3100\n";
    s += "\n";
  }
  s += "YYMMDD/HHMM\nA\nB\nC\n";
  // Snow alone, then rain and snow.
  s += "061231/1200 1013 0 1000 18 0 2.54 5.08\n1.27 0 0 0 0 0\n5 19.5 8 1 0 0\n0 0 9.5\n";
  s += "061231/1800 1013 0 1001 18 0 2.54 5.08\n-2.54 0 0 0 0 -5\n0 19.5 8 1 0 0\n1 0 9.5\n";
  s += "\n--\n";
  const std::string path = WriteTemp("GFS_KORD.ond", s);
  const LoadResult r = LoadProfileFile(path, Options("gfs3"));
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(gLastHour(1), 1);
  EXPECT_EQ(gNumLevels(1), 3);
  EXPECT_FLOAT_EQ(gHoursPerStep, 6.0f);
  EXPECT_FLOAT_EQ(gWspd(1, 0, 2), 20.0f);
  EXPECT_FLOAT_EQ(gOmega(1, 0, 2), -10.0f);
  EXPECT_FLOAT_EQ(gHght(1, 0, 3), 3100.0f);
  EXPECT_NEAR(gRH(1, 0, 1), 52.5, 0.05);
  // Cloud fraction -1 in the layout: computed from humidity instead.
  EXPECT_GE(gCfrl(1, 0, 1), 0.0f);
  EXPECT_EQ(gPtypeSrcB(1, 0), 70);
  EXPECT_EQ(gPtypeSrcB(1, 1), 130);
  EXPECT_FLOAT_EQ(gSfcPres(1, 1), 1001.0f);
  EXPECT_NEAR(gEvaporation(1, 1), 0.1, 1e-6);
  EXPECT_NEAR(gPrecip(1, 1), 0.2, 1e-6);
  EXPECT_NEAR(gConvPrecip(1, 1), -0.1, 1e-6);  // no floor at 0 in this layout
  EXPECT_EQ(gPrecip(1, 0), 0.0f);
  EXPECT_NEAR(gWind10Dir(1, 1), 90.0, 1e-3);
  EXPECT_FLOAT_EQ(gSfcDewpt(1, 0), 9.5f);
  for (int h = 0; h <= 1; ++h) {
    EXPECT_EQ(gSnra(1, h), 0.0f);
    EXPECT_EQ(gSfcHelicity(1, h), 0.0f);
    EXPECT_EQ(gEhi(1, h), 0.0f);
    EXPECT_EQ(gVisibility(1, h), 0.0f);
    EXPECT_EQ(gCloudBasePres(1, h), 0.0f);
    EXPECT_EQ(gRunOff(1, h), 0.0f);
  }
}

TEST(ProfileReader, RefusedFilesKeepTheLoadedData) {
  ASSERT_TRUE(LoadProfileFile(WriteTemp("good.ond", HandWrittenEta()), Options("eta")).ok);
  const Single t = gTemp(1, 0, 1);
  const Integer bottom = gChartBottom;
  gCurDataset = 1;

  RecordingUi ui;
  LoadResult r = LoadProfileFile(WriteTemp("good.ond", HandWrittenEta()), Options("ngm"), ui);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find("ngm"), std::string::npos);
  EXPECT_NE(r.message.find("good.ond"), std::string::npos);

  // A file that cannot be opened: the file and the system's reason. One that
  // a download rewrites while it is read (cut short, grown, or written over
  // in place) is not taken either, and the user is told to load it again.
  const std::string file = WriteTemp("plain.ond", HandWrittenEta());
  // Before every read the file is written anew: its first keep bytes, then
  // add, its time moved on or not.
  const std::string eta = HandWrittenEta(), changing = WriteTemp("changing.ond", eta);
  const auto meanwhile = [&](std::size_t keep, const std::string& add, bool later) -> ReadBytes {
    return [&, keep, add, later](int fd, char* data, long long size) {
      std::ofstream(changing, std::ios::binary) << eta.substr(0, keep) << add;
      if (later) fs::last_write_time(changing, fs::last_write_time(changing) + std::chrono::seconds(5));
      return ReadFileBytes(fd, data, size);
    };
  };
  const struct {
    std::string path;
    ReadBytes read;
    std::string reason;
  } refused[] = {
      {"/no/such/file.ond", ReadFileBytes, "No such file or directory"},
      {file + "/NAM_KOKC.ond", ReadFileBytes, "Not a directory"},
      {changing, meanwhile(eta.size() / 2, "", false), kFileChangedWhileRead},
      {changing, meanwhile(eta.size(), "\n 2 more hours\n", false), kFileChangedWhileRead},
      {changing, meanwhile(eta.size(), "", true), kFileChangedWhileRead},
  };
  for (const auto& c : refused) {
    LoadOptions o = Options("eta");
    o.readBytes = c.read;
    r = LoadProfileFile(c.path, o, ui);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "Can't read the profile file " + c.path + ": " + c.reason);
    WriteTemp("changing.ond", eta);
  }

  r = LoadProfileFile(WriteTemp("empty.ond", ""), Options("eta"), ui);
  EXPECT_FALSE(r.ok);
  r = LoadProfileFile(WriteTemp("blank.ond", "\n  \r\n\n"), Options("eta"), ui);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find("no profile data"), std::string::npos);

  std::string garbled = HandWrittenEta();
  garbled.replace(garbled.find("061231/2100"), 11, "06xx31/2100");
  r = LoadProfileFile(WriteTemp("garbled.ond", garbled), Options("eta"), ui);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find("line 27"), std::string::npos) << r.message;

  // None of these reached a control but the busy cursor, set and reset.
  for (const std::string& c : ui.calls) {
    EXPECT_TRUE(c == "SetBusyCursor 1" || c == "SetBusyCursor 0" || c == "GetTimeZoneOffset")
        << c;
  }
  EXPECT_EQ(gTemp(1, 0, 1), t);
  EXPECT_EQ(gDatasetCount, 1);
  EXPECT_EQ(gChartBottom, bottom);
  EXPECT_FALSE(gLoadingState);
}

TEST(ProfileReader, RefusesAbsurdSurfacePressuresAndWhatIsNotARegularFile) {
  ProfileFileSpec spec;
  spec.hours = 2;
  const std::string good = MakeProfileText(spec);
  ASSERT_TRUE(LoadProfileFile(WriteTemp("sfc.ond", good), Options("eta")).ok);
  const Integer bottom = gChartBottom;
  const Single sfc = gSfcPres(1, 1);

  // The surface record of hour 1; its pressure must lie in (0, 2000] mb.
  const std::string record = "061231/0100 1013.00 0.00 1000.50";
  const std::size_t at = good.find(record);
  ASSERT_NE(at, std::string::npos);
  const int line = 1 + static_cast<int>(std::count(good.begin(), good.begin() + at, '\n'));
  const struct {
    const char* pres;
    bool ok;
  } cases[] = {{"0.00", false}, {"-5.00", false}, {"2500.00", false}, {"NaN", false},
               {"1e30", false}, {"2000.00", true}, {"0.01", true}};
  for (const auto& c : cases) {
    std::string text = good;
    text.replace(at, record.size(), "061231/0100 1013.00 0.00 " + std::string(c.pres));
    const std::string path = WriteTemp("sfc-bad.ond", text);
    const LoadResult r = LoadProfileFile(path, Options("eta"));
    EXPECT_EQ(r.ok, c.ok) << c.pres << ": " << r.message;
    if (c.ok) {
      ASSERT_TRUE(LoadProfileFile(WriteTemp("sfc.ond", good), Options("eta")).ok);
      continue;
    }
    EXPECT_NE(r.message.find(path), std::string::npos) << r.message;
    EXPECT_NE(r.message.find("line " + std::to_string(line) + ")"), std::string::npos) << r.message;
    EXPECT_NE(r.message.find("surface pressure"), std::string::npos) << r.message;
    // The data loaded before stay.
    EXPECT_EQ(gSfcPres(1, 1), sfc);
    EXPECT_EQ(gChartBottom, bottom);
  }

  // A folder and a named pipe are refused before they are opened (a pipe
  // would never end, a folder cannot be read).
  const fs::path folder = testing::OwnTestFile("reader", "NAM_KDIR.ond");
  fs::create_directories(folder);
  const fs::path fifo = testing::OwnTestFile("reader", "NAM_KFIFO.ond");
  fs::remove(fifo);
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const fs::path& p : {folder, fifo}) {
    RecordingUi ui;
    const LoadResult r = LoadProfileFile(p.string(), Options("eta"), ui);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(p.string()), std::string::npos) << r.message;
    EXPECT_NE(r.message.find(p == folder ? "a folder" : "not a regular file"), std::string::npos) << r.message;
    EXPECT_TRUE(ui.calls.empty());
    EXPECT_EQ(gSfcPres(1, 1), sfc);
  }
  fs::remove(fifo);
}

TEST(ProfileReader, TruncatedFilesNeverHalfLoad) {
  // The data in place: one dataset of two hours and 7 levels.
  ProfileFileSpec before;
  before.levels = 7;
  before.hours = 2;
  ASSERT_TRUE(LoadProfileFile(WriteTemp("before.ond", MakeProfileText(before)), Options("eta")).ok);
  const Single t = gTemp(1, 1, 3);
  gTZOffset = 42;
  gHoursPerStep = 7;

  ProfileFileSpec spec;
  spec.datasets = 2;
  spec.hours = 3;
  spec.levels = 9;
  spec.crlf = true;
  const std::string full = MakeProfileText(spec);
  int failures = 0, successes = 0;
  for (std::size_t cut = 0; cut < full.size(); cut += 49) {
    const std::string path = WriteTemp("cut.ond", full.substr(0, cut));
    const LoadResult r = LoadProfileFile(path, Options("eta"));
    if (r.ok) {
      // Only a cut after a complete dataset may load (the first one).
      ++successes;
      EXPECT_EQ(gDatasetCount, 1) << cut;
      EXPECT_EQ(gNumLevels(1), 9);
      ASSERT_TRUE(LoadProfileFile(WriteTemp("before.ond", MakeProfileText(before)),
                                  Options("eta")).ok);
      gTZOffset = 42;
      gHoursPerStep = 7;
      continue;
    }
    ++failures;
    EXPECT_NE(r.message.find(path), std::string::npos);
    EXPECT_NE(r.message.find("line "), std::string::npos);
    EXPECT_EQ(gDatasetCount, 1);
    EXPECT_EQ(gNumLevels(1), 7);
    EXPECT_EQ(gLastHour(1), 1);
    EXPECT_EQ(gTemp(1, 1, 3), t);
    EXPECT_EQ(gTZOffset, 42);
    EXPECT_EQ(gHoursPerStep, 7.0f);
    EXPECT_FALSE(gLoadingState);
  }
  EXPECT_GT(failures, 50);
  // The whole file loads; so does one without the line after the last blank.
  ASSERT_TRUE(LoadProfileFile(WriteTemp("full.ond", full), Options("eta")).ok);
  EXPECT_EQ(gDatasetCount, 2);
  spec.extraLineAtEnd = false;
  ASSERT_TRUE(LoadProfileFile(WriteTemp("full.ond", MakeProfileText(spec)), Options("eta")).ok);
  EXPECT_EQ(gDatasetCount, 2);
}

TEST(ProfileReader, LimitsOfDatasetsHoursAndLevels) {
  ProfileFileSpec spec;
  spec.hours = 2;
  spec.levels = 5;
  spec.labels = false;

  // The first 24 datasets load; the ones after them are counted and the
  // notice says so, naming the file (the shipped ensemble four times over is
  // read side by side).
  std::ifstream shipped(fs::path(ONDRIK_DATA_DIR) / "SREF_KOKC.ond", std::ios::binary);
  const std::string sref((std::istreambuf_iterator<char>(shipped)), std::istreambuf_iterator<char>());
  spec.datasets = 24;
  const std::string d24 = MakeProfileText(spec);
  spec.datasets = 25;
  const std::string d25 = MakeProfileText(spec);
  const struct {
    const char* name;
    std::string text;
    int leftOut;
    int twinOf24;       // the dataset whose title the 24th repeats
    const char* told;   // how the notice ends
  } files[] = {
      {"d24.ond", d24, 0, 24, ""},
      {"d25.ond", d25, 1, 24, " holds 25 datasets; the first 24 are loaded and the last one is left out."},
      {"sref32.ond", sref + sref + sref + sref, 8, 8,  // the third copy's last member
       " holds 32 datasets; the first 24 are loaded and the last 8 are left out."},
      {"cut25.ond", d24 + d25.substr(d24.size(), (d25.size() - d24.size()) / 2), 1, 24,  // ends in the 25th
       " holds 25 datasets; the first 24 are loaded and the last one is left out."},
  };
  for (const auto& f : files) {
    const std::string path = WriteTemp(f.name, f.text);
    const LoadResult r = LoadProfileFile(path, Options("eta"));
    ASSERT_TRUE(r.ok) << f.name << ": " << r.message;
    EXPECT_EQ(gDatasetCount, 24) << f.name;
    EXPECT_EQ(r.datasetsLeftOut, f.leftOut) << f.name;
    EXPECT_EQ(gDatasetTitle(24), gDatasetTitle(f.twinOf24)) << f.name;
    if (f.leftOut == 0) {
      EXPECT_EQ(r.notice, "") << f.name;
    } else {
      EXPECT_NE(r.notice.find(path), std::string::npos) << r.notice;
      EXPECT_TRUE(r.notice.ends_with(path + f.told)) << r.notice;
    }
  }
  ASSERT_TRUE(LoadProfileFile(WriteTemp("d24.ond", d24), Options("eta")).ok);
  EXPECT_NEAR(gTemp(24, 1, 1), 20 + 0.1 + 0.24, 1e-4);

  spec.datasets = 1;
  spec.hours = 85;
  ASSERT_TRUE(LoadProfileFile(WriteTemp("h85.ond", MakeProfileText(spec)), Options("eta")).ok);
  EXPECT_EQ(gLastHour(1), 84);
  EXPECT_NEAR(gTemp(1, 84, 1), 20 + 8.4 + 0.01, 1e-4);
  EXPECT_FLOAT_EQ(gSfcPres(1, 84), 1000 + 42.0f);
  for (int hours : {86, 90}) {
    spec.hours = hours;
    ASSERT_TRUE(LoadProfileFile(WriteTemp("h.ond", MakeProfileText(spec)), Options("eta")).ok);
    EXPECT_EQ(gLastHour(1), 84);
    EXPECT_EQ(gValidTime(1, 84), (DateTime{2007, 1, 4, 6, 0}));
    EXPECT_NEAR(gTemp(1, 84, 1), 20 + 8.4 + 0.01, 1e-4);
    EXPECT_FLOAT_EQ(gSfcPres(1, 84), 1000 + 42.0f);
  }

  spec.hours = 2;
  for (const char* key : {"eta", "gfs3"}) {
    spec.key = key;
    spec.levels = 67;
    ASSERT_TRUE(LoadProfileFile(WriteTemp("l67.ond", MakeProfileText(spec)), Options(key)).ok);
    EXPECT_EQ(gNumLevels(1), 67);
    EXPECT_NEAR(gPres(1, 1, 67), 50.0, 0.01);
    spec.levels = 68;
    ASSERT_TRUE(LoadProfileFile(WriteTemp("l68.ond", MakeProfileText(spec)), Options(key)).ok);
    EXPECT_EQ(gNumLevels(1), 67);
    EXPECT_GT(gPres(1, 1, 67), 50.0f);
    // The 68th level was read past: the surface section still lines up.
    EXPECT_FLOAT_EQ(gSfcPres(1, 1), 1000.5f);
    EXPECT_FLOAT_EQ(gSfcDewpt(1, 1), 9.5f);
  }
}

TEST(ProfileReader, ControlEffectsComeAfterTheDataAndEndInTheRedraw) {
  ProfileFileSpec spec;
  spec.datasets = 2;
  spec.hours = 4;
  spec.levels = 30;
  spec.hourStep = 3;
  LoadOptions o = Options("eta");
  o.timeLeftToRight = false;
  o.srInflowDepth = 3.4f;
  o.srInflowBase = 0.5f;  // half goes to the even neighbour: 0
  o.sigmaLevelStep = 2;
  o.sigmaLevelPres = 850;
  gCurDataset = 2;
  RecordingUi ui;
  const LoadResult r = LoadProfileFile(WriteTemp("ens.ond", MakeProfileText(spec)), o, ui);
  ASSERT_TRUE(r.ok) << r.message;
  gCurDataset = 1;
  const Integer l850 = LevelOfPressure(850);
  const Integer l700 = LevelOfPressure(700);
  EXPECT_GT(l850, 1);
  EXPECT_GT(l700, l850);
  const std::vector<std::string> expected = {
      "SetBusyCursor 1",
      "GetTimeZoneOffset",
      "GetTimeZoneOffset",
      "SetElevatedLevelBar 1",
      "SetHourBar 3 3 0",
      "SetSigmaLevelBar 27 2 " + std::to_string(l850),
      "SetMeanFlowBars 28 30 1 " + std::to_string(l700),
      "ShowEnsembleControls 1",
      "HodoHeightClick 3",
      "HodoBaseClick 0",
      "RedrawMap",
      "SetDatasetBoxes",
      "DatasetsChanged",
      "DatasetsChanged",
      "SetBusyCursor 0",
      "FocusHourBar"};
  EXPECT_EQ(ui.calls, expected);
  EXPECT_EQ(ui.curDatasetAtRedraw, 2);  // the dataset current before the load
  EXPECT_FLOAT_EQ(gHoursPerStep, 3.0f);
  EXPECT_EQ(gDatasetLabel(2), "m2");
  EXPECT_TRUE(ui.boxes.visible[0]);
  EXPECT_EQ(ui.boxes.caption[5], "CTL");
  EXPECT_EQ(ui.boxes.caption[6], "P1");

  // One dataset, one hour: hidden ensemble controls, no hodograph clicks,
  // a single redraw and the model's hour step.
  spec.datasets = 1;
  spec.hours = 1;
  o.srInflowDepth = 0;
  o.sigmaLevelPres = 5;  // below 100: a level number, inside the bar 27..2
  RecordingUi one;
  ASSERT_TRUE(LoadProfileFile(WriteTemp("one.ond", MakeProfileText(spec)), o, one).ok);
  EXPECT_EQ(gCurDataset, 1);
  EXPECT_FLOAT_EQ(gHoursPerStep, 3.0f);  // modelHourStep
  const std::vector<std::string> expectedOne = {
      "SetBusyCursor 1",        "GetTimeZoneOffset",      "SetElevatedLevelBar 1",
      "SetHourBar 0 0 0",       "SetSigmaLevelBar 27 2 5", "SetMeanFlowBars 28 30 1 " + std::to_string(l700),
      "ShowEnsembleControls 0", "RedrawMap",              "SetDatasetBoxes",
      "DatasetsChanged",        "SetBusyCursor 0",        "FocusHourBar"};
  EXPECT_EQ(one.calls, expectedOne);
  for (bool v : one.boxes.visible) EXPECT_FALSE(v);

  // A sigma level outside the bar falls back to the bar's Max.
  o.sigmaLevelPres = 60;
  RecordingUi fallback;
  ASSERT_TRUE(LoadProfileFile(WriteTemp("one.ond", MakeProfileText(spec)), o, fallback).ok);
  EXPECT_EQ(fallback.calls[4], "SetSigmaLevelBar 27 2 2");

  // Valid times that do not advance give no step either.
  std::string same = HandWrittenEta();
  same.replace(same.find("061231/2100"), 11, "061231/1800");
  o.modelHourStep = 6;
  ASSERT_TRUE(LoadProfileFile(WriteTemp("same.ond", same), o).ok);
  EXPECT_FLOAT_EQ(gHoursPerStep, 6.0f);
}

TEST(ProfileReader, ImplausibleTemperaturesLeaveNoInfinities) {
  std::string s = HandWrittenEta();
  auto replace = [&s](const std::string& from, const std::string& to) {
    s.replace(s.find(from), from.size(), to);
  };
  // A missing temperature, a temperature at the pole of the Magnus formula,
  // and a negative pressure.
  replace(" 850.00 12.00 8.00 -9999.00", " 850.00 -9999.00 8.00 -9999.00");
  replace(" 700.00 -10.00 -12.00 -15.00", " 700.00 -243.50 -12.00 -243.50");
  replace(" 500.00 -25.00", " -500.00 -25.00");
  ASSERT_TRUE(LoadProfileFile(WriteTemp("odd.ond", s), Options("eta")).ok);
  for (int l = 1; l <= gNumLevels(1); ++l) {
    for (float v : {gRH(1, 0, l), gRHIce(1, 0, l), gMixRatio(1, 0, l), gMixRatioSat(1, 0, l),
                    gSpecHum(1, 0, l), gTheta(1, 0, l), gDewpt(1, 0, l), gThetaE(1, 0, l),
                    gCfrl(1, 0, l)}) {
      EXPECT_TRUE(std::isfinite(v)) << "level " << l;
    }
  }
  // The missing temperature: dew point T - 50, wet bulb T, no humidity.
  EXPECT_FLOAT_EQ(gDewpt(1, 0, 2), -9999.0f - 40.0f - 10.0f);
  EXPECT_FLOAT_EQ(gWetBulb(1, 0, 2), -9999.0f);
  EXPECT_EQ(gRH(1, 0, 2), 0.0f);
  EXPECT_FLOAT_EQ(gThetaE(1, 0, 2), gTheta(1, 0, 2));
}

TEST(ProfileReader, SurfacePressuresOfNoAtmosphereOverflowNothing) {
  ASSERT_TRUE(LoadProfileFile(WriteTemp("good.ond", HandWrittenEta()), Options("eta")).ok);
  const Integer bottom = gChartBottom;
  ASSERT_GT(bottom, gChartTop);
  // Found by the profile reader's fuzz target: 3.8e21 mb overflowed the chart
  // bottom, 6.7e26 mb the height scale. Such a file is refused and leaves
  // the scales of the one before.
  for (const char* pres : {"3.77455e21", "6.66667e26", "-1000.00"}) {
    std::string s = HandWrittenEta();
    const std::string first = EtaSurfaceRecord("1000.00", "5.00", "0.00", "5.00", "-9999.00");
    s.replace(s.find(first), first.size(), EtaSurfaceRecord(pres, "5.00", "0.00", "5.00", "-9999.00"));
    EXPECT_FALSE(LoadProfileFile(WriteTemp("deep.ond", s), Options("eta")).ok) << pres;
    EXPECT_EQ(gChartBottom, bottom) << pres;
    for (int i = 0; i <= 70; ++i) EXPECT_GE(gPresAtKft(i), 0) << pres;
    for (int k = 0; k <= 20; ++k) EXPECT_GE(gPresAtKm(k), 0) << pres;
  }
}

TEST(ProfileReader, SampleFilesLoad) {
  const fs::path dir = ONDRIK_DATA_DIR;
  std::vector<fs::path> files;
  if (fs::is_directory(dir)) {
    for (const auto& e : fs::directory_iterator(dir)) {
      if (e.path().extension() == ".ond") files.push_back(e.path());
    }
  }
  if (files.empty()) GTEST_SKIP() << "no sample files in " << dir;
  for (const fs::path& f : files) {
    const std::string name = f.filename().string();
    std::string key;
    if (name.rfind("NAM_", 0) == 0 || name.rfind("SREF_", 0) == 0) key = "eta";
    if (name.rfind("RUC_", 0) == 0) key = "ruc";
    if (name.rfind("GFS_", 0) == 0) key = "gfs3";
    if (key.empty()) continue;
    const LoadResult r = LoadProfileFile(f.string(), Options(key));
    ASSERT_TRUE(r.ok) << r.message;
    for (int d = 1; d <= gDatasetCount; ++d) {
      EXPECT_GT(gNumLevels(d), 20) << name;
      EXPECT_EQ(gLastHour(d), 84) << name;
      for (int h = 0; h <= gLastHour(d); ++h) {
        EXPECT_GT(gSfcPres(d, h), 500.0f) << name;
        EXPECT_LT(gSfcPres(d, h), 1100.0f) << name;
        EXPECT_TRUE(gValidTime(d, h).IsSet()) << name;
      }
    }
    EXPECT_GT(gHoursPerStep, 0.0f) << name;
  }
}

}  // namespace
}  // namespace ondrik
