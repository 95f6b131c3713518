// atan(j / 8) and pi / 2 - atan(j / 8) for j = 0 .. 8, each as a double and
// the remainder of the exact value, for the reductions of the arc tangents.
#pragma once

namespace lumo::num::detail {

struct DoubleDouble {
  double hi;
  double lo;
};

inline constexpr DoubleDouble kAtanEighths[9] = {
    {0.0, 0.0},
    {0x1.fd5ba9aac2f6ep-4, -0x1.cd37686760c17p-59},
    {0x1.f5b75f92c80ddp-3, 0x1.8ab6e3cf7afbdp-57},
    {0x1.6f61941e4def1p-2, -0x1.c63aae6f6e918p-56},
    {0x1.dac670561bb4fp-2, 0x1.a2b7f222f65e2p-56},
    {0x1.1e00babdefeb4p-1, -0x1.928df287a668fp-58},
    {0x1.4978fa3269ee1p-1, 0x1.2419a87f2a458p-56},
    {0x1.700a7c5784634p-1, -0x1.8c34d25aadef6p-56},
    {0x1.921fb54442d18p-1, 0x1.1a62633145c07p-55},
};

inline constexpr DoubleDouble kAtanEighthsComplement[9] = {
    {0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54},  {0x1.7249faa996a21p+0, 0x1.a8cc1e7480c68p-54},
    {0x1.5368c951e9cfdp+0, -0x1.96f47948a99f1p-54}, {0x1.3647503caf55cp+0, 0x1.17e21d9a42c9ap-55},
    {0x1.1b6e192ebbe44p+0, 0x1.b1b466a88828ep-54},  {0x1.031f57e54adbep+0, 0x1.338b4259c0270p-54},
    {0x1.dac670561bb4fp-1, 0x1.a2b7f222f65e2p-55},  {0x1.b434ee31013fdp-1, -0x1.0520d0701d877p-55},
    {0x1.921fb54442d18p-1, 0x1.1a62633145c07p-55},
};

}  // namespace lumo::num::detail
