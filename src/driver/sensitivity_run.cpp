// Analysis option 2: Zo, cut-off, peak power and the sensitivities of Zo over
// a sweep of one conductor's diameter, the other held fixed.
#include <cstdint>

#include "driver/lumo.h"
#include "driver/run_support.h"
#include "driver/sensitivity_table.h"
#include "lines/lines.h"

namespace lumo {

namespace {

constexpr FormatList kHeader =
    "(/,8X,A3,F8.4,'\"',11X,'Sensitivity Analysis',11X, 'Er  =',F7.3,/,30X,22(1H=),/,"
    "36X,'(OPTION ',I1,')')";

}  // namespace

void sensitivity_run(Session& s) {
  Blk1& k = s.rec.blk1;
  DriverVars& v = s.v;
  Io& io = s.io;
  const bool store = s.rec.blk2.istore == 1;
  const bool outer = s.rec.blk2.idia == 2;
  sensitivity_table_head(s, kHeader, outer);

  const std::int32_t last = s.rec.blk2.l;
  float& swept = outer ? k.b : k.d;
  const Lmsen1& sen = s.rec.lmsen1;
  for (std::int64_t i = 0; i <= last; ++i) {
    v.il = static_cast<std::int32_t>(i);
    swept = outer ? sweep_point(k.bmin, k.bstep, v.il) : sweep_point(k.dmin, k.dstep, v.il);
    // A step whose line cannot exist is left out; the swept diameter keeps
    // its value all the same.
    if (k.d >= k.b) continue;
    if (outer ? k.b > 99.99f : k.d < 0.0001f) continue;
    lmzo(k.b, k.d, k.er, v.zo);
    lmsen(k.b, k.d, k.er, v.zo, s.rec.lmsen1);
    lmmode(k.b, k.d, k.er, v.temode);
    lmpwr(k.b, k.d, k.er, v.pkpwr);
    report(io, store, kSensitivityRow,
           {swept, v.zo, v.temode, v.pkpwr, sen.szod, sen.szob, sen.szoer});
  }

  v.fdata = label("Sensitivity");
}

}  // namespace lumo
