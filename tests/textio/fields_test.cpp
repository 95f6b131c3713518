// Fixed-point, integer and text fields, grouped by hazard. Expected fields
// are computed by hand from the exact binary value of each float.
#include "textio/fields.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace lumo {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(FixedField, LeadingZeroOnlyWhenAColumnIsFree) {
  EXPECT_EQ(fixed_field(0.1234f, 7, 4), " 0.1234");
  EXPECT_EQ(fixed_field(0.1234f, 6, 4), "0.1234");
  EXPECT_EQ(fixed_field(0.1234f, 5, 4), ".1234");
  EXPECT_EQ(fixed_field(-0.1234f, 7, 4), "-0.1234");
  EXPECT_EQ(fixed_field(-0.1234f, 6, 4), "-.1234");
  EXPECT_EQ(fixed_field(-0.1234f, 5, 4), "*****");
  EXPECT_EQ(fixed_field(0.4f, 3, 0), " 0.");
  EXPECT_EQ(fixed_field(0.4f, 1, 0), ".");
}

TEST(FixedField, SignSurvivesRoundingToZero) {
  EXPECT_EQ(fixed_field(0.0f, 8, 4), "  0.0000");
  EXPECT_EQ(fixed_field(-0.0f, 8, 4), " -0.0000");
  EXPECT_EQ(fixed_field(-0.00004f, 8, 4), " -0.0000");
  EXPECT_EQ(fixed_field(-0.00004f, 6, 4), "-.0000");
  EXPECT_EQ(fixed_field(-0.00004f, 5, 4), "*****");
  EXPECT_EQ(fixed_field(0.0006f, 5, 2), " 0.00");
  // The smallest subnormal, both signs.
  EXPECT_EQ(fixed_field(std::bit_cast<float>(0x00000001u), 8, 4), "  0.0000");
  EXPECT_EQ(fixed_field(std::bit_cast<float>(0x80000001u), 8, 4), " -0.0000");
}

TEST(FixedField, RoundsTheExactBinaryValueHalvesAwayFromZero) {
  EXPECT_EQ(fixed_field(0.125f, 5, 2), " 0.13");  // exact tie
  EXPECT_EQ(fixed_field(0.375f, 5, 2), " 0.38");  // exact tie, odd below
  EXPECT_EQ(fixed_field(-0.125f, 5, 2), "-0.13");
  EXPECT_EQ(fixed_field(0.03125f, 7, 4), " 0.0313");
  EXPECT_EQ(fixed_field(0.015625f, 8, 5), " 0.01563");
  EXPECT_EQ(fixed_field(2.5f, 3, 0), " 3.");
  EXPECT_EQ(fixed_field(-2.5f, 4, 0), " -3.");
  EXPECT_EQ(fixed_field(0.25f, 5, 1), "  0.3");
  EXPECT_EQ(fixed_field(2.675f, 6, 2), "  2.67");  // 2.67499995...
  EXPECT_EQ(fixed_field(0.35f, 5, 1), "  0.3");    // 0.34999999...
  EXPECT_EQ(fixed_field(0.05f, 4, 1), " 0.1");     // 0.0500000007...
  EXPECT_EQ(fixed_field(0.006f, 5, 2), " 0.01");
  // One step below a tie rounds down.
  EXPECT_EQ(fixed_field(std::nextafter(0.125f, 0.0f), 5, 2), " 0.12");
  EXPECT_EQ(fixed_field(std::nextafter(0.375f, 1.0f), 5, 2), " 0.38");
}

TEST(FixedField, NearTiesFarBelowOne) {
  // 9 decimals, the most of the fast path: 0x30097060 = 5.0000004e-10 rounds
  // up, the float below it, 4.99999986e-10, does not.
  EXPECT_EQ(fixed_field(std::bit_cast<float>(0x30097060u), 11, 9), "0.000000001");
  EXPECT_EQ(fixed_field(std::bit_cast<float>(0x3009705fu), 11, 9), "0.000000000");
  // 12 decimals: 9223373 * 2^-64 = 5.0000001e-13 rounds up; 9223372 * 2^-64
  // does not.
  float above = std::ldexp(9223373.0f, -64);
  float below = std::ldexp(9223372.0f, -64);
  EXPECT_EQ(fixed_field(above, 14, 12), "0.000000000001");
  EXPECT_EQ(fixed_field(below, 14, 12), "0.000000000000");
}

TEST(FixedField, CarryReachesTheIntegerPart) {
  EXPECT_EQ(fixed_field(0.99996f, 7, 4), " 1.0000");
  EXPECT_EQ(fixed_field(9.9996f, 6, 3), "10.000");
  EXPECT_EQ(fixed_field(9.9996f, 5, 3), "*****");
  EXPECT_EQ(fixed_field(99.99996f, 7, 4), "*******");
  EXPECT_EQ(fixed_field(-0.99996f, 7, 4), "-1.0000");
}

