// Seeded sampling of the tolerance box and streaming statistics of Zo.
#include "checks/monte_carlo.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "numbers/double_math.h"

namespace lumo::checks {

namespace {

// Draws of one run. Uniform and normal variates are made here from the raw
// engine, not by the library's distributions, so a seed gives the same
// numbers whatever the library's distribution code does.
class Sampler {
 public:
  Sampler(std::uint64_t seed, Distribution distribution)
      : engine_(seed), distribution_(distribution) {}

  // A signed share of a tolerance, -1 to 1: a normal of sigma 1/3 truncated
  // at 1, or uniform.
  double unit() {
    if (distribution_ == Distribution::uniform) return symmetric_uniform();
    double z = 0.0;
    do {
      z = normal();
    } while (std::abs(z) > 3.0);
    return z / 3.0;
  }

  // Length of a displacement in the unit disc whose two components each draw
  // like unit(), the length truncated at 1; for uniform, uniform over the
  // disc.
  double radius() {
    double r2 = 0.0;
    if (distribution_ == Distribution::uniform) {
      do {
        const double u = symmetric_uniform();
        const double v = symmetric_uniform();
        r2 = u * u + v * v;
      } while (r2 > 1.0);
      return std::sqrt(r2);
    }
    do {
      const double u = normal();
      const double v = normal();
      r2 = u * u + v * v;
    } while (r2 > 9.0);
    return std::sqrt(r2) / 3.0;
  }

 private:
  // Uniform on [0, 1) from the top 53 bits of one engine draw.
  double uniform() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

  // Uniform on [-1, 1).
  double symmetric_uniform() { return 2.0 * uniform() - 1.0; }

  // Standard normal by Marsaglia's polar method; each accepted pair gives
  // two values.
  double normal() {
    if (has_spare_) {
      has_spare_ = false;
      return spare_;
    }
    double u = 0.0;
    double v = 0.0;
    double s = 0.0;
    do {
      u = symmetric_uniform();
      v = symmetric_uniform();
      s = u * u + v * v;
    } while (s >= 1.0 || s == 0.0);
    const double factor = std::sqrt(-2.0 * num::log(s) / s);
    spare_ = v * factor;
    has_spare_ = true;
    return u * factor;
  }

  std::mt19937_64 engine_;
  Distribution distribution_;
  double spare_ = 0.0;
  bool has_spare_ = false;
};

}  // namespace

ZoStatistics::ZoStatistics(double low_ohm, double high_ohm)
    : histogram_{low_ohm, high_ohm, std::vector<std::uint64_t>(kHistogramBins, 0)},
      bin_width_((high_ohm - low_ohm) / static_cast<double>(kHistogramBins)),
      bins_per_ohm_(bin_width_ > 0.0 ? 1.0 / bin_width_ : 0.0) {}

void ZoStatistics::add(double zo_ohm) {
  ++n_;
  const double delta = zo_ohm - mean_;
  mean_ += delta / static_cast<double>(n_);
  m2_ += delta * (zo_ohm - mean_);
  if (n_ == 1 || zo_ohm < min_) min_ = zo_ohm;
  if (n_ == 1 || zo_ohm > max_) max_ = zo_ohm;
  // A bin position outside the range, or not a number, counts in the end bin.
  double position = (zo_ohm - histogram_.low_ohm) * bins_per_ohm_;
  if (!(position >= 0.0)) position = 0.0;
  const double last = static_cast<double>(kHistogramBins - 1);
  if (position > last) position = last;
  ++histogram_.counts[static_cast<std::size_t>(position)];
}

double ZoStatistics::percentile(unsigned percent) const {
  const std::uint64_t rank = std::max<std::uint64_t>(1, (percent * n_ + 99) / 100);
  std::uint64_t before = 0;
  for (std::size_t i = 0; i < kHistogramBins; ++i) {
    const std::uint64_t count = histogram_.counts[i];
    if (before + count >= rank) {
      const double share = static_cast<double>(rank - before) / static_cast<double>(count);
      return histogram_.low_ohm + bin_width_ * (static_cast<double>(i) + share);
    }
    before += count;
  }
  return histogram_.high_ohm;
}

ZoSummary ZoStatistics::summary() const {
  return ZoSummary{
      .samples = n_,
      .mean_ohm = mean_,
      .stddev_ohm = n_ > 1 ? std::sqrt(m2_ / static_cast<double>(n_ - 1)) : 0.0,
      .min_ohm = min_,
      .max_ohm = max_,
      .p1_ohm = percentile(1),
      .p50_ohm = percentile(50),
      .p99_ohm = percentile(99),
  };
}

MonteCarloResult monte_carlo(const ToleranceInputs& inputs) {
  const CoaxLine& n = inputs.nominal;
  const WorstCase worst = worst_case(inputs);
  const ZoWindow window = rl_window(inputs.zref_ohm, inputs.rl_target_db);
  // Zo is monotonic in B, D, Er and the offset, so every sample lies
  // between the extreme corners.
  ZoStatistics stats(worst.lowest.zo_ohm, worst.highest.zo_ohm);
  Sampler sampler(inputs.seed, inputs.distribution);
  std::uint64_t good = 0;
  for (std::uint64_t i = 0; i < inputs.samples; ++i) {
    const double b = n.outer_in + inputs.outer_tol_in * sampler.unit();
    const double d = n.inner_in + inputs.inner_tol_in * sampler.unit();
    const double er = n.er + inputs.er_tol * sampler.unit();
    const double c = inputs.offset_in > 0.0 ? inputs.offset_in * sampler.radius() : 0.0;
    const double zo = eccentric_zo(CoaxLine{b, d, er}, c);
    stats.add(zo);
    // Inside the window is return loss at or above the target.
    if (zo >= window.low_ohm && zo <= window.high_ohm) ++good;
  }
  return MonteCarloResult{
      .zo = stats.summary(),
      .yield = static_cast<double>(good) / static_cast<double>(inputs.samples),
      .histogram = stats.histogram(),
  };
}

}  // namespace lumo::checks
