// The command line through the real binary, in a temporary folder holding
// the delivered Lumo.DEF: each run's report against the dialogue's for the
// same answers, CSV and JSON against the report's printed fields, units,
// every refused value, the defaults file's lookup, failed writes, and a
// device or named pipe as the output.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "e2e/harness.h"
#include "support/temp_folder.h"

namespace lumo::e2e {
namespace {

using Args = std::vector<std::string>;
using Json = nlohmann::json;

Outcome run_cli(Args args, std::optional<std::string> defaults = read_source_file("Lumo.DEF"),
                std::vector<Prepared> prepared = {}) {
  Scenario s;
  s.defaults = std::move(defaults);
  s.args = std::move(args);
  s.prepared = std::move(prepared);
  return run_program(s);
}

Args with(Args args, std::initializer_list<std::string> more) {
  args.insert(args.end(), more);
  return args;
}

std::vector<std::string> split(const std::string& text, const std::string& end) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  for (std::size_t next; (next = text.find(end, at)) != std::string::npos; at = next + end.size()) {
    lines.push_back(text.substr(at, next - at));
  }
  return lines;
}

// A report field Fw.d: the value rounded to d decimals, right-aligned in w
// columns, or w asterisks when it does not fit.
struct Field {
  int width, decimals;
};
std::string field(double x, Field f) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%*.*f", f.width, f.decimals, x);
  std::string s = buf;
  return static_cast<int>(s.size()) > f.width ? std::string(static_cast<std::size_t>(f.width), '*')
                                              : s;
}

// A header block value: its text in the report lies between `before` and
// `after`.
struct HeaderValue {
  const char* key;
  const char* before;
  Field f;
  const char* after;
};

struct RunCase {
  const char* name;
  Args args;
  std::string answers;  // the same values given to the dialogue
  const char* run;      // as JSON names it
  std::string columns;  // the CSV header
  int indent;           // blanks before a row's first field
  std::vector<Field> row;
  std::vector<HeaderValue> line;
  std::optional<float> stops_at;  // wanted impedance of an unrealizable synthesis
};

std::string enters(int n) { return std::string(static_cast<std::size_t>(n), '\n'); }

const Field kF73{7, 3}, kF74{7, 4}, kF84{8, 4}, kF72{7, 2}, kF83{8, 3}, kF82{8, 2};

const std::vector<RunCase>& run_cases() {
  static const std::vector<RunCase> cases = {
      {"frequency",
       {"frequency", "--outer", "0.3", "--inner", "0.08", "--er", "2.2", "--tand", "0.0004",
        "--rho-outer", "2.5", "--rho-inner", "1.8", "--rough-outer", "20", "--rough-inner", "5",
        "--freq", "2:12:2.5"},
       "1\n0.3\n0.08\n2.2\n0.0004\n2.5\n1.8\n20\n5\n1\n2\n12\n2.5\n\n3\n",
       "frequency",
       "freq_ghz,wavelength_free_space_in,wavelength_guide_in,loss_inner_db_per_ft,"
       "loss_outer_db_per_ft,loss_dielectric_db_per_ft,loss_total_db_per_ft,multimode",
       8,
       {{8, 3}, {10, 3}, {10, 3}, {10, 4}, {9, 4}, {11, 4}, {10, 4}},
       {{"zo_ohm", "Zo  =", kF72, " Ohms"},
        {"capacitance_pf_per_in", "CAP =", kF72, " pF/Inch"},
        {"inductance_nh_per_in", "IND =", kF72, " nH/Inch"},
        {"te11_cutoff_ghz", "TE11 Mode Cutoff = ", kF83, " GHz"},
        {"peak_power_kw", "Peak Power (In Air) = ", kF82, " kW"}},
       std::nullopt},
      // The steps from D 0.25 on are left out: D would not be below B.
      {"sensitivity of D",
       {"sensitivity", "--vary", "inner", "--range", "0.05:0.3:0.05"},
       enters(9) + "2\n1\n0.05\n0.3\n0.05\n\n3\n",
       "sensitivity",
       "inner_in,zo_ohm,te11_cutoff_ghz,peak_power_kw,s_zo_inner,s_zo_outer,s_zo_er",
       6,
       {{9, 4}, {10, 2}, {9, 2}, {10, 2}, {9, 3}, {10, 3}, {11, 3}},
       {{"outer_in", "B =", kF84, "\""}, {"er", "Er  =", kF73, "\r\n"}},
       std::nullopt},
      {"synthesis of B with loss",
       {"synthesize", "--conductor", "outer", "--inner", "0.1", "--impedance", "30:90:10",
        "--loss-at", "3.5"},
       "2\n2\n0.1\n" + enters(6) + "1\n30\n90\n10\n3.5\n\n3\n",
       "synthesis-loss",
       "outer_in,zo_ohm,te11_cutoff_ghz,peak_power_kw,loss_inner_db_per_ft,"
       "loss_outer_db_per_ft,loss_dielectric_db_per_ft,loss_total_db_per_ft",
       6,
       {{7, 4}, {9, 2}, {9, 2}, {9, 2}, {9, 4}, {9, 4}, {10, 4}, {9, 4}},
       {{"inner_in", "D =", kF74, "\""},
        {"er", "Er =", kF73, "\r\n"},
        {"loss_freq_ghz", "", kF73, " GHz (dB/Foot)"}},
       std::nullopt},
      // D falls below what the synthesis can realize between 300 and 350 ohms.
      {"synthesis of D with sensitivity, stopped",
       {"synthesize", "--conductor", "inner", "--sensitivity", "--impedance", "250:400:50"},
       "2\n1\n" + enters(7) + "2\n250\n400\n50\n\n",
       "synthesis-sensitivity",
       "inner_in,zo_ohm,te11_cutoff_ghz,peak_power_kw,s_zo_inner,s_zo_outer,s_zo_er",
       6,
       {{9, 4}, {10, 2}, {9, 2}, {10, 2}, {9, 3}, {10, 3}, {11, 3}},
       {{"outer_in", "B =", kF74, "\""}, {"er", "Er =", kF73, "\r\n"}},
       350.0f},
  };
  return cases;
}

