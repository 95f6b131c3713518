#include "numbers/number_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <type_traits>

#include "numbers/big_unsigned.h"

namespace lumo::num {
namespace {

constexpr std::uint64_t kPow10[] = {1,
                                    10,
                                    100,
                                    1000,
                                    10000,
                                    100000,
                                    1000000,
                                    10000000,
                                    100000000,
                                    1000000000,
                                    10000000000,
                                    100000000000,
                                    1000000000000,
                                    10000000000000,
                                    100000000000000,
                                    1000000000000000,
                                    10000000000000000,
                                    100000000000000000,
                                    1000000000000000000,
                                    10000000000000000000u};

// 5^0 to 5^27, the largest below 2^63.
constexpr auto kPow5 = [] {
  std::array<std::uint64_t, 28> p{};
  p[0] = 1;
  for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 5;
  return p;
}();

std::uint64_t pow5(int n) { return kPow5[static_cast<std::size_t>(n)]; }

// A finite value as sign, significand and binary exponent: |x| = m * 2^e.
// lower_closer: x is a power of two whose lower neighbour is half as far as
// the upper one.
struct Binary {
  bool negative;
  std::uint64_t m;
  int e;
  bool lower_closer;
};

Binary decompose(float x) {
  std::uint32_t bits = 0;
  std::memcpy(&bits, &x, sizeof bits);
  auto biased = static_cast<int>((bits >> 23) & 0xffu);
  std::uint32_t frac = bits & 0x7fffffu;
  bool negative = (bits >> 31) != 0;
  if (biased == 0) return {negative, frac, -149, false};
  return {negative, frac | 0x800000u, biased - 150, frac == 0 && biased > 1};
}

Binary decompose(double x) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &x, sizeof bits);
  auto biased = static_cast<int>((bits >> 52) & 0x7ffu);
  std::uint64_t frac = bits & ((std::uint64_t{1} << 52) - 1);
  bool negative = (bits >> 63) != 0;
  if (biased == 0) return {negative, frac, -1074, false};
  return {negative, frac | (std::uint64_t{1} << 52), biased - 1075, frac == 0 && biased > 1};
}

// digits * 10^exponent, digits without trailing zeros.
struct Decimal {
  std::uint64_t digits;
  int exponent;
};

Decimal trimmed(Decimal d) {
  while (d.digits % 10 == 0) {
    d.digits /= 10;
    ++d.exponent;
  }
  return d;
}

int digit_count(std::uint64_t v) {
  int n = 1;
  while (n < 20 && v >= kPow10[n]) ++n;
  return n;
}

// Shortest digits by exact arithmetic (Steele and White's free-format
// algorithm as Burger and Dybvig state it): r / s is the value, m- / s and
// m+ / s the distances to the rounding boundaries, all scaled by 10 per
// digit until a digit leaves the value inside them. A boundary itself reads
// back as the value when the significand is even (ties to even).
// The numbers of the exact algorithm below for a first k: r = m * 5^a *
// 2^two_r, s = 5^b * 2^two_s, m- = 5^a * 2^two_m, where r / s is x / 10^k and
// m- / s half the gap to the lower neighbour over 10^k, the power of two
// common to all three taken out.
struct Scaling {
  int five_r, five_s;  // a, b
  int two_r, two_s, two_m;
};

Scaling scaling(const Binary& b, int k) {
  const int extra = b.lower_closer ? 2 : 1;  // r and s carry 2^extra
  Scaling sc{k < 0 ? -k : 0, k > 0 ? k : 0, std::max(b.e, 0) + extra, extra + std::max(-b.e, 0),
             std::max(b.e, 0)};
  if (k >= 0) {
    sc.two_s += k;
  } else {
    sc.two_r -= k;
    sc.two_m -= k;
  }
  int common = std::min(sc.two_m, sc.two_s);
  sc.two_r -= common;
  sc.two_s -= common;
  sc.two_m -= common;
  return sc;
}

