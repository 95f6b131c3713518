// The main program: the loop from start to exit, the four runs, the report
// header and trailer and the output data file.
#pragma once

#include <cstdint>

#include "records/records.h"
#include "textio/io.h"

namespace lumo {

// The driver's own variables, living for the whole program.
struct DriverVars {
  float f = 0;       // frequency, GHz
  float zo = 0;      // characteristic (or wanted) impedance, ohms
  float ccap = 0;    // capacitance, pF per inch
  float cind = 0;    // inductance, nH per inch
  float temode = 0;  // TE11 cut-off, GHz
  float pkpwr = 0;   // peak power, kW
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

// The runs. Each prints its header block, headings and rows (to the console
// and, when storing, to the output file). The synthesis runs return false when
// a wanted impedance was unrealizable.
void frequency_run(Session& s);
void sensitivity_run(Session& s);
bool synthesis_loss_run(Session& s);
bool synthesis_sensitivity_run(Session& s);

// Report header (connecting the output file when storing) and trailer.
void report_header(Session& s);
void report_trailer(Session& s);

}  // namespace lumo
