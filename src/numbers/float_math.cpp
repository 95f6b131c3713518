// Correctly rounded atanf, logf and expf, evaluated in double.
//
// Each double evaluation below has a relative error under 2^-51 (a few
// roundings of about 2^-53 each). Rounding it to float gives the correctly
// rounded result unless the exact value and the evaluation straddle a
// halfway point between two floats; near_halfway() catches every such case
// with the bound 2^-49, and those inputs are looked up among the exceptions
// found by checking all 2^32 inputs against a wider reference.
#include "numbers/float_math.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

#include "numbers/atan_table.h"

namespace lumo::num {

namespace {

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

std::uint32_t bits_of(float x) {
  std::uint32_t u = 0;
  std::memcpy(&u, &x, sizeof u);
  return u;
}

float float_of(std::uint32_t u) {
  float x = 0.0f;
  std::memcpy(&x, &u, sizeof x);
  return x;
}

// 2^k for k a normal double's exponent.
double power_of_two(int k) { return double_of(static_cast<std::uint64_t>(k + 1023) << 52); }

// ln 2 = kLn2Hi + kLn2Lo; kLn2Hi has 32 significant bits, so k * kLn2Hi is
// exact for |k| < 2^21.
constexpr double kLn2Hi = 0x1.62e42feep-1;
constexpr double kLn2Lo = 0x1.a39ef35793c76p-33;
constexpr double kInvLn2 = 0x1.71547652b82fep+0;

using detail::kAtanEighths;
using detail::kAtanEighthsComplement;

// atan(t) for |t| <= 1/16: Taylor's series to t^15, whose first omitted
// term is below 2^-68 |t|.
double atan_small(double t) {
  const double z = t * t;
  double p = 1.0 / 15.0;
  p = -1.0 / 13.0 + z * p;
  p = 1.0 / 11.0 + z * p;
  p = -1.0 / 9.0 + z * p;
  p = 1.0 / 7.0 + z * p;
  p = -1.0 / 5.0 + z * p;
  p = 1.0 / 3.0 + z * p;
  return t - t * (z * p);
}

// An input whose correctly rounded result its double evaluation misses.
struct Exception {
  std::uint32_t input;
  std::uint32_t result;
};

// The exceptions: all that the check of every input
// finds (bench/float_exhaustive).
constexpr std::array<Exception, 2> kAtanExceptions = {{
    {0x3d8d6b23u, 0x3d8d31c3u},
    {0xbd8d6b23u, 0xbd8d31c3u},
}};
constexpr std::array<Exception, 5> kLogExceptions = {{
    {0x3c413d3au, 0xc08e158fu},
    {0x41178febu, 0x400fe5e7u},
    {0x4c5d65a5u, 0x418f034bu},
    {0x65d890d3u, 0x4254d1f9u},
    {0x6f31a8ecu, 0x42845a89u},
}};
constexpr std::array<Exception, 0> kExpExceptions = {};

// y rounded to float, or the exception listed for x when y lies near a
// halfway point.
template <std::size_t N>
float settle(const std::array<Exception, N>& table, float x, double y) {
  if (!detail::near_halfway(y)) return static_cast<float>(y);
  const std::uint32_t u = bits_of(x);
  for (const Exception& e : table) {
    if (e.input == u) return float_of(e.result);
  }
  return static_cast<float>(y);
}

}  // namespace

namespace detail {

bool near_halfway(double y) {
  // The bound is a power of two, so y * kBound is exact.
  constexpr double kBound = 0x1p-49;
  const double d = y * kBound;
  return static_cast<float>(y - d) != static_cast<float>(y + d);
}

double atan_estimate(float x) {
  const double a = x < 0.0f ? -static_cast<double>(x) : static_cast<double>(x);
  double r = 0.0;
  if (a <= 1.0) {
    // atan(a) = atan(c) + atan((a - c) / (1 + a c)), c = j / 8 nearest a;
    // a - c and a c are exact.
    const int j = static_cast<int>(std::floor(a * 8.0 + 0.5));
    const double c = j * 0.125;
    const double t = (a - c) / (1.0 + a * c);
    r = kAtanEighths[j].hi + (kAtanEighths[j].lo + atan_small(t));
  } else {
    // atan(a) = pi/2 - atan(c) - atan((1 - a c) / (a + c)), c = j / 8
    // nearest 1 / a; 1 - a c and a + c are exact (a < 16 when c > 0).
    const int j = static_cast<int>(std::floor(8.0 / a + 0.5));
    const double c = j * 0.125;
    const double t = (1.0 - a * c) / (a + c);
    r = kAtanEighthsComplement[j].hi + (kAtanEighthsComplement[j].lo - atan_small(t));
  }
  return x < 0.0f ? -r : r;
}

double log_estimate(float x) {
  // x = 2^e m with m in [sqrt(1/2), sqrt(2)); a subnormal float is a
  // normal double.
  const std::uint64_t u = bits_of(static_cast<double>(x));
  int e = static_cast<int>(u >> 52) - 1023;
  std::uint64_t mbits = (u & 0x000fffffffffffffULL) | 0x3ff0000000000000ULL;
  if (mbits > 0x3ff6a09e667f3bcdULL) {  // above sqrt(2)
    mbits -= 0x0010000000000000ULL;
    ++e;
  }
  const double f = double_of(mbits) - 1.0;  // exact
  // log(m) = 2 atanh(s), s = f / (2 + f), |s| < 0.1716; the series to s^23
  // leaves less than 2^-59 of it out.
  const double s = f / (2.0 + f);
  const double z = s * s;
  double p = 2.0 / 23.0;
  p = 2.0 / 21.0 + z * p;
  p = 2.0 / 19.0 + z * p;
  p = 2.0 / 17.0 + z * p;
  p = 2.0 / 15.0 + z * p;
  p = 2.0 / 13.0 + z * p;
  p = 2.0 / 11.0 + z * p;
  p = 2.0 / 9.0 + z * p;
  p = 2.0 / 7.0 + z * p;
  p = 2.0 / 5.0 + z * p;
  p = 2.0 / 3.0 + z * p;
  const double log_m = 2.0 * s + s * (z * p);
  const double ed = static_cast<double>(e);
  return ed * kLn2Hi + (ed * kLn2Lo + log_m);
}

double exp_estimate(float x) {
  // x = k ln 2 + r, |r| <= ln(2) / 2. x - k kLn2Hi is exact: for k != 0 x
  // is a multiple of 2^-25 and k kLn2Hi of 2^-32, and their difference is
  // below 1 in size.
  const double xd = static_cast<double>(x);
  const double kd = std::floor(xd * kInvLn2 + 0.5);
  const double r = (xd - kd * kLn2Hi) - kd * kLn2Lo;
  // exp(r) - 1 by Taylor's series to r^14 (the rest is below 2^-58).
  double p = 1.0 / 87178291200.0;
  p = 1.0 / 6227020800.0 + r * p;
  p = 1.0 / 479001600.0 + r * p;
  p = 1.0 / 39916800.0 + r * p;
  p = 1.0 / 3628800.0 + r * p;
  p = 1.0 / 362880.0 + r * p;
  p = 1.0 / 40320.0 + r * p;
  p = 1.0 / 5040.0 + r * p;
  p = 1.0 / 720.0 + r * p;
  p = 1.0 / 120.0 + r * p;
  p = 1.0 / 24.0 + r * p;
  p = 1.0 / 6.0 + r * p;
  p = 0.5 + r * p;
  const double em1 = r + r * (r * p);
  return (1.0 + em1) * power_of_two(static_cast<int>(kd));
}

}  // namespace detail

float atanf(float x) {
  const float ax = x < 0.0f ? -x : x;
  if (!(ax <= std::numeric_limits<float>::max())) {
    if (x != x) return x;
    return x < 0.0f ? -0x1.921fb6p+0f : 0x1.921fb6p+0f;
  }
  // Below 2^-12, atan(x) = x - x^3/3 + ... lies within a quarter of an ulp
  // of x, on the side of 0, so it rounds to x (zeros and subnormals too).
  if (ax < 0x1p-12f) return x;
  return settle(kAtanExceptions, x, detail::atan_estimate(x));
}

float logf(float x) {
  if (x != x) return x;
  if (x < 0.0f) return std::numeric_limits<float>::quiet_NaN();
  if (x == 0.0f) return -std::numeric_limits<float>::infinity();
  if (x == std::numeric_limits<float>::infinity()) return x;
  return settle(kLogExceptions, x, detail::log_estimate(x));
}

float expf(float x) {
  if (x != x) return x;
  // exp(89) is above the largest float, exp(-104) below half the smallest
  // subnormal; +-inf fall here too.
  if (x > 89.0f) return std::numeric_limits<float>::infinity();
  if (x < -104.0f) return 0.0f;
  return settle(kExpExceptions, x, detail::exp_estimate(x));
}

}  // namespace lumo::num
