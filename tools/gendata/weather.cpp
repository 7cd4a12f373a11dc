#include "tools/gendata/weather.h"

#include <cmath>
#include <cstdio>

namespace gendata {

namespace {

AirMass Blend(const AirMass& a, const AirMass& b, double f) {
  auto m = [f](double x, double y) { return x + (y - x) * f; };
  AirMass r;
  r.slp = m(a.slp, b.slp); r.tsfc = m(a.tsfc, b.tsfc); r.amp = m(a.amp, b.amp);
  r.tdsfc = m(a.tdsfc, b.tdsfc); r.t850 = m(a.t850, b.t850); r.t700 = m(a.t700, b.t700);
  r.t500 = m(a.t500, b.t500); r.t300 = m(a.t300, b.t300); r.ptrop = m(a.ptrop, b.ptrop);
  r.ttrop = m(a.ttrop, b.ttrop); r.t100 = m(a.t100, b.t100); r.t50 = m(a.t50, b.t50);
  r.cap = m(a.cap, b.cap); r.capP = m(a.capP, b.capP); r.nose = m(a.nose, b.nose);
  r.noseP = m(a.noseP, b.noseP); r.moistDp = m(a.moistDp, b.moistDp);
  r.rhMid = m(a.rhMid, b.rhMid); r.rhUp = m(a.rhUp, b.rhUp); r.sat = m(a.sat, b.sat);
  r.satBaseDp = m(a.satBaseDp, b.satBaseDp); r.satTop = m(a.satTop, b.satTop);
  // Wind directions blend along the shorter arc.
  auto dir = [f](double x, double y) {
    double d = std::fmod(y - x + 540.0, 360.0) - 180.0;
    return std::fmod(x + d * f + 360.0, 360.0);
  };
  r.wlDir = dir(a.wlDir, b.wlDir); r.wlSpd = m(a.wlSpd, b.wlSpd);
  r.w5Dir = dir(a.w5Dir, b.w5Dir); r.w5Spd = m(a.w5Spd, b.w5Spd);
  r.wjSpd = m(a.wjSpd, b.wjSpd); r.llj = m(a.llj, b.llj);
  r.omega = m(a.omega, b.omega); r.omegaP = m(a.omegaP, b.omegaP);
  r.rain = m(a.rain, b.rain); r.conv = m(a.conv, b.conv); r.lag = m(a.lag, b.lag);
  return r;
}

int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

}  // namespace

AirMass Evaluate(const std::vector<Key>& keys, double t) {
  if (t <= keys.front().t) return keys.front().m;
  if (t >= keys.back().t) return keys.back().m;
  size_t i = 0;
  while (keys[i + 1].t <= t) ++i;
  double f = (t - keys[i].t) / (keys[i + 1].t - keys[i].t);
  f = f * f * (3.0 - 2.0 * f);
  return Blend(keys[i].m, keys[i + 1].m, f);
}

// Oklahoma City: Gulf moisture under an elevated mixed layer, a capped first
// afternoon, storms on the second afternoon ahead of a cold front, then a
// cold, dry high with large diurnal swings.
std::vector<Key> ScenarioPlains() {
  AirMass a;
  a.slp = 1010; a.tsfc = 14; a.amp = 6; a.tdsfc = 11;
  a.t850 = 12; a.t700 = 5; a.t500 = -13; a.t300 = -39; a.ptrop = 210; a.ttrop = -57;
  a.cap = 4; a.capP = 790; a.moistDp = 130; a.rhMid = 30; a.rhUp = 40;
  a.wlDir = 170; a.wlSpd = 25; a.w5Dir = 235; a.w5Spd = 45; a.wjSpd = 90; a.llj = 20;
  a.omega = 0.05;
  AirMass b = a;
  b.slp = 1006; b.tsfc = 17; b.tdsfc = 15; b.t850 = 14; b.t700 = 6; b.t500 = -14;
  b.cap = 3; b.capP = 770; b.moistDp = 150; b.llj = 30;
  b.wlDir = 175; b.wlSpd = 30; b.w5Dir = 230; b.w5Spd = 55; b.wjSpd = 110;
  AirMass c = b;  // storm afternoon
  c.slp = 1002; c.tsfc = 19; c.tdsfc = 16.5; c.t850 = 15; c.t700 = 4; c.t500 = -16; c.t300 = -42;
  c.cap = 1.0; c.moistDp = 170; c.rhMid = 45; c.conv = 7; c.omega = -0.2;
  c.wlDir = 180; c.w5Dir = 230; c.w5Spd = 60; c.wjSpd = 120;
  AirMass d = c;
  d.slp = 1001; d.rhMid = 70; d.conv = 9; d.omega = -0.6; d.omegaP = 500;
  AirMass e = d;  // cold front at the surface
  e.slp = 1006; e.tsfc = 9; e.amp = 3; e.tdsfc = 6; e.t850 = 8; e.t700 = 1; e.t500 = -19;
  e.cap = 0; e.moistDp = 100; e.rhMid = 85; e.sat = 0.85; e.satBaseDp = 60; e.satTop = 450;
  e.rain = 1.5; e.conv = 1; e.omega = -0.9; e.omegaP = 650; e.llj = 0;
  e.wlDir = 330; e.wlSpd = 25; e.w5Dir = 245; e.w5Spd = 60; e.lag = 3;
  AirMass f = e;  // cold advection
  f.slp = 1018; f.tsfc = 4; f.amp = 5; f.tdsfc = -4; f.t850 = -2; f.t700 = -9; f.t500 = -24;
  f.t300 = -48; f.ptrop = 280; f.ttrop = -55; f.moistDp = 80; f.rhMid = 30; f.rhUp = 30;
  f.sat = 0; f.rain = 0; f.conv = 0; f.omega = 0.25; f.omegaP = 600;
  f.wlDir = 340; f.wlSpd = 25; f.w5Dir = 280; f.w5Spd = 55; f.wjSpd = 100; f.lag = 2;
  AirMass g = f;  // the high overhead
  g.slp = 1027; g.tsfc = 2; g.amp = 8; g.tdsfc = -9; g.t850 = -1; g.t700 = -10; g.t500 = -25;
  g.rhMid = 20; g.rhUp = 25; g.omega = 0.1; g.wlDir = 20; g.wlSpd = 8; g.w5Dir = 290;
  g.w5Spd = 40; g.lag = 0;
  AirMass h = g;  // return flow
  h.slp = 1019; h.tsfc = 7; h.tdsfc = -2; h.t850 = 6; h.t700 = -4; h.t500 = -20;
  h.cap = 2; h.capP = 800; h.moistDp = 90; h.wlDir = 180; h.wlSpd = 20; h.w5Dir = 260;
  h.w5Spd = 45; h.llj = 15; h.omega = 0;
  AirMass i = b;  // second system, weaker
  i.slp = 1008; i.tsfc = 13; i.tdsfc = 10; i.t850 = 11; i.t700 = 3; i.t500 = -15;
  i.cap = 2; i.rhMid = 45; i.conv = 3; i.omega = -0.3;
  AirMass j = e;
  j.tsfc = 6; j.tdsfc = 3; j.t850 = 4; j.t700 = -3; j.t500 = -21; j.rain = 1.0; j.conv = 0.5;
  AirMass k = f;
  k.slp = 1030; k.tsfc = -2; k.tdsfc = -11; k.t850 = -8; k.t700 = -14; k.t500 = -30;
  k.wlDir = 360; k.wlSpd = 20; k.w5Dir = 300; k.w5Spd = 50; k.omega = 0.2; k.lag = 0;
  AirMass l = h;
  l.tsfc = 5; l.tdsfc = -4; l.t850 = 2; l.slp = 1021; l.llj = 10;
  return {{0, a}, {20, b}, {30, c}, {37, d}, {43, e}, {51, f}, {66, g}, {84, h},
          {130, i}, {150, i}, {158, j}, {172, k}, {215, l}, {252, l}};
}

// Boston: a cold onshore high, then a coastal front with a long, heavy
// overrunning rain (the warm air arrives aloft first), a brief warm sector,
// a cold front and cold advection; later a snowy coastal storm.
std::vector<Key> ScenarioCoastal() {
  AirMass a;
  a.slp = 1030; a.tsfc = 1; a.amp = 4; a.tdsfc = -6;
  a.t850 = -5; a.t700 = -12; a.t500 = -27; a.t300 = -49; a.ptrop = 290; a.ttrop = -56;
  a.moistDp = 70; a.rhMid = 30; a.rhUp = 35;
  a.wlDir = 40; a.wlSpd = 15; a.w5Dir = 270; a.w5Spd = 50; a.wjSpd = 100; a.omega = 0.1;
  AirMass b = a;  // warm advection aloft
  b.slp = 1024; b.tsfc = 3; b.tdsfc = 0; b.t850 = -2; b.t700 = -8; b.wlDir = 100; b.wlSpd = 25;
  b.w5Dir = 240; b.w5Spd = 55; b.rhMid = 70; b.sat = 0.5; b.satBaseDp = 250; b.satTop = 420;
  b.omega = -0.3; b.rain = 0.1; b.lag = -3;
  AirMass c = b;  // the coastal front, heavy rain
  c.slp = 1006; c.tsfc = 5; c.amp = 1; c.tdsfc = 4.6; c.t850 = 6; c.t700 = -2; c.t500 = -18;
  c.t300 = -42; c.ptrop = 240; c.wlDir = 140; c.wlSpd = 45; c.w5Dir = 225; c.w5Spd = 70;
  c.wjSpd = 130; c.rhMid = 95; c.sat = 1; c.satBaseDp = 25; c.satTop = 330; c.omega = -1.6;
  c.rain = 4; c.conv = 0.5; c.lag = -1;
  AirMass d = c;  // warm sector
  d.slp = 998; d.tsfc = 11; d.amp = 2; d.tdsfc = 10; d.t850 = 8; d.t700 = 0; d.wlDir = 200;
  d.wlSpd = 40; d.w5Dir = 230; d.rhMid = 60; d.sat = 0.3; d.rain = 0.3; d.conv = 0;
  d.omega = -0.3; d.lag = 0;
  AirMass e = d;  // cold front
  e.slp = 1001; e.tsfc = 8; e.tdsfc = 6; e.wlDir = 270; e.wlSpd = 30; e.sat = 0.7;
  e.satBaseDp = 40; e.satTop = 450; e.rain = 1.5; e.omega = -0.8; e.lag = 3;
  AirMass f = e;  // cold advection
  f.slp = 1012; f.tsfc = 1; f.amp = 3; f.tdsfc = -8; f.t850 = -8; f.t700 = -15; f.t500 = -30;
  f.t300 = -50; f.ptrop = 300; f.wlDir = 300; f.wlSpd = 30; f.w5Dir = 270; f.w5Spd = 70;
  f.rhMid = 30; f.sat = 0; f.rain = 0; f.omega = 0.3; f.lag = 2;
  AirMass g = f;
  g.slp = 1025; g.tsfc = -3; g.amp = 4; g.tdsfc = -14; g.t850 = -12; g.t700 = -18; g.t500 = -32;
  g.wlDir = 310; g.wlSpd = 20; g.w5Dir = 280; g.w5Spd = 55; g.omega = 0.15; g.lag = 0;
  AirMass h = g;
  h.slp = 1024; h.tsfc = 0; h.tdsfc = -8; h.t850 = -6; h.t700 = -12; h.t500 = -27;
  h.wlDir = 230; h.wlSpd = 15; h.w5Dir = 260; h.w5Spd = 50; h.omega = 0;
  AirMass i = h;  // a quick rain
  i.slp = 1012; i.tsfc = 4; i.tdsfc = 2; i.t850 = 0; i.wlDir = 190; i.wlSpd = 30;
  i.sat = 0.8; i.satBaseDp = 60; i.satTop = 450; i.rain = 0.8; i.omega = -0.7; i.rhMid = 80;
  AirMass j = g;
  AirMass k = g;  // coastal storm with snow
  k.slp = 1000; k.tsfc = -1; k.amp = 1; k.tdsfc = -1.5; k.t850 = -5; k.t700 = -10; k.t500 = -28;
  k.wlDir = 50; k.wlSpd = 40; k.w5Dir = 230; k.w5Spd = 65; k.sat = 1; k.satBaseDp = 20;
  k.satTop = 400; k.rhMid = 95; k.rain = 2; k.omega = -1.2;
  AirMass l = h;
  return {{0, a}, {14, b}, {24, c}, {31, c}, {35, d}, {39, e}, {47, f}, {66, g}, {84, h},
          {108, i}, {116, i}, {128, j}, {190, j}, {200, k}, {210, k}, {222, g}, {252, l}};
}

// Minneapolis: arctic air, then warm advection aloft over the shallow cold
// layer: snow, ice pellets and a long freezing rain under a warm nose near
// 800 mb; an arctic front brings snow and very cold nights.
std::vector<Key> ScenarioContinental() {
  AirMass a;
  a.slp = 1036; a.tsfc = -14; a.amp = 4; a.tdsfc = -19;
  a.t850 = -16; a.t700 = -20; a.t500 = -33; a.t300 = -52; a.ptrop = 320; a.ttrop = -55;
  a.moistDp = 60; a.rhMid = 25; a.rhUp = 30;
  a.wlDir = 330; a.wlSpd = 12; a.w5Dir = 290; a.w5Spd = 45; a.wjSpd = 90; a.omega = 0.1;
  AirMass b = a;  // warm advection aloft begins, light snow
  b.slp = 1026; b.tsfc = -10; b.tdsfc = -12; b.t850 = -8; b.t700 = -10; b.t500 = -25;
  b.wlDir = 160; b.wlSpd = 25; b.w5Dir = 240; b.w5Spd = 55; b.rhMid = 75; b.sat = 0.6;
  b.satBaseDp = 150; b.satTop = 450; b.omega = -0.4; b.rain = 0.25; b.lag = -3;
  AirMass c = b;  // the warm nose grows
  c.slp = 1018; c.tsfc = -7; c.tdsfc = -8; c.t850 = -6; c.t700 = -8; c.nose = 5; c.noseP = 790;
  c.sat = 0.95; c.satBaseDp = 30; c.satTop = 400; c.rain = 1.0; c.omega = -1.0; c.lag = -1.5;
  c.wlDir = 170; c.wlSpd = 40; c.w5Dir = 235; c.w5Spd = 65;
  AirMass d = c;  // freezing rain
  d.slp = 1010; d.tsfc = -3.5; d.amp = 1; d.tdsfc = -4; d.t850 = -4; d.t700 = -6; d.nose = 9;
  d.noseP = 800; d.sat = 1; d.rain = 1.6; d.omega = -1.2; d.lag = 0; d.wlDir = 180; d.wlSpd = 45;
  d.w5Dir = 235; d.w5Spd = 70; d.wjSpd = 120;
  AirMass e = d;
  e.tsfc = -2; e.tdsfc = -2.4; e.nose = 10;
  AirMass f = e;  // arctic front, snow
  f.slp = 1016; f.tsfc = -7; f.amp = 1; f.tdsfc = -8.5; f.t850 = -11; f.t700 = -13; f.t500 = -29;
  f.nose = 0; f.sat = 0.8; f.satBaseDp = 60; f.satTop = 500; f.rain = 0.6; f.omega = -0.6;
  f.wlDir = 330; f.wlSpd = 25; f.w5Dir = 260; f.w5Spd = 60; f.lag = 3;
  AirMass g = f;  // arctic high
  g.slp = 1036; g.tsfc = -16; g.amp = 5; g.tdsfc = -21; g.t850 = -18; g.t700 = -20;
  g.t500 = -35; g.sat = 0; g.rain = 0; g.omega = 0.2; g.wlDir = 320; g.wlSpd = 15;
  g.w5Dir = 290; g.w5Spd = 45; g.rhMid = 20; g.lag = 0;
  AirMass h = g;
  h.slp = 1032; h.tsfc = -13; h.tdsfc = -18; h.t850 = -12; h.wlDir = 200; h.wlSpd = 12;
  h.w5Dir = 270; h.omega = 0;
  AirMass i = h;  // a clipper
  i.slp = 1014; i.tsfc = -7; i.tdsfc = -9; i.t850 = -10; i.t700 = -14; i.sat = 0.85;
  i.satBaseDp = 50; i.satTop = 500; i.rain = 0.5; i.omega = -0.6; i.rhMid = 80; i.wlDir = 230;
  i.wlSpd = 30;
  AirMass j = g;
  AirMass k = h;  // milder
  k.tsfc = -3; k.tdsfc = -7; k.t850 = -4; k.t700 = -9; k.t500 = -24; k.slp = 1020;
  AirMass l = d;  // a second icy spell
  l.tsfc = -2.5; l.tdsfc = -3; l.nose = 8;
  return {{0, a}, {16, b}, {23, c}, {30, d}, {37, e}, {43, f}, {53, g}, {84, h},
          {104, i}, {112, i}, {124, j}, {170, k}, {190, b}, {198, l}, {206, l}, {214, f},
          {226, g}, {252, h}};
}

// Denver: dry, deep afternoon mixing with westerly downslope wind, then a
// shallow arctic front from the northeast with upslope snow, clearing and
// a cold night; later a windy chinook.
std::vector<Key> ScenarioHighPlains() {
  AirMass a;
  a.slp = 1014; a.tsfc = 6; a.amp = 9; a.tdsfc = -10;
  a.t700 = -2; a.t500 = -18; a.t300 = -44; a.ptrop = 220; a.ttrop = -58;
  a.moistDp = 50; a.rhMid = 25; a.rhUp = 35;
  a.wlDir = 260; a.wlSpd = 20; a.w5Dir = 270; a.w5Spd = 50; a.wjSpd = 90; a.omega = 0.1;
  AirMass b = a;
  b.tsfc = 7; b.tdsfc = -12; b.t700 = 0; b.t500 = -16; b.wlDir = 250; b.wlSpd = 25;
  b.w5Dir = 260; b.w5Spd = 55;
  AirMass c = b;  // backdoor front
  c.slp = 1022; c.tsfc = 2; c.amp = 3; c.tdsfc = -3; c.t700 = -4; c.wlDir = 40; c.wlSpd = 20;
  c.w5Dir = 250; c.w5Spd = 50; c.rhMid = 60; c.sat = 0.5; c.satBaseDp = 60; c.satTop = 560;
  c.omega = -0.3; c.omegaP = 700; c.rain = 0.15; c.lag = 4;
  AirMass d = c;  // upslope snow
  d.slp = 1030; d.tsfc = -6; d.amp = 1; d.tdsfc = -7; d.t700 = -10; d.t500 = -24;
  d.wlDir = 60; d.wlSpd = 25; d.w5Dir = 240; d.w5Spd = 45; d.rhMid = 90; d.sat = 1;
  d.satBaseDp = 20; d.satTop = 500; d.omega = -0.8; d.omegaP = 720; d.rain = 1.0; d.lag = 3;
  AirMass e = d;
  e.tsfc = -8; e.tdsfc = -10; e.t700 = -13; e.sat = 0.5; e.rain = 0.2; e.omega = -0.2;
  e.wlDir = 20; e.wlSpd = 15; e.lag = 1;
  AirMass f = e;  // clearing
  f.slp = 1032; f.tsfc = -9; f.amp = 8; f.tdsfc = -16; f.t700 = -12; f.t500 = -26; f.sat = 0;
  f.rain = 0; f.rhMid = 30; f.omega = 0.2; f.omegaP = 600; f.wlDir = 200; f.wlSpd = 10;
  f.w5Dir = 280; f.w5Spd = 40; f.lag = 0;
  AirMass g = a;
  g.tsfc = -1; g.tdsfc = -12; g.t700 = -6; g.t500 = -22; g.wlDir = 240; g.wlSpd = 15;
  AirMass h = a;  // chinook
  h.slp = 1006; h.tsfc = 10; h.amp = 7; h.tdsfc = -14; h.t700 = 1; h.wlDir = 270; h.wlSpd = 35;
  h.w5Dir = 280; h.w5Spd = 80; h.wjSpd = 130; h.omega = 0.3;
  return {{0, a}, {24, b}, {34, c}, {42, d}, {52, e}, {60, f}, {84, g}, {110, h}, {130, h},
          {150, g}, {165, c}, {172, d}, {180, e}, {190, f}, {252, a}};
}

std::string ValidTime(int hours) {
  const int64_t total = DaysFromCivil(kRunYear, kRunMonth, kRunDay) * 24 + kRunHour + hours;
  int y, m, d;
  CivilFromDays(total / 24, y, m, d);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d%02d%02d/%02d00", y % 100, m, d, static_cast<int>(total % 24));
  return buf;
}

}  // namespace gendata
