#include "textio/files.h"

#include <cerrno>
#include <cstring>

#include "textio/fatal.h"
#include "textio/platform.h"

namespace lumo {
namespace {

std::string path_of(const std::string& dir, std::string_view name) {
  if (dir.empty()) return std::string(name);
  return dir + "/" + std::string(name);
}

// Opening refused for lack of rights on the file itself: the next, weaker
// access mode is tried.
bool refused(int err) { return err == EACCES || err == EROFS || err == EPERM || err == ETXTBSY; }

}  // namespace

void DefaultsFile::open(const std::string& dir, std::string_view name, Stmt where) {
  std::string path = path_of(dir, name);
  int fd = platform::open_file(path, platform::Access::kReadWrite, false);
  if (fd < 0 && refused(errno)) fd = platform::open_file(path, platform::Access::kRead, false);
  int err = errno;
  platform::FileStatus st;
  if (fd >= 0 && !platform::status_of(fd, st)) {
    err = errno;
    platform::close_file(fd);
    fd = -1;
  } else if (fd >= 0 && st.directory) {
    err = EISDIR;
    platform::close_file(fd);
    fd = -1;
  }
  if (fd < 0) fatal(kUnitDefaults, std::nullopt, open_failure_reason(err, name), where);
  input_ = InputChannel(fd, true);
  name_ = std::string(name);
  identity_ = st.identity;
}

DataFile::~DataFile() { close(Stmt::kFinishOutputFile, true); }

void DataFile::connect(const std::string& dir, std::string_view name, const DefaultsFile& defaults,
                       Stmt where) {
  std::string path = path_of(dir, name);
  FileIdentity id;
  if (platform::identity_of(path, id)) {
    if (is_connected() && id == identity_) return;
    if (defaults.identity().valid && id == defaults.identity()) {
      fatal(kUnitDataFile, std::nullopt, kReasonSameFile, where);
    }
  }
  if (is_connected()) close(where);

  bool read_only = false;
  int fd = platform::open_file(path, platform::Access::kReadWrite, true);
  if (fd < 0 && refused(errno)) {
    fd = platform::open_file(path, platform::Access::kRead, false);
    read_only = fd >= 0;
    if (fd < 0) fd = platform::open_file(path, platform::Access::kWrite, true);
  }
  int err = errno;
  platform::FileStatus st;
  if (fd >= 0 && !platform::status_of(fd, st)) {
    err = errno;
    platform::close_file(fd);
    fd = -1;
  }
  if (fd < 0) {
    // A missing directory on the way is no "does not exist" of a file to read.
    std::string reason = err == ENOENT ? std::strerror(err) : open_failure_reason(err, name);
    fatal(kUnitDataFile, std::nullopt, reason, where);
  }
  fd_ = fd;
  read_only_ = read_only;
  cut_pending_ = st.regular;
  name_ = std::string(name);
  identity_ = st.identity;
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
    auto length = static_cast<std::uint64_t>(channel_->written());
    platform::FileStatus st;
    if (!platform::status_of(fd_, st)) fatal(kUnitDataFile, name_, std::strerror(errno), where);
    if (st.size > length && !platform::cut_file(fd_, length)) {
      fatal(kUnitDataFile, name_, std::strerror(errno), where);
    }
  }
}

void DataFile::close(Stmt where, bool quiet) {
  if (fd_ < 0) return;
  if (read_only_) channel_->take_text();
  bool ok = channel_->flush();
  int err = channel_->error();
  if (platform::close_file(fd_) != 0 && ok && errno != EINTR) {
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
