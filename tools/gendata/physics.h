// The sample-data generator's physics: constants, moist thermodynamics
// and deterministic random numbers.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace gendata {

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

inline double SatVap(double tc) { return 6.112 * std::exp(17.67 * tc / (tc + 243.5)); }
inline double SatVapIce(double tc) { return 6.112 * std::exp(22.46 * tc / (tc + 272.62)); }
inline double MixRatioOfVap(double e, double p) { return kEps * e / (p - e); }  // kg/kg
inline double VapOfMixRatio(double w, double p) { return w * p / (kEps + w); }
inline double DewpointOfVap(double e) {
  const double l = std::log(e / 6.112);
  return 243.5 * l / (17.67 - l);
}
inline double MixRatio(double td, double p) { return MixRatioOfVap(SatVap(td), p); }

// Isobaric wet-bulb temperature: the temperature at which evaporating water
// into the air saturates it, cp (T - Tw) = Lv (ws(Tw) - w). The left side
// minus the right falls monotonically from Td to T, so bisection converges.
inline double WetBulb(double t, double td, double p) {
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
inline double LclTempK(double t, double td) {
  const double tk = t + kZeroC, tdk = td + kZeroC;
  return 1.0 / (1.0 / (tdk - 56.0) + std::log(tk / tdk) / 800.0) + 56.0;
}

// Equivalent potential temperature (K) after Bolton (1980).
inline double ThetaE(double t, double td, double p) {
  const double tk = t + kZeroC;
  const double r = 1000.0 * MixRatio(td, p);  // g/kg
  const double tl = LclTempK(t, td);
  return tk * std::pow(1000.0 / p, 0.2854 * (1.0 - 0.28e-3 * r)) *
         std::exp((3.376 / tl - 0.00254) * r * (1.0 + 0.81e-3 * r));
}

inline double Theta(double t, double p) { return (t + kZeroC) * std::pow(1000.0 / p, kKappa); }
inline double TempOfTheta(double th, double p) { return th * std::pow(p / 1000.0, kKappa) - kZeroC; }

// dT/dp (K/mb) along the pseudo-adiabat at T (K), p (mb).
inline double MoistLapse(double tk, double p) {
  const double es = SatVap(tk - kZeroC);
  const double rs = MixRatioOfVap(es, p);
  return (kRd * tk + kLv * rs) / (p * (kCp + kLv * kLv * rs * kEps / (kRd * tk * tk)));
}

// Lifts saturated air at T (K) from p1 to p2 (mb) along the pseudo-adiabat.
inline double LiftMoistK(double tk, double p1, double p2) {
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
inline double LiftParcel(double t, double td, double p1, double p2) {
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

}  // namespace gendata
