// Constants of the line computations, each the single-precision value the
// routines work with.
#pragma once

namespace lumo::line_constants {

// Pi.
inline constexpr float pi = 3.1415927f;
// Wave impedance of free space, ohms.
inline constexpr float eta = 376.73032f;
// Permittivity of free space, farads per metre.
inline constexpr float epsilon = 8.854188e-12f;
// Permeability of free space, nanohenries per inch (4 pi 1e-7 H/m).
inline constexpr float uo = 31.92f;
// Speed of light, inches per nanosecond.
inline constexpr float light_speed = 11.802855f;
// Nepers per inch to decibels per foot: 8.686 dB per neper times 12 inches.
inline constexpr float db_per_foot_per_neper_per_inch = 104.231995f;
// Decibels per neper.
inline constexpr float db_per_neper = 8.686f;
// Inches per foot.
inline constexpr float inches_per_foot = 12.0f;
// Metres per inch.
inline constexpr float metres_per_inch = 0.0254f;
// Largest capacitance, inductance and cut-off the report fields can show.
inline constexpr float constant_clamp = 9999.99f;
// Largest peak power the report field can show.
inline constexpr float power_clamp = 99999.99f;

}  // namespace lumo::line_constants
