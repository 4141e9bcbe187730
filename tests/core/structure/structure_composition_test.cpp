// The composition text and masses shown under the drawing.

#include <gtest/gtest.h>

#include <cstring>

#include "structure/structure.h"
#include "structure/structure_composition.h"
#include "structure_builders.h"

namespace qzx {
namespace {

using test::addAtom;
using test::addBond;
using test::elements;
using test::makeAtom;

/// The single-precision running sum the panel must show: each element's count times its
/// exact mass added in table order, rounded to float after each element.
float runningMonoMass(std::initializer_list<std::pair<int, int>> elementCounts) {
    float sum = 0.0f;
    for (const auto& [element, count] : elementCounts)
        sum = static_cast<float>(static_cast<double>(sum) +
                                 count * static_cast<double>(elements()[element].ExactMass));
    return sum;
}

TEST(ComposeStructure, EmptyStructure) {
    const Structure s;
    const StructureMasses nominal = composeStructure(s, elements(), false);
    EXPECT_EQ(nominal.composition, "");
    EXPECT_EQ(compositionPanelText(nominal), "   Composition:  ");
    EXPECT_EQ(massPanelText(nominal, false), "   Nominal Mass:  0");
    EXPECT_EQ(massPanelText(composeStructure(s, elements(), true), true),
              "   Monoisotopic Mass:  0");
}

TEST(ComposeStructure, TextInTableOrderWithEveryCountWritten) {
    Structure methane;
    addAtom(methane, makeAtom(1, 100, 100, 4, 1, 1));
    const StructureMasses m = composeStructure(methane, elements(), false);
    EXPECT_EQ(m.composition, "C1 H4 ");
    EXPECT_EQ(compositionPanelText(m), "   Composition:  C1 H4 ");
    EXPECT_EQ(massPanelText(m, false), "   Nominal Mass:  16");

    EXPECT_EQ(composeStructure(test::benzene(), elements(), false).composition, "C6 H6 ");

    // Hidden nitro oxygens count; deuterium (12) comes after Cl (6), not alphabetically.
    Structure s = test::nitromethane();
    const int cl = addAtom(s, makeAtom(6, 200, 100, 0, 1, 0));
    const int d = addAtom(s, makeAtom(12, 220, 100, 0, 1, 0));
    const int c = addAtom(s, makeAtom(1, 210, 120, 2, 1, 0));
    addBond(s, c, cl, 1);
    addBond(s, c, d, 1);
    const StructureMasses nitro = composeStructure(s, elements(), false);
    EXPECT_EQ(nitro.composition, "C2 H5 N1 O2 Cl1 D1 ");
    EXPECT_EQ(nitro.nominalMass, 24 + 5 + 14 + 32 + 35 + 2);
}

TEST(ComposeStructure, MassesFromEachElementsNominalAndExactMass) {
    // Tetraethyllead: Pb 208 (its lightest isotope, 204, would give 320).
    Structure s;
    const int pb = addAtom(s, makeAtom(elements().findSymbol("Pb"), 200, 200, 0, 1, 0));
    const int offsets[4][2] = {{0, -20}, {20, 0}, {0, 20}, {-20, 0}};
    for (const auto& [dx, dy] : offsets) {
        const int ch2 = addAtom(s, makeAtom(1, 200 + dx, 200 + dy, 2, 0, 0));
        const int ch3 = addAtom(s, makeAtom(1, 200 + 2 * dx, 200 + 2 * dy, 3, 1, 0));
        addBond(s, pb, ch2, 1);
        addBond(s, ch2, ch3, 1);
    }
    const StructureMasses nominal = composeStructure(s, elements(), false);
    EXPECT_EQ(nominal.composition, "C8 H20 Pb1 ");
    EXPECT_EQ(nominal.nominalMass, 324);
    EXPECT_EQ(nominal.monoMass, 0.0f);
    EXPECT_EQ(massPanelText(nominal, false), "   Nominal Mass:  324");

    const StructureMasses accurate = composeStructure(s, elements(), true);
    EXPECT_EQ(accurate.composition, "C8 H20 Pb1 ");
    EXPECT_EQ(accurate.nominalMass, 0);
    const float expected = runningMonoMass({{1, 8}, {2, 20}, {elements().findSymbol("Pb"), 1}});
    EXPECT_EQ(std::memcmp(&accurate.monoMass, &expected, sizeof expected), 0)
        << accurate.monoMass << " " << expected;
    EXPECT_EQ(massPanelText(accurate, true), "   Monoisotopic Mass:  324.1331");

    // Boron counts 11, not 10.
    Structure borane;
    addAtom(borane, makeAtom(16, 100, 100, 3, 1, 1));
    EXPECT_EQ(composeStructure(borane, elements(), false).nominalMass, 14);
}

TEST(ComposeStructure, AccurateMassOfDrawnRings) {
    const StructureMasses benzene = composeStructure(test::benzene(), elements(), true);
    EXPECT_EQ(benzene.monoMass, runningMonoMass({{1, 6}, {2, 6}}));
    EXPECT_EQ(massPanelText(benzene, true), "   Monoisotopic Mass:  78.047");
    const StructureMasses nitro = composeStructure(test::nitromethane(), elements(), true);
    EXPECT_EQ(massPanelText(nitro, true), "   Monoisotopic Mass:  61.0164");
}

} // namespace
} // namespace qzx
