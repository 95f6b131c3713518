#include "textio/files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "textio/fatal.h"

namespace lumo {
namespace {

std::string path_of(const std::string& dir, std::string_view name) {
  if (dir.empty()) return std::string(name);
  return dir + "/" + std::string(name);
}

FileIdentity identity_of(const struct stat& st) { return {st.st_dev, st.st_ino, true}; }

// Opening refused for lack of rights on the file itself: the next, weaker
// access mode is tried.
bool refused(int err) { return err == EACCES || err == EROFS || err == EPERM || err == ETXTBSY; }

int open_retrying(const std::string& path, int flags, mode_t mode = 0) {
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

}  // namespace

void DefaultsFile::open(const std::string& dir, std::string_view name, Stmt where) {
  std::string path = path_of(dir, name);
  int fd = open_retrying(path, O_RDWR);
  if (fd < 0 && refused(errno)) fd = open_retrying(path, O_RDONLY);
  int err = errno;
  struct stat st {};
  if (fd >= 0 && fstat(fd, &st) != 0) {
    err = errno;
    ::close(fd);
    fd = -1;
  } else if (fd >= 0 && S_ISDIR(st.st_mode)) {
    err = EISDIR;
    ::close(fd);
    fd = -1;
  }
  if (fd < 0) fatal(kUnitDefaults, std::nullopt, open_failure_reason(err, name), where);
  input_ = InputChannel(fd, true);
  name_ = std::string(name);
  identity_ = identity_of(st);
}

DataFile::~DataFile() { close(Stmt::kFinishOutputFile, true); }

void DataFile::connect(const std::string& dir, std::string_view name,
                       const DefaultsFile& defaults, Stmt where) {
  std::string path = path_of(dir, name);
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) {
    FileIdentity id = identity_of(st);
    if (is_connected() && id == identity_) return;
    if (defaults.identity().valid && id == defaults.identity()) {
      fatal(kUnitDataFile, std::nullopt, kReasonSameFile, where);
    }
  }
  if (is_connected()) close(where);

  bool read_only = false;
  int fd = open_retrying(path, O_RDWR | O_CREAT, 0666);
  if (fd < 0 && refused(errno)) {
    fd = open_retrying(path, O_RDONLY);
    read_only = fd >= 0;
    if (fd < 0) fd = open_retrying(path, O_WRONLY | O_CREAT, 0666);
  }
  int err = errno;
  if (fd >= 0 && fstat(fd, &st) != 0) {
    err = errno;
    ::close(fd);
    fd = -1;
  }
  if (fd < 0) {
    // A missing directory on the way is no "does not exist" of a file to read.
    std::string reason = err == ENOENT ? std::strerror(err) : open_failure_reason(err, name);
    fatal(kUnitDataFile, std::nullopt, reason, where);
  }
  fd_ = fd;
  read_only_ = read_only;
  cut_pending_ = S_ISREG(st.st_mode);
  name_ = std::string(name);
  identity_ = identity_of(st);
  channel_.emplace(fd_, OutputChannel::Delivery::kBlocks);
}

void DataFile::end_statement(Stmt where) {
  if (read_only_) {
    channel_->take_text();
    fatal(kUnitDataFile, name_, kReasonReadOnly, where);
  }
  if (!channel_->end_statement()) {
    fatal(kUnitDataFile, name_, std::strerror(channel_->error()), where);
  }
  if (cut_pending_) {
    // The old contents beyond the first statement are cut now (a shorter or
    // new file is left alone, never padded); the text before that point is
    // overwritten as the blocks are delivered.
    cut_pending_ = false;
    auto length = static_cast<off_t>(channel_->written());
    struct stat st {};
    if (fstat(fd_, &st) != 0) fatal(kUnitDataFile, name_, std::strerror(errno), where);
    if (st.st_size > length) {
      int rc;
      do {
        rc = ::ftruncate(fd_, length);
      } while (rc != 0 && errno == EINTR);
      if (rc != 0) fatal(kUnitDataFile, name_, std::strerror(errno), where);
    }
  }
}

void DataFile::close(Stmt where, bool quiet) {
  if (fd_ < 0) return;
  if (read_only_) channel_->take_text();
  bool ok = channel_->flush();
  int err = channel_->error();
  if (::close(fd_) != 0 && ok && errno != EINTR) {
    ok = false;
    err = errno;
  }
  std::string name = std::move(name_);
  fd_ = -1;
  read_only_ = false;
  cut_pending_ = false;
  name_.clear();
  identity_ = {};
  channel_.reset();
  if (!ok && !quiet) fatal(kUnitDataFile, name, std::strerror(err), where);
}

}  // namespace lumo
