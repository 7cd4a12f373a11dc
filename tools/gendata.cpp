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

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRd = 287.04;     // J/(kg K)
constexpr double kCp = 1005.7;     // J/(kg K)
constexpr double kG = 9.80665;     // m/s2
constexpr double kLv = 2.501e6;    // J/kg
constexpr double kEps = 0.622;
constexpr double kKappa = kRd / kCp;
constexpr double kZeroC = 273.15;
constexpr double kKnotsPerMs = 1.94384;

// ---------------------------------------------------------------------------
// Moist thermodynamics (temperatures in °C unless named ...K, pressures in mb)

double SatVap(double tc) { return 6.112 * std::exp(17.67 * tc / (tc + 243.5)); }
double SatVapIce(double tc) { return 6.112 * std::exp(22.46 * tc / (tc + 272.62)); }
double MixRatioOfVap(double e, double p) { return kEps * e / (p - e); }  // kg/kg
double VapOfMixRatio(double w, double p) { return w * p / (kEps + w); }
double DewpointOfVap(double e) {
  const double l = std::log(e / 6.112);
  return 243.5 * l / (17.67 - l);
}
double MixRatio(double td, double p) { return MixRatioOfVap(SatVap(td), p); }

// Isobaric wet-bulb temperature: the temperature at which evaporating water
// into the air saturates it, cp (T - Tw) = Lv (ws(Tw) - w). The left side
// minus the right falls monotonically from Td to T, so bisection converges.
double WetBulb(double t, double td, double p) {
  const double w = MixRatio(td, p);
  double lo = td, hi = t;
  for (int i = 0; i < 60; ++i) {
    const double mid = 0.5 * (lo + hi);
    const double f = kCp * (t - mid) - kLv * (MixRatio(mid, p) - w);
    if (f > 0) lo = mid; else hi = mid;
  }
  return 0.5 * (lo + hi);
}

// Temperature (K) of the lifting condensation level of air at T, Td (°C).
double LclTempK(double t, double td) {
  const double tk = t + kZeroC, tdk = td + kZeroC;
  return 1.0 / (1.0 / (tdk - 56.0) + std::log(tk / tdk) / 800.0) + 56.0;
}

// Equivalent potential temperature (K) after Bolton (1980).
double ThetaE(double t, double td, double p) {
  const double tk = t + kZeroC;
  const double r = 1000.0 * MixRatio(td, p);  // g/kg
  const double tl = LclTempK(t, td);
  return tk * std::pow(1000.0 / p, 0.2854 * (1.0 - 0.28e-3 * r)) *
         std::exp((3.376 / tl - 0.00254) * r * (1.0 + 0.81e-3 * r));
}

double Theta(double t, double p) { return (t + kZeroC) * std::pow(1000.0 / p, kKappa); }
double TempOfTheta(double th, double p) { return th * std::pow(p / 1000.0, kKappa) - kZeroC; }

// dT/dp (K/mb) along the pseudo-adiabat at T (K), p (mb).
double MoistLapse(double tk, double p) {
  const double es = SatVap(tk - kZeroC);
  const double rs = MixRatioOfVap(es, p);
  return (kRd * tk + kLv * rs) / (p * (kCp + kLv * kLv * rs * kEps / (kRd * tk * tk)));
}

// Lifts saturated air at T (K) from p1 to p2 (mb) along the pseudo-adiabat.
double LiftMoistK(double tk, double p1, double p2) {
  const int n = std::max(1, static_cast<int>(std::fabs(p1 - p2) / 4.0));
  const double dp = (p2 - p1) / n;
  double p = p1;
  for (int i = 0; i < n; ++i) {  // midpoint (RK2) steps
    const double k1 = MoistLapse(tk, p);
    const double k2 = MoistLapse(tk + 0.5 * dp * k1, p + 0.5 * dp);
    tk += dp * k2;
    p += dp;
  }
  return tk;
}

// Temperature (°C) at p2 of a parcel with T, Td (°C) at p1: dry to its LCL,
// saturated above.
double LiftParcel(double t, double td, double p1, double p2) {
  const double tl = LclTempK(t, td);
  const double pl = p1 * std::pow(tl / (t + kZeroC), 1.0 / kKappa);
  if (p2 >= pl) return (t + kZeroC) * std::pow(p2 / p1, kKappa) - kZeroC;
  return LiftMoistK(tl, pl, p2) - kZeroC;
}

// ---------------------------------------------------------------------------
// Deterministic random numbers (splitmix64), independent of the library.

