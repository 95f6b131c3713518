// Bessel functions of the first and second kind, J_n and Y_n, of integer
// order n >= 0 and their derivatives, in double precision and the same bits
// on every platform. For x > 0; at x = 0, J_n gives its limit (1 for n = 0,
// else 0) and Y_n gives -inf.
//
//   bessel_j(0, 2.404825557695773) -> about -1.2e-16   near the first zero
//   bessel_y(1, 1.0)               -> -0.7812128213002887
#pragma once

namespace lumo::num {

double bessel_j(int n, double x);
double bessel_y(int n, double x);
// dJ_n/dx and dY_n/dx.
double bessel_j_prime(int n, double x);
double bessel_y_prime(int n, double x);

}  // namespace lumo::num
