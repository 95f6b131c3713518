// Every statement whose write, read or open can end in the fatal report,
// with the fixed number and the part of Lumo that the report's locator line
// shows ("At line 112 of file dialogue (unit = 5, file = 'stdin')"). A
// number never changes and is never reused: a new statement takes a new
// number, so the locator stays the same across edits and builds.
//
// Writes are numbered by their format statement (one layout, one number);
// reads and opens by the id their call passes.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace lumo {

// X(name, number, part)
#define LUMO_STATEMENTS(X)                      \
  /* The dialogue. */                           \
  X(kBanner, 100, "dialogue")                   \
  X(kIntroduction, 101, "dialogue")             \
  X(kFunctionMenu, 102, "dialogue")             \
  X(kFunctionPrompt, 103, "dialogue")           \
  X(kFunctionEntry, 104, "dialogue")            \
  X(kSynthesizedPrompt, 105, "dialogue")        \
  X(kSynthesizedEntry, 106, "dialogue")         \
  X(kDimensionalHeading, 110, "dialogue")       \
  X(kOuterPrompt, 111, "dialogue")              \
  X(kOuterEntry, 112, "dialogue")               \
  X(kInnerPrompt, 113, "dialogue")              \
  X(kInnerEntry, 114, "dialogue")               \
  X(kDiameterOrder, 115, "dialogue")            \
  X(kReenterOuterPrompt, 116, "dialogue")       \
  X(kReenterOuterEntry, 117, "dialogue")        \
  X(kReenterInnerPrompt, 118, "dialogue")       \
  X(kReenterInnerEntry, 119, "dialogue")        \
  X(kErPrompt, 120, "dialogue")                 \
  X(kErEntry, 121, "dialogue")                  \
  X(kDltanPrompt, 122, "dialogue")              \
  X(kDltanEntry, 123, "dialogue")               \
  X(kResistivityHeading, 124, "dialogue")       \
  X(kResbPrompt, 125, "dialogue")               \
  X(kResbEntry, 126, "dialogue")                \
  X(kResdPrompt, 127, "dialogue")               \
  X(kResdEntry, 128, "dialogue")                \
  X(kRoughnessHeading, 129, "dialogue")         \
  X(kSrbPrompt, 130, "dialogue")                \
  X(kSrbEntry, 131, "dialogue")                 \
  X(kSrdPrompt, 132, "dialogue")                \
  X(kSrdEntry, 133, "dialogue")                 \
  X(kAnalysisMenu, 140, "dialogue")             \
  X(kAnalysisPrompt, 141, "dialogue")           \
  X(kAnalysisEntry, 142, "dialogue")            \
  X(kFrequencyHeading, 143, "dialogue")         \
  X(kStartFrequencyPrompt, 144, "dialogue")     \
  X(kStartFrequencyEntry, 145, "dialogue")      \
  X(kStopFrequencyPrompt, 146, "dialogue")      \
  X(kStopFrequencyEntry, 147, "dialogue")       \
  X(kStepFrequencyPrompt, 148, "dialogue")      \
  X(kStepFrequencyEntry, 149, "dialogue")       \
  X(kVariedPrompt, 150, "dialogue")             \
  X(kVariedEntry, 151, "dialogue")              \
  X(kDiameterRangeHeading, 152, "dialogue")     \
  X(kMinDiameterPrompt, 153, "dialogue")        \
  X(kMinDiameterEntry, 154, "dialogue")         \
  X(kMaxDiameterPrompt, 155, "dialogue")        \
  X(kMaxDiameterEntry, 156, "dialogue")         \
  X(kStepDiameterPrompt, 157, "dialogue")       \
  X(kStepDiameterEntry, 158, "dialogue")        \
  X(kSynthesisMenu, 160, "dialogue")            \
  X(kSynthesisPrompt, 161, "dialogue")          \
  X(kSynthesisEntry, 162, "dialogue")           \
  X(kImpedanceHeading, 163, "dialogue")         \
  X(kMinImpedancePrompt, 164, "dialogue")       \
  X(kMinImpedanceEntry, 165, "dialogue")        \
  X(kMaxImpedancePrompt, 166, "dialogue")       \
  X(kMaxImpedanceEntry, 167, "dialogue")        \
  X(kStepImpedancePrompt, 168, "dialogue")      \
  X(kStepImpedanceEntry, 169, "dialogue")       \
  X(kLossFrequencyPrompt, 170, "dialogue")      \
  X(kLossFrequencyEntry, 171, "dialogue")       \
  /* The defaults file. */                      \
  X(kOpenDefaults, 200, "defaults")             \
  X(kSkipDefaultsHeader, 201, "defaults")       \
  X(kReadDefaultsNumber, 202, "defaults")       \
  X(kReadDefaultsName, 203, "defaults")         \
  X(kDefaultsEndMessage, 210, "defaults")       \
  X(kDefaultsErrorMessage, 211, "defaults")     \
  X(kDefaultsReservedMessage, 212, "defaults")  \
  /* The choice of the output file. */          \
  X(kStorageQuestion, 250, "storage")           \
  X(kStorageEntry, 251, "storage")              \
  X(kNameAdvice, 252, "storage")                \
  X(kNamePrompt, 253, "storage")                \
  X(kNameEntry, 254, "storage")                 \
  X(kReservedName, 255, "storage")              \
  /* The main loop. */                          \
  X(kOperationMenu, 300, "session")             \
  X(kOperationPrompt, 301, "session")           \
  X(kOperationEntry, 302, "session")            \
  X(kFinishConsole, 310, "session")             \
  X(kFinishOutputFile, 311, "session")          \
  /* The reports. */                            \
  X(kReportHeader, 400, "report")               \
  X(kConnectOutputFile, 401, "report")          \
  X(kClosingRule, 402, "report")                \
  X(kStoredIn, 403, "report")                   \
  X(kFrequencyHeader, 410, "report")            \
  X(kFrequencyHeadings, 411, "report")          \
  X(kFrequencyRow, 412, "report")               \
  X(kFrequencyClosing, 413, "report")           \
  X(kSensitivityHeader, 420, "report")          \
  X(kSynthesisSensitivityHeader, 421, "report") \
  X(kSensitivityHeadings, 422, "report")        \
  X(kSensitivityRow, 423, "report")             \
  X(kSynthesisLossHeader, 430, "report")        \
  X(kSynthesisLossHeadings, 431, "report")      \
  X(kSynthesisLossRow, 432, "report")           \
  X(kUnrealizable, 433, "report")

