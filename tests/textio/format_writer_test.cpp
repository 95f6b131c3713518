// Format lists: items, line ends, the open prompt line and statement ends.
#include "textio/format_writer.h"

#include <gtest/gtest.h>

#include <string>

namespace lumo {
namespace {

// The untyped writer with braced values, for layouts under test.
void write_statement(OutputChannel& out, const FormatList& list,
                     std::initializer_list<FieldValue> values,
                     StatementMode mode = StatementMode::kAdvancing) {
  format_fields(out, list, std::span(values.begin(), values.size()), mode);
}

TEST(FormatList, ParsesItemsAndCountsFields) {
  constexpr FormatList list("(8X,F8.3, F10.3,\t'a',/,6X,72(1H-),I2,A20)");
  EXPECT_EQ(list.fields(), 4);
  ASSERT_EQ(list.size(), 9u);
  EXPECT_EQ(list[0].kind, FormatItem::kBlanks);
  EXPECT_EQ(list[1].kind, FormatItem::kReal);
  EXPECT_EQ(list[1].width, 8);
  EXPECT_EQ(list[1].decimals, 3);
  EXPECT_EQ(list.text_of(list[3]), "a");
  EXPECT_EQ(list[6].kind, FormatItem::kRule);
  EXPECT_EQ(list[6].width, 72);
  EXPECT_EQ(list[6].fill, '-');
}

TEST(FormatWriter, AdvancingStatementEndsItsLineWithCrLf) {
  EXPECT_EQ(format_to_string("(8X,F8.3,F10.3)", {1.5f, -2.25f}), "           1.500    -2.250\r\n");
  EXPECT_EQ(format_to_string("(6X,'Frequency',I4)", {12}), "      Frequency  12\r\n");
}

TEST(FormatWriter, TextKeepsDoubleQuotesAndTrailingBlanks) {
  EXPECT_EQ(format_to_string("(6X,'Enter \"1\" for yes  ')", {}),
            "      Enter \"1\" for yes  \r\n");
}

TEST(FormatWriter, RulesAreSpelledOut) {
  EXPECT_EQ(format_to_string("(6X,72(1H-))", {}), "      " + std::string(72, '-') + "\r\n");
  EXPECT_EQ(format_to_string("(20(1H=),3X,22(1H=))", {}),
            std::string(20, '=') + "   " + std::string(22, '=') + "\r\n");
}

TEST(FormatWriter, SlashAtStartAndEnd) {
  EXPECT_EQ(format_to_string("(/,6X,'A')", {}), "\r\n      A\r\n");
  EXPECT_EQ(format_to_string("(//,6X,'A')", {}), "\r\n\r\n      A\r\n");
  EXPECT_EQ(format_to_string("(6X,'A',/)", {}), "      A\r\n\r\n");
  EXPECT_EQ(format_to_string("(6X,'A',/,6X,'B')", {}), "      A\r\n      B\r\n");
}

TEST(FormatWriter, PromptLeavesItsLineOpen) {
  EXPECT_EQ(format_to_string("(6X,'Enter B: ')", {}, StatementMode::kPrompt), "      Enter B: ");
  EXPECT_EQ(format_to_string("(/,6X,'Enter B: ')", {}, StatementMode::kPrompt),
            "\r\n      Enter B: ");
}

TEST(FormatWriter, StatementAfterPromptContinuesItsLine) {
  OutputChannel out;
  write_statement(out, "(6X,'Enter D: ')", {}, StatementMode::kPrompt);
  write_statement(out, "(11X,'D =',F8.4)", {0.25f});
  write_statement(out, "(6X,'Enter B: ')", {}, StatementMode::kPrompt);
  write_statement(out, "(/,6X,'Done')", {});
  EXPECT_EQ(out.text(),
            "      Enter D:            D =  0.2500\r\n"
            "      Enter B: \r\n"
            "      Done\r\n");
}

TEST(FormatWriter, ReportHeaderDateFieldsHaveNoLeadingZeros) {
  EXPECT_EQ(format_to_string("(' Date:',I2,'/',I2,'/',I4,' at ',I2,':',I2,':',I2,'Hours')",
                             {12, 6, 2026, 9, 5, 3}),
            " Date:12/ 6/2026 at  9: 5: 3Hours\r\n");
}

TEST(FormatWriter, LabelFieldsTakeTheirWidth) {
  Text20 label{};
  std::string word = "OUTER";
  label.fill(' ');
  word.copy(label.data(), word.size());
  EXPECT_EQ(format_to_string("(6X,A11,'|')", {label}), "      OUTER      |\r\n");
  EXPECT_EQ(format_to_string("(A5,A3)", {"INNER", "ab"}), "INNER ab\r\n");
}

TEST(FormatWriter, FieldWithNoValueLeftEndsTheStatement) {
  EXPECT_EQ(format_to_string("(I2,'a',I2,'b')", {1}), " 1a\r\n");
  EXPECT_EQ(format_to_string("(I2,'a',I2,'b')", {1}, StatementMode::kPrompt), " 1a");
}

TEST(FormatWriter, ValueOfTheWrongKindIsAsterisks) {
  EXPECT_EQ(format_to_string("(F6.2,I3,A2)", {3, 1.0f, 7}),
            "******"
            "***"
            "**"
            "\r\n");
}

TEST(FormatWriter, AppendsToPendingChannelText) {
  OutputChannel out;
  out.append("x");
  write_statement(out, "(F5.1)", {2.0f});
  EXPECT_EQ(out.text(), "x  2.0\r\n");
  EXPECT_EQ(out.written(), 8u);
}

}  // namespace
}  // namespace lumo
