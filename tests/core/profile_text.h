// Test helper: writes the text of a profile data file (*.ond) with any number
// of datasets, hours and levels, in the "eta"/"ruc" or the "gfs3" layout.
//
// The sounding is a plain one: level 1 at the surface pressure with
// T = 20 degC and Td = 10 degC, then pressures falling evenly in ln p to
// 50 mb, the temperature falling 6.5 K/km (never below -56.5 degC), the dew
// point 10 K below it, the wind veering with height. Hour h of dataset d adds
// 0.1*h + 0.01*d degC to every temperature so that hours and datasets can be
// told apart.
#pragma once

#include <cmath>
#include <cstdio>
#include <string>

namespace ondrik::testing {

struct ProfileFileSpec {
  std::string key = "eta";   // "eta", "ruc" or "gfs3"
  int datasets = 1;
  int hours = 3;
  int levels = 10;
  int hourStep = 1;          // hours between consecutive forecast hours
  float sfcPres = 1000.0f;   // mb
  float elevation = 190.0f;  // m
  bool crlf = false;
  bool extraLineAtEnd = true;  // the line after the last dataset's blank line
  std::string title = "NAM CTL 00Z";  // dataset d >= 2 gets "NAM P<d-1> 00Z"
  bool labels = true;                 // append " #m<d>" to every title
  // Levels gapFrom..gapTo (none when gapFrom is 0) hold only their
  // pressure, every other value missing (-9999), or with gapLeftOut are not
  // in the file at all (the other levels keep their values).
  int gapFrom = 0;
  int gapTo = 999;
  bool gapLeftOut = false;
};

inline std::string Fmt(const char* f, double a) {
  char b[64];
  std::snprintf(b, sizeof b, f, a);
  return b;
}

inline std::string MakeProfileText(const ProfileFileSpec& spec) {
  const std::string nl = spec.crlf ? "\r\n" : "\n";
  const bool gfs3 = spec.key == "gfs3";
  std::string out;
  out.reserve(static_cast<size_t>(spec.datasets) * spec.hours * spec.levels * 80 + 4096);
  for (int d = 1; d <= spec.datasets; ++d) {
    std::string title = d == 1 ? spec.title : "NAM P" + std::to_string(d - 1) + " 00Z";
    if (spec.labels) title += " #m" + std::to_string(d);
    out += title + nl;
    out += gfs3 ? "SNPARM = PRES;TMPC;TMWC;DWPC;THTE;DRCT;SKNT;OMEG;HGHT" + nl
                : "SNPARM = PRES;TMPC;TMWC;DWPC;THTE;DRCT;SKNT;OMEG;CFRL;HGHT" + nl;
    out += "STNPRM = SHOW;LIFT;SWET;KINX;LCLP;PWAT;TOTL;CAPE;LCLT;CINS;EQLV;LFCT;BRCH" + nl;
    out += nl;
    for (int h = 0; h < spec.hours; ++h) {
      // Valid times start at 31 Dec 2006 18:00 and step by hourStep.
      const int total = 18 + h * spec.hourStep;
      int day = 31, month = 12, year = 6;
      int hour = total;
      int extraDays = hour / 24;
      hour %= 24;
      if (extraDays > 0) {  // into January 2007
        year = 7;
        month = 1;
        day = extraDays;
      }
      char date[32];
      std::snprintf(date, sizeof date, "%02d%02d%02d/%02d00", year, month, day, hour);
      out += "STID = KORD  STNM = 725300  TIME = " + std::string(date) + nl;
      out += "SLAT = 41.98 SLON = -87.90 SELV = " + Fmt("%.1f", spec.elevation) + nl;
      out += "STIM = " + std::to_string(h * spec.hourStep) + nl;
      out += nl;
      out += "SHOW = 1.20 LIFT = -3.00 SWET = 200.00 KINX = 30.00" + nl;
      out += "LCLP = 900.00 PWAT = 25.40 TOTL = 50.00 CAPE = 1500.00" + nl;
      out += "LCLT = 285.16 CINS = -50.00 EQLV = 200.00 LFCT = 800.00" + nl;
      out += "BRCH = 12.00" + nl;
      out += nl;
      out += gfs3 ? "PRES TMPC TMWC DWPC THTE DRCT SKNT OMEG" + nl : "PRES TMPC TMWC DWPC THTE DRCT" + nl;
      out += gfs3 ? "HGHT" + nl : "SKNT OMEG CFRL HGHT" + nl;
      const double shift = 0.1 * h + 0.01 * d;
      const double lnTop = std::log(50.0), lnBot = std::log(static_cast<double>(spec.sfcPres));
      for (int l = 1; l <= spec.levels; ++l) {
        const double frac = spec.levels > 1 ? (l - 1.0) / (spec.levels - 1.0) : 0.0;
        const double p = std::exp(lnBot + (lnTop - lnBot) * frac);
        const double z = (1.0 - std::pow(p / 1013.2, 1.0 / 5.265)) * 44307.7;
        const double zAgl = z - (1.0 - std::pow(spec.sfcPres / 1013.2, 1.0 / 5.265)) * 44307.7;
        double t = 20.0 - 6.5 * zAgl / 1000.0;
        if (t < -56.5) t = -56.5;
        t += shift;
        const double td = t - 10.0;
        const double tw = t - 10.0 / 3.0;
        const double thte = (t + 273.16) * std::pow(1000.0 / p, 2.0 / 7.0) + 20.0;
        const double dir = 180.0 + 90.0 * frac;
        const double spd = 10.0 + 50.0 * frac;
        const double hght = spec.elevation + zAgl;
        const bool missing = spec.gapFrom > 0 && l >= spec.gapFrom && l <= spec.gapTo;
        if (missing && spec.gapLeftOut) continue;
        const auto v = [missing](double x) { return Fmt(" %.2f", missing ? -9999.0 : x); };
        out += Fmt(" %.2f", p) + v(t) + v(tw) + v(td) + v(thte) + v(dir);
        if (gfs3) {
          out += v(spd) + v(-0.5) + nl + v(hght) + nl;
        } else {
          out += nl + v(spd) + v(-0.5) + v(20.0) + v(hght) + nl;
        }
      }
      out += nl;
    }
    // Surface section.
    if (gfs3) {
      out += "YYMMDD/HHMM PMSL PRES SKTC SNFL WTNS P03M" + nl;
      out += "C03M UWND" + nl + "VWND T2MS Q2MS WSYM WXTP WXTZ" + nl + "WXTR USTM TD2M" + nl;
    } else {
      out += "YYMMDD/HHMM PMSL PRES SKTC STC1 SNFL WTNS" + nl;
      out += "P01M C01M STC2 LCLD MCLD HCLD" + nl + "SNRA UWND VWND R01M BFGR T2MS" + nl +
             "Q2MS WXTS WXTP WXTZ WXTR USTM" + nl + "VSTM HLCY SLLH WSYM CDBP VSBK" + nl +
             "TD2M" + nl;
    }
    for (int h = 0; h < spec.hours; ++h) {
      const std::string date = "061231/" + Fmt("%02.0f", h % 24) + "00";
      const double sfcp = spec.sfcPres + 0.5 * h;
      if (gfs3) {
        out += date + " 1013.00 0.00" + Fmt(" %.2f", sfcp) + " 18.00 0.00 1.00 2.54" + nl;
        out += " 1.27 0.00 0.00 0.00 0.00 0.00" + nl;
        out += " 5.00 19.50 8.00 0.00 0.00 0.00" + nl;
        out += " 1.00 0.00 9.50" + nl;
      } else {
        out += date + " 1013.00 0.00" + Fmt(" %.2f", sfcp) + " 18.00 16.00 0.00 0.00" + nl;
        out += " 2.54 -1.00 12.00 0.00 0.00 0.00" + nl;
        out += " 40.00 0.00 5.00 0.00 0.00 19.50" + nl;
        out += " 8.00 0.00 0.00 0.00 1.00 3.00" + nl;
        out += " 4.00 150.00 1.00 60.00 850.00 10.00" + nl;
        out += " 9.50" + nl;
      }
    }
    out += nl;
    if (d < spec.datasets || spec.extraLineAtEnd) out += "--" + nl;
  }
  return out;
}

}  // namespace ondrik::testing
