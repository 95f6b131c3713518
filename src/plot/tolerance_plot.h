// The plot of a tolerance analysis: the Monte Carlo histogram of Zo as bars
// (the share of samples in each, %), the impedances that meet the
// return-loss target shaded, and the lowest and highest worst-case corners
// as labelled vertical lines. The title gives the line and its tolerances.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "checks/monte_carlo.h"
#include "checks/tolerance.h"

namespace lumo::plot {

// Bars of equal width, each a whole number of a histogram's bins.
struct Bars {
  double first_edge_ohm = 0;          // lower edge of the first bar
  double width_ohm = 0;               // width of every bar
  std::vector<std::uint64_t> counts;  // samples per bar
};

// The histogram's bins merged k at a time from its lower edge, k the least
// that gives at most `max_bars` bars (> 0) over the whole histogram, so a
// bar is always the same share of the axis; only the bars from the first
// to the last that hold a sample are kept. The counts keep every sample.
// No bars when no bin holds one.
//   counts 0 0 3 1 0 2 0, max 4  -> k 2, bars from bin 2: 4 2
Bars merge_bins(const checks::ZoHistogram& histogram, std::size_t max_bars);

// Bars of the tolerance plot.
inline constexpr std::size_t kToleranceBars = 80;

// The SVG document of the analysis of `inputs`.
std::string tolerance_svg(const checks::ToleranceInputs& inputs, const checks::ZoWindow& window,
                          const checks::WorstCase& worst, const checks::MonteCarloResult& result);

}  // namespace lumo::plot
