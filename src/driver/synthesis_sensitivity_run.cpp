// Synthesis option 2: for each wanted impedance, the diameter of one conductor
// and the resulting line's cut-off, peak power and sensitivities of Zo.
#include <cstdint>

#include "driver/lumo.h"
#include "driver/run_support.h"
#include "lines/lines.h"

namespace lumo {

bool synthesis_sensitivity_run(Records& rec, DriverVars& v, RunConsumer& out) {
  Blk1& k = rec.blk1;
  const bool outer = rec.blk2.isyn == 2;
  out.sensitivity_header({true, outer, outer ? k.d : k.b, k.er, rec.blk2.iop});

  const std::int32_t last = rec.blk2.l;
  const Lmsen1& sen = rec.lmsen1;
  const float& synthesized = outer ? k.b : k.d;
  for (std::int64_t i = 0; i <= last; ++i) {
    v.il = static_cast<std::int32_t>(i);
    v.zo = sweep_point(k.zmin, k.zstep, v.il);
    lmsyn(k.b, k.d, k.er, v.zo, rec.blk2.isyn, v.isyne);
    if (v.isyne != 0) {
      out.unrealizable(v.zo);
      return false;
    }
    // The row shows the wanted impedance; lmsen gives it back unchanged.
    lmsen(k.b, k.d, k.er, v.zo, rec.lmsen1);
    lmmode(k.b, k.d, k.er, v.temode);
    lmpwr(k.b, k.d, k.er, v.pkpwr);
    out.sensitivity_row({synthesized, v.zo, v.temode, v.pkpwr, sen.szod, sen.szob, sen.szoer});
  }

  v.fdata = label("Sensitivity");
  out.table_end();
  return true;
}

}  // namespace lumo
