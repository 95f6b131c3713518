// The sensitivity run passes over the left-out steps at both ends of a sweep
// without visiting them. Checked against stepping through every step with the
// rule written out plainly, over many sweeps whose windows begin and end at
// awkward places, and on a sweep of two billion steps, nearly all left out.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "driver/driver_fixture.h"
#include "driver/lumo.h"
#include "textio/fields.h"

namespace lumo::testing {
namespace {

// The printed diameters (first column, F9.4) of every row in the console.
std::vector<std::string> first_columns(const std::string& console) {
  std::vector<std::string> out;
  const std::string marker = std::string(68, '-') + "\r\n";
  std::size_t at = console.find(marker);
  if (at == std::string::npos) return out;
  at += marker.size();
  while (at < console.size()) {
    std::size_t end = console.find("\r\n", at);
    out.push_back(console.substr(at + 6, 9));
    at = end + 2;
  }
  return out;
}

// Every step visited: min + i x step in double, stored in single precision;
// a row unless B <= D, B > 99.99, or D < 0.0001.
std::vector<float> rows_by_stepping(bool outer, float fixed, float min, float step,
                                    std::int32_t last, float& final_value) {
  std::vector<float> rows;
  for (std::int32_t i = 0; i <= last; ++i) {
    float x = i == 0 ? min
                     : static_cast<float>(static_cast<double>(min) +
                                          static_cast<double>(i) * static_cast<double>(step));
    final_value = x;
    float b = outer ? x : fixed;
    float d = outer ? fixed : x;
    if (d >= b || b > 99.99f || d < 0.0001f) continue;
    rows.push_back(x);
  }
  return rows;
}

TEST(SensitivitySkips, SameRowsAsSteppingThroughEveryStep) {
  std::mt19937 rng(20261207);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  for (int n = 0; n < 400; ++n) {
    const bool outer = n % 2 == 0;
    DriverFixture t;
    Blk1& k = t.s.rec.blk1;
    // Fixed diameters and sweeps placed so that both left-out runs occur,
    // with windows that start or end between steps or exactly on one.
    const float fixed = outer ? 0.05f + unit(rng) * 50.0f : 0.001f + unit(rng) * 2.0f;
    const float min = outer ? unit(rng) * fixed : unit(rng) * 0.0002f;
    const float step = outer ? (99.99f - min) / (3.0f + unit(rng) * 60.0f)
                             : (fixed * 1.3f - min) / (3.0f + unit(rng) * 60.0f);
    const auto last = static_cast<std::int32_t>(4 + unit(rng) * 80.0f);
    (outer ? k.d : k.b) = fixed;
    (outer ? k.bmin : k.dmin) = min;
    (outer ? k.bstep : k.dstep) = step;
    t.s.rec.blk2.l = last;
    t.s.rec.blk2.idia = outer ? 2 : 1;
    t.s.rec.blk2.iop = 2;
    sensitivity_run(t.s);

    float final_value = 0;
    std::vector<std::string> want;
    for (float x : rows_by_stepping(outer, fixed, min, step, last, final_value)) {
      want.push_back(fixed_field(x, 9, 4));
    }
    EXPECT_EQ(first_columns(t.console()), want) << "case " << n;
    EXPECT_EQ(outer ? k.b : k.d, final_value) << "case " << n;
    EXPECT_EQ(outer ? k.d : k.b, fixed) << "case " << n;
  }
}

TEST(SensitivitySkips, TwoBillionLeftOutStepsEndAtOnce) {
  // B swept from 0.0001 by 1e-11 never passes D = 0.1; D swept from 0.3 is
  // never below B = 0.25. Stepping through either would take seconds.
  for (const bool outer : {true, false}) {
    DriverFixture t;
    Blk1& k = t.s.rec.blk1;
    const float min = outer ? 0.0001f : 0.3f;
    const float step = 1e-11f;
    (outer ? k.bmin : k.dmin) = min;
    (outer ? k.bstep : k.dstep) = step;
    t.s.rec.blk2.l = 2147483647;
    t.s.rec.blk2.idia = outer ? 2 : 1;
    t.s.rec.blk2.iop = 2;
    sensitivity_run(t.s);
    EXPECT_TRUE(first_columns(t.console()).empty());
    EXPECT_EQ(t.s.v.il, 2147483647);
    EXPECT_EQ(outer ? k.b : k.d, static_cast<float>(static_cast<double>(min) +
                                                    2147483647.0 * static_cast<double>(step)));
  }
}

}  // namespace
}  // namespace lumo::testing
