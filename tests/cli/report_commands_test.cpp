// Plots and stored reports through the real binary. For each run kind the
// dialogue stores a report of the same values a command-line run is given:
// `lumo export` of that report equals the run's CSV rounded to the report's
// decimals, and the run's --plot and `lumo plot` of the report show one point
// per row at the rows' values, the frequency plot's cut-off at the exact
// TE11 cut-off. The JSON export of a stored report has the run's inputs,
// sweep and line, and each material value in its place. Then the files a
// command writes, and what it refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "e2e/harness.h"
#include "plot/svg_probe.h"

namespace lumo::e2e {
namespace {

using Args = std::vector<std::string>;
using Json = nlohmann::json;
using plot::testing::page_position;
using plot::testing::PanelProbe;
using plot::testing::probe;

Outcome run_cli(Args args, std::vector<Prepared> prepared = {}) {
  Scenario s;
  s.defaults = read_source_file("Lumo.DEF");
  s.args = std::move(args);
  s.prepared = std::move(prepared);
  return run_program(s);
}

Args with(Args args, std::initializer_list<std::string> more) {
  args.insert(args.end(), more);
  return args;
}

std::string file(const Outcome& o, const std::string& name) {
  auto it = o.files.find(name);
  return it == o.files.end() ? "<missing>" : it->second;
}

// CSV lines split into fields; the header row first.
std::vector<std::vector<std::string>> csv(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::size_t at = 0;
  for (std::size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
    std::vector<std::string> fields;
    const std::string line = text.substr(at, end - at) + ",";
    for (std::size_t f = 0, comma; (comma = line.find(',', f)) != std::string::npos;
         f = comma + 1) {
      fields.push_back(line.substr(f, comma - f));
    }
    rows.push_back(fields);
  }
  return rows;
}

std::string enters(int n) { return std::string(static_cast<std::size_t>(n), '\n'); }

struct KindCase {
  const char* name;
  Args args;
  std::string answers;        // the dialogue's, storing the report in r.txt
  std::vector<int> decimals;  // of the report's fields, column by column; -1: text
  std::vector<std::vector<std::string>> panels;  // each panel's series
};

const std::vector<KindCase>& kind_cases() {
  static const std::vector<KindCase> cases = {
      {"frequency",
       {"frequency", "--freq", "1:18:0.5"},
       "1\n" + enters(9) + "1\n18\n0.5\n1\nr.txt\n3\n",
       {3, 3, 3, 4, 4, 4, 4, -1},
       {{"loss_inner_db_per_ft", "loss_outer_db_per_ft", "loss_dielectric_db_per_ft",
         "loss_total_db_per_ft"}}},
      {"sensitivity of D",
       {"sensitivity", "--vary", "inner", "--range", "0.03:0.2:0.01"},
       "1\n" + enters(8) + "2\n1\n0.03\n0.2\n0.01\n1\nr.txt\n3\n",
       {4, 2, 2, 2, 3, 3, 3},
       {{"zo_ohm"}, {"s_zo_inner", "s_zo_outer", "s_zo_er"}}},
      {"synthesis of B with loss",
       {"synthesize", "--conductor", "outer", "--impedance", "20:120:5", "--loss-at", "2.5"},
       "2\n2\n" + enters(8) + "20\n120\n5\n2.5\n1\nr.txt\n3\n",
       {4, 2, 2, 2, 4, 4, 4, 4},
       {{"outer_in"},
        {"loss_inner_db_per_ft", "loss_outer_db_per_ft", "loss_dielectric_db_per_ft",
         "loss_total_db_per_ft"}}},
      // The synthesis stops after 300 ohms; the stored report ends there.
      {"synthesis of D with sensitivity, stopped",
       {"synthesize", "--conductor", "inner", "--sensitivity", "--impedance", "250:400:50"},
       "2\n1\n" + enters(7) + "2\n250\n400\n50\n1\nr.txt\n",
       {4, 2, 2, 2, 3, 3, 3},
       {{"inner_in"}, {"s_zo_inner", "s_zo_outer", "s_zo_er"}}},
  };
  return cases;
}

std::string stored_report(const KindCase& c) {
  Scenario dialogue;
  dialogue.defaults = read_source_file("Lumo.DEF");
  dialogue.input = c.answers;
  return file(run_program(dialogue), "r.txt");
}

// Every series of the plot has a point per table row, the first and last at
// the row's values within a page unit.
void expect_points_at_rows(const std::string& svg, const KindCase& c,
                           const std::vector<std::vector<std::string>>& table,
                           const std::string& what) {
  const std::vector<PanelProbe> panels = probe(svg);
  ASSERT_EQ(panels.size(), c.panels.size()) << what;
  const std::vector<std::string>& header = table[0];
  const std::size_t rows = table.size() - 1;
  // The x column: the frequency, or the diameter swept, or the impedance.
  const std::string x_name =
      header[0] == "freq_ghz" || c.args[0] == "sensitivity" ? header[0] : "zo_ohm";
  const auto column = [&](const std::string& name) {
    return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) - header.begin());
  };
  for (std::size_t p = 0; p < panels.size(); ++p) {
    ASSERT_EQ(panels[p].series.size(), c.panels[p].size()) << what;
    for (std::size_t s = 0; s < c.panels[p].size(); ++s) {
      const auto& series = panels[p].series[s];
      EXPECT_EQ(series.name, c.panels[p][s]) << what;
      ASSERT_EQ(series.xs.size(), rows) << what << " " << series.name;
      for (std::size_t i : {std::size_t{0}, rows - 1}) {
        const auto& row = table[i + 1];
        EXPECT_NEAR(series.xs[i],
                    page_position(panels[p].x_ticks, std::atof(row[column(x_name)].c_str())), 1)
            << what << " " << series.name << " row " << i;
        EXPECT_NEAR(series.ys[i],
                    page_position(panels[p].y_ticks, std::atof(row[column(series.name)].c_str())),
                    1)
            << what << " " << series.name << " row " << i;
      }
    }
  }
}

