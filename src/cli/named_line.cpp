#include "cli/named_line.h"

#include <cstring>

#include "cli/lines_file.h"
#include "textio/platform.h"

namespace lumo::cli {

void add_line_options(CLI::App* app, LineOptions& o) {
  add(app, o.line, "--line", "NAME",
      "a named line's values (see lumo lines); options given override them");
  add(app, o.lines, "--lines", "FILE",
      "the user's lines (else ./lumo-lines.csv, else the configuration folder's lumo/lines.csv)");
}

std::vector<std::string> user_lines_candidates() {
  std::vector<std::string> places{"lumo-lines.csv"};
  const std::string config = platform::user_config_file("lumo", "lines.csv");
  if (!config.empty()) places.push_back(config);
  return places;
}

UserLines load_user_lines(const Given& lines) {
  UserLines user;
  if (lines.given()) {
    if (lines.text.empty()) throw UsageError{lines.quoted() + ": a file name is needed"};
    user.file = lines.text;
  } else {
    for (const std::string& place : user_lines_candidates()) {
      platform::FileStatus st;
      if (platform::status_of(place, st)) {
        user.file = place;
        break;
      }
    }
  }
  if (!user.file) return user;
  std::string text;
  if (const int err = read_file(*user.file, text); err != 0) {
    if (lines.given()) throw UsageError{lines.quoted() + ": " + std::strerror(err)};
    throw Failure{*user.file + ": " + std::strerror(err)};
  }
  LinesFileRead read = read_lines_file(text, *user.file);
  if (!read.ok()) throw Failure{read.error};
  user.lines = std::move(read.lines);
  return user;
}

std::optional<NamedLine> chosen_line(const LineOptions& o) {
  if (!o.line.given() && !o.lines.given()) return std::nullopt;
  const UserLines user = load_user_lines(o.lines);
  if (!o.line.given()) return std::nullopt;
  const std::vector<catalogue::Line> all = catalogue::with_built_in(user.lines);
  const catalogue::Line* found = catalogue::find_line(all, o.line.text);
  if (found == nullptr) {
    const std::vector<std::string> near = catalogue::nearest_names(all, o.line.text, 3);
    std::string list;
    for (std::size_t i = 0; i < near.size(); ++i) {
      if (i > 0) list += i + 1 == near.size() ? " and " : ", ";
      list += near[i];
    }
    throw UsageError{o.line.quoted() + ": no line of that name; the nearest are " + list +
                     " (lumo lines lists them all)"};
  }
  NamedLine named{*found, "built-in"};
  if (found->file_line > 0) named.origin = *user.file + ":" + std::to_string(found->file_line);
  return named;
}

void apply_line(Blk1& k, const catalogue::Line& line) {
  k.bdef = static_cast<float>(line.outer_in);
  k.ddef = static_cast<float>(line.inner_in);
  auto set = [](float& field, const std::optional<double>& value) {
    if (value) field = static_cast<float>(*value);
  };
  set(k.er, line.er);
  set(k.dltan, line.tand);
  set(k.resb1, line.rho_outer);
  set(k.resd1, line.rho_inner);
  set(k.srb1, line.rough_outer);
  set(k.srd1, line.rough_inner);
}

void add_line_json(nlohmann::ordered_json& inputs, const NamedLine& named) {
  inputs["line"] = named.line.name;
  inputs["line_source"] = named.line.source.empty() ? named.origin : named.line.source;
}

}  // namespace lumo::cli