template <class Unsigned>
Decimal shortest_exact(const Binary& b, int k) {
  const bool even = b.m % 2 == 0;
  const Scaling sc = scaling(b, k);
  Unsigned r(b.m), s(1), m_minus(1);
  r.multiply_pow5(sc.five_r);
  r.shift_left(sc.two_r);
  s.multiply_pow5(sc.five_s);
  s.shift_left(sc.two_s);
  m_minus.multiply_pow5(sc.five_r);
  m_minus.shift_left(sc.two_m);
  Unsigned m_plus = m_minus;
  if (b.lower_closer) m_plus.shift_left(1);

  // k: the smallest with the upper boundary below 10^k (at most 10^k when
  // the boundary is excluded). The estimate is within one; both directions
  // are corrected exactly.
  auto above = [&](const Unsigned& top) {
    int c = compare_sum(r, m_plus, top);
    return even ? c >= 0 : c > 0;
  };
  while (above(s)) {
    s.multiply(10);
    ++k;
  }
  for (;;) {
    Unsigned r10 = r, m10 = m_plus;
    r10.multiply(10);
    m10.multiply(10);
    int c = compare_sum(r10, m10, s);
    if (even ? c >= 0 : c > 0) break;
    r = r10;
    m_plus = m10;
    m_minus.multiply(10);
    --k;
  }

  std::uint64_t digits = 0;
  int n = 0;
  for (;;) {
    r.multiply(10);
    m_minus.multiply(10);
    m_plus.multiply(10);
    std::uint64_t d = 0;
    while (compare(r, s) >= 0) {
      r.subtract(s);
      ++d;
    }
    int low_cmp = compare(r, m_minus);
    bool low = even ? low_cmp <= 0 : low_cmp < 0;
    int high_cmp = compare_sum(r, m_plus, s);
    bool high = even ? high_cmp >= 0 : high_cmp > 0;
    ++n;
    if (!low && !high) {
      digits = digits * 10 + d;
      continue;
    }
    if (low && high) {
      Unsigned twice = r;
      twice.shift_left(1);
      int c = compare(twice, s);
      if (c > 0 || (c == 0 && d % 2 == 1)) ++d;
    } else if (high) {
      ++d;
    }
    digits = digits * 10 + d;
    break;
  }
  return trimmed({digits, k - n});
}

// Shortest digits by exact arithmetic, in 128 bits when every number the
// algorithm forms stays below 2^128: r, s and m+ times 10 and 2 at most.
Decimal shortest_exact(const Binary& b) {
  int bits = b.e + (64 - std::countl_zero(b.m)) - 1;
  int k = ((bits * 1233) >> 12) + 1;  // ceil(log10 x) or one less
  const Scaling sc = scaling(b, k);
  auto five_bits = [](int n) { return (n * 2322) / 1000 + 1; };  // log2(5) < 2.322
  int r_bits = (64 - std::countl_zero(b.m)) + five_bits(sc.five_r) + sc.two_r;
  int s_bits = five_bits(sc.five_s) + sc.two_s + 1;
  if (std::max(r_bits, s_bits) + 10 < 128) return shortest_exact<Wide128>(b, k);
  return shortest_exact<BigUnsigned>(b, k);
}

// q / 10^j for j from 0 to 8, by constant divisors (a multiplication each).
std::uint32_t divide_pow10(std::uint32_t q, int j) {
  switch (j) {
    case 1:
      return q / 10;
    case 2:
      return q / 100;
    case 3:
      return q / 1000;
    case 4:
      return q / 10000;
    case 5:
      return q / 100000;
    case 6:
      return q / 1000000;
    case 7:
      return q / 10000000;
    case 8:
      return q / 100000000;
    default:
      return q;
  }
}

__extension__ using Unsigned128 = unsigned __int128;

