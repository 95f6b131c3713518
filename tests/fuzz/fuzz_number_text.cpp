// Number text fuzz target: any bytes parse as a float and as a double
// exactly as std::from_chars parses them (value bits, where the number ends,
// the error), and every finite value parsed reads back from its shortest
// text, fixed or general, as the same value.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "numbers/number_text.h"

namespace {

template <class T>
bool same_bits(T a, T b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

template <class T>
T parse_and_compare(const char* first, const char* last, lumo::num::NumberForm form) {
  T ours = T(-7), theirs = T(-7);
  const lumo::num::ParseResult a = lumo::num::parse_number(first, last, ours, form);
  const auto b =
      std::from_chars(first, last, theirs,
                      form == lumo::num::NumberForm::general ? std::chars_format::general
                                                             : std::chars_format::scientific);
  if (a.ptr != b.ptr || a.ec != b.ec) std::abort();
  if (!same_bits(ours, theirs) && !(std::isnan(ours) && std::isnan(theirs))) std::abort();
  return ours;
}

template <class T>
void reads_back(const std::string& text, T v) {
  T back = T(-7);
  const lumo::num::ParseResult r =
      lumo::num::parse_number(text.data(), text.data() + text.size(), back);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size() || !same_bits(back, v))
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const char* first = text.data();
  const char* last = first + text.size();
  parse_and_compare<float>(first, last, lumo::num::NumberForm::scientific);
  parse_and_compare<double>(first, last, lumo::num::NumberForm::scientific);
  const float f = parse_and_compare<float>(first, last, lumo::num::NumberForm::general);
  const double d = parse_and_compare<double>(first, last, lumo::num::NumberForm::general);
  if (std::isfinite(f)) {
    reads_back(lumo::num::shortest(f), f);
    reads_back(lumo::num::shortest_fixed(f), f);
  }
  if (std::isfinite(d)) {
    reads_back(lumo::num::shortest(d), d);
    reads_back(lumo::num::shortest_general(d), d);
    reads_back(lumo::num::shortest_fixed(d), d);
  }
  return 0;
}
