#include "plot/svg_figure.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <string_view>

#include "plot/axis.h"
#include "plot/figure_layout.h"
#include "plot/svg_element.h"

namespace lumo::plot {

namespace {

struct Stroke {
  std::string_view colour;
  double width;
  std::string_view dash;  // empty: solid
};

// Series styles: Okabe and Ito's colour-blind-safe colours, each with its own
// dash pattern and marker, so a grey printout still tells them apart.
enum class Shape { kCircle, kSquare, kTriangle, kDiamond };
struct Style {
  Stroke stroke;
  Shape shape;
};
constexpr Style kStyles[] = {
    {{"#000000", 2.4, ""}, Shape::kCircle},
    {{"#0072B2", 1.9, "9 4"}, Shape::kSquare},
    {{"#D55E00", 2.1, "2.5 3"}, Shape::kTriangle},
    {{"#009E73", 1.9, "9 3 2.5 3"}, Shape::kDiamond},
};
const Style& style_of(int i) { return kStyles[static_cast<std::size_t>(std::clamp(i, 0, 3))]; }

// Bars, the band, the marks and the threshold.
constexpr std::string_view kBarOpacity = "0.8";
constexpr std::string_view kBandColour = "#009E73";
constexpr std::string_view kBandOpacity = "0.16";
constexpr Stroke kMarkStroke = {"#D55E00", 1.6, "6 3"};
constexpr Stroke kThresholdStroke = {"#555555", 1.5, "5 3"};

// The drawing of a figure, top to bottom, in the places its layout gives.
class Drawing {
 public:
  explicit Drawing(const Figure& f) : f_(f), layout_(f) {}

  std::string render() && {
    const double height =
        kPanelHeight * static_cast<double>(std::max<std::size_t>(1, f_.panels.size()));
    std::string view_box = "0 0 800 ";
    append_number(view_box, height);
    svg_.el("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                    {"width", kWidth},
                    {"height", height},
                    {"viewBox", view_box},
                    {"font-family", "sans-serif"},
                    {"role", "img"},
                    {"aria-labelledby", "plot-title plot-desc"}})
        .open();
    svg_.el("title", {{"id", "plot-title"}}).text(f_.title);
    svg_.el("desc", {{"id", "plot-desc"}}).text(f_.description);
    svg_.el("rect", {{"width", kWidth}, {"height", height}, {"fill", "#ffffff"}}).end();
    text(kWidth / 2, 30, f_.title, "middle", kTitleSize,
         {{"class", "title"}, {"font-weight", "bold"}});
    // A subtitle too wide for the page breaks at its last " · " that fits.
    std::string_view sub = f_.subtitle;
    double y = 52;
    while (!sub.empty()) {
      std::string_view part = sub;
      while (text_width(part, kTextSize) > kWidth - 40) {
        const std::size_t cut = part.rfind(" · ");
        if (cut == std::string_view::npos || cut == 0) break;
        part = part.substr(0, cut);
      }
      text(kWidth / 2, y, part, "middle", kTextSize, {{"class", "subtitle"}, {"fill", "#333333"}});
      sub.remove_prefix(std::min(sub.size(), part.size() + (part.size() < sub.size() ? 4 : 0)));
      y += 16;
    }
    for (std::size_t i = 0; i < f_.panels.size(); ++i) {
      panel(f_.panels[i], kPanelHeight * static_cast<double>(i), i == 0);
    }
    svg_.close();
    return std::move(svg_).take();
  }

