// Named lines through the real binary: --line on every run and check, the
// user's file where it is looked for and what it shadows, its refusals,
// `lumo lines` and `lumo --init --lines`.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "e2e/harness.h"

namespace lumo::e2e {
namespace {

using Args = std::vector<std::string>;
using Json = nlohmann::json;

// No user's file unless a test lays one out: the configuration folder is an
// empty one inside the working directory.
Outcome run_lumo(Args args, std::vector<Prepared> prepared = {},
                 std::vector<std::string> env = {"XDG_CONFIG_HOME={dir}/config"},
                 std::string defaults = read_source_file("Lumo.DEF")) {
  Scenario s;
  s.defaults = std::move(defaults);
  s.args = std::move(args);
  s.prepared = std::move(prepared);
  s.env = std::move(env);
  return run_program(s);
}

Prepared file(std::string name, std::string content) {
  return {Prepared::kFile, std::move(name), std::move(content), 0644};
}

Prepared folder(std::string name) { return {Prepared::kDirectory, std::move(name), "", 0755}; }

constexpr double mm(double x) { return x / 25.4; }

TEST(NamedLines, EveryRunAndCheckTakesTheLinesValuesUnderItsOwnOptions) {
  const Args tolerance = {"tolerance", "--tol-outer", "0", "--tol-inner", "0", "--tol-er",
                          "0",         "--samples",   "1"};
  struct Case {
    Args args;
    double outer_in, inner_in, er;  // 0: not among the inputs
    bool single;                    // inputs in single precision, as a run's records hold them
  };
  const Case cases[] = {
      {{"frequency", "--line", "2.4 MM"}, mm(2.4), mm(1.042), 1, true},
      {{"sensitivity", "--vary", "outer", "--line", "24mm"}, mm(2.4), mm(1.042), 1, true},
      {{"synthesize", "--conductor", "inner", "--line", "2.4mm"}, mm(2.4), 0, 1, true},
      {{"modes", "--line", "2.4mm"}, mm(2.4), mm(1.042), 1, false},
      {Args(tolerance.begin(), tolerance.end()), mm(2.4), mm(1.042), 1, false},
      // Options given override the entry's values.
      {{"frequency", "--line", "0.141", "--inner", "1mm"}, 0.1175, mm(1), 2.03, true},
      {{"modes", "--er", "2", "--line", "rg402"}, 0.1175, 0.0362, 2, false},
  };
  for (Case c : cases) {
    if (c.args[0] == "tolerance") c.args.insert(c.args.end(), {"--line", "2.4mm"});
    c.args.insert(c.args.end(), {"--format", "json"});
    const Outcome o = run_lumo(c.args);
    const std::string what = c.args[0] + " " + c.args[c.args.size() - 3];
    ASSERT_EQ(o.status, 0) << what << ": " << o.err;
    const Json in = Json::parse(o.out)["inputs"];
    const bool rg402 = c.outer_in == 0.1175;
    EXPECT_EQ(in["line"], rg402 ? "RG-402" : "2.4mm") << what;
    EXPECT_EQ(in["line_source"].get<std::string>().substr(0, 14),
              rg402 ? "MIL-DTL-17/130" : "IEEE Std 287 2")
        << what;
    // A run's inputs are the single-precision values its records hold.
    auto same = [&](const Json& j, double x) {
      return c.single ? j.get<float>() == static_cast<float>(x) : j.get<double>() == x;
    };
    EXPECT_TRUE(same(in["outer_in"], c.outer_in)) << what;
    if (c.inner_in != 0) {
      EXPECT_TRUE(same(in["inner_in"], c.inner_in)) << what;
    }
    EXPECT_TRUE(same(in["er"], c.er)) << what;
    // Air has no dielectric loss; RG-402's materials are its own.
    if (in.contains("tand")) {
      EXPECT_TRUE(same(in["tand"], rg402 ? 0.0002 : 0)) << what;
      EXPECT_EQ(in["rough_outer_uin"].get<double>(), 0) << what;
    }
  }
  // The 2.4 mm line is single-mode to 56.601 GHz (+- 0.5 %), above its 50 GHz.
  // Its diameters print as the standard gives them.
  const Outcome o = run_lumo({"modes", "--line", "2.4mm"});
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_TRUE(o.out.starts_with("B = 2.400 mm (0.09449 in), D = 1.042 mm (0.04102 in), Er = 1\n"))
      << o.out;
  EXPECT_NE(o.out.find("TE11                           56.60"), std::string::npos) << o.out;
}

TEST(NamedLines, AnEntryRunsAsItsValuesTypedOut) {
  const Args typed = {"frequency",     "--outer",     "0.1175",        "--inner", "0.0362",
                      "--er",          "2.03",        "--tand",        "0.0002",  "--rho-outer",
                      "1.72",          "--rho-inner", "1.59",          "--freq",  "1:18:1",
                      "--rough-outer", "0",           "--rough-inner", "0"};
  const Args named = {"frequency", "--line", "RG-402", "--freq", "1:18:1"};
  for (const char* format : {"report", "csv", "json"}) {
    Args a = typed, b = named;
    a.insert(a.end(), {"--format", format});
    b.insert(b.end(), {"--format", format});
    const Outcome x = run_lumo(a), y = run_lumo(b);
    ASSERT_EQ(x.status, 0) << x.err;
    ASSERT_EQ(y.status, 0) << y.err;
    if (std::string(format) == "json") {
      Json jy = Json::parse(y.out);
      EXPECT_EQ(jy["inputs"]["line"], "RG-402");
      jy["inputs"].erase("line");
      jy["inputs"].erase("line_source");
      EXPECT_EQ(Json::parse(x.out), jy);
    } else {
      EXPECT_EQ(first_difference(mask_dates(x.out), mask_dates(y.out)), "") << format;
    }
  }
}

TEST(NamedLines, TheUsersFileIsFoundInItsPlaceAndShadowsBuiltInNames) {
  const std::string header = "name,aliases,outer,inner,er,source\n";
  auto mine = [&](const char* d) { return header + "7 MM,our-7mm,7mm," + d + ",1,bench\n"; };
  struct Case {
    const char* what;
    std::vector<Prepared> files;
    std::vector<std::string> env;
    Args extra;
    double inner_mm;  // of the line named 7mm
    const char* origin;
  };
  const Case cases[] = {
      {"none", {}, {"XDG_CONFIG_HOME={dir}/config"}, {}, 3.04, nullptr},
      {"folder",
       {file("lumo-lines.csv", mine("3mm")), folder("config"), folder("config/lumo"),
        file("config/lumo/lines.csv", mine("2mm"))},
       {"XDG_CONFIG_HOME={dir}/config"},
       {},
       3,
       "lumo-lines.csv:2"},
      {"xdg",
       {folder("config"), folder("config/lumo"), file("config/lumo/lines.csv", mine("2mm"))},
       {"XDG_CONFIG_HOME={dir}/config"},
       {},
       2,
       "/config/lumo/lines.csv:2"},
      // A relative XDG_CONFIG_HOME is not one; HOME's .config is.
      {"home",
       {folder("home"), folder("home/.config"), folder("home/.config/lumo"),
        file("home/.config/lumo/lines.csv", mine("2.5mm")), folder("config"), folder("config/lumo"),
        file("config/lumo/lines.csv", mine("2mm"))},
       {"XDG_CONFIG_HOME=config", "HOME={dir}/home"},
       {},
       2.5,
       "/home/.config/lumo/lines.csv:2"},
      {"option",
       {file("lumo-lines.csv", mine("3mm")),
        file("other.csv", header + "x,,1,0.5,,\n" + mine("1mm").substr(header.size()))},
       {"XDG_CONFIG_HOME={dir}/config"},
       {"--lines", "other.csv"},
       1,
       "other.csv:3"},
  };
  for (const Case& c : cases) {
    Args args = {"modes", "--line", "7mm", "--format", "json"};
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    const Outcome o = run_lumo(args, c.files, c.env);
    ASSERT_EQ(o.status, 0) << c.what << ": " << o.err;
    const Json in = Json::parse(o.out)["inputs"];
    EXPECT_NEAR(in["inner_in"].get<double>(), mm(c.inner_mm), 1e-15) << c.what;
    EXPECT_EQ(in["line"], c.origin ? "7 MM" : "7mm") << c.what;
    EXPECT_EQ(in["line_source"],
              c.origin ? "bench" : "IEEE Std 287 precision 7 mm line; 50-ohm ratio")
        << c.what;
    // lumo lines lists the user's line after the built-in ones, and both
    // say what shadows what.
    args = {"lines", "--format", "csv"};
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    const Outcome l = run_lumo(args, c.files, c.env);
    ASSERT_EQ(l.status, 0) << c.what << ": " << l.err;
    const std::size_t rows = std::count(l.out.begin(), l.out.end(), '\n') - 1;
    EXPECT_EQ(rows, c.origin == nullptr               ? 8u
                    : std::string(c.what) == "option" ? 10u
                                                      : 9u)
        << c.what;
    if (c.origin == nullptr) continue;
    EXPECT_NE(l.out.find("\r\n7mm,,"), std::string::npos) << c.what;
    EXPECT_TRUE(l.out.ends_with(std::string(c.origin) + ",7mm,\r\n")) << l.out;
    EXPECT_NE(l.out.find("built-in,,7mm\r\n"), std::string::npos) << l.out;
  }
}

TEST(NamedLines, UnknownNamesAndMalformedFilesStopBeforeAnyOutput) {
  const std::string header = "name,outer,inner\n";
  struct Case {
    Args args;
    std::vector<Prepared> files;
    int status;
    std::string err;
  };
  const Case cases[] = {
      {{"frequency", "--line", "2.5mm"},
       {},
       2,
       "lumo: --line 2.5mm: no line of that name; the nearest are 3.5mm, 2.4mm and 7mm (lumo "
       "lines lists them all)\n"},
      {{"modes", "--line", "our-k"},
       {file("lumo-lines.csv", header + "Our K,2.92mm,1.27mm\n")},
       0,
       ""},
      {{"tolerance", "--line", "RG 401", "--tol-outer", "0", "--tol-inner", "0", "--tol-er", "0"},
       {file("lumo-lines.csv", header + "RG-401,0.25,0.0641\n")},
       0,
       ""},
      // A malformed file stops every run that reads it, even for a built-in
      // name, with status 1.
      {{"frequency", "--line", "7mm", "-o", "out.csv"},
       {file("lumo-lines.csv", header + "Our K,2.92mm,1.27 mm\nx,0.3in,0.1ft\n")},
       1,
       "lumo: lumo-lines.csv:3:9: inner '0.1ft': unknown unit 'ft'; a length takes in, mil, mm "
       "or um\n"},
      {{"synthesize", "--conductor", "inner", "--lines", "my.csv"},
       {file("my.csv", header + "a,0.1,0.2\n")},
       1,
       "lumo: my.csv:2:3: the outer diameter (0.1 in) must exceed the inner diameter (0.2 in)\n"},
      {{"lines", "--lines", "my.csv"},
       {file("my.csv", "name,outer,inner,Er\n")},
       1,
       "lumo: my.csv:1:18: unknown column 'Er'; the columns are name, outer, inner, aliases, er, "
       "tand, rho_outer, rho_inner, rough_outer, rough_inner, zo_nominal, rated_ghz, source\n"},
      {{"modes", "--line", "7mm", "--lines", "none.csv"},
       {},
       2,
       "lumo: --lines none.csv: No such file or directory\n"},
      {{"lines"},
       {{Prepared::kDirectory, "lumo-lines.csv", "", 0755}},
       1,
       "lumo: lumo-lines.csv: Is a directory\n"},
  };
  for (const Case& c : cases) {
    const Outcome o = run_lumo(c.args, c.files);
    const std::string what = c.args[0] + " " + c.args.back();
    EXPECT_EQ(o.status, c.status) << what;
    if (c.status == 0) continue;
    EXPECT_EQ(o.err, c.err) << what;
    EXPECT_EQ(o.out, "") << what;
    EXPECT_FALSE(o.files.contains("out.csv")) << what;
  }
}

// The listing's layout, written out for RG-402 from its published numbers:
// Zo = 376.730313668 / (2 pi sqrt(2.03)) ln(0.1175 / 0.0362) = 49.547 ohms;
// TE11 from the first root of J1'(x) Y1'(cx) - J1'(cx) Y1'(x), c = B / D:
// 35.27810 GHz.
TEST(NamedLines, TheListingGivesEveryValueAndItsSource) {
  const Outcome o = run_lumo({"lines"});
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_TRUE(o.out.starts_with("8 built-in lines; no user file (looked for lumo-lines.csv, /"))
      << o.out;
  const std::string rg402 =
      "\nRG-402\n"
      "  Aliases                     0.141, semi-rigid-0.141\n"
      "  Outer diameter B            0.1175 in (2.9845 mm)\n"
      "  Inner diameter D            0.0362 in (0.91948 mm)\n"
      "  Dielectric                  PTFE, Er 2.03, tan delta 0.0002\n"
      "  Resistivity, micro-ohm-cm   outer 1.72, inner 1.59\n"
      "  Roughness, micro-inches     outer 0, inner 0\n"
      "  Zo, ohms                    50 nominal, 49.55 computed\n"
      "  Rated to, GHz               not given\n"
      "  TE11 cut-off (exact), GHz   35.2781\n"
      "  Source                      MIL-DTL-17/130, nominal dimensions; copper outer, "
      "silver-plated copper-clad steel centre (taken as silver, 1.59 micro-ohm-cm)\n"
      "  From                        built in\n";
  EXPECT_TRUE(o.out.ends_with(rg402)) << o.out;
  EXPECT_NE(o.out.find("\n2.4mm\n  Aliases                     none\n"), std::string::npos);
  EXPECT_NE(
      o.out.find("\n  Rated to, GHz               50\n  TE11 cut-off (exact), GHz   56.6012\n"),
      std::string::npos);

  const Outcome j = run_lumo({"lines", "--format", "json"});
  ASSERT_EQ(j.status, 0) << j.err;
  const Json lines = Json::parse(j.out)["lines"];
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[7]["aliases"], Json({"0.141", "semi-rigid-0.141"}));
  EXPECT_NEAR(lines[7]["te11_exact_ghz"].get<double>(), 35.27810, 1e-5);
  EXPECT_NEAR(lines[7]["zo_computed_ohm"].get<double>(), 49.54719, 1e-5);
  EXPECT_EQ(lines[7]["rated_ghz"], nullptr);
  EXPECT_EQ(lines[0]["rho_outer_uohm_cm"], nullptr);
}

TEST(NamedLines, InitWritesAnExampleFileThatReads) {
  const char* wrote =
      "Wrote an example lumo-lines.csv into this folder; list its lines with: lumo lines\n";
  struct Case {
    Args args;
    const char* before;  // lumo-lines.csv before, nullptr for none
    int status;
    std::string out, err;
  };
  const Case cases[] = {
      {{"--init", "--lines"}, nullptr, 0, wrote, ""},
      {{"--lines", "--init"},
       "old\n",
       1,
       "",
       "lumo: --init: lumo-lines.csv already exists here (--force replaces it)\n"},
      {{"--init", "--lines", "--force"}, "old\n", 0, wrote, ""},
      {{"--lines"}, nullptr, 2, "", "lumo: --lines needs --init (see lumo --help)\n"},
  };
  for (const Case& c : cases) {
    std::vector<Prepared> files;
    if (c.before != nullptr) files.push_back(file("lumo-lines.csv", c.before));
    const Outcome o = run_lumo(c.args, files);
    EXPECT_EQ(o.status, c.status) << c.args[0];
    EXPECT_EQ(o.out, c.out) << c.args[0];
    EXPECT_EQ(o.err, c.err) << c.args[0];
    // Lumo.DEF is left alone.
    EXPECT_EQ(o.files.at("Lumo.DEF"), read_source_file("Lumo.DEF"));
    if (c.status != 0) continue;
    // The example is a file lumo reads: two lines of its own.
    const Outcome l = run_lumo({"lines", "--format", "json"},
                               {file("lumo-lines.csv", o.files.at("lumo-lines.csv"))});
    ASSERT_EQ(l.status, 0) << l.err;
    const Json lines = Json::parse(l.out)["lines"];
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[8]["origin"], "lumo-lines.csv:14");
    EXPECT_EQ(lines[9]["origin"], "lumo-lines.csv:15");
  }
}

}  // namespace
}  // namespace lumo::e2e
