// The real binary through each kind of run, with and without storage: the
// report on the console, the same report in the output file, the exit status.
#include <gtest/gtest.h>

#include <string>

#include "driver/expected_reports.h"
#include "e2e/harness.h"

namespace lumo::e2e {
namespace {

namespace ex = lumo::testing::expected;
using ex::blanks;

constexpr std::string_view kMasked = "MM/DD/YYYY at hh:mm:ss";

std::string enters(int n) { return std::string(static_cast<std::size_t>(n), '\n'); }

// Storage answer and name, or no storage.
std::string storage(const std::string& name) { return name.empty() ? "\n" : "1\n" + name + "\n"; }
std::string name20(const std::string& name) {
  return name + blanks(20 - static_cast<int>(name.size()));
}

// Analysis with every default kept up to the option.
std::string analysis(const std::string& option_and_range, const std::string& name) {
  return enters(9) + option_and_range + storage(name);
}

// Outer conductor synthesized around the default D 0.1" in air.
std::string outer_synthesis_in_air(const std::string& option_and_range, const std::string& name) {
  return "2\n2\n\n1\n" + enters(4) + option_and_range + storage(name);
}

Outcome run(const std::string& input) {
  Scenario s;
  s.defaults = kReferenceLineDefaults;
  s.input = input;
  Outcome o = run_program(s);
  o.out = mask_dates(o.out);
  for (auto& [name, text] : o.files) text = mask_dates(text);
  return o;
}

// Checks a completed run: the console ends with the report and the menu;
// the named file, when storing, holds exactly the report.
void expect_report(const Outcome& o, const std::string& body, std::string_view label12,
                   const std::string& name) {
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.err, "");
  const std::string report = ex::report_header(kMasked) + body;
  const std::string trailer =
      name.empty() ? ex::trailer() : ex::trailer_stored(label12, name20(name));
  const std::string tail = report + trailer + ex::operation_menu();
  ASSERT_GE(o.out.size(), tail.size());
  EXPECT_EQ(first_difference(tail, o.out.substr(o.out.size() - tail.size())), "");
  if (name.empty()) {
    EXPECT_EQ(o.files.size(), 1u);  // Lumo.DEF alone
  } else {
    ASSERT_EQ(o.files.count(name), 1u);
    EXPECT_EQ(first_difference(report + trailer, o.files.at(name)), "");
  }
}

TEST(Runs, FrequencyAnalysisStoredAndNot) {
  for (std::string name : {"", "freq.txt"}) {
    Outcome o = run(analysis("\n1\n2\n0.3\n", name) + "3\n");
    expect_report(o, ex::frequency_run_reference(), "Frequency   ", name);
  }
}

TEST(Runs, SensitivityAnalysisStoredAndNot) {
  for (std::string name : {"", "sens.txt"}) {
    Outcome o = run(analysis("2\n2\n0.05\n0.3\n0.05\n", name) + "3\n");
    expect_report(o,
                  ex::sensitivity_header("D =", "  0.1000", "  2.100") +
                      ex::sensitivity_headings(true) + ex::sensitivity_outer_rows(),
                  "Sensitivity ", name);
  }
}

TEST(Runs, SynthesisWithLossStoredAndNot) {
  for (std::string name : {"", "syn.txt"}) {
    Outcome o = run(outer_synthesis_in_air("1\n200\n400\n100\n\n", name) + "3\n");
    expect_report(o,
                  ex::synthesis_loss_outer_header() + ex::synthesis_loss_headings("  1.500", true) +
                      ex::synthesis_loss_outer_rows(),
                  "Synthesis   ", name);
  }
}

TEST(Runs, SynthesisWithSensitivityStoredAndNot) {
  for (std::string name : {"", "synsens.txt"}) {
    Outcome o = run(outer_synthesis_in_air("2\n200\n400\n100\n", name) + "3\n");
    expect_report(o,
                  ex::synthesis_sensitivity_outer_header() + ex::sensitivity_headings(true) +
                      ex::synthesis_sensitivity_outer_rows(),
                  "Sensitivity ", name);
  }
}

TEST(Runs, UnrealizableSynthesisKeepsTheRowsAndWritesNothingAfter) {
  for (std::string name : {"", "syn.txt"}) {
    // Nothing is read after the run: no OPERATION prompt follows.
    Outcome o = run(outer_synthesis_in_air("1\n200\n500\n100\n\n", name));
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.err, "");
    const std::string report = ex::report_header(kMasked) + ex::synthesis_loss_outer_header() +
                               ex::synthesis_loss_headings("  1.500", true) +
                               ex::synthesis_loss_outer_rows();
    const std::string tail = report + ex::unrealizable_message();
    ASSERT_GE(o.out.size(), tail.size());
    EXPECT_EQ(first_difference(tail, o.out.substr(o.out.size() - tail.size())), "");
    if (!name.empty()) {
      ASSERT_EQ(o.files.count(name), 1u);
      EXPECT_EQ(first_difference(report, o.files.at(name)), "");
    }
  }
}

TEST(Runs, OperationEntriesAtTheMenu) {
  struct Case {
    const char* entry;
    int reports;
  };
  // 0.5 and 1.4 choose a new option, 1.5 and 2.49 the whole dialogue; the
  // rest end the program.
  const Case cases[] = {{"0.5", 2}, {"1.4", 2}, {"1.5", 2},  {"2.49", 2},
                        {"2.5", 1}, {"7", 1},   {"-0.4", 1}, {"", 1}};
  const std::string first = analysis("\n\n\n\n", "");
  for (const Case& c : cases) {
    const std::string entry = c.entry;
    std::string input = first + entry + "\n";
    const bool recycle = entry == "1.5" || entry == "2.49";
    if (c.reports == 2) input += (recycle ? first : enters(5)) + "3\n";
    Outcome o = run(input);
    EXPECT_EQ(o.status, 0) << entry;
    EXPECT_EQ(o.err, "") << entry;
    std::size_t reports = 0, banners = 0;
    for (auto at = o.out.find("Lumo (v. 1.0)" + blanks(22)); at != std::string::npos;
         at = o.out.find("Lumo (v. 1.0)" + blanks(22), at + 1)) {
      ++reports;
    }
    for (auto at = o.out.find("Program: Lumo"); at != std::string::npos;
         at = o.out.find("Program: Lumo", at + 1)) {
      ++banners;
    }
    EXPECT_EQ(reports, static_cast<std::size_t>(c.reports)) << entry;
    EXPECT_EQ(banners, recycle ? 2u : 1u) << entry;
    EXPECT_TRUE(o.out.ends_with(ex::operation_menu())) << entry;
  }
}

}  // namespace
}  // namespace lumo::e2e
