// What the four runs produce, as plain values: a header block, then one row
// per table line, then (frequency run) a closing line. A run hands them, in
// that order, to a RunConsumer; the report writer is one consumer, the data
// writers of the command line are others. Every value is the single-precision
// number the report prints, before any rounding to its field.
#pragma once

#include <cstdint>

namespace lumo {

// The materials of a line as entered: conductor resistivities (micro-ohm-cm)
// and RMS roughness (micro-inches), dielectric loss tangent.
struct Materials {
  float resb = 0, resd = 0;  // outer, inner conductor resistivity
  float srb = 0, srd = 0;    // outer, inner conductor roughness
  float dltan = 0;
};

// Analysis option 1: the line and its constants.
struct FrequencyHeader {
  float b = 0, d = 0;  // diameters, inches
  float er = 0;
  Materials materials;
  std::int32_t option = 1;
  float zo = 0;    // ohms
  float ccap = 0;  // pF per inch
  float cind = 0;  // nH per inch
};

// One frequency of the sweep: wavelengths in inches, losses in dB per foot.
struct FrequencyRow {
  float freq = 0;  // GHz
  float lambda0 = 0;
  float lambda_g = 0;
  float loss_inner = 0;
  float loss_outer = 0;
  float loss_dielectric = 0;
  float loss_total = 0;
};

// The frequency table's closing line.
struct FrequencyClosing {
  float te11 = 0;        // TE11 cut-off, GHz
  float peak_power = 0;  // kW
};

// Analysis option 2 and synthesis option 2: the conductor varied (or
// synthesized) and the one held fixed.
struct SensitivityHeader {
  bool synthesis = false;  // synthesis with sensitivity, else analysis
  bool outer = false;      // B is varied or synthesized, D held fixed
  float fixed = 0;         // the fixed diameter, inches
  float er = 0;
  std::int32_t option = 2;
};

// One diameter of a sensitivity table. For a synthesis, zo is the wanted
// impedance and diameter the synthesized one.
struct SensitivityRow {
  float diameter = 0;    // inches
  float zo = 0;          // ohms
  float te11 = 0;        // GHz
  float peak_power = 0;  // kW
  float s_inner = 0;     // sensitivity of Zo to D
  float s_outer = 0;     // to B
  float s_er = 0;        // to Er
};

// Synthesis option 1.
struct SynthesisLossHeader {
  bool outer = false;  // B is synthesized, D held fixed
  float fixed = 0;     // inches
  float er = 0;
  Materials materials;
  std::int32_t option = 1;
  float freq = 0;  // frequency of the losses, GHz
};

struct SynthesisLossRow {
  float diameter = 0;  // the synthesized diameter, inches
  float zo = 0;        // the wanted impedance, ohms
  float te11 = 0;
  float peak_power = 0;
  float loss_inner = 0;
  float loss_outer = 0;
  float loss_dielectric = 0;
  float loss_total = 0;
};

// Receives one run. Each run calls its header, then its rows in table order,
// then its end (or `unrealizable` when a synthesis stops at a wanted
// impedance that no line has).
class RunConsumer {
 public:
  virtual ~RunConsumer() = default;
  virtual void frequency_header(const FrequencyHeader&) {}
  virtual void frequency_row(const FrequencyRow&) {}
  virtual void frequency_end(const FrequencyClosing&) {}
  virtual void sensitivity_header(const SensitivityHeader&) {}
  virtual void sensitivity_row(const SensitivityRow&) {}
  virtual void synthesis_loss_header(const SynthesisLossHeader&) {}
  virtual void synthesis_loss_row(const SynthesisLossRow&) {}
  // A completed sensitivity or synthesis table.
  virtual void table_end() {}
  // A synthesis stopped: `zo` is the wanted impedance it could not realize.
  virtual void unrealizable(float /*zo*/) {}
};

}  // namespace lumo
