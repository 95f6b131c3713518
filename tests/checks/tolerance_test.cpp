#include "checks/tolerance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

namespace lumo::checks {
namespace {

// The delivered line: B 0.2425 +- 0.0005, D 0.0726 +- 0.0003, Er 2.1 +- 0.02,
// 30 dB against 50 ohms.
ToleranceInputs delivered(double offset_in = 0.0) {
  ToleranceInputs inputs;
  inputs.nominal = {0.2425, 0.0726, 2.1};
  inputs.outer_tol_in = 0.0005;
  inputs.inner_tol_in = 0.0003;
  inputs.er_tol = 0.02;
  inputs.offset_in = offset_in;
  return inputs;
}

// Zo as the formula reads, for comparison.
double literal_zo(double b, double d, double er, double c) {
  return 376.730313668 / (2.0 * std::numbers::pi * std::sqrt(er)) *
         std::acosh((b * b + d * d - 4.0 * c * c) / (2.0 * b * d));
}

double literal_rl(double z, double zref) {
  return -20.0 * std::log10(std::abs((z - zref) / (z + zref)));
}

TEST(Tolerance, DeliveredLine) {
  const WorstCase w = worst_case(delivered());
  EXPECT_NEAR(w.nominal_zo_ohm, 49.9001, 0.5e-4);
  EXPECT_NEAR(w.lowest.zo_ohm, 49.4094, 0.5e-4);
  EXPECT_NEAR(w.highest.zo_ohm, 50.3972, 0.5e-4);
  EXPECT_EQ((std::vector{w.lowest.outer, w.lowest.inner, w.lowest.er}), (std::vector{-1, 1, 1}));
  EXPECT_EQ((std::vector{w.highest.outer, w.highest.inner, w.highest.er}),
            (std::vector{1, -1, -1}));
  EXPECT_NEAR(w.worst_rl_db, 44.52, 0.005);
  const ZoWindow window = rl_window(50.0, 30.0);
  EXPECT_NEAR(window.low_ohm, 46.9347, 0.5e-4);
  EXPECT_NEAR(window.high_ohm, 53.2655, 0.5e-4);
  const Budget b = budget(delivered());
  EXPECT_TRUE(b.feasible);
  EXPECT_NEAR(b.inner_in.symmetric, 0.005394, 0.5e-6);
  EXPECT_NEAR(b.outer_in.symmetric, 0.016772, 0.5e-6);
  EXPECT_NEAR(b.er.symmetric, 0.25698, 0.5e-5);
  EXPECT_NEAR(worst_case(delivered(0.001)).nominal_zo_ohm, 49.8970, 0.5e-4);
}

// At C = 0 the eccentric formula is the concentric ln(B/D), to rounding, over
// ratios where arccosh of the literal argument would lose most digits.
TEST(Tolerance, ConcentricAndEccentricZo) {
  const double scale = 376.730313668 / (2.0 * std::numbers::pi);
  for (double ratio : {1.000001, 1.001, 1.1, 3.34, 100.0, 1e6}) {
    SCOPED_TRACE(ratio);
    const double expected = scale / std::sqrt(2.1) * std::log(ratio);
    EXPECT_NEAR(eccentric_zo({ratio, 1.0, 2.1}, 0.0), expected, 1e-15 * expected);
  }
  // Offsets up to a breath from touching, against the literal formula.
  for (double c : {0.001, 0.04, 0.0849}) {
    SCOPED_TRACE(c);
    EXPECT_NEAR(eccentric_zo({0.2425, 0.0726, 2.1}, c), literal_zo(0.2425, 0.0726, 2.1, c), 1e-9);
  }
}

// The worst case against all 16 corners evaluated one by one, for boxes on
// one side of Zref, straddling it, and with an offset.
TEST(Tolerance, WorstCaseIsTheExtremeOfAllCorners) {
  std::vector<ToleranceInputs> cases = {delivered(), delivered(0.001), delivered(0.05)};
  cases.push_back(delivered());
  cases.back().zref_ohm = 49.9;  // inside the box: worst RL at the farther extreme
  cases.push_back(delivered());
  cases.back().nominal = {1.0, 0.9, 1.0};  // B/D near 1, steep in D
  cases.back().inner_tol_in = 0.01;
  for (const ToleranceInputs& s : cases) {
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    double worst_rl = low;
    for (int i = 0; i < 16; ++i) {
      const double b = s.nominal.outer_in + ((i & 1) ? 1 : -1) * s.outer_tol_in;
      const double d = s.nominal.inner_in + ((i & 2) ? 1 : -1) * s.inner_tol_in;
      const double er = s.nominal.er + ((i & 4) ? 1 : -1) * s.er_tol;
      const double z = literal_zo(b, d, er, (i & 8) ? s.offset_in : 0.0);
      low = std::min(low, z);
      high = std::max(high, z);
      worst_rl = std::min(worst_rl, literal_rl(z, s.zref_ohm));
    }
    const WorstCase w = worst_case(s);
    EXPECT_NEAR(w.lowest.zo_ohm, low, 1e-9);
    EXPECT_NEAR(w.highest.zo_ohm, high, 1e-9);
    EXPECT_NEAR(w.worst_rl_db, worst_rl, 1e-7);
    const CoaxLine lowest{s.nominal.outer_in + w.lowest.outer * s.outer_tol_in,
                          s.nominal.inner_in + w.lowest.inner * s.inner_tol_in,
                          s.nominal.er + w.lowest.er * s.er_tol};
    EXPECT_EQ(eccentric_zo(lowest, w.lowest.offset ? s.offset_in : 0.0), w.lowest.zo_ohm);
    EXPECT_EQ(w.lowest.offset, s.offset_in > 0.0);
    EXPECT_FALSE(w.highest.offset);
  }
}

// Each budget's edges, one on each side of the nominal, land exactly on the
// target return loss, with and without an offset.
TEST(Tolerance, BudgetEdgesMeetTheTarget) {
  for (double offset : {0.0, 0.03}) {
    for (double target : {20.0, 30.0, 45.0}) {
      ToleranceInputs s = delivered(offset);
      s.rl_target_db = target;
      s.zref_ohm = eccentric_zo(s.nominal, offset) * 1.001;
      SCOPED_TRACE(offset);
      SCOPED_TRACE(target);
      const Budget b = budget(s);
      ASSERT_TRUE(b.feasible);
      const CoaxLine n = s.nominal;
      const CoaxLine edges[] = {
          {n.outer_in + b.outer_in.increase, n.inner_in, n.er},
          {n.outer_in - b.outer_in.decrease, n.inner_in, n.er},
          {n.outer_in, n.inner_in + b.inner_in.increase, n.er},
          {n.outer_in, n.inner_in - b.inner_in.decrease, n.er},
          {n.outer_in, n.inner_in, n.er + b.er.increase},
          {n.outer_in, n.inner_in, n.er - b.er.decrease},
      };
      for (const CoaxLine& edge : edges) {
        EXPECT_NEAR(
            literal_rl(literal_zo(edge.outer_in, edge.inner_in, edge.er, offset), s.zref_ohm),
            target, 1e-6);
      }
      for (const ParameterBudget& p : {b.outer_in, b.inner_in, b.er}) {
        EXPECT_GT(p.increase, 0.0);
        EXPECT_GT(p.decrease, 0.0);
      }
      EXPECT_EQ(b.outer_in.symmetric, std::min(b.outer_in.increase, b.outer_in.decrease));
      EXPECT_EQ(b.inner_in.symmetric, std::min(b.inner_in.increase, b.inner_in.decrease));
      EXPECT_EQ(b.er.symmetric, std::min(b.er.increase, b.er.decrease));
    }
  }
  // A nominal line whose return loss misses the target has no budget.
  ToleranceInputs missed = delivered();
  missed.zref_ohm = 75.0;
  const Budget none = budget(missed);
  EXPECT_FALSE(none.feasible);
  EXPECT_EQ(none.outer_in.symmetric, 0.0);
}

TEST(Tolerance, WindowEdgesAreTheTarget) {
  for (double rl : {0.1, 30.0, 80.0}) {
    const ZoWindow w = rl_window(50.0, rl);
    EXPECT_NEAR(return_loss_db(w.low_ohm, 50.0), rl, 1e-9);
    EXPECT_NEAR(return_loss_db(w.high_ohm, 50.0), rl, 1e-9);
    EXPECT_NEAR(w.low_ohm * w.high_ohm, 2500.0, 1e-9);
  }
  EXPECT_EQ(return_loss_db(50.0, 50.0), std::numeric_limits<double>::infinity());
}

// Each bad value, at the bound and at the nearest value that passes, on a
// line of exact binary values: B 1 +- 0.125, D 0.5 +- 0.125, Er 2 +- 0.5.
TEST(Tolerance, InputErrorsNameTheBadValue) {
  using S = ToleranceInputs&;
  struct Case {
    void (*change)(ToleranceInputs&);
    const char* message;  // empty: usable
  };
  const Case cases[] = {
      {[](S) {}, ""},
      {[](S s) { s.nominal.outer_in = 0.5; }, "B (0.5 in) is not larger than D (0.5 in)"},
      {[](S s) { s.nominal.inner_in = 0.0; }, "D is not positive (0 in)"},
      {[](S s) { s.nominal.er = std::nan(""); }, "Er is not a finite number (nan)"},
      {[](S s) { s.inner_tol_in = -0.0003; }, "the tolerance on D is negative (-0.0003 in)"},
      {[](S s) { s.outer_tol_in = s.inner_tol_in = s.er_tol = 0.0; }, ""},
      {[](S s) { s.er_tol = 2.0; }, "the tolerance on Er (2) is not smaller than Er (2)"},
      {[](S s) { s.er_tol = 1.99; }, ""},
      {[](S s) { s.outer_tol_in = HUGE_VAL; }, "the tolerance on B is not a finite number (inf)"},
      {[](S s) { s.offset_in = -0.001; }, "the offset is negative (-0.001 in)"},
      {[](S s) { s.offset_in = 0.25; },
       "the offset (0.25 in) lets the conductors touch: D/2 + C must stay below B/2"},
      {[](S s) {
         s.outer_tol_in = s.inner_tol_in = 0.0;
         s.offset_in = 0.2499999;
       },
       ""},
      {[](S s) { s.offset_in = 0.125; },
       "the offset (0.125 in) and the tolerances on B and D let the conductors touch: "
       "(D + tolerance)/2 + C must stay below (B - tolerance)/2"},
      {[](S s) { s.offset_in = 0.1249999; }, ""},
      {[](S s) { s.zref_ohm = 0.0; }, "the reference impedance is not a positive number (0 ohms)"},
      {[](S s) { s.rl_target_db = 0.0; }, "the return loss target is not a positive number (0 dB)"},
      {[](S s) { s.samples = 0; }, "the number of samples is zero"},
      {[](S s) { s.samples = 1; }, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    ToleranceInputs s;
    s.nominal = {1.0, 0.5, 2.0};
    s.outer_tol_in = s.inner_tol_in = 0.125;
    s.er_tol = 0.5;
    c.change(s);
    const auto e = input_error(s);
    EXPECT_EQ(e ? e->message : "", c.message);
  }
}

}  // namespace
}  // namespace lumo::checks
