#include "plot/tolerance_plot.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string_view>

#include "numbers/number_text.h"
#include "plot/svg_figure.h"

namespace lumo::plot {

namespace {

// Shortest decimal text that reads back as v, never in exponent form: the
// values as given (0.0005, not 5e-04).
std::string shortest(double v) { return num::shortest_fixed(v); }

std::string fixed(double v, int decimals) { return num::fixed(v, decimals); }

// Three significant digits: a bar's width.
std::string significant(double v) { return num::significant(v, 3); }

// "B- D+ Er+", with " offset" when the centres are at the largest offset.
std::string corner_words(const checks::Corner& c) {
  auto sign = [](int s) { return s < 0 ? "-" : "+"; };
  return std::string("B") + sign(c.outer) + " D" + sign(c.inner) + " Er" + sign(c.er) +
         (c.offset ? " offset" : "");
}

}  // namespace

Bars merge_bins(const checks::ZoHistogram& h, std::size_t max_bars) {
  Bars bars;
  const std::size_t n = h.counts.size();
  const auto held = [](std::uint64_t c) { return c != 0; };
  const auto first_it = std::find_if(h.counts.begin(), h.counts.end(), held);
  if (first_it == h.counts.end() || max_bars == 0) return bars;
  const auto first = static_cast<std::size_t>(first_it - h.counts.begin());
  const auto last = n - 1 -
                    static_cast<std::size_t>(
                        std::find_if(h.counts.rbegin(), h.counts.rend(), held) - h.counts.rbegin());
  const std::size_t k = (n + max_bars - 1) / max_bars;
  const std::size_t start = first / k * k;
  const double bin = (h.high_ohm - h.low_ohm) / static_cast<double>(n);
  bars.first_edge_ohm = h.low_ohm + bin * static_cast<double>(start);
  bars.width_ohm = bin * static_cast<double>(k);
  bars.counts.assign(last / k - first / k + 1, 0);
  for (std::size_t i = first; i <= last; ++i) bars.counts[(i - start) / k] += h.counts[i];
  return bars;
}

std::string tolerance_svg(const checks::ToleranceInputs& in, const checks::ZoWindow& window,
                          const checks::WorstCase& worst, const checks::MonteCarloResult& result) {
  Bars bars = merge_bins(result.histogram, kToleranceBars);
  if (!(bars.width_ohm > 0)) {
    // Every corner gives the same Zo: one bar a thousandth of it wide.
    bars.width_ohm = std::abs(result.histogram.low_ohm) * 1e-3;
    bars.first_edge_ohm = result.histogram.low_ohm - bars.width_ohm / 2;
  }
  const std::uint64_t total =
      std::accumulate(bars.counts.begin(), bars.counts.end(), std::uint64_t{0});
  std::vector<float> centres, shares;
  for (std::size_t i = 0; i < bars.counts.size(); ++i) {
    centres.push_back(
        static_cast<float>(bars.first_edge_ohm + bars.width_ohm * (static_cast<double>(i) + 0.5)));
    shares.push_back(static_cast<float>(100.0 * static_cast<double>(bars.counts[i]) /
                                        static_cast<double>(total)));
  }
  const std::string rl = shortest(in.rl_target_db) + " dB";
  const std::string zref = shortest(in.zref_ohm) + " Ω";
  const std::string distribution =
      in.distribution == checks::Distribution::uniform ? "uniform" : "normal";
  const std::string width = significant(bars.width_ohm);

  Figure f;
  f.title = "Tolerance of Zo: B " + shortest(in.nominal.outer_in) + " ± " +
            shortest(in.outer_tol_in) + " in, D " + shortest(in.nominal.inner_in) + " ± " +
            shortest(in.inner_tol_in) + " in, Er " + shortest(in.nominal.er) + " ± " +
            shortest(in.er_tol);
  f.subtitle = (in.offset_in > 0 ? "Offset up to " + shortest(in.offset_in) + " in · "
                                 : std::string("Concentric · ")) +
               std::to_string(in.samples) + (in.samples == 1 ? " sample, " : " samples, ") +
               distribution + ", seed " + std::to_string(in.seed) + " · yield " +
               fixed(100 * result.yield, 2) + " % at RL ≥ " + rl + " against " + zref;
  f.x_name = "zo_ohm";
  f.x_label = "Impedance Zo (Ω)";
  f.x = centres;
  f.description = "Histogram of Zo over " + std::to_string(in.samples) + " Monte Carlo samples, " +
                  std::to_string(bars.counts.size()) + " bars of " + width + " ohms; return loss " +
                  rl + " or more against " + shortest(in.zref_ohm) + " ohms from " +
                  fixed(window.low_ohm, 4) + " to " + fixed(window.high_ohm, 4) +
                  " ohms, shaded; lowest corner " + fixed(worst.lowest.zo_ohm, 4) + " ohms (" +
                  corner_words(worst.lowest) + "), highest " + fixed(worst.highest.zo_ohm, 4) +
                  " ohms (" + corner_words(worst.highest) + ").";
  Panel p;
  p.y_label = "Share of samples per bar (%)";
  p.y_from_zero = true;
  Series s{"zo_share_pct", "Monte Carlo Zo, bars " + width + " Ω wide", shares, 1};
  s.bar_width = bars.width_ohm;
  p.series.push_back(std::move(s));
  p.band = Band{
      window.low_ohm, window.high_ohm,
      "RL ≥ " + rl + ": " + fixed(window.low_ohm, 2) + " to " + fixed(window.high_ohm, 2) + " Ω"};
  if (worst.lowest.zo_ohm == worst.highest.zo_ohm) {
    p.marks = {{worst.lowest.zo_ohm, "every corner " + fixed(worst.lowest.zo_ohm, 2) + " Ω"}};
  } else {
    p.marks = {{worst.lowest.zo_ohm,
                "min " + fixed(worst.lowest.zo_ohm, 2) + " Ω (" + corner_words(worst.lowest) + ")"},
               {worst.highest.zo_ohm, "max " + fixed(worst.highest.zo_ohm, 2) + " Ω (" +
                                          corner_words(worst.highest) + ")"}};
  }
  p.marks_label = "Worst-case corners";
  f.panels.push_back(std::move(p));
  return render_svg(f);
}

}  // namespace lumo::plot
