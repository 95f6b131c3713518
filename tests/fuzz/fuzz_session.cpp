// Whole-program fuzz target: arbitrary console input, and an arbitrary
// Lumo.DEF when the input holds a NUL byte (the bytes before it are the
// defaults file, the bytes after it the console input). Every session must end
// in a defined way: an orderly end with status 0, or the fatal report with 2.
#include <cstdint>
#include <string_view>

#include "fuzz_session_support.h"
#include "support/defaults_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (!lumo::fuzz::stays_in_scratch(bytes)) return -1;
  std::string_view def = lumo::testing::kRoughConductorsDefaults;
  std::string_view console = bytes;
  std::size_t nul = bytes.find('\0');
  if (nul != std::string_view::npos) {
    def = bytes.substr(0, nul);
    console = bytes.substr(nul + 1);
  }
  lumo::fuzz::check_defined_end(lumo::fuzz::run_session(def, console));
  return 0;
}
