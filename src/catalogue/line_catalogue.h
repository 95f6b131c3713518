// Named coaxial lines: the built-in catalogue of standard lines, each with
// the source of its numbers, and how a name given by a user finds one.
//
//   name_key("3.5 mm") -> "35mm"      name_key("RG-402") -> "rg402"
//   find_line(lines, "35MM")          -> the 3.5mm entry
//   nearest_names(lines, "2.5mm", 3)  -> {"2.4mm", "3.5mm", ...}
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumo::catalogue {

// One named line. Diameters in inches; a value not given is left to the
// command line or the defaults file.
struct Line {
  std::string name;
  std::vector<std::string> aliases;
  double outer_in = 0;  // B, the outer conductor's inner diameter
  double inner_in = 0;  // D, the inner conductor's diameter
  // B and D as the source writes them in another unit than inches ("7.000
  // mm"); "" for inches.
  std::string outer_as_given, inner_as_given;
  std::string dielectric;  // "air", "PTFE"; "" when not named
  std::optional<double> er, tand;
  std::optional<double> rho_outer, rho_inner;      // micro-ohm-cm
  std::optional<double> rough_outer, rough_inner;  // RMS, micro-inches
  std::optional<double> zo_nominal;                // ohms
  std::optional<double> rated_ghz;                 // the highest frequency it is rated for
  std::string source;                              // where the numbers come from
  int file_line = 0;  // the line of the user's file it was read from; 0 built in
};

// The built-in catalogue, in a fixed order.
std::span<const Line> built_in_lines();

// A name as names are matched: lower case, without blanks, dashes and dots.
std::string name_key(std::string_view name);

// The name and every alias of `line`, as keys.
std::vector<std::string> keys_of(const Line& line);

// The first line of `lines` whose name or an alias has the key of `name`.
const Line* find_line(std::span<const Line> lines, std::string_view name);

// Up to `count` names of `lines` whose keys lie nearest `name`'s (edit
// distance between keys, a name counting by its nearest key), nearest first;
// lines of equal distance keep their order.
std::vector<std::string> nearest_names(std::span<const Line> lines, std::string_view name,
                                       std::size_t count);

// The user's lines first, then the built-in ones: the user's shadow a
// built-in line of the same key.
std::vector<Line> with_built_in(std::span<const Line> user);

// The names of `built_in` (its name and aliases, as written) whose key a line
// of `user` also has.
std::vector<std::string> shadowed_names(const Line& built_in, std::span<const Line> user);

}  // namespace lumo::catalogue
