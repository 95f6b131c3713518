// Reads back what a plot shows: per panel, the tick labels with their page
// positions, each series' points, the threshold line and the marker groups
// with each marker's centre.
// Only the attributes the plot writer documents are used.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace lumo::plot::testing {

struct Tick {
  double px = 0;  // page position along the axis
  double value = 0;
};

struct SeriesProbe {
  std::string name;
  std::vector<double> xs, ys;  // page coordinates, in path order
  int subpaths = 0;
};

struct Point {
  double x = 0, y = 0;
};

struct PanelProbe {
  std::vector<Tick> x_ticks, y_ticks;
  std::vector<SeriesProbe> series;
  std::vector<double> thresholds;    // page x of each threshold line
  std::vector<std::string> markers;  // data-name of each marker group
  // Per marker group, the centre of each marker's outline.
  std::vector<std::vector<Point>> marker_centres;
  std::string threshold_label;
};

inline std::string attribute(std::string_view element, std::string_view name) {
  const std::string key = " " + std::string(name) + "=\"";
  std::size_t at = element.find(key);
  if (at == std::string_view::npos) return "";
  at += key.size();
  return std::string(element.substr(at, element.find('"', at) - at));
}

// Each element whose start tag begins with `start`, from its "<" to the end
// of its content (the next "</" or "/>").
inline std::vector<std::string_view> elements(std::string_view text, std::string_view start) {
  std::vector<std::string_view> found;
  for (std::size_t at = text.find(start); at != std::string_view::npos;
       at = text.find(start, at + 1)) {
    std::size_t end = text.find('<', text.find('>', at));
    found.push_back(text.substr(at, end == std::string_view::npos ? text.size() - at : end - at));
  }
  return found;
}

inline std::string content(std::string_view element) {
  return std::string(element.substr(element.find('>') + 1));
}

// The centre of the box around the vertices of a path's outline (moves,
// lines and arc ends, absolute or relative): a marker's centre, within a
// unit for the symmetric shapes.
inline Point outline_centre(const std::string& d) {
  double x = 0, y = 0, x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
  char op = 'M';
  for (const char* c = d.c_str(); *c != '\0';) {
    if (*c == ' ' || *c == ',') {
      ++c;
      continue;
    }
    if (std::string_view("MmLlHhVvAaZz").find(*c) != std::string_view::npos) {
      op = *c++;
      continue;
    }
    char* end = nullptr;
    const bool relative = op >= 'a';
    double a = std::strtod(c, &end);
    if (end == c) {
      ++c;  // not a number: skipped
      continue;
    }
    if (op == 'H' || op == 'h') {
      x = relative ? x + a : a;
    } else if (op == 'V' || op == 'v') {
      y = relative ? y + a : a;
    } else {
      if (op == 'A' || op == 'a') {
        for (int skip = 0; skip < 5; ++skip) a = std::strtod(end, &end);
      }
      const double b = std::strtod(end, &end);
      x = relative ? x + a : a;
      y = relative ? y + b : b;
    }
    c = end;
    x0 = std::min(x0, x);
    x1 = std::max(x1, x);
    y0 = std::min(y0, y);
    y1 = std::max(y1, y);
  }
  return {(x0 + x1) / 2, (y0 + y1) / 2};
}

inline std::vector<PanelProbe> probe(std::string_view svg) {
  std::vector<PanelProbe> panels;
  const std::string_view mark = "<g class=\"panel\"";
  for (std::size_t at = svg.find(mark); at != std::string_view::npos;) {
    const std::size_t next = svg.find(mark, at + 1);
    const std::string_view part =
        svg.substr(at, next == std::string_view::npos ? svg.size() - at : next - at);
    PanelProbe p;
    for (auto e : elements(part, "<text class=\"x-tick\"")) {
      p.x_ticks.push_back({std::atof(attribute(e, "x").c_str()), std::atof(content(e).c_str())});
    }
    for (auto e : elements(part, "<text class=\"y-tick\"")) {
      p.y_ticks.push_back({std::atof(attribute(e, "y").c_str()), std::atof(content(e).c_str())});
    }
    for (auto e : elements(part, "<path class=\"series\"")) {
      SeriesProbe s;
      s.name = attribute(e, "data-name");
      const std::string d = attribute(e, "d");
      const char* c = d.c_str();
      while (*c != '\0') {
        if (*c == 'M') ++s.subpaths;
        if (*c == 'M' || *c == 'L' || *c == ' ') {
          ++c;
          continue;
        }
        char* end = nullptr;
        const double x = std::strtod(c, &end);
        const double y = std::strtod(end, &end);
        s.xs.push_back(x);
        s.ys.push_back(y);
        c = end;
      }
      p.series.push_back(s);
    }
    for (auto e : elements(part, "<line class=\"threshold\"")) {
      p.thresholds.push_back(std::atof(attribute(e, "x1").c_str()));
    }
    for (auto e : elements(part, "<text class=\"threshold-label\"")) p.threshold_label = content(e);
    for (auto e : elements(part, "<g class=\"markers\"")) {
      p.markers.push_back(attribute(e, "data-name"));
      const auto start = static_cast<std::size_t>(e.data() - part.data());
      const std::string_view group = part.substr(start, part.find("</g>", start) - start);
      std::vector<Point> centres;
      for (auto m : elements(group, "<path")) centres.push_back(outline_centre(attribute(m, "d")));
      p.marker_centres.push_back(centres);
    }
    panels.push_back(p);
    at = next;
  }
  return panels;
}

// The page position of `value` on an axis, from its first and last ticks.
inline double page_position(const std::vector<Tick>& ticks, double value) {
  const Tick& a = ticks.front();
  const Tick& b = ticks.back();
  return a.px + (value - a.value) * (b.px - a.px) / (b.value - a.value);
}

}  // namespace lumo::plot::testing
