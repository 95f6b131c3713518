#include "textio/fields.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace lumo {
namespace {

constexpr std::uint64_t kPow10[] = {
    1ull,
    10ull,
    100ull,
    1000ull,
    10000ull,
    100000ull,
    1000000ull,
    10000000ull,
    100000000ull,
    1000000000ull,
    10000000000ull,
    100000000000ull,
    1000000000000ull,
    10000000000000ull,
    100000000000000ull,
    1000000000000000ull,
    10000000000000000ull,
    100000000000000000ull,
    1000000000000000000ull,
    10000000000000000000ull,
};
// Decimal digits of the largest 64-bit value.
constexpr int kMaxDigits = 20;
// m * 10^d stays below 2^64 for every 24-bit m when d is at most this.
constexpr int kFastDecimals = 12;
// m << e stays below 2^64 for every 24-bit m when e is at most this.
constexpr int kFastShift = 40;

// "00" to "99", two characters each: digits are written two at a time.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Blanks a field of w columns. The report fields are 7 to 11 wide: a few
// overlapping stores of fixed size cost far less than a call.
void fill_blanks(char* out, int w) {
  static constexpr char kBlanks[8] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
  if (w >= 8 && w <= 16) {
    std::memcpy(out, kBlanks, 8);
    std::memcpy(out + w - 8, kBlanks, 8);
  } else if (w >= 4 && w < 8) {
    std::memcpy(out, kBlanks, 4);
    std::memcpy(out + w - 4, kBlanks, 4);
  } else {
    std::memset(out, ' ', static_cast<std::size_t>(w));
  }
}

void fill_stars(char* out, int w) { std::memset(out, '*', static_cast<std::size_t>(w)); }

// Right-justifies `word` in w columns.
void right_justify(char* out, int w, std::string_view word) {
  auto pad = static_cast<std::size_t>(w) - word.size();
  std::memset(out, ' ', pad);
  std::memcpy(out + pad, word.data(), word.size());
}

void non_finite_field(char* out, float v, int w) {
  if (v != v) {
    if (w >= 3) return right_justify(out, w, "NaN");
  } else if (v > 0) {
    if (w >= 8) return right_justify(out, w, "Infinity");
    if (w >= 3) return right_justify(out, w, "Inf");
  } else {
    if (w >= 9) return right_justify(out, w, "-Infinity");
    if (w >= 4) return right_justify(out, w, "-Inf");
  }
  fill_stars(out, w);
}

// Lays out sign, integer digits (may be empty), point and decimals,
// right-justified, with the leading "0" when the integer part is empty and a
// column is free; asterisks when they do not fit.
void lay_out(char* out, int w, bool negative, std::string_view int_digits,
             std::string_view decimals) {
  auto need = static_cast<std::size_t>(negative) + int_digits.size() + 1 + decimals.size();
  auto width = static_cast<std::size_t>(w);
  if (need > width) return fill_stars(out, w);
  bool zero = int_digits.empty() && need < width;
  if (zero) ++need;
  char* p = out;
  std::memset(p, ' ', width - need);
  p += width - need;
  if (negative) *p++ = '-';
  if (zero) *p++ = '0';
  std::memcpy(p, int_digits.data(), int_digits.size());
  p += int_digits.size();
  *p++ = '.';
  std::memcpy(p, decimals.data(), decimals.size());
}

// Writes n without leading zeros (nothing for 0) ending at `end`; returns the
// first character.
char* digits_before(char* end, std::uint64_t wide) {
  while (wide > UINT32_MAX) {
    *--end = static_cast<char>('0' + wide % 10);
    wide /= 10;
  }
  auto n = static_cast<std::uint32_t>(wide);
  while (n >= 100) {
    std::uint32_t pair = n % 100;
    n /= 100;
    end -= 2;
    std::memcpy(end, kDigitPairs + 2 * pair, 2);
  }
  if (n >= 10) {
    end -= 2;
    std::memcpy(end, kDigitPairs + 2 * n, 2);
  } else if (n != 0) {
    *--end = static_cast<char>('0' + n);
  }
  return end;
}

// Writes exactly `count` digits of n (leading zeros kept) ending at `end`.
char* fixed_digits_before(char* end, std::uint64_t wide, int count) {
  // The decimals of the fast path stay below 10^12; most below 2^32, where
  // the divisions are cheaper.
  if (wide > UINT32_MAX) {
    for (; count > 9; --count) {
      *--end = static_cast<char>('0' + wide % 10);
      wide /= 10;
    }
  }
  auto n = static_cast<std::uint32_t>(wide);
  for (; count >= 2; count -= 2) {
    std::uint32_t pair = n % 100;
    n /= 100;
    end -= 2;
    std::memcpy(end, kDigitPairs + 2 * pair, 2);
  }
  if (count == 1) *--end = static_cast<char>('0' + n % 10);
  return end;
}

// Exact decimal expansion, for the wide and the huge cases: the value
// m * 2^e as little-endian decimal digits with `frac` of them after the point.
struct Decimal {
  std::vector<std::uint8_t> digits;  // least significant first
  std::size_t frac = 0;
};

void multiply_small(std::vector<std::uint8_t>& digits, unsigned factor) {
  unsigned carry = 0;
  for (auto& dg : digits) {
    unsigned x = dg * factor + carry;
    dg = static_cast<std::uint8_t>(x % 10);
    carry = x / 10;
  }
  while (carry != 0) {
    digits.push_back(static_cast<std::uint8_t>(carry % 10));
    carry /= 10;
  }
}

Decimal exact_decimal(std::uint32_t m, int e) {
  Decimal x;
  for (std::uint32_t n = m; n != 0; n /= 10) x.digits.push_back(static_cast<std::uint8_t>(n % 10));
  if (e >= 0) {
    for (int i = 0; i < e; ++i) multiply_small(x.digits, 2);
  } else {
    // m / 2^k = m * 5^k / 10^k
    for (int i = 0; i < -e; ++i) multiply_small(x.digits, 5);
    x.frac = static_cast<std::size_t>(-e);
  }
  return x;
}

void slow_fixed_field(char* out, std::uint32_t m, int e, bool negative, int w, int d) {
  Decimal x = exact_decimal(m, e);
  auto dec = static_cast<std::size_t>(d);
  // Make exactly d digits after the point: pad with zeros, or cut and round.
  // The exact expansion is at least half a unit of the last kept place
  // exactly when the first dropped digit is 5 or more.
  if (x.frac <= dec) {
    x.digits.insert(x.digits.begin(), dec - x.frac, 0);
  } else {
    std::size_t drop = x.frac - dec;
    bool up = drop <= x.digits.size() && x.digits[drop - 1] >= 5;
    x.digits.erase(x.digits.begin(), x.digits.begin() + static_cast<std::ptrdiff_t>(std::min(drop, x.digits.size())));
    if (up) {
      std::size_t i = 0;
      for (; i < x.digits.size() && x.digits[i] == 9; ++i) x.digits[i] = 0;
      if (i == x.digits.size()) x.digits.push_back(1); else ++x.digits[i];
    }
  }
  x.frac = dec;
  while (x.digits.size() < dec) x.digits.push_back(0);
  while (x.digits.size() > dec && x.digits.back() == 0) x.digits.pop_back();
  std::string int_digits, decimals;
  for (std::size_t i = x.digits.size(); i-- > dec;) int_digits.push_back(static_cast<char>('0' + x.digits[i]));
  for (std::size_t i = dec; i-- > 0;) decimals.push_back(static_cast<char>('0' + x.digits[i]));
  lay_out(out, w, negative, int_digits, decimals);
}

}  // namespace

