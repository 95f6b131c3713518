#include "driver/report_writer.h"

#include "driver/run_support.h"

namespace lumo {

namespace {

// Version, the program's start date and time, the notice line and the two
// title lines. Each clock field is blank-filled, never zero-filled.
constexpr Statement<std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                    std::int32_t>
    kReportHeader{Stmt::kReportHeader,
                  "(/,6X,72(1H-),/,8X, 'Lumo (v. 1.0)',22X,' Date:',I2,'/',I2,'/',I4, "
                  "' at ',I2,':',I2,':',I2,'Hours',/,16X,"
                  "'Coaxial line design report, single precision.',"
                  "/,16X, ' RF/Microwave Computer-Aided Engineering Design Data',/,16X, "
                  "'          For Coaxial Transmission Lines.')"};

constexpr Statement<> kClosingRule{Stmt::kClosingRule, "(6X,72(1H-))"};
constexpr Statement<Text, Text> kStoredIn{Stmt::kStoredIn,
                                          "(6X,A12,'Data stored in User filename: ',A20)"};

// Frequency analysis: entered data and line constants, the conductor data as
// the user gave them.
constexpr Statement<float, float, float, float, float, std::int32_t, float, float, float, float,
                    float, float>
    kFrequencyHeader{Stmt::kFrequencyHeader,
                     "(/,8X, 'B   =',F8.4,'\"',11X,'Frequency Analysis',9X, 'SRB =',F8.3,'u\"',/, "
                     "8X,'D   =',F8.4,'\"',10X,20(1H=),8X,'SRD =',F8.3,'u\"',/, "
                     "8X,'Er  =',F7.3,17X,'(OPTION ',I1,')',11X,'DLTAN =',F8.5,/, "
                     "8X,'Zo  =',F7.2,' Ohms',34X,'RESB =',F8.3,/, "
                     "8X,'CAP =',F7.2,' pF/Inch',31X,'RESD =',F8.3,/, "
                     "8X,'IND =',F7.2,' nH/Inch')"};

constexpr Statement<> kFrequencyHeadings{
    Stmt::kFrequencyHeadings,
    "(/,42X,'Transmission Losses  (dB/Foot)',/,17X, '   Wavelength,Inches ',38(1H-),/,10X, "
    "'Freq.     Free-              Conductor Losses    Dielec.    Total',/,10X, "
    "'(GHz)     Space    \"Guide\"    Inner    Outer      Loss      Loss',/,8X, 68(1H-))"};

// Frequency, free-space and in-line wavelength, inner, outer, dielectric and
// total loss.
constexpr Statement<float, float, float, float, float, float, float> kFrequencyRow{
    Stmt::kFrequencyRow, "(8X,F8.3,F10.3,F10.3,F10.4,F9.4,F11.4,F10.4)"};

constexpr Statement<float, float> kFrequencyClosing{
    Stmt::kFrequencyClosing,
    "(/,9X,'TE11 Mode Cutoff = ',F8.3,' GHz;', 3X,'Peak Power (In Air) = ',F8.2,' kW')"};

// Fields: the varied conductor's title ("Outer"/"Inner") and letter ("B"/"D").
constexpr Statement<Text, Text> kSensitivityHeadings{
    Stmt::kSensitivityHeadings,
    "(/,47X,'Sensitivity of Impedance to:',/,6X,4X,A5, 14X,'TE11',6X,'Peak',3X,30(1H-),/,9X, "
    "'Cond.(',A1,')',5X,'Zo',5X,'Cutoff',4X,'Power',4X,'Inner', 5X,'Outer',5X,'Dielec.',/,"
    "6X,3X,'(Inches)',3X,'(Ohms)',3X, '(GHz)',5X,'(kW)',5X,'Cond.',5X,'Cond.',5X,'Constant', "
    "/,8X,68(1H-))"};

// Diameter (inches), Zo (ohms), cut-off (GHz), peak power (kW), then the
// sensitivities of Zo to D, to B and to Er.
constexpr Statement<float, float, float, float, float, float, float> kSensitivityRow{
    Stmt::kSensitivityRow, "(6X,F9.4,F10.2,F9.2,F10.2,F9.3,F10.3,F11.3)"};

constexpr Statement<Text, float, float, std::int32_t> kSensitivityHeader{
    Stmt::kSensitivityHeader,
    "(/,8X,A3,F8.4,'\"',11X,'Sensitivity Analysis',11X, 'Er  =',F7.3,/,30X,22(1H=),/,"
    "36X,'(OPTION ',I1,')')"};

constexpr Statement<Text, float, float, std::int32_t> kSynthesisSensitivityHeader{
    Stmt::kSynthesisSensitivityHeader,
    "(/,6X,2X,A3,F7.4,'\"',10X,'Synthesis with Sensitivity', 10X,'Er =',F7.3,/,"
    "6X,22X,28(1H=),/,6X,31X,'(OPTION ',I1,')')"};

constexpr Statement<float, Text, float, float, float, float, std::int32_t, float, float>
    kSynthesisLossHeader{
        Stmt::kSynthesisLossHeader,
        "(/,6X,2X,'SRB   =',F8.3,'u\"',6X,'Dimensional ', 'Synthesis',12X,A3,F7.4,'\"',/,6X, "
        "2X,'SRD   =',F8.3,'u\"',5X,23(1H=),10X,'Er =',F7.3,/,6X, "
        "2X,'DLTAN =',F8.4,14X,'(OPTION ',I1,')',/,6X, "
        "2X,'RESB  =',F8.3,/,6X,2X,'RESD  =',F8.3)"};

// Fields: the insertion-loss frequency, the synthesized conductor's title and
// letter.
constexpr Statement<float, Text, Text> kSynthesisLossHeadings{
    Stmt::kSynthesisLossHeadings,
    "(/,6X, 44X,'Transmission Loss at',/,6X,43X,F7.3,1X,'GHz',1X, '(dB/Foot)',/,"
    "6X,2X,A5,13X,'TE11',5X,'Peak',3X,36(1H-),/,6X, "
    "1X,'Cond.(',A1,')',4X,'Zo',5X,'Cutoff',3X,'Power',3X, "
    "'Conductor',1X,'Losses',3X,'Dielec.',3X,'Total',/,6X, "
    "1X,'(Inches)',2X,'(Ohms)',3X,'(GHz)',4X,'(kW)',5X, "
    "'Inner',4X,'Outer',5X,'Loss',5X,'Loss',/,6X,72(1H-))"};

// Diameter, wanted Zo, cut-off, peak power, inner, outer, dielectric and total
// loss.
constexpr Statement<float, float, float, float, float, float, float, float> kSynthesisLossRow{
    Stmt::kSynthesisLossRow, "(6X,F7.4,F9.2,F9.2,F9.2,F9.4,F9.4,F10.4,F9.4)"};

constexpr Statement<> kUnrealizable{
    Stmt::kUnrealizable,
    "(/,6X, 'The Impedance requires unrealizable dimensions.',/,6X, "
    "'Conductor SYNTHESIS calculations terminated by Lumo.')"};

}  // namespace

template <class... Ts>
void ReportWriter::both(const Statement<Ts...>& st,
                        const std::type_identity_t<Values<Ts...>>& values) {
  // Formatted once: the file's channel takes the same bytes. The console's
  // statement ends (and may fail) first.
  say_fields(io_, st.list(), values.fields, st.id(), store_ ? &io_.data.channel() : nullptr);
  if (store_) io_.data.end_statement(st.id());
}

template <class... Ts>
void ReportWriter::block(const Statement<Ts...>& st,
                         const std::type_identity_t<Values<Ts...>>& values) {
  line_.clear();
  format_statement(line_, st, values);
  say_text(io_, line_, st.id());
  if (store_) held_[held_count_++] = {line_, st.id()};
}

void ReportWriter::end_block() {
  for (int i = 0; i < held_count_; ++i) {
    io_.data.channel().append(held_[i].text);
    io_.data.end_statement(held_[i].where);
  }
  held_count_ = 0;
}

void ReportWriter::report_header(const Blk6& t, std::string_view file_name) {
  block(kReportHeader, {t.imon, t.iday, t.iyr, t.ihr, t.imin, t.isec});
  if (store_) {
    // The same name chosen again keeps the file and its earlier reports;
    // another name closes the earlier file complete.
    io_.data.connect(io_.dir, file_name, io_.defaults, Stmt::kConnectOutputFile);
  }
  end_block();
}

void ReportWriter::report_trailer(const Text20& label, const Text20& file_name) {
  both(kClosingRule);
  if (store_) both(kStoredIn, {label, file_name});
}

void ReportWriter::frequency_header(const FrequencyHeader& h) {
  const Materials& m = h.materials;
  block(kFrequencyHeader,
        {h.b, m.srb, h.d, m.srd, h.er, h.option, m.dltan, h.zo, m.resb, h.ccap, m.resd, h.cind});
  block(kFrequencyHeadings);
  end_block();
}

void ReportWriter::frequency_row(const FrequencyRow& r) {
  both(kFrequencyRow, {r.freq, r.lambda0, r.lambda_g, r.loss_inner, r.loss_outer, r.loss_dielectric,
                       r.loss_total});
}

void ReportWriter::frequency_end(const FrequencyClosing& c) {
  both(kFrequencyClosing, {c.te11, c.peak_power});
}

void ReportWriter::sensitivity_header(const SensitivityHeader& h) {
  const ConductorWords words = conductor_words(h.outer);
  block(h.synthesis ? kSynthesisSensitivityHeader : kSensitivityHeader,
        {words.fixed_name, h.fixed, h.er, h.option});
  block(kSensitivityHeadings, {words.column, words.letter});
  end_block();
}

void ReportWriter::sensitivity_row(const SensitivityRow& r) {
  both(kSensitivityRow, {r.diameter, r.zo, r.te11, r.peak_power, r.s_inner, r.s_outer, r.s_er});
}

void ReportWriter::synthesis_loss_header(const SynthesisLossHeader& h) {
  const ConductorWords words = conductor_words(h.outer);
  const Materials& m = h.materials;
  block(kSynthesisLossHeader,
        {m.srb, words.fixed_name, h.fixed, m.srd, h.er, m.dltan, h.option, m.resb, m.resd});
  block(kSynthesisLossHeadings, {h.freq, words.column, words.letter});
  end_block();
}

void ReportWriter::synthesis_loss_row(const SynthesisLossRow& r) {
  both(kSynthesisLossRow, {r.diameter, r.zo, r.te11, r.peak_power, r.loss_inner, r.loss_outer,
                           r.loss_dielectric, r.loss_total});
}

void ReportWriter::unrealizable(float /*zo*/) { say(io_, kUnrealizable); }

}  // namespace lumo
