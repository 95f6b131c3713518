// The commands on stored reports, and the plot beside a run:
//
//   lumo plot REPORT [-o OUT.svg]      each report's plot, as the run
//                                      subcommand draws it from the same rows
//   lumo export REPORT --format csv|json [-o OUT]
//                                      each report's table as the run
//                                      subcommand's CSV, or one JSON array
//
// A report file holds one report or several. Nothing is written unless the
// whole file reads as reports; the error names the line (exit status 2).
#pragma once

#include <CLI/CLI.hpp>
#include <cstddef>
#include <optional>
#include <string>
#include <type_traits>

#include "cli/options.h"
#include "driver/run_rows.h"

namespace lumo::cli {

// Hands a run to two consumers, the first first.
class TeeConsumer : public RunConsumer {
 public:
  TeeConsumer(RunConsumer& a, RunConsumer& b) : a_(a), b_(b) {}
  void frequency_header(const FrequencyHeader& h) override {
    both(&RunConsumer::frequency_header, h);
  }
  void frequency_row(const FrequencyRow& r) override { both(&RunConsumer::frequency_row, r); }
  void frequency_end(const FrequencyClosing& c) override { both(&RunConsumer::frequency_end, c); }
  void sensitivity_header(const SensitivityHeader& h) override {
    both(&RunConsumer::sensitivity_header, h);
  }
  void sensitivity_row(const SensitivityRow& r) override { both(&RunConsumer::sensitivity_row, r); }
  void synthesis_loss_header(const SynthesisLossHeader& h) override {
    both(&RunConsumer::synthesis_loss_header, h);
  }
  void synthesis_loss_row(const SynthesisLossRow& r) override {
    both(&RunConsumer::synthesis_loss_row, r);
  }
  void table_end() override {
    a_.table_end();
    b_.table_end();
  }
  void unrealizable(float zo) override { both(&RunConsumer::unrealizable, zo); }

 private:
  template <class T>
  void both(void (RunConsumer::*call)(T), std::type_identity_t<T> value) {
    (a_.*call)(value);
    (b_.*call)(value);
  }
  RunConsumer& a_;
  RunConsumer& b_;
};

// The file of report `index` (0-based) of `count`: `name` itself for one
// report, else the number before the extension: ("p.svg", 1, 3) -> "p-2.svg",
// ("out", 0, 2) -> "out-1".
std::string numbered(const std::string& name, std::size_t index, std::size_t count);

enum class ExportFormat { kCsv, kJson };

// The commands. Each returns the exit status and writes its diagnostics, one
// line each, to standard error; the names of the files written go to
// standard output. `out` unset: plot writes REPORT's name with .svg in the
// working folder, export writes to standard output.
int plot_report(const std::string& report, const std::optional<std::string>& out);
int export_report(const std::string& report, ExportFormat format,
                  const std::optional<std::string>& out);

// Both commands on the command line.
class ReportCommands {
 public:
  // Registers plot and export on `app`.
  explicit ReportCommands(CLI::App& app);
  ReportCommands(const ReportCommands&) = delete;
  ReportCommands& operator=(const ReportCommands&) = delete;

  CLI::App* plot_command() const { return plot_; }
  CLI::App* export_command() const { return export_; }
  // Whether the command line named one of them.
  bool parsed() const { return plot_->parsed() || export_->parsed(); }
  // Runs the one parsed, its options checked first, and returns the exit
  // status.
  int run() const;

 private:
  std::string plot_report_file_, export_report_file_;
  Given plot_out_, export_out_, export_format_;
  CLI::App* plot_;
  CLI::App* export_;
};

}  // namespace lumo::cli