TEST(FixedField, WidthOverflowGivesAsterisks) {
  EXPECT_EQ(fixed_field(12345.678f, 8, 3), "********");
  EXPECT_EQ(fixed_field(1234.5678f, 8, 3), "1234.568");
  EXPECT_EQ(fixed_field(-1234.5678f, 8, 3), "********");
  EXPECT_EQ(fixed_field(1e20f, 11, 4), "***********");
  EXPECT_EQ(fixed_field(std::numeric_limits<float>::max(), 11, 3), "***********");
}

TEST(FixedField, LargeIntegersAreExact) {
  EXPECT_EQ(fixed_field(16777216.0f, 10, 1), "16777216.0");
  // The last float with a fraction and the first whole one above it, no decimals.
  EXPECT_EQ(fixed_field(8388607.5f, 9, 0), " 8388608.");
  EXPECT_EQ(fixed_field(8388608.0f, 9, 0), " 8388608.");
  EXPECT_EQ(fixed_field(1099511627776.0f, 15, 1), "1099511627776.0");                // 2^40
  EXPECT_EQ(fixed_field(18446744073709551616.0f, 22, 1), "18446744073709551616.0");  // 2^64
  EXPECT_EQ(fixed_field(std::numeric_limits<float>::max(), 45, 2),
            "   340282346638528859811704183484516925440.00");
}

TEST(FixedField, ManyDecimalsShowTheExactExpansion) {
  // 0.1f = 0.100000001490116119384765625
  EXPECT_EQ(fixed_field(0.1f, 20, 15), "   0.100000001490116");
  EXPECT_EQ(fixed_field(0.1f, 30, 27), " 0.100000001490116119384765625");
  EXPECT_EQ(fixed_field(0.1f, 28, 26), "0.10000000149011611938476563");
  EXPECT_EQ(fixed_field(-1e-30f, 20, 15), "  -0.000000000000000");
}

TEST(FixedField, NonFiniteWordsByWidth) {
  float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(fixed_field(nan, 8, 3), "     NaN");
  EXPECT_EQ(fixed_field(nan, 3, 1), "NaN");
  EXPECT_EQ(fixed_field(-nan, 5, 1), "  NaN");
  EXPECT_EQ(fixed_field(nan, 2, 1), "**");
  EXPECT_EQ(fixed_field(kInf, 10, 3), "  Infinity");
  EXPECT_EQ(fixed_field(kInf, 8, 3), "Infinity");
  EXPECT_EQ(fixed_field(kInf, 7, 3), "    Inf");
  EXPECT_EQ(fixed_field(kInf, 3, 1), "Inf");
  EXPECT_EQ(fixed_field(kInf, 2, 1), "**");
  EXPECT_EQ(fixed_field(-kInf, 10, 3), " -Infinity");
  EXPECT_EQ(fixed_field(-kInf, 9, 3), "-Infinity");
  EXPECT_EQ(fixed_field(-kInf, 8, 3), "    -Inf");
  EXPECT_EQ(fixed_field(-kInf, 4, 1), "-Inf");
  EXPECT_EQ(fixed_field(-kInf, 3, 1), "***");
  EXPECT_EQ(fixed_field(-kInf, 1, 0), "*");
}

TEST(FixedField, WritesExactlyItsColumns) {
  char buf[12];
  std::memset(buf, '#', sizeof buf);
  fixed_field(buf + 1, 1.5f, 7, 2);
  EXPECT_EQ(std::string(buf, sizeof buf), "#   1.50####");
}

TEST(IntField, RightJustifiedWithoutLeadingZeros) {
  EXPECT_EQ(int_field(6, 2), " 6");
  EXPECT_EQ(int_field(0, 2), " 0");
  EXPECT_EQ(int_field(2026, 4), "2026");
  EXPECT_EQ(int_field(-5, 2), "-5");
  EXPECT_EQ(int_field(-2147483647 - 1, 11), "-2147483648");
  EXPECT_EQ(int_field(2147483647, 10), "2147483647");
}

TEST(IntField, TooWideGivesAsterisks) {
  EXPECT_EQ(int_field(123, 2), "**");
  EXPECT_EQ(int_field(12, 1), "*");
  EXPECT_EQ(int_field(-5, 1), "*");
  EXPECT_EQ(int_field(-2147483647 - 1, 10), "**********");
}

TEST(TextField, CutsLongTextAndRightJustifiesShortText) {
  EXPECT_EQ(text_field("OUTER", 5), "OUTER");
  EXPECT_EQ(text_field("Sensitivity         ", 12), "Sensitivity ");
  EXPECT_EQ(text_field("Frequency           ", 12), "Frequency   ");
  EXPECT_EQ(text_field("INNER               ", 11), "INNER      ");
  EXPECT_EQ(text_field("ab", 5), "   ab");
  EXPECT_EQ(text_field("", 3), "   ");
}

}  // namespace
}  // namespace lumo
