// Exact cut-offs of a run's line and the multimode watch.
#include "cli/line_checks.h"

#include <cmath>
#include <cstdlib>

#include "numbers/number_text.h"

namespace lumo::cli {

double as_decimal(float x) { return std::strtod(num::shortest(x).c_str(), nullptr); }

LineChecks line_checks(float b, float d, float er) {
  const checks::CoaxLine line{as_decimal(b), as_decimal(d), as_decimal(er)};
  return LineChecks{line, checks::mode_cutoffs(line), checks::line_facts(line.er)};
}

std::optional<bool> multimode(float freq_ghz, double te11_ghz) {
  if (std::isnan(te11_ghz)) return std::nullopt;
  return static_cast<double>(freq_ghz) >= te11_ghz;
}

void ExactCutoffPlot::frequency_header(const FrequencyHeader& h) {
  plot::PlotConsumer::frequency_header(h);
  const double te11 = line_checks(h.b, h.d, h.er).modes.te11_ghz;
  if (std::isfinite(te11)) set_cutoff({static_cast<float>(te11), "TE11 cut-off (exact)"});
}

void MultimodeWatch::frequency_row(const FrequencyRow& r) {
  if (multimode(r.freq, te11_ghz_).value_or(false) &&
      (!highest_multimode_ || r.freq > *highest_multimode_)) {
    highest_multimode_ = r.freq;
  }
  to_.frequency_row(r);
}

std::string MultimodeWatch::warning() const {
  if (!highest_multimode_) return "";
  return "lumo: warning: the sweep reaches " + num::shortest_fixed(*highest_multimode_) +
         " GHz, at or above the TE11 cut-off of " + num::fixed(te11_ghz_, 4) +
         " GHz: the line is multimode there\n";
}

}  // namespace lumo::cli
