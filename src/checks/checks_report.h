// Plain-text tables of the engineering checks, as pure functions: each
// returns the whole table, lines ending in LF.
#pragma once

#include <string>

#include "checks/line_facts.h"
#include "checks/mode_cutoffs.h"
#include "checks/monte_carlo.h"
#include "checks/tolerance.h"

namespace lumo::checks {

// Table of the mode cut-offs and line facts of `line`:
//   B = 0.2425 in, D = 0.0726 in, Er = 2.1
//
//   Mode                      Cut-off, GHz
//   TE11 (estimate)                 16.455
//   TE11                           16.9220
//   ...
// Labels fill 26 columns, values are right-aligned in the next 12 (a longer
// label or value pushes the rest of its line right). The line's values print in their shortest
// exact form; a cut-off that was not found prints "not found". A diameter
// with a text in `as_given` prints as that text with its inches to 5
// places beside it: "B = 3.5 mm (0.13780 in)".
struct DiametersAsGiven {
  std::string outer, inner;  // empty: the diameter in inches alone
};
std::string modes_table(const CoaxLine& line, const ModeCutoffs& cutoffs, const LineFacts& facts,
                        const DiametersAsGiven& as_given = {});

// Table of a tolerance analysis: the inputs, the return-loss window, the worst
// case with its corners, the Monte Carlo summary and the budgets, in the
// same columns as modes_table.
std::string tolerance_table(const ToleranceInputs& inputs, const ZoWindow& window,
                            const WorstCase& worst, const MonteCarloResult& monte_carlo,
                            const Budget& budget);

}  // namespace lumo::checks
