// The defaults file and the output data file on a real file system.
#include "textio/files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "textio/fatal.h"
#include "textio/fields.h"
#include "textio/folder_fixture.h"
#include "textio/format_writer.h"
#include "textio/io.h"
#include "textio/statements.h"

namespace lumo {
namespace {

// The untyped writer with braced values, for layouts under test.
void write_statement(OutputChannel& out, const FormatList& list,
                     std::initializer_list<FieldValue> values,
                     StatementMode mode = StatementMode::kAdvancing) {
  format_fields(out, list, std::span(values.begin(), values.size()), mode);
}

using testing::locator;

class Files : public testing::FolderTest {
 protected:
  // Runs f and returns the stop's report ("" when it did not stop).
  template <typename F>
  static std::string stop_of(F f) {
    try {
      f();
    } catch (const FatalStop& stop) {
      return stop.report;
    }
    return "";
  }

  void open_defaults() {
    folder_.write("Lumo.DEF", "header\n");
    defaults_.open(folder_.path(), "Lumo.DEF", Stmt::kConnectOutputFile);
  }

  void line(const std::string& text) {
    write_statement(data_.channel(), "(A20)", {std::string_view(text)});
    data_.end_statement(Stmt::kConnectOutputFile);
  }

  DefaultsFile defaults_;
  DataFile data_;
  Stmt here_ = Stmt::kConnectOutputFile;
};

std::string row(const std::string& text) { return text_field(text, 20) + "\r\n"; }

TEST_F(Files, MissingDefaultsFileStops) {
  EXPECT_EQ(stop_of([&] { defaults_.open(folder_.path(), "Lumo.DEF", here_); }),
            locator(here_, 2) + "Lumo runtime error: File 'Lumo.DEF' does not exist\n");
  EXPECT_FALSE(defaults_.is_open());
}

TEST_F(Files, DefaultsFileThatIsADirectoryStops) {
  ASSERT_EQ(mkdir(folder_.path("Lumo.DEF").c_str(), 0755), 0);
  EXPECT_EQ(stop_of([&] { defaults_.open(folder_.path(), "Lumo.DEF", here_); }),
            locator(here_, 2) + "Lumo runtime error: 'Lumo.DEF' is a directory\n");
}

TEST_F(Files, UnreadableDefaultsFileStops) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  folder_.write("Lumo.DEF", "x\n", 0000);
  EXPECT_EQ(
      stop_of([&] { defaults_.open(folder_.path(), "Lumo.DEF", here_); }),
      locator(here_, 2) + "Lumo runtime error: Permission denied trying to open file 'Lumo.DEF'\n");
}

TEST_F(Files, DefaultsLinesWithEitherLineEnd) {
  folder_.write("Lumo.DEF",
                "skipped line, anything 1.2.3\r\n2.5\r\n  7           comment\n"
                "1.2.3\r\n"
                "  out.dat\r\n");
  InputChannel in;
  OutputChannel out, err;
  Io io{in, out, err, folder_.path()};
  io.defaults.open(folder_.path(), "Lumo.DEF", here_);
  float v = -1;
  Text20 name{};
  EXPECT_EQ(skip_default_line(io), LineOutcome::kValue);
  EXPECT_EQ(read_default_number(io, v), LineOutcome::kValue);
  EXPECT_EQ(v, 2.5f);
  EXPECT_EQ(read_default_number(io, v), LineOutcome::kValue);
  EXPECT_EQ(v, 7.0f);
  EXPECT_EQ(read_default_number(io, v), LineOutcome::kMalformed);
  EXPECT_EQ(v, 7.0f);  // nothing stored
  EXPECT_EQ(read_default_name(io, name), LineOutcome::kValue);
  EXPECT_EQ(std::string(name.data(), name.size()), "  out.dat           ");
  EXPECT_EQ(read_default_number(io, v), LineOutcome::kEnd);
  EXPECT_EQ(read_default_name(io, name), LineOutcome::kEnd);
  EXPECT_EQ(skip_default_line(io), LineOutcome::kEnd);
  EXPECT_EQ(out.text(), "");
}

TEST_F(Files, NewDataFileIsCreated) {
  data_.connect(folder_.path(), "out.txt", defaults_, here_);
  EXPECT_TRUE(data_.is_connected());
  EXPECT_EQ(data_.name(), "out.txt");
  line("one");
  line("two");
  data_.close(here_);
  EXPECT_FALSE(data_.is_connected());
  EXPECT_EQ(folder_.read("out.txt"), row("one") + row("two"));
}

TEST_F(Files, LeadingBlanksArePartOfTheName) {
  data_.connect(folder_.path(), "  lead.txt", defaults_, here_);
  line("x");
  data_.close(here_);
  EXPECT_EQ(folder_.read("  lead.txt"), row("x"));
}

TEST_F(Files, ExistingLongerFileLosesItsOldTail) {
  folder_.write("out.txt", std::string(20000, 'o'));
  data_.connect(folder_.path(), "out.txt", defaults_, here_);
  line("new");
  // Cut as soon as the first statement is accepted, before any delivery.
  EXPECT_EQ(folder_.read("out.txt").size(), row("new").size());
  data_.close(here_);
  EXPECT_EQ(folder_.read("out.txt"), row("new"));
}

TEST_F(Files, SameFileAgainContinuesWhateverTheSpelling) {
  data_.connect(folder_.path(), "out.txt", defaults_, here_);
  line("first report");
  data_.connect(folder_.path(), "./out.txt", defaults_, here_);
  EXPECT_EQ(data_.name(), "out.txt");
  line("second report");
  data_.close(here_);
  EXPECT_EQ(folder_.read("out.txt"), row("first report") + row("second report"));
}

TEST_F(Files, AnotherNameClosesTheFirstComplete) {
  data_.connect(folder_.path(), "a.txt", defaults_, here_);
  line("to a");
  data_.connect(folder_.path(), "b.txt", defaults_, here_);
  EXPECT_EQ(folder_.read("a.txt"), row("to a"));
  line("to b");
  data_.connect(folder_.path(), "a.txt", defaults_, here_);  // a.txt starts over
  line("a again");
  data_.close(here_);
  EXPECT_EQ(folder_.read("a.txt"), row("a again"));
  EXPECT_EQ(folder_.read("b.txt"), row("to b"));
}

TEST_F(Files, TheOpenDefaultsFileCannotBeConnected) {
  open_defaults();
  ASSERT_EQ(symlink("Lumo.DEF", folder_.path("link.txt").c_str()), 0);
  const std::string stop =
      locator(here_, 1) + "Lumo runtime error: File already opened in another unit\n";
  EXPECT_EQ(stop_of([&] { data_.connect(folder_.path(), "link.txt", defaults_, here_); }), stop);
  EXPECT_EQ(stop_of([&] { data_.connect(folder_.path(), "Lumo.DEF", defaults_, here_); }), stop);
  EXPECT_FALSE(data_.is_connected());
  EXPECT_EQ(folder_.read("Lumo.DEF"), "header\n");
}

TEST_F(Files, DirectoryAsDataFileStops) {
  ASSERT_EQ(mkdir(folder_.path("sub").c_str(), 0755), 0);
  EXPECT_EQ(stop_of([&] { data_.connect(folder_.path(), "sub", defaults_, here_); }),
            locator(here_, 1) + "Lumo runtime error: 'sub' is a directory\n");
}

TEST_F(Files, MissingDirectoryOnTheWayStops) {
  EXPECT_EQ(stop_of([&] { data_.connect(folder_.path(), "nodir/x.txt", defaults_, here_); }),
            locator(here_, 1) + "Lumo runtime error: No such file or directory\n");
}

TEST_F(Files, ReadOnlyFileFailsAtItsFirstStatement) {
  // A file the caller may read but not write; the superuser writes any
  // regular file, so there a read-only system attribute stands in for it.
  std::string dir = folder_.path();
  std::string name = "ro.txt";
  if (geteuid() == 0) {
    dir = "";
    name = "/sys/devices/system/cpu/online";
    if (access(name.c_str(), R_OK) != 0) GTEST_SKIP() << "no read-only file available";
  } else {
    folder_.write(name, "keep\n", 0444);
  }
  data_.connect(dir, name, defaults_, here_);
  ASSERT_TRUE(data_.is_connected());
  write_statement(data_.channel(), "('x')", {});
  EXPECT_EQ(stop_of([&] { data_.end_statement(here_); }),
            locator(here_, 1, name) + "Lumo runtime error: Cannot write to file opened for READ\n");
  data_.close(here_);  // nothing left to deliver
  if (geteuid() != 0) {
    EXPECT_EQ(folder_.read(name), "keep\n");
  }
}

TEST_F(Files, WriteErrorAtCloseStops) {
  data_.connect("", "/dev/full", defaults_, here_);
  line("lost");
  EXPECT_EQ(stop_of([&] { data_.close(here_); }),
            locator(here_, 1, "/dev/full") + "Lumo runtime error: No space left on device\n");
  EXPECT_FALSE(data_.is_connected());
}

TEST_F(Files, WriteErrorAtABlockStops) {
  data_.connect("", "/dev/full", defaults_, here_);
  data_.channel().append(std::string(9000, 'x'));
  EXPECT_EQ(stop_of([&] { data_.end_statement(here_); }),
            locator(here_, 1, "/dev/full") + "Lumo runtime error: No space left on device\n");
  EXPECT_EQ(stop_of([&] { data_.close(here_, true); }), "");
}

TEST_F(Files, DestructorDeliversTheRest) {
  {
    DataFile data;
    data.connect(folder_.path(), "out.txt", defaults_, here_);
    write_statement(data.channel(), "('end')", {});
    data.end_statement(here_);
  }
  EXPECT_EQ(folder_.read("out.txt"), "end\r\n");
}

}  // namespace
}  // namespace lumo
