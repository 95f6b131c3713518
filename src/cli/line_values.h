// The values that describe a line, as the command line and the lines file
// take them: each field's name and unit as messages give them, and the range
// the dialogue accepts for it.
//
//   kEr.rule()                                   -> "relative dielectric constant must be from 1 to
//   999.99" checked_line_value("0.5", kEr).error         -> kEr.rule() checked_line_value("3mm",
//   kOuter).value      -> 0.11811024 (inches)
#pragma once

#include <string>
#include <string_view>

#include "cli/quantity.h"
#include "input/ranges.h"

namespace lumo::cli {

// The shortest decimal that reads back as the same float, without an
// exponent ("0.0001", not "1e-04").
std::string shortest(float x);

struct Range {
  std::string_view what;  // "outer diameter"
  Quantity quantity;
  std::string_view unit;  // as the message prints it, "" for none
  const AcceptedRange* accepted;

  bool accepts(float x) const { return accepted->contains(x); }
  // "outer diameter must be from 0.0001 to 99.99 in"; the dialogue's ranges
  // all end inclusive, where they end.
  std::string rule() const;
};

inline constexpr Range kOuter{"outer diameter", Quantity::kLength, "in", &kDiameterRange};
inline constexpr Range kInner{"inner diameter", Quantity::kLength, "in", &kDiameterRange};
inline constexpr Range kEr{"relative dielectric constant", Quantity::kPlain, "",
                           &kDielectricConstantRange};
// The dialogue refuses a 0 only because its empty answer reads as 0; the
// command line has no empty answer and takes the 0 the defaults file takes.
inline constexpr AcceptedRange kLossTangentOption{0.0f, true, kLossTangentEntry.high, true};
inline constexpr AcceptedRange kMaterialOption{0.0f, true, kMaterialEntry.high, true};
inline constexpr Range kTand{"loss tangent", Quantity::kPlain, "", &kLossTangentOption};
inline constexpr Range kRhoOuter{"outer resistivity", Quantity::kPlain, "micro-ohm-cm",
                                 &kMaterialOption};
inline constexpr Range kRhoInner{"inner resistivity", Quantity::kPlain, "micro-ohm-cm",
                                 &kMaterialOption};
inline constexpr Range kRoughOuter{"outer roughness", Quantity::kRoughness, "micro-inches",
                                   &kMaterialOption};
inline constexpr Range kRoughInner{"inner roughness", Quantity::kRoughness, "micro-inches",
                                   &kMaterialOption};

// A value's parse error as the message gives it, in the field's terms.
std::string parse_error(const std::string& error, const Range& r);

// A value of the field `r`, in its default unit, or the error in its terms.
struct CheckedValue {
  double value = 0;   // accepted once rounded to single precision
  std::string error;  // empty when accepted
};
CheckedValue checked_line_value(std::string_view text, const Range& r);

}  // namespace lumo::cli
