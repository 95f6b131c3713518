// The plot of a run: a consumer that keeps what a plot needs of the rows it
// is handed (a few floats a row) and draws the run's figure.
//
//   frequency:    loss (dB/ft) against frequency (GHz): inner, outer,
//                 dielectric and total; the TE11 cut-off as a vertical line,
//                 the multimode band above it shaded.
//   sensitivity:  over the swept diameter, Zo (ohms) above and the three
//                 normalized sensitivities below.
//   synthesis:    over the wanted impedance, the synthesized diameter above
//                 and the losses (option 1) or the sensitivities (option 2)
//                 below.
//
// Series are named by the CSV columns of their values; the title gives the
// line (diameters, Er, materials in short) with the report's decimals.
#pragma once

#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "driver/run_rows.h"

namespace lumo::plot {

// A cut-off drawn on the frequency plot: its frequency and the words that
// name it ("TE11 cut-off"); the plot adds the frequency to the words.
struct CutoffMark {
  float ghz = 0;
  std::string name;
};

class PlotConsumer : public RunConsumer {
 public:
  void frequency_header(const FrequencyHeader& h) override;
  void frequency_row(const FrequencyRow& r) override;
  void frequency_end(const FrequencyClosing& c) override;
  void sensitivity_header(const SensitivityHeader& h) override;
  void sensitivity_row(const SensitivityRow& r) override;
  void synthesis_loss_header(const SynthesisLossHeader& h) override;
  void synthesis_loss_row(const SynthesisLossRow& r) override;
  void unrealizable(float zo) override;

  // Whether a run has begun.
  bool has_run() const { return kind_ != Kind::kNone; }
  // The frequency plot's cut-off; by default the closing line's TE11
  // cut-off, named "TE11 cut-off". A cut-off that is not finite, or at the
  // report's clamp (9999.99 GHz), is not drawn.
  void set_cutoff(CutoffMark mark) { cutoff_ = std::move(mark); }

  // The SVG document of the run's figure.
  std::string svg() const;

 private:
  enum class Kind { kNone, kFrequency, kSensitivity, kSynthesisLoss };
  void begin(Kind kind);
  void add(std::initializer_list<float> values);

  Kind kind_ = Kind::kNone;
  FrequencyHeader frequency_;
  SensitivityHeader sensitivity_;
  SynthesisLossHeader synthesis_;
  std::optional<FrequencyClosing> closing_;
  std::optional<CutoffMark> cutoff_;
  bool stopped_ = false;  // a synthesis ended at an unrealizable impedance
  // The plotted columns, in the order each run's add() gives them.
  std::array<std::vector<float>, 6> columns_;
};

}  // namespace lumo::plot
