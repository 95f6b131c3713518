// The reader of the user's lines file.
#include "cli/lines_file.h"

#include <array>
#include <cstddef>
#include <optional>

#include "cli/line_values.h"

namespace lumo::cli {
namespace {

using catalogue::Line;

constexpr Range kZoNominalRange{"nominal impedance", Quantity::kPlain, "ohms", &kImpedanceRange};
constexpr Range kRatedRange{"rated frequency", Quantity::kFrequency, "GHz", &kFrequencyEntry};

enum class Column {
  kName,
  kOuter,
  kInner,
  kAliases,
  kEr,
  kTand,
  kRhoOuter,
  kRhoInner,
  kRoughOuter,
  kRoughInner,
  kZoNominal,
  kRated,
  kSource
};
constexpr std::size_t kColumnCount = 13;
constexpr std::array<std::string_view, kColumnCount> kColumnNames = {
    "name",      "outer",       "inner",       "aliases",    "er",        "tand",  "rho_outer",
    "rho_inner", "rough_outer", "rough_inner", "zo_nominal", "rated_ghz", "source"};

// The value columns' fields, by column.
const Range* range_of(Column c) {
  switch (c) {
    case Column::kOuter:
      return &kOuter;
    case Column::kInner:
      return &kInner;
    case Column::kEr:
      return &kEr;
    case Column::kTand:
      return &kTand;
    case Column::kRhoOuter:
      return &kRhoOuter;
    case Column::kRhoInner:
      return &kRhoInner;
    case Column::kRoughOuter:
      return &kRoughOuter;
    case Column::kRoughInner:
      return &kRoughInner;
    case Column::kZoNominal:
      return &kZoNominalRange;
    case Column::kRated:
      return &kRatedRange;
    default:
      return nullptr;
  }
}

// Puts the value of a value column into `line`.
void set_value(Line& line, Column c, double x) {
  switch (c) {
    case Column::kOuter:
      line.outer_in = x;
      break;
    case Column::kInner:
      line.inner_in = x;
      break;
    case Column::kEr:
      line.er = x;
      break;
    case Column::kTand:
      line.tand = x;
      break;
    case Column::kRhoOuter:
      line.rho_outer = x;
      break;
    case Column::kRhoInner:
      line.rho_inner = x;
      break;
    case Column::kRoughOuter:
      line.rough_outer = x;
      break;
    case Column::kRoughInner:
      line.rough_inner = x;
      break;
    case Column::kZoNominal:
      line.zo_nominal = x;
      break;
    default:
      line.rated_ghz = x;
      break;
  }
}

// A fault: where, and what was expected there.
struct Fault {
  std::size_t line, column;
  std::string message;
};

struct Field {
  std::string text;
  std::size_t column;  // of its first character (or its opening quote), from 1
};

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

// Length of the UTF-8 sequence at the start of `s`, 0 when it is not one
// (overlong forms, surrogates and values above U+10FFFF are not).
std::size_t utf8_length(std::string_view s) {
  const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char c = b(0);
  std::size_t n = 0;
  unsigned char low = 0x80, high = 0xBF;
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    if (c == 0xE0) low = 0xA0;
    if (c == 0xED) high = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    if (c == 0xF0) low = 0x90;
    if (c == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (s.size() < n) return 0;
  if (b(1) < low || b(1) > high) return 0;
  for (std::size_t i = 2; i < n; ++i) {
    if (b(i) < 0x80 || b(i) > 0xBF) return 0;
  }
  return n;
}

// The column of the first byte of `line` that is not text (a control
// character other than a tab, or not UTF-8), with its message.
std::optional<std::pair<std::size_t, std::string>> not_text(std::string_view line) {
  for (std::size_t i = 0; i < line.size();) {
    const auto c = static_cast<unsigned char>(line[i]);
    if ((c < 0x20 && c != '\t') || c == 0x7F) {
      return std::pair{i + 1, std::string("expected text, found a control character")};
    }
    const std::size_t n = utf8_length(line.substr(i));
    if (n == 0) return std::pair{i + 1, std::string("expected UTF-8 text")};
    i += n;
  }
  return std::nullopt;
}

// The fields of one line of the file.
std::optional<Fault> split(std::string_view line, std::size_t number, std::vector<Field>& fields) {
  fields.clear();
  std::size_t i = 0;
  for (;;) {
    while (i < line.size() && is_blank(line[i])) ++i;
    Field f{{}, i + 1};
    if (i < line.size() && line[i] == '"') {
      ++i;
      for (;;) {
        if (i == line.size()) {
          return Fault{number, f.column, "expected '\"' to end the quoted field on its line"};
        }
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            f.text += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        f.text += line[i++];
      }
      while (i < line.size() && is_blank(line[i])) ++i;
      if (i < line.size() && line[i] != ',') {
        return Fault{number, i + 1, "expected ',' or the end of the line after a quoted field"};
      }
    } else {
      const std::size_t end = line.find(',', i);
      const std::string_view raw = line.substr(i, end == std::string_view::npos ? end : end - i);
      f.text = std::string(trim(raw));
      i = end == std::string_view::npos ? line.size() : end;
    }
    fields.push_back(std::move(f));
    if (i == line.size()) return std::nullopt;
    ++i;  // the comma
  }
}

class Reader {
 public:
  std::optional<Fault> header(const std::vector<Field>& fields, std::size_t number) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      const Field& f = fields[i];
      if (f.text.empty()) return Fault{number, f.column, "expected a column name"};
      std::size_t c = 0;
      while (c < kColumnCount && kColumnNames[c] != f.text) ++c;
      if (c == kColumnCount) {
        return Fault{
            number, f.column,
            "unknown column '" + f.text + "'; the columns are " + std::string(kLinesFileColumns)};
      }
      for (std::size_t j = 0; j < i; ++j) {
        if (columns_[j] == static_cast<Column>(c)) {
          return Fault{number, f.column,
                       "column '" + f.text + "' is named twice (first in column " +
                           std::to_string(fields[j].column) + ")"};
        }
      }
      columns_.push_back(static_cast<Column>(c));
    }
    for (const Column required : {Column::kName, Column::kOuter, Column::kInner}) {
      bool found = false;
      for (const Column c : columns_) found = found || c == required;
      if (!found) {
        return Fault{number, 1,
                     "expected a column '" +
                         std::string(kColumnNames[static_cast<std::size_t>(required)]) +
                         "' in the header (name, outer and inner are required)"};
      }
    }
    return std::nullopt;
  }

