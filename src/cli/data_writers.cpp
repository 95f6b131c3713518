#include "cli/data_writers.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace lumo::cli {
namespace {

using Json = nlohmann::ordered_json;

std::string_view diameter_column(bool outer) { return outer ? "outer_in" : "inner_in"; }

}  // namespace

void append_number(std::string& out, float x) {
  if (std::isnan(x)) {
    out += "nan";  // never "-nan"
    return;
  }
  char buf[32];
  const auto result = std::to_chars(buf, buf + sizeof buf, x);
  out.append(buf, result.ptr);
}

Json json_number(float x) {
  if (!std::isfinite(x)) return nullptr;
  // The double nearest the float's shortest decimal prints as that decimal.
  std::string text;
  append_number(text, x);
  return std::strtod(text.c_str(), nullptr);
}

void CsvWriter::text_line(std::string_view text) {
  out_.append(text);
  out_.append("\r\n");
  if (!out_.end_statement()) throw WriteFailed{out_.error()};
}

void CsvWriter::line(std::initializer_list<float> values) {
  buf_.clear();
  for (float x : values) {
    if (!buf_.empty()) buf_ += ',';
    append_number(buf_, x);
  }
  text_line(buf_);
}

void CsvWriter::frequency_header(const FrequencyHeader&) { text_line(kFrequencyColumns); }

void CsvWriter::frequency_row(const FrequencyRow& r) {
  line(
      {r.freq, r.lambda0, r.lambda_g, r.loss_inner, r.loss_outer, r.loss_dielectric, r.loss_total});
}

void CsvWriter::sensitivity_header(const SensitivityHeader& h) {
  text_line(std::string(diameter_column(h.outer)) + "," + std::string(kSensitivityColumns));
}

void CsvWriter::sensitivity_row(const SensitivityRow& r) {
  line({r.diameter, r.zo, r.te11, r.peak_power, r.s_inner, r.s_outer, r.s_er});
}

void CsvWriter::synthesis_loss_header(const SynthesisLossHeader& h) {
  text_line(std::string(diameter_column(h.outer)) + "," + std::string(kSynthesisLossColumns));
}

void CsvWriter::synthesis_loss_row(const SynthesisLossRow& r) {
  line({r.diameter, r.zo, r.te11, r.peak_power, r.loss_inner, r.loss_outer, r.loss_dielectric,
        r.loss_total});
}

JsonWriter::JsonWriter(OutputChannel& out, std::string_view version, std::string_view run,
                       const Json& inputs)
    : out_(out) {
  Json head = Json::object();
  head["program"] = "lumo";
  head["version"] = version;
  head["run"] = run;
  head["inputs"] = inputs;
  buf_ = head.dump();
  // The object stays open for the rows, one per line.
  buf_.pop_back();
  buf_ += ",\"rows\":[";
  deliver();
}

void JsonWriter::deliver() {
  out_.append(buf_);
  buf_.clear();
  if (!out_.end_statement()) throw WriteFailed{out_.error()};
}

void JsonWriter::row(const Json& object) {
  buf_ += first_row_ ? "\n" : ",\n";
  first_row_ = false;
  buf_ += object.dump();
  deliver();
}

void JsonWriter::frequency_header(const FrequencyHeader& h) {
  line_["zo_ohm"] = json_number(h.zo);
  line_["capacitance_pf_per_in"] = json_number(h.ccap);
  line_["inductance_nh_per_in"] = json_number(h.cind);
}

void JsonWriter::frequency_row(const FrequencyRow& r) {
  Json o = Json::object();
  o["freq_ghz"] = json_number(r.freq);
  o["wavelength_free_space_in"] = json_number(r.lambda0);
  o["wavelength_guide_in"] = json_number(r.lambda_g);
  o["loss_inner_db_per_ft"] = json_number(r.loss_inner);
  o["loss_outer_db_per_ft"] = json_number(r.loss_outer);
  o["loss_dielectric_db_per_ft"] = json_number(r.loss_dielectric);
  o["loss_total_db_per_ft"] = json_number(r.loss_total);
  row(o);
}

void JsonWriter::frequency_end(const FrequencyClosing& c) {
  line_["te11_cutoff_ghz"] = json_number(c.te11);
  line_["peak_power_kw"] = json_number(c.peak_power);
}

void JsonWriter::sensitivity_header(const SensitivityHeader& h) {
  // The header block shows the diameter held fixed.
  diameter_name_ = diameter_column(h.outer);
  line_[std::string(diameter_column(!h.outer))] = json_number(h.fixed);
  line_["er"] = json_number(h.er);
}

void JsonWriter::sensitivity_row(const SensitivityRow& r) {
  Json o = Json::object();
  o[diameter_name_] = json_number(r.diameter);
  o["zo_ohm"] = json_number(r.zo);
  o["te11_cutoff_ghz"] = json_number(r.te11);
  o["peak_power_kw"] = json_number(r.peak_power);
  o["s_zo_inner"] = json_number(r.s_inner);
  o["s_zo_outer"] = json_number(r.s_outer);
  o["s_zo_er"] = json_number(r.s_er);
  row(o);
}

void JsonWriter::synthesis_loss_header(const SynthesisLossHeader& h) {
  diameter_name_ = diameter_column(h.outer);
  line_[std::string(diameter_column(!h.outer))] = json_number(h.fixed);
  line_["er"] = json_number(h.er);
  line_["tand"] = json_number(h.materials.dltan);
  line_["rho_outer_uohm_cm"] = json_number(h.materials.resb);
  line_["rho_inner_uohm_cm"] = json_number(h.materials.resd);
  line_["rough_outer_uin"] = json_number(h.materials.srb);
  line_["rough_inner_uin"] = json_number(h.materials.srd);
  line_["loss_freq_ghz"] = json_number(h.freq);
}

void JsonWriter::synthesis_loss_row(const SynthesisLossRow& r) {
  Json o = Json::object();
  o[diameter_name_] = json_number(r.diameter);
  o["zo_ohm"] = json_number(r.zo);
  o["te11_cutoff_ghz"] = json_number(r.te11);
  o["peak_power_kw"] = json_number(r.peak_power);
  o["loss_inner_db_per_ft"] = json_number(r.loss_inner);
  o["loss_outer_db_per_ft"] = json_number(r.loss_outer);
  o["loss_dielectric_db_per_ft"] = json_number(r.loss_dielectric);
  o["loss_total_db_per_ft"] = json_number(r.loss_total);
  row(o);
}

void JsonWriter::unrealizable(float zo) { unrealizable_ = zo; }

void JsonWriter::finish() {
  buf_ += first_row_ ? "]" : "\n]";
  buf_ += ",\"line\":";
  buf_ += line_.dump();
  if (unrealizable_) {
    Json stop = Json::object();
    stop["zo_ohm"] = json_number(*unrealizable_);
    buf_ += ",\"unrealizable\":";
    buf_ += stop.dump();
  }
  buf_ += "}\n";
  deliver();
}

}  // namespace lumo::cli
