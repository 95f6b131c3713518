#include "textio/numeric_entry.h"

#include <cmath>
#include <limits>
#include <string>

#include "numbers/number_text.h"

namespace lumo {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equals_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != b[i]) return false;
  }
  return true;
}

constexpr NumericEntry kMalformed{true, 0.0f};

// The words inf, infinity and nan (any letter case). Only letters, digits,
// blanks and parentheses may appear; the word ends at the first blank or "(";
// only nan may carry one "(letters and digits)" group, which must close and
// be followed by a blank or the end of the field.
NumericEntry parse_word(std::string_view rest, bool negative) {
  for (char c : rest) {
    if (!is_letter(c) && !is_digit(c) && c != ' ' && c != '(' && c != ')') return kMalformed;
  }
  std::size_t end = rest.find_first_of(" (");
  std::string_view word = rest.substr(0, end);
  bool group = end != std::string_view::npos && rest[end] == '(';
  if (equals_ignoring_case(word, "inf") || equals_ignoring_case(word, "infinity")) {
    if (group) return kMalformed;
    float inf = std::numeric_limits<float>::infinity();
    return {false, negative ? -inf : inf};
  }
  if (!equals_ignoring_case(word, "nan")) return kMalformed;
  if (group) {
    std::size_t close = rest.find(')', end);
    if (close == std::string_view::npos) return kMalformed;
    for (std::size_t i = end + 1; i < close; ++i) {
      if (!is_letter(rest[i]) && !is_digit(rest[i])) return kMalformed;
    }
    if (close + 1 < rest.size() && rest[close + 1] != ' ') return kMalformed;
  }
  return {false, std::numeric_limits<float>::quiet_NaN()};
}

// Correctly rounded conversion of [-]digits * 10^exponent.
float to_float(bool negative, const std::string& digits, long exponent) {
  std::string text;
  if (negative) text.push_back('-');
  text += digits;
  text.push_back('e');
  text += std::to_string(exponent);
  float value = 0;
  auto [ptr, ec] =
      num::parse_number(text.data(), text.data() + text.size(), value, num::NumberForm::scientific);
  if (ec == std::errc::result_out_of_range) {
    // Beyond the range either way: the first significant digit's place
    // decides between infinity and zero.
    long magnitude = exponent + static_cast<long>(digits.size());
    value = magnitude > 0 ? std::numeric_limits<float>::infinity() : 0.0f;
    if (negative) value = -value;
  }
  return value;
}

}  // namespace

std::string_view numeric_field(std::string_view line) {
  std::size_t n = std::min(line.size(), kNumericWidth);
  std::string_view field = line.substr(0, n);
  std::size_t stop = field.find_first_of(",\r");
  return stop == std::string_view::npos ? field : field.substr(0, stop);
}

NumericEntry parse_numeric(std::string_view field) {
  std::size_t i = 0;
  auto skip_blanks = [&] {
    while (i < field.size() && field[i] == ' ') ++i;
  };
  skip_blanks();
  if (i == field.size()) return {};
  bool negative = false;
  if (field[i] == '+' || field[i] == '-') {
    negative = field[i] == '-';
    ++i;
    skip_blanks();
    if (i == field.size()) return {};
  }
  char first = field[i];
  if (field.size() - i >= 3 && (first == 'i' || first == 'I' || first == 'n' || first == 'N')) {
    return parse_word(field.substr(i), negative);
  }

  // Mantissa: digits, one point, blanks ignored; an exponent letter or a sign
  // starts the exponent.
  std::string digits;
  long after_point = 0;
  bool point = false;
  bool any_digit = false;
  bool exponent_started = false;
  bool exponent_signed = false;
  bool exponent_negative = false;
  for (; i < field.size() && !exponent_started; ++i) {
    char c = field[i];
    if (is_digit(c)) {
      // Leading zeros carry no value; they are dropped so that the digit
      // string stays short.
      any_digit = true;
      if (!(digits.empty() && c == '0')) digits.push_back(c);
      if (point) ++after_point;
    } else if (c == '.') {
      if (point) return kMalformed;
      point = true;
    } else if (c == ' ') {
    } else if (c == 'E' || c == 'e' || c == 'D' || c == 'd') {
      exponent_started = true;
    } else if (c == '+' || c == '-') {
      exponent_started = true;
      exponent_signed = true;
      exponent_negative = c == '-';
    } else {
      return kMalformed;
    }
  }

  long exponent = 0;
  if (exponent_started) {
    skip_blanks();
    if (!exponent_signed && i < field.size() && (field[i] == '+' || field[i] == '-')) {
      exponent_negative = field[i] == '-';
      ++i;
    }
    if (i == field.size()) return kMalformed;
    for (; i < field.size(); ++i) {
      char c = field[i];
      if (c == ' ') continue;
      if (!is_digit(c)) return kMalformed;
      // Saturate: far beyond any float's range, the value is settled.
      if (exponent < 100000) exponent = exponent * 10 + (c - '0');
    }
  }
  // No mantissa digit (".", "E5") reads as zero; written zeros keep the sign
  // a correctly rounded conversion gives them.
  if (!any_digit) return {};
  if (digits.empty()) return {false, negative ? -0.0f : 0.0f};
  if (exponent_negative) exponent = -exponent;
  return {false, to_float(negative, digits, exponent - after_point)};
}

std::int32_t select_choice(float x) {
  constexpr std::int32_t kNone = std::numeric_limits<std::int32_t>::min();
  // Below 2^31 in magnitude a float rounds into the 32-bit range (the largest
  // such float, 2147483520, is whole); lround rounds the exact value, halves
  // away from zero.
  if (std::isnan(x) || std::fabs(x) >= 2147483648.0f) return kNone;
  return static_cast<std::int32_t>(std::lround(x));
}

Text20 name_field(std::string_view line) {
  Text20 name;
  name.fill(' ');
  std::size_t n = std::min(line.size(), kNameWidth);
  std::size_t cr = line.substr(0, n).find('\r');
  if (cr != std::string_view::npos) n = cr;
  line.copy(name.data(), n);
  return name;
}

std::string_view trim_trailing(std::string_view text) {
  std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

}  // namespace lumo
