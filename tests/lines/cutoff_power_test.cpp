#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "lines/lines.h"
#include "rounded.h"

namespace lumo {
namespace {

using testing::rounded;

float cutoff(float b, float d, float er) {
  float temode = 0;
  lmmode(b, d, er, temode);
  return temode;
}

float power(float b, float d, float er) {
  float pkpwr = 0;
  lmpwr(b, d, er, pkpwr);
  return pkpwr;
}

TEST(CutoffAndPower, ReferenceLines) {
  EXPECT_EQ(rounded(cutoff(0.25f, 0.1f, 2.1f), 3), "14.815");
  EXPECT_EQ(rounded(power(0.25f, 0.1f, 2.1f), 3), "3.785");
  EXPECT_EQ(rounded(cutoff(1.0f, 0.4348f, 1.0f), 3), "5.237");
  EXPECT_EQ(rounded(power(1.0f, 0.4348f, 1.0f), 3), "44.884");
  EXPECT_EQ(rounded(power(30.0f, 10.0f, 1.0f), 2), "31316.96");
}

TEST(CutoffAndPower, ClampsAtTheLargestPrintableValue) {
  EXPECT_EQ(cutoff(0.0002f, 0.0001f, 1.0f), 9999.99f);
  EXPECT_EQ(power(60.0f, 20.0f, 1.0f), 99999.99f);
}

// Walks the outer diameter across a clamp one float at a time: nothing may
// exceed the clamp, it must be reached, and values just below it pass
// unchanged.
template <typename Routine>
void expect_strict_clamp(Routine routine, float b, float d, float clamp, float just_below) {
  float below = 0;
  int clamped = 0;
  for (int i = 0; i < 6000; ++i, b = std::nextafter(b, 1e9f)) {
    const float v = routine(b, d, 1.0f);
    ASSERT_LE(v, clamp);
    if (v == clamp)
      ++clamped;
    else
      below = std::max(below, v);
  }
  EXPECT_GT(clamped, 0);
  EXPECT_GT(below, just_below);
}

TEST(CutoffAndPower, ClampsAreStrictlyGreaterThan) {
  // Cut-off 9999.99 GHz needs b + d of about 7.514e-4 inch in air.
  expect_strict_clamp(cutoff, 0.0005012f, 0.00025f, 9999.99f, 9999.98f);
  // 99999.99 kW on a 10-inch inner conductor needs ln(b/d) of about 3.508.
  expect_strict_clamp(power, 333.77f, 10.0f, 99999.99f, 99999.98f);
}

TEST(CutoffAndPower, ScaleWithTheDiameters) {
  const float lines[][3] = {{0.25f, 0.1f, 2.1f}, {1.0f, 0.4348f, 1.0f}, {0.141f, 0.036f, 4.5f}};
  for (const auto& l : lines) {
    const float mode = cutoff(l[0], l[1], l[2]);
    const float pwr = power(l[0], l[1], l[2]);
    for (const float k : {0.25f, 2.0f, 8.0f}) {
      EXPECT_EQ(cutoff(l[0] * k, l[1] * k, l[2]), mode / k);
      EXPECT_EQ(power(l[0] * k, l[1] * k, l[2]), pwr * k * k);
    }
    EXPECT_NEAR(cutoff(l[0] * 3, l[1] * 3, l[2]), mode / 3, mode * 1e-6f);
  }
  // The cut-off sees only the sum of the diameters (both sums exact here).
  EXPECT_EQ(cutoff(0.3125f, 0.0625f, 2.1f), cutoff(0.25f, 0.125f, 2.1f));
  EXPECT_EQ(cutoff(0.3125f, 0.0625f, 2.1f), cutoff(0.375f, 0.0f, 2.1f));
}

}  // namespace
}  // namespace lumo
