// Characteristic impedance, capacitance and inductance per unit length.
#include <cmath>

#include "lines/line_constants.h"
#include "lines/lines.h"
#include "numbers/float_math.h"

namespace lumo {

using namespace line_constants;

void lmzo(const float& b, const float& d, const float& er, float& zo) {
  const float twopi = 2.0f * kPi;
  const float factor = kEta / (twopi * std::sqrt(er));
  const float ratio = b / d;
  zo = num::logf(ratio) * factor;
}

void lmcap(const float& b, const float& d, const float& er, const float& zo, float& ccap,
           float& cind) {
  const float numerator = 2.0f * kPi * kEpsilon * er;
  const float ratio = b / d;
  ccap = numerator / num::logf(ratio);  // farads per metre
  // Inductance = Zo squared times the capacitance, taken before conversion
  // and clamp.
  cind = zo * zo * ccap;                  // henries per metre
  cind = cind * kMetresPerInch / 1e-9f;   // nanohenries per inch
  ccap = ccap * kMetresPerInch / 1e-12f;  // picofarads per inch
  if (ccap > kConstantClamp) ccap = kConstantClamp;
  if (cind > kConstantClamp) cind = kConstantClamp;
}

}  // namespace lumo
