// The entry rules: taking a numeric field, interpreting it, selection and
// name entries.
#include "textio/numeric_entry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace lumo {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

// The value a whole input line reads as; fails the test when malformed.
float value_of(std::string_view line) {
  NumericEntry e = parse_numeric(numeric_field(line));
  EXPECT_FALSE(e.malformed) << "line [" << line << "]";
  return e.value;
}

bool malformed(std::string_view line) { return parse_numeric(numeric_field(line)).malformed; }

TEST(NumericField, TakesThirteenColumnsUpToCommaOrCr) {
  EXPECT_EQ(numeric_field("1234567890.12345"), "1234567890.12");
  EXPECT_EQ(numeric_field("1,5"), "1");
  EXPECT_EQ(numeric_field("1,000"), "1");
  EXPECT_EQ(numeric_field("2.5\r"), "2.5");
  EXPECT_EQ(numeric_field(""), "");
  EXPECT_EQ(numeric_field(std::string(13, ' ') + "5"), std::string(13, ' '));
}

TEST(NumericEntry, BlankFieldsReadAsZero) {
  EXPECT_EQ(value_of(""), 0.0f);
  EXPECT_EQ(value_of("     "), 0.0f);
  EXPECT_EQ(value_of(std::string(13, ' ') + "5"), 0.0f);
  EXPECT_EQ(value_of("0.5" + std::string(10, ' ') + "abc"), 0.5f);
}

TEST(NumericEntry, PlainForms) {
  EXPECT_EQ(value_of("5"), 5.0f);
  EXPECT_EQ(value_of("5."), 5.0f);
  EXPECT_EQ(value_of(".5"), 0.5f);
  EXPECT_EQ(value_of("+5"), 5.0f);
  EXPECT_EQ(value_of("-.5"), -0.5f);
  EXPECT_EQ(value_of("  - 2.5"), -2.5f);
  EXPECT_EQ(value_of("0.005"), 0.005f);
  EXPECT_EQ(value_of("1234567890.12345"), 1234567936.0f);  // cut, then rounded
}

TEST(NumericEntry, BlanksAreIgnoredNotZeros) {
  EXPECT_EQ(value_of("1 2"), 12.0f);
  EXPECT_EQ(value_of("1 000"), 1000.0f);
  EXPECT_EQ(value_of(" 1 . 5 e 2 "), 150.0f);
}

TEST(NumericEntry, CommaEndsTheField) {
  EXPECT_EQ(value_of("1,5"), 1.0f);
  EXPECT_EQ(value_of("1,000"), 1.0f);
  EXPECT_EQ(value_of(",7"), 0.0f);
}

TEST(NumericEntry, ExponentForms) {
  EXPECT_EQ(value_of("1e3"), 1000.0f);
  EXPECT_EQ(value_of("1E3"), 1000.0f);
  EXPECT_EQ(value_of("1d3"), 1000.0f);
  EXPECT_EQ(value_of("1D+3"), 1000.0f);
  EXPECT_EQ(value_of("1.5-3"), 0.0015f);
  EXPECT_EQ(value_of("2.5+2"), 250.0f);
  EXPECT_EQ(value_of("1e-2"), 0.01f);
  EXPECT_EQ(value_of("1e - 2"), 0.01f);
}

TEST(NumericEntry, NoMantissaDigitReadsAsZero) {
  EXPECT_EQ(value_of("E5"), 0.0f);
  EXPECT_EQ(value_of("."), 0.0f);
  EXPECT_EQ(value_of("-"), 0.0f);
  EXPECT_EQ(value_of("+"), 0.0f);
  EXPECT_EQ(value_of("-."), 0.0f);
}

TEST(NumericEntry, WrittenZerosKeepTheirSign) {
  EXPECT_TRUE(std::signbit(value_of("-0")));
  EXPECT_TRUE(std::signbit(value_of("-0.000")));
  EXPECT_FALSE(std::signbit(value_of("0")));
  EXPECT_FALSE(std::signbit(value_of("-")));
}

TEST(NumericEntry, OutOfRangeBecomesInfinityOrZero) {
  EXPECT_EQ(value_of("1e39"), kInf);
  EXPECT_EQ(value_of("-1e39"), -kInf);
  EXPECT_EQ(value_of("1e999999999"), kInf);
  EXPECT_EQ(value_of("1e-50"), 0.0f);
  EXPECT_TRUE(std::signbit(value_of("-1e-50")));
  EXPECT_EQ(value_of("0e99999"), 0.0f);
  EXPECT_EQ(value_of("1e-45"), std::numeric_limits<float>::denorm_min());
  EXPECT_EQ(value_of("3.4028235e38"), std::numeric_limits<float>::max());
  EXPECT_EQ(value_of("3.4028236e38"), kInf);
}

TEST(NumericEntry, ConversionIsCorrectlyRounded) {
  EXPECT_EQ(value_of("0.1"), 0.1f);
  EXPECT_EQ(value_of("9999999999999"), 9999999827968.0f);
  // 16777217 lies halfway between two floats: ties to even.
  EXPECT_EQ(value_of("16777217"), 16777216.0f);
  EXPECT_EQ(value_of("16777219"), 16777220.0f);
  // 1 + 2^-24 is a tie; one digit beyond it decides upwards.
  EXPECT_EQ(value_of("1.00000005961"), 1.00000012f);
  EXPECT_EQ(value_of("1.0000000596"), 1.0f);
}

