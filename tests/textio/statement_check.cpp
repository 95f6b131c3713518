// Compiled by statement_check.cmake once per case: the plain build must
// compile, and each LUMO_CASE must not, proving that a format statement's
// values are checked in number and kind when compiled.
#include "textio/io.h"

namespace lumo {

#if LUMO_CASE == 1  // a layout with more fields than declared values
constexpr Statement<float> kStatement{Stmt::kBanner, "(F7.2,F7.2)"};
#elif LUMO_CASE == 2  // a declared value of the wrong kind for its field
constexpr Statement<std::int32_t> kStatement{Stmt::kBanner, "(F7.2)"};
#elif LUMO_CASE == 3  // too few values at the call
void write(Io& io) {
  constexpr Statement<float, float> kStatement{Stmt::kBanner, "(F7.2,F7.2)"};
  say(io, kStatement, {1.0f});
}
#elif LUMO_CASE == 4  // an integer where a real is due
void write(Io& io) {
  constexpr Statement<float> kStatement{Stmt::kBanner, "(F7.2)"};
  say(io, kStatement, {1});
}
#elif LUMO_CASE == 5  // a real where a text is due
void write(Io& io) {
  constexpr Statement<Text> kStatement{Stmt::kBanner, "(A5)"};
  say(io, kStatement, {1.0f});
}
#else
void write(Io& io) {
  constexpr Statement<float, std::int32_t, Text> kStatement{Stmt::kBanner, "(F7.2,I2,A5)"};
  say(io, kStatement, {1.0f, 2, "INNER"});
  Text20 name{};
  say(io, Statement<Text>{Stmt::kBanner, "(A20)"}, {name});
}
#endif

}  // namespace lumo
