#include "textio/format_writer.h"

#include <cstring>

#include "textio/fields.h"

namespace lumo {

void format_statement(OutputChannel& out, const FormatList& list,
                      std::initializer_list<FieldValue> values, StatementMode mode) {
  const FieldValue* next = values.begin();
  for (const FormatItem& it : list) {
    switch (it.kind) {
      case FormatItem::kLineEnd:
        out.append("\r\n");
        continue;
      case FormatItem::kBlanks:
        out.append(' ', it.width);
        continue;
      case FormatItem::kText:
        out.append(list.text_of(it));
        continue;
      case FormatItem::kRule:
        out.append(it.fill, it.width);
        continue;
      case FormatItem::kReal:
      case FormatItem::kInt:
      case FormatItem::kChars:
        break;
    }
    // A data field with no value left ends the statement here.
    if (next == values.end()) break;
    const FieldValue& v = *next++;
    char* field = out.extend(it.width);
    if (it.kind == FormatItem::kReal && v.kind == FieldValue::kReal) {
      fixed_field(field, v.real, it.width, it.decimals);
    } else if (it.kind == FormatItem::kInt && v.kind == FieldValue::kInt) {
      int_field(field, v.integer, it.width);
    } else if (it.kind == FormatItem::kChars && v.kind == FieldValue::kText) {
      text_field(field, v.text, it.width);
    } else {
      std::memset(field, '*', it.width);
    }
  }
  if (mode == StatementMode::kAdvancing) out.append("\r\n");
}

std::string format_to_string(const FormatList& list, std::initializer_list<FieldValue> values,
                             StatementMode mode) {
  OutputChannel out;
  format_statement(out, list, values, mode);
  return out.take_text();
}

}  // namespace lumo
