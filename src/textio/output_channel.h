// Console output (channel 6), the error stream and the output data file's
// byte sink. Text is appended statement by statement; delivery depends on
// the sink: a console or pipe gets every statement at its end, a disk file
// gets blocks of 8192 bytes, an in-memory channel keeps everything in a string.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lumo {

class OutputChannel {
 public:
  enum class Delivery { kEachStatement, kBlocks };
  static constexpr std::size_t kBlockSize = 8192;

  OutputChannel() : in_memory_(true) {}      // in-memory channel
  OutputChannel(int fd, Delivery delivery);  // not owned
  OutputChannel(const OutputChannel&) = delete;
  OutputChannel& operator=(const OutputChannel&) = delete;

  // Delivery for a descriptor: blocks for a regular file, else each statement.
  static Delivery delivery_for(int fd);

  void append(std::string_view bytes) { pending_.append(bytes); }
  void append(char c, std::size_t n) { pending_.append(n, c); }
  // Grows the pending text by n bytes and returns where to write them.
  char* extend(std::size_t n);

  // Ends a statement: delivers as the sink requires. Returns false (errno kept
  // in error()) when the descriptor cannot be written.
  bool end_statement();
  // Delivers everything pending. Returns false on a write error.
  bool flush();

  int error() const { return error_; }
  // Everything written so far (in-memory channels only).
  const std::string& text() const { return pending_; }
  std::string take_text();
  // Bytes appended since the channel was made (delivered or not).
  std::size_t written() const { return delivered_ + pending_.size(); }

 private:
  bool deliver(std::size_t n);

  std::string pending_;
  std::size_t delivered_ = 0;
  int fd_ = -1;
  Delivery delivery_ = Delivery::kEachStatement;
  bool in_memory_ = false;
  int error_ = 0;
};

}  // namespace lumo
