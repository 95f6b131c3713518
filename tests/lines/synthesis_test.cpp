#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "lines/lines.h"
#include "rounded.h"

namespace lumo {
namespace {

using testing::rounded;

struct Synthesis {
  float b, d;
  std::int32_t isyne;
};

Synthesis synthesize(std::int32_t isyn, float b, float d, float er, float zo) {
  Synthesis s{b, d, -1};
  lmsyn(s.b, s.d, er, zo, isyn, s.isyne);
  return s;
}

TEST(Synthesis, RealizableDiameters) {
  const Synthesis inner = synthesize(1, 0.25f, 0.5f, 2.1f, 50.0f);
  EXPECT_EQ(inner.isyne, 0);
  EXPECT_EQ(inner.b, 0.25f);
  EXPECT_EQ(rounded(inner.d, 6), "0.074665");

  const Synthesis outer = synthesize(2, 7.0f, 0.1f, 2.1f, 50.0f);
  EXPECT_EQ(outer.isyne, 0);
  EXPECT_EQ(outer.d, 0.1f);
  EXPECT_EQ(rounded(outer.b, 6), "0.334829");

  const Synthesis lowest = synthesize(2, 7.0f, 0.1f, 1.0f, 0.01f);
  EXPECT_EQ(lowest.isyne, 0);
  EXPECT_EQ(rounded(lowest.b, 6), "0.100017");
}

TEST(Synthesis, ImpedanceWindowIsInclusiveAndWritesNothingOutside) {
  // isyn = 0 judges the pair as passed, so only the window decides here.
  EXPECT_EQ(synthesize(0, 0.25f, 0.1f, 1.0f, 0.01f).isyne, 0);
  EXPECT_EQ(synthesize(0, 0.25f, 0.1f, 1.0f, 999.99f).isyne, 0);
  const float under = std::nextafter(0.01f, 0.0f);
  const float over = std::nextafter(999.99f, 1e9f);
  EXPECT_EQ(synthesize(0, 0.25f, 0.1f, 1.0f, under).isyne, 1);
  EXPECT_EQ(synthesize(0, 0.25f, 0.1f, 1.0f, over).isyne, 1);
  for (const std::int32_t isyn : {1, 2}) {
    for (const float zo : {0.005f, 1000.0f}) {
      const Synthesis s = synthesize(isyn, 0.25f, 0.1f, 2.1f, zo);
      EXPECT_EQ(s.isyne, 1);
      EXPECT_EQ(s.b, 0.25f);
      EXPECT_EQ(s.d, 0.1f);
    }
    // ln(b/d) of 20.01 lies beyond the exponent limit.
    const Synthesis steep = synthesize(isyn, 0.25f, 0.1f, 4.0f, 600.0f);
    EXPECT_EQ(steep.isyne, 1);
    EXPECT_EQ(steep.b, 0.25f);
    EXPECT_EQ(steep.d, 0.1f);
  }
}

TEST(Synthesis, RefusedDiameterStaysWritten) {
  const Synthesis tiny = synthesize(1, 0.25f, 0.1f, 1.0f, 990.0f);
  EXPECT_EQ(tiny.isyne, 1);
  EXPECT_EQ(tiny.b, 0.25f);
  EXPECT_NEAR(tiny.d, 1.69e-8f, 0.01e-8f);

  const Synthesis huge = synthesize(2, 0.25f, 0.5f, 1.0f, 320.0f);
  EXPECT_EQ(huge.isyne, 1);
  EXPECT_EQ(huge.d, 0.5f);
  EXPECT_EQ(rounded(huge.b, 3), "103.947");
}

TEST(Synthesis, UnknownConductorJudgesThePairAsPassed) {
  const Synthesis kept = synthesize(0, 0.25f, 0.1f, 1.0f, 50.0f);
  EXPECT_EQ(kept.isyne, 0);
  EXPECT_EQ(kept.b, 0.25f);
  EXPECT_EQ(kept.d, 0.1f);
  EXPECT_EQ(synthesize(0, 0.1f, 0.1f, 1.0f, 50.0f).isyne, 1);       // d = b
  EXPECT_EQ(synthesize(0, 100.0f, 0.1f, 1.0f, 50.0f).isyne, 1);     // big b
  EXPECT_EQ(synthesize(0, 0.25f, 0.00009f, 1.0f, 50.0f).isyne, 1);  // tiny d
}

TEST(Synthesis, ScalesWithTheGivenDiameter) {
  for (const float zo : {25.0f, 50.0f, 75.0f, 140.0f}) {
    const Synthesis d1 = synthesize(1, 0.25f, 0, 2.1f, zo);
    const Synthesis b1 = synthesize(2, 0, 0.1f, 2.1f, zo);
    EXPECT_EQ(synthesize(1, 1.0f, 0, 2.1f, zo).d, d1.d * 4);
    EXPECT_EQ(synthesize(2, 0, 0.1f * 4, 2.1f, zo).b, b1.b * 4);
  }
}

}  // namespace
}  // namespace lumo
