// The two analysis runs called directly on a prepared session: exact report
// bytes on the console and in the output file, row counts and what the runs
// leave behind in the records.
#include <gtest/gtest.h>

#include <limits>

#include "driver/driver_fixture.h"
#include "driver/expected_reports.h"
#include "driver/lumo.h"
#include "driver/text_diff.h"

namespace lumo::testing {
namespace {

namespace ex = expected;

void frequency_sweep(DriverFixture& t, float fmin, float fstep, std::int32_t l) {
  t.s.rec.blk1.fmin = fmin;
  t.s.rec.blk1.fstep = fstep;
  t.s.rec.blk2.l = l;
}

TEST(FrequencyRun, OneToTwoGigahertzBy0_3GivesFourRowsOfTheReferenceLine) {
  DriverFixture t;
  frequency_sweep(t, 1.0f, 0.3f, 3);
  frequency_run(t.s);
  EXPECT_EQ(first_difference(ex::frequency_run_reference(), t.console()), "");
  EXPECT_EQ(std::string(t.s.v.fdata.data(), 20), "Frequency" + sp(11));
  // The last row's frequency stays in f; the line constants in their fields.
  EXPECT_FLOAT_EQ(t.s.v.f, 1.9f);
  EXPECT_EQ(t.s.v.il, 3);
  EXPECT_FALSE(t.io.data.is_connected());
}

TEST(FrequencyRun, EqualLimitsAndAnInfiniteStepGiveOneRowAtTheMinimum) {
  for (float step : {0.5f, std::numeric_limits<float>::infinity()}) {
    DriverFixture t;
    frequency_sweep(t, 1.0f, step, 0);
    frequency_run(t.s);
    std::string want = ex::frequency_header_reference() + ex::frequency_headings() +
                       ex::frequency_row_1_0() + ex::frequency_closing_reference();
    EXPECT_EQ(first_difference(want, t.console()), "") << "step " << step;
  }
}

TEST(FrequencyRun, ElevenRowsFromOneToTwoByATenthEndExactlyAtTwo) {
  DriverFixture t;
  frequency_sweep(t, 1.0f, 0.1f, 10);
  frequency_run(t.s);
  const std::string out = t.console();
  // Each row's frequency comes from its index, never from adding steps up.
  for (const char* f : {"   1.000", "   1.100", "   1.500", "   1.700", "   2.000"}) {
    EXPECT_NE(out.find("\r\n" + sp(8) + f + "    "), std::string::npos) << f;
  }
  EXPECT_EQ(t.s.v.f, 2.0f);
}

TEST(FrequencyRun, StoredReportGoesToTheFileWithTheSameBytes) {
  DriverFixture t;
  frequency_sweep(t, 1.0f, 0.3f, 3);
  t.store_in("freq.txt");
  t.io.data.connect(t.dir.path(), "freq.txt", t.io.defaults, Stmt::kConnectOutputFile);
  frequency_run(t.s);
  t.io.data.close(Stmt::kConnectOutputFile);
  EXPECT_EQ(first_difference(ex::frequency_run_reference(), t.console()), "");
  EXPECT_EQ(first_difference(ex::frequency_run_reference(), t.dir.read("freq.txt")), "");
}

TEST(SensitivityRun, OuterSweepSkipsDiametersNotLargerThanTheInner) {
  DriverFixture t;
  Blk1& k = t.s.rec.blk1;
  k.bmin = 0.05f;
  k.bstep = 0.05f;
  t.s.rec.blk2.l = 5;
  t.s.rec.blk2.idia = 2;
  t.s.rec.blk2.iop = 2;
  sensitivity_run(t.s);
  std::string want = ex::sensitivity_header("D =", "  0.1000", "  2.100") +
                     ex::sensitivity_headings(true) + ex::sensitivity_outer_rows();
  EXPECT_EQ(first_difference(want, t.console()), "");
  EXPECT_EQ(std::string(t.s.v.fdata.data(), 20), "Sensitivity" + sp(9));
  EXPECT_EQ(k.b, 0.3f);  // the last swept value stays
  EXPECT_EQ(k.d, 0.1f);
}

TEST(SensitivityRun, InnerSweepStopsPrintingOnceTheInnerReachesTheOuter) {
  DriverFixture t;
  Blk1& k = t.s.rec.blk1;
  k.b = 0.2f;
  k.dmin = 0.1f;
  k.dstep = 0.05f;
  t.s.rec.blk2.l = 4;
  t.s.rec.blk2.idia = 1;
  t.s.rec.blk2.iop = 2;
  sensitivity_run(t.s);
  std::string want = ex::sensitivity_header("B =", "  0.2000", "  2.100") +
                     ex::sensitivity_headings(false) + ex::sensitivity_inner_rows();
  EXPECT_EQ(first_difference(want, t.console()), "");
  // The skipped 0.30 stays in d although no row was printed for it.
  EXPECT_EQ(k.d, 0.3f);
  EXPECT_EQ(t.s.v.il, 4);
}

TEST(SensitivityRun, EverySkippedStepLeavesHeaderAndHeadingsOnly) {
  // Outer diameters beyond 99.99" are skipped like those below the inner.
  DriverFixture t;
  Blk1& k = t.s.rec.blk1;
  k.bmin = 100.0f;
  k.bstep = 1.0f;
  t.s.rec.blk2.l = 2;
  t.s.rec.blk2.idia = 2;
  t.s.rec.blk2.iop = 2;
  t.store_in("sens.txt");
  t.io.data.connect(t.dir.path(), "sens.txt", t.io.defaults, Stmt::kConnectOutputFile);
  sensitivity_run(t.s);
  t.io.data.close(Stmt::kConnectOutputFile);
  std::string want =
      ex::sensitivity_header("D =", "  0.1000", "  2.100") + ex::sensitivity_headings(true);
  EXPECT_EQ(first_difference(want, t.console()), "");
  EXPECT_EQ(first_difference(want, t.dir.read("sens.txt")), "");
  EXPECT_EQ(k.b, 102.0f);
}

}  // namespace
}  // namespace lumo::testing
