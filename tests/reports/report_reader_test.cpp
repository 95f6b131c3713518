// The report reader on report texts written from the layouts (the same texts
// the report writer's tests expect): every run kind with the values its
// fields print, the forms a field can take, and the line and column of each
// kind of text that is not a report.
#include "reports/report_reader.h"

#include <gtest/gtest.h>

#include <charconv>
#include <string>
#include <vector>

#include "driver/expected_reports.h"

namespace lumo {
namespace {

namespace ex = testing::expected;

// One line per consumer call, values as the shortest decimal of the float
// (fixed down to 1e-4: "0.0002").
class Recorder : public RunConsumer, public ReportSink {
 public:
  std::vector<std::string> log;

  RunConsumer& begin_report() override {
    log.push_back("report");
    return *this;
  }
  void frequency_header(const FrequencyHeader& h) override {
    const Materials& m = h.materials;
    put("frequency", {h.b, h.d, h.er, m.resb, m.resd, m.srb, m.srd, m.dltan, h.zo, h.ccap, h.cind},
        h.option);
  }
  void frequency_row(const FrequencyRow& r) override {
    put("row", {r.freq, r.lambda0, r.lambda_g, r.loss_inner, r.loss_outer, r.loss_dielectric,
                r.loss_total});
  }
  void frequency_end(const FrequencyClosing& c) override { put("closing", {c.te11, c.peak_power}); }
  void sensitivity_header(const SensitivityHeader& h) override {
    put(std::string(h.synthesis ? "synthesis-sensitivity" : "sensitivity") +
            (h.outer ? " outer" : " inner"),
        {h.fixed, h.er}, h.option);
  }
  void sensitivity_row(const SensitivityRow& r) override {
    put("row", {r.diameter, r.zo, r.te11, r.peak_power, r.s_inner, r.s_outer, r.s_er});
  }
  void synthesis_loss_header(const SynthesisLossHeader& h) override {
    const Materials& m = h.materials;
    put(std::string("synthesis-loss") + (h.outer ? " outer" : " inner"),
        {h.fixed, h.er, m.resb, m.resd, m.srb, m.srd, m.dltan, h.freq}, h.option);
  }
  void synthesis_loss_row(const SynthesisLossRow& r) override {
    put("row", {r.diameter, r.zo, r.te11, r.peak_power, r.loss_inner, r.loss_outer,
                r.loss_dielectric, r.loss_total});
  }
  void table_end() override { log.push_back("end"); }
  void unrealizable(float zo) override { put("unrealizable", {zo}); }

