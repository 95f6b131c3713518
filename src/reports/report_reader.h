// Reads the reports the dialogue stores (and the command line's report
// format writes) back into the rows of their runs. A file holds one report or
// several (the same file chosen on several passes); each is the report header
// block, a run's header block and headings, its table and its closing lines,
// in the exact layouts of the report writer. Lines end in CR LF or LF.
//
// Every report is handed to a RunConsumer as the live run handed it: the
// header, the rows in table order, then the frequency closing line, the end
// of the table, or `unrealizable` for a synthesis that stopped (its file ends
// after the last realizable row; the wanted impedance it stopped at is not
// stored, so it comes as NaN). A field of asterisks (a value too wide for its
// column) reads as NaN: a missing value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "driver/run_rows.h"

namespace lumo {

// Where a text stops being a Lumo report.
struct ReportError {
  std::int64_t line = 0;    // 1-based; one past the last line at the end of the text
  std::int64_t column = 0;  // 1-based first column that does not fit, 0 for the whole line
  std::string what;         // what was expected there: "a row of the frequency table"
};

// "line 27, column 17: not a Lumo report: expected a row of the frequency
// table" (no column part when column is 0).
std::string describe(const ReportError& e);

// Receives the reports of a text one after the other.
class ReportSink {
 public:
  virtual ~ReportSink() = default;
  // A report begins; its run goes to the consumer returned, which must live
  // until end_report.
  virtual RunConsumer& begin_report() = 0;
  // The report is complete.
  virtual void end_report() {}
};

struct ReadOutcome {
  std::size_t reports = 0;           // reports read whole
  std::optional<ReportError> error;  // the first fault; reading stops there
};

// Reads every report of `text` into `sink`. A text with no report is an
// error (at the line after the last); reports before a fault have been
// delivered, so a caller that must write nothing on error checks first.
ReadOutcome read_reports(std::string_view text, ReportSink& sink);

// The same reading with nothing delivered.
ReadOutcome check_reports(std::string_view text);

}  // namespace lumo
