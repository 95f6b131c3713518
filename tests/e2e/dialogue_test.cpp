// The dialogue through the real binary: the console bytes up to the first
// report, the end of input at a prompt, reserved names and defaults faults.
#include <gtest/gtest.h>

#include <string>

#include "e2e/harness.h"

namespace lumo::e2e {
namespace {

std::string ind(int n, const std::string& text) {
  return std::string(static_cast<std::size_t>(n), ' ') + text;
}

// The first-call dialogue of an analysis with B and D asked, up to the
// storage prompt (left open).
const std::string kFirstDialogue =
    "\r\n\r\n" + ind(16, "Lumo coaxial line calculator - free for any use.\r\n") +
    ind(16, "  RF/Microwave Computer-Aided Engineering Software.\r\n") +
    ind(16, "     Program: Lumo (v. 1.0)    Date: MM/DD/YYYY\r\n") + "\r\n" + "\r\n" +
    ind(12, "This program performs Impedance ANALYSIS and Dimensional\r\n") +
    ind(12, "SYNTHESIS for COAXIAL transmission lines.\r\n") + "\r\n" +
    ind(6, "Please select a Program FUNCTION:\r\n") +
    ind(10, "*1 : ANALYSIS  of Impedances from known Dimensions.  \r\n") +
    ind(11, "2 : SYNTHESIS of Dimensions from known Impedances.   \r\n") +
    ind(6, "Program FUNCTION selected = ") + "\r\n" +
    ind(6, "Please enter the following Dimensional Data:\r\n") +
    ind(11, "-Outer Conductor Diameter(B), Inches = ") +
    ind(11, "-Inner Conductor Diameter(D), Inches = ") +
    ind(11, "-Relative Dielectric Constant, Er    = ") +
    ind(11, "-Dielectric Loss Tangent (DLTAN)     = ") +
    ind(11, "-Conductor Resistivities, micro-Ohm-cm:\r\n") +
    ind(14, "-Outer Conductor      (RESB)      = ") +
    ind(14, "-Inner Conductor      (RESD)      = ") +
    ind(11, "-RMS Surface Roughness, micro-Inches:\r\n") +
    ind(14, "-Outer Conductor      (SRB)       = ") +
    ind(14, "-Inner Conductor      (SRD)       = ") + "\r\n" +
    ind(6, "Select one of the following Analysis OPTIONS:\r\n") +
    ind(9, "*Option 1: Frequency Analysis of Coax with Loss.  \r\n") +
    ind(10, "Option 2: Sensitivity Analysis of Zo vs. Dimensions.\r\n") +
    ind(6, "Analysis OPTION selected = ") + "\r\n" +
    ind(6, "Please enter Frequency Range for Frequency ANALYSIS:\r\n") +
    ind(11, "-Analysis Start Frequency, GHz = ") + ind(11, "-Analysis Stop  Frequency, GHz = ") +
    ind(11, "-Analysis Step  Frequency, GHz = ") + "\r\n" +
    ind(6, "Is Output Data STORAGE desired? (1=YES) = ");

const std::string kNameRequest =
    ind(6, "Enter a FILENAME (up to 20 characters) for Output Data storage: \r\n") +
    ind(10, "-Enter: Filename.xls for storage in a spreadsheet\r\n") +
    ind(10, "-Enter: Filename.doc for storage in a word processor\r\n") +
    ind(10, "-Enter: Filename.txt for storage as a text document\r\n") +
    ind(11, "Enter your FILENAME for Output Data Storage: ");

Scenario with_input(std::string input) {
  Scenario s;
  s.defaults = kReferenceLineDefaults;
  s.input = std::move(input);
  return s;
}

TEST(DialogueProgram, EnterEverywhereReachesTheReport) {
  Outcome o = run_program(with_input(std::string(15, '\n')));
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.err, "");
  std::string out = mask_dates(o.out);
  EXPECT_EQ(first_difference(kFirstDialogue, out.substr(0, kFirstDialogue.size())), "");
  // The report header's blank line closes the storage prompt.
  EXPECT_EQ(out.substr(kFirstDialogue.size(), 10), "\r\n" + ind(6, "--"));
}

TEST(DialogueProgram, EndOfInputAtAPromptIsTheFatalReport) {
  Outcome o = run_program(with_input("1\n0.3\n"));
  EXPECT_EQ(o.status, 2);
  std::string want = kFirstDialogue.substr(0, kFirstDialogue.find("-Relative") - 11);
  EXPECT_EQ(first_difference(want, mask_dates(o.out)), "");
  // At the inner diameter's entry, statement 114.
  EXPECT_EQ(o.err,
            "At line 114 of file dialogue (unit = 5, file = 'stdin')\n"
            "Lumo runtime error: End of file\n");
}

TEST(DialogueProgram, ReservedNamesAreAskedAgain) {
  Outcome o =
      run_program(with_input(std::string(13, '\n') + "1\nlumo.def\nLumo.EXE\nLUMO.DEF\n3\n"));
  EXPECT_EQ(o.status, 0);
  auto refused = [](const std::string& name20) {
    return "\r\n" + ind(6, "Filename: " + name20 + " is reserved by Lumo.\r\n") +
           ind(6, "Please enter a different filename.\r\n") + "\r\n";
  };
  std::string want = kFirstDialogue + kNameRequest + refused("lumo.def            ") +
                     kNameRequest + refused("Lumo.EXE            ") + kNameRequest;
  EXPECT_EQ(first_difference(want, mask_dates(o.out).substr(0, want.size())), "");
  EXPECT_EQ(o.files.count("LUMO.DEF"), 1u);
}

TEST(DialogueProgram, DefaultsFaultsEndBeforeTheBanner) {
  Scenario reserved = with_input("\n");
  reserved.defaults =
      reserved.defaults->substr(0, reserved.defaults->rfind("lumo.out")) + "lumo.def\n";
  Outcome o = run_program(reserved);
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.err, "");
  EXPECT_EQ(o.out, "\r\n" + ind(6, "Filename lumo.def             is reserved by Lumo.\r\n") +
                       ind(6, "Please rename the default file in (Lumo.DEF).\r\n") + "\r\n");

