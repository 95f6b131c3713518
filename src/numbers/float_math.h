// Single-precision atan, log and exp of Lumo's own, correctly rounded (round
// to nearest, ties to even) for every float input, so that every platform
// computes the same bits. Each is evaluated in double with a fixed argument
// reduction and polynomial in plain IEEE arithmetic; a result whose double
// value lies too close to a halfway point between two floats is settled by
// a table of the inputs where that value rounds the wrong way.
//
//   atanf(1.0f)      -> 0x1.921fb6p-1f   pi / 4 rounded
//   logf(1.0f)       -> 0.0f             exact
//   logf(-1.0f)      -> NaN (positive, quiet); logf(+-0) -> -inf
//   expf(0x1.62e430p+6f) -> +inf         the first overflowing input
#pragma once

namespace lumo::num {

// Arc tangent, radians in [-pi/2, pi/2]; NaN stays NaN.
float atanf(float x);
// Natural logarithm; -inf at +-0, NaN below 0 and for NaN.
float logf(float x);
// e raised to x; +inf from 0x1.62e430p+6f (88.7228) up, 0 from
// -0x1.9fe36ap+6f (-103.9721) down.
float expf(float x);

namespace detail {

// The double evaluations the functions above round, for finite inputs in
// their working ranges, and whether a value lies within 2^-49 of its size
// of a halfway point between two floats (every input whose evaluation
// rounds the wrong way does). For the exhaustive check's quick scan.
double atan_estimate(float x);
double log_estimate(float x);
double exp_estimate(float x);
bool near_halfway(double y);

}  // namespace detail

}  // namespace lumo::num
