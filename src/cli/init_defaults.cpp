#include "cli/init_defaults.h"

#include <cstring>
#include <ostream>
#include <string_view>

#include "cli/command_line.h"
#include "cli/delivered_defaults.h"
#include "cli/output_target.h"
#include "textio/platform.h"

namespace lumo::cli {

int init_defaults(bool force, std::ostream& out, std::ostream& err) {
  const std::string name = "Lumo.DEF";
  platform::FileStatus existing;
  if (!force && platform::status_of(name, existing)) {
    err << "lumo: --init: Lumo.DEF already exists here (--force replaces it)\n";
    return kExitFailure;
  }
  // Written beside it and renamed over it, so a failure keeps an old file.
  OutputTarget target;
  int error = target.open_file(name);
  if (error == 0) {
    target.channel().append(std::string_view(kDeliveredDefaults, sizeof kDeliveredDefaults));
    error = target.commit();
  }
  if (error != 0) {
    err << "lumo: --init: Lumo.DEF: " << std::strerror(error) << "\n";
    return kExitFailure;
  }
  out << "Wrote the delivered Lumo.DEF into this folder; start the dialogue with: lumo\n";
  return kExitSuccess;
}

}  // namespace lumo::cli
