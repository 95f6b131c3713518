// A fresh directory under /tmp for one test, removed with its contents.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "textio/statements.h"

namespace lumo::testing {

class TempDir : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/lumo-textio-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(dir_, ec);
  }

  std::string path(const std::string& name) const { return dir_ + "/" + name; }

  void write_file(const std::string& name, const std::string& bytes, mode_t mode = 0644) const {
    int fd = ::open(path(name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::close(fd);
    ::chmod(path(name).c_str(), mode);
  }

  std::string read_file(const std::string& name) const {
    std::string s;
    int fd = ::open(path(name).c_str(), O_RDONLY);
    if (fd < 0) return "<missing>";
    char buf[4096];
    for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;) s.append(buf, static_cast<std::size_t>(n));
    ::close(fd);
    return s;
  }

  std::string dir_;
};

// The locator line a stop reported at `where` shows.
inline std::string locator(Stmt where, int unit, const std::string& file_part = "") {
  std::string text = "At line " + std::to_string(statement_number(where)) + " of file " +
                     std::string(statement_part(where)) + " (unit = " + std::to_string(unit);
  if (!file_part.empty()) text += ", file = '" + file_part + "'";
  return text + ")\n";
}

}  // namespace lumo::testing
