// Console input (channel 5) and the defaults file (channel 2) are read line by
// line. A line ends at LF or at the pair CR LF; a CR met while the field of
// an entry is being taken also ends the line there, so what follows it is the
// next line. A last line without a line end is read like any other.
#pragma once

#include <cstddef>
#include <string>

namespace lumo {

class InputChannel {
 public:
  enum class Result { kLine, kEnd, kError };

  InputChannel() = default;                   // no input at all
  explicit InputChannel(std::string bytes);   // in-memory input
  explicit InputChannel(int fd, bool owned);  // a descriptor, read in blocks
  InputChannel(InputChannel&&) noexcept;
  InputChannel& operator=(InputChannel&&) noexcept;
  InputChannel(const InputChannel&) = delete;
  InputChannel& operator=(const InputChannel&) = delete;
  ~InputChannel();

  // Reads the next line into `out`. Its field is at most `keep` leading
  // bytes, ended early by the line end, by a CR (which then ends the line)
  // or by `stop` (when not NUL; consumed, not kept). After the field the rest
  // of the line is discarded up to and including its LF. kEnd when the input
  // has ended before the line; kError (with errno kept in error()) when the
  // descriptor cannot be read.
  //
  //   "0.5\r0.2\n", keep 13  ->  "0.5", then "0.2"
  //   "1,\r2\n", keep 13, stop ','  ->  "1" (the CR lies after the field)
  Result next_line(std::string& out, std::size_t keep, char stop = '\0');
  int error() const { return error_; }
  bool is_open() const { return fd_ >= 0 || in_memory_; }

 private:
  bool fill();  // refills the block buffer; false at end of input or error

  std::string buf_;
  std::size_t pos_ = 0;
  int fd_ = -1;
  bool owned_ = false;
  bool in_memory_ = false;
  bool eof_ = false;
  bool after_cr_ = false;  // a field ended at a CR: an LF right after it is its pair
  int error_ = 0;
};

}  // namespace lumo
