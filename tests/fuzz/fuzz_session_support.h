// Shared by the whole-program fuzz targets: runs one complete session
// in-process on in-memory console channels, in a scratch directory, and checks
// that it ended in one of the program's defined ways.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lumo::fuzz {

struct SessionResult {
  int status = 0;
  std::string console;  // at most the first bytes written (console is capped)
  std::string errors;
};

// Caps files at 1 MiB, once per process, so that a sweep of millions of rows
// ends in a write failure instead of filling the disk. Each session runs in a
// fresh temporary folder of its own.
void cap_file_sizes();

// True when a session on these bytes stays inside the scratch directory: a
// name without "/" cannot reach outside it.
bool stays_in_scratch(std::string_view bytes);

// Runs one session with `defaults` as Lumo.DEF and `console` as standard input.
SessionResult run_session(std::string_view defaults, std::string_view console);

// Aborts unless the session ended in a defined way: status 0 with an empty
// error stream, or status 2 with exactly the two lines of the fatal report.
void check_defined_end(const SessionResult& r);

}  // namespace lumo::fuzz
