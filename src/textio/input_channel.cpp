#include "textio/input_channel.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "textio/platform.h"

namespace lumo {
namespace {
constexpr std::size_t kReadBlock = std::size_t{64} * 1024;
}  // namespace

InputChannel::InputChannel(std::string bytes)
    : buf_(std::move(bytes)), in_memory_(true), eof_(true) {}

InputChannel::InputChannel(int fd, bool owned) : fd_(fd), owned_(owned) {}

InputChannel::InputChannel(InputChannel&& other) noexcept
    : buf_(std::move(other.buf_)),
      pos_(other.pos_),
      fd_(std::exchange(other.fd_, -1)),
      owned_(std::exchange(other.owned_, false)),
      in_memory_(std::exchange(other.in_memory_, false)),
      eof_(other.eof_),
      after_cr_(other.after_cr_),
      error_(other.error_) {}

InputChannel& InputChannel::operator=(InputChannel&& other) noexcept {
  if (this != &other) {
    if (owned_ && fd_ >= 0) platform::close_file(fd_);
    buf_ = std::move(other.buf_);
    pos_ = other.pos_;
    fd_ = std::exchange(other.fd_, -1);
    owned_ = std::exchange(other.owned_, false);
    in_memory_ = std::exchange(other.in_memory_, false);
    eof_ = other.eof_;
    after_cr_ = other.after_cr_;
    error_ = other.error_;
  }
  return *this;
}

InputChannel::~InputChannel() {
  if (owned_ && fd_ >= 0) platform::close_file(fd_);
}

bool InputChannel::fill() {
  if (eof_ || error_ != 0 || fd_ < 0) return false;
  buf_.resize(kReadBlock);
  pos_ = 0;
  for (;;) {
    std::ptrdiff_t n = platform::read_some(fd_, buf_.data(), kReadBlock);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error_ = errno;
      buf_.clear();
      return false;
    }
    buf_.resize(static_cast<std::size_t>(n));
    if (n == 0) eof_ = true;
    return n > 0;
  }
}

InputChannel::Result InputChannel::next_line(std::string& out, std::size_t keep, char stop) {
  out.clear();
  if (error_ != 0) return Result::kError;
  if (after_cr_) {
    // Looked at only now, so a console line ended by a lone CR is taken
    // without waiting for more input.
    after_cr_ = false;
    if (pos_ < buf_.size() || fill()) {
      if (buf_[pos_] == '\n') ++pos_;
    } else if (error_ != 0) {
      return Result::kError;
    }
  }
  bool started = false;
  bool in_field = keep > 0;
  for (;;) {
    if (pos_ == buf_.size() && !fill()) {
      if (error_ != 0) return Result::kError;
      return started ? Result::kLine : Result::kEnd;
    }
    started = true;
    while (in_field && pos_ < buf_.size()) {
      const char c = buf_[pos_++];
      if (c == '\n') return Result::kLine;
      if (c == '\r') {
        after_cr_ = true;
        return Result::kLine;
      }
      if (stop != '\0' && c == stop) {
        in_field = false;
      } else {
        out.push_back(c);
        in_field = out.size() < keep;
      }
    }
    if (in_field) continue;
    const char* begin = buf_.data() + pos_;
    const std::size_t avail = buf_.size() - pos_;
    const void* lf = std::memchr(begin, '\n', avail);
    if (lf == nullptr) {
      pos_ = buf_.size();
      continue;
    }
    pos_ += static_cast<std::size_t>(static_cast<const char*>(lf) - begin) + 1;
    return Result::kLine;
  }
}

}  // namespace lumo
