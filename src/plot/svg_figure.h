// A figure of one or more panels stacked over a shared x axis, written as an
// SVG document: 800 x 500 units per panel, generic sans-serif text, a title
// and a description for screen readers, axes with ticks at 1-2-5 steps that
// cover the data, a light grid, axis labels and a legend.
//
// Each series is one <path class="series" data-name="NAME"> with one point
// per row whose x and y are both finite, in row order. A missing value
// breaks the line (a new subpath starts with M). A point with no neighbour
// on either side, or a stretch that draws nothing (its points all within a
// unit of one another), gets a marker: a single-row table shows its point.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lumo::plot {

struct Series {
  std::string name;          // data-name: the CSV column of the values
  std::string label;         // legend text
  std::span<const float> y;  // one value per row; NaN is missing
  int style = 0;             // colour, dash and marker: 0 to 3
};

// A vertical line at x with the region beyond it shaded: the TE11 cut-off
// and the multimode band above it.
struct Threshold {
  double x = 0;
  std::string label;         // beside the line, above the plot
  std::string region_label;  // inside the shaded region
};

struct Panel {
  std::string heading;  // above a panel that is not the first
  std::string y_label;  // with its unit
  std::vector<Series> series;
  bool y_from_zero = false;  // the y axis includes 0
  std::optional<Threshold> threshold;
};

struct Figure {
  std::string title;
  std::string subtitle;
  std::string description;  // the <desc> text
  std::string x_name;       // CSV column of the x values
  std::string x_label;      // with its unit
  std::span<const float> x;
  std::vector<Panel> panels;
};

// The SVG document, UTF-8, ending in a line end.
std::string render_svg(const Figure& figure);

}  // namespace lumo::plot
