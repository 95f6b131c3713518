// Results as decimal text rounded half away from zero, to compare with
// values quoted to a fixed number of digits.
#pragma once

#include <cmath>
#include <cstdio>
#include <string>

namespace lumo::testing {

// Text of v rounded half away from zero to `decimals` places ("37.912").
inline std::string rounded(float v, int decimals) {
  const double scale = std::pow(10.0, decimals);
  const double units = std::round(static_cast<double>(v) * scale);
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, units / scale);
  return text;
}

}  // namespace lumo::testing
