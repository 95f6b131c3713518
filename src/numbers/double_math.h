// Double-precision elementary functions of Lumo's own, within 1 ulp of the
// exact value and the same bits on every platform: fixed argument
// reductions and polynomials in plain IEEE arithmetic, carried in pairs of
// doubles where one double would lose the last bit. Special values follow
// the C library's conventions (log(0) = -inf, pow(x, 0) = 1, ...).
//
//   log10(1000.0) -> 3.0 exactly;  pow(10.0, -3.0) -> 0.001 (the double
//   nearest);  hypot(3.0, 4.0) -> 5.0 exactly;  atan2(+0.0, -1.0) -> pi
#pragma once

namespace lumo::num {

// Natural logarithm; -inf at +-0, NaN below 0.
double log(double x);
// Logarithm to base 10.
double log10(double x);
// log(1 + x), exact in its last bit for small x; -inf at -1, NaN below.
double log1p(double x);
// e raised to x.
double exp(double x);
// Hyperbolic sine and cosine.
double sinh(double x);
double cosh(double x);
// x raised to y (a negative x needs an integer y).
double pow(double x, double y);
// sqrt(x^2 + y^2) without overflow or underflow on the way.
double hypot(double x, double y);
// Sine and cosine of x radians; within 1 ulp for |x| < 2^28 pi / 2 (4.2e8).
double sin(double x);
double cos(double x);
// Angle of the point (x, y), radians in [-pi, pi].
double atan2(double y, double x);

}  // namespace lumo::num
