// Reads back what a plot shows: per panel, the tick labels with their page
// positions, each series' points, the threshold line and the marker groups.
// Only the attributes the plot writer documents are used.
#pragma once

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

struct PanelProbe {
  std::vector<Tick> x_ticks, y_ticks;
  std::vector<SeriesProbe> series;
  std::vector<double> thresholds;    // page x of each threshold line
  std::vector<std::string> markers;  // data-name of each marker group
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
    for (auto e : elements(part, "<g class=\"markers\""))
      p.markers.push_back(attribute(e, "data-name"));
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
