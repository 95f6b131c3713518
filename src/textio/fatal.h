// The fatal error report: the orderly stop, exit status 2, for an entry that
// cannot be read, the end of console input, and a file that cannot be opened
// or written. The stop is raised as a FatalStop carrying the report text; the
// session (driver) catches it at its edge, writes the text to the error
// stream, delivers the console output and the output data file, and returns 2.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "textio/statements.h"

namespace lumo {

// Channel numbers as the report shows them.
inline constexpr int kUnitDataFile = 1;
inline constexpr int kUnitDefaults = 2;
inline constexpr int kUnitConsoleIn = 5;
inline constexpr int kUnitConsoleOut = 6;

// Reason texts.
inline constexpr std::string_view kReasonBadReal = "Bad value during floating point read";
inline constexpr std::string_view kReasonEndOfFile = "End of file";
inline constexpr std::string_view kReasonSameFile = "File already opened in another unit";
inline constexpr std::string_view kReasonReadOnly = "Cannot write to file opened for READ";

// Prefix of the reason line.
inline constexpr std::string_view kFatalPrefix = "Lumo runtime error: ";

struct FatalStop {
  std::string report;  // the two lines for the error stream, LF-ended
};

// The two LF-ended lines of the report. `file` is the channel's file name when
// it is connected to one ("stdin" for console input), nullopt for a failed open.
//   fatal_report(112, "dialogue", 5, "stdin", "End of file") ->
//   "At line 112 of file dialogue (unit = 5, file = 'stdin')\n"
//   "Lumo runtime error: End of file\n"
std::string fatal_report(int line, std::string_view source, int unit,
                         std::optional<std::string_view> file, std::string_view reason);

// Raises the stop for the statement `where` (its number and part make the
// locator line).
[[noreturn]] void fatal(int unit, std::optional<std::string_view> file, std::string_view reason,
                        Stmt where);

// Reason text for an operating-system error number on opening or writing
// `name`: the texts for a missing file, a permission refusal and a directory,
// else the system's own description.
std::string open_failure_reason(int err, std::string_view name);

}  // namespace lumo
