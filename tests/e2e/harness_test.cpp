// The harness itself: the pure helpers, and one run of a stand-in program
// (cat) to show that input reaches the program and files come back.
#include "e2e/harness.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace lumo::e2e {
namespace {

TEST(Harness, FirstDifferenceShowsCarriageReturnsAndTheLineNumber) {
  EXPECT_EQ(first_difference("a\r\nb\r\n", "a\r\nb\r\n"), "");
  EXPECT_EQ(first_difference("a\r\nb\r\n", "a\r\nc\r\n"),
            "line 2:\n  expected: b\\r\n  got:      c\\r");
  EXPECT_EQ(first_difference("a\r\n", "a\r\nx"), "line 2:\n  expected: \n  got:      x");
  EXPECT_EQ(first_difference("a\nb", "a"), "line 2:\n  expected: b\n  got:      <end>");
}

TEST(Harness, MaskDatesReplacesOnlyBlankFilledClockFields) {
  EXPECT_EQ(mask_dates("x Date:12/ 6/2026 at  9: 5: 3Hours\r\n"),
            "x Date:MM/DD/YYYY at hh:mm:ssHours\r\n");
  EXPECT_EQ(mask_dates("     Program: Lumo (v. 1.0)    Date:  1/31/1999\r\n"),
            "     Program: Lumo (v. 1.0)    Date: MM/DD/YYYY\r\n");
  // Zero-filled fields are not the report's layout and stay as they are.
  EXPECT_EQ(mask_dates(" Date:12/06/2026 at 09:05:03Hours"), " Date:12/06/2026 at 09:05:03Hours");
}

TEST(Harness, CrlfJoinsLines) { EXPECT_EQ(crlf({"a", "", "b"}), "a\r\n\r\nb\r\n"); }

TEST(Harness, RunsAProgramInAFreshDirectoryWithItsFiles) {
  const char* old = std::getenv("LUMO_BIN");
  std::string saved = old != nullptr ? old : "";
  ::setenv("LUMO_BIN", "/bin/cat", 1);
  Scenario s;
  s.defaults = "defaults\n";
  s.input = std::string(100000, 'x') + "\r\nend";
  s.prepared = {{Prepared::kFile, "old.txt", "old", 0444},
                {Prepared::kDirectory, "sub", "", 0},
                {Prepared::kSymlink, "link", "old.txt", 0}};
  Outcome o = run_program(s);
  if (old != nullptr)
    ::setenv("LUMO_BIN", saved.c_str(), 1);
  else
    ::unsetenv("LUMO_BIN");
  EXPECT_EQ(o.status, 0);
  EXPECT_FALSE(o.timed_out);
  EXPECT_EQ(o.out, s.input);
  EXPECT_EQ(o.err, "");
  ASSERT_EQ(o.files.size(), 2u);
  EXPECT_EQ(o.files["Lumo.DEF"], "defaults\n");
  EXPECT_EQ(o.files["old.txt"], "old");
}

}  // namespace
}  // namespace lumo::e2e