std::string dash_rule(int indent, int length) {
  return std::string(static_cast<std::size_t>(indent), ' ') +
         std::string(static_cast<std::size_t>(length), '-');
}

// The table rows of a report: the lines after the headings' rule (the
// second rule of the report) up to the next blank line or rule.
std::vector<std::string> report_rows(const std::string& report) {
  std::vector<std::string> rows;
  int rules = 0;
  for (const std::string& line : split(report, "\r\n")) {
    const bool rule = line.find_first_not_of(' ') != std::string::npos &&
                      line.find_first_not_of(" -") == std::string::npos;
    if (rules == 2 && (rule || line.empty())) break;
    if (rules == 2) rows.push_back(line);
    if (rule) ++rules;
  }
  return rows;
}

TEST(CommandLine, ReportIsTheDialoguesReportForTheSameAnswers) {
  const std::string menu = "\r\n      Coaxial Transmission Line calculations completed.";
  for (const RunCase& c : run_cases()) {
    Scenario dialogue;
    dialogue.defaults = read_source_file("Lumo.DEF");
    dialogue.input = c.answers;
    const Outcome d = run_program(dialogue);
    const Outcome r = run_cli(c.args);
    ASSERT_EQ(d.status, 0) << c.name << d.err;
    ASSERT_EQ(r.status, 0) << c.name << r.err;
    EXPECT_EQ(r.err, "") << c.name;
    const std::string report = mask_dates(r.out);
    const std::string said = mask_dates(d.out);
    // The report starts where the dialogue's does, after the storage prompt.
    const std::size_t at = said.find("\r\n" + dash_rule(6, 72) + "\r\n");
    ASSERT_NE(at, std::string::npos) << c.name;
    const std::string want =
        c.stops_at ? said.substr(at) : said.substr(at, said.find(menu, at) - at);
    EXPECT_EQ(first_difference(want, report), "") << c.name;
    EXPECT_TRUE(report.ends_with(
        c.stops_at ? "      Conductor SYNTHESIS calculations terminated by Lumo.\r\n"
                   : "\r\n" + dash_rule(6, 72) + "\r\n"))
        << c.name;
  }
}

