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
// A series of bars is instead one <g class="series" data-name="NAME"> of
// one <rect> per row with a finite y, in row order.
//
// A panel may also shade a band of x values (listed in the legend) and draw
// labelled vertical marks; the x axis covers the marks and the bars' edges.
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
  double bar_width = 0;      // > 0: bars this wide (x units) centred on x, up from 0
};

// A vertical line at x with the region beyond it shaded: the TE11 cut-off
// and the multimode band above it.
struct Threshold {
  double x = 0;
  std::string label;         // beside the line, above the plot
  std::string region_label;  // inside the shaded region
};

// A shaded stretch of the x axis, clipped to it, with its legend entry: the
// impedances that meet a return-loss target.
struct Band {
  double x0 = 0, x1 = 0;
  std::string label;  // legend text
};

// A vertical line at x, its label above the plot: left of the line for a
// panel's first mark, right of it for the others, unless the page ends
// first. A worst-case corner.
struct Mark {
  double x = 0;
  std::string label;
};

struct Panel {
  std::string heading;  // above a panel that is not the first
  std::string y_label;  // with its unit
  std::vector<Series> series;
  bool y_from_zero = false;  // the y axis includes 0
  std::optional<Threshold> threshold;
  std::optional<Band> band;
  std::vector<Mark> marks;
  std::string marks_label;  // legend text of the marks; empty: no entry
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
