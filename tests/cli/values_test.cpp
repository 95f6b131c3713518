// The command line's value parser: numbers with unit suffixes and sweeps,
// against values converted by hand and error texts written out in full.
#include <gtest/gtest.h>

#include <string>

#include "cli/quantity.h"

namespace lumo::cli {
namespace {

struct ValueCase {
  const char* text;
  Quantity q;
  float want;  // the single-precision field the value is stored in
};

TEST(Values, UnitsConvertToTheDefaultUnit) {
  const ValueCase cases[] = {
      {"0.2425", Quantity::kLength, 0.2425f},
      {"6.1595mm", Quantity::kLength, 0.2425f},     // 6.1595 / 25.4
      {" 6.1595 MM ", Quantity::kLength, 0.2425f},  // blanks, letter case
      {"242.5mil", Quantity::kLength, 0.2425f},
      {"6159.5um", Quantity::kLength, 0.2425f},
      {"0.2425In", Quantity::kLength, 0.2425f},
      {"500MHz", Quantity::kFrequency, 0.5f},
      {"2500000 khz", Quantity::kFrequency, 2.5f},
      {"+1e1GHZ", Quantity::kFrequency, 10.0f},
      {"0.254um", Quantity::kRoughness, 10.0f},  // 0.254 / 0.0254 micro-inches
      {"254nm", Quantity::kRoughness, 10.0f},
      {"10uin", Quantity::kRoughness, 10.0f},
      {".5", Quantity::kPlain, 0.5f},
      {"5.", Quantity::kPlain, 5.0f},
      {"-2E-3", Quantity::kPlain, -0.002f},
      {"3.4e38", Quantity::kPlain, 3.4e38f},  // the largest floats still fit
      {"1e36um", Quantity::kRoughness, 3.93700787e37f},
  };
  for (const ValueCase& c : cases) {
    const Parsed p = parse_quantity(c.text, c.q);
    ASSERT_TRUE(p.ok()) << c.text << ": " << p.error;
    EXPECT_EQ(static_cast<float>(p.value), c.want) << c.text;
  }
}

struct ErrorCase {
  const char* text;
  Quantity q;
  std::string error;
};

TEST(Values, ErrorsSayWhatIsAccepted) {
  const std::string length_form =
      "not a number; a length is a number with an optional unit in, mil, mm or um";
  const ErrorCase cases[] = {
      {"", Quantity::kLength, length_form},
      {"abc", Quantity::kLength, length_form},
      {"1.2.3", Quantity::kLength, length_form},
      {"5 m m", Quantity::kLength, length_form},
      {"nan", Quantity::kLength, length_form},
      {"inf", Quantity::kPlain, "not a number"},
      {"2ft", Quantity::kLength, "unknown unit 'ft'; a length takes in, mil, mm or um"},
      {"3 GHz", Quantity::kLength, "unknown unit 'GHz'; a length takes in, mil, mm or um"},
      {"5mm", Quantity::kFrequency, "unknown unit 'mm'; a frequency takes GHz, MHz or kHz"},
      {"1mil", Quantity::kRoughness, "unknown unit 'mil'; a roughness takes uin, um or nm"},
      {"3mm", Quantity::kPlain, std::string(kTakesNoUnit)},
      {"1e400", Quantity::kPlain, std::string(kOutOfRange)},
      {"3.5e38", Quantity::kPlain, std::string(kOutOfRange)},      // beyond the float range
      {"1e37um", Quantity::kRoughness, std::string(kOutOfRange)},  // 3.9e38 micro-inches
  };
  for (const ErrorCase& c : cases) {
    const Parsed p = parse_quantity(c.text, c.q);
    EXPECT_EQ(p.error, c.error) << c.text;
  }
}

TEST(Values, SweepsTakeThreePartsEachWithItsUnit) {
  const ParsedSweep s = parse_sweep("1GHz:18:500MHz", Quantity::kFrequency);
  ASSERT_TRUE(s.ok()) << s.error;
  EXPECT_EQ(s.sweep.start, 1.0);
  EXPECT_EQ(s.sweep.stop, 18.0);
  EXPECT_EQ(s.sweep.step, 0.5);

  struct Bad {
    const char* text;
    int part;
  };
  for (const Bad& b : {Bad{"1:18", 0}, Bad{"1:2:3:4", 0}, Bad{"", 0}, Bad{":2:3", 1},
                       Bad{"1:x:3", 2}, Bad{"1:2:3ft", 3}}) {
    const ParsedSweep p = parse_sweep(b.text, Quantity::kLength);
    EXPECT_FALSE(p.ok()) << b.text;
    EXPECT_EQ(p.part, b.part) << b.text;
  }
  EXPECT_EQ(parse_sweep("1:18", Quantity::kLength).error, "a sweep is START:STOP:STEP");
}

}  // namespace
}  // namespace lumo::cli
