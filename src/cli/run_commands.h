// The runs on the command line:
//   lumo frequency   [line] [--freq START:STOP:STEP]
//                    [--format report|csv|json|s2p|spice|rlgc]
//                    [--length L] [--s-format ri|ma|db] [--zref Z] [--name NAME]
//   lumo sensitivity [line] --vary inner|outer [--range MIN:MAX:STEP]
//   lumo synthesize  [line] --conductor inner|outer [--impedance MIN:MAX:STEP]
//                    [--loss-at FREQ] [--sensitivity]
// where [line] is --defaults FILE, --line NAME, --lines FILE, the diameters,
// Er and the materials, and every run takes --format, -o FILE, --max-rows N
// and --plot FILE.svg. Each runs one of the dialogue's four runs on the same
// records the dialogue would prepare for the same answers.
#pragma once

#include <CLI/CLI.hpp>
#include <memory>
#include <string_view>

namespace lumo::cli {

class RunCommands {
 public:
  // Registers the three subcommands on `app`, each with `footer` under its
  // help.
  RunCommands(CLI::App& app, std::string_view footer);
  ~RunCommands();
  RunCommands(const RunCommands&) = delete;
  RunCommands& operator=(const RunCommands&) = delete;

  CLI::App* frequency() const { return frequency_; }
  CLI::App* sensitivity() const { return sensitivity_; }
  CLI::App* synthesize() const { return synthesize_; }
  // Whether the command line named one of them.
  bool parsed() const {
    return frequency_->parsed() || sensitivity_->parsed() || synthesize_->parsed();
  }
  // Runs the one parsed and returns the exit status; its output goes to
  // standard output or -o FILE, a diagnostic to standard error.
  int run() const;

  struct Options;

 private:
  // Each subcommand has its own set, so that an option counts as given only
  // after its own subcommand's name.
  std::unique_ptr<Options> frequency_options_;
  std::unique_ptr<Options> sensitivity_options_;
  std::unique_ptr<Options> synthesis_options_;
  CLI::App* frequency_;
  CLI::App* sensitivity_;
  CLI::App* synthesize_;
};

}  // namespace lumo::cli
