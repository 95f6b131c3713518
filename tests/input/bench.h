// A dialogue session on in-memory channels: a temporary working directory
// holding the given Lumo.DEF, console input given as bytes, and a clock fixed
// at 7 March 2026, 9:05:03.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "input/lminput.h"

namespace lumo::testing {

// A defaults file that passes every check: F 2, frequencies 1 to 4 by 0.5,
// RESB 1.72 / RESD 2.44, SRB 10 / SRD 20, Er 2.1, B 0.25 (0.2 to 0.4 by
// 0.05), D 0.1 (0.05 to 0.2 by 0.05), DLTAN 0.0004, Z 40 to 80 by 10.
inline const char* const kTestDefaults =
    "Test line\n"
    "2.0          F.\n"
    "4.0          FMAX.\n"
    "1.0          FMIN.\n"
    "0.5          FSTEP.\n"
    "1.72         RESB.\n"
    "2.44         RESD.\n"
    "10           SRB.\n"
    "20           SRD.\n"
    "2.1          ER.\n"
    "0.25         B.\n"
    "0.2          BMIN.\n"
    "0.4          BMAX.\n"
    "0.05         BSTEP.\n"
    "0.1          D.\n"
    "0.05         DMIN.\n"
    "0.2          DMAX.\n"
    "0.05         DSETP.\n"
    "0.0004       DLTAN.\n"
    "80           ZMAX.\n"
    "40           ZMIN.\n"
    "10           ZSTEP.\n"
    "out.txt\n";

// The test defaults with some lines (1-based) replaced.
inline std::string defaults_with(const std::vector<std::pair<int, std::string>>& changes) {
  std::vector<std::string> lines;
  std::istringstream in(kTestDefaults);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  for (const auto& [n, text] : changes) lines.at(static_cast<std::size_t>(n - 1)) = text;
  std::string file;
  for (const std::string& line : lines) file += line + "\n";
  return file;
}

// Console input of n empty entries.
inline std::string enters(int n) { return std::string(static_cast<std::size_t>(n), '\n'); }

// n blanks followed by the text: one indented layout piece.
inline std::string ind(int n, const std::string& text) {
  return std::string(static_cast<std::size_t>(n), ' ') + text;
}

class Bench {
 public:
  explicit Bench(std::string console, const std::string& defaults = kTestDefaults)
      : in_(std::move(console)), io_{in_, out_, err_, make_dir(), fixed_clock, {}, {}} {
    std::ofstream(dir_ / "Lumo.DEF", std::ios::binary) << defaults;
  }
  ~Bench() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  // One call of the dialogue as the driver makes it.
  void call(std::int32_t isel) {
    rec.blk2.isel = isel;
    lminput(rec, io_);
  }
  // The console text written since the last take.
  std::string take() { return out_.take_text(); }
  Io& io() { return io_; }
  const std::filesystem::path& dir() const { return dir_; }

  Records rec;

 private:
  static LocalTime fixed_clock() { return {2026, 3, 7, 60, 9, 5, 3, 250}; }
  std::string make_dir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lumo-input-XXXXXX").string();
    dir_ = ::mkdtemp(pattern.data());
    return dir_.string();
  }

  std::filesystem::path dir_;
  InputChannel in_;
  OutputChannel out_;
  OutputChannel err_;
  Io io_;
};

}  // namespace lumo::testing
