#include "plot/svg_element.h"

#include <cmath>

#include "numbers/number_text.h"

namespace lumo::plot {

void append_number(std::string& out, double v, NumberForm form) {
  std::string text;
  switch (form) {
    case NumberForm::kPage: {
      v = std::round(v * 100) / 100;
      if (v == 0) v = 0;  // -0 and rounded-away tiny values alike
      text = num::fixed(v, 2);
      // No room on a page for more than 64 characters (10^61 and more).
      if (text.size() > 64) return;
      while (text.back() == '0') text.pop_back();
      if (text.back() == '.') text.pop_back();
      break;
    }
    case NumberForm::kShortest:
      text = num::shortest(v);
      break;
    case NumberForm::kShortestFloat:
      text = num::shortest(static_cast<float>(v));
      break;
  }
  out += text;
}

void append_escaped(std::string& out, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
}

void append_point(std::string& path, char command, double x, double y) {
  path += command;
  append_number(path, x);
  path += ' ';
  append_number(path, y);
}

Svg::Element& Svg::Element::attr(std::string_view name, std::string_view value) {
  std::string& out = svg_.out_;
  out += ' ';
  out += name;
  out += "=\"";
  append_escaped(out, value);
  out += '"';
  return *this;
}

Svg::Element& Svg::Element::attr(std::string_view name, double value, NumberForm form) {
  std::string& out = svg_.out_;
  out += ' ';
  out += name;
  out += "=\"";
  append_number(out, value, form);
  out += '"';
  return *this;
}

void Svg::Element::end() { svg_.out_ += "/>\n"; }

void Svg::Element::text(std::string_view content) {
  std::string& out = svg_.out_;
  out += '>';
  append_escaped(out, content);
  out += "</";
  out += name_;
  out += ">\n";
}

void Svg::Element::open() {
  svg_.out_ += ">\n";
  svg_.open_.emplace_back(name_);
}

Svg::Svg() : out_("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n") {}

Svg::Element& Svg::el(std::string_view name, std::initializer_list<Attr> attrs) {
  out_ += '<';
  out_ += name;
  element_.name_ = name;
  for (const Attr& a : attrs) {
    if (a.is_number) {
      element_.attr(a.name, a.number, a.form);
    } else {
      element_.attr(a.name, a.text);
    }
  }
  return element_;
}

void Svg::close() {
  if (open_.empty()) return;
  out_ += "</";
  out_ += open_.back();
  out_ += ">\n";
  open_.pop_back();
}

}  // namespace lumo::plot