// The fast path for floats of ordinary size, in 64-bit integers: the value
// scaled to nine digits, rounded to p digits for each p tried, each checked
// against the rounding interval exactly.
std::optional<Decimal> shortest_fast(const Binary& b) {
  int binary = b.e + (64 - std::countl_zero(b.m)) - 1;
  int x10 = (binary * 1233) >> 12;  // floor(log10 x), or one less
  // x * 10^s = m * 5^s * 2^t = q + f, 0 <= f < 1, s chosen for nine or ten
  // digits in q.
  const int s = 8 - x10;
  const int t = b.e + s;
  std::uint64_t q = 0, rem = 0, num = 0, den = 1;  // x * 10^s = num / den
  if (s >= 0) {
    if (s > 17) return std::nullopt;  // m * 5^s below 2^64
    num = b.m * pow5(s);
    if (t >= 0) {
      if (t >= 30 || (num >> (63 - t)) != 0) return std::nullopt;
      num <<= t;
      q = num;
    } else {
      if (-t >= 63) return std::nullopt;
      q = num >> -t;
      rem = num - (q << -t);
      den = std::uint64_t{1} << -t;
    }
  } else {
    if (-s > 27) return std::nullopt;  // 5^-s below 2^63
    den = pow5(-s);
    num = b.m;
    if (t >= 0) {
      if (t > 39) return std::nullopt;
      num <<= t;
    } else {
      if (-t >= 63 || (den >> (63 + t)) != 0) return std::nullopt;
      den <<= -t;
    }
    q = num / den;
    rem = num % den;
  }
  // How f compares with a half.
  enum class Rest { zero, below_half, half, above_half };
  Rest rest = rem == 0           ? Rest::zero
              : rem < den - rem  ? Rest::below_half
              : rem == den - rem ? Rest::half
                                 : Rest::above_half;
  int folded = 0;
  if (q >= kPow10[9]) {  // ten digits: the last joins the fraction
    std::uint64_t last = q % 10;
    q /= 10;
    ++x10;
    folded = 1;
    rest = last < 5             ? (last == 0 && rest == Rest::zero ? Rest::zero : Rest::below_half)
           : last > 5           ? Rest::above_half
           : rest == Rest::zero ? Rest::half
                                : Rest::above_half;
  }
  if (q < kPow10[8] || q >= kPow10[9]) return std::nullopt;
  const auto q32 = static_cast<std::uint32_t>(q);

  // The p-digit decimal nearest x (even on a tie), and whether it is below.
  struct Candidate {
    std::uint32_t digits;
    bool rounded_down;
  };
  auto nearest = [&](int p) {
    int j = 9 - p;
    if (j == 0) {
      bool up = rest == Rest::above_half || (rest == Rest::half && q32 % 2 == 1);
      return Candidate{q32 + (up ? 1u : 0u), !up};
    }
    std::uint32_t a = divide_pow10(q32, j);
    auto low = static_cast<std::uint32_t>(q32 - a * kPow10[j]);
    auto half = static_cast<std::uint32_t>(kPow10[j] / 2);
    bool up = low > half || (low == half && (rest != Rest::zero || a % 2 == 1));
    return Candidate{a + (up ? 1u : 0u), !up};
  };
  // Whether c * 10^j (in units of 10^-s) reads back as x: it lies within
  // half the gap to each neighbour, x / 2m (x / 4m below a power of two),
  // the ends included when m is even (ties read as the even significand).
  const bool even = b.m % 2 == 0;
  auto reads_back = [&](std::uint32_t c, int j) {
    Unsigned128 y = Unsigned128{c} * kPow10[j] * den;  // below 2^98
    bool above = y >= num;
    Unsigned128 gap = above ? y - num : num - y;
    const std::uint64_t times = above || !b.lower_closer ? 2 : 4;
    Unsigned128 scaled = gap * Unsigned128{b.m} * times;
    return even ? scaled <= num : scaled < num;
  };
  // The p-digit decimal that reads back, or 0 for none. Besides the
  // nearest, a power of two can read back from the decimal above it, its
  // upper neighbour being twice as far.
  auto fits = [&](int p) -> std::uint32_t {
    Candidate c = nearest(p);
    int j = 9 - p + folded;
    if (reads_back(c.digits, j)) return c.digits;
    if (b.lower_closer && c.rounded_down && reads_back(c.digits + 1, j)) return c.digits + 1;
    return 0;
  };

  // Fewer digits never read back when more do not: the count is searched.
  int lo = 1, hi = 9;  // nine digits always read back
  std::uint32_t best = nearest(9).digits;
  while (lo < hi) {
    int mid = (lo + hi) / 2;
    if (std::uint32_t found = fits(mid); found != 0) {
      hi = mid;
      best = found;
    } else {
      lo = mid + 1;
    }
  }
  return trimmed({best, x10 - hi + 1});
}

