// Console statements and entries, and the fatal error report.
#include "textio/io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "textio/fatal.h"
#include "textio/folder_fixture.h"
#include "textio/numeric_entry.h"

namespace lumo {
namespace {

using testing::locator;

struct Console {
  explicit Console(std::string input) : in(std::move(input)) {}
  InputChannel in;
  OutputChannel out, err;
  Io io{in, out, err, ""};
};

template <typename F>
std::string stop_of(F f) {
  try {
    f();
  } catch (const FatalStop& stop) {
    return stop.report;
  }
  return "";
}

TEST(FatalReport, TwoLfEndedLines) {
  EXPECT_EQ(fatal_report(212, "lminput.cpp", 5, "stdin", "End of file"),
            "At line 212 of file lminput.cpp (unit = 5, file = 'stdin')\n"
            "Lumo runtime error: End of file\n");
  EXPECT_EQ(fatal_report(31, "files.cpp", 2, std::nullopt, "File 'Lumo.DEF' does not exist"),
            "At line 31 of file files.cpp (unit = 2)\n"
            "Lumo runtime error: File 'Lumo.DEF' does not exist\n");
}

TEST(FatalReport, LocatorShowsTheStatementsFixedNumberAndPart) {
  EXPECT_EQ(stop_of([&] { fatal(6, "stdout", "Broken pipe", Stmt::kOuterPrompt); }),
            "At line 111 of file dialogue (unit = 6, file = 'stdout')\n"
            "Lumo runtime error: Broken pipe\n");
  EXPECT_EQ(stop_of([&] { fatal(1, std::nullopt, "x", Stmt::kConnectOutputFile); }),
            "At line 401 of file report (unit = 1)\nLumo runtime error: x\n");
}

TEST(FatalReport, OpenFailureReasons) {
  EXPECT_EQ(open_failure_reason(ENOENT, "Lumo.DEF"), "File 'Lumo.DEF' does not exist");
  EXPECT_EQ(open_failure_reason(EACCES, "out.txt"),
            "Permission denied trying to open file 'out.txt'");
  EXPECT_EQ(open_failure_reason(EISDIR, "sub"), "'sub' is a directory");
  EXPECT_EQ(open_failure_reason(ENOSPC, "x"), "No space left on device");
}

TEST(ConsoleEntry, NumbersOneLineEach) {
  Console c("5\n\n1,000\n  1.5-3   \r\n0.5          abc\n" + std::string(20000, '7') + "\n9");
  EXPECT_EQ(read_number(c.io, Stmt::kErEntry), 5.0f);
  EXPECT_EQ(read_number(c.io, Stmt::kErEntry), 0.0f);
  EXPECT_EQ(read_number(c.io, Stmt::kErEntry), 1.0f);
  EXPECT_EQ(read_number(c.io, Stmt::kErEntry), 0.0015f);
  EXPECT_EQ(read_number(c.io, Stmt::kErEntry), 0.5f);
  EXPECT_EQ(read_number(c.io, Stmt::kErEntry), 7777777777777.0f);
  EXPECT_EQ(read_number(c.io, Stmt::kErEntry), 9.0f);
  const Stmt here = Stmt::kOuterEntry;
  EXPECT_EQ(stop_of([&] { read_number(c.io, here); }),
            locator(here, 5, "stdin") + "Lumo runtime error: End of file\n");
}

TEST(ConsoleEntry, LastLineWithoutLineEndThenEndOfFile) {
  Console c("  out.txt");
  Text20 name = read_name(c.io, Stmt::kNameEntry);
  EXPECT_EQ(std::string(name.data(), name.size()), "  out.txt           ");
  const Stmt here = Stmt::kOuterEntry;
  EXPECT_EQ(stop_of([&] { read_name(c.io, here); }),
            locator(here, 5, "stdin") + "Lumo runtime error: End of file\n");
}

TEST(ConsoleEntry, EmptyInputIsEndOfFile) {
  Console c("");
  const Stmt here = Stmt::kOuterEntry;
  EXPECT_EQ(stop_of([&] { read_number(c.io, here); }),
            locator(here, 5, "stdin") + "Lumo runtime error: End of file\n");
}

TEST(ConsoleEntry, MalformedNumberStops) {
  Console c("0.5 abc\n7\n");
  const Stmt here = Stmt::kOuterEntry;
  EXPECT_EQ(
      stop_of([&] { read_number(c.io, here); }),
      locator(here, 5, "stdin") + "Lumo runtime error: Bad value during floating point read\n");
}

TEST(ConsoleEntry, ReadErrorStopsWithTheSystemText) {
  InputChannel in(open("/tmp", O_RDONLY | O_DIRECTORY), true);
  OutputChannel out, err;
  Io io{in, out, err, ""};
  const Stmt here = Stmt::kOuterEntry;
  EXPECT_EQ(stop_of([&] { read_number(io, here); }),
            locator(here, 5, "stdin") + "Lumo runtime error: Is a directory\n");
}

TEST(ConsoleStatements, PromptLineStaysOpenAcrossTheEntry) {
  Console c("2\n");
  prompt(c.io, {Stmt::kAnalysisPrompt, "(/,6X,'Enter OPTION: ')"});
  EXPECT_EQ(select_choice(read_number(c.io, Stmt::kErEntry)), 2);
  say(c.io, Statement<std::int32_t>(Stmt::kBanner, "(11X,'chosen',I2)"), {2});
  prompt(c.io, {Stmt::kOperationPrompt, "(6X,'Next: ')"});
  EXPECT_EQ(stop_of([&] { read_number(c.io, Stmt::kErEntry); }).empty(), false);
  finish_io(c.io, true);
  // The open prompt line is never ended, not even after a stop.
  EXPECT_EQ(c.out.text(),
            "\r\n      Enter OPTION:            chosen 2\r\n"
            "      Next: ");
  EXPECT_EQ(c.err.text(), "");
}

TEST(ConsoleStatements, ConsoleWriteFailureStops) {
  int fd = open("/dev/full", O_WRONLY);
  ASSERT_GE(fd, 0);
  InputChannel in;
  OutputChannel out(fd, OutputChannel::Delivery::kEachStatement), err;
  Io io{in, out, err, ""};
  const Stmt here = Stmt::kOuterEntry;
  EXPECT_EQ(stop_of([&] { say(io, Statement<>(Stmt::kOuterEntry, "('x')")); }),
            locator(here, 6, "stdout") + "Lumo runtime error: No space left on device\n");
  close(fd);
}

class Reports : public testing::FolderTest {};

TEST_F(Reports, StoredReportGoesToBothAndIsCompleteAfterFinish) {
  Console c("");
  c.io.dir = folder_.path();
  say(c.io, Statement<>(Stmt::kBanner, "(6X,'console only')"));
  c.io.data.connect(folder_.path(), "run.txt", c.io.defaults, Stmt::kConnectOutputFile);
  say_text(c.io, format_to_string("(6X,F7.2)", {1.5f}), Stmt::kFrequencyRow);
  c.io.data.channel().append(format_to_string("(6X,F7.2)", {1.5f}));
  c.io.data.end_statement(Stmt::kConnectOutputFile);
  EXPECT_EQ(folder_.read("run.txt"), "");  // a disk file waits for its block
  finish_io(c.io, false);
  EXPECT_EQ(c.out.text(), "      console only\r\n         1.50\r\n");
  EXPECT_EQ(folder_.read("run.txt"), "         1.50\r\n");
  EXPECT_FALSE(c.io.data.is_connected());
}

TEST_F(Reports, FinishAfterAStopClosesTheDataFileQuietly) {
  Console c("");
  c.io.data.connect("", "/dev/full", c.io.defaults, Stmt::kConnectOutputFile);
  c.io.data.channel().append("row\r\n");
  c.io.data.end_statement(Stmt::kConnectOutputFile);
  EXPECT_EQ(stop_of([&] { finish_io(c.io, true); }), "");
  EXPECT_FALSE(c.io.data.is_connected());
}

TEST_F(Reports, WriteErrorAtNormalEndStops) {
  Console c("");
  c.io.data.connect("", "/dev/full", c.io.defaults, Stmt::kConnectOutputFile);
  c.io.data.channel().append("row\r\n");
  c.io.data.end_statement(Stmt::kConnectOutputFile);
  std::string stop = stop_of([&] { finish_io(c.io, false); });
  EXPECT_NE(stop.find("(unit = 1, file = '/dev/full')\n"
                      "Lumo runtime error: No space left on device\n"),
            std::string::npos)
      << stop;
}

}  // namespace
}  // namespace lumo
