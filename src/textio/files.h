// The two files: the defaults file (channel 2), opened once by name and kept
// connected until the end, and the output data file (channel 1), connected by
// the report header of a stored run and kept from run to run.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "textio/input_channel.h"
#include "textio/output_channel.h"
#include "textio/platform.h"
#include "textio/statements.h"

namespace lumo {

using platform::FileIdentity;

class DefaultsFile {
 public:
  // Opens `name` (relative to `dir`, "" = the working directory) as an existing
  // file, read-write, or read-only when that is refused. A failure is the fatal
  // stop ("File '%s' does not exist", permission, directory, ...).
  void open(const std::string& dir, std::string_view name, Stmt where);
  bool is_open() const { return input_.is_open(); }
  const std::string& name() const { return name_; }
  FileIdentity identity() const { return identity_; }
  InputChannel& input() { return input_; }

 private:
  InputChannel input_;
  std::string name_;
  FileIdentity identity_;
};

class DataFile {
 public:
  DataFile() = default;
  DataFile(const DataFile&) = delete;
  DataFile& operator=(const DataFile&) = delete;
  ~DataFile();

  // Connects the file named `name` (trailing blanks already removed; leading
  // blanks are part of the name), relative to `dir`:
  //  - nothing connected: open (create when missing), write from the start and
  //    cut the old contents after the first statement;
  //  - the same file (as the file system decides: FileIdentity) already
  //    connected: nothing changes;
  //  - another file connected: close it complete, then open the new one.
  // The open defaults file cannot be connected ("File already opened in
  // another unit"). Failures are the fatal stop.
  void connect(const std::string& dir, std::string_view name, const DefaultsFile& defaults,
               Stmt where);
  bool is_connected() const { return fd_ >= 0; }
  const std::string& name() const { return name_; }

  // The channel that statements are appended to; end each statement with
  // end_statement().
  OutputChannel& channel() { return *channel_; }
  // Ends a statement: a read-only file fails here ("Cannot write to file
  // opened for READ"); the first statement cuts the old contents; a write
  // error is the fatal stop.
  void end_statement(Stmt where);
  // Delivers everything and closes. A write error is the fatal stop at
  // `where` unless `quiet` (closing after another stop).
  void close(Stmt where, bool quiet = false);

 private:
  int fd_ = -1;
  bool read_only_ = false;
  bool cut_pending_ = false;
  std::string name_;
  FileIdentity identity_;
  std::optional<OutputChannel> channel_;
};

}  // namespace lumo
