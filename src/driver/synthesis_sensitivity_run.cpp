// Synthesis option 2: for each wanted impedance, the diameter of one conductor
// and the resulting line's cut-off, peak power and sensitivities of Zo.
#include <cstdint>

#include "driver/lumo.h"
#include "driver/run_support.h"
#include "lines/lines.h"

namespace lumo {

bool synthesis_sensitivity_run(Records& rec, DriverVars& vars, RunConsumer& out) {
  Blk1& inputs = rec.blk1;
  const bool outer = rec.blk2.isyn == 2;
  out.sensitivity_header({true, outer, outer ? inputs.d : inputs.b, inputs.er, rec.blk2.iop});

  const std::int32_t last = rec.blk2.l;
  const Lmsen1& sen = rec.lmsen1;
  const float& synthesized = outer ? inputs.b : inputs.d;
  for (std::int64_t i = 0; i <= last; ++i) {
    vars.il = static_cast<std::int32_t>(i);
    vars.zo = sweep_point(inputs.zmin, inputs.zstep, vars.il);
    lmsyn(inputs.b, inputs.d, inputs.er, vars.zo, rec.blk2.isyn, vars.isyne);
    if (vars.isyne != 0) {
      out.unrealizable(vars.zo);
      return false;
    }
    // The row shows the wanted impedance; lmsen gives it back unchanged.
    lmsen(inputs.b, inputs.d, inputs.er, vars.zo, rec.lmsen1);
    lmmode(inputs.b, inputs.d, inputs.er, vars.temode);
    lmpwr(inputs.b, inputs.d, inputs.er, vars.pkpwr);
    out.sensitivity_row(
        {synthesized, vars.zo, vars.temode, vars.pkpwr, sen.szod, sen.szob, sen.szoer});
  }

  vars.fdata = label("Sensitivity");
  out.table_end();
  return true;
}

}  // namespace lumo
