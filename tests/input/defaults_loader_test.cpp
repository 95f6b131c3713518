// The defaults file: every line's check, the three messages, and the values
// stored from a good file.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <utility>
#include <vector>

#include "input/bench.h"
#include "textio/fatal.h"

namespace lumo::testing {
namespace {

std::vector<std::string> good_lines() {
  std::vector<std::string> lines;
  std::istringstream in(kTestDefaults);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The test defaults with some lines (1-based) replaced.
std::string defaults_with(std::initializer_list<std::pair<int, std::string>> changes) {
  std::vector<std::string> lines = good_lines();
  for (const auto& [n, text] : changes) lines[static_cast<std::size_t>(n - 1)] = text;
  std::string file;
  for (const std::string& line : lines) file += line + "\n";
  return file;
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
  const DefaultsCase& c = GetParam();
  Bench s("", c.text == nullptr ? defaults_cut(-c.line) : defaults_with({{c.line, c.text}}));
  bool loaded = load_defaults(s.rec, s.io());
  EXPECT_EQ(s.take(), c.want) << "line " << c.line << ": " << (c.text ? c.text : "(end)");
  EXPECT_EQ(loaded, c.want.empty());
  EXPECT_EQ(s.rec.blk2.isel, c.want.empty() ? 0 : -1);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DefaultsLine,
    ::testing::Values(
        DefaultsCase{0, nullptr, end_message("1st line.  ")},
        DefaultsCase{-1, nullptr, end_message("F.         ")},
        DefaultsCase{-9, nullptr, end_message("ER.        ")},
        DefaultsCase{-22, nullptr, end_message("FN.        ")},
        DefaultsCase{1, "", ""},
        DefaultsCase{2, "0.001", ""}, DefaultsCase{2, "999.99", ""},
        DefaultsCase{2, "0.0009", error_message("F.         ")},
        DefaultsCase{2, "1000", error_message("F.         ")},
        DefaultsCase{2, "             2.0", error_message("F.         ")},  // reads as 0
        DefaultsCase{3, "-1", error_message("FMAX.      ")},
        DefaultsCase{3, "             4.0", error_message("FMIN.      ")},  // 0 passes FMAX
        DefaultsCase{4, "0.0009", error_message("FMIN.      ")},
        DefaultsCase{4, "4.5", error_message("FMIN.      ")},
        DefaultsCase{5, "0", error_message("FSTEP.     ")}, DefaultsCase{5, "inf", ""},
        DefaultsCase{6, "-0.1", error_message("RESB.      ")}, DefaultsCase{6, "0", ""},
        DefaultsCase{7, "1000", error_message("RESD.      ")},
        DefaultsCase{8, "999.991", error_message("SRB.       ")},
        DefaultsCase{9, "-1e-9", error_message("SRD.       ")},
        DefaultsCase{10, "0.99", error_message("ER.        ")}, DefaultsCase{10, "1", ""},
        DefaultsCase{11, "0.00009", error_message("B.         ")},
        DefaultsCase{11, "100", error_message("B.         ")},
        DefaultsCase{12, "0", error_message("BMIN.      ")},
        DefaultsCase{13, "99.991", error_message("BMAX.      ")}, DefaultsCase{13, "", ""},
        DefaultsCase{14, "-0.05", error_message("BSTEP.     ")},
        DefaultsCase{15, "0.25", error_message("D.         ")},  // equal to B
        DefaultsCase{15, "0.00009", error_message("D.         ")},
        DefaultsCase{16, "100", error_message("DMIN.      ")},
        DefaultsCase{17, "inf", error_message("DMAX.      ")},
        DefaultsCase{18, "0", error_message("DSETP.     ")},
        DefaultsCase{19, "             5", ""},  // DLTAN reads as 0
        DefaultsCase{19, "100", error_message("DLTAN.     ")},
        DefaultsCase{20, "0.009", error_message("ZMAX.      ")},
        DefaultsCase{21, "90", error_message("ZMIN.      ")},
        DefaultsCase{21, "0.009", error_message("ZMIN.      ")},
        DefaultsCase{22, "-inf", error_message("ZSTEP.     ")},
        DefaultsCase{23, "", error_message("FN.        ")},
        DefaultsCase{23, "LUMO.DEF", ""}, DefaultsCase{23, " lumo.def", ""},
        DefaultsCase{23, "lumo.def",
                     "\r\n" + ind(6, "Filename lumo.def             is reserved by Lumo.\r\n") +
                         ind(6, "Please rename the default file in (Lumo.DEF).\r\n") + "\r\n"},
        DefaultsCase{23, "Lumo.EXE  ",
                     "\r\n" + ind(6, "Filename Lumo.EXE             is reserved by Lumo.\r\n") +
                         ind(6, "Please rename the default file in (Lumo.DEF).\r\n") + "\r\n"},
        // Malformed numbers and NaN fail the line they stand on.
        DefaultsCase{10, "2.1 PTFE", error_message("ER.        ")},
        DefaultsCase{10, "2..1", error_message("ER.        ")},
        DefaultsCase{10, "nan", error_message("ER.        ")},
        DefaultsCase{13, "nan", error_message("BMAX.      ")},
        DefaultsCase{22, "NaN", error_message("ZSTEP.     ")}));

TEST(Defaults, GoodFileFillsEveryField) {
  Bench s("");
  ASSERT_TRUE(load_defaults(s.rec, s.io()));
  EXPECT_EQ(s.take(), "");
  const Blk1& v = s.rec.blk1;
  EXPECT_EQ(v.fdef, 2.0f);
  EXPECT_EQ(v.fmax, 4.0f);
  EXPECT_EQ(v.fmin, 1.0f);
  EXPECT_EQ(v.fstep, 0.5f);
  EXPECT_EQ(v.resb1, 1.72f);
  EXPECT_EQ(v.resd1, 2.44f);
  EXPECT_EQ(v.srb1, 10.0f);
  EXPECT_EQ(v.srd1, 20.0f);
  EXPECT_EQ(v.er, 2.1f);
  EXPECT_EQ(v.b, 0.25f);
  EXPECT_EQ(v.bdef, 0.25f);
  EXPECT_EQ(v.bmin, 0.2f);
  EXPECT_EQ(v.bmax, 0.4f);
  EXPECT_EQ(v.bstep, 0.05f);
  EXPECT_EQ(v.d, 0.1f);
  EXPECT_EQ(v.ddef, 0.1f);
  EXPECT_EQ(v.dmin, 0.05f);
  EXPECT_EQ(v.dmax, 0.2f);
  EXPECT_EQ(v.dstep, 0.05f);
  EXPECT_EQ(v.dltan, 0.0004f);
  EXPECT_EQ(v.zmax, 80.0f);
  EXPECT_EQ(v.zmin, 40.0f);
  EXPECT_EQ(v.zstep, 10.0f);
  EXPECT_EQ(std::string(s.rec.blk3.fn.data(), 20), "out.txt             ");
  EXPECT_TRUE(s.io().defaults.is_open());  // kept connected until the end
}

TEST(Defaults, MaximaBelowTheMinimumAreRaised) {
  Bench s("", defaults_with({{13, ""}, {17, "0.01"}}));
  ASSERT_TRUE(load_defaults(s.rec, s.io()));
  EXPECT_EQ(s.rec.blk1.bmax, 0.2f);
  EXPECT_EQ(s.rec.blk1.dmax, 0.05f);
}

TEST(Defaults, InnerDiameterStopsBelowTheLargestOuter) {
  Bench s("", defaults_with({{11, "99.99"}, {15, "99.95"}}));
  EXPECT_FALSE(load_defaults(s.rec, s.io()));
  EXPECT_EQ(s.take(), error_message("D.         "));
  Bench t("", defaults_with({{11, "99.99"}, {15, "99.9"}}));
  EXPECT_TRUE(load_defaults(t.rec, t.io()));
}

// The test file's values alone (no labels), each line ended by `end`; the
// header line always ends in LF.
std::string values_ending_in(const std::string& end) {
  std::string out = "Test line\n";
  std::string rest = std::strchr(kTestDefaults, '\n') + 1;
  for (std::size_t at = 0; at < rest.size();) {
    std::size_t lf = rest.find('\n', at);
    std::string line = rest.substr(at, lf - at);
    out += line.substr(0, line.find(' ')) + end;
    at = lf + 1;
  }
  return out;
}

TEST(Defaults, EveryLineEndReadsTheSame) {
  std::string crlf = kTestDefaults;  // with the labels beyond column 13
  for (std::size_t i = crlf.find('\n'); i != std::string::npos; i = crlf.find('\n', i + 2)) {
    crlf.insert(i, "\r");
  }
  Bench lf("");
  ASSERT_TRUE(load_defaults(lf.rec, lf.io()));
  for (const std::string& file : {crlf, values_ending_in("\n"), values_ending_in("\r"),
                                  values_ending_in("\r\n")}) {
    Bench other("", file);
    ASSERT_TRUE(load_defaults(other.rec, other.io())) << other.take();
    EXPECT_EQ(std::memcmp(&other.rec.blk1, &lf.rec.blk1, sizeof(Blk1)), 0);
    EXPECT_EQ(other.rec.blk3.fn, lf.rec.blk3.fn);
  }
  // A lone CR after column 13 goes with the rest of its line: the next line
  // is lost, FMAX. takes the line after it and FMIN. finds the end.
  Bench late("", "Test line\n2.0          F.\r4.0\n1.0\n");
  EXPECT_FALSE(load_defaults(late.rec, late.io()));
  EXPECT_EQ(late.take(), end_message("FMIN.      "));
}

TEST(Defaults, MissingFileIsTheFatalStop) {
  Bench s("");
  std::filesystem::remove(s.dir() / "Lumo.DEF");
  try {
    load_defaults(s.rec, s.io());
    FAIL() << "no stop";
  } catch (const FatalStop& stop) {
    EXPECT_NE(stop.report.find(" (unit = 2)\n"), std::string::npos);
    EXPECT_NE(stop.report.find("runtime error: File 'Lumo.DEF' does not exist\n"),
              std::string::npos);
  }
  EXPECT_EQ(s.take(), "");
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
  Bench s("", text.str());
  ASSERT_TRUE(load_defaults(s.rec, s.io()));
  EXPECT_EQ(s.rec.blk1.b, 0.2425f);
  EXPECT_EQ(s.rec.blk1.d, 0.0726f);
  EXPECT_EQ(std::string(s.rec.blk3.fn.data(), 20), "lumo.txt            ");
}

}  // namespace
}  // namespace lumo::testing
