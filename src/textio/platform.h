// What differs between POSIX systems and Windows, behind one set of calls:
// the console's descriptors, files opened, read, written and cut by
// descriptor, the identity of a file, and the local clock. Only platform.cpp
// tells the two systems apart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>

namespace lumo::platform {

inline constexpr int kStdin = 0;
inline constexpr int kStdout = 1;
inline constexpr int kStderr = 2;

// Puts stdin, stdout and stderr in binary mode, so that no CR or LF is added
// or taken away (Windows; POSIX streams are bytes already).
void binary_console();
// Makes writing to a closed pipe a write error instead of a signal (POSIX;
// Windows has no such signal).
void ignore_broken_pipe();
// Gives new files the usual permissions (umask 022) where a process starts
// with none: emscripten's in-memory file system starts with umask 0777, so a
// file Lumo writes could not be read back. Nothing elsewhere.
void usual_file_mode();

// Two names designate the same file when these agree: the device and inode
// numbers (POSIX), the volume serial number and file index (Windows). The
// file system decides, so on Windows names differing in letter case only
// have one identity.
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  bool valid = false;
  bool operator==(const FileIdentity&) const = default;
};

enum class Access { kRead, kReadWrite, kWrite };

// Opens `path` in binary mode, not inherited by child processes. With
// `create` a missing file is made (read-write for everyone, less the umask);
// an existing file is never truncated. Returns the descriptor, or -1 with
// errno set (EISDIR for a directory on both systems). Retries when
// interrupted.
int open_file(const std::string& path, Access access, bool create);

// At most `n` bytes; the count done, or -1 with errno set (EINTR included).
std::ptrdiff_t read_some(int fd, char* buf, std::size_t n);
std::ptrdiff_t write_some(int fd, const char* buf, std::size_t n);
// 0, or -1 with errno set.
int close_file(int fd);

struct FileStatus {
  bool regular = false;
  bool directory = false;
  std::uint64_t size = 0;        // bytes, for a regular file
  unsigned int permissions = 0;  // the POSIX permission bits (0 on Windows)
  FileIdentity identity;         // valid for files on disk
};
// The status of an open descriptor, or of the file `path` designates (links
// followed); false with errno set.
bool status_of(int fd, FileStatus& status);
bool status_of(const std::string& path, FileStatus& status);
// The identity of the file that `path` designates (links followed); false
// when it designates nothing that can be looked at.
bool identity_of(const std::string& path, FileIdentity& identity);
// Cuts the file to `length` bytes; false with errno set. Retries when
// interrupted.
bool cut_file(int fd, std::uint64_t length);

// The absolute path of `path` with links resolved where the system has them;
// "" when it cannot be resolved (it designates nothing, for one).
std::string resolved_path(const std::string& path);
// The path of the file `name` in the folder `app` of the user's configuration
// folder: $XDG_CONFIG_HOME (when it is an absolute path), else $HOME/.config
// (POSIX); %APPDATA% (Windows). "" when the environment gives no folder.
//   user_config_file("lumo", "lines.csv") -> "/home/ann/.config/lumo/lines.csv"
std::string user_config_file(const std::string& app, const std::string& name);
// The path of the running program's own file; "" when unknown.
std::string executable_path();
// Creates and opens (read-write, binary, not inherited) a new file named
// `prefix` and six characters that make the name unused; sets `path` to its
// name. The descriptor, or -1 with errno set.
int create_temporary(const std::string& prefix, std::string& path);
// Gives the file open as `fd` the permission bits of `like`, or without it
// those of a new file (0666 less the umask). Nothing to do on Windows, where
// a new file is writable. False with errno set.
bool set_permissions(int fd, const FileStatus* like);
// Renames `from` to `to`, replacing a file `to` designates; false with errno
// set.
bool replace_file(const std::string& from, const std::string& to);
// Removes the file; false with errno set.
bool remove_file(const std::string& path);

struct LocalClock {
  std::tm local{};              // broken-down local time, whole seconds
  long utc_offset_seconds = 0;  // local time minus UTC
  int millis = 0;               // 0 to 999
};
LocalClock local_clock();

}  // namespace lumo::platform
