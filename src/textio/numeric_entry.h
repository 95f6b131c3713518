// The console entry rules as pure functions on the characters of one line.
//
//   numeric_field("1,000")          -> "1"        a comma ends the field
//   parse_numeric("1.5-3")          -> 0.0015     sign starts the exponent
//   parse_numeric(" 1 2")           -> 12         blanks are ignored
//   parse_numeric("1d3")            -> 1000
//   parse_numeric("0.5 abc")        -> malformed
//   select_choice(2.5f)             -> 3          halves away from zero
//   name_field("  out.txt")         -> "  out.txt" + 11 blanks
#pragma once

#include <cstdint>
#include <string_view>

#include "records/records.h"

namespace lumo {

// Width of a numeric entry field and of a name entry.
inline constexpr std::size_t kNumericWidth = 13;
inline constexpr std::size_t kNameWidth = 20;
// A comma ends a numeric entry's field; it is never part of a number.
inline constexpr char kFieldStop = ',';

struct NumericEntry {
  bool malformed = false;
  float value = 0;  // correctly rounded; 0 when malformed
};

// The field of a numeric entry taken from one line (its line end removed):
// at most 13 characters, ended early by a comma or a carriage return.
std::string_view numeric_field(std::string_view line);

// Interprets a field: blanks anywhere are ignored, a sign may follow and
// an exponent start with E, D or a sign; inf, infinity and nan are words
// (a blank field = 0).
NumericEntry parse_numeric(std::string_view field);

// Rounds to the nearest whole number, halves away from zero; infinity, NaN and
// values beyond the 32-bit range give -2147483648.
std::int32_t select_choice(float x);

// The name entry of one line (its line end removed): the first 20 characters
// up to a carriage return, blank-padded.
Text20 name_field(std::string_view line);

// The text without its trailing blanks.
std::string_view trim_trailing(std::string_view text);
inline std::string_view trim_trailing(const Text20& t) {
  return trim_trailing(std::string_view(t.data(), t.size()));
}

}  // namespace lumo
