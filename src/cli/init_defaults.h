// `lumo --init [--force]`: puts the delivered Lumo.DEF into the current
// folder, so that the dialogue can start there; `lumo --init --lines` an
// example of the user's lines file.
#pragma once

#include <iosfwd>

namespace lumo::cli {

// Writes the delivered Lumo.DEF (the copy built into the program) as
// ./Lumo.DEF and says so on `out`. A Lumo.DEF already there is kept unless
// `force`: one line on `err` and kExitFailure. A write that fails is one
// line on `err` and kExitFailure, and leaves an existing Lumo.DEF as it was.
int init_defaults(bool force, std::ostream& out, std::ostream& err);

// `lumo --init --lines [--force]`: writes kExampleLines as ./lumo-lines.csv,
// as init_defaults writes Lumo.DEF.
int init_lines(bool force, std::ostream& out, std::ostream& err);

// A commented example of the user's lines file, with two lines.
extern const char* const kExampleLines;

}  // namespace lumo::cli
