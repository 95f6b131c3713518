// Axis scales: ticks at steps of 1, 2 or 5 times a power of ten, and the
// labels they carry.
#pragma once

#include <string>

namespace lumo::plot {

// Ticks first, first + step, ... first + intervals x step; the ends are
// multiples of the step.
struct Ticks {
  double first = 0;
  double step = 1;
  int intervals = 1;
  int exponent = 0;  // step = {1, 2, 5} x 10^exponent

  double value(int i) const { return first + step * i; }
  double last() const { return value(intervals); }
};

// The finest ticks that cover [lo, hi] (finite, lo <= hi) in at most
// `max_intervals` steps; an empty range is widened by a tenth of its value
// (or by 1 at zero) on each side.
//   nice_ticks(1, 18, 10)          -> 0 to 18 by 2
//   nice_ticks(0.0577, 0.4001, 8)  -> 0.05 to 0.45 by 0.05
//   nice_ticks(0.0577, 0.4001, 7)  -> 0 to 0.5 by 0.1
// Data within 1e-4 of a step beyond a multiple of it counts as on it.
//   nice_ticks(-2.465, 2.465, 6)   -> -3 to 3 by 1
Ticks nice_ticks(double lo, double hi, int max_intervals);

// The label of tick i: as many decimals as the step has ("0.05", "18",
// "-1.5"), in exponent form for steps of 10^7 and above or 10^-7 and below
// ("2e+07", three digits at most); never "-0".
std::string tick_label(const Ticks& t, int i);

}  // namespace lumo::plot
