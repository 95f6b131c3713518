// Synthesis option 1: for each wanted impedance, the diameter of one conductor
// and the resulting line's cut-off, peak power and losses at one frequency.
#include <cstdint>

#include "driver/lumo.h"
#include "driver/run_support.h"
#include "lines/lines.h"

namespace lumo {

bool synthesis_loss_run(Records& rec, DriverVars& v, RunConsumer& out) {
  Blk1& k = rec.blk1;
  const bool outer = rec.blk2.isyn == 2;
  const float fixed = outer ? k.d : k.b;
  out.synthesis_loss_header({outer, fixed, k.er, {k.resb1, k.resd1, k.srb1, k.srd1, k.dltan},
                             rec.blk2.iop, v.f});

  const std::int32_t last = rec.blk2.l;
  const Blk4& c = rec.blk4;
  Lmlos1& loss = rec.lmlos1;
  const float& synthesized = outer ? k.b : k.d;
  for (std::int64_t i = 0; i <= last; ++i) {
    v.il = static_cast<std::int32_t>(i);
    v.zo = sweep_point(k.zmin, k.zstep, v.il);
    lmsyn(k.b, k.d, k.er, v.zo, rec.blk2.isyn, v.isyne);
    if (v.isyne != 0) {
      out.unrealizable(v.zo);
      return false;
    }
    lmloss(k.b, k.d, k.er, c.srb, c.srd, c.resb, c.resd, k.dltan, v.f, loss);
    lmmode(k.b, k.d, k.er, v.temode);
    lmpwr(k.b, k.d, k.er, v.pkpwr);
    out.synthesis_loss_row(
        {synthesized, v.zo, v.temode, v.pkpwr, loss.acd, loss.acb, loss.ad, loss.atot});
  }

  v.fdata = label("Synthesis");
  out.table_end();
  return true;
}

}  // namespace lumo
