// Where a command-line run writes: standard output, or a file that is only
// replaced once the whole output is in. A regular file is written as a
// temporary file beside it and renamed over it at the end, so a failed run
// leaves a file that existed before with its old content.
#pragma once

#include <optional>
#include <string>

#include "textio/output_channel.h"

namespace lumo::cli {

class OutputTarget {
 public:
  OutputTarget() = default;
  OutputTarget(const OutputTarget&) = delete;
  OutputTarget& operator=(const OutputTarget&) = delete;
  // Removes the temporary file of an output not committed.
  ~OutputTarget();

  // Standard output.
  void open_stdout();
  // The file `path`: a temporary file beside it (or, for a device or pipe,
  // the file itself). The system's error number on failure, else 0.
  int open_file(const std::string& path);

  // Receives the output; delivered in blocks.
  OutputChannel& channel() { return *channel_; }

  // Delivers everything and puts the file in place. The system's error
  // number on failure (the temporary file is then removed), else 0.
  int commit();

 private:
  std::optional<OutputChannel> channel_;
  int fd_ = -1;
  std::string target_;     // the path renamed over; empty when written in place
  std::string temporary_;  // the path written, while not committed
};

}  // namespace lumo::cli
