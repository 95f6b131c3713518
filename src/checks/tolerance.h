// Tolerance analysis of a coaxial line's impedance: the eccentric-line Zo,
// return loss, the worst corner of a tolerance box, and the budget of each
// quantity for a return-loss target. Double precision throughout.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "checks/coax_line.h"

namespace lumo::checks {

// How Monte Carlo samples fill the tolerance box.
enum class Distribution {
  normal,   // each tolerance is 3 sigma of a normal, truncated at the tolerance
  uniform,  // uniform over the box
};

// A line with plus-or-minus tolerances, and the match it must reach.
struct ToleranceInputs {
  CoaxLine nominal;                                  // nominal line
  double outer_tol_in = 0.0;                         // tolerance on B, +- inches
  double inner_tol_in = 0.0;                         // tolerance on D, +- inches
  double er_tol = 0.0;                               // tolerance on Er, +-
  double offset_in = 0.0;                            // largest distance between the centres, inches
  double zref_ohm = 50.0;                            // reference impedance of the return loss, ohms
  double rl_target_db = 30.0;                        // return loss a good line reaches, dB
  std::uint64_t samples = 100000;                    // Monte Carlo samples
  std::uint64_t seed = 1;                            // Monte Carlo generator seed
  Distribution distribution = Distribution::normal;  // Monte Carlo distribution
};

// The value of a inputs that cannot be used.
enum class InputField {
  outer,
  inner,
  er,
  outer_tol,
  inner_tol,
  er_tol,
  offset,
  zref,
  rl_target,
  samples
};

// Why a inputs cannot be used: the value at fault and a one-line text naming it.
struct InputError {
  InputField field;     // the value at fault
  std::string message;  // e.g. "the tolerance on D is negative (-0.0003 in)"
};

// The first unusable value of `inputs`, or nothing when every value is usable.
// Checks finiteness, B > D > 0, Er > 0, tolerances >= 0 and below their
// values, an offset >= 0 with D/2 + C < B/2 at the nominal and at the worst
// corner of the box, Zref > 0, a target > 0 and at least one sample.
std::optional<InputError> input_error(const ToleranceInputs& inputs);

// Zo (ohms) of a line whose centres are `offset_in` inches apart:
// eta0 / (2 pi sqrt(Er)) arccosh((B^2 + D^2 - 4 C^2) / (2 B D)). Needs
// D/2 + C < B/2; equals eta0 / (2 pi sqrt(Er)) ln(B/D) at C = 0.
double eccentric_zo(const CoaxLine& line, double offset_in);

// Return loss, dB, of `zo` against `zref`: -20 log10 |(Z - Zref)/(Z + Zref)|;
// +infinity at Z = Zref.
double return_loss_db(double zo_ohm, double zref_ohm);

// The impedances whose return loss against a reference reaches a target.
struct ZoWindow {
  double low_ohm;   // Zref (1 - g) / (1 + g), g = 10^(-RL/20)
  double high_ohm;  // Zref (1 + g) / (1 - g)
};

// The window of return loss `rl_db` (> 0) against `zref_ohm`.
ZoWindow rl_window(double zref_ohm, double rl_db);

// One corner of the tolerance box.
struct Corner {
  int outer;      // -1 for B minus its tolerance, +1 for B plus it
  int inner;      // -1 for D minus its tolerance, +1 for D plus it
  int er;         // -1 for Er minus its tolerance, +1 for Er plus it
  bool offset;    // true: centres at the largest offset; false: concentric
  double zo_ohm;  // Zo at this corner, ohms
};

// The extremes of Zo over every corner of the box.
struct WorstCase {
  double nominal_zo_ohm;  // Zo of the nominal line at the given offset, ohms
  Corner lowest;          // corner of the lowest Zo (first in corner order on ties)
  Corner highest;         // corner of the highest Zo (first in corner order on ties)
  double worst_rl_db;     // lowest return loss over the corners against Zref, dB
};

// Worst case of a valid inputs over its 16 corners (B, D, Er at minus and plus,
// the offset at 0 and at its value).
WorstCase worst_case(const ToleranceInputs& inputs);

// How far one quantity may move alone, the others nominal, with the return
// loss still at or above the target.
struct ParameterBudget {
  double increase;   // largest rise, in the quantity's unit
  double decrease;   // largest fall, in the quantity's unit
  double symmetric;  // the +- tolerance allowed: the smaller of the two
};

// Budgets of B, D and Er from the exact Zo window.
struct Budget {
  bool feasible;             // nominal return loss reaches the target; else all budgets 0
  ParameterBudget outer_in;  // on B, inches
  ParameterBudget inner_in;  // on D, inches
  ParameterBudget er;        // on Er
};

// Budgets of a valid inputs, the offset held at its value.
Budget budget(const ToleranceInputs& inputs);

}  // namespace lumo::checks
