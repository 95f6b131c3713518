// A dialogue session on in-memory channels: a temporary working folder
// holding the given Lumo.DEF, console input given as bytes, and the fixed
// clock.
#pragma once

#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "input/lminput.h"
#include "support/defaults_files.h"
#include "support/fixed_clock.h"
#include "support/temp_folder.h"

namespace lumo::testing {

// The rough-conductors defaults with some lines (1-based) replaced.
inline std::string defaults_with(const std::vector<std::pair<int, std::string>>& changes) {
  std::vector<std::string> lines;
  std::istringstream in(kRoughConductorsDefaults);
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

class DialogueFixture {
 public:
  explicit DialogueFixture(std::string console,
                           const std::string& defaults = kRoughConductorsDefaults)
      : in_(std::move(console)), io_{in_, out_, err_, folder_.path(), fixed_clock, {}, {}} {
    folder_.write("Lumo.DEF", defaults);
  }

  // One call of the dialogue as the driver makes it.
  void call(std::int32_t isel) {
    rec.blk2.isel = isel;
    lminput(rec, io_);
  }
  // The console text written since the last take.
  std::string take() { return out_.take_text(); }
  Io& io() { return io_; }
  std::filesystem::path dir() const { return folder_.path(); }

  Records rec;

 private:
  TempFolder folder_{"input"};
  InputChannel in_;
  OutputChannel out_;
  OutputChannel err_;
  Io io_;
};

}  // namespace lumo::testing