TEST(CommandLine, CsvAndJsonRoundToTheReportsFields) {
  for (const RunCase& c : run_cases()) {
    const Outcome report = run_cli(c.args);
    const Outcome csv = run_cli(with(c.args, {"--format", "csv"}));
    const Outcome json = run_cli(with(c.args, {"--format=json"}));
    ASSERT_EQ(csv.status, 0) << c.name;
    ASSERT_EQ(json.status, 0) << c.name;
    const std::string note =
        c.stops_at ? "lumo: note: the synthesis stopped at 350 ohms, which needs unrealizable "
                     "dimensions; the rows before it are written\n"
                   : "";
    EXPECT_EQ(csv.err, note) << c.name;
    EXPECT_EQ(json.err, note) << c.name;

    const std::vector<std::string> printed = report_rows(report.out);
    const std::vector<std::string> lines = split(csv.out, "\r\n");
    ASSERT_GE(lines.size(), 2u) << c.name;
    EXPECT_EQ(lines[0], c.columns) << c.name;
    ASSERT_EQ(printed.size(), lines.size() - 1) << c.name;
    const Json doc = Json::parse(json.out);
    EXPECT_EQ(doc["run"], c.run);
    ASSERT_EQ(doc["rows"].size(), printed.size()) << c.name;
    const std::vector<std::string> names = split(c.columns + ",", ",");

    for (std::size_t i = 0; i < printed.size(); ++i) {
      std::vector<std::string> values = split(lines[i + 1] + ",", ",");
      // The frequency table's line stays below its TE11 cut-off (13.3 GHz).
      if (names.back() == "multimode") {
        EXPECT_EQ(values.back(), "false") << c.name << " row " << i;
        EXPECT_EQ(doc["rows"][i]["multimode"], false) << c.name << " row " << i;
        values.pop_back();
      }
      ASSERT_EQ(values.size(), c.row.size()) << c.name << " row " << i;
      std::string rebuilt(static_cast<std::size_t>(c.indent), ' ');
      for (std::size_t j = 0; j < values.size(); ++j) {
        char* end = nullptr;
        const float x = std::strtof(values[j].c_str(), &end);
        EXPECT_EQ(*end, '\0') << values[j];
        rebuilt += field(static_cast<double>(x), c.row[j]);
        // JSON has the same single-precision value under the CSV's name.
        EXPECT_EQ(doc["rows"][i][names[j]].get<float>(), x) << c.name << " " << names[j];
      }
      EXPECT_EQ(rebuilt, printed[i]) << c.name << " row " << i;
    }
    for (const HeaderValue& h : c.line) {
      const std::string text = h.before + field(doc["line"][h.key].get<double>(), h.f) + h.after;
      EXPECT_NE(report.out.find(text), std::string::npos) << c.name << ": " << text;
    }
    if (c.stops_at) {
      EXPECT_EQ(doc["unrealizable"]["zo_ohm"].get<float>(), *c.stops_at);
    } else {
      EXPECT_FALSE(doc.contains("unrealizable"));
    }
  }
}

// The line-model formats of the delivered line from 16 to 18 GHz, whose
// exact TE11 cut-off is 16.9220 GHz: their layouts, and 1 ft of line losing
// what the CSV's total loss per foot says.
TEST(CommandLine, LineModelFormatsLayOutTheirFiles) {
  const Args run{"frequency", "--freq", "16:18:1"};
  const Outcome csv = run_cli(with(run, {"--format", "csv"}));
  const Outcome s2p =
      run_cli(with(run, {"--format", "s2p", "--length", "304.8mm", "--s-format", "db"}));
  const Outcome rlgc = run_cli(with(run, {"--format", "rlgc"}));
  const Outcome spice = run_cli({"frequency", "--freq", "18:18:1", "--format", "spice", "--length",
                                 "1ft", "--name", "amp_1"});
  const std::string warning =
      "lumo: warning: the sweep reaches 18 GHz, at or above the TE11 cut-off of 16.9220 GHz: "
      "the line is multimode there\n";
  for (const Outcome* o : {&s2p, &rlgc, &spice}) {
    EXPECT_EQ(o->status, 0);
    EXPECT_EQ(o->err, warning);
  }
  const std::string multimode =
      "the line is multimode at and above 16.9220 GHz (exact TE11 cut-off), where this gives "
      "the TEM mode alone";

  const std::vector<std::string> lines = split(s2p.out, "\n");
  ASSERT_EQ(lines.size(), 10u) << s2p.out;
  EXPECT_EQ(lines[0], "! lumo " LUMO_VERSION ": S-parameters of a length of coaxial line");
  EXPECT_EQ(lines[2],
            "! resistivity outer 1.72, inner 1.72 micro-ohm-cm; roughness outer 10, inner 10 "
            "micro-inches");
  EXPECT_EQ(lines[3], "! length 304.8 mm (0.3048 m), reference impedance 50 ohms");
  EXPECT_EQ(lines[5], "! " + multimode);
  EXPECT_EQ(lines[6], "# GHz S DB R 50");
  const std::vector<std::string> losses = split(csv.out, "\r\n");
  ASSERT_EQ(losses.size(), 4u);
  for (int i = 0; i < 3; ++i) {
    std::istringstream row(lines[7 + static_cast<std::size_t>(i)]);
    double f = 0, v[8] = {};
    row >> f >> v[0] >> v[1] >> v[2] >> v[3] >> v[4] >> v[5] >> v[6] >> v[7];
    EXPECT_TRUE(row.eof() && !row.fail()) << row.str();
    EXPECT_EQ(f, 16 + i);
    const std::vector<std::string> csv_row = split(losses[1 + static_cast<std::size_t>(i)], ",");
    const double total_db = std::strtod(csv_row.back().c_str(), nullptr);
    // Less the internal inductance's share, below 0.1 % here.
    EXPECT_NEAR(-v[2] / total_db, 1, 2e-3) << f;
    EXPECT_EQ(v[2], v[4]);  // S21 = S12, S11 = S22
    EXPECT_EQ(v[0], v[6]);
    EXPECT_LT(v[0], -40);  // 49.9 against 50 ohms
  }

  const std::vector<std::string> table = split(rlgc.out, "\r\n");
  ASSERT_EQ(table.size(), 4u);
  EXPECT_EQ(table[0],
            "freq_ghz,r_ohm_per_m,l_h_per_m,g_s_per_m,c_f_per_m,zc_re_ohm,zc_im_ohm,alpha_np_per_m,"
            "beta_rad_per_m,multimode");
  const char* flags[] = {"false", "true", "true"};
  for (std::size_t i = 0; i < 3; ++i) {
    const std::vector<std::string> v = split(table[i + 1] + ",", ",");
    ASSERT_EQ(v.size(), 10u);
    EXPECT_EQ(v[9], flags[i]);
    // C = sqrt(Er) / (Zo c0) for Zo 49.90 ohms.
    EXPECT_NEAR(std::strtod(v[4].c_str(), nullptr) / (std::sqrt(2.1) / (49.90 * 299792458.0)), 1,
                1e-4);
  }

  const std::vector<std::string> net = split(spice.out, "\n");
  ASSERT_GE(net.size(), 4u);
  EXPECT_NE(spice.out.find("* " + multimode + "\n"), std::string::npos);
  EXPECT_EQ(net[net.size() - 4], ".subckt amp_1 1 2 3 4");
  EXPECT_EQ(net[net.size() - 3], "Oamp_1 1 2 3 4 amp_1_ltra");
  EXPECT_EQ(net[net.size() - 2].substr(0, 25), ".model amp_1_ltra ltra r=");
  EXPECT_NE(net[net.size() - 2].find(" g=0 c="), std::string::npos);
  EXPECT_TRUE(net[net.size() - 2].ends_with(" len=0.3048"));
  EXPECT_EQ(net.back(), ".ends amp_1");
}

