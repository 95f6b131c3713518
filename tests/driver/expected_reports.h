// Expected report texts, written line by line from the layouts of the reports
// (blanks counted from each format's nX items and field widths) and the
// reference values of the line routines. Shared by the in-process tests and
// the end-to-end tests. Every line ends in CR LF.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace lumo::testing::expected {

inline std::string blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }
inline std::string rule(int n, char c = '-') { return std::string(static_cast<std::size_t>(n), c); }

inline std::string lines(std::initializer_list<std::string> ls) {
  std::string s;
  for (const std::string& l : ls) s += l + "\r\n";
  return s;
}

// The date fields as the report header shows them; end-to-end tests pass the
// masked form "MM/DD/YYYY at hh:mm:ss".
inline constexpr std::string_view kFixedClock = "12/ 6/2026 at  9: 5: 3";

inline std::string report_header(std::string_view clock = kFixedClock) {
  return lines({"", blanks(6) + rule(72),
                blanks(8) + "Lumo (v. 1.0)" + blanks(22) + " Date:" + std::string(clock) + "Hours",
                blanks(16) + "Coaxial line design report, single precision.",
                blanks(16) + " RF/Microwave Computer-Aided Engineering Design Data",
                blanks(16) + "          For Coaxial Transmission Lines."});
}

// The closing rule, and with storage the line naming the label and the file
// (`label12` is the 12 characters the A12 field shows, `name20` the 20 of fn).
inline std::string trailer() { return lines({blanks(6) + rule(72)}); }
inline std::string trailer_stored(std::string_view label12, std::string_view name20) {
  return lines({blanks(6) + rule(72), blanks(6) + std::string(label12) +
                                          "Data stored in User filename: " + std::string(name20)});
}

// Frequency analysis of B 0.25", D 0.1", Er 2.1, loss tangent 0.0002, both
// conductors 1.72 micro-ohm-cm and smooth: Zo 37.912, CAP 3.2385, IND 4.6548,
// TE11 14.8146 GHz, peak power 3.7851 kW.
inline std::string frequency_header_reference() {
  return lines({"",
                blanks(8) + "B   =" + "  0.2500" + "\"" + blanks(11) + "Frequency Analysis" +
                    blanks(9) + "SRB =" + "   0.000" + "u\"",
                blanks(8) + "D   =" + "  0.1000" + "\"" + blanks(10) + rule(20, '=') + blanks(8) +
                    "SRD =" + "   0.000" + "u\"",
                blanks(8) + "Er  =" + "  2.100" + blanks(17) + "(OPTION 1)" + blanks(11) +
                    "DLTAN =" + " 0.00020",
                blanks(8) + "Zo  =" + "  37.91" + " Ohms" + blanks(34) + "RESB =" + "   1.720",
                blanks(8) + "CAP =" + "   3.24" + " pF/Inch" + blanks(31) + "RESD =" + "   1.720",
                blanks(8) + "IND =" + "   4.65" + " nH/Inch"});
}

inline std::string frequency_headings() {
  return lines({"", blanks(42) + "Transmission Losses  (dB/Foot)",
                blanks(17) + "   Wavelength,Inches " + rule(38),
                blanks(10) + "Freq.     Free-              Conductor Losses    Dielec.    Total",
                blanks(10) + "(GHz)     Space    \"Guide\"    Inner    Outer      Loss      Loss",
                blanks(8) + rule(68)});
}

// One row: F8.3, F10.3, F10.3, F10.4, F9.4, F11.4, F10.4 after 8 blanks.
inline std::string frequency_row(std::string_view f, std::string_view wl, std::string_view wg,
                                 std::string_view acd, std::string_view acb, std::string_view ad,
                                 std::string_view atot) {
  return blanks(8) + std::string(f) + std::string(wl) + std::string(wg) + std::string(acd) +
         std::string(acb) + std::string(ad) + std::string(atot) + "\r\n";
}

// Rows of the reference line at 1.0, 1.3, 1.6 and 1.9 GHz.
inline std::string frequency_row_1_0() {
  return frequency_row("   1.000", "    11.803", "     8.145", "    0.0361", "   0.0144",
                       "     0.0080", "    0.0585");
}
inline std::string frequency_rows_1_3_to_1_9() {
  return frequency_row("   1.300", "     9.079", "     6.265", "    0.0411", "   0.0164",
                       "     0.0105", "    0.0680") +
         frequency_row("   1.600", "     7.377", "     5.090", "    0.0456", "   0.0182",
                       "     0.0129", "    0.0767") +
         frequency_row("   1.900", "     6.212", "     4.287", "    0.0497", "   0.0199",
                       "     0.0153", "    0.0849");
}

