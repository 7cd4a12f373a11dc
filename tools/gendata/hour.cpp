#include "tools/gendata/hour.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "tools/gendata/physics.h"

namespace gendata {

namespace {

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

}  // namespace

std::vector<Hour> MakeHours(const Site& site, const Model& model, const Member& member, uint64_t seed, int count) {
  Generator gen(site, model, member, seed);
  std::vector<Hour> hours;
  for (int i = 0; i < count; ++i) hours.push_back(gen.Make(i));
  return hours;
}

}  // namespace gendata
