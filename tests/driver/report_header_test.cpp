// The report header and trailer, and the output file they connect and fill.
#include <gtest/gtest.h>

#include "driver/driver_fixture.h"
#include "driver/expected_reports.h"
#include "driver/lumo.h"
#include "driver/run_support.h"
#include "driver/text_diff.h"

namespace lumo::testing {
namespace {

namespace ex = expected;

TEST(ReportHeader, ClockFieldsAreBlankFilledNotZeroFilled) {
  DriverFixture t;
  report_header(t.s);
  EXPECT_EQ(first_difference(ex::report_header(), t.console()), "");
  EXPECT_NE(t.console().find(" Date:12/ 6/2026 at  9: 5: 3Hours\r\n"), std::string::npos);
  EXPECT_FALSE(t.io.data.is_connected());
}

TEST(ReportHeader, StoringConnectsTheFileAndReplacesALongerOldOne) {
  DriverFixture t;
  t.dir.write("out.txt", std::string(20000, 'x'));
  t.store_in("out.txt");
  report_header(t.s);
  finish_io(t.io, false);
  EXPECT_EQ(first_difference(ex::report_header(), t.console()), "");
  EXPECT_EQ(first_difference(ex::report_header(), t.dir.read("out.txt")), "");
}

TEST(ReportTrailer, WithoutStorageTheRuleAlone) {
  DriverFixture t;
  t.s.v.fdata = label("Frequency");
  report_trailer(t.s);
  EXPECT_EQ(t.console(), ex::trailer());
}

TEST(ReportTrailer, StoredLineShowsTwelveCharactersOfTheLabelAndTheWholeName) {
  DriverFixture t;
  t.store_in("report.txt");
  report_header(t.s);
  std::string header = t.out.take_text();
  std::copy_n("Sensitivity         ", 20, t.s.v.fdata.begin());
  report_trailer(t.s);
  finish_io(t.io, false);
  std::string want = ex::trailer_stored("Sensitivity ", "report.txt" + sp(10));
  EXPECT_EQ(first_difference(want, t.console()), "");
  EXPECT_EQ(first_difference(header + want, t.dir.read("report.txt")), "");
}

TEST(ReportTrailer, FrequencyLabelIsPaddedToTwelve) {
  DriverFixture t;
  t.store_in("a");
  report_header(t.s);
  t.out.take_text();
  std::copy_n("Frequency           ", 20, t.s.v.fdata.begin());
  report_trailer(t.s);
  EXPECT_EQ(t.console(), ex::trailer_stored("Frequency   ", "a" + sp(19)));
}

TEST(OutputFile, SameNameAgainAppendsAnotherNameClosesTheFirstComplete) {
  DriverFixture t;
  auto pass = [&](const char* name) {
    if (name != nullptr) {
      t.store_in(name);
    } else {
      t.s.rec.blk2.istore = 0;
    }
    report_header(t.s);
    t.s.v.fdata = label("Frequency");
    report_trailer(t.s);
  };
  pass("a.txt");
  pass(nullptr);  // no storage: a.txt stays connected and untouched
  pass("a.txt");
  const std::string one =
      ex::report_header() + ex::trailer_stored("Frequency   ", "a.txt" + sp(15));
  // a.txt is closed complete when b.txt is connected.
  pass("b.txt");
  EXPECT_EQ(first_difference(one + one, t.dir.read("a.txt")), "");
  finish_io(t.io, false);
  EXPECT_EQ(
      first_difference(ex::report_header() + ex::trailer_stored("Frequency   ", "b.txt" + sp(15)),
                       t.dir.read("b.txt")),
      "");
}

}  // namespace
}  // namespace lumo::testing
