// The whole program in-process: the dialogue, the main loop, the OPERATION
// menu and the ends of a session (exit, unrealizable synthesis, fatal stop).
#include <gtest/gtest.h>

#include <string>

#include "driver/driver_fixture.h"
#include "driver/expected_reports.h"
#include "driver/lumo.h"
#include "driver/text_diff.h"
#include "support/defaults_files.h"

namespace lumo::testing {
namespace {

namespace ex = expected;

std::string enters(int n) { return std::string(static_cast<std::size_t>(n), '\n'); }

// Entries of a first (or recycled) pass that keep every default and run the
// frequency analysis without storage: function, B, D, Er, loss tangent, four
// conductor entries, option, three frequencies, storage.
const std::string kDefaultPass = enters(14);
// Entries of a "Select new OPTION" pass: option, three frequencies, storage.
const std::string kOptionPass = enters(5);

struct SessionResult {
  int status;
  std::string out;
  std::string err;
};

SessionResult run_session(const std::string& input, const char* defaults = kReferenceLineDefaults) {
  DriverFixture t(input);
  t.dir.write("Lumo.DEF", defaults);
  int status = run_lumo(t.io);
  return {status, t.out.text(), t.err.text()};
}

std::size_t count(const std::string& text, const std::string& piece) {
  std::size_t n = 0;
  for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++n;
  return n;
}

const std::string kHeaderLine = sp(8) + "Lumo (v. 1.0)" + sp(22);
const std::string kBannerLine = "Program: Lumo (v. 1.0)";

TEST(MainLoop, OperationEntriesRoundHalvesAwayFromZero) {
  struct Case {
    const char* entry;
    int reports;  // reports printed in all
    int banners;  // start banners printed in all
  };
  const Case cases[] = {
      {"0.5", 2, 1}, {"1.4", 2, 1},  {"1.5", 2, 2}, {"2.49", 2, 2}, {"2.5", 1, 1},  {"3", 1, 1},
      {"7", 1, 1},   {"-0.4", 1, 1}, {"-5", 1, 1},  {"", 1, 1},     {"1e10", 1, 1}, {"nan", 1, 1},
  };
  for (const Case& c : cases) {
    std::string input = kDefaultPass + c.entry + "\n";
    if (c.reports == 2) input += (c.banners == 2 ? kDefaultPass : kOptionPass) + "3\n";
    SessionResult r = run_session(input);
    EXPECT_EQ(r.status, 0) << c.entry;
    EXPECT_EQ(r.err, "") << c.entry;
    EXPECT_EQ(count(r.out, kHeaderLine), static_cast<std::size_t>(c.reports)) << c.entry;
    EXPECT_EQ(count(r.out, kBannerLine), static_cast<std::size_t>(c.banners)) << c.entry;
    // Every pass ends with the menu and its open prompt line.
    EXPECT_EQ(count(r.out, ex::operation_menu()), static_cast<std::size_t>(c.reports)) << c.entry;
    EXPECT_TRUE(r.out.ends_with(ex::operation_menu())) << c.entry;
  }
}

TEST(MainLoop, OneReportFromHeaderToTrailerOnTheDefaults) {
  SessionResult r = run_session(kDefaultPass + "3\n");
  ASSERT_EQ(r.status, 0);
  // The last prompt of the dialogue leaves its line open: the report's first
  // line end closes it.
  const std::string tail = "(1=YES) = " + ex::report_header() + ex::frequency_run_defaults() +
                           ex::trailer() + ex::operation_menu();
  ASSERT_GE(r.out.size(), tail.size());
  EXPECT_EQ(first_difference(tail, r.out.substr(r.out.size() - tail.size())), "");
}

TEST(MainLoop, EachPassStartsFromTheEnteredDiametersAfterAnOuterSweep) {
  // Pass 1: sensitivity, outer varied over the defaults 0.2 to 0.4 by 0.1,
  // so the run leaves B at 0.4. Pass 2 (new OPTION): frequency analysis.
  std::string input = enters(9) + "2\n" + "2\n" + enters(4) + "1\n" + kOptionPass + "3\n";
  SessionResult r = run_session(input);
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(count(r.out, kHeaderLine), 2u);
  EXPECT_NE(r.out.find(ex::frequency_header_reference()), std::string::npos);
}

TEST(MainLoop, SynthesizedDiameterIsDiscardedOnTheNextPass) {
  // Pass 1: synthesis of the outer conductor for 50 ohms (B about 0.335"),
  // option 2. Pass 2 (RECYCLE): frequency analysis keeping B and D.
  std::string input = "2\n2\n" + enters(7) + "2\n" + "50\n50\n\n\n" + "2\n" + kDefaultPass + "3\n";
  SessionResult r = run_session(input);
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find(sp(6) + "   0.3348" + "     50.00"), std::string::npos);
  EXPECT_NE(r.out.find(ex::frequency_header_reference()), std::string::npos);
  // The second report shows the same start time as the first.
  EXPECT_EQ(count(r.out, " Date:12/ 6/2026 at  9: 5: 3Hours\r\n"), 2u);
}

TEST(MainLoop, UnrealizableSynthesisEndsWithTheMessageAndNoTrailer) {
  // Outer synthesized around D 0.1" in air, 200 to 500 ohms by 100, at 1.5 GHz.
  std::string input = "2\n2\n\n1\n" + enters(4) + "1\n" + "200\n500\n100\n\n\n";
  SessionResult r = run_session(input);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  std::string tail = ex::report_header() + ex::synthesis_loss_outer_header() +
                     ex::synthesis_loss_headings("  1.500", true) +
                     ex::synthesis_loss_outer_rows() + ex::unrealizable_message();
  ASSERT_GE(r.out.size(), tail.size());
  EXPECT_EQ(first_difference(tail, r.out.substr(r.out.size() - tail.size())), "");
}

TEST(MainLoop, DefaultsFileFaultEndsBeforeAnyReport) {
  std::string faulty = kReferenceLineDefaults;
  faulty.replace(faulty.find("2.1          ER."), 3, "0.5");
  SessionResult r = run_session(kDefaultPass, faulty.c_str());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(count(r.out, kHeaderLine), 0u);
  EXPECT_NE(r.out.find("Fix entry for variable ER."), std::string::npos);
}

TEST(FatalStop, EndOfInputAtOperationReportsChannelFiveAndLeavesThePromptOpen) {
  SessionResult r = run_session(kDefaultPass);
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(r.out.ends_with(ex::operation_menu()));
  EXPECT_EQ(r.err,
            "At line 302 of file session (unit = 5, file = 'stdin')\n"
            "Lumo runtime error: End of file\n");
}

TEST(FatalStop, MalformedOperationEntryIsABadValue) {
  SessionResult r = run_session(kDefaultPass + "1 x\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(r.err.ends_with("\nLumo runtime error: Bad value during floating point read\n"))
      << r.err;
}

TEST(FatalStop, StoredRowsSurviveAStopLaterInTheSession) {
  DriverFixture t(kDefaultPass.substr(1) + "1\nkept.txt\n" + "1\n");
  t.dir.write("Lumo.DEF", kReferenceLineDefaults);
  EXPECT_EQ(run_lumo(t.io), 2);
  const std::string file = t.dir.read("kept.txt");
  EXPECT_TRUE(file.starts_with(ex::report_header() + ex::frequency_header_reference()));
  EXPECT_TRUE(file.ends_with(ex::trailer_stored("Frequency   ", "kept.txt" + sp(12))));
}

}  // namespace
}  // namespace lumo::testing
