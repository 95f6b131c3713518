// Correctly rounded atanf, logf and expf, evaluated in double.
//
// Each double evaluation below (a table-driven reduction, then a short
// polynomial) has a relative error under 2^-51, a few roundings of about
// 2^-53 each. Rounding it to float gives the correctly rounded result
// unless the exact value and the evaluation straddle a halfway point
// between two floats; such a value lies within 2^-49 of its size of that
// point, those inputs are looked up among the exceptions, and the check of
// all 2^32 inputs against a wider reference (bench/float_exhaustive)
// found every exception and confirms every other result.
#include "numbers/float_math.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

#include "numbers/constant_tables.h"

namespace lumo::num {

namespace {

std::uint64_t bits_of(double x) {
  std::uint64_t u = 0;
  std::memcpy(&u, &x, sizeof u);
  return u;
}

double double_of(std::uint64_t u) {
  double x = 0.0;
  std::memcpy(&x, &u, sizeof x);
  return x;
}

std::uint32_t bits_of(float x) {
  std::uint32_t u = 0;
  std::memcpy(&u, &x, sizeof u);
  return u;
}

float float_of(std::uint32_t u) {
  float x = 0.0f;
  std::memcpy(&x, &u, sizeof x);
  return x;
}

// 2^k for k a normal double's exponent.
double power_of_two(int k) { return double_of(static_cast<std::uint64_t>(k + 1023) << 52); }

// ln 2 = kLn2Hi + kLn2Lo; kLn2Hi has 32 significant bits, so k * kLn2Hi is
// exact for |k| < 2^21.
constexpr double kLn2Hi = 0x1.62e42feep-1;
constexpr double kLn2Lo = 0x1.a39ef35793c76p-33;

struct Pair {
  double hi;
  double lo;
};

// atan(j / 32) and pi/2 - atan(j / 32) for j = 0 .. 32, each as a double
// and the remainder of the exact value.
constexpr Pair kAtan32nds[33] = {
    {0x0.0p+0, 0x0.0p+0},
    {0x1.ffd55bba97625p-6, -0x1.5ec431444912cp-60},
    {0x1.ff55bb72cfdeap-5, -0x1.c934d86d23f1dp-60},
    {0x1.7ee182602f10fp-4, -0x1.cfb654c0c3d98p-58},
    {0x1.fd5ba9aac2f6ep-4, -0x1.cd37686760c17p-59},
    {0x1.3d6eee8c6626cp-3, 0x1.61a3b0ce9281bp-57},
    {0x1.7b97b4bce5b02p-3, 0x1.347b0b4f881cap-58},
    {0x1.b90d7529260a2p-3, 0x1.17b10d2e0e5abp-61},
    {0x1.f5b75f92c80ddp-3, 0x1.8ab6e3cf7afbdp-57},
    {0x1.18bf5a30bf178p-2, 0x1.30ca4748b1bf9p-57},
    {0x1.362773707ebccp-2, -0x1.963a544b672d8p-57},
    {0x1.530ad9951cd4ap-2, -0x1.2566480884082p-57},
    {0x1.6f61941e4def1p-2, -0x1.c63aae6f6e918p-56},
    {0x1.8b24d394a1b25p-2, 0x1.b6d0ba3748fa8p-56},
    {0x1.a64eec3cc23fdp-2, -0x1.24dec1b50b7ffp-56},
    {0x1.c0db4c94ec9f0p-2, -0x1.cc1ce70934c34p-56},
    {0x1.dac670561bb4fp-2, 0x1.a2b7f222f65e2p-56},
    {0x1.f40dd0b541418p-2, -0x1.a3992dc382a23p-57},
    {0x1.0657e94db30d0p-1, -0x1.d5b495f6349e6p-56},
    {0x1.1255d9bfbd2a9p-1, -0x1.2bdaee1c0ee35p-58},
    {0x1.1e00babdefeb4p-1, -0x1.928df287a668fp-58},
    {0x1.2958e59308e31p-1, -0x1.09e73b0c6c087p-56},
    {0x1.345f01cce37bbp-1, 0x1.1021137c71102p-55},
    {0x1.3f13fb89e96f4p-1, 0x1.ecf8b492644f0p-56},
    {0x1.4978fa3269ee1p-1, 0x1.2419a87f2a458p-56},
    {0x1.538f57b89061fp-1, -0x1.1bb74abda520cp-55},
    {0x1.5d58987169b18p-1, 0x1.0028e4bc5e7cap-57},
    {0x1.66d663923e087p-1, -0x1.6ea6febe8bbbap-56},
    {0x1.700a7c5784634p-1, -0x1.8c34d25aadef6p-56},
    {0x1.78f6bbd5d315ep-1, 0x1.406a089803740p-55},
    {0x1.819d0b7158a4dp-1, -0x1.bf76229d3b917p-56},
    {0x1.89ff5ff57f1f8p-1, -0x1.55b9a5e177a1bp-55},
    {0x1.921fb54442d18p-1, 0x1.1a62633145c07p-55},
};
constexpr Pair kAtan32ndsComplement[33] = {
    {0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54},  {0x1.8a205fd558740p+0, -0x1.30228c09a91b4p-54},
    {0x1.82250768ac529p+0, -0x1.e78c96d05afcbp-58}, {0x1.7a319d1e3fe07p+0, 0x1.775dc87d51fe0p-54},
    {0x1.7249faa996a21p+0, 0x1.a8cc1e7480c68p-54},  {0x1.6a71d772b60cbp+0, -0x1.11d212e88c8fdp-54},
    {0x1.62acbeaca61b8p+0, 0x1.c6ac9f134fa91p-60},  {0x1.5afe069f1e104p+0, 0x1.8330116e9a3b9p-58},
    {0x1.5368c951e9cfdp+0, -0x1.96f47948a99f1p-54}, {0x1.4befdeb8130bap+0, 0x1.e89234905f110p-55},
    {0x1.4495d86823225p+0, 0x1.4d29adbab2a62p-54},  {0x1.3d5cfedefb9c6p+0, -0x1.81e1a79b537d2p-55},
    {0x1.3647503caf55cp+0, 0x1.17e21d9a42c9ap-55},  {0x1.2f56805f1a64fp+0, -0x1.4d472d7231f8dp-56},
    {0x1.288bfa3512419p+0, 0x1.8e684e7a2281bp-56},  {0x1.21e8e21f07a9cp+0, 0x1.8d699cf392f14p-54},
    {0x1.1b6e192ebbe44p+0, 0x1.b1b466a88828ep-54},  {0x1.151c4116f2812p+0, 0x1.4ed588e9b614bp-54},
    {0x1.0ef3c09d694b0p+0, 0x1.8fcf88aed2e80p-54},  {0x1.08f4c864643c4p+0, -0x1.a5bfdbd9f2a2cp-55},
    {0x1.031f57e54adbep+0, 0x1.338b4259c0270p-54},  {0x1.fae684f57cc00p-1, -0x1.46479c173e7afp-55},
    {0x1.efe068bba2275p-1, 0x1.24a3b2e61a70bp-55},  {0x1.e52b6efe9c33cp-1, 0x1.3e486c1959596p-55},
    {0x1.dac670561bb4fp-1, 0x1.a2b7f222f65e2p-55},  {0x1.d0b012cff5412p-1, -0x1.5f07ddbf9ebccp-56},
    {0x1.c6e6d2171bf18p-1, 0x1.f4ba8d3373e1bp-55},  {0x1.bd6906f6479aap-1, -0x1.13e7ba3e2ea15p-55},
    {0x1.b434ee31013fdp-1, -0x1.0520d0701d877p-55}, {0x1.ab48aeb2b28d2p-1, 0x1.e8b57b951019bp-56},
    {0x1.a2a25f172cfe4p-1, -0x1.d700509dad6cep-56}, {0x1.9a400a9306839p-1, -0x1.d6064eeff375dp-57},
    {0x1.921fb54442d18p-1, 0x1.1a62633145c07p-55},
};

// For each 1/128 of [1, 2): a 9-bit approximation of the reciprocal of its
// middle (1 and 1/2 at the ends, so that logf near 1 loses nothing) and
// -log of it, as a double and the remainder.
struct LogEntry {
  double inverse;
  double hi;
  double lo;
};
constexpr LogEntry kLogTable[128] = {
    {1.0, 0.0, 0.0},
    {0x1.fa00000000000p-1, 0x1.82448a388a2aap-7, 0x1.04b16137f09a0p-62},
    {0x1.f600000000000p-1, 0x1.432a925980cc1p-6, -0x1.8cdaf39004192p-60},
    {0x1.f200000000000p-1, 0x1.c63d2ec14aaf2p-6, -0x1.ce030a686bd86p-60},
    {0x1.ef00000000000p-1, 0x1.149e3e4005a8dp-5, -0x1.53482d1f9d7d7p-61},
    {0x1.eb00000000000p-1, 0x1.5715c4c03ceefp-5, -0x1.bbf88ec501b56p-61},
    {0x1.e700000000000p-1, 0x1.9a187b573de7cp-5, -0x1.727626c86b3abp-59},
    {0x1.e400000000000p-1, 0x1.ccb73cdddb2ccp-5, -0x1.e48fb0500efd4p-59},
    {0x1.e000000000000p-1, 0x1.08598b59e3a07p-4, -0x1.dd7009902bf32p-58},
    {0x1.dd00000000000p-1, 0x1.2207b5c78549ep-4, -0x1.cc0fbce104eaap-58},
    {0x1.d900000000000p-1, 0x1.4485e03dbdfadp-4, 0x1.1ba349aadbc6ep-58},
    {0x1.d600000000000p-1, 0x1.5e95a4d9791cbp-4, 0x1.f38745c5c450ap-58},
    {0x1.d200000000000p-1, 0x1.8197e2f40e3f0p-4, 0x1.b9f2dffbeed43p-60},
    {0x1.cf00000000000p-1, 0x1.9c0c32d4d2548p-4, 0x1.fb0be3ccc1532p-59},
    {0x1.cc00000000000p-1, 0x1.b6ac88dad5b1cp-4, -0x1.0057eed1ca59fp-59},
    {0x1.c900000000000p-1, 0x1.d179788219364p-4, 0x1.9daf7df76ad2ap-59},
    {0x1.c600000000000p-1, 0x1.ec739830a1120p-4, -0x1.a2bf991780d3fp-59},
    {0x1.c200000000000p-1, 0x1.08598b59e3a07p-3, -0x1.dd7009902bf32p-57},
    {0x1.bf00000000000p-1, 0x1.160c8024b27b1p-3, -0x1.2d56ff61c2bfbp-57},
    {0x1.bc00000000000p-1, 0x1.23d712a49c202p-3, -0x1.6e38161051d69p-57},
    {0x1.b900000000000p-1, 0x1.31b994d3a4f85p-3, -0x1.c4716bdfc0cc9p-58},
    {0x1.b600000000000p-1, 0x1.3fb45a59928ccp-3, -0x1.d87e6a354d056p-57},
    {0x1.b300000000000p-1, 0x1.4dc7b897bc1c8p-3, -0x1.927d47803c5f4p-57},
    {0x1.b100000000000p-1, 0x1.5737cc9018cddp-3, 0x1.4f4d710fec38ep-57},
    {0x1.ae00000000000p-1, 0x1.6574ebe8c133ap-3, -0x1.d34f0f4621bedp-60},
    {0x1.ab00000000000p-1, 0x1.73cb9074fd14dp-3, -0x1.521a000b4cf01p-57},
    {0x1.a800000000000p-1, 0x1.823c16551a3c2p-3, -0x1.1232ce70be781p-57},
    {0x1.a500000000000p-1, 0x1.90c6db9fcbcd9p-3, 0x1.054473941ad99p-57},
    {0x1.a300000000000p-1, 0x1.9a8778debaa38p-3, 0x1.f47dfd871f87fp-57},
    {0x1.a000000000000p-1, 0x1.a93ed3c8ad9e3p-3, 0x1.bcafa9de97203p-57},
    {0x1.9d00000000000p-1, 0x1.b811730b823d2p-3, 0x1.a0ee735d9f0ecp-60},
    {0x1.9b00000000000p-1, 0x1.c2028ab17f9b4p-3, 0x1.f11aa3853a5f1p-57},
    {0x1.9800000000000p-1, 0x1.d1037f2655e7bp-3, 0x1.60629242471a2p-57},
    {0x1.9600000000000p-1, 0x1.db13db0d48940p-3, 0x1.aa11d49f96cb9p-58},
    {0x1.9300000000000p-1, 0x1.ea4449f04aaf5p-3, -0x1.d33919ab94074p-57},
    {0x1.9100000000000p-1, 0x1.f474b134df229p-3, -0x1.27c77ded76aadp-58},
    {0x1.8e00000000000p-1, 0x1.01eae5626c691p-2, -0x1.18290bd2932e2p-59},
    {0x1.8c00000000000p-1, 0x1.07138604d5862p-2, 0x1.cdb16ed4e9138p-56},
    {0x1.8a00000000000p-1, 0x1.0c42d676162e3p-2, 0x1.162c79d5d11eep-58},
    {0x1.8700000000000p-1, 0x1.14167ef367783p-2, 0x1.e0936abd4fa6ep-62},
    {0x1.8500000000000p-1, 0x1.1956d3b9bc2fap-2, 0x1.7b9d68d50a15dp-56},
    {0x1.8300000000000p-1, 0x1.1e9e1678899f4p-2, 0x1.512c3749a1e4ep-56},
    {0x1.8000000000000p-1, 0x1.269621134db92p-2, 0x1.e0efadd9db02bp-56},
    {0x1.7e00000000000p-1, 0x1.2bef07cdc9354p-2, -0x1.82dad7fd86088p-56},
    {0x1.7c00000000000p-1, 0x1.314f1e1d35ce4p-2, -0x1.3d69909e5c3dcp-56},
    {0x1.7a00000000000p-1, 0x1.36b6776be1117p-2, -0x1.324f0e883858ep-58},
    {0x1.7800000000000p-1, 0x1.3c25277333184p-2, -0x1.2ad27e50a8ec6p-56},
    {0x1.7500000000000p-1, 0x1.44591e0539f49p-2, -0x1.2b125247b0fa5p-56},
    {0x1.7300000000000p-1, 0x1.49da7f3bcc41fp-2, -0x1.9964a168ccacap-57},
    {0x1.7100000000000p-1, 0x1.4f637ebba9810p-2, -0x1.58cb3124b9245p-56},
    {0x1.6f00000000000p-1, 0x1.54f431b7be1a9p-2, -0x1.aacfdbbdab914p-56},
    {0x1.6d00000000000p-1, 0x1.5a8cadbbedfa1p-2, -0x1.e6c2bdfb3e037p-58},
    {0x1.6b00000000000p-1, 0x1.602d08af091ecp-2, -0x1.6e8920c09b73fp-58},
    {0x1.6900000000000p-1, 0x1.65d558d4ce00bp-2, -0x1.7605a4748480ap-56},
    {0x1.6700000000000p-1, 0x1.6b85b4cffa3fdp-2, -0x1.8af2c8dafcb08p-57},
    {0x1.6500000000000p-1, 0x1.713e33a46a17cp-2, -0x1.9367a05ae38d3p-56},
    {0x1.6300000000000p-1, 0x1.76feecb947175p-2, -0x1.118d9eb4ea362p-56},
    {0x1.6100000000000p-1, 0x1.7cc7f7db46a0ep-2, -0x1.8438023cdc3d3p-56},
    {0x1.5f00000000000p-1, 0x1.82996d3ef8bcbp-2, -0x1.2aa30536bb6bep-56},
    {0x1.5e00000000000p-1, 0x1.85855776dcbfbp-2, -0x1.486666443b153p-56},
    {0x1.5c00000000000p-1, 0x1.8b639a88b2df5p-2, -0x1.70f2f38238303p-56},
    {0x1.5a00000000000p-1, 0x1.914a8635bf68ap-2, -0x1.ad4bb98c1f2c5p-56},
    {0x1.5800000000000p-1, 0x1.973a3431356aep-2, -0x1.89d2816cf838fp-57},
    {0x1.5600000000000p-1, 0x1.9d32bea15ed3bp-2, 0x1.87bcbcfd3e187p-59},
    {0x1.5400000000000p-1, 0x1.a33440224fa79p-2, -0x1.ba8062860ae23p-57},
    {0x1.5300000000000p-1, 0x1.a63865fabd0ecp-2, -0x1.1470455746974p-57},
    {0x1.5100000000000p-1, 0x1.ac478d020506fp-2, 0x1.d19914a95df12p-61},
    {0x1.4f00000000000p-1, 0x1.b25fefb60cb2ep-2, 0x1.831dd125d6faap-59},
    {0x1.4e00000000000p-1, 0x1.b56fa04462909p-2, 0x1.494b610665378p-56},
    {0x1.4c00000000000p-1, 0x1.bb9611b80e2fbp-2, 0x1.6fd02999b21e1p-59},
    {0x1.4a00000000000p-1, 0x1.c1c60693fa39ep-2, -0x1.bfc00b8f3feaap-56},
    {0x1.4900000000000p-1, 0x1.c4e19b84723c2p-2, -0x1.6e6b67ccb006ap-56},
    {0x1.4700000000000p-1, 0x1.cb200d2ceb643p-2, -0x1.89974d2ba308ap-58},
    {0x1.4500000000000p-1, 0x1.d1684d49f46aep-2, 0x1.d98a582717953p-56},
    {0x1.4400000000000p-1, 0x1.d490246defa6bp-2, 0x1.d7f4d3b3d406bp-56},
    {0x1.4200000000000p-1, 0x1.dae75484c9616p-2, -0x1.0b5837185a661p-56},
    {0x1.4000000000000p-1, 0x1.e148a1a2726cep-2, -0x1.ac81cc8a4dfb8p-56},
    {0x1.3f00000000000p-1, 0x1.e47d1d32e677ep-2, 0x1.96e555e2df7d3p-58},
    {0x1.3d00000000000p-1, 0x1.eaedd2eac990cp-2, 0x1.9d6bc9a591edep-57},
    {0x1.3c00000000000p-1, 0x1.ee2a156b413e5p-2, -0x1.74b71fb5e57e3p-62},
    {0x1.3a00000000000p-1, 0x1.f4aa7ee03192dp-2, -0x1.0d487f5aba5e5p-57},
    {0x1.3900000000000p-1, 0x1.f7eeae6b5761dp-2, -0x1.ffca6a88d3d8ep-57},
    {0x1.3700000000000p-1, 0x1.fe7f18eb03d3ep-2, 0x1.5c6299030cfddp-58},
    {0x1.3600000000000p-1, 0x1.00e5ae5b207abp-1, 0x1.1713a36138e19p-57},
    {0x1.3400000000000p-1, 0x1.04360be7603adp-1, -0x1.17f9e54e78104p-57},
    {0x1.3300000000000p-1, 0x1.05e04c1aa2c06p-1, 0x1.862e53e393760p-60},
    {0x1.3200000000000p-1, 0x1.078bf0533c568p-1, 0x1.2241edf5fd1f7p-57},
    {0x1.3000000000000p-1, 0x1.0ae76e2d054fap-1, 0x1.0d710fcfc4e0dp-55},
    {0x1.2f00000000000p-1, 0x1.0c974c89431cep-1, -0x1.fac191a23c9cdp-56},
    {0x1.2d00000000000p-1, 0x1.0ffb54213a476p-1, -0x1.08822a328336cp-56},
    {0x1.2c00000000000p-1, 0x1.11af823c75aa8p-1, -0x1.91eee7772c7c2p-55},
    {0x1.2b00000000000p-1, 0x1.1365252bf0865p-1, -0x1.e96778ad07bbbp-56},
    {0x1.2900000000000p-1, 0x1.16d4d38c119fap-1, 0x1.d7508e57620b2p-55},
    {0x1.2800000000000p-1, 0x1.188ee40f23ca6p-1, 0x1.89df1568ca0b0p-55},
    {0x1.2700000000000p-1, 0x1.1a4a738b7a33cp-1, 0x1.58930213c987dp-55},
    {0x1.2500000000000p-1, 0x1.1dc619de06944p-1, 0x1.b50bb38388177p-57},
    {0x1.2400000000000p-1, 0x1.1f8635fc61659p-1, -0x1.2164ff40e9817p-56},
    {0x1.2300000000000p-1, 0x1.2147dba47a394p-1, -0x1.5433d723a4c74p-55},
    {0x1.2100000000000p-1, 0x1.24cfce6f80d9ap-1, 0x1.a5268d21148c6p-55},
    {0x1.2000000000000p-1, 0x1.269621134db92p-1, 0x1.e0efadd9db02bp-55},
    {0x1.1f00000000000p-1, 0x1.285e0842ca384p-1, -0x1.d93cc9506f200p-55},
    {0x1.1e00000000000p-1, 0x1.2a2786d0ec107p-1, -0x1.6a0c343be95dcp-56},
    {0x1.1c00000000000p-1, 0x1.2dbf557b0df43p-1, -0x1.b941ee770436bp-56},
    {0x1.1b00000000000p-1, 0x1.2f8dab636337ap-1, -0x1.9811700a1baf8p-55},
    {0x1.1a00000000000p-1, 0x1.315da4434068bp-1, 0x1.6c3a5f12642c9p-57},
    {0x1.1900000000000p-1, 0x1.332f4314ad796p-1, -0x1.6c3d4e8a817bap-55},
    {0x1.1700000000000p-1, 0x1.36d77e9d34fd7p-1, -0x1.030a8308afc73p-55},
    {0x1.1600000000000p-1, 0x1.38ae2171976e7p-1, 0x1.21512aa596ea3p-55},
    {0x1.1500000000000p-1, 0x1.3a86767257111p-1, 0x1.700f448ce4d66p-56},
    {0x1.1400000000000p-1, 0x1.3c6080c36bfb5p-1, 0x1.1930603d87b6ep-56},
    {0x1.1300000000000p-1, 0x1.3e3c43918f76cp-1, 0x1.59673d064b8bap-55},
    {0x1.1200000000000p-1, 0x1.4019c2125ca93p-1, 0x1.86cf0f38b461ap-57},
    {0x1.1000000000000p-1, 0x1.43d9ff2f923c5p-1, -0x1.84f481051f71ap-56},
    {0x1.0f00000000000p-1, 0x1.45bcc464c893ap-1, 0x1.45b00234d80aap-57},
    {0x1.0e00000000000p-1, 0x1.47a1527e8a2d3p-1, 0x1.2541aca7d5844p-55},
    {0x1.0d00000000000p-1, 0x1.4987ace0dabb0p-1, 0x1.f68ae35979f60p-55},
    {0x1.0c00000000000p-1, 0x1.4b6fd6f970c1fp-1, 0x1.c457b531506f6p-55},
    {0x1.0b00000000000p-1, 0x1.4d59d43fdaba2p-1, -0x1.34d6c7eb974a5p-57},
    {0x1.0a00000000000p-1, 0x1.4f45a835a4e19p-1, 0x1.d749362382a77p-56},
    {0x1.0900000000000p-1, 0x1.513356667fc57p-1, 0x1.ca64cc3d52c87p-56},
    {0x1.0800000000000p-1, 0x1.5322e26867857p-1, 0x1.988ba4aea614dp-56},
    {0x1.0700000000000p-1, 0x1.55144fdbcbd62p-1, 0x1.d66a6522e0f04p-55},
    {0x1.0600000000000p-1, 0x1.5707a26bb8c66p-1, 0x1.80bff3303dd48p-55},
    {0x1.0500000000000p-1, 0x1.58fcddce004c4p-1, -0x1.c801a2d42e96cp-55},
    {0x1.0400000000000p-1, 0x1.5af405c3649e0p-1, -0x1.6714fbcd8135bp-55},
    {0x1.0300000000000p-1, 0x1.5ced1e17c35c5p-1, 0x1.6812a0aac67dep-55},
    {0x1.0200000000000p-1, 0x1.5ee82aa241920p-1, 0x1.1c066d235ee63p-56},
    {0.5, kLn2Hi, kLn2Lo},
};

// atan(t) for |t| <= 1/64 and a little: Taylor's series to t^9, whose
// first omitted term is below 2^-63 |t|; Estrin's scheme halves the chain
// of dependent operations.
double atan_small(double t) {
  const double z = t * t;
  const double z2 = z * z;
  const double p = (1.0 / 3.0 - z * (1.0 / 5.0)) + z2 * (1.0 / 7.0 - z * (1.0 / 9.0));
  return t - t * (z * p);
}

// An input whose correctly rounded result its double evaluation misses.
struct Exception {
  std::uint32_t input;
  std::uint32_t result;
};

// The exceptions: every input the check of all inputs finds wrong.
constexpr std::array<Exception, 2> kAtanExceptions = {{
    {0x3d8d6b23u, 0x3d8d31c3u},
    {0xbd8d6b23u, 0xbd8d31c3u},
}};
constexpr std::array<Exception, 4> kLogExceptions = {{
    {0x41178febu, 0x400fe5e7u},
    {0x4c5d65a5u, 0x418f034bu},
    {0x65d890d3u, 0x4254d1f9u},
    {0x6f31a8ecu, 0x42845a89u},
}};
constexpr std::array<Exception, 0> kExpExceptions = {};

// Whether y, which rounds to a normal float, lies within 16 double ulps
// (more than 2^-49 y) of a halfway point: the 29 bits below a float's last
// bit are near 2^28. The quick form of detail::near_halfway.
bool near_halfway_normal(double y) {
  const std::uint64_t below = bits_of(y) & 0x1fffffffu;
  return below - (0x10000000u - 16u) <= 32u;
}

// y rounded to float, or the exception listed for x when y lies near a
// halfway point.
template <std::size_t N>
float settle(const std::array<Exception, N>& table, float x, double y, bool near) {
  if (!near) return static_cast<float>(y);
  const std::uint32_t u = bits_of(x);
  for (const Exception& e : table) {
    if (e.input == u) return float_of(e.result);
  }
  return static_cast<float>(y);
}

}  // namespace

namespace detail {

bool near_halfway(double y) {
  // The bound is a power of two, so y * kBound is exact.
  constexpr double kBound = 0x1p-49;
  const double d = y * kBound;
  return static_cast<float>(y - d) != static_cast<float>(y + d);
}

double atan_estimate(float x) {
  const double a = x < 0.0f ? -static_cast<double>(x) : static_cast<double>(x);
  double r = 0.0;
  if (a <= 1.0) {
    // atan(a) = atan(c) + atan((a - c) / (1 + a c)), c = j / 32 nearest a;
    // a - c and a c are exact. j = floor(32 a + 1/2) for a >= 0.
    const int j = static_cast<int>(64.0 * a + 1.0) >> 1;
    const double c = j * 0x1p-5;
    const double t = (a - c) / (1.0 + a * c);
    r = kAtan32nds[j].hi + (kAtan32nds[j].lo + atan_small(t));
  } else {
    // atan(a) = pi/2 - atan(c) - atan((1 - a c) / (a + c)), c = j / 32
    // nearest 1 / a; 1 - a c and a + c are exact (a < 64 when c > 0).
    const int j = static_cast<int>(64.0 / a + 1.0) >> 1;
    const double c = j * 0x1p-5;
    const double t = (1.0 - a * c) / (a + c);
    r = kAtan32ndsComplement[j].hi + (kAtan32ndsComplement[j].lo - atan_small(t));
  }
  return x < 0.0f ? -r : r;
}

double log_estimate(float x) {
  // x = 2^e m, m in [1, 2) from the float's own bits (a subnormal scaled
  // up by 2^23 first, exactly).
  std::uint32_t u = bits_of(x);
  int e = -127;
  if (u < 0x00800000u) {
    u = bits_of(x * 0x1p23f);
    e -= 23;
  }
  e += static_cast<int>(u >> 23);
  const LogEntry& t = kLogTable[(u >> 16) & 127u];
  const double m = static_cast<double>(float_of((u & 0x007fffffu) | 0x3f800000u));
  // log(x) = e ln 2 - log(inverse) + log(1 + r), r = m inverse - 1, exact
  // (24 by 9 bits) and below 2^-7 in size.
  const double r = m * t.inverse - 1.0;
  // log(1 + r) = r + r^2 q(r): Taylor's series to r^8, whose first omitted
  // term is below 2^-59 |r|; q by Estrin's scheme.
  const double r2 = r * r;
  const double r4 = r2 * r2;
  const double q = ((-1.0 / 2.0 + r * (1.0 / 3.0)) + r2 * (-1.0 / 4.0 + r * (1.0 / 5.0))) +
                   r4 * ((-1.0 / 6.0 + r * (1.0 / 7.0)) + r2 * (-1.0 / 8.0));
  const double ed = static_cast<double>(e);
  // e kLn2Hi is exact, and cancels t.hi exactly just below 1.
  return (ed * kLn2Hi + t.hi) + ((ed * kLn2Lo + t.lo) + (r + r2 * q));
}

double exp_estimate(float x) {
  // x = (32 k + j) ln(2) / 32 + r, |r| <= ln(2) / 64; exp(x) = 2^k
  // 2^(j/32) exp(r). x - n kStepHi is exact: for n != 0, x is a multiple of
  // 2^-30 and n kStepHi of 2^-37, and their difference below 2^-6.
  constexpr double kInvStep = 0x1.71547652b82fep+5;  // 32 / ln 2
  constexpr double kStepHi = 0x1.62e42feep-6;        // ln(2) / 32, 32 bits
  constexpr double kStepLo = 0x1.a39ef35793c76p-38;
  const double xd = static_cast<double>(x);
  const double v = xd * kInvStep + 0.5;
  int n = static_cast<int>(v);
  if (n > v) --n;  // floor
  const double nd = static_cast<double>(n);
  const double r = (xd - nd * kStepHi) - nd * kStepLo;
  // exp(r) - 1 by Taylor's series to r^6 (the rest is below 2^-57 r), by
  // Estrin's scheme.
  const double r2 = r * r;
  const double p = r + r2 * ((0.5 + r * (1.0 / 6.0)) +
                             r2 * ((1.0 / 24.0 + r * (1.0 / 120.0)) + r2 * (1.0 / 720.0)));
  const DoubleDouble& t = kExp2Thirtyseconds[n & 31];
  return (t.hi + (t.lo + t.hi * p)) * power_of_two((n - (n & 31)) / 32);
}

}  // namespace detail

float atanf(float x) {
  const float ax = x < 0.0f ? -x : x;
  if (!(ax <= std::numeric_limits<float>::max())) {
    if (x != x) return x;
    return x < 0.0f ? -0x1.921fb6p+0f : 0x1.921fb6p+0f;
  }
  // Below 2^-12, atan(x) = x - x^3/3 + ... lies within a quarter of an ulp
  // of x, on the side of 0, so it rounds to x (zeros and subnormals too).
  if (ax < 0x1p-12f) return x;
  const double y = detail::atan_estimate(x);
  return settle(kAtanExceptions, x, y, near_halfway_normal(y));
}

float logf(float x) {
  if (x != x) return x;
  if (x < 0.0f) return std::numeric_limits<float>::quiet_NaN();
  if (x == 0.0f) return -std::numeric_limits<float>::infinity();
  if (x == std::numeric_limits<float>::infinity()) return x;
  const double y = detail::log_estimate(x);
  return settle(kLogExceptions, x, y, near_halfway_normal(y));
}

float expf(float x) {
  if (x != x) return x;
  // exp(89) is above the largest float, exp(-104) below half the smallest
  // subnormal; +-inf fall here too.
  if (x > 89.0f) return std::numeric_limits<float>::infinity();
  if (x < -104.0f) return 0.0f;
  const double y = detail::exp_estimate(x);
  return settle(kExpExceptions, x, y, detail::near_halfway(y));
}

}  // namespace lumo::num
