// The console dialogue: FUNCTION, conductor to synthesize, dimensions and
// materials, OPTION and sweep range, then the storage question. Numeric
// entries are keep-unless-valid: an entry replaces its field only when it lies
// in the field's range, and every test is written as that range, so a NaN
// entry never passes and an empty entry (read as 0) keeps the field.
#include "input/lminput.h"

#include "input/ranges.h"
#include "textio/numeric_entry.h"

namespace lumo {
namespace {

constexpr Statement<std::int32_t, std::int32_t, std::int32_t> kBanner{
    Stmt::kBanner,
    "(//,16X,'Lumo coaxial line calculator - free for any use.',"
    "/,16X,'  RF/Microwave Computer-Aided Engineering Software.',"
    "/,16X,'     Program: Lumo (v. 1.0)    Date: ',I2,'/',I2,'/',I4,/)"};

constexpr Statement<> kIntroduction{
    Stmt::kIntroduction,
    "(/,12X,'This program performs Impedance ANALYSIS and Dimensional',"
    "/,12X,'SYNTHESIS for COAXIAL transmission lines.')"};
constexpr Statement<> kFunctionMenu{
    Stmt::kFunctionMenu,
    "(/,6X,'Please select a Program FUNCTION:',"
    "/,10X,'*1 : ANALYSIS  of Impedances from known Dimensions.  ',"
    "/,11X,'2 : SYNTHESIS of Dimensions from known Impedances.   ')"};
constexpr Statement<> kFunctionPrompt{Stmt::kFunctionPrompt, "(6X,'Program FUNCTION selected = ')"};
constexpr Statement<> kSynthesizedPrompt{
    Stmt::kSynthesizedPrompt,
    "(/,6X,'Please enter CONDUCTOR to be SYNTHESIZED (*1=Inner, 2=Outer): ')"};

constexpr Statement<> kDimensionalHeading{Stmt::kDimensionalHeading,
                                          "(/,6X,'Please enter the following Dimensional Data:')"};
constexpr Statement<> kOuterPrompt{Stmt::kOuterPrompt,
                                   "(11X,'-Outer Conductor Diameter(B), Inches = ')"};
constexpr Statement<> kInnerPrompt{Stmt::kInnerPrompt,
                                   "(11X,'-Inner Conductor Diameter(D), Inches = ')"};
constexpr Statement<> kDiameterOrder{Stmt::kDiameterOrder,
                                     "(/,6X,'OUTER Conductor dimension (= B) must be larger',"
                                     "/,6X,'than INNER Conductor dimension (= D).',/)"};
constexpr Statement<> kReenterOuterPrompt{Stmt::kReenterOuterPrompt,
                                          "(6X,'Please re-enter OUTER conductor dimension, B: ')"};
constexpr Statement<> kReenterInnerPrompt{Stmt::kReenterInnerPrompt,
                                          "(6X,'Please re-enter INNER conductor dimension, D: ')"};
constexpr Statement<> kErPrompt{Stmt::kErPrompt, "(11X,'-Relative Dielectric Constant, Er    = ')"};
constexpr Statement<> kDltanPrompt{Stmt::kDltanPrompt,
                                   "(11X,'-Dielectric Loss Tangent (DLTAN)     = ')"};
constexpr Statement<> kResistivityHeading{Stmt::kResistivityHeading,
                                          "(11X,'-Conductor Resistivities, micro-Ohm-cm:')"};
constexpr Statement<> kResbPrompt{Stmt::kResbPrompt,
                                  "(14X,'-Outer Conductor      (RESB)      = ')"};
constexpr Statement<> kResdPrompt{Stmt::kResdPrompt,
                                  "(14X,'-Inner Conductor      (RESD)      = ')"};
constexpr Statement<> kRoughnessHeading{Stmt::kRoughnessHeading,
                                        "(11X,'-RMS Surface Roughness, micro-Inches:')"};
constexpr Statement<> kSrbPrompt{Stmt::kSrbPrompt, "(14X,'-Outer Conductor      (SRB)       = ')"};
constexpr Statement<> kSrdPrompt{Stmt::kSrdPrompt, "(14X,'-Inner Conductor      (SRD)       = ')"};

constexpr Statement<> kAnalysisMenu{
    Stmt::kAnalysisMenu,
    "(/,6X,'Select one of the following Analysis OPTIONS:',"
    "/,9X,'*Option 1: Frequency Analysis of Coax with Loss.  ',"
    "/,10X,'Option 2: Sensitivity Analysis of Zo vs. Dimensions.')"};
constexpr Statement<> kAnalysisPrompt{Stmt::kAnalysisPrompt, "(6X,'Analysis OPTION selected = ')"};
constexpr Statement<> kFrequencyHeading{
    Stmt::kFrequencyHeading, "(/,6X,'Please enter Frequency Range for Frequency ANALYSIS:')"};
constexpr Statement<> kStartFrequencyPrompt{Stmt::kStartFrequencyPrompt,
                                            "(11X,'-Analysis Start Frequency, GHz = ')"};
constexpr Statement<> kStopFrequencyPrompt{Stmt::kStopFrequencyPrompt,
                                           "(11X,'-Analysis Stop  Frequency, GHz = ')"};
constexpr Statement<> kStepFrequencyPrompt{Stmt::kStepFrequencyPrompt,
                                           "(11X,'-Analysis Step  Frequency, GHz = ')"};
constexpr Statement<> kVariedPrompt{
    Stmt::kVariedPrompt, "(/,6X,'Please enter Conductor to be varied (*1=Inner; 2=Outer): ')"};
constexpr Statement<Text> kDiameterRangeHeading{
    Stmt::kDiameterRangeHeading, "(/,6X,'Please enter range of ',A5,' conductor diameters:')"};
constexpr Statement<> kMinDiameterPrompt{Stmt::kMinDiameterPrompt,
                                         "(11X,'-Minimum Diameter,   Inches = ')"};
constexpr Statement<> kMaxDiameterPrompt{Stmt::kMaxDiameterPrompt,
                                         "(11X,'-Maximum Diameter,   Inches = ')"};
constexpr Statement<> kStepDiameterPrompt{Stmt::kStepDiameterPrompt,
                                          "(11X,'-Diameter Step Size, Inches = ')"};

constexpr Statement<> kSynthesisMenu{
    Stmt::kSynthesisMenu,
    "(/,6X,'Select one of the following Synthesis OPTIONS:',"
    "/,9X,'*Option 1: Diameter Synthesis with Transmission Loss.',"
    "/,10X,'Option 2: Diameter Synthesis with Sensitivity Analysis.')"};
constexpr Statement<> kSynthesisPrompt{Stmt::kSynthesisPrompt,
                                       "(6X,'Synthesis OPTION selected = ')"};
constexpr Statement<> kImpedanceHeading{Stmt::kImpedanceHeading,
                                        "(/,6X,'Please enter range of Impedances for SYNTHESIS:')"};
constexpr Statement<> kMinImpedancePrompt{Stmt::kMinImpedancePrompt,
                                          "(11X,'-Minimum Impedance,   Ohms = ')"};
constexpr Statement<> kMaxImpedancePrompt{Stmt::kMaxImpedancePrompt,
                                          "(11X,'-Maximum Impedance,   Ohms = ')"};
constexpr Statement<> kStepImpedancePrompt{Stmt::kStepImpedancePrompt,
                                           "(11X,'-Impedance Step Size, Ohms = ')"};
constexpr Statement<> kLossFrequencyPrompt{
    Stmt::kLossFrequencyPrompt,
    "(/,6X,'Enter Frequency where Insertion Loss is calculated, GHz = ')"};

// Micro-ohm-cm to ohm-inches (1e-6 / 2.54) and micro-inches to inches.
constexpr float kResistivityScale = 3.937008e-7f;
constexpr float kRoughnessScale = 1e-6f;

// One numeric entry: the prompt, then the entry (statement `entry`), stored
// in `field` only when it lies in `accepted`; true when stored.
bool ask_number(Io& io, const Statement<>& prompt_list, Stmt entry, AcceptedRange accepted,
                float& field) {
  prompt(io, prompt_list);
  const float x = read_number(io, entry);
  if (!accepted.contains(x)) return false;
  field = x;
  return true;
}

// A menu question: 1 or 2 as the answer rounds, anything else selects 1.
std::int32_t ask_choice(Io& io, const Statement<>& prompt_list, Stmt entry) {
  prompt(io, prompt_list);
  const std::int32_t choice = select_choice(read_number(io, entry));
  return (choice == 1 || choice == 2) ? choice : 1;
}

void start_banner(Records& rec, Io& io) {
  const Blk6& started = rec.blk6;
  say(io, kBanner, {started.imon, started.iday, started.iyr});
}

void take_date_and_time(Records& rec, Io& io) {
  LocalTime now = io.clock();
  rec.blk6.imon = now.month;
  rec.blk6.iday = now.day;
  rec.blk6.iyr = now.year;
  rec.blk6.ihr = now.hour;
  rec.blk6.imin = now.minute;
  rec.blk6.isec = now.second;
}

void ask_function(Records& rec, Io& io) {
  Blk2& choices = rec.blk2;
  say(io, kIntroduction);
  say(io, kFunctionMenu);
  choices.ifunc = ask_choice(io, kFunctionPrompt, Stmt::kFunctionEntry);
  choices.isyn = 1;
  if (choices.ifunc == 2)
    choices.isyn = ask_choice(io, kSynthesizedPrompt, Stmt::kSynthesizedEntry);
}

// While D is not below B the analysis cannot go on: B is asked again. When D
// is already at the largest accepted diameter no B can exceed it, so D is
// asked again instead.
void insist_outer_exceeds_inner(Records& rec, Io& io) {
  Blk1& inputs = rec.blk1;
  while (inputs.d >= inputs.b) {
    say(io, kDiameterOrder);
    if (inputs.d >= kDiameterRange.high) {
      if (ask_number(io, kReenterInnerPrompt, Stmt::kReenterInnerEntry, kDiameterRange,
                     inputs.ddef))
        inputs.d = inputs.ddef;
    } else {
      if (ask_number(io, kReenterOuterPrompt, Stmt::kReenterOuterEntry, kDiameterRange,
                     inputs.bdef))
        inputs.b = inputs.bdef;
    }
  }
}

void ask_dimensions_and_materials(Records& rec, Io& io) {
  Blk1& inputs = rec.blk1;
  const bool synthesis = rec.blk2.ifunc == 2;

  say(io, kDimensionalHeading);
  if (!synthesis) {
    // The diameters the run will use: an empty or rejected entry keeps the
    // one last entered, never a value a sweep or synthesis left behind, so
    // the order check below sees exactly what the run gets.
    inputs.b = inputs.bdef;
    inputs.d = inputs.ddef;
  }
  if (!(synthesis && rec.blk2.isyn == 2)) {
    if (ask_number(io, kOuterPrompt, Stmt::kOuterEntry, kDiameterRange, inputs.bdef))
      inputs.b = inputs.bdef;
  }
  if (!(synthesis && rec.blk2.isyn == 1)) {
    if (ask_number(io, kInnerPrompt, Stmt::kInnerEntry, kDiameterRange, inputs.ddef))
      inputs.d = inputs.ddef;
  }
  if (!synthesis) insist_outer_exceeds_inner(rec, io);

  ask_number(io, kErPrompt, Stmt::kErEntry, kDielectricConstantRange, inputs.er);
  if (inputs.er == 1.0f) {
    // Air has no dielectric loss.
    inputs.dltan = 0.0f;
  } else {
    ask_number(io, kDltanPrompt, Stmt::kDltanEntry, kLossTangentEntry, inputs.dltan);
  }

  say(io, kResistivityHeading);
  ask_number(io, kResbPrompt, Stmt::kResbEntry, kMaterialEntry, inputs.resb1);
  ask_number(io, kResdPrompt, Stmt::kResdEntry, kMaterialEntry, inputs.resd1);

  say(io, kRoughnessHeading);
  ask_number(io, kSrbPrompt, Stmt::kSrbEntry, kMaterialEntry, inputs.srb1);
  ask_number(io, kSrdPrompt, Stmt::kSrdEntry, kMaterialEntry, inputs.srd1);
  // Recomputed whether or not the entries were taken.
  rec.blk4 = conductor_data(inputs);
}

void ask_frequency_range(Records& rec, Io& io) {
  Blk1& inputs = rec.blk1;
  say(io, kFrequencyHeading);
  ask_number(io, kStartFrequencyPrompt, Stmt::kStartFrequencyEntry, kStartFrequencyEntry,
             inputs.fmin);
  ask_number(io, kStopFrequencyPrompt, Stmt::kStopFrequencyEntry, kFrequencyEntry, inputs.fmax);
  if (inputs.fmin > inputs.fmax) inputs.fmax = inputs.fmin;
  ask_number(io, kStepFrequencyPrompt, Stmt::kStepFrequencyEntry, kStepRange, inputs.fstep);
  rec.blk2.l = step_count(inputs.fmin, inputs.fmax, inputs.fstep);
}

// The range of the conductor the sensitivity run varies: D (idia = 1) or B.
void ask_diameter_range(Records& rec, Io& io) {
  Blk1& inputs = rec.blk1;
  rec.blk2.idia = ask_choice(io, kVariedPrompt, Stmt::kVariedEntry);
  const bool inner = rec.blk2.idia == 1;
  float& min = inner ? inputs.dmin : inputs.bmin;
  float& max = inner ? inputs.dmax : inputs.bmax;
  float& step = inner ? inputs.dstep : inputs.bstep;

  say(io, kDiameterRangeHeading, {inner ? "INNER" : "OUTER"});
  ask_number(io, kMinDiameterPrompt, Stmt::kMinDiameterEntry, kDiameterRange, min);
  ask_number(io, kMaxDiameterPrompt, Stmt::kMaxDiameterEntry, kDiameterRange, max);
  if (min > max) max = min;
  ask_number(io, kStepDiameterPrompt, Stmt::kStepDiameterEntry, kStepRange, step);
  rec.blk2.l = step_count(min, max, step);
}

void ask_analysis_option(Records& rec, Io& io) {
  say(io, kAnalysisMenu);
  rec.blk2.iop = ask_choice(io, kAnalysisPrompt, Stmt::kAnalysisEntry);
  if (rec.blk2.iop == 1) {
    ask_frequency_range(rec, io);
  } else {
    ask_diameter_range(rec, io);
  }
}

void ask_synthesis_option(Records& rec, Io& io) {
  Blk1& inputs = rec.blk1;
  say(io, kSynthesisMenu);
  rec.blk2.iop = ask_choice(io, kSynthesisPrompt, Stmt::kSynthesisEntry);

  say(io, kImpedanceHeading);
  ask_number(io, kMinImpedancePrompt, Stmt::kMinImpedanceEntry, kImpedanceRange, inputs.zmin);
  ask_number(io, kMaxImpedancePrompt, Stmt::kMaxImpedanceEntry, kImpedanceRange, inputs.zmax);
  if (inputs.zmin > inputs.zmax) inputs.zmax = inputs.zmin;
  ask_number(io, kStepImpedancePrompt, Stmt::kStepImpedanceEntry, kStepRange, inputs.zstep);
  rec.blk2.l = step_count(inputs.zmin, inputs.zmax, inputs.zstep);

  if (rec.blk2.iop == 1)
    ask_number(io, kLossFrequencyPrompt, Stmt::kLossFrequencyEntry, kFrequencyEntry, inputs.fdef);
}

}  // namespace

void lminput(Records& rec, Io& io) {
  Blk2& choices = rec.blk2;
  choices.iop = 1;
  if (choices.isel != 1) {
    if (choices.isel == 2) {
      start_banner(rec, io);
      choices.ifunc = 1;
    } else {
      choices.isel = 0;
      choices.istore = 0;
      choices.ifunc = 1;
      if (!load_defaults(rec, io)) return;
      take_date_and_time(rec, io);
      start_banner(rec, io);
    }
    ask_function(rec, io);
    ask_dimensions_and_materials(rec, io);
  }
  if (choices.ifunc == 2) {
    ask_synthesis_option(rec, io);
  } else {
    ask_analysis_option(rec, io);
  }
  // The storage question resets istore first.
  select_output_file(rec, io);
}

Blk4 conductor_data(const Blk1& entered) {
  Blk4 model;
  model.resb = entered.resb1 * kResistivityScale;
  model.resd = entered.resd1 * kResistivityScale;
  model.srb = entered.srb1 * kRoughnessScale;
  model.srd = entered.srd1 * kRoughnessScale;
  return model;
}

std::int32_t step_count(float min, float max, float step) {
  // The quotient is formed in double so that a count like 9.0001 is not lost
  // to single-precision rounding; the sum is then stored as a float.
  const double steps =
      (static_cast<double>(max) - static_cast<double>(min)) / static_cast<double>(step) + 0.0001;
  const float count = static_cast<float>(steps);
  // A count beyond the 32-bit range (a tiny step over a wide range) or not a
  // number at all is held at the largest row index.
  if (!(count < 2147483648.0f)) return 2147483647;
  if (count <= -2147483648.0f) return -2147483647 - 1;
  return static_cast<std::int32_t>(count);
}

}  // namespace lumo
