#include "e2e/harness.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "driver/text_diff.h"
#include "support/temp_folder.h"

namespace lumo::e2e {

namespace fs = std::filesystem;

std::string binary_path() {
  const char* p = std::getenv("LUMO_BIN");
  return p != nullptr ? p : "lumo";
}

std::string source_dir() {
  const char* p = std::getenv("LUMO_SOURCE_DIR");
  return p != nullptr ? p : ".";
}

std::string read_source_file(std::string_view relative) {
  std::ifstream in(fs::path(source_dir()) / relative, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + std::string(relative));
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

namespace {

std::string read_file(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::map<std::string, std::string> snapshot(const fs::path& dir) {
  std::map<std::string, std::string> files;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(dir, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (it->is_symlink(ec) || !it->is_regular_file(ec)) continue;
    files[fs::relative(it->path(), dir).string()] = read_file(it->path());
  }
  return files;
}

constexpr uid_t kNobody = 65534;

// Runs the binary in `dir`, feeding `input` and collecting both outputs.
void run_child(const fs::path& dir, const Scenario& scenario, Outcome& o, const std::string& bin) {
  int in_pipe[2], out_pipe[2], err_pipe[2];
  if (::pipe(in_pipe) != 0 || ::pipe(out_pipe) != 0 || ::pipe(err_pipe) != 0) {
    throw std::runtime_error("pipe failed");
  }
  if (scenario.program.empty() && ::access(bin.c_str(), X_OK) != 0) {
    throw std::runtime_error("no executable at '" + bin + "' (set LUMO_BIN)");
  }
  // The environment, made before the fork.
  std::vector<std::string> env_strings;
  for (char** e = environ; *e != nullptr; ++e) env_strings.emplace_back(*e);
  for (std::string setting : scenario.env) {
    for (std::size_t at; (at = setting.find("{dir}")) != std::string::npos;) {
      setting.replace(at, 5, dir.string());
    }
    const std::string name = setting.substr(0, setting.find('=') + 1);
    std::erase_if(env_strings, [&](const std::string& e) { return e.starts_with(name); });
    env_strings.push_back(setting);
  }
  std::vector<char*> envp;
  for (std::string& e : env_strings) envp.push_back(e.data());
  envp.push_back(nullptr);
  pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    ::dup2(in_pipe[0], 0);
    ::dup2(out_pipe[1], 1);
    ::dup2(err_pipe[1], 2);
    for (int fd : {in_pipe[0], in_pipe[1], out_pipe[0], out_pipe[1], err_pipe[0], err_pipe[1]}) {
      ::close(fd);
    }
    if (::chdir(dir.c_str()) != 0) ::_exit(126);
    if (scenario.unprivileged && ::geteuid() == 0) {
      if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
        ::_exit(125);
      }
    }
    ::signal(SIGPIPE, SIG_DFL);
    if (scenario.file_size_limit > 0) {
      // A write beyond the limit then fails with EFBIG instead of a signal.
      ::signal(SIGXFSZ, SIG_IGN);
      const auto limit = static_cast<rlim_t>(scenario.file_size_limit);
      const rlimit rl{limit, limit};
      if (::setrlimit(RLIMIT_FSIZE, &rl) != 0) ::_exit(124);
    }
    const std::string path = scenario.program.empty() ? bin : scenario.program;
    std::vector<std::string> words{path};
    words.insert(words.end(), scenario.args.begin(), scenario.args.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    ::execve(path.c_str(), argv.data(), envp.data());
    ::_exit(127);
  }
  ::close(in_pipe[0]);
  ::close(out_pipe[1]);
  ::close(err_pipe[1]);
  // A program that stops reading early must not kill the test with SIGPIPE.
  ::signal(SIGPIPE, SIG_IGN);
  ::fcntl(in_pipe[1], F_SETFL, O_NONBLOCK);

  int in_fd = in_pipe[1];
  std::size_t in_pos = 0;
  if (scenario.input.empty()) {
    ::close(in_fd);
    in_fd = -1;
  }
  int out_fd = out_pipe[0], err_fd = err_pipe[0];
  auto deadline = std::chrono::steady_clock::now() +
                  std::chrono::milliseconds(static_cast<long>(scenario.timeout_seconds * 1000));
  char buf[65536];
  while (out_fd >= 0 || err_fd >= 0) {
    pollfd fds[3];
    int n = 0;
    if (in_fd >= 0) fds[n++] = {in_fd, POLLOUT, 0};
    if (out_fd >= 0) fds[n++] = {out_fd, POLLIN, 0};
    if (err_fd >= 0) fds[n++] = {err_fd, POLLIN, 0};
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                    deadline - std::chrono::steady_clock::now())
                    .count();
    if (left <= 0) {
      o.timed_out = true;
      ::kill(pid, SIGKILL);
      break;
    }
    int r = ::poll(fds, static_cast<nfds_t>(n), static_cast<int>(left));
    if (r < 0 && errno == EINTR) continue;
    for (int i = 0; i < n; ++i) {
      if (fds[i].revents == 0) continue;
      int fd = fds[i].fd;
      if (fd == in_fd) {
        ssize_t w = ::write(in_fd, scenario.input.data() + in_pos, scenario.input.size() - in_pos);
        if (w > 0) in_pos += static_cast<std::size_t>(w);
        if (w < 0 && errno != EAGAIN) in_pos = scenario.input.size();  // reader gone
        if (in_pos == scenario.input.size()) {
          ::close(in_fd);
          in_fd = -1;
        }
      } else {
        ssize_t got = ::read(fd, buf, sizeof buf);
        if (got > 0) {
          (fd == out_fd ? o.out : o.err).append(buf, static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
          ::close(fd);
          (fd == out_fd ? out_fd : err_fd) = -1;
        }
      }
    }
  }
  for (int fd : {in_fd, out_fd, err_fd}) {
    if (fd >= 0) ::close(fd);
  }
  int wstatus = 0;
  while (::waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
  }
  o.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
}

}  // namespace

Outcome run_program(const Scenario& scenario) {
  const lumo::testing::TempFolder work("e2e");
  const fs::path dir = work.path();
  std::optional<lumo::testing::TempFolder> bin_dir;
  Outcome o;
  if (scenario.defaults) work.write("Lumo.DEF", *scenario.defaults);
  for (const Prepared& p : scenario.prepared) {
    fs::path path = dir / p.name;
    switch (p.kind) {
      case Prepared::kFile:
        work.write(p.name, p.content, p.mode);
        break;
      case Prepared::kDirectory:
        fs::create_directories(path);
        break;
      case Prepared::kSymlink:
        fs::create_symlink(p.content, path);
        break;
    }
  }
  std::string bin = binary_path();
  if (scenario.unprivileged && ::geteuid() == 0) {
    // The unprivileged user may not reach the build folder: it runs a copy
    // of the binary from a folder of its own.
    ::chmod(dir.c_str(), 0777);
    bin_dir.emplace("e2e");
    ::chmod(bin_dir->path().c_str(), 0755);
    bin = bin_dir->path("lumo");
    fs::copy_file(binary_path(), bin);
    ::chmod(bin.c_str(), 0755);
  }
  run_child(dir, scenario, o, bin);
  o.files = snapshot(dir);
  return o;
}

namespace {

// An I2 field as the reports write it: a blank and a digit, or two digits
// without a leading zero.
bool is_i2(std::string_view f) {
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  return f.size() == 2 && digit(f[1]) && (f[0] == ' ' || (f[0] >= '1' && f[0] <= '9'));
}

bool is_i4(std::string_view f) {
  return f.size() == 4 &&
         std::all_of(f.begin(), f.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "MM/DD/YYYY" laid out as I2 '/' I2 '/' I4.
bool is_date(std::string_view f) {
  return f.size() == 10 && is_i2(f.substr(0, 2)) && f[2] == '/' && is_i2(f.substr(3, 2)) &&
         f[5] == '/' && is_i4(f.substr(6, 4));
}

// Replaces `width` characters after each `anchor` that `valid` accepts.
std::string mask_after(std::string text, std::string_view anchor, std::size_t width,
                       bool (*valid)(std::string_view), std::string_view mask) {
  for (std::size_t at = text.find(anchor); at != std::string::npos;
       at = text.find(anchor, at + 1)) {
    std::size_t start = at + anchor.size();
    if (start + width <= text.size() && valid(std::string_view(text).substr(start, width))) {
      text.replace(start, width, mask);
    }
  }
  return text;
}

bool is_header_clock(std::string_view f) {
  // "12/ 6/2026 at  9: 5: 3Hours"
  return f.size() == 27 && is_date(f.substr(0, 10)) && f.substr(10, 4) == " at " &&
         is_i2(f.substr(14, 2)) && f[16] == ':' && is_i2(f.substr(17, 2)) && f[19] == ':' &&
         is_i2(f.substr(20, 2)) && f.substr(22) == "Hours";
}

}  // namespace

std::string mask_dates(std::string_view text) {
  std::string s =
      mask_after(std::string(text), " Date:", 27, is_header_clock, "MM/DD/YYYY at hh:mm:ssHours");
  return mask_after(std::move(s), "Program: Lumo (v. 1.0)    Date: ", 10, is_date, "MM/DD/YYYY");
}

std::string first_difference(std::string_view want, std::string_view got) {
  return lumo::testing::first_difference(want, got);
}

std::string crlf(std::initializer_list<std::string_view> lines) {
  std::string s;
  for (std::string_view l : lines) {
    s.append(l);
    s += "\r\n";
  }
  return s;
}

}  // namespace lumo::e2e
