// Where the parts of a figure go on its page, in SVG units: the axes' ticks
// and scales, each row's point or bar, the stretches of a line that draw
// nothing, and the places of the legend and of the shaded region's label,
// chosen to hide the least data.
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "plot/axis.h"
#include "plot/svg_figure.h"

namespace lumo::plot {

// The page: each panel is kWidth x kPanelHeight, its plot area the box
// kLeft..kRight, kTop..kBottom inside it.
inline constexpr double kWidth = 800;
inline constexpr double kPanelHeight = 500;
inline constexpr double kLeft = 92;
inline constexpr double kRight = 772;
inline constexpr double kTop = 86;
inline constexpr double kBottom = 426;

// Font sizes.
inline constexpr double kTitleSize = 17;
inline constexpr double kTextSize = 12.5;
inline constexpr double kTickSize = 12;

// The legend: its rows, its padding, an entry's sample and the gap after it.
inline constexpr double kLegendRow = 19, kLegendPad = 8, kLegendSample = 34, kLegendGap = 6;

// A rough width of `text` at `size`: sans-serif glyphs average about 0.6 em.
double text_width(std::string_view text, double size);

struct Box {
  double x0, y0, x1, y1;
  bool contains(double x, double y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
  bool overlaps(const Box& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
};

// Linear map from data to page.
struct Scale {
  double v0, v1, p0, p1;
  double operator()(double v) const { return p0 + (v - v0) / (v1 - v0) * (p1 - p0); }
};

struct Point {
  double x, y;
};

inline bool is_bars(const Series& s) { return s.bar_width > 0; }
// Whether the legend lists the marks.
inline bool marks_entry(const Panel& p) { return !p.marks.empty() && !p.marks_label.empty(); }

// A panel's plot area, its y axis, and where the shaded region, its label
// and the legend go.
struct PanelLayout {
  Box area{};
  Ticks yt;
  Scale ys{0, 1, 0, 1};
  std::optional<Box> region;        // the band beyond the threshold
  std::optional<Box> region_label;  // the box its label takes
  bool vertical_label = false;      // the label reads downwards
  Box legend{};
};

class FigureLayout {
 public:
  // The x axis covers the rows' x, the bars' edges and the marks.
  explicit FigureLayout(const Figure& f);

  const Ticks& x_ticks() const { return xt_; }
  const Scale& x_scale() const { return xs_; }
  // The panel whose page starts `top` units down.
  PanelLayout panel(const Panel& p, double top) const;

  std::size_t rows(const Series& s) const { return std::min(f_.x.size(), s.y.size()); }
  // Row i's point, when its x and y are finite.
  std::optional<Point> point(const Series& s, std::size_t i, const Scale& ys) const;
  // Row i's bar, when its x and y are finite.
  std::optional<Box> bar_box(const Series& s, std::size_t i, const Scale& ys) const;
  // Each stretch of the line that draws nothing, by its first point: a
  // point with no neighbour, or a run of points within a unit of one
  // another (a report's rounding can make them equal).
  std::vector<Point> invisible(const Series& s, const Scale& ys) const;

 private:
  double place(const Panel& p, PanelLayout& l) const;
  double hidden(const Panel& p, const Scale& ys, const Box& b) const;

  const Figure& f_;
  Ticks xt_;
  Scale xs_{0, 1, kLeft, kRight};
};

}  // namespace lumo::plot
