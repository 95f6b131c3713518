#include "cli/line_values.h"

#include "numbers/number_text.h"

namespace lumo::cli {

std::string shortest(float x) { return num::shortest_fixed(x); }

std::string Range::rule() const {
  const std::string low = shortest(accepted->low), high = shortest(accepted->high);
  std::string out = std::string(what) + " must be ";
  if (accepted->low_inclusive) {
    out += "from " + low + " to " + high;
  } else if (accepted->high == kUnbounded) {
    out += "above " + low;
  } else {
    out += "above " + low + " and at most " + high;
  }
  if (!unit.empty()) out += " " + std::string(unit);
  return out;
}

std::string parse_error(const std::string& error, const Range& r) {
  if (error == kOutOfRange) return r.rule();
  if (error == kTakesNoUnit) {
    return std::string(r.what) + " takes no unit" +
           (r.unit.empty() ? std::string() : " (it is in " + std::string(r.unit) + ")");
  }
  return error;
}

CheckedValue checked_line_value(std::string_view text, const Range& r) {
  const Parsed p = parse_quantity(text, r.quantity);
  if (!p.ok()) return {0, parse_error(p.error, r)};
  if (!r.accepts(static_cast<float>(p.value))) return {0, r.rule()};
  return {p.value, {}};
}

}  // namespace lumo::cli
