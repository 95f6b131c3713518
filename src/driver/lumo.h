// The main program: the loop from start to exit, the four runs, the report
// header and trailer and the output data file.
#pragma once

#include <cstdint>

#include "driver/run_rows.h"
#include "records/records.h"
#include "textio/io.h"

namespace lumo {

// The driver's own variables, living for the whole program.
struct DriverVars {
  float f = 0;             // frequency, GHz
  float zo = 0;            // characteristic (or wanted) impedance, ohms
  float ccap = 0;          // capacitance, pF per inch
  float cind = 0;          // inductance, nH per inch
  float temode = 0;        // TE11 cut-off, GHz
  float pkpwr = 0;         // peak power, kW
  std::int32_t il = 0;     // row index of the running loop
  std::int32_t isyne = 0;  // result flag of the synthesis
  float sel = 0;           // the OPERATION entry
  Text20 fdata{};          // label of the finished run
};

// A whole program run on the given channels: returns the exit status (0 for
// every orderly end, 2 after the fatal error report).
int run_lumo(Io& io);

// The program state a session works on.
struct Session {
  Records rec;
  DriverVars v;
  Io& io;
};

// The runs. Each computes its header values and rows from the records and
// hands them to `out`, and leaves the records as the dialogue expects (the
// swept field holds its last step). The synthesis runs return false when a
// wanted impedance was unrealizable (after `out.unrealizable`). blk2 gives
// the row count (l), the option (iop) and the conductor (idia, isyn); blk4
// the conductor data in the loss model's units.
void frequency_run(Records& rec, DriverVars& vars, RunConsumer& out);
void sensitivity_run(Records& rec, DriverVars& vars, RunConsumer& out);
bool synthesis_loss_run(Records& rec, DriverVars& vars, RunConsumer& out);
bool synthesis_sensitivity_run(Records& rec, DriverVars& vars, RunConsumer& out);
// The run that iop and ifunc select; false as for the synthesis runs.
bool run_selected(Records& rec, DriverVars& vars, RunConsumer& out);

}  // namespace lumo