TEST(CommandLine, UnitsGiveTheSameRunAsInches) {
  const std::vector<std::pair<Args, Args>> pairs = {
      {{"frequency", "--outer", "6.1595mm", "--inner", "72.6 mil", "--freq",
        "1000MHz:18GHz:500000kHz", "--rough-outer", "0.254um", "--rough-inner", "254NM"},
       {"frequency", "--outer", "0.2425", "--inner", "0.0726", "--freq", "1:18:0.5",
        "--rough-outer", "10", "--rough-inner", "10"}},
      {{"sensitivity", "--vary", "outer", "--range", "2540um:0.5in:0.0254mm"},
       {"sensitivity", "--vary", "outer", "--range", "0.1:0.5:0.001"}},
      {{"synthesize", "--conductor", "outer", "--inner", "1.84404mm", "--loss-at", "3500 MHz"},
       {"synthesize", "--conductor", "outer", "--inner", "0.0726", "--loss-at", "3.5"}},
  };
  for (const auto& [units, inches] : pairs) {
    const Outcome a = run_cli(with(units, {"--format", "csv"}));
    const Outcome b = run_cli(with(inches, {"--format", "csv"}));
    EXPECT_EQ(a.status, 0) << a.err;
    EXPECT_GT(a.out.size(), 200u);
    EXPECT_EQ(a.out, b.out) << units[0];
  }
}

// The nearest single-precision value beyond `x`, as the shortest text.
std::string beyond(const std::string& x, float toward) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.9g",
                static_cast<double>(std::nextafter(std::strtof(x.c_str(), nullptr), toward)));
  return buf;
}

std::string fill(std::string pattern, const std::string& value) {
  return pattern.replace(pattern.find("{}"), 2, value);
}

// A refused value: the one stderr line, status 2, nothing on stdout and no
// output file (every case asks for one).
void expect_refused(const Args& args, const std::string& line) {
  const Outcome o = run_cli(with(args, {"-o", "out.csv"}));
  EXPECT_EQ(o.status, 2) << line;
  EXPECT_EQ(o.err, line + "\n");
  EXPECT_EQ(o.out, "") << line;
  EXPECT_EQ(o.files.size(), 1u) << line;  // Lumo.DEF alone
}

void expect_accepted(const Args& args) {
  const bool formatted = std::find(args.begin(), args.end(), "--format") != args.end();
  const Outcome o = run_cli(formatted ? args : with(args, {"--format", "csv"}));
  EXPECT_EQ(o.status, 0) << args.back() << ": " << o.err;
}

