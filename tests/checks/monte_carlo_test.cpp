#include "checks/monte_carlo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "lines/lines.h"

namespace lumo::checks {
namespace {

ToleranceInputs delivered(Distribution distribution = Distribution::normal) {
  ToleranceInputs inputs;
  inputs.nominal = {0.2425, 0.0726, 2.1};
  inputs.outer_tol_in = 0.0005;
  inputs.inner_tol_in = 0.0003;
  inputs.er_tol = 0.02;
  inputs.distribution = distribution;
  return inputs;
}

// Standard deviation of one tolerance's draw, in units of the tolerance: a
// normal of sigma 1/3 truncated at 3 sigma loses 1 - 6 phi(3) / erf(3/sqrt 2)
// of its variance; uniform on [-1, 1] has 1/sqrt(3).
double unit_sigma(Distribution distribution) {
  if (distribution == Distribution::uniform) return 1.0 / std::sqrt(3.0);
  const double phi3 = std::exp(-4.5) / std::sqrt(2.0 * std::numbers::pi);
  return std::sqrt(1.0 - 6.0 * phi3 / std::erf(3.0 / std::sqrt(2.0))) / 3.0;
}

// The spread of Zo to first order, from the report's normalized
// sensitivities (single precision, forward differences).
TEST(MonteCarlo, SpreadMatchesTheLinearEstimate) {
  for (Distribution distribution : {Distribution::normal, Distribution::uniform}) {
    const ToleranceInputs s = delivered(distribution);
    float b = 0.2425f, d = 0.0726f, er = 2.1f, zo = 0.0f;
    lmzo(b, d, er, zo);
    Lmsen1 sen{};
    lmsen(b, d, er, zo, sen);
    const double k = unit_sigma(distribution);
    const double rel_b = static_cast<double>(sen.szob) * k * s.outer_tol_in / s.nominal.outer_in;
    const double rel_d = static_cast<double>(sen.szod) * k * s.inner_tol_in / s.nominal.inner_in;
    const double rel_er = static_cast<double>(sen.szoer) * k * s.er_tol / s.nominal.er;
    const double linear = 49.9001 * std::sqrt(rel_b * rel_b + rel_d * rel_d + rel_er * rel_er);
    const MonteCarloResult r = monte_carlo(s);
    EXPECT_NEAR(r.zo.stddev_ohm / linear, 1.0, 0.01);
    EXPECT_NEAR(r.zo.mean_ohm, 49.9001, 0.002);
    EXPECT_NEAR(r.zo.p50_ohm, 49.9001, 0.002);
    // No sample leaves the box, and none is lost from the histogram.
    const WorstCase w = worst_case(s);
    EXPECT_GE(r.zo.min_ohm, w.lowest.zo_ohm);
    EXPECT_LE(r.zo.max_ohm, w.highest.zo_ohm);
    std::uint64_t counted = 0;
    for (std::uint64_t c : r.histogram.counts) counted += c;
    EXPECT_EQ(counted, s.samples);
  }
}

// For a small offset Zo falls in proportion to the square of the offset, so
// the mean falls by E[r^2] of the full fall at the largest offset: 1/2
// uniformly over a disc, 2 - 9 e^-4.5 / (1 - e^-4.5) times (1/3)^2 for the
// truncated normal displacement.
TEST(MonteCarlo, OffsetIsADisplacementInThePlane) {
  struct Case {
    Distribution distribution;
    double mean_r2;
  };
  const double e = std::exp(-4.5);
  const Case cases[] = {{Distribution::uniform, 0.5},
                        {Distribution::normal, (2.0 - 9.0 * e / (1.0 - e)) / 9.0}};
  for (const Case& c : cases) {
    ToleranceInputs s = delivered(c.distribution);
    s.outer_tol_in = s.inner_tol_in = s.er_tol = 0.0;
    s.offset_in = 0.002;
    const double z0 = eccentric_zo(s.nominal, 0.0);
    const double fall = z0 - eccentric_zo(s.nominal, s.offset_in);
    const MonteCarloResult r = monte_carlo(s);
    EXPECT_NEAR((z0 - r.zo.mean_ohm) / fall, c.mean_r2, 0.005);
    EXPECT_LE(r.zo.max_ohm, z0);
    EXPECT_GE(r.zo.min_ohm, z0 - fall);
  }
}

TEST(MonteCarlo, Yield) {
  struct Case {
    const char* name;
    double zref_ohm;
    double yield;
    double within;
  };
  const double nominal = eccentric_zo(delivered().nominal, 0.0);
  const double g = std::pow(10.0, -30.0 / 20.0);
  const Case cases[] = {
      {"box inside the window", 50.0, 1.0, 0.0},
      {"box outside the window", 75.0, 0.0, 0.0},
      {"upper edge on the nominal", nominal * (1.0 - g) / (1.0 + g), 0.5, 0.01},
      {"lower edge on the nominal", nominal * (1.0 + g) / (1.0 - g), 0.5, 0.01},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (Distribution distribution : {Distribution::normal, Distribution::uniform}) {
      ToleranceInputs s = delivered(distribution);
      s.zref_ohm = c.zref_ohm;
      EXPECT_NEAR(monte_carlo(s).yield, c.yield, c.within);
    }
  }
}

TEST(MonteCarlo, SameSeedSameResult) {
  ToleranceInputs s = delivered();
  s.offset_in = 0.001;
  s.samples = 20000;
  const MonteCarloResult a = monte_carlo(s);
  const MonteCarloResult b = monte_carlo(s);
  EXPECT_EQ(a.zo.mean_ohm, b.zo.mean_ohm);
  EXPECT_EQ(a.zo.stddev_ohm, b.zo.stddev_ohm);
  EXPECT_EQ(a.zo.p1_ohm, b.zo.p1_ohm);
  EXPECT_EQ(a.zo.p99_ohm, b.zo.p99_ohm);
  EXPECT_EQ(a.yield, b.yield);
  EXPECT_EQ(a.histogram.counts, b.histogram.counts);
  s.seed = 2;
  EXPECT_NE(monte_carlo(s).zo.mean_ohm, a.zo.mean_ohm);
}

// Percentiles by nearest rank against a full sort, to one bin; mean and
// deviation against two passes.
TEST(ZoStatistics, AgreesWithExactComputation) {
  const double low = 10.0;
  const double high = 15.0;
  const double bin = (high - low) / static_cast<double>(kHistogramBins);
  std::vector<double> values;
  for (int i = 0; i < 100001; ++i) {
    const double u = std::fmod(i * 0.6180339887498949, 1.0);
    values.push_back(low + (high - low) * u * u * u);  // crowded at the low end
  }
  ZoStatistics stats(low, high);
  for (double v : values) stats.add(v);
  const ZoSummary sum = stats.summary();

  double mean = 0.0;
  for (double v : values) mean += v;
  mean /= static_cast<double>(values.size());
  double squares = 0.0;
  for (double v : values) squares += (v - mean) * (v - mean);
  EXPECT_NEAR(sum.mean_ohm, mean, 1e-12);
  EXPECT_NEAR(sum.stddev_ohm, std::sqrt(squares / static_cast<double>(values.size() - 1)), 1e-12);

  std::sort(values.begin(), values.end());
  EXPECT_EQ(sum.min_ohm, values.front());
  EXPECT_EQ(sum.max_ohm, values.back());
  // Ranks ceil(p n / 100) of 100001 values: 1001, 50001, 99001.
  EXPECT_NEAR(sum.p1_ohm, values[1000], bin);
  EXPECT_NEAR(sum.p50_ohm, values[50000], bin);
  EXPECT_NEAR(sum.p99_ohm, values[99000], bin);
  EXPECT_NEAR(stats.percentile(100), values.back(), bin);
}

// Values on both edges of the range land in the end bins.
TEST(ZoStatistics, EdgesOfTheRange) {
  ZoStatistics stats(10.0, 15.0);
  stats.add(10.0);
  stats.add(15.0);
  const ZoSummary sum = stats.summary();
  EXPECT_EQ(stats.histogram().counts.front(), 1u);
  EXPECT_EQ(stats.histogram().counts.back(), 1u);
  EXPECT_EQ(sum.p50_ohm, 10.0 + 5.0 / static_cast<double>(kHistogramBins));  // rank 1
  EXPECT_EQ(sum.p99_ohm, 15.0);                                              // rank 2
  EXPECT_EQ(sum.mean_ohm, 12.5);
  EXPECT_NEAR(sum.stddev_ohm, std::sqrt(12.5), 1e-12);
}

}  // namespace
}  // namespace lumo::checks
