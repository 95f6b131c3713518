// Name entry fuzz target: the name is the line's first 20 characters up to a
// carriage return, blank-padded, and reserved names are recognised only as
// exact spellings.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "input/lminput.h"
#include "textio/numeric_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view line(reinterpret_cast<const char*>(data), size);
  lumo::Text20 name = lumo::name_field(line);
  std::size_t end = line.find('\r');
  if (end == std::string_view::npos) end = line.size();
  if (end > lumo::kNameWidth) end = lumo::kNameWidth;
  for (std::size_t i = 0; i < lumo::kNameWidth; ++i) {
    char want = i < end ? line[i] : ' ';
    if (name[i] != want) std::abort();
  }
  std::string_view trimmed = lumo::trim_trailing(name);
  bool reserved = trimmed == "Lumo.EXE" || trimmed == "Lumo.DEF" || trimmed == "lumo.exe" ||
                  trimmed == "lumo.def";
  if (lumo::is_reserved_name(name) != reserved) std::abort();
  return 0;
}
