// The defaults file Lumo.DEF: a header line, 22 numeric lines and the default
// output file name, each checked as soon as it is read. The first fault is
// reported with the line's label and ends the program (isel = -1).
#include <string_view>

#include "input/lminput.h"
#include "input/ranges.h"

namespace lumo {
namespace {

constexpr Statement<Text> kEndMessage{Stmt::kDefaultsEndMessage,
                                      "(6X,'End of file in Lumo default data file ',"
                                      "/,6X,'(Lumo.DEF). Entry missing for variable ',A11)"};
constexpr Statement<Text> kErrorMessage{Stmt::kDefaultsErrorMessage,
                                        "(6X,'ERROR exists in Lumo default data file',"
                                        "/,6X,'(Lumo.DEF). Fix entry for variable ',A11)"};
constexpr Statement<Text> kReservedMessage{
    Stmt::kDefaultsReservedMessage,
    "(/,6X,'Filename ',A20,' is reserved by Lumo.',"
    "/,6X,'Please rename the default file in (Lumo.DEF).',/)"};

// One numeric line: its label, the field it fills and the values it may hold.
struct NumericLine {
  std::string_view label;
  float Blk1::*field;
  AcceptedRange valid;
  float Blk1::*ceiling = nullptr;  // earlier field the value may not exceed
  float Blk1::*under = nullptr;    // earlier field the value must stay below
  float Blk1::*copy = nullptr;     // field that also takes the value as read
  float Blk1::*floor = nullptr;    // earlier field the value is raised to, silently
};

// Lines 2 to 22 in file order. Frequency and impedance ranges give the
// maximum first, the diameter ranges the minimum first.
constexpr NumericLine kNumericLines[] = {
    {.label = "F.", .field = &Blk1::fdef, .valid = kFrequencyDefault},
    {.label = "FMAX.", .field = &Blk1::fmax, .valid = kMaxFrequencyDefault},
    {.label = "FMIN.", .field = &Blk1::fmin, .valid = kMinFrequencyDefault, .ceiling = &Blk1::fmax},
    {.label = "FSTEP.", .field = &Blk1::fstep, .valid = kStepRange},
    {.label = "RESB.", .field = &Blk1::resb1, .valid = kMaterialDefault},
    {.label = "RESD.", .field = &Blk1::resd1, .valid = kMaterialDefault},
    {.label = "SRB.", .field = &Blk1::srb1, .valid = kMaterialDefault},
    {.label = "SRD.", .field = &Blk1::srd1, .valid = kMaterialDefault},
    {.label = "ER.", .field = &Blk1::er, .valid = kDielectricConstantRange},
    {.label = "B.", .field = &Blk1::b, .valid = kDiameterRange, .copy = &Blk1::bdef},
    {.label = "BMIN.", .field = &Blk1::bmin, .valid = kDiameterRange},
    {.label = "BMAX.", .field = &Blk1::bmax, .valid = kMaxDiameterDefault, .floor = &Blk1::bmin},
    {.label = "BSTEP.", .field = &Blk1::bstep, .valid = kStepRange},
    {.label = "D.",
     .field = &Blk1::d,
     .valid = kInnerDiameterDefault,
     .under = &Blk1::b,
     .copy = &Blk1::ddef},
    {.label = "DMIN.", .field = &Blk1::dmin, .valid = kDiameterRange},
    {.label = "DMAX.", .field = &Blk1::dmax, .valid = kMaxDiameterDefault, .floor = &Blk1::dmin},
    {.label = "DSETP.", .field = &Blk1::dstep, .valid = kStepRange},
    {.label = "DLTAN.", .field = &Blk1::dltan, .valid = kLossTangentDefault},
    {.label = "ZMAX.", .field = &Blk1::zmax, .valid = kImpedanceRange},
    {.label = "ZMIN.", .field = &Blk1::zmin, .valid = kMinImpedanceDefault, .ceiling = &Blk1::zmax},
    {.label = "ZSTEP.", .field = &Blk1::zstep, .valid = kStepRange},
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

// True when the value breaks a check of its line. A NaN lies in no range, so
// it breaks every line: it is no usable starting value.
bool faulty(const NumericLine& line, const Blk1& inputs, float x) {
  if (!line.valid.contains(x)) return true;
  if (line.ceiling != nullptr && x > inputs.*line.ceiling) return true;
  if (line.under != nullptr && x >= inputs.*line.under) return true;
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
  // A defaults channel connected by the caller (the command line's chosen
  // file or built-in copy) is read as it is; the dialogue opens Lumo.DEF.
  if (!io.defaults.is_open()) io.defaults.open(io.dir, "Lumo.DEF", Stmt::kOpenDefaults);
  if (skip_default_line(io) == LineOutcome::kEnd) {
    return fail(rec, io, kEndMessage, kHeaderLabel);
  }

  Blk1& inputs = rec.blk1;
  for (const NumericLine& line : kNumericLines) {
    float x = 0;
    LineOutcome got = read_default_number(io, x);
    if (got == LineOutcome::kEnd) return fail(rec, io, kEndMessage, line.label);
    if (got == LineOutcome::kMalformed || faulty(line, inputs, x)) {
      return fail(rec, io, kErrorMessage, line.label);
    }
    inputs.*line.field = x;
    if (line.copy != nullptr) inputs.*line.copy = x;
    if (line.floor != nullptr && x < inputs.*line.floor) inputs.*line.field = inputs.*line.floor;
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
