#include "driver/run_support.h"

#include <algorithm>

namespace lumo {

Text20 label(std::string_view text) {
  Text20 t;
  t.fill(' ');
  std::copy_n(text.begin(), std::min(text.size(), t.size()), t.begin());
  return t;
}

float sweep_point(float min, float step, std::int32_t il) {
  if (il == 0) return min;
  return static_cast<float>(static_cast<double>(min) +
                            static_cast<double>(il) * static_cast<double>(step));
}

ConductorWords conductor_words(bool outer) {
  if (outer) return {"D =", "Outer", "B"};
  return {"B =", "Inner", "D"};
}

}  // namespace lumo
