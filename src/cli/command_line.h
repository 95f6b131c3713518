// The command-line face: `lumo frequency|sensitivity|synthesize [options]`
// runs one of the dialogue's four runs on values from the command line and a
// defaults file, and writes the report, CSV or JSON to standard output or a
// file. Diagnostics are one line on standard error.
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
