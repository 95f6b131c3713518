// The engineering checks through the real binary: exact cut-offs against a
// reference table computed independently, the tolerance analysis of the
// delivered line against hand-computed numbers, refused values, the
// tolerance plot's file, and the frequency run's multimode flag and warning.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "e2e/harness.h"

namespace lumo::e2e {
namespace {

using Args = std::vector<std::string>;
using Json = nlohmann::json;

Outcome run_cli(Args args) {
  Scenario s;
  s.defaults = read_source_file("Lumo.DEF");
  s.args = std::move(args);
  return run_program(s);
}

Args with(Args args, std::initializer_list<std::string> more) {
  args.insert(args.end(), more);
  return args;
}

std::vector<std::string> split(const std::string& text, char sep) {
  std::vector<std::string> parts(1);
  for (char c : text) {
    if (c == sep) {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

double number(const std::string& text) {
  char* end = nullptr;
  const double x = std::strtod(text.c_str(), &end);
  EXPECT_EQ(*end, '\0') << text;
  return x;
}

TEST(ChecksCommands, ModesMatchTheReferenceCutoffs) {
  struct Line {
    Args line;  // empty: the delivered Lumo.DEF
    double estimate, te11, te21, tm01;
  };
  const Line table[] = {
      {{}, 16.455, 16.9220, 31.7425, 47.1284},
      {{"--outer", "0.1175", "--inner", "0.0362", "--er", "2.03"},
       34.312,
       35.2781,
       66.4356,
       100.2467},
      {{"--outer", "7mm", "--inner", "3.04mm", "--er", "1"}, 19.009, 19.4044, 38.0248, 75.0658},
      {{"--outer", "3.5mm", "--inner", "1.52 mm", "--er", "1"}, 38.019, 38.8087, 76.0496, 150.1317},
      {{"--outer", "0.805", "--inner", "0.350", "--er", "1"}, 6.506, 6.6405, 13.0140, 25.7218},
  };
  for (const Line& l : table) {
    const std::string name = l.line.empty() ? "delivered" : l.line[1];
    Args args{"modes"};
    args.insert(args.end(), l.line.begin(), l.line.end());
    const Outcome table_csv = run_cli(with(args, {"--format", "csv"}));
    const Outcome json = run_cli(with(args, {"--format", "json"}));
    ASSERT_EQ(table_csv.status, 0) << name << table_csv.err;
    ASSERT_EQ(json.status, 0) << name << json.err;
    EXPECT_EQ(table_csv.err + json.err, "") << name;

    const std::vector<std::string> rows = split(table_csv.out, '\n');
    ASSERT_EQ(rows.size(), 6u) << name;  // header, four modes, "" after the last CR LF
    EXPECT_EQ(rows[0], "mode,cutoff_ghz,method\r");
    const std::pair<const char*, double> want[] = {
        {"TE11", l.estimate}, {"TE11", l.te11}, {"TE21", l.te21}, {"TM01", l.tm01}};
    for (std::size_t i = 0; i < 4; ++i) {
      const std::vector<std::string> f = split(rows[i + 1], ',');
      ASSERT_EQ(f.size(), 3u) << rows[i + 1];
      EXPECT_EQ(f[0], want[i].first);
      EXPECT_EQ(f[2], i == 0 ? "estimate\r" : "exact\r");
      // The estimate to the report's three printed decimals, the rest to 1e-3 GHz.
      EXPECT_NEAR(number(f[1]), want[i].second, i == 0 ? 5e-4 : 1e-3) << name << " " << rows[i + 1];
    }
    const Json doc = Json::parse(json.out);
    EXPECT_EQ(doc["run"], "modes");
    const Json& j = doc["line"];
    EXPECT_NEAR(j["te11_cutoff_ghz"].get<double>(), l.estimate, 5e-4) << name;
    EXPECT_NEAR(j["te11_exact_ghz"].get<double>(), l.te11, 1e-3) << name;
    EXPECT_NEAR(j["te21_exact_ghz"].get<double>(), l.te21, 1e-3) << name;
    EXPECT_NEAR(j["tm01_exact_ghz"].get<double>(), l.tm01, 1e-3) << name;
  }

  // The report: the checks' table, for the delivered line.
  const Outcome report = run_cli({"modes"});
  EXPECT_EQ(report.status, 0);
  EXPECT_EQ(report.out,
            "B = 0.2425 in, D = 0.0726 in, Er = 2.1\n"
            "\n"
            "Mode                      Cut-off, GHz\n"
            "TE11 (estimate)                 16.455\n"
            "TE11                           16.9220\n"
            "TE21                           31.7425\n"
            "TM01                           47.1284\n"
            "\n"
            "Velocity factor                0.69007\n"
            "Delay, ns/ft                   1.47334\n");

  // A diameter in another unit prints as given, its inches to 5 places beside.
  const std::pair<Args, std::string> given[] = {
      {{"modes", "--outer", "3.5mm", "--inner", "1.52 MM", "--er", "1"},
       "B = 3.5 mm (0.13780 in), D = 1.52 mm (0.05984 in), Er = 1\n"},
      {{"modes", "--outer", "0.25in", "--inner", "+36.2 mil"},
       "B = 0.25 in, D = +36.2 mil (0.03620 in), Er = 2.1\n"},
  };
  for (const auto& [args, first] : given) {
    const Outcome o = run_cli(args);
    EXPECT_EQ(o.out.substr(0, o.out.find('\n') + 1), first);
  }
}

// The delivered line with B 0.2425 +- 0.0005, D 0.0726 +- 0.0003, Er 2.1 +- 0.02.
const Args kTolerance{"tolerance", "--tol-outer", "0.0005", "--tol-inner",
                      "0.0003",    "--tol-er",    "0.02"};

TEST(ChecksCommands, ToleranceOfTheDeliveredLine) {
  struct Case {
    Args args;
    double nominal, lowest, highest;
  };
  // Zo = 59.9585 / sqrt(Er) arccosh((B^2 + D^2 - 4 C^2) / (2 B D)) at the
  // nominal and the two extreme corners; lengths in other units alike.
  const Case cases[] = {
      {kTolerance, 49.9001, 49.4094, 50.3972},
      {{"tolerance", "--tol-outer", "0.5mil", "--tol-inner", "7.62um", "--tol-er", "0.02",
        "--samples", "1000"},
       49.9001,
       49.4094,
       50.3972},
      {with(kTolerance, {"--offset", "0.001"}), 49.8970, 49.4063, 50.3972},
  };
  for (const Case& c : cases) {
    const Outcome o = run_cli(with(c.args, {"--format", "json"}));
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "");
    const Json doc = Json::parse(o.out);
    const Json& w = doc["worst_case"];
    EXPECT_NEAR(w["nominal_zo_ohm"].get<double>(), c.nominal, 5e-5);
    EXPECT_NEAR(w["lowest"]["zo_ohm"].get<double>(), c.lowest, 5e-5);
    EXPECT_NEAR(w["highest"]["zo_ohm"].get<double>(), c.highest, 5e-5);
    EXPECT_EQ(w["lowest"]["outer"], -1);  // B-, D+, Er+
    EXPECT_EQ(w["lowest"]["inner"], 1);
    EXPECT_EQ(w["lowest"]["er"], 1);
    EXPECT_EQ(w["highest"]["outer"], 1);  // B+, D-, Er-
    EXPECT_EQ(w["highest"]["inner"], -1);
    EXPECT_EQ(w["highest"]["er"], -1);
    EXPECT_NEAR(doc["window"]["low_ohm"].get<double>(), 46.9347, 5e-5);
    EXPECT_NEAR(doc["window"]["high_ohm"].get<double>(), 53.2655, 5e-5);
    EXPECT_EQ(doc["monte_carlo"]["yield"], 1.0);
    if (c.args.size() == kTolerance.size()) {
      EXPECT_NEAR(w["worst_rl_db"].get<double>(), 44.52, 5e-3);
      const Json& b = doc["budget"];
      EXPECT_NEAR(b["inner_in"]["symmetric"].get<double>(), 0.005394, 5e-7);
      EXPECT_NEAR(b["outer_in"]["symmetric"].get<double>(), 0.016772, 5e-7);
      EXPECT_NEAR(b["er"]["symmetric"].get<double>(), 0.25698, 5e-6);
    }
  }
}

TEST(ChecksCommands, TheSameSeedGivesTheSameOutput) {
  for (const char* format : {"report", "csv", "json"}) {
    const Args args = with(kTolerance, {"--seed", "7", "--samples", "5000", "--format", format});
    const Outcome a = run_cli(args);
    const Outcome b = run_cli(args);
    const Outcome other = run_cli(with(args, {"--seed", "8"}));
    EXPECT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.out, b.out) << format;
    EXPECT_NE(a.out, other.out) << format;
  }
  // CSV: one header and one row, the corners named.
  const Outcome csv = run_cli(with(kTolerance, {"--format", "csv", "--samples", "10"}));
  const std::vector<std::string> lines = split(csv.out, '\n');
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0],
            "nominal_zo_ohm,window_low_ohm,window_high_ohm,lowest_zo_ohm,lowest_corner,"
            "highest_zo_ohm,highest_corner,worst_rl_db,mean_zo_ohm,stddev_zo_ohm,p1_zo_ohm,"
            "p50_zo_ohm,p99_zo_ohm,yield,budget_outer_in,budget_inner_in,budget_er\r");
  const std::vector<std::string> f = split(lines[1], ',');
  ASSERT_EQ(f.size(), 17u);
  EXPECT_EQ(f[4], "B- D+ Er+");
  EXPECT_EQ(f[6], "B+ D- Er-");
}

TEST(ChecksCommands, RefusedValuesNameTheOption) {
  // Each bound probed at the value accepted and the nearest refused.
  const std::pair<Args, std::string> table[] = {
      {{"--tol-inner", "0"}, ""},
      {{"--tol-inner", "-0.0001"},
       "lumo: --tol-inner -0.0001: the tolerance on D is negative (-0.0001 in)"},
      {{"--tol-er", "2.09"}, ""},
      {{"--tol-er", "2.1"},
       "lumo: --tol-er 2.1: the tolerance on Er (2.1) is not smaller than Er (2.1)"},
      {{"--tol-outer", "242.5mil"},
       "lumo: --tol-outer 242.5mil: the tolerance on B (0.2425 in) is not smaller than B (0.2425 "
       "in)"},
      // With the tolerances the gap is (0.2420 - 0.0729) / 2 = 0.08455 in.
      {{"--offset", "0.0845"}, ""},
      {{"--offset", "0.0846"},
       "lumo: --offset 0.0846: the offset (0.0846 in) and the tolerances on B and D let the "
       "conductors touch: (D + tolerance)/2 + C must stay below (B - tolerance)/2"},
      {{"--offset", "-1mil"}, "lumo: --offset -1mil: the offset is negative (-0.001 in)"},
      {{"--samples", "1"}, ""},
      {{"--samples", "0"},
       "lumo: --samples 0: the number of samples must be a whole number of at least 1"},
      {{"--zref", "0"},
       "lumo: --zref 0: the reference impedance is not a positive number (0 ohms)"},
      {{"--rl-target", "-3"},
       "lumo: --rl-target -3: the return loss target is not a positive number (-3 dB)"},
      {{"--distribution", "flat"},
       "lumo: --distribution flat: the distribution must be normal or uniform"},
      {{"--tol-er", "3mm"}, "lumo: --tol-er 3mm: the tolerance on Er takes no unit"},
      {{"--outer", "0.0726"},
       "lumo: --outer 0.0726: the outer diameter (0.0726 in) must exceed the inner diameter "
       "(0.0726 in)"},
      {{"--er", "0.9"}, "lumo: --er 0.9: relative dielectric constant must be from 1 to 999.99"},
      {{"--plot", "out.txt"}, "lumo: --plot out.txt: the same file as -o out.txt"},
      {{"--plot", "Lumo.DEF"}, "lumo: --plot Lumo.DEF: that is the defaults file in use"},
  };
  for (const auto& [extra, line] : table) {
    // The case's value replaces the base value of its option (a second value
    // of an option is the parser's refusal).
    Args args = with(kTolerance, {"--samples", "100", "-o", "out.txt"});
    const auto at = std::find(args.begin(), args.end(), extra[0]);
    if (at != args.end()) {
      *(at + 1) = extra[1];
    } else {
      args.insert(args.end(), extra.begin(), extra.end());
    }
    const Outcome o = run_cli(args);
    if (line.empty()) {
      EXPECT_EQ(o.status, 0) << extra[1] << ": " << o.err;
      continue;
    }
    EXPECT_EQ(o.status, 2) << line;
    EXPECT_EQ(o.err, line + "\n");
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.files.count("out.txt"), 0u) << line;
  }
  // The plot goes beside the output; one that cannot be opened stops the
  // command before the output is written.
  const Args plotted = with(kTolerance, {"--samples", "100", "-o", "out.txt", "--plot"});
  const Outcome drawn = run_cli(with(plotted, {"t.svg"}));
  EXPECT_EQ(drawn.status, 0) << drawn.err;
  EXPECT_TRUE(drawn.files.count("out.txt") == 1 && drawn.files.count("t.svg") == 1);
  const Outcome lost = run_cli(with(plotted, {"no/t.svg"}));
  EXPECT_EQ(lost.status, 1);
  EXPECT_EQ(lost.err, "lumo: --plot no/t.svg: No such file or directory\n");
  EXPECT_EQ(lost.files.count("out.txt"), 0u);
  const Outcome missing = run_cli({"tolerance", "--tol-outer", "0.0005"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "lumo: tolerance needs --tol-inner, the +- tolerance on D\n");
  EXPECT_EQ(missing.out, "");
}

TEST(ChecksCommands, FrequencyRowsFlagTheExactCutoffAndOneWarningNamesIt) {
  // The delivered line's exact TE11 cut-off is 16.9220 GHz.
  const std::string warning =
      "lumo: warning: the sweep reaches 16.9221 GHz, at or above the TE11 cut-off of 16.9220 "
      "GHz: the line is multimode there\n";
  struct Sweep {
    const char* freq;
    std::vector<bool> multimode;
    std::string err;
  };
  const Sweep sweeps[] = {{"16.9219:16.9221:0.0002", {false, true}, warning},
                          {"16.9219:16.9219:1", {false}, ""}};
  for (const Sweep& s : sweeps) {
    const Args args{"frequency", "--freq", s.freq};
    const Outcome report = run_cli(args);
    const Outcome csv = run_cli(with(args, {"--format", "csv"}));
    const Outcome json = run_cli(with(args, {"--format", "json"}));
    for (const Outcome* o : {&report, &csv, &json}) {
      EXPECT_EQ(o->status, 0);
      EXPECT_EQ(o->err, s.err) << s.freq;
    }
    const std::vector<std::string> lines = split(csv.out, '\n');
    ASSERT_EQ(lines.size(), s.multimode.size() + 2);
    const Json doc = Json::parse(json.out);
    for (std::size_t i = 0; i < s.multimode.size(); ++i) {
      EXPECT_TRUE(lines[i + 1].ends_with(s.multimode[i] ? ",true\r" : ",false\r")) << lines[i + 1];
      EXPECT_EQ(doc["rows"][i]["multimode"], s.multimode[i]);
    }
    const Json& line = doc["line"];
    EXPECT_NEAR(line["te11_exact_ghz"].get<double>(), 16.9220, 1e-3);
    EXPECT_NEAR(line["te21_exact_ghz"].get<double>(), 31.7425, 1e-3);
    EXPECT_NEAR(line["tm01_exact_ghz"].get<double>(), 47.1284, 1e-3);
    // 1 / sqrt(2.1), and sqrt(2.1) 0.3048 m / c0.
    EXPECT_NEAR(line["velocity_factor"].get<double>(), 0.69007, 5e-6);
    EXPECT_NEAR(line["delay_ns_per_ft"].get<double>(), 1.47334, 5e-6);
  }
}

}  // namespace
}  // namespace lumo::e2e
