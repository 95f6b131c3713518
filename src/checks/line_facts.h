// Propagation facts of a TEM line in double precision.
#pragma once

#include "checks/coax_line.h"

namespace lumo::checks {

// Speed and delay of the TEM wave on a line.
struct LineFacts {
  double velocity_factor;  // phase velocity over the speed of light, 1 / sqrt(Er)
  double delay_ns_per_ft;  // time to travel one foot of line, ns
};

// Facts of a line filled with dielectric constant `er` (> 0).
LineFacts line_facts(double er);

}  // namespace lumo::checks
