// Applies a format list to its values and appends the result to a channel.
// An advancing statement ends its last line with CR LF; a prompt leaves the
// line open, so the next statement continues it.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "records/records.h"
#include "textio/format_list.h"
#include "textio/output_channel.h"

namespace lumo {

// One value of a statement: a real for Fw.d, an integer for Iw, a text for Aw.
struct FieldValue {
  enum Kind : std::uint8_t { kReal, kInt, kText };
  Kind kind;
  float real = 0;
  std::int32_t integer = 0;
  std::string_view text;

  constexpr FieldValue(float v) : kind(kReal), real(v) {}
  constexpr FieldValue(std::int32_t v) : kind(kInt), integer(v) {}
  constexpr FieldValue(std::string_view v) : kind(kText), text(v) {}
  constexpr FieldValue(const char* v) : kind(kText), text(v) {}
  FieldValue(const Text20& v) : kind(kText), text(v.data(), v.size()) {}
};

enum class StatementMode { kAdvancing, kPrompt };

// Appends the statement's text to `out` (without delivering it). Values are
// taken in order by the data fields; a field met with no value left ends the
// statement there, and a value of the wrong kind for its field is written as
// asterisks. Typed statements (statement.h) rule both out when compiled.
// When `copy` is not null it takes the same bytes.
void format_fields(OutputChannel& out, const FormatList& list, std::span<const FieldValue> values,
                   StatementMode mode = StatementMode::kAdvancing, OutputChannel* copy = nullptr);
void format_fields(std::string& out, const FormatList& list, std::span<const FieldValue> values,
                   StatementMode mode = StatementMode::kAdvancing);

// The same into a string, for tests of layouts.
std::string format_to_string(const FormatList& list, std::initializer_list<FieldValue> values,
                             StatementMode mode = StatementMode::kAdvancing);

}  // namespace lumo