  std::optional<Fault> row(const std::vector<Field>& fields, std::size_t number,
                           std::size_t length) {
    if (fields.size() != columns_.size()) {
      const std::size_t column =
          fields.size() < columns_.size() ? length + 1 : fields[columns_.size()].column;
      return Fault{number, column,
                   "expected " + std::to_string(columns_.size()) +
                       " fields, one for each column of the header; found " +
                       std::to_string(fields.size())};
    }
    Line line;
    line.file_line = static_cast<int>(number);
    std::size_t outer_column = 0, tand_column = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
      const Field& f = fields[i];
      const Column c = columns_[i];
      const std::string_view name = kColumnNames[static_cast<std::size_t>(c)];
      if (c == Column::kName) {
        if (f.text.empty()) return Fault{number, f.column, "expected the line's name"};
        line.name = f.text;
      } else if (c == Column::kAliases) {
        std::size_t at = 0;
        while (at <= f.text.size()) {
          const std::size_t end = std::min(f.text.find(';', at), f.text.size());
          const std::string_view alias = trim(std::string_view(f.text).substr(at, end - at));
          if (!alias.empty()) line.aliases.emplace_back(alias);
          at = end + 1;
        }
      } else if (c == Column::kSource) {
        line.source = f.text;
      } else if (f.text.empty()) {
        if (c == Column::kOuter || c == Column::kInner) {
          return Fault{number, f.column, "expected the " + std::string(range_of(c)->what)};
        }
      } else {
        const Range& r = *range_of(c);
        const CheckedValue v = checked_line_value(f.text, r);
        if (!v.error.empty()) {
          return Fault{number, f.column, std::string(name) + " '" + f.text + "': " + v.error};
        }
        set_value(line, c, v.value);
        if (c == Column::kOuter || c == Column::kInner) {
          const Parsed p = parse_quantity(f.text, Quantity::kLength);
          if (p.unit != nullptr && p.unit->per_default != 1) {
            (c == Column::kOuter ? line.outer_as_given : line.inner_as_given) =
                std::string(p.number) + " " + std::string(p.unit->name);
          }
        }
        if (c == Column::kOuter) outer_column = f.column;
        if (c == Column::kTand) tand_column = f.column;
      }
    }
    // Er is 1 as the runs see it: in single precision.
    const bool air = line.er && static_cast<float>(*line.er) == 1.0f;
    if (air && line.tand.value_or(0) > 0) {
      return Fault{number, tand_column, "tand: not with er 1 (air has no dielectric loss)"};
    }
    if (air) line.dielectric = "air";
    // As the runs compare them: in single precision.
    if (!(static_cast<float>(line.inner_in) < static_cast<float>(line.outer_in))) {
      return Fault{number, outer_column,
                   "the outer diameter (" + shortest(static_cast<float>(line.outer_in)) +
                       " in) must exceed the inner diameter (" +
                       shortest(static_cast<float>(line.inner_in)) + " in)"};
    }
    // Every name differs from every other, as names are matched.
    const std::size_t name_column = column_of(fields, Column::kName);
    const std::size_t aliases_column = column_of(fields, Column::kAliases);
    std::vector<std::string> written{line.name};
    written.insert(written.end(), line.aliases.begin(), line.aliases.end());
    for (std::size_t k = 0; k < written.size(); ++k) {
      const std::size_t column = k == 0 ? name_column : aliases_column;
      const std::string key = catalogue::name_key(written[k]);
      const char* what = k == 0 ? "name" : "alias";
      if (key.empty()) {
        return Fault{number, column,
                     std::string(what) + " '" + written[k] +
                         "': expected a character other than blanks, dashes and dots"};
      }
      for (const Taken& t : taken_) {
        if (t.key == key) {
          return Fault{number, column,
                       std::string(what) + " '" + written[k] + "' is already used by line " +
                           std::to_string(t.line) + " ('" + t.written +
                           "'); names must differ in more than letter case, blanks, dashes "
                           "and dots"};
        }
      }
      taken_.push_back({key, written[k], number});
    }
    lines_.push_back(std::move(line));
    return std::nullopt;
  }

