#include "textio/platform.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace lumo::platform {
namespace {

int open_flags(Access access, bool create) {
  int flags = access == Access::kRead ? O_RDONLY : access == Access::kWrite ? O_WRONLY : O_RDWR;
  return create ? flags | O_CREAT : flags;
}

}  // namespace

#if defined(_WIN32)

namespace {

// One call of the C runtime's _read or _write takes an unsigned int count.
unsigned int count_of(std::size_t n) {
  return static_cast<unsigned int>(n < INT_MAX ? n : INT_MAX);
}

FileIdentity identity_of_handle(HANDLE h) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (h == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(h, &info)) return {};
  return {info.dwVolumeSerialNumber,
          (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow, true};
}

bool is_directory(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void fill_status(const struct _stat64& st, FileStatus& status) {
  status.regular = (st.st_mode & _S_IFMT) == _S_IFREG;
  status.directory = (st.st_mode & _S_IFMT) == _S_IFDIR;
  status.size = static_cast<std::uint64_t>(st.st_size);
  status.permissions = 0;
  status.identity = {};
}

// The C library's error number for the system's last error.
int errno_of_last_error() {
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EACCES;
    case ERROR_NOT_SAME_DEVICE:
      return EXDEV;
    case ERROR_DISK_FULL:
      return ENOSPC;
    default:
      return EIO;
  }
}

}  // namespace

void binary_console() {
  _setmode(kStdin, _O_BINARY);
  _setmode(kStdout, _O_BINARY);
  _setmode(kStderr, _O_BINARY);
}

void ignore_broken_pipe() {}

void usual_file_mode() {}

int open_file(const std::string& path, Access access, bool create) {
  int fd = _open(path.c_str(), open_flags(access, create) | _O_BINARY | _O_NOINHERIT,
                 _S_IREAD | _S_IWRITE);
  // The C runtime refuses a directory as it refuses a protected file.
  if (fd < 0 && errno == EACCES && is_directory(path)) errno = EISDIR;
  return fd;
}

std::ptrdiff_t read_some(int fd, char* buf, std::size_t n) { return _read(fd, buf, count_of(n)); }

std::ptrdiff_t write_some(int fd, const char* buf, std::size_t n) {
  return _write(fd, buf, count_of(n));
}

int close_file(int fd) { return _close(fd); }

bool status_of(int fd, FileStatus& status) {
  struct _stat64 st {};
  if (_fstat64(fd, &st) != 0) return false;
  fill_status(st, status);
  if (status.regular) {
    status.identity = identity_of_handle(reinterpret_cast<HANDLE>(_get_osfhandle(fd)));
  }
  return true;
}

bool status_of(const std::string& path, FileStatus& status) {
  struct _stat64 st {};
  if (_stat64(path.c_str(), &st) != 0) return false;
  fill_status(st, status);
  if (status.regular) identity_of(path, status.identity);
  return true;
}

bool identity_of(const std::string& path, FileIdentity& identity) {
  // No access asked, so a file another descriptor holds open is still
  // looked at; backup semantics lets a directory be opened too.
  HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  identity = identity_of_handle(h);
  CloseHandle(h);
  return identity.valid;
}

bool cut_file(int fd, std::uint64_t length) {
  errno_t rc = _chsize_s(fd, static_cast<long long>(length));
  if (rc != 0) errno = rc;
  return rc == 0;
}

std::string user_config_file(const std::string& app, const std::string& name) {
  const char* appdata = std::getenv("APPDATA");
  if (appdata == nullptr || appdata[0] == '\0') return {};
  return std::string(appdata) + "\\" + app + "\\" + name;
}

std::string resolved_path(const std::string& path) {
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return {};
  char full[MAX_PATH];
  DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  if (n == 0 || n >= MAX_PATH) return {};
  return std::string(full, n);
}

std::string executable_path() {
  char buf[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return {};
  return std::string(buf, n);
}

int create_temporary(const std::string& prefix, std::string& path) {
  // The C runtime's _mktemp_s picks from only 26 names per template; a new
  // random tail is tried while the name is taken.
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::uint64_t seed = GetTickCount64() ^ (std::uint64_t{GetCurrentProcessId()} << 32);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = prefix;
    for (int i = 0; i < 6; ++i) {
      seed = seed * 6364136223846793005u + 1442695040888963407u;
      name += kLetters[(seed >> 33) % (sizeof kLetters - 1)];
    }
    int fd = _open(name.c_str(), _O_RDWR | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                   _S_IREAD | _S_IWRITE);
    if (fd >= 0) {
      path = name;
      return fd;
    }
    if (errno != EEXIST) return -1;
  }
  return -1;
}

