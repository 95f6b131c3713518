// The distributed model of a length of coaxial line, double precision: its
// R, L, G and C per metre at one frequency, built from the values a
// frequency run computed (Zo, Er, loss tangent, conductor loss), its complex
// characteristic impedance and propagation constant, and the S-parameters
// of the length between two ports of a real reference impedance.
//
// The model is that of a TEM line whose conductors carry a skin-effect
// current: it holds where the skin depth is well below the conductor radii,
// and below the TE11 cut-off.
#pragma once

namespace lumo::checks {

// A complex number with the arithmetic the model needs.
struct Complex {
  double re = 0, im = 0;
};

Complex operator+(Complex a, Complex b);
Complex operator-(Complex a, Complex b);
Complex operator*(Complex a, Complex b);
Complex operator/(Complex a, Complex b);
// Principal square root (real part >= 0).
Complex complex_sqrt(Complex z);
// e^z.
Complex complex_exp(Complex z);

// What a frequency run gives for one row.
struct LineAtFrequency {
  double freq_ghz;
  double zo_ohm;               // the lossless characteristic impedance
  double er;                   // relative dielectric constant
  double tand;                 // dielectric loss tangent
  double conductor_db_per_ft;  // inner plus outer conductor loss, roughness included
};

// R, L, G, C per metre, and the line constants they give.
struct Rlgc {
  double r_ohm_per_m;    // 2 alpha_c Zo
  double l_ext_h_per_m;  // external inductance, Zo sqrt(Er) / c0
  double l_int_h_per_m;  // skin-effect internal inductance, R / omega
  double g_s_per_m;      // omega C tan delta
  double c_f_per_m;      // sqrt(Er) / (Zo c0)
  Complex zc_ohm;        // sqrt(Z / Y), Z = R + j omega (L_ext + L_int), Y = G + j omega C
  Complex gamma_per_m;   // sqrt(Z Y): alpha (Np/m) + j beta (rad/m)
  double l_h_per_m() const { return l_ext_h_per_m + l_int_h_per_m; }
};

// Nepers per metre of a loss in decibels per foot (the exact 20 / ln 10 dB
// per neper).
double np_per_m(double db_per_ft);

// The model at one frequency (freq_ghz > 0, zo_ohm > 0, er >= 1).
Rlgc line_rlgc(const LineAtFrequency& line);

// The S-parameters of a length of the line (metres, > 0) between two ports
// of `zref_ohm` (> 0). The line is symmetric and reciprocal: S22 = S11 and
// S12 = S21. S21 in decibels and degrees is also given apart, computed so
// that a line too long for S21 itself (which then underflows to 0) keeps
// its finite loss in dB and its angle.
struct TwoPort {
  Complex s11, s21;
  double s21_db, s21_degrees;
};
TwoPort line_s_parameters(const Rlgc& model, double length_m, double zref_ohm);

// Magnitude and angle in degrees, -180 to 180.
struct Polar {
  double magnitude, degrees;
};
Polar polar(Complex z);
// 20 log10 of a magnitude.
double decibels(double magnitude);

// The series resistance that carries the dielectric loss too, for a model
// without shunt conductance: R + G Zo^2 (the same attenuation at low loss).
double folded_resistance(const Rlgc& model, double zo_ohm);

}  // namespace lumo::checks