TEST(CommandLine, EveryRangeIsProbedAtItsBoundsAndJustBeyond) {
  struct Bounds {
    Args run;
    const char* option;
    const char* pattern;  // the option's value, {} standing for the probe
    const char* low;      // "" when the low end is not probed
    bool low_open;
    const char* high;  // "" when there is no upper bound
    const char* rule;
  };
  const Args freq{"frequency"}, syn_d{"synthesize", "--conductor", "inner"},
      syn_b{"synthesize", "--conductor", "outer"}, sens_b{"sensitivity", "--vary", "outer"},
      s2p{"frequency", "--format", "s2p"};
  const Bounds table[] = {
      {syn_d, "--outer", "{}", "0.0001", false, "99.99",
       "outer diameter must be from 0.0001 to 99.99 in"},
      {syn_b, "--inner", "{}", "0.0001", false, "99.99",
       "inner diameter must be from 0.0001 to 99.99 in"},
      {freq, "--er", "{}", "1", false, "999.99",
       "relative dielectric constant must be from 1 to 999.99"},
      {freq, "--tand", "{}", "0", false, "99.999", "loss tangent must be from 0 to 99.999"},
      {freq, "--rho-outer", "{}", "0", false, "999.99",
       "outer resistivity must be from 0 to 999.99 micro-ohm-cm"},
      {freq, "--rho-inner", "{}", "0", false, "999.99",
       "inner resistivity must be from 0 to 999.99 micro-ohm-cm"},
      {freq, "--rough-outer", "{}", "0", false, "999.99",
       "outer roughness must be from 0 to 999.99 micro-inches"},
      {freq, "--rough-inner", "{}", "0", false, "999.99",
       "inner roughness must be from 0 to 999.99 micro-inches"},
      {s2p, "--length", "{}", "0", true, "", "line length must be above 0 in"},
      {with(s2p, {"--length", "1"}), "--zref", "{}", "0", true, "",
       "reference impedance must be above 0 ohms"},
      {freq, "--freq", "{}:999.99:100", "0.001", true, "999.99",
       "start frequency must be above 0.001 and at most 999.99 GHz"},
      {freq, "--freq", "0.002:{}:1", "", true, "999.99",
       "stop frequency must be above 0 and at most 999.99 GHz"},
      {freq, "--freq", "1:2:{}", "", true, "", "frequency step must be above 0 GHz"},
      {sens_b, "--range", "{}:99.99:10", "0.0001", false, "99.99",
       "minimum diameter must be from 0.0001 to 99.99 in"},
      {sens_b, "--range", "0.0001:{}:10", "", false, "99.99",
       "maximum diameter must be from 0.0001 to 99.99 in"},
      {sens_b, "--range", "0.2:0.3:{}", "", true, "", "diameter step must be above 0 in"},
      {syn_b, "--impedance", "{}:999.99:100", "0.01", false, "999.99",
       "minimum impedance must be from 0.01 to 999.99 ohms"},
      {syn_b, "--impedance", "0.01:{}:100", "", false, "999.99",
       "maximum impedance must be from 0.01 to 999.99 ohms"},
      {syn_b, "--impedance", "40:50:{}", "", true, "", "impedance step must be above 0 ohms"},
      {syn_b, "--loss-at", "{}", "0", true, "999.99",
       "loss frequency must be above 0 and at most 999.99 GHz"},
  };
  const float up = INFINITY, down = -INFINITY;
  for (const Bounds& b : table) {
    auto probe = [&](const std::string& value, bool accepted) {
      const std::string given = fill(b.pattern, value);
      const Args args = with(b.run, {b.option, given});
      if (accepted) {
        expect_accepted(args);
      } else {
        expect_refused(args, "lumo: " + std::string(b.option) + " " + given + ": " + b.rule);
      }
    };
    const std::string low = *b.low ? b.low : "";
    if (!low.empty()) {
      probe(low, !b.low_open);
      probe(beyond(low, b.low_open ? up : down), b.low_open);
    } else if (b.low_open) {
      probe("0", false);
    }
    if (*b.high) {
      probe(b.high, true);
      probe(beyond(b.high, up), false);
    }
  }
}

