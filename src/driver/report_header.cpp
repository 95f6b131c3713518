// The block that opens every report and the rule (and storage line) that
// closes a completed one; connecting the output data file when storing.
#include "driver/lumo.h"
#include "driver/run_support.h"
#include "textio/numeric_entry.h"
#include "textio/source_place.h"

namespace lumo {

namespace {

// Version, the program's start date and time, the notice line and the two
// title lines. Each clock field is blank-filled, never zero-filled.
constexpr FormatList kReportHeader =
    "(/,6X,72(1H-),/,8X, 'Lumo (v. 1.0)',22X,' Date:',I2,'/',I2,'/',I4, "
    "' at ',I2,':',I2,':',I2,'Hours',/,16X,"
    "'Coaxial line design report, single precision.',"
    "/,16X, ' RF/Microwave Computer-Aided Engineering Design Data',/,16X, "
    "'          For Coaxial Transmission Lines.')";

constexpr FormatList kClosingRule = "(6X,72(1H-))";
constexpr FormatList kStoredIn = "(6X,A12,'Data stored in User filename: ',A20)";

void header_to(Session& s, Sink sink) {
  const Blk6& t = s.rec.blk6;
  emit(s.io, sink, kReportHeader, {t.imon, t.iday, t.iyr, t.ihr, t.imin, t.isec});
}

}  // namespace

void report_header(Session& s) {
  header_to(s, Sink::kConsole);
  if (s.rec.blk2.istore != 1) return;
  // The same name chosen again keeps the file and its earlier reports;
  // another name closes the earlier file complete.
  s.io.data.connect(s.io.dir, trim_trailing(s.rec.blk3.fn), s.io.defaults,
                    SourcePlace::current());
  header_to(s, Sink::kFile);
}

void report_trailer(Session& s) {
  const bool store = s.rec.blk2.istore == 1;
  report(s.io, store, kClosingRule);
  if (store) report(s.io, true, kStoredIn, {s.v.fdata, s.rec.blk3.fn});
}

}  // namespace lumo
