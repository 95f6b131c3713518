#include "cli/report_commands.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <limits>
#include <memory>
#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "cli/data_writers.h"
#include "cli/line_checks.h"
#include "cli/options.h"
#include "cli/output_target.h"
#include "plot/run_plot.h"
#include "reports/report_reader.h"
#include "textio/platform.h"

#ifndef LUMO_VERSION
#error "LUMO_VERSION must be defined by the build"
#endif

namespace lumo::cli {

namespace {

using Json = nlohmann::ordered_json;

constexpr double kNoCutoff = std::numeric_limits<double>::quiet_NaN();

// A command's end with its one-line diagnostic.
struct Stop {
  int status;
  std::string message;
};

bool same_file(const std::string& a, const std::string& b) {
  platform::FileIdentity ia, ib;
  return platform::identity_of(a, ia) && platform::identity_of(b, ib) && ia == ib;
}

// What a first reading learns of each report: its run as JSON names it, the
// values its header block gives, and the extent of its table.
class ReportInfo : public RunConsumer {
 public:
  std::string run;
  Json inputs = Json::object();
  std::string sweep_name;
  float first = 0, last = 0;
  std::int64_t rows = 0;
  // A frequency report's line, for the checks the run subcommand adds.
  std::optional<LineChecks> checks;

  void frequency_header(const FrequencyHeader& h) override {
    run = "frequency";
    checks = line_checks(h.b, h.d, h.er);
    inputs["outer_in"] = json_number(h.b);
    inputs["inner_in"] = json_number(h.d);
    inputs["er"] = json_number(h.er);
    materials(h.materials);
    sweep_name = "freq_ghz";
  }
  void frequency_row(const FrequencyRow& r) override { row(r.freq); }
  void sensitivity_header(const SensitivityHeader& h) override {
    run = h.synthesis ? "synthesis-sensitivity" : "sensitivity";
    inputs[h.synthesis ? "conductor" : "vary"] = h.outer ? "outer" : "inner";
    inputs[h.outer ? "inner_in" : "outer_in"] = json_number(h.fixed);
    inputs["er"] = json_number(h.er);
    synthesis_ = h.synthesis;
    sweep_name = h.synthesis ? "zo_ohm" : h.outer ? "outer_in" : "inner_in";
  }
  void sensitivity_row(const SensitivityRow& r) override { row(synthesis_ ? r.zo : r.diameter); }
  void synthesis_loss_header(const SynthesisLossHeader& h) override {
    run = "synthesis-loss";
    inputs["conductor"] = h.outer ? "outer" : "inner";
    inputs[h.outer ? "inner_in" : "outer_in"] = json_number(h.fixed);
    inputs["er"] = json_number(h.er);
    materials(h.materials);
    inputs["loss_at_ghz"] = json_number(h.freq);
    sweep_name = "zo_ohm";
  }
  void synthesis_loss_row(const SynthesisLossRow& r) override { row(r.zo); }

  // The inputs with the sweep as the table shows it (a report does not
  // keep the step).
  Json with_sweep() const {
    Json in = inputs;
    Json s = Json::object();
    s["name"] = sweep_name;
    s["start"] = rows > 0 ? json_number(first) : Json();
    s["stop"] = rows > 0 ? json_number(last) : Json();
    s["rows"] = rows;
    in["sweep"] = s;
    return in;
  }

