// Whole-program fuzz target: arbitrary console input, and an arbitrary
// Lumo.DEF when the input holds a NUL byte (the bytes before it are the
// defaults file, the bytes after it the console input). Every session must end
// in a defined way: an orderly end with status 0, or the fatal report with 2.
#include <cstdint>
#include <string_view>

#include "fuzz_session_support.h"

namespace {

constexpr std::string_view kDefaults =
    "Lumo defaults for fuzzing\n"
    "2.0          F.\n4.0          FMAX.\n1.0          FMIN.\n0.5          FSTEP.\n"
    "1.72         RESB.\n1.72         RESD.\n10           SRB.\n10           SRD.\n"
    "2.1          ER.\n0.25         B.\n0.2          BMIN.\n0.4          BMAX.\n"
    "0.05         BSTEP.\n0.1          D.\n0.05         DMIN.\n0.2          DMAX.\n"
    "0.05         DSETP.\n0.0004       DLTAN.\n80           ZMAX.\n40           ZMIN.\n"
    "10           ZSTEP.\nlumo.out\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (!lumo::fuzz::stays_in_scratch(bytes)) return -1;
  std::string_view def = kDefaults;
  std::string_view console = bytes;
  std::size_t nul = bytes.find('\0');
  if (nul != std::string_view::npos) {
    def = bytes.substr(0, nul);
    console = bytes.substr(nul + 1);
  }
  lumo::fuzz::check_defined_end(lumo::fuzz::run_session(def, console));
  return 0;
}
