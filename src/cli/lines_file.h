// The user's catalogue of lines: a CSV file (RFC 4180, LF or CR LF line ends)
// whose first row names its columns. `name`, `outer` and `inner` are
// required; `aliases` (separated by ';'), `er`, `tand`, `rho_outer`,
// `rho_inner`, `rough_outer`, `rough_inner`, `zo_nominal`, `rated_ghz` and
// `source` are optional, in any order. Values take the units of the
// command line's options and lie in their ranges; an empty cell gives no
// value. Blank lines and lines whose first character is '#' are skipped.
//
// The file is read whole or refused whole: the first fault gives one line
// naming the file, the line and column (counted from 1, in bytes) and what
// was expected there:
//   "my.csv:3:9: outer '0.1ft': unknown unit 'ft'; a length takes in, mil, mm or um"
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/line_catalogue.h"

namespace lumo::cli {

struct LinesFileRead {
  std::vector<catalogue::Line> lines;  // in file order, each with its file line
  std::string error;                   // "FILE:LINE:COLUMN: what was expected"; empty when read
  bool ok() const { return error.empty(); }
};

// Reads the bytes `text` of the file named `file` (as messages name it).
LinesFileRead read_lines_file(std::string_view text, std::string_view file);

// The column names, in the order messages list them.
inline constexpr std::string_view kLinesFileColumns =
    "name, outer, inner, aliases, er, tand, rho_outer, rho_inner, rough_outer, rough_inner, "
    "zo_nominal, rated_ghz, source";

}  // namespace lumo::cli
