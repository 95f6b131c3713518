// Binds the real console and the working directory to a session; with
// arguments, runs the command line instead.
#include "cli/command_line.h"
#include "driver/lumo.h"
#include "textio/platform.h"

int main(int argc, char** argv) {
  namespace platform = lumo::platform;
  // No byte of the streams is translated.
  platform::binary_console();
  // The command line keeps the default SIGPIPE: a closed pipe ends it
  // quietly, as it does any filter.
  if (argc > 1) return lumo::cli::run_command_line(argc, argv);
  // A closed console pipe is a write error reported like any other.
  platform::ignore_broken_pipe();
  lumo::InputChannel in(platform::kStdin, false);
  lumo::OutputChannel out(platform::kStdout, lumo::OutputChannel::delivery_for(platform::kStdout));
  lumo::OutputChannel err(platform::kStderr, lumo::OutputChannel::Delivery::kEachStatement);
  lumo::Io io{in, out, err, "", lumo::system_local_time, {}, {}};
  return lumo::run_lumo(io);
}
