#include "driver/run_support.h"

#include <algorithm>

#include "driver/sensitivity_table.h"

namespace lumo {

void emit(Io& io, Sink sink, const FormatList& list,
          std::initializer_list<FieldValue> values, SourcePlace where) {
  if (sink == Sink::kConsole) {
    say(io, list, values, where);
    return;
  }
  format_statement(io.data.channel(), list, values);
  io.data.end_statement(where);
}

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

void sensitivity_table_head(Session& s, const FormatList& header, bool outer) {
  const ConductorWords words = conductor_words(outer);
  const Blk1& k = s.rec.blk1;
  const float fixed = outer ? k.d : k.b;
  auto head = [&](Sink to) {
    emit(s.io, to, header, {words.fixed_name, fixed, k.er, s.rec.blk2.iop});
    emit(s.io, to, kSensitivityHeadings, {words.column, words.letter});
  };
  head(Sink::kConsole);
  if (s.rec.blk2.istore == 1) head(Sink::kFile);
}

ConductorWords conductor_words(bool outer) {
  if (outer) return {"D =", "Outer", "B"};
  return {"B =", "Inner", "D"};
}

}  // namespace lumo