TEST(ReportCommands, ExportAndPlotOfTheStoredReportMatchTheRun) {
  for (const KindCase& c : kind_cases()) {
    const std::string report = stored_report(c);
    ASSERT_TRUE(report.starts_with("\r\n      ---")) << c.name;
    const std::vector<Prepared> r_txt = {{Prepared::kFile, "r.txt", report}};

    const Outcome run = run_cli(with(c.args, {"--format", "csv", "--plot", "run.svg"}));
    const Outcome exported = run_cli({"export", "r.txt", "--format", "csv"}, r_txt);
    const Outcome plotted = run_cli({"plot", "r.txt", "-o", "report.svg"}, r_txt);
    ASSERT_EQ(run.status, 0) << c.name << run.err;
    ASSERT_EQ(exported.status, 0) << c.name << exported.err;
    ASSERT_EQ(plotted.status, 0) << c.name << plotted.err;
    EXPECT_EQ(exported.err, "") << c.name;
    EXPECT_EQ(plotted.out, "report.svg\n") << c.name;

    // The printed values: the run's, rounded to the report's decimals.
    const auto want = csv(run.out);
    const auto got = csv(exported.out);
    ASSERT_EQ(got.size(), want.size()) << c.name;
    ASSERT_GT(got.size(), 2u) << c.name;
    EXPECT_EQ(got[0], want[0]) << c.name;
    for (std::size_t i = 1; i < got.size(); ++i) {
      ASSERT_EQ(got[i].size(), c.decimals.size()) << c.name;
      for (std::size_t j = 0; j < got[i].size(); ++j) {
        if (c.decimals[j] < 0) {
          EXPECT_EQ(got[i][j], want[i][j]) << c.name << " row " << i << " " << got[0][j];
          continue;
        }
        const double scale = std::pow(10.0, c.decimals[j]);
        const double e = std::atof(got[i][j].c_str()) * scale;
        const double r = std::atof(want[i][j].c_str()) * scale;
        EXPECT_NEAR(e, std::round(e), 1e-6) << c.name << " row " << i << " " << got[0][j];
        EXPECT_LE(std::fabs(e - r), 0.5 + 1e-6) << c.name << " row " << i << " " << got[0][j];
      }
    }

    expect_points_at_rows(file(run, "run.svg"), c, want, std::string(c.name) + ", --plot");
    expect_points_at_rows(file(plotted, "report.svg"), c, got, std::string(c.name) + ", lumo plot");

    if (c.args[0] == "frequency") {
      const Json line = Json::parse(run_cli(with(c.args, {"--format", "json"})).out)["line"];
      // The plots mark the exact TE11 cut-off, not the report's estimate.
      const double te11 = line["te11_exact_ghz"].get<double>();
      for (const auto& [o, name] :
           {std::pair{&run, "run.svg"}, std::pair{&plotted, "report.svg"}}) {
        const auto panels = probe(file(*o, name));
        ASSERT_EQ(panels[0].thresholds.size(), 1u) << name;
        EXPECT_NEAR(panels[0].thresholds[0], page_position(panels[0].x_ticks, te11), 1) << name;
      }
    }
  }
}