TEST(NumericEntry, Words) {
  EXPECT_EQ(value_of("inf"), kInf);
  EXPECT_EQ(value_of("INFINITY"), kInf);
  EXPECT_EQ(value_of("-Inf"), -kInf);
  EXPECT_EQ(value_of("+ inf"), kInf);
  EXPECT_EQ(value_of("inf x"), kInf);
  EXPECT_TRUE(std::isnan(value_of("nan")));
  EXPECT_TRUE(std::isnan(value_of("NaN")));
  EXPECT_TRUE(std::isnan(value_of("nan(abc)")));
  EXPECT_TRUE(std::isnan(value_of("nan(a1) z")));
  EXPECT_TRUE(std::isnan(value_of("-nan")));
}

TEST(NumericEntry, MalformedWords) {
  EXPECT_TRUE(malformed("infx"));
  EXPECT_TRUE(malformed("in"));
  EXPECT_TRUE(malformed("inf(1)"));
  EXPECT_TRUE(malformed("infinity(x)"));
  EXPECT_TRUE(malformed("nan(a b)"));
  EXPECT_TRUE(malformed("nan(abc"));
  EXPECT_TRUE(malformed("nan(abc)x"));
  EXPECT_TRUE(malformed("nan(a.b)"));
  EXPECT_TRUE(malformed("inf $"));
  EXPECT_TRUE(malformed("nano"));
}

TEST(NumericEntry, MalformedNumbers) {
  EXPECT_TRUE(malformed("0.5 abc"));
  EXPECT_TRUE(malformed("1.2.3"));
  EXPECT_TRUE(malformed("1a"));
  EXPECT_TRUE(malformed("x"));
  EXPECT_TRUE(malformed("12$"));
  EXPECT_TRUE(malformed("1/2"));
  EXPECT_TRUE(malformed("1e"));
  EXPECT_TRUE(malformed("1e   "));
  EXPECT_TRUE(malformed("1D+"));
  EXPECT_TRUE(malformed("1.5-"));
  EXPECT_TRUE(malformed("e"));
  EXPECT_TRUE(malformed("1e1.5"));
  EXPECT_TRUE(malformed("1e5e"));
  EXPECT_TRUE(malformed("1--3"));
  EXPECT_TRUE(malformed("1\t2"));
  EXPECT_TRUE(malformed("\t1"));
  EXPECT_TRUE(malformed("1e\t2"));
}

TEST(NumericEntry, MalformedGivesZeroValue) {
  NumericEntry e = parse_numeric("1.2.3");
  EXPECT_TRUE(e.malformed);
  EXPECT_EQ(e.value, 0.0f);
}

TEST(SelectChoice, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(select_choice(1.5f), 2);
  EXPECT_EQ(select_choice(2.5f), 3);
  EXPECT_EQ(select_choice(1.49f), 1);
  EXPECT_EQ(select_choice(0.49f), 0);
  EXPECT_EQ(select_choice(0.5f), 1);
  EXPECT_EQ(select_choice(-0.5f), -1);
  EXPECT_EQ(select_choice(-2.5f), -3);
  EXPECT_EQ(select_choice(0.0f), 0);
  EXPECT_EQ(select_choice(-0.0f), 0);
  EXPECT_EQ(select_choice(3.0f), 3);
}

TEST(SelectChoice, HalfTestIsExact) {
  // 1 - 0.49999997 is not a float; a single-precision difference would
  // round it to 0.5 and select 1.
  EXPECT_EQ(select_choice(0.49999997f), 0);
  EXPECT_EQ(select_choice(8388607.5f), 8388608);
  EXPECT_EQ(select_choice(-8388607.5f), -8388608);
}

TEST(SelectChoice, OutOfRangeGivesMostNegative) {
  constexpr std::int32_t kNone = -2147483647 - 1;
  EXPECT_EQ(select_choice(1e10f), kNone);
  EXPECT_EQ(select_choice(-1e10f), kNone);
  EXPECT_EQ(select_choice(kInf), kNone);
  EXPECT_EQ(select_choice(-kInf), kNone);
  EXPECT_EQ(select_choice(std::numeric_limits<float>::quiet_NaN()), kNone);
  EXPECT_EQ(select_choice(2147483648.0f), kNone);
  EXPECT_EQ(select_choice(2147483904.0f), kNone);
  EXPECT_EQ(select_choice(2147483520.0f), 2147483520);
  EXPECT_EQ(select_choice(-2147483520.0f), -2147483520);
  EXPECT_EQ(select_choice(-2147483648.0f), kNone);
  EXPECT_EQ(select_choice(-2147483904.0f), kNone);
}

std::string name_text(std::string_view line) {
  Text20 t = name_field(line);
  return std::string(t.data(), t.size());
}

TEST(NameField, TwentyColumnsBlankPadded) {
  EXPECT_EQ(name_text("  out.txt"), "  out.txt           ");
  EXPECT_EQ(name_text("abcdefghijklmnopqrstuvwxy"), "abcdefghijklmnopqrst");
  EXPECT_EQ(name_text(""), std::string(20, ' '));
  EXPECT_EQ(name_text("a,b\tc"), "a,b\tc               ");
  EXPECT_EQ(name_text("run.dat\r"), "run.dat             ");
}

TEST(TrimTrailing, RemovesOnlyTrailingBlanks) {
  EXPECT_EQ(trim_trailing("  out.txt   "), "  out.txt");
  EXPECT_EQ(trim_trailing("    "), "");
  EXPECT_EQ(trim_trailing(name_field("x")), "x");
}

}  // namespace
}  // namespace lumo
