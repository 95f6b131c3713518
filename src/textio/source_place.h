// The place of a statement in the source (line and file), taken at the call
// site by a default argument, for the locator line of the fatal report.
// std::source_location where the library has it; the compiler built-ins
// behind it otherwise (clang 14, used for the fuzz builds, lacks it).
#pragma once

#include <source_location>

namespace lumo {

#if defined(__cpp_lib_source_location)
using SourcePlace = std::source_location;
#else
class SourcePlace {
 public:
  static constexpr SourcePlace current(unsigned line = __builtin_LINE(),
                                       const char* file = __builtin_FILE()) noexcept {
    SourcePlace p;
    p.line_ = line;
    p.file_ = file;
    return p;
  }
  constexpr unsigned line() const noexcept { return line_; }
  constexpr const char* file_name() const noexcept { return file_; }

 private:
  unsigned line_ = 0;
  const char* file_ = "";
};
#endif

}  // namespace lumo