TEST(CommandLine, OtherRefusalsNameTheOptionAndWhatIsAccepted) {
  const std::pair<Args, std::string> table[] = {
      {{"frequency", "--outer", "5furlong"},
       "lumo: --outer 5furlong: unknown unit 'furlong'; a length takes in, mil, mm or um"},
      {{"frequency", "--freq", "1:x:1"},
       "lumo: --freq 1:x:1: stop frequency: not a number; a frequency is a number with an "
       "optional unit GHz, MHz or kHz"},
      {{"frequency", "--er", "3mm"}, "lumo: --er 3mm: relative dielectric constant takes no unit"},
      {{"frequency", "--rho-inner", "2 ohm"},
       "lumo: --rho-inner 2 ohm: inner resistivity takes no unit (it is in micro-ohm-cm)"},
      {{"frequency", "--outer", "1e400"},
       "lumo: --outer 1e400: outer diameter must be from 0.0001 to 99.99 in"},
      {{"frequency", "--inner", "0.2425"},
       "lumo: --inner 0.2425: the outer diameter (0.2425 in) must exceed the inner diameter "
       "(0.2425 in)"},
      {{"sensitivity", "--vary", "inner", "--outer", "1.84404mm"},
       "lumo: --outer 1.84404mm: the outer diameter (0.0726 in) must exceed the inner diameter "
       "(0.0726 in)"},
      {{"frequency", "--er", "1", "--tand", "0.01"},
       "lumo: --tand 0.01: not used when Er is 1 (air has no dielectric loss)"},
      {{"frequency", "--freq", "18:1:1"}, "lumo: --freq 18:1:1: START must not exceed STOP"},
      // (18 - 1) / 1e-7 rounds to 170000000 in single precision.
      {{"frequency", "--freq", "1:18:1e-7"},
       "lumo: --freq 1:18:1e-7: the sweep has 170000001 rows, more than 10000000 (--max-rows "
       "raises the limit)"},
      {{"frequency", "--freq", "1:2:1", "--max-rows", "1"},
       "lumo: --freq 1:2:1: the sweep has 2 rows, more than 1 (--max-rows raises the limit)"},
      {{"frequency", "--max-rows", "1e3"},
       "lumo: --max-rows 1e3: the row limit must be a whole number of at least 1"},
      {{"frequency", "--format", "xml"},
       "lumo: --format xml: the format must be report, csv, json, s2p, spice or rlgc (see lumo "
       "frequency --help)"},
      {{"sensitivity", "--vary", "inner", "--format", "s2p"},
       "lumo: --format s2p: the format must be report, csv or json (see lumo --help)"},
      // The line model's options, each where its format uses it.
      {{"frequency", "--format", "s2p"}, "lumo: --format s2p needs --length L"},
      {{"frequency", "--format", "spice", "--length", "-1ft"},
       "lumo: --length -1ft: line length must be above 0 in"},
      {{"frequency", "--format", "s2p", "--length", "2furlong"},
       "lumo: --length 2furlong: unknown unit 'furlong'; a length takes in, ft, mil, mm, cm or m"},
      {{"frequency", "--format", "csv", "--length", "1"},
       "lumo: --length 1: not used with --format csv"},
      {{"frequency", "--format", "rlgc", "--length", "1"},
       "lumo: --length 1: not used with --format rlgc"},
      {{"frequency", "--format", "spice", "--length", "1", "--zref", "75"},
       "lumo: --zref 75: not used with --format spice"},
      {{"frequency", "--format", "s2p", "--length", "1", "--name", "x"},
       "lumo: --name x: not used with --format s2p"},
      {{"frequency", "--format", "s2p", "--length", "1", "--s-format", "RI"},
       "lumo: --s-format RI: the S-parameter format must be ri, ma or db"},
      {{"frequency", "--format", "spice", "--length", "1", "--freq", "1:2:1"},
       "lumo: --freq: with --format spice the sweep must have exactly one row (the model holds "
       "at one frequency), not 2"},
      {{"frequency", "--format", "spice", "--length", "1", "--freq", "1:1:1", "--name", "9a"},
       "lumo: --name 9a: a subcircuit name is a letter, then up to 31 letters, digits or _"},
      {{"frequency", "--bogus"},
       "lumo: The following argument was not expected: --bogus (see lumo frequency --help)"},
      {{"frequency", "--loss-at", "5"},
       "lumo: The following arguments were not expected: 5 --loss-at (see lumo frequency "
       "--help)"},
      {{"bogus"},
       "lumo: bogus: unknown subcommand; the subcommands are frequency, sensitivity, "
       "synthesize, modes, tolerance, lines, plot and export (see lumo --help)"},
      {{"sensitivity"}, "lumo: sensitivity needs --vary inner or --vary outer"},
      {{"synthesize", "--conductor", "middle"},
       "lumo: --conductor middle: the conductor must be inner or outer"},
      {{"synthesize", "--conductor", "outer", "--outer", "1"},
       "lumo: --outer 1: not used when that conductor is synthesized"},
      {{"synthesize", "--conductor", "inner", "--sensitivity", "--loss-at", "5"},
       "lumo: --loss-at 5: not used with --sensitivity"},
      {{"frequency", "--defaults", "nothere.def"},
       "lumo: --defaults nothere.def: No such file or directory"},
  };
  for (const auto& [args, line] : table) expect_refused(args, line);

  // The defaults file in use is never the output.
  const Outcome o = run_cli({"frequency", "-o", "Lumo.DEF"});
  EXPECT_EQ(o.status, 2);
  EXPECT_EQ(o.err, "lumo: -o Lumo.DEF: that is the defaults file in use\n");
  EXPECT_EQ(o.files.at("Lumo.DEF"), read_source_file("Lumo.DEF"));
}

