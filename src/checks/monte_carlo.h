// Monte Carlo of a line's impedance over its tolerance box, in flat memory:
// samples stream through a fixed-size histogram and a running mean and
// variance, so ten million samples need no more memory than ten.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "checks/tolerance.h"

namespace lumo::checks {

// Bins of the Zo histogram; percentiles are good to one bin.
inline constexpr std::size_t kHistogramBins = 10000;

// Counts of Zo over equal bins from low_ohm to high_ohm.
struct ZoHistogram {
  double low_ohm;                     // lower edge of the first bin, ohms
  double high_ohm;                    // upper edge of the last bin, ohms
  std::vector<std::uint64_t> counts;  // samples per bin, kHistogramBins of them
};

// Summary of a stream of Zo values.
struct ZoSummary {
  std::uint64_t samples;  // values seen
  double mean_ohm;        // mean, ohms
  double stddev_ohm;      // sample standard deviation (n - 1), ohms; 0 for one value
  double min_ohm;         // smallest value, ohms
  double max_ohm;         // largest value, ohms
  double p1_ohm;          // 1st percentile (nearest rank), within one bin, ohms
  double p50_ohm;         // median (nearest rank), within one bin, ohms
  double p99_ohm;         // 99th percentile (nearest rank), within one bin, ohms
};

// Running statistics of Zo values expected between `low_ohm` and `high_ohm`
// (values outside count in the end bins). Welford's update for mean and
// variance.
class ZoStatistics {
 public:
  ZoStatistics(double low_ohm, double high_ohm);
  // Adds one value.
  void add(double zo_ohm);
  // Summary of the values so far; needs at least one.
  ZoSummary summary() const;
  // The `percent` percentile (1 to 100): the value of nearest rank
  // ceil(percent n / 100), placed within its bin by the rank's share of the
  // bin's count. Needs at least one value.
  double percentile(unsigned percent) const;
  // The histogram so far.
  const ZoHistogram& histogram() const { return histogram_; }

 private:
  ZoHistogram histogram_;
  double bin_width_;     // ohms
  double bins_per_ohm_;  // 0 for an empty range
  std::uint64_t n_ = 0;
  double mean_ = 0.0;
  double m2_ = 0.0;  // sum of squared deviations from the running mean
  double min_ = 0.0;
  double max_ = 0.0;
};

// Result of a Monte Carlo run.
struct MonteCarloResult {
  ZoSummary zo;           // statistics of the sampled Zo
  double yield;           // share of samples with return loss at or above the target, 0 to 1
  ZoHistogram histogram;  // the samples' histogram, spanning the worst-case corners
};

// Runs inputs.samples samples of a valid inputs from a std::mt19937_64 seeded
// with inputs.seed: the same inputs gives the same result on the same build.
// B, D and Er each draw independently. The offset is a displacement of the
// inner conductor in the plane, each of its two components drawn like a
// tolerance of +- offset (normal: sigma offset/3, the displacement truncated
// at the offset; uniform: uniform over the disc of that radius).
MonteCarloResult monte_carlo(const ToleranceInputs& inputs);

}  // namespace lumo::checks
