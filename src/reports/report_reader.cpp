#include "reports/report_reader.h"

#include <cmath>
#include <limits>
#include <string>

#include "driver/run_support.h"
#include "numbers/number_text.h"
#include "textio/format_list.h"

namespace lumo {

namespace {

// The report writer's layouts, item for item. The report header's notice
// line is free text, so the header is read as the lines before it, the
// notice, and the lines after it.
constexpr FormatList kReportOpening =
    "(/,6X,72(1H-),/,8X, 'Lumo (v. 1.0)',22X,' Date:',I2,'/',I2,'/',I4, "
    "' at ',I2,':',I2,':',I2,'Hours')";
constexpr FormatList kReportTitles =
    "(16X, ' RF/Microwave Computer-Aided Engineering Design Data',/,16X, "
    "'          For Coaxial Transmission Lines.')";
constexpr FormatList kClosingRule = "(6X,72(1H-))";
constexpr FormatList kStoredIn = "(6X,A12,'Data stored in User filename: ',A20)";

constexpr FormatList kFrequencyHeader =
    "(/,8X, 'B   =',F8.4,'\"',11X,'Frequency Analysis',9X, 'SRB =',F8.3,'u\"',/, "
    "8X,'D   =',F8.4,'\"',10X,20(1H=),8X,'SRD =',F8.3,'u\"',/, "
    "8X,'Er  =',F7.3,17X,'(OPTION ',I1,')',11X,'DLTAN =',F8.5,/, "
    "8X,'Zo  =',F7.2,' Ohms',34X,'RESB =',F8.3,/, "
    "8X,'CAP =',F7.2,' pF/Inch',31X,'RESD =',F8.3,/, "
    "8X,'IND =',F7.2,' nH/Inch')";
constexpr FormatList kFrequencyHeadings =
    "(/,42X,'Transmission Losses  (dB/Foot)',/,17X, '   Wavelength,Inches ',38(1H-),/,10X, "
    "'Freq.     Free-              Conductor Losses    Dielec.    Total',/,10X, "
    "'(GHz)     Space    \"Guide\"    Inner    Outer      Loss      Loss',/,8X, 68(1H-))";
constexpr FormatList kFrequencyRow = "(8X,F8.3,F10.3,F10.3,F10.4,F9.4,F11.4,F10.4)";
constexpr FormatList kFrequencyClosing =
    "(/,9X,'TE11 Mode Cutoff = ',F8.3,' GHz;', 3X,'Peak Power (In Air) = ',F8.2,' kW')";

constexpr FormatList kSensitivityHeader =
    "(/,8X,A3,F8.4,'\"',11X,'Sensitivity Analysis',11X, 'Er  =',F7.3,/,30X,22(1H=),/,"
    "36X,'(OPTION ',I1,')')";
constexpr FormatList kSynthesisSensitivityHeader =
    "(/,6X,2X,A3,F7.4,'\"',10X,'Synthesis with Sensitivity', 10X,'Er =',F7.3,/,"
    "6X,22X,28(1H=),/,6X,31X,'(OPTION ',I1,')')";
constexpr FormatList kSensitivityHeadings =
    "(/,47X,'Sensitivity of Impedance to:',/,6X,4X,A5, 14X,'TE11',6X,'Peak',3X,30(1H-),/,9X, "
    "'Cond.(',A1,')',5X,'Zo',5X,'Cutoff',4X,'Power',4X,'Inner', 5X,'Outer',5X,'Dielec.',/,"
    "6X,3X,'(Inches)',3X,'(Ohms)',3X, '(GHz)',5X,'(kW)',5X,'Cond.',5X,'Cond.',5X,'Constant', "
    "/,8X,68(1H-))";
constexpr FormatList kSensitivityRow = "(6X,F9.4,F10.2,F9.2,F10.2,F9.3,F10.3,F11.3)";

constexpr FormatList kSynthesisLossHeader =
    "(/,6X,2X,'SRB   =',F8.3,'u\"',6X,'Dimensional ', 'Synthesis',12X,A3,F7.4,'\"',/,6X, "
    "2X,'SRD   =',F8.3,'u\"',5X,23(1H=),10X,'Er =',F7.3,/,6X, "
    "2X,'DLTAN =',F8.4,14X,'(OPTION ',I1,')',/,6X, "
    "2X,'RESB  =',F8.3,/,6X,2X,'RESD  =',F8.3)";
constexpr FormatList kSynthesisLossHeadings =
    "(/,6X, 44X,'Transmission Loss at',/,6X,43X,F7.3,1X,'GHz',1X, '(dB/Foot)',/,"
    "6X,2X,A5,13X,'TE11',5X,'Peak',3X,36(1H-),/,6X, "
    "1X,'Cond.(',A1,')',4X,'Zo',5X,'Cutoff',3X,'Power',3X, "
    "'Conductor',1X,'Losses',3X,'Dielec.',3X,'Total',/,6X, "
    "1X,'(Inches)',2X,'(Ohms)',3X,'(GHz)',4X,'(kW)',5X, "
    "'Inner',4X,'Outer',5X,'Loss',5X,'Loss',/,6X,72(1H-))";
constexpr FormatList kSynthesisLossRow = "(6X,F7.4,F9.2,F9.2,F9.2,F9.4,F9.4,F10.4,F9.4)";

constexpr FormatList kUnrealizable =
    "(/,6X, 'The Impedance requires unrealizable dimensions.',/,6X, "
    "'Conductor SYNTHESIS calculations terminated by Lumo.')";

// The values of the fields of one statement, in order by kind.
struct Fields {
  static constexpr int kMax = 12;
  float reals[kMax] = {};
  std::int32_t ints[kMax] = {};
  std::string_view texts[kMax] = {};
  int real_count = 0, int_count = 0, text_count = 0;
};

// Thrown to the entry points, which turn it into the outcome.
struct Fault {
  ReportError error;
};

constexpr float kMissing = std::numeric_limits<float>::quiet_NaN();

// A Fw.d field as the writer lays it out: right-justified [-][digits].digits
// with exactly d decimals, or NaN / Infinity / Inf with an optional sign, or
// all asterisks (missing).
std::optional<float> real_field(std::string_view f, int decimals) {
  if (f.find_first_not_of('*') == std::string_view::npos) return kMissing;
  std::string_view t = f.substr(std::min(f.find_first_not_of(' '), f.size()));
  if (t == "NaN") return std::numeric_limits<float>::quiet_NaN();
  bool negative = !t.empty() && t[0] == '-';
  std::string_view u = t.substr(negative ? 1 : 0);
  if (u == "Infinity" || u == "Inf") {
    float inf = std::numeric_limits<float>::infinity();
    return negative ? -inf : inf;
  }
  std::size_t point = u.find('.');
  if (point == std::string_view::npos ||
      u.size() - point - 1 != static_cast<std::size_t>(decimals)) {
    return std::nullopt;
  }
  for (std::size_t i = 0; i < u.size(); ++i) {
    if (i != point && (u[i] < '0' || u[i] > '9')) return std::nullopt;
  }
  float v = 0;
  auto [end, ec] = num::parse_number(t.data(), t.data() + t.size(), v);
  if (ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
  return v;
}

// An Iw field: right-justified [-]digits.
std::optional<std::int32_t> int_field(std::string_view f) {
  std::string_view t = f.substr(std::min(f.find_first_not_of(' '), f.size()));
  std::int32_t v = 0;
  auto [end, ec] = num::parse_number(t.data(), t.data() + t.size(), v);
  if (t.empty() || ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
  return v;
}

// The lines of a text, numbered from 1.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) {}

  bool at_end() const { return pos_ >= text_.size(); }
  // Number of the line peek() gives.
  std::int64_t number() const { return number_ + 1; }
  // The next line without its LF and the CR before it.
  std::string_view peek() const {
    std::size_t end = text_.find('\n', pos_);
    if (end == std::string_view::npos) end = text_.size();
    std::string_view line = text_.substr(pos_, end - pos_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
  }
  void advance() {
    std::size_t end = text_.find('\n', pos_);
    pos_ = end == std::string_view::npos ? text_.size() : end + 1;
    ++number_;
  }

  [[noreturn]] void fail(std::int64_t column, std::string what) const {
    throw Fault{{number(), column, std::move(what)}};
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  std::int64_t number_ = 0;
};

bool blank(std::string_view line) { return line.find_first_not_of(' ') == std::string_view::npos; }

// Matches one line against the items [first, last) of a layout (no line end
// among them). A line may lack the blanks the layout ends with and may carry
// blanks beyond it. Returns 0 on a match, else the 1-based column of the
// first character that does not fit.
std::int64_t match_line(std::string_view line, const FormatList& list, const FormatItem* first,
                        const FormatItem* last, Fields& out) {
  std::size_t col = 0;
  auto at = [&](std::size_t i) { return i < line.size() ? line[i] : ' '; };
  // The w characters from col, blank beyond the end of the line.
  char buffer[64];
  auto take = [&](std::size_t w) {
    w = std::min(w, sizeof buffer);
    for (std::size_t i = 0; i < w; ++i) buffer[i] = at(col + i);
    return std::string_view(buffer, w);
  };
  for (const FormatItem* it = first; it != last; ++it) {
    const std::size_t start = col;
    const auto miss = [&] { return static_cast<std::int64_t>(start) + 1; };
    switch (it->kind) {
      case FormatItem::kBlanks:
      case FormatItem::kRule: {
        const char c = it->kind == FormatItem::kRule ? it->fill : ' ';
        for (std::size_t i = 0; i < it->width; ++i) {
          if (at(col + i) != c) return static_cast<std::int64_t>(col + i) + 1;
        }
        col += it->width;
        break;
      }
      case FormatItem::kText: {
        std::string_view want = list.text_of(*it);
        for (std::size_t i = 0; i < want.size(); ++i) {
          if (at(col + i) != want[i]) return static_cast<std::int64_t>(col + i) + 1;
        }
        col += want.size();
        break;
      }
      case FormatItem::kReal: {
        std::optional<float> v = real_field(take(it->width), it->decimals);
        if (!v || out.real_count == Fields::kMax) return miss();
        out.reals[out.real_count++] = *v;
        col += it->width;
        break;
      }
      case FormatItem::kInt: {
        std::optional<std::int32_t> v = int_field(take(it->width));
        if (!v || out.int_count == Fields::kMax) return miss();
        out.ints[out.int_count++] = *v;
        col += it->width;
        break;
      }
      case FormatItem::kChars: {
        if (out.text_count == Fields::kMax) return miss();
        const std::size_t from = std::min(col, line.size());
        out.texts[out.text_count++] =
            line.substr(from, std::min<std::size_t>(it->width, line.size() - from));
        col += it->width;
        break;
      }
      case FormatItem::kLineEnd:
        break;
    }
  }
  for (std::size_t i = col; i < line.size(); ++i) {
    if (line[i] != ' ') return static_cast<std::int64_t>(i) + 1;
  }
  return 0;
}

// The items of line `index` (0-based) of a layout.
struct LineItems {
  const FormatItem* first;
  const FormatItem* last;
};
LineItems line_of(const FormatList& list, int index) {
  const FormatItem* first = list.begin();
  for (int i = 0; i < index; ++i) {
    while (first != list.end() && first->kind != FormatItem::kLineEnd) ++first;
    if (first != list.end()) ++first;
  }
  const FormatItem* last = first;
  while (last != list.end() && last->kind != FormatItem::kLineEnd) ++last;
  return {first, last};
}

int line_count(const FormatList& list) {
  int n = 1;
  for (const FormatItem& it : list) n += it.kind == FormatItem::kLineEnd ? 1 : 0;
  return n;
}

// Whether the next line is line `index` of the layout (nothing consumed).
bool fits(const Cursor& c, const FormatList& list, int index, Fields& out) {
  if (c.at_end()) return false;
  LineItems li = line_of(list, index);
  Fields scratch = out;
  if (match_line(c.peek(), list, li.first, li.last, scratch) != 0) return false;
  out = scratch;
  return true;
}

// Reads the lines of a layout from line `from` on; `what` names it in the
// error.
Fields expect(Cursor& c, const FormatList& list, int from, const std::string& what,
              Fields fields = {}) {
  const int lines = line_count(list);
  for (int i = from; i < lines; ++i) {
    if (c.at_end()) c.fail(0, "expected " + what + "; the text ends");
    LineItems li = line_of(list, i);
    std::int64_t col = match_line(c.peek(), list, li.first, li.last, fields);
    if (col != 0) c.fail(col, "expected " + what);
    c.advance();
  }
  return fields;
}

// The conductor a header block's fixed diameter implies: "D =" fixes D, so B
// is varied or synthesized.
bool outer_from_fixed_name(std::int64_t line, std::string_view name) {
  if (name == "D =") return true;
  if (name == "B =") return false;
  throw Fault{{line, 0, "expected \"B =\" or \"D =\" before the fixed diameter"}};
}

// The headings' column title (on line `title_line`, the letter on the next)
// must name the conductor the header block implies.
void check_conductor(std::int64_t title_line, bool outer, const Fields& t) {
  ConductorWords w = conductor_words(outer);
  if (t.texts[0] != w.column) {
    throw Fault{{title_line, 0, "expected the column title " + std::string(w.column)}};
  }
  if (t.texts[1] != w.letter) {
    throw Fault{{title_line + 1, 0, "expected the conductor letter " + std::string(w.letter)}};
  }
}

// Rows of one table until a line that is not one of them; returns the
// column where that line stops being a row (0 at the end of the text).
template <class Deliver>
std::int64_t read_rows(Cursor& c, const FormatList& row, Deliver deliver) {
  const LineItems li = line_of(row, 0);
  while (!c.at_end()) {
    Fields f;
    if (std::int64_t col = match_line(c.peek(), row, li.first, li.last, f); col != 0) return col;
    deliver(f);
    c.advance();
  }
  return 0;
}

// The rule that closes a report and, when the report was stored, the line
// naming the run and the file.
void read_trailer(Cursor& c) {
  expect(c, kClosingRule, 0, "the rule that closes the report");
  if (c.at_end() || blank(c.peek())) return;
  expect(c, kStoredIn, 0, "the line naming the stored file, or a blank line");
}

void read_frequency(Cursor& c, RunConsumer& out) {
  Fields h = expect(c, kFrequencyHeader, 1, "the frequency analysis header block");
  // Reals in layout order: B, SRB, D, SRD, Er, DLTAN, Zo, RESB, CAP, RESD, IND.
  const float* r = h.reals;
  out.frequency_header(
      {r[0], r[2], r[4], Materials{r[7], r[9], r[1], r[3], r[5]}, h.ints[0], r[6], r[8], r[10]});
  expect(c, kFrequencyHeadings, 0, "the frequency table's headings");
  const std::int64_t col = read_rows(c, kFrequencyRow, [&](const Fields& f) {
    const float* v = f.reals;
    out.frequency_row({v[0], v[1], v[2], v[3], v[4], v[5], v[6]});
  });
  if (!c.at_end() && !blank(c.peek())) c.fail(col, "expected a row of the frequency table");
  Fields closing =
      expect(c, kFrequencyClosing, 0, "the TE11 cut-off line after the frequency table");
  out.frequency_end({closing.reals[0], closing.reals[1]});
  read_trailer(c);
}

// The rows of a sensitivity or synthesis table and its end: the closing
// rule, or for a synthesis that stopped, the end of the text or the message
// that says so.
template <class Deliver>
void read_table(Cursor& c, const FormatList& row, bool synthesis, const std::string& table,
                RunConsumer& out, Deliver deliver) {
  const std::int64_t col = read_rows(c, row, deliver);
  if (synthesis && (c.at_end() || blank(c.peek()))) {
    if (!c.at_end()) expect(c, kUnrealizable, 0, "the message that the synthesis stopped");
    out.unrealizable(kMissing);
    return;
  }
  if (c.at_end()) c.fail(0, "expected a row of " + table + " or the rule after it; the text ends");
  Fields none;
  if (!fits(c, kClosingRule, 0, none))
    c.fail(col, "expected a row of " + table + " or the rule after it");
  out.table_end();
  read_trailer(c);
}

void read_sensitivity(Cursor& c, bool synthesis, RunConsumer& out) {
  const std::int64_t block_line = c.number();
  Fields h = expect(c, synthesis ? kSynthesisSensitivityHeader : kSensitivityHeader, 1,
                    synthesis ? "the synthesis with sensitivity header block"
                              : "the sensitivity analysis header block");
  // Fields: the fixed diameter's name, the diameter, Er, the option.
  const bool outer = outer_from_fixed_name(block_line, h.texts[0]);
  out.sensitivity_header({synthesis, outer, h.reals[0], h.reals[1], h.ints[0]});
  // The headings: a blank line, a title line, then the column title.
  const std::int64_t title_line = c.number() + 2;
  check_conductor(title_line, outer,
                  expect(c, kSensitivityHeadings, 0, "the sensitivity table's headings"));
  read_table(c, kSensitivityRow, synthesis, "the sensitivity table", out, [&](const Fields& f) {
    const float* v = f.reals;
    out.sensitivity_row({v[0], v[1], v[2], v[3], v[4], v[5], v[6]});
  });
}

void read_synthesis_loss(Cursor& c, RunConsumer& out) {
  const std::int64_t block_line = c.number();
  Fields h = expect(c, kSynthesisLossHeader, 1, "the dimensional synthesis header block");
  // Reals in layout order: SRB, the fixed diameter, SRD, Er, DLTAN, RESB, RESD.
  const float* r = h.reals;
  const bool outer = outer_from_fixed_name(block_line, h.texts[0]);
  // The headings: a blank line, two title lines, then the column title.
  const std::int64_t title_line = c.number() + 3;
  Fields t = expect(c, kSynthesisLossHeadings, 0, "the synthesis table's headings");
  check_conductor(title_line, outer, t);
  out.synthesis_loss_header(
      {outer, r[1], r[3], Materials{r[5], r[6], r[0], r[2], r[4]}, h.ints[0], t.reals[0]});
  read_table(c, kSynthesisLossRow, true, "the synthesis table", out, [&](const Fields& f) {
    const float* v = f.reals;
    out.synthesis_loss_row({v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]});
  });
}

// One report from its opening rule on.
void read_report(Cursor& c, RunConsumer& out) {
  expect(c, kReportOpening, 1, "the rule and the date line that open a report");
  if (c.at_end()) c.fail(0, "expected the notice line of the report header; the text ends");
  c.advance();  // the notice line: free text
  expect(c, kReportTitles, 0, "the title lines of the report header");
  // Each run's header block opens with a blank line; its first line with
  // text tells the run.
  if (c.at_end() || !blank(c.peek()))
    c.fail(0, "expected the blank line before a run's header block");
  c.advance();
  Fields f;
  if (fits(c, kFrequencyHeader, 1, f)) return read_frequency(c, out);
  if (fits(c, kSensitivityHeader, 1, f)) return read_sensitivity(c, false, out);
  if (fits(c, kSynthesisSensitivityHeader, 1, f)) return read_sensitivity(c, true, out);
  if (fits(c, kSynthesisLossHeader, 1, f)) return read_synthesis_loss(c, out);
  c.fail(0, std::string("expected the header block of a frequency, sensitivity or synthesis run") +
                (c.at_end() ? "; the text ends" : ""));
}

// Delivers to nothing.
class NullSink : public ReportSink {
 public:
  RunConsumer& begin_report() override { return consumer_; }

 private:
  RunConsumer consumer_;
};

}  // namespace

std::string describe(const ReportError& e) {
  std::string s = "line " + std::to_string(e.line);
  if (e.column != 0) s += ", column " + std::to_string(e.column);
  return s + ": not a Lumo report: " + e.what;
}

ReadOutcome read_reports(std::string_view text, ReportSink& sink) {
  ReadOutcome outcome;
  Cursor c(text);
  try {
    for (;;) {
      while (!c.at_end() && blank(c.peek())) c.advance();
      if (c.at_end()) break;
      read_report(c, sink.begin_report());
      sink.end_report();
      ++outcome.reports;
    }
    if (outcome.reports == 0) c.fail(0, "no report in the text");
  } catch (const Fault& f) {
    outcome.error = f.error;
  }
  return outcome;
}

ReadOutcome check_reports(std::string_view text) {
  NullSink sink;
  return read_reports(text, sink);
}

}  // namespace lumo