Decimal shortest_decimal(float, const Binary& b) {
  if (std::optional<Decimal> d = shortest_fast(b)) return *d;
  return shortest_exact(b);
}

Decimal shortest_decimal(double, const Binary& b) { return shortest_exact(b); }

// The exact decimal digits of m * 2^e: value = digits * 10^exponent, no
// leading zeros ("0" for zero).
struct ExactDigits {
  std::string digits;
  int exponent;
};

ExactDigits exact_digits(std::uint64_t m, int e) {
  BigUnsigned n(m);
  int exponent = 0;
  if (e >= 0) {
    n.shift_left(e);
  } else {
    n.multiply_pow5(-e);
    exponent = e;
  }
  std::string reversed;
  while (!n.is_zero()) {
    std::uint32_t group = n.divide(1000000000);
    for (int i = 0; i < 9; ++i) {
      reversed.push_back(static_cast<char>('0' + group % 10));
      group /= 10;
    }
  }
  while (reversed.size() > 1 && reversed.back() == '0') reversed.pop_back();
  if (reversed.empty()) reversed.assign(1, '0');
  return {std::string(reversed.rbegin(), reversed.rend()), exponent};
}

// Rounds v to a multiple of 10^exponent, ties to even; v.exponent becomes
// exponent (digits padded with zeros when it was finer already).
void round_to(ExactDigits& v, int exponent) {
  if (v.exponent >= exponent) {
    if (v.digits != "0") v.digits.append(static_cast<std::size_t>(v.exponent - exponent), '0');
    v.exponent = exponent;
    return;
  }
  auto drop = static_cast<std::size_t>(exponent - v.exponent);
  std::string& s = v.digits;
  v.exponent = exponent;
  if (drop > s.size()) {  // below a tenth of the unit: rounds to zero
    s.assign(1, '0');
    return;
  }
  std::size_t keep = s.size() - drop;
  char first = s[keep];
  bool rest_zero = s.find_first_not_of('0', keep + 1) == std::string::npos;
  char last = keep == 0 ? '0' : s[keep - 1];
  bool up = first > '5' || (first == '5' && (!rest_zero || (last - '0') % 2 == 1));
  // erase and a fill, not resize and a copy: g++ 12 at -O3 takes these for
  // overlapping copies (-Wrestrict) when they are written the other way.
  s.erase(keep);
  if (s.empty()) s.assign(1, '0');
  if (!up) return;
  std::size_t i = s.size();
  while (i > 0 && s[i - 1] == '9') s[--i] = '0';
  if (i == 0) {
    s.insert(s.begin(), '1');
  } else {
    ++s[i - 1];
  }
  if (s.size() > 1 && s[0] == '0') s.erase(0, 1);
}

void append_exponent(std::string& out, int x10) {
  out.push_back('e');
  out.push_back(x10 < 0 ? '-' : '+');
  int a = x10 < 0 ? -x10 : x10;
  if (a < 10) out.push_back('0');
  out += std::to_string(a);
}

// Scientific: d[.ddd]e+XX of digits (at least one, no trailing zeros) whose
// first stands at 10^x10.
void append_scientific(std::string& out, std::string_view digits, int x10) {
  out.push_back(digits[0]);
  if (digits.size() > 1) {
    out.push_back('.');
    out.append(digits.substr(1));
  }
  append_exponent(out, x10);
}

