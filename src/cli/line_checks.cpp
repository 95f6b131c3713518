// Exact cut-offs of a run's line and the multimode watch.
#include "cli/line_checks.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace lumo::cli {

double as_decimal(float x) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf - 1, x);
  *r.ptr = '\0';
  return std::strtod(buf, nullptr);
}

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
  char freq[32];
  const auto f =
      std::to_chars(freq, freq + sizeof freq, *highest_multimode_, std::chars_format::fixed);
  char cutoff[64];
  const auto c =
      std::to_chars(cutoff, cutoff + sizeof cutoff, te11_ghz_, std::chars_format::fixed, 4);
  return "lumo: warning: the sweep reaches " + std::string(freq, f.ptr) +
         " GHz, at or above the TE11 cut-off of " + std::string(cutoff, c.ptr) +
         " GHz: the line is multimode there\n";
}

}  // namespace lumo::cli