inline std::string frequency_closing_reference() {
  return lines({"", blanks(9) + "TE11 Mode Cutoff = " + "  14.815" + " GHz;" + blanks(3) +
                        "Peak Power (In Air) = " + "    3.79" + " kW"});
}

// The reference line from 1 to 2 GHz in steps of 0.3: four rows.
inline std::string frequency_run_reference() {
  return frequency_header_reference() + frequency_headings() + frequency_row_1_0() +
         frequency_rows_1_3_to_1_9() + frequency_closing_reference();
}

// Rows of the reference line at 1.5 and 2.0 GHz (the sweep of kReferenceLineDefaults).
inline std::string frequency_rows_1_5_and_2_0() {
  return frequency_row("   1.500", "     7.869", "     5.430", "    0.0442", "   0.0177",
                       "     0.0121", "    0.0739") +
         frequency_row("   2.000", "     5.901", "     4.072", "    0.0510", "   0.0204",
                       "     0.0161", "    0.0875");
}

// The reference line over the sweep of kReferenceLineDefaults, 1 to 2 GHz by 0.5.
inline std::string frequency_run_defaults() {
  return frequency_header_reference() + frequency_headings() + frequency_row_1_0() +
         frequency_rows_1_5_and_2_0() + frequency_closing_reference();
}

// Sensitivity table headings for the outer ("Outer", "B") or inner conductor.
inline std::string sensitivity_headings(bool outer) {
  std::string title = outer ? "Outer" : "Inner";
  std::string letter = outer ? "B" : "D";
  return lines(
      {"", blanks(47) + "Sensitivity of Impedance to:",
       blanks(10) + title + blanks(14) + "TE11" + blanks(6) + "Peak" + blanks(3) + rule(30),
       blanks(9) + "Cond.(" + letter + ")" + blanks(5) + "Zo" + blanks(5) + "Cutoff" + blanks(4) +
           "Power" + blanks(4) + "Inner" + blanks(5) + "Outer" + blanks(5) + "Dielec.",
       blanks(9) + "(Inches)" + blanks(3) + "(Ohms)" + blanks(3) + "(GHz)" + blanks(5) + "(kW)" +
           blanks(5) + "Cond." + blanks(5) + "Cond." + blanks(5) + "Constant",
       blanks(8) + rule(68)});
}

// Sensitivity analysis header: fixed diameter text (e.g. "D =", "  0.1000"), Er "  2.100".
inline std::string sensitivity_header(std::string_view fixed_name, std::string_view fixed,
                                      std::string_view er) {
  return lines({"",
                blanks(8) + std::string(fixed_name) + std::string(fixed) + "\"" + blanks(11) +
                    "Sensitivity Analysis" + blanks(11) + "Er  =" + std::string(er),
                blanks(30) + rule(22, '='), blanks(36) + "(OPTION 2)"});
}

// The outer diameter of the reference line (D 0.1", Er 2.1) from 0.05 to 0.3 by
// 0.05: 0.05 and 0.10 skipped, rows from 0.15 on.
inline std::string sensitivity_outer_rows() {
  return lines({blanks(6) + "   0.1500" + "     16.78" + "    20.74" + "      1.67" + "   -2.465" +
                    "     2.465" + "     -0.500",
                blanks(6) + "   0.2000" + "     28.68" + "    17.28" + "      2.86" + "   -1.442" +
                    "     1.442" + "     -0.500",
                blanks(6) + "   0.2500" + "     37.91" + "    14.81" + "      3.79" + "   -1.091" +
                    "     1.091" + "     -0.500",
                blanks(6) + "   0.3000" + "     45.46" + "    12.96" + "      4.54" + "   -0.910" +
                    "     0.910" + "     -0.500"});
}

// The inner diameter under B 0.2", Er 2.1, from 0.1 to 0.3 by 0.05: rows at
// 0.10 and 0.15; 0.20, 0.25 and 0.30 skipped.
inline std::string sensitivity_inner_rows() {
  return lines({blanks(6) + "   0.1000" + "     28.68" + "    17.28" + "      2.86" + "   -1.442" +
                    "     1.442" + "     -0.500",
                blanks(6) + "   0.1500" + "     11.90" + "    14.81" + "      2.67" + "   -3.474" +
                    "     3.474" + "     -0.500"});
}

