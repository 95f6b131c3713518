// The console dialogue: FUNCTION, conductor to synthesize, dimensions and
// materials, OPTION and sweep range, then the storage question. Numeric
// entries are keep-unless-valid: an entry replaces its field only when it lies
// in the field's range, and every test is written as that range, so a NaN
// entry never passes and an empty entry (read as 0) keeps the field.
#include "input/lminput.h"
#include "textio/numeric_entry.h"

namespace lumo {
namespace {

constexpr Statement<std::int32_t, std::int32_t, std::int32_t> kBanner{
    "(//,16X,'Lumo coaxial line calculator - free for any use.',"
    "/,16X,'  RF/Microwave Computer-Aided Engineering Software.',"
    "/,16X,'     Program: Lumo (v. 1.0)    Date: ',I2,'/',I2,'/',I4,/)"};

constexpr Statement<> kIntroduction{
    "(/,12X,'This program performs Impedance ANALYSIS and Dimensional',"
    "/,12X,'SYNTHESIS for COAXIAL transmission lines.')"};
constexpr Statement<> kFunctionMenu{
    "(/,6X,'Please select a Program FUNCTION:',"
    "/,10X,'*1 : ANALYSIS  of Impedances from known Dimensions.  ',"
    "/,11X,'2 : SYNTHESIS of Dimensions from known Impedances.   ')"};
constexpr Statement<> kFunctionPrompt{"(6X,'Program FUNCTION selected = ')"};
constexpr Statement<> kSynthesizedPrompt{
    "(/,6X,'Please enter CONDUCTOR to be SYNTHESIZED (*1=Inner, 2=Outer): ')"};

constexpr Statement<> kDimensionalHeading{"(/,6X,'Please enter the following Dimensional Data:')"};
constexpr Statement<> kOuterPrompt{"(11X,'-Outer Conductor Diameter(B), Inches = ')"};
constexpr Statement<> kInnerPrompt{"(11X,'-Inner Conductor Diameter(D), Inches = ')"};
constexpr Statement<> kDiameterOrder{
    "(/,6X,'OUTER Conductor dimension (= B) must be larger',"
    "/,6X,'than INNER Conductor dimension (= D).',/)"};
constexpr Statement<> kReenterOuter{"(6X,'Please re-enter OUTER conductor dimension, B: ')"};
constexpr Statement<> kReenterInner{"(6X,'Please re-enter INNER conductor dimension, D: ')"};
constexpr Statement<> kErPrompt{"(11X,'-Relative Dielectric Constant, Er    = ')"};
constexpr Statement<> kDltanPrompt{"(11X,'-Dielectric Loss Tangent (DLTAN)     = ')"};
constexpr Statement<> kResistivityHeading{"(11X,'-Conductor Resistivities, micro-Ohm-cm:')"};
constexpr Statement<> kResbPrompt{"(14X,'-Outer Conductor      (RESB)      = ')"};
constexpr Statement<> kResdPrompt{"(14X,'-Inner Conductor      (RESD)      = ')"};
constexpr Statement<> kRoughnessHeading{"(11X,'-RMS Surface Roughness, micro-Inches:')"};
constexpr Statement<> kSrbPrompt{"(14X,'-Outer Conductor      (SRB)       = ')"};
constexpr Statement<> kSrdPrompt{"(14X,'-Inner Conductor      (SRD)       = ')"};

constexpr Statement<> kAnalysisMenu{
    "(/,6X,'Select one of the following Analysis OPTIONS:',"
    "/,9X,'*Option 1: Frequency Analysis of Coax with Loss.  ',"
    "/,10X,'Option 2: Sensitivity Analysis of Zo vs. Dimensions.')"};
constexpr Statement<> kAnalysisPrompt{"(6X,'Analysis OPTION selected = ')"};
constexpr Statement<> kFrequencyHeading{
    "(/,6X,'Please enter Frequency Range for Frequency ANALYSIS:')"};
constexpr Statement<> kStartFrequencyPrompt{"(11X,'-Analysis Start Frequency, GHz = ')"};
constexpr Statement<> kStopFrequencyPrompt{"(11X,'-Analysis Stop  Frequency, GHz = ')"};
constexpr Statement<> kStepFrequencyPrompt{"(11X,'-Analysis Step  Frequency, GHz = ')"};
constexpr Statement<> kVariedPrompt{
    "(/,6X,'Please enter Conductor to be varied (*1=Inner; 2=Outer): ')"};
constexpr Statement<Text> kDiameterRangeHeading{
    "(/,6X,'Please enter range of ',A5,' conductor diameters:')"};
constexpr Statement<> kMinDiameterPrompt{"(11X,'-Minimum Diameter,   Inches = ')"};
constexpr Statement<> kMaxDiameterPrompt{"(11X,'-Maximum Diameter,   Inches = ')"};
constexpr Statement<> kStepDiameterPrompt{"(11X,'-Diameter Step Size, Inches = ')"};

constexpr Statement<> kSynthesisMenu{
    "(/,6X,'Select one of the following Synthesis OPTIONS:',"
    "/,9X,'*Option 1: Diameter Synthesis with Transmission Loss.',"
    "/,10X,'Option 2: Diameter Synthesis with Sensitivity Analysis.')"};
constexpr Statement<> kSynthesisPrompt{"(6X,'Synthesis OPTION selected = ')"};
constexpr Statement<> kImpedanceHeading{"(/,6X,'Please enter range of Impedances for SYNTHESIS:')"};
constexpr Statement<> kMinImpedancePrompt{"(11X,'-Minimum Impedance,   Ohms = ')"};
constexpr Statement<> kMaxImpedancePrompt{"(11X,'-Maximum Impedance,   Ohms = ')"};
constexpr Statement<> kStepImpedancePrompt{"(11X,'-Impedance Step Size, Ohms = ')"};
constexpr Statement<> kLossFrequencyPrompt{
    "(/,6X,'Enter Frequency where Insertion Loss is calculated, GHz = ')"};

// Micro-ohm-cm to ohm-inches (1e-6 / 2.54) and micro-inches to inches.
constexpr float kResistivityScale = 3.937008e-7f;
constexpr float kRoughnessScale = 1e-6f;

// Largest diameter the dialogue accepts, inches.
constexpr float kMaxDiameter = 99.99f;

bool within(float x, float lo, float hi) { return x >= lo && x <= hi; }

// A menu answer: 1 or 2 as rounded, anything else selects choice 1.
std::int32_t menu_choice(float x) {
  std::int32_t c = select_choice(x);
  return (c == 1 || c == 2) ? c : 1;
}

// One conductor data entry (resistivity or roughness), taken when
// 0 < x <= 999.99. The statement place is the caller's, so each of the four entries keeps its own number.
void ask_material(Io& io, const Statement<>& prompt_list, float& field,
                  SourcePlace where = SourcePlace::current()) {
  prompt(io, prompt_list, where);
  float temp = read_number(io, where);
  if (temp > 0.0f && temp <= 999.99f) field = temp;
}

void start_banner(Records& rec, Io& io) {
  const Blk6& t = rec.blk6;
  say(io, kBanner, {t.imon, t.iday, t.iyr});
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
  Blk2& c = rec.blk2;
  say(io, kIntroduction);
  say(io, kFunctionMenu);
  prompt(io, kFunctionPrompt);
  c.ifunc = menu_choice(read_number(io));
  c.isyn = 1;
  if (c.ifunc == 2) {
    prompt(io, kSynthesizedPrompt);
    c.isyn = menu_choice(read_number(io));
  }
}

// While D is not below B the analysis cannot go on: B is asked again. When D
// is already at the largest accepted diameter no B can exceed it, so D is
// asked again instead.
void insist_outer_exceeds_inner(Records& rec, Io& io) {
  Blk1& v = rec.blk1;
  while (v.d >= v.b) {
    say(io, kDiameterOrder);
    if (v.d >= kMaxDiameter) {
      prompt(io, kReenterInner);
      float temp = read_number(io);
      if (within(temp, 0.0001f, kMaxDiameter)) v.d = v.ddef = temp;
    } else {
      prompt(io, kReenterOuter);
      float temp = read_number(io);
      if (within(temp, 0.0001f, kMaxDiameter)) v.b = v.bdef = temp;
    }
  }
}

void ask_dimensions_and_materials(Records& rec, Io& io) {
  Blk1& v = rec.blk1;
  Blk4& m = rec.blk4;
  const bool synthesis = rec.blk2.ifunc == 2;
  float temp = 0;

  say(io, kDimensionalHeading);
  if (!synthesis) {
    // The diameters the run will use: an empty or rejected entry keeps the
    // one last entered, never a value a sweep or synthesis left behind, so
    // the order check below sees exactly what the run gets.
    v.b = v.bdef;
    v.d = v.ddef;
  }
  if (!(synthesis && rec.blk2.isyn == 2)) {
    prompt(io, kOuterPrompt);
    temp = read_number(io);
    if (within(temp, 0.0001f, kMaxDiameter)) v.b = v.bdef = temp;
  }
  if (!(synthesis && rec.blk2.isyn == 1)) {
    prompt(io, kInnerPrompt);
    temp = read_number(io);
    if (within(temp, 0.0001f, kMaxDiameter)) v.d = v.ddef = temp;
  }
  if (!synthesis) insist_outer_exceeds_inner(rec, io);

  prompt(io, kErPrompt);
  temp = read_number(io);
  if (within(temp, 1.0f, 999.99f)) v.er = temp;
  if (v.er == 1.0f) {
    // Air has no dielectric loss.
    v.dltan = 0.0f;
  } else {
    prompt(io, kDltanPrompt);
    temp = read_number(io);
    if (temp > 0.0f && temp <= 99.999f) v.dltan = temp;
  }

  say(io, kResistivityHeading);
  ask_material(io, kResbPrompt, v.resb1);
  ask_material(io, kResdPrompt, v.resd1);

  say(io, kRoughnessHeading);
  ask_material(io, kSrbPrompt, v.srb1);
  ask_material(io, kSrdPrompt, v.srd1);
  // Recomputed whether or not the entries were taken.
  m = conductor_data(v);
}

void ask_frequency_range(Records& rec, Io& io) {
  Blk1& v = rec.blk1;
  say(io, kFrequencyHeading);
  prompt(io, kStartFrequencyPrompt);
  float temp = read_number(io);
  if (temp > 0.001f && temp <= 999.99f) v.fmin = temp;
  prompt(io, kStopFrequencyPrompt);
  temp = read_number(io);
  if (temp > 0.0f && temp <= 999.99f) v.fmax = temp;
  if (v.fmin > v.fmax) v.fmax = v.fmin;
  prompt(io, kStepFrequencyPrompt);
  temp = read_number(io);
  if (temp > 0.0f) v.fstep = temp;
  rec.blk2.l = step_count(v.fmin, v.fmax, v.fstep);
}

// The range of the conductor the sensitivity run varies: D (idia = 1) or B.
void ask_diameter_range(Records& rec, Io& io) {
  Blk1& v = rec.blk1;
  Blk2& c = rec.blk2;
  prompt(io, kVariedPrompt);
  c.idia = 1;
  c.idia = menu_choice(read_number(io));
  const bool inner = c.idia == 1;
  float& min = inner ? v.dmin : v.bmin;
  float& max = inner ? v.dmax : v.bmax;
  float& step = inner ? v.dstep : v.bstep;

  say(io, kDiameterRangeHeading, {inner ? "INNER" : "OUTER"});
  prompt(io, kMinDiameterPrompt);
  float temp = read_number(io);
  if (within(temp, 0.0001f, kMaxDiameter)) min = temp;
  prompt(io, kMaxDiameterPrompt);
  temp = read_number(io);
  if (within(temp, 0.0001f, kMaxDiameter)) max = temp;
  if (min > max) max = min;
  prompt(io, kStepDiameterPrompt);
  temp = read_number(io);
  if (temp > 0.0f) step = temp;
  c.l = step_count(min, max, step);
}

void ask_analysis_option(Records& rec, Io& io) {
  say(io, kAnalysisMenu);
  prompt(io, kAnalysisPrompt);
  rec.blk2.iop = menu_choice(read_number(io));
  if (rec.blk2.iop == 1) {
    ask_frequency_range(rec, io);
  } else {
    ask_diameter_range(rec, io);
  }
}

void ask_synthesis_option(Records& rec, Io& io) {
  Blk1& v = rec.blk1;
  say(io, kSynthesisMenu);
  prompt(io, kSynthesisPrompt);
  rec.blk2.iop = menu_choice(read_number(io));

  say(io, kImpedanceHeading);
  prompt(io, kMinImpedancePrompt);
  float temp = read_number(io);
  if (within(temp, 0.01f, 999.99f)) v.zmin = temp;
  prompt(io, kMaxImpedancePrompt);
  temp = read_number(io);
  if (within(temp, 0.01f, 999.99f)) v.zmax = temp;
  if (v.zmin > v.zmax) v.zmax = v.zmin;
  prompt(io, kStepImpedancePrompt);
  temp = read_number(io);
  if (temp > 0.0f) v.zstep = temp;
  rec.blk2.l = step_count(v.zmin, v.zmax, v.zstep);

  if (rec.blk2.iop == 1) {
    prompt(io, kLossFrequencyPrompt);
    temp = read_number(io);
    if (temp > 0.0f && temp <= 999.99f) v.fdef = temp;
  }
}

}  // namespace

void lminput(Records& rec, Io& io) {
  Blk2& c = rec.blk2;
  c.iop = 1;
  if (c.isel != 1) {
    if (c.isel == 2) {
      start_banner(rec, io);
      c.ifunc = 1;
    } else {
      c.isel = 0;
      c.istore = 0;
      c.ifunc = 1;
      if (!load_defaults(rec, io)) return;
      take_date_and_time(rec, io);
      start_banner(rec, io);
    }
    ask_function(rec, io);
    ask_dimensions_and_materials(rec, io);
  }
  if (c.ifunc == 2) {
    ask_synthesis_option(rec, io);
  } else {
    ask_analysis_option(rec, io);
  }
  c.istore = 0;
  select_output_file(rec, io);
}

Blk4 conductor_data(const Blk1& entered) {
  Blk4 m;
  m.resb = entered.resb1 * kResistivityScale;
  m.resd = entered.resd1 * kResistivityScale;
  m.srb = entered.srb1 * kRoughnessScale;
  m.srd = entered.srd1 * kRoughnessScale;
  return m;
}

std::int32_t step_count(float min, float max, float step) {
  // The quotient is formed in double so that a count like 9.0001 is not lost
  // to single-precision rounding; the sum is then stored as a float.
  const double steps = (static_cast<double>(max) - static_cast<double>(min)) /
                           static_cast<double>(step) +
                       0.0001;
  const float count = static_cast<float>(steps);
  // A count beyond the 32-bit range (a tiny step over a wide range) or not a
  // number at all is held at the largest row index.
  if (!(count < 2147483648.0f)) return 2147483647;
  if (count <= -2147483648.0f) return -2147483647 - 1;
  return static_cast<std::int32_t>(count);
}

}  // namespace lumo
