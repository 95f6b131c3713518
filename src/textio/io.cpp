#include "textio/io.h"

#include <cerrno>
#include <cstring>

#include "textio/fatal.h"
#include "textio/numeric_entry.h"
#include "textio/platform.h"

namespace lumo {
namespace {

constexpr std::string_view kStdin = "stdin";
constexpr std::string_view kStdout = "stdout";

void end_console_statement(Io& io, Stmt where) {
  if (!io.console_out.end_statement()) {
    fatal(kUnitConsoleOut, kStdout, std::strerror(io.console_out.error()), where);
  }
}

// The next console line, keeping `keep` bytes; the end of input and a read
// error are the fatal stop.
std::string console_line(Io& io, std::size_t keep, char stop, Stmt where) {
  std::string line;
  switch (io.console_in.next_line(line, keep, stop)) {
    case InputChannel::Result::kLine:
      break;
    case InputChannel::Result::kEnd:
      fatal(kUnitConsoleIn, kStdin, kReasonEndOfFile, where);
    case InputChannel::Result::kError:
      fatal(kUnitConsoleIn, kStdin, std::strerror(io.console_in.error()), where);
  }
  return line;
}

// The next defaults file line; a read error is the fatal stop on channel 2.
LineOutcome defaults_line(Io& io, std::string& line, std::size_t keep, char stop, Stmt where) {
  InputChannel& in = io.defaults.input();
  switch (in.next_line(line, keep, stop)) {
    case InputChannel::Result::kLine:
      return LineOutcome::kValue;
    case InputChannel::Result::kEnd:
      return LineOutcome::kEnd;
    case InputChannel::Result::kError:
      break;
  }
  fatal(kUnitDefaults, io.defaults.name(), std::strerror(in.error()), where);
}

}  // namespace

LocalTime system_local_time() {
  platform::LocalClock now = platform::local_clock();
  const std::tm& local = now.local;
  LocalTime t;
  t.year = local.tm_year + 1900;
  t.month = local.tm_mon + 1;
  t.day = local.tm_mday;
  t.utc_offset = static_cast<int>(now.utc_offset_seconds / 60);
  t.hour = local.tm_hour;
  t.minute = local.tm_min;
  t.second = local.tm_sec;
  t.millis = now.millis;
  return t;
}

void say_fields(Io& io, const FormatList& list, std::span<const FieldValue> values, Stmt where,
                OutputChannel* copy) {
  format_fields(io.console_out, list, values, StatementMode::kAdvancing, copy);
  end_console_statement(io, where);
}

void prompt(Io& io, const Statement<>& st) {
  format_fields(io.console_out, st.list(), {}, StatementMode::kPrompt);
  end_console_statement(io, st.id());
}

void say_text(Io& io, std::string_view statement, Stmt where) {
  io.console_out.append(statement);
  end_console_statement(io, where);
}

float read_number(Io& io, Stmt where) {
  std::string line = console_line(io, kNumericWidth, kFieldStop, where);
  NumericEntry entry = parse_numeric(numeric_field(line));
  if (entry.malformed) fatal(kUnitConsoleIn, kStdin, kReasonBadReal, where);
  return entry.value;
}

Text20 read_name(Io& io, Stmt where) {
  return name_field(console_line(io, kNameWidth, '\0', where));
}

LineOutcome read_default_number(Io& io, float& value) {
  std::string line;
  LineOutcome outcome =
      defaults_line(io, line, kNumericWidth, kFieldStop, Stmt::kReadDefaultsNumber);
  if (outcome != LineOutcome::kValue) return outcome;
  NumericEntry entry = parse_numeric(numeric_field(line));
  if (entry.malformed) return LineOutcome::kMalformed;
  value = entry.value;
  return LineOutcome::kValue;
}

LineOutcome read_default_name(Io& io, Text20& name) {
  std::string line;
  LineOutcome outcome = defaults_line(io, line, kNameWidth, '\0', Stmt::kReadDefaultsName);
  if (outcome == LineOutcome::kValue) name = name_field(line);
  return outcome;
}

LineOutcome skip_default_line(Io& io) {
  std::string line;
  return defaults_line(io, line, 0, '\0', Stmt::kSkipDefaultsHeader);
}

void finish_io(Io& io, bool after_stop) {
  if (after_stop) {
    io.console_out.flush();
    io.data.close(Stmt::kFinishOutputFile, true);
    return;
  }
  if (!io.console_out.flush()) {
    // The data file is still closed complete by the pass after the stop.
    fatal(kUnitConsoleOut, kStdout, std::strerror(io.console_out.error()), Stmt::kFinishConsole);
  }
  io.data.close(Stmt::kFinishOutputFile);
}

}  // namespace lumo
