// The console dialogue: the one routine through which the user gives the
// calculator its inputs, the defaults file loader it calls on its first pass,
// and the choice of the output file that ends every pass.
#pragma once

#include "records/records.h"
#include "textio/io.h"

namespace lumo {

// Runs one pass of the dialogue as blk2.isel asks (0 first call, 1 new OPTION,
// 2 RECYCLE). On return either isel = -1 (the defaults file failed and its
// message is printed) or every field the chosen run needs is set.
void lminput(Records& rec, Io& io);

// Loads Lumo.DEF into blk1 and blk3.fn; on a fault prints its message, sets
// isel = -1 and returns false. A defaults channel already connected (the
// command line's chosen file or built-in copy) is read instead of Lumo.DEF.
bool load_defaults(Records& rec, Io& io);

// Step count of a sweep: (max - min) / step + 0.0001 in double, the sum
// rounded to single precision, truncated; capped at 2147483647.
std::int32_t step_count(float min, float max, float step);

// The conductor data of blk1 in the units of the loss model: resistivities
// (micro-ohm-cm) in ohm-inches, roughness (micro-inches) in inches.
Blk4 conductor_data(const Blk1& entered);

// The storage question and the file name prompts (sets istore and fn).
void select_output_file(Records& rec, Io& io);

// True when the name is one of the reserved names (trailing blanks ignored).
bool is_reserved_name(const Text20& name);

}  // namespace lumo
