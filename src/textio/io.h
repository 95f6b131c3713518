// Everything a session talks to: console input and output, the error stream,
// the two files, the working directory and the local clock. `main` binds the
// real console; tests bind in-memory channels and a fixed clock.
#pragma once

#include <functional>
#include <span>
#include <string>

#include "records/records.h"
#include "textio/files.h"
#include "textio/format_list.h"
#include "textio/format_writer.h"
#include "textio/input_channel.h"
#include "textio/output_channel.h"
#include "textio/statement.h"

namespace lumo {

// The local clock as eight integers: year, month, day, offset from UTC in
// minutes, hour, minute, second, milliseconds.
struct LocalTime {
  int year = 0, month = 0, day = 0, utc_offset = 0;
  int hour = 0, minute = 0, second = 0, millis = 0;
};
LocalTime system_local_time();

struct Io {
  InputChannel& console_in;    // channel 5
  OutputChannel& console_out;  // channel 6
  OutputChannel& error_out;    // error stream, LF line ends
  std::string dir;             // working directory of the files ("" = current)
  std::function<LocalTime()> clock = system_local_time;
  DefaultsFile defaults{};  // channel 2
  DataFile data{};          // channel 1
};

// An advancing statement on the console; when `copy` is not null, the same
// bytes are appended to it (its statement is for the caller to end). A
// failure is the fatal stop at `where`.
void say_fields(Io& io, const FormatList& list, std::span<const FieldValue> values, Stmt where,
                OutputChannel* copy = nullptr);
template <class... Ts>
void say(Io& io, const Statement<Ts...>& st,
         const std::type_identity_t<Values<Ts...>>& values = {}) {
  say_fields(io, st.list(), values.fields, st.id());
}
// A prompt on the console: delivered at once, its line left open.
void prompt(Io& io, const Statement<>& st);
// A statement already formatted (its bytes, line ends included) on the
// console.
void say_text(Io& io, std::string_view statement, Stmt where);

// One numeric entry from the console; the end of input and a malformed field
// are the fatal stop, reported at `where`.
float read_number(Io& io, Stmt where);
// One name entry from the console (20 characters, blank-padded).
Text20 read_name(Io& io, Stmt where);

// Outcomes of a defaults file line.
enum class LineOutcome { kValue, kMalformed, kEnd };
LineOutcome read_default_number(Io& io, float& value);
LineOutcome read_default_name(Io& io, Text20& name);
LineOutcome skip_default_line(Io& io);

// Delivers the console and closes the output data file at the end of a
// session; `after_stop` when a fatal stop has already been reported (errors
// are then ignored).
void finish_io(Io& io, bool after_stop);

}  // namespace lumo
