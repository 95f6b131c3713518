// The storage question that ends every pass of the dialogue, and the output
// file name. Nothing is opened here: the report header connects the file.
#include <string_view>

#include "input/lminput.h"
#include "textio/numeric_entry.h"

namespace lumo {
namespace {

constexpr Statement<> kStorageQuestion{Stmt::kStorageQuestion,
                                       "(/,6X,'Is Output Data STORAGE desired? (1=YES) = ')"};
constexpr Statement<> kNameAdvice{
    Stmt::kNameAdvice,
    "(6X,'Enter a FILENAME (up to 20 characters) for Output Data storage: ',"
    "/,10X,'-Enter: Filename.xls for storage in a spreadsheet',"
    "/,10X,'-Enter: Filename.doc for storage in a word processor',"
    "/,10X,'-Enter: Filename.txt for storage as a text document')"};
constexpr Statement<> kNamePrompt{Stmt::kNamePrompt,
                                  "(11X,'Enter your FILENAME for Output Data Storage: ')"};
constexpr Statement<Text> kReservedName{Stmt::kReservedName,
                                        "(/,6X,'Filename: ',A20,' is reserved by Lumo.',"
                                        "/,6X,'Please enter a different filename.',/)"};

// The calculator's own program and defaults file names.
constexpr std::string_view kReservedNames[] = {"Lumo.EXE", "Lumo.DEF", "lumo.exe", "lumo.def"};

}  // namespace

bool is_reserved_name(const Text20& name) {
  // Trailing blanks do not count; leading blanks and letter case do.
  std::string_view given = trim_trailing(name);
  for (std::string_view reserved : kReservedNames) {
    if (given == reserved) return true;
  }
  return false;
}

void select_output_file(Records& rec, Io& io) {
  rec.blk2.istore = 0;
  prompt(io, kStorageQuestion);
  if (select_choice(read_number(io, Stmt::kStorageEntry)) != 1) return;
  rec.blk2.istore = 1;

  Text20 fname;
  for (;;) {
    say(io, kNameAdvice);
    prompt(io, kNamePrompt);
    fname = read_name(io, Stmt::kNameEntry);
    if (!is_reserved_name(fname)) break;
    say(io, kReservedName, {fname});
  }
  // An empty name keeps the current one: the default or the last entered.
  if (!trim_trailing(fname).empty()) rec.blk3.fn = fname;
}

}  // namespace lumo
