// Lumo.DEF texts that pass every check of the defaults loader. Expected
// reports and dialogue texts depend on their values: change none of them.
#pragma once

namespace lumo::testing {

// The reference line: B 0.25", D 0.1", Er 2.1, loss tangent 0.0002, both
// conductors 1.72 micro-ohm-cm and smooth; frequencies 1 to 2 GHz by 0.5
// (insertion loss at 1.5 GHz); B 0.2 to 0.4 by 0.1, D 0.05 to 0.2 by 0.05,
// 40 to 80 ohms by 20; file name "lumo.out".
inline constexpr const char* kReferenceLineDefaults =
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

// Rough conductors of different metals, so that a value stored in the other
// conductor's field shows: F 2, frequencies 1 to 4 by 0.5, RESB 1.72 / RESD
// 2.44, SRB 10 / SRD 20, Er 2.1, B 0.25 (0.2 to 0.4 by 0.05), D 0.1 (0.05 to
// 0.2 by 0.05), DLTAN 0.0004, Z 40 to 80 by 10; file name "out.txt".
inline constexpr const char* kRoughConductorsDefaults =
    "Test line\n"
    "2.0          F.\n"
    "4.0          FMAX.\n"
    "1.0          FMIN.\n"
    "0.5          FSTEP.\n"
    "1.72         RESB.\n"
    "2.44         RESD.\n"
    "10           SRB.\n"
    "20           SRD.\n"
    "2.1          ER.\n"
    "0.25         B.\n"
    "0.2          BMIN.\n"
    "0.4          BMAX.\n"
    "0.05         BSTEP.\n"
    "0.1          D.\n"
    "0.05         DMIN.\n"
    "0.2          DMAX.\n"
    "0.05         DSETP.\n"
    "0.0004       DLTAN.\n"
    "80           ZMAX.\n"
    "40           ZMIN.\n"
    "10           ZSTEP.\n"
    "out.txt\n";

}  // namespace lumo::testing
