// The column headings and the row of the sensitivity table, shared by the
// sensitivity analysis and the synthesis with sensitivity.
#pragma once

#include "driver/lumo.h"
#include "textio/format_list.h"

namespace lumo {

// Fields: the varied conductor's title ("Outer"/"Inner") and letter ("B"/"D").
inline constexpr FormatList kSensitivityHeadings =
    "(/,47X,'Sensitivity of Impedance to:',/,6X,4X,A5, 14X,'TE11',6X,'Peak',3X,30(1H-),/,9X, "
    "'Cond.(',A1,')',5X,'Zo',5X,'Cutoff',4X,'Power',4X,'Inner', 5X,'Outer',5X,'Dielec.',/,"
    "6X,3X,'(Inches)',3X,'(Ohms)',3X, '(GHz)',5X,'(kW)',5X,'Cond.',5X,'Cond.',5X,'Constant', "
    "/,8X,68(1H-))";

// Diameter (inches), Zo (ohms), cut-off (GHz), peak power (kW), then the
// sensitivities of Zo to D, to B and to Er.
inline constexpr FormatList kSensitivityRow = "(6X,F9.4,F10.2,F9.2,F10.2,F9.3,F10.3,F11.3)";

// Prints a sensitivity table's header block (`header`, whose fields are the
// fixed diameter's name, its value, Er and the option) and the column
// headings, to the console and then, when storing, to the output file.
// `outer`: the outer conductor is the one varied or synthesized.
void sensitivity_table_head(Session& s, const FormatList& header, bool outer);

}  // namespace lumo
