// Conductor and dielectric loss and the wavelengths at one frequency.
#include <cmath>

#include "lines/line_constants.h"
#include "lines/lines.h"
#include "numbers/float_math.h"

namespace lumo {

using namespace line_constants;

namespace {

// Raises surface resistance rs (ohms) for RMS roughness sr (inches) on a
// conductor of resistivity res (ohm-inches): the factor runs from 1 for a
// smooth surface towards 2 when the roughness dwarfs the skin depth res/rs.
float roughened(float rs, float sr, float res) {
  const float x = sr * rs / res;
  const float arg = 1.4f * x * x;
  const float twobypi = 2.0f / kPi;
  return rs * (1.0f + twobypi * num::atanf(arg));
}

}  // namespace

void lmloss(const float& b, const float& d, const float& er, const float& srb, const float& srd,
            const float& resb, const float& resd, const float& dltan, const float& f, Lmlos1& out) {
  out.acb = 0.0f;
  out.acd = 0.0f;
  out.ad = 0.0f;
  out.atot = 0.0f;
  out.wl = 999.999f;  // stands for "no wavelength" at zero frequency
  out.wg = 999.999f;
  if (f != 0.0f) {
    // Skin-effect surface resistances, ohms: sqrt(pi f mu0 rho).
    float srbc = std::sqrt(f * kPi * kMu0 * resb);
    float srbd = std::sqrt(f * kPi * kMu0 * resd);
    // A conductor without resistivity has no skin depth to compare with.
    if (resb != 0.0f) srbc = roughened(srbc, srb, resb);
    if (resd != 0.0f) srbd = roughened(srbd, srd, resd);

    float zo = 0.0f;
    lmzo(b, d, er, zo);
    // Nepers per inch per ohm of surface resistance, then decibels.
    float alphab = 1.0f / (2.0f * kPi * b * zo);
    float alphad = 1.0f / (2.0f * kPi * d * zo);
    alphab = alphab * kDbPerNeper;
    alphad = alphad * kDbPerNeper;
    out.acb = srbc * kInchesPerFoot * alphab;
    out.acd = srbd * kInchesPerFoot * alphad;

    out.wl = kLightSpeed / f;
    out.wg = out.wl / std::sqrt(er);
    out.ad = dltan * kDbPerFootPerNeperPerInch * kPi / out.wg;
  }
  out.atot = (out.acb + out.acd) + out.ad;
}

}  // namespace lumo