class Random {
 public:
  explicit Random(uint64_t seed) : s_(seed) {}
  uint64_t Next() {
    uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  double Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  double Normal() {
    const double u1 = std::max(Uniform(), 1e-12), u2 = Uniform();
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * kPi * u2);
  }

 private:
  uint64_t s_;
};

// ---------------------------------------------------------------------------
// Air masses and the scripted weather of each site

struct AirMass {
  double slp = 1015;          // sea-level pressure, mb
  double tsfc = 10;           // daily-mean surface air temperature, °C
  double amp = 5;             // half the clear-sky diurnal range, °C
  double tdsfc = 0;           // surface dew point, °C
  double t850 = 5, t700 = -3, t500 = -20, t300 = -45;  // °C
  double ptrop = 230, ttrop = -57;                     // tropopause, mb and °C
  double t100 = -62, t50 = -58;
  double cap = 0, capP = 800;                // capping inversion: K, mb
  double nose = 0, noseP = 800;              // warm layer aloft: K, mb
  double moistDp = 100;                      // depth of the moist boundary layer, mb
  double rhMid = 50, rhUp = 30;              // free-air relative humidity, %
  double sat = 0, satBaseDp = 50, satTop = 500;  // saturated layer: 0..1, mb above ground, top mb
  double wlDir = 180, wlSpd = 15;            // wind about 100 mb above ground (deg, kt)
  double w5Dir = 250, w5Spd = 40;            // 500 mb wind
  double wjSpd = 80;                         // 250 mb jet speed
  double llj = 0;                            // nocturnal low-level jet, kt
  double omega = 0, omegaP = 600;            // peak vertical motion, Pa/s, and its pressure
  double rain = 0;                           // stratiform precipitation, mm/h
  double conv = 0;                           // convective precipitation potential, mm/h
  double lag = 0;  // hours per 100 mb by which the air aloft follows (+) or leads (-) the surface
};

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

struct Key {
  double t;  // hours after the run start
  AirMass m;
};

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

// ---------------------------------------------------------------------------
// Sites, models, members

struct Site {
  const char* id;
  double lat, lon, elev;  // degrees (east positive), metres
  int stnm;
  std::vector<Key> (*scenario)();
};

const Site kSites[] = {
    {"KOKC", 35.39, -97.60, 392.0, 723530, ScenarioPlains},
    {"KBOS", 42.36, -71.01, 5.0, 725090, ScenarioCoastal},
    {"KMSP", 44.88, -93.22, 256.0, 726580, ScenarioContinental},
    {"KDEN", 39.85, -104.66, 1656.0, 725650, ScenarioHighPlains},
};

enum class Layout { kEta, kGfs3 };

struct Model {
  const char* name;
  const char* key;
  Layout layout;
  int step;      // hours between forecast times
  int levels;
  double ptop;   // pressure of the top level, mb
};

struct Member {
  std::string title;
  double shift = 0;      // hours: the weather comes this much later
  double dT = 0;         // °C added to every temperature
  double dTd = 0;        // °C added to the dew points
  double windScale = 1;
  double precipScale = 1;
};

// Run start: 7 December 2026, 12 UTC.
constexpr int kRunYear = 2026, kRunMonth = 12, kRunDay = 7, kRunHour = 12;
constexpr int kHours = 85;

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

// "YYMMDD/HHMM" of the run start plus the given hours.
std::string ValidTime(int hours) {
  const int64_t total = DaysFromCivil(kRunYear, kRunMonth, kRunDay) * 24 + kRunHour + hours;
  int y, m, d;
  CivilFromDays(total / 24, y, m, d);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d%02d%02d/%02d00", y % 100, m, d, static_cast<int>(total % 24));
  return buf;
}

// ---------------------------------------------------------------------------
// One forecast hour

struct Level {
  double p, t, tw, td, te, wdir, wspd, u, v, omega, cfrl, z, rh;
};

struct Indices {
  double show, li, sweat, ki, lclp, pw, tt, cape, lclt, cin, el, lfc, brn;
};

struct Surface {
  double ps, slp, t2, td2, q2, skin, soil1, soil2, u10, v10;  // soil1, soil2 in K, t2, td2, skin in °C
  double precip, conv, runoff, evap, snra, lcld, mcld, hcld, tcld;
  double stormU, stormV, srh, cloudBase, vis, snowfall;
  int ptype;
};

struct Hour {
  std::string time;  // YYMMDD/HHMM
  int fhr;
  std::vector<Level> lv;
  Indices ix;
  Surface s;
};

double Smooth01(double x) {
  x = std::clamp(x, 0.0, 1.0);
  return x * x * (3.0 - 2.0 * x);
}

