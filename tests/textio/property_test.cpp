// Property tests against slow, independent references: the fixed-point field
// against the exact decimal expansion printed by the C library and rounded by
// string arithmetic; the numeric entry against strtof on a normalised field.
// LUMO_PROPERTY_SAMPLES sets the number of random values (default 200000).
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "textio/fields.h"
#include "textio/numeric_entry.h"

namespace lumo {
namespace {

long samples() {
  const char* env = std::getenv("LUMO_PROPERTY_SAMPLES");
  long n = env ? std::atol(env) : 0;
  return n > 0 ? n : 200000;
}

// Fw.d of a finite float by the layout rules, from its exact expansion.
std::string reference_fixed(float v, int w, int d) {
  // A float has at most 149 binary (so decimal) fraction digits: %.160f is
  // its exact value.
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.160f", std::fabs(static_cast<double>(v)));
  std::string s = buf;
  std::size_t point = s.find('.');
  std::string int_part = s.substr(0, point);
  std::string frac = s.substr(point + 1);
  bool up = frac[static_cast<std::size_t>(d)] >= '5';
  std::string digits = int_part + frac.substr(0, static_cast<std::size_t>(d));
  if (up) {
    std::size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0)
      digits.insert(digits.begin(), '1');
    else
      ++digits[i - 1];
  }
  std::string ip = digits.substr(0, digits.size() - static_cast<std::size_t>(d));
  std::string fp = digits.substr(digits.size() - static_cast<std::size_t>(d));
  ip.erase(0,
           ip.find_first_not_of('0') == std::string::npos ? ip.size() : ip.find_first_not_of('0'));
  std::string body = (std::signbit(v) ? "-" : "") + ip + "." + fp;
  auto width = static_cast<std::size_t>(w);
  if (body.size() > width) return std::string(width, '*');
  if (ip.empty() && body.size() < width) body.insert(std::signbit(v) ? 1 : 0, "0");
  return std::string(width - body.size(), ' ') + body;
}

struct Layout {
  int w, d;
};
constexpr Layout kLayouts[] = {{7, 2},
                               {7, 3},
                               {7, 4},
                               {8, 2},
                               {8, 3},
                               {8, 4},
                               {8, 5},
                               {9, 2},
                               {9, 3},
                               {9, 4},
                               {10, 2},
                               {10, 3},
                               {10, 4},
                               {11, 3},
                               {11, 4},
                               // no decimals; the most decimals of the fast path
                               // and the fewest of the exact one; wide fields
                               {12, 0},
                               {14, 9},
                               {15, 10},
                               {45, 2},
                               {40, 20}};

TEST(FixedFieldProperty, MatchesTheExactReference) {
  std::mt19937_64 rng(20240607);
  long n = samples();
  long failures = 0;
  auto check = [&](float v, const Layout& f) {
    if (!std::isfinite(v)) return;
    std::string got = fixed_field(v, f.w, f.d);
    std::string want = reference_fixed(v, f.w, f.d);
    if (got != want && ++failures <= 20) {
      ADD_FAILURE() << "F" << f.w << "." << f.d << " of bits 0x" << std::hex
                    << std::bit_cast<std::uint32_t>(v) << ": got [" << got << "] want [" << want
                    << "]";
    }
  };
  std::uniform_int_distribution<std::uint32_t> bits;
  std::uniform_int_distribution<int> scale(-7, 7);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::uniform_int_distribution<int> nudge(-3, 3);
  for (long i = 0; i < n; ++i) {
    const Layout& f = kLayouts[static_cast<std::size_t>(i) % std::size(kLayouts)];
    float v = 0;
    switch (i % 4) {
      case 0:  // any bit pattern
        v = std::bit_cast<float>(bits(rng));
        break;
      case 1:  // the magnitudes the reports show
        v = static_cast<float>(unit(rng) * std::pow(10.0, scale(rng)));
        break;
      case 2: {  // next to a rounding tie of this layout
        double tie = (std::floor(unit(rng) * std::pow(10.0, f.w - 2)) + 0.5) / std::pow(10.0, f.d);
        v = static_cast<float>(tie);
        for (int k = nudge(rng); k != 0; k += (k < 0 ? 1 : -1)) {
          v = std::nextafter(v, k < 0 ? 0.0f : INFINITY);
        }
        break;
      }
      default: {  // next to the width limit of this layout
        double limit = std::pow(10.0, f.w - f.d - 1) - 0.5 * std::pow(10.0, -f.d);
        v = static_cast<float>(limit);
        for (int k = nudge(rng); k != 0; k += (k < 0 ? 1 : -1)) {
          v = std::nextafter(v, k < 0 ? 0.0f : INFINITY);
        }
        break;
      }
    }
    if (bits(rng) & 1) v = -v;
    check(v, f);
  }
  EXPECT_EQ(failures, 0);
}

// Reference for fields over the characters 0-9 . + - e E d D (no blanks):
// the grammar  [sign] digits [.] digits [(E|e|D|d)[sign] | sign] digits+
// matched piece by piece, the value by strtof.
struct Reference {
  bool malformed;
  float value;
};

Reference reference_numeric(const std::string& field) {
  std::size_t i = 0;
  auto take = [&](std::string_view set) {
    std::size_t start = i;
    while (i < field.size() && set.find(field[i]) != std::string_view::npos) ++i;
    return field.substr(start, i - start);
  };
  auto take_one = [&](std::string_view set) {
    if (i < field.size() && set.find(field[i]) != std::string_view::npos)
      return field.substr(i++, 1);
    return std::string();
  };
  std::string sign = take_one("+-");
  std::string whole = take("0123456789");
  take_one(".");
  std::string fraction = take("0123456789");
  std::string exponent;
  if (i < field.size()) {
    std::string letter = take_one("eEdD");
    std::string exponent_sign = take_one("+-");
    std::string digits = take("0123456789");
    if ((letter.empty() && exponent_sign.empty()) || digits.empty()) return {true, 0};
    exponent = "e" + exponent_sign + digits;
  }
  if (i != field.size()) return {true, 0};
  if (whole.empty() && fraction.empty()) return {false, 0.0f};
  std::string text = sign + whole + "." + fraction + exponent;
  return {false, std::strtof(text.c_str(), nullptr)};
}

bool same_float(float a, float b) {
  return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b) ||
         (std::isnan(a) && std::isnan(b));
}

