// The built-in catalogue against the physics it claims, and the matching of
// names.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "catalogue/line_catalogue.h"
#include "checks/mode_cutoffs.h"

namespace lumo::catalogue {
namespace {

// A row that fails is a wrong row: its Zo from B, D and Er (eta0 / (2 pi
// sqrt(Er)) ln(B/D), written out here) lies within 1 % of its nominal
// impedance, and its exact TE11 cut-off above its rated frequency.
TEST(Catalogue, EveryBuiltInRowGivesItsNominalZoAndIsSingleModeToItsRating) {
  constexpr double kEta0 = 376.730313668;
  const std::span<const Line> lines = built_in_lines();
  ASSERT_EQ(lines.size(), 8u);
  for (const Line& l : lines) {
    SCOPED_TRACE(l.name);
    ASSERT_TRUE(l.er && l.zo_nominal);
    EXPECT_FALSE(l.source.empty());
    const double zo =
        kEta0 / (2 * std::numbers::pi * std::sqrt(*l.er)) * std::log(l.outer_in / l.inner_in);
    EXPECT_LT(std::abs(zo / *l.zo_nominal - 1), 0.01) << zo;
    const double te11 = checks::mode_cutoffs({l.outer_in, l.inner_in, *l.er}).te11_ghz;
    if (l.rated_ghz) {
      EXPECT_GT(te11, *l.rated_ghz);
    }
    // Air has no dielectric loss.
    if (*l.er == 1) {
      EXPECT_EQ(l.tand, 0.0);
    }
  }
  // The 2.4 mm line is single-mode to about 56.5 GHz, above its 50 GHz.
  const Line* l = find_line(lines, "2.4mm");
  ASSERT_NE(l, nullptr);
  const double te11 = checks::mode_cutoffs({l->outer_in, l->inner_in, 1.0}).te11_ghz;
  EXPECT_NEAR(te11, 56.5, 56.5 * 0.005);
}

TEST(Catalogue, NamesMatchWithoutCaseBlanksDashesAndDots) {
  struct Case {
    const char* given;
    const char* found;  // nullptr: no line
  };
  const Case cases[] = {
      {"3.5mm", "3.5mm"},
      {"3.5 mm", "3.5mm"},
      {"35MM", "3.5mm"},
      {"RG-402", "RG-402"},
      {"rg402", "RG-402"},
      {"0.141", "RG-402"},
      {"Semi Rigid 0.141", "RG-402"},
      {"K", "2.92mm"},
      {"type n", "N"},
      {"1.0 mm", "1.0mm"},
      {"3,5mm", nullptr},
      {"2.5mm", nullptr},
      {"", nullptr},
      {" - . ", nullptr},
  };
  for (const Case& c : cases) {
    const Line* l = find_line(built_in_lines(), c.given);
    EXPECT_EQ(l == nullptr ? "(none)" : l->name, c.found == nullptr ? "(none)" : c.found)
        << c.given;
  }
  // Nearest by edit distance between keys ("25mm" is one edit from "35mm"
  // and "24mm", two from "7mm"), ties in catalogue order.
  EXPECT_EQ(nearest_names(built_in_lines(), "2.5mm", 3),
            (std::vector<std::string>{"3.5mm", "2.4mm", "7mm"}));
  EXPECT_EQ(nearest_names(built_in_lines(), "RG 401", 1), (std::vector<std::string>{"RG-402"}));
}

TEST(Catalogue, AUsersLineShadowsTheBuiltInNamesItShares) {
  Line mine;
  mine.name = "7 MM";
  mine.aliases = {"our-airline", "k"};
  mine.outer_in = 0.3;
  mine.inner_in = 0.1;
  const std::vector<Line> user{mine};
  const std::vector<Line> all = with_built_in(user);
  EXPECT_EQ(find_line(all, "7mm")->outer_in, 0.3);
  EXPECT_EQ(find_line(all, "K")->outer_in, 0.3);
  EXPECT_EQ(find_line(all, "2.92mm")->name, "2.92mm");
  const std::span<const Line> built_in = built_in_lines();
  EXPECT_EQ(shadowed_names(built_in[0], user), (std::vector<std::string>{"7mm"}));
  EXPECT_EQ(shadowed_names(built_in[3], user), (std::vector<std::string>{"k"}));
  EXPECT_TRUE(shadowed_names(built_in[1], user).empty());
}

}  // namespace
}  // namespace lumo::catalogue
