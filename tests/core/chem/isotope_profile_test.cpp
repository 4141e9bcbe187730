#include "chem/isotope_profile.h"

#include <gtest/gtest.h>

#include <string>

#include "chem/composition.h"
#include "chem/formula_text.h"
#include "loaded_elements.h"

namespace qzx {
namespace {

Composition parsed(std::string text) {
    Composition c;
    ParseFormulaText(c, text);
    return c;
}

TEST(IsotopeProfile, NominalMassWeighsEachElementByItsPrincipalIsotope) {
    const ElementTable& elements = test::elements();
    EXPECT_EQ(profileNominalMass(parsed("C6 H6"), elements), 78);
    EXPECT_EQ(profileNominalMass(parsed("C257 H383 N65 O77 S6"), elements), 5804);
    // Counts of 0 or below add nothing.
    EXPECT_EQ(profileNominalMass(parsed("C6 H6 N0 O-2"), elements), 78);
    EXPECT_EQ(profileNominalMass(Composition{}, elements), 0);
}

TEST(IsotopeProfile, GridCellsLineUp) {
    EXPECT_EQ(profileAbundanceCell(100.0f), "   100.00");
    EXPECT_EQ(profileAbundanceCell(50.0f), "     50.00");
    EXPECT_EQ(profileAbundanceCell(5.0f), "       5.00");
    EXPECT_EQ(profileAbundanceCell(9.996f), "       10.00") << "the padding goes by the value";
    EXPECT_EQ(profileMassCell(78.0f, false), "     78");
    EXPECT_EQ(profileMassCell(78.04695f, true), "     78.0470");
    // Eight significant digits first, then four decimals.
    EXPECT_EQ(profileMassCell(12345.6789f, true), "     12345.6790");
    EXPECT_EQ(profileLabelText(78.0f, false), "78");
    EXPECT_EQ(profileLabelText(78.04695f, true), "78.0470");
}

TEST(IsotopeProfile, SticksStandByMassOrByIndex) {
    IsotopePattern pattern;
    pattern.peaks = {{78.0f, 100.0f}, {79.0f, 6.6f}, {80.0f, 0.2f}};
    std::vector<ProfileStick> s = profileSticks(pattern, false);
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0].x, 60);
    EXPECT_EQ(s[1].x, 76);
    EXPECT_EQ(s[2].x, 92);
    EXPECT_EQ(s[0].height, 150);
    EXPECT_EQ(s[1].height, 10); // 9.9 rounds to 10
    EXPECT_EQ(s[2].height, 0);

    // Eight or more peaks share 140 pixels: 140 div 9 u = 15 per unit.
    pattern.peaks.clear();
    for (int i = 0; i <= 9; ++i)
        if (i != 4 && i != 5) pattern.peaks.push_back({100.0f + i, 10.0f});
    s = profileSticks(pattern, false);
    ASSERT_EQ(s.size(), 8u);
    EXPECT_EQ(s[3].x, 60 + 3 * 15);
    EXPECT_EQ(s[4].x, 60 + 6 * 15) << "a missing mass keeps its place";

    // Accurate sticks go by index: 140 div 7 = 20 apart for eight peaks, 18 for fewer.
    s = profileSticks(pattern, true);
    EXPECT_EQ(s[4].x, 60 + 4 * 20);
    pattern.peaks.resize(3);
    EXPECT_EQ(profileSticks(pattern, true)[2].x, 60 + 2 * 18);
    EXPECT_TRUE(profileSticks(IsotopePattern{}, true).empty());
}

} // namespace
} // namespace qzx
