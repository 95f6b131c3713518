// The shared records of the calculator. Each exists once for the life of a
// session; the driver, the dialogue and the runs read and write them field by
// field. A test makes a fresh `Records` to start from a clean program state.
#pragma once

#include <array>
#include <cstdint>

namespace lumo {

// A fixed-length text, blank-padded on the right (file names, run labels).
using Text20 = std::array<char, 20>;

// Numeric inputs, in the order of the defaults file's fields.
struct Blk1 {
  float b = 0;                          // outer conductor diameter B, inches (working value)
  float d = 0;                          // inner conductor diameter D, inches (working value)
  float er = 0;                         // relative dielectric constant
  float dltan = 0;                      // dielectric loss tangent
  float srb1 = 0;                       // RMS roughness of the outer conductor, micro-inches
  float srd1 = 0;                       // RMS roughness of the inner conductor, micro-inches
  float resb1 = 0;                      // resistivity of the outer conductor, micro-ohm-cm
  float resd1 = 0;                      // resistivity of the inner conductor, micro-ohm-cm
  float fmin = 0, fmax = 0, fstep = 0;  // frequency sweep, GHz
  float zmin = 0, zmax = 0, zstep = 0;  // impedance sweep, ohms
  float bmin = 0, bmax = 0, bstep = 0;  // outer diameter sweep, inches
  float dmin = 0, dmax = 0, dstep = 0;  // inner diameter sweep, inches
  float fdef = 0;                       // insertion-loss frequency of synthesis option 1, GHz
  float bdef = 0;                       // outer diameter as entered, inches
  float ddef = 0;                       // inner diameter as entered, inches
};

// The choices of the dialogue and the driver.
struct Blk2 {
  std::int32_t ifunc = 0;   // 1 = ANALYSIS, 2 = SYNTHESIS
  std::int32_t l = 0;       // index of the last table row
  std::int32_t istore = 0;  // 1 = the report also goes to the output file
  std::int32_t isel = 0;    // OPERATION chosen before this pass; -1 = end
  std::int32_t iop = 0;     // OPTION within the function, 1 or 2
  std::int32_t idia = 0;    // conductor varied by the sensitivity run: 1 = D, 2 = B
  std::int32_t isyn = 0;    // conductor synthesized: 1 = D, 2 = B
};

// The output file name, blank-padded (`dum` of the record is not used).
struct Blk3 {
  Text20 fn{};
};

// Conductor data in the units of the loss model.
struct Blk4 {
  float srb = 0;   // RMS roughness of the outer conductor, inches
  float resb = 0;  // resistivity of the outer conductor, ohm-inches
  float srd = 0;   // RMS roughness of the inner conductor, inches
  float resd = 0;  // resistivity of the inner conductor, ohm-inches
};

// Date and time of the program start, as the report headers print them.
struct Blk6 {
  std::int32_t imon = 0, iday = 0, iyr = 0, ihr = 0, imin = 0, isec = 0;
};

// Results of the loss model for one frequency.
struct Lmlos1 {
  float acb = 0;   // outer conductor loss, dB per foot
  float acd = 0;   // inner conductor loss, dB per foot
  float ad = 0;    // dielectric loss, dB per foot
  float atot = 0;  // total loss, dB per foot
  float wg = 0;    // wavelength in the line, inches
  float wl = 0;    // free-space wavelength, inches
};

// Normalized sensitivities of Zo.
struct Lmsen1 {
  float szob = 0;   // to the outer diameter
  float szod = 0;   // to the inner diameter
  float szoer = 0;  // to the dielectric constant
};

struct Records {
  Blk1 blk1;
  Blk2 blk2;
  Blk3 blk3;
  Blk4 blk4;
  Blk6 blk6;
  Lmlos1 lmlos1;
  Lmsen1 lmsen1;
};

}  // namespace lumo
