// A made profile file for the pictures of the energy view's two-layer
// diagram, which no shipped file shows.
#pragma once

#include <cstdio>
#include <string>

namespace ondrik::testing {

// A profile file of one hour whose column is warm at the ground, then cold,
// warm again aloft and cold above (levels every 500 m and 50 mb): the
// two-layer energy diagram, the lower cold layer deep enough to refreeze,
// with 15.3 J/kg of warmth at the ground.
inline std::string TwoLayerProfile(const std::string& site) {
  const float temps[] = {1.7f, -4, -4, 2.5f, 2.5f, -5, -12, -20, -28, -36, -44, -52, -58, -60, -60, -60};
  std::string s = "NAM CTL 00Z\nSNPARM = PRES;TMPC;TMWC;DWPC;THTE;DRCT;SKNT;OMEG;CFRL;HGHT\n";
  s += "STNPRM = SHOW;LIFT;SWET;KINX\n\n";
  s += "STID = " + site + "  STNM = 725300  TIME = 061231/1800\nSLAT = 41.98 SLON = -87.90 SELV = 0.0\nSTIM = 0\n\n";
  s += "SHOW = 1.20 LIFT = 3.00 SWET = 100.00 KINX = 10.00\nLCLP = 990.00 PWAT = 10.00 TOTL = 40.00 CAPE = 0.00\n";
  s += "LCLT = 274.00 CINS = 0.00 EQLV = -9999.00 LFCT = -9999.00\nBRCH = 0.00\n\n";
  s += "PRES TMPC TMWC DWPC THTE DRCT\nSKNT OMEG CFRL HGHT\n";
  for (int i = 0; i < 16; ++i) {
    char line[160];
    std::snprintf(line, sizeof line, " %.2f %.2f %.2f %.2f 300.00 270.00\n 20.00 -1.00 100.00 %.2f\n", 1000.0 - 50 * i,
                  temps[i], temps[i] - 0.5, temps[i] - 1, 500.0 * i);
    s += line;
  }
  s += "\nYYMMDD/HHMM PMSL\nA\nB\nC\nD\nE\n";
  s += "061231/1800 1013.00 0.00 1000.00 1.70 0.70 0.00 0.00\n 0.10 -1.00 12.00 0.00 0.00 0.00\n";
  s += " 40.00 0.00 5.00 2.54 0.00 19.50\n 8.00 0.00 0.00 0.00 1.00 3.00\n 4.00 150.00 1.00 60.00 850.00 10.00\n";
  s += " 0.70\n\n";
  return s;
}

}  // namespace ondrik::testing
