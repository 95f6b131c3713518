#include "cli/output_target.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace lumo::cli {
namespace {

// The permission bits a new file gets from the process's umask.
mode_t new_file_mode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}

}  // namespace

OutputTarget::~OutputTarget() {
  if (fd_ >= 0) ::close(fd_);
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

void OutputTarget::open_stdout() {
  channel_.emplace(STDOUT_FILENO, OutputChannel::Delivery::kBlocks);
}

int OutputTarget::open_file(const std::string& path) {
  // A link is followed: the file it names is replaced, the link is kept.
  std::string real = path;
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) != nullptr) real = resolved;

  struct stat st {};
  const bool exists = ::stat(real.c_str(), &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) return EISDIR;
  if (exists && !S_ISREG(st.st_mode)) {
    // A device or pipe cannot be replaced: it is written directly.
    fd_ = ::open(real.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd_ < 0) return errno;
    channel_.emplace(fd_, OutputChannel::Delivery::kBlocks);
    return 0;
  }

  std::string temporary = real + ".lumo-XXXXXX";
  fd_ = ::mkstemp(temporary.data());
  if (fd_ < 0) return errno;
  temporary_ = temporary;
  target_ = real;
  // The replacement keeps the old file's permissions, or gets a new file's.
  const mode_t mode = exists ? static_cast<mode_t>(st.st_mode & 07777) : new_file_mode();
  if (::fchmod(fd_, mode) != 0) return errno;
  channel_.emplace(fd_, OutputChannel::Delivery::kBlocks);
  return 0;
}

int OutputTarget::commit() {
  if (!channel_->flush()) return channel_->error();
  if (fd_ >= 0) {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) return errno;
  }
  if (!temporary_.empty()) {
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) return errno;
    temporary_.clear();
  }
  return 0;
}

}  // namespace lumo::cli