// A sweep of two parts is refused as a whole; a part that is not a number is
// named as its field.
TEST(CommandLine, EachSweepNamesItsFaultyPart) {
  const std::pair<Args, std::string> table[] = {
      {{"frequency", "--freq", "1:18"}, "lumo: --freq 1:18: a sweep is START:STOP:STEP"},
      {{"frequency", "--freq", "x:18:1"},
       "lumo: --freq x:18:1: start frequency: not a number; a frequency is a number with an "
       "optional unit GHz, MHz or kHz"},
      {{"sensitivity", "--vary", "outer", "--range", "1:2"},
       "lumo: --range 1:2: a sweep is START:STOP:STEP"},
      {{"sensitivity", "--vary", "outer", "--range", "x:0.5:0.1"},
       "lumo: --range x:0.5:0.1: minimum diameter: not a number; a length is a number with an "
       "optional unit in, mil, mm or um"},
      {{"synthesize", "--conductor", "outer", "--impedance", "30:90"},
       "lumo: --impedance 30:90: a sweep is START:STOP:STEP"},
      {{"synthesize", "--conductor", "outer", "--impedance", "x:90:10"},
       "lumo: --impedance x:90:10: minimum impedance: not a number"},
  };
  for (const auto& [args, line] : table) expect_refused(args, line);
}

// The standard defaults with another outer diameter B.
std::string with_outer(const std::string& b) {
  std::string text = kReferenceLineDefaults;
  return text.replace(text.find("0.25 "), 4, b);
}

std::string file_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

TEST(CommandLine, DefaultsComeFromTheOptionTheFolderTheInstallationOrTheProgram) {
  const std::vector<Prepared> installed = {
      {Prepared::kDirectory, "pre/bin", "", 0},
      {Prepared::kDirectory, "pre/share/lumo", "", 0},
      {Prepared::kFile, "pre/bin/lumo", file_bytes(binary_path()), 0755},
      {Prepared::kFile, "pre/share/lumo/Lumo.DEF", with_outer("0.31"), 0644}};
  struct Lookup {
    std::optional<std::string> folder;  // ./Lumo.DEF
    bool install;                       // run pre/bin/lumo beside its share folder
    Args extra;
    std::string source;  // the end of inputs.defaults
    float outer;
  };
  const Lookup table[] = {
      {std::nullopt, false, {}, "the built-in Lumo.DEF", 0.2425f},
      {kReferenceLineDefaults, false, {}, "Lumo.DEF", 0.25f},
      {kReferenceLineDefaults, false, {"--defaults", "other.def"}, "other.def", 0.3f},
      {std::nullopt, true, {}, "/pre/share/lumo/Lumo.DEF", 0.31f},
      {kReferenceLineDefaults, true, {}, "Lumo.DEF", 0.25f},
  };
  for (const Lookup& l : table) {
    Scenario s;
    s.defaults = l.folder;
    s.args = {"frequency", "--format", "json"};
    s.args.insert(s.args.end(), l.extra.begin(), l.extra.end());
    s.prepared = {{Prepared::kFile, "other.def", with_outer("0.3 "), 0644}};
    if (l.install) {
      s.prepared.insert(s.prepared.end(), installed.begin(), installed.end());
      s.program = "pre/bin/lumo";
    }
    const Outcome o = run_program(s);
    ASSERT_EQ(o.status, 0) << l.source << o.err;
    const Json doc = Json::parse(o.out);
    const std::string source = doc["inputs"]["defaults"];
    EXPECT_TRUE(source.ends_with(l.source)) << source;
    EXPECT_EQ(doc["inputs"]["outer_in"].get<float>(), l.outer) << l.source;
  }

  // A fault in the file: the loader's message as one line, status 1.
  std::string faulty = kReferenceLineDefaults;
  faulty.replace(faulty.find("2.1 "), 4, "0.5 ");
  const Outcome o = run_cli({"frequency"}, faulty);
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out, "");
  EXPECT_EQ(o.err,
            "lumo: Lumo.DEF: ERROR exists in Lumo default data file (Lumo.DEF). Fix entry for "
            "variable ER.\n");
}