// Diurnal shape of the surface temperature: -1 at 07 and +1 at 15 local solar time.
double Diurnal(double lst) {
  lst = std::fmod(lst + 48.0, 24.0);
  if (lst >= 7.0 && lst < 15.0) return -std::cos(kPi * (lst - 7.0) / 8.0);
  return std::cos(kPi * std::fmod(lst - 15.0 + 24.0, 24.0) / 16.0);
}

// Afternoon-evening window of deep convection: 0 outside 13..24 LST, 1 near 18.
double ConvectiveWindow(double lst) {
  lst = std::fmod(lst + 48.0, 24.0);
  if (lst < 13.0) return 0.0;
  return std::sin(kPi * (lst - 13.0) / 11.0);
}

// Bump with a sharp lower side (higher pressure) and a long upper side.
double Bump(double p, double centre, double below, double above) {
  const double x = p > centre ? (p - centre) / below : (centre - p) / above;
  return std::exp(-x * x);
}

// Free-air temperature from the air mass's anchor temperatures, linear in ln p.
double AnchorTemp(const AirMass& m, double p, double ps) {
  std::array<std::pair<double, double>, 9> a{};
  int n = 0;
  a[n++] = {ps, m.tsfc};
  if (850.0 < ps - 40.0) a[n++] = {850.0, m.t850};
  if (700.0 < ps - 40.0) a[n++] = {700.0, m.t700};
  a[n++] = {500.0, m.t500};
  if (m.ptrop < 290.0) a[n++] = {300.0, m.t300};
  a[n++] = {m.ptrop, m.ttrop};
  a[n++] = {100.0, m.t100};
  a[n++] = {50.0, m.t50};
  a[n++] = {10.0, m.t50 + 12.0};
  if (p >= a[0].first) return a[0].second;
  for (int i = 0; i + 1 < n; ++i) {
    if (p <= a[i].first && p >= a[i + 1].first) {
      const double f = std::log(a[i].first / p) / std::log(a[i].first / a[i + 1].first);
      return a[i].second + (a[i + 1].second - a[i].second) * f;
    }
  }
  return a[n - 1].second;
}

// Wind vector (kt; u east, v north) of the air mass above the friction layer.
void FreeWind(const AirMass& m, double p, double ps, double& u, double& v) {
  struct A { double p, dir, spd; };
  std::array<A, 5> a{{{ps - 100.0, m.wlDir, m.wlSpd},
                      {500.0, m.w5Dir, m.w5Spd},
                      {250.0, m.w5Dir + 10.0, m.wjSpd},
                      {100.0, m.w5Dir + 10.0, 0.35 * m.wjSpd},
                      {30.0, 270.0, 15.0}}};
  auto uv = [](const A& x, double& uu, double& vv) {
    uu = -x.spd * std::sin(x.dir * kPi / 180.0);
    vv = -x.spd * std::cos(x.dir * kPi / 180.0);
  };
  if (p >= a[0].p) { uv(a[0], u, v); return; }
  for (size_t i = 0; i + 1 < a.size(); ++i) {
    if (p <= a[i].p && p >= a[i + 1].p) {
      double u0, v0, u1, v1;
      uv(a[i], u0, v0);
      uv(a[i + 1], u1, v1);
      const double f = std::log(a[i].p / p) / std::log(a[i].p / a[i + 1].p);
      u = u0 + (u1 - u0) * f;
      v = v0 + (v1 - v0) * f;
      return;
    }
  }
  uv(a.back(), u, v);
}

void UvToDirSpd(double u, double v, double& dir, double& spd) {
  spd = std::hypot(u, v);
  dir = spd < 1e-6 ? 0.0 : std::fmod(std::atan2(-u, -v) * 180.0 / kPi + 360.0, 360.0);
}

// Value of a level field at pressure p, linear in ln p; below the lowest
// level the lowest value.
template <typename F>
double AtPressure(const std::vector<Level>& lv, double p, F field) {
  if (p >= lv.front().p) return field(lv.front());
  for (size_t i = 0; i + 1 < lv.size(); ++i) {
    if (p <= lv[i].p && p >= lv[i + 1].p) {
      const double f = std::log(lv[i].p / p) / std::log(lv[i].p / lv[i + 1].p);
      return field(lv[i]) + (field(lv[i + 1]) - field(lv[i])) * f;
    }
  }
  return field(lv.back());
}

double TempAt(const std::vector<Level>& lv, double p) {
  return AtPressure(lv, p, [](const Level& l) { return l.t; });
}

