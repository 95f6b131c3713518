// The formats of a frequency run for other tools, from the line's
// distributed model at each frequency: Touchstone 1.1 S-parameters of a
// length (s2p), a SPICE subcircuit holding one LTRA lossy line valid at one
// frequency (spice), and the R, L, G, C table per metre (rlgc, CSV).
#pragma once

#include <limits>
#include <string>
#include <string_view>
#include <utility>

#include "checks/line_model.h"
#include "driver/run_rows.h"
#include "textio/output_channel.h"

namespace lumo::cli {

enum class LineModelFormat { kTouchstone, kSpice, kRlgc };
// Touchstone's data formats: real and imaginary, magnitude and angle, dB
// and angle.
enum class SFormat { kRi, kMa, kDb };

struct LineModelSettings {
  LineModelFormat format = LineModelFormat::kRlgc;
  double length_in = 0;      // s2p and spice
  std::string length_given;  // as given, "1 ft"
  SFormat s_format = SFormat::kRi;
  double zref_ohm = 50;
  std::string name = "lumo_line";  // the subcircuit's name
  std::string version;             // the program's
  double te11_exact_ghz = std::numeric_limits<double>::quiet_NaN();
  float last_freq_ghz = 0;  // the sweep's last row
};

// The RLGC CSV's header row.
inline constexpr std::string_view kRlgcColumns =
    "freq_ghz,r_ohm_per_m,l_h_per_m,g_s_per_m,c_f_per_m,zc_re_ohm,zc_im_ohm,alpha_np_per_m,"
    "beta_rad_per_m,multimode";

// Appends a model value: the shortest decimal that reads back as the same
// double (0.5 -> "0.5", 1.25e-07 -> "1.25e-07").
void append_model_number(std::string& out, double x);

// The model of a run's row: its values taken as the decimals the run gives.
checks::Rlgc row_model(const FrequencyHeader& h, const FrequencyRow& r);

// Writes one of the formats; a failed delivery throws WriteFailed. Touchstone
// and SPICE lines end in LF, the CSV's in CR LF. The caller flushes `out`.
class LineModelWriter : public RunConsumer {
 public:
  LineModelWriter(OutputChannel& out, LineModelSettings settings)
      : out_(out), s_(std::move(settings)) {}
  void frequency_header(const FrequencyHeader& h) override;
  void frequency_row(const FrequencyRow& r) override;

 private:
  void deliver(std::string_view text);
  std::string line_comments(std::string_view mark) const;

  OutputChannel& out_;
  LineModelSettings s_;
  FrequencyHeader header_;
};

}  // namespace lumo::cli
