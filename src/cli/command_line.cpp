#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <initializer_list>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "cli/checks_commands.h"
#include "cli/init_defaults.h"
#include "cli/lines_command.h"
#include "cli/options.h"
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

constexpr std::string_view kReportFooter =
    "A report file holds the reports the dialogue stored in it, one or more.\n"
    "Nothing is written unless the whole file reads as reports.\n"
    "Exit status: 0 success, 1 failure (REPORT not read, output not\n"
    "written), 2 an option not accepted or a file that is not a Lumo report.";

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
  const RunCommands runs(app, kFooter);
  const ChecksCommands checks(app, kFooter);
  const LinesCommand lines(app);

  // The commands on reports the dialogue stored.
  std::string plot_report_file, export_report_file;
  Given plot_out, export_out, export_format;
  CLI::App* plot_cmd =
      app.add_subcommand("plot", "draw the plot of each report in a file the dialogue stored");
  plot_cmd->add_option("REPORT", plot_report_file, "a report file the dialogue stored")
      ->type_name("FILE")
      ->required();
  add(plot_cmd, plot_out, "-o,--output", "OUT.svg",
      "the SVG file (several reports: OUT-1.svg, OUT-2.svg, ...); default REPORT's name with .svg");
  plot_cmd->footer(std::string(kReportFooter));
  CLI::App* export_cmd = app.add_subcommand(
      "export", "the tables of a report file the dialogue stored, as CSV or JSON");
  export_cmd->add_option("REPORT", export_report_file, "a report file the dialogue stored")
      ->type_name("FILE")
      ->required();
  add(export_cmd, export_format, "--format", "FORMAT",
      "csv (one file a report) or json (one array of all)");
  add(export_cmd, export_out, "-o,--output", "OUT",
      "write OUT (several reports as CSV: OUT-1, OUT-2, ...) instead of standard output");
  export_cmd->footer(std::string(kReportFooter));
  const std::initializer_list<const CLI::App*> subcommands = {
      runs.frequency(),   runs.sensitivity(), runs.synthesize(), checks.modes(),
      checks.tolerance(), lines.app(),        plot_cmd,          export_cmd};

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
  const bool any_report = plot_cmd->parsed() || export_cmd->parsed() || lines.parsed();
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
  if (any_report) {
    const Given& out = plot_cmd->parsed() ? plot_out : export_out;
    if (out.given() && out.text.empty()) {
      std::cerr << "lumo: " << out.quoted() << ": a file name is needed\n";
      return kExitUsage;
    }
    const std::optional<std::string> file =
        out.given() ? std::optional<std::string>(out.text) : std::nullopt;
    if (plot_cmd->parsed()) return plot_report(plot_report_file, file);
    if (!export_format.given() || (export_format.text != "csv" && export_format.text != "json")) {
      std::cerr << "lumo: "
                << (export_format.given()
                        ? export_format.quoted() + ": the format must be csv or json"
                        : std::string("export needs --format csv or --format json"))
                << " (see lumo export --help)\n";
      return kExitUsage;
    }
    return export_report(export_report_file,
                         export_format.text == "csv" ? ExportFormat::kCsv : ExportFormat::kJson,
                         file);
  }
  if (!any_run) {
    std::cerr << "lumo: a subcommand is required: frequency, sensitivity, synthesize, modes, "
                 "tolerance, lines, plot or export, or --init (see lumo --help)\n";
    return kExitUsage;
  }
  if (checks.parsed()) return checks.run();

  return runs.run();
}

}  // namespace lumo::cli
