// The defaults file Lumo.DEF: a header line, 22 numeric lines and the default
// output file name, each checked as soon as it is read. The first fault is
// reported with the line's label and ends the program (isel = -1).
#include <cmath>
#include <limits>
#include <string_view>

#include "input/lminput.h"

namespace lumo {
namespace {

constexpr Statement<Text> kEndMessage{
    "(6X,'End of file in Lumo default data file ',"
    "/,6X,'(Lumo.DEF). Entry missing for variable ',A11)"};
constexpr Statement<Text> kErrorMessage{
    "(6X,'ERROR exists in Lumo default data file',"
    "/,6X,'(Lumo.DEF). Fix entry for variable ',A11)"};
constexpr Statement<Text> kReservedMessage{
    "(/,6X,'Filename ',A20,' is reserved by Lumo.',"
    "/,6X,'Please rename the default file in (Lumo.DEF).',/)"};

constexpr float kNoLimit = std::numeric_limits<float>::infinity();

// One numeric line: its label, the field it fills and the values it may hold.
struct NumericLine {
  std::string_view label;
  float Blk1::*field;
  float lowest;             // smallest valid value (inclusive)
  float highest;            // largest valid value (inclusive)
  bool above_lowest;        // the value must exceed `lowest` (the steps)
  float Blk1::*ceiling;     // earlier field the value may not exceed
  float Blk1::*under;       // earlier field the value must stay below
  float Blk1::*copy;        // field that also takes the value as entered
  float Blk1::*floor;       // earlier field the value is raised to, silently
};

// Lines 2 to 22 in file order. Frequency and impedance ranges give the
// maximum first, the diameter ranges the minimum first.
constexpr NumericLine kNumericLines[] = {
    {"F.", &Blk1::fdef, 0.001f, 999.99f, false, nullptr, nullptr, nullptr, nullptr},
    {"FMAX.", &Blk1::fmax, 0.0f, 999.99f, false, nullptr, nullptr, nullptr, nullptr},
    {"FMIN.", &Blk1::fmin, 0.001f, kNoLimit, false, &Blk1::fmax, nullptr, nullptr, nullptr},
    {"FSTEP.", &Blk1::fstep, 0.0f, kNoLimit, true, nullptr, nullptr, nullptr, nullptr},
    {"RESB.", &Blk1::resb1, 0.0f, 999.99f, false, nullptr, nullptr, nullptr, nullptr},
    {"RESD.", &Blk1::resd1, 0.0f, 999.99f, false, nullptr, nullptr, nullptr, nullptr},
    {"SRB.", &Blk1::srb1, 0.0f, 999.99f, false, nullptr, nullptr, nullptr, nullptr},
    {"SRD.", &Blk1::srd1, 0.0f, 999.99f, false, nullptr, nullptr, nullptr, nullptr},
    {"ER.", &Blk1::er, 1.0f, 999.99f, false, nullptr, nullptr, nullptr, nullptr},
    {"B.", &Blk1::b, 0.0001f, 99.99f, false, nullptr, nullptr, &Blk1::bdef, nullptr},
    {"BMIN.", &Blk1::bmin, 0.0001f, 99.99f, false, nullptr, nullptr, nullptr, nullptr},
    {"BMAX.", &Blk1::bmax, -kNoLimit, 99.99f, false, nullptr, nullptr, nullptr, &Blk1::bmin},
    {"BSTEP.", &Blk1::bstep, 0.0f, kNoLimit, true, nullptr, nullptr, nullptr, nullptr},
    // The inner diameter stops at 99.9 so that an outer diameter can exceed it.
    {"D.", &Blk1::d, 0.0001f, 99.9f, false, nullptr, &Blk1::b, &Blk1::ddef, nullptr},
    {"DMIN.", &Blk1::dmin, 0.0001f, 99.99f, false, nullptr, nullptr, nullptr, nullptr},
    {"DMAX.", &Blk1::dmax, -kNoLimit, 99.99f, false, nullptr, nullptr, nullptr, &Blk1::dmin},
    {"DSETP.", &Blk1::dstep, 0.0f, kNoLimit, true, nullptr, nullptr, nullptr, nullptr},
    {"DLTAN.", &Blk1::dltan, 0.0f, 99.99f, false, nullptr, nullptr, nullptr, nullptr},
    {"ZMAX.", &Blk1::zmax, 0.01f, 999.99f, false, nullptr, nullptr, nullptr, nullptr},
    {"ZMIN.", &Blk1::zmin, 0.01f, kNoLimit, false, &Blk1::zmax, nullptr, nullptr, nullptr},
    {"ZSTEP.", &Blk1::zstep, 0.0f, kNoLimit, true, nullptr, nullptr, nullptr, nullptr},
};

constexpr std::string_view kHeaderLabel = "1st line.";
constexpr std::string_view kNameLabel = "FN.";

// The label as the messages print it: blank-padded to 20 characters.
Text20 padded(std::string_view label) {
  Text20 t;
  t.fill(' ');
  label.copy(t.data(), t.size());
  return t;
}

// True when the value breaks a check of its line. A NaN breaks every line:
// it is no usable starting value.
bool faulty(const NumericLine& line, const Blk1& v, float x) {
  if (std::isnan(x)) return true;
  if (line.above_lowest ? x <= line.lowest : x < line.lowest) return true;
  if (x > line.highest) return true;
  if (line.ceiling != nullptr && x > v.*line.ceiling) return true;
  if (line.under != nullptr && x >= v.*line.under) return true;
  return false;
}

bool fail(Records& rec, Io& io, const Statement<Text>& message, std::string_view label) {
  rec.blk2.isel = -1;
  say(io, message, {padded(label)});
  return false;
}

bool all_blank(const Text20& name) {
  for (char ch : name) {
    if (ch != ' ') return false;
  }
  return true;
}

}  // namespace

bool load_defaults(Records& rec, Io& io) {
  io.defaults.open(io.dir, "Lumo.DEF", SourcePlace::current());
  if (skip_default_line(io) == LineOutcome::kEnd) {
    return fail(rec, io, kEndMessage, kHeaderLabel);
  }

  Blk1& v = rec.blk1;
  for (const NumericLine& line : kNumericLines) {
    float x = 0;
    LineOutcome got = read_default_number(io, x);
    if (got == LineOutcome::kEnd) return fail(rec, io, kEndMessage, line.label);
    if (got == LineOutcome::kMalformed || faulty(line, v, x)) {
      return fail(rec, io, kErrorMessage, line.label);
    }
    v.*line.field = x;
    if (line.copy != nullptr) v.*line.copy = x;
    if (line.floor != nullptr && x < v.*line.floor) v.*line.field = v.*line.floor;
  }

  Text20 name;
  LineOutcome got = read_default_name(io, name);
  if (got == LineOutcome::kEnd) return fail(rec, io, kEndMessage, kNameLabel);
  if (got == LineOutcome::kMalformed || all_blank(name)) {
    return fail(rec, io, kErrorMessage, kNameLabel);
  }
  if (is_reserved_name(name)) {
    rec.blk2.isel = -1;
    say(io, kReservedMessage, {name});
    return false;
  }
  rec.blk3.fn = name;
  return true;
}

}  // namespace lumo