TEST(NumericEntryProperty, RandomFieldsMatchTheGrammarAndStrtof) {
  std::mt19937_64 rng(7);
  const std::string alphabet = "0123456789012345678901234567890123456789..++--eEdD";
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> length(0, 13);
  long n = samples() / 2;
  long failures = 0;
  for (long i = 0; i < n; ++i) {
    std::string field;
    for (int k = length(rng); k > 0; --k) field.push_back(alphabet[pick(rng)]);
    NumericEntry got = parse_numeric(field);
    Reference want = reference_numeric(field);
    bool ok =
        got.malformed == want.malformed && (got.malformed || same_float(got.value, want.value));
    if (!ok && ++failures <= 20) {
      ADD_FAILURE() << "[" << field << "] got " << (got.malformed ? "malformed" : "") << got.value
                    << " want " << (want.malformed ? "malformed" : "") << want.value;
    }
  }
  EXPECT_EQ(failures, 0);
}

TEST(NumericEntryProperty, ValidNumbersWithBlanksMatchStrtof) {
  std::mt19937_64 rng(11);
  std::uniform_int_distribution<int> digit(0, 9), count(0, 9), coin(0, 1), expo(0, 45);
  long n = samples() / 2;
  long failures = 0;
  for (long i = 0; i < n; ++i) {
    // sign, digits with one point, exponent; blanks put between characters.
    std::string plain;
    if (coin(rng)) plain.push_back(coin(rng) ? '-' : '+');
    int before = count(rng), after = count(rng);
    for (int k = 0; k < before; ++k) plain.push_back(static_cast<char>('0' + digit(rng)));
    plain.push_back('.');
    for (int k = 0; k < after || (before == 0 && k == 0); ++k) {
      plain.push_back(static_cast<char>('1' + digit(rng) % 9));
    }
    if (coin(rng)) {
      plain += coin(rng) ? "e" : "e-";
      plain += std::to_string(expo(rng));
    }
    std::string field;
    for (char c : plain) {
      field.push_back(c);
      if (digit(rng) == 0) field.push_back(' ');
    }
    if (field.size() > kNumericWidth) continue;
    NumericEntry got = parse_numeric(field);
    float want = std::strtof(plain.c_str(), nullptr);
    if ((got.malformed || !same_float(got.value, want)) && ++failures <= 20) {
      ADD_FAILURE() << "[" << field << "] got " << got.value << " want " << want;
    }
  }
  EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace lumo
