// Console input (channel 5) and the defaults file (channel 2) are read line by
// line. A line ends at LF (a CR before it stays in the line; the entry rules
// stop at it); a last line without LF is read like any other.
#pragma once

#include <cstddef>
#include <string>

namespace lumo {

class InputChannel {
 public:
  enum class Result { kLine, kEnd, kError };

  InputChannel() = default;                     // no input at all
  explicit InputChannel(std::string bytes);     // in-memory input
  explicit InputChannel(int fd, bool owned);    // a descriptor, read in blocks
  InputChannel(InputChannel&&) noexcept;
  InputChannel& operator=(InputChannel&&) noexcept;
  InputChannel(const InputChannel&) = delete;
  InputChannel& operator=(const InputChannel&) = delete;
  ~InputChannel();

  // Reads the next line into `out`, keeping at most `keep` of its leading
  // bytes and discarding the rest up to and including its LF. kEnd when the
  // input has ended before the line; kError (with errno kept in error()) when
  // the descriptor cannot be read.
  Result next_line(std::string& out, std::size_t keep);
  int error() const { return error_; }
  bool is_open() const { return fd_ >= 0 || in_memory_; }
  int fd() const { return fd_; }

 private:
  bool fill();  // refills the block buffer; false at end of input or error

  std::string buf_;
  std::size_t pos_ = 0;
  int fd_ = -1;
  bool owned_ = false;
  bool in_memory_ = false;
  bool eof_ = false;
  int error_ = 0;
};

}  // namespace lumo
