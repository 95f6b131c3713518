// Field writers of the report layouts: pure functions from a value to the
// exact characters of its fixed-width field.
//
//   fixed_field(0.125f, 5, 2)   -> " 0.13"   halves away from zero, on the
//   fixed_field(2.675f, 6, 2)   -> "  2.67"  exact binary value (2.67499995...)
//   fixed_field(-0.00004f, 8, 4)-> " -0.0000" the sign survives rounding to zero
//   fixed_field(0.1234f, 5, 4)  -> ".1234"   no room for the leading zero
//   fixed_field(99.99996f, 7, 4)-> "*******" overflow
//   int_field(6, 2)             -> " 6"
//   text_field("Sensitivity         ", 12) -> "Sensitivity "
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lumo {

// Writes the w characters of Fw.d for v into out[0..w). w is 1 to 64, d < w.
void fixed_field(char* out, float v, int w, int d);
std::string fixed_field(float v, int w, int d);

// Writes the w characters of Iw for v into out[0..w). w is 1 to 64.
void int_field(char* out, std::int32_t v, int w);
std::string int_field(std::int32_t v, int w);

// Writes the w characters of Aw for text into out[0..w). w is 1 to 64.
void text_field(char* out, std::string_view text, int w);
std::string text_field(std::string_view text, int w);

}  // namespace lumo
