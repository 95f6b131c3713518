// Lumo's atanf, logf and expf against exact bits at every special value and
// hard case, and against long double on seeded random inputs.
#include "numbers/float_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>

namespace {

using lumo::num::atanf;
using lumo::num::expf;
using lumo::num::logf;

float from_bits(std::uint32_t u) {
  float x = 0.0f;
  std::memcpy(&x, &u, sizeof x);
  return x;
}

std::uint32_t bits(float x) {
  std::uint32_t u = 0;
  std::memcpy(&u, &x, sizeof u);
  return u;
}

// The sanitizers slow each call several times over.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

constexpr std::uint32_t kNaN = 0x7fc00000u;

struct Case {
  const char* what;
  float (*f)(float);
  std::uint32_t x;
  std::uint32_t expected;  // kNaN: any NaN
};

// Expected bits are the exact values rounded to float, worked out in
// 200-bit arithmetic.
const Case kCases[] = {
    {"atan +0", atanf, 0x00000000u, 0x00000000u},
    {"atan -0", atanf, 0x80000000u, 0x80000000u},
    {"atan smallest subnormal", atanf, 0x00000001u, 0x00000001u},
    {"atan largest subnormal", atanf, 0x807fffffu, 0x807fffffu},
    {"atan below 2^-12, returned as is", atanf, 0x397fffffu, 0x397fffffu},
    {"atan 2^-12, evaluated", atanf, 0x39800000u, 0x39800000u},
    {"atan 1 = pi/4", atanf, 0x3f800000u, 0x3f490fdbu},
    {"atan 16, the last reduction by 1/16", atanf, 0x41800000u, 0x3fc11284u},
    {"atan 2^26", atanf, 0x4c800000u, 0x3fc90fdbu},
    {"atan largest float", atanf, 0x7f7fffffu, 0x3fc90fdbu},
    {"atan +inf", atanf, 0x7f800000u, 0x3fc90fdbu},
    {"atan -inf", atanf, 0xff800000u, 0xbfc90fdbu},
    {"atan NaN", atanf, kNaN, kNaN},
    {"atan hard case, in the table", atanf, 0x3d8d6b23u, 0x3d8d31c3u},
    {"atan hard case, negative", atanf, 0xbd8d6b23u, 0xbd8d31c3u},
    {"log +0", logf, 0x00000000u, 0xff800000u},
    {"log -0", logf, 0x80000000u, 0xff800000u},
    {"log -1", logf, 0xbf800000u, kNaN},
    {"log -inf", logf, 0xff800000u, kNaN},
    {"log smallest negative subnormal", logf, 0x80000001u, kNaN},
    {"log +inf", logf, 0x7f800000u, 0x7f800000u},
    {"log NaN", logf, kNaN, kNaN},
    {"log 1", logf, 0x3f800000u, 0x00000000u},
    {"log 1 + ulp", logf, 0x3f800001u, 0x33ffffffu},
    {"log 1 - ulp", logf, 0x3f7fffffu, 0xb3800000u},
    {"log 2", logf, 0x40000000u, 0x3f317218u},
    {"log smallest subnormal", logf, 0x00000001u, 0xc2ce8ed0u},
    {"log largest subnormal", logf, 0x007fffffu, 0xc2aeac50u},
    {"log smallest normal", logf, 0x00800000u, 0xc2aeac50u},
    {"log largest float", logf, 0x7f7fffffu, 0x42b17218u},
    {"log hard case 1", logf, 0x3c413d3au, 0xc08e158fu},
    {"log hard case 2, in the table", logf, 0x41178febu, 0x400fe5e7u},
    {"log hard case 3, in the table", logf, 0x4c5d65a5u, 0x418f034bu},
    {"log hard case 4, in the table", logf, 0x65d890d3u, 0x4254d1f9u},
    {"log hard case 5, in the table", logf, 0x6f31a8ecu, 0x42845a89u},
    {"exp +0", expf, 0x00000000u, 0x3f800000u},
    {"exp -0", expf, 0x80000000u, 0x3f800000u},
    {"exp +inf", expf, 0x7f800000u, 0x7f800000u},
    {"exp -inf", expf, 0xff800000u, 0x00000000u},
    {"exp NaN", expf, kNaN, kNaN},
    {"exp 2^-25, below the halfway point above 1", expf, 0x33000000u, 0x3f800000u},
    {"exp 2^-24, just above it", expf, 0x33800000u, 0x3f800001u},
    {"exp -2^-25", expf, 0xb3000000u, 0x3f800000u},
    {"exp -2^-24", expf, 0xb3800000u, 0x3f7fffffu},
    {"exp -2^-23", expf, 0xb4000000u, 0x3f7ffffeu},
    {"exp last finite", expf, 0x42b17217u, 0x7f7fff84u},
    {"exp first overflow", expf, 0x42b17218u, 0x7f800000u},
    {"exp 89, the overflow shortcut", expf, 0x42b20000u, 0x7f800000u},
    {"exp last normal result", expf, 0xc2aeac4fu, 0x00800026u},
    {"exp first subnormal result", expf, 0xc2aeac50u, 0x007fffe6u},
    {"exp last nonzero", expf, 0xc2cff1b4u, 0x00000001u},
    {"exp first zero", expf, 0xc2cff1b5u, 0x00000000u},
    {"exp -104, the underflow shortcut", expf, 0xc2d00000u, 0x00000000u},
};

TEST(FloatMath, SpecialValuesAndHardCases) {
  for (const Case& c : kCases) {
    const float y = c.f(from_bits(c.x));
    if (c.expected == kNaN) {
      EXPECT_TRUE(std::isnan(y)) << c.what;
    } else {
      EXPECT_EQ(bits(y), c.expected) << c.what << ": got " << std::hexfloat << y;
    }
  }
}

// A float whose bits lie uniformly between those of lo and hi (both of one
// sign), with a random sign when `either_sign`.
struct Domain {
  const char* name;
  float (*f)(float);
  long double (*reference)(long double);
  float lo;
  float hi;
  bool either_sign;
};

long double ref_atan(long double x) { return atanl(x); }
long double ref_log(long double x) { return logl(x); }
long double ref_exp(long double x) { return expl(x); }

TEST(FloatMath, RandomInputsMatchLongDouble) {
  if (sizeof(long double) <= sizeof(double)) GTEST_SKIP() << "needs a wider long double";
  constexpr int kCount = kSanitized ? 1'000'000 : 10'000'000;
  // Each domain is where the function is evaluated rather than settled by
  // a shortcut, out to the ends of that range.
  const Domain domains[] = {
      {"atanf", atanf, ref_atan, 0x1p-12f, 0x1p+27f, true},
      {"logf", logf, ref_log, 0x1p-149f, 0x1.fffffep+127f, false},
      {"expf", expf, ref_exp, 0x1p-30f, 104.0f, true},
  };
  std::mt19937_64 rng(19);
  for (const Domain& d : domains) {
    std::uniform_int_distribution<std::uint32_t> pick(bits(d.lo), bits(d.hi));
    int wrong = 0;
    for (int i = 0; i < kCount; ++i) {
      std::uint32_t u = pick(rng);
      if (d.either_sign) u |= static_cast<std::uint32_t>(rng() & 1) << 31;
      const float x = from_bits(u);
      const float expected = static_cast<float>(d.reference(static_cast<long double>(x)));
      if (bits(d.f(x)) != bits(expected) && ++wrong <= 5)
        ADD_FAILURE() << d.name << "(" << std::hexfloat << x << ") != " << expected;
    }
    EXPECT_EQ(wrong, 0) << d.name;
  }
}

}  // namespace
