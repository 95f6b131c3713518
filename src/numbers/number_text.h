// Numbers as text and back, the same bytes on every platform: Lumo's own
// shortest round-trip digits and exact decimal expansions, and parsing of
// the C++ grammar for numbers through the C library's correctly rounded
// strtof and strtod.
//
// "Shortest" is the decimal with the fewest significant digits that reads
// back as the same value, the nearest one when several have that many
// (ties to an even last digit). Rounding to given decimals or digits is
// from the exact binary value, ties to even. Not finite values print as
// inf, -inf, nan, -nan.
//
//   shortest(0.3f)              -> "0.3"      fixed or scientific, whichever
//   shortest(1e-5f)             -> "1e-05"    is shorter (fixed on a tie)
//   shortest(16777216.0f)       -> "16777216"
//   shortest_fixed(1e-5f)       -> "0.00001"
//   shortest_fixed(1e10f)       -> "10000000000"  the exact whole value
//   shortest_general(1234567.0) -> "1.234567e+06" scientific from 10^6 on
//   fixed(0.125, 2)             -> "0.12"
//   fixed(0.1f, 30)             -> "0.100000001490116119384765625000"
//   significant(1234.5, 3)      -> "1.23e+03"
//   significant(0.000125, 3)    -> "0.000125"
#pragma once

#include <cstdint>
#include <string>
#include <system_error>

namespace lumo::num {

// Room for put_shortest of a float.
inline constexpr int kShortestFloatChars = 15;

// Writes shortest(x) at out and returns its end.
char* put_shortest(char* out, float x);

std::string shortest(float x);
std::string shortest(double x);
// Shortest digits, never an exponent: a whole value is written in full.
std::string shortest_fixed(float x);
std::string shortest_fixed(double x);
// Shortest digits, scientific below 10^-4 and from 10^6 on.
std::string shortest_general(double x);
// x with `decimals` digits after the point (none and no point for 0).
std::string fixed(double x, int decimals);
// x to `digits` significant digits, trailing zeros dropped, scientific
// below 10^-4 and from 10^digits on.
std::string significant(double x, int digits);

// Parsing, as the C++ grammar for numbers has it: an optional minus sign (no
// plus sign, no blanks), then digits with an optional point and exponent,
// or inf, infinity, nan, nan(chars) in any letter case. `ptr` is where the
// number ends. A value beyond the type's range (or a nonzero one that reads
// as zero) gives result_out_of_range; no number gives invalid_argument. The
// value is written only on success.
struct ParseResult {
  const char* ptr;
  std::errc ec;
};
enum class NumberForm { general, scientific };  // scientific: the exponent is required
ParseResult parse_number(const char* first, const char* last, float& value,
                         NumberForm form = NumberForm::general);
ParseResult parse_number(const char* first, const char* last, double& value,
                         NumberForm form = NumberForm::general);
// Decimal digits, with an optional minus sign for the signed types.
ParseResult parse_number(const char* first, const char* last, std::int32_t& value);
ParseResult parse_number(const char* first, const char* last, std::int64_t& value);
ParseResult parse_number(const char* first, const char* last, std::uint64_t& value);

// Decimal digits of a 32-bit integer, with its sign: at most 11 characters.
char* put_integer(char* out, std::int32_t v);

}  // namespace lumo::num
