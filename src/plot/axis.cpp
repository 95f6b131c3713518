#include "plot/axis.h"

#include <algorithm>
#include <cmath>

#include "numbers/double_math.h"
#include "numbers/number_text.h"

namespace lumo::plot {

Ticks nice_ticks(double lo, double hi, int max_intervals) {
  if (!std::isfinite(lo) || !std::isfinite(hi) || hi < lo) return {};
  if (lo == hi) {
    const double widen = lo == 0 ? 1 : std::fabs(lo) / 10;
    lo -= widen;
    hi += widen;
  }
  if (max_intervals < 1) max_intervals = 1;
  int exponent = static_cast<int>(std::floor(num::log10((hi - lo) / max_intervals)));
  for (;; ++exponent) {
    for (int mantissa : {1, 2, 5}) {
      const double step = mantissa * num::pow(10.0, exponent);
      // Data a hair beyond a multiple of the step (a float's rounding of
      // 0.3) does not add an interval.
      const double n0 = std::floor(lo / step + 1e-4);
      const double n1 = std::ceil(hi / step - 1e-4);
      if (n1 - n0 <= max_intervals) {
        return {n0 * step, step, std::max(1, static_cast<int>(n1 - n0)), exponent};
      }
    }
  }
}

std::string tick_label(const Ticks& t, int i) {
  double v = t.value(i);
  // A tick at zero computed as a tiny remainder.
  if (std::fabs(v) < t.step * 1e-6) v = 0;
  return t.exponent >= 7 || t.exponent <= -7 ? num::significant(v, 3)
                                             : num::fixed(v, t.exponent < 0 ? -t.exponent : 0);
}

}  // namespace lumo::plot