void fixed_field(char* out, float v, int w, int d) {
  auto bits = std::bit_cast<std::uint32_t>(v);
  bool negative = (bits >> 31) != 0;
  auto biased = static_cast<int>((bits >> 23) & 0xffu);
  std::uint32_t m = bits & 0x7fffffu;
  if (biased == 0xff) return non_finite_field(out, v, w);
  if (w < 1) return;
  int e = -149;
  if (biased != 0) {
    m |= 0x800000u;
    e = biased - 150;
  }
  if (d > kFastDecimals || e > kFastShift) return slow_fixed_field(out, m, e, negative, w, d);

  // The rounded magnitude scaled by 10^d: an exact integer computation.
  std::uint64_t scaled = 0;
  if (e >= 0) {
    scaled = (std::uint64_t{m} << e);
    if (scaled > UINT64_MAX / kPow10[static_cast<std::size_t>(d)]) {
      return slow_fixed_field(out, m, e, negative, w, d);
    }
    scaled *= kPow10[static_cast<std::size_t>(d)];
  } else {
    int k = -e;
    std::uint64_t n = std::uint64_t{m} * kPow10[static_cast<std::size_t>(d)];
    if (k < 64) {
      scaled = n >> k;
      std::uint64_t rest = n & ((std::uint64_t{1} << k) - 1);
      if (rest >= (std::uint64_t{1} << (k - 1))) ++scaled;  // halves away from zero
    } else {
      // The quotient is 0; only k = 64 can still reach half of 2^k.
      scaled = (k == 64 && n >= (std::uint64_t{1} << 63)) ? 1 : 0;
    }
  }

  // The columns needed: sign, integer digits (none for zero), point,
  // decimals, and the "0" before the point when a column is free for it.
  std::uint64_t unit = kPow10[static_cast<std::size_t>(d)];
  std::uint64_t whole = scaled / unit;
  std::uint64_t frac = scaled - whole * unit;
  int int_digits = 0;
  while (int_digits < kMaxDigits && whole >= kPow10[static_cast<std::size_t>(int_digits)]) {
    ++int_digits;
  }
  int need = (negative ? 1 : 0) + int_digits + 1 + d;
  if (need > w) return fill_stars(out, w);
  const bool zero = int_digits == 0 && need < w;

  // Written in place, right to left, over a field of blanks.
  fill_blanks(out, w);
  char* p = fixed_digits_before(out + w, frac, d);
  *--p = '.';
  p = digits_before(p, whole);
  if (zero) *--p = '0';
  if (negative) *--p = '-';
}

