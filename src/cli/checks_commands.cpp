// The modes and tolerance subcommands: values checked as the runs check
// theirs, the checks computed in double precision, and their results as the
// checks' plain-text tables, CSV or JSON.
#include "cli/checks_commands.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "checks/checks_report.h"
#include "checks/line_facts.h"
#include "checks/mode_cutoffs.h"
#include "checks/monte_carlo.h"
#include "checks/tolerance.h"
#include "cli/command_line.h"
#include "cli/data_writers.h"
#include "cli/defaults_source.h"
#include "cli/line_checks.h"
#include "cli/named_line.h"
#include "cli/options.h"
#include "cli/output_target.h"
#include "cli/quantity.h"
#include "input/ranges.h"
#include "numbers/number_text.h"
#include "plot/tolerance_plot.h"
#include "textio/platform.h"

#ifndef LUMO_VERSION
#error "LUMO_VERSION must be defined by the build"
#endif

namespace lumo::cli {

namespace {

using Json = nlohmann::ordered_json;

// Shortest decimal that reads back as `x`, without an exponent for floats
// (as the runs' messages give values) and in general form for doubles.
std::string shortest(float x) { return num::shortest_fixed(x); }
std::string shortest(double x) {
  if (std::isnan(x)) return "nan";
  return num::shortest(x);
}

// A line value: its name and unit as messages give them, and the range the
// dialogue accepts.
struct LineValue {
  std::string_view what;
  Quantity quantity;
  std::string_view unit;
  const AcceptedRange& accepted;
  std::string rule() const {
    std::string out = std::string(what) + " must be from " + shortest(accepted.low) + " to " +
                      shortest(accepted.high);
    return unit.empty() ? out : out + " " + std::string(unit);
  }
};
const LineValue kOuter{"outer diameter", Quantity::kLength, "in", kDiameterRange};
const LineValue kInner{"inner diameter", Quantity::kLength, "in", kDiameterRange};
const LineValue kEr{"relative dielectric constant", Quantity::kPlain, "", kDielectricConstantRange};

double checked_line_value(const Given& g, const LineValue& v) {
  const Parsed p = parse_quantity(g.text, v.quantity);
  if (!p.ok()) {
    std::string why = p.error;
    if (p.error == kOutOfRange) why = v.rule();
    if (p.error == kTakesNoUnit) why = std::string(v.what) + " takes no unit";
    throw UsageError{g.quoted() + ": " + why};
  }
  if (!v.accepted.contains(static_cast<float>(p.value)))
    throw UsageError{g.quoted() + ": " + v.rule()};
  return p.value;
}

// A tolerance-analysis value without a range of its own: finite, in its
// field's unit.
double checked_number(const Given& g, std::string_view what, Quantity q) {
  const Parsed p = parse_quantity(g.text, q);
  if (p.ok()) return p.value;
  if (p.error == kOutOfRange)
    throw UsageError{g.quoted() + ": " + std::string(what) + " is out of range"};
  if (p.error == kTakesNoUnit)
    throw UsageError{g.quoted() + ": " + std::string(what) + " takes no unit"};
  throw UsageError{g.quoted() + ": " + p.error};
}

std::uint64_t checked_whole(const Given& g, std::uint64_t least, const std::string& rule) {
  std::uint64_t n = 0;
  const char* end = g.text.data() + g.text.size();
  const auto r = num::parse_number(g.text.data(), end, n);
  if (r.ec != std::errc() || r.ptr != end || n < least) throw UsageError{g.quoted() + ": " + rule};
  return n;
}

}  // namespace

struct ChecksCommands::Options {
  Given defaults, format, output, outer, inner, er;
  Given tol_outer, tol_inner, tol_er, offset, zref, rl_target, samples, seed, distribution;
  Given plot;  // tolerance only
  LineOptions line;
};

namespace {

using Options = ChecksCommands::Options;

void add_common_and_line(CLI::App* app, Options& o) {
  add_defaults_format_output(app, o.defaults, o.format, o.output);
  add_diameters_and_er(app, o.outer, o.inner, o.er);
  add_line_options(app, o.line);
}

// The line and where its values came from, once checked.
struct Setting {
  Format format = Format::kReport;
  std::optional<std::string> output;
  std::optional<std::string> plot;  // the SVG file beside the output
  std::string source;               // the defaults file read
  std::optional<NamedLine> named;   // --line's entry
  checks::CoaxLine line{};
  checks::DiametersAsGiven as_given;  // B and D given in another unit than inches
};

// "3.5 mm" for --outer 3.5mm; "" for a value in inches or not given.
std::string as_given(const Given& g) {
  if (!g.given()) return "";
  const Parsed p = parse_quantity(g.text, Quantity::kLength);
  if (p.unit == nullptr || p.unit->per_default == 1) return "";
  return std::string(p.number) + " " + std::string(p.unit->name);
}

// "--outer 0.3" when given, else "--outer (from Lumo.DEF)".
std::string named(const Given& g, const std::string& source) {
  return g.given() ? g.quoted() : g.name + " (from " + source + ")";
}

Setting make_setting(const Options& o) {
  Setting s;
  s.format = checked_format(o.format);
  OutputFiles files = checked_output_files(o.output, o.plot);
  s.output = std::move(files.output);
  s.plot = std::move(files.plot);
  std::optional<double> outer, inner, er;
  if (o.outer.given()) outer = checked_line_value(o.outer, kOuter);
  if (o.inner.given()) inner = checked_line_value(o.inner, kInner);
  if (o.er.given()) er = checked_line_value(o.er, kEr);
  s.named = chosen_line(o.line);

  Records rec;
  std::optional<std::string> path;
  if (o.defaults.given()) path = o.defaults.text;
  const DefaultsLoad loaded = load_run_defaults(rec, path);
  if (loaded.status == 2) throw UsageError{loaded.error};
  if (loaded.status != 0) throw Failure{loaded.error};
  for (const Given* g : {&o.output, &o.plot}) {
    platform::FileIdentity id;
    if (g->given() && loaded.identity.valid && platform::identity_of(g->text, id) &&
        id == loaded.identity) {
      throw UsageError{g->quoted() + ": that is the defaults file in use"};
    }
  }
  s.source = loaded.source;
  s.as_given = {as_given(o.outer), as_given(o.inner)};
  if (s.named && !o.outer.given()) s.as_given.outer = s.named->line.outer_as_given;
  if (s.named && !o.inner.given()) s.as_given.inner = s.named->line.inner_as_given;
  s.line = {as_decimal(rec.blk1.bdef), as_decimal(rec.blk1.ddef), as_decimal(rec.blk1.er)};
  if (s.named) {
    s.line.outer_in = s.named->line.outer_in;
    s.line.inner_in = s.named->line.inner_in;
    s.line.er = s.named->line.er.value_or(s.line.er);
  }
  s.line = {outer.value_or(s.line.outer_in), inner.value_or(s.line.inner_in),
            er.value_or(s.line.er)};
  if (!(s.line.inner_in < s.line.outer_in)) {
    const std::string pair = "the outer diameter (" + shortest(s.line.outer_in) +
                             " in) must exceed the inner diameter (" + shortest(s.line.inner_in) +
                             " in)";
    const Given& g = o.outer.given() || !o.inner.given() ? o.outer : o.inner;
    throw UsageError{(g.given() ? g.quoted() : "--outer, --inner (from " + s.source + ")") + ": " +
                     pair};
  }
  return s;
}

Json header(std::string_view run, const Setting& s) {
  Json j = Json::object();
  j["program"] = "lumo";
  j["version"] = LUMO_VERSION;
  j["run"] = run;
  Json in = Json::object();
  in["defaults"] = s.source;
  if (s.named) add_line_json(in, *s.named);
  in["outer_in"] = s.line.outer_in;
  in["inner_in"] = s.line.inner_in;
  in["er"] = s.line.er;
  j["inputs"] = in;
  return j;
}

// --- modes

std::string modes_text(const Setting& s) {
  const checks::ModeCutoffs m = checks::mode_cutoffs(s.line);
  const checks::LineFacts f = checks::line_facts(s.line.er);
  if (s.format == Format::kReport) return checks::modes_table(s.line, m, f, s.as_given);
  if (s.format == Format::kCsv) {
    std::string t = "mode,cutoff_ghz,method\r\n";
    // The estimate is the single-precision value the reports print.
    std::string estimate;
    append_number(estimate, static_cast<float>(m.te11_estimate_ghz));
    t += "TE11," + estimate + ",estimate\r\n";
    t += "TE11," + shortest(m.te11_ghz) + ",exact\r\n";
    t += "TE21," + shortest(m.te21_ghz) + ",exact\r\n";
    t += "TM01," + shortest(m.tm01_ghz) + ",exact\r\n";
    return t;
  }
  Json j = header("modes", s);
  Json line = Json::object();
  line["te11_cutoff_ghz"] = json_number(static_cast<float>(m.te11_estimate_ghz));
  line["te11_exact_ghz"] = json_double(m.te11_ghz);
  line["te21_exact_ghz"] = json_double(m.te21_ghz);
  line["tm01_exact_ghz"] = json_double(m.tm01_ghz);
  line["velocity_factor"] = json_double(f.velocity_factor);
  line["delay_ns_per_ft"] = json_double(f.delay_ns_per_ft);
  j["line"] = line;
  return j.dump() + "\n";
}

// --- tolerance

checks::ToleranceInputs tolerance_inputs(const Options& o, const Setting& s) {
  checks::ToleranceInputs in;
  in.nominal = s.line;
  struct Required {
    const Given& g;
    const char* what;
  };
  for (const Required& r :
       {Required{o.tol_outer, "B"}, Required{o.tol_inner, "D"}, Required{o.tol_er, "Er"}}) {
    if (!r.g.given()) {
      throw UsageError{"tolerance needs " + r.g.name + ", the +- tolerance on " + r.what};
    }
  }
  in.outer_tol_in = checked_number(o.tol_outer, "the tolerance on B", Quantity::kLength);
  in.inner_tol_in = checked_number(o.tol_inner, "the tolerance on D", Quantity::kLength);
  in.er_tol = checked_number(o.tol_er, "the tolerance on Er", Quantity::kPlain);
  if (o.offset.given()) in.offset_in = checked_number(o.offset, "the offset", Quantity::kLength);
  if (o.zref.given()) {
    in.zref_ohm = checked_number(o.zref, "the reference impedance", Quantity::kPlain);
  }
  if (o.rl_target.given()) {
    in.rl_target_db = checked_number(o.rl_target, "the return loss target", Quantity::kPlain);
  }
  if (o.samples.given()) {
    in.samples =
        checked_whole(o.samples, 1, "the number of samples must be a whole number of at least 1");
  }
  if (o.seed.given()) {
    in.seed =
        checked_whole(o.seed, 0, "the seed must be a whole number from 0 to 18446744073709551615");
  }
  if (o.distribution.given()) {
    if (o.distribution.text == "uniform") {
      in.distribution = checks::Distribution::uniform;
    } else if (o.distribution.text != "normal") {
      throw UsageError{o.distribution.quoted() + ": the distribution must be normal or uniform"};
    }
  }
  if (const auto e = checks::input_error(in)) {
    using F = checks::InputField;
    const Given& g = e->field == F::outer       ? o.outer
                     : e->field == F::inner     ? o.inner
                     : e->field == F::er        ? o.er
                     : e->field == F::outer_tol ? o.tol_outer
                     : e->field == F::inner_tol ? o.tol_inner
                     : e->field == F::er_tol    ? o.tol_er
                     : e->field == F::offset    ? o.offset
                     : e->field == F::zref      ? o.zref
                     : e->field == F::rl_target ? o.rl_target
                                                : o.samples;
    throw UsageError{named(g, s.source) + ": " + e->message};
  }
  return in;
}

std::string corner_text(const checks::Corner& c) {
  auto sign = [](int x) { return x < 0 ? "-" : "+"; };
  return std::string("B") + sign(c.outer) + " D" + sign(c.inner) + " Er" + sign(c.er) +
         (c.offset ? " offset" : "");
}

Json corner_json(const checks::Corner& c, double offset_in) {
  Json j = Json::object();
  j["zo_ohm"] = json_double(c.zo_ohm);
  j["outer"] = c.outer;
  j["inner"] = c.inner;
  j["er"] = c.er;
  j["offset_in"] = c.offset ? offset_in : 0.0;
  return j;
}

Json budget_json(const checks::Budget& b, const checks::ParameterBudget& p) {
  if (!b.feasible) return nullptr;
  Json j = Json::object();
  j["symmetric"] = json_double(p.symmetric);
  j["increase"] = json_double(p.increase);
  j["decrease"] = json_double(p.decrease);
  return j;
}

// A tolerance analysis, whole.
struct Analysis {
  checks::ToleranceInputs in;
  checks::ZoWindow window;
  checks::WorstCase worst;
  checks::MonteCarloResult mc;
  checks::Budget budget;
};

Analysis analyse(const checks::ToleranceInputs& in) {
  return {in, checks::rl_window(in.zref_ohm, in.rl_target_db), checks::worst_case(in),
          checks::monte_carlo(in), checks::budget(in)};
}

std::string tolerance_text(const Analysis& a, const Setting& s) {
  const auto& [in, window, worst, mc, budget] = a;
  const checks::ZoSummary& z = mc.zo;
  if (s.format == Format::kReport) return checks::tolerance_table(in, window, worst, mc, budget);
  if (s.format == Format::kCsv) {
    std::string t =
        "nominal_zo_ohm,window_low_ohm,window_high_ohm,lowest_zo_ohm,lowest_corner,"
        "highest_zo_ohm,highest_corner,worst_rl_db,mean_zo_ohm,stddev_zo_ohm,p1_zo_ohm,"
        "p50_zo_ohm,p99_zo_ohm,yield,budget_outer_in,budget_inner_in,budget_er\r\n";
    // The budgets are empty when the nominal line misses the target. (The
    // flag is copied: clang before 16 cannot capture a structured binding.)
    auto b = [feasible = budget.feasible](double x) {
      return feasible ? shortest(x) : std::string();
    };
    for (const std::string& field :
         {shortest(worst.nominal_zo_ohm), shortest(window.low_ohm), shortest(window.high_ohm),
          shortest(worst.lowest.zo_ohm), corner_text(worst.lowest), shortest(worst.highest.zo_ohm),
          corner_text(worst.highest), shortest(worst.worst_rl_db), shortest(z.mean_ohm),
          shortest(z.stddev_ohm), shortest(z.p1_ohm), shortest(z.p50_ohm), shortest(z.p99_ohm),
          shortest(mc.yield), b(budget.outer_in.symmetric), b(budget.inner_in.symmetric),
          b(budget.er.symmetric)}) {
      t += field;
      t += ',';
    }
    t.back() = '\r';
    return t + "\n";
  }
  Json j = header("tolerance", s);
  Json& i = j["inputs"];
  i["tol_outer_in"] = in.outer_tol_in;
  i["tol_inner_in"] = in.inner_tol_in;
  i["tol_er"] = in.er_tol;
  i["offset_in"] = in.offset_in;
  i["zref_ohm"] = in.zref_ohm;
  i["rl_target_db"] = in.rl_target_db;
  i["samples"] = in.samples;
  i["seed"] = in.seed;
  i["distribution"] = in.distribution == checks::Distribution::uniform ? "uniform" : "normal";
  Json& w = j["window"];
  w["low_ohm"] = json_double(window.low_ohm);
  w["high_ohm"] = json_double(window.high_ohm);
  Json& wc = j["worst_case"];
  wc["nominal_zo_ohm"] = json_double(worst.nominal_zo_ohm);
  wc["lowest"] = corner_json(worst.lowest, in.offset_in);
  wc["highest"] = corner_json(worst.highest, in.offset_in);
  wc["worst_rl_db"] = json_double(worst.worst_rl_db);
  Json& m = j["monte_carlo"];
  m["mean_ohm"] = json_double(z.mean_ohm);
  m["stddev_ohm"] = json_double(z.stddev_ohm);
  m["p1_ohm"] = json_double(z.p1_ohm);
  m["p50_ohm"] = json_double(z.p50_ohm);
  m["p99_ohm"] = json_double(z.p99_ohm);
  m["yield"] = json_double(mc.yield);
  Json& bj = j["budget"];
  bj["feasible"] = budget.feasible;
  bj["outer_in"] = budget_json(budget, budget.outer_in);
  bj["inner_in"] = budget_json(budget, budget.inner_in);
  bj["er"] = budget_json(budget, budget.er);
  return j.dump() + "\n";
}

std::string write_error(const Setting& s, int err) {
  return (s.output ? "-o " + *s.output : std::string("standard output")) + ": " +
         std::strerror(err);
}

void open(const Setting& s, OutputTarget& target) {
  if (s.output) {
    if (const int err = target.open_file(*s.output); err != 0) throw Failure{write_error(s, err)};
  } else {
    target.open_stdout();
  }
}

// Writes `text` to the setting's output, replacing a file only when complete.
void deliver(const Setting& s, OutputTarget& target, const std::string& text) {
  target.channel().append(text);
  if (!target.channel().end_statement()) throw Failure{write_error(s, target.channel().error())};
  if (const int err = target.commit(); err != 0) throw Failure{write_error(s, err)};
}

// The tolerance analysis into the output and its plot into --plot FILE. Both
// files are opened before the analysis, so a plot that cannot be written
// stops the command before any output.
void run_tolerance(const Options& o) {
  const Setting s = make_setting(o);
  const checks::ToleranceInputs in = tolerance_inputs(o, s);
  OutputTarget target;
  open(s, target);
  PlotFile plot_file(s.plot);
  const Analysis a = analyse(in);
  deliver(s, target, tolerance_text(a, s));
  if (plot_file) plot_file.write(plot::tolerance_svg(a.in, a.window, a.worst, a.mc));
}

}  // namespace

ChecksCommands::ChecksCommands(CLI::App& app, std::string_view footer)
    : options_(std::make_unique<Options>()) {
  Options& o = *options_;
  modes_ = app.add_subcommand(
      "modes", "exact TE11, TE21 and TM01 cut-offs beside the reports' TE11 estimate");
  add_common_and_line(modes_, o);
  modes_->footer(std::string(footer));

  // Each subcommand keeps its own values: a second set for tolerance.
  tolerance_options_ = std::make_unique<Options>();
  Options& t = *tolerance_options_;
  tolerance_ = app.add_subcommand(
      "tolerance", "worst case, Monte Carlo yield and budgets of B, D and Er tolerances");
  add_common_and_line(tolerance_, t);
  add(tolerance_, t.tol_outer, "--tol-outer", "T", "+- tolerance on B; in (default), mil, mm, um");
  add(tolerance_, t.tol_inner, "--tol-inner", "T", "+- tolerance on D; in (default), mil, mm, um");
  add(tolerance_, t.tol_er, "--tol-er", "T", "+- tolerance on Er");
  add(tolerance_, t.offset, "--offset", "C",
      "largest distance between the conductors' centres (default 0); in, mil, mm, um");
  add(tolerance_, t.zref, "--zref", "Z",
      "reference impedance of the return loss, ohms (default 50)");
  add(tolerance_, t.rl_target, "--rl-target", "RL",
      "return loss a good line reaches, dB (default 30)");
  add(tolerance_, t.samples, "--samples", "N", "Monte Carlo samples (default 100000)");
  add(tolerance_, t.seed, "--seed", "S", "Monte Carlo seed (default 1): same seed, same numbers");
  add(tolerance_, t.distribution, "--distribution", "normal|uniform",
      "normal (default): the tolerance is 3 sigma, truncated there; uniform: fills the box");
  add(tolerance_, t.plot, "--plot", "FILE.svg",
      "also draw the Monte Carlo histogram, the window and the corners into FILE.svg");
  tolerance_->footer(std::string(footer));
}

ChecksCommands::~ChecksCommands() = default;

int ChecksCommands::run() const {
  return with_diagnostics([&] {
    if (modes_->parsed()) {
      const Setting s = make_setting(*options_);
      OutputTarget target;
      open(s, target);
      deliver(s, target, modes_text(s));
    } else {
      run_tolerance(*tolerance_options_);
    }
    return kExitSuccess;
  });
}

}  // namespace lumo::cli