// Surface parcel: LCL, LFC, EL, CAPE, CIN and lifted index.
void SurfaceParcel(const std::vector<Level>& lv, double ps, double t2, double td2, Indices& ix) {
  const double tlk = LclTempK(t2, td2);
  const double plcl = ps * std::pow(tlk / (t2 + kZeroC), 1.0 / kKappa);
  ix.lclp = plcl;
  ix.lclt = tlk;
  ix.li = TempAt(lv, 500.0) - LiftParcel(t2, td2, ps, 500.0);

  // Buoyancy on a fine grid from the surface to the top level.
  const double ptop = lv.back().p;
  std::vector<double> pg, bg;  // pressure, parcel minus environment (K)
  const double dlnp = 0.004;
  double tp = t2 + kZeroC;
  bool moist = false;
  double pPrev = ps;
  for (double lnp = std::log(ps); lnp >= std::log(ptop); lnp -= dlnp) {
    const double p = std::exp(lnp);
    if (!moist) {
      if (p > plcl) {
        tp = (t2 + kZeroC) * std::pow(p / ps, kKappa);
      } else {
        moist = true;
        tp = LiftMoistK(tlk, plcl, p);
      }
    } else {
      tp = LiftMoistK(tp, pPrev, p);
    }
    pPrev = p;
    const double te = p >= lv.front().p
                          ? t2 + (lv.front().t - t2) * std::log(ps / p) / std::log(ps / lv.front().p)
                          : TempAt(lv, p);
    pg.push_back(p);
    bg.push_back(tp - kZeroC - te);
  }
  int lfc = -1;
  for (size_t i = 0; i < pg.size(); ++i) {
    if (pg[i] <= plcl && bg[i] > 0) { lfc = static_cast<int>(i); break; }
  }
  ix.cape = 0; ix.cin = 0; ix.lfc = -9999; ix.el = -9999;
  if (lfc < 0) return;
  int el = static_cast<int>(pg.size()) - 1;
  for (size_t i = pg.size() - 1; i > static_cast<size_t>(lfc); --i) {
    if (bg[i] <= 0 && bg[i - 1] > 0) { el = static_cast<int>(i); break; }
  }
  double cape = 0, cin = 0;
  for (int i = 1; i <= el; ++i) {
    const double b = 0.5 * (bg[i] + bg[i - 1]);
    const double area = kRd * b * std::log(pg[i - 1] / pg[i]);
    if (i <= lfc) { if (area < 0) cin += area; }
    else if (area > 0) cape += area;
  }
  if (cape < 1.0) return;  // a sliver of buoyancy is no convective energy
  ix.cape = cape;
  ix.cin = cin;
  ix.lfc = pg[lfc];
  ix.el = pg[el];
}

void ComputeIndices(const std::vector<Level>& lv, double ps, double t2, double td2, Indices& ix) {
  SurfaceParcel(lv, ps, t2, td2, ix);
  auto at = [&lv](double p, double Level::*f) {
    return AtPressure(lv, p, [f](const Level& l) { return l.*f; });
  };
  const double t850 = at(850, &Level::t), td850 = at(850, &Level::td);
  const double t700 = at(700, &Level::t), td700 = at(700, &Level::td);
  const double t500 = at(500, &Level::t);
  const double p850 = std::min(850.0, lv.front().p);
  ix.show = t500 - LiftParcel(t850, td850, p850, 500.0);
  ix.ki = (t850 - t500) + td850 - (t700 - td700);
  ix.tt = t850 + td850 - 2.0 * t500;
  // SWEAT index.
  double u850 = at(850, &Level::u), v850 = at(850, &Level::v);
  double u500 = at(500, &Level::u), v500 = at(500, &Level::v);
  double d850, f850, d500, f500;
  UvToDirSpd(u850, v850, d850, f850);
  UvToDirSpd(u500, v500, d500, f500);
  double sweat = 12.0 * std::max(0.0, td850) + 20.0 * std::max(0.0, ix.tt - 49.0) + 2.0 * f850 + f500;
  if (d850 >= 130 && d850 <= 250 && d500 >= 210 && d500 <= 310 && d500 > d850 && f850 >= 15 &&
      f500 >= 15)
    sweat += 125.0 * (std::sin((d500 - d850) * kPi / 180.0) + 0.2);
  ix.sweat = sweat;
  // Precipitable water (mm = kg/m2) from the surface to the top level.
  double pw = 0;
  double qPrev = MixRatio(td2, ps), pPrev = ps;
  for (const Level& l : lv) {
    const double q = MixRatio(l.td, l.p);
    pw += 0.5 * (q + qPrev) * (pPrev - l.p) * 100.0 / kG;
    qPrev = q;
    pPrev = l.p;
  }
  ix.pw = pw;
  // Bulk Richardson number: CAPE over half the squared difference between
  // the 0-6 km and 0-500 m mean winds (m/s).
  auto meanWind = [&lv](double z0, double z1, double& u, double& v) {
    double su = 0, sv = 0, sw = 0;
    for (const Level& l : lv) {
      const double agl = l.z - (lv.front().z - 15.0);
      if (agl >= z0 && agl <= z1) { su += l.u * l.p; sv += l.v * l.p; sw += l.p; }
    }
    u = sw > 0 ? su / sw : lv.front().u;
    v = sw > 0 ? sv / sw : lv.front().v;
  };
  double u6, v6, u05, v05;
  meanWind(0, 6000, u6, v6);
  meanWind(0, 500, u05, v05);
  const double du = (u6 - u05) / kKnotsPerMs, dv = (v6 - v05) / kKnotsPerMs;
  const double shear2 = std::max(du * du + dv * dv, 1.0);
  ix.brn = ix.cape > 0 ? std::min(999.0, ix.cape / (0.5 * shear2)) : 0.0;
}

