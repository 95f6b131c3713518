// The storage question and the output file name.
#include <gtest/gtest.h>

#include "input/dialogue_fixture.h"

namespace lumo::testing {
namespace {

const std::string kQuestion = "\r\n" + ind(6, "Is Output Data STORAGE desired? (1=YES) = ");
const std::string kNameRequest =
    ind(6, "Enter a FILENAME (up to 20 characters) for Output Data storage: \r\n") +
    ind(10, "-Enter: Filename.xls for storage in a spreadsheet\r\n") +
    ind(10, "-Enter: Filename.doc for storage in a word processor\r\n") +
    ind(10, "-Enter: Filename.txt for storage as a text document\r\n") +
    ind(11, "Enter your FILENAME for Output Data Storage: ");

Text20 text20(const char* s) {
  Text20 t;
  t.fill(' ');
  std::string_view(s).copy(t.data(), t.size());
  return t;
}

std::string fn_of(const DialogueFixture& s) { return std::string(s.rec.blk3.fn.data(), 20); }

TEST(Storage, OnlyAnAnswerRoundingToOneAsksForTheName) {
  struct Case {
    const char* typed;
    std::int32_t istore;
  };
  for (Case c : {Case{"", 0}, Case{"0", 0}, Case{"2", 0}, Case{"1.5", 0}, Case{"0.49", 0},
                 Case{"1", 1}, Case{"1.4", 1}, Case{"0.5", 1}}) {
    DialogueFixture s(std::string(c.typed) + "\nnew.txt\n");
    s.rec.blk3.fn = text20("old.txt");
    s.rec.blk2.istore = 1;
    select_output_file(s.rec, s.io());
    EXPECT_EQ(s.rec.blk2.istore, c.istore) << c.typed;
    EXPECT_EQ(s.take(), c.istore == 1 ? kQuestion + kNameRequest : kQuestion) << c.typed;
    EXPECT_EQ(fn_of(s), c.istore == 1 ? "new.txt             " : "old.txt             ");
  }
}

TEST(Storage, EmptyNameKeepsTheCurrentOne) {
  DialogueFixture s("1\n\n");
  s.rec.blk3.fn = text20("lumo.out");
  select_output_file(s.rec, s.io());
  EXPECT_EQ(s.rec.blk2.istore, 1);
  EXPECT_EQ(fn_of(s), "lumo.out            ");
}

TEST(Storage, NameIsCutAfterTwentyCharactersAndKeepsLeadingBlanks) {
  DialogueFixture s("1\n  abcdefghijklmnopqrstuvw\n");
  select_output_file(s.rec, s.io());
  EXPECT_EQ(fn_of(s), "  abcdefghijklmnopqr");
}

TEST(Storage, ReservedNamesAreRefusedAndAskedAgain) {
  DialogueFixture s("1\nlumo.def\nLumo.EXE   \nLUMO.DEF\n");
  select_output_file(s.rec, s.io());
  auto refused = [](const char* name20) {
    return "\r\n" + ind(6, std::string("Filename: ") + name20 + " is reserved by Lumo.\r\n") +
           ind(6, "Please enter a different filename.\r\n") + "\r\n";
  };
  EXPECT_EQ(s.take(), kQuestion + kNameRequest + refused("lumo.def            ") + kNameRequest +
                          refused("Lumo.EXE            ") + kNameRequest);
  EXPECT_EQ(fn_of(s), "LUMO.DEF            ");
}

TEST(Storage, ReservedNamesMatchExactlyUpToTrailingBlanks) {
  for (const char* name : {"Lumo.EXE", "Lumo.DEF", "lumo.exe", "lumo.def", "lumo.def     "}) {
    EXPECT_TRUE(is_reserved_name(text20(name))) << name;
  }
  for (const char* name : {"LUMO.DEF", " lumo.def", "lumo.de", "lumo.defs", "Lumo.Def", ""}) {
    EXPECT_FALSE(is_reserved_name(text20(name))) << name;
  }
}

}  // namespace
}  // namespace lumo::testing