// The names of an object's members, less `left_out`.
std::vector<std::string> keys(const Json& object, std::initializer_list<const char*> left_out) {
  std::vector<std::string> names;
  for (const auto& [key, value] : object.items()) {
    if (std::find(left_out.begin(), left_out.end(), key) == left_out.end()) names.push_back(key);
  }
  return names;
}

TEST(ReportCommands, JsonExportOfTheStoredReportHasTheRunsInputsSweepAndLine) {
  for (const KindCase& c : kind_cases()) {
    const std::vector<Prepared> r_txt = {{Prepared::kFile, "r.txt", stored_report(c)}};
    const Outcome run = run_cli(with(c.args, {"--format", "json"}));
    const Outcome exported = run_cli({"export", "r.txt", "--format", "json"}, r_txt);
    ASSERT_EQ(run.status, 0) << c.name << run.err;
    ASSERT_EQ(exported.status, 0) << c.name << exported.err;
    const Json want = Json::parse(run.out);
    const Json all = Json::parse(exported.out);
    ASSERT_EQ(all.size(), 1u) << c.name;
    const Json& got = all[0];
    EXPECT_EQ(got["run"], want["run"]) << c.name;

    // The report prints every input in full: the same values, the run's
    // defaults file giving way to the report's name and number (and a
    // swept diameter's own value, which no table shows, left out).
    const Json& in = got["inputs"];
    const std::string name = want["inputs"]["sweep"]["name"];
    const std::vector<std::string> given =
        keys(want["inputs"], {"defaults", "sweep", name.c_str()});
    EXPECT_EQ(keys(in, {"report", "report_number", "sweep"}), given) << c.name;
    for (const std::string& key : given) {
      EXPECT_EQ(in.value(key, Json()), want["inputs"][key]) << c.name << " " << key;
    }

    // Each row has the run's columns, a frequency row its multimode flag.
    ASSERT_EQ(got["rows"].size(), want["rows"].size()) << c.name;
    for (std::size_t i = 0; i < want["rows"].size(); ++i) {
      ASSERT_EQ(keys(got["rows"][i], {}), keys(want["rows"][i], {})) << c.name << " row " << i;
      EXPECT_EQ(got["rows"][i].value("multimode", Json()),
                want["rows"][i].value("multimode", Json()))
          << c.name << " row " << i;
    }
    // The sweep as the table shows it: the run's name, its rows, from the
    // first row's value to the last's (a report has no step).
    const Json& sweep = in["sweep"];
    EXPECT_EQ(sweep["name"], name) << c.name;
    EXPECT_EQ(sweep["rows"], want["rows"].size()) << c.name;
    EXPECT_EQ(sweep["start"], got["rows"].front()[name]) << c.name;
    EXPECT_EQ(sweep["stop"], got["rows"].back()[name]) << c.name;

    // The line's values, the exact cut-offs among them, to the report's
    // two decimals or more.
    EXPECT_EQ(keys(got["line"], {}), keys(want["line"], {})) << c.name;
    for (const std::string& key : keys(want["line"], {})) {
      EXPECT_NEAR(got["line"].value(key, NAN), want["line"][key].get<double>(), 0.005 + 1e-6)
          << c.name << " " << key;
    }
  }
}

