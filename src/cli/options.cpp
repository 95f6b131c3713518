#include "cli/options.h"

#include <cstring>

#include "textio/platform.h"

namespace lumo::cli {

void add(CLI::App* app, Given& g, const std::string& name, const std::string& value,
         const std::string& help) {
  g.option = app->add_option(name, g.text, help)->type_name(value);
  g.name = name.substr(0, name.find(','));
}

Format checked_format(const Given& g, bool line_models) {
  if (!g.given() || g.text == "report") return Format::kReport;
  if (g.text == "csv") return Format::kCsv;
  if (g.text == "json") return Format::kJson;
  if (line_models && g.text == "s2p") return Format::kTouchstone;
  if (line_models && g.text == "spice") return Format::kSpice;
  if (line_models && g.text == "rlgc") return Format::kRlgc;
  throw UsageError{g.quoted() + (line_models ? ": the format must be report, csv, json, s2p, "
                                               "spice or rlgc (see lumo frequency --help)"
                                             : ": the format must be report, csv or json (see "
                                               "lumo --help)")};
}

OutputFiles checked_output_files(const Given& output, const Given& plot) {
  OutputFiles files;
  if (output.given()) {
    if (output.text.empty()) throw UsageError{output.quoted() + ": a file name is needed"};
    files.output = output.text;
  }
  if (plot.given()) {
    if (plot.text.empty()) throw UsageError{plot.quoted() + ": a file name is needed"};
    platform::FileIdentity a, b;
    if (files.output &&
        (*files.output == plot.text || (platform::identity_of(*files.output, a) &&
                                        platform::identity_of(plot.text, b) && a == b))) {
      throw UsageError{plot.quoted() + ": the same file as " + output.quoted()};
    }
    files.plot = plot.text;
  }
  return files;
}

PlotFile::PlotFile(const std::optional<std::string>& path) : path_(path) {
  if (!path_) return;
  if (const int err = target_.open_file(*path_); err != 0) {
    throw Failure{"--plot " + *path_ + ": " + std::strerror(err)};
  }
}

void PlotFile::write(std::string_view svg) {
  target_.channel().append(svg);
  if (const int err = target_.commit(); err != 0) {
    throw Failure{"--plot " + *path_ + ": " + std::strerror(err)};
  }
}

}  // namespace lumo::cli
