// The built-in catalogue and the matching of names.
#include "catalogue/line_catalogue.h"

#include <algorithm>
#include <cstddef>

#include "numbers/number_text.h"

namespace lumo::catalogue {
namespace {

// A diameter in millimetres as the source writes it: "3.040" is 3.04 / 25.4 in.
double mm(std::string_view text) {
  double x = 0;
  num::parse_number(text.data(), text.data() + text.size(), x);
  return x / 25.4;
}
constexpr double in(double x) { return x; }

// Micro-ohm-cm.
constexpr double kCopper = 1.72;
constexpr double kSilver = 1.59;

// The built-in lines. The air lines' D is the diameter that gives 50 ohms
// with their B; air is Er 1 and tan delta 0. Roughness is 0 unless a source
// gives it; a resistivity is given where the source names the metal.
// Every row must give Zo within 1 % of its nominal value from B, D and Er,
// and an exact TE11 cut-off above its rated frequency (tested).
std::vector<Line> make_built_in() {
  auto air = [](const char* name, std::vector<std::string> aliases, std::string_view b_mm,
                std::string_view d_mm, double rated_ghz, const char* source) {
    Line l;
    l.name = name;
    l.aliases = std::move(aliases);
    l.outer_in = mm(b_mm);
    l.inner_in = mm(d_mm);
    l.outer_as_given = std::string(b_mm) + " mm";
    l.inner_as_given = std::string(d_mm) + " mm";
    l.dielectric = "air";
    l.er = 1.0;
    l.tand = 0.0;
    l.rough_outer = l.rough_inner = 0.0;
    l.zo_nominal = 50.0;
    l.rated_ghz = rated_ghz;
    l.source = source;
    return l;
  };
  std::vector<Line> lines = {
      air("7mm", {}, "7.000", "3.040", 18, "IEEE Std 287 precision 7 mm line; 50-ohm ratio"),
      air("N", {"type-n"}, "7.00", "3.04", 18, "IEC 61169-16 Type N, 50 ohms"),
      air("3.5mm", {}, "3.500", "1.520", 26.5,
          "IEEE Std 287 3.5 mm (rated 26.5 GHz, usable to 33 GHz)"),
      air("2.92mm", {"k"}, "2.920", "1.270", 40, "IEEE Std 287 2.92 mm"),
      air("2.4mm", {}, "2.400", "1.042", 50, "IEEE Std 287 2.4 mm"),
      air("1.85mm", {"v"}, "1.850", "0.803", 67, "IEEE Std 287 1.85 mm"),
      air("1.0mm", {}, "1.000", "0.434", 110, "IEEE Std 287 1.0 mm"),
  };
  Line rg402;
  rg402.name = "RG-402";
  rg402.aliases = {"0.141", "semi-rigid-0.141"};
  rg402.outer_in = in(0.1175);
  rg402.inner_in = in(0.0362);
  rg402.dielectric = "PTFE";
  rg402.er = 2.03;
  rg402.tand = 0.0002;
  rg402.rho_outer = kCopper;
  rg402.rho_inner = kSilver;
  rg402.rough_outer = rg402.rough_inner = 0.0;
  rg402.zo_nominal = 50.0;
  rg402.source =
      "MIL-DTL-17/130, nominal dimensions; copper outer, silver-plated copper-clad steel "
      "centre (taken as silver, 1.59 micro-ohm-cm)";
  lines.push_back(std::move(rg402));
  return lines;
}

// Levenshtein distance.
std::size_t distance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::span<const Line> built_in_lines() {
  static const std::vector<Line> lines = make_built_in();
  return lines;
}

std::string name_key(std::string_view name) {
  std::string key;
  for (const char c : name) {
    if (c == ' ' || c == '\t' || c == '-' || c == '.') continue;
    key += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return key;
}

std::vector<std::string> keys_of(const Line& line) {
  std::vector<std::string> keys{name_key(line.name)};
  for (const std::string& a : line.aliases) keys.push_back(name_key(a));
  return keys;
}

const Line* find_line(std::span<const Line> lines, std::string_view name) {
  const std::string key = name_key(name);
  for (const Line& line : lines) {
    const std::vector<std::string> keys = keys_of(line);
    if (std::find(keys.begin(), keys.end(), key) != keys.end()) return &line;
  }
  return nullptr;
}

std::vector<std::string> nearest_names(std::span<const Line> lines, std::string_view name,
                                       std::size_t count) {
  const std::string key = name_key(name);
  struct Near {
    std::size_t distance;
    std::size_t order;
    const std::string* name;
  };
  std::vector<Near> near;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::size_t best = static_cast<std::size_t>(-1);
    for (const std::string& k : keys_of(lines[i])) best = std::min(best, distance(key, k));
    near.push_back({best, i, &lines[i].name});
  }
  std::stable_sort(near.begin(), near.end(),
                   [](const Near& a, const Near& b) { return a.distance < b.distance; });
  std::vector<std::string> names;
  for (const Near& n : near) {
    if (names.size() == count) break;
    if (std::find(names.begin(), names.end(), *n.name) == names.end()) names.push_back(*n.name);
  }
  return names;
}

std::vector<Line> with_built_in(std::span<const Line> user) {
  std::vector<Line> all(user.begin(), user.end());
  const std::span<const Line> built_in = built_in_lines();
  all.insert(all.end(), built_in.begin(), built_in.end());
  return all;
}

std::vector<std::string> shadowed_names(const Line& built_in, std::span<const Line> user) {
  std::vector<std::string> names;
  std::vector<const std::string*> written{&built_in.name};
  for (const std::string& a : built_in.aliases) written.push_back(&a);
  for (const std::string* w : written) {
    if (find_line(user, *w) != nullptr) names.push_back(*w);
  }
  return names;
}

}  // namespace lumo::catalogue
