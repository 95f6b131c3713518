// The line the engineering checks work on, and the physical constants they
// share. Everything here is double precision.
#pragma once

namespace lumo::checks {

// A coaxial line by its diameters and dielectric.
struct CoaxLine {
  double outer_in;  // outer conductor's inner diameter B, inches
  double inner_in;  // inner conductor's diameter D, inches
  double er;        // relative dielectric constant of the filling
};

// Speed of light in vacuum, metres per second.
inline constexpr double kLightSpeedMPerS = 299792458.0;
// Metres per inch.
inline constexpr double kMetresPerInch = 0.0254;
// Metres per foot.
inline constexpr double kMetresPerFoot = 0.3048;
// Wave impedance of free space, ohms.
inline constexpr double kEta0Ohm = 376.730313668;

}  // namespace lumo::checks
