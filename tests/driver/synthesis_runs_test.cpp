// The two synthesis runs called directly: rows up to the first unrealizable
// impedance, the realizability result, and what they leave in the records.
#include <gtest/gtest.h>

#include "driver/driver_fixture.h"
#include "driver/expected_reports.h"
#include "driver/lumo.h"
#include "driver/text_diff.h"

namespace lumo::testing {
namespace {

namespace ex = expected;

// Outer conductor synthesized around D 0.1" in air, 200 to 500 ohms by 100,
// losses at 1.5 GHz.
void outer_in_air(DriverFixture& t, std::int32_t iop) {
  Blk1& k = t.s.rec.blk1;
  k.er = 1.0f;
  k.dltan = 0.0f;
  k.zmin = 200.0f;
  k.zstep = 100.0f;
  t.s.rec.blk2.l = 3;
  t.s.rec.blk2.ifunc = 2;
  t.s.rec.blk2.isyn = 2;
  t.s.rec.blk2.iop = iop;
  t.s.v.f = 1.5f;
}

TEST(SynthesisLossRun, StopsAtTheFirstUnrealizableImpedanceAfterItsRows) {
  DriverFixture t;
  outer_in_air(t, 1);
  EXPECT_FALSE(synthesis_loss_run(t.s));
  std::string want = ex::synthesis_loss_outer_header() +
                     ex::synthesis_loss_headings("  1.500", true) +
                     ex::synthesis_loss_outer_rows() + ex::unrealizable_message();
  EXPECT_EQ(first_difference(want, t.console()), "");
  EXPECT_EQ(t.s.v.isyne, 1);
  EXPECT_EQ(t.s.v.zo, 500.0f);
  EXPECT_GT(t.s.rec.blk1.b, 99.99f);  // the failing diameter stays written
}

TEST(SynthesisSensitivityRun, StopsAtTheFirstUnrealizableImpedanceAfterItsRows) {
  DriverFixture t;
  outer_in_air(t, 2);
  EXPECT_FALSE(synthesis_sensitivity_run(t.s));
  std::string want = ex::synthesis_sensitivity_outer_header() + ex::sensitivity_headings(true) +
                     ex::synthesis_sensitivity_outer_rows();
  EXPECT_EQ(first_difference(want + ex::unrealizable_message(), t.console()), "");
  // The wanted impedance comes back from the sensitivity routine untouched.
  EXPECT_EQ(t.s.v.zo, 500.0f);
}

TEST(SynthesisRuns, RealizableRangeCompletesWithItsLabel) {
  DriverFixture t;
  outer_in_air(t, 1);
  t.s.rec.blk2.l = 2;  // 200 to 400 ohms
  EXPECT_TRUE(synthesis_loss_run(t.s));
  EXPECT_EQ(std::string(t.s.v.fdata.data(), 20), "Synthesis" + sp(11));
  EXPECT_EQ(t.s.v.isyne, 0);

  DriverFixture u;
  outer_in_air(u, 2);
  u.s.rec.blk2.l = 2;
  EXPECT_TRUE(synthesis_sensitivity_run(u.s));
  EXPECT_EQ(std::string(u.s.v.fdata.data(), 20), "Sensitivity" + sp(9));
}

TEST(SynthesisRuns, FirstImpedanceUnrealizablePrintsNoRow) {
  DriverFixture t;
  outer_in_air(t, 1);
  t.s.rec.blk1.zmin = 500.0f;
  t.s.rec.blk2.l = 0;
  t.store_in("syn.txt");
  t.io.data.connect(t.dir.path(), "syn.txt", t.io.defaults, Stmt::kConnectOutputFile);
  EXPECT_FALSE(synthesis_loss_run(t.s));
  t.io.data.close(Stmt::kConnectOutputFile);
  std::string want =
      ex::synthesis_loss_outer_header() + ex::synthesis_loss_headings("  1.500", true);
  // The message goes to the console alone.
  EXPECT_EQ(first_difference(want + ex::unrealizable_message(), t.console()), "");
  EXPECT_EQ(first_difference(want, t.dir.read("syn.txt")), "");
}

TEST(SynthesisRuns, InnerSynthesisNamesTheOuterAsFixedAndShowsD) {
  // 50 ohms inside B 0.25" with Er 2.1: D 0.074665".
  DriverFixture t;
  Blk1& k = t.s.rec.blk1;
  k.zmin = 50.0f;
  k.zstep = 10.0f;
  t.s.rec.blk2.l = 0;
  t.s.rec.blk2.isyn = 1;
  t.s.rec.blk2.iop = 2;
  EXPECT_TRUE(synthesis_sensitivity_run(t.s));
  const std::string out = t.console();
  EXPECT_NE(out.find(sp(8) + "B =" + " 0.2500" + "\"" + sp(10) + "Synthesis with Sensitivity"),
            std::string::npos);
  EXPECT_NE(out.find(sp(10) + "Inner" + sp(14) + "TE11"), std::string::npos);
  EXPECT_NE(out.find(sp(9) + "Cond.(D)"), std::string::npos);
  EXPECT_NE(out.find("\r\n" + sp(6) + "   0.0747" + "     50.00"), std::string::npos);
  EXPECT_EQ(k.b, 0.25f);
}

TEST(SynthesisRuns, LossHeadingsShowTheInsertionLossFrequency) {
  DriverFixture t;
  outer_in_air(t, 1);
  t.s.v.f = 12.25f;
  t.s.rec.blk2.l = 0;
  EXPECT_TRUE(synthesis_loss_run(t.s));
  EXPECT_NE(t.console().find(sp(49) + " 12.250 GHz (dB/Foot)\r\n"), std::string::npos);
}

}  // namespace
}  // namespace lumo::testing