  Scenario missing = with_input("\n");
  missing.defaults.reset();
  o = run_program(missing);
  EXPECT_EQ(o.status, 2);
  EXPECT_EQ(o.out, "");
  EXPECT_NE(o.err.find(" (unit = 2)\nLumo runtime error: File 'Lumo.DEF' does not exist\n"),
            std::string::npos);

  // A Lumo.DEF that opens but cannot be read: reading /proc/self/mem at
  // offset 0 fails.
  Scenario unreadable = with_input("\n");
  unreadable.defaults.reset();
  unreadable.prepared = {{Prepared::kSymlink, "Lumo.DEF", "/proc/self/mem"}};
  o = run_program(unreadable);
  EXPECT_EQ(o.status, 2);
  EXPECT_EQ(o.out, "");
  const std::size_t locator_end = o.err.find('\n') + 1;
  EXPECT_TRUE(o.err.starts_with("At line ")) << o.err;
  EXPECT_TRUE(o.err.substr(0, locator_end).ends_with(" (unit = 2, file = 'Lumo.DEF')\n")) << o.err;
  EXPECT_EQ(o.err.substr(locator_end), "Lumo runtime error: Input/output error\n");
}

TEST(DialogueProgram, InnerDiameterAtTheLimitCanBeEnteredAgain) {
  // D 99.99 admits no B; the inner diameter is asked instead, then the run goes on.
  Outcome o = run_program(with_input("\n\n99.99\n0.5\n0.6\n" + std::string(11, '\n') + "3\n"));
  EXPECT_EQ(o.status, 0);
  std::string order = "\r\n" + ind(6, "OUTER Conductor dimension (= B) must be larger\r\n") +
                      ind(6, "than INNER Conductor dimension (= D).\r\n") + "\r\n";
  std::string asked = ind(11, "-Inner Conductor Diameter(D), Inches = ") + order +
                      ind(6, "Please re-enter INNER conductor dimension, D: ") + order +
                      ind(6, "Please re-enter OUTER conductor dimension, B: ") +
                      ind(11, "-Relative Dielectric Constant, Er    = ");
  EXPECT_NE(o.out.find(asked), std::string::npos);
  EXPECT_NE(o.out.find("B   =  0.6000\""), std::string::npos);
  EXPECT_NE(o.out.find("D   =  0.5000\""), std::string::npos);
}

}  // namespace
}  // namespace lumo::e2e
