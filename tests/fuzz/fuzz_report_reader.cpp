// Report reader fuzz target: any bytes give one report or more, or an error
// naming a line of the text (or the one after its last) and what was
// expected, never a crash; checking agrees with reading; and every report
// read draws a plot with the series of its run kind and no coordinate that
// is not a number.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "plot/run_plot.h"
#include "reports/report_reader.h"

namespace {

// Passes a run to the plot and notes which kind it was.
class Tee : public lumo::RunConsumer {
 public:
  lumo::plot::PlotConsumer plot;
  int series = 0;  // the plot's series for the run kind

  void frequency_header(const lumo::FrequencyHeader& h) override {
    series = 4;
    plot.frequency_header(h);
  }
  void frequency_row(const lumo::FrequencyRow& r) override { plot.frequency_row(r); }
  void frequency_end(const lumo::FrequencyClosing& c) override { plot.frequency_end(c); }
  void sensitivity_header(const lumo::SensitivityHeader& h) override {
    series = 4;
    plot.sensitivity_header(h);
  }
  void sensitivity_row(const lumo::SensitivityRow& r) override { plot.sensitivity_row(r); }
  void synthesis_loss_header(const lumo::SynthesisLossHeader& h) override {
    series = 5;
    plot.synthesis_loss_header(h);
  }
  void synthesis_loss_row(const lumo::SynthesisLossRow& r) override { plot.synthesis_loss_row(r); }
  void unrealizable(float zo) override { plot.unrealizable(zo); }
};

std::size_t count(std::string_view text, std::string_view what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1))
    ++n;
  return n;
}

class Sink : public lumo::ReportSink {
 public:
  std::size_t ended = 0;

  lumo::RunConsumer& begin_report() override {
    tee_ = Tee();
    return tee_;
  }
  void end_report() override {
    ++ended;
    const std::string svg = tee_.plot.svg();
    if (tee_.series == 0 ||
        count(svg, "class=\"series\"") != static_cast<std::size_t>(tee_.series)) {
      std::abort();
    }
    // Every fixed word of a plot is free of these; a coordinate is never one.
    if (svg.find("nan") != std::string::npos || svg.find("inf") != std::string::npos) std::abort();
  }

 private:
  Tee tee_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  Sink sink;
  const lumo::ReadOutcome o = lumo::read_reports(text, sink);
  if (sink.ended != o.reports) std::abort();
  if (o.error) {
    std::size_t lines = count(text, "\n") + (!text.empty() && text.back() != '\n' ? 1 : 0);
    if (o.error->line < 1 || static_cast<std::size_t>(o.error->line) > lines + 1) std::abort();
    if (o.error->column < 0 || o.error->what.empty()) std::abort();
  } else if (o.reports == 0) {
    std::abort();
  }
  const lumo::ReadOutcome checked = lumo::check_reports(text);
  if (checked.reports != o.reports || checked.error.has_value() != o.error.has_value())
    std::abort();
  if (o.error && checked.error->line != o.error->line) std::abort();
  return 0;
}
