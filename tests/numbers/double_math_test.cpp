// Lumo's double functions within 1 ulp of long double over seeded random
// arguments across each domain and at its edges, and their special values.
#include "numbers/double_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

namespace num = lumo::num;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// |got - exact| in ulps of the double nearest `exact`.
long double ulps(double got, long double exact) {
  const double nearest = static_cast<double>(exact);
  if (got == nearest) return 0.0L;
  if (!std::isfinite(got) || !std::isfinite(nearest)) return kInf;
  int e = 0;
  std::frexp(nearest == 0.0 ? std::numeric_limits<double>::denorm_min() : nearest, &e);
  const long double ulp = std::ldexp(1.0L, std::max(e - 53, -1074));
  return std::fabs(static_cast<long double>(got) - exact) / ulp;
}

struct Special {
  const char* what;
  double got;
  double expected;  // NaN: any NaN; a zero's sign counts
};

// Exact values, and the doubles nearest exact values worked out in 300-bit
// arithmetic.
TEST(DoubleMath, SpecialValues) {
  const double dmin = std::numeric_limits<double>::denorm_min();
  const double dmax = std::numeric_limits<double>::max();
  const Special cases[] = {
      {"log(+0)", num::log(0.0), -kInf},
      {"log(-0)", num::log(-0.0), -kInf},
      {"log(-1)", num::log(-1.0), kNaN},
      {"log(+inf)", num::log(kInf), kInf},
      {"log(1)", num::log(1.0), 0.0},
      {"log(smallest subnormal)", num::log(dmin), -0x1.74385446d71c3p+9},
      {"log10(1000)", num::log10(1000.0), 3.0},
      {"log10(1e22)", num::log10(1e22), 22.0},
      {"log10(0.001)", num::log10(0.001), -3.0},
      {"log10(-0)", num::log10(-0.0), -kInf},
      {"log1p(-1)", num::log1p(-1.0), -kInf},
      {"log1p(-2)", num::log1p(-2.0), kNaN},
      {"log1p(-0)", num::log1p(-0.0), -0.0},
      {"log1p(2^-60)", num::log1p(0x1p-60), 0x1p-60},
      {"exp(-0)", num::exp(-0.0), 1.0},
      {"exp(-inf)", num::exp(-kInf), 0.0},
      {"exp(+inf)", num::exp(kInf), kInf},
      {"exp, last finite", num::exp(0x1.62e42fefa39efp+9), 0x1.fffffffffff2ap+1023},
      {"exp, first overflow", num::exp(0x1.62e42fefa39f0p+9), kInf},
      {"exp, last nonzero", num::exp(-0x1.74910d52d3051p+9), dmin},
      {"exp, first zero", num::exp(-0x1.74910d52d3052p+9), 0.0},
      {"sinh(-0)", num::sinh(-0.0), -0.0},
      {"sinh(-inf)", num::sinh(-kInf), -kInf},
      {"sinh(711)", num::sinh(711.0), kInf},
      {"cosh(-inf)", num::cosh(-kInf), kInf},
      {"cosh(0)", num::cosh(0.0), 1.0},
      {"pow(NaN, 0)", num::pow(kNaN, 0.0), 1.0},
      {"pow(1, NaN)", num::pow(1.0, kNaN), 1.0},
      {"pow(-0, -3)", num::pow(-0.0, -3.0), -kInf},
      {"pow(-0, -2)", num::pow(-0.0, -2.0), kInf},
      {"pow(-0, 3)", num::pow(-0.0, 3.0), -0.0},
      {"pow(-inf, 3)", num::pow(-kInf, 3.0), -kInf},
      {"pow(-inf, -3)", num::pow(-kInf, -3.0), -0.0},
      {"pow(-1, inf)", num::pow(-1.0, kInf), 1.0},
      {"pow(0.5, -inf)", num::pow(0.5, -kInf), kInf},
      {"pow(2, -inf)", num::pow(2.0, -kInf), 0.0},
      {"pow(-8, 1/3)", num::pow(-8.0, 1.0 / 3.0), kNaN},
      {"pow(-2, 3)", num::pow(-2.0, 3.0), -8.0},
      {"pow(10, 22)", num::pow(10.0, 22.0), 1e22},
      {"pow(10, -3)", num::pow(10.0, -3.0), 0x1.0624dd2f1a9fcp-10},
      {"pow(10, -300)", num::pow(10.0, -300.0), 0x1.56e1fc2f8f359p-997},
      {"pow(2, 1024)", num::pow(2.0, 1024.0), kInf},
      {"pow(2, -1074)", num::pow(2.0, -1074.0), dmin},
      {"hypot(inf, NaN)", num::hypot(kInf, kNaN), kInf},
      {"hypot(NaN, 1)", num::hypot(kNaN, 1.0), kNaN},
      {"hypot(3, -4)", num::hypot(3.0, -4.0), 5.0},
      {"hypot of subnormals", num::hypot(3 * dmin, 4 * dmin), 5 * dmin},
      {"hypot(1e300, 1e300)", num::hypot(1e300, 1e300), 0x1.0e4d50f99b211p+997},
      {"hypot(max, max)", num::hypot(dmax, dmax), kInf},
      {"sin(-0)", num::sin(-0.0), -0.0},
      {"sin(inf)", num::sin(kInf), kNaN},
      {"sin(pi)", num::sin(0x1.921fb54442d18p+1), 0x1.1a62633145c07p-53},
      {"sin(1e6)", num::sin(1e6), -0x1.6664b2568d867p-2},
      {"cos(1e6)", num::cos(1e6), 0x1.df9df9906d32cp-1},
      {"cos(NaN)", num::cos(kNaN), kNaN},
      {"atan2(+0, -0)", num::atan2(0.0, -0.0), 0x1.921fb54442d18p+1},
      {"atan2(-0, -0)", num::atan2(-0.0, -0.0), -0x1.921fb54442d18p+1},
      {"atan2(-0, +0)", num::atan2(-0.0, 0.0), -0.0},
      {"atan2(1, -0)", num::atan2(1.0, -0.0), 0x1.921fb54442d18p+0},
      {"atan2(inf, -inf)", num::atan2(kInf, -kInf), 0x1.2d97c7f3321d2p+1},
      {"atan2(-1, -inf)", num::atan2(-1.0, -kInf), -0x1.921fb54442d18p+1},
      {"atan2(1, inf)", num::atan2(1.0, kInf), 0.0},
      {"atan2(1, -1)", num::atan2(1.0, -1.0), 0x1.2d97c7f3321d2p+1},
      {"atan2(1e-300, 1)", num::atan2(1e-300, 1.0), 1e-300},
      {"atan2(-1e-300, -1)", num::atan2(-1e-300, -1.0), -0x1.921fb54442d18p+1},
  };
  for (const Special& c : cases) {
    if (std::isnan(c.expected)) {
      EXPECT_TRUE(std::isnan(c.got)) << c.what;
    } else {
      EXPECT_EQ(c.got, c.expected) << c.what << ": " << std::hexfloat << c.got;
      EXPECT_EQ(std::signbit(c.got), std::signbit(c.expected)) << c.what;
    }
  }
}

