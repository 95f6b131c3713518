// Double-precision elementary functions, carried in pairs of doubles (a
// value and the rounding error of it) wherever a single double would lose
// the last bit, then rounded once.
#include "numbers/double_math.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "numbers/constant_tables.h"

namespace lumo::num {

namespace {

using detail::DoubleDouble;
using DD = DoubleDouble;
using detail::kExp2Thirtyseconds;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::uint64_t bits_of(double x) {
  std::uint64_t u = 0;
  std::memcpy(&u, &x, sizeof u);
  return u;
}

double double_of(std::uint64_t u) {
  double x = 0.0;
  std::memcpy(&x, &u, sizeof x);
  return x;
}

bool sign_bit(double x) { return (bits_of(x) >> 63) != 0; }

double with_sign(double magnitude, bool negative) { return negative ? -magnitude : magnitude; }

// 2^k for -1022 <= k <= 1023.
double power_of_two(int k) { return double_of(static_cast<std::uint64_t>(k + 1023) << 52); }

// x 2^k, for x near 1 and any k a result can need.
double scale(double x, int k) {
  if (k > 1023) return x * power_of_two(k - 1023) * power_of_two(1023);
  if (k < -1021) return x * power_of_two(k + 1000) * power_of_two(-1000);
  return x * power_of_two(k);
}

// Error-free transformations (Knuth, Dekker): a + b and a b as an exact pair.
DD two_sum(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}

// Needs |a| >= |b| (or a == 0).
DD fast_two_sum(double a, double b) {
  const double s = a + b;
  return {s, b - (s - a)};
}

// Needs |a| < 2^995.
void split(double a, double& hi, double& lo) {
  const double c = 134217729.0 * a;  // 2^27 + 1
  hi = c - (c - a);
  lo = a - hi;
}

DD two_prod(double a, double b) {
  const double p = a * b;
  double ah = 0.0;
  double al = 0.0;
  double bh = 0.0;
  double bl = 0.0;
  split(a, ah, al);
  split(b, bh, bl);
  return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

DD add(DD a, DD b) {
  DD s = two_sum(a.hi, b.hi);
  const DD t = two_sum(a.lo, b.lo);
  s = fast_two_sum(s.hi, s.lo + t.hi);
  return fast_two_sum(s.hi, s.lo + t.lo);
}

DD neg(DD a) { return {-a.hi, -a.lo}; }

DD mul(DD a, DD b) {
  const DD p = two_prod(a.hi, b.hi);
  return fast_two_sum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

DD mul(DD a, double b) {
  const DD p = two_prod(a.hi, b);
  return fast_two_sum(p.hi, p.lo + a.lo * b);
}

DD div(DD a, DD b) {
  const double q1 = a.hi / b.hi;
  const DD r = add(a, neg(mul(b, q1)));
  return fast_two_sum(q1, r.hi / b.hi);
}

double value(DD a) { return a.hi + a.lo; }

constexpr DD kLn2 = {0x1.62e42fefa39efp-1, 0x1.abc9e3b39803fp-56};
// ln 2 with 32 significant bits, so that k times it is exact for |k| < 2^21,
// and the rest.
constexpr double kLn2Hi = 0x1.62e42feep-1;
constexpr double kLn2Lo = 0x1.a39ef35793c76p-33;
constexpr DD kInvLn10 = {0x1.bcb7b1526e50ep-2, 0x1.95355baaafad3p-57};
constexpr DD kPi = {0x1.921fb54442d18p+1, 0x1.1a62633145c07p-53};
constexpr DD kHalfPi = {0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54};
constexpr DD kQuarterPi = {0x1.921fb54442d18p-1, 0x1.1a62633145c07p-55};
constexpr DD kThreeQuarterPi = {0x1.2d97c7f3321d2p+1, 0x1.a79394c9e8a0ap-54};

// log(j / 64) for j = 45 .. 91.
constexpr DD kLogSixtyFourths[47] = {
    {-0x1.68ac83e9c6a14p-2, -0x1.a64eadd740178p-58},
    {-0x1.522ae0738a3d8p-2, 0x1.8f7e9b38a6979p-57},
    {-0x1.3c25277333184p-2, 0x1.2ad27e50a8ec6p-56},
    {-0x1.269621134db92p-2, -0x1.e0efadd9db02bp-56},
    {-0x1.1178e8227e47cp-2, 0x1.0e63a5f01c691p-57},
    {-0x1.f991c6cb3b379p-3, -0x1.f665066f980a2p-57},
    {-0x1.d1037f2655e7bp-3, -0x1.60629242471a2p-57},
    {-0x1.a93ed3c8ad9e3p-3, -0x1.bcafa9de97203p-57},
    {-0x1.823c16551a3c2p-3, 0x1.1232ce70be781p-57},
    {-0x1.5bf406b543db2p-3, 0x1.1f5b44c0df7e7p-61},
    {-0x1.365fcb0159016p-3, -0x1.7d411a5b944adp-58},
    {-0x1.1178e8227e47cp-3, 0x1.0e63a5f01c691p-58},
    {-0x1.da727638446a2p-4, -0x1.401fa71733019p-58},
    {-0x1.9335e5d594989p-4, 0x1.478a85704ccb7p-58},
    {-0x1.4d3115d207eacp-4, -0x1.769f42c7842ccp-58},
    {-0x1.08598b59e3a07p-4, 0x1.dd7009902bf32p-58},
    {-0x1.894aa149fb343p-5, -0x1.a8be97660a23dp-60},
    {-0x1.0415d89e74444p-5, -0x1.c05cf1d753622p-59},
    {-0x1.0205658935847p-6, -0x1.27c8e8416e71fp-60},
    {0.0, 0.0},
    {0x1.fc0a8b0fc03e4p-7, -0x1.83092c59642a1p-62},
    {0x1.f829b0e783300p-6, 0x1.33e3f04f1ef23p-60},
    {0x1.77458f632dcfcp-5, 0x1.18d3ca87b9296p-59},
    {0x1.f0a30c01162a6p-5, 0x1.85f325c5bbacdp-59},
    {0x1.341d7961bd1d1p-4, -0x1.b599f227becbbp-58},
    {0x1.6f0d28ae56b4cp-4, -0x1.906d99184b992p-58},
    {0x1.a926d3a4ad563p-4, 0x1.942f48aa70ea9p-58},
    {0x1.e27076e2af2e6p-4, -0x1.61578001e0162p-60},
    {0x1.0d77e7cd08e59p-3, 0x1.9a5dc5e9030acp-57},
    {0x1.29552f81ff523p-3, 0x1.301771c407dbfp-57},
    {0x1.44d2b6ccb7d1ep-3, 0x1.9f4f6543e1f88p-57},
    {0x1.5ff3070a793d4p-3, -0x1.bc60efafc6f6ep-58},
    {0x1.7ab890210d909p-3, 0x1.be36b2d6a0608p-59},
    {0x1.9525a9cf456b4p-3, 0x1.d904c1d4e2e26p-57},
    {0x1.af3c94e80bff3p-3, -0x1.398cff3641985p-58},
    {0x1.c8ff7c79a9a22p-3, -0x1.4f689f8434012p-57},
    {0x1.e27076e2af2e6p-3, -0x1.61578001e0162p-59},
    {0x1.fb9186d5e3e2bp-3, -0x1.caaae64f21acbp-57},
    {0x1.0a324e27390e3p-2, 0x1.7dcfde8061c03p-56},
    {0x1.1675cababa60ep-2, 0x1.ce63eab883717p-61},
    {0x1.22941fbcf7966p-2, -0x1.76f5eb09628afp-56},
    {0x1.2e8e2bae11d31p-2, -0x1.8f4cdb95ebdf9p-56},
    {0x1.3a64c556945eap-2, -0x1.c68651945f97cp-57},
    {0x1.4618bc21c5ec2p-2, 0x1.f42decdeccf1dp-56},
    {0x1.51aad872df82dp-2, 0x1.3927ac19f55e3p-59},
    {0x1.5d1bdbf5809cap-2, 0x1.4236383dc7fe1p-56},
    {0x1.686c81e9b14afp-2, -0x1.ddea0f7f58e3dp-57},
};

// log(x) for finite x > 0, relative error below 2^-64: x = 2^e m with m in
// [sqrt(1/2), sqrt(2)), m = c (1 + s) / (1 - s) with c = j / 64 nearest m,
// log(m) = log(c) + 2 atanh(s), |s| < 2^-7.4.
DD log_pair(double x) {
  int e = 0;
  if (x < 0x1p-1022) {  // subnormal: normalize exactly
    x *= 0x1p54;
    e = -54;
  }
  const std::uint64_t u = bits_of(x);
  e += static_cast<int>(u >> 52) - 1023;
  std::uint64_t mbits = (u & 0x000fffffffffffffULL) | 0x3ff0000000000000ULL;
  if (mbits > 0x3ff6a09e667f3bcdULL) {  // above sqrt(2)
    mbits -= 0x0010000000000000ULL;
    ++e;
  }
  const double m = double_of(mbits);
  const int j = static_cast<int>(std::floor(m * 64.0 + 0.5));
  const double c = j / 64.0;
  const double num = m - c;  // exact
  const DD den = two_sum(m, c);
  const double sh = num / den.hi;
  const DD p = two_prod(sh, den.hi);
  const double sl = (((num - p.hi) - p.lo) - sh * den.lo) / den.hi;
  // 2 atanh(s) = 2 s + 2 s^3 / 3 + ...; to s^11 the rest is below 2^-80 s.
  const double z = sh * sh;
  const double tail =
      sh * z * (2.0 / 3.0 + z * (2.0 / 5.0 + z * (2.0 / 7.0 + z * (2.0 / 9.0 + z * (2.0 / 11.0)))));
  const DD atanh2 = fast_two_sum(2.0 * sh, 2.0 * sl + tail);
  const DD log_m = add(kLogSixtyFourths[j - 45], atanh2);
  const double ed = static_cast<double>(e);
  return add(two_sum(ed * kLn2Hi, ed * kLn2Lo), log_m);
}

// exp(x.hi + x.lo) = 2^k times the pair returned, for |x.hi| < 746:
// x = (32 k + j) ln(2) / 32 + r, |r| <= ln(2) / 64, exp(x) = 2^k 2^(j/32)
// exp(r). Relative error below 2^-63.
DD exp_pair(DD x, int& k) {
  constexpr double kInvLn2x32 = 0x1.71547652b82fep+5;
  // ln(2) / 32 with 32 significant bits (n times it is exact), and the rest.
  constexpr double kStepHi = 0x1.62e42feep-6;
  constexpr double kStepLo = 0x1.a39ef35793c76p-38;
  const double nd = std::floor(x.hi * kInvLn2x32 + 0.5);
  const int n = static_cast<int>(nd);
  const int j = n & 31;
  k = (n - j) / 32;
  const double r1 = x.hi - nd * kStepHi;  // exact
  DD r = two_sum(r1, -nd * kStepLo);
  r.lo += x.lo;
  // exp(r) = 1 + r + r^2/2 + ...; to r^7 the rest is below 2^-66.
  const double rh = r.hi;
  const double q =
      rh * rh *
      (0.5 +
       rh * (1.0 / 6.0 +
             rh * (1.0 / 24.0 + rh * (1.0 / 120.0 + rh * (1.0 / 720.0 + rh * (1.0 / 5040.0))))));
  const DD one_r = fast_two_sum(1.0, rh);
  const DD e_r = fast_two_sum(one_r.hi, one_r.lo + (r.lo + (q + rh * r.lo)));
  return mul(kExp2Thirtyseconds[j], e_r);
}

// Over and under the range of exp: exp(x) rounds to +inf above the first,
// to 0 below the second.
constexpr double kExpOverflow = 0x1.62e42fefa39efp+9;    // 709.78...
constexpr double kExpUnderflow = -0x1.74910d52d3052p+9;  // -745.13...

// 1 / (hi + lo) as a pair.
DD reciprocal(DD a) { return div(DD{1.0, 0.0}, a); }

// atan(t) for a pair |t| <= 1/16 + a little: Taylor's series to t^15.
DD atan_small_pair(DD t) {
  const double z = t.hi * t.hi;
  const double p =
      1.0 / 3.0 +
      z * (-1.0 / 5.0 +
           z * (1.0 / 7.0 +
                z * (-1.0 / 9.0 + z * (1.0 / 11.0 + z * (-1.0 / 13.0 + z * (1.0 / 15.0))))));
  return fast_two_sum(t.hi, t.lo - t.hi * z * p);
}

// x reduced by multiples of pi/2 for |x| < 2^28 pi/2: x = n pi/2 + r, |r| <=
// pi/4 and a little. pi/2 in five parts, the first four of 24 bits so that
// n times each is exact and x minus the first is too.
DD reduce_half_pi(double x, int& n) {
  constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
  constexpr double kP1 = 0x1.921fb4p+0;
  constexpr double kP2 = 0x1.4442d0p-24;
  constexpr double kP3 = 0x1.846988p-48;
  constexpr double kP4 = 0x1.8cc516p-72;
  constexpr double kP5 = 0x1.01b839a25204ap-96;
  const double nd = std::floor(x * kTwoOverPi + 0.5);
  n = static_cast<int>(nd);
  if (n == 0) return {x, 0.0};
  DD r = two_sum(x - nd * kP1, -nd * kP2);
  r = add(r, DD{-nd * kP3, 0.0});
  r = add(r, DD{-nd * kP4, 0.0});
  return add(r, DD{-nd * kP5, 0.0});
}

// sin(r) and cos(r) for a pair |r| <= pi/4 + a little.
double sin_kernel(DD r) {
  const double z = r.hi * r.hi;
  // Taylor's series to r^19: the rest is below 2^-60 r.
  const double s =
      -1.0 / 6.0 +
      z * (1.0 / 120.0 +
           z * (-1.0 / 5040.0 +
                z * (1.0 / 362880.0 + z * (-1.0 / 39916800.0 +
                                           z * (1.0 / 6227020800.0 +
                                                z * (-1.0 / 1307674368000.0 +
                                                     z * (1.0 / 355687428096000.0 +
                                                          z * (-1.0 / 121645100408832000.0))))))));
  return r.hi + (r.lo * (1.0 - 0.5 * z) + r.hi * z * s);
}

double cos_kernel(DD r) {
  const DD z = two_prod(r.hi, r.hi);
  const double zh = z.hi;
  // Taylor's series to r^18: the rest is below 2^-62.
  const double c =
      1.0 / 24.0 +
      zh * (-1.0 / 720.0 +
            zh * (1.0 / 40320.0 +
                  zh * (-1.0 / 3628800.0 + zh * (1.0 / 479001600.0 +
                                                 zh * (-1.0 / 87178291200.0 +
                                                       zh * (1.0 / 20922789888000.0 +
                                                             zh * (-1.0 / 6402373705728000.0)))))));
  const double h = 0.5 * zh;
  const DD w = two_sum(1.0, -h);
  return w.hi + ((w.lo - 0.5 * z.lo - r.hi * r.lo) + zh * zh * c);
}

}  // namespace

double log(double x) {
  if (x != x) return x;
  if (x < 0.0) return kNaN;
  if (x == 0.0) return -kInf;
  if (x == kInf) return x;
  return value(log_pair(x));
}

double log10(double x) {
  if (x != x) return x;
  if (x < 0.0) return kNaN;
  if (x == 0.0) return -kInf;
  if (x == kInf) return x;
  return value(mul(log_pair(x), kInvLn10));
}

double log1p(double x) {
  if (x != x) return x;
  if (x < -1.0) return kNaN;
  if (x == -1.0) return -kInf;
  if (x == kInf) return x;
  // log(1 + x) = x - x^2/2 + ..., and x^2/2 is below half an ulp of x.
  if (std::fabs(x) < 0x1p-54) return x;
  // 1 + x = s.hi + s.lo exactly; log(s.hi + s.lo) = log(s.hi) + s.lo / s.hi
  // to far below an ulp.
  const DD s = two_sum(1.0, x);
  return value(add(log_pair(s.hi), DD{s.lo / s.hi, 0.0}));
}

double exp(double x) {
  if (x != x) return x;
  if (x > kExpOverflow) return kInf;
  if (x < kExpUnderflow) return 0.0;
  int k = 0;
  const DD e = exp_pair(DD{x, 0.0}, k);
  return scale(value(e), k);
}

double cosh(double x) {
  if (x != x) return x;
  const double a = std::fabs(x);
  if (a < 0x1p-27) return 1.0;  // 1 + x^2/2 rounds to 1
  int k = 0;
  if (a > 22.0) {
    // exp(-a) is below 2^-63 exp(a); exp(a) / 2 = exp(a - ln 2) also
    // where exp(a) itself overflows.
    if (a > 711.0) return kInf;
    const DD e = exp_pair(add(DD{a, 0.0}, neg(kLn2)), k);
    return scale(value(e), k);
  }
  DD e = exp_pair(DD{a, 0.0}, k);
  e = DD{e.hi * power_of_two(k), e.lo * power_of_two(k)};
  const DD sum = add(e, reciprocal(e));
  return 0.5 * value(sum);
}

double sinh(double x) {
  if (x != x) return x;
  const bool negative = x < 0.0;
  const double a = std::fabs(x);
  if (a < 0x1p-27) return x;  // x + x^3/6 rounds to x
  if (a < 0.5) {
    // Taylor's series to x^17: the rest is below 2^-70 x.
    const double z = a * a;
    const double p =
        1.0 / 6.0 +
        z * (1.0 / 120.0 +
             z * (1.0 / 5040.0 +
                  z * (1.0 / 362880.0 +
                       z * (1.0 / 39916800.0 +
                            z * (1.0 / 6227020800.0 +
                                 z * (1.0 / 1307674368000.0 + z * (1.0 / 355687428096000.0)))))));
    return with_sign(a + a * z * p, negative);
  }
  int k = 0;
  if (a > 22.0) {
    if (a > 711.0) return with_sign(kInf, negative);
    const DD e = exp_pair(add(DD{a, 0.0}, neg(kLn2)), k);
    return with_sign(scale(value(e), k), negative);
  }
  DD e = exp_pair(DD{a, 0.0}, k);
  e = DD{e.hi * power_of_two(k), e.lo * power_of_two(k)};
  const DD diff = add(e, neg(reciprocal(e)));
  return with_sign(0.5 * value(diff), negative);
}

double pow(double x, double y) {
  if (y == 0.0 || x == 1.0) return 1.0;
  if (x != x || y != y) return x + y;
  const double ay = std::fabs(y);
  // Whether y is an integer, and an odd one.
  const bool y_integer = ay >= 0x1p52 || std::floor(ay) == ay;
  const bool y_odd = y_integer && ay < 0x1p53 && std::fmod(ay, 2.0) == 1.0;
  const bool negative_result = sign_bit(x) && y_odd;
  double ax = std::fabs(x);
  if (ay == kInf) {
    if (ax == 1.0) return 1.0;
    return (ax > 1.0) == (y > 0.0) ? kInf : 0.0;
  }
  if (ax == 0.0) return with_sign(y < 0.0 ? kInf : 0.0, negative_result);
  if (ax == kInf) return with_sign(y < 0.0 ? 0.0 : kInf, negative_result);
  if (x < 0.0 && !y_integer) return kNaN;
  // |x|^y = exp(y log |x|), the product carried as a pair.
  const DD l = log_pair(ax);
  const double estimate = y * l.hi;
  if (estimate > 710.0) return with_sign(kInf, negative_result);
  if (estimate < -746.0) return with_sign(0.0, negative_result);
  DD z = two_prod(y, l.hi);
  z = fast_two_sum(z.hi, z.lo + y * l.lo);
  if (z.hi > kExpOverflow) return with_sign(kInf, negative_result);
  if (z.hi < kExpUnderflow) return with_sign(0.0, negative_result);
  int k = 0;
  const DD e = exp_pair(z, k);
  return with_sign(scale(value(e), k), negative_result);
}

double hypot(double x, double y) {
  double a = std::fabs(x);
  double b = std::fabs(y);
  if (a == kInf || b == kInf) return kInf;
  if (a != a || b != b) return a + b;
  if (a < b) {
    const double t = a;
    a = b;
    b = t;
  }
  if (b == 0.0) return a;
  if (b < a * 0x1p-60) return a;  // a (1 + (b/a)^2 / 2) rounds to a
  // Scale a into [2^-500, 2^500] (exact), so that the squares neither
  // overflow nor lose bits to underflow.
  double unscale = 1.0;
  if (a > 0x1p500) {
    a *= 0x1p-600;
    b *= 0x1p-600;
    unscale = 0x1p600;
  } else if (a < 0x1p-500) {
    a *= 0x1p600;
    b *= 0x1p600;
    unscale = 0x1p-600;
  }
  const DD s = add(two_prod(a, a), two_prod(b, b));
  const double r = std::sqrt(s.hi);
  // One Newton step on the pair: r + (s - r^2) / (2 r).
  const DD rr = two_prod(r, r);
  const double correction = (((s.hi - rr.hi) - rr.lo) + s.lo) / (2.0 * r);
  return (r + correction) * unscale;
}

double sin(double x) {
  if (std::fabs(x) < 0x1p-26) return x;  // x - x^3/6 rounds to x; +-0 too
  if (!(std::fabs(x) <= std::numeric_limits<double>::max())) return kNaN;
  int n = 0;
  const DD r = reduce_half_pi(x, n);
  switch (n & 3) {
    case 0:
      return sin_kernel(r);
    case 1:
      return cos_kernel(r);
    case 2:
      return -sin_kernel(r);
    default:
      return -cos_kernel(r);
  }
}

double cos(double x) {
  if (std::fabs(x) < 0x1p-27) return 1.0;  // 1 - x^2/2 rounds to 1
  if (!(std::fabs(x) <= std::numeric_limits<double>::max())) return kNaN;
  int n = 0;
  const DD r = reduce_half_pi(x, n);
  switch (n & 3) {
    case 0:
      return cos_kernel(r);
    case 1:
      return -sin_kernel(r);
    case 2:
      return -cos_kernel(r);
    default:
      return sin_kernel(r);
  }
}

double atan2(double y, double x) {
  if (x != x || y != y) return x + y;
  const bool negative_y = sign_bit(y);
  const bool negative_x = sign_bit(x);
  const double ay = std::fabs(y);
  const double ax = std::fabs(x);
  if (ax == kInf) {
    if (ay == kInf)
      return with_sign(negative_x ? value(kThreeQuarterPi) : value(kQuarterPi), negative_y);
    return with_sign(negative_x ? value(kPi) : 0.0, negative_y);
  }
  if (ay == 0.0) return with_sign(negative_x ? value(kPi) : 0.0, negative_y);
  if (ay == kInf || ax == 0.0) return with_sign(value(kHalfPi), negative_y);
  // atan(a / b) with a <= b, then moved into the octant of (x, y).
  const bool swapped = ay > ax;
  double a = swapped ? ax : ay;
  double b = swapped ? ay : ax;
  DD angle{0.0, 0.0};
  const double ratio = a / b;
  if (ratio < 0x1p-27) {
    // atan(t) = t (1 - t^2/3 + ...) and t^2/3 is below 2^-55.
    angle = DD{ratio, 0.0};
  } else {
    // b into [1, 2) and a with it (exact: a stays above 2^-28).
    const int eb = static_cast<int>(bits_of(b) >> 52) - 1023;
    a = scale(a, -eb);
    b = scale(b, -eb);
    const double th = a / b;
    const DD p = two_prod(th, b);
    const DD t = fast_two_sum(th, ((a - p.hi) - p.lo) / b);
    // atan(t) = atan(c) + atan((t - c) / (1 + t c)), c = j / 8 nearest t.
    const int j = static_cast<int>(std::floor(t.hi * 8.0 + 0.5));
    const double c = j * 0.125;
    const DD num = fast_two_sum(t.hi - c, t.lo);  // t.hi - c is exact
    const DD den = add(DD{1.0, 0.0}, mul(t, c));
    angle = add(detail::kAtanEighths[j], atan_small_pair(div(num, den)));
  }
  if (swapped) angle = add(kHalfPi, neg(angle));
  if (negative_x) angle = add(kPi, neg(angle));
  return with_sign(value(angle), negative_y);
}

}  // namespace lumo::num
