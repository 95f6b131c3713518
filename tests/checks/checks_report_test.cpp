#include "checks/checks_report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace lumo::checks {
namespace {

std::string sp(std::size_t n) { return std::string(n, ' '); }

// Labels fill 26 columns and values sit right-aligned in the next 12.
TEST(ChecksReport, ModesTable) {
  struct Case {
    const char* name;
    CoaxLine line;
    ModeCutoffs cutoffs;
    LineFacts facts;
    std::string expected;
  };
  // One table line per source line.
  // clang-format off
  const Case cases[] = {
      {"delivered line",
       {0.2425, 0.0726, 2.1},
       {16.455389, 16.921994, 31.742504, 47.128437},
       {0.690065559, 1.473343146},
       "B = 0.2425 in, D = 0.0726 in, Er = 2.1\n"
       "\n"
       "Mode" + sp(22) + "Cut-off, GHz\n"
       "TE11 (estimate)" + sp(17) + "16.455\n"
       "TE11" + sp(27) + "16.9220\n"
       "TE21" + sp(27) + "31.7425\n"
       "TM01" + sp(27) + "47.1284\n"
       "\n"
       "Velocity factor" + sp(16) + "0.69007\n"
       "Delay, ns/ft" + sp(19) + "1.47334\n"},
      {"carries, a missing root, a value wider than its column",
       {1.0, 0.5, 1.0},
       {9.99951, 9.99996, std::nan(""), 12345678.9},
       {1.0, 1.016703362},
       "B = 1 in, D = 0.5 in, Er = 1\n"
       "\n"
       "Mode" + sp(22) + "Cut-off, GHz\n"
       "TE11 (estimate)" + sp(17) + "10.000\n"
       "TE11" + sp(27) + "10.0000\n"
       "TE21" + sp(25) + "not found\n"
       "TM01" + sp(22) + "12345678.9000\n"
       "\n"
       "Velocity factor" + sp(16) + "1.00000\n"
       "Delay, ns/ft" + sp(19) + "1.01670\n"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(modes_table(c.line, c.cutoffs, c.facts), c.expected);
  }
}

TEST(ChecksReport, ToleranceTable) {
  ToleranceInputs inputs;
  inputs.nominal = {0.2425, 0.0726, 2.1};
  inputs.outer_tol_in = 0.0005;
  inputs.inner_tol_in = 0.0003;
  inputs.er_tol = 0.02;
  inputs.offset_in = 0.001;
  inputs.seed = 7;
  const ZoWindow window{46.934657, 53.265543};
  const WorstCase worst{
      49.897030, {-1, 1, 1, true, 49.406251}, {1, -1, -1, false, 50.397231}, 44.5224};
  MonteCarloResult mc{};
  mc.zo = {100000, 49.90026, 0.10004, 49.5, 50.3, 49.66934, 49.90011, 50.13264};
  mc.yield = 0.999951;
  Budget budget{true,
                {0.0205491, 0.0167723, 0.0167723},
                {0.0053944, 0.0056714, 0.0053944},
                {0.273751, 0.256981, 0.256981}};
  // clang-format off
  const std::string head =
      "B = 0.2425 +- 0.0005 in, D = 0.0726 +- 0.0003 in, Er = 2.1 +- 0.02, offset 0.001 in\n"
      "Return loss 30 dB against 50 ohms: Zo from 46.9347 to 53.2655 ohms\n"
      "\n"
      "Worst case" + sp(20) + "Zo, ohms   B   D  Er  Offset\n"
      "Nominal" + sp(24) + "49.8970\n"
      "Lowest corner" + sp(18) + "49.4063   -   +   +  0.001 in\n"
      "Highest corner" + sp(17) + "50.3972   +   -   -  0 in\n"
      "Worst return loss, dB" + sp(12) + "44.52\n"
      "\n"
      "Monte Carlo: 100000 samples, normal, seed 7\n"
      "Mean, ohms" + sp(21) + "49.9003\n"
      "Standard deviation, ohms" + sp(8) + "0.1000\n"
      "1st percentile, ohms" + sp(11) + "49.6693\n"
      "Median, ohms" + sp(19) + "49.9001\n"
      "99th percentile, ohms" + sp(10) + "50.1326\n"
      "Yield, %" + sp(24) + "100.00\n"
      "\n";
  EXPECT_EQ(tolerance_table(inputs, window, worst, mc, budget),
            head + "Budget, each alone" + sp(18) + "+-" + sp(8) + "rise" + sp(8) + "fall\n" +
                "B, in" + sp(25) + "0.016772" + sp(4) + "0.020549" + sp(4) + "0.016772\n" +
                "D, in" + sp(25) + "0.005394" + sp(4) + "0.005394" + sp(4) + "0.005671\n" +
                "Er" + sp(29) + "0.25698" + sp(5) + "0.27375" + sp(5) + "0.25698\n");
  // clang-format on
  budget.feasible = false;
  EXPECT_EQ(tolerance_table(inputs, window, worst, mc, budget),
            head + "Budget: none, the nominal line misses the return loss target\n");
}

}  // namespace
}  // namespace lumo::checks
