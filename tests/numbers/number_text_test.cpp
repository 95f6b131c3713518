// Lumo's number text against the standard library's std::to_chars and
// std::from_chars, which define today's bytes on the native build: seeded
// random values of every magnitude and the hazards of each form.
#include "numbers/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace lumo::num {
namespace {

template <class T>
std::string std_text(T v, std::chars_format f) {
  char buf[1200];
  return std::string(buf, std::to_chars(buf, std::end(buf), v, f).ptr);
}
template <class T>
std::string std_text(T v) {
  char buf[1200];
  return std::string(buf, std::to_chars(buf, std::end(buf), v).ptr);
}
template <class T>
std::string std_text(T v, std::chars_format f, int precision) {
  char buf[1200];
  return std::string(buf, std::to_chars(buf, std::end(buf), v, f, precision).ptr);
}

// Counts the values whose text differs, printing the first few.
class Differences {
 public:
  template <class T>
  void check(T x, std::string_view form, std::string_view ours, std::string_view theirs) {
    ++compared_;
    if (ours == theirs) return;
    if (++count_ <= 10) {
      std::string value;
      if constexpr (std::is_floating_point_v<T>) value = std_text(x, std::chars_format::hex);
      ADD_FAILURE() << value << " " << form << ": ours " << ours << ", std " << theirs;
    }
  }
  long count() const { return count_; }
  long compared() const { return compared_; }