 private:
  void panel(const Panel& p, double top, bool first) {
    const PanelLayout l = layout_.panel(p, top);
    const Box& area = l.area;
    svg_.el("g", {{"class", "panel"}, {"data-x", f_.x_name}}).open();
    if (!first) {
      text(kWidth / 2, top + 40, p.heading, "middle", 14,
           {{"class", "heading"}, {"font-weight", "bold"}});
    }
    // The region beyond the threshold, shaded under everything else.
    if (l.region) {
      rect(svg_.el("rect", {{"class", "region"}, {"fill", "#7f7f7f"}, {"fill-opacity", "0.14"}}),
           *l.region);
    }
    if (p.band) band(*p.band, area);
    grid(l.yt, l.ys, area);
    ticks(l.yt, l.ys, area);
    text((kLeft + kRight) / 2, top + kBottom + 42, f_.x_label, "middle", 13,
         {{"class", "x-label"}});
    text(26, (area.y0 + area.y1) / 2, p.y_label, "middle", 13, {{"class", "y-label"}}, -90);
    for (const Series& s : p.series) {
      if (is_bars(s)) {
        bars(s, l.ys);
      } else {
        path(s, l.ys);
      }
    }
    for (const Series& s : p.series) {
      if (!is_bars(s)) markers(s, l.ys);
    }
    if (p.threshold && std::isfinite(p.threshold->x)) threshold(*p.threshold, area);
    marks(p.marks, area);
    if (l.region_label) {
      // Read downwards when it does not fit across; the glyphs then stand to
      // the right of the baseline.
      const Box& b = *l.region_label;
      const bool down = l.vertical_label;
      const double cx = (b.x0 + b.x1) / 2;
      text(down ? cx - kTextSize * 0.35 : cx, down ? b.y0 + 4 : b.y1 - 6, p.threshold->region_label,
           down ? "start" : "middle", kTextSize,
           {{"class", "region-label"},
            {"fill", "#333333"},
            {"font-style", "italic"},
            {"paint-order", "stroke"},
            {"stroke", "#ffffff"},
            {"stroke-width", "3"}},
           down ? 90 : 0);
    }
    if (!p.series.empty()) legend(p, l.ys, l.legend);
    svg_.close();
  }

  // The threshold's line with its label above the plot, on the side that
  // has room; a threshold beyond either end of the axis has its label at
  // that end, with an arrow.
  void threshold(const Threshold& t, const Box& area) {
    const auto label = [&](double x, const std::string& words, std::string_view anchor) {
      text(x, area.y0 - 7, words, anchor, kTickSize,
           {{"class", "threshold-label"}, {"fill", "#333333"}});
    };
    if (t.x > xt().last()) {
      label(area.x1, t.label + " →", "end");
    } else if (t.x < xt().first) {
      label(area.x0, "← " + t.label, "start");
    } else {
      const double x = xs(t.x);
      line(svg_.el("line", {{"class", "threshold"}, {"data-x", t.x, NumberForm::kShortestFloat}}),
           x, area.y0, x, area.y1, &kThresholdStroke);
      const bool left_side = x + 4 + text_width(t.label, kTickSize) > kWidth - 8;
      label(left_side ? x - 4 : x + 4, t.label, left_side ? "end" : "start");
    }
  }

  // The band's shade, clipped to the x axis; its data-x0 and data-x1 give
  // the band's own ends.
  void band(const Band& b, const Box& area) {
    const double x0 = std::max(area.x0, xs(std::min(b.x0, b.x1)));
    const double x1 = std::min(area.x1, xs(std::max(b.x0, b.x1)));
    if (!(x0 < x1)) return;
    rect(svg_.el("rect", {{"class", "band"},
                          {"data-x0", b.x0, NumberForm::kShortest},
                          {"data-x1", b.x1, NumberForm::kShortest},
                          {"fill", kBandColour},
                          {"fill-opacity", kBandOpacity}}),
         {x0, area.y0, x1, area.y1});
  }

  // Each mark's line, and its label above the plot: the first to the left
  // of its line, the others to the right, each on the other side when the
  // page ends first; a label that would overlap an earlier one goes a line
  // higher.
  void marks(const std::vector<Mark>& ms, const Box& area) {
    std::vector<Box> taken;
    for (const Mark& m : ms) {
      if (!std::isfinite(m.x)) continue;
      const double x = xs(m.x);
      line(svg_.el("line", {{"class", "mark"}, {"data-x", m.x, NumberForm::kShortest}}), x, area.y0,
           x, area.y1, &kMarkStroke);
      const double w = text_width(m.label, kTickSize);
      bool right = &m != &ms.front();
      if (right && x + 4 + w > kWidth - 8) right = false;
      if (!right && x - 4 - w < 8) right = true;
      double y = area.y0 - 7;
      Box b{right ? x + 4 : x - 4 - w, y - kTickSize, right ? x + 4 + w : x - 4, y + 3};
      for (int tries = 0; tries < 3; ++tries) {
        if (std::none_of(taken.begin(), taken.end(), [&](const Box& t) { return t.overlaps(b); }))
          break;
        y -= 15;
        b.y0 -= 15;
        b.y1 -= 15;
      }
      taken.push_back(b);
      text(right ? x + 4 : x - 4, y, m.label, right ? "start" : "end", kTickSize,
           {{"class", "mark-label"}, {"fill", "#333333"}});
    }
  }

