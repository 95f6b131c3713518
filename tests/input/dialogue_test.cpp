// The console dialogue: what each pass asks, the exact console bytes, and
// which entries replace a field.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>

#include "input/bench.h"
#include "textio/fatal.h"

namespace lumo::testing {
namespace {

const std::string kBanner =
    "\r\n\r\n" + ind(16, "Lumo coaxial line calculator - free for any use.\r\n") +
    ind(16, "  RF/Microwave Computer-Aided Engineering Software.\r\n") +
    ind(16, "     Program: Lumo (v. 1.0)    Date:  3/ 7/2026\r\n") + "\r\n";

const std::string kFunction =
    "\r\n" + ind(12, "This program performs Impedance ANALYSIS and Dimensional\r\n") +
    ind(12, "SYNTHESIS for COAXIAL transmission lines.\r\n") + "\r\n" +
    ind(6, "Please select a Program FUNCTION:\r\n") +
    ind(10, "*1 : ANALYSIS  of Impedances from known Dimensions.  \r\n") +
    ind(11, "2 : SYNTHESIS of Dimensions from known Impedances.   \r\n") +
    ind(6, "Program FUNCTION selected = ");

const std::string kDimensional = "\r\n" + ind(6, "Please enter the following Dimensional Data:\r\n");
const std::string kOuter = ind(11, "-Outer Conductor Diameter(B), Inches = ");
const std::string kInner = ind(11, "-Inner Conductor Diameter(D), Inches = ");
const std::string kEr = ind(11, "-Relative Dielectric Constant, Er    = ");
const std::string kDltan = ind(11, "-Dielectric Loss Tangent (DLTAN)     = ");
const std::string kMaterials =
    ind(11, "-Conductor Resistivities, micro-Ohm-cm:\r\n") +
    ind(14, "-Outer Conductor      (RESB)      = ") +
    ind(14, "-Inner Conductor      (RESD)      = ") +
    ind(11, "-RMS Surface Roughness, micro-Inches:\r\n") +
    ind(14, "-Outer Conductor      (SRB)       = ") +
    ind(14, "-Inner Conductor      (SRD)       = ");

const std::string kAnalysis =
    "\r\n" + ind(6, "Select one of the following Analysis OPTIONS:\r\n") +
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
  Bench s(enters(14));
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
  EXPECT_EQ(r.blk6.imon, 3);
  EXPECT_EQ(r.blk6.iday, 7);
  EXPECT_EQ(r.blk6.ihr, 9);
  EXPECT_EQ(r.blk6.imin, 5);
  EXPECT_EQ(r.blk6.isec, 3);
}

// The analysis dialogue with one entry replaced: entry index (0 = FUNCTION,
// 1 = B, ... 13 = storage), the text typed, and the check on the records.
struct OneEntry {
  int index;
  const char* typed;
  float Blk1::*field;
  float want;
  std::int32_t l;
};

class KeepUnlessValid : public ::testing::TestWithParam<OneEntry> {};

TEST_P(KeepUnlessValid, OnlyAnEntryInRangeReplacesTheField) {
  const OneEntry& c = GetParam();
  std::string console;
  for (int i = 0; i < 14; ++i) console += (i == c.index ? std::string(c.typed) : "") + "\n";
  Bench s(console);
  s.call(0);
  EXPECT_EQ(s.rec.blk1.*c.field, c.want) << c.typed;
  EXPECT_EQ(s.rec.blk2.l, c.l) << c.typed;
}

INSTANTIATE_TEST_SUITE_P(
    Entries, KeepUnlessValid,
    ::testing::Values(OneEntry{1, "100", &Blk1::b, 0.25f, 6}, OneEntry{1, "99.99", &Blk1::bdef, 99.99f, 6},
                      OneEntry{2, "nan", &Blk1::d, 0.1f, 6}, OneEntry{2, "0.00009", &Blk1::ddef, 0.1f, 6},
                      OneEntry{3, "1000", &Blk1::er, 2.1f, 6}, OneEntry{3, "999.99", &Blk1::er, 999.99f, 6},
                      OneEntry{4, "0", &Blk1::dltan, 0.0004f, 6}, OneEntry{4, "99.999", &Blk1::dltan, 99.999f, 6},
                      OneEntry{4, "-inf", &Blk1::dltan, 0.0004f, 6}, OneEntry{5, "0", &Blk1::resb1, 1.72f, 6},
                      OneEntry{8, "999.99", &Blk1::srd1, 999.99f, 6},
                      OneEntry{10, "0.001", &Blk1::fmin, 1.0f, 6}, OneEntry{10, "2.5", &Blk1::fmin, 2.5f, 3},
                      OneEntry{10, "inf", &Blk1::fmin, 1.0f, 6},
                      OneEntry{11, "0.5", &Blk1::fmax, 1.0f, 0},  // stop below start: raised, one point
                      OneEntry{11, "1000", &Blk1::fmax, 4.0f, 6}, OneEntry{12, "0", &Blk1::fstep, 0.5f, 6},
                      OneEntry{12, "-1", &Blk1::fstep, 0.5f, 6}, OneEntry{12, "0.25", &Blk1::fstep, 0.25f, 12},
                      OneEntry{12, "inf", &Blk1::fstep, INFINITY, 0}));

TEST(Dialogue, DerivedConductorValuesFollowTheKeptEntry) {
  Bench s("\n\n\n\n\n3.44\n0\n\n\n\n\n\n\n\n");
  s.call(0);
  EXPECT_FLOAT_EQ(s.rec.blk4.resb, 1.354331e-6f);
  EXPECT_FLOAT_EQ(s.rec.blk4.resd, 9.606299e-7f);
}

TEST(Dialogue, AirSkipsTheLossTangent) {
  Bench s("\n\n\n1\n\n\n\n\n\n\n\n\n\n");  // 13 entries: no DLTAN prompt
  s.call(0);
  EXPECT_EQ(s.rec.blk1.dltan, 0.0f);
  EXPECT_EQ(s.take(), kBanner + kFunction + kDimensional + kOuter + kInner + kEr + kMaterials +
                          kAnalysis + kFrequencies + kStorage);

  Bench t("\n\n\n1.0001\n\n\n\n\n\n\n\n\n\n\n");
  t.call(0);
  EXPECT_EQ(t.rec.blk1.dltan, 0.0004f);
}

TEST(Dialogue, OuterMustExceedInner) {
  // Equal is not enough; an empty B, a B still not above D and a B out of
  // range all ask again; 0.8 ends the loop.
  Bench s("1\n0.5\n0.5\n\n0.4\n100\n0.8\n" + enters(11));
  s.call(0);
  EXPECT_EQ(s.rec.blk1.bdef, 0.8f);
  EXPECT_EQ(s.rec.blk1.d, 0.5f);
  std::string asked = kOrder + kReenterB;
  EXPECT_EQ(s.take(), kBanner + kFunction + kDimensional + kOuter + kInner + asked + asked +
                          asked + asked + kEr + kDltan + kMaterials + kAnalysis + kFrequencies +
                          kStorage);
}

TEST(Dialogue, InnerAtTheLargestDiameterIsAskedAgain) {
  // No B can exceed a D of 99.99, so D is asked; a D still above B then
  // brings back the question for B.
  Bench s("\n\n99.99\n\n100\n0.5\n1\n" + enters(11));
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
  Bench s("2\n2\n0.3\n\n\n\n\n\n\n1\n50\n30\n5\n12.5\n\n");
  s.call(0);
  EXPECT_EQ(s.take(),
            kBanner + kFunction + "\r\n" +
                ind(6, "Please enter CONDUCTOR to be SYNTHESIZED (*1=Inner, 2=Outer): ") +
                kDimensional + kInner + kEr + kDltan + kMaterials + kSynthesis + "\r\n" +
                ind(6, "Enter Frequency where Insertion Loss is calculated, GHz = ") + kStorage);
  const Records& r = s.rec;
  EXPECT_EQ(r.blk2.ifunc, 2);
  EXPECT_EQ(r.blk2.isyn, 2);
  EXPECT_EQ(r.blk2.iop, 1);
  EXPECT_EQ(r.blk1.ddef, 0.3f);
  EXPECT_EQ(r.blk1.zmax, 50.0f);  // 30 is below the minimum 50: raised
  EXPECT_EQ(r.blk2.l, 0);
  EXPECT_EQ(r.blk1.fdef, 12.5f);

  // Inner conductor, option 2: B only and no loss frequency.
  Bench t("2\n\n0.3\n\n\n\n\n\n\n2\n\n\n\n\n");
  t.call(0);
  EXPECT_EQ(t.take(), kBanner + kFunction + "\r\n" +
                          ind(6, "Please enter CONDUCTOR to be SYNTHESIZED (*1=Inner, 2=Outer): ") +
                          kDimensional + kOuter + kEr + kDltan + kMaterials + kSynthesis + kStorage);
  EXPECT_EQ(t.rec.blk2.isyn, 1);
  EXPECT_EQ(t.rec.blk2.iop, 2);
  EXPECT_EQ(t.rec.blk2.l, 4);  // 40 to 80 by 10
  EXPECT_EQ(t.rec.blk1.fdef, 2.0f);
}

TEST(Dialogue, MenuAnswersRoundHalvesAwayFromZero) {
  struct Case { const char* typed; std::int32_t ifunc; };
  for (Case c : {Case{"1.5", 2}, Case{"2.49", 2}, Case{"2.5", 1}, Case{"1.49", 1}, Case{"0.4", 1},
                 Case{"-2", 1}, Case{"7", 1}, Case{"1e10", 1}, Case{"nan", 1}}) {
    Bench s(std::string(c.typed) + "\n" + enters(14));
    s.call(0);
    EXPECT_EQ(s.rec.blk2.ifunc, c.ifunc) << c.typed;
  }
}

TEST(Dialogue, SensitivityRangeOfTheOuterConductor) {
  Bench s(enters(9) + "2\n2\n0.3\n0.25\n0\n\n");
  s.call(0);
  const Records& r = s.rec;
  EXPECT_EQ(r.blk2.iop, 2);
  EXPECT_EQ(r.blk2.idia, 2);
  EXPECT_EQ(r.blk1.bmin, 0.3f);
  EXPECT_EQ(r.blk1.bmax, 0.3f);   // raised to the minimum
  EXPECT_EQ(r.blk1.bstep, 0.05f); // 0 keeps the old step
  EXPECT_EQ(r.blk1.dmin, 0.05f);  // the inner range is untouched
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
  Bench s("2\n2\n0.15\n\n\n\n\n\n\n2\n\n\n\n1\n\n" "1\n45\n\n\n12\n\n");
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
  Bench s("2\n2\n0.15\n\n\n\n\n\n\n2\n\n\n\n\n" "\n\n0.2\n" + enters(11));
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
    Bench s(enters(14) + "1\n\n" + c.d_entry + "\n" + (c.asks_again ? "0.6\n" : "") +
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
  Bench s("1\n0.3");  // the last line has no line end and is read normally
  try {
    s.call(0);
    FAIL() << "no stop";
  } catch (const FatalStop& stop) {
    EXPECT_NE(stop.report.find(" of file lminput.cpp (unit = 5, file = 'stdin')\n"),
              std::string::npos);
    EXPECT_EQ(stop.report.substr(stop.report.find('\n') + 1), "Lumo runtime error: End of file\n");
  }
  EXPECT_EQ(s.take(), kBanner + kFunction + kDimensional + kOuter + kInner);
}

TEST(Dialogue, EachPromptStopsAtItsOwnStatement) {
  auto stop_at = [](const std::string& console) {
    Bench s(console);
    try {
      s.call(0);
    } catch (const FatalStop& stop) {
      return stop.report.substr(0, stop.report.find('\n'));
    }
    return std::string("no stop");
  };
  EXPECT_NE(stop_at("1\n"), stop_at("1\n\n"));
  Bench bad("1\n0.5 abc\n");
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
  Bench s(enters(14), "header\n0\n");
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

}  // namespace
}  // namespace lumo::testing
