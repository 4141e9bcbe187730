// Implicit hydrogens from valence and bonds, element changes, and which atoms belong to a
// nitro group.

#include <gtest/gtest.h>

#include "structure/hydrogens.h"
#include "structure/structure.h"
#include "structure_builders.h"

namespace qzx {
namespace {

using test::addAtom;
using test::elements;
using test::makeAtom;
using test::makeBond;

/// Two carbons joined by one aromatic bond (weight 1.5, so 2.5 hydrogens each) and a third
/// carbon joined to the second by a double bond (second carbon: 4 - 3.5 = 0.5).
Structure fractionalCarbons() {
    Structure s;
    addAtom(s, makeAtom(1, 100, 100, 0, 0, 2));
    addAtom(s, makeAtom(1, 120, 100, 0, 0, 2));
    addAtom(s, makeAtom(1, 140, 100, 0, 1, 0));
    s.appendBond(makeBond(s, 1, 2, 2, 2, 1));
    s.appendBond(makeBond(s, 2, 3, 2));
    return s;
}

TEST(RecomputeHydrogens, AromaticBondsWeighOneAndAHalfRoundedByTheCaller) {
    Structure up = fractionalCarbons();
    recomputeHydrogens(up, elements(), HydrogenRounding::Up, 3, 2);
    EXPECT_EQ(up.atom(1).Hydrogens, 3); // 2.5 up
    EXPECT_EQ(up.atom(2).Hydrogens, 1); // 0.5 up
    EXPECT_EQ(up.atom(3).Hydrogens, 2);

    Structure nearest = fractionalCarbons();
    recomputeHydrogens(nearest, elements(), HydrogenRounding::NearestEven, 3, 2);
    EXPECT_EQ(nearest.atom(1).Hydrogens, 2); // 2.5 to even
    EXPECT_EQ(nearest.atom(2).Hydrogens, 0); // 0.5 to even
    EXPECT_EQ(nearest.atom(3).Hydrogens, 2);

    Structure ring = test::benzene();
    for (int a = 1; a <= 6; ++a)
        ring.atom(a).Hydrogens = 7;
    recomputeHydrogens(ring, elements(), HydrogenRounding::Up, 6, 6);
    for (int a = 1; a <= 6; ++a)
        EXPECT_EQ(ring.atom(a).Hydrogens, 1) << a;
}

TEST(RecomputeHydrogens, CarbonsWithThreeHydrogensBecomeChainEnds) {
    Structure up = fractionalCarbons();
    up.atom(1).Reserved8 = 1;
    recomputeHydrogens(up, elements(), HydrogenRounding::Up, 3, 2);
    EXPECT_EQ(up.atom(1).RingState, 0);
    EXPECT_EQ(up.atom(1).LabelShown, 1);
    EXPECT_EQ(up.atom(1).Reserved8, 1); // only undo and redo clear it
    EXPECT_EQ(up.atom(2).RingState, 2);
    EXPECT_EQ(up.atom(2).LabelShown, 0);

    // After undo/redo a CH3 loses the reserved mark too; a 2.5 that rounds to 2 stays a ring
    // atom.
    Structure nearest = fractionalCarbons();
    recomputeHydrogens(nearest, elements(), HydrogenRounding::NearestEven, 3, 2);
    EXPECT_EQ(nearest.atom(1).RingState, 2);
    EXPECT_EQ(nearest.atom(1).LabelShown, 0);

    Structure chain = test::ethane();
    chain.atom(2) = makeAtom(1, 120, 100, 0, 0, 1);
    chain.atom(2).Reserved8 = 1;
    recomputeHydrogens(chain, elements(), HydrogenRounding::NearestEven, 2, 1);
    EXPECT_EQ(chain.atom(2).Hydrogens, 3);
    EXPECT_EQ(chain.atom(2).RingState, 0);
    EXPECT_EQ(chain.atom(2).LabelShown, 1);
    EXPECT_EQ(chain.atom(2).Reserved8, 0);

    // Only carbon: a lone nitrogen with 3 hydrogens keeps its ring state and label.
    Structure ammonia;
    addAtom(ammonia, makeAtom(3, 100, 100, 0, 0, 1));
    recomputeHydrogens(ammonia, elements(), HydrogenRounding::Up, 1, 0);
    EXPECT_EQ(ammonia.atom(1).Hydrogens, 3);
    EXPECT_EQ(ammonia.atom(1).RingState, 1);
    EXPECT_EQ(ammonia.atom(1).LabelShown, 0);
}

TEST(RecomputeHydrogens, LimitsAndNeverNegative) {
    Structure s = test::nitromethane();
    s.atom(1).Hydrogens = 9;
    s.atom(2).Hydrogens = 9;
    s.atom(3).Hydrogens = 9;
    s.atom(4).Hydrogens = 9;
    // Bonds above the limit do not count; atoms above the limit are not touched.
    recomputeHydrogens(s, elements(), HydrogenRounding::Up, 3, 2);
    EXPECT_EQ(s.atom(1).Hydrogens, 3);
    EXPECT_EQ(s.atom(2).Hydrogens, 0); // 3 - (1 + 2)
    EXPECT_EQ(s.atom(3).Hydrogens, 0);
    EXPECT_EQ(s.atom(4).Hydrogens, 9);
    recomputeHydrogens(s, elements(), HydrogenRounding::NearestEven, 4, 3);
    EXPECT_EQ(s.atom(2).Hydrogens, 0); // 3 - 5, not -2
    EXPECT_EQ(s.atom(4).Hydrogens, 0);
    EXPECT_EQ(test::formula(s), "C1 H3 N1 O2 ");
}

TEST(ChangeElement, KeepsTheBondsInUseAndRefusesNegativeHydrogens) {
    Structure s = test::cyclohexane();
    EXPECT_TRUE(changeElement(s, elements(), 1, 4, false));
    EXPECT_EQ(s.atom(1).Element, 4);
    EXPECT_EQ(s.atom(1).Hydrogens, 0);
    EXPECT_EQ(s.atom(1).LabelShown, 1);

    const Atom before = s.atom(2);
    EXPECT_FALSE(changeElement(s, elements(), 2, 6, false)); // Cl: 1 - 2 < 0
    EXPECT_EQ(s.atom(2), before);

    // Back to carbon in a ring: the label hides unless all atoms are shown.
    EXPECT_TRUE(changeElement(s, elements(), 1, 1, false));
    EXPECT_EQ(s.atom(1).Hydrogens, 2);
    EXPECT_EQ(s.atom(1).LabelShown, 0);
    EXPECT_TRUE(changeElement(s, elements(), 1, 1, true));
    EXPECT_EQ(s.atom(1).LabelShown, 1);

    // A chain carbon keeps its label; nitrogen from a CH3 gets 2 hydrogens.
    Structure chain = test::ethane();
    EXPECT_TRUE(changeElement(chain, elements(), 2, 3, false));
    EXPECT_EQ(chain.atom(2).Hydrogens, 2);
    EXPECT_TRUE(changeElement(chain, elements(), 2, 1, false));
    EXPECT_EQ(chain.atom(2).LabelShown, 1);

    EXPECT_FALSE(changeElement(chain, elements(), 2, 0, false));
    EXPECT_FALSE(changeElement(chain, elements(), 2, 84, false));
    EXPECT_FALSE(changeElement(chain, elements(), 3, 4, false));
}

TEST(ChangeElement, NitroGroupCannotBeEdited) {
    Structure s = test::nitromethane();
    EXPECT_FALSE(isNitroAtom(s, 1));
    for (int a = 2; a <= 4; ++a)
        EXPECT_TRUE(isNitroAtom(s, a)) << a;
    EXPECT_FALSE(isNitroAtom(s, 5));

    const Structure before = s;
    for (int a = 2; a <= 4; ++a)
        EXPECT_FALSE(changeElement(s, elements(), a, 5, false)) << a;
    EXPECT_EQ(test::snapshot(s), test::snapshot(before));
    EXPECT_TRUE(changeElement(s, elements(), 1, 3, false)); // the carrier is an ordinary atom
    EXPECT_EQ(s.atom(1).Hydrogens, 2);
}

} // namespace
} // namespace qzx
