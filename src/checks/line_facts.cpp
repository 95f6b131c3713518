// Velocity factor and delay.
#include "checks/line_facts.h"

#include <cmath>

namespace lumo::checks {

LineFacts line_facts(double er) {
  const double root_er = std::sqrt(er);
  return LineFacts{
      .velocity_factor = 1.0 / root_er,
      .delay_ns_per_ft = kMetresPerFoot * root_er / kLightSpeedMPerS * 1e9,
  };
}

}  // namespace lumo::checks
