// Binds the real console and the working directory to a session.
#include <csignal>
#include <unistd.h>

#include "driver/lumo.h"

int main() {
  // A closed console pipe is a write error reported like any other.
  std::signal(SIGPIPE, SIG_IGN);
  lumo::InputChannel in(STDIN_FILENO, false);
  lumo::OutputChannel out(STDOUT_FILENO, lumo::OutputChannel::delivery_for(STDOUT_FILENO));
  lumo::OutputChannel err(STDERR_FILENO, lumo::OutputChannel::Delivery::kEachStatement);
  lumo::Io io{in, out, err, "", lumo::system_local_time, {}, {}};
  return lumo::run_lumo(io);
}
