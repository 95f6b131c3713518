// The SVG element writer: numbers in each form, escaping, and the bytes of
// a small document.
#include "plot/svg_element.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace lumo::plot {
namespace {

struct NumberCase {
  double v;
  NumberForm form;
  const char* text;
};

TEST(SvgElement, NumbersInEachForm) {
  const NumberCase cases[] = {
      {3, NumberForm::kPage, "3"},
      {2.5, NumberForm::kPage, "2.5"},
      // Half a hundredth rounds away from zero; the rest of a hundredth goes.
      {0.125, NumberForm::kPage, "0.13"},
      {-0.125, NumberForm::kPage, "-0.13"},
      {426.004, NumberForm::kPage, "426"},
      {-0.004, NumberForm::kPage, "0"},
      {-0.0, NumberForm::kPage, "0"},
      {0.1, NumberForm::kShortest, "0.1"},
      {1e21, NumberForm::kShortest, "1e+21"},
      {0.0005, NumberForm::kShortest, "5e-04"},
      {static_cast<double>(16.922f), NumberForm::kShortest, "16.922000885009766"},
      {static_cast<double>(16.922f), NumberForm::kShortestFloat, "16.922"},
  };
  for (const NumberCase& c : cases) {
    std::string out = "x=";
    append_number(out, c.v, c.form);
    EXPECT_EQ(out, std::string("x=") + c.text) << c.v;
  }
}

TEST(SvgElement, EscapesMarkupAndWritesADocumentInOrder) {
  std::string out;
  append_escaped(out, "a<b & \"c\"> 'd' µΩ·cm");
  EXPECT_EQ(out, "a&lt;b &amp; &quot;c&quot;&gt; 'd' µΩ·cm");

  Svg svg;
  svg.el("g", {{"class", "a&b"}, {"stroke-width", 1}}).open();
  svg.el("line").attr("x1", 0.125).attr("data-x", 16.922f, NumberForm::kShortestFloat).end();
  svg.el("text", {{"x", -0.004}}).text("1 < 2");
  svg.close();
  svg.close();  // none open: nothing
  EXPECT_EQ(std::move(svg).take(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<g class=\"a&amp;b\" stroke-width=\"1\">\n"
            "<line x1=\"0.13\" data-x=\"16.922\"/>\n"
            "<text x=\"0\">1 &lt; 2</text>\n"
            "</g>\n");
}

}  // namespace
}  // namespace lumo::plot
