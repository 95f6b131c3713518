// The command-line face: `lumo SUBCOMMAND [options]` hands each family of
// subcommands to its own file (the runs, the checks, the commands on stored
// reports, the named lines); `lumo --init` writes the delivered defaults.
// Output goes to standard output or a file, diagnostics are one line on
// standard error.
#pragma once

namespace lumo::cli {

// Exit statuses.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // a defaults file fault, an output that cannot be written
inline constexpr int kExitUsage = 2;    // arguments or values not accepted

// Runs `lumo ARGS...` (argv[0] is the program's name) and returns its exit
// status. Nothing goes to standard output unless the run succeeds.
int run_command_line(int argc, const char* const* argv);

}  // namespace lumo::cli
