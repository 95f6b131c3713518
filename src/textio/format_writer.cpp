#include "textio/format_writer.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "textio/fields.h"

namespace lumo {

namespace {

// A string as a statement's destination.
struct StringSink {
  std::string& text;
  void append(std::string_view bytes) { text.append(bytes); }
};

// A channel, and a second one that takes the same bytes when not null.
struct ChannelSink {
  OutputChannel& out;
  OutputChannel* copy;
  void append(std::string_view bytes) {
    out.append(bytes);
    if (copy != nullptr) copy->append(bytes);
  }
};

// Collects a statement's characters on the stack and hands them to the
// destination in large pieces, so that a row costs one append, not one per
// item.
template <class Sink>
class StatementBuffer {
 public:
  static constexpr std::size_t kSize = 1024;

  explicit StatementBuffer(Sink& out) : out_(out) {}
  StatementBuffer(const StatementBuffer&) = delete;
  StatementBuffer& operator=(const StatementBuffer&) = delete;
  ~StatementBuffer() { flush(); }

  // Room for n characters (a field: n is at most 64); returns where to write
  // them.
  char* room(std::size_t n) {
    assert(n <= kSize);
    if (used_ + n > kSize) flush();
    char* at = buf_ + used_;
    used_ += n;
    return at;
  }
  void put(std::string_view text) {
    if (text.size() <= kSize - used_) {
      std::memcpy(buf_ + used_, text.data(), text.size());
      used_ += text.size();
      return;
    }
    while (!text.empty()) {
      const std::size_t n = std::min(text.size(), kSize);
      std::memcpy(room(n), text.data(), n);
      text.remove_prefix(n);
    }
  }
  void repeat(char c, std::size_t count) {
    if (count <= kSize - used_) {
      std::memset(buf_ + used_, c, count);
      used_ += count;
      return;
    }
    while (count > 0) {
      const std::size_t n = std::min(count, kSize);
      std::memset(room(n), c, n);
      count -= n;
    }
  }
  void flush() {
    out_.append(std::string_view(buf_, used_));
    used_ = 0;
  }

 private:
  Sink& out_;
  std::size_t used_ = 0;
  char buf_[kSize];
};

template <class Sink>
void format_into(Sink& out, const FormatList& list, std::span<const FieldValue> values,
                 StatementMode mode) {
  StatementBuffer<Sink> line(out);
  auto next = values.begin();
  for (const FormatItem& it : list) {
    switch (it.kind) {
      case FormatItem::kLineEnd:
        line.put("\r\n");
        continue;
      case FormatItem::kBlanks:
        line.repeat(' ', it.width);
        continue;
      case FormatItem::kText:
        line.put(list.text_of(it));
        continue;
      case FormatItem::kRule:
        line.repeat(it.fill, it.width);
        continue;
      case FormatItem::kReal:
      case FormatItem::kInt:
      case FormatItem::kChars:
        break;
    }
    // A data field with no value left ends the statement here.
    if (next == values.end()) break;
    const FieldValue& v = *next++;
    char* field = line.room(it.width);
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
  if (mode == StatementMode::kAdvancing) line.put("\r\n");
}

}  // namespace

void format_fields(OutputChannel& out, const FormatList& list, std::span<const FieldValue> values,
                   StatementMode mode, OutputChannel* copy) {
  ChannelSink sink{out, copy};
  format_into(sink, list, values, mode);
}

void format_fields(std::string& out, const FormatList& list, std::span<const FieldValue> values,
                   StatementMode mode) {
  StringSink sink{out};
  format_into(sink, list, values, mode);
}

std::string format_to_string(const FormatList& list, std::initializer_list<FieldValue> values,
                             StatementMode mode) {
  std::string out;
  format_fields(out, list, std::span(values.begin(), values.size()), mode);
  return out;
}

}  // namespace lumo
