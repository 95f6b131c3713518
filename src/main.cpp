// Binds the real console and the working directory to a session; with
// arguments, runs the command line instead.
#include <csignal>
#include <unistd.h>

#include "cli/command_line.h"
#include "driver/lumo.h"

int main(int argc, char** argv) {
  // The command line keeps the default SIGPIPE: a closed pipe ends it
  // quietly, as it does any filter.
  if (argc > 1) return lumo::cli::run_command_line(argc, argv);
  // A closed console pipe is a write error reported like any other.
  std::signal(SIGPIPE, SIG_IGN);
  lumo::InputChannel in(STDIN_FILENO, false);
  lumo::OutputChannel out(STDOUT_FILENO, lumo::OutputChannel::delivery_for(STDOUT_FILENO));
  lumo::OutputChannel err(STDERR_FILENO, lumo::OutputChannel::Delivery::kEachStatement);
  lumo::Io io{in, out, err, "", lumo::system_local_time, {}, {}};
  return lumo::run_lumo(io);
}
