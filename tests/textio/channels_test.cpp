// Input lines from memory and from descriptors; output delivery by sink.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "textio/input_channel.h"
#include "textio/output_channel.h"

namespace lumo {
namespace {

using Result = InputChannel::Result;

// A pipe holding the given bytes (small enough for the pipe buffer), its
// writing end closed.
int pipe_with(const std::string& bytes) {
  int fds[2];
  EXPECT_EQ(pipe(fds), 0);
  EXPECT_EQ(write(fds[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  close(fds[1]);
  return fds[0];
}

std::vector<std::string> all_lines(InputChannel& in, std::size_t keep = 100) {
  std::vector<std::string> lines;
  std::string line;
  while (in.next_line(line, keep) == Result::kLine) lines.push_back(line);
  return lines;
}

// Each case reads every line with one field rule: `keep` bytes, ended early
// by `stop` (numeric entries stop at a comma) or by a CR, which then ends the
// line; a CR after the field goes with the rest of its line.
TEST(InputLines, LineEnds) {
  struct Case {
    const char* bytes;
    std::size_t keep;
    char stop;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"a\nb\r\nc", 20, '\0', {"a", "b", "c"}},
      {"0.5\r0.2\n", 13, ',', {"0.5", "0.2"}},                     // lone CR in the field
      {"cr.txt\r3\n", 20, '\0', {"cr.txt", "3"}},                  // in a name
      {"1\r\r\n2", 13, ',', {"1", "", "2"}},                       // CR, then CR LF
      {"1,\r2\n3\n", 13, ',', {"1", "3"}},                         // CR after the comma
      {"1234567890123\r4\n5\n", 13, ',', {"1234567890123", "5"}},  // CR in column 14
      {"12345678901234567890\rx\ny", 20, '\0', {"12345678901234567890", "y"}},
      {"12345678901234567890\rx\ny", 21, '\0', {"12345678901234567890", "x", "y"}},
      {"head\r1\n2\n", 0, '\0', {"", ""}},  // a skipped line reads to LF
      {"7\r", 13, ',', {"7"}},              // a CR before the end of input
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    for (bool from_pipe : {false, true}) {
      InputChannel in =
          from_pipe ? InputChannel(pipe_with(c.bytes), true) : InputChannel(std::string(c.bytes));
      std::vector<std::string> lines;
      std::string line;
      while (in.next_line(line, c.keep, c.stop) == Result::kLine) lines.push_back(line);
      EXPECT_EQ(lines, c.lines);
    }
  }
}

TEST(InputLines, EmptyInputAndEmptyLines) {
  InputChannel none(std::string{});
  std::string line = "stale";
  EXPECT_EQ(none.next_line(line, 20), Result::kEnd);
  EXPECT_EQ(line, "");
  InputChannel blank(std::string("\n\n"));
  EXPECT_EQ(all_lines(blank), (std::vector<std::string>{"", ""}));
  InputChannel unbound;
  EXPECT_FALSE(unbound.is_open());
  EXPECT_EQ(unbound.next_line(line, 20), Result::kEnd);
}

TEST(InputLines, KeepsOnlyTheLeadingBytesAndDiscardsTheRest) {
  InputChannel in(std::string("1234567890.12345\nnext\n"));
  std::string line;
  ASSERT_EQ(in.next_line(line, 13), Result::kLine);
  EXPECT_EQ(line, "1234567890.12");
  ASSERT_EQ(in.next_line(line, 0), Result::kLine);
  EXPECT_EQ(line, "");
  EXPECT_EQ(in.next_line(line, 13), Result::kEnd);
}

TEST(InputLines, HugeLineSpanningManyBlocksFromAFile) {
  char path[] = "/tmp/lumo-textio-XXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  std::string big(300000, 'x');
  big[0] = '7';
  std::string bytes = big + "\n8\n";
  ASSERT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  lseek(fd, 0, SEEK_SET);
  unlink(path);
  InputChannel in(fd, true);
  std::string line;
  ASSERT_EQ(in.next_line(line, 13), Result::kLine);
  EXPECT_EQ(line, "7xxxxxxxxxxxx");
  ASSERT_EQ(in.next_line(line, 13), Result::kLine);
  EXPECT_EQ(line, "8");
  EXPECT_EQ(in.next_line(line, 13), Result::kEnd);
}

TEST(InputLines, ReadErrorKeepsErrno) {
  int fd = open("/tmp", O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  InputChannel in(fd, true);
  std::string line;
  EXPECT_EQ(in.next_line(line, 13), Result::kError);
  EXPECT_EQ(in.error(), EISDIR);
  EXPECT_EQ(in.next_line(line, 13), Result::kError);
}

TEST(InputLines, MoveTransfersTheDescriptor) {
  InputChannel a(pipe_with("x\ny\n"), true);
  std::string line;
  ASSERT_EQ(a.next_line(line, 5), Result::kLine);
  InputChannel b(std::move(a));
  EXPECT_FALSE(a.is_open());
  ASSERT_EQ(b.next_line(line, 5), Result::kLine);
  EXPECT_EQ(line, "y");
}

TEST(OutputDelivery, KindOfSink) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  EXPECT_EQ(OutputChannel::delivery_for(fds[1]), OutputChannel::Delivery::kEachStatement);
  close(fds[0]);
  close(fds[1]);
  char path[] = "/tmp/lumo-textio-XXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(OutputChannel::delivery_for(fd), OutputChannel::Delivery::kBlocks);
  close(fd);
  unlink(path);
}

std::string file_text(const char* path) {
  std::string s;
  int fd = open(path, O_RDONLY);
  char buf[4096];
  for (ssize_t n; (n = read(fd, buf, sizeof buf)) > 0;) s.append(buf, static_cast<std::size_t>(n));
  close(fd);
  return s;
}

TEST(OutputDelivery, EachStatementReachesAPipeAtItsEnd) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  fcntl(fds[0], F_SETFL, O_NONBLOCK);
  OutputChannel out(fds[1], OutputChannel::Delivery::kEachStatement);
  out.append("      Enter B: ");
  char buf[64];
  EXPECT_EQ(read(fds[0], buf, sizeof buf), -1);  // nothing yet
  ASSERT_TRUE(out.end_statement());
  ASSERT_EQ(read(fds[0], buf, sizeof buf), 15);
  EXPECT_EQ(std::string(buf, 15), "      Enter B: ");
  EXPECT_EQ(out.written(), 15u);
  close(fds[0]);
  close(fds[1]);
}

TEST(OutputDelivery, DiskFileGetsWholeBlocks) {
  char path[] = "/tmp/lumo-textio-XXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  OutputChannel out(fd, OutputChannel::Delivery::kBlocks);
  out.append(std::string(8000, 'a'));
  ASSERT_TRUE(out.end_statement());
  EXPECT_EQ(file_text(path).size(), 0u);
  out.append(std::string(8000, 'b'));
  ASSERT_TRUE(out.end_statement());
  EXPECT_EQ(file_text(path).size(), 8192u);
  out.append(std::string(20000, 'c'));
  ASSERT_TRUE(out.end_statement());
  EXPECT_EQ(file_text(path).size(), 4 * 8192u);  // 36000 bytes so far
  ASSERT_TRUE(out.flush());
  std::string text = file_text(path);
  EXPECT_EQ(text, std::string(8000, 'a') + std::string(8000, 'b') + std::string(20000, 'c'));
  EXPECT_EQ(out.written(), 36000u);
  close(fd);
  unlink(path);
}

TEST(OutputDelivery, WriteFailureIsReportedOnceWithErrno) {
  int fd = open("/dev/full", O_WRONLY);
  ASSERT_GE(fd, 0);
  OutputChannel out(fd, OutputChannel::Delivery::kEachStatement);
  out.append("x\r\n");
  EXPECT_FALSE(out.end_statement());
  EXPECT_EQ(out.error(), ENOSPC);
  EXPECT_TRUE(out.flush());  // the failed text is not retried
  close(fd);
}

TEST(OutputDelivery, InMemoryKeepsEverything) {
  OutputChannel out;
  out.append("ab");
  out.append('-', 3);
  std::memcpy(out.extend(2), "yz", 2);
  EXPECT_TRUE(out.end_statement());
  EXPECT_TRUE(out.flush());
  EXPECT_EQ(out.text(), "ab---yz");
  EXPECT_EQ(out.take_text(), "ab---yz");
  EXPECT_EQ(out.text(), "");
  EXPECT_EQ(out.written(), 7u);
}

}  // namespace
}  // namespace lumo