TEST(CommandLine, AFailedWriteKeepsTheOldFile) {
  const Args args{"frequency", "--format", "csv", "--freq", "1:18:0.001"};
  const std::string table = run_cli(args).out;
  ASSERT_GT(table.size(), 100000u);
  struct Write {
    const char* to;
    long limit;
    int status;
    std::string err;
    std::string content;  // of out.csv afterwards
  };
  const Write cases[] = {
      {"out.csv", 0, 0,
       "lumo: warning: the sweep reaches 18 GHz, at or above the TE11 cut-off of 16.9220 GHz: "
       "the line is multimode there\n",
       table},
      {"out.csv", 4096, 1, "lumo: -o out.csv: File too large\n", "old\n"},
      {"sub", 0, 1, "lumo: -o sub: Is a directory\n", "old\n"},
      {"none/out.csv", 0, 1, "lumo: -o none/out.csv: No such file or directory\n", "old\n"},
  };
  for (const Write& w : cases) {
    Scenario s;
    s.defaults = read_source_file("Lumo.DEF");
    s.args = with(args, {"-o", w.to});
    s.prepared = {{Prepared::kFile, "out.csv", "old\n", 0644},
                  {Prepared::kDirectory, "sub", "", 0}};
    s.file_size_limit = w.limit;
    const Outcome o = run_program(s);
    EXPECT_EQ(o.status, w.status) << w.to;
    EXPECT_EQ(o.err, w.err);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.files.size(), 2u) << "no temporary file is left";
    EXPECT_TRUE(o.files.at("out.csv") == w.content) << w.to << " " << w.limit;
  }
}

// The reading end of a named pipe, drained on a thread of its own while the
// program writes; opened without waiting for a writer, and given up 100 ms
// after `bytes` is asked for when no writer comes, so a failing program
// cannot hang the test.
class PipeReader {
 public:
  explicit PipeReader(const std::string& path)
      : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
    if (fd_ >= 0) thread_ = std::thread([this] { drain(); });
  }
  ~PipeReader() {
    if (thread_.joinable()) bytes();
    if (fd_ >= 0) ::close(fd_);
  }
  PipeReader(const PipeReader&) = delete;
  PipeReader& operator=(const PipeReader&) = delete;

  bool open() const { return fd_ >= 0; }
  // Every byte written, once the writer has closed its end.
  std::string bytes() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return got_;
  }

 private:
  void drain() {
    char buf[65536];
    for (;;) {
      pollfd p{fd_, POLLIN, 0};
      const int r = ::poll(&p, 1, 100);
      if (r < 0 && errno == EINTR) continue;
      if (r < 0 || (r == 0 && stop_)) return;
      if (r == 0) continue;
      const ssize_t n = ::read(fd_, buf, sizeof buf);
      if (n > 0) got_.append(buf, static_cast<std::size_t>(n));
      // End of file: a writer came and closed its end.
      if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) return;
    }
  }
  int fd_;
  std::atomic<bool> stop_{false};
  std::string got_;
  std::thread thread_;
};

TEST(CommandLine, ADeviceOrANamedPipeIsWrittenDirectly) {
  // 1501 rows, more than a pipe holds: the reader must keep up.
  const Args args{"frequency", "--format", "csv", "--freq", "1:16:0.01"};
  const Outcome plain = run_cli(args);
  ASSERT_EQ(plain.status, 0) << plain.err;
  ASSERT_GT(plain.out.size(), 65536u);
  const lumo::testing::TempFolder folder("fifo");
  const std::string fifo = folder.path("table");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  struct Target {
    std::string to;
    bool on_stdout;  // the table arrives on standard output
  };
  const Target targets[] = {{"/dev/null", false}, {"/dev/stdout", true}, {fifo, false}};
  for (const Target& t : targets) {
    std::optional<PipeReader> reader;
    if (t.to == fifo) {
      reader.emplace(fifo);
      ASSERT_TRUE(reader->open());
    }
    const Outcome o = run_cli(with(args, {"-o", t.to}));
    EXPECT_EQ(o.status, 0) << t.to;
    EXPECT_EQ(o.err, "") << t.to;
    EXPECT_TRUE(o.out == (t.on_stdout ? plain.out : "")) << t.to;
    if (reader) {
      EXPECT_TRUE(reader->bytes() == plain.out) << t.to;
    }
    EXPECT_EQ(o.files.size(), 1u) << t.to << ": Lumo.DEF alone";
  }
}

TEST(CommandLine, VersionAndHelp) {
  const Outcome v = run_cli({"--version"});
  EXPECT_EQ(v.status, 0);
  EXPECT_EQ(v.out, "lumo " LUMO_VERSION "\n");
  const std::pair<Args, const char*> helps[] = {
      {{"--help"}, "synthesize"},        {{"--help"}, "tolerance"},
      {{"modes", "--help"}, "--er"},     {{"tolerance", "--help"}, "--rl-target"},
      {{"-h"}, "sensitivity"},           {{"frequency", "--help"}, "--freq"},
      {{"sensitivity", "-h"}, "--vary"}, {{"synthesize", "--help"}, "--loss-at"}};
  for (const auto& [args, word] : helps) {
    const Outcome o = run_cli(args);
    EXPECT_EQ(o.status, 0) << word;
    EXPECT_EQ(o.err, "");
    EXPECT_NE(o.out.find(word), std::string::npos) << word;
  }
}

}  // namespace
}  // namespace lumo::e2e
