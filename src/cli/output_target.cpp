#include "cli/output_target.h"

#include <cerrno>

#include "textio/platform.h"

namespace lumo::cli {

OutputTarget::~OutputTarget() {
  if (fd_ >= 0) platform::close_file(fd_);
  if (!temporary_.empty()) platform::remove_file(temporary_);
}

void OutputTarget::open_stdout() {
  channel_.emplace(platform::kStdout, OutputChannel::Delivery::kBlocks);
}

int OutputTarget::open_file(const std::string& path) {
  // A link is followed: the file it names is replaced, the link is kept.
  std::string real = platform::resolved_path(path);
  if (real.empty()) real = path;

  platform::FileStatus st;
  const bool exists = platform::status_of(real, st);
  if (exists && st.directory) return EISDIR;
  if (exists && !st.regular) {
    // A device or pipe cannot be replaced: it is written directly.
    fd_ = platform::open_file(real, platform::Access::kWrite, false);
    if (fd_ < 0) return errno;
    channel_.emplace(fd_, OutputChannel::Delivery::kBlocks);
    return 0;
  }

  std::string temporary;
  fd_ = platform::create_temporary(real + ".lumo-", temporary);
  if (fd_ < 0) return errno;
  temporary_ = temporary;
  target_ = real;
  // The replacement keeps the old file's permissions, or gets a new file's.
  if (!platform::set_permissions(fd_, exists ? &st : nullptr)) return errno;
  channel_.emplace(fd_, OutputChannel::Delivery::kBlocks);
  return 0;
}

int OutputTarget::commit() {
  if (!channel_->flush()) return channel_->error();
  if (fd_ >= 0) {
    const int fd = fd_;
    fd_ = -1;
    if (platform::close_file(fd) != 0 && errno != EINTR) return errno;
  }
  if (!temporary_.empty()) {
    if (!platform::replace_file(temporary_, target_)) return errno;
    temporary_.clear();
  }
  return 0;
}

}  // namespace lumo::cli