 private:
  void materials(const Materials& m) {
    inputs["tand"] = json_number(m.dltan);
    inputs["rho_outer_uohm_cm"] = json_number(m.resb);
    inputs["rho_inner_uohm_cm"] = json_number(m.resd);
    inputs["rough_outer_uin"] = json_number(m.srb);
    inputs["rough_inner_uin"] = json_number(m.srd);
  }
  void row(float x) {
    if (rows++ == 0) first = x;
    last = x;
  }
  bool synthesis_ = false;
};

class InfoSink : public ReportSink {
 public:
  std::vector<ReportInfo> reports;
  RunConsumer& begin_report() override { return reports.emplace_back(); }
};

// Reads the report file through its first pass; every fault ends the command
// before anything is written.
std::vector<ReportInfo> read_checked(const std::string& report, std::string& text) {
  if (const int err = read_file(report, text); err != 0) {
    throw Stop{kExitFailure, report + ": " + std::strerror(err)};
  }
  InfoSink info;
  const ReadOutcome o = read_reports(text, info);
  if (o.error) throw Stop{kExitUsage, report + ": " + describe(*o.error)};
  return std::move(info.reports);
}

// Opens the files for `count` reports named after `name`, refusing the
// report itself.
std::vector<std::unique_ptr<OutputTarget>> open_targets(const std::string& report,
                                                        const std::string& name, std::size_t count,
                                                        std::vector<std::string>& names) {
  std::vector<std::unique_ptr<OutputTarget>> targets;
  for (std::size_t i = 0; i < count; ++i) {
    names.push_back(numbered(name, i, count));
    if (same_file(names.back(), report)) {
      throw Stop{kExitUsage, "-o " + names.back() + ": that is the report being read"};
    }
  }
  for (const std::string& n : names) {
    targets.push_back(std::make_unique<OutputTarget>());
    if (const int err = targets.back()->open_file(n); err != 0) {
      throw Stop{kExitFailure, n + ": " + std::strerror(err)};
    }
  }
  return targets;
}

void commit_all(std::vector<std::unique_ptr<OutputTarget>>& targets,
                const std::vector<std::string>& names) {
  for (std::size_t i = 0; i < targets.size(); ++i) {
    if (const int err = targets[i]->commit(); err != 0) {
      throw Stop{kExitFailure, names[i] + ": " + std::strerror(err)};
    }
  }
}

int finish(const Stop& s) {
  std::cerr << "lumo: " << s.message << "\n";
  return s.status;
}

// Plots each report into its own target as the report ends.
class PlotSink : public ReportSink {
 public:
  explicit PlotSink(std::vector<std::unique_ptr<OutputTarget>>& targets) : targets_(targets) {}
  RunConsumer& begin_report() override {
    plot_ = std::make_unique<ExactCutoffPlot>();
    return *plot_;
  }
  void end_report() override {
    targets_[next_++]->channel().append(plot_->svg());
    plot_.reset();
  }

 private:
  std::vector<std::unique_ptr<OutputTarget>>& targets_;
  std::unique_ptr<plot::PlotConsumer> plot_;
  std::size_t next_ = 0;
};

// Writes each report's table with a writer made for it.
template <class Make>
class WriterSink : public ReportSink {
 public:
  explicit WriterSink(Make make) : make_(std::move(make)) {}
  RunConsumer& begin_report() override {
    writer_ = make_(next_);
    return *writer_;
  }
  void end_report() override {
    writer_->finish();
    writer_.reset();
    ++next_;
  }

