// Plain-text tables of the mode cut-offs and the tolerance analysis.
#include "checks/checks_report.h"

#include <cmath>
#include <string_view>

#include "numbers/number_text.h"

namespace lumo::checks {

namespace {

constexpr std::size_t kLabelWidth = 26;
constexpr std::size_t kValueWidth = 12;

// Shortest text that reads back as v.
std::string shortest(double v) { return num::shortest_general(v); }

// v to `decimals` places, rounded from its exact binary value.
std::string fixed(double v, int decimals) { return num::fixed(v, decimals); }

std::string left(std::string_view text, std::size_t width) {
  std::string s(text);
  if (s.size() < width) s.append(width - s.size(), ' ');
  return s;
}

std::string right(std::string_view text, std::size_t width) {
  std::string s(text.size() < width ? width - text.size() : 0, ' ');
  s.append(text);
  return s;
}

std::string row(std::string_view label, std::string_view value) {
  return left(label, kLabelWidth) + right(value, kValueWidth) + "\n";
}

std::string cutoff(double ghz) { return std::isnan(ghz) ? "not found" : fixed(ghz, 4); }

std::string sign(int s) { return s < 0 ? "-" : "+"; }

std::string corner_row(std::string_view label, const Corner& c, double offset_in) {
  return left(label, kLabelWidth) + right(fixed(c.zo_ohm, 4), kValueWidth) +
         right(sign(c.outer), 4) + right(sign(c.inner), 4) + right(sign(c.er), 4) + "  " +
         shortest(c.offset ? offset_in : 0.0) + " in\n";
}

std::string budget_row(std::string_view label, const ParameterBudget& b, int decimals) {
  return left(label, kLabelWidth) + right(fixed(b.symmetric, decimals), kValueWidth) +
         right(fixed(b.increase, decimals), kValueWidth) +
         right(fixed(b.decrease, decimals), kValueWidth) + "\n";
}

}  // namespace

std::string modes_table(const CoaxLine& line, const ModeCutoffs& cutoffs, const LineFacts& facts,
                        const DiametersAsGiven& as_given) {
  auto diameter = [](double in, const std::string& given) {
    return given.empty() ? shortest(in) + " in" : given + " (" + fixed(in, 5) + " in)";
  };
  std::string t = "B = " + diameter(line.outer_in, as_given.outer) +
                  ", D = " + diameter(line.inner_in, as_given.inner) +
                  ", Er = " + shortest(line.er) + "\n\n";
  t += row("Mode", "Cut-off, GHz");
  t += row("TE11 (estimate)", fixed(cutoffs.te11_estimate_ghz, 3));
  t += row("TE11", cutoff(cutoffs.te11_ghz));
  t += row("TE21", cutoff(cutoffs.te21_ghz));
  t += row("TM01", cutoff(cutoffs.tm01_ghz));
  t += "\n";
  t += row("Velocity factor", fixed(facts.velocity_factor, 5));
  t += row("Delay, ns/ft", fixed(facts.delay_ns_per_ft, 5));
  return t;
}

std::string tolerance_table(const ToleranceInputs& inputs, const ZoWindow& window,
                            const WorstCase& worst, const MonteCarloResult& monte_carlo,
                            const Budget& budget) {
  const CoaxLine& n = inputs.nominal;
  std::string t = "B = " + shortest(n.outer_in) + " +- " + shortest(inputs.outer_tol_in) +
                  " in, D = " + shortest(n.inner_in) + " +- " + shortest(inputs.inner_tol_in) +
                  " in, Er = " + shortest(n.er) + " +- " + shortest(inputs.er_tol) + ", offset " +
                  shortest(inputs.offset_in) + " in\n";
  t += "Return loss " + shortest(inputs.rl_target_db) + " dB against " + shortest(inputs.zref_ohm) +
       " ohms: Zo from " + fixed(window.low_ohm, 4) + " to " + fixed(window.high_ohm, 4) +
       " ohms\n\n";

  t += left("Worst case", kLabelWidth) + right("Zo, ohms", kValueWidth) + "   B   D  Er  Offset\n";
  t += row("Nominal", fixed(worst.nominal_zo_ohm, 4));
  t += corner_row("Lowest corner", worst.lowest, inputs.offset_in);
  t += corner_row("Highest corner", worst.highest, inputs.offset_in);
  t += row("Worst return loss, dB", fixed(worst.worst_rl_db, 2));
  t += "\n";

  const ZoSummary& z = monte_carlo.zo;
  t += "Monte Carlo: " + std::to_string(z.samples) + " samples, " +
       (inputs.distribution == Distribution::normal ? "normal" : "uniform") + ", seed " +
       std::to_string(inputs.seed) + "\n";
  t += row("Mean, ohms", fixed(z.mean_ohm, 4));
  t += row("Standard deviation, ohms", fixed(z.stddev_ohm, 4));
  t += row("1st percentile, ohms", fixed(z.p1_ohm, 4));
  t += row("Median, ohms", fixed(z.p50_ohm, 4));
  t += row("99th percentile, ohms", fixed(z.p99_ohm, 4));
  t += row("Yield, %", fixed(monte_carlo.yield * 100.0, 2));
  t += "\n";

  if (!budget.feasible) {
    t += "Budget: none, the nominal line misses the return loss target\n";
    return t;
  }
  t += left("Budget, each alone", kLabelWidth) + right("+-", kValueWidth) +
       right("rise", kValueWidth) + right("fall", kValueWidth) + "\n";
  t += budget_row("B, in", budget.outer_in, 6);
  t += budget_row("D, in", budget.inner_in, 6);
  t += budget_row("Er", budget.er, 5);
  return t;
}

}  // namespace lumo::checks
