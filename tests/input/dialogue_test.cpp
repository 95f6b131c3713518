// The console dialogue: what each pass asks, the exact console bytes, and
// which entries replace a field; and every accepted range of the dialogue
// and of the defaults file at both ends.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "input/dialogue_fixture.h"
#include "input/ranges.h"
#include "textio/fatal.h"
#include "textio/numeric_entry.h"

namespace lumo::testing {
namespace {

const std::string kBanner = "\r\n\r\n" +
                            ind(16, "Lumo coaxial line calculator - free for any use.\r\n") +
                            ind(16, "  RF/Microwave Computer-Aided Engineering Software.\r\n") +
                            ind(16, "     Program: Lumo (v. 1.0)    Date: 12/ 6/2026\r\n") + "\r\n";

const std::string kFunction =
    "\r\n" + ind(12, "This program performs Impedance ANALYSIS and Dimensional\r\n") +
    ind(12, "SYNTHESIS for COAXIAL transmission lines.\r\n") + "\r\n" +
    ind(6, "Please select a Program FUNCTION:\r\n") +
    ind(10, "*1 : ANALYSIS  of Impedances from known Dimensions.  \r\n") +
    ind(11, "2 : SYNTHESIS of Dimensions from known Impedances.   \r\n") +
    ind(6, "Program FUNCTION selected = ");

const std::string kDimensional =
    "\r\n" + ind(6, "Please enter the following Dimensional Data:\r\n");
const std::string kOuter = ind(11, "-Outer Conductor Diameter(B), Inches = ");
const std::string kInner = ind(11, "-Inner Conductor Diameter(D), Inches = ");
const std::string kEr = ind(11, "-Relative Dielectric Constant, Er    = ");
const std::string kDltan = ind(11, "-Dielectric Loss Tangent (DLTAN)     = ");
const std::string kMaterials = ind(11, "-Conductor Resistivities, micro-Ohm-cm:\r\n") +
                               ind(14, "-Outer Conductor      (RESB)      = ") +
                               ind(14, "-Inner Conductor      (RESD)      = ") +
                               ind(11, "-RMS Surface Roughness, micro-Inches:\r\n") +
                               ind(14, "-Outer Conductor      (SRB)       = ") +
                               ind(14, "-Inner Conductor      (SRD)       = ");

const std::string kAnalysis = "\r\n" + ind(6, "Select one of the following Analysis OPTIONS:\r\n") +
                              ind(9, "*Option 1: Frequency Analysis of Coax with Loss.  \r\n") +
                              ind(10, "Option 2: Sensitivity Analysis of Zo vs. Dimensions.\r\n") +
                              ind(6, "Analysis OPTION selected = ");
const std::string kFrequencies =
    "\r\n" + ind(6, "Please enter Frequency Range for Frequency ANALYSIS:\r\n") +
    ind(11, "-Analysis Start Frequency, GHz = ") + ind(11, "-Analysis Stop  Frequency, GHz = ") +
    ind(11, "-Analysis Step  Frequency, GHz = ");
const std::string kSynthesis =
    "\r\n" + ind(6, "Select one of the following Synthesis OPTIONS:\r\n") +
    ind(9, "*Option 1: Diameter Synthesis with Transmission Loss.\r\n") +
    ind(10, "Option 2: Diameter Synthesis with Sensitivity Analysis.\r\n") +
    ind(6, "Synthesis OPTION selected = ") + "\r\n" +
    ind(6, "Please enter range of Impedances for SYNTHESIS:\r\n") +
    ind(11, "-Minimum Impedance,   Ohms = ") + ind(11, "-Maximum Impedance,   Ohms = ") +
    ind(11, "-Impedance Step Size, Ohms = ");
const std::string kStorage = "\r\n" + ind(6, "Is Output Data STORAGE desired? (1=YES) = ");
const std::string kOrder = "\r\n" + ind(6, "OUTER Conductor dimension (= B) must be larger\r\n") +
                           ind(6, "than INNER Conductor dimension (= D).\r\n") + "\r\n";
const std::string kReenterB = ind(6, "Please re-enter OUTER conductor dimension, B: ");
const std::string kReenterD = ind(6, "Please re-enter INNER conductor dimension, D: ");

TEST(Dialogue, EnterEverywhereRunsOnTheDefaults) {
  DialogueFixture s(enters(14));
  s.call(0);
  EXPECT_EQ(s.take(), kBanner + kFunction + kDimensional + kOuter + kInner + kEr + kDltan +
                          kMaterials + kAnalysis + kFrequencies + kStorage);
  const Records& r = s.rec;
  EXPECT_EQ(r.blk2.isel, 0);
  EXPECT_EQ(r.blk2.ifunc, 1);
  EXPECT_EQ(r.blk2.iop, 1);
  EXPECT_EQ(r.blk2.istore, 0);
  EXPECT_EQ(r.blk2.l, 6);  // 1 to 4 GHz by 0.5
  EXPECT_EQ(r.blk1.b, 0.25f);
  EXPECT_EQ(r.blk1.ddef, 0.1f);
  EXPECT_EQ(r.blk1.dltan, 0.0004f);
  // Micro-ohm-cm to ohm-inches is 1e-6 / 2.54; micro-inches to inches 1e-6.
  EXPECT_FLOAT_EQ(r.blk4.resb, 6.771654e-7f);
  EXPECT_FLOAT_EQ(r.blk4.resd, 9.606299e-7f);
  EXPECT_FLOAT_EQ(r.blk4.srb, 1e-5f);
  EXPECT_FLOAT_EQ(r.blk4.srd, 2e-5f);
  EXPECT_EQ(r.blk6.iyr, 2026);
  EXPECT_EQ(r.blk6.imon, 12);
  EXPECT_EQ(r.blk6.iday, 6);
  EXPECT_EQ(r.blk6.ihr, 9);
  EXPECT_EQ(r.blk6.imin, 5);
  EXPECT_EQ(r.blk6.isec, 3);
}

// The analysis dialogue with one entry replaced: entry index (0 = FUNCTION,
// 1 = B, ... 13 = storage), the text typed, and the check on the records.
// The bounds of every range are probed by AcceptedRanges below; these are the
// values no bound decides (NaN, infinities) and the step counts that follow.
struct OneEntry {
  int index;
  const char* typed;
  float Blk1::*field;
  float want;
  std::int32_t l;
};

class KeepUnlessValid : public ::testing::TestWithParam<OneEntry> {};

TEST_P(KeepUnlessValid, OnlyAnEntryInRangeReplacesTheField) {
  const OneEntry& one = GetParam();
  std::string console;
  for (int i = 0; i < 14; ++i) console += (i == one.index ? std::string(one.typed) : "") + "\n";
  DialogueFixture s(console);
  s.call(0);
  EXPECT_EQ(s.rec.blk1.*one.field, one.want) << one.typed;
  EXPECT_EQ(s.rec.blk2.l, one.l) << one.typed;
}

// A stop frequency below the start is raised to it: one point.
INSTANTIATE_TEST_SUITE_P(Entries, KeepUnlessValid,
                         ::testing::Values(OneEntry{2, "nan", &Blk1::d, 0.1f, 6},
                                           OneEntry{4, "-inf", &Blk1::dltan, 0.0004f, 6},
                                           OneEntry{10, "2.5", &Blk1::fmin, 2.5f, 3},
                                           OneEntry{10, "inf", &Blk1::fmin, 1.0f, 6},
                                           OneEntry{11, "0.5", &Blk1::fmax, 1.0f, 0},
                                           OneEntry{12, "0.25", &Blk1::fstep, 0.25f, 12},
                                           OneEntry{12, "inf", &Blk1::fstep, INFINITY, 0}));

TEST(Dialogue, DerivedConductorValuesFollowTheKeptEntry) {
  DialogueFixture s("\n\n\n\n\n3.44\n0\n\n\n\n\n\n\n\n");
  s.call(0);
  EXPECT_FLOAT_EQ(s.rec.blk4.resb, 1.354331e-6f);
  EXPECT_FLOAT_EQ(s.rec.blk4.resd, 9.606299e-7f);
}

TEST(Dialogue, AirSkipsTheLossTangent) {
  DialogueFixture s("\n\n\n1\n\n\n\n\n\n\n\n\n\n");  // 13 entries: no DLTAN prompt
  s.call(0);
  EXPECT_EQ(s.rec.blk1.dltan, 0.0f);
  EXPECT_EQ(s.take(), kBanner + kFunction + kDimensional + kOuter + kInner + kEr + kMaterials +
                          kAnalysis + kFrequencies + kStorage);

  DialogueFixture t("\n\n\n1.0001\n\n\n\n\n\n\n\n\n\n\n");
  t.call(0);
  EXPECT_EQ(t.rec.blk1.dltan, 0.0004f);
}

TEST(Dialogue, OuterMustExceedInner) {
  // Equal is not enough; an empty B, a B still not above D and a B out of
  // range all ask again; 0.8 ends the loop.
  DialogueFixture s("1\n0.5\n0.5\n\n0.4\n100\n0.8\n" + enters(11));
  s.call(0);
  EXPECT_EQ(s.rec.blk1.bdef, 0.8f);
  EXPECT_EQ(s.rec.blk1.d, 0.5f);
  std::string asked = kOrder + kReenterB;
  EXPECT_EQ(s.take(), kBanner + kFunction + kDimensional + kOuter + kInner + asked + asked + asked +
                          asked + kEr + kDltan + kMaterials + kAnalysis + kFrequencies + kStorage);
}

TEST(Dialogue, InnerAtTheLargestDiameterIsAskedAgain) {
  // No B can exceed a D of 99.99, so D is asked; a D still above B then
  // brings back the question for B.
  DialogueFixture s("\n\n99.99\n\n100\n0.5\n1\n" + enters(11));
  s.call(0);
  EXPECT_EQ(s.rec.blk1.d, 0.5f);
  EXPECT_EQ(s.rec.blk1.ddef, 0.5f);
  EXPECT_EQ(s.rec.blk1.b, 1.0f);
  EXPECT_EQ(s.take(), kBanner + kFunction + kDimensional + kOuter + kInner + kOrder + kReenterD +
                          kOrder + kReenterD + kOrder + kReenterD + kOrder + kReenterB + kEr +
                          kDltan + kMaterials + kAnalysis + kFrequencies + kStorage);
}

TEST(Dialogue, SynthesisAsksOnlyTheGivenDiameter) {
  // Outer conductor synthesized: D only, no B check even with D above B;
  // option 1 asks the insertion-loss frequency.
  DialogueFixture s("2\n2\n0.3\n\n\n\n\n\n\n1\n50\n30\n5\n12.5\n\n");
  s.call(0);
  EXPECT_EQ(s.take(), kBanner + kFunction + "\r\n" +
                          ind(6, "Please enter CONDUCTOR to be SYNTHESIZED (*1=Inner, 2=Outer): ") +
                          kDimensional + kInner + kEr + kDltan + kMaterials + kSynthesis + "\r\n" +
                          ind(6, "Enter Frequency where Insertion Loss is calculated, GHz = ") +
                          kStorage);
  const Records& r = s.rec;
  EXPECT_EQ(r.blk2.ifunc, 2);
  EXPECT_EQ(r.blk2.isyn, 2);
  EXPECT_EQ(r.blk2.iop, 1);
  EXPECT_EQ(r.blk1.ddef, 0.3f);
  EXPECT_EQ(r.blk1.zmax, 50.0f);  // 30 is below the minimum 50: raised
  EXPECT_EQ(r.blk2.l, 0);
  EXPECT_EQ(r.blk1.fdef, 12.5f);

  // Inner conductor, option 2: B only and no loss frequency.
  DialogueFixture t("2\n\n0.3\n\n\n\n\n\n\n2\n\n\n\n\n");
  t.call(0);
  EXPECT_EQ(t.take(), kBanner + kFunction + "\r\n" +
                          ind(6, "Please enter CONDUCTOR to be SYNTHESIZED (*1=Inner, 2=Outer): ") +
                          kDimensional + kOuter + kEr + kDltan + kMaterials + kSynthesis +
                          kStorage);
  EXPECT_EQ(t.rec.blk2.isyn, 1);
  EXPECT_EQ(t.rec.blk2.iop, 2);
  EXPECT_EQ(t.rec.blk2.l, 4);  // 40 to 80 by 10
  EXPECT_EQ(t.rec.blk1.fdef, 2.0f);
}

TEST(Dialogue, MenuAnswersRoundHalvesAwayFromZero) {
  struct Case {
    const char* typed;
    std::int32_t ifunc;
  };
  for (Case c : {Case{"1.5", 2}, Case{"2.49", 2}, Case{"2.5", 1}, Case{"1.49", 1}, Case{"0.4", 1},
                 Case{"-2", 1}, Case{"7", 1}, Case{"1e10", 1}, Case{"nan", 1}}) {
    DialogueFixture s(std::string(c.typed) + "\n" + enters(14));
    s.call(0);
    EXPECT_EQ(s.rec.blk2.ifunc, c.ifunc) << c.typed;
  }
}

TEST(Dialogue, SensitivityRangeOfTheOuterConductor) {
  DialogueFixture s(enters(9) + "2\n2\n0.3\n0.25\n0\n\n");
  s.call(0);
  const Records& r = s.rec;
  EXPECT_EQ(r.blk2.iop, 2);
  EXPECT_EQ(r.blk2.idia, 2);
  EXPECT_EQ(r.blk1.bmin, 0.3f);
  EXPECT_EQ(r.blk1.bmax, 0.3f);    // raised to the minimum
  EXPECT_EQ(r.blk1.bstep, 0.05f);  // 0 keeps the old step
  EXPECT_EQ(r.blk1.dmin, 0.05f);   // the inner range is untouched
  EXPECT_EQ(r.blk2.l, 0);
  std::string text = s.take();
  EXPECT_NE(text.find(kAnalysis + "\r\n" +
                      ind(6, "Please enter Conductor to be varied (*1=Inner; 2=Outer): ") + "\r\n" +
                      ind(6, "Please enter range of OUTER conductor diameters:\r\n") +
                      ind(11, "-Minimum Diameter,   Inches = ") +
                      ind(11, "-Maximum Diameter,   Inches = ") +
                      ind(11, "-Diameter Step Size, Inches = ") + kStorage),
            std::string::npos);
}

TEST(Dialogue, NewOptionPassAsksOnlyOptionRangeAndStorage) {
  // First pass: synthesis of the outer conductor, storage chosen. Second pass
  // (OPERATION 1): the synthesis menu again, everything else kept.
  DialogueFixture s(
      "2\n2\n0.15\n\n\n\n\n\n\n2\n\n\n\n1\n\n"
      "1\n45\n\n\n12\n\n");
  s.call(0);
  ASSERT_EQ(s.rec.blk2.istore, 1);
  s.take();
  s.call(1);
  EXPECT_EQ(s.take(), kSynthesis + "\r\n" +
                          ind(6, "Enter Frequency where Insertion Loss is calculated, GHz = ") +
                          kStorage);
  const Records& r = s.rec;
  EXPECT_EQ(r.blk2.ifunc, 2);
  EXPECT_EQ(r.blk2.isyn, 2);
  EXPECT_EQ(r.blk2.iop, 1);
  EXPECT_EQ(r.blk2.istore, 0);
  EXPECT_EQ(r.blk2.isel, 1);
  EXPECT_EQ(r.blk1.ddef, 0.15f);
  EXPECT_EQ(r.blk1.zmin, 45.0f);
  EXPECT_EQ(r.blk1.fdef, 12.0f);
}

TEST(Dialogue, RecyclePassRepeatsTheBannerWithTheFirstDate) {
  DialogueFixture s(
      "2\n2\n0.15\n\n\n\n\n\n\n2\n\n\n\n\n"
      "\n\n0.2\n" +
      enters(11));
  s.call(0);
  s.take();
  // The defaults file is not read again, and the clock is not read again.
  std::filesystem::remove(s.dir() / "Lumo.DEF");
  s.io().clock = [] { return LocalTime{2030, 12, 31, 0, 23, 59, 59, 0}; };
  s.call(2);
  EXPECT_EQ(s.take().substr(0, kBanner.size() + kFunction.size()), kBanner + kFunction);
  EXPECT_EQ(s.rec.blk2.ifunc, 1);
  EXPECT_EQ(s.rec.blk2.isyn, 1);
  EXPECT_EQ(s.rec.blk2.iop, 1);
  EXPECT_EQ(s.rec.blk1.ddef, 0.2f);
  EXPECT_EQ(s.rec.blk6.iyr, 2026);
}

// On a RECYCLE pass the order check tests the diameters the run will use
// (the last entered), whatever the previous run left in b and d.
TEST(Dialogue, OrderCheckAfterARunSeesTheEnteredDiameters) {
  struct Case {
    const char* what;
    float left_b, left_d;  // as the previous run left them
    const char* d_entry;   // B is left empty: it stays 0.25
    bool asks_again;
  };
  const Case cases[] = {
      {"sweep left a larger B", 0.4f, 0.1f, "0.3", true},
      {"sweep left a smaller B", 0.05f, 0.1f, "", false},
      {"synthesis left a smaller B", 0.12f, 0.1f, "0.2", false},
      {"sweep left a larger D", 0.25f, 0.3f, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DialogueFixture s(enters(14) + "1\n\n" + c.d_entry + "\n" + (c.asks_again ? "0.6\n" : "") +
                      enters(11));
    s.call(0);
    s.rec.blk1.b = c.left_b;
    s.rec.blk1.d = c.left_d;
    s.take();
    s.call(2);
    const std::string text = s.take();
    const std::string asked = kDimensional + kOuter + kInner + kOrder + kReenterB;
    EXPECT_EQ(text.find(asked) != std::string::npos, c.asks_again);
    EXPECT_EQ(s.rec.blk1.bdef, c.asks_again ? 0.6f : 0.25f);
    EXPECT_LT(s.rec.blk1.d, s.rec.blk1.b);
  }
}

TEST(Dialogue, EndOfInputLeavesThePromptOpen) {
  DialogueFixture s("1\n0.3");  // the last line has no line end and is read normally
  try {
    s.call(0);
    FAIL() << "no stop";
  } catch (const FatalStop& stop) {
    // The inner diameter's entry, statement 114.
    EXPECT_EQ(stop.report,
              "At line 114 of file dialogue (unit = 5, file = 'stdin')\n"
              "Lumo runtime error: End of file\n");
  }
  EXPECT_EQ(s.take(), kBanner + kFunction + kDimensional + kOuter + kInner);
}

TEST(Dialogue, EachPromptStopsAtItsOwnStatement) {
  auto stop_at = [](const std::string& console) {
    DialogueFixture s(console);
    try {
      s.call(0);
    } catch (const FatalStop& stop) {
      return stop.report.substr(0, stop.report.find('\n'));
    }
    return std::string("no stop");
  };
  EXPECT_NE(stop_at("1\n"), stop_at("1\n\n"));
  DialogueFixture bad("1\n0.5 abc\n");
  try {
    bad.call(0);
    FAIL() << "no stop";
  } catch (const FatalStop& stop) {
    EXPECT_NE(stop.report.find("runtime error: Bad value during floating point read\n"),
              std::string::npos);
  }
  EXPECT_EQ(bad.take(), kBanner + kFunction + kDimensional + kOuter);
}

TEST(Dialogue, FaultyDefaultsEndTheCallSilently) {
  DialogueFixture s(enters(14), "header\n0\n");
  s.call(0);
  EXPECT_EQ(s.rec.blk2.isel, -1);
  EXPECT_EQ(s.take(), ind(6, "ERROR exists in Lumo default data file\r\n") +
                          ind(6, "(Lumo.DEF). Fix entry for variable F.         \r\n"));
}

TEST(StepCount, RowsOfASweep) {
  EXPECT_EQ(step_count(1.0f, 10.0f, 1.0f), 9);
  EXPECT_EQ(step_count(1.0f, 2.0f, 0.3f), 3);
  EXPECT_EQ(step_count(5.0f, 5.0f, 0.5f), 0);
  EXPECT_EQ(step_count(1.0f, 2.0f, 5.0f), 0);
  EXPECT_EQ(step_count(1.0f, 1.3f, 0.1f), 3);  // 2.9999995 + 0.0001
  EXPECT_EQ(step_count(0.001f, 999.99f, 1e-7f), 2147483647);
  EXPECT_EQ(step_count(0.001f, 999.99f, std::bit_cast<float>(0x00000001u)), 2147483647);
  EXPECT_EQ(step_count(1.0f, 2.0f, INFINITY), 0);
  EXPECT_EQ(step_count(1.0f, 2.0f, NAN), 2147483647);
}

// Every accepted range of the dialogue and of the defaults file, probed at
// both ends through the real entry: the bound itself and the nearest float on
// either side of it. The bounds are written out here rather than taken from
// input/ranges.h, so that a bound changed there, or an entry given the wrong
// range, fails.

// The shortest text that reads back as exactly x, in scientific form with a
// bare exponent so that it fits the 13 columns of a field:
// 1.00000005e-04 is typed as "1.00000005e-4".
std::string typed(float x) {
  char text[32];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, x, std::chars_format::scientific);
  std::string entry(text, end);
  if (const std::size_t e = entry.find('e'); e != std::string::npos) {
    entry = entry.substr(0, e + 1) + std::to_string(std::stoi(entry.substr(e + 1)));
  }
  const NumericEntry back = parse_numeric(numeric_field(entry));
  EXPECT_TRUE(ec == std::errc() && entry.size() <= kNumericWidth && !back.malformed &&
              back.value == x)
      << entry;
  return entry;
}

// The field after a first pass of the dialogue given the console lines
// `before` and then the entry; the input ends there, so the pass stops at the
// next prompt.
float after_entry(const std::string& before, const std::string& entry, float Blk1::*field) {
  DialogueFixture s(before + entry + "\n");
  try {
    s.call(0);
  } catch (const FatalStop&) {
  }
  return s.rec.blk1.*field;
}

struct RangeCase {
  std::string what;
  AcceptedRange range;
  std::function<bool(float)> takes;  // true when the value is accepted
};

// A console entry: accepted when the field then differs from what an empty
// entry leaves (an accepted value equal to that leaves no trace: it counts).
RangeCase entry(std::string what, std::string before, float Blk1::*field, AcceptedRange range) {
  const float kept = after_entry(before, "", field);
  return {what, range, [before, field, kept](float x) {
            return after_entry(before, typed(x), field) != kept || x == kept;
          }};
}

// A numeric line of the test defaults file (the `context` lines replaced
// first): accepted when the load does not fail naming that line.
RangeCase line(std::string label, int n, AcceptedRange range,
               std::vector<std::pair<int, std::string>> context = {}) {
  std::string what = label + " line " + std::to_string(n);
  for (const auto& [k, text] : context) what += ", line " + std::to_string(k) + " " + text;
  return {what, range, [label, n, context](float x) {
            std::vector<std::pair<int, std::string>> changes = context;
            changes.emplace_back(n, typed(x));
            DialogueFixture s("", defaults_with(changes));
            load_defaults(s.rec, s.io());
            return s.take().find("Fix entry for variable " + label + " ") == std::string::npos;
          }};
}

constexpr float kInf = kUnbounded;

TEST(AcceptedRanges, EveryEntryAndDefaultsLineAtBothEnds) {
  // Console lines before an entry: the analysis dialogue (FUNCTION, B, D, Er,
  // DLTAN, four materials, OPTION, ...) and the synthesis dialogue of D
  // (FUNCTION 2, conductor 1, B, Er, DLTAN, four materials, OPTION).
  const std::string inner_sweep = enters(9) + "2\n1\n";
  const std::string outer_sweep = enters(9) + "2\n2\n";
  const std::string impedances = "2\n1\n" + enters(8);
  const RangeCase cases[] = {
      entry("B, synthesis of D", "2\n1\n", &Blk1::bdef, {0.0001f, true, 99.99f, true}),
      entry("D, synthesis of B", "2\n2\n", &Blk1::ddef, {0.0001f, true, 99.99f, true}),
      entry("B asked again", "\n\n0.5\n", &Blk1::bdef, {0.0001f, true, 99.99f, true}),
      entry("D asked again", "\n\n99.99\n", &Blk1::ddef, {0.0001f, true, 99.99f, true}),
      entry("Er", enters(3), &Blk1::er, {1.0f, true, 999.99f, true}),
      entry("DLTAN", enters(4), &Blk1::dltan, {0.0f, false, 99.999f, true}),
      entry("RESB", enters(5), &Blk1::resb1, {0.0f, false, 999.99f, true}),
      entry("RESD", enters(6), &Blk1::resd1, {0.0f, false, 999.99f, true}),
      entry("SRB", enters(7), &Blk1::srb1, {0.0f, false, 999.99f, true}),
      entry("SRD", enters(8), &Blk1::srd1, {0.0f, false, 999.99f, true}),
      entry("start frequency", enters(10), &Blk1::fmin, {0.001f, false, 999.99f, true}),
      // A stop below the start is raised to it: still a change.
      entry("stop frequency", enters(11), &Blk1::fmax, {0.0f, false, 999.99f, true}),
      entry("frequency step", enters(12), &Blk1::fstep, {0.0f, false, kInf, true}),
      entry("minimum D", inner_sweep, &Blk1::dmin, {0.0001f, true, 99.99f, true}),
      entry("maximum D", inner_sweep + "0.0001\n", &Blk1::dmax, {0.0001f, true, 99.99f, true}),
      entry("D step", inner_sweep + "\n\n", &Blk1::dstep, {0.0f, false, kInf, true}),
      entry("minimum B", outer_sweep, &Blk1::bmin, {0.0001f, true, 99.99f, true}),
      entry("maximum B", outer_sweep + "0.0001\n", &Blk1::bmax, {0.0001f, true, 99.99f, true}),
      entry("B step", outer_sweep + "\n\n", &Blk1::bstep, {0.0f, false, kInf, true}),
      entry("minimum impedance", impedances, &Blk1::zmin, {0.01f, true, 999.99f, true}),
      entry("maximum impedance", impedances + "0.01\n", &Blk1::zmax, {0.01f, true, 999.99f, true}),
      entry("impedance step", impedances + "\n\n", &Blk1::zstep, {0.0f, false, kInf, true}),
      entry("loss frequency", impedances + "\n\n\n", &Blk1::fdef, {0.0f, false, 999.99f, true}),

      line("F.", 2, {0.001f, true, 999.99f, true}),
      line("FMAX.", 3, {0.0f, true, 999.99f, true}),
      line("FMIN.", 4, {0.001f, true, 4.0f, true}),  // at most FMAX. (4)
      line("FSTEP.", 5, {0.0f, false, kInf, true}),
      line("RESB.", 6, {0.0f, true, 999.99f, true}),
      line("RESD.", 7, {0.0f, true, 999.99f, true}),
      line("SRB.", 8, {0.0f, true, 999.99f, true}),
      line("SRD.", 9, {0.0f, true, 999.99f, true}),
      line("ER.", 10, {1.0f, true, 999.99f, true}),
      line("B.", 11, {0.0001f, true, 99.99f, true}),
      line("BMIN.", 12, {0.0001f, true, 99.99f, true}),
      line("BMAX.", 13, {-kInf, true, 99.99f, true}),
      line("BSTEP.", 14, {0.0f, false, kInf, true}),
      line("D.", 15, {0.0001f, true, 0.25f, false}),  // below B. (0.25)
      line("D.", 15, {0.0001f, true, 99.9f, true}, {{11, "99.99"}}),
      line("DMIN.", 16, {0.0001f, true, 99.99f, true}),
      line("DMAX.", 17, {-kInf, true, 99.99f, true}),
      line("DSETP.", 18, {0.0f, false, kInf, true}),
      line("DLTAN.", 19, {0.0f, true, 99.99f, true}),
      line("ZMAX.", 20, {0.01f, true, 999.99f, true}),
      line("ZMIN.", 21, {0.01f, true, 80.0f, true}),  // at most ZMAX. (80)
      line("ZSTEP.", 22, {0.0f, false, kInf, true}),
  };
  for (const RangeCase& c : cases) {
    SCOPED_TRACE(c.what);
    for (const bool low : {true, false}) {
      const char* end = low ? "low " : "high ";
      const float bound = low ? c.range.low : c.range.high;
      const bool inclusive = low ? c.range.low_inclusive : c.range.high_inclusive;
      EXPECT_EQ(c.takes(bound), inclusive) << end << typed(bound);
      if (std::isinf(bound)) continue;  // nothing lies beyond
      const float outward = low ? -kInf : kInf;
      const float outside = std::nextafter(bound, outward);
      const float inside = std::nextafter(bound, -outward);
      EXPECT_FALSE(c.takes(outside)) << end << typed(outside);
      EXPECT_TRUE(c.takes(inside)) << end << typed(inside);
    }
  }
}

}  // namespace
}  // namespace lumo::testing
