// The frequency, sensitivity and synthesize subcommands: every value
// checked and the records prepared as the dialogue would for the same
// answers, then the run written as its report, CSV, JSON or line model, and
// its plot beside it.
#include "cli/run_commands.h"

#include <cstdint>
#include <cstring>
#include <iostream>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "cli/data_writers.h"
#include "cli/defaults_source.h"
#include "cli/line_checks.h"
#include "cli/line_model_writers.h"
#include "cli/line_values.h"
#include "cli/named_line.h"
#include "cli/options.h"
#include "cli/output_target.h"
#include "cli/quantity.h"
#include "cli/report_commands.h"
#include "driver/lumo.h"
#include "driver/report_writer.h"
#include "driver/run_support.h"
#include "input/lminput.h"
#include "input/ranges.h"
#include "numbers/number_text.h"
#include "plot/run_plot.h"
#include "textio/fatal.h"
#include "textio/platform.h"

#ifndef LUMO_VERSION
#error "LUMO_VERSION must be defined by the build"
#endif

namespace lumo::cli {
namespace {

using Json = nlohmann::ordered_json;

constexpr std::int64_t kDefaultMaxRows = 10'000'000;

constexpr Range kLength{"line length", Quantity::kLineLength, "in", &kStepRange};
constexpr Range kZref{"reference impedance", Quantity::kPlain, "ohms", &kStepRange};
constexpr Range kFreqSweep[3] = {
    {"start frequency", Quantity::kFrequency, "GHz", &kStartFrequencyEntry},
    {"stop frequency", Quantity::kFrequency, "GHz", &kFrequencyEntry},
    {"frequency step", Quantity::kFrequency, "GHz", &kStepRange}};
constexpr Range kDiameterSweep[3] = {{"minimum diameter", Quantity::kLength, "in", &kDiameterRange},
                                     {"maximum diameter", Quantity::kLength, "in", &kDiameterRange},
                                     {"diameter step", Quantity::kLength, "in", &kStepRange}};
constexpr Range kImpedanceSweep[3] = {
    {"minimum impedance", Quantity::kPlain, "ohms", &kImpedanceRange},
    {"maximum impedance", Quantity::kPlain, "ohms", &kImpedanceRange},
    {"impedance step", Quantity::kPlain, "ohms", &kStepRange}};
constexpr Range kLossAt{"loss frequency", Quantity::kFrequency, "GHz", &kFrequencyEntry};

enum class Run { kFrequency, kSensitivity, kSynthesis };

}  // namespace

// Every option's text; the command's options are registered on its
// subcommand so that they follow its name.
struct RunCommands::Options {
  Given defaults, format, output, max_rows, plot;
  Given outer, inner, er, tand, rho_outer, rho_inner, rough_outer, rough_inner;
  Given freq, vary, range, conductor, impedance, loss_at;
  LineOptions line;
  Given length, s_format, zref, name;  // a frequency run's line model
  bool sensitivity = false;
};

namespace {

using Options = RunCommands::Options;

void add_common_and_line(CLI::App* app, Options& o) {
  add_defaults_format_output(app, o.defaults, o.format, o.output);
  add(app, o.max_rows, "--max-rows", "N", "largest sweep allowed, rows (default 10000000)");
  add(app, o.plot, "--plot", "FILE.svg", "also draw the run's plot into FILE.svg");
  add_line_options(app, o.line);
  add_diameters_and_er(app, o.outer, o.inner, o.er);
  add(app, o.tand, "--tand", "DLTAN", "dielectric loss tangent, 0 to 99.999 (not with Er 1)");
  add(app, o.rho_outer, "--rho-outer", "R",
      "outer conductor resistivity, 0 to 999.99 micro-ohm-cm");
  add(app, o.rho_inner, "--rho-inner", "R",
      "inner conductor resistivity, 0 to 999.99 micro-ohm-cm");
  add(app, o.rough_outer, "--rough-outer", "S",
      "outer conductor RMS roughness, 0 to 999.99; micro-inches (default), um, nm");
  add(app, o.rough_inner, "--rough-inner", "S",
      "inner conductor RMS roughness, 0 to 999.99; micro-inches (default), um, nm");
}

std::int64_t checked_max_rows(const Given& g) {
  if (!g.given()) return kDefaultMaxRows;
  std::int64_t n = 0;
  const char* end = g.text.data() + g.text.size();
  const auto r = num::parse_number(g.text.data(), end, n);
  if (r.ec != std::errc() || r.ptr != end || n < 1) {
    throw UsageError{g.quoted() + ": the row limit must be a whole number of at least 1"};
  }
  return n;
}

// inner or outer: true for outer.
bool checked_conductor(const Given& g, std::string_view run) {
  if (!g.given()) {
    throw UsageError{std::string(run) + " needs " + g.name + " inner or " + g.name + " outer"};
  }
  if (g.text == "outer") return true;
  if (g.text == "inner") return false;
  throw UsageError{g.quoted() + ": the conductor must be inner or outer"};
}

void refuse_if_given(const Given& g, std::string_view why) {
  if (g.given()) throw UsageError{g.quoted() + ": not used " + std::string(why)};
}

// The sweep's rows as the dialogue counts them.
void check_rows(const Given& g, const FloatSweep& s, std::int64_t rows_allowed, std::int32_t& l) {
  l = step_count(s.start, s.stop, s.step);
  const std::int64_t rows = std::int64_t{l} + 1;
  if (rows > rows_allowed) {
    const std::string what = g.given() ? g.quoted()
                                       : g.name + " (from the defaults file) " + shortest(s.start) +
                                             ":" + shortest(s.stop) + ":" + shortest(s.step);
    throw UsageError{what + ": the sweep has " + std::to_string(rows) + " rows, more than " +
                     std::to_string(rows_allowed) + " (--max-rows raises the limit)"};
  }
}

Json sweep_json(std::string_view name, const FloatSweep& s, std::int32_t l) {
  Json j = Json::object();
  j["name"] = name;
  j["start"] = json_number(s.start);
  j["stop"] = json_number(s.stop);
  j["step"] = json_number(s.step);
  j["rows"] = std::int64_t{l} + 1;
  return j;
}

// Everything a run is given, once the values are checked.
struct Plan {
  Run run = Run::kFrequency;
  Format format = Format::kReport;
  std::optional<std::string> output;
  std::optional<std::string> plot;  // the SVG file beside the output
  std::string run_name;             // as JSON names it
  Json inputs = Json::object();
  Records rec;
  DriverVars vars;
  std::string multimode_warning;  // a frequency run's, once run
  LineModelSettings model;        // s2p, spice, rlgc
};

float pick(const Given& g, const Range& r, float fallback) {
  return g.given() ? checked_value(g, r) : fallback;
}

void materials_json(Json& j, const Blk1& k) {
  j["tand"] = json_number(k.dltan);
  j["rho_outer_uohm_cm"] = json_number(k.resb1);
  j["rho_inner_uohm_cm"] = json_number(k.resd1);
  j["rough_outer_uin"] = json_number(k.srb1);
  j["rough_inner_uin"] = json_number(k.srd1);
}

// The line model's options: each refused where its format does not use it.
void model_settings(Plan& p, const Options& o, float last_freq) {
  const std::string format = "with --format " + (o.format.given() ? o.format.text : "report");
  const bool touchstone = p.format == Format::kTouchstone, spice = p.format == Format::kSpice;
  LineModelSettings& m = p.model;
  if (touchstone || spice) {
    if (!o.length.given()) throw UsageError{"--format " + o.format.text + " needs --length L"};
    (void)checked_value(o.length, kLength);
    const Parsed length = parse_quantity(o.length.text, kLength.quantity);
    m.length_in = length.value;
    m.length_given = std::string(length.number) + " " +
                     std::string(length.unit != nullptr ? length.unit->name : "in");
  } else {
    refuse_if_given(o.length, format);
  }
  if (touchstone) {
    if (o.zref.given()) {
      (void)checked_value(o.zref, kZref);
      m.zref_ohm = parse_quantity(o.zref.text, kZref.quantity).value;
    }
    const std::string& f = o.s_format.text;
    if (o.s_format.given() && f != "ri" && f != "ma" && f != "db") {
      throw UsageError{o.s_format.quoted() + ": the S-parameter format must be ri, ma or db"};
    }
    m.s_format = f == "ma" ? SFormat::kMa : f == "db" ? SFormat::kDb : SFormat::kRi;
  } else {
    refuse_if_given(o.zref, format);
    refuse_if_given(o.s_format, format);
  }
  if (spice) {
    if (o.name.given()) m.name = o.name.text;
    constexpr std::string_view kWordChars =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_";
    const bool word = !m.name.empty() && m.name.size() <= 32 &&
                      kWordChars.substr(0, 52).find(m.name[0]) != std::string_view::npos &&
                      m.name.find_first_not_of(kWordChars) == std::string::npos;
    if (!word) {
      throw UsageError{o.name.quoted() +
                       ": a subcircuit name is a letter, then up to 31 letters, digits or _"};
    }
    if (p.rec.blk2.l != 0) {
      throw UsageError{o.freq.name +
                       ": with --format spice the sweep must have exactly one row "
                       "(the model holds at one frequency), not " +
                       std::to_string(std::int64_t{p.rec.blk2.l} + 1)};
    }
  } else {
    refuse_if_given(o.name, format);
  }
  m.format = touchstone ? LineModelFormat::kTouchstone
             : spice    ? LineModelFormat::kSpice
                        : LineModelFormat::kRlgc;
  m.version = LUMO_VERSION;
  m.last_freq_ghz = last_freq;
}

// Checks every value and prepares the records as the dialogue would for the
// same answers.
Plan make_plan(Run run, Options& o) {
  Plan p;
  p.run = run;
  p.format = checked_format(o.format, run == Run::kFrequency);
  const std::int64_t max_rows = checked_max_rows(o.max_rows);
  OutputFiles files = checked_output_files(o.output, o.plot);
  p.output = std::move(files.output);
  p.plot = std::move(files.plot);

  // Which conductor is swept or synthesized, and the values given, are
  // checked before the defaults file is read.
  bool outer = false;
  if (run == Run::kSensitivity) outer = checked_conductor(o.vary, "sensitivity");
  if (run == Run::kSynthesis) {
    outer = checked_conductor(o.conductor, "synthesize");
    if (o.sensitivity) refuse_if_given(o.loss_at, "with --sensitivity");
    // The synthesized diameter is the run's result, not an input.
    refuse_if_given(outer ? o.outer : o.inner, "when that conductor is synthesized");
  }
  struct Check {
    const Given& g;
    const Range& r;
  };
  for (const Check& c : {Check{o.outer, kOuter}, Check{o.inner, kInner}, Check{o.er, kEr},
                         Check{o.tand, kTand}, Check{o.rho_outer, kRhoOuter},
                         Check{o.rho_inner, kRhoInner}, Check{o.rough_outer, kRoughOuter},
                         Check{o.rough_inner, kRoughInner}, Check{o.loss_at, kLossAt}}) {
    if (c.g.option != nullptr && c.g.given()) (void)checked_value(c.g, c.r);
  }
  const Given& sweep_option = run == Run::kFrequency     ? o.freq
                              : run == Run::kSensitivity ? o.range
                                                         : o.impedance;
  const Range(&sweep_ranges)[3] = run == Run::kFrequency     ? kFreqSweep
                                  : run == Run::kSensitivity ? kDiameterSweep
                                                             : kImpedanceSweep;
  std::optional<FloatSweep> sweep;
  if (sweep_option.given()) sweep = checked_sweep(sweep_option, sweep_ranges);

  const std::optional<NamedLine> entry = chosen_line(o.line);
  std::optional<std::string> defaults_path;
  if (o.defaults.given()) defaults_path = o.defaults.text;
  Records& rec = p.rec;
  const DefaultsLoad loaded = load_run_defaults(rec, defaults_path);
  if (loaded.status == 2) throw UsageError{loaded.error};
  if (loaded.status != 0) throw Failure{loaded.error};
  if (entry) apply_line(rec.blk1, entry->line);
  for (const Given* g : {&o.output, &o.plot}) {
    platform::FileIdentity id;
    if (g->given() && loaded.identity.valid && platform::identity_of(g->text, id) &&
        id == loaded.identity) {
      throw UsageError{g->quoted() + ": that is the defaults file in use"};
    }
  }

  // The dialogue's answers, in its order.
  Blk1& k = rec.blk1;
  Blk2& c = rec.blk2;
  k.b = k.bdef = pick(o.outer, kOuter, k.bdef);
  k.d = k.ddef = pick(o.inner, kInner, k.ddef);
  if (run != Run::kSynthesis && !(k.d < k.b)) {
    const Given& named = o.outer.given() || !o.inner.given() ? o.outer : o.inner;
    const std::string pair = "the outer diameter (" + shortest(k.b) +
                             " in) must exceed the inner diameter (" + shortest(k.d) + " in)";
    if (named.given()) throw UsageError{named.quoted() + ": " + pair};
    throw UsageError{"--outer, --inner (from " + loaded.source + "): " + pair};
  }
  k.er = pick(o.er, kEr, k.er);
  if (k.er == 1.0f) {
    // Air has no dielectric loss: the dialogue does not ask for a tangent.
    refuse_if_given(o.tand, "when Er is 1 (air has no dielectric loss)");
    k.dltan = 0.0f;
  } else {
    k.dltan = pick(o.tand, kTand, k.dltan);
  }
  k.resb1 = pick(o.rho_outer, kRhoOuter, k.resb1);
  k.resd1 = pick(o.rho_inner, kRhoInner, k.resd1);
  k.srb1 = pick(o.rough_outer, kRoughOuter, k.srb1);
  k.srd1 = pick(o.rough_inner, kRoughInner, k.srd1);
  rec.blk4 = conductor_data(k);

  Json& in = p.inputs;
  in["defaults"] = loaded.source;
  if (entry) add_line_json(in, *entry);
  std::int32_t& l = c.l;
  if (run == Run::kFrequency) {
    c.ifunc = 1;
    c.iop = 1;
    FloatSweep s = sweep.value_or(FloatSweep{k.fmin, k.fmax, k.fstep});
    k.fmin = s.start;
    k.fmax = s.stop;
    k.fstep = s.step;
    check_rows(o.freq, s, max_rows, l);
    p.run_name = "frequency";
    in["outer_in"] = json_number(k.b);
    in["inner_in"] = json_number(k.d);
    in["er"] = json_number(k.er);
    materials_json(in, k);
    in["sweep"] = sweep_json("freq_ghz", s, l);
    model_settings(p, o, sweep_point(s.start, s.step, l));
  } else if (run == Run::kSensitivity) {
    c.ifunc = 1;
    c.iop = 2;
    c.idia = outer ? 2 : 1;
    float& min = outer ? k.bmin : k.dmin;
    float& max = outer ? k.bmax : k.dmax;
    float& stp = outer ? k.bstep : k.dstep;
    FloatSweep s = sweep.value_or(FloatSweep{min, max, stp});
    min = s.start;
    max = s.stop;
    stp = s.step;
    check_rows(o.range, s, max_rows, l);
    p.run_name = "sensitivity";
    in["vary"] = outer ? "outer" : "inner";
    in["outer_in"] = json_number(k.b);
    in["inner_in"] = json_number(k.d);
    in["er"] = json_number(k.er);
    in["sweep"] = sweep_json(outer ? "outer_in" : "inner_in", s, l);
  } else {
    c.ifunc = 2;
    c.isyn = outer ? 2 : 1;
    c.iop = o.sensitivity ? 2 : 1;
    if (!o.sensitivity) k.fdef = pick(o.loss_at, kLossAt, k.fdef);
    FloatSweep s = sweep.value_or(FloatSweep{k.zmin, k.zmax, k.zstep});
    k.zmin = s.start;
    k.zmax = s.stop;
    k.zstep = s.step;
    check_rows(o.impedance, s, max_rows, l);
    p.run_name = o.sensitivity ? "synthesis-sensitivity" : "synthesis-loss";
    in["conductor"] = outer ? "outer" : "inner";
    in[outer ? "inner_in" : "outer_in"] = json_number(outer ? k.d : k.b);
    in["er"] = json_number(k.er);
    if (!o.sensitivity) {
      materials_json(in, k);
      in["loss_at_ghz"] = json_number(k.fdef);
    }
    in["sweep"] = sweep_json("zo_ohm", s, l);
  }
  // As every dialogue pass starts its run.
  p.vars.f = k.fdef;
  k.b = k.bdef;
  k.d = k.ddef;
  return p;
}

std::string write_error(const Plan& p, int err) {
  return (p.output ? "-o " + *p.output : std::string("standard output")) + ": " +
         std::strerror(err);
}

// Runs the plan into the output, and into `plot` when there is one; false
// when a synthesis stopped.
bool execute(Plan& p, OutputTarget& target, plot::PlotConsumer* plot) {
  OutputChannel& out = target.channel();
  Records& rec = p.rec;
  // A frequency run's rows are checked against its line's exact TE11 cut-off.
  std::optional<LineChecks> checks;
  if (p.run == Run::kFrequency) checks = line_checks(rec.blk1.b, rec.blk1.d, rec.blk1.er);
  const double te11 = checks ? checks->modes.te11_ghz : std::numeric_limits<double>::quiet_NaN();
  auto run = [&](RunConsumer& consumer) {
    if (plot == nullptr) return run_selected(rec, p.vars, consumer);
    TeeConsumer both(consumer, *plot);
    return run_selected(rec, p.vars, both);
  };
  if (p.format == Format::kReport) {
    InputChannel no_console;
    OutputChannel no_errors;
    Io io{no_console, out, no_errors, "", system_local_time, {}, {}};
    const LocalTime now = io.clock();
    rec.blk6 = {now.month, now.day, now.year, now.hour, now.minute, now.second};
    // The report as the dialogue prints it, without storage.
    ReportWriter writer(io, false);
    writer.report_header(rec.blk6, "");
    MultimodeWatch watch(writer, te11);
    if (!run(watch)) return false;
    writer.report_trailer(p.vars.fdata, rec.blk3.fn);
    p.multimode_warning = watch.warning();
    return true;
  }
  if (p.format == Format::kCsv) {
    CsvWriter writer(out, te11);
    MultimodeWatch watch(writer, te11);
    const bool done = run(watch);
    p.multimode_warning = watch.warning();
    return done;
  }
  if (p.format != Format::kJson) {
    p.model.te11_exact_ghz = te11;
    LineModelWriter writer(out, p.model);
    MultimodeWatch watch(writer, te11);
    const bool done = run(watch);
    p.multimode_warning = watch.warning();
    return done;
  }
  JsonWriter writer(out, LUMO_VERSION, p.run_name, p.inputs);
  if (checks) writer.set_line_checks(*checks);
  MultimodeWatch watch(writer, te11);
  const bool done = run(watch);
  writer.finish();
  p.multimode_warning = watch.warning();
  return done;
}

int run_plan(Plan& p) {
  OutputTarget target;
  if (p.output) {
    if (const int err = target.open_file(*p.output); err != 0) {
      throw Failure{write_error(p, err)};
    }
  } else {
    target.open_stdout();
  }
  // The plot's file is opened first too, so a plot that cannot be written
  // stops the run before any output.
  PlotFile plot_file(p.plot);
  std::optional<ExactCutoffPlot> plot;
  if (plot_file) plot.emplace();
  bool done = true;
  try {
    done = execute(p, target, plot ? &*plot : nullptr);
  } catch (const WriteFailed& w) {
    throw Failure{write_error(p, w.err)};
  } catch (const FatalStop& stop) {
    // The report writer stops like the dialogue on a write error.
    const std::size_t at = stop.report.find(kFatalPrefix);
    std::string reason =
        at == std::string::npos ? stop.report : stop.report.substr(at + kFatalPrefix.size());
    while (!reason.empty() && reason.back() == '\n') reason.pop_back();
    throw Failure{(p.output ? "-o " + *p.output : std::string("standard output")) + ": " + reason};
  }
  if (const int err = target.commit(); err != 0) throw Failure{write_error(p, err)};
  if (plot) plot_file.write(plot->svg());
  std::cerr << p.multimode_warning;
  if (!done && p.format != Format::kReport) {
    std::cerr << "lumo: note: the synthesis stopped at " << shortest(p.vars.zo)
              << " ohms, which needs unrealizable dimensions; the rows before it are written\n";
  }
  return kExitSuccess;
}

}  // namespace

RunCommands::RunCommands(CLI::App& app, std::string_view footer)
    : frequency_options_(std::make_unique<Options>()),
      sensitivity_options_(std::make_unique<Options>()),
      synthesis_options_(std::make_unique<Options>()) {
  Options& of = *frequency_options_;
  Options& os = *sensitivity_options_;
  Options& oy = *synthesis_options_;
  frequency_ = app.add_subcommand("frequency", "frequency analysis: losses over a frequency sweep");
  add_common_and_line(frequency_, of);
  add(frequency_, of.freq, "--freq", "START:STOP:STEP", "frequency sweep; GHz (default), MHz, kHz");
  of.format.option->description("report (default), csv, json, s2p, spice or rlgc");
  add(frequency_, of.length, "--length", "L",
      "s2p, spice: line length; in (default), ft, mil, mm, cm, m");
  add(frequency_, of.s_format, "--s-format", "ri|ma|db", "s2p: data format (default ri)");
  add(frequency_, of.zref, "--zref", "Z", "s2p: reference impedance, ohms (default 50)");
  add(frequency_, of.name, "--name", "NAME", "spice: subcircuit name (default lumo_line)");
  frequency_->footer(std::string(footer));

  sensitivity_ = app.add_subcommand(
      "sensitivity", "sensitivity analysis: Zo and its sensitivities over a diameter sweep");
  add_common_and_line(sensitivity_, os);
  add(sensitivity_, os.vary, "--vary", "inner|outer", "inner or outer: the conductor swept");
  add(sensitivity_, os.range, "--range", "MIN:MAX:STEP",
      "sweep of the diameter; in (default), mil, mm, um");
  sensitivity_->footer(std::string(footer));

  synthesize_ = app.add_subcommand("synthesize", "diameter synthesis over an impedance sweep");
  add_common_and_line(synthesize_, oy);
  add(synthesize_, oy.conductor, "--conductor", "inner|outer",
      "inner or outer: the conductor synthesized (the other is fixed)");
  add(synthesize_, oy.impedance, "--impedance", "MIN:MAX:STEP", "impedance sweep, ohms");
  add(synthesize_, oy.loss_at, "--loss-at", "FREQ",
      "frequency of the losses; GHz (default), MHz, kHz");
  synthesize_->add_flag("--sensitivity", oy.sensitivity, "sensitivities instead of losses");
  synthesize_->footer(std::string(footer));
}

RunCommands::~RunCommands() = default;

int RunCommands::run() const {
  const Run run = frequency_->parsed()     ? Run::kFrequency
                  : sensitivity_->parsed() ? Run::kSensitivity
                                           : Run::kSynthesis;
  Options& o = run == Run::kFrequency     ? *frequency_options_
               : run == Run::kSensitivity ? *sensitivity_options_
                                          : *synthesis_options_;
  return with_diagnostics([&] {
    Plan plan = make_plan(run, o);
    return run_plan(plan);
  });
}

}  // namespace lumo::cli