// A line whose conductors differ in every material value: each keeps its
// place in the export and in the plot's subtitle, for both runs that
// print them.
TEST(ReportCommands, EachMaterialValueKeepsItsPlace) {
  Scenario dialogue;
  dialogue.defaults = lumo::testing::kRoughConductorsDefaults;
  // A frequency analysis, then a synthesis of B with loss, both on the
  // defaults and stored in the same file.
  dialogue.input = "1\n" + enters(12) + "1\nr.txt\n2\n2\n2\n" + enters(12) + "1\nr.txt\n3\n";
  const std::string report = file(run_program(dialogue), "r.txt");
  const std::vector<Prepared> r_txt = {{Prepared::kFile, "r.txt", report}};

  const Outcome exported = run_cli({"export", "r.txt", "--format", "json"}, r_txt);
  const Outcome plotted = run_cli({"plot", "r.txt", "-o", "p.svg"}, r_txt);
  ASSERT_EQ(exported.status, 0) << exported.err;
  ASSERT_EQ(plotted.status, 0) << plotted.err;
  const Json doc = Json::parse(exported.out);
  ASSERT_EQ(doc.size(), 2u);
  const std::string materials = "RESB 1.72, RESD 2.44 µΩ·cm · SRB 10, SRD 20 µin · tan δ 0.0004";
  const char* runs[] = {"frequency", "synthesis-loss"};
  for (std::size_t i = 0; i < 2; ++i) {
    const Json& in = doc[i]["inputs"];
    EXPECT_EQ(doc[i]["run"], runs[i]);
    EXPECT_EQ(in["rho_outer_uohm_cm"].get<float>(), 1.72f) << i;
    EXPECT_EQ(in["rho_inner_uohm_cm"].get<float>(), 2.44f) << i;
    EXPECT_EQ(in["rough_outer_uin"].get<float>(), 10.0f) << i;
    EXPECT_EQ(in["rough_inner_uin"].get<float>(), 20.0f) << i;
    EXPECT_EQ(in["tand"].get<float>(), 0.0004f) << i;
  }
  // The subtitle, its lines joined where the page broke it.
  auto subtitle = [&](const std::string& name) {
    const std::string svg = file(plotted, name);
    std::string text;
    for (auto e : plot::testing::elements(svg, "<text class=\"subtitle\"")) {
      text += (text.empty() ? "" : " · ") + plot::testing::content(e);
    }
    return text;
  };
  // Zo = 59.9585 / sqrt(2.1) x ln(0.25 / 0.1) = 37.912 ohms.
  EXPECT_EQ(subtitle("p-1.svg"), "Zo 37.91 Ω · " + materials);
  EXPECT_EQ(subtitle("p-2.svg"), "Losses at 2 GHz · " + materials);
}

struct CommandCase {
  const char* name;
  Args args;
  int status;
  std::string out;
  std::string err;
  std::vector<std::string> written;  // files besides the prepared ones
};

