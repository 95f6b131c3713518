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

constexpr Statement<> kOperationMenu{
    Stmt::kOperationMenu,
    "(/,6X,'Coaxial Transmission Line calculations ', 'completed.',/,6X,"
    "'Select next OPERATION:',/, 15X,'1. Select new OPTION.',/, "
    "15X,'2. RECYCLE and CONTINUE.',/,14X, '*3. EXIT to operating system.')"};

constexpr Statement<> kOperationPrompt{Stmt::kOperationPrompt, "(6X,'OPERATION selected = ')"};

// The passes of the program, until an orderly end.
void main_loop(Session& s) {
  Blk1& inputs = s.rec.blk1;
  Blk2& choices = s.rec.blk2;
  choices.isel = 0;
  choices.ifunc = 1;
  s.v.isyne = 0;
  for (;;) {
    lminput(s.rec, s.io);
    if (choices.isel == -1) return;  // the defaults file's message is already out

    // Every pass starts from the values as entered, whatever a run left.
    s.v.f = inputs.fdef;
    inputs.b = inputs.bdef;
    inputs.d = inputs.ddef;

    ReportWriter report(s.io, choices.istore == 1);
    report.report_header(s.rec.blk6, trim_trailing(s.rec.blk3.fn));
    // An unrealizable synthesis ends the program after its message.
    if (!run_selected(s.rec, s.v, report)) return;
    report.report_trailer(s.v.fdata, s.rec.blk3.fn);

    say(s.io, kOperationMenu);
    prompt(s.io, kOperationPrompt);
    s.v.sel = read_number(s.io, Stmt::kOperationEntry);
    choices.isel = select_choice(s.v.sel);
    // A blank entry reads as 0: below 1 means EXIT, as does anything above 2.
    if (choices.isel < 1) choices.isel = 3;
    if (choices.isel != 1 && choices.isel != 2) return;
  }
}

void report_stop(Io& io, const FatalStop& stop) {
  io.error_out.append(stop.report);
  io.error_out.flush();
  finish_io(io, true);
}

}  // namespace

bool run_selected(Records& rec, DriverVars& vars, RunConsumer& out) {
  const Blk2& choices = rec.blk2;
  if (choices.iop == 2) {
    if (choices.ifunc == 2) return synthesis_sensitivity_run(rec, vars, out);
    sensitivity_run(rec, vars, out);
    return true;
  }
  if (choices.ifunc == 2) return synthesis_loss_run(rec, vars, out);
  frequency_run(rec, vars, out);
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
