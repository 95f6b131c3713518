// Lines file fuzz target: any bytes give lines or one error line that names
// the file, a line of the text (or the one after its last) and a column,
// never a crash. Every line read has a name, keys no other line has, B > D
// and values in the command line's ranges; written back as a file (every
// value in its default unit, every text quoted) it reads as the same lines.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/line_catalogue.h"
#include "cli/line_values.h"
#include "cli/lines_file.h"
#include "numbers/number_text.h"

namespace {

using lumo::catalogue::Line;

std::string quoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string number(double x) { return lumo::num::shortest(x); }

std::string optional(const std::optional<double>& x) { return x ? number(*x) : ""; }

void check_range(const std::optional<double>& x, const lumo::cli::Range& r) {
  if (x && !r.accepts(static_cast<float>(*x))) std::abort();
}

bool same(const Line& a, const Line& b) {
  return a.name == b.name && a.aliases == b.aliases && a.outer_in == b.outer_in &&
         a.inner_in == b.inner_in && a.dielectric == b.dielectric && a.er == b.er &&
         a.tand == b.tand && a.rho_outer == b.rho_outer && a.rho_inner == b.rho_inner &&
         a.rough_outer == b.rough_outer && a.rough_inner == b.rough_inner &&
         a.zo_nominal == b.zo_nominal && a.rated_ghz == b.rated_ghz && a.source == b.source;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const lumo::cli::LinesFileRead r = lumo::cli::read_lines_file(text, "f.csv");
  std::size_t last_line = 1;
  for (const char c : text) last_line += c == '\n' ? 1 : 0;
  if (!r.ok()) {
    unsigned long line = 0, column = 0;
    int used = 0;
    if (std::sscanf(r.error.c_str(), "f.csv:%lu:%lu: %n", &line, &column, &used) != 2 ||
        used == 0 || line < 1 || line > last_line || column < 1 ||
        r.error.find('\n') != std::string::npos || !r.lines.empty()) {
      std::abort();
    }
    return 0;
  }
  std::vector<std::string> keys;
  std::string again =
      "name,aliases,outer,inner,er,tand,rho_outer,rho_inner,rough_outer,"
      "rough_inner,zo_nominal,rated_ghz,source\n";
  for (const Line& l : r.lines) {
    if (l.file_line < 1 || static_cast<std::size_t>(l.file_line) > last_line) std::abort();
    for (const std::string& k : lumo::catalogue::keys_of(l)) {
      if (k.empty()) std::abort();
      for (const std::string& other : keys) {
        if (other == k) std::abort();
      }
      keys.push_back(k);
    }
    if (!(static_cast<float>(l.inner_in) < static_cast<float>(l.outer_in))) std::abort();
    check_range(l.outer_in, lumo::cli::kOuter);
    check_range(l.inner_in, lumo::cli::kInner);
    check_range(l.er, lumo::cli::kEr);
    check_range(l.tand, lumo::cli::kTand);
    check_range(l.rho_outer, lumo::cli::kRhoOuter);
    check_range(l.rough_inner, lumo::cli::kRoughInner);
    std::string aliases;
    for (const std::string& a : l.aliases) aliases += a + ";";
    again += quoted(l.name) + "," + quoted(aliases) + "," + number(l.outer_in) + "," +
             number(l.inner_in) + "," + optional(l.er) + "," + optional(l.tand) + "," +
             optional(l.rho_outer) + "," + optional(l.rho_inner) + "," + optional(l.rough_outer) +
             "," + optional(l.rough_inner) + "," + optional(l.zo_nominal) + "," +
             optional(l.rated_ghz) + "," + quoted(l.source) + "\n";
  }
  const lumo::cli::LinesFileRead back = lumo::cli::read_lines_file(again, "f.csv");
  if (!back.ok() || back.lines.size() != r.lines.size()) std::abort();
  for (std::size_t i = 0; i < r.lines.size(); ++i) {
    if (!same(r.lines[i], back.lines[i])) std::abort();
  }
  return 0;
}
