#include "core/thermo.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace ondrik {
namespace {

// Temperature (C) at p2 of a saturated parcel starting at t1 (C), p1, from
// the pseudo-adiabatic lapse rate integrated with small Runge-Kutta steps.
double PseudoAdiabat(double t1, double p1, double p2) {
  constexpr double kRd = 287.04, kCp = 1005.7, kEps = 0.622;
  auto dTdp = [&](double tk, double p) {
    const double tc = tk - 273.15;
    const double es = 6.112 * std::exp(17.67 * tc / (tc + 243.5));
    const double rs = kEps * es / (p - es);
    const double lv = 2.501e6 - 2370.0 * tc;
    return (kRd * tk + lv * rs) / (p * (kCp + lv * lv * rs * kEps / (kRd * tk * tk)));
  };
  const int steps = 2000;
  const double dp = (p2 - p1) / steps;
  double tk = t1 + 273.15, p = p1;
  for (int s = 0; s < steps; ++s) {
    const double k1 = dTdp(tk, p);
    const double k2 = dTdp(tk + k1 * dp / 2, p + dp / 2);
    const double k3 = dTdp(tk + k2 * dp / 2, p + dp / 2);
    const double k4 = dTdp(tk + k3 * dp, p + dp);
    tk += (k1 + 2 * k2 + 2 * k3 + k4) * dp / 6;
    p += dp;
  }
  return tk - 273.15;
}

TEST(MoistLifting, DryAdiabatAndWobusReferenceValues) {
  EXPECT_FLOAT_EQ(PotentialTemp(20.0f, 1000.0f), 20.0f);
  // 293.16 K * 2^(2/7) = 357.37 K.
  EXPECT_NEAR(PotentialTemp(20.0f, 500.0f), 84.2f, 0.05f);
  // 243.16 K * (1000 / 700)^(2/7) = 269.25 K.
  EXPECT_NEAR(PotentialTemp(-30.0f, 700.0f), -3.91f, 0.05f);
  // The double-precision dry adiabat agrees, both ways.
  EXPECT_NEAR(DryAdiabatC(20.0, 500.0, 1000.0), 84.21, 0.01);
  EXPECT_NEAR(DryAdiabatK(357.37, 1000.0, 500.0), 293.16, 0.01);
  EXPECT_NEAR(DryAdiabatC(DryAdiabatC(-30.0, 700.0, 950.0), 950.0, 700.0), -30.0, 1e-12);

  // The two branches of the fit meet at 20 C.
  EXPECT_FLOAT_EQ(Wobus(20.0f), 15.13f);
  EXPECT_NEAR(Wobus(20.001f), 15.13f, 0.01f);
  EXPECT_NEAR(Wobus(19.999f), 15.13f, 0.01f);
  // Almost no vapour to condense in very cold air.
  EXPECT_LT(Wobus(-60.0f), 0.5f);

  // At 1000 mb (and within 0.001 mb of it) the saturated potential
  // temperature is the temperature itself.
  EXPECT_EQ(SatTempAtPressure(17.3f, 1000.0f), 17.3f);
  EXPECT_EQ(SatTempAtPressure(17.3f, 1000.0009f), 17.3f);
}

TEST(MoistLifting, SaturatedAscentFollowsThePseudoAdiabatWithExtraCooling) {
  // 20 C at 1000 mb reaches about -9 C at 500 mb on the pseudo-adiabat; the
  // system's ascent is 0.3 C colder than that over 500 mb.
  const double reference = PseudoAdiabat(20.0, 1000.0, 500.0);
  EXPECT_NEAR(reference, -9.0, 1.0);
  const float lifted = LiftMoist(20.0f, 1000.0f, 500.0f);
  EXPECT_NEAR(lifted, reference - 0.3, 0.5) << "lifted " << lifted;
  EXPECT_NEAR(LiftMoist(0.0f, 700.0f, 400.0f), PseudoAdiabat(0.0, 700.0, 400.0) - 0.18, 0.5);

  // No pressure change: the parcel's own temperature within the 0.1 C
  // tolerance of the search, with no extra term.
  EXPECT_NEAR(LiftMoist(12.0f, 850.0f, 850.0f), 12.0f, 0.1f);

  // Up and back down: the extra cooling of the ascent is returned on the way
  // down, so the parcel comes back to its temperature.
  const float up = LiftMoist(15.0f, 900.0f, 450.0f);
  EXPECT_NEAR(LiftMoist(up, 450.0f, 900.0f), 15.0f, 0.2f);
}

TEST(MoistLifting, BadInputReturnsWithoutHanging) {
  const float nan = std::nanf("");
  EXPECT_TRUE(std::isnan(SatTempAtPressure(nan, 500.0f)));
  EXPECT_TRUE(std::isnan(SatTempAtPressure(20.0f, nan)));
  EXPECT_TRUE(std::isnan(SatTempAtPressure(20.0f, 0.0f)));
  EXPECT_TRUE(std::isnan(LiftMoist(nan, 900.0f, 500.0f)));
  // Values far outside the atmosphere end the search one way or another.
  (void)SatTempAtPressure(1.0e30f, 500.0f);
  (void)SatTempAtPressure(-250.0f, 5000.0f);
  (void)LiftMoist(60.0f, 1050.0f, 10.0f);
  SUCCEED();
}

// The searches side by side give every pressure exactly the temperature of
// its own search: over the adiabats of real parcels and far beyond them, runs
// of every length (lanes left over), and pressures with answers of their own
// (1000 mb, none, not a number, beyond any atmosphere) among the others.
TEST(MoistLifting, SideBySideSearchesMatchOneByOne) {
  const float nan = std::nanf("");
  const float inf = std::numeric_limits<float>::infinity();
  std::vector<float> pressures;
  for (float p = 1050.0f; p > 90.0f; p -= 13.7f) pressures.push_back(p);
  const std::vector<float> odd = {1000.0f, 1000.0005f, 0.0f, -5.0f, nan, inf, 5000.0f, 2.0f};
  pressures.insert(pressures.begin() + 9, odd.begin(), odd.end());
  std::vector<float> factors;
  for (const float p : pressures) factors.push_back(PressureFactor(p));
  factors[3] = nan;  // a factor that is not a number, beside good ones

  const std::vector<float> adiabats = {-60.0f, -31.5f, -10.0f, 0.0f, 12.25f, 19.99f, 20.0f,
                                       20.01f, 28.4f, 45.0f, 80.0f, 1.0e30f, nan};
  for (const float thm : adiabats) {
    const float wobusThm = Wobus(thm);
    for (const std::size_t count : {std::size_t{1}, std::size_t{3}, std::size_t{4}, std::size_t{7},
                                    pressures.size()}) {
      for (std::size_t first = 0; first + count <= pressures.size(); first += count) {
        std::vector<float> out(count);
        SatTempsAtFactors(thm, wobusThm, &pressures[first], &factors[first], static_cast<int>(count), out.data());
        for (std::size_t k = 0; k < count; ++k) {
          const float one = SatTempAtFactor(thm, wobusThm, pressures[first + k], factors[first + k]);
          EXPECT_EQ(std::bit_cast<std::uint32_t>(out[k]), std::bit_cast<std::uint32_t>(one))
              << "thm " << thm << " p " << pressures[first + k] << ": " << out[k] << " vs " << one;
        }
      }
    }
  }
}

}  // namespace
}  // namespace ondrik
