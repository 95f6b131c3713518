#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

#include "checks/line_facts.h"
#include "checks/mode_cutoffs.h"

namespace lumo::checks {
namespace {

std::string three_decimals(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.3f", v);
  return buf;
}

constexpr double mm = 1.0 / 25.4;  // inches per millimetre

// Cut-offs computed independently to 1e-4 GHz, and the report's estimate as
// it prints.
TEST(ModeCutoffs, MatchIndependentReferenceValues) {
  struct Case {
    const char* name;
    CoaxLine line;
    const char* estimate;
    double te11, te21, tm01;
  };
  const Case cases[] = {
      {"delivered line", {0.2425, 0.0726, 2.1}, "16.455", 16.9220, 31.7425, 47.1284},
      {"0.141 semi-rigid", {0.1175, 0.0362, 2.03}, "34.312", 35.2781, 66.4356, 100.2467},
      {"7 mm air line", {7.00 * mm, 3.04 * mm, 1.0}, "19.009", 19.4044, 38.0248, 75.0658},
      {"3.5 mm air line", {3.50 * mm, 1.52 * mm, 1.0}, "38.019", 38.8087, 76.0496, 150.1317},
      {"7/8 air line", {0.805, 0.350, 1.0}, "6.506", 6.6405, 13.0140, 25.7218},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ModeCutoffs m = mode_cutoffs(c.line);
    EXPECT_EQ(three_decimals(m.te11_estimate_ghz), c.estimate);
    EXPECT_NEAR(m.te11_ghz, c.te11, 1e-4);
    EXPECT_NEAR(m.te21_ghz, c.te21, 1e-4);
    EXPECT_NEAR(m.tm01_ghz, c.tm01, 1e-4);
  }
}

// The exact TE11 cut-off is above the estimate pi (B + D) / 2 up to
// B/D = 8.5132 and below it beyond, falling towards the hollow guide's
// 1.8412 / 2 = 0.9206 of it. TE21 stays below TM01 up to B/D = 20.796;
// beyond, the thin inner conductor lets TM01 drop below TE21.
TEST(ModeCutoffs, OrderAgainstTheEstimateAndEachOther) {
  struct Case {
    double ratio;
    bool te11_above_estimate;
    bool te21_below_tm01;
  };
  const Case cases[] = {{1.1, true, true},    {1.5, true, true},     {2.0, true, true},
                        {3.34, true, true},   {5.0, true, true},     {8.51, true, true},
                        {8.52, false, true},  {10.0, false, true},   {20.0, false, true},
                        {20.79, false, true}, {20.80, false, false}, {50.0, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ratio);
    const ModeCutoffs m = mode_cutoffs({c.ratio, 1.0, 1.0});
    EXPECT_EQ(m.te11_ghz > m.te11_estimate_ghz, c.te11_above_estimate);
    EXPECT_LT(m.te11_ghz, m.te21_ghz);
    EXPECT_EQ(m.te21_ghz < m.tm01_ghz, c.te21_below_tm01);
  }
}

// Each root lies between its limits for B/D near 1 (the approximations) and
// for B/D without bound (the hollow guide's roots 1.841184, 3.054237,
// 2.404826), which excludes every higher root of the same equation.
TEST(ModeCutoffs, RootsAreTheFirstOnesAtEveryRatio) {
  const double ratios[] = {1.0001, 1.1, 2.0, 3.34, 8.5, 20.0, 100.0, 1e4, 1e6};
  for (double c : ratios) {
    SCOPED_TRACE(c);
    const double te11 = te_n1_root(1, c) * (1.0 + c) / 2.0;
    const double te21 = te_n1_root(2, c) * (1.0 + c) / 4.0;
    const double tm01 = tm01_root(c) * (c - 1.0);
    EXPECT_GT(te11, 1.841184 / 2.0);
    EXPECT_LT(te11, 1.03);
    EXPECT_GT(te21, 3.054237 / 4.0);
    EXPECT_LT(te21, 1.01);
    EXPECT_GT(tm01, 2.404826 * (c - 1.0) / c);
    EXPECT_LE(tm01, std::numbers::pi);
  }
  // No ratio at or below 1 has a root.
  for (double c : {1.0, 0.5}) {
    EXPECT_TRUE(std::isnan(te_n1_root(1, c)));
    EXPECT_TRUE(std::isnan(tm01_root(c)));
  }
  EXPECT_NEAR(te_n1_root(1, 1e6) * 1e6, 1.841184, 1e-5);
  EXPECT_NEAR(te_n1_root(2, 1e6) * 1e6, 3.054237, 1e-5);
  EXPECT_NEAR(te_n1_root(1, 1.0001) * 2.0001 / 2.0, 1.0, 1e-8);
  EXPECT_NEAR(tm01_root(1.0001) * 1e-4 / std::numbers::pi, 1.0, 1e-8);
}

TEST(LineFacts, VelocityFactorAndDelay) {
  const LineFacts ptfe = line_facts(2.1);
  EXPECT_EQ(three_decimals(ptfe.velocity_factor * 100.0), "69.007");
  EXPECT_EQ(three_decimals(ptfe.delay_ns_per_ft * 1000.0), "1473.343");
  const LineFacts air = line_facts(1.0);
  EXPECT_EQ(air.velocity_factor, 1.0);
  // One foot at 299792458 m/s: 0.3048 / 0.299792458 ns.
  EXPECT_NEAR(air.delay_ns_per_ft, 1.016703362, 1e-9);
}

}  // namespace
}  // namespace lumo::checks
