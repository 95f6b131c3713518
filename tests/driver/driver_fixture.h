// An in-process session for the driver's tests: in-memory console channels,
// a temporary working folder (removed afterwards) and the fixed clock.
#pragma once

#include <string>
#include <utility>

#include "driver/lumo.h"
#include "driver/report_writer.h"
#include "support/fixed_clock.h"
#include "support/temp_folder.h"
#include "textio/io.h"
#include "textio/numeric_entry.h"

namespace lumo::testing {

// n blanks, for expected lines written column by column.
inline std::string sp(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

// Channels, Io and a session over them. The session starts on the reference
// line: B 0.25", D 0.1", Er 2.1, loss tangent 0.0002, both
// conductors 1.72 micro-ohm-cm and smooth, the start time in blk6.
struct DriverFixture {
  explicit DriverFixture(std::string input = "")
      : in(std::move(input)),
        io{in, out, err, dir.path(), fixed_clock, {}, {}},
        s{Records{}, DriverVars{}, io} {
    Blk1& k = s.rec.blk1;
    k.b = k.bdef = 0.25f;
    k.d = k.ddef = 0.1f;
    k.er = 2.1f;
    k.dltan = 0.0002f;
    k.resb1 = k.resd1 = 1.72f;
    s.rec.blk4.resb = k.resb1 * 3.937008e-7f;
    s.rec.blk4.resd = k.resd1 * 3.937008e-7f;
    s.rec.blk2.iop = 1;
    s.rec.blk2.ifunc = 1;
    s.rec.blk6 = {12, 6, 2026, 9, 5, 3};
  }
  // Stores the run's report in `name` of the working directory.
  void store_in(const std::string& name) {
    s.rec.blk3.fn.fill(' ');
    name.copy(s.rec.blk3.fn.data(), name.size());
    s.rec.blk2.istore = 1;
  }
  std::string console() const { return out.text(); }

  TempFolder dir{"driver"};
  InputChannel in;
  OutputChannel out;
  OutputChannel err;
  Io io;
  Session s;
};

// The runs, header and trailer of a session's pass, reported as the
// dialogue reports them.
inline ReportWriter writer_of(Session& s) { return ReportWriter(s.io, s.rec.blk2.istore == 1); }
inline void report_header(Session& s) {
  writer_of(s).report_header(s.rec.blk6, trim_trailing(s.rec.blk3.fn));
}
inline void report_trailer(Session& s) { writer_of(s).report_trailer(s.v.fdata, s.rec.blk3.fn); }
inline void frequency_run(Session& s) {
  ReportWriter w = writer_of(s);
  lumo::frequency_run(s.rec, s.v, w);
}
inline void sensitivity_run(Session& s) {
  ReportWriter w = writer_of(s);
  lumo::sensitivity_run(s.rec, s.v, w);
}
inline bool synthesis_loss_run(Session& s) {
  ReportWriter w = writer_of(s);
  return lumo::synthesis_loss_run(s.rec, s.v, w);
}
inline bool synthesis_sensitivity_run(Session& s) {
  ReportWriter w = writer_of(s);
  return lumo::synthesis_sensitivity_run(s.rec, s.v, w);
}

// The report header for the fixed clock, CR LF lines.
inline std::string expected_report_header() {
  return "\r\n" + sp(6) + std::string(72, '-') + "\r\n" + sp(8) + "Lumo (v. 1.0)" + sp(22) +
         " Date:12/ 6/2026 at  9: 5: 3Hours\r\n" + sp(16) +
         "Coaxial line design report, single precision.\r\n" + sp(16) +
         " RF/Microwave Computer-Aided Engineering Design Data\r\n" + sp(16) +
         "          For Coaxial Transmission Lines.\r\n";
}

}  // namespace lumo::testing
