#include "cli/init_defaults.h"

#include <cstring>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/command_line.h"
#include "cli/delivered_defaults.h"
#include "cli/output_target.h"
#include "textio/platform.h"

namespace lumo::cli {

namespace {

// Writes `bytes` as ./`name` unless it exists and not `force`.
bool write_new(const std::string& name, std::string_view bytes, bool force, std::ostream& err) {
  platform::FileStatus existing;
  if (!force && platform::status_of(name, existing)) {
    err << "lumo: --init: " << name << " already exists here (--force replaces it)\n";
    return false;
  }
  // Written beside it and renamed over it, so a failure keeps an old file.
  OutputTarget target;
  int error = target.open_file(name);
  if (error == 0) {
    target.channel().append(bytes);
    error = target.commit();
  }
  if (error != 0) {
    err << "lumo: --init: " << name << ": " << std::strerror(error) << "\n";
    return false;
  }
  return true;
}

}  // namespace

const char* const kExampleLines =
    "# The user's lines for lumo --line NAME; lumo lines lists them.\n"
    "# Lumo reads --lines FILE, else ./lumo-lines.csv, else lumo/lines.csv in the\n"
    "# configuration folder ($XDG_CONFIG_HOME, ~/.config or %APPDATA%).\n"
    "#\n"
    "# The first row that is not a comment names the columns. Required: name,\n"
    "# outer (B) and inner (D). Optional: aliases (separated by ;), er, tand,\n"
    "# rho_outer and rho_inner (micro-ohm-cm), rough_outer and rough_inner\n"
    "# (micro-inches, um or nm), zo_nominal (ohms), rated_ghz (GHz, MHz or kHz)\n"
    "# and source. Lengths are in inches unless given in mil, mm or um. An empty\n"
    "# cell leaves the value to the command line or Lumo.DEF. Names match\n"
    "# without regard to letter case, blanks, dashes and dots; a name here takes\n"
    "# the place of a built-in one. Lines starting with # are comments.\n"
    "name,aliases,outer,inner,er,tand,rho_outer,rho_inner,zo_nominal,rated_ghz,source\n"
    "RG-405,0.086;semi-rigid-0.086,0.066in,0.0201in,2.03,0.0002,1.72,1.59,50,,"
    "\"Example: 0.086 semi-rigid, nominal dimensions; copper outer, silver centre\"\n"
    "bench-cable,,2.95mm,1.11mm,1.38,0.0001,1.72,1.72,50,6,"
    "\"Example: a braided cable, with the solid centre that gives its measured Zo\"\n";

int init_defaults(bool force, std::ostream& out, std::ostream& err) {
  if (!write_new("Lumo.DEF", std::string_view(kDeliveredDefaults, sizeof kDeliveredDefaults), force,
                 err)) {
    return kExitFailure;
  }
  out << "Wrote the delivered Lumo.DEF into this folder; start the dialogue with: lumo\n";
  return kExitSuccess;
}

int init_lines(bool force, std::ostream& out, std::ostream& err) {
  if (!write_new("lumo-lines.csv", kExampleLines, force, err)) return kExitFailure;
  out << "Wrote an example lumo-lines.csv into this folder; list its lines with: lumo lines\n";
  return kExitSuccess;
}

}  // namespace lumo::cli
