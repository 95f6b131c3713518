// The main loop: dialogue, report header, one run, trailer and the OPERATION
// menu, until the user exits, the defaults file fails or a synthesis cannot
// be realized. A fatal stop anywhere is reported here, at the edge.
#include "driver/lumo.h"
#include "driver/report_writer.h"
#include "input/lminput.h"
#include "textio/fatal.h"
#include "textio/numeric_entry.h"

namespace lumo {

namespace {

constexpr Statement<> kOperationMenu{Stmt::kOperationMenu, "(/,6X,'Coaxial Transmission Line calculations ', 'completed.',/,6X,"
    "'Select next OPERATION:',/, 15X,'1. Select new OPTION.',/, "
    "15X,'2. RECYCLE and CONTINUE.',/,14X, '*3. EXIT to operating system.')"};

constexpr Statement<> kOperationPrompt{Stmt::kOperationPrompt, "(6X,'OPERATION selected = ')"};

// The passes of the program, until an orderly end.
void main_loop(Session& s) {
  Blk1& k = s.rec.blk1;
  Blk2& c = s.rec.blk2;
  c.isel = 0;
  c.ifunc = 1;
  s.v.isyne = 0;
  for (;;) {
    lminput(s.rec, s.io);
    if (c.isel == -1) return;  // the defaults file's message is already out

    // Every pass starts from the values as entered, whatever a run left.
    s.v.f = k.fdef;
    k.b = k.bdef;
    k.d = k.ddef;

    ReportWriter report(s.io, c.istore == 1);
    report.report_header(s.rec.blk6, trim_trailing(s.rec.blk3.fn));
    // An unrealizable synthesis ends the program after its message.
    if (!run_selected(s.rec, s.v, report)) return;
    report.report_trailer(s.v.fdata, s.rec.blk3.fn);

    say(s.io, kOperationMenu);
    prompt(s.io, kOperationPrompt);
    s.v.sel = read_number(s.io, Stmt::kOperationEntry);
    c.isel = select_choice(s.v.sel);
    // A blank entry reads as 0: below 1 means EXIT, as does anything above 2.
    if (c.isel < 1) c.isel = 3;
    if (c.isel != 1 && c.isel != 2) return;
  }
}

void report_stop(Io& io, const FatalStop& stop) {
  io.error_out.append(stop.report);
  io.error_out.flush();
  finish_io(io, true);
}

}  // namespace

bool run_selected(Records& rec, DriverVars& v, RunConsumer& out) {
  const Blk2& c = rec.blk2;
  if (c.iop == 2) {
    if (c.ifunc == 2) return synthesis_sensitivity_run(rec, v, out);
    sensitivity_run(rec, v, out);
    return true;
  }
  if (c.ifunc == 2) return synthesis_loss_run(rec, v, out);
  frequency_run(rec, v, out);
  return true;
}

int run_lumo(Io& io) {
  Session s{Records{}, DriverVars{}, io};
  try {
    main_loop(s);
    // Closing the output data file may still fail on its last write.
    finish_io(io, false);
    return 0;
  } catch (const FatalStop& stop) {
    report_stop(io, stop);
    return 2;
  }
}

}  // namespace lumo
