// Synthesis option 2: for each wanted impedance, the diameter of one conductor
// and the resulting line's cut-off, peak power and sensitivities of Zo.
#include <cstdint>

#include "driver/lumo.h"
#include "driver/run_support.h"
#include "driver/sensitivity_table.h"
#include "lines/lines.h"

namespace lumo {

namespace {

constexpr FormatList kHeader =
    "(/,6X,2X,A3,F7.4,'\"',10X,'Synthesis with Sensitivity', 10X,'Er =',F7.3,/,"
    "6X,22X,28(1H=),/,6X,31X,'(OPTION ',I1,')')";

}  // namespace

bool synthesis_sensitivity_run(Session& s) {
  Blk1& k = s.rec.blk1;
  DriverVars& v = s.v;
  Io& io = s.io;
  const bool store = s.rec.blk2.istore == 1;
  const bool outer = s.rec.blk2.isyn == 2;
  sensitivity_table_head(s, kHeader, outer);

  const std::int32_t last = s.rec.blk2.l;
  const Lmsen1& sen = s.rec.lmsen1;
  const float& synthesized = outer ? k.b : k.d;
  for (std::int64_t i = 0; i <= last; ++i) {
    v.il = static_cast<std::int32_t>(i);
    v.zo = sweep_point(k.zmin, k.zstep, v.il);
    lmsyn(k.b, k.d, k.er, v.zo, s.rec.blk2.isyn, v.isyne);
    if (v.isyne != 0) return false;
    // The row shows the wanted impedance; lmsen gives it back unchanged.
    lmsen(k.b, k.d, k.er, v.zo, s.rec.lmsen1);
    lmmode(k.b, k.d, k.er, v.temode);
    lmpwr(k.b, k.d, k.er, v.pkpwr);
    report(io, store, kSensitivityRow,
           {synthesized, v.zo, v.temode, v.pkpwr, sen.szod, sen.szob, sen.szoer});
  }

  v.fdata = label("Sensitivity");
  return true;
}

}  // namespace lumo
