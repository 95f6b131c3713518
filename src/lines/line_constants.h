// Constants of the line computations, each the single-precision value the
// routines work with.
#pragma once

namespace lumo::line_constants {

// Pi.
inline constexpr float kPi = 3.1415927f;
// Wave impedance of free space, ohms.
inline constexpr float kEta = 376.73032f;
// Permittivity of free space, farads per metre.
inline constexpr float kEpsilon = 8.854188e-12f;
// Permeability of free space, nanohenries per inch (4 pi 1e-7 H/m).
inline constexpr float kMu0 = 31.92f;
// Speed of light, inches per nanosecond.
inline constexpr float kLightSpeed = 11.802855f;
// Nepers per inch to decibels per foot: 8.686 dB per neper times 12 inches.
inline constexpr float kDbPerFootPerNeperPerInch = 104.231995f;
// Decibels per neper.
inline constexpr float kDbPerNeper = 8.686f;
// Inches per foot.
inline constexpr float kInchesPerFoot = 12.0f;
// Metres per inch.
inline constexpr float kMetresPerInch = 0.0254f;
// Largest capacitance, inductance and cut-off the report fields can show.
inline constexpr float kConstantClamp = 9999.99f;
// Largest peak power the report field can show.
inline constexpr float kPowerClamp = 99999.99f;

}  // namespace lumo::line_constants