std::string fixed_field(float v, int w, int d) {
  std::string s(static_cast<std::size_t>(std::max(w, 0)), ' ');
  fixed_field(s.data(), v, w, d);
  return s;
}

void int_field(char* out, std::int32_t v, int w) {
  bool negative = v < 0;
  std::uint64_t magnitude = negative ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(v))
                                     : static_cast<std::uint64_t>(v);
  char buf[16];
  char* end = buf + sizeof buf;
  char* begin = magnitude == 0 ? end - 1 : digits_before(end, magnitude);
  if (magnitude == 0) *begin = '0';
  if (negative) *--begin = '-';
  auto need = static_cast<int>(end - begin);
  if (need > w) return fill_stars(out, w);
  std::memset(out, ' ', static_cast<std::size_t>(w - need));
  std::memcpy(out + (w - need), begin, static_cast<std::size_t>(need));
}

std::string int_field(std::int32_t v, int w) {
  std::string s(static_cast<std::size_t>(std::max(w, 0)), ' ');
  int_field(s.data(), v, w);
  return s;
}

void text_field(char* out, std::string_view text, int w) {
  auto width = static_cast<std::size_t>(w);
  if (text.size() >= width) {
    std::memcpy(out, text.data(), width);
    return;
  }
  std::size_t pad = width - text.size();
  std::memset(out, ' ', pad);
  std::memcpy(out + pad, text.data(), text.size());
}

std::string text_field(std::string_view text, int w) {
  std::string s(static_cast<std::size_t>(std::max(w, 0)), ' ');
  text_field(s.data(), text, w);
  return s;
}

}  // namespace lumo