// Right-moving storm motion (m/s) and 0-3 km storm-relative helicity (m2/s2).
void StormMotion(const std::vector<Level>& lv, double elev, double u10, double v10, Surface& s) {
  auto mean = [&](double z0, double z1, double& u, double& v) {
    double su = 0, sv = 0; int n = 0;
    for (const Level& l : lv) {
      const double agl = l.z - elev;
      if (agl >= z0 && agl <= z1) { su += l.u; sv += l.v; ++n; }
    }
    u = n ? su / n / kKnotsPerMs : 0; v = n ? sv / n / kKnotsPerMs : 0;
  };
  double um, vm, ub, vb, ut, vt;
  mean(0, 6000, um, vm);
  mean(0, 500, ub, vb);
  mean(5500, 6000, ut, vt);
  const double su = ut - ub, sv = vt - vb;
  const double sh = std::max(std::hypot(su, sv), 0.1);
  s.stormU = um + 7.5 * sv / sh;
  s.stormV = vm - 7.5 * su / sh;
  double srh = 0;
  double up = u10, vp = v10;
  for (const Level& l : lv) {
    if (l.z - elev > 3000.0) break;
    const double uu = l.u / kKnotsPerMs, vv = l.v / kKnotsPerMs;
    srh += (uu - s.stormU) * (vp - s.stormV) - (up - s.stormU) * (vv - s.stormV);
    up = uu; vp = vv;
  }
  s.srh = srh;
}

struct Generator {
  const Site& site;
  const Model& model;
  const Member& member;
  std::vector<Key> keys;
  Random rng;

  Generator(const Site& s, const Model& m, const Member& mem, uint64_t seed)
      : site(s), model(m), member(mem), keys(s.scenario()), rng(seed) {}

  AirMass At(double t) const {
    AirMass m = Evaluate(keys, t - member.shift);
    m.tsfc += member.dT; m.t850 += member.dT; m.t700 += member.dT; m.t500 += member.dT;
    m.t300 += 0.5 * member.dT;
    m.tdsfc += member.dT + member.dTd;
    m.wlSpd *= member.windScale; m.w5Spd *= member.windScale; m.wjSpd *= member.windScale;
    m.llj *= member.windScale;
    m.rain *= member.precipScale; m.conv *= member.precipScale;
    return m;
  }

  // Hours by which the air at dp mb above the ground follows the surface
  // weather: a cold front reaches the air aloft later, a warm front sooner.
  static double LagHours(const AirMass& m, double dp) {
    return std::clamp(m.lag * dp / 100.0, -9.0, 9.0);
  }

  double Lst(double t) const { return kRunHour + t + site.lon / 15.0; }

  double CloudCover(const AirMass& m) const {
    return std::clamp(std::max(m.sat, (m.rhMid - 50.0) / 50.0 * 0.7), 0.0, 1.0);
  }

  // Precipitation rates (mm/h) at time t: stratiform and convective.
  void Rates(double t, double cape, double& strat, double& conv) const {
    const AirMass m = At(t);
    strat = m.rain;
    const double window = std::max(ConvectiveWindow(Lst(t)), m.sat > 0.5 ? 0.3 : 0.0);
    conv = m.conv * window * std::min(1.0, 0.15 + cape / 1200.0);
    if (conv < 0.02) conv = 0;
  }

