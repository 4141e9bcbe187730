#include "settings/preference_values.h"

#include <gtest/gtest.h>

#include "../structure/structure_builders.h"
#include "structure/structure_scaling.h"
#include "util/rounding.h"

namespace qzx::test {
namespace {

TEST(PreferenceValues, PaperSizesGoToMillimetresAndBack) {
    EXPECT_EQ(convertPaperSize("8.5", true), "215.9");
    EXPECT_EQ(convertPaperSize("11.0", true), "279.4");
    EXPECT_EQ(convertPaperSize("215.9", false), "8.5");
    EXPECT_EQ(convertPaperSize("279.4", false), "11.0");
    EXPECT_EQ(convertPaperSize(" 11 ", true), "279.4");
    EXPECT_EQ(convertPaperSize("A4", true), std::nullopt) << "no number: the box keeps its text";
    EXPECT_EQ(convertPaperSize("", false), std::nullopt);
}

TEST(PreferenceValues, PlacementFieldsTakeWholeNumbersOnly) {
    EXPECT_EQ(placementFieldValue("60 "), "60");
    EXPECT_EQ(placementFieldValue("120"), "120");
    EXPECT_EQ(placementFieldValue(""), std::nullopt);
    EXPECT_EQ(placementFieldValue("   "), std::nullopt);
    EXPECT_EQ(placementFieldValue("6x"), std::nullopt);
    EXPECT_EQ(placementFieldValue(" 7"), std::nullopt) << "only trailing blanks are removed";
}

TEST(PreferenceValues, DefaultsRestoreAFreshRecordButKeepTheRGroup) {
    Settings changed;
    changed.RingBondLength = 44;
    changed.Inches = false;
    changed.PaperWidth = std::string("215.9");
    changed.StructureTop = std::string("5");
    changed.R_Group = std::string("amide");
    const Settings defaults = defaultPreferences(changed);
    EXPECT_EQ(defaults.RingBondLength, 20);
    EXPECT_TRUE(defaults.Inches);
    EXPECT_EQ(defaults.PaperWidth, "8.5");
    EXPECT_EQ(defaults.StructureTop, "60");
    EXPECT_EQ(defaults.Structure_Orientation, 2);
    EXPECT_EQ(defaults.SpectrumWidth, "120");
    EXPECT_EQ(defaults.R_Group, "amide");
    EXPECT_EQ(defaults.PathToPaint, "C:\\Program Files\\Accessories\\MSpaint.exe");
}

TEST(StructureScaling, TheDrawingGrowsAboutItsFirstAtom) {
    Structure s = toluene();
    const Structure before = s;
    rescaleAboutFirstAtom(s, 1.5);
    const Atom& first = s.atom(1);
    EXPECT_EQ(first.X, before.atom(1).X);
    EXPECT_EQ(first.Y, before.atom(1).Y);
    for (int a = 2; a <= s.count.atoms; ++a) {
        EXPECT_NEAR(s.atom(a).X - first.X, 1.5 * (before.atom(a).X - first.X), 0.5);
        EXPECT_NEAR(s.atom(a).Y - first.Y, 1.5 * (before.atom(a).Y - first.Y), 0.5);
    }
    for (int b = 1; b <= s.count.bonds; ++b) {
        const Bond& bond = s.bond(b);
        EXPECT_EQ(bond.X1, s.atom(bond.AtomA).X) << "bond ends follow their atoms";
        EXPECT_EQ(bond.Y2, s.atom(bond.AtomB).Y);
    }
    ASSERT_GE(s.count.rings, 1);
    EXPECT_EQ(s.ring(1).Radius, static_cast<int>(Round(before.ring(1).Radius * 1.5)));
    Structure empty;
    rescaleAboutFirstAtom(empty, 2.0);
    EXPECT_EQ(empty.count.atoms, 0);
}

} // namespace
} // namespace qzx::test