  std::vector<Line>& lines() { return lines_; }
  bool has_header() const { return !columns_.empty(); }

 private:
  struct Taken {
    std::string key, written;
    std::size_t line;
  };

  std::size_t column_of(const std::vector<Field>& fields, Column c) const {
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      if (columns_[i] == c) return fields[i].column;
    }
    return 1;
  }

  std::vector<Column> columns_;
  std::vector<Line> lines_;
  std::vector<Taken> taken_;
};

}  // namespace

LinesFileRead read_lines_file(std::string_view text, std::string_view file) {
  Reader reader;
  auto failed = [&](const Fault& f) {
    return LinesFileRead{{},
                         std::string(file) + ":" + std::to_string(f.line) + ":" +
                             std::to_string(f.column) + ": " + f.message};
  };
  // A byte order mark, as some spreadsheets write, is not part of the text.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::vector<Field> fields;
  std::size_t number = 0;
  while (!text.empty()) {
    ++number;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (const auto bad = not_text(line)) return failed({number, bad->first, bad->second});
    if (trim(line).empty() || line.front() == '#') continue;
    if (const auto fault = split(line, number, fields)) return failed(*fault);
    const auto fault = reader.has_header() ? reader.row(fields, number, line.size())
                                           : reader.header(fields, number);
    if (fault) return failed(*fault);
  }
  if (!reader.has_header()) {
    return failed({1, 1,
                   "expected a header row naming the columns (name, outer and inner are "
                   "required)"});
  }
  return {std::move(reader.lines()), {}};
}

}  // namespace lumo::cli