// Synthesis with loss of the outer conductor around D 0.1", Er 1 (loss tangent
// 0), 1.72 micro-ohm-cm smooth conductors, at 1.5 GHz, option 1.
inline std::string synthesis_loss_outer_header() {
  return lines({"",
                blanks(8) + "SRB   =" + "   0.000" + "u\"" + blanks(6) + "Dimensional Synthesis" +
                    blanks(12) + "D =" + " 0.1000" + "\"",
                blanks(8) + "SRD   =" + "   0.000" + "u\"" + blanks(5) + rule(23, '=') +
                    blanks(10) + "Er =" + "  1.000",
                blanks(8) + "DLTAN =" + "  0.0000" + blanks(14) + "(OPTION 1)",
                blanks(8) + "RESB  =" + "   1.720", blanks(8) + "RESD  =" + "   1.720"});
}

inline std::string synthesis_loss_headings(std::string_view f, bool outer) {
  std::string title = outer ? "Outer" : "Inner";
  std::string letter = outer ? "B" : "D";
  return lines(
      {"", blanks(50) + "Transmission Loss at", blanks(49) + std::string(f) + " GHz" + " (dB/Foot)",
       blanks(8) + title + blanks(13) + "TE11" + blanks(5) + "Peak" + blanks(3) + rule(36),
       blanks(7) + "Cond.(" + letter + ")" + blanks(4) + "Zo" + blanks(5) + "Cutoff" + blanks(3) +
           "Power" + blanks(3) + "Conductor" + " " + "Losses" + blanks(3) + "Dielec." + blanks(3) +
           "Total",
       blanks(7) + "(Inches)" + blanks(2) + "(Ohms)" + blanks(3) + "(GHz)" + blanks(4) + "(kW)" +
           blanks(5) + "Inner" + blanks(4) + "Outer" + blanks(5) + "Loss" + blanks(5) + "Loss",
       blanks(6) + rule(72)});
}

// 200, 300 and 400 ohms: B 2.8096", 14.8928", 78.9407" (500 ohms needs 418").
inline std::string synthesis_loss_outer_rows() {
  return lines({blanks(6) + " 2.8096" + "   200.00" + "     2.58" + "     9.51" + "   0.0084" +
                    "   0.0003" + "    0.0000" + "   0.0087",
                blanks(6) + "14.8928" + "   300.00" + "     0.50" + "    14.26" + "   0.0056" +
                    "   0.0000" + "    0.0000" + "   0.0056",
                blanks(6) + "78.9407" + "   400.00" + "     0.10" + "    19.02" + "   0.0042" +
                    "   0.0000" + "    0.0000" + "   0.0042"});
}

inline std::string synthesis_sensitivity_outer_header() {
  return lines({"",
                blanks(8) + "D =" + " 0.1000" + "\"" + blanks(10) + "Synthesis with Sensitivity" +
                    blanks(10) + "Er =" + "  1.000",
                blanks(28) + rule(28, '='), blanks(37) + "(OPTION 2)"});
}

inline std::string synthesis_sensitivity_outer_rows() {
  return lines({blanks(6) + "   2.8096" + "    200.00" + "     2.58" + "      9.51" + "   -0.300" +
                    "     0.300" + "     -0.500",
                blanks(6) + "  14.8928" + "    300.00" + "     0.50" + "     14.26" + "   -0.200" +
                    "     0.200" + "     -0.500",
                blanks(6) + "  78.9407" + "    400.00" + "     0.10" + "     19.02" + "   -0.150" +
                    "     0.150" + "     -0.500"});
}

inline std::string unrealizable_message() {
  return lines({"", blanks(6) + "The Impedance requires unrealizable dimensions.",
                blanks(6) + "Conductor SYNTHESIS calculations terminated by Lumo."});
}

inline std::string operation_menu() {
  return lines({"", blanks(6) + "Coaxial Transmission Line calculations completed.",
                blanks(6) + "Select next OPERATION:", blanks(15) + "1. Select new OPTION.",
                blanks(15) + "2. RECYCLE and CONTINUE.",
                blanks(14) + "*3. EXIT to operating system."}) +
         blanks(6) + "OPERATION selected = ";
}

}  // namespace lumo::testing::expected
