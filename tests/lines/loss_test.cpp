#include <gtest/gtest.h>

#include <limits>

#include "lines/lines.h"
#include "rounded.h"

namespace lumo {
namespace {

using testing::rounded;

// 1.72 micro-ohm-cm in ohm-inches, as the dialogue converts it.
constexpr float copper = 1.72f * 3.937008e-7f;

// The reference line: 0.25 / 0.1 inch, er 2.1, tan delta 0.0002, at 1 GHz.
Lmlos1 reference_line(float srb, float srd, float resb, float resd, float dltan = 0.0002f) {
  Lmlos1 out;
  lmloss(0.25f, 0.1f, 2.1f, srb, srd, resb, resd, dltan, 1.0f, out);
  return out;
}

TEST(Loss, SmoothCopperLine) {
  const Lmlos1 r = reference_line(0, 0, copper, copper);
  EXPECT_EQ(rounded(r.wl, 3), "11.803");
  EXPECT_EQ(rounded(r.wg, 3), "8.145");
  EXPECT_EQ(rounded(r.acd, 4), "0.0361");
  EXPECT_EQ(rounded(r.acb, 4), "0.0144");
  EXPECT_EQ(rounded(r.ad, 4), "0.0080");
  EXPECT_EQ(rounded(r.atot, 4), "0.0585");
  EXPECT_EQ(r.atot, (r.acb + r.acd) + r.ad);
}

TEST(Loss, RoughnessRaisesOnlyTheConductorLosses) {
  const Lmlos1 smooth = reference_line(0, 0, copper, copper);
  const Lmlos1 rough = reference_line(50e-6f, 50e-6f, copper, copper);
  EXPECT_EQ(rounded(rough.acd, 4), "0.0470");
  EXPECT_EQ(rounded(rough.acb, 4), "0.0188");
  EXPECT_EQ(rounded(rough.atot, 4), "0.0739");
  EXPECT_EQ(rough.ad, smooth.ad);
  EXPECT_EQ(rough.wl, smooth.wl);
  EXPECT_EQ(rough.wg, smooth.wg);
}

TEST(Loss, ZeroResistivitySkipsThatConductorOnly) {
  const Lmlos1 smooth = reference_line(0, 0, copper, copper);
  // Roughness on a conductor without resistivity must not divide by zero.
  const Lmlos1 no_outer = reference_line(50e-6f, 0, 0, copper);
  EXPECT_EQ(no_outer.acb, 0.0f);
  EXPECT_EQ(no_outer.acd, smooth.acd);
  EXPECT_EQ(no_outer.atot, smooth.acd + smooth.ad);
  const Lmlos1 no_inner = reference_line(0, 50e-6f, copper, 0);
  EXPECT_EQ(no_inner.acd, 0.0f);
  EXPECT_EQ(no_inner.acb, smooth.acb);
}

TEST(Loss, LosslessDielectricStillGivesWavelengths) {
  const Lmlos1 r = reference_line(0, 0, copper, copper, 0.0f);
  EXPECT_EQ(r.ad, 0.0f);
  EXPECT_EQ(rounded(r.wl, 3), "11.803");
  EXPECT_EQ(rounded(r.wg, 3), "8.145");
}

TEST(Loss, ZeroFrequencyGivesThePresetsAndComputesNothing) {
  // Start from a full record: every field must be rewritten. Inputs that
  // would poison any computation show that none is done.
  Lmlos1 r = reference_line(50e-6f, 50e-6f, copper, copper);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  lmloss(0.0f, 0.0f, nan, nan, nan, nan, nan, nan, 0.0f, r);
  EXPECT_EQ(r.acb, 0.0f);
  EXPECT_EQ(r.acd, 0.0f);
  EXPECT_EQ(r.ad, 0.0f);
  EXPECT_EQ(r.atot, 0.0f);
  EXPECT_EQ(r.wl, 999.999f);
  EXPECT_EQ(r.wg, 999.999f);
}

}  // namespace
}  // namespace lumo
