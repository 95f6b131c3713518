// Runs the real `lumo` binary as a user would: in a fresh temporary working
// directory, with a given Lumo.DEF (or none), given console input bytes and
// optional files laid out beforehand. Stdin, stdout and stderr are pipes.
//
//   Scenario s;
//   s.defaults = kReferenceLineDefaults;
//   s.input = "\n\n\n\n\n\n\n\n\n\n\n\n\n\n3\n";
//   Outcome o = run_program(s);
//   EXPECT_EQ(o.status, 0);
//   EXPECT_EQ(first_difference(want, mask_dates(o.out)), "");
#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/defaults_files.h"

namespace lumo::e2e {

// A Lumo.DEF that passes every check, on the reference line.
using lumo::testing::kReferenceLineDefaults;

// Something placed in the working directory before the program starts.
struct Prepared {
  enum Kind { kFile, kDirectory, kSymlink };
  Kind kind = kFile;
  std::string name;      // relative to the working directory
  std::string content;   // file bytes, or the symlink's target
  unsigned mode = 0644;  // file permission bits
};

struct Scenario {
  std::optional<std::string> defaults;  // text of Lumo.DEF; nullopt = no file
  std::string input;                    // console input bytes
  std::vector<Prepared> prepared;
  double timeout_seconds = 20;
  // Run as an ordinary user (uid and gid 65534) when the tests run as root,
  // so that file permissions apply to the program as they do for a user.
  bool unprivileged = false;
  std::vector<std::string> args;  // command-line arguments after the program's name
  std::string program;            // run this path (relative to the working directory) instead
  long file_size_limit = 0;       // bytes a written file may reach (RLIMIT_FSIZE); 0 = none
  // Environment variables set for the program, "NAME=VALUE"; "{dir}" in a
  // value stands for the working directory's absolute path.
  std::vector<std::string> env;
};

struct Outcome {
  int status = -1;  // exit status; -1 when killed (timeout or signal)
  bool timed_out = false;
  std::string out;  // stdout bytes
  std::string err;  // stderr bytes
  // Every regular file in the working directory afterwards (relative path ->
  // bytes), Lumo.DEF and the prepared files included.
  std::map<std::string, std::string> files;
};

// Path of the binary under test (environment LUMO_BIN, else "lumo").
std::string binary_path();
// Repository root (environment LUMO_SOURCE_DIR, else ".").
std::string source_dir();

// Runs the program once; the working directory is removed afterwards.
Outcome run_program(const Scenario& scenario);

// The bytes of a file of the repository (path relative to its root).
std::string read_source_file(std::string_view relative);

// Replaces the clock readings of the report header and the start banner with
// fixed placeholders, so that texts written by hand can be compared:
//   " Date:12/ 6/2026 at  9: 5: 3Hours" -> " Date:MM/DD/YYYY at hh:mm:ssHours"
//   "Program: Lumo (v. 1.0)    Date: 12/ 6/2026" -> "... Date: MM/DD/YYYY"
std::string mask_dates(std::string_view text);

// "" when equal; else "line N:\n  expected: ...\n  got:      ..." with CR
// shown as \r and other control bytes as \xNN ("<end>" past the last line).
std::string first_difference(std::string_view want, std::string_view got);

// CR LF joined lines: crlf({"a", "b"}) -> "a\r\nb\r\n".
std::string crlf(std::initializer_list<std::string_view> lines);

}  // namespace lumo::e2e
