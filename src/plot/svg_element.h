// An SVG document written one element at a time, in document order: an
// element's name, its attributes in the order given, then its end. Numbers
// are written by append_number and texts by append_escaped alone, so a
// drawing reads as what it draws:
//
//   Svg svg;                                      <?xml version="1.0" encoding="UTF-8"?>
//   svg.el("g", {{"class", "ticks"}}).open();    <g class="ticks">
//   svg.el("line").attr("x1", 92.004).end();     <line x1="92"/>
//   svg.el("text").attr("y", -0.001).text("<");  <text y="0">&lt;</text>
//   svg.close();                                  </g>
//
// Each element, and each end of one, closes its line.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumo::plot {

// How a number is written.
enum class NumberForm {
  kPage,           // a page position or length: at most two decimals, trailing
                   // zeros dropped, never "-0": 12.5, 3, 0.13 for 0.125
  kShortest,       // a data value: the shortest text that reads back as the
                   // same double: 0.1, 1e+21
  kShortestFloat,  // the same for the float the value holds: 16.922, where
                   // the double of 16.922f needs 16.922000885009766
};

// Appends v written in `form`: the one place a number of an SVG becomes text.
void append_number(std::string& out, double v, NumberForm form = NumberForm::kPage);

// Appends text with &, <, > and " as entities; any other byte as it is.
void append_escaped(std::string& out, std::string_view text);

// Appends a path command and its point in page form: ('L', 12.5, 40) -> "L12.5 40".
void append_point(std::string& path, char command, double x, double y);

// An attribute: its name and its text (escaped) or its number (in a form).
struct Attr {
  Attr(std::string_view n, std::string_view t) : name(n), text(t) {}
  Attr(std::string_view n, double v, NumberForm f = NumberForm::kPage)
      : name(n), number(v), form(f), is_number(true) {}
  std::string_view name, text;
  double number = 0;
  NumberForm form = NumberForm::kPage;
  bool is_number = false;
};

class Svg {
 public:
  // The element being written: its attributes, then one of end(), text()
  // and open().
  class Element {
   public:
    Element& attr(std::string_view name, std::string_view value);  // escaped
    Element& attr(std::string_view name, double value, NumberForm form = NumberForm::kPage);
    void end();                           // no content: <name .../>
    void text(std::string_view content);  // <name ...>content</name>, escaped
    void open();                          // children follow, up to Svg::close()

   private:
    friend class Svg;
    explicit Element(Svg& svg) : svg_(svg) {}
    Svg& svg_;
    std::string name_;
  };

  Svg();  // the XML declaration
  Svg(const Svg&) = delete;
  Svg& operator=(const Svg&) = delete;

  // Starts an element with the attributes given; more may follow.
  Element& el(std::string_view name, std::initializer_list<Attr> attrs = {});
  void close();  // ends the innermost open element
  // The document written so far.
  std::string take() && { return std::move(out_); }

 private:
  std::string out_;
  std::vector<std::string> open_;
  Element element_{*this};
};

}  // namespace lumo::plot
