// A Lumo.DEF that passes every check, on the line of the worked examples:
// B 0.25", D 0.1", Er 2.1, loss tangent 0.0002, 1.72 micro-ohm-cm smooth
// conductors; frequencies 1 to 2 GHz by 0.5 (insertion loss at 1.5 GHz);
// B 0.2 to 0.4 by 0.1, D 0.05 to 0.2 by 0.05, 40 to 80 ohms by 20; file
// name "lumo.out".
#pragma once

namespace lumo::testing {

inline constexpr const char* kStandardDefaults =
    "Lumo defaults for the tests\n"
    "1.5          F.\n"
    "2.0          FMAX.\n"
    "1.0          FMIN.\n"
    "0.5          FSTEP.\n"
    "1.72         RESB.\n"
    "1.72         RESD.\n"
    "0            SRB.\n"
    "0            SRD.\n"
    "2.1          ER.\n"
    "0.25         B.\n"
    "0.2          BMIN.\n"
    "0.4          BMAX.\n"
    "0.1          BSTEP.\n"
    "0.1          D.\n"
    "0.05         DMIN.\n"
    "0.2          DMAX.\n"
    "0.05         DSETP.\n"
    "0.0002       DLTAN.\n"
    "80           ZMAX.\n"
    "40           ZMIN.\n"
    "20           ZSTEP.\n"
    "lumo.out\n";

}  // namespace lumo::testing