 private:
  long count_ = 0, compared_ = 0;
};

std::vector<float> float_edges() {
  std::vector<float> v = {0.0f, -0.0f, 1.0f, 0.1f, 0.3f, 1e-5f, 1e-4f, 1e6f, 1e7f, 16777216.0f,
                          // two shortest decimals equally near: the even one
                          1048576.25f, 1048576.75f, 3.4028235e38f, 1.17549435e-38f, 1.4e-45f};
  for (std::uint32_t b : {0x00000001u, 0x007fffffu, 0x00800000u, 0x7f7fffffu, 0x7f800000u,
                          0x7fc00000u, 0xff800000u, 0xffc00000u}) {
    v.push_back(std::bit_cast<float>(b));
  }
  for (int k = -149; k <= 127; ++k) {  // every power of two, and its neighbours
    float p = std::ldexp(1.0f, k);
    v.insert(v.end(), {p, std::nextafter(p, 0.0f), std::nextafter(p, INFINITY)});
  }
  for (int k = -45; k <= 38; ++k) {  // powers of ten, and their neighbours
    float p = std::strtof(("1e" + std::to_string(k)).c_str(), nullptr);
    v.insert(v.end(), {p, std::nextafter(p, 0.0f), std::nextafter(p, INFINITY)});
  }
  return v;
}

std::vector<double> double_edges() {
  std::vector<double> v = {0.0,  -0.0,     0.125,     0.375,  2.5,    1234.5, 1e23,    5e-324,
                           1e-5, 123456.0, 1234567.0, 0.0001, 9.9996, 99.995, 0.000125};
  for (std::uint64_t b :
       {0x1ull, 0x000fffffffffffffull, 0x0010000000000000ull, 0x7fefffffffffffffull,
        0x7ff0000000000000ull, 0x7ff8000000000000ull, 0xfff0000000000000ull}) {
    v.push_back(std::bit_cast<double>(b));
  }
  for (int k = -1074; k <= 1023; k += 7) {
    double p = std::ldexp(1.0, k);
    v.insert(v.end(), {p, std::nextafter(p, 0.0), std::nextafter(p, INFINITY)});
  }
  for (int k = -323; k <= 308; k += 3) {
    double p = std::strtod(("1e" + std::to_string(k)).c_str(), nullptr);
    v.insert(v.end(), {p, std::nextafter(p, 0.0), std::nextafter(p, INFINITY)});
  }
  return v;
}

void compare_float(Differences& diff, float x) {
  char ours[kShortestFloatChars], theirs[64];
  char* end = put_shortest(ours, x);
  diff.check(x, "shortest", {ours, end}, {theirs, std::to_chars(theirs, std::end(theirs), x).ptr});
  diff.check(x, "shortest_fixed", shortest_fixed(x), std_text(x, std::chars_format::fixed));
}

// The forms Lumo writes doubles in; `decimals` 0 to 8, `digits` 1 to 6.
void compare_double(Differences& diff, double x, int decimals, int digits) {
  diff.check(x, "shortest", shortest(x), std_text(x));
  diff.check(x, "shortest_fixed", shortest_fixed(x), std_text(x, std::chars_format::fixed));
  diff.check(x, "shortest_general", shortest_general(x), std_text(x, std::chars_format::general));
  diff.check(x, "fixed " + std::to_string(decimals), fixed(x, decimals),
             std_text(x, std::chars_format::fixed, decimals));
  diff.check(x, "significant " + std::to_string(digits), significant(x, digits),
             std_text(x, std::chars_format::general, digits));
}

// A float of random bits, or a value of ordinary size as a computation
// gives it.
float random_float(std::mt19937_64& g) {
  if (g() % 2 == 0) return std::bit_cast<float>(static_cast<std::uint32_t>(g()));
  std::uniform_real_distribution<float> mantissa(1.0f, 10.0f);
  std::uniform_int_distribution<int> exponent(-8, 9);
  float v = mantissa(g) * std::pow(10.0f, static_cast<float>(exponent(g)));
  return g() % 4 == 0 ? -v : v;
}

double random_double(std::mt19937_64& g) {
  switch (g() % 4) {
    case 0:
      return std::bit_cast<double>(g());
    case 1: {  // hundredths and thousandths, whose ties round to even
      auto n = static_cast<double>(static_cast<std::int64_t>(g() % 2000001) - 1000000);
      return n / (g() % 2 == 0 ? 100.0 : 1000.0);
    }
    case 2: {  // short binary fractions: exact ties at few decimals
      auto n = static_cast<double>(g() % 100000);
      return std::ldexp(n, -static_cast<int>(g() % 20));
    }
    default: {
      std::uniform_real_distribution<double> mantissa(1.0, 10.0);
      std::uniform_int_distribution<int> exponent(-12, 12);
      return mantissa(g) * std::pow(10.0, exponent(g));
    }
  }
}

double seconds_since(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// 10^7 seeded values in all: floats and doubles, every form each.
constexpr long kRandomFloats = 9'500'000;
constexpr long kRandomDoubles = 500'000;

TEST(NumberText, FloatTextMatchesStdToChars) {
  Differences diff;
  for (float x : float_edges()) compare_float(diff, x);
  std::mt19937_64 g(19);
  auto t0 = std::chrono::steady_clock::now();
  for (long i = 0; i < kRandomFloats; ++i) compare_float(diff, random_float(g));
  std::printf("floats: %ld texts compared, %ld differences, %.1f s\n", diff.compared(),
              diff.count(), seconds_since(t0));
  EXPECT_EQ(diff.count(), 0);
}

TEST(NumberText, DoubleTextMatchesStdToChars) {
  Differences diff;
  for (double x : double_edges()) {
    for (int d : {0, 1, 2, 3, 4, 8}) compare_double(diff, x, d, 1 + d % 6);
  }
  std::mt19937_64 g(1919);
  auto t0 = std::chrono::steady_clock::now();
  for (long i = 0; i < kRandomDoubles; ++i) {
    compare_double(diff, random_double(g), static_cast<int>(g() % 9),
                   1 + static_cast<int>(g() % 6));
  }
  std::printf("doubles: %ld texts compared, %ld differences, %.1f s\n", diff.compared(),
              diff.count(), seconds_since(t0));
  EXPECT_EQ(diff.count(), 0);
}

// What a parse gives, as text: the value's bits, where it stopped, the error.
template <class T>
std::string outcome(const char* first, ParseResult r, T value) {
  return std_text(value, std::chars_format::hex) + (std::signbit(value) ? "(-)" : "") + " at " +
         std::to_string(r.ptr - first) + " ec " + std::to_string(static_cast<int>(r.ec));
}

template <class T>
void compare_parse(Differences& diff, const std::string& text) {
  const char* first = text.data();
  const char* last = first + text.size();
  for (NumberForm form : {NumberForm::general, NumberForm::scientific}) {
    T ours = T(-7), theirs = T(-7);  // kept on failure
    ParseResult a = parse_number(first, last, ours, form);
    auto b = std::from_chars(
        first, last, theirs,
        form == NumberForm::general ? std::chars_format::general : std::chars_format::scientific);
    diff.check(0, "parse " + text, outcome(first, a, ours), outcome(first, {b.ptr, b.ec}, theirs));
  }
}

TEST(NumberText, ParsingMatchesStdFromChars) {
  Differences diff;
  for (const char* text : {"0",
                           "-0",
                           "1",
                           ".5",
                           "5.",
                           ".",
                           "-",
                           "",
                           "-.5e1",
                           "+1",
                           " 1",
                           "1e",
                           "1e+",
                           "1e-x",
                           "1E5",
                           "0x10",
                           "1.5e-45",
                           "7e-46",
                           "7.1e-46",
                           "1e-50",
                           "-1e-50",
                           "3.4028235e38",
                           "3.4028236e38",
                           "1e39",
                           "1e309",
                           "2.4703282292062328e-324",
                           "0e999999999999",
                           "1e-999999999999",
                           "00000000000000000000000000001e-5",
                           "inf",
                           "-INF",
                           "Infinity",
                           "infinit",
                           "nan",
                           "-NaN",
                           "nan(abc_1)",
                           "nan(a b)",
                           "nan(",
                           "in",
                           "1.25x",
                           "123456789012345678901234567890"}) {
    compare_parse<float>(diff, text);
    compare_parse<double>(diff, text);
  }
  std::mt19937_64 g(7);
  for (int i = 0; i < 100'000; ++i) {  // every shortest text reads back; long decimals too
    float f = random_float(g);
    double d = random_double(g);
    compare_parse<float>(diff, std_text(f));
    compare_parse<double>(diff, std_text(d));
    compare_parse<float>(diff, std_text(static_cast<double>(f), std::chars_format::scientific, 20));
    compare_parse<double>(diff, std_text(d, std::chars_format::fixed, 30));
  }
  EXPECT_EQ(diff.count(), 0);
}

TEST(NumberText, IntegersMatchStd) {
  Differences diff;
  for (const char* text :
       {"0", "-0", "7", "-7", "+7", "", "-", "12x", "2147483647", "2147483648", "-2147483648",
        "-2147483649", "9223372036854775807", "9223372036854775808", "-9223372036854775808",
        "18446744073709551615", "18446744073709551616", "99999999999999999999999"}) {
    std::string t = text;
    const char* first = t.data();
    const char* last = first + t.size();
    auto same = [&](auto zero) {
      auto ours = zero, theirs = zero;
      ParseResult a = parse_number(first, last, ours);
      auto b = std::from_chars(first, last, theirs);
      diff.check(0, "integer " + t,
                 std::to_string(ours) + " at " + std::to_string(a.ptr - first) + " ec " +
                     std::to_string(static_cast<int>(a.ec)),
                 std::to_string(theirs) + " at " + std::to_string(b.ptr - first) + " ec " +
                     std::to_string(static_cast<int>(b.ec)));
    };
    same(std::int32_t{-5});
    same(std::int64_t{-5});
    same(std::uint64_t{5});
  }
  for (std::int32_t v : {0, 7, -7, 2147483647, -2147483647 - 1}) {
    char buf[11];
    diff.check(v, "put_integer", std::string(buf, put_integer(buf, v)), std::to_string(v));
  }
  EXPECT_EQ(diff.count(), 0);
}

}  // namespace
}  // namespace lumo::num
