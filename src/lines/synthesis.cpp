// Synthesis of one conductor diameter for a wanted impedance.
#include <cmath>

#include "lines/line_constants.h"
#include "lines/lines.h"
#include "numbers/float_math.h"

namespace lumo {

using namespace line_constants;

void lmsyn(float& b, float& d, const float& er, const float& zo, const std::int32_t& isyn,
           std::int32_t& isyne) {
  isyne = 0;
  if (zo < 0.01f || zo > 999.99f) {
    isyne = 1;
    return;
  }
  // arg is ln(b/d) of the wanted impedance.
  const float twozopi = 2.0f * zo * kPi;
  const float arg = twozopi * std::sqrt(er) / kEta;
  if (arg >= 17.0f) {
    isyne = 1;
    return;
  }
  if (isyn == 2) b = d * num::expf(arg);
  if (isyn == 1) d = b / num::expf(arg);
  // The synthesized diameter stays written even when the pair is refused;
  // the flag alone marks it.
  if (d >= b) isyne = 1;
  if (b < 0.0001f || b > 99.99f) isyne = 1;
  if (d < 0.0001f || d > 99.99f) isyne = 1;
}

}  // namespace lumo
