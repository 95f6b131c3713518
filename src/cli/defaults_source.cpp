#include "cli/defaults_source.h"

#include <cerrno>
#include <cstring>
#include <string_view>

#include "cli/delivered_defaults.h"
#include "input/lminput.h"
#include "textio/fatal.h"
#include "textio/io.h"
#include "textio/platform.h"

namespace lumo::cli {
namespace {

constexpr std::string_view kBuiltIn = "the built-in Lumo.DEF";

bool exists(const std::string& path) {
  platform::FileStatus st;
  return platform::status_of(path, st);
}

// The loader's message, printed as report lines, made one line:
// "ERROR exists in Lumo default data file (Lumo.DEF). Fix entry for variable ER."
std::string one_line(std::string_view text) {
  std::string out;
  bool blank = false;
  for (char c : text) {
    if (c == ' ' || c == '\r' || c == '\n') {
      blank = !out.empty();
    } else {
      if (blank) out += ' ';
      blank = false;
      out += c;
    }
  }
  return out;
}

// The reason line of a fatal stop's report, without its prefix.
std::string reason_of(const FatalStop& stop) {
  const std::size_t at = stop.report.find(kFatalPrefix);
  if (at == std::string::npos) return one_line(stop.report);
  std::string reason = stop.report.substr(at + kFatalPrefix.size());
  while (!reason.empty() && reason.back() == '\n') reason.pop_back();
  return reason;
}

// Opens `path` for reading; the error number, or 0 with `fd` set.
int open_regular(const std::string& path, int& fd, FileIdentity& identity) {
  fd = platform::open_file(path, platform::Access::kRead, false);
  if (fd < 0) return errno;
  platform::FileStatus st;
  if (!platform::status_of(fd, st) || st.directory) {
    const int err = st.directory ? EISDIR : errno;
    platform::close_file(fd);
    fd = -1;
    return err;
  }
  identity = st.identity;
  return 0;
}

}  // namespace

std::string installed_defaults_path(const std::string& exe) {
  // Either separator, for a Windows path.
  const std::size_t slash = exe.find_last_of("/\\");
  if (slash == std::string::npos) return {};
  const std::string bin = exe.substr(0, slash);
  const std::size_t up = bin.find_last_of("/\\");
  const std::string prefix = up == std::string::npos ? std::string(".") : bin.substr(0, up);
  return prefix + "/share/lumo/Lumo.DEF";
}

DefaultsLoad load_run_defaults(Records& rec, const std::optional<std::string>& path) {
  DefaultsLoad result;
  InputChannel channel;
  int fd = -1;
  if (path) {
    result.source = *path;
    if (const int err = open_regular(*path, fd, result.identity); err != 0) {
      return {2, *path, "--defaults " + *path + ": " + std::strerror(err), {}};
    }
  } else {
    const std::string installed = installed_defaults_path(platform::executable_path());
    for (const std::string& candidate : {std::string("Lumo.DEF"), installed}) {
      if (candidate.empty() || !exists(candidate)) continue;
      result.source = candidate;
      if (const int err = open_regular(candidate, fd, result.identity); err != 0) {
        return {1, candidate, candidate + ": " + std::strerror(err), {}};
      }
      break;
    }
  }
  if (fd >= 0) {
    channel = InputChannel(fd, true);
  } else {
    result.source = kBuiltIn;
    channel = InputChannel(std::string(kDeliveredDefaults, sizeof kDeliveredDefaults));
  }

  // The loader reports through a session's channels: its messages are
  // collected here and given as one line.
  InputChannel no_console;
  OutputChannel messages;
  OutputChannel errors;
  Io io{no_console, messages, errors, "", system_local_time, {}, {}};
  io.defaults.input() = std::move(channel);
  try {
    if (!load_defaults(rec, io)) {
      result.status = 1;
      result.error = result.source + ": " + one_line(messages.text());
    }
  } catch (const FatalStop& stop) {
    result.status = 1;
    result.error = result.source + ": " + reason_of(stop);
  }
  return result;
}

}  // namespace lumo::cli
