// Analysis option 2: Zo, cut-off, peak power and the sensitivities of Zo over
// a sweep of one conductor's diameter, the other held fixed.
#include <cstdint>

#include "driver/lumo.h"
#include "driver/run_support.h"
#include "lines/lines.h"

namespace lumo {

void sensitivity_run(Records& rec, DriverVars& vars, RunConsumer& out) {
  Blk1& inputs = rec.blk1;
  const bool outer = rec.blk2.idia == 2;
  const std::int32_t last = rec.blk2.l;
  float& swept = outer ? inputs.b : inputs.d;
  const float fixed = outer ? inputs.d : inputs.b;
  out.sensitivity_header({false, outer, fixed, inputs.er, rec.blk2.iop});

  auto diameter = [&](std::int64_t i) {
    const auto il = static_cast<std::int32_t>(i);
    return outer ? sweep_point(inputs.bmin, inputs.bstep, il)
                 : sweep_point(inputs.dmin, inputs.dstep, il);
  };
  // A step whose line cannot exist is left out: B not above D or above
  // 99.99 inches, D below 0.0001 inch. The swept diameter never falls from
  // step to step, so the left-out steps are a run at the start (B not yet
  // above D, D still below 0.0001) and a run at the end (B past 99.99, D no
  // longer below B). Neither run is stepped through, as a tiny step can make
  // billions of them; the swept field still ends holding the last step.
  auto before_window = [&](float x) { return outer ? !(fixed < x) : x < 0.0001f; };
  auto within_window = [&](float x) {
    return outer ? fixed < x && !(x > 99.99f) : x < fixed && !(x < 0.0001f);
  };
  std::int64_t first = 0;
  for (std::int64_t past = std::int64_t{last} + 1; first < past;) {
    std::int64_t mid = first + (past - first) / 2;
    if (before_window(diameter(mid))) {
      first = mid + 1;
    } else {
      past = mid;
    }
  }

  const Lmsen1& sen = rec.lmsen1;
  for (std::int64_t i = first; i <= last; ++i) {
    vars.il = static_cast<std::int32_t>(i);
    swept = diameter(i);
    if (!within_window(swept)) break;
    lmzo(inputs.b, inputs.d, inputs.er, vars.zo);
    lmsen(inputs.b, inputs.d, inputs.er, vars.zo, rec.lmsen1);
    lmmode(inputs.b, inputs.d, inputs.er, vars.temode);
    lmpwr(inputs.b, inputs.d, inputs.er, vars.pkpwr);
    out.sensitivity_row({swept, vars.zo, vars.temode, vars.pkpwr, sen.szod, sen.szob, sen.szoer});
  }
  vars.il = last;
  swept = diameter(last);

  vars.fdata = label("Sensitivity");
  out.table_end();
}

}  // namespace lumo
