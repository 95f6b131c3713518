// Synthesis option 1: for each wanted impedance, the diameter of one conductor
// and the resulting line's cut-off, peak power and losses at one frequency.
#include <cstdint>

#include "driver/lumo.h"
#include "driver/run_support.h"
#include "lines/lines.h"

namespace lumo {

bool synthesis_loss_run(Records& rec, DriverVars& vars, RunConsumer& out) {
  Blk1& inputs = rec.blk1;
  const bool outer = rec.blk2.isyn == 2;
  const float fixed = outer ? inputs.d : inputs.b;
  out.synthesis_loss_header({outer,
                             fixed,
                             inputs.er,
                             {inputs.resb1, inputs.resd1, inputs.srb1, inputs.srd1, inputs.dltan},
                             rec.blk2.iop,
                             vars.f});

  const std::int32_t last = rec.blk2.l;
  const Blk4& model = rec.blk4;
  Lmlos1& loss = rec.lmlos1;
  const float& synthesized = outer ? inputs.b : inputs.d;
  for (std::int64_t i = 0; i <= last; ++i) {
    vars.il = static_cast<std::int32_t>(i);
    vars.zo = sweep_point(inputs.zmin, inputs.zstep, vars.il);
    lmsyn(inputs.b, inputs.d, inputs.er, vars.zo, rec.blk2.isyn, vars.isyne);
    if (vars.isyne != 0) {
      out.unrealizable(vars.zo);
      return false;
    }
    lmloss(inputs.b, inputs.d, inputs.er, model.srb, model.srd, model.resb, model.resd,
           inputs.dltan, vars.f, loss);
    lmmode(inputs.b, inputs.d, inputs.er, vars.temode);
    lmpwr(inputs.b, inputs.d, inputs.er, vars.pkpwr);
    out.synthesis_loss_row(
        {synthesized, vars.zo, vars.temode, vars.pkpwr, loss.acd, loss.acb, loss.ad, loss.atot});
  }

  vars.fdata = label("Synthesis");
  out.table_end();
  return true;
}

}  // namespace lumo
