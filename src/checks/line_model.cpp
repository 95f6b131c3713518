// The distributed model of a length of line and its S-parameters.
#include "checks/line_model.h"

#include <cmath>

#include "checks/coax_line.h"
#include "numbers/double_math.h"

namespace lumo::checks {

namespace {

// Every real function the model calls, in one place: Lumo's own, so that
// the same inputs give the same bits on every platform (the square root is
// correctly rounded by IEEE 754 itself).
namespace real {
double sqrt(double x) { return std::sqrt(x); }
double exp(double x) { return num::exp(x); }
double sin(double x) { return num::sin(x); }
double cos(double x) { return num::cos(x); }
double hypot(double x, double y) { return num::hypot(x, y); }
double atan2(double y, double x) { return num::atan2(y, x); }
double log10(double x) { return num::log10(x); }
}  // namespace real

constexpr double kPi = 3.14159265358979323846;
// Decibels per neper, 20 / ln 10.
constexpr double kDbPerNeper = 8.68588963806503655;

}  // namespace

Complex operator+(Complex a, Complex b) { return {a.re + b.re, a.im + b.im}; }
Complex operator-(Complex a, Complex b) { return {a.re - b.re, a.im - b.im}; }
Complex operator*(Complex a, Complex b) {
  return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}
Complex operator/(Complex a, Complex b) {
  // Smith's division: the ratio of the smaller part to the larger keeps
  // every intermediate in range.
  if (std::fabs(b.re) >= std::fabs(b.im)) {
    const double r = b.im / b.re, den = b.re + b.im * r;
    return {(a.re + a.im * r) / den, (a.im - a.re * r) / den};
  }
  const double r = b.re / b.im, den = b.re * r + b.im;
  return {(a.re * r + a.im) / den, (a.im * r - a.re) / den};
}

Complex complex_sqrt(Complex z) {
  if (z.re == 0 && z.im == 0) return {0, 0};
  const double m = real::hypot(z.re, z.im);
  if (z.re >= 0) {
    const double u = real::sqrt((m + z.re) / 2);
    return {u, z.im / (2 * u)};
  }
  const double v = std::copysign(real::sqrt((m - z.re) / 2), z.im);
  return {z.im / (2 * v), v};
}

Complex complex_exp(Complex z) {
  const double m = real::exp(z.re);
  return {m * real::cos(z.im), m * real::sin(z.im)};
}

double np_per_m(double db_per_ft) { return db_per_ft / kDbPerNeper / kMetresPerFoot; }

Rlgc line_rlgc(const LineAtFrequency& line) {
  Rlgc m{};
  const double omega = 2 * kPi * line.freq_ghz * 1e9;
  const double root_er = real::sqrt(line.er);
  m.l_ext_h_per_m = line.zo_ohm * root_er / kLightSpeedMPerS;
  m.c_f_per_m = root_er / (line.zo_ohm * kLightSpeedMPerS);
  m.r_ohm_per_m = 2 * np_per_m(line.conductor_db_per_ft) * line.zo_ohm;
  // The skin effect's internal reactance equals its resistance.
  m.l_int_h_per_m = m.r_ohm_per_m / omega;
  m.g_s_per_m = omega * m.c_f_per_m * line.tand;
  const Complex z{m.r_ohm_per_m, omega * m.l_h_per_m()};
  const Complex y{m.g_s_per_m, omega * m.c_f_per_m};
  m.zc_ohm = complex_sqrt(z / y);
  m.gamma_per_m = complex_sqrt(z * y);
  return m;
}

TwoPort line_s_parameters(const Rlgc& model, double length_m, double zref_ohm) {
  // With the reflection gamma_r = (Zc - Zref) / (Zc + Zref) and the wave
  // factor t = e^(-gamma l), whose size stays at most 1 however long the line:
  //   S11 = gamma_r (1 - t^2) / (1 - gamma_r^2 t^2)
  //   S21 = (1 - gamma_r^2) t / (1 - gamma_r^2 t^2)
  const Complex one{1, 0};
  const Complex zr{zref_ohm, 0};
  const Complex rho = (model.zc_ohm - zr) / (model.zc_ohm + zr);
  const Complex t =
      complex_exp(Complex{-model.gamma_per_m.re * length_m, -model.gamma_per_m.im * length_m});
  const Complex t2 = t * t;
  const Complex rho2 = rho * rho;
  const Complex den = one - rho2 * t2;
  // S21 as e^(-alpha l) times a factor of size near 1, for its dB and angle.
  const double alpha_l = model.gamma_per_m.re * length_m;
  const Complex turn = complex_exp(Complex{0, -model.gamma_per_m.im * length_m});
  const Polar near_one = polar((one - rho2) * turn / den);
  return {rho * (one - t2) / den, (one - rho2) * t / den,
          decibels(near_one.magnitude) - kDbPerNeper * alpha_l, near_one.degrees};
}

Polar polar(Complex z) { return {real::hypot(z.re, z.im), real::atan2(z.im, z.re) * 180 / kPi}; }

double decibels(double magnitude) { return 20 * real::log10(magnitude); }

double folded_resistance(const Rlgc& model, double zo_ohm) {
  return model.r_ohm_per_m + model.g_s_per_m * zo_ohm * zo_ohm;
}

}  // namespace lumo::checks
