#include "cli/quantity.h"

#include <array>
#include <cmath>
#include <system_error>
#include <utility>

#include "numbers/number_text.h"

namespace lumo::cli {
namespace {

constexpr std::array<Unit, 4> kLengthUnits{{{"in", 1}, {"mil", 1000}, {"mm", 25.4}, {"um", 25400}}};
constexpr std::array<Unit, 6> kLineLengthUnits{
    {{"in", 1}, {"ft", 1.0 / 12}, {"mil", 1000}, {"mm", 25.4}, {"cm", 2.54}, {"m", 0.0254}}};
constexpr std::array<Unit, 3> kFrequencyUnits{{{"GHz", 1}, {"MHz", 1e3}, {"kHz", 1e6}}};
// Micro-inches; a micrometre is 1 / 0.0254 of them.
constexpr std::array<Unit, 3> kRoughnessUnits{{{"uin", 1}, {"um", 0.0254}, {"nm", 25.4}}};

Parsed failed(std::string error) {
  Parsed p;
  p.error = std::move(error);
  return p;
}

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

bool same_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// Length of the number at the start of `s` (0 when there is none).
std::size_t number_length(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < s.size() && is_digit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && is_digit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    std::size_t exp_digits = 0;
    while (j < s.size() && is_digit(s[j])) ++j, ++exp_digits;
    // "2e" or "2em" is a number followed by a suffix, not an exponent.
    if (exp_digits > 0) i = j;
  }
  return i;
}

// "in, mil, mm or um".
std::string unit_list(Quantity q) {
  std::string out;
  const auto units = units_of(q);
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (i > 0) out += i + 1 == units.size() ? " or " : ", ";
    out += units[i].name;
  }
  return out;
}

std::string_view quantity_name(Quantity q) {
  switch (q) {
    case Quantity::kLength:
    case Quantity::kLineLength:
      return "a length";
    case Quantity::kFrequency:
      return "a frequency";
    case Quantity::kRoughness:
      return "a roughness";
    case Quantity::kPlain:
      break;
  }
  return "this value";
}

std::string not_a_number(Quantity q) {
  if (q == Quantity::kPlain) return "not a number";
  return "not a number; " + std::string(quantity_name(q)) + " is a number with an optional unit " +
         unit_list(q);
}

}  // namespace

std::span<const Unit> units_of(Quantity q) {
  switch (q) {
    case Quantity::kLength:
      return kLengthUnits;
    case Quantity::kLineLength:
      return kLineLengthUnits;
    case Quantity::kFrequency:
      return kFrequencyUnits;
    case Quantity::kRoughness:
      return kRoughnessUnits;
    case Quantity::kPlain:
      break;
  }
  return {};
}

std::string_view default_unit_name(Quantity q) {
  switch (q) {
    case Quantity::kLength:
    case Quantity::kLineLength:
      return "in";
    case Quantity::kFrequency:
      return "GHz";
    case Quantity::kRoughness:
      return "micro-inches";
    case Quantity::kPlain:
      break;
  }
  return "";
}

Parsed parse_quantity(std::string_view text, Quantity q) {
  const std::string_view s = trim(text);
  const std::size_t n = number_length(s);
  if (n == 0) return failed(not_a_number(q));
  std::string_view number = s.substr(0, n);
  // The parser takes no plus sign.
  if (number.front() == '+') number.remove_prefix(1);
  double x = 0;
  const auto [end, ec] = num::parse_number(number.data(), number.data() + number.size(), x);
  if (ec == std::errc::result_out_of_range || end != number.data() + number.size()) {
    return failed(std::string(kOutOfRange));
  }

  const std::string_view suffix = trim(s.substr(n));
  if (!suffix.empty()) {
    const Unit* unit = nullptr;
    for (const Unit& u : units_of(q)) {
      if (same_ignoring_case(suffix, u.name)) unit = &u;
    }
    if (unit == nullptr) {
      const bool word =
          suffix.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ") ==
          std::string_view::npos;
      if (!word) return failed(not_a_number(q));
      if (q == Quantity::kPlain) return failed(std::string(kTakesNoUnit));
      // A long word is cut, so the message stays one short line.
      constexpr std::size_t kShown = 12;
      const std::string shown = suffix.size() > kShown
                                    ? std::string(suffix.substr(0, kShown)) + "..."
                                    : std::string(suffix);
      return failed("unknown unit '" + shown + "'; " + std::string(quantity_name(q)) + " takes " +
                    unit_list(q));
    }
    x /= unit->per_default;
    if (!std::isfinite(static_cast<float>(x))) return failed(std::string(kOutOfRange));
    return {x, {}, s.substr(0, n), unit};
  }
  // The value is kept as a single-precision field: it must stay finite there.
  if (!std::isfinite(static_cast<float>(x))) return failed(std::string(kOutOfRange));
  return {x, {}, s.substr(0, n), nullptr};
}

ParsedSweep parse_sweep(std::string_view text, Quantity q) {
  const std::size_t first = text.find(':');
  const std::size_t second = first == std::string_view::npos ? first : text.find(':', first + 1);
  if (second == std::string_view::npos || text.find(':', second + 1) != std::string_view::npos) {
    return {{}, 0, "a sweep is START:STOP:STEP"};
  }
  const std::string_view parts[3] = {
      text.substr(0, first), text.substr(first + 1, second - first - 1), text.substr(second + 1)};
  double values[3] = {};
  for (int i = 0; i < 3; ++i) {
    Parsed p = parse_quantity(parts[i], q);
    if (!p.ok()) return {{}, i + 1, std::move(p.error)};
    values[i] = p.value;
  }
  return {{values[0], values[1], values[2]}, 0, {}};
}

}  // namespace lumo::cli