TEST(ReportCommands, FilesWrittenAndRefusals) {
  const std::string frequency = stored_report(kind_cases()[0]);
  const std::string sensitivity = stored_report(kind_cases()[1]);
  // The same file chosen on two passes holds both reports.
  const std::vector<Prepared> files = {{Prepared::kFile, "one.txt", frequency},
                                       {Prepared::kFile, "two.txt", frequency + sensitivity},
                                       {Prepared::kFile, "cut.txt", frequency.substr(0, 1500)},
                                       {Prepared::kFile, "notes.txt", "Loss of the line:\n"}};
  const std::string not_report =
      "line 1, column 1: not a Lumo report: expected the rule and the date line that open a report";
  const CommandCase cases[] = {
      {"plots numbered",
       {"plot", "two.txt", "-o", "p.svg"},
       0,
       "p-1.svg\np-2.svg\n",
       "",
       {"p-1.svg", "p-2.svg"}},
      {"plot named after the report",
       {"plot", "two.txt"},
       0,
       "two-1.svg\ntwo-2.svg\n",
       "",
       {"two-1.svg", "two-2.svg"}},
      {"CSV files numbered",
       {"export", "two.txt", "--format", "csv", "-o", "t.csv"},
       0,
       "t-1.csv\nt-2.csv\n",
       "",
       {"t-1.csv", "t-2.csv"}},
      {"several CSV tables need a file name",
       {"export", "two.txt", "--format", "csv"},
       2,
       "",
       "lumo: two.txt: 2 reports, one CSV file each: give -o FILE (written as FILE-1, FILE-2, "
       "...) or use --format json\n",
       {}},
      {"not a report",
       {"plot", "notes.txt", "-o", "n.svg"},
       2,
       "",
       "lumo: notes.txt: " + not_report + "\n",
       {}},
      {"a report cut short writes nothing",
       {"export", "cut.txt", "--format", "json", "-o", "c.json"},
       2,
       "",
       "",
       {}},
      {"no such report",
       {"plot", "none.txt"},
       1,
       "",
       "lumo: none.txt: No such file or directory\n",
       {}},
      {"the report is not replaced",
       {"plot", "one.txt", "-o", "one.txt"},
       2,
       "",
       "lumo: -o one.txt: that is the report being read\n",
       {}},
      {"export has no report format",
       {"export", "two.txt", "--format", "report"},
       2,
       "",
       "lumo: --format report: the format must be csv or json (see lumo export --help)\n",
       {}},
      {"the plot is not the output",
       {"frequency", "--format", "csv", "-o", "a.csv", "--plot", "a.csv"},
       2,
       "",
       "lumo: --plot a.csv: the same file as -o a.csv\n",
       {}},
  };
  for (const CommandCase& c : cases) {
    const Outcome o = run_cli(c.args, files);
    EXPECT_EQ(o.status, c.status) << c.name << ": " << o.err;
    EXPECT_EQ(o.out, c.out) << c.name;
    if (c.err.empty() && c.status != 0) {
      // One line naming the report and the line where it stops.
      EXPECT_TRUE(o.err.starts_with("lumo: cut.txt: line ")) << c.name << ": " << o.err;
      EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << c.name;
    } else {
      EXPECT_EQ(o.err, c.err) << c.name;
    }
    EXPECT_EQ(o.files.size(), files.size() + 1 + c.written.size()) << c.name;  // and Lumo.DEF
    for (const std::string& name : c.written) EXPECT_NE(file(o, name), "<missing>") << c.name;
  }

  // One JSON array holds every report, each as its run's object.
  const Outcome json = run_cli({"export", "two.txt", "--format", "json"}, files);
  ASSERT_EQ(json.status, 0) << json.err;
  const Json doc = Json::parse(json.out);
  ASSERT_EQ(doc.size(), 2u);
  EXPECT_EQ(doc[0]["run"], "frequency");
  EXPECT_EQ(doc[0]["rows"].size(), 35u);
  EXPECT_EQ(doc[0]["line"]["te11_cutoff_ghz"].get<float>(), 16.455f);
  EXPECT_EQ(doc[1]["run"], "sensitivity");
  EXPECT_EQ(doc[1]["inputs"]["report_number"], 2);
  EXPECT_EQ(doc[1]["inputs"]["sweep"]["rows"], 18);
}

}  // namespace
}  // namespace lumo::e2e
