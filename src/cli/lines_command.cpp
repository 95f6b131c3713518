// The listing of the named lines.
#include "cli/lines_command.h"

#include <cmath>
#include <cstring>
#include <nlohmann/json.hpp>

#include "checks/mode_cutoffs.h"
#include "checks/tolerance.h"
#include "cli/command_line.h"
#include "cli/data_writers.h"
#include "cli/line_values.h"
#include "cli/named_line.h"
#include "cli/options.h"
#include "cli/output_target.h"
#include "numbers/number_text.h"

#ifndef LUMO_VERSION
#error "LUMO_VERSION must be defined by the build"
#endif

namespace lumo::cli {
namespace {

using catalogue::Line;
using Json = nlohmann::ordered_json;

constexpr double kMmPerInch = 25.4;
constexpr std::size_t kLabelWidth = 28;

// The shortest decimal of the value in single precision: as the runs' CSV
// gives it, and in the report without an exponent.
std::string csv_number(double x) {
  std::string s;
  append_number(s, static_cast<float>(x));
  return s;
}
std::string number(double x) { return shortest(static_cast<float>(x)); }

std::string optional_number(const std::optional<double>& x) { return x ? csv_number(*x) : ""; }

// `x` to `decimals` places.
std::string fixed(double x, int decimals) { return num::fixed(x, decimals); }

std::string joined(const std::vector<std::string>& items, std::string_view between) {
  std::string out;
  for (const std::string& item : items) {
    if (!out.empty()) out += between;
    out += item;
  }
  return out;
}

std::string row(std::string_view label, std::string_view value) {
  std::string out = "  " + std::string(label);
  out.append(kLabelWidth > label.size() ? kLabelWidth - label.size() : 1, ' ');
  return out + std::string(value) + "\n";
}

// "outer 1.72, inner 1.59"; a value not given is "-"; both not given is
// "not given".
std::string pair(const std::optional<double>& outer, const std::optional<double>& inner) {
  if (!outer && !inner) return "not given";
  auto one = [](const std::optional<double>& x) { return x ? number(*x) : std::string("-"); };
  return "outer " + one(outer) + ", inner " + one(inner);
}

std::string diameter(double in) { return number(in) + " in (" + number(in * kMmPerInch) + " mm)"; }

// "FILE:LINE" as text: "FILE, line LINE".
std::string origin_text(const std::string& origin) {
  const std::size_t colon = origin.rfind(':');
  if (origin == "built-in" || colon == std::string::npos) return "built in";
  return origin.substr(0, colon) + ", line " + origin.substr(colon + 1);
}

std::string csv_field(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

Json optional_json(const std::optional<double>& x) { return x ? json_double(*x) : Json(nullptr); }

}  // namespace

std::vector<ListedLine> listed_lines(std::span<const Line> built_in, std::span<const Line> user,
                                     const std::string& user_file) {
  std::vector<ListedLine> listed;
  auto add = [&](const Line& line, std::string origin) {
    ListedLine l{&line, std::move(origin), {}, {}, {}, {}};
    if (line.er) {
      const checks::CoaxLine coax{line.outer_in, line.inner_in, *line.er};
      l.zo_ohm = checks::eccentric_zo(coax, 0.0);
      const double te11 = checks::mode_cutoffs(coax).te11_ghz;
      if (std::isfinite(te11)) l.te11_ghz = te11;
    }
    listed.push_back(std::move(l));
  };
  for (const Line& line : built_in) {
    add(line, "built-in");
    listed.back().shadowed = catalogue::shadowed_names(line, user);
  }
  for (const Line& line : user) {
    add(line, user_file + ":" + std::to_string(line.file_line));
    for (const Line& b : built_in) {
      // An alias names its line: "k (2.92mm)".
      for (const std::string& name :
           catalogue::shadowed_names(b, std::span<const Line>(&line, 1))) {
        listed.back().shadows.push_back(name == b.name ? name : name + " (" + b.name + ")");
      }
    }
  }
  return listed;
}

std::string lines_report(const std::vector<ListedLine>& lines, std::string_view heading) {
  std::string out = std::string(heading) + "\n";
  for (const ListedLine& l : lines) {
    const Line& line = *l.line;
    out += "\n" + line.name + "\n";
    out += row("Aliases", line.aliases.empty() ? "none" : joined(line.aliases, ", "));
    out += row("Outer diameter B", diameter(line.outer_in));
    out += row("Inner diameter D", diameter(line.inner_in));
    std::vector<std::string> dielectric;
    if (!line.dielectric.empty()) dielectric.push_back(line.dielectric);
    if (line.er) dielectric.push_back("Er " + number(*line.er));
    if (line.tand) dielectric.push_back("tan delta " + number(*line.tand));
    out += row("Dielectric", dielectric.empty() ? "not given" : joined(dielectric, ", "));
    out += row("Resistivity, micro-ohm-cm", pair(line.rho_outer, line.rho_inner));
    out += row("Roughness, micro-inches", pair(line.rough_outer, line.rough_inner));
    std::vector<std::string> zo;
    if (line.zo_nominal) zo.push_back(number(*line.zo_nominal) + " nominal");
    if (l.zo_ohm) zo.push_back(fixed(*l.zo_ohm, 2) + " computed");
    out += row("Zo, ohms", zo.empty() ? "not given (no Er)" : joined(zo, ", "));
    out += row("Rated to, GHz", line.rated_ghz ? number(*line.rated_ghz) : "not given");
    out += row("TE11 cut-off (exact), GHz", l.te11_ghz ? fixed(*l.te11_ghz, 4)
                                            : line.er  ? "not found"
                                                       : "not given (no Er)");
    out += row("Source", line.source.empty() ? "not given" : line.source);
    std::string from = origin_text(l.origin);
    if (!l.shadows.empty()) from += "; shadows the built-in " + joined(l.shadows, ", ");
    if (!l.shadowed.empty()) from += "; the user's lines shadow " + joined(l.shadowed, ", ");
    out += row("From", from);
  }
  return out;
}

std::string lines_csv(const std::vector<ListedLine>& lines) {
  std::string out =
      "name,aliases,outer_in,outer_mm,inner_in,inner_mm,dielectric,er,tand,rho_outer_uohm_cm,"
      "rho_inner_uohm_cm,rough_outer_uin,rough_inner_uin,zo_nominal_ohm,zo_computed_ohm,"
      "rated_ghz,te11_exact_ghz,source,origin,shadows,shadowed\r\n";
  for (const ListedLine& l : lines) {
    const Line& line = *l.line;
    const std::string fields[] = {csv_field(line.name),
                                  csv_field(joined(line.aliases, ";")),
                                  csv_number(line.outer_in),
                                  csv_number(line.outer_in * kMmPerInch),
                                  csv_number(line.inner_in),
                                  csv_number(line.inner_in * kMmPerInch),
                                  csv_field(line.dielectric),
                                  optional_number(line.er),
                                  optional_number(line.tand),
                                  optional_number(line.rho_outer),
                                  optional_number(line.rho_inner),
                                  optional_number(line.rough_outer),
                                  optional_number(line.rough_inner),
                                  optional_number(line.zo_nominal),
                                  optional_number(l.zo_ohm),
                                  optional_number(line.rated_ghz),
                                  optional_number(l.te11_ghz),
                                  csv_field(line.source),
                                  csv_field(l.origin),
                                  csv_field(joined(l.shadows, ";")),
                                  csv_field(joined(l.shadowed, ";"))};
    std::string text;
    for (const std::string& f : fields) text += f + ",";
    text.back() = '\r';
    out += text + "\n";
  }
  return out;
}

struct LinesCommand::Options {
  Given format, output, lines;
};

LinesCommand::LinesCommand(CLI::App& app) : options_(std::make_unique<Options>()) {
  app_ = app.add_subcommand(
      "lines", "the named lines for --line: the built-in ones and the user's, with sources");
  Options& o = *options_;
  add(app_, o.format, "--format", "FORMAT", "report (default), csv or json");
  add(app_, o.output, "-o,--output", "FILE",
      "write to FILE (replaced when complete) instead of standard output");
  add(app_, o.lines, "--lines", "FILE",
      "the user's lines (else ./lumo-lines.csv, else the configuration folder's lumo/lines.csv)");
  app_->footer(
      "Exit status: 0 success, 1 failure (the user's file malformed or not read,\n"
      "output not written), 2 an option not accepted.");
}

LinesCommand::~LinesCommand() = default;

int LinesCommand::run() const {
  return with_diagnostics([&] {
    const Options& o = *options_;
    const Format format = checked_format(o.format);
    const OutputFiles files = checked_output_files(o.output, Given{});
    const UserLines user = load_user_lines(o.lines);
    const std::vector<ListedLine> listed =
        listed_lines(catalogue::built_in_lines(), user.lines, user.file.value_or(""));
    std::string text;
    if (format == Format::kReport) {
      std::string heading =
          std::to_string(catalogue::built_in_lines().size()) + " built-in lines; ";
      if (user.file) {
        heading += std::to_string(user.lines.size()) + " from " + *user.file;
      } else {
        heading += "no user file (looked for " + joined(user_lines_candidates(), ", ") + ")";
      }
      text = lines_report(listed, heading);
    } else if (format == Format::kCsv) {
      text = lines_csv(listed);
    } else {
      Json j = Json::object();
      j["program"] = "lumo";
      j["version"] = LUMO_VERSION;
      j["run"] = "lines";
      j["user_file"] = user.file ? Json(*user.file) : Json(nullptr);
      Json& array = j["lines"] = Json::array();
      for (const ListedLine& l : listed) {
        const Line& line = *l.line;
        Json e = Json::object();
        e["name"] = line.name;
        e["aliases"] = line.aliases;
        e["outer_in"] = json_double(line.outer_in);
        e["inner_in"] = json_double(line.inner_in);
        e["dielectric"] = line.dielectric.empty() ? Json(nullptr) : Json(line.dielectric);
        e["er"] = optional_json(line.er);
        e["tand"] = optional_json(line.tand);
        e["rho_outer_uohm_cm"] = optional_json(line.rho_outer);
        e["rho_inner_uohm_cm"] = optional_json(line.rho_inner);
        e["rough_outer_uin"] = optional_json(line.rough_outer);
        e["rough_inner_uin"] = optional_json(line.rough_inner);
        e["zo_nominal_ohm"] = optional_json(line.zo_nominal);
        e["zo_computed_ohm"] = optional_json(l.zo_ohm);
        e["rated_ghz"] = optional_json(line.rated_ghz);
        e["te11_exact_ghz"] = optional_json(l.te11_ghz);
        e["source"] = line.source;
        e["origin"] = l.origin;
        e["shadows"] = l.shadows;
        e["shadowed"] = l.shadowed;
        array.push_back(std::move(e));
      }
      text = j.dump() + "\n";
    }
    OutputTarget target;
    auto failed = [&](int err) {
      return Failure{(files.output ? "-o " + *files.output : std::string("standard output")) +
                     ": " + std::strerror(err)};
    };
    if (files.output) {
      if (const int err = target.open_file(*files.output); err != 0) throw failed(err);
    } else {
      target.open_stdout();
    }
    target.channel().append(text);
    if (!target.channel().end_statement()) throw failed(target.channel().error());
    if (const int err = target.commit(); err != 0) throw failed(err);
    return kExitSuccess;
  });
}

}  // namespace lumo::cli
