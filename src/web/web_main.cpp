// The command line for the web page and Node: one module whose main runs
// `lumo ARGS...` each time it is called (callMain), on the module's
// in-memory file set. Standard output and error are flushed before main
// returns, since the module lives on between calls and never exits.
#include <cstdio>
#include <iostream>

#include "cli/command_line.h"
#include "textio/platform.h"

int main(int argc, char** argv) {
  lumo::platform::usual_file_mode();
  const int status = lumo::cli::run_command_line(argc, argv);
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  return status;
}
