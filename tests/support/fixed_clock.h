// The clock of every in-process session in the tests: 6 December 2026,
// 9:05:03.250, one hour east of UTC. The report header shows it as
// " Date:12/ 6/2026 at  9: 5: 3Hours" and the start banner as "12/ 6/2026".
#pragma once

#include "textio/io.h"

namespace lumo::testing {

inline LocalTime fixed_clock() { return {2026, 12, 6, 60, 9, 5, 3, 250}; }

}  // namespace lumo::testing
