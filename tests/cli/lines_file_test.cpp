// The reader of the user's lines file: a file that uses every liberty of the
// format, and one fault of each kind, refused with its line and column.
#include "cli/lines_file.h"

#include <gtest/gtest.h>

#include <string>

namespace lumo::cli {
namespace {

TEST(LinesFile, ReadsEveryColumnInAnyOrderWithUnits) {
  // A byte order mark, CR LF, comments, blank lines, blanks around cells,
  // quoted cells with a comma and a doubled quote, empty optional cells.
  const std::string text =
      "\xEF\xBB\xBF# our lines\r\n"
      "\r\n"
      "source,inner,name,outer,aliases,er,tand,rho_outer,rho_inner,rough_outer,rough_inner,"
      "zo_nominal,rated_ghz\r\n"
      "\"Acme, sheet \"\"B\"\"\", 1.27mm ,Our K, 2.92 MM,k2; our-k-line ;,1,,1.72,1.59,8,400nm,50,"
      "40000MHz\r\n";
  LinesFileRead r = read_lines_file(text, "f.csv");
  ASSERT_TRUE(r.ok()) << r.error;
  ASSERT_EQ(r.lines.size(), 1u);
  const catalogue::Line& l = r.lines[0];
  EXPECT_EQ(l.name, "Our K");
  EXPECT_EQ(l.aliases, (std::vector<std::string>{"k2", "our-k-line"}));
  EXPECT_EQ(l.outer_in, 2.92 / 25.4);
  EXPECT_EQ(l.inner_in, 1.27 / 25.4);
  EXPECT_EQ(l.outer_as_given, "2.92 mm");
  EXPECT_EQ(l.inner_as_given, "1.27 mm");
  EXPECT_EQ(l.dielectric, "air");
  EXPECT_EQ(l.er, 1.0);
  EXPECT_FALSE(l.tand);
  EXPECT_EQ(l.rho_outer, 1.72);
  EXPECT_EQ(l.rho_inner, 1.59);
  EXPECT_EQ(l.rough_outer, 8.0);
  EXPECT_EQ(l.rough_inner, 400 / 25.4);
  EXPECT_EQ(l.zo_nominal, 50.0);
  EXPECT_EQ(l.rated_ghz, 40.0);
  EXPECT_EQ(l.source, "Acme, sheet \"B\"");
  EXPECT_EQ(l.file_line, 4);

  // A header alone is an empty catalogue.
  r = read_lines_file("name,outer,inner\n# none yet\n", "f.csv");
  EXPECT_TRUE(r.ok() && r.lines.empty()) << r.error;
}

TEST(LinesFile, AFaultRefusesTheWholeFileNamingItsLineAndColumn) {
  const std::string h = "name,outer,inner\n";
  const std::string he = "name,outer,inner,er,tand\n";
  struct Case {
    std::string text;
    const char* error;  // "" when read
  };
  const Case cases[] = {
      {"",
       "f.csv:1:1: expected a header row naming the columns (name, outer and inner are "
       "required)"},
      {"name,outer,inner,colour\n",
       "f.csv:1:18: unknown column 'colour'; the columns are name, outer, inner, aliases, er, "
       "tand, rho_outer, rho_inner, rough_outer, rough_inner, zo_nominal, rated_ghz, source"},
      {"name, outer\n",
       "f.csv:1:1: expected a column 'inner' in the header (name, outer and inner are required)"},
      {"name,outer,inner,outer\n", "f.csv:1:18: column 'outer' is named twice (first in column 6)"},
      {"name,,outer,inner\n", "f.csv:1:6: expected a column name"},
      {h + "a,0.3\n", "f.csv:2:6: expected 3 fields, one for each column of the header; found 2"},
      {h + "a,0.3,0.1,x\n",
       "f.csv:2:11: expected 3 fields, one for each column of the header; found 4"},
      {h + "\"a,0.3,0.1\n", "f.csv:2:1: expected '\"' to end the quoted field on its line"},
      {h + "\"a\" x,0.3,0.1\n",
       "f.csv:2:5: expected ',' or the end of the line after a quoted field"},
      {h + "a\xFF,0.3,0.1\n", "f.csv:2:2: expected UTF-8 text"},
      {h + "a\x01,0.3,0.1\n", "f.csv:2:2: expected text, found a control character"},
      {h + " ,0.3,0.1\n", "f.csv:2:2: expected the line's name"},
      {h + "-.-,0.3,0.1\n",
       "f.csv:2:1: name '-.-': expected a character other than blanks, dashes and dots"},
      {h + "a,,0.1\n", "f.csv:2:3: expected the outer diameter"},
      {h + "a,0.1ft,0.05\n",
       "f.csv:2:3: outer '0.1ft': unknown unit 'ft'; a length takes in, mil, mm or um"},
      {h + "a,0.3,x\n",
       "f.csv:2:7: inner 'x': not a number; a length is a number with an optional unit in, mil, "
       "mm or um"},
      // B > D as the runs see them, in single precision.
      {h + "a,0.1,100mil\n",
       "f.csv:2:3: the outer diameter (0.1 in) must exceed the inner diameter (0.1 in)"},
      {h + "a,99.99,1\n", ""},
      {h + "a,99.991,1\n",
       "f.csv:2:3: outer '99.991': outer diameter must be from 0.0001 to "
       "99.99 in"},
      {he + "a,0.3,0.1,1,\n", ""},
      {he + "a,0.3,0.1,0.9999999,\n",
       "f.csv:2:11: er '0.9999999': relative dielectric constant must be from 1 to 999.99"},
      {he + "a,0.3,0.1,999.99,\n", ""},
      {he + "a,0.3,0.1,1000,\n",
       "f.csv:2:11: er '1000': relative dielectric constant must be from 1 to 999.99"},
      {he + "a,0.3,0.1,2,0.5mm\n", "f.csv:2:13: tand '0.5mm': loss tangent takes no unit"},
      // The materials take 0, as their options do.
      {"name,outer,inner,rough_inner\na,0.3,0.1,0\n", ""},
      {"name,outer,inner,rough_inner\na,0.3,0.1,-1e-9\n",
       "f.csv:2:11: rough_inner '-1e-9': inner roughness must be from 0 to 999.99 micro-inches"},
      {he + "a,0.3,0.1,1,0.001\n", "f.csv:2:13: tand: not with er 1 (air has no dielectric loss)"},
      {"name,aliases,outer,inner\na,,0.3,0.1\nb,A.;c,0.3,0.1\n",
       "f.csv:3:3: alias 'A.' is already used by line 2 ('a'); names must differ in more than "
       "letter case, blanks, dashes and dots"},
      {"name,aliases,outer,inner\na,b;B,0.3,0.1\n",
       "f.csv:2:3: alias 'B' is already used by line 2 ('b'); names must differ in more than "
       "letter case, blanks, dashes and dots"},
  };
  for (const Case& c : cases) {
    const LinesFileRead r = read_lines_file(c.text, "f.csv");
    EXPECT_EQ(r.error, c.error) << c.text;
    if (!r.ok()) {
      EXPECT_TRUE(r.lines.empty());
    }
  }
}

}  // namespace
}  // namespace lumo::cli
