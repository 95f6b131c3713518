// What the runs share: the label of a finished run, the value of a sweep at
// a row index, and the words that name the conductor a run varies.
#pragma once

#include <cstdint>
#include <string_view>

#include "records/records.h"

namespace lumo {

// A 20-character text, blank-padded on the right: label("Frequency").
Text20 label(std::string_view text);

// Row `il` of a sweep: min + il x step, formed in double and stored in single
// precision. Row 0 is the minimum itself, so an infinite step still starts
// the table at the minimum.
float sweep_point(float min, float step, std::int32_t il);

// The conductor a run varies or synthesizes, as its report names it.
struct ConductorWords {
  std::string_view fixed_name;  // "D =" or "B =": the diameter held fixed
  std::string_view column;      // "Outer" or "Inner": the varied column's title
  std::string_view letter;      // "B" or "D"
};
// Outer conductor (B) varied when `outer`, else the inner (D).
ConductorWords conductor_words(bool outer);

}  // namespace lumo