 private:
  Make make_;
  decltype(make_(std::size_t{0})) writer_;
  std::size_t next_ = 0;
};

// CsvWriter with the finish WriterSink calls.
struct CsvReport : CsvWriter {
  using CsvWriter::CsvWriter;
  void finish() {}
};

}  // namespace

std::string numbered(const std::string& name, std::size_t index, std::size_t count) {
  if (count == 1) return name;
  const std::filesystem::path p(name);
  const std::string ext = p.extension().string();
  return name.substr(0, name.size() - ext.size()) + "-" + std::to_string(index + 1) + ext;
}

int plot_report(const std::string& report, const std::optional<std::string>& out) {
  try {
    std::string text;
    const std::vector<ReportInfo> reports = read_checked(report, text);
    const std::string name = out ? *out : std::filesystem::path(report).stem().string() + ".svg";
    std::vector<std::string> names;
    auto targets = open_targets(report, name, reports.size(), names);
    PlotSink sink(targets);
    read_reports(text, sink);
    commit_all(targets, names);
    for (const std::string& n : names) std::cout << n << "\n";
    return kExitSuccess;
  } catch (const Stop& s) {
    return finish(s);
  }
}

int export_report(const std::string& report, ExportFormat format,
                  const std::optional<std::string>& out) {
  try {
    std::string text;
    const std::vector<ReportInfo> reports = read_checked(report, text);
    // CSV is one table a file; JSON holds every report in one array.
    const std::size_t files = format == ExportFormat::kCsv ? reports.size() : 1;
    std::vector<std::string> names;
    std::vector<std::unique_ptr<OutputTarget>> targets;
    if (out) {
      targets = open_targets(report, *out, files, names);
    } else if (files > 1) {
      throw Stop{kExitUsage, report + ": " + std::to_string(files) +
                                 " reports, one CSV file each: give -o FILE (written as FILE-1, "
                                 "FILE-2, ...) or use --format json"};
    } else {
      targets.push_back(std::make_unique<OutputTarget>());
      targets.back()->open_stdout();
      names.emplace_back("standard output");
    }
    try {
      if (format == ExportFormat::kCsv) {
        WriterSink sink([&](std::size_t i) {
          const auto& checks = reports[i].checks;
          return std::make_unique<CsvReport>(targets[i]->channel(),
                                             checks ? checks->modes.te11_ghz : kNoCutoff);
        });
        read_reports(text, sink);
      } else {
        OutputChannel& channel = targets[0]->channel();
        channel.append("[");
        WriterSink sink([&](std::size_t i) {
          if (i > 0) channel.append(",");
          Json inputs = Json::object();
          inputs["report"] = report;
          inputs["report_number"] = i + 1;
          inputs.update(reports[i].with_sweep());
          auto writer = std::make_unique<JsonWriter>(channel, LUMO_VERSION, reports[i].run, inputs);
          if (reports[i].checks) writer->set_line_checks(*reports[i].checks);
          return writer;
        });
        read_reports(text, sink);
        channel.append("]\n");
      }
    } catch (const WriteFailed& w) {
      throw Stop{kExitFailure,
                 (out ? *out : std::string("standard output")) + ": " + std::strerror(w.err)};
    }
    commit_all(targets, names);
    // Numbered files are named for the user.
    if (names.size() > 1) {
      for (const std::string& n : names) std::cout << n << "\n";
    }
    return kExitSuccess;
  } catch (const Stop& s) {
    return finish(s);
  }
}

namespace {

constexpr std::string_view kReportFooter =
    "A report file holds the reports the dialogue stored in it, one or more.\n"
    "Nothing is written unless the whole file reads as reports.\n"
    "Exit status: 0 success, 1 failure (REPORT not read, output not\n"
    "written), 2 an option not accepted or a file that is not a Lumo report.";

}  // namespace

ReportCommands::ReportCommands(CLI::App& app) {
  plot_ = app.add_subcommand("plot", "draw the plot of each report in a file the dialogue stored");
  plot_->add_option("REPORT", plot_report_file_, "a report file the dialogue stored")
      ->type_name("FILE")
      ->required();
  add(plot_, plot_out_, "-o,--output", "OUT.svg",
      "the SVG file (several reports: OUT-1.svg, OUT-2.svg, ...); default REPORT's name with .svg");
  plot_->footer(std::string(kReportFooter));
  export_ = app.add_subcommand("export",
                               "the tables of a report file the dialogue stored, as CSV or JSON");
  export_->add_option("REPORT", export_report_file_, "a report file the dialogue stored")
      ->type_name("FILE")
      ->required();
  add(export_, export_format_, "--format", "FORMAT",
      "csv (one file a report) or json (one array of all)");
  add(export_, export_out_, "-o,--output", "OUT",
      "write OUT (several reports as CSV: OUT-1, OUT-2, ...) instead of standard output");
  export_->footer(std::string(kReportFooter));
}

int ReportCommands::run() const {
  const Given& out = plot_->parsed() ? plot_out_ : export_out_;
  if (out.given() && out.text.empty()) {
    std::cerr << "lumo: " << out.quoted() << ": a file name is needed\n";
    return kExitUsage;
  }
  const std::optional<std::string> file =
      out.given() ? std::optional<std::string>(out.text) : std::nullopt;
  if (plot_->parsed()) return plot_report(plot_report_file_, file);
  if (!export_format_.given() || (export_format_.text != "csv" && export_format_.text != "json")) {
    std::cerr << "lumo: "
              << (export_format_.given()
                      ? export_format_.quoted() + ": the format must be csv or json"
                      : std::string("export needs --format csv or --format json"))
              << " (see lumo export --help)\n";
    return kExitUsage;
  }
  return export_report(export_report_file_,
                       export_format_.text == "csv" ? ExportFormat::kCsv : ExportFormat::kJson,
                       file);
}

}  // namespace lumo::cli
