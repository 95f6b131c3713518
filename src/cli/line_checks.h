// The engineering checks a frequency run of the command line carries: the
// exact mode cut-offs and TEM facts of its line, and a watch on the rows
// that notes when the sweep reaches the exact TE11 cut-off (the line is then
// multimode: more than the TEM mode can propagate).
#pragma once

#include <optional>
#include <string>

#include "checks/coax_line.h"
#include "checks/line_facts.h"
#include "checks/mode_cutoffs.h"
#include "driver/run_rows.h"
#include "plot/run_plot.h"

namespace lumo::cli {

// A record's single-precision value as the decimal it was entered as: the
// double nearest its shortest decimal (0.2425f -> 0.2425, not
// 0.24250000715...).
double as_decimal(float x);

// The checks of one line, double precision.
struct LineChecks {
  checks::CoaxLine line;
  checks::ModeCutoffs modes;
  checks::LineFacts facts;
};

// Checks of the line B, D (inches), Er as the records hold them.
LineChecks line_checks(float b, float d, float er);

// Whether a frequency, GHz, is at or above the exact TE11 cut-off; nothing
// when the cut-off was not found.
std::optional<bool> multimode(float freq_ghz, double te11_ghz);

// The plot of a run as the command line draws it: the frequency plot marks
// the line's exact TE11 cut-off, not the report's estimate.
class ExactCutoffPlot : public plot::PlotConsumer {
 public:
  void frequency_header(const FrequencyHeader& h) override;
};

// Forwards a run to another consumer and keeps the highest frequency row
// that reached the exact TE11 cut-off.
class MultimodeWatch : public RunConsumer {
 public:
  MultimodeWatch(RunConsumer& to, double te11_ghz) : to_(to), te11_ghz_(te11_ghz) {}
  void frequency_header(const FrequencyHeader& h) override { to_.frequency_header(h); }
  void frequency_row(const FrequencyRow& r) override;
  void frequency_end(const FrequencyClosing& c) override { to_.frequency_end(c); }
  void sensitivity_header(const SensitivityHeader& h) override { to_.sensitivity_header(h); }
  void sensitivity_row(const SensitivityRow& r) override { to_.sensitivity_row(r); }
  void synthesis_loss_header(const SynthesisLossHeader& h) override {
    to_.synthesis_loss_header(h);
  }
  void synthesis_loss_row(const SynthesisLossRow& r) override { to_.synthesis_loss_row(r); }
  void table_end() override { to_.table_end(); }
  void unrealizable(float zo) override { to_.unrealizable(zo); }

  // The one-line warning when a row reached the cut-off, else "":
  //   "lumo: warning: the sweep reaches 18 GHz, at or above the TE11 cut-off
  //   of 16.9220 GHz: the line is multimode there\n" (one line).
  std::string warning() const;

 private:
  RunConsumer& to_;
  double te11_ghz_;
  std::optional<float> highest_multimode_;  // GHz
};

}  // namespace lumo::cli
