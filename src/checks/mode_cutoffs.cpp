// Exact mode cut-offs by a scan-and-bisect root finder on the Bessel cross
// products.
#include "checks/mode_cutoffs.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "lines/lines.h"
#include "numbers/bessel.h"

namespace lumo::checks {

namespace {

using num::bessel_j;
using num::bessel_j_prime;
using num::bessel_y;
using num::bessel_y_prime;

// First root of f above 0.5 * approx. For any ratio B/D every first root
// lies between 0.76 and 1.03 times its approximation, and the next root of
// the same cross product beyond 1.6 times it, so a scan up from half the
// approximation in steps of 1/50 of it meets the first root first and never
// steps over two roots at once. NaN when no sign change shows.
template <typename F>
double first_root(F f, double approx) {
  constexpr double kStart = 0.5;
  constexpr double kStep = 0.02;
  constexpr int kMaxSteps = 400;
  double lo = kStart * approx;
  double f_lo = f(lo);
  if (f_lo == 0.0) return lo;
  for (int i = 1; i <= kMaxSteps; ++i) {
    double hi = (kStart + kStep * i) * approx;
    double f_hi = f(hi);
    if (!std::isfinite(f_lo) || !std::isfinite(f_hi))
      return std::numeric_limits<double>::quiet_NaN();
    if (f_hi == 0.0) return hi;
    if ((f_lo < 0.0) != (f_hi < 0.0)) {
      // Bisection to the last bit: the midpoint stops moving.
      for (;;) {
        const double mid = lo + 0.5 * (hi - lo);
        if (mid <= lo || mid >= hi) return mid;
        const double f_mid = f(mid);
        if (f_mid == 0.0) return mid;
        if ((f_mid < 0.0) == (f_lo < 0.0)) {
          lo = mid;
          f_lo = f_mid;
        } else {
          hi = mid;
        }
      }
    }
    lo = hi;
    f_lo = f_hi;
  }
  return std::numeric_limits<double>::quiet_NaN();
}

// A ratio the cross products are defined and not identically zero for.
bool usable_ratio(double c) { return c > 1.0 && std::isfinite(c); }

}  // namespace

double te_n1_root(int n, double c) {
  if (!usable_ratio(c)) return std::numeric_limits<double>::quiet_NaN();
  auto cross = [n, c](double x) {
    return bessel_j_prime(n, x) * bessel_y_prime(n, c * x) -
           bessel_j_prime(n, c * x) * bessel_y_prime(n, x);
  };
  // k_c = 2 n / (a + b): the circumference at the mean radius holds n
  // wavelengths.
  return first_root(cross, 2.0 * n / (1.0 + c));
}

double tm01_root(double c) {
  if (!usable_ratio(c)) return std::numeric_limits<double>::quiet_NaN();
  auto cross = [c](double x) {
    return bessel_j(0, x) * bessel_y(0, c * x) - bessel_j(0, c * x) * bessel_y(0, x);
  };
  // k_c = pi / (b - a): half a wavelength across the gap.
  return first_root(cross, std::numbers::pi / (c - 1.0));
}

double cutoff_ghz(double x, double inner_in, double er) {
  const double radius_m = 0.5 * inner_in * kMetresPerInch;
  return x * kLightSpeedMPerS / (2.0 * std::numbers::pi * radius_m * std::sqrt(er)) * 1e-9;
}

ModeCutoffs mode_cutoffs(const CoaxLine& line) {
  const double c = line.outer_in / line.inner_in;
  const float b = static_cast<float>(line.outer_in);
  const float d = static_cast<float>(line.inner_in);
  const float er = static_cast<float>(line.er);
  float estimate = 0.0f;
  lmmode(b, d, er, estimate);
  return ModeCutoffs{
      .te11_estimate_ghz = static_cast<double>(estimate),
      .te11_ghz = cutoff_ghz(te_n1_root(1, c), line.inner_in, line.er),
      .te21_ghz = cutoff_ghz(te_n1_root(2, c), line.inner_in, line.er),
      .tm01_ghz = cutoff_ghz(tm01_root(c), line.inner_in, line.er),
  };
}

}  // namespace lumo::checks