 private:
  void put(std::string s, std::initializer_list<float> values, int option = 0) {
    for (float v : values) {
      char buf[32];
      s += ' ';
      s.append(buf, std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general).ptr);
    }
    if (option != 0) s += " option " + std::to_string(option);
    log.push_back(s);
  }
};

std::string stored(std::string_view label12, std::string_view name) {
  return ex::trailer_stored(label12,
                            std::string(name) + ex::blanks(20 - static_cast<int>(name.size())));
}

std::string without_cr(std::string s) {
  std::erase(s, '\r');
  return s;
}

const std::vector<std::string> kFrequencyLog = {
    "report",
    "frequency 0.25 0.1 2.1 1.72 1.72 0 0 0.0002 37.91 3.24 4.65 option 1",
    "row 1 11.803 8.145 0.0361 0.0144 0.008 0.0585",
    "row 1.3 9.079 6.265 0.0411 0.0164 0.0105 0.068",
    "row 1.6 7.377 5.09 0.0456 0.0182 0.0129 0.0767",
    "row 1.9 6.212 4.287 0.0497 0.0199 0.0153 0.0849",
    "closing 14.815 3.79"};

std::vector<std::string> twice(std::vector<std::string> log) {
  std::vector<std::string> both = log;
  both.insert(both.end(), log.begin(), log.end());
  return both;
}

struct ReadCase {
  const char* name;
  std::string text;
  std::vector<std::string> log;
};

TEST(ReportReader, ReadsEveryRunKindAsTheRunHandedIt) {
  const std::string frequency = ex::report_header() + ex::frequency_run_reference();
  const ReadCase cases[] = {
      {"frequency, stored", frequency + stored("Frequency   ", "a.txt"), kFrequencyLog},
      {"the same file chosen twice, LF line ends",
       without_cr(frequency + stored("Frequency   ", "a.txt") + frequency +
                  stored("Frequency   ", "a.txt")),
       twice(kFrequencyLog)},
      {"sensitivity of B, written by the command line (no stored line)",
       ex::report_header() + ex::sensitivity_header("D =", "  0.1000", "  2.100") +
           ex::sensitivity_headings(true) + ex::sensitivity_outer_rows() + ex::trailer(),
       {"report", "sensitivity outer 0.1 2.1 option 2",
        "row 0.15 16.78 20.74 1.67 -2.465 2.465 -0.5", "row 0.2 28.68 17.28 2.86 -1.442 1.442 -0.5",
        "row 0.25 37.91 14.81 3.79 -1.091 1.091 -0.5", "row 0.3 45.46 12.96 4.54 -0.91 0.91 -0.5",
        "end"}},
      {"synthesis with loss stopped: the stored file ends after the last row",
       ex::report_header() + ex::synthesis_loss_outer_header() +
           ex::synthesis_loss_headings("  1.500", true) + ex::synthesis_loss_outer_rows(),
       {"report", "synthesis-loss outer 0.1 1 1.72 1.72 0 0 0 1.5 option 1",
        "row 2.8096 200 2.58 9.51 0.0084 0.0003 0 0.0087",
        "row 14.8928 300 0.5 14.26 0.0056 0 0 0.0056",
        "row 78.9407 400 0.1 19.02 0.0042 0 0 0.0042", "unrealizable nan"}},
      {"synthesis with sensitivity stopped: the console's message",
       ex::report_header() + ex::synthesis_sensitivity_outer_header() +
           ex::sensitivity_headings(true) + ex::synthesis_sensitivity_outer_rows() +
           ex::unrealizable_message(),
       {"report", "synthesis-sensitivity outer 0.1 1 option 2",
        "row 2.8096 200 2.58 9.51 -0.3 0.3 -0.5", "row 14.8928 300 0.5 14.26 -0.2 0.2 -0.5",
        "row 78.9407 400 0.1 19.02 -0.15 0.15 -0.5", "unrealizable nan"}},
      {"asterisks are missing; the writer's non-finite forms read back",
       ex::report_header() + ex::frequency_header_reference() + ex::frequency_headings() +
           ex::frequency_row("********", "       NaN", "  Infinity", " -Infinity", "     -Inf",
                             "    -0.0000", "    0.0585") +
           ex::frequency_closing_reference() + ex::trailer(),
       {"report", kFrequencyLog[1], "row nan nan inf -inf -inf -0 0.0585", "closing 14.815 3.79"}},
  };
  for (const ReadCase& c : cases) {
    Recorder r;
    ReadOutcome o = read_reports(c.text, r);
    EXPECT_FALSE(o.error) << c.name << ": " << describe(*o.error);
    EXPECT_EQ(o.reports, static_cast<std::size_t>(std::count(c.log.begin(), c.log.end(), "report")))
        << c.name;
    EXPECT_EQ(r.log, c.log) << c.name;
  }
}

struct ErrorCase {
  const char* name;
  std::string text;
  std::string error;
  std::size_t reports_before;
};

TEST(ReportReader, NamesTheLineAndColumnWhereATextStopsBeingAReport) {
  const std::string header = ex::report_header();  // lines 1 to 6
  const std::string frequency =
      header + ex::frequency_header_reference() + ex::frequency_headings();
  const std::string sensitivity = header + ex::sensitivity_header("D =", "  0.1000", "  2.100");
  const ErrorCase cases[] = {
      {"empty", "", "line 1: not a Lumo report: no report in the text", 0},
      {"blank lines only", "\r\n  \r\n", "line 3: not a Lumo report: no report in the text", 0},
      {"a CSV file", "freq_ghz,wavelength_free_space_in\r\n1,11.8\r\n",
       "line 1, column 1: not a Lumo report: expected the rule and the date line that open a "
       "report",
       0},
      {"another program's name on the date line",
       ex::lines({"", ex::blanks(6) + ex::rule(72), ex::blanks(8) + "Lumo report"}),
       "line 3, column 14: not a Lumo report: expected the rule and the date line that open a "
       "report",
       0},
      // Rows start on line 20; the second row's frequency has two decimals.
      {"a field with the wrong number of decimals",
       frequency + ex::frequency_row_1_0() +
           ex::frequency_row("    1.30", "     9.079", "     6.265", "    0.0411", "   0.0164",
                             "     0.0105", "    0.0680"),
       "line 21, column 9: not a Lumo report: expected a row of the frequency table", 0},
      {"headings of the other conductor",
       sensitivity + ex::sensitivity_headings(false) + ex::sensitivity_outer_rows() + ex::trailer(),
       "line 13: not a Lumo report: expected the column title Outer", 0},
      {"an analysis table cut short",
       sensitivity + ex::sensitivity_headings(true) + ex::sensitivity_outer_rows(),
       "line 21: not a Lumo report: expected a row of the sensitivity table or the rule after it; "
       "the text ends",
       0},
      {"text after a complete report",
       header + ex::frequency_run_reference() + stored("Frequency   ", "a.txt") + "\r\nnotes\r\n",
       "line 29, column 1: not a Lumo report: expected the rule and the date line that open a "
       "report",
       1},
  };
  for (const ErrorCase& c : cases) {
    Recorder r;
    ReadOutcome o = read_reports(c.text, r);
    ASSERT_TRUE(o.error) << c.name;
    EXPECT_EQ(describe(*o.error), c.error) << c.name;
    EXPECT_EQ(o.reports, c.reports_before) << c.name;
    EXPECT_EQ(check_reports(c.text).error->line, o.error->line) << c.name;
  }
}

}  // namespace
}  // namespace lumo
