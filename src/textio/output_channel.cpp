#include "textio/output_channel.h"

#include <cerrno>

#include "textio/platform.h"

namespace lumo {

OutputChannel::OutputChannel(int fd, Delivery delivery) : fd_(fd), delivery_(delivery) {}

OutputChannel::Delivery OutputChannel::delivery_for(int fd) {
  platform::FileStatus st;
  if (platform::status_of(fd, st) && st.regular) return Delivery::kBlocks;
  return Delivery::kEachStatement;
}

char* OutputChannel::extend(std::size_t n) {
  std::size_t at = pending_.size();
  pending_.resize(at + n);
  return pending_.data() + at;
}

bool OutputChannel::end_statement() {
  if (in_memory_) return true;
  if (delivery_ == Delivery::kEachStatement) return deliver(pending_.size());
  // Whole blocks only; the rest waits for the next statement or the end.
  std::size_t full = pending_.size() - pending_.size() % kBlockSize;
  return full == 0 || deliver(full);
}

bool OutputChannel::flush() {
  if (in_memory_) return true;
  return deliver(pending_.size());
}

std::string OutputChannel::take_text() {
  std::string text;
  text.swap(pending_);
  delivered_ += text.size();
  return text;
}

bool OutputChannel::deliver(std::size_t n) {
  std::size_t done = 0;
  while (done < n) {
    std::ptrdiff_t k = platform::write_some(fd_, pending_.data() + done, n - done);
    if (k < 0) {
      if (errno == EINTR) continue;
      error_ = errno;
      // The text cannot reach its sink; it is dropped so that delivering
      // again at the end does not repeat the failure on the same bytes.
      delivered_ += pending_.size();
      pending_.clear();
      return false;
    }
    done += static_cast<std::size_t>(k);
  }
  pending_.erase(0, n);
  delivered_ += n;
  return true;
}

}  // namespace lumo
