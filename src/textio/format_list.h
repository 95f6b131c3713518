// A format list: the layout of one or more output lines, written as a literal
// such as "(8X,F8.3,F10.3,/,6X,72(1H-))". The literal is parsed at compile
// time into a flat list of items, so a malformed list does not compile and the
// number of data fields is known to the caller.
//
// Items: "/" line end; nX blanks; '...' text; n(...) repeat group (spelled
// out; "n(1H-)" becomes one rule item); Fw.d real; Iw integer; Aw text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lumo {

struct FormatItem {
  enum Kind : std::uint8_t { kLineEnd, kBlanks, kText, kRule, kReal, kInt, kChars };
  Kind kind = kLineEnd;
  std::uint16_t width = 0;     // blanks count, rule length, or field width
  std::uint16_t decimals = 0;  // Fw.d only
  std::uint16_t offset = 0;    // text: offset of its characters in the literal
  std::uint16_t length = 0;    // text: number of characters
  char fill = 0;               // rule: the repeated character
};

class FormatList {
 public:
  static constexpr std::size_t kMaxItems = 96;

  consteval FormatList(const char* literal) : text_(literal) { parse(); }

  constexpr std::size_t size() const { return count_; }
  constexpr const FormatItem& operator[](std::size_t i) const { return items_[i]; }
  constexpr const FormatItem* begin() const { return items_; }
  constexpr const FormatItem* end() const { return items_ + count_; }
  // Number of F, I and A fields: the values a statement must supply.
  constexpr int fields() const { return fields_; }
  constexpr std::string_view text_of(const FormatItem& it) const {
    return text_.substr(it.offset, it.length);
  }

 private:
  // Any failure here is a compile error: a throw is not a constant expression.
  static consteval void fail(const char* why) {
    if (why != nullptr) throw why;
  }

  consteval void push(FormatItem it) {
    if (count_ == kMaxItems) fail("too many items");
    items_[count_++] = it;
  }

  consteval void skip_blanks(std::size_t& i) const {
    while (i < text_.size() && (text_[i] == ' ' || text_[i] == '\t')) ++i;
  }

  consteval int number(std::size_t& i) const {
    int n = 0;
    bool any = false;
    while (i < text_.size() && text_[i] >= '0' && text_[i] <= '9') {
      n = n * 10 + (text_[i] - '0');
      ++i;
      any = true;
    }
    if (!any) fail("number expected");
    return n;
  }

  // Parses items up to the matching ")" and returns the index after it.
  consteval std::size_t parse_items(std::size_t i) {
    for (;;) {
      skip_blanks(i);
      if (i >= text_.size()) fail("unterminated list");
      char c = text_[i];
      if (c == ')') return i + 1;
      if (c == ',') {
        ++i;
        continue;
      }
      if (c == '/') {
        push({FormatItem::kLineEnd});
        ++i;
        continue;
      }
      if (c == '\'') {
        std::size_t start = ++i;
        while (i < text_.size() && text_[i] != '\'') ++i;
        if (i >= text_.size()) fail("unterminated text");
        push({FormatItem::kText, 0, 0, static_cast<std::uint16_t>(start),
              static_cast<std::uint16_t>(i - start)});
        ++i;
        continue;
      }
      if (c == 'F' || c == 'I' || c == 'A') {
        ++i;
        int w = number(i);
        FormatItem it{c == 'F'   ? FormatItem::kReal
                      : c == 'I' ? FormatItem::kInt
                                 : FormatItem::kChars,
                      static_cast<std::uint16_t>(w)};
        if (c == 'F') {
          if (i >= text_.size() || text_[i] != '.') fail("F needs decimals");
          ++i;
          it.decimals = static_cast<std::uint16_t>(number(i));
        }
        if (w == 0) fail("zero width");
        push(it);
        ++fields_;
        continue;
      }
      int n = number(i);
      if (i >= text_.size()) fail("item expected");
      if (text_[i] == 'X') {
        if (n < 1 || n > 47) fail("blanks out of range");
        push({FormatItem::kBlanks, static_cast<std::uint16_t>(n)});
        ++i;
      } else if (text_[i] == '(') {
        // Only rules are repeated: n(1Hc) becomes one item of n characters.
        ++i;
        skip_blanks(i);
        if (text_.substr(i, 2) != "1H" || i + 3 >= text_.size()) fail("repeat group");
        char fill = text_[i + 2];
        i += 3;
        skip_blanks(i);
        if (text_[i] != ')') fail("repeat group");
        ++i;
        push({FormatItem::kRule, static_cast<std::uint16_t>(n), 0, 0, 0, fill});
      } else {
        fail("unknown item");
      }
    }
  }

  consteval void parse() {
    std::size_t i = 0;
    skip_blanks(i);
    if (i >= text_.size() || text_[i] != '(') fail("list must start with (");
    i = parse_items(i + 1);
    skip_blanks(i);
    if (i != text_.size()) fail("text after the list");
  }

  std::string_view text_;
  FormatItem items_[kMaxItems]{};
  std::size_t count_ = 0;
  int fields_ = 0;
};

}  // namespace lumo
