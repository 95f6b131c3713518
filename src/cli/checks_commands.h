// The engineering checks on the command line:
//   lumo modes     [line] [--format report|csv|json] [-o FILE]
//   lumo tolerance [line] --tol-outer T --tol-inner T --tol-er T [--offset C]
//                  [--zref Z] [--rl-target RL] [--samples N] [--seed S]
//                  [--distribution normal|uniform] [--format ...] [-o FILE]
//                  [--plot FILE.svg]
// where [line] is --defaults FILE, --outer B, --inner D, --er ER. Values not
// given come from the defaults file as for the runs; the diagnostics and exit
// statuses are theirs too.
#pragma once

#include <CLI/CLI.hpp>
#include <memory>
#include <string_view>

namespace lumo::cli {

class ChecksCommands {
 public:
  // Registers both subcommands on `app`, each with `footer` under its help.
  ChecksCommands(CLI::App& app, std::string_view footer);
  ~ChecksCommands();
  ChecksCommands(const ChecksCommands&) = delete;
  ChecksCommands& operator=(const ChecksCommands&) = delete;

  CLI::App* modes() const { return modes_; }
  CLI::App* tolerance() const { return tolerance_; }
  // Whether the command line named one of them.
  bool parsed() const { return modes_->parsed() || tolerance_->parsed(); }
  // Runs the one parsed and returns the exit status; its output goes to
  // standard output or -o FILE, a diagnostic to standard error.
  int run() const;

  struct Options;

 private:
  std::unique_ptr<Options> options_;            // of modes
  std::unique_ptr<Options> tolerance_options_;  // of tolerance
  CLI::App* modes_;
  CLI::App* tolerance_;
};

}  // namespace lumo::cli