// Fixed, of digits whose first stands at 10^x10 and whose last is below the
// units: with the point inside them or "0." and zeros before them.
void append_fraction(std::string& out, std::string_view digits, int x10) {
  if (x10 >= 0) {
    out.append(digits.substr(0, static_cast<std::size_t>(x10) + 1));
    out.push_back('.');
    out.append(digits.substr(static_cast<std::size_t>(x10) + 1));
  } else {
    out += "0.";
    out.append(static_cast<std::size_t>(-x10 - 1), '0');
    out.append(digits);
  }
}

// Prints the non-finite values and the sign; returns true when done.
template <class T>
bool special(std::string& out, T x) {
  if (std::signbit(x)) out.push_back('-');
  if (std::isnan(x)) {
    out += "nan";
    return true;
  }
  if (std::isinf(x)) {
    out += "inf";
    return true;
  }
  if (x == 0) {
    out.push_back('0');
    return true;
  }
  return false;
}

// Writes the n digits of v ending at end.
void put_digits(char* end, std::uint64_t v, int n) {
  for (int i = 0; i < n; ++i) {
    *--end = static_cast<char>('0' + v % 10);
    v /= 10;
  }
}

char* put_text(char* out, std::string_view text) {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

enum class Form { plain, fixed, general };

// The shortest text of x in the given form at out; returns its end. Room
// needed: 32 characters, or for fixed doubles 400.
template <class T>
char* put_shortest_text(char* out, T x, Form form) {
  if (std::signbit(x)) *out++ = '-';
  if (std::isnan(x)) return put_text(out, "nan");
  if (std::isinf(x)) return put_text(out, "inf");
  if (x == 0) return put_text(out, "0");
  Binary b = decompose(x);
  Decimal d = shortest_decimal(x, b);
  int n = digit_count(d.digits);
  int x10 = n - 1 + d.exponent;
  bool fixed = false;
  switch (form) {
    case Form::fixed:
      fixed = true;
      break;
    case Form::general:
      fixed = x10 >= -4 && x10 < 6;
      break;
    case Form::plain: {
      // Lengths without the sign; the exponent has two digits or three.
      int scientific = n + (n > 1 ? 1 : 0) + (x10 >= 100 || x10 <= -100 ? 5 : 4);
      int fixed_length = d.exponent >= 0 ? x10 + 1 : x10 >= 0 ? n + 1 : n + 1 - x10;
      fixed = fixed_length <= scientific;
      break;
    }
  }
  if (!fixed) {
    // d[.ddd]e+XX
    put_digits(out + n + 1, d.digits, n);
    out[0] = out[1];
    out[1] = '.';
    out += n > 1 ? n + 1 : 1;
    *out++ = 'e';
    *out++ = x10 < 0 ? '-' : '+';
    int a = x10 < 0 ? -x10 : x10;
    int width = a >= 100 ? 3 : 2;
    put_digits(out + width, static_cast<std::uint64_t>(a), width);
    return out + width;
  }
  if (d.exponent >= 0) {
    // A whole value: its exact digits, which the shortest ones only round.
    if (b.e <= 0 || (b.e < 64 && (b.m >> (64 - b.e)) == 0)) {
      std::uint64_t whole = b.e <= 0 ? b.m >> -b.e : b.m << b.e;
      int w = digit_count(whole);
      put_digits(out + w, whole, w);
      return out + w;
    }
    return put_text(out, exact_digits(b.m, b.e).digits);
  }
  if (x10 >= 0) {
    // ddd.ddd
    put_digits(out + n + 1, d.digits, n);
    std::memmove(out, out + 1, static_cast<std::size_t>(x10) + 1);
    out[x10 + 1] = '.';
    return out + n + 1;
  }
  // 0.000ddd
  int zeros = -x10 - 1;
  out = put_text(out, "0.");
  std::memset(out, '0', static_cast<std::size_t>(zeros));
  put_digits(out + zeros + n, d.digits, n);
  return out + zeros + n;
}

template <class T>
std::string shortest_string(T x, Form form) {
  char buf[400];
  return std::string(buf, put_shortest_text(buf, x, form));
}

// fixed() for the usual few decimals, in 64-bit integers: x = m * 2^e with
// e <= 0, its fraction f / 2^k and f * 10^d below 2^63.
bool fast_fixed(std::string& out, const Binary& b, int decimals) {
  if (b.e > 0 || decimals > 3) return false;
  int k = -b.e;
  std::uint64_t whole = k >= 64 ? 0 : b.m >> k;
  std::uint64_t unit = kPow10[decimals];
  std::uint64_t frac = 0;
  if (k < 64) {
    std::uint64_t f = b.m - (whole << k);
    std::uint64_t n = f * unit;  // f < 2^53, unit <= 1000
    frac = k == 0 ? n : n >> k;
    if (k > 0) {
      std::uint64_t rem = n - (frac << k), half = std::uint64_t{1} << (k - 1);
      std::uint64_t last = decimals == 0 ? whole : frac;  // the last digit kept
      if (rem > half || (rem == half && last % 2 == 1)) ++frac;
    }
  }  // else: below 2^-11, every fraction rounds to zero
  if (frac == unit) {
    ++whole;
    frac = 0;
  }
  out += std::to_string(whole);
  if (decimals > 0) {
    out.push_back('.');
    std::string f = std::to_string(frac);
    out.append(static_cast<std::size_t>(decimals) - f.size(), '0');
    out += f;
  }
  return true;
}

template <class Float>
ParseResult parse_float(const char* first, const char* last, Float& value, NumberForm form) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  auto starts = [&](const char* p, std::string_view word) {
    if (static_cast<std::size_t>(last - p) < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
      if (lower(p[i]) != word[i]) return false;
    }
    return true;
  };
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  const char* p = first;
  bool negative = p != last && *p == '-';
  if (negative) ++p;
  if (starts(p, "inf")) {
    p += starts(p, "infinity") ? 8 : 3;
    value =
        negative ? -std::numeric_limits<Float>::infinity() : std::numeric_limits<Float>::infinity();
    return {p, std::errc()};
  }
  if (starts(p, "nan")) {
    p += 3;
    if (p != last && *p == '(') {
      const char* q = p + 1;
      while (q != last && (digit(*q) || (lower(*q) >= 'a' && lower(*q) <= 'z') || *q == '_')) ++q;
      if (q != last && *q == ')') p = q + 1;
    }
    value = std::copysign(std::numeric_limits<Float>::quiet_NaN(), negative ? Float(-1) : Float(1));
    return {p, std::errc()};
  }
  bool any_digit = false, nonzero = false;
  auto digits = [&] {
    for (; p != last && digit(*p); ++p) {
      any_digit = true;
      nonzero = nonzero || *p != '0';
    }
  };
  digits();
  if (p != last && *p == '.') {
    ++p;
    digits();
  }
  if (!any_digit) return {first, std::errc::invalid_argument};
  bool exponent = false;
  if (p != last && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    if (q != last && (*q == '+' || *q == '-')) ++q;
    if (q != last && digit(*q)) {
      while (q != last && digit(*q)) ++q;
      p = q;
      exponent = true;
    }
  }
  if (form == NumberForm::scientific && !exponent) return {first, std::errc::invalid_argument};

  // The C library reads the checked text, ended by a NUL.
  std::string text(first, p);
  Float v = 0;
  if constexpr (std::is_same_v<Float, float>) {
    v = std::strtof(text.c_str(), nullptr);
  } else {
    v = std::strtod(text.c_str(), nullptr);
  }
  if (std::isinf(v) || (v == 0 && nonzero)) return {p, std::errc::result_out_of_range};
  value = v;
  return {p, std::errc()};
}

