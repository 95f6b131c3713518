// Impedance and losses against the textbook coaxial-line formulas, evaluated in
// double precision and SI units.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "lines/lines.h"

namespace lumo {
namespace {

constexpr double pi = std::numbers::pi;
constexpr double mu0 = 4e-7 * pi;          // H/m
constexpr double eps0 = 8.8541878128e-12;  // F/m
constexpr double c0 = 299792458.0;         // m/s
constexpr double m_per_inch = 0.0254;
constexpr double m_per_foot = 0.3048;
const double eta0 = std::sqrt(mu0 / eps0);  // ohms
// Nepers per metre to decibels per foot.
const double db_per_foot = 20.0 / std::log(10.0) * m_per_foot;

double dbl(float v) { return static_cast<double>(v); }

double relative_error(float got, double want) { return std::abs(dbl(got) - want) / std::abs(want); }

TEST(Physics, ImpedanceAndLossesMatchTheFieldSolution) {
  const float lines[][2] = {
      {0.25f, 0.1f}, {0.141f, 0.0359f}, {1.0f, 0.4348f}, {0.5f, 0.05f}, {0.085f, 0.0201f}};
  const float rho_outer = 2.44f * 3.937008e-7f;  // ohm-inches
  const float rho_inner = 1.72f * 3.937008e-7f;
  const float dltan = 0.0003f;
  for (const auto& line : lines) {
    // Radii in metres.
    const double a = dbl(line[1]) * m_per_inch / 2;
    const double b = dbl(line[0]) * m_per_inch / 2;
    for (const float er : {1.0f, 2.1f, 4.5f, 10.0f}) {
      const double eta = eta0 / std::sqrt(dbl(er));
      float zo = 0;
      lmzo(line[0], line[1], er, zo);
      EXPECT_LT(relative_error(zo, eta / (2 * pi) * std::log(b / a)), 1e-4);
      for (const float f : {0.1f, 1.0f, 6.5f, 40.0f}) {
        SCOPED_TRACE(::testing::Message()
                     << "b " << line[0] << " d " << line[1] << " er " << er << " f " << f);
        Lmlos1 r;
        lmloss(line[0], line[1], er, 0, 0, rho_outer, rho_inner, dltan, f, r);
        const double hz = dbl(f) * 1e9;
        const auto rs = [&](float rho) { return std::sqrt(pi * hz * mu0 * dbl(rho) * m_per_inch); };
        // alpha_c = Rs (1/a + 1/b) / (2 eta ln(b/a)): one term per conductor.
        const double per_rs = 1 / (2 * eta * std::log(b / a)) * db_per_foot;
        const double lambda0 = c0 / hz;
        const double lambda = lambda0 / std::sqrt(dbl(er));
        const double alpha_d = pi * std::sqrt(dbl(er)) * dbl(dltan) / lambda0;
        EXPECT_LT(relative_error(r.acd, rs(rho_inner) / a * per_rs), 1e-4);
        EXPECT_LT(relative_error(r.acb, rs(rho_outer) / b * per_rs), 1e-4);
        EXPECT_LT(relative_error(r.ad, alpha_d * db_per_foot), 1e-4);
        EXPECT_LT(relative_error(r.wl, lambda0 / m_per_inch), 1e-4);
        EXPECT_LT(relative_error(r.wg, lambda / m_per_inch), 1e-4);
      }
    }
  }
}

}  // namespace
}  // namespace lumo
