// Values as the command line gives them: a number with an optional unit
// suffix, and sweeps written START:STOP:STEP. Pure functions; the caller adds
// the option's name to an error.
//
//   parse_quantity("6.35mm", Quantity::kLength)    -> 0.25 (inches)
//   parse_quantity("500 MHz", Quantity::kFrequency) -> 0.5 (GHz)
//   parse_quantity("2ft", Quantity::kLength)        -> error "unknown unit 'ft'; ..."
//   parse_quantity("2ft", Quantity::kLineLength)    -> 24 (inches)
//   parse_sweep("1:18:0.5", Quantity::kFrequency)   -> {1, 18, 0.5}
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace lumo::cli {

// What a value measures, which fixes its default unit and the suffixes it
// takes. kLength is a diameter, kLineLength the length of a line. kPlain
// takes no suffix (Er, loss tangent, resistivity, impedance).
enum class Quantity { kLength, kFrequency, kRoughness, kPlain, kLineLength };

// A unit suffix and how many of it make one of the default unit: a value in
// this unit is divided by `per_default` (6.35 mm / 25.4 = 0.25 in).
struct Unit {
  std::string_view name;  // as written in messages; matched ignoring case
  double per_default;
};

// The units of a quantity, the default first (empty for kPlain).
std::span<const Unit> units_of(Quantity q);

// The default unit's name as messages print it: "in", "GHz", "micro-inches".
std::string_view default_unit_name(Quantity q);

// Errors that the caller words with the field's own name and range.
inline constexpr std::string_view kOutOfRange = "the number is out of range";
inline constexpr std::string_view kTakesNoUnit = "takes no unit";

// A parsed value in the default unit, or a one-line error.
struct Parsed {
  double value = 0;
  std::string error;           // empty when the text was a value
  std::string_view number;     // the number as written ("3.50" of " 3.50mm")
  const Unit* unit = nullptr;  // the suffix given, nullptr when none
  bool ok() const { return error.empty(); }
};

// A number ([sign] digits [. digits] [e [sign] digits], a leading or trailing
// point allowed), then optionally blanks and a unit suffix, case-insensitive.
// Blanks around the whole are ignored. The value is converted in double and
// must be finite in single precision.
Parsed parse_quantity(std::string_view text, Quantity q);

struct Sweep {
  double start = 0, stop = 0, step = 0;
};
struct ParsedSweep {
  Sweep sweep;
  int part = 0;       // on error: 0 the form, 1 START, 2 STOP, 3 STEP
  std::string error;  // empty when the text was a sweep
  bool ok() const { return error.empty(); }
};

// START:STOP:STEP, each part a quantity as above with its own unit
// ("1GHz:2GHz:100MHz"). The order of the parts is not checked here.
ParsedSweep parse_sweep(std::string_view text, Quantity q);

}  // namespace lumo::cli