template <class Int>
ParseResult parse_integer(const char* first, const char* last, Int& value) {
  using Unsigned = std::make_unsigned_t<Int>;
  const char* p = first;
  bool negative = false;
  if constexpr (std::is_signed_v<Int>) {
    negative = p != last && *p == '-';
    if (negative) ++p;
  }
  if (p == last || *p < '0' || *p > '9') return {first, std::errc::invalid_argument};
  Unsigned limit = static_cast<Unsigned>(std::numeric_limits<Int>::max()) + (negative ? 1u : 0u);
  Unsigned n = 0;
  bool overflow = false;
  for (; p != last && *p >= '0' && *p <= '9'; ++p) {
    auto d = static_cast<Unsigned>(*p - '0');
    if (n > (limit - d) / 10) overflow = true;
    if (!overflow) n = static_cast<Unsigned>(n * 10 + d);
  }
  if (overflow) return {p, std::errc::result_out_of_range};
  value = negative ? static_cast<Int>(Unsigned{0} - n) : static_cast<Int>(n);
  return {p, std::errc()};
}

}  // namespace

char* put_shortest(char* out, float x) { return put_shortest_text(out, x, Form::plain); }

std::string shortest(float x) { return shortest_string(x, Form::plain); }
std::string shortest(double x) { return shortest_string(x, Form::plain); }
std::string shortest_fixed(float x) { return shortest_string(x, Form::fixed); }
std::string shortest_fixed(double x) { return shortest_string(x, Form::fixed); }
std::string shortest_general(double x) { return shortest_string(x, Form::general); }

