// Analysis option 1: the line constants of one line and its wavelengths and
// losses over a frequency sweep.
#include <cstdint>

#include "driver/lumo.h"
#include "driver/run_support.h"
#include "lines/lines.h"

namespace lumo {

namespace {

Materials materials_of(const Blk1& inputs) {
  return {inputs.resb1, inputs.resd1, inputs.srb1, inputs.srd1, inputs.dltan};
}

}  // namespace

void frequency_run(Records& rec, DriverVars& vars, RunConsumer& out) {
  Blk1& inputs = rec.blk1;

  // The line constants do not depend on frequency: computed once.
  lmzo(inputs.b, inputs.d, inputs.er, vars.zo);
  lmcap(inputs.b, inputs.d, inputs.er, vars.zo, vars.ccap, vars.cind);
  lmmode(inputs.b, inputs.d, inputs.er, vars.temode);
  lmpwr(inputs.b, inputs.d, inputs.er, vars.pkpwr);
  out.frequency_header({inputs.b, inputs.d, inputs.er, materials_of(inputs), rec.blk2.iop, vars.zo,
                        vars.ccap, vars.cind});

  const std::int32_t last = rec.blk2.l;
  const Blk4& model = rec.blk4;
  Lmlos1& loss = rec.lmlos1;
  for (std::int64_t i = 0; i <= last; ++i) {
    vars.il = static_cast<std::int32_t>(i);
    vars.f = sweep_point(inputs.fmin, inputs.fstep, vars.il);
    lmloss(inputs.b, inputs.d, inputs.er, model.srb, model.srd, model.resb, model.resd,
           inputs.dltan, vars.f, loss);
    out.frequency_row({vars.f, loss.wl, loss.wg, loss.acd, loss.acb, loss.ad, loss.atot});
  }

  vars.fdata = label("Frequency");
  out.frequency_end({vars.temode, vars.pkpwr});
}

}  // namespace lumo
