// The defaults file a command-line run starts from, found in this order:
//   1. the file named by --defaults;
//   2. ./Lumo.DEF when it exists;
//   3. <prefix>/share/lumo/Lumo.DEF beside the installed program (found from
//      the program's own path, <prefix>/bin/lumo);
//   4. the copy of the delivered Lumo.DEF built into the program.
// It is read by the dialogue's own loader, with the same checks.
#pragma once

#include <optional>
#include <string>

#include "records/records.h"
#include "textio/files.h"

namespace lumo::cli {

struct DefaultsLoad {
  int status = 0;         // 0 loaded; 1 a fault in the file or a read error; 2 --defaults unusable
  std::string source;     // the path read, or "the built-in Lumo.DEF"
  std::string error;      // one line when status != 0 (without the "lumo: " prefix)
  FileIdentity identity;  // of the file read (not valid for the built-in copy)
};

// Loads blk1 and blk3.fn of `rec`; `path` is the --defaults value if given.
DefaultsLoad load_run_defaults(Records& rec, const std::optional<std::string>& path);

// The installed copy's path for a program at `exe` (<dir>/bin/lumo ->
// <dir>/share/lumo/Lumo.DEF).
std::string installed_defaults_path(const std::string& exe);

}  // namespace lumo::cli
