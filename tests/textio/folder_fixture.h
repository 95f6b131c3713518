// A GoogleTest fixture over a fresh temporary folder, and the locator line
// of the fatal report.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/temp_folder.h"
#include "textio/statements.h"

namespace lumo::testing {

class FolderTest : public ::testing::Test {
 protected:
  TempFolder folder_{"textio"};
};

// The locator line a stop reported at `where` shows.
inline std::string locator(Stmt where, int unit, const std::string& file_part = "") {
  std::string text = "At line " + std::to_string(statement_number(where)) + " of file " +
                     std::string(statement_part(where)) + " (unit = " + std::to_string(unit);
  if (!file_part.empty()) text += ", file = '" + file_part + "'";
  return text + ")\n";
}

}  // namespace lumo::testing
