// Command-line value fuzz target: any bytes, read as a value of each kind or
// as a sweep, give a finite single-precision value or a one-line error,
// never a crash. A number that parses alone, followed by any accepted unit
// (glued or after a blank, in any letter case), gives the number divided by
// that unit's size as written out here, independently of the parser's table.
// A sweep is its three parts parsed one by one.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "cli/quantity.h"

namespace {

using lumo::cli::Quantity;

struct HandUnit {
  Quantity q;
  const char* name;
  double per_default;  // how many make one inch, GHz or micro-inch (1/12 foot an inch)
};

constexpr HandUnit kHandUnits[] = {
    {Quantity::kLength, "in", 1},         {Quantity::kLength, "MIL", 1000},
    {Quantity::kLength, "mm", 25.4},      {Quantity::kLength, "Um", 25400},
    {Quantity::kFrequency, "ghz", 1},     {Quantity::kFrequency, "MHz", 1000},
    {Quantity::kFrequency, "KHZ", 1e6},   {Quantity::kRoughness, "uin", 1},
    {Quantity::kRoughness, "um", 0.0254}, {Quantity::kRoughness, "nM", 25.4},
    {Quantity::kLineLength, "IN", 1},     {Quantity::kLineLength, "ft", 1.0 / 12},
    {Quantity::kLineLength, "Mil", 1000}, {Quantity::kLineLength, "mm", 25.4},
    {Quantity::kLineLength, "cm", 2.54},  {Quantity::kLineLength, "M", 0.0254},
};

constexpr Quantity kAll[] = {Quantity::kLength, Quantity::kFrequency, Quantity::kRoughness,
                             Quantity::kPlain, Quantity::kLineLength};

void check_outcome(const lumo::cli::Parsed& p) {
  if (p.ok()) {
    if (!std::isfinite(static_cast<float>(p.value))) std::abort();
  } else if (p.error.find('\n') != std::string::npos || p.error.size() > 200) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (Quantity q : kAll) {
    check_outcome(lumo::cli::parse_quantity(text, q));

    lumo::cli::ParsedSweep s = lumo::cli::parse_sweep(text, q);
    const std::size_t a = text.find(':');
    const std::size_t b = a == std::string::npos ? a : text.find(':', a + 1);
    const bool three = b != std::string::npos && text.find(':', b + 1) == std::string::npos;
    if (!three) {
      if (s.ok() || s.part != 0) std::abort();
      continue;
    }
    const lumo::cli::Parsed parts[3] = {lumo::cli::parse_quantity(text.substr(0, a), q),
                                        lumo::cli::parse_quantity(text.substr(a + 1, b - a - 1), q),
                                        lumo::cli::parse_quantity(text.substr(b + 1), q)};
    const bool all = parts[0].ok() && parts[1].ok() && parts[2].ok();
    if (all != s.ok()) std::abort();
    if (all && (s.sweep.start != parts[0].value || s.sweep.stop != parts[1].value ||
                s.sweep.step != parts[2].value)) {
      std::abort();
    }
  }

  const lumo::cli::Parsed alone = lumo::cli::parse_quantity(text, Quantity::kPlain);
  if (!alone.ok()) return 0;
  for (const HandUnit& u : kHandUnits) {
    const double want = alone.value / u.per_default;
    for (const std::string& with : {text + u.name, text + " " + u.name}) {
      const lumo::cli::Parsed p = lumo::cli::parse_quantity(with, u.q);
      if (!std::isfinite(static_cast<float>(want))) {
        if (p.ok()) std::abort();
      } else if (!p.ok() || p.value != want) {
        std::abort();
      }
    }
  }
  return 0;
}
