// Defaults file fuzz target: any Lumo.DEF ends the program in a defined way.
// With no console input, either the loader reports a fault (status 0, one of
// its three messages) or the file passes and the first prompt meets the end
// of input (status 2, the fatal report for the console).
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz_session_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view def(reinterpret_cast<const char*>(data), size);
  if (!lumo::fuzz::stays_in_scratch(def)) return -1;
  lumo::fuzz::SessionResult r = lumo::fuzz::run_session(def, "");
  lumo::fuzz::check_defined_end(r);
  if (r.status == 0) {
    bool message = r.console.find("(Lumo.DEF)") != std::string::npos;
    if (!message) std::abort();
  } else if (r.errors.find("(unit = 5, file = 'stdin')") == std::string::npos ||
             r.errors.find("runtime error: End of file\n") == std::string::npos) {
    std::abort();
  }
  return 0;
}
