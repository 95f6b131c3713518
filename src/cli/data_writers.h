// The data formats of the command line, as consumers of a run's rows: CSV
// (RFC 4180, CR LF line ends, one header row) and JSON (one object). Numbers
// are the shortest decimal that reads back as the same single-precision
// value, never rounded to a report's digits.
#pragma once

#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "cli/line_checks.h"
#include "driver/run_rows.h"
#include "textio/output_channel.h"

namespace lumo::cli {

// A write to the output failed; `err` is the system's error number.
struct WriteFailed {
  int err = 0;
};

// Appends the shortest decimal of `x` that reads back as `x`: 0.2425f ->
// "0.2425", 18.0f -> "18", 1e-7f -> "1e-07"; NaN -> "nan", infinities
// "inf" and "-inf".
void append_number(std::string& out, float x);

// The same as a JSON value: a number of that decimal, null when not finite.
nlohmann::ordered_json json_number(float x);

// A double as a JSON value: itself (printed as its shortest decimal), null
// when not finite.
nlohmann::ordered_json json_double(double x);

// Column names of the tables, with their units. A frequency row's
// `multimode` is true at or above the exact TE11 cut-off, false below it
// (empty in CSV, null in JSON, when the cut-off was not found).
inline constexpr std::string_view kFrequencyColumns =
    "freq_ghz,wavelength_free_space_in,wavelength_guide_in,loss_inner_db_per_ft,"
    "loss_outer_db_per_ft,loss_dielectric_db_per_ft,loss_total_db_per_ft,multimode";
// After the swept (or synthesized) diameter's column, outer_in or inner_in.
inline constexpr std::string_view kSensitivityColumns =
    "zo_ohm,te11_cutoff_ghz,peak_power_kw,s_zo_inner,s_zo_outer,s_zo_er";
inline constexpr std::string_view kSynthesisLossColumns =
    "zo_ohm,te11_cutoff_ghz,peak_power_kw,loss_inner_db_per_ft,loss_outer_db_per_ft,"
    "loss_dielectric_db_per_ft,loss_total_db_per_ft";

// Delivers every statement's bytes to `out`; a failed delivery throws
// WriteFailed. The caller flushes `out` at the end.
class CsvWriter : public RunConsumer {
 public:
  // `te11_exact_ghz` is the exact TE11 cut-off of a frequency run's line.
  explicit CsvWriter(OutputChannel& out,
                     double te11_exact_ghz = std::numeric_limits<double>::quiet_NaN())
      : out_(out), te11_exact_ghz_(te11_exact_ghz) {}
  void frequency_header(const FrequencyHeader&) override;
  void frequency_row(const FrequencyRow& r) override;
  void sensitivity_header(const SensitivityHeader& h) override;
  void sensitivity_row(const SensitivityRow& r) override;
  void synthesis_loss_header(const SynthesisLossHeader& h) override;
  void synthesis_loss_row(const SynthesisLossRow& r) override;

 private:
  // The values, then `tail` as the last field when given.
  void line(std::initializer_list<float> values, std::optional<std::string_view> tail = {});
  void text_line(std::string_view text);

  OutputChannel& out_;
  double te11_exact_ghz_;
};

// One object: program, version, run, inputs, rows and the header block's
// values (`line`, written after the rows since the frequency table's closing
// values come last), and `unrealizable` when a synthesis stopped. Rows stream
// out as they come; `finish` closes the object.
class JsonWriter : public RunConsumer {
 public:
  // `run` is "frequency", "sensitivity", "synthesis-loss" or
  // "synthesis-sensitivity"; `inputs` every value the run uses.
  JsonWriter(OutputChannel& out, std::string_view version, std::string_view run,
             const nlohmann::ordered_json& inputs);
  void frequency_header(const FrequencyHeader& h) override;
  void frequency_row(const FrequencyRow& r) override;
  void frequency_end(const FrequencyClosing& c) override;
  void sensitivity_header(const SensitivityHeader& h) override;
  void sensitivity_row(const SensitivityRow& r) override;
  void synthesis_loss_header(const SynthesisLossHeader& h) override;
  void synthesis_loss_row(const SynthesisLossRow& r) override;
  void unrealizable(float zo) override;
  // A frequency run's line checks: its rows get `multimode`, and `line` the
  // exact cut-offs, velocity factor and delay.
  void set_line_checks(const LineChecks& checks) { checks_ = checks; }
  void finish();

 private:
  struct Named {
    std::string_view name;
    float value;
  };
  // A row object, written directly: its names are fixed, plain ASCII.
  // `tail`, when given, is written after the values inside the object.
  void row(std::initializer_list<Named> values, std::string_view tail = {});
  void deliver();

  OutputChannel& out_;
  std::string buf_;
  std::string diameter_name_;  // "outer_in" or "inner_in"
  nlohmann::ordered_json line_ = nlohmann::ordered_json::object();
  std::optional<float> unrealizable_;
  std::optional<LineChecks> checks_;
  bool first_row_ = true;
};

}  // namespace lumo::cli
