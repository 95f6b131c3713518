// A format statement: its number (statements.h) and its layout, whose data
// fields must match the declared value types in number and kind (float for
// Fw.d, std::int32_t for Iw, Text for Aw), checked when compiled.
//
//   constexpr Statement<float, Text> kRow{Stmt::kRow, "(6X,F7.2,A5)"};  compiles
//   constexpr Statement<float> kBad{Stmt::kRow, "(6X,F7.2,A5)"};         does not
//   say(io, kRow, {1.5f, "INNER"});                               compiles
//   say(io, kRow, {1.5f});  say(io, kRow, {2, "INNER"});          do not
#pragma once

#include <array>
#include <concepts>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "records/records.h"
#include "textio/format_list.h"
#include "textio/format_writer.h"
#include "textio/statements.h"

namespace lumo {

// The value type of an Aw field: any text (a literal, a view, a Text20).
struct Text {};

template <class T>
struct FieldArg;  // what a caller may pass for a field of type T, exactly

template <>
struct FieldArg<float> {
  FieldValue value;
  template <std::same_as<float> U>
  constexpr FieldArg(U v) : value(v) {}
};

template <>
struct FieldArg<std::int32_t> {
  FieldValue value;
  template <std::same_as<std::int32_t> U>
  constexpr FieldArg(U v) : value(v) {}
};

template <>
struct FieldArg<Text> {
  FieldValue value;
  constexpr FieldArg(std::string_view v) : value(v) {}
  constexpr FieldArg(const char* v) : value(v) {}
  FieldArg(const Text20& v) : value(v) {}
};

// The values of one statement, in field order.
template <class... Ts>
struct Values {
  std::array<FieldValue, sizeof...(Ts)> fields;
  constexpr Values(FieldArg<Ts>... args) : fields{args.value...} {}
};

template <class... Ts>
class Statement {
 public:
  consteval Statement(Stmt id, const char* literal) : id_(id), list_(literal) {
    constexpr FormatItem::Kind kinds[sizeof...(Ts) + 1] = {kind_of<Ts>()..., FormatItem::kLineEnd};
    if (list_.fields() != static_cast<int>(sizeof...(Ts)))
      fail("values and fields differ in number");
    std::size_t next = 0;
    for (const FormatItem& it : list_) {
      if (it.kind != FormatItem::kReal && it.kind != FormatItem::kInt &&
          it.kind != FormatItem::kChars) {
        continue;
      }
      if (it.kind != kinds[next++]) fail("a value of the wrong kind for its field");
    }
  }

  constexpr Stmt id() const { return id_; }
  constexpr const FormatList& list() const { return list_; }

 private:
  template <class T>
  static consteval FormatItem::Kind kind_of() {
    if constexpr (std::same_as<T, float>) {
      return FormatItem::kReal;
    } else if constexpr (std::same_as<T, std::int32_t>) {
      return FormatItem::kInt;
    } else {
      static_assert(std::same_as<T, Text>, "a field value is float, std::int32_t or Text");
      return FormatItem::kChars;
    }
  }
  // A throw is not a constant expression: any failure is a compile error.
  static consteval void fail(const char* why) {
    if (why != nullptr) throw why;
  }

  Stmt id_;
  FormatList list_;
};

// The statement's text for these values, appended to `out`.
template <class... Ts>
void format_statement(std::string& out, const Statement<Ts...>& st,
                      const std::type_identity_t<Values<Ts...>>& values,
                      StatementMode mode = StatementMode::kAdvancing) {
  format_fields(out, st.list(), std::span<const FieldValue>(values.fields), mode);
}

}  // namespace lumo
