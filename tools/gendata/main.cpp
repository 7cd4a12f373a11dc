// ondrik_gendata: writes the sample profile files under data/.
//
// The files come from a model atmosphere, not from a forecast model: each site
// follows a scripted series of air masses (warm sector, fronts, arctic air,
// upslope snow) blended in time, with a diurnal cycle from the local solar
// time, hydrostatic heights, dew points from relative humidity, wet-bulb and
// equivalent potential temperatures, and station indices from a lifted
// surface parcel, so that every value in a file agrees with its profile.
//
// Usage:
//   ondrik_gendata <output folder>   writes every sample file
//   ondrik_gendata --max <file>      writes one maximal file (24 datasets,
//                                    85 hours, 67 levels, "eta" layout)
//   ondrik_gendata --missing <file>  the same, but every level above the
//                                    lowest holds only its pressure, its
//                                    other values missing (-9999)
//
// Output is deterministic: a fixed seed and a private random generator, so
// two runs write the same bytes.

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "tools/gendata/hour.h"
#include "tools/gendata/weather.h"

namespace gendata {
namespace {

// ---------------------------------------------------------------------------
// Writing

// Appends a number with the given decimals; never writes "-0.0".
void Num(std::string& out, double v, int decimals) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  std::string s = buf;
  if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
  out += s;
}

void Group(std::string& out, const char* name, double v, int decimals) {
  out += name;
  out += " = ";
  Num(out, v, decimals);
}

// Appends numbers separated by single blanks, then a line end.
void Line(std::string& out, std::initializer_list<std::pair<double, int>> values) {
  bool first = true;
  for (const auto& [v, dec] : values) {
    if (!first) out += ' ';
    first = false;
    Num(out, v, dec);
  }
  out += '\n';
}

void WriteDataset(std::string& out, const std::string& title, const Site& site, const Model& model,
                  const std::vector<Hour>& hours) {
  const bool eta = model.layout == Layout::kEta;
  out += title + '\n';
  out += std::string("SITE = ") + site.id + "  STNM = " + std::to_string(site.stnm) +
         "  MODEL = " + model.name + "  RUN = " + ValidTime(0) + '\n';
  out += "LEVELS = " + std::to_string(model.levels) + "  HOURS = " + std::to_string(hours.size()) +
         "  STEP = " + std::to_string(model.step) + '\n';
  out += "SAMPLE DATA FROM A MODEL ATMOSPHERE (ondrik_gendata), NOT A FORECAST\n";
  for (const Hour& h : hours) {
    out += "TIME = " + h.time + "  FHR = " + std::to_string(h.fhr) + '\n';
    Group(out, "SLAT", site.lat, 2); out += "  ";
    Group(out, "SLON", site.lon, 2); out += "  ";
    Group(out, "SELV", site.elev, 1); out += '\n';
    out += std::string("STID = ") + site.id + "  STNM = " + std::to_string(site.stnm) + '\n';
    out += "SURFACE PARCEL INDICES\n";
    const Indices& x = h.ix;
    Group(out, "SHOW", x.show, 2); out += "  ";
    Group(out, "LIFT", x.li, 2); out += "  ";
    Group(out, "SWET", x.sweat, 2); out += "  ";
    Group(out, "KINX", x.ki, 2); out += '\n';
    Group(out, "LCLP", x.lclp, 2); out += "  ";
    Group(out, "PWAT", x.pw, 2); out += "  ";
    Group(out, "TOTL", x.tt, 2); out += "  ";
    Group(out, "CAPE", x.cape, 2); out += '\n';
    Group(out, "LCLT", x.lclt, 2); out += "  ";
    Group(out, "CINS", x.cin, 2); out += "  ";
    Group(out, "EQLV", x.el, 2); out += "  ";
    Group(out, "LFCT", x.lfc, 2); out += '\n';
    Group(out, "BRCH", x.brn, 2); out += '\n';
    if (eta) {
      out += "PRES TMPC TMWC DWPC THTE DRCT\n";
      out += "SKNT OMEG CFRL HGHT\n";
      out += "mb C C C K deg / kt Pa/s % m\n";
    } else {
      out += "PRES TMPC TMWC DWPC THTE DRCT SKNT OMEG\n";
      out += "HGHT\n";
      out += "mb C C C K deg kt Pa/s / m\n";
    }
    for (const Level& l : h.lv) {
      if (eta) {
        Line(out, {{l.p, 1}, {l.t, 1}, {l.tw, 1}, {l.td, 1}, {l.te, 1}, {l.wdir, 0}});
        Line(out, {{l.wspd, 1}, {l.omega, 2}, {l.cfrl, 0}, {l.z, 0}});
      } else {
        Line(out, {{l.p, 1}, {l.t, 1}, {l.tw, 1}, {l.td, 1}, {l.te, 1}, {l.wdir, 0}, {l.wspd, 1},
                   {l.omega, 2}});
        Line(out, {{l.z, 0}});
      }
    }
    out += '\n';
  }
  // Surface section: one record per hour.
  if (eta) {
    out += "STNM YYMMDD HHMM PSFC TSKN TSL1 PMSL SNOW\n";
    out += "PREC CPRC TSL2 LCLD MCLD HCLD\n";
    out += "SNRA U10M V10M RUNF TCLD T2MC\n";
    out += "Q2MS SNFL IPFL ZRFL RAFL USTM\n";
    out += "VSTM HELI EVAP PTYP CBAS VSBK\n";
    out += "TD2M\n";
  } else {
    out += "STNM YYMMDD HHMM PSFC TSKN PMSL EVAP PREC\n";
    out += "CPRC LCLD MCLD HCLD TCLD U10M\n";
    out += "V10M T2MC Q2MS SNFL IPFL ZRFL\n";
    out += "RAFL VSBK TD2M\n";
  }
  for (const Hour& h : hours) {
    const Surface& s = h.s;
    const double ymd = std::stod(h.time.substr(0, 6));
    const double hm = std::stod(h.time.substr(7, 4));
    const double sn = s.ptype == 70, ip = s.ptype == 79, zr = s.ptype == 66, ra = s.ptype == 60;
    if (eta) {
      Line(out, {{double(site.stnm), 0}, {ymd, 0}, {hm, 0}, {s.ps, 2}, {s.skin, 2}, {s.soil1, 2},
                 {s.slp, 2}, {s.snowfall, 2}});
      Line(out, {{s.precip, 2}, {s.conv, 2}, {s.soil2, 2}, {s.lcld, 0}, {s.mcld, 0}, {s.hcld, 0}});
      Line(out, {{s.snra, 0}, {s.u10, 2}, {s.v10, 2}, {s.runoff, 2}, {s.tcld, 0}, {s.t2, 2}});
      Line(out, {{s.q2, 2}, {sn, 0}, {ip, 0}, {zr, 0}, {ra, 0}, {s.stormU, 2}});
      Line(out, {{s.stormV, 2}, {s.srh, 1}, {s.evap, 2}, {double(s.ptype), 0}, {s.cloudBase, 1},
                 {s.vis, 1}});
      Line(out, {{s.td2, 2}});
    } else {
      Line(out, {{double(site.stnm), 0}, {ymd, 0}, {hm, 0}, {s.ps, 2}, {s.skin, 2}, {s.slp, 2},
                 {s.evap, 2}, {s.precip, 2}});
      Line(out, {{s.conv, 2}, {s.lcld, 0}, {s.mcld, 0}, {s.hcld, 0}, {s.tcld, 0}, {s.u10, 2}});
      Line(out, {{s.v10, 2}, {s.t2, 2}, {s.q2, 2}, {sn, 0}, {ip, 0}, {zr, 0}});
      Line(out, {{ra, 0}, {s.vis, 1}, {s.td2, 2}});
    }
  }
  out += '\n';
  out += std::string(48, '-') + '\n';
}

uint64_t Seed(const std::string& text) {
  uint64_t h = 1469598103934665603ull;  // FNV-1a over the name: fixed per file and member
  for (unsigned char c : text) { h ^= c; h *= 1099511628211ull; }
  return h ^ 0x0D0A2026ull;
}

// A level whose values are all missing but its pressure.
void MissAllButPressure(Level& l) {
  constexpr double kMissing = -9999.0;
  for (double* v : {&l.t, &l.tw, &l.td, &l.te, &l.wdir, &l.wspd, &l.omega, &l.cfrl, &l.z}) *v = kMissing;
}

std::string MakeDataset(const Site& site, const Model& model, const Member& member, bool onlyLowestLevel = false) {
  std::vector<Hour> hours =
      MakeHours(site, model, member, Seed(std::string(model.name) + site.id + member.title), kHours);
  if (onlyLowestLevel)
    for (Hour& h : hours)
      for (std::size_t k = 1; k < h.lv.size(); ++k) MissAllButPressure(h.lv[k]);
  std::string out;
  WriteDataset(out, member.title, site, model, hours);
  return out;
}

bool WriteFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream f(path, std::ios::binary);
  f << text;
  f.close();
  if (!f) {
    std::cerr << "ondrik_gendata: cannot write " << path.string() << '\n';
    return false;
  }
  std::cout << path.string() << "  " << text.size() << " bytes\n";
  return true;
}

