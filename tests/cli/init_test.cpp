// `lumo --init [--force]` through the real binary: the delivered Lumo.DEF
// written into an empty folder, an existing one kept or replaced, a failed
// write that leaves the old file, and the refused combinations.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "e2e/harness.h"

namespace lumo::e2e {
namespace {

constexpr const char* kWrote =
    "Wrote the delivered Lumo.DEF into this folder; start the dialogue with: lumo\n";
constexpr const char* kExists =
    "lumo: --init: Lumo.DEF already exists here (--force replaces it)\n";
constexpr const char* kTooLarge = "lumo: --init: Lumo.DEF: File too large\n";

TEST(Init, WritesTheDeliveredDefaultsOnlyWhereAllowed) {
  const std::string delivered = read_source_file("Lumo.DEF");
  ASSERT_GT(delivered.size(), 1000u);
  const std::optional<std::string> none;
  struct Case {
    std::vector<std::string> args;
    std::optional<std::string> before;  // Lumo.DEF before the run
    bool directory;                     // Lumo.DEF is a directory
    long limit;                         // bytes a written file may reach; 0 = none
    int status;
    const char* out;
    std::string err;
    std::optional<std::string> after;  // Lumo.DEF afterwards, the only file
  };
  const Case cases[] = {
      {{"--init"}, none, false, 0, 0, kWrote, "", delivered},
      {{"--init"}, "old\n", false, 0, 1, "", kExists, "old\n"},
      {{"--init", "--force"}, "old\n", false, 0, 0, kWrote, "", delivered},
      {{"--force", "--init"}, "", false, 0, 0, kWrote, "", delivered},
      // The limit lies below the file's size: the write fails, nothing half
      // written is left and an old file keeps its bytes.
      {{"--init"}, none, false, 1000, 1, "", kTooLarge, none},
      {{"--init", "--force"}, "old\n", false, 1000, 1, "", kTooLarge, "old\n"},
      {{"--init"}, none, true, 0, 1, "", kExists, none},
      {{"--init", "--force"},
       none,
       true,
       0,
       1,
       "",
       "lumo: --init: Lumo.DEF: Is a directory\n",
       none},
      {{"--force"},
       "old\n",
       false,
       0,
       2,
       "",
       "lumo: --force needs --init (see lumo --help)\n",
       "old\n"},
      {{"--init", "frequency"},
       "old\n",
       false,
       0,
       2,
       "",
       "lumo: --init takes no subcommand (see lumo --help)\n",
       "old\n"},
  };
  for (const Case& c : cases) {
    Scenario s;
    s.args = c.args;
    s.defaults = c.before;
    if (c.directory) s.prepared = {{Prepared::kDirectory, "Lumo.DEF", "", 0}};
    s.file_size_limit = c.limit;
    const Outcome o = run_program(s);
    const std::string what = c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : "");
    EXPECT_EQ(o.status, c.status) << what;
    EXPECT_EQ(o.out, c.out) << what;
    EXPECT_EQ(o.err, c.err) << what;
    EXPECT_EQ(o.files.size(), c.after ? 1u : 0u) << what;
    if (c.after && o.files.count("Lumo.DEF") == 1) {
      EXPECT_TRUE(o.files.at("Lumo.DEF") == *c.after) << what;
    }
  }
}

}  // namespace
}  // namespace lumo::e2e
