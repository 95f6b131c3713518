// `lumo lines [--format report|csv|json] [--lines FILE] [-o FILE]`: every
// named line, the built-in ones and then the user's, with its values, its Zo
// computed from B, D and Er, its exact TE11 cut-off and its source. A user's
// line that shadows a built-in name says so, and so does the built-in line.
#pragma once

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/line_catalogue.h"

namespace lumo::cli {

// A line as the listing gives it.
struct ListedLine {
  const catalogue::Line* line;
  std::string origin;  // "built-in", or "FILE:LINE"
  std::vector<std::string>
      shadows;  // a user's line: the built-in names it shadows, "7mm", "k (2.92mm)"
  std::vector<std::string> shadowed;  // a built-in line: its names a user's line shadows
  std::optional<double> zo_ohm;       // computed from B, D and Er; none without Er
  std::optional<double> te11_ghz;     // exact; none without Er, or when not found
};

// The listing of `built_in` then `user` (read from `user_file`).
std::vector<ListedLine> listed_lines(std::span<const catalogue::Line> built_in,
                                     std::span<const catalogue::Line> user,
                                     const std::string& user_file);

// The listing as text, lines ending in LF. `heading` is its first line.
std::string lines_report(const std::vector<ListedLine>& lines, std::string_view heading);

// The listing as CSV, RFC 4180 with CR LF line ends, one row a line.
std::string lines_csv(const std::vector<ListedLine>& lines);

class LinesCommand {
 public:
  // Registers the subcommand on `app`.
  explicit LinesCommand(CLI::App& app);
  ~LinesCommand();
  LinesCommand(const LinesCommand&) = delete;
  LinesCommand& operator=(const LinesCommand&) = delete;

  CLI::App* app() const { return app_; }
  bool parsed() const { return app_->parsed(); }
  // Lists the lines; the exit status.
  int run() const;

  struct Options;

 private:
  std::unique_ptr<Options> options_;
  CLI::App* app_;
};

}  // namespace lumo::cli
