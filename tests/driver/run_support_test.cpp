// Sweep points and labels.
#include "driver/run_support.h"

#include <gtest/gtest.h>

#include <limits>

namespace lumo::testing {
namespace {

TEST(SweepPoint, FormedFromTheIndexNotAccumulated) {
  // Adding 0.1f ten times in single precision gives 2.0000002; the index
  // form gives 2 exactly.
  float sum = 1.0f;
  for (int i = 0; i < 10; ++i) sum += 0.1f;
  EXPECT_NE(sum, 2.0f);
  EXPECT_EQ(sweep_point(1.0f, 0.1f, 10), 2.0f);
  EXPECT_EQ(sweep_point(0.05f, 0.05f, 1), 0.1f);
  EXPECT_EQ(sweep_point(200.0f, 100.0f, 3), 500.0f);
}

TEST(SweepPoint, RowZeroIsTheMinimumEvenForAnInfiniteStep) {
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(sweep_point(1.5f, inf, 0), 1.5f);
  EXPECT_EQ(sweep_point(1.5f, inf, 1), inf);
}

TEST(SweepPoint, LargeIndexDoesNotOverflowTheIntermediate) {
  EXPECT_EQ(sweep_point(0.0001f, 1e-9f, 2147483647),
            static_cast<float>(double(0.0001f) + 2147483647.0 * double(1e-9f)));
}

TEST(Label, PadsWithBlanksAndCutsAtTwenty) {
  Text20 t = label("Frequency");
  EXPECT_EQ(std::string(t.data(), t.size()), "Frequency           ");
  t = label("abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(std::string(t.data(), t.size()), "abcdefghijklmnopqrst");
}

}  // namespace
}  // namespace lumo::testing
