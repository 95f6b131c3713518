// The output data file across passes, and every way it can fail: the report
// text already written stays intact, the stop is reported on channel 1.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "driver/expected_reports.h"
#include "e2e/harness.h"

namespace lumo::e2e {
namespace {

namespace ex = lumo::testing::expected;
using ex::blanks;

constexpr std::string_view kMasked = "MM/DD/YYYY at hh:mm:ss";

// A first pass: frequency analysis of the defaults' line from 1 to 2 GHz by
// 0.3, stored in `name` ("" = not stored).
std::string first_pass(const std::string& name) {
  return std::string(10, '\n') + "1\n2\n0.3\n" + (name.empty() ? "\n" : "1\n" + name + "\n");
}
// A "Select new OPTION" pass repeating that run (the range is kept).
std::string option_pass(const std::string& name) {
  return std::string(4, '\n') + (name.empty() ? "\n" : "1\n" + name + "\n");
}

// The file text of that run stored in `name`.
std::string stored_report(const std::string& name) {
  return ex::report_header(kMasked) + ex::frequency_run_reference() +
         ex::trailer_stored("Frequency   ", name + blanks(20 - static_cast<int>(name.size())));
}

Outcome run(const std::string& input, std::vector<Prepared> prepared = {}) {
  Scenario s;
  s.defaults = kReferenceLineDefaults;
  s.input = input;
  s.prepared = std::move(prepared);
  Outcome o = run_program(s);
  o.out = mask_dates(o.out);
  for (auto& [name, text] : o.files) text = mask_dates(text);
  return o;
}

std::string file(const Outcome& o, const std::string& name) {
  auto it = o.files.find(name);
  return it == o.files.end() ? "<missing>" : it->second;
}

// The error stream's two lines, with the free statement number and source.
void expect_stop(const Outcome& o, const std::string& unit_part, const std::string& reason) {
  EXPECT_EQ(o.status, 2);
  const std::string want = " (unit = " + unit_part + ")\nLumo runtime error: " + reason + "\n";
  EXPECT_TRUE(o.err.starts_with("At line ")) << o.err;
  EXPECT_TRUE(o.err.ends_with(want)) << o.err;
  EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 2);
}

TEST(Storage, TwoRunsInOneFileWithTheSameDateAndTime) {
  // The second pass answers the name prompt with Enter: the name is kept.
  Outcome o = run(first_pass("a.txt") + "1\n" + std::string(4, '\n') + "1\n\n" + "3\n");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(first_difference(stored_report("a.txt") + stored_report("a.txt"), file(o, "a.txt")),
            "");
}

TEST(Storage, FileAThenFileB) {
  Outcome o = run(first_pass("a.txt") + "1\n" + option_pass("b.txt") + "3\n");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(first_difference(stored_report("a.txt"), file(o, "a.txt")), "");
  EXPECT_EQ(first_difference(stored_report("b.txt"), file(o, "b.txt")), "");
}

TEST(Storage, FileAThenNoStorageThenFileAAgain) {
  Outcome o =
      run(first_pass("a.txt") + "1\n" + option_pass("") + "1\n" + option_pass("a.txt") + "3\n");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(first_difference(stored_report("a.txt") + stored_report("a.txt"), file(o, "a.txt")),
            "");
  // Only the stored passes name the file on the console.
  std::size_t named = 0;
  for (auto at = o.out.find("Data stored in User filename: "); at != std::string::npos;
       at = o.out.find("Data stored in User filename: ", at + 1)) {
    ++named;
  }
  EXPECT_EQ(named, 2u);
}

TEST(Storage, AnExistingLongerFileIsReplaced) {
  Outcome o = run(first_pass("old.txt") + "3\n",
                  {{Prepared::kFile, "old.txt", std::string(20000, 'x') + "\r\n", 0644}});
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(first_difference(stored_report("old.txt"), file(o, "old.txt")), "");
}

TEST(Storage, LeadingBlanksArePartOfTheName) {
  Outcome o = run(first_pass("  lead.txt") + "3\n");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.files.count("lead.txt"), 0u);
  EXPECT_EQ(first_difference(stored_report("  lead.txt"), file(o, "  lead.txt")), "");
}

TEST(StorageFailure, ADirectoryCannotBeOpened) {
  // The first report is complete in a.txt; the console shows the second
  // report header, which goes out before the file is opened.
  Outcome o = run(first_pass("a.txt") + "1\n" + option_pass("out") + "3\n",
                  {{Prepared::kDirectory, "out", "", 0}});
  expect_stop(o, "1", "'out' is a directory");
  EXPECT_EQ(first_difference(stored_report("a.txt"), file(o, "a.txt")), "");
  EXPECT_TRUE(o.out.ends_with("Storage: " + ex::report_header(kMasked)));
}

TEST(StorageFailure, TheOpenDefaultsFileUnderAnotherName) {
  const std::string defaults = kReferenceLineDefaults;
  Outcome o = run(first_pass("a.txt") + "1\n" + option_pass("settings") + "3\n",
                  {{Prepared::kSymlink, "settings", "Lumo.DEF", 0}});
  expect_stop(o, "1", "File already opened in another unit");
  EXPECT_EQ(file(o, "Lumo.DEF"), defaults);
  EXPECT_EQ(first_difference(stored_report("a.txt"), file(o, "a.txt")), "");
}

TEST(StorageFailure, AWriteFailureAtTheEndIsReportedAfterTheLastPrompt) {
  // /dev/full accepts the open; the report's bytes fail when delivered.
  Outcome o = run(first_pass("a.txt") + "1\n" + option_pass("full") + "3\n",
                  {{Prepared::kSymlink, "full", "/dev/full", 0}});
  expect_stop(o, "1, file = 'full'", "No space left on device");
  EXPECT_EQ(first_difference(stored_report("a.txt"), file(o, "a.txt")), "");
  EXPECT_TRUE(o.out.ends_with(ex::operation_menu()));
}

TEST(StorageFailure, AReadOnlyFileFailsAtItsFirstLine) {
  Scenario s;
  s.defaults = kReferenceLineDefaults;
  s.input = first_pass("a.txt") + "1\n" + option_pass("ro.txt") + "3\n";
  s.prepared = {{Prepared::kFile, "ro.txt", "earlier\r\n", 0444}};
  s.unprivileged = true;
  Outcome o = run_program(s);
  expect_stop(o, "1, file = 'ro.txt'", "Cannot write to file opened for READ");
  EXPECT_EQ(o.files["ro.txt"], "earlier\r\n");
  EXPECT_EQ(first_difference(stored_report("a.txt"), mask_dates(o.files["a.txt"])), "");
}

TEST(StorageFailure, EndOfInputLeavesTheStoredReportComplete) {
  Outcome o = run(first_pass("a.txt"));
  expect_stop(o, "5, file = 'stdin'", "End of file");
  EXPECT_EQ(first_difference(stored_report("a.txt"), file(o, "a.txt")), "");
}

}  // namespace
}  // namespace lumo::e2e
