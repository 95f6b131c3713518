// Plots read back through what they show: tick labels and their positions,
// the points of each series and the markers of lone points, the cut-off
// line, the bars, band and marks of the tolerance plot, and where a mark's
// label goes near the page's edges. Rows are the printed values of the
// delivered line's reports.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plot/axis.h"
#include "plot/run_plot.h"
#include "plot/svg_figure.h"
#include "plot/svg_probe.h"
#include "plot/tolerance_plot.h"

namespace lumo::plot {
namespace {

using testing::page_position;
using testing::probe;

struct TickCase {
  double lo, hi;
  int max;
  double first, step;
  int intervals;
  const char* first_label;
  const char* last_label;
};

TEST(Ticks, FinestOneTwoFiveStepThatCoversTheData) {
  const TickCase cases[] = {
      {1, 18, 10, 0, 2, 9, "0", "18"},
      {0.0577, 0.4001, 9, 0.05, 0.05, 8, "0.05", "0.45"},
      {0.0577, 0.4001, 7, 0, 0.1, 5, "0.0", "0.5"},
      {-2.465, 2.465, 6, -3, 1, 6, "-3", "3"},
      // A float's rounding of the ends adds no step; a real excess does.
      {static_cast<double>(0.2f), static_cast<double>(0.3f), 10, 0.2, 0.01, 10, "0.20", "0.30"},
      {0.2, 0.3001, 10, 0.2, 0.02, 6, "0.20", "0.32"},
      // One value widens by a tenth of itself, zero by 1.
      {5, 5, 10, 4.5, 0.1, 10, "4.5", "5.5"},
      {0, 0, 10, -1, 0.2, 10, "-1.0", "1.0"},
      // Exponent form for steps from 10^7 up and from 10^-7 down.
      {0, 1e8, 5, 0, 2e7, 5, "0", "1e+08"},
      {0, 1e7, 5, 0, 2e6, 5, "0", "10000000"},
      {0, 1e-6, 5, 0, 2e-7, 5, "0", "1e-06"},
      {0, 1e-5, 5, 0, 2e-6, 5, "0.000000", "0.000010"},
      {-0.7, 0.7, 14, -0.7, 0.1, 14, "-0.7", "0.7"},
  };
  for (const TickCase& c : cases) {
    const Ticks t = nice_ticks(c.lo, c.hi, c.max);
    const std::string at = std::to_string(c.lo) + ".." + std::to_string(c.hi);
    EXPECT_NEAR(t.first, c.first, c.step * 1e-9) << at;
    EXPECT_NEAR(t.step, c.step, c.step * 1e-9) << at;
    EXPECT_EQ(t.intervals, c.intervals) << at;
    EXPECT_EQ(tick_label(t, 0), c.first_label) << at;
    EXPECT_EQ(tick_label(t, t.intervals), c.last_label) << at;
    for (int i = 0; i <= t.intervals; ++i) {
      const std::string label = tick_label(t, i);
      if (std::atof(label.c_str()) == 0) {
        EXPECT_NE(label[0], '-') << at << " tick " << i;
      }
    }
  }
}

// Up to eight values of a row, in the order the run's row record has them.
using Row = std::array<float, 8>;
using Feed = void (*)(PlotConsumer&, const std::vector<Row>&);

void frequency(PlotConsumer& p, const std::vector<Row>& rows) {
  p.frequency_header(
      {0.2425f, 0.0726f, 2.1f, {1.72f, 1.72f, 10, 10, 0.0002f}, 1, 49.9f, 2.46f, 6.13f});
  for (const Row& r : rows) p.frequency_row({r[0], r[1], r[2], r[3], r[4], r[5], r[6]});
  p.frequency_end({16.455f, 2.63f});
}

void sensitivity(PlotConsumer& p, const std::vector<Row>& rows, bool synthesis) {
  p.sensitivity_header({synthesis, true, synthesis ? 0.1f : 0.0726f, synthesis ? 1.0f : 2.1f, 2});
  for (const Row& r : rows) p.sensitivity_row({r[0], r[1], r[2], r[3], r[4], r[5], r[6]});
  p.table_end();
}
void sensitivity_analysis(PlotConsumer& p, const std::vector<Row>& rows) {
  sensitivity(p, rows, false);
}
void synthesis_sensitivity(PlotConsumer& p, const std::vector<Row>& rows) {
  sensitivity(p, rows, true);
}

void synthesis_loss(PlotConsumer& p, const std::vector<Row>& rows) {
  p.synthesis_loss_header({false, 0.2425f, 2.1f, {1.72f, 1.72f, 10, 10, 0.0002f}, 1, 10});
  for (const Row& r : rows) p.synthesis_loss_row({r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7]});
  p.unrealizable(105);
}

const std::vector<Row> kFrequencyRows = {
    Row{1, 11.803f, 8.145f, 0.0382f, 0.0114f, 0.008f, 0.0577f},
    Row{2, 5.901f, 4.072f, 0.0548f, 0.0164f, 0.0161f, 0.0873f},
    Row{18, 0.656f, 0.452f, 0.1965f, 0.0588f, 0.1447f, 0.4001f}};

struct Column {
  const char* name;
  int index;  // in the row
};

struct PlotCase {
  const char* name;
  Feed feed;
  std::vector<Row> rows;
  int x;  // the x column
  std::vector<std::vector<Column>> panels;
};

TEST(RunPlot, EverySeriesHasOnePointPerRowAtItsValues) {
  const std::vector<Column> losses_freq = {{"loss_inner_db_per_ft", 3},
                                           {"loss_outer_db_per_ft", 4},
                                           {"loss_dielectric_db_per_ft", 5},
                                           {"loss_total_db_per_ft", 6}};
  const std::vector<Column> sens = {{"s_zo_inner", 4}, {"s_zo_outer", 5}, {"s_zo_er", 6}};
  const PlotCase cases[] = {
      {"frequency", frequency, kFrequencyRows, 0, {losses_freq}},
      {"sensitivity of B",
       sensitivity_analysis,
       {Row{0.2f, 41.93f, 19.02f, 2.21f, -0.986f, 0.986f, -0.5f},
        Row{0.3f, 58.7f, 13.92f, 3.09f, -0.704f, 0.704f, -0.5f}},
       0,
       {{{"zo_ohm", 1}}, sens}},
      {"synthesis of B with sensitivity",
       synthesis_sensitivity,
       {Row{2.8096f, 200, 2.58f, 9.51f, -0.3f, 0.3f, -0.5f},
        Row{14.8928f, 300, 0.5f, 14.26f, -0.2f, 0.2f, -0.5f},
        Row{78.9407f, 400, 0.1f, 19.02f, -0.15f, 0.15f, -0.5f}},
       1,
       {{{"outer_in", 0}}, sens}},
      {"synthesis of D with loss, stopped",
       synthesis_loss,
       {Row{0.1325f, 25, 13.83f, 4.38f, 0.1475f, 0.0806f, 0.0804f, 0.3085f},
        Row{0.0216f, 100, 19.63f, 0.47f, 0.2259f, 0.0201f, 0.0804f, 0.3264f}},
       1,
       {{{"inner_in", 0}},
        {{"loss_inner_db_per_ft", 4},
         {"loss_outer_db_per_ft", 5},
         {"loss_dielectric_db_per_ft", 6},
         {"loss_total_db_per_ft", 7}}}},
  };
  for (const PlotCase& c : cases) {
    PlotConsumer plot;
    c.feed(plot, c.rows);
    const auto panels = probe(plot.svg());
    ASSERT_EQ(panels.size(), c.panels.size()) << c.name;
    for (std::size_t p = 0; p < panels.size(); ++p) {
      const auto& got = panels[p];
      ASSERT_EQ(got.series.size(), c.panels[p].size()) << c.name;
      for (std::size_t s = 0; s < got.series.size(); ++s) {
        const auto& series = got.series[s];
        const Column& want = c.panels[p][s];
        EXPECT_EQ(series.name, want.name) << c.name;
        ASSERT_EQ(series.xs.size(), c.rows.size()) << c.name << " " << want.name;
        EXPECT_EQ(series.subpaths, 1) << c.name << " " << want.name;
        for (std::size_t i : {std::size_t{0}, c.rows.size() - 1}) {
          const Row& r = c.rows[i];
          EXPECT_NEAR(series.xs[i], page_position(got.x_ticks, r[c.x]), 1)
              << c.name << " " << want.name;
          EXPECT_NEAR(series.ys[i], page_position(got.y_ticks, r[want.index]), 1)
              << c.name << " " << want.name;
        }
      }
      EXPECT_TRUE(got.markers.empty()) << c.name;
    }
  }
}

struct CutoffCase {
  const char* name;
  float te11;  // the closing line's
  float last_frequency;
  std::optional<CutoffMark> mark;
  std::string label;  // empty: no line
  float at;
};

TEST(RunPlot, CutoffLineSitsAtItsFrequency) {
  const CutoffCase cases[] = {
      {"the closing line's TE11", 16.455f, 18, std::nullopt, "TE11 cut-off 16.455 GHz", 16.455f},
      {"a cut-off given with its words", 16.455f, 18, CutoffMark{16.922f, "TE11 cut-off (exact)"},
       "TE11 cut-off (exact) 16.922 GHz", 16.922f},
      // The report clamps the cut-off at 9999.99: no line there, one below.
      {"at the clamp", 9999.99f, 10000, std::nullopt, "", 0},
      {"below the clamp", 9999.98f, 10000, std::nullopt, "TE11 cut-off 9999.98 GHz", 9999.98f},
  };
  for (const CutoffCase& c : cases) {
    PlotConsumer plot;
    plot.frequency_header({0.2425f, 0.0726f, 2.1f, {}, 1, 49.9f, 2.46f, 6.13f});
    plot.frequency_row({1, 11.803f, 8.145f, 0.0382f, 0.0114f, 0.008f, 0.0577f});
    plot.frequency_row({c.last_frequency, 0.656f, 0.452f, 0.1965f, 0.0588f, 0.1447f, 0.4001f});
    plot.frequency_end({c.te11, 2.63f});
    if (c.mark) plot.set_cutoff(*c.mark);
    const auto panels = probe(plot.svg());
    ASSERT_EQ(panels.size(), 1u);
    EXPECT_EQ(panels[0].threshold_label, c.label) << c.name;
    ASSERT_EQ(panels[0].thresholds.size(), c.label.empty() ? 0u : 1u) << c.name;
    if (!c.label.empty()) {
      EXPECT_NEAR(panels[0].thresholds[0], page_position(panels[0].x_ticks, c.at), 1) << c.name;
    }
  }
}

TEST(RunPlot, MissingValuesBreakTheLineAndLonePointsGetMarkers) {
  constexpr float nan = std::numeric_limits<float>::quiet_NaN();
  constexpr float inf = std::numeric_limits<float>::infinity();
  std::vector<Row> rows = kFrequencyRows;
  rows[1][3] = nan;  // inner: points 1 and 3 alone
  rows[2][6] = inf;  // total: ends after row 2
  PlotConsumer plot;
  frequency(plot, rows);
  auto panels = probe(plot.svg());
  ASSERT_EQ(panels.size(), 1u);
  const auto& s = panels[0].series;
  ASSERT_EQ(s.size(), 4u);
  EXPECT_EQ(s[0].xs.size(), 2u);
  EXPECT_EQ(s[0].subpaths, 2);
  EXPECT_EQ(s[1].xs.size(), 3u);
  EXPECT_EQ(s[1].subpaths, 1);
  EXPECT_EQ(s[3].xs.size(), 2u);
  EXPECT_EQ(s[3].subpaths, 1);
  EXPECT_EQ(panels[0].markers, std::vector<std::string>{"loss_inner_db_per_ft"});
  // Each marker is centred on its point's page position.
  auto expect_marker_at = [](const testing::PanelProbe& p, std::size_t group, std::size_t i,
                             double x, double y) {
    ASSERT_LT(group, p.marker_centres.size());
    ASSERT_LT(i, p.marker_centres[group].size());
    EXPECT_NEAR(p.marker_centres[group][i].x, page_position(p.x_ticks, x), 1) << p.markers[group];
    EXPECT_NEAR(p.marker_centres[group][i].y, page_position(p.y_ticks, y), 1) << p.markers[group];
  };
  ASSERT_EQ(panels[0].marker_centres.size(), 1u);
  EXPECT_EQ(panels[0].marker_centres[0].size(), 2u);
  expect_marker_at(panels[0], 0, 0, 1, 0.0382);
  expect_marker_at(panels[0], 0, 1, 18, 0.1965);
  // The infinite loss leaves the axis on the finite data.
  EXPECT_EQ(panels[0].y_ticks.front().value, 0);
  EXPECT_LT(panels[0].y_ticks.back().value, 1);

  // A single row, and two rows a report's rounding made equal: a marker for
  // every series, on an axis around the point.
  for (const auto& table : {std::vector<Row>{kFrequencyRows[0]},
                            std::vector<Row>{kFrequencyRows[0], kFrequencyRows[0]}}) {
    PlotConsumer one;
    frequency(one, table);
    panels = probe(one.svg());
    EXPECT_EQ(panels[0].markers,
              (std::vector<std::string>{"loss_inner_db_per_ft", "loss_outer_db_per_ft",
                                        "loss_dielectric_db_per_ft", "loss_total_db_per_ft"}));
    for (const auto& series : panels[0].series) EXPECT_EQ(series.xs.size(), table.size());
    for (std::size_t g = 0; g < 4; ++g) {
      EXPECT_EQ(panels[0].marker_centres[g].size(), 1u);
      expect_marker_at(panels[0], g, 0, 1, static_cast<double>(kFrequencyRows[0][3 + g]));
    }
    EXPECT_LT(panels[0].x_ticks.front().value, 1);
    EXPECT_GT(panels[0].x_ticks.back().value, 1);
  }
}

struct MergeCase {
  std::vector<std::uint64_t> counts;  // over 49 to 51 ohms
  std::size_t max_bars;
  std::size_t first_bin, bins_per_bar;
  std::vector<std::uint64_t> bars;
};

TEST(TolerancePlot, BarsMergeWholeBinsAndKeepEverySample) {
  const MergeCase cases[] = {
      {{0, 0, 3, 1, 0, 2, 0}, 7, 2, 1, {3, 1, 0, 2}},
      {{0, 0, 3, 1, 0, 2, 0}, 4, 2, 2, {4, 2}},
      // Bars start on a multiple of k bins from the histogram's lower edge.
      {{0, 0, 3, 1, 0, 2, 0}, 3, 0, 3, {3, 3}},
      {{0, 0, 0, 0, 0, 1, 0, 1}, 2, 4, 4, {2}},
      {{5, 0, 0, 0, 0, 0, 1}, 2, 0, 4, {5, 1}},
      {{0, 0, 0, 0}, 2, 0, 0, {}},
  };
  for (const MergeCase& c : cases) {
    const double bin = 2.0 / static_cast<double>(c.counts.size());
    const Bars b = merge_bins({49, 51, c.counts}, c.max_bars);
    EXPECT_EQ(b.counts, c.bars) << c.max_bars;
    if (c.bars.empty()) continue;
    EXPECT_NEAR(b.first_edge_ohm, 49 + bin * static_cast<double>(c.first_bin), 1e-12);
    EXPECT_NEAR(b.width_ohm, bin * static_cast<double>(c.bins_per_bar), 1e-12);
  }
  // A histogram of the real size, samples in a tenth of it: bars of 125
  // bins, a constant share of the axis.
  std::vector<std::uint64_t> narrow(checks::kHistogramBins, 0);
  std::fill(narrow.begin() + 4510, narrow.begin() + 5510, 1);
  const Bars b = merge_bins({49, 51, narrow}, kToleranceBars);
  EXPECT_EQ(b.counts.size(), 9u);  // bins 4500 to 5624
  EXPECT_NEAR(b.width_ohm, 2.0 * 125 / 10000, 1e-12);
}

TEST(TolerancePlot, BarsBandAndCornersSitAtTheirValues) {
  checks::ToleranceInputs in;
  in.nominal = {0.2425, 0.0726, 2.1};
  in.outer_tol_in = 0.0005;
  in.inner_tol_in = 0.0003;
  in.er_tol = 0.02;
  in.samples = 10;
  // Bins of 0.2 ohm from 49 ohms; five bars centred 49.5 to 50.3.
  const checks::ZoHistogram h{49, 51, {0, 0, 1, 3, 0, 4, 2, 0, 0, 0}};
  const checks::MonteCarloResult mc{{}, 1.0, h};
  const checks::WorstCase worst{
      49.9001, {-1, 1, 1, false, 49.4094}, {1, -1, -1, true, 50.3972}, 44.52};
  const std::string svg = tolerance_svg(in, {46.9347, 53.2655}, worst, mc);

  const auto panels = probe(svg);
  ASSERT_EQ(panels.size(), 1u);
  const auto& xt = panels[0].x_ticks;
  const auto& yt = panels[0].y_ticks;
  const std::size_t g = svg.find("<g class=\"series\" data-name=\"zo_share_pct\"");
  ASSERT_NE(g, std::string::npos);
  const auto bars =
      testing::elements(std::string_view(svg).substr(g, svg.find("</g>", g) - g), "<rect");
  const double shares[] = {10, 30, 0, 40, 20};  // % of 10 samples
  ASSERT_EQ(bars.size(), 5u);
  for (std::size_t i = 0; i < bars.size(); ++i) {
    const double x = std::atof(testing::attribute(bars[i], "x").c_str());
    const double w = std::atof(testing::attribute(bars[i], "width").c_str());
    const double y = std::atof(testing::attribute(bars[i], "y").c_str());
    const double centre = 49.5 + 0.2 * static_cast<double>(i);
    EXPECT_NEAR(x, page_position(xt, centre - 0.1), 1) << i;
    EXPECT_NEAR(x + w, page_position(xt, centre + 0.1), 1) << i;
    EXPECT_NEAR(y, page_position(yt, shares[i]), 1) << i;
  }
  // The window reaches past both ends of the axis: the band fills it.
  const auto band = testing::elements(svg, "<rect class=\"band\"");
  ASSERT_EQ(band.size(), 1u);
  EXPECT_EQ(testing::attribute(band[0], "data-x0"), "46.9347");
  EXPECT_EQ(testing::attribute(band[0], "data-x1"), "53.2655");
  EXPECT_NEAR(std::atof(testing::attribute(band[0], "x").c_str()), xt.front().px, 1);
  EXPECT_NEAR(std::atof(testing::attribute(band[0], "x").c_str()) +
                  std::atof(testing::attribute(band[0], "width").c_str()),
              xt.back().px, 1);
  // The corners are inside the axis, not on its frame.
  const auto marks = testing::elements(svg, "<line class=\"mark\"");
  ASSERT_EQ(marks.size(), 2u);
  for (const auto& [mark, zo] : {std::pair{marks[0], 49.4094}, std::pair{marks[1], 50.3972}}) {
    const double x = std::atof(testing::attribute(mark, "x1").c_str());
    EXPECT_NEAR(x, page_position(xt, zo), 1);
    EXPECT_GT(x, xt.front().px + 5);
    EXPECT_LT(x, xt.back().px - 5);
  }
  const auto labels = testing::elements(svg, "<text class=\"mark-label\"");
  ASSERT_EQ(labels.size(), 2u);
  EXPECT_EQ(testing::content(labels[0]), "min 49.41 Ω (B- D+ Er+)");
  EXPECT_EQ(testing::content(labels[1]), "max 50.40 Ω (B+ D- Er- offset)");
  EXPECT_NE(svg.find("B 0.2425 ± 0.0005 in, D 0.0726 ± 0.0003 in, Er 2.1 ± 0.02"),
            std::string::npos);
}

// A mark's label goes left of a panel's first line and right of the others,
// each turning to the other side where the page ends first: it stays 8
// units inside the page and off its line. A label is measured as the writer
// measures text, 0.6 em a glyph at 12 units.
TEST(Figure, MarkLabelsNearEitherEdgeStayOnThePageAndOffTheirLines) {
  const std::vector<float> x = {0, 10}, y = {0, 1};
  // 25 glyphs, 180 units. The x axis, padded by 3% for the marks, runs
  // from -2 to 12: the mark at 0 is at 189.14, where a label on its left
  // would start 5 units from the edge; the mark at 10 is at 674.86, where
  // one on its right would end beyond it.
  const std::string label(25, 'n');
  const double width = 25 * 0.6 * 12;
  Figure f;
  f.title = "Marks";
  f.x_name = "x";
  f.x_label = "x";
  f.x = x;
  Panel p;
  p.y_label = "y";
  p.series = {{"y", "y", y, 0}};
  p.marks = {{0, label}, {10, label}};
  f.panels.push_back(p);
  const std::string svg = render_svg(f);

  const auto panels = probe(svg);
  ASSERT_EQ(panels.size(), 1u);
  const auto lines = testing::elements(svg, "<line class=\"mark\"");
  const auto labels = testing::elements(svg, "<text class=\"mark-label\"");
  ASSERT_EQ(lines.size(), 2u);
  ASSERT_EQ(labels.size(), 2u);
  const double at[] = {0, 10};
  for (std::size_t i = 0; i < 2; ++i) {
    const double line = std::atof(testing::attribute(lines[i], "x1").c_str());
    EXPECT_NEAR(line, page_position(panels[0].x_ticks, at[i]), 1) << i;
    const double anchor = std::atof(testing::attribute(labels[i], "x").c_str());
    const bool ends_there = testing::attribute(labels[i], "text-anchor") == "end";
    const double left = ends_there ? anchor - width : anchor;
    const double right = left + width;
    EXPECT_EQ(testing::content(labels[i]), label);
    EXPECT_GE(left, 8) << i;
    EXPECT_LE(right, 800 - 8) << i;
    EXPECT_TRUE(right < line || left > line) << i << ": " << left << " to " << right;
  }
}

}  // namespace
}  // namespace lumo::plot
