#include "checks/line_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace lumo::checks {
namespace {

constexpr double kC = 299792458.0;

// Lossless lines against the transmission-line results worked by hand: a
// quarter wave of 100 ohms between 50-ohm ports reflects (100^2 - 50^2) /
// (100^2 + 50^2) = 0.6 and passes -0.8j; a half wave is invisible (S21 = -1);
// a matched line only delays.
TEST(LineModel, LosslessLinesGiveTheHandWorkedSParameters) {
  struct Case {
    const char* name;
    double zo, er, wavelengths, zref;
    Complex s11, s21;
  };
  const double r = std::sqrt(0.5);
  const Case cases[] = {
      {"quarter wave, 100 in 50", 100, 1, 0.25, 50, {0.6, 0}, {0, -0.8}},
      {"quarter wave, 25 in 50, filled", 25, 4, 0.25, 50, {-0.6, 0}, {0, -0.8}},
      {"half wave, 100 in 50", 100, 2.1, 0.5, 50, {0, 0}, {-1, 0}},
      {"eighth wave, matched", 75, 1, 0.125, 75, {0, 0}, {r, -r}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Rlgc m = line_rlgc({1, c.zo, c.er, 0, 0});
    EXPECT_EQ(m.zc_ohm.re, c.zo);
    EXPECT_EQ(m.zc_ohm.im, 0);
    const double wavelength_m = kC / 1e9 / std::sqrt(c.er);
    const TwoPort s = line_s_parameters(m, c.wavelengths * wavelength_m, c.zref);
    EXPECT_NEAR(s.s11.re, c.s11.re, 1e-12);
    EXPECT_NEAR(s.s11.im, c.s11.im, 1e-12);
    EXPECT_NEAR(s.s21.re, c.s21.re, 1e-12);
    EXPECT_NEAR(s.s21.im, c.s21.im, 1e-12);
  }
}

// Low-loss results: the dielectric attenuates pi f sqrt(Er) tan(delta) / c
// nepers per metre; the conductors their loss in nepers, and their internal
// inductance adds as much to the phase constant as they attenuate.
TEST(LineModel, LossesAttenuateAsTheRunsLossesAndShiftThePhase) {
  const double f = 10e9, er = 2.1, tand = 2e-4;
  const double beta0 = 2 * std::numbers::pi * f * std::sqrt(er) / kC;
  const Rlgc dielectric = line_rlgc({10, 50, er, tand, 0});
  EXPECT_NEAR(dielectric.gamma_per_m.re / (std::numbers::pi * f * std::sqrt(er) * tand / kC), 1,
              1e-7);
  const Rlgc conductor = line_rlgc({10, 50, er, 0, 1});
  const double alpha_c = 1 / (20 / std::log(10.0)) / 0.3048;  // 1 dB/ft in Np/m
  EXPECT_NEAR(np_per_m(1), alpha_c, 1e-15);
  // Both to first order in x = R / (omega L), 0.4 % here.
  const double x = conductor.r_ohm_per_m / (2 * std::numbers::pi * f * conductor.l_ext_h_per_m);
  EXPECT_NEAR(conductor.gamma_per_m.re / alpha_c, 1, x);
  EXPECT_NEAR((conductor.gamma_per_m.im - beta0) / alpha_c, 1, x);
  // LTRA's series resistance carries the dielectric loss: the same alpha.
  EXPECT_NEAR(folded_resistance(dielectric, 50) / (2 * 50) / dielectric.gamma_per_m.re, 1, 1e-6);
}

// A line of any length gives finite S-parameters: a very long lossy line
// passes nothing and reflects as its impedance step does; its S21 in dB is
// still the loss, 1 dB a foot and the dielectric's, less the two mismatches.
TEST(LineModel, AVeryLongLineStaysFinite) {
  const Rlgc m = line_rlgc({10, 50, 2.1, 2e-4, 1});
  const double length_m = 1e4 * 0.3048;
  const TwoPort s = line_s_parameters(m, length_m, 75);
  EXPECT_EQ(s.s21.re, 0);
  EXPECT_EQ(s.s21.im, 0);
  const double total_np = m.gamma_per_m.re * length_m;
  EXPECT_GT(total_np, 1e4 / 8.686);
  EXPECT_NEAR(s.s21_db, -20 / std::log(10.0) * total_np + 20 * std::log10(1 - 0.2 * 0.2), 0.01);
  EXPECT_GE(s.s21_degrees, -180);
  EXPECT_LE(s.s21_degrees, 180);
  const Complex step = (m.zc_ohm - Complex{75, 0}) / (m.zc_ohm + Complex{75, 0});
  EXPECT_NEAR(s.s11.re, step.re, 1e-15);
  EXPECT_NEAR(s.s11.im, step.im, 1e-15);
}

TEST(LineModel, ComplexHelpersOnTheirEdges) {
  struct Root {
    Complex z, want;
  };
  for (const Root& c : {Root{{-4, 0}, {0, 2}}, Root{{-4, -0.0}, {0, -2}}, Root{{3, 4}, {2, 1}},
                        Root{{0, 0}, {0, 0}}, Root{{0, -8}, {2, -2}}}) {
    const Complex r = complex_sqrt(c.z);
    EXPECT_EQ(r.re, c.want.re) << c.z.re << " " << c.z.im;
    EXPECT_EQ(r.im, c.want.im) << c.z.re << " " << c.z.im;
  }
  const Complex q = Complex{1, 2} / Complex{1e-300, 1e300};
  EXPECT_NEAR(q.re, 2e-300, 1e-314);
  EXPECT_NEAR(q.im, -1e-300, 1e-314);
  EXPECT_EQ(polar({-1, 0}).degrees, 180);
  EXPECT_NEAR(polar({0, -2}).degrees, -90, 1e-12);
  EXPECT_NEAR(decibels(0.1), -20, 1e-12);
}

}  // namespace
}  // namespace lumo::checks
