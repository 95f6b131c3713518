#include "textio/fatal.h"

#include <cerrno>
#include <cstring>

namespace lumo {

std::string fatal_report(int line, std::string_view source, int unit,
                         std::optional<std::string_view> file, std::string_view reason) {
  std::string text = "At line " + std::to_string(line) + " of file ";
  text += source;
  text += " (unit = " + std::to_string(unit);
  if (file) {
    text += ", file = '";
    text += *file;
    text += "'";
  }
  text += ")\n";
  text += kFatalPrefix;
  text += reason;
  text += "\n";
  return text;
}

void fatal(int unit, std::optional<std::string_view> file, std::string_view reason, Stmt where) {
  throw FatalStop{fatal_report(statement_number(where), statement_part(where), unit, file, reason)};
}

std::string open_failure_reason(int err, std::string_view name) {
  std::string n(name);
  switch (err) {
    case ENOENT:
      return "File '" + n + "' does not exist";
    case EACCES:
      return "Permission denied trying to open file '" + n + "'";
    case EISDIR:
      return "'" + n + "' is a directory";
    default:
      return std::strerror(err);
  }
}

}  // namespace lumo
