#include "cli/options.h"

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <string>

#include "cli/quantity.h"
#include "textio/platform.h"

namespace lumo::cli {

void add(CLI::App* app, Given& g, const std::string& name, const std::string& value,
         const std::string& help) {
  g.option = app->add_option(name, g.text, help)->type_name(value);
  g.name = name.substr(0, name.find(','));
}

void add_diameters_and_er(CLI::App* app, Given& outer, Given& inner, Given& er) {
  add(app, outer, "--outer", "B", "outer conductor diameter B; in (default), mil, mm, um");
  add(app, inner, "--inner", "D", "inner conductor diameter D; in (default), mil, mm, um");
  add(app, er, "--er", "ER", "relative dielectric constant Er, 1 to 999.99");
}

void add_defaults_format_output(CLI::App* app, Given& defaults, Given& format, Given& output) {
  add(app, defaults, "--defaults", "FILE",
      "defaults file (else ./Lumo.DEF, the installed or the built-in one)");
  add(app, format, "--format", "FORMAT", "report (default), csv or json");
  add(app, output, "-o,--output", "FILE",
      "write to FILE (replaced when complete) instead of standard output");
}

float checked_value(const Given& g, const Range& r) {
  const CheckedValue v = checked_line_value(g.text, r);
  if (!v.error.empty()) throw UsageError{g.quoted() + ": " + v.error};
  return static_cast<float>(v.value);
}

FloatSweep checked_sweep(const Given& g, const Range (&r)[3]) {
  ParsedSweep p = parse_sweep(g.text, r[0].quantity);
  if (!p.ok()) {
    if (p.part == 0) throw UsageError{g.quoted() + ": " + p.error};
    const Range& part = r[p.part - 1];
    const std::string error = parse_error(p.error, part);
    // A rule names its field already; another error gets the field's name.
    throw UsageError{
        g.quoted() + ": " +
        (error.starts_with(part.what) ? error : std::string(part.what) + ": " + error)};
  }
  const double parts[3] = {p.sweep.start, p.sweep.stop, p.sweep.step};
  float x[3] = {};
  for (int i = 0; i < 3; ++i) {
    x[i] = static_cast<float>(parts[i]);
    if (!r[i].accepts(x[i])) throw UsageError{g.quoted() + ": " + r[i].rule()};
  }
  if (x[0] > x[1]) throw UsageError{g.quoted() + ": START must not exceed STOP"};
  return {x[0], x[1], x[2]};
}

int read_file(const std::string& path, std::string& text) {
  const int fd = platform::open_file(path, platform::Access::kRead, false);
  if (fd < 0) return errno;
  char buf[65536];
  int err = 0;
  for (;;) {
    const std::ptrdiff_t n = platform::read_some(fd, buf, sizeof buf);
    if (n > 0) {
      text.append(buf, static_cast<std::size_t>(n));
    } else if (n == 0) {
      break;
    } else if (errno != EINTR) {
      err = errno;
      break;
    }
  }
  platform::close_file(fd);
  return err;
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
