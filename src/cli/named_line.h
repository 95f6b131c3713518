// Named lines on the command line: --line NAME and --lines FILE, shared by
// every run and check. The entry's values stand where the defaults file's
// would; options given on the same command line override them.
//
// The user's lines come from --lines FILE, else ./lumo-lines.csv, else
// lines.csv in the folder lumo of the user's configuration folder
// (platform::user_config_file). Their names come before the built-in ones.
#pragma once

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/line_catalogue.h"
#include "cli/options.h"
#include "records/records.h"

namespace lumo::cli {

struct LineOptions {
  Given line;   // --line NAME
  Given lines;  // --lines FILE
};

// Registers --line and --lines on `app`.
void add_line_options(CLI::App* app, LineOptions& o);

// The places the user's file is looked for when --lines is not given, in
// order ("" entries left out).
std::vector<std::string> user_lines_candidates();

// The user's lines, and where they were read from.
struct UserLines {
  std::optional<std::string> file;  // the file read; none when no file was found
  std::vector<catalogue::Line> lines;
};

// Reads the user's file. UsageError when --lines FILE cannot be read;
// Failure when a file found cannot be read or is malformed (its line and
// column named).
UserLines load_user_lines(const Given& lines);

// A line --line chose, with where it came from.
struct NamedLine {
  catalogue::Line line;
  std::string origin;  // "built-in", or "FILE:LINE" for the user's
};

// The line named by --line; nothing without it. The user's file is read
// (and refused when malformed) when --line or --lines is given. UsageError
// for an unknown name, naming the nearest ones.
std::optional<NamedLine> chosen_line(const LineOptions& o);

// Puts the entry's values into the records where the defaults file's stand.
void apply_line(Blk1& k, const catalogue::Line& line);

// Adds "line" (the entry's name) and "line_source" (its source, or for a
// user entry without one, its file and line) to a JSON `inputs`.
void add_line_json(nlohmann::ordered_json& inputs, const NamedLine& named);

}  // namespace lumo::cli
