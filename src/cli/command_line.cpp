#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <initializer_list>
#include <iostream>
#include <string>
#include <string_view>

#include "cli/checks_commands.h"
#include "cli/init_defaults.h"
#include "cli/lines_command.h"
#include "cli/report_commands.h"
#include "cli/run_commands.h"

#ifndef LUMO_VERSION
#error "LUMO_VERSION must be defined by the build"
#endif

namespace lumo::cli {
namespace {

constexpr std::string_view kFooter =
    "Values not given come from --line NAME (see lumo lines), then from\n"
    "--defaults FILE, else ./Lumo.DEF, else the Lumo.DEF installed beside the\n"
    "program, else the built-in copy.\n"
    "Exit status: 0 success, 1 failure (defaults or lines file fault, output\n"
    "not written), 2 a value or option not accepted.\n"
    "Without arguments, lumo runs the console dialogue. To start in a new\n"
    "folder: lumo --init (writes Lumo.DEF there), then lumo.";

}  // namespace

int run_command_line(int argc, const char* const* argv) {
  CLI::App app{"Lumo: coaxial transmission line analysis and synthesis.", "lumo"};
  app.set_version_flag("--version", "lumo " LUMO_VERSION);
  app.require_subcommand(0, 1);
  app.footer(std::string(kFooter));
  bool init = false;
  bool force = false;
  bool init_lines_file = false;
  app.add_flag("--init", init, "write the delivered Lumo.DEF into this folder, then exit");
  app.add_flag("--lines", init_lines_file,
               "with --init: write an example lumo-lines.csv instead of Lumo.DEF");
  app.add_flag("--force", force, "with --init: replace an existing file");
  // Each family of subcommands, in the order --help lists them.
  const RunCommands runs(app, kFooter);
  const ChecksCommands checks(app, kFooter);
  const LinesCommand lines(app);
  const ReportCommands reports(app);
  const std::initializer_list<const CLI::App*> subcommands = {
      runs.frequency(),   runs.sensitivity(), runs.synthesize(),      checks.modes(),
      checks.tolerance(), lines.app(),        reports.plot_command(), reports.export_command()};

  // The hint names the subcommand's own help when there is one.
  std::string help = "lumo --help";
  if (argc > 1) {
    const std::string_view first = argv[1];
    for (const CLI::App* sub : subcommands) {
      if (first == sub->get_name()) help = "lumo " + std::string(first) + " --help";
    }
    if (help == "lumo --help" && !first.empty() && first.front() != '-') {
      std::cerr << "lumo: " << first
                << ": unknown subcommand; the subcommands are frequency, "
                   "sensitivity, synthesize, modes, tolerance, lines, plot and export (see lumo "
                   "--help)\n";
      return kExitUsage;
    }
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    const CLI::App* asked = &app;
    for (const CLI::App* sub : subcommands) {
      if (sub->parsed()) asked = sub;
    }
    // A subcommand's usage line names the program too.
    std::cout << asked->help(asked == &app ? "" : "lumo");
    return kExitSuccess;
  } catch (const CLI::CallForVersion&) {
    std::cout << "lumo " LUMO_VERSION "\n";
    return kExitSuccess;
  } catch (const CLI::ParseError& e) {
    std::cerr << "lumo: " << e.what() << " (see " << help << ")\n";
    return kExitUsage;
  }

  const bool any_run = runs.parsed() || checks.parsed();
  const bool any_report = reports.parsed() || lines.parsed();
  if (force && !init) {
    std::cerr << "lumo: --force needs --init (see lumo --help)\n";
    return kExitUsage;
  }
  if (init && (any_run || any_report)) {
    std::cerr << "lumo: --init takes no subcommand (see lumo --help)\n";
    return kExitUsage;
  }
  if (init_lines_file && !init) {
    std::cerr << "lumo: --lines needs --init (see lumo --help)\n";
    return kExitUsage;
  }
  if (init) {
    return init_lines_file ? init_lines(force, std::cout, std::cerr)
                           : init_defaults(force, std::cout, std::cerr);
  }
  if (lines.parsed()) return lines.run();
  if (reports.parsed()) return reports.run();
  if (!any_run) {
    std::cerr << "lumo: a subcommand is required: frequency, sensitivity, synthesize, modes, "
                 "tolerance, lines, plot or export, or --init (see lumo --help)\n";
    return kExitUsage;
  }
  if (checks.parsed()) return checks.run();

  return runs.run();
}

}  // namespace lumo::cli
