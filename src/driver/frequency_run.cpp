// Analysis option 1: the line constants of one line and its wavelengths and
// losses over a frequency sweep.
#include <cstdint>

#include "driver/lumo.h"
#include "driver/run_support.h"
#include "lines/lines.h"

namespace lumo {

namespace {

Materials materials_of(const Blk1& k) { return {k.resb1, k.resd1, k.srb1, k.srd1, k.dltan}; }

}  // namespace

void frequency_run(Records& rec, DriverVars& v, RunConsumer& out) {
  Blk1& k = rec.blk1;

  // The line constants do not depend on frequency: computed once.
  lmzo(k.b, k.d, k.er, v.zo);
  lmcap(k.b, k.d, k.er, v.zo, v.ccap, v.cind);
  lmmode(k.b, k.d, k.er, v.temode);
  lmpwr(k.b, k.d, k.er, v.pkpwr);
  out.frequency_header({k.b, k.d, k.er, materials_of(k), rec.blk2.iop, v.zo, v.ccap, v.cind});

  const std::int32_t last = rec.blk2.l;
  const Blk4& c = rec.blk4;
  Lmlos1& loss = rec.lmlos1;
  for (std::int64_t i = 0; i <= last; ++i) {
    v.il = static_cast<std::int32_t>(i);
    v.f = sweep_point(k.fmin, k.fstep, v.il);
    lmloss(k.b, k.d, k.er, c.srb, c.srd, c.resb, c.resd, k.dltan, v.f, loss);
    out.frequency_row({v.f, loss.wl, loss.wg, loss.acd, loss.acb, loss.ad, loss.atot});
  }

  v.fdata = label("Frequency");
  out.frequency_end({v.temode, v.pkpwr});
}

}  // namespace lumo
