// What the subcommands share about their options: the text of each as
// given, its value or sweep checked against the accepted range, how a
// refused value or a failed command ends, the output format, and the output
// and plot file names.
#pragma once

#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "cli/command_line.h"
#include "cli/line_values.h"
#include "cli/output_target.h"

namespace lumo::cli {

// A value refused: the message names the option, the value and what is
// accepted. Exit status 2.
struct UsageError {
  std::string message;
};
// A command that cannot be done or delivered. Exit status 1.
struct Failure {
  std::string message;
};

// The text of an option as given, and whether it was given at all.
struct Given {
  std::string text;
  CLI::Option* option = nullptr;
  std::string name;  // as messages give it: the first of its names, "-o" for -o,--output
  bool given() const { return option != nullptr && option->count() > 0; }
  // "--outer -1" as messages quote it.
  std::string quoted() const { return name + " " + (text.empty() ? std::string("''") : text); }
};

// Registers `g` on `app` as the option `name` ("-o,--output") with the value
// name `value` ("FILE") in the help.
void add(CLI::App* app, Given& g, const std::string& name, const std::string& value,
         const std::string& help);

// Registers what every run and check takes: --defaults FILE, --format and
// -o,--output FILE.
void add_defaults_format_output(CLI::App* app, Given& defaults, Given& format, Given& output);

// Registers the line's --outer B, --inner D and --er ER, which every run and
// check takes.
void add_diameters_and_er(CLI::App* app, Given& outer, Given& inner, Given& er);

// The value of `g` in the unit of `r`, in single precision.
// UsageError naming the option and what `r` accepts.
float checked_value(const Given& g, const Range& r);

struct FloatSweep {
  float start = 0, stop = 0, step = 0;
};

// START:STOP:STEP with each part within its range of `r` and START at most
// STOP. UsageError naming the option and the part refused.
FloatSweep checked_sweep(const Given& g, const Range (&r)[3]);

// The whole file at `path` into `text`; the system's error number on failure,
// else 0.
int read_file(const std::string& path, std::string& text);

// The formats of every run, then those of a frequency run's line model.
enum class Format { kReport, kCsv, kJson, kTouchstone, kSpice, kRlgc };

// --format: report when not given; s2p, spice and rlgc only where
// `line_models`. UsageError for any other word.
Format checked_format(const Given& g, bool line_models = false);

struct OutputFiles {
  std::optional<std::string> output;  // -o FILE; standard output when empty
  std::optional<std::string> plot;    // --plot FILE.svg
};

// -o FILE and --plot FILE.svg as given: each needs a name, and the plot may
// not be the output file, by name or by the file system.
OutputFiles checked_output_files(const Given& output, const Given& plot);

// The --plot file: opened at once, so that a name that cannot be written
// stops the command before any output, and put in place whole by write().
class PlotFile {
 public:
  // No file when `path` is empty. Failure naming --plot when it cannot be
  // opened.
  explicit PlotFile(const std::optional<std::string>& path);
  explicit operator bool() const { return path_.has_value(); }
  // Writes `svg` and puts the file in place. Failure naming --plot on error.
  void write(std::string_view svg);

 private:
  std::optional<std::string> path_;
  OutputTarget target_;
};

// Runs a command: its status, or for a UsageError or a Failure the one-line
// diagnostic on standard error and kExitUsage or kExitFailure.
template <class Command>
int with_diagnostics(Command&& command) {
  try {
    return command();
  } catch (const UsageError& e) {
    std::cerr << "lumo: " << e.message << "\n";
    return kExitUsage;
  } catch (const Failure& e) {
    std::cerr << "lumo: " << e.message << "\n";
    return kExitFailure;
  }
}

}  // namespace lumo::cli