  // Opens a group of lines drawn in one stroke.
  void lines(std::string_view cls, std::string_view colour) {
    svg_.el("g", {{"class", cls}, {"stroke", colour}, {"stroke-width", 1}}).open();
  }

  void grid(const Ticks& yt, const Scale& ys, const Box& area) {
    lines("grid", "#e4e4e4");
    for (int i = 0; i <= xt().intervals; ++i) {
      const double x = xs(xt().value(i));
      line(svg_.el("line"), x, area.y0, x, area.y1);
    }
    for (int i = 0; i <= yt.intervals; ++i) {
      line(svg_.el("line"), area.x0, ys(yt.value(i)), area.x1, ys(yt.value(i)));
    }
    svg_.close();
    // Zero, when the axis passes through it.
    if (yt.first < 0 && yt.last() > 0) {
      lines("zero", "#b0b0b0");
      line(svg_.el("line"), area.x0, ys(0), area.x1, ys(0));
      svg_.close();
    }
    rect(
        svg_.el("rect",
                {{"class", "frame"}, {"fill", "none"}, {"stroke", "#444444"}, {"stroke-width", 1}}),
        area);
  }

  void ticks(const Ticks& yt, const Scale& ys, const Box& area) {
    lines("ticks", "#444444");
    for (int i = 0; i <= xt().intervals; ++i) {
      const double x = xs(xt().value(i));
      line(svg_.el("line"), x, area.y1, x, area.y1 + 5);
    }
    for (int i = 0; i <= yt.intervals; ++i) {
      line(svg_.el("line"), area.x0 - 5, ys(yt.value(i)), area.x0, ys(yt.value(i)));
    }
    svg_.close();
    for (int i = 0; i <= xt().intervals; ++i) {
      text(xs(xt().value(i)), area.y1 + 20, tick_label(xt(), i), "middle", kTickSize,
           {{"class", "x-tick"}});
    }
    for (int i = 0; i <= yt.intervals; ++i) {
      // Centred on the tick by dy, so y is the tick's own position.
      text(area.x0 - 9, ys(yt.value(i)), tick_label(yt, i), "end", kTickSize,
           {{"class", "y-tick"}, {"dy", "0.35em"}});
    }
  }

  // One point per row with finite values; a missing one breaks the line.
  void path(const Series& s, const Scale& ys) {
    std::string d;
    bool joined = false;
    for (std::size_t i = 0; i < layout_.rows(s); ++i) {
      const auto pt = layout_.point(s, i, ys);
      if (pt) {
        if (!d.empty()) d += ' ';
        append_point(d, joined ? 'L' : 'M', pt->x, pt->y);
      }
      joined = pt.has_value();
    }
    const Stroke& st = style_of(s.style).stroke;
    Svg::Element& e = svg_.el("path", {{"class", "series"},
                                       {"data-name", s.name},
                                       {"fill", "none"},
                                       {"stroke", st.colour},
                                       {"stroke-width", st.width},
                                       {"stroke-linejoin", "round"}});
    if (!st.dash.empty()) e.attr("stroke-dasharray", st.dash);
    e.attr("d", d).end();
  }

  void bars(const Series& s, const Scale& ys) {
    svg_.el("g", {{"class", "series"},
                  {"data-name", s.name},
                  {"fill", style_of(s.style).stroke.colour},
                  {"fill-opacity", kBarOpacity},
                  {"stroke", "#ffffff"},
                  {"stroke-width", 0.5}})
        .open();
    for (std::size_t i = 0; i < layout_.rows(s); ++i) {
      if (const auto b = layout_.bar_box(s, i, ys)) rect(svg_.el("rect"), *b);
    }
    svg_.close();
  }

  // A marker on each stretch of the line that draws nothing.
  void markers(const Series& s, const Scale& ys) {
    const std::vector<Point> points = layout_.invisible(s, ys);
    if (points.empty()) return;
    svg_.el("g", {{"class", "markers"}, {"data-name", s.name}}).open();
    for (const Point& pt : points) marker(style_of(s.style), pt.x, pt.y);
    svg_.close();
  }

