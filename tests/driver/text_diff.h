// The first differing line of two texts, with CR and other control bytes
// made visible, for failure messages of byte-exact comparisons.
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace lumo::testing {

// "\r" for CR, "\xNN" for other control and non-ASCII bytes.
inline std::string visible(std::string_view line) {
  std::string s;
  for (char c : line) {
    auto u = static_cast<unsigned char>(c);
    if (c == '\r') {
      s += "\\r";
    } else if (u < 0x20 || u >= 0x7f) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", u);
      s += hex;
    } else {
      s += c;
    }
  }
  return s;
}

// "" when equal; else "line N:\n  expected: ...\n  got:      ..." (lines split
// at LF; "<end>" past the last line).
inline std::string first_difference(std::string_view want, std::string_view got) {
  if (want == got) return "";
  auto split = [](std::string_view text) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    for (;;) {
      std::size_t nl = text.find('\n', start);
      if (nl == std::string_view::npos) {
        out.push_back(text.substr(start));
        return out;
      }
      out.push_back(text.substr(start, nl - start));
      start = nl + 1;
    }
  };
  auto a = split(want), b = split(got);
  for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
    std::string x = i < a.size() ? visible(a[i]) : "<end>";
    std::string y = i < b.size() ? visible(b[i]) : "<end>";
    if (x != y) {
      return "line " + std::to_string(i + 1) + ":\n  expected: " + x + "\n  got:      " + y;
    }
  }
  return "texts differ";
}

}  // namespace lumo::testing