  Hour Make(int index) {
    const double t = static_cast<double>(index) * model.step;
    Hour hr;
    hr.time = ValidTime(index * model.step);
    hr.fhr = index * model.step;
    const AirMass m0 = At(t);
    const double lst = Lst(t);
    const double d = Diurnal(lst);
    const double cover = CloudCover(m0);
    const double ampEff = m0.amp * (1.0 - 0.75 * cover);
    const double convPot = m0.conv * ConvectiveWindow(lst);

    Surface& s = hr.s;
    s.slp = m0.slp + 0.8 * std::cos(2.0 * kPi * (lst - 10.0) / 12.0);
    const double tMeanK = m0.tsfc + kZeroC + 0.0065 * site.elev / 2.0;
    s.ps = s.slp * std::exp(-kG * site.elev / (kRd * tMeanK));
    const double ps = s.ps;
    const double ts = m0.tsfc + ampEff * d;

    // Pressure levels: fine near the ground, coarser aloft.
    const int n = model.levels;
    std::vector<Level> lv(n);
    const double a = 0.35;
    for (int i = 0; i < n; ++i) {
      const double eta = (i + 0.3) / (n - 0.7);
      const double f = a * eta + (1.0 - a) * eta * eta;
      lv[i].p = ps - (ps - model.ptop) * f;
    }

    // Temperature.
    double noise = 0;
    for (int i = 0; i < n; ++i) {
      Level& l = lv[i];
      const double dp = ps - l.p;
      const double zagl = 29.3 * (ts + kZeroC) * std::log(ps / l.p);
      const AirMass m = At(t - LagHours(m0, dp));
      double tt = AnchorTemp(m, l.p, ps);
      if (d >= 0) tt = std::max(tt, TempOfTheta(Theta(ts, ps), l.p));
      else tt += ampEff * d * std::exp(-zagl / 250.0);
      tt += m.cap * Bump(l.p, m.capP, 12.0, 140.0);
      tt += m.nose * Bump(l.p, m.noseP, 35.0, 110.0);
      noise = 0.7 * noise + 0.12 * rng.Normal();
      l.t = tt + noise;
    }
    // No layer of the free air is left steeper than dry adiabatic.
    for (int i = 1; i < n; ++i) {
      const double thPrev = Theta(lv[i - 1].t, lv[i - 1].p);
      if (Theta(lv[i].t, lv[i].p) < thPrev) lv[i].t = TempOfTheta(thPrev, lv[i].p);
    }

    // Moisture: a well-mixed moist layer near the ground, free-air humidity
    // above, saturated layers where the air mass is cloudy or raining.
    for (int i = 0; i < n; ++i) {
      Level& l = lv[i];
      const double dp = ps - l.p;
      const AirMass m = At(t - LagHours(m0, dp));
      double rhFree;
      if (l.p >= 400.0) rhFree = m.rhMid;
      else if (l.p >= 300.0) rhFree = m.rhMid + (m.rhUp - m.rhMid) * (400.0 - l.p) / 100.0;
      else rhFree = m.rhUp;
      if (l.p < m.ptrop) rhFree = std::max(2.0, rhFree * std::exp(-(m.ptrop - l.p) / 40.0));
      // Keep the near-ground air a little short of saturation (more so in
      // cold air, where ice saturation comes first) unless it is cloudy.
      const double tds = std::min(m.tdsfc + 0.3 * d, ts - 1.0 - 0.15 * std::max(0.0, -ts));
      const double w = MixRatio(tds, ps) * (1.0 - 0.15 * std::min(1.0, dp / m.moistDp));
      const double rhBl = 100.0 * VapOfMixRatio(w, l.p) / SatVap(l.t);
      const double wgt = 1.0 - Smooth01((dp - m.moistDp + 15.0) / 30.0);
      double rh = wgt * rhBl + (1.0 - wgt) * rhFree;
      if (m.sat > 0) {
        const double base = ps - m.satBaseDp;
        const double s1 = Smooth01((base - l.p) / 15.0 + 0.5);
        const double s2 = Smooth01((l.p - m.satTop) / 20.0 + 0.5);
        rh += (100.0 - rh) * m.sat * s1 * s2;
      }
      if (convPot > 0 && l.p < ps - 100.0 && l.p > 250.0)
        rh += (95.0 - rh) * std::min(1.0, convPot / 4.0) * 0.8;
      rh = std::clamp(rh, 2.0, 100.0);
      l.td = std::min(DewpointOfVap(rh / 100.0 * SatVap(l.t)), l.t);
      l.rh = 100.0 * SatVap(l.td) / SatVap(l.t);
    }

    // Wind: friction layer backed and slowed near the ground, a nocturnal
    // low-level jet, thermal wind aloft from the air mass.
    double nu = 0, nv = 0;
    for (int i = 0; i < n; ++i) {
      Level& l = lv[i];
      const double dp = ps - l.p;
      const AirMass m = At(t - LagHours(m0, dp));
      double u, v;
      FreeWind(m, l.p, ps, u, v);
      if (dp < 100.0) {
        const double x = dp / 100.0;
        const double stable = d < 0 ? -d : 0.0;
        const double fac = 0.5 - 0.15 * stable + (0.5 + 0.15 * stable) * std::sqrt(x);
        const double turn = -20.0 * (1.0 - x) * kPi / 180.0;  // backed toward the ground
        const double ur = u * std::cos(turn) + v * std::sin(turn);
        const double vr = -u * std::sin(turn) + v * std::cos(turn);
        u = ur * fac;
        v = vr * fac;
      }
      if (d < 0 && m.llj > 0) {
        const double jet = m.llj * (-d) * std::exp(-std::pow((dp - 55.0) / 30.0, 2));
        const double dir = (m.wlDir + 10.0) * kPi / 180.0;
        u += -jet * std::sin(dir);
        v += -jet * std::cos(dir);
      }
      nu = 0.6 * nu + 1.0 * rng.Normal();
      nv = 0.6 * nv + 1.0 * rng.Normal();
      l.u = u + nu * std::min(1.0, dp / 50.0 + 0.3);
      l.v = v + nv * std::min(1.0, dp / 50.0 + 0.3);
      UvToDirSpd(l.u, l.v, l.wdir, l.wspd);
    }

    // Near-surface values.
    s.t2 = lv[0].t + 0.1 * ampEff * d;
    s.td2 = std::min(lv[0].td, s.t2);

    // Heights from the hypsometric equation with virtual temperature.
    {
      double pPrev = ps, zPrev = site.elev;
      double tvPrev = (s.t2 + kZeroC) * (1.0 + 0.61 * MixRatio(s.td2, ps));
      for (Level& l : lv) {
        const double tv = (l.t + kZeroC) * (1.0 + 0.61 * MixRatio(l.td, l.p));
        l.z = zPrev + kRd * 0.5 * (tv + tvPrev) / kG * std::log(pPrev / l.p);
        pPrev = l.p; zPrev = l.z; tvPrev = tv;
      }
    }

    // Vertical motion (Pa/s, negative upward): the air mass's profile peaking
    // at its level, deep ascent in convection, and a little noise.
    for (Level& l : lv) {
      double shape = 0;
      if (l.p > m0.omegaP) shape = std::sin(0.5 * kPi * (ps - l.p) / (ps - m0.omegaP));
      else if (l.p > 150.0) shape = std::cos(0.5 * kPi * (m0.omegaP - l.p) / (m0.omegaP - 150.0));
      double om = m0.omega * shape;
      if (convPot > 0 && l.p > 200.0)
        om -= 0.15 * convPot * std::sin(kPi * std::clamp((ps - l.p) / (ps - 200.0), 0.0, 1.0));
      om += 0.03 * rng.Normal() * std::min(1.0, (ps - l.p) / 50.0);
      l.omega = std::clamp(om, -2.0, 2.0);
    }

    // Derived per level: wet bulb, theta-e, cloud fraction from the
    // humidity (over ice below freezing, blended between 0 and -20 °C).
    for (Level& l : lv) {
      l.tw = WetBulb(l.t, l.td, l.p);
      l.te = ThetaE(l.t, l.td, l.p);
      double rhi = l.rh;
      if (l.t < 0) {
        const double ice = 100.0 * SatVap(l.td) / SatVapIce(l.t);
        rhi = l.t > -20 ? l.rh + (ice - l.rh) * (-l.t / 20.0) : ice;
      }
      rhi = std::min(rhi, 100.0);
      l.cfrl = rhi > 80.0 ? 100.0 * (1.0 - std::sqrt((100.0 - rhi) / 20.0)) : 0.0;
    }

    ComputeIndices(lv, ps, s.t2, s.td2, hr.ix);

    // Surface section.
    s.q2 = 1000.0 * MixRatio(s.td2, ps) / (1.0 + MixRatio(s.td2, ps));
    s.skin = s.t2 + 0.3 * ampEff * d;
    // The file holds the soil temperatures in kelvin.
    s.soil1 = kZeroC + At(t - 6).tsfc + 0.35 * ampEff * Diurnal(lst - 3.0);
    s.soil2 = kZeroC + At(t - 24).tsfc + 1.0;
    s.u10 = 0.95 * lv[0].u / kKnotsPerMs;
    s.v10 = 0.95 * lv[0].v / kKnotsPerMs;
    s.precip = 0; s.conv = 0;
    if (index > 0) {
      for (int k = 0; k < model.step; ++k) {
        double st, cv;
        Rates(t - k, hr.ix.cape, st, cv);
        s.precip += st + cv;
        s.conv += cv;
      }
      const double wobble = 1.0 + 0.15 * rng.Normal();
      s.precip *= std::max(0.5, wobble);
      s.conv *= std::max(0.5, wobble);
      if (s.precip < 0.05) s.precip = s.conv = 0;
    }
    s.runoff = 0.15 * std::max(0.0, s.precip - 2.0);
    s.evap = model.step * 0.1 * std::max(0.0, d) * (1.0 - cover);

    // Precipitation type from the temperature profile.
    s.ptype = 0;
    s.snra = 0;
    if (s.precip > 0) {
      double warmMax = -99;
      for (const Level& l : lv)
        if (l.p < ps - 20.0 && l.p > 500.0) warmMax = std::max(warmMax, l.t);
      double coldDepth = 0;
      for (const Level& l : lv) {
        if (l.t > 0) break;
        coldDepth = ps - l.p;
      }
      if (s.t2 <= 0.0) {
        if (warmMax > 0.5) s.ptype = (coldDepth >= 110.0 && warmMax < 3.0) ? 79 : 66;
        else s.ptype = 70;
      } else {
        s.ptype = (warmMax <= 0.5 && s.t2 < 2.0) ? 70 : 60;
      }
      if (s.ptype == 70 || s.ptype == 79) s.snra = 100;
    }
    s.snowfall = s.ptype == 70 ? s.precip * 10.0 : 0.0;

    // Cloud layers and cloud base.
    s.lcld = s.mcld = s.hcld = s.tcld = 0;
    s.cloudBase = 0;
    for (const Level& l : lv) {
      double& layer = l.p > 700 ? s.lcld : (l.p > 400 ? s.mcld : s.hcld);
      layer = std::max(layer, l.cfrl);
      s.tcld = std::max(s.tcld, l.cfrl);
      if (s.cloudBase == 0 && l.cfrl >= 50) s.cloudBase = l.p;
    }

    // Visibility (km): haze with humidity, fog near saturation, precipitation.
    const double rh2 = 100.0 * SatVap(s.td2) / SatVap(s.t2);
    s.vis = 20.0 - 0.12 * std::max(0.0, rh2 - 50.0);
    if (rh2 > 96.0) s.vis = std::min(s.vis, 0.4 + (100.0 - rh2) * 0.5);
    const double rate = s.precip / model.step;
    if (s.ptype == 70) s.vis = std::min(s.vis, 3.0 / (1.0 + 2.0 * rate));
    else if (s.ptype != 0) s.vis = std::min(s.vis, 12.0 / (1.0 + rate));
    s.vis = std::clamp(s.vis, 0.1, 20.0);

    StormMotion(lv, site.elev, s.u10, s.v10, s);

    hr.lv = std::move(lv);
    return hr;
  }
};

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

std::string MakeDataset(const Site& site, const Model& model, const Member& member) {
  Generator gen(site, model, member, Seed(std::string(model.name) + site.id + member.title));
  std::vector<Hour> hours;
  for (int i = 0; i < kHours; ++i) hours.push_back(gen.Make(i));
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

int WriteMax(const std::filesystem::path& path) {
  std::string text;
  for (int i = 0; i < 24; ++i) {
    Member m;
    char title[64];
    std::snprintf(title, sizeof title, "MAX C%d V%d 12Z #m%02d", i / 5 + 1, i % 5 + 1, i + 1);
    m.title = title;
    m.shift = (i % 5 - 2) * 2.0;
    m.dT = (i / 5 - 2) * 0.5;
    m.dTd = (i % 3 - 1) * 0.5;
    text += MakeDataset(kSites[0], kMax, m);
  }
  return WriteFile(path, text) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--max") return WriteMax(argv[2]);
  if (argc == 2 && std::string(argv[1]).rfind("--", 0) != 0) return WriteAll(argv[1]);
  std::cerr << "usage: ondrik_gendata <output folder>\n"
               "       ondrik_gendata --max <file>\n";
  return 2;
}
