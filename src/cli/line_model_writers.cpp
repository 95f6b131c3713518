#include "cli/line_model_writers.h"

#include <cmath>

#include "checks/coax_line.h"
#include "cli/data_writers.h"
#include "cli/line_checks.h"
#include "numbers/number_text.h"

namespace lumo::cli {
namespace {

using checks::Complex;

std::string number(double x) {
  std::string s;
  append_model_number(s, x);
  return s;
}

// A run's single-precision value as its shortest decimal, without an
// exponent ("0.0002").
std::string number(float x) { return num::shortest_fixed(x); }

// The exact TE11 cut-off as the multimode warning gives it, GHz.
std::string cutoff_text(double ghz) { return num::fixed(ghz, 4); }

// A length in metres to 12 significant digits: 0.3048, not the
// 0.30479999999999996 of 12 in times 0.0254.
std::string metres(double m) { return num::significant(m, 12); }

void append_pair(std::string& out, double a, double b) {
  out += ' ';
  append_model_number(out, a);
  out += ' ';
  append_model_number(out, b);
}

// S11, S21, S12, S22 in the format asked for.
void append_s_parameters(std::string& out, const checks::TwoPort& s, SFormat f) {
  if (f == SFormat::kRi) {
    for (const Complex z : {s.s11, s.s21, s.s21, s.s11}) append_pair(out, z.re, z.im);
    return;
  }
  const checks::Polar s11 = checks::polar(s.s11);
  const checks::Polar s21 = checks::polar(s.s21);
  const double a11 = f == SFormat::kMa ? s11.magnitude : checks::decibels(s11.magnitude);
  const double a21 = f == SFormat::kMa ? s21.magnitude : s.s21_db;
  append_pair(out, a11, s11.degrees);
  append_pair(out, a21, s.s21_degrees);
  append_pair(out, a21, s.s21_degrees);
  append_pair(out, a11, s11.degrees);
}

std::string_view s_format_name(SFormat f) {
  return f == SFormat::kRi ? "RI" : f == SFormat::kMa ? "MA" : "DB";
}

}  // namespace

void append_model_number(std::string& out, double x) {
  if (std::isnan(x)) {
    out += "nan";
    return;
  }
  out += num::shortest(x);
}

checks::Rlgc row_model(const FrequencyHeader& h, const FrequencyRow& r) {
  return checks::line_rlgc({
      .freq_ghz = as_decimal(r.freq),
      .zo_ohm = as_decimal(h.zo),
      .er = as_decimal(h.er),
      .tand = as_decimal(h.materials.dltan),
      .conductor_db_per_ft = as_decimal(r.loss_inner) + as_decimal(r.loss_outer),
  });
}

void LineModelWriter::deliver(std::string_view text) {
  out_.append(text);
  if (!out_.end_statement()) throw WriteFailed{out_.error()};
}

std::string LineModelWriter::line_comments(std::string_view mark) const {
  const FrequencyHeader& h = header_;
  const Materials& m = h.materials;
  std::string t;
  auto line = [&](const std::string& text) {
    t += mark;
    t += text;
    t += '\n';
  };
  line("B = " + number(h.b) + " in, D = " + number(h.d) + " in, Er = " + number(h.er) +
       ", loss tangent " + number(m.dltan) + ", Zo = " + number(h.zo) + " ohms");
  line("resistivity outer " + number(m.resb) + ", inner " + number(m.resd) +
       " micro-ohm-cm; roughness outer " + number(m.srb) + ", inner " + number(m.srd) +
       " micro-inches");
  return t;
}

void LineModelWriter::frequency_header(const FrequencyHeader& h) {
  header_ = h;
  const std::string length =
      s_.length_given + " (" + metres(s_.length_in * checks::kMetresPerInch) + " m)";
  const std::string validity =
      "valid where the skin depth is well below the conductor radii and below the TE11 "
      "cut-off";
  const bool multimode =
      !std::isnan(s_.te11_exact_ghz) && static_cast<double>(s_.last_freq_ghz) >= s_.te11_exact_ghz;
  const std::string multimode_note =
      "the line is multimode at and above " + cutoff_text(s_.te11_exact_ghz) +
      " GHz (exact TE11 cut-off), where this gives the TEM mode alone";
  std::string t;
  if (s_.format == LineModelFormat::kTouchstone) {
    t = "! lumo " + s_.version + ": S-parameters of a length of coaxial line\n";
    t += line_comments("! ");
    t += "! length " + length + ", reference impedance " + number(s_.zref_ohm) + " ohms\n";
    t += "! model: a TEM line of Zc = sqrt(Z/Y) and gamma = sqrt(ZY), Z = R + j(omega L + R), "
         "Y = omega C tan(delta) + j omega C, R from the conductor loss; " +
         validity + "\n";
    if (multimode) t += "! " + multimode_note + "\n";
    t += "# GHz S " + std::string(s_format_name(s_.s_format)) + " R " + number(s_.zref_ohm) + "\n";
  } else if (s_.format == LineModelFormat::kSpice) {
    t = "* lumo " + s_.version + ": " + length + " of coaxial line, one LTRA lossy line\n";
    t += line_comments("* ");
    if (multimode) t += "* " + multimode_note + "\n";
  } else {
    t = std::string(kRlgcColumns) + "\r\n";
  }
  deliver(t);
}

void LineModelWriter::frequency_row(const FrequencyRow& r) {
  const checks::Rlgc m = row_model(header_, r);
  std::string t;
  if (s_.format == LineModelFormat::kTouchstone) {
    const checks::TwoPort s =
        checks::line_s_parameters(m, s_.length_in * checks::kMetresPerInch, s_.zref_ohm);
    append_number(t, r.freq);
    append_s_parameters(t, s, s_.s_format);
    t += '\n';
  } else if (s_.format == LineModelFormat::kSpice) {
    const double zo = as_decimal(header_.zo);
    const std::string& n = s_.name;
    t = "* at " + number(r.freq) + " GHz only, per metre: R = " + number(m.r_ohm_per_m) +
        " ohms, G = " + number(m.g_s_per_m) + " S, L = " + number(m.l_ext_h_per_m) +
        " H external + " + number(m.l_int_h_per_m) + " H internal, C = " + number(m.c_f_per_m) +
        " F\n";
    t += "* LTRA takes no G: the dielectric loss is folded into R, R + G Zo^2 = " +
         number(checks::folded_resistance(m, zo)) + " ohms per metre\n";
    t += "* valid where the skin depth is well below the conductor radii, below the TE11 "
         "cut-off, and at this frequency\n";
    t += "* ports: 1 and its return 2 at one end, 3 and its return 4 at the other\n";
    t += ".subckt " + n + " 1 2 3 4\n";
    t += "O" + n + " 1 2 3 4 " + n + "_ltra\n";
    t += ".model " + n + "_ltra ltra r=" + number(checks::folded_resistance(m, zo)) +
         " l=" + number(m.l_h_per_m()) + " g=0 c=" + number(m.c_f_per_m) +
         " len=" + metres(s_.length_in * checks::kMetresPerInch) + "\n";
    t += ".ends " + n + "\n";
  } else {
    append_number(t, r.freq);
    for (const double x : {m.r_ohm_per_m, m.l_h_per_m(), m.g_s_per_m, m.c_f_per_m, m.zc_ohm.re,
                           m.zc_ohm.im, m.gamma_per_m.re, m.gamma_per_m.im}) {
      t += ',';
      append_model_number(t, x);
    }
    const std::optional<bool> mm = multimode(r.freq, s_.te11_exact_ghz);
    t += !mm ? "," : *mm ? ",true" : ",false";
    t += "\r\n";
  }
  deliver(t);
}

}  // namespace lumo::cli
