#include "plot/svg_figure.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string_view>

#include "numbers/number_text.h"
#include "plot/axis.h"

namespace lumo::plot {

namespace {

// The page, in SVG units: each panel is kWidth x kPanelHeight, its plot area
// the box kLeft..kRight, kTop..kBottom inside it.
constexpr double kWidth = 800;
constexpr double kPanelHeight = 500;
constexpr double kLeft = 92;
constexpr double kRight = 772;
constexpr double kTop = 86;
constexpr double kBottom = 426;
constexpr int kMaxXIntervals = 10;
constexpr int kMaxYIntervals = 9;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Series styles: Okabe and Ito's colour-blind-safe colours, each with its own
// dash pattern and marker, so a grey printout still tells them apart.
enum class Shape { kCircle, kSquare, kTriangle, kDiamond };
struct Style {
  std::string_view colour;
  std::string_view dash;  // empty: solid
  double width;
  Shape shape;
};
constexpr Style kStyles[] = {
    {"#000000", "", 2.4, Shape::kCircle},
    {"#0072B2", "9 4", 1.9, Shape::kSquare},
    {"#D55E00", "2.5 3", 2.1, Shape::kTriangle},
    {"#009E73", "9 3 2.5 3", 1.9, Shape::kDiamond},
};
const Style& style_of(int i) { return kStyles[static_cast<std::size_t>(std::clamp(i, 0, 3))]; }

// Bars, the band and the marks.
constexpr std::string_view kBarOpacity = "0.8";
constexpr std::string_view kBandColour = "#009E73";
constexpr std::string_view kBandOpacity = "0.16";
constexpr std::string_view kMarkColour = "#D55E00";
constexpr std::string_view kMarkDash = "6 3";
constexpr double kMarkWidth = 1.6;

// Font sizes.
constexpr double kTitleSize = 17;
constexpr double kTextSize = 12.5;
constexpr double kTickSize = 12;

// A rough width of `text` at `size`: sans-serif glyphs average about 0.6 em.
double text_width(std::string_view text, double size) {
  std::size_t glyphs = 0;
  for (char c : text) glyphs += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
  return static_cast<double>(glyphs) * 0.6 * size;
}

// A coordinate: at most two decimals, trailing zeros dropped, never "-0".
void append_number(std::string& out, double v) {
  v = std::round(v * 100) / 100;
  if (v == 0) v = 0;
  const std::string text = num::fixed(v, 2);
  std::string_view s = text;
  while (s.back() == '0') s.remove_suffix(1);
  if (s.back() == '.') s.remove_suffix(1);
  out += s;
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

struct Box {
  double x0, y0, x1, y1;
  bool contains(double x, double y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
  bool overlaps(const Box& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
};

// Whether the segment from (ax, ay) to (bx, by) passes through the box
// (Liang and Barsky's clipping).
bool crosses(const Box& b, double ax, double ay, double bx, double by) {
  const double dx = bx - ax, dy = by - ay;
  double t0 = 0, t1 = 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {ax - b.x0, b.x1 - ax, ay - b.y0, b.y1 - ay};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
  }
  return true;
}

// Linear map from data to page.
struct Scale {
  double v0, v1, p0, p1;
  double operator()(double v) const { return p0 + (v - v0) / (v1 - v0) * (p1 - p0); }
};

// The finite range of some values: [lo, hi], or nothing.
struct Range {
  double lo = kInfinity, hi = -kInfinity;
  void add(double v) {
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  bool empty() const { return lo > hi; }
};

bool finite(float v) { return std::isfinite(v); }

bool is_bars(const Series& s) { return s.bar_width > 0; }

// Shortest text that reads back as v.
void append_shortest(std::string& out, double v) { out += num::shortest(v); }

class SvgWriter {
 public:
  explicit SvgWriter(const Figure& f) : f_(f) {}

  std::string render() {
    const double height =
        kPanelHeight * static_cast<double>(std::max<std::size_t>(1, f_.panels.size()));
    Range xr;
    for (float x : f_.x) {
      if (finite(x)) xr.add(static_cast<double>(x));
    }
    // Bars show their edges; marks are drawn where they fall.
    for (const Panel& p : f_.panels) {
      for (const Series& s : p.series) {
        if (!is_bars(s)) continue;
        for (std::size_t i = 0; i < rows(s); ++i) {
          if (!finite(f_.x[i]) || !finite(s.y[i])) continue;
          xr.add(static_cast<double>(f_.x[i]) - s.bar_width / 2);
          xr.add(static_cast<double>(f_.x[i]) + s.bar_width / 2);
        }
      }
      for (const Mark& m : p.marks) {
        if (std::isfinite(m.x)) xr.add(m.x);
      }
    }
    // A mark stands clear of the axis frame: the range gains 3 % each side.
    if (std::any_of(f_.panels.begin(), f_.panels.end(),
                    [](const Panel& p) { return !p.marks.empty(); }) &&
        xr.hi > xr.lo) {
      const double pad = (xr.hi - xr.lo) * 0.03;
      xr.add(xr.lo - pad);
      xr.add(xr.hi + pad);
    }
    xt_ = xr.empty() ? nice_ticks(0, 1, kMaxXIntervals) : nice_ticks(xr.lo, xr.hi, kMaxXIntervals);
    xs_ = {xt_.first, xt_.last(), kLeft, kRight};

    out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"800\" height=\"";
    append_number(out_, height);
    out_ += "\" viewBox=\"0 0 800 ";
    append_number(out_, height);
    out_ +=
        "\" font-family=\"sans-serif\" role=\"img\" aria-labelledby=\"plot-title plot-desc\">\n";
    element_text("title", "id=\"plot-title\"", f_.title);
    element_text("desc", "id=\"plot-desc\"", f_.description);
    out_ += "<rect width=\"800\" height=\"";
    append_number(out_, height);
    out_ += "\" fill=\"#ffffff\"/>\n";
    text(kWidth / 2, 30, f_.title, "middle", kTitleSize, "class=\"title\" font-weight=\"bold\"");
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
      text(kWidth / 2, y, part, "middle", kTextSize, "class=\"subtitle\" fill=\"#333333\"");
      sub.remove_prefix(std::min(sub.size(), part.size() + (part.size() < sub.size() ? 4 : 0)));
      y += 16;
    }
    for (std::size_t i = 0; i < f_.panels.size(); ++i) {
      panel(f_.panels[i], kPanelHeight * static_cast<double>(i), i == 0);
    }
    out_ += "</svg>\n";
    return std::move(out_);
  }

 private:
  // Row i's point of a series, when both values are finite.
  bool point(const Series& s, std::size_t i, const Scale& ys, double& px, double& py) const {
    if (i >= f_.x.size() || i >= s.y.size() || !finite(f_.x[i]) || !finite(s.y[i])) return false;
    px = xs_(static_cast<double>(f_.x[i]));
    py = ys(static_cast<double>(s.y[i]));
    return true;
  }
  std::size_t rows(const Series& s) const { return std::min(f_.x.size(), s.y.size()); }

  // The y axis and where the legend and the region's label go.
  struct Layout {
    Ticks yt;
    Scale ys{0, 1, 0, 1};
    std::optional<Box> region;        // the shaded band beyond the threshold
    std::optional<Box> region_label;  // the box its label takes
    bool vertical_label = false;
    Box legend{};
  };

  Layout layout(const Panel& p, const Box& area) const {
    Range yr;
    for (const Series& s : p.series) {
      for (std::size_t i = 0; i < rows(s); ++i) {
        if (finite(f_.x[i]) && finite(s.y[i])) yr.add(static_cast<double>(s.y[i]));
      }
      // Bars stand on zero.
      if (is_bars(s) && !yr.empty()) yr.add(0);
    }
    if (yr.empty()) yr = {0, 1};
    if (p.y_from_zero) yr.add(0);
    const Ticks yt = nice_ticks(yr.lo, yr.hi, kMaxYIntervals);
    // When every place hides some data, the axis grows upwards by a step at
    // a time, making room above the data.
    Layout best;
    double best_cost = 0;
    for (int extra = 0; extra <= 3; ++extra) {
      Layout l;
      l.yt = yt;
      l.yt.intervals += extra;
      l.ys = {l.yt.first, l.yt.last(), area.y1, area.y0};
      const double c = place(p, area, l);
      if (extra == 0 || c < best_cost) {
        best = l;
        best_cost = c;
      }
      if (c == 0) break;
    }
    return best;
  }

  // Places the region's label and the legend where they hide the least data;
  // returns how much they hide.
  double place(const Panel& p, const Box& area, Layout& l) const {
    double total = 0;
    if (p.threshold && std::isfinite(p.threshold->x) && p.threshold->x < xt_.last()) {
      const Box r{std::max(area.x0, xs_(p.threshold->x)), area.y0, area.x1, area.y1};
      l.region = r;
      const double w = text_width(p.threshold->region_label, kTextSize);
      const double band = r.x1 - r.x0;
      if (band >= w + 12 || band >= kTextSize + 4) {
        l.vertical_label = band < w + 12;
        const double bw = l.vertical_label ? kTextSize + 4 : w + 8;
        const double bh = l.vertical_label ? w + 8 : kTextSize + 8;
        const double cx = (r.x0 + r.x1) / 2;
        double best = kInfinity;
        for (int k = 0; k <= 8; ++k) {
          const double y0 = r.y0 + 4 + (r.y1 - r.y0 - bh - 8) * k / 8;
          const Box b{cx - bw / 2, y0, cx + bw / 2, y0 + bh};
          const double c = hidden(p, l.ys, b);
          if (c < best) {
            best = c;
            l.region_label = b;
          }
        }
        total += best;
      }
    }
    if (p.series.empty()) return total;
    const double w = legend_width(p), h = legend_height(p);
    constexpr double kInset = 8;
    const double xs[3] = {area.x0 + kInset, area.x1 - kInset - w, (area.x0 + area.x1 - w) / 2};
    const double ys[5] = {area.y0 + kInset, area.y1 - kInset - h, (area.y0 + area.y1 - h) / 2,
                          area.y0 + (area.y1 - area.y0 - h) / 4,
                          area.y0 + (area.y1 - area.y0 - h) * 3 / 4};
    // Top corners and centre first, then the bottom ones, then the middles.
    double best = kInfinity;
    for (double y : ys) {
      for (double x : xs) {
        const Box b{x, y, x + w, y + h};
        double c = hidden(p, l.ys, b);
        if (l.region_label && l.region_label->overlaps(b)) c += 1e6;
        if (p.threshold && b.x0 <= xs_(p.threshold->x) && xs_(p.threshold->x) <= b.x1) c += 1;
        for (const Mark& m : p.marks) {
          if (b.x0 <= xs_(m.x) && xs_(m.x) <= b.x1) c += 1;
        }
        if (c < best) {
          best = c;
          l.legend = b;
        }
      }
    }
    return total + best;
  }

  // How many segments (or lone points, or bars) of the data pass through box
  // b; a long table is sampled at about 4000 rows.
  double hidden(const Panel& p, const Scale& ys, const Box& b) const {
    double count = 0;
    for (const Series& s : p.series) {
      if (is_bars(s)) {
        for (std::size_t i = 0; i < rows(s); ++i) {
          if (const auto bar = bar_box(s, i, ys); bar && bar->overlaps(b)) count += 1;
        }
        continue;
      }
      const std::size_t n = rows(s);
      const std::size_t stride = n / 4000 + 1;
      bool have = false;
      double ax = 0, ay = 0;
      for (std::size_t i = 0; i < n; i += stride) {
        double px, py;
        if (!point(s, i, ys, px, py)) {
          have = false;
          continue;
        }
        if (have ? crosses(b, ax, ay, px, py) : b.contains(px, py)) count += 1;
        ax = px;
        ay = py;
        have = true;
      }
    }
    return count;
  }

  void panel(const Panel& p, double top, bool first) {
    const Box area{kLeft, top + kTop, kRight, top + kBottom};
    const Layout l = layout(p, area);
    const Scale& ys = l.ys;

    out_ += "<g class=\"panel\" data-x=\"";
    append_escaped(out_, f_.x_name);
    out_ += "\">\n";
    if (!first) {
      text(kWidth / 2, top + 40, p.heading, "middle", 14, "class=\"heading\" font-weight=\"bold\"");
    }
    // The region beyond the threshold, shaded under everything else.
    if (l.region) rect(*l.region, "class=\"region\" fill=\"#7f7f7f\" fill-opacity=\"0.14\"");
    if (p.band) band(*p.band, area);
    grid(l.yt, ys, area);
    ticks(l.yt, ys, area);
    text((kLeft + kRight) / 2, top + kBottom + 42, f_.x_label, "middle", 13, "class=\"x-label\"");
    out_ +=
        "<text class=\"y-label\" x=\"0\" y=\"0\" font-size=\"13\" text-anchor=\"middle\" "
        "transform=\"translate(";
    append_number(out_, 26);
    out_ += ' ';
    append_number(out_, (area.y0 + area.y1) / 2);
    out_ += ") rotate(-90)\">";
    append_escaped(out_, p.y_label);
    out_ += "</text>\n";

    for (const Series& s : p.series) {
      if (is_bars(s)) {
        bars(s, ys);
      } else {
        path(s, ys);
      }
    }
    for (const Series& s : p.series) {
      if (!is_bars(s)) markers(s, ys);
    }

    if (p.threshold && std::isfinite(p.threshold->x)) threshold(*p.threshold, area);
    marks(p.marks, area);
    if (l.region_label) {
      const Box& b = *l.region_label;
      const std::string_view attrs =
          "class=\"region-label\" fill=\"#333333\" font-style=\"italic\" paint-order=\"stroke\" "
          "stroke=\"#ffffff\" stroke-width=\"3\"";
      if (!l.vertical_label) {
        text((b.x0 + b.x1) / 2, b.y1 - 6, p.threshold->region_label, "middle", kTextSize, attrs);
      } else {
        // Read downwards; the glyphs stand to the right of the baseline.
        out_ += "<text ";
        out_ += attrs;
        out_ += " x=\"0\" y=\"0\" font-size=\"";
        append_number(out_, kTextSize);
        out_ += "\" transform=\"translate(";
        append_number(out_, (b.x0 + b.x1) / 2 - kTextSize * 0.35);
        out_ += ' ';
        append_number(out_, b.y0 + 4);
        out_ += ") rotate(90)\">";
        append_escaped(out_, p.threshold->region_label);
        out_ += "</text>\n";
      }
    }
    if (!p.series.empty()) legend(p, ys, l.legend);
    out_ += "</g>\n";
  }

  // The threshold's line with its label above the plot, on the side that
  // has room; a threshold beyond either end of the axis has its label at
  // that end, with an arrow.
  void threshold(const Threshold& t, const Box& area) {
    const std::string_view attrs = "class=\"threshold-label\" fill=\"#333333\"";
    const double label_y = area.y0 - 7;
    if (t.x > xt_.last()) {
      text(area.x1, label_y, t.label + " →", "end", kTickSize, attrs);
      return;
    }
    if (t.x < xt_.first) {
      text(area.x0, label_y, "← " + t.label, "start", kTickSize, attrs);
      return;
    }
    const double x = xs_(t.x);
    vertical_line("threshold", num::shortest(static_cast<float>(t.x)), x, area, "#555555", 1.5,
                  "5 3");
    const bool left_side = x + 4 + text_width(t.label, kTickSize) > kWidth - 8;
    text(left_side ? x - 4 : x + 4, label_y, t.label, left_side ? "end" : "start", kTickSize,
         attrs);
  }

  // A dashed line of class `cls` across the plot area at page x, its value
  // in data-x.
  void vertical_line(std::string_view cls, std::string_view data_x, double x, const Box& area,
                     std::string_view colour, double width, std::string_view dash) {
    std::string lead = "class=\"";
    lead += cls;
    lead += "\" data-x=\"";
    lead += data_x;
    lead += '"';
    line(lead, x, area.y0, x, area.y1, colour, width, dash);
  }

  // A <line> from (x1, y1) to (x2, y2), `lead` (a class, data) first among
  // its attributes; no dash pattern when `dash` is empty.
  void line(std::string_view lead, double x1, double y1, double x2, double y2,
            std::string_view colour, double width, std::string_view dash) {
    out_ += "<line ";
    if (!lead.empty()) {
      out_ += lead;
      out_ += ' ';
    }
    out_ += "x1=\"";
    append_number(out_, x1);
    out_ += "\" y1=\"";
    append_number(out_, y1);
    out_ += "\" x2=\"";
    append_number(out_, x2);
    out_ += "\" y2=\"";
    append_number(out_, y2);
    out_ += "\" stroke=\"";
    out_ += colour;
    out_ += "\" stroke-width=\"";
    append_number(out_, width);
    out_ += '"';
    if (!dash.empty()) {
      out_ += " stroke-dasharray=\"";
      out_ += dash;
      out_ += '"';
    }
    out_ += "/>\n";
  }

  // The band's shade, clipped to the x axis; its data-x0 and data-x1 give
  // the band's own ends.
  void band(const Band& b, const Box& area) {
    const double x0 = std::max(area.x0, xs_(std::min(b.x0, b.x1)));
    const double x1 = std::min(area.x1, xs_(std::max(b.x0, b.x1)));
    if (!(x0 < x1)) return;
    std::string attrs = "class=\"band\" data-x0=\"";
    append_shortest(attrs, b.x0);
    attrs += "\" data-x1=\"";
    append_shortest(attrs, b.x1);
    attrs += "\" fill=\"";
    attrs += kBandColour;
    attrs += "\" fill-opacity=\"";
    attrs += kBandOpacity;
    attrs += '"';
    rect({x0, area.y0, x1, area.y1}, attrs);
  }

  // Each mark's line, and its label above the plot: the first to the left
  // of its line, the others to the right, each on the other side when the
  // page ends first; a label that would overlap an earlier one goes a line
  // higher.
  void marks(const std::vector<Mark>& ms, const Box& area) {
    std::vector<Box> taken;
    for (const Mark& m : ms) {
      if (!std::isfinite(m.x)) continue;
      const double x = xs_(m.x);
      std::string value;
      append_shortest(value, m.x);
      vertical_line("mark", value, x, area, kMarkColour, kMarkWidth, kMarkDash);
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
           "class=\"mark-label\" fill=\"#333333\"");
    }
  }

  void grid(const Ticks& yt, const Scale& ys, const Box& area) {
    out_ += "<g class=\"grid\" stroke=\"#e4e4e4\" stroke-width=\"1\">\n";
    for (int i = 0; i <= xt_.intervals; ++i)
      line(xs_(xt_.value(i)), area.y0, xs_(xt_.value(i)), area.y1);
    for (int i = 0; i <= yt.intervals; ++i)
      line(area.x0, ys(yt.value(i)), area.x1, ys(yt.value(i)));
    out_ += "</g>\n";
    // Zero, when the axis passes through it.
    if (yt.first < 0 && yt.last() > 0) {
      out_ += "<g class=\"zero\" stroke=\"#b0b0b0\" stroke-width=\"1\">\n";
      line(area.x0, ys(0), area.x1, ys(0));
      out_ += "</g>\n";
    }
    rect(area, "class=\"frame\" fill=\"none\" stroke=\"#444444\" stroke-width=\"1\"");
  }

  void ticks(const Ticks& yt, const Scale& ys, const Box& area) {
    out_ += "<g class=\"ticks\" stroke=\"#444444\" stroke-width=\"1\">\n";
    for (int i = 0; i <= xt_.intervals; ++i)
      line(xs_(xt_.value(i)), area.y1, xs_(xt_.value(i)), area.y1 + 5);
    for (int i = 0; i <= yt.intervals; ++i)
      line(area.x0 - 5, ys(yt.value(i)), area.x0, ys(yt.value(i)));
    out_ += "</g>\n";
    for (int i = 0; i <= xt_.intervals; ++i) {
      text(xs_(xt_.value(i)), area.y1 + 20, tick_label(xt_, i), "middle", kTickSize,
           "class=\"x-tick\"");
    }
    for (int i = 0; i <= yt.intervals; ++i) {
      // Centred on the tick by dy, so y is the tick's own position.
      text(area.x0 - 9, ys(yt.value(i)), tick_label(yt, i), "end", kTickSize,
           "class=\"y-tick\" dy=\"0.35em\"");
    }
  }

  void path(const Series& s, const Scale& ys) {
    const Style& st = style_of(s.style);
    out_ += "<path class=\"series\" data-name=\"";
    append_escaped(out_, s.name);
    out_ += "\" fill=\"none\" stroke=\"";
    out_ += st.colour;
    out_ += "\" stroke-width=\"";
    append_number(out_, st.width);
    out_ += "\" stroke-linejoin=\"round\"";
    if (!st.dash.empty()) {
      out_ += " stroke-dasharray=\"";
      out_ += st.dash;
      out_ += '"';
    }
    out_ += " d=\"";
    bool joined = false;
    bool any = false;
    for (std::size_t i = 0; i < rows(s); ++i) {
      double px, py;
      if (!point(s, i, ys, px, py)) {
        joined = false;
        continue;
      }
      if (any) out_ += ' ';
      out_ += joined ? 'L' : 'M';
      append_number(out_, px);
      out_ += ' ';
      append_number(out_, py);
      joined = any = true;
    }
    out_ += "\"/>\n";
  }

  // Row i's bar on the page, when its x and y are finite.
  std::optional<Box> bar_box(const Series& s, std::size_t i, const Scale& ys) const {
    if (i >= f_.x.size() || i >= s.y.size() || !finite(f_.x[i]) || !finite(s.y[i])) return {};
    const double x = static_cast<double>(f_.x[i]);
    const double top = ys(static_cast<double>(s.y[i])), base = ys(0);
    return Box{xs_(x - s.bar_width / 2), std::min(top, base), xs_(x + s.bar_width / 2),
               std::max(top, base)};
  }

  void bars(const Series& s, const Scale& ys) {
    out_ += "<g class=\"series\" data-name=\"";
    append_escaped(out_, s.name);
    out_ += "\" fill=\"";
    out_ += style_of(s.style).colour;
    out_ += "\" fill-opacity=\"";
    out_ += kBarOpacity;
    out_ += "\" stroke=\"#ffffff\" stroke-width=\"0.5\">\n";
    for (std::size_t i = 0; i < rows(s); ++i) {
      if (const auto b = bar_box(s, i, ys)) rect(*b, "");
    }
    out_ += "</g>\n";
  }

  // Calls f(x, y) for each stretch of the line that draws nothing: a point
  // with no neighbour, or a run of points within a unit of one another (a
  // report's rounding can make them equal).
  template <class F>
  void each_invisible(const Series& s, const Scale& ys, F f) const {
    double x0 = 0, y0 = 0, x_lo = 0, x_hi = 0, y_lo = 0, y_hi = 0;
    bool in_run = false;
    auto end_run = [&] {
      if (in_run && x_hi - x_lo < 1 && y_hi - y_lo < 1) f(x0, y0);
      in_run = false;
    };
    for (std::size_t i = 0; i < rows(s); ++i) {
      double px, py;
      if (!point(s, i, ys, px, py)) {
        end_run();
        continue;
      }
      if (!in_run) {
        x0 = x_lo = x_hi = px;
        y0 = y_lo = y_hi = py;
        in_run = true;
      }
      x_lo = std::min(x_lo, px);
      x_hi = std::max(x_hi, px);
      y_lo = std::min(y_lo, py);
      y_hi = std::max(y_hi, py);
    }
    end_run();
  }

  void markers(const Series& s, const Scale& ys) {
    bool open = false;
    each_invisible(s, ys, [&](double x, double y) {
      if (!open) {
        out_ += "<g class=\"markers\" data-name=\"";
        append_escaped(out_, s.name);
        out_ += "\">\n";
        open = true;
      }
      marker(style_of(s.style), x, y);
    });
    if (open) out_ += "</g>\n";
  }

  void marker(const Style& st, double x, double y) {
    constexpr double r = 4.5;
    out_ += "<path fill=\"";
    out_ += st.colour;
    out_ += "\" d=\"";
    auto move = [&](char op, double px, double py) {
      out_ += op;
      append_number(out_, px);
      out_ += ' ';
      append_number(out_, py);
    };
    switch (st.shape) {
      case Shape::kCircle:
        move('M', x - r, y);
        out_ += "a4.5 4.5 0 1 0 9 0a4.5 4.5 0 1 0 -9 0";
        break;
      case Shape::kSquare:
        move('M', x - r, y - r);
        out_ += "h9v9h-9z";
        break;
      case Shape::kTriangle:
        move('M', x, y - r - 1);
        move('L', x + r + 0.5, y + r - 0.5);
        move('L', x - r - 0.5, y + r - 0.5);
        out_ += 'z';
        break;
      case Shape::kDiamond:
        move('M', x, y - r - 1);
        move('L', x + r + 1, y);
        move('L', x, y + r + 1);
        move('L', x - r - 1, y);
        out_ += 'z';
        break;
    }
    out_ += "\"/>\n";
  }

  // Whether a series shows as markers anywhere (its legend entry then shows
  // the marker too).
  bool has_markers(const Series& s, const Scale& ys) const {
    bool any = false;
    each_invisible(s, ys, [&](double, double) { any = true; });
    return any;
  }

  static constexpr double kLegendRow = 19, kLegendPad = 8, kLegendSample = 34, kLegendGap = 6;
  static bool marks_entry(const Panel& p) { return !p.marks.empty() && !p.marks_label.empty(); }
  static double legend_width(const Panel& p) {
    double label = 0;
    for (const Series& s : p.series) label = std::max(label, text_width(s.label, kTextSize));
    if (p.band) label = std::max(label, text_width(p.band->label, kTextSize));
    if (marks_entry(p)) label = std::max(label, text_width(p.marks_label, kTextSize));
    return kLegendPad + kLegendSample + kLegendGap + label + kLegendPad;
  }
  static double legend_height(const Panel& p) {
    const std::size_t entries = p.series.size() + (p.band ? 1 : 0) + (marks_entry(p) ? 1 : 0);
    return kLegendPad * 2 + kLegendRow * static_cast<double>(entries) - 4;
  }

  // A legend entry's sample of a shade: a box of the sample's width.
  void swatch(double x0, double y, std::string_view colour, std::string_view opacity) {
    out_ += "<rect fill=\"";
    out_ += colour;
    out_ += "\" fill-opacity=\"";
    out_ += opacity;
    out_ += "\" stroke=\"";
    out_ += colour;
    out_ += "\" stroke-width=\"0.8\" x=\"";
    append_number(out_, x0);
    out_ += "\" y=\"";
    append_number(out_, y - 6);
    out_ += "\" width=\"";
    append_number(out_, kLegendSample);
    out_ += "\" height=\"12\"/>\n";
  }

  void legend(const Panel& p, const Scale& ys, const Box& box) {
    out_ += "<g class=\"legend\">\n";
    rect(box,
         "fill=\"#ffffff\" fill-opacity=\"0.92\" stroke=\"#999999\" stroke-width=\"0.8\" rx=\"3\"");
    double y = box.y0 + kLegendPad + kLegendRow / 2 - 2;
    const double x0 = box.x0 + kLegendPad;
    for (const Series& s : p.series) {
      const Style& st = style_of(s.style);
      if (is_bars(s)) {
        swatch(x0, y, st.colour, kBarOpacity);
        text(x0 + kLegendSample + kLegendGap, y + kTextSize * 0.35, s.label, "start", kTextSize,
             "");
        y += kLegendRow;
        continue;
      }
      line("", x0, y, x0 + kLegendSample, y, st.colour, st.width, st.dash);
      if (has_markers(s, ys)) marker(st, x0 + kLegendSample / 2, y);
      text(x0 + kLegendSample + kLegendGap, y + kTextSize * 0.35, s.label, "start", kTextSize, "");
      y += kLegendRow;
    }
    if (p.band) {
      swatch(x0, y, kBandColour, kBandOpacity);
      text(x0 + kLegendSample + kLegendGap, y + kTextSize * 0.35, p.band->label, "start", kTextSize,
           "");
      y += kLegendRow;
    }
    if (marks_entry(p)) {
      line("", x0, y, x0 + kLegendSample, y, kMarkColour, kMarkWidth, kMarkDash);
      text(x0 + kLegendSample + kLegendGap, y + kTextSize * 0.35, p.marks_label, "start", kTextSize,
           "");
    }
    out_ += "</g>\n";
  }

  void element_text(std::string_view tag, std::string_view attrs, std::string_view content) {
    out_ += '<';
    out_ += tag;
    out_ += ' ';
    out_ += attrs;
    out_ += '>';
    append_escaped(out_, content);
    out_ += "</";
    out_ += tag;
    out_ += ">\n";
  }

  void text(double x, double y, std::string_view content, std::string_view anchor, double size,
            std::string_view attrs) {
    if (content.empty()) return;
    out_ += "<text";
    if (!attrs.empty()) {
      out_ += ' ';
      out_ += attrs;
    }
    out_ += " x=\"";
    append_number(out_, x);
    out_ += "\" y=\"";
    append_number(out_, y);
    out_ += "\" font-size=\"";
    append_number(out_, size);
    out_ += '"';
    if (anchor != "start") {
      out_ += " text-anchor=\"";
      out_ += anchor;
      out_ += '"';
    }
    out_ += '>';
    append_escaped(out_, content);
    out_ += "</text>\n";
  }

  void line(double x1, double y1, double x2, double y2) {
    out_ += "<line x1=\"";
    append_number(out_, x1);
    out_ += "\" y1=\"";
    append_number(out_, y1);
    out_ += "\" x2=\"";
    append_number(out_, x2);
    out_ += "\" y2=\"";
    append_number(out_, y2);
    out_ += "\"/>\n";
  }

  void rect(const Box& b, std::string_view attrs) {
    out_ += "<rect";
    if (!attrs.empty()) {
      out_ += ' ';
      out_ += attrs;
    }
    out_ += " x=\"";
    append_number(out_, b.x0);
    out_ += "\" y=\"";
    append_number(out_, b.y0);
    out_ += "\" width=\"";
    append_number(out_, b.x1 - b.x0);
    out_ += "\" height=\"";
    append_number(out_, b.y1 - b.y0);
    out_ += "\"/>\n";
  }

  const Figure& f_;
  std::string out_;
  Ticks xt_;
  Scale xs_{0, 1, kLeft, kRight};
};

}  // namespace

std::string render_svg(const Figure& figure) { return SvgWriter(figure).render(); }

}  // namespace lumo::plot
