// The accepted ranges of the numeric inputs: of the console dialogue and of
// the defaults file Lumo.DEF. A range is written as the test itself, so a NaN
// lies in none, and an infinite value lies only in a range whose end is
// infinite.
//
//   kDiameterRange.contains(99.99f)        -> true    both ends inclusive
//   kStartFrequencyEntry.contains(0.001f)  -> false   lower end exclusive
//   kStepRange.contains(INFINITY)          -> true
//
// Where the dialogue and the file accept the same values they share a range.
// They differ on purpose at zero: an empty console entry reads as 0 and must
// keep the field, so the dialogue refuses a 0 that the file may hold.
#pragma once

#include <limits>

namespace lumo {

struct AcceptedRange {
  float low;
  bool low_inclusive;
  float high;
  bool high_inclusive;

  constexpr bool contains(float x) const {
    return (low_inclusive ? x >= low : x > low) && (high_inclusive ? x <= high : x < high);
  }
};

inline constexpr float kUnbounded = std::numeric_limits<float>::infinity();

// Shared by the dialogue and the defaults file.
// B and D, and the limits of a diameter sweep, inches (the file's D. and the
// sweep maxima have their own ranges below).
inline constexpr AcceptedRange kDiameterRange{0.0001f, true, 99.99f, true};
// Er.
inline constexpr AcceptedRange kDielectricConstantRange{1.0f, true, 999.99f, true};
// Impedance, ohms: both ends of the synthesis range (the file's ZMAX.).
inline constexpr AcceptedRange kImpedanceRange{0.01f, true, 999.99f, true};
// Every sweep step: above 0, with no upper end (infinity included).
inline constexpr AcceptedRange kStepRange{0.0f, false, kUnbounded, true};

// The dialogue alone.
// Start frequency, GHz: 0.001 itself is refused.
inline constexpr AcceptedRange kStartFrequencyEntry{0.001f, false, 999.99f, true};
// Stop frequency and insertion-loss frequency, GHz.
inline constexpr AcceptedRange kFrequencyEntry{0.0f, false, 999.99f, true};
// DLTAN.
inline constexpr AcceptedRange kLossTangentEntry{0.0f, false, 99.999f, true};
// Resistivity (micro-ohm-cm) and RMS roughness (micro-inches).
inline constexpr AcceptedRange kMaterialEntry{0.0f, false, 999.99f, true};

// The defaults file alone.
// F., GHz.
inline constexpr AcceptedRange kFrequencyDefault{0.001f, true, 999.99f, true};
// FMAX., GHz.
inline constexpr AcceptedRange kMaxFrequencyDefault{0.0f, true, 999.99f, true};
// FMIN., GHz; it may not exceed FMAX. either.
inline constexpr AcceptedRange kMinFrequencyDefault{0.001f, true, kUnbounded, true};
// RESB., RESD. (micro-ohm-cm), SRB., SRD. (micro-inches).
inline constexpr AcceptedRange kMaterialDefault{0.0f, true, 999.99f, true};
// D., inches: it stops at 99.9 so that a B can exceed it; it must also stay
// below B.
inline constexpr AcceptedRange kInnerDiameterDefault{0.0001f, true, 99.9f, true};
// BMAX. and DMAX., inches: no lower end; a value below the sweep's minimum is
// raised to it.
inline constexpr AcceptedRange kMaxDiameterDefault{-kUnbounded, true, 99.99f, true};
// DLTAN.
inline constexpr AcceptedRange kLossTangentDefault{0.0f, true, 99.99f, true};
// ZMIN., ohms; it may not exceed ZMAX. either.
inline constexpr AcceptedRange kMinImpedanceDefault{0.01f, true, kUnbounded, true};

}  // namespace lumo
