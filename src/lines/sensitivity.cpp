// Normalized sensitivities of Zo by forward differences.
#include "lines/lines.h"

namespace lumo {

namespace {

// Relative step of each perturbed quantity.
constexpr float perturbation = 1.001f;

// Sensitivity of Zo to x: raises x by the step in place, takes Zo again,
// restores x. tp is Zo at the unperturbed point; zo receives the new Zo.
float sensitivity_to(float& x, float& b, float& d, float& er, float tp, float& zo) {
  const float tp1 = x;
  x = x * perturbation;
  lmzo(b, d, er, zo);
  // Divide by the step actually taken, as stored, not 0.001 times x.
  const float s = ((zo - tp) * tp1 / tp) / (x - tp1);
  x = tp1;
  return s;
}

}  // namespace

void lmsen(float& b, float& d, float& er, float& zo, Lmsen1& out) {
  const float zod = zo;
  lmzo(b, d, er, zo);
  const float tp = zo;
  out.szob = sensitivity_to(b, b, d, er, tp, zo);
  out.szod = sensitivity_to(d, b, d, er, tp, zo);
  out.szoer = sensitivity_to(er, b, d, er, tp, zo);
  zo = zod;
}

}  // namespace lumo
