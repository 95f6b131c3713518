// Bessel functions of integer order: power series below x = 2, Steed's
// continued fractions up to where Hankel's asymptotic series is exact to
// the last bit, that series beyond.
#include "numbers/bessel.h"

#include <cmath>
#include <limits>

#include "numbers/double_math.h"

namespace lumo::num {

namespace {

constexpr double kPi = 0x1.921fb54442d18p+1;
constexpr double kEulerGamma = 0.57721566490153286061;
constexpr double kSqrtTwoOverPi = 0.79788456080286535588;
constexpr double kHalfSqrtTwo = 0.70710678118654752440;
constexpr double kEps = 1e-17;      // a series' last term, relative
constexpr double kCfEps = 0x1p-52;  // a continued fraction's last factor
constexpr double kTiny = 1e-300;

struct Values {
  double j;
  double y;
  double jp;  // dJ/dx
  double yp;  // dY/dx
};

// J_n(x) by its power series: (x/2)^n / n! sum (-x^2/4)^k / (k! (n+k)!).
double j_series(int n, double x) {
  const double h = 0.5 * x;
  double term = 1.0;
  for (int i = 1; i <= n; ++i) term *= h / i;
  double sum = term;
  const double q = -h * h;
  for (int k = 1; k < 200; ++k) {
    term *= q / (static_cast<double>(k) * (n + k));
    sum += term;
    if (std::fabs(term) < kEps * std::fabs(sum)) break;
  }
  return sum;
}

// Y_n(x) by its series, x <= 2:
// -1/pi sum_{k<n} (n-k-1)!/k! (x/2)^(2k-n) + 2/pi ln(x/2) J_n(x)
// - 1/pi (x/2)^n sum_k (psi(k+1) + psi(n+k+1)) (-x^2/4)^k / (k! (n+k)!),
// with psi(m+1) = -gamma + 1 + 1/2 + ... + 1/m.
double y_series(int n, double x) {
  const double h = 0.5 * x;
  // The finite sum, from k = 0: (n-1)! (x/2)^-n, then each term times
  // (x/2)^2 / ((n-k-1) (k+1)).
  double finite = 0.0;
  if (n > 0) {
    double term = 1.0;
    for (int i = 1; i < n; ++i) term *= i;
    for (int i = 0; i < n; ++i) term /= h;
    for (int k = 0; k < n; ++k) {
      finite += term;
      if (k + 1 < n) term *= h * h / (static_cast<double>(n - k - 1) * (k + 1));
    }
  }
  double psi_k = -kEulerGamma;   // psi(k + 1)
  double psi_nk = -kEulerGamma;  // psi(n + k + 1)
  for (int i = 1; i <= n; ++i) psi_nk += 1.0 / i;
  double term = 1.0;  // (x/2)^n / n!, then times (-x^2/4) / (k (n+k))
  for (int i = 1; i <= n; ++i) term *= h / i;
  double sum = (psi_k + psi_nk) * term;
  const double q = -h * h;
  for (int k = 1; k < 200; ++k) {
    term *= q / (static_cast<double>(k) * (n + k));
    psi_k += 1.0 / k;
    psi_nk += 1.0 / (n + k);
    const double add = (psi_k + psi_nk) * term;
    sum += add;
    if (std::fabs(add) < kEps * std::fabs(sum)) break;
  }
  return (-finite + 2.0 * log(h) * j_series(n, x) - sum) / kPi;
}

Values small_x(int n, double x) {
  const double jn = j_series(n, x);
  const double yn = y_series(n, x);
  const double jn1 = j_series(n + 1, x);
  const double yn1 = y_series(n + 1, x);
  return {jn, yn, n / x * jn - jn1, n / x * yn - yn1};
}

// Steed's method (Barnett's CF1 for J_n'/J_n, downward recurrence to order
// 0, the complex CF2 for order 0, the Wronskian for the scale, upward
// recurrence for Y), for x >= 2.
Values steed(int n, double x) {
  const double xi = 1.0 / x;
  const double xi2 = 2.0 * xi;
  const double w = xi2 / kPi;
  // CF1: f = J_n' / J_n by the modified Lentz method.
  int isign = 1;
  double h = n * xi;
  if (h < kTiny) h = kTiny;
  double b = xi2 * n;
  double d = 0.0;
  double c = h;
  for (int i = 1; i < 10000000; ++i) {
    b += xi2;
    d = b - d;
    if (std::fabs(d) < kTiny) d = kTiny;
    c = b - 1.0 / c;
    if (std::fabs(c) < kTiny) c = kTiny;
    d = 1.0 / d;
    const double del = c * d;
    h = del * h;
    if (d < 0.0) isign = -isign;
    if (std::fabs(del - 1.0) <= kCfEps) break;
  }
  // Downward recurrence from order n to 0, on an unnormalized J.
  double rjl = isign * kTiny;
  double rjpl = h * rjl;
  const double rjl1 = rjl;
  const double rjp1 = rjpl;
  double fact = n * xi;
  for (int l = n; l >= 1; --l) {
    const double rjtemp = fact * rjl + rjpl;
    fact -= xi;
    rjpl = fact * rjtemp - rjl;
    rjl = rjtemp;
  }
  if (rjl == 0.0) rjl = kEps;
  const double f = rjpl / rjl;
  // CF2: p + i q = (J_0' + i Y_0') / (J_0 + i Y_0), by Lentz in complex.
  double a = 0.25;
  double p = -0.5 * xi;
  double q = 1.0;
  const double br = 2.0 * x;
  double bi = 2.0;
  fact = a * xi / (p * p + q * q);
  double cr = br + q * fact;
  double ci = bi + p * fact;
  double den = br * br + bi * bi;
  double dr = br / den;
  double di = -bi / den;
  double dlr = cr * dr - ci * di;
  double dli = cr * di + ci * dr;
  double temp = p * dlr - q * dli;
  q = p * dli + q * dlr;
  p = temp;
  for (int i = 2; i < 100000; ++i) {
    a += 2 * (i - 1);
    bi += 2.0;
    dr = a * dr + br;
    di = a * di + bi;
    if (std::fabs(dr) + std::fabs(di) < kTiny) dr = kTiny;
    fact = a / (cr * cr + ci * ci);
    cr = br + cr * fact;
    ci = bi - ci * fact;
    if (std::fabs(cr) + std::fabs(ci) < kTiny) cr = kTiny;
    den = dr * dr + di * di;
    dr /= den;
    di /= -den;
    dlr = cr * dr - ci * di;
    dli = cr * di + ci * dr;
    temp = p * dlr - q * dli;
    q = p * dli + q * dlr;
    p = temp;
    if (std::fabs(dlr - 1.0) + std::fabs(dli) <= kCfEps) break;
  }
  // The Wronskian J_0 Y_0' - J_0' Y_0 = 2 / (pi x) fixes J_0's size.
  const double gam = (p - f) / q;
  double rjmu = std::sqrt(w / ((p - f) * gam + q));
  if (rjl < 0.0) rjmu = -rjmu;
  double rymu = rjmu * gam;
  const double rymup = rymu * (p + q / gam);
  double ry1 = -rymup;  // Y_1 = -Y_0'
  const double scale = rjmu / rjl;
  const double jn = rjl1 * scale;
  const double jpn = rjp1 * scale;
  for (int i = 1; i <= n; ++i) {
    const double rytemp = i * xi2 * ry1 - rymu;
    rymu = ry1;
    ry1 = rytemp;
  }
  // rymu = Y_n, ry1 = Y_(n+1).
  return {jn, rymu, jpn, n * xi * rymu - ry1};
}

// Hankel's asymptotic series for J_n and Y_n, given sin x and cos x:
// sqrt(2 / (pi x)) (P cos chi - Q sin chi) and (P sin chi + Q cos chi),
// chi = x - (2n + 1) pi / 4.
void hankel(int n, double x, double sx, double cx, double& j, double& y) {
  const double mu = 4.0 * n * n;
  double p = 1.0;
  double q = 0.0;
  double term = 1.0;
  double last = std::numeric_limits<double>::infinity();
  for (int k = 1; k < 200; ++k) {
    const double odd = 2.0 * k - 1.0;
    term *= (mu - odd * odd) / (8.0 * k * x);
    const double size = std::fabs(term);
    if (size > last) break;  // the series has begun to diverge
    last = size;
    const double signed_term = (k / 2) % 2 == 0 ? term : -term;
    if (k % 2 == 1) {
      q += signed_term;
    } else {
      p += signed_term;
    }
    if (size < kEps) break;
  }
  // cos and sin of (2n + 1) pi / 4, over sqrt(2)/2.
  static constexpr double kCos[4] = {1.0, -1.0, -1.0, 1.0};
  static constexpr double kSin[4] = {1.0, 1.0, -1.0, -1.0};
  const double cphi = kCos[n % 4];
  const double sphi = kSin[n % 4];
  const double cchi = kHalfSqrtTwo * (cx * cphi + sx * sphi);
  const double schi = kHalfSqrtTwo * (sx * cphi - cx * sphi);
  const double amp = kSqrtTwoOverPi / std::sqrt(x);
  j = amp * (p * cchi - q * schi);
  y = amp * (p * schi + q * cchi);
}

// Where Hankel's series reaches the last bit for order n and n + 1.
double hankel_start(int n) { return 25.0 + 0.5 * (n + 1) * (n + 1); }

Values large_x(int n, double x) {
  const double sx = sin(x);
  const double cx = cos(x);
  double jn = 0.0;
  double yn = 0.0;
  double jn1 = 0.0;
  double yn1 = 0.0;
  hankel(n, x, sx, cx, jn, yn);
  hankel(n + 1, x, sx, cx, jn1, yn1);
  return {jn, yn, n / x * jn - jn1, n / x * yn - yn1};
}

Values bessel(int n, double x) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  if (n < 0 || !(x >= 0.0)) return {kNaN, kNaN, kNaN, kNaN};
  if (x == 0.0) return {n == 0 ? 1.0 : 0.0, -kInf, n == 1 ? 0.5 : 0.0, kInf};
  if (x == kInf) return {0.0, 0.0, 0.0, 0.0};
  if (x <= 2.0) return small_x(n, x);
  if (x < hankel_start(n)) return steed(n, x);
  return large_x(n, x);
}

}  // namespace

double bessel_j(int n, double x) { return bessel(n, x).j; }
double bessel_y(int n, double x) { return bessel(n, x).y; }
double bessel_j_prime(int n, double x) { return bessel(n, x).jp; }
double bessel_y_prime(int n, double x) { return bessel(n, x).yp; }

}  // namespace lumo::num