enum class Stmt : std::uint16_t {
#define LUMO_STATEMENT_ID(name, number, part) name = number,
  LUMO_STATEMENTS(LUMO_STATEMENT_ID)
#undef LUMO_STATEMENT_ID
};

struct StatementEntry {
  Stmt id;
  std::string_view name;
  std::string_view part;
};

// The whole table, in order.
inline constexpr std::array kStatements = {
#define LUMO_STATEMENT_ENTRY(name, number, part) StatementEntry{Stmt::name, #name, part},
    LUMO_STATEMENTS(LUMO_STATEMENT_ENTRY)
#undef LUMO_STATEMENT_ENTRY
};

// The number the fatal report shows for a statement.
constexpr int statement_number(Stmt id) { return static_cast<int>(id); }

// The part of Lumo a statement belongs to, as the fatal report names it.
constexpr std::string_view statement_part(Stmt id) {
  for (const StatementEntry& e : kStatements) {
    if (e.id == id) return e.part;
  }
  return "lumo";
}

// Every number appears once, in rising order.
consteval bool statement_numbers_rise() {
  for (std::size_t i = 1; i < kStatements.size(); ++i) {
    if (!(kStatements[i - 1].id < kStatements[i].id)) return false;
  }
  return true;
}
static_assert(statement_numbers_rise(), "statement numbers must rise through the table");

}  // namespace lumo
