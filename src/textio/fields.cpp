#include "textio/fields.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>
#include <iterator>

#include "numbers/number_text.h"

namespace lumo {
namespace {

constexpr std::uint32_t kPow10[] = {1,      10,      100,      1000,      10000,
                                    100000, 1000000, 10000000, 100000000, 1000000000};
// The fast path's decimals: m * 10^d stays below 2^54 for every 24-bit m,
// and the decimals below 2^32.
constexpr int kFastDecimals = 9;

// "00" to "99": digits are written two at a time.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the last `count` decimal digits of x, leading zeros kept, ending at end.
void put_digits(char* end, std::uint32_t x, int count) {
  for (; count >= 2; count -= 2) {
    end -= 2;
    std::memcpy(end, kDigitPairs + std::size_t{2} * (x % 100), 2);
    x /= 100;
  }
  if (count == 1) *--end = static_cast<char>('0' + x % 10);
}

// Blanks the w columns at out and returns where n characters go to end
// right-justified over them. Every field is padded here. The report fields
// are 7 to 11 wide: two overlapping stores of fixed size cost far less than
// a call.
char* right_justify(char* out, int w, std::size_t n) {
  static constexpr char kBlanks[] = "        ";
  if (w >= 8 && w <= 16) {
    std::memcpy(out, kBlanks, 8);
    std::memcpy(out + w - 8, kBlanks, 8);
  } else if (w >= 4 && w < 8) {
    std::memcpy(out, kBlanks, 4);
    std::memcpy(out + w - 4, kBlanks, 4);
  } else {
    std::memset(out, ' ', static_cast<std::size_t>(w));
  }
  return out + (static_cast<std::size_t>(w) - n);
}

void fill_stars(char* out, int w) { std::memset(out, '*', static_cast<std::size_t>(w)); }

void non_finite_field(char* out, float v, int w) {
  std::string_view word = std::isnan(v) ? "NaN"
                          : v > 0       ? (w >= 8 ? "Infinity" : "Inf")
                                        : (w >= 9 ? "-Infinity" : "-Inf");
  if (word.size() > static_cast<std::size_t>(w)) return fill_stars(out, w);
  std::memcpy(right_justify(out, w, word.size()), word.data(), word.size());
}

// Starts a field of the sign, `digits` integer digits, the point and d
// decimals, right-justified in w columns, with a "0" for an empty integer
// part when a column is free for it. Returns where the integer digits go, or
// nullptr after writing asterisks when the field does not fit.
char* start_fixed(char* out, int w, bool negative, int digits, int d) {
  int need = (negative ? 1 : 0) + digits + 1 + d;
  if (need > w) {
    fill_stars(out, w);
    return nullptr;
  }
  bool zero = digits == 0 && need < w;
  char* p = right_justify(out, w, static_cast<std::size_t>(need) + (zero ? 1u : 0u));
  if (negative) *p++ = '-';
  if (zero) *p++ = '0';
  return p;
}

// More than 9 decimals, or a whole value of 2^23 and more. m * 2^e has
// max(0, -e) decimals, so num::fixed asked for that many prints the exact
// expansion; the cut to d decimals is rounded by hand, since num::fixed
// itself would round a tie to even. A whole value is never cut, and the fraction of
// a float never comes within 5 * 10^-8 of one, so the carry stays among the
// decimals.
void exact_fixed_field(char* out, float magnitude, int e, bool negative, int w, int d) {
  char buf[160];  // at most 39 integer digits, or "0." and 149 decimals
  int all = std::max(-e, d);
  const std::string exact = num::fixed(static_cast<double>(magnitude), all);
  std::memcpy(buf, exact.data(), exact.size());
  char* end = buf + exact.size();
  char* point = std::find(buf, end, '.');
  if (point == end) *end = '.';  // d = 0 and a whole value: no point printed
  if (all > d && point[1 + d] >= '5') {
    char* p = point + d;
    while (*p == '9') *p-- = '0';
    assert(p > point);
    ++*p;
  }
  char* first = buf[0] == '0' ? buf + 1 : buf;  // below one: no integer digits
  auto digits = static_cast<int>(point - first);
  char* p = start_fixed(out, w, negative, digits, d);
  if (p != nullptr) {
    std::memcpy(p, first, static_cast<std::size_t>(digits) + 1 + static_cast<std::size_t>(d));
  }
}

}  // namespace

void fixed_field(char* out, float v, int w, int d) {
  assert(w >= 1 && w <= 64 && d >= 0 && d < w);
  if (!std::isfinite(v)) return non_finite_field(out, v, w);
  std::uint32_t bits = 0;
  std::memcpy(&bits, &v, sizeof bits);
  bool negative = (bits >> 31) != 0;
  auto biased = static_cast<int>((bits >> 23) & 0xffu);
  std::uint32_t m = bits & 0x7fffffu;
  int e = -149;
  if (biased != 0) {
    m |= 0x800000u;
    e = biased - 150;
  }
  if (d > kFastDecimals || e >= 0) return exact_fixed_field(out, std::fabs(v), e, negative, w, d);

  // The whole part, and the fraction rounded to d decimals, halves away from
  // zero, in exact integers: the fraction is f / 2^k, f < 2^24, so f * 10^d
  // stays below 2^54, and shifts beyond that leave no decimals and no half
  // alike.
  int k = std::min(-e, 63);
  auto whole = static_cast<std::uint32_t>(std::uint64_t{m} >> k);
  std::uint32_t unit = kPow10[d];
  std::uint64_t n = (std::uint64_t{m} - (std::uint64_t{whole} << k)) * unit;
  auto frac = static_cast<std::uint32_t>((n >> k) + ((n >> (k - 1)) & 1u));
  if (frac == unit) {  // the rounding carries into the whole part
    ++whole;
    frac = 0;
  }
  int digits = 0;
  while (whole >= kPow10[digits]) ++digits;  // whole <= 2^23
  char* p = start_fixed(out, w, negative, digits, d);
  if (p == nullptr) return;
  put_digits(p + digits, whole, digits);
  p[digits] = '.';
  put_digits(out + w, frac, d);
}

std::string fixed_field(float v, int w, int d) {
  std::string s(static_cast<std::size_t>(w), '\0');  // the writer fills every column
  fixed_field(s.data(), v, w, d);
  return s;
}

void int_field(char* out, std::int32_t v, int w) {
  assert(w >= 1 && w <= 64);
  char buf[11];
  char* end = num::put_integer(buf, v);
  auto n = static_cast<std::size_t>(end - buf);
  if (n > static_cast<std::size_t>(w)) return fill_stars(out, w);
  std::memcpy(right_justify(out, w, n), buf, n);
}

std::string int_field(std::int32_t v, int w) {
  std::string s(static_cast<std::size_t>(w), '\0');
  int_field(s.data(), v, w);
  return s;
}

void text_field(char* out, std::string_view text, int w) {
  assert(w >= 1 && w <= 64);
  // A longer text keeps its first w characters.
  std::size_t n = std::min(text.size(), static_cast<std::size_t>(w));
  std::memcpy(right_justify(out, w, n), text.data(), n);
}

std::string text_field(std::string_view text, int w) {
  std::string s(static_cast<std::size_t>(w), '\0');
  text_field(s.data(), text, w);
  return s;
}

}  // namespace lumo
