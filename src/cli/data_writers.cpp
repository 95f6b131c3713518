#include "cli/data_writers.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "numbers/number_text.h"

namespace lumo::cli {
namespace {

using Json = nlohmann::ordered_json;

std::string_view diameter_column(bool outer) { return outer ? "outer_in" : "inner_in"; }

// A CSV field of a flag: empty when unknown.
std::string_view csv_flag(std::optional<bool> flag) {
  if (!flag) return "";
  return *flag ? "true" : "false";
}

}  // namespace

void append_number(std::string& out, float x) {
  if (std::isnan(x)) {
    out += "nan";  // never "-nan"
    return;
  }
  char buf[num::kShortestFloatChars];
  out.append(buf, num::put_shortest(buf, x));
}

Json json_number(float x) {
  if (!std::isfinite(x)) return nullptr;
  // The double nearest the float's shortest decimal prints as that decimal.
  std::string text;
  append_number(text, x);
  return std::strtod(text.c_str(), nullptr);
}

Json json_double(double x) {
  if (!std::isfinite(x)) return nullptr;
  return x;
}

void CsvWriter::text_line(std::string_view text) {
  out_.append(text);
  out_.append("\r\n");
  if (!out_.end_statement()) throw WriteFailed{out_.error()};
}

void CsvWriter::line(std::initializer_list<float> values, std::optional<std::string_view> tail) {
  // Formatted in place: at most 15 characters a number, a comma or CR LF
  // after each; a tail of at most 16 characters.
  char text[9 * 17 + 2];
  char* p = text;
  for (float x : values) {
    if (p != text) *p++ = ',';
    if (std::isnan(x)) {
      for (char c : std::string_view("nan")) *p++ = c;
    } else {
      p = num::put_shortest(p, x);
    }
  }
  if (tail) {
    *p++ = ',';
    for (char c : tail->substr(0, 16)) *p++ = c;
  }
  *p++ = '\r';
  *p++ = '\n';
  out_.append(std::string_view(text, static_cast<std::size_t>(p - text)));
  if (!out_.end_statement()) throw WriteFailed{out_.error()};
}

void CsvWriter::frequency_header(const FrequencyHeader&) { text_line(kFrequencyColumns); }

void CsvWriter::frequency_row(const FrequencyRow& r) {
  line({r.freq, r.lambda0, r.lambda_g, r.loss_inner, r.loss_outer, r.loss_dielectric, r.loss_total},
       csv_flag(multimode(r.freq, te11_exact_ghz_)));
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

void JsonWriter::row(std::initializer_list<Named> values, std::string_view tail) {
  buf_ += first_row_ ? "\n{" : ",\n{";
  first_row_ = false;
  bool first = true;
  for (const Named& v : values) {
    buf_ += first ? "\"" : ",\"";
    first = false;
    buf_ += v.name;
    buf_ += "\":";
    if (std::isfinite(v.value)) {
      append_number(buf_, v.value);
    } else {
      buf_ += "null";
    }
  }
  buf_ += tail;
  buf_ += '}';
  deliver();
}

void JsonWriter::frequency_header(const FrequencyHeader& h) {
  line_["zo_ohm"] = json_number(h.zo);
  line_["capacitance_pf_per_in"] = json_number(h.ccap);
  line_["inductance_nh_per_in"] = json_number(h.cind);
}

void JsonWriter::frequency_row(const FrequencyRow& r) {
  std::string_view tail;
  if (checks_) {
    const std::optional<bool> m = multimode(r.freq, checks_->modes.te11_ghz);
    tail = !m ? ",\"multimode\":null" : *m ? ",\"multimode\":true" : ",\"multimode\":false";
  }
  row({{"freq_ghz", r.freq},
       {"wavelength_free_space_in", r.lambda0},
       {"wavelength_guide_in", r.lambda_g},
       {"loss_inner_db_per_ft", r.loss_inner},
       {"loss_outer_db_per_ft", r.loss_outer},
       {"loss_dielectric_db_per_ft", r.loss_dielectric},
       {"loss_total_db_per_ft", r.loss_total}},
      tail);
}

void JsonWriter::frequency_end(const FrequencyClosing& c) {
  line_["te11_cutoff_ghz"] = json_number(c.te11);
  line_["peak_power_kw"] = json_number(c.peak_power);
  if (checks_) {
    line_["te11_exact_ghz"] = json_double(checks_->modes.te11_ghz);
    line_["te21_exact_ghz"] = json_double(checks_->modes.te21_ghz);
    line_["tm01_exact_ghz"] = json_double(checks_->modes.tm01_ghz);
    line_["velocity_factor"] = json_double(checks_->facts.velocity_factor);
    line_["delay_ns_per_ft"] = json_double(checks_->facts.delay_ns_per_ft);
  }
}

void JsonWriter::sensitivity_header(const SensitivityHeader& h) {
  // The header block shows the diameter held fixed.
  diameter_name_ = diameter_column(h.outer);
  line_[std::string(diameter_column(!h.outer))] = json_number(h.fixed);
  line_["er"] = json_number(h.er);
}

void JsonWriter::sensitivity_row(const SensitivityRow& r) {
  row({{diameter_name_, r.diameter},
       {"zo_ohm", r.zo},
       {"te11_cutoff_ghz", r.te11},
       {"peak_power_kw", r.peak_power},
       {"s_zo_inner", r.s_inner},
       {"s_zo_outer", r.s_outer},
       {"s_zo_er", r.s_er}});
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
  row({{diameter_name_, r.diameter},
       {"zo_ohm", r.zo},
       {"te11_cutoff_ghz", r.te11},
       {"peak_power_kw", r.peak_power},
       {"loss_inner_db_per_ft", r.loss_inner},
       {"loss_outer_db_per_ft", r.loss_outer},
       {"loss_dielectric_db_per_ft", r.loss_dielectric},
       {"loss_total_db_per_ft", r.loss_total}});
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