bool set_permissions(int, const FileStatus*) { return true; }

bool replace_file(const std::string& from, const std::string& to) {
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  errno = errno_of_last_error();
  return false;
}

bool remove_file(const std::string& path) { return _unlink(path.c_str()) == 0; }

LocalClock local_clock() {
  // 100-nanosecond ticks since 1601-01-01 UTC.
  constexpr std::uint64_t kTicksPerSecond = 10000000;
  constexpr std::uint64_t kUnixEpochTicks = 116444736000000000;
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  std::uint64_t ticks =
      ((std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime) - kUnixEpochTicks;
  auto seconds = static_cast<std::time_t>(ticks / kTicksPerSecond);
  LocalClock clock;
  localtime_s(&clock.local, &seconds);
  // The local broken-down time read back as if it were UTC, less the true
  // instant, is the offset.
  std::tm local = clock.local;
  clock.utc_offset_seconds = static_cast<long>(_mkgmtime(&local) - seconds);
  clock.millis = static_cast<int>(ticks % kTicksPerSecond / 10000);
  return clock;
}

#else

namespace {

FileIdentity identity_from(const struct stat& st) {
  return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino), true};
}

void fill_status(const struct stat& st, FileStatus& status) {
  status.regular = S_ISREG(st.st_mode);
  status.directory = S_ISDIR(st.st_mode);
  status.size = static_cast<std::uint64_t>(st.st_size);
  status.permissions = st.st_mode & 07777u;
  status.identity = identity_from(st);
}

}  // namespace

void binary_console() {}

void ignore_broken_pipe() { std::signal(SIGPIPE, SIG_IGN); }

void usual_file_mode() {
#if defined(__EMSCRIPTEN__)
  ::umask(022);
#endif
}

int open_file(const std::string& path, Access access, bool create) {
  int fd;
  do {
    fd = ::open(path.c_str(), open_flags(access, create) | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

std::ptrdiff_t read_some(int fd, char* buf, std::size_t n) { return ::read(fd, buf, n); }

std::ptrdiff_t write_some(int fd, const char* buf, std::size_t n) { return ::write(fd, buf, n); }

int close_file(int fd) { return ::close(fd); }

bool status_of(int fd, FileStatus& status) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return false;
  fill_status(st, status);
  return true;
}

bool status_of(const std::string& path, FileStatus& status) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  fill_status(st, status);
  return true;
}

bool identity_of(const std::string& path, FileIdentity& identity) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  identity = identity_from(st);
  return true;
}

bool cut_file(int fd, std::uint64_t length) {
  int rc;
  do {
    rc = ::ftruncate(fd, static_cast<off_t>(length));
  } while (rc != 0 && errno == EINTR);
  return rc == 0;
}

std::string user_config_file(const std::string& app, const std::string& name) {
  // A relative $XDG_CONFIG_HOME is not one: the folder would follow the
  // working directory.
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && xdg[0] == '/') return std::string(xdg) + "/" + app + "/" + name;
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] == '\0') return {};
  return std::string(home) + "/.config/" + app + "/" + name;
}

std::string resolved_path(const std::string& path) {
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) == nullptr) return {};
  return resolved;
}

std::string executable_path() {
  char buf[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return {};
  return std::string(buf, static_cast<std::size_t>(n));
}

int create_temporary(const std::string& prefix, std::string& path) {
  std::string name = prefix + "XXXXXX";
  const int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd >= 0) path = name;
  return fd;
}

bool set_permissions(int fd, const FileStatus* like) {
  mode_t mode;
  if (like != nullptr) {
    mode = static_cast<mode_t>(like->permissions);
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = static_cast<mode_t>(0666 & ~mask);
  }
  return ::fchmod(fd, mode) == 0;
}

bool replace_file(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool remove_file(const std::string& path) { return ::unlink(path.c_str()) == 0; }

LocalClock local_clock() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  LocalClock clock;
  localtime_r(&now.tv_sec, &clock.local);
  clock.utc_offset_seconds = clock.local.tm_gmtoff;
  clock.millis = static_cast<int>(now.tv_nsec / 1000000);
  return clock;
}

#endif

}  // namespace lumo::platform
