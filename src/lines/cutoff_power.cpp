// TE11 cut-off frequency and peak power of a line.
#include <cmath>

#include "lines/line_constants.h"
#include "lines/lines.h"
#include "numbers/float_math.h"

namespace lumo {

using namespace line_constants;

namespace {

// Field strength at the surface of the inner conductor that sets the peak
// power.
constexpr float emax = 36830.0f;

}  // namespace

void lmmode(const float& b, const float& d, const float& er, float& temode) {
  const float speed = kLightSpeed / std::sqrt(er);  // inches per nanosecond
  // Cut-off wavelength: pi times the mean of the two diameters, inches.
  const float wavlen = kPi * (b + d) / 2.0f;
  temode = speed / wavlen;
  if (temode > kConstantClamp) temode = kConstantClamp;
}

void lmpwr(const float& b, const float& d, const float& er, float& pkpwr) {
  const float ratio = b / d;
  const float ln = num::logf(ratio);
  const float product = emax * emax * ln * (d / 2.0f) * (d / 2.0f);
  pkpwr = product * std::sqrt(er) / 118.962f;
  pkpwr = pkpwr / 10000.0f;  // scales to the unit the reports print
  if (pkpwr > kPowerClamp) pkpwr = kPowerClamp;
}

}  // namespace lumo
