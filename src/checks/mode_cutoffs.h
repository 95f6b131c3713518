// Exact cut-off frequencies of the first higher-order modes of a coaxial
// line, from the first root of the coaxial characteristic equations, beside
// the single-precision TE11 estimate pi (B + D) / 2 the reports print.
#pragma once

#include "checks/coax_line.h"

namespace lumo::checks {

// Cut-offs of one line, GHz. A cut-off whose root could not be bracketed
// (a ratio B/D too close to 1 or too large for double precision) is NaN.
struct ModeCutoffs {
  double te11_estimate_ghz;  // the reports' TE11 estimate, single precision
  double te11_ghz;           // TE11, exact
  double te21_ghz;           // TE21, exact
  double tm01_ghz;           // TM01, exact
};

// Cut-offs of `line`; needs B > D > 0 and Er > 0.
ModeCutoffs mode_cutoffs(const CoaxLine& line);

// First root x = k_c D / 2 of J_n'(x) Y_n'(c x) - J_n'(c x) Y_n'(x) = 0
// (TE_n1, n >= 1), c = B / D; NaN unless c > 1 and finite.
double te_n1_root(int n, double c);

// First root x = k_c D / 2 of J_0(x) Y_0(c x) - J_0(c x) Y_0(x) = 0 (TM_01);
// NaN unless c > 1 and finite.
double tm01_root(double c);

// Cut-off frequency, GHz, of the root x on a line of inner diameter
// `inner_in` inches and dielectric constant `er`.
double cutoff_ghz(double x, double inner_in, double er);

}  // namespace lumo::checks
