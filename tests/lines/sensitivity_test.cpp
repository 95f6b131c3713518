#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>

#include "lines/lines.h"
#include "rounded.h"

namespace lumo {
namespace {

using testing::rounded;

Lmsen1 sensitivities(float b, float d, float er, float zo = 0) {
  Lmsen1 out;
  lmsen(b, d, er, zo, out);
  return out;
}

TEST(Sensitivity, ReferenceLines) {
  const Lmsen1 ptfe = sensitivities(0.25f, 0.1f, 2.1f);
  EXPECT_EQ(rounded(ptfe.szob, 4), "1.0908");
  EXPECT_EQ(rounded(ptfe.szod, 4), "-1.0909");
  EXPECT_EQ(rounded(ptfe.szoer, 4), "-0.4997");
  const Lmsen1 air = sensitivities(1.0f, 0.4348f, 1.0f);
  EXPECT_EQ(rounded(air.szob, 4), "1.2000");
  EXPECT_EQ(rounded(air.szod, 4), "-1.2000");
  EXPECT_EQ(rounded(air.szoer, 4), "-0.4996");
}

TEST(Sensitivity, RestoresItsArgumentsBitForBitAndIgnoresZo) {
  const Lmsen1 reference = sensitivities(0.141f, 0.0359f, 2.33f);
  float b = 0.141f, d = 0.0359f, er = 2.33f;
  for (const float zo_in : {0.0f, -7.5f, 50.0f, 1e30f, std::numeric_limits<float>::quiet_NaN()}) {
    float zo = zo_in;
    Lmsen1 out;
    lmsen(b, d, er, zo, out);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(zo), std::bit_cast<std::uint32_t>(zo_in));
    EXPECT_EQ(out.szob, reference.szob);
    EXPECT_EQ(out.szod, reference.szod);
    EXPECT_EQ(out.szoer, reference.szoer);
  }
  EXPECT_EQ(b, 0.141f);
  EXPECT_EQ(d, 0.0359f);
  EXPECT_EQ(er, 2.33f);
}

TEST(Sensitivity, DependsOnDiametersOnlyThroughTheirRatio) {
  const Lmsen1 base = sensitivities(0.25f, 0.1f, 2.1f);
  for (const float k : {0.125f, 4.0f, 512.0f}) {
    const Lmsen1 scaled = sensitivities(0.25f * k, 0.1f * k, 2.1f);
    EXPECT_EQ(scaled.szob, base.szob);
    EXPECT_EQ(scaled.szod, base.szod);
    EXPECT_EQ(scaled.szoer, base.szoer);
  }
}

}  // namespace
}  // namespace lumo
