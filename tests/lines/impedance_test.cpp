#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "lines/lines.h"
#include "rounded.h"

namespace lumo {
namespace {

using testing::rounded;

struct Constants {
  float zo, ccap, cind;
};

Constants line_constants_of(float b, float d, float er) {
  Constants c{};
  lmzo(b, d, er, c.zo);
  lmcap(b, d, er, c.zo, c.ccap, c.cind);
  return c;
}

TEST(LineConstants, ReferenceLines) {
  const Constants ptfe = line_constants_of(0.25f, 0.1f, 2.1f);
  EXPECT_EQ(rounded(ptfe.zo, 3), "37.912");
  EXPECT_EQ(rounded(ptfe.ccap, 3), "3.239");
  EXPECT_EQ(rounded(ptfe.cind, 3), "4.655");

  // ln(b/d) = 1 leaves the bare factor eta / (2 pi) of an air line.
  const Constants air = line_constants_of(2.7182817f, 1.0f, 1.0f);
  EXPECT_EQ(rounded(air.zo, 3), "59.958");
  EXPECT_EQ(rounded(air.cind, 3), "5.080");
}

TEST(LineConstants, CapacitanceClampLeavesInductanceAlone) {
  const Constants thin = line_constants_of(1.0001f, 1.0f, 1.0f);
  EXPECT_EQ(thin.ccap, 9999.99f);
  // The inductance comes from the unclamped capacitance: about 0.0005.
  EXPECT_NEAR(thin.cind, 0.0005f, 0.00005f);
}

TEST(LineConstants, InductanceClampIsIndependentAndStrict) {
  // cind grows with the zo handed in; walk zo across the clamp one float
  // at a time. Nothing may exceed 9999.99, the clamp must be reached, and
  // values just below it must come through unchanged.
  float ccap = 0, cind = 0;
  lmcap(0.25f, 0.1f, 1.0f, 1.0f, ccap, cind);
  const float ccap_alone = ccap;
  float zo = std::sqrt(9999.99f / cind) * 0.9999f;
  float below = 0;
  int clamped = 0;
  for (int i = 0; i < 4000; ++i, zo = std::nextafter(zo, 1e9f)) {
    lmcap(0.25f, 0.1f, 1.0f, zo, ccap, cind);
    EXPECT_EQ(ccap, ccap_alone);
    ASSERT_LE(cind, 9999.99f);
    if (cind == 9999.99f)
      ++clamped;
    else
      below = std::max(below, cind);
  }
  EXPECT_GT(clamped, 0);
  EXPECT_GT(below, 9999.98f);
}

TEST(LineConstants, DependOnDiametersOnlyThroughTheirRatio) {
  const float ratios[][2] = {{0.25f, 0.1f}, {1.0f, 0.4348f}, {3.5f, 0.2f}, {0.011f, 0.007f}};
  for (const auto& bd : ratios) {
    for (const float er : {1.0f, 2.1f, 9.8f}) {
      const Constants base = line_constants_of(bd[0], bd[1], er);
      for (const float k : {0.0625f, 2.0f, 1024.0f}) {
        const Constants scaled = line_constants_of(bd[0] * k, bd[1] * k, er);
        EXPECT_EQ(scaled.zo, base.zo);
        EXPECT_EQ(scaled.ccap, base.ccap);
        EXPECT_EQ(scaled.cind, base.cind);
      }
      const Constants tripled = line_constants_of(bd[0] * 3, bd[1] * 3, er);
      EXPECT_NEAR(tripled.zo, base.zo, base.zo * 2e-6f);
      EXPECT_NEAR(tripled.ccap, base.ccap, base.ccap * 2e-6f);
      EXPECT_NEAR(tripled.cind, base.cind, base.cind * 4e-6f);
    }
  }
}

}  // namespace
}  // namespace lumo