// A generator of one argument pair.
using Draw = void (*)(std::mt19937_64&, double&, double&);

double uniform(std::mt19937_64& g, double lo, double hi) {
  return std::uniform_real_distribution<double>(lo, hi)(g);
}
// 2^u for u uniform in [lo, hi]: every binade alike.
double binades(std::mt19937_64& g, double lo, double hi) { return std::exp2(uniform(g, lo, hi)); }
double either_sign(std::mt19937_64& g, double v) { return (g() & 1) != 0 ? -v : v; }

struct Domain {
  const char* what;
  double (*ours)(double, double);
  long double (*exact)(long double, long double);
  Draw draw;
};

const Domain kDomains[] = {
    {"log, all positive doubles", [](double x, double) { return num::log(x); },
     [](long double x, long double) { return logl(x); },
     [](std::mt19937_64& g, double& x, double&) { x = binades(g, -1074.0, 1023.99); }},
    {"log near 1", [](double x, double) { return num::log(x); },
     [](long double x, long double) { return logl(x); },
     [](std::mt19937_64& g, double& x, double&) {
       x = 1.0 + either_sign(g, binades(g, -53.0, -1.0));
     }},
    {"log10, all positive doubles", [](double x, double) { return num::log10(x); },
     [](long double x, long double) { return log10l(x); },
     [](std::mt19937_64& g, double& x, double&) { x = binades(g, -1074.0, 1023.99); }},
    {"log1p, -1 to 2^1024", [](double x, double) { return num::log1p(x); },
     [](long double x, long double) { return log1pl(x); },
     [](std::mt19937_64& g, double& x, double&) {
       x = (g() & 1) != 0 ? -binades(g, -60.0, -1e-9) : binades(g, -60.0, 1023.99);
     }},
    {"exp, -745 to 709.7", [](double x, double) { return num::exp(x); },
     [](long double x, long double) { return expl(x); },
     [](std::mt19937_64& g, double& x, double&) { x = uniform(g, -745.1, 709.78); }},
    {"exp, small", [](double x, double) { return num::exp(x); },
     [](long double x, long double) { return expl(x); },
     [](std::mt19937_64& g, double& x, double&) { x = either_sign(g, binades(g, -60.0, 0.0)); }},
    {"sinh, -710 to 710", [](double x, double) { return num::sinh(x); },
     [](long double x, long double) { return sinhl(x); },
     [](std::mt19937_64& g, double& x, double&) { x = uniform(g, -710.4, 710.4); }},
    {"sinh, small", [](double x, double) { return num::sinh(x); },
     [](long double x, long double) { return sinhl(x); },
     [](std::mt19937_64& g, double& x, double&) { x = either_sign(g, binades(g, -30.0, 5.0)); }},
    {"cosh, -710 to 710", [](double x, double) { return num::cosh(x); },
     [](long double x, long double) { return coshl(x); },
     [](std::mt19937_64& g, double& x, double&) { x = uniform(g, -710.4, 710.4); }},
    {"cosh, small", [](double x, double) { return num::cosh(x); },
     [](long double x, long double) { return coshl(x); },
     [](std::mt19937_64& g, double& x, double&) { x = either_sign(g, binades(g, -30.0, 5.0)); }},
    {"pow, 10 to the -320 .. 308", [](double x, double y) { return num::pow(x, y); },
     [](long double x, long double y) { return powl(x, y); },
     [](std::mt19937_64& g, double& x, double& y) {
       x = 10.0;
       y = uniform(g, -320.0, 308.0);
     }},
    {"pow, any positive base, results over the whole range",
     [](double x, double y) { return num::pow(x, y); },
     [](long double x, long double y) { return powl(x, y); },
     [](std::mt19937_64& g, double& x, double& y) {
       x = binades(g, -1074.0, 1023.99);
       y = uniform(g, -740.0, 705.0) / std::log(x);
     }},
    {"pow, negative base, integer exponent", [](double x, double y) { return num::pow(x, y); },
     [](long double x, long double y) { return powl(x, y); },
     [](std::mt19937_64& g, double& x, double& y) {
       x = -binades(g, -4.0, 4.0);
       y = std::floor(uniform(g, -200.0, 200.0));
     }},
    {"hypot, any finite pair", [](double x, double y) { return num::hypot(x, y); },
     [](long double x, long double y) { return hypotl(x, y); },
     [](std::mt19937_64& g, double& x, double& y) {
       x = either_sign(g, binades(g, -1074.0, 1023.99));
       y = either_sign(g, x * binades(g, -70.0, 70.0));
     }},
    {"sin, |x| < 2^28 pi/2", [](double x, double) { return num::sin(x); },
     [](long double x, long double) { return sinl(x); },
     [](std::mt19937_64& g, double& x, double&) { x = uniform(g, -4.2e8, 4.2e8); }},
    {"sin, small", [](double x, double) { return num::sin(x); },
     [](long double x, long double) { return sinl(x); },
     [](std::mt19937_64& g, double& x, double&) { x = either_sign(g, binades(g, -30.0, 4.0)); }},
    {"cos, |x| < 2^28 pi/2", [](double x, double) { return num::cos(x); },
     [](long double x, long double) { return cosl(x); },
     [](std::mt19937_64& g, double& x, double&) { x = uniform(g, -4.2e8, 4.2e8); }},
    {"cos, small", [](double x, double) { return num::cos(x); },
     [](long double x, long double) { return cosl(x); },
     [](std::mt19937_64& g, double& x, double&) { x = either_sign(g, binades(g, -30.0, 4.0)); }},
    {"atan2, any finite pair", [](double y, double x) { return num::atan2(y, x); },
     [](long double y, long double x) { return atan2l(y, x); },
     [](std::mt19937_64& g, double& y, double& x) {
       y = either_sign(g, binades(g, -1074.0, 1023.99));
       x = either_sign(g, y * binades(g, -60.0, 60.0));
     }},
};

TEST(DoubleMath, WithinOneUlpOfLongDouble) {
  if (sizeof(long double) <= sizeof(double)) GTEST_SKIP() << "needs a wider long double";
  constexpr int kCount = 100'000;
  std::mt19937_64 rng(19);
  for (const Domain& d : kDomains) {
    long double worst = 0.0L;
    double worst_x = 0.0;
    double worst_y = 0.0;
    for (int i = 0; i < kCount; ++i) {
      double x = 0.0;
      double y = 0.0;
      d.draw(rng, x, y);
      const long double exact = d.exact(x, y);
      if (std::fabs(exact) > std::numeric_limits<double>::max()) continue;  // overflows
      const long double e = ulps(d.ours(x, y), exact);
      if (e > worst) {
        worst = e;
        worst_x = x;
        worst_y = y;
      }
    }
    EXPECT_LT(worst, 1.0L) << d.what << ": " << static_cast<double>(worst) << " ulp at "
                           << std::hexfloat << worst_x << ", " << worst_y;
  }
}

}  // namespace
