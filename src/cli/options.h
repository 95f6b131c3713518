// What the subcommands share about their options: the text of each as
// given, how a refused value or a failed command ends, the output format,
// and the output and plot file names.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

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

enum class Format { kReport, kCsv, kJson };

// --format: report when not given. UsageError for any other word.
Format checked_format(const Given& g);

struct OutputFiles {
  std::optional<std::string> output;  // -o FILE; standard output when empty
  std::optional<std::string> plot;    // --plot FILE.svg
};

// -o FILE and --plot FILE.svg as given: each needs a name, and the plot may
// not be the output file, by name or by the file system.
OutputFiles checked_output_files(const Given& output, const Given& plot);

}  // namespace lumo::cli