const Model kNam{"NAM", "eta", Layout::kEta, 1, 60, 50.0};
const Model kRuc{"RUC", "ruc", Layout::kEta, 1, 50, 100.0};
const Model kGfs{"GFS", "gfs3", Layout::kGfs3, 3, 40, 75.0};
// Ensemble members have a coarser column so that eight of them stay small.
const Model kSref{"SREF", "eta", Layout::kEta, 3, 32, 100.0};
const Model kMax{"MAX", "eta", Layout::kEta, 1, 67, 50.0};

int WriteAll(const std::filesystem::path& dir) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  bool ok = true;
  for (const Model* model : {&kNam, &kRuc, &kGfs}) {
    for (const Site& site : kSites) {
      Member m;
      m.title = std::string(model->name) + " 12Z " + site.id;
      ok &= WriteFile(dir / (std::string(model->name) + "_" + site.id + ".ond"),
                      MakeDataset(site, *model, m));
    }
  }
  // Ensemble: two cores, control and paired negative/positive perturbations.
  struct P { const char* core; const char* pert; double k; double bias; };
  const P perts[] = {{"ARW", "CTL", 0, 0},  {"ARW", "N1", -1, 0}, {"ARW", "P1", 1, 0},
                     {"ARW", "N2", -2, 0},  {"ARW", "P2", 2, 0},  {"NMM", "CTL", 0, 1},
                     {"NMM", "N1", -1, 1},  {"NMM", "P1", 1, 1}};
  std::string text;
  for (const P& p : perts) {
    Member m;
    std::string label = std::string(p.core) + "_" + p.pert;
    for (char& c : label) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    m.title = std::string("SREF ") + p.core + " " + p.pert + " 12Z #" + label;
    m.shift = 2.5 * p.k + 1.5 * p.bias;
    m.dT = 0.7 * p.k - 0.5 * p.bias;
    m.dTd = 0.5 * p.k;
    m.windScale = 1.0 + 0.06 * p.k;
    m.precipScale = std::max(0.3, 1.0 + 0.2 * p.k - 0.1 * p.bias);
    text += MakeDataset(kSites[0], kSref, m);
  }
  ok &= WriteFile(dir / "SREF_KOKC.ond", text);
  return ok ? 0 : 1;
}

int WriteMax(const std::filesystem::path& path, bool onlyLowestLevel) {
  std::string text;
  for (int i = 0; i < 24; ++i) {
    Member m;
    char title[64];
    std::snprintf(title, sizeof title, "MAX C%d V%d 12Z #m%02d", i / 5 + 1, i % 5 + 1, i + 1);
    m.title = title;
    m.shift = (i % 5 - 2) * 2.0;
    m.dT = (i / 5 - 2) * 0.5;
    m.dTd = (i % 3 - 1) * 0.5;
    text += MakeDataset(kSites[0], kMax, m, onlyLowestLevel);
  }
  return WriteFile(path, text) ? 0 : 1;
}

}  // namespace
}  // namespace gendata

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--max") return gendata::WriteMax(argv[2], false);
  if (argc == 3 && std::string(argv[1]) == "--missing") return gendata::WriteMax(argv[2], true);
  if (argc == 2 && std::string(argv[1]).rfind("--", 0) != 0) return gendata::WriteAll(argv[1]);
  std::cerr << "usage: ondrik_gendata <output folder>\n"
               "       ondrik_gendata --max <file>\n"
               "       ondrik_gendata --missing <file>\n";
  return 2;
}
