// Numeric entry fuzz target: any line gives a value or the malformed outcome,
// never a crash; plain decimal fields agree bit for bit with the C library's
// correctly rounded conversion; blanks inside the mantissa never change the
// value; a field is never longer than 13 characters.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "textio/numeric_entry.h"

namespace {

// A field of the plain form [sign]digits[.digits][(E|D)[sign]digits] with no
// blanks, rewritten for strtof; empty when the field has another form.
std::string plain_decimal(std::string_view f) {
  std::size_t i = 0;
  std::string out;
  if (i < f.size() && (f[i] == '+' || f[i] == '-')) out.push_back(f[i++]);
  std::size_t digits = 0;
  bool point = false;
  for (; i < f.size(); ++i) {
    char c = f[i];
    if (c >= '0' && c <= '9') {
      ++digits;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
    out.push_back(c);
  }
  if (digits == 0) return {};
  if (i < f.size()) {
    if (std::string_view("EeDd").find(f[i]) == std::string_view::npos) return {};
    out.push_back('e');
    ++i;
    if (i < f.size() && (f[i] == '+' || f[i] == '-')) out.push_back(f[i++]);
    std::size_t exp_digits = 0;
    for (; i < f.size() && f[i] >= '0' && f[i] <= '9'; ++i, ++exp_digits) out.push_back(f[i]);
    if (exp_digits == 0 || i != f.size()) return {};
  }
  return out;
}

bool same_value(float a, float b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  std::uint32_t x, y;
  std::memcpy(&x, &a, 4);
  std::memcpy(&y, &b, 4);
  return x == y;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view line(reinterpret_cast<const char*>(data), size);
  std::string_view field = lumo::numeric_field(line);
  if (field.size() > lumo::kNumericWidth) std::abort();
  if (field.find_first_of(",\r") != std::string_view::npos) std::abort();
  lumo::NumericEntry e = lumo::parse_numeric(field);
  if (e.malformed && e.value != 0.0f) std::abort();

  std::string plain = plain_decimal(field);
  if (!plain.empty()) {
    if (e.malformed) std::abort();
    float want = std::strtof(plain.c_str(), nullptr);
    if (!same_value(e.value, want)) std::abort();
  }

  // Blanks between the characters of a number are ignored.
  if (!e.malformed && !plain.empty() && field.size() >= 2) {
    std::string spaced(field.substr(0, 1));
    spaced += ' ';
    spaced += field.substr(1);
    if (spaced.size() <= lumo::kNumericWidth) {
      lumo::NumericEntry s = lumo::parse_numeric(spaced);
      if (s.malformed || !same_value(s.value, e.value)) std::abort();
    }
  }
  (void)lumo::select_choice(e.value);
  return 0;
}
