// The defaults file: every line's check, the three messages, and the values
// stored from a good file.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <utility>
#include <vector>

#include "input/dialogue_fixture.h"
#include "textio/fatal.h"

namespace lumo::testing {
namespace {

std::vector<std::string> good_lines() {
  std::vector<std::string> lines;
  std::istringstream in(kRoughConductorsDefaults);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The test defaults cut after line n.
std::string defaults_cut(int n) {
  std::vector<std::string> lines = good_lines();
  std::string file;
  for (int i = 0; i < n; ++i) file += lines[static_cast<std::size_t>(i)] + "\n";
  return file;
}

std::string end_message(const std::string& label11) {
  return ind(6, "End of file in Lumo default data file \r\n") +
         ind(6, "(Lumo.DEF). Entry missing for variable " + label11 + "\r\n");
}
std::string error_message(const std::string& label11) {
  return ind(6, "ERROR exists in Lumo default data file\r\n") +
         ind(6, "(Lumo.DEF). Fix entry for variable " + label11 + "\r\n");
}

struct DefaultsCase {
  int line;          // line replaced, or with no text: the file ends after -line
  const char* text;  // its new text, or null
  std::string want;  // console text; "" when the file is accepted
};

class DefaultsLine : public ::testing::TestWithParam<DefaultsCase> {};

TEST_P(DefaultsLine, FailsWithTheMessageNamingTheLine) {
  const DefaultsCase& one = GetParam();
  DialogueFixture s(
      "", one.text == nullptr ? defaults_cut(-one.line) : defaults_with({{one.line, one.text}}));
  bool loaded = load_defaults(s.rec, s.io());
  EXPECT_EQ(s.take(), one.want) << "line " << one.line << ": " << (one.text ? one.text : "(end)");
  EXPECT_EQ(loaded, one.want.empty());
  EXPECT_EQ(s.rec.blk2.isel, one.want.empty() ? 0 : -1);
}

// The bounds of every line's range are probed by AcceptedRanges in
// dialogue_test.cpp; these are the ends of the file, values read from the
// wrong columns, the name line, and values no bound decides.
INSTANTIATE_TEST_SUITE_P(
    Lines, DefaultsLine,
    ::testing::Values(
        DefaultsCase{0, nullptr, end_message("1st line.  ")},
        DefaultsCase{-1, nullptr, end_message("F.         ")},
        DefaultsCase{-9, nullptr, end_message("ER.        ")},
        DefaultsCase{-22, nullptr, end_message("FN.        ")}, DefaultsCase{1, "", ""},
        DefaultsCase{2, "             2.0", error_message("F.         ")},  // reads as 0
        DefaultsCase{3, "             4.0", error_message("FMIN.      ")},  // 0 passes FMAX
        DefaultsCase{13, "", ""},                                           // raised to BMIN.
        DefaultsCase{19, "             5", ""},                             // DLTAN reads as 0
        DefaultsCase{23, "", error_message("FN.        ")}, DefaultsCase{23, "LUMO.DEF", ""},
        DefaultsCase{23, " lumo.def", ""},
        DefaultsCase{23, "lumo.def",
                     "\r\n" + ind(6, "Filename lumo.def             is reserved by Lumo.\r\n") +
                         ind(6, "Please rename the default file in (Lumo.DEF).\r\n") + "\r\n"},
        DefaultsCase{23, "Lumo.EXE  ",
                     "\r\n" + ind(6, "Filename Lumo.EXE             is reserved by Lumo.\r\n") +
                         ind(6, "Please rename the default file in (Lumo.DEF).\r\n") + "\r\n"},
        // Malformed numbers, NaN and infinities on bounded lines fail the
        // line they stand on.
        DefaultsCase{10, "2.1 PTFE", error_message("ER.        ")},
        DefaultsCase{10, "2..1", error_message("ER.        ")},
        DefaultsCase{10, "nan", error_message("ER.        ")},
        DefaultsCase{13, "nan", error_message("BMAX.      ")},
        DefaultsCase{22, "NaN", error_message("ZSTEP.     ")},
        DefaultsCase{17, "inf", error_message("DMAX.      ")},
        DefaultsCase{22, "-inf", error_message("ZSTEP.     ")}));

TEST(Defaults, GoodFileFillsEveryField) {
  DialogueFixture s("");
  ASSERT_TRUE(load_defaults(s.rec, s.io()));
  EXPECT_EQ(s.take(), "");
  const Blk1& inputs = s.rec.blk1;
  EXPECT_EQ(inputs.fdef, 2.0f);
  EXPECT_EQ(inputs.fmax, 4.0f);
  EXPECT_EQ(inputs.fmin, 1.0f);
  EXPECT_EQ(inputs.fstep, 0.5f);
  EXPECT_EQ(inputs.resb1, 1.72f);
  EXPECT_EQ(inputs.resd1, 2.44f);
  EXPECT_EQ(inputs.srb1, 10.0f);
  EXPECT_EQ(inputs.srd1, 20.0f);
  EXPECT_EQ(inputs.er, 2.1f);
  EXPECT_EQ(inputs.b, 0.25f);
  EXPECT_EQ(inputs.bdef, 0.25f);
  EXPECT_EQ(inputs.bmin, 0.2f);
  EXPECT_EQ(inputs.bmax, 0.4f);
  EXPECT_EQ(inputs.bstep, 0.05f);
  EXPECT_EQ(inputs.d, 0.1f);
  EXPECT_EQ(inputs.ddef, 0.1f);
  EXPECT_EQ(inputs.dmin, 0.05f);
  EXPECT_EQ(inputs.dmax, 0.2f);
  EXPECT_EQ(inputs.dstep, 0.05f);
  EXPECT_EQ(inputs.dltan, 0.0004f);
  EXPECT_EQ(inputs.zmax, 80.0f);
  EXPECT_EQ(inputs.zmin, 40.0f);
  EXPECT_EQ(inputs.zstep, 10.0f);
  EXPECT_EQ(std::string(s.rec.blk3.fn.data(), 20), "out.txt             ");
  EXPECT_TRUE(s.io().defaults.is_open());  // kept connected until the end
}

TEST(Defaults, MaximaBelowTheMinimumAreRaised) {
  DialogueFixture s("", defaults_with({{13, ""}, {17, "0.01"}}));
  ASSERT_TRUE(load_defaults(s.rec, s.io()));
  EXPECT_EQ(s.rec.blk1.bmax, 0.2f);
  EXPECT_EQ(s.rec.blk1.dmax, 0.05f);
}

// The test file's values alone (no labels), each line ended by `end`; the
// header line always ends in LF.
std::string values_ending_in(const std::string& end) {
  std::string out = "Test line\n";
  std::string rest = std::strchr(kRoughConductorsDefaults, '\n') + 1;
  for (std::size_t at = 0; at < rest.size();) {
    std::size_t lf = rest.find('\n', at);
    std::string line = rest.substr(at, lf - at);
    out += line.substr(0, line.find(' ')) + end;
    at = lf + 1;
  }
  return out;
}

TEST(Defaults, EveryLineEndReadsTheSame) {
  std::string crlf = kRoughConductorsDefaults;  // with the labels beyond column 13
  for (std::size_t i = crlf.find('\n'); i != std::string::npos; i = crlf.find('\n', i + 2)) {
    crlf.insert(i, "\r");
  }
  DialogueFixture lf("");
  ASSERT_TRUE(load_defaults(lf.rec, lf.io()));
  for (const std::string& file :
       {crlf, values_ending_in("\n"), values_ending_in("\r"), values_ending_in("\r\n")}) {
    DialogueFixture other("", file);
    ASSERT_TRUE(load_defaults(other.rec, other.io())) << other.take();
    EXPECT_EQ(std::memcmp(&other.rec.blk1, &lf.rec.blk1, sizeof(Blk1)), 0);
    EXPECT_EQ(other.rec.blk3.fn, lf.rec.blk3.fn);
  }
  // A lone CR after column 13 goes with the rest of its line: the next line
  // is lost, FMAX. takes the line after it and FMIN. finds the end.
  DialogueFixture late("", "Test line\n2.0          F.\r4.0\n1.0\n");
  EXPECT_FALSE(load_defaults(late.rec, late.io()));
  EXPECT_EQ(late.take(), end_message("FMIN.      "));
}

// A Lumo.DEF that cannot be opened, or that opens but cannot be read (a
// link to /proc/self/mem, whose read at offset 0 fails), is the fatal stop
// on unit 2 before anything is printed.
TEST(Defaults, UnusableFileIsTheFatalStop) {
  struct Case {
    const char* what;
    const char* link_to;  // Lumo.DEF becomes a link to it; null: no Lumo.DEF
    std::string locator_end;
    std::string reason;
  };
  const Case cases[] = {
      {"missing", nullptr, " (unit = 2)\n", "File 'Lumo.DEF' does not exist"},
      {"read error", "/proc/self/mem", " (unit = 2, file = 'Lumo.DEF')\n", "Input/output error"},
  };
  for (const Case& one : cases) {
    SCOPED_TRACE(one.what);
    DialogueFixture s("");
    std::filesystem::remove(s.dir() / "Lumo.DEF");
    if (one.link_to != nullptr) std::filesystem::create_symlink(one.link_to, s.dir() / "Lumo.DEF");
    try {
      load_defaults(s.rec, s.io());
      ADD_FAILURE() << "no stop";
    } catch (const FatalStop& stop) {
      const std::size_t locator_end = stop.report.find('\n') + 1;
      EXPECT_TRUE(stop.report.starts_with("At line ")) << stop.report;
      EXPECT_TRUE(stop.report.substr(0, locator_end).ends_with(one.locator_end)) << stop.report;
      EXPECT_EQ(stop.report.substr(locator_end), "Lumo runtime error: " + one.reason + "\n");
    }
    EXPECT_EQ(s.take(), "");
  }
}

TEST(Defaults, DeliveredFilePasses) {
  // The repository root: from the environment, else two levels above this file.
  const char* env = std::getenv("LUMO_SOURCE_DIR");
  std::filesystem::path root = env != nullptr
                                   ? std::filesystem::path(env)
                                   : std::filesystem::path(__FILE__).parent_path() / "../..";
  std::ifstream in(root / "Lumo.DEF", std::ios::binary);
  ASSERT_TRUE(in);
  std::stringstream text;
  text << in.rdbuf();
  DialogueFixture s("", text.str());
  ASSERT_TRUE(load_defaults(s.rec, s.io()));
  EXPECT_EQ(s.rec.blk1.b, 0.2425f);
  EXPECT_EQ(s.rec.blk1.d, 0.0726f);
  EXPECT_EQ(std::string(s.rec.blk3.fn.data(), 20), "lumo.txt            ");
}

}  // namespace
}  // namespace lumo::testing
