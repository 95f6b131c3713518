#include "fuzz_session_support.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "driver/lumo.h"
#include "support/fixed_clock.h"
#include "support/temp_folder.h"
#include "textio/fatal.h"

namespace lumo::fuzz {
namespace {

[[noreturn]] void fail(const char* what, const SessionResult& r) {
  std::fprintf(stderr, "undefined end: %s\nstatus %d\nerror stream:\n%s\n", what, r.status,
               r.errors.c_str());
  std::abort();
}

}  // namespace

void cap_file_sizes() {
  static bool done = false;
  if (done) return;
  done = true;
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{1 << 20, 1 << 20};
  setrlimit(RLIMIT_FSIZE, &limit);
}

SessionResult run_session(std::string_view defaults, std::string_view console) {
  cap_file_sizes();
  const testing::TempFolder scratch("fuzz");
  scratch.write("Lumo.DEF", defaults);

  // Console output goes to a file so that the size cap ends endless reports.
  int out_fd = open(scratch.path("console.out").c_str(), O_RDWR | O_CREAT | O_TRUNC, 0644);
  if (out_fd < 0) std::abort();
  SessionResult r;
  {
    InputChannel in{std::string(console)};
    OutputChannel out(out_fd, OutputChannel::Delivery::kBlocks);
    OutputChannel err;
    Io io{in, out, err, scratch.path(), testing::fixed_clock};
    r.status = run_lumo(io);
    r.errors = err.take_text();
  }
  char buf[4096];
  ssize_t n = pread(out_fd, buf, sizeof buf, 0);
  if (n > 0) r.console.assign(buf, static_cast<std::size_t>(n));
  close(out_fd);
  return r;
}

bool stays_in_scratch(std::string_view bytes) { return bytes.find('/') == std::string_view::npos; }

void check_defined_end(const SessionResult& r) {
  if (r.status == 0) {
    if (!r.errors.empty()) fail("status 0 with an error report", r);
    return;
  }
  if (r.status != 2) fail("status other than 0 or 2", r);
  // Exactly two LF-ended lines: the locator line and the reason line.
  const std::string& e = r.errors;
  std::size_t first = e.find('\n');
  if (first == std::string::npos || e.compare(0, 8, "At line ") != 0) fail("no locator line", r);
  std::size_t second = e.find('\n', first + 1);
  if (second == std::string::npos || second + 1 != e.size()) fail("not two lines", r);
  std::string_view reason(e.data() + first + 1, second - first - 1);
  if (reason.substr(0, kFatalPrefix.size()) != kFatalPrefix) fail("no reason prefix", r);
}

}  // namespace lumo::fuzz
