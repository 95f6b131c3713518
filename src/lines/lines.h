// Line computations: pure routines on the geometry and materials of a coaxial
// line. They print nothing and keep no state; results come back through the
// output arguments or the result records. All arithmetic is single precision.
#pragma once

#include <cstdint>

#include "records/records.h"

namespace lumo {

// Characteristic impedance zo (ohms) of diameters b, d (inches), dielectric er.
void lmzo(const float& b, const float& d, const float& er, float& zo);

// Capacitance ccap (pF per inch) and inductance cind (nH per inch); zo is the
// impedance lmzo gave for the same line. Both clamped at 9999.99.
void lmcap(const float& b, const float& d, const float& er, const float& zo, float& ccap,
           float& cind);

// Conductor, dielectric and total loss (dB per foot) and the two wavelengths
// (inches) at frequency f (GHz), into `out`. srb/srd in inches, resb/resd in
// ohm-inches.
void lmloss(const float& b, const float& d, const float& er, const float& srb, const float& srd,
            const float& resb, const float& resd, const float& dltan, const float& f, Lmlos1& out);

// TE11 cut-off frequency temode (GHz), clamped at 9999.99.
void lmmode(const float& b, const float& d, const float& er, float& temode);

// Peak power pkpwr (kW, as the reports label it), clamped at 99999.99.
void lmpwr(const float& b, const float& d, const float& er, float& pkpwr);

// Normalized sensitivities of Zo to b, d and er, into `out`. b, d, er and zo
// are perturbed in place and come back bit for bit as they were.
void lmsen(float& b, float& d, float& er, float& zo, Lmsen1& out);

// Synthesizes d from b (isyn = 1) or b from d (isyn = 2) for the wanted
// impedance zo; isyne = 0 when realizable, 1 when not.
void lmsyn(float& b, float& d, const float& er, const float& zo, const std::int32_t& isyn,
           std::int32_t& isyne);

}  // namespace lumo