std::string fixed(double x, int decimals) {
  std::string out;
  if (std::isnan(x) || std::isinf(x)) {
    special(out, x);
    return out;
  }
  if (std::signbit(x)) out.push_back('-');
  Binary b = decompose(x);
  if (fast_fixed(out, b, decimals)) return out;
  ExactDigits v = exact_digits(b.m, b.e);
  round_to(v, -decimals);
  std::string& s = v.digits;
  if (decimals == 0) return out + s;
  if (s.size() <= static_cast<std::size_t>(decimals)) {
    s.insert(0, static_cast<std::size_t>(decimals) + 1 - s.size(), '0');
  }
  std::size_t point = s.size() - static_cast<std::size_t>(decimals);
  out.append(s, 0, point);
  out.push_back('.');
  out.append(s, point);
  return out;
}

std::string significant(double x, int digits) {
  std::string out;
  if (special(out, x)) return out;
  if (digits < 1) digits = 1;
  Binary b = decompose(x);
  ExactDigits v = exact_digits(b.m, b.e);
  int x10 = static_cast<int>(v.digits.size()) - 1 + v.exponent;
  round_to(v, x10 - digits + 1);
  if (static_cast<int>(v.digits.size()) > digits) {  // carried into a new digit
    v.digits.pop_back();
    ++x10;
  }
  while (v.digits.size() > 1 && v.digits.back() == '0') v.digits.pop_back();
  const std::string& s = v.digits;
  auto n = static_cast<int>(s.size());
  if (x10 < -4 || x10 >= digits) {
    append_scientific(out, s, x10);
  } else if (x10 >= n - 1) {
    const int zeros = x10 - n + 1;
    out += s;
    out.append(static_cast<std::size_t>(zeros), '0');
  } else {
    append_fraction(out, s, x10);
  }
  return out;
}

ParseResult parse_number(const char* first, const char* last, float& value, NumberForm form) {
  return parse_float(first, last, value, form);
}
ParseResult parse_number(const char* first, const char* last, double& value, NumberForm form) {
  return parse_float(first, last, value, form);
}
ParseResult parse_number(const char* first, const char* last, std::int32_t& value) {
  return parse_integer(first, last, value);
}
ParseResult parse_number(const char* first, const char* last, std::int64_t& value) {
  return parse_integer(first, last, value);
}
ParseResult parse_number(const char* first, const char* last, std::uint64_t& value) {
  return parse_integer(first, last, value);
}

char* put_integer(char* out, std::int32_t v) {
  char buf[11];
  char* p = std::end(buf);
  auto u = static_cast<std::uint32_t>(v);
  if (v < 0) u = 0u - u;
  do {
    *--p = static_cast<char>('0' + u % 10);
    u /= 10;
  } while (u != 0);
  if (v < 0) *out++ = '-';
  auto n = static_cast<std::size_t>(std::end(buf) - p);
  std::memcpy(out, p, n);
  return out + n;
}

}  // namespace lumo::num
