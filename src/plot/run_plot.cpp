#include "plot/run_plot.h"

#include <cmath>
#include <span>
#include <string_view>

#include "lines/line_constants.h"
#include "plot/svg_figure.h"
#include "textio/fields.h"

namespace lumo::plot {

namespace {

// A header value as the report prints it (`decimals` places, so a plot of a
// stored report and of the live run agree), without trailing zeros:
// (2.1f, 3) -> "2.1", (0.2425f, 4) -> "0.2425", (10.0f, 3) -> "10".
std::string shown(float v, int decimals) {
  std::string s = fixed_field(v, 40, decimals);
  s.erase(0, s.find_first_not_of(' '));
  if (s.find('.') != std::string::npos &&
      s.find_first_not_of("-.0123456789") == std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    if (s.starts_with('.')) s.insert(0, "0");
    if (s.starts_with("-.")) s.insert(1, "0");
  }
  return s;
}

// "RESB 1.72, RESD 1.72 µΩ·cm · SRB 10, SRD 10 µin · tan δ 0.0002"
std::string materials(const Materials& m, int tan_decimals) {
  return "RESB " + shown(m.resb, 3) + ", RESD " + shown(m.resd, 3) + " µΩ·cm · SRB " +
         shown(m.srb, 3) + ", SRD " + shown(m.srd, 3) + " µin · tan δ " +
         shown(m.dltan, tan_decimals);
}

std::string diameter_name(bool outer) { return outer ? "outer_in" : "inner_in"; }
std::string diameter_words(bool outer) {
  return outer ? "Outer diameter B (in)" : "Inner diameter D (in)";
}
std::string fixed_words(bool outer, float fixed, int decimals) {
  return std::string(outer ? "D " : "B ") + shown(fixed, decimals) + " in";
}

// The rows' count and x range in words: "18 rows, 1 to 18 GHz".
std::string extent(std::span<const float> x, std::string_view unit) {
  std::string s = std::to_string(x.size()) + (x.size() == 1 ? " row" : " rows");
  if (!x.empty()) {
    s += ", " + shown(x.front(), 4) + " to " + shown(x.back(), 4) + " " + std::string(unit);
  }
  return s;
}

Series loss_series(std::string_view name, std::string label, const std::vector<float>& y,
                   int style) {
  return {std::string(name), std::move(label), y, style};
}

// Losses in dB per foot: inner, outer, dielectric, total.
std::vector<Series> losses(const std::vector<float>& inner, const std::vector<float>& outer,
                           const std::vector<float>& dielectric, const std::vector<float>& total) {
  return {loss_series("loss_inner_db_per_ft", "Inner conductor", inner, 1),
          loss_series("loss_outer_db_per_ft", "Outer conductor", outer, 2),
          loss_series("loss_dielectric_db_per_ft", "Dielectric", dielectric, 3),
          loss_series("loss_total_db_per_ft", "Total", total, 0)};
}

// The normalized sensitivities of Zo: to D, to B, to Er.
Panel sensitivities(const std::vector<float>& s_inner, const std::vector<float>& s_outer,
                    const std::vector<float>& s_er) {
  Panel p;
  p.heading = "Sensitivities of Zo";
  p.y_label = "Sensitivity of Zo, (dZo/Zo)/(dx/x)";
  p.series = {{"s_zo_inner", "to inner diameter D", s_inner, 1},
              {"s_zo_outer", "to outer diameter B", s_outer, 2},
              {"s_zo_er", "to Er", s_er, 3}};
  return p;
}

}  // namespace

void PlotConsumer::begin(Kind kind) {
  kind_ = kind;
  stopped_ = false;
  closing_.reset();
  for (auto& c : columns_) c.clear();
}

void PlotConsumer::add(std::initializer_list<float> values) {
  std::size_t i = 0;
  for (float v : values) columns_[i++].push_back(v);
}

void PlotConsumer::frequency_header(const FrequencyHeader& h) {
  begin(Kind::kFrequency);
  frequency_ = h;
}

void PlotConsumer::frequency_row(const FrequencyRow& r) {
  add({r.freq, r.loss_inner, r.loss_outer, r.loss_dielectric, r.loss_total});
}

void PlotConsumer::frequency_end(const FrequencyClosing& c) { closing_ = c; }

void PlotConsumer::sensitivity_header(const SensitivityHeader& h) {
  begin(Kind::kSensitivity);
  sensitivity_ = h;
}

void PlotConsumer::sensitivity_row(const SensitivityRow& r) {
  add({r.diameter, r.zo, r.s_inner, r.s_outer, r.s_er});
}

void PlotConsumer::synthesis_loss_header(const SynthesisLossHeader& h) {
  begin(Kind::kSynthesisLoss);
  synthesis_ = h;
}

void PlotConsumer::synthesis_loss_row(const SynthesisLossRow& r) {
  add({r.zo, r.diameter, r.loss_inner, r.loss_outer, r.loss_dielectric, r.loss_total});
}

void PlotConsumer::unrealizable(float /*zo*/) { stopped_ = true; }

std::string PlotConsumer::svg() const {
  const auto& c = columns_;
  Figure f;
  const std::string stop_note = stopped_ ? " · stopped at an unrealizable impedance" : "";
  switch (kind_) {
    case Kind::kNone:
    case Kind::kFrequency: {
      const FrequencyHeader& h = frequency_;
      f.title = "Frequency analysis: B " + shown(h.b, 4) + " in, D " + shown(h.d, 4) + " in, Er " +
                shown(h.er, 3);
      f.subtitle = "Zo " + shown(h.zo, 2) + " Ω · " + materials(h.materials, 5);
      f.x_name = "freq_ghz";
      f.x_label = "Frequency (GHz)";
      f.x = c[0];
      Panel p;
      p.y_label = "Loss (dB/ft)";
      p.series = losses(c[1], c[2], c[3], c[4]);
      p.y_from_zero = true;
      f.description = "Conductor, dielectric and total loss in dB per foot against frequency, " +
                      extent(c[0], "GHz") + ".";
      std::optional<CutoffMark> mark = cutoff_;
      if (!mark && closing_) mark = CutoffMark{closing_->te11, "TE11 cut-off"};
      if (mark && std::isfinite(mark->ghz) && mark->ghz < line_constants::kConstantClamp) {
        const std::string at = mark->name + " " + shown(mark->ghz, 3) + " GHz";
        p.threshold = Threshold{static_cast<double>(mark->ghz), at, "multimode"};
        f.description += " " + at + "; above it the line is multimode.";
      }
      f.panels.push_back(std::move(p));
      break;
    }
    case Kind::kSensitivity: {
      const SensitivityHeader& h = sensitivity_;
      const std::string letter = h.outer ? "B" : "D";
      Panel top;
      if (h.synthesis) {
        f.title = "Synthesis of " + letter +
                  " with sensitivity: " + fixed_words(h.outer, h.fixed, 4) + ", Er " +
                  shown(h.er, 3);
        f.subtitle = "Synthesized diameter and the normalized sensitivities of Zo" + stop_note;
        f.x_name = "zo_ohm";
        f.x_label = "Impedance Zo (Ω)";
        f.x = c[1];
        top.y_label = diameter_words(h.outer);
        top.series = {{diameter_name(h.outer), letter, c[0], 0}};
        f.description = "Synthesized " + diameter_words(h.outer) +
                        " and normalized sensitivities of Zo against impedance, " +
                        extent(c[1], "ohms") + ".";
      } else {
        f.title = "Sensitivity analysis, " + letter +
                  " swept: " + fixed_words(h.outer, h.fixed, 4) + ", Er " + shown(h.er, 3);
        f.subtitle = "Zo and its normalized sensitivities over the " +
                     std::string(h.outer ? "outer" : "inner") + " diameter";
        f.x_name = diameter_name(h.outer);
        f.x_label = diameter_words(h.outer);
        f.x = c[0];
        top.y_label = "Zo (Ω)";
        top.series = {{"zo_ohm", "Zo", c[1], 0}};
        f.description = "Zo in ohms and its normalized sensitivities against the " +
                        diameter_words(h.outer) + ", " + extent(c[0], "in") + ".";
      }
      f.panels.push_back(std::move(top));
      f.panels.push_back(sensitivities(c[2], c[3], c[4]));
      break;
    }
    case Kind::kSynthesisLoss: {
      const SynthesisLossHeader& h = synthesis_;
      const std::string letter = h.outer ? "B" : "D";
      f.title = "Synthesis of " + letter + ": " + fixed_words(h.outer, h.fixed, 4) + ", Er " +
                shown(h.er, 3);
      f.subtitle =
          "Losses at " + shown(h.freq, 3) + " GHz · " + materials(h.materials, 4) + stop_note;
      f.x_name = "zo_ohm";
      f.x_label = "Impedance Zo (Ω)";
      f.x = c[0];
      Panel top;
      top.y_label = diameter_words(h.outer);
      top.series = {{diameter_name(h.outer), letter, c[1], 0}};
      Panel bottom;
      bottom.heading = "Losses at " + shown(h.freq, 3) + " GHz";
      bottom.y_label = "Loss (dB/ft)";
      bottom.series = losses(c[2], c[3], c[4], c[5]);
      bottom.y_from_zero = true;
      f.description = "Synthesized " + diameter_words(h.outer) +
                      " and the losses in dB per foot at " + shown(h.freq, 3) +
                      " GHz against impedance, " + extent(c[0], "ohms") + ".";
      f.panels.push_back(std::move(top));
      f.panels.push_back(std::move(bottom));
      break;
    }
  }
  return render_svg(f);
}

}  // namespace lumo::plot