  void marker(const Style& st, double x, double y) {
    constexpr double r = 4.5;
    std::string d;
    switch (st.shape) {
      case Shape::kCircle:
        append_point(d, 'M', x - r, y);
        d += "a4.5 4.5 0 1 0 9 0a4.5 4.5 0 1 0 -9 0";
        break;
      case Shape::kSquare:
        append_point(d, 'M', x - r, y - r);
        d += "h9v9h-9z";
        break;
      case Shape::kTriangle:
        append_point(d, 'M', x, y - r - 1);
        append_point(d, 'L', x + r + 0.5, y + r - 0.5);
        append_point(d, 'L', x - r - 0.5, y + r - 0.5);
        d += 'z';
        break;
      case Shape::kDiamond:
        append_point(d, 'M', x, y - r - 1);
        append_point(d, 'L', x + r + 1, y);
        append_point(d, 'L', x, y + r + 1);
        append_point(d, 'L', x - r - 1, y);
        d += 'z';
        break;
    }
    svg_.el("path", {{"fill", st.stroke.colour}, {"d", d}}).end();
  }

  // The legend: per entry a sample (the series' line, with its marker when
  // the series has markers; a swatch of a shade; the marks' line) and its
  // label.
  void legend(const Panel& p, const Scale& ys, const Box& box) {
    svg_.el("g", {{"class", "legend"}}).open();
    rect(svg_.el("rect", {{"fill", "#ffffff"},
                          {"fill-opacity", "0.92"},
                          {"stroke", "#999999"},
                          {"stroke-width", 0.8},
                          {"rx", 3}}),
         box);
    double y = box.y0 + kLegendPad + kLegendRow / 2 - 2;
    const double x0 = box.x0 + kLegendPad, x1 = x0 + kLegendSample;
    const auto swatch = [&](std::string_view colour, std::string_view opacity) {
      rect(svg_.el("rect", {{"fill", colour},
                            {"fill-opacity", opacity},
                            {"stroke", colour},
                            {"stroke-width", 0.8}}),
           {x0, y - 6, x1, y + 6});
    };
    const auto label = [&](std::string_view words) {
      text(x1 + kLegendGap, y + kTextSize * 0.35, words, "start", kTextSize);
      y += kLegendRow;
    };
    for (const Series& s : p.series) {
      const Style& st = style_of(s.style);
      if (is_bars(s)) {
        swatch(st.stroke.colour, kBarOpacity);
      } else {
        line(svg_.el("line"), x0, y, x1, y, &st.stroke);
        if (!layout_.invisible(s, ys).empty()) marker(st, x0 + kLegendSample / 2, y);
      }
      label(s.label);
    }
    if (p.band) {
      swatch(kBandColour, kBandOpacity);
      label(p.band->label);
    }
    if (marks_entry(p)) {
      line(svg_.el("line"), x0, y, x1, y, &kMarkStroke);
      label(p.marks_label);
    }
    svg_.close();
  }

  // A <text> at (x, y), `lead` first among its attributes, anchored by its
  // start, middle or end, and turned `degrees` about (x, y); none for an
  // empty content.
  void text(double x, double y, std::string_view content, std::string_view anchor, double size,
            std::initializer_list<Attr> lead = {}, double degrees = 0) {
    if (content.empty()) return;
    Svg::Element& e = svg_.el("text", lead);
    const bool turned = degrees != 0;
    e.attr("x", turned ? 0 : x).attr("y", turned ? 0 : y).attr("font-size", size);
    if (anchor != "start") e.attr("text-anchor", anchor);
    if (turned) {
      std::string turn = "translate(";
      append_number(turn, x);
      turn += ' ';
      append_number(turn, y);
      turn += ") rotate(";
      append_number(turn, degrees);
      e.attr("transform", turn + ")");
    }
    e.text(content);
  }

  // Ends `e` as a line from (x1, y1) to (x2, y2), in its own stroke when
  // given (else in its group's).
  static void line(Svg::Element& e, double x1, double y1, double x2, double y2,
                   const Stroke* stroke = nullptr) {
    e.attr("x1", x1).attr("y1", y1).attr("x2", x2).attr("y2", y2);
    if (stroke) {
      e.attr("stroke", stroke->colour).attr("stroke-width", stroke->width);
      if (!stroke->dash.empty()) e.attr("stroke-dasharray", stroke->dash);
    }
    e.end();
  }

  // Ends `e` as the box b.
  static void rect(Svg::Element& e, const Box& b) {
    e.attr("x", b.x0).attr("y", b.y0).attr("width", b.x1 - b.x0).attr("height", b.y1 - b.y0).end();
  }

  const Ticks& xt() const { return layout_.x_ticks(); }
  double xs(double x) const { return layout_.x_scale()(x); }

  const Figure& f_;
  const FigureLayout layout_;
  Svg svg_;
};

}  // namespace

std::string render_svg(const Figure& figure) { return Drawing(figure).render(); }

}  // namespace lumo::plot
