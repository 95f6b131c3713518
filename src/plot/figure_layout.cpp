#include "plot/figure_layout.h"

#include <cmath>
#include <limits>

namespace lumo::plot {

namespace {

constexpr int kMaxXIntervals = 10;
constexpr int kMaxYIntervals = 9;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

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

double legend_width(const Panel& p) {
  double label = 0;
  for (const Series& s : p.series) label = std::max(label, text_width(s.label, kTextSize));
  if (p.band) label = std::max(label, text_width(p.band->label, kTextSize));
  if (marks_entry(p)) label = std::max(label, text_width(p.marks_label, kTextSize));
  return kLegendPad + kLegendSample + kLegendGap + label + kLegendPad;
}

double legend_height(const Panel& p) {
  const std::size_t entries = p.series.size() + (p.band ? 1 : 0) + (marks_entry(p) ? 1 : 0);
  return kLegendPad * 2 + kLegendRow * static_cast<double>(entries) - 4;
}

}  // namespace

double text_width(std::string_view text, double size) {
  std::size_t glyphs = 0;
  for (char c : text) glyphs += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
  return static_cast<double>(glyphs) * 0.6 * size;
}

FigureLayout::FigureLayout(const Figure& f) : f_(f) {
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
}

std::optional<Point> FigureLayout::point(const Series& s, std::size_t i, const Scale& ys) const {
  if (i >= f_.x.size() || i >= s.y.size() || !finite(f_.x[i]) || !finite(s.y[i])) return {};
  return Point{xs_(static_cast<double>(f_.x[i])), ys(static_cast<double>(s.y[i]))};
}

std::optional<Box> FigureLayout::bar_box(const Series& s, std::size_t i, const Scale& ys) const {
  if (i >= f_.x.size() || i >= s.y.size() || !finite(f_.x[i]) || !finite(s.y[i])) return {};
  const double x = static_cast<double>(f_.x[i]);
  const double top = ys(static_cast<double>(s.y[i])), base = ys(0);
  return Box{xs_(x - s.bar_width / 2), std::min(top, base), xs_(x + s.bar_width / 2),
             std::max(top, base)};
}

std::vector<Point> FigureLayout::invisible(const Series& s, const Scale& ys) const {
  std::vector<Point> found;
  Point first{};
  Box run{};
  bool in_run = false;
  auto end_run = [&] {
    if (in_run && run.x1 - run.x0 < 1 && run.y1 - run.y0 < 1) found.push_back(first);
    in_run = false;
  };
  for (std::size_t i = 0; i < rows(s); ++i) {
    const auto pt = point(s, i, ys);
    if (!pt) {
      end_run();
      continue;
    }
    if (!in_run) {
      first = *pt;
      run = {pt->x, pt->y, pt->x, pt->y};
      in_run = true;
    }
    run = {std::min(run.x0, pt->x), std::min(run.y0, pt->y), std::max(run.x1, pt->x),
           std::max(run.y1, pt->y)};
  }
  end_run();
  return found;
}

PanelLayout FigureLayout::panel(const Panel& p, double top) const {
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
  PanelLayout best;
  double best_cost = 0;
  for (int extra = 0; extra <= 3; ++extra) {
    PanelLayout l;
    l.area = {kLeft, top + kTop, kRight, top + kBottom};
    l.yt = yt;
    l.yt.intervals += extra;
    l.ys = {l.yt.first, l.yt.last(), l.area.y1, l.area.y0};
    const double c = place(p, l);
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
double FigureLayout::place(const Panel& p, PanelLayout& l) const {
  const Box& area = l.area;
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
double FigureLayout::hidden(const Panel& p, const Scale& ys, const Box& b) const {
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
    std::optional<Point> last;
    for (std::size_t i = 0; i < n; i += stride) {
      const auto pt = point(s, i, ys);
      if (pt && (last ? crosses(b, last->x, last->y, pt->x, pt->y) : b.contains(pt->x, pt->y))) {
        count += 1;
      }
      last = pt;
    }
  }
  return count;
}

}  // namespace lumo::plot
