// Eccentric-line impedance, return loss, worst corners and budgets.
#include "checks/tolerance.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <utility>

#include "numbers/double_math.h"
#include "numbers/number_text.h"

namespace lumo::checks {

namespace {

// Zo per unit of arccosh for a unit dielectric constant, ohms.
constexpr double kZoScale = kEta0Ohm / (2.0 * std::numbers::pi);

// arccosh((B^2 + D^2 - 4 C^2) / (2 B D)) as log1p(u + sqrt(u (u + 2))) of the
// argument's excess over 1, u = (B - D - 2C)(B - D + 2C) / (2 B D): no
// cancellation for lines of B/D near 1, and exactly ln(B/D) at C = 0.
double arccosh_of_geometry(double b, double d, double c) {
  const double gap = b - d;
  const double u = (gap - 2.0 * c) * (gap + 2.0 * c) / (2.0 * b * d);
  return num::log1p(u + std::sqrt(u * (u + 2.0)));
}

// Shortest text that reads back as v.
std::string number_text(double v) { return num::shortest_general(v); }

std::optional<InputError> error(InputField field, std::string message) {
  return InputError{field, std::move(message)};
}

// A line value: finite and positive.
std::optional<InputError> check_line_value(InputField field, const char* name, double v,
                                           const char* unit) {
  if (!std::isfinite(v))
    return error(field, std::string(name) + " is not a finite number (" + number_text(v) + ")");
  if (v <= 0.0)
    return error(field, std::string(name) + " is not positive (" + number_text(v) + unit + ")");
  return std::nullopt;
}

// A tolerance: finite, not negative, smaller than its value.
std::optional<InputError> check_tolerance(InputField field, const char* name, double tol,
                                          double value, const char* unit) {
  const std::string what = std::string("the tolerance on ") + name;
  if (!std::isfinite(tol))
    return error(field, what + " is not a finite number (" + number_text(tol) + ")");
  if (tol < 0.0) return error(field, what + " is negative (" + number_text(tol) + unit + ")");
  if (tol >= value) {
    return error(field, what + " (" + number_text(tol) + unit + ") is not smaller than " + name +
                            " (" + number_text(value) + unit + ")");
  }
  return std::nullopt;
}

// Budget of a quantity x whose Zo falls as x rises (rising: false) or rises
// with it (rising: true), from x_at(Zo), the value of x giving that Zo.
template <typename XAt>
ParameterBudget parameter_budget(double x, bool rising, const ZoWindow& window, XAt x_at) {
  const double at_high = x_at(window.high_ohm);
  const double at_low = x_at(window.low_ohm);
  ParameterBudget b{};
  b.increase = rising ? at_high - x : at_low - x;
  b.decrease = rising ? x - at_low : x - at_high;
  b.symmetric = std::min(b.increase, b.decrease);
  return b;
}

}  // namespace

std::optional<InputError> input_error(const ToleranceInputs& inputs) {
  const CoaxLine& line = inputs.nominal;
  if (auto e = check_line_value(InputField::outer, "B", line.outer_in, " in")) return e;
  if (auto e = check_line_value(InputField::inner, "D", line.inner_in, " in")) return e;
  if (auto e = check_line_value(InputField::er, "Er", line.er, "")) return e;
  if (line.outer_in <= line.inner_in) {
    return error(InputField::outer, "B (" + number_text(line.outer_in) +
                                        " in) is not larger than D (" + number_text(line.inner_in) +
                                        " in)");
  }
  if (auto e =
          check_tolerance(InputField::outer_tol, "B", inputs.outer_tol_in, line.outer_in, " in"))
    return e;
  if (auto e =
          check_tolerance(InputField::inner_tol, "D", inputs.inner_tol_in, line.inner_in, " in"))
    return e;
  if (auto e = check_tolerance(InputField::er_tol, "Er", inputs.er_tol, line.er, "")) return e;
  const double c = inputs.offset_in;
  if (!std::isfinite(c))
    return error(InputField::offset, "the offset is not a finite number (" + number_text(c) + ")");
  if (c < 0.0)
    return error(InputField::offset, "the offset is negative (" + number_text(c) + " in)");
  if (line.inner_in / 2.0 + c >= line.outer_in / 2.0) {
    return error(InputField::offset, "the offset (" + number_text(c) +
                                         " in) lets the conductors touch: D/2 + C must stay "
                                         "below B/2");
  }
  if ((line.inner_in + inputs.inner_tol_in) / 2.0 + c >=
      (line.outer_in - inputs.outer_tol_in) / 2.0) {
    return error(InputField::offset, "the offset (" + number_text(c) +
                                         " in) and the tolerances on B and D let the conductors "
                                         "touch: (D + tolerance)/2 + C must stay below "
                                         "(B - tolerance)/2");
  }
  if (!std::isfinite(inputs.zref_ohm) || inputs.zref_ohm <= 0.0) {
    return error(InputField::zref, "the reference impedance is not a positive number (" +
                                       number_text(inputs.zref_ohm) + " ohms)");
  }
  if (!std::isfinite(inputs.rl_target_db) || inputs.rl_target_db <= 0.0) {
    return error(InputField::rl_target, "the return loss target is not a positive number (" +
                                            number_text(inputs.rl_target_db) + " dB)");
  }
  if (inputs.samples == 0) return error(InputField::samples, "the number of samples is zero");
  return std::nullopt;
}

double eccentric_zo(const CoaxLine& line, double offset_in) {
  return kZoScale / std::sqrt(line.er) *
         arccosh_of_geometry(line.outer_in, line.inner_in, offset_in);
}

double return_loss_db(double zo_ohm, double zref_ohm) {
  return -20.0 * num::log10(std::abs((zo_ohm - zref_ohm) / (zo_ohm + zref_ohm)));
}

ZoWindow rl_window(double zref_ohm, double rl_db) {
  const double g = num::pow(10.0, -rl_db / 20.0);
  return ZoWindow{zref_ohm * (1.0 - g) / (1.0 + g), zref_ohm * (1.0 + g) / (1.0 - g)};
}

WorstCase worst_case(const ToleranceInputs& inputs) {
  const CoaxLine& n = inputs.nominal;
  WorstCase w{};
  w.nominal_zo_ohm = eccentric_zo(n, inputs.offset_in);
  bool first = true;
  for (int outer : {-1, 1}) {
    for (int inner : {-1, 1}) {
      for (int er : {-1, 1}) {
        for (bool offset : {false, true}) {
          const CoaxLine line{n.outer_in + outer * inputs.outer_tol_in,
                              n.inner_in + inner * inputs.inner_tol_in, n.er + er * inputs.er_tol};
          const Corner corner{outer, inner, er, offset,
                              eccentric_zo(line, offset ? inputs.offset_in : 0.0)};
          if (first || corner.zo_ohm < w.lowest.zo_ohm) w.lowest = corner;
          if (first || corner.zo_ohm > w.highest.zo_ohm) w.highest = corner;
          first = false;
        }
      }
    }
  }
  // Return loss falls as Zo moves away from Zref on either side, so the
  // worst corner is one of the two extremes.
  w.worst_rl_db = std::min(return_loss_db(w.lowest.zo_ohm, inputs.zref_ohm),
                           return_loss_db(w.highest.zo_ohm, inputs.zref_ohm));
  return w;
}

Budget budget(const ToleranceInputs& inputs) {
  const CoaxLine& n = inputs.nominal;
  const double b = n.outer_in;
  const double d = n.inner_in;
  const double c = inputs.offset_in;
  const double root_er = std::sqrt(n.er);
  const ZoWindow window = rl_window(inputs.zref_ohm, inputs.rl_target_db);
  const double zo = eccentric_zo(n, c);
  Budget result{};
  if (!(zo >= window.low_ohm && zo <= window.high_ohm)) return result;
  result.feasible = true;
  // t = arccosh((B^2 + D^2 - 4 C^2) / (2 B D)) of the line of impedance z;
  // each diameter is the root of that quadratic on its side of the other.
  auto t_of = [&](double z) { return z * root_er / kZoScale; };
  result.outer_in = parameter_budget(b, true, window, [&](double z) {
    const double t = t_of(z);
    return d * num::cosh(t) + num::hypot(d * num::sinh(t), 2.0 * c);
  });
  // The smaller root, as the product of the roots over the larger one.
  result.inner_in = parameter_budget(d, false, window, [&](double z) {
    const double t = t_of(z);
    return (b - 2.0 * c) * (b + 2.0 * c) /
           (b * num::cosh(t) + num::hypot(b * num::sinh(t), 2.0 * c));
  });
  const double geometry = arccosh_of_geometry(b, d, c);
  result.er = parameter_budget(n.er, false, window, [&](double z) {
    const double r = kZoScale * geometry / z;
    return r * r;
  });
  return result;
}

}  // namespace lumo::checks
