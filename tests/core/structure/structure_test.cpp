// The shared questions every gesture asks of the tables: which atom is nearest, and whether
// an edit still fits.

#include <gtest/gtest.h>

#include "structure/structure.h"
#include "structure_builders.h"

namespace qzx {
namespace {

using test::addAtom;
using test::makeAtom;

TEST(StructureNearestAtom, ManhattanDistanceWithTiesToTheLowerRow) {
    Structure s;
    addAtom(s, makeAtom(1, 100, 100, 3, 1, 0));
    addAtom(s, makeAtom(1, 120, 100, 3, 1, 0));
    addAtom(s, makeAtom(1, 100, 130, 3, 1, 0));

    // |dx| + |dy|, not the Euclidean distance: (117, 120) is 23 from atom 2 and 27 from
    // atom 3, although atom 3 is nearer in a straight line.
    EXPECT_EQ(s.nearestAtom(117, 120), 2);
    // Exactly between atoms 1 and 2: the lower row wins, whichever comes first in space.
    EXPECT_EQ(s.nearestAtom(110, 100), 1);
    // Atoms 2 and 3 tie at (115, 120), both 25 away: row 2 wins.
    EXPECT_EQ(s.nearestAtom(115, 120), 2);
    // No distance limit: a point far away still finds an atom.
    EXPECT_EQ(s.nearestAtom(1500, 100), 2);
    EXPECT_EQ(s.nearestAtom(90, 1190), 3);
}

TEST(StructureNearestAtom, FewerThanTwoAtomsGiveAtomOne) {
    Structure s;
    EXPECT_EQ(s.nearestAtom(10, 10), 1);
    addAtom(s, makeAtom(1, 800, 600, 4, 1, 1));
    EXPECT_EQ(s.nearestAtom(0, 0), 1);
}

TEST(StructureNearestAtom, RowsAboveTheCounterAreNotSeen) {
    // Propane with its last methyl undone: that row stays stored at (140, 100), but of the two
    // atoms in use the middle carbon is nearest to it.
    Structure s = test::ethane();
    test::drawMethylFrom(s, 2, 140, 100);
    s.count = s.saved;
    ASSERT_EQ(s.count.atoms, 2);
    EXPECT_EQ(s.nearestAtom(140, 100), 2);
    EXPECT_EQ(s.nearestAtom(100, 100), 1);
}

TEST(StructureRoom, EveryTableAtItsCapacityAndTheBondTableOneShort) {
    Structure s;
    s.count = {kMaxDrawItems - 3, kMaxAtoms - 2, kMaxBonds - 3, kMaxAromaticRings - 1};
    EXPECT_TRUE(s.hasRoomFor({3, 2, 2, 1}));
    EXPECT_FALSE(s.hasRoomFor({4, 0, 0, 0}));
    EXPECT_FALSE(s.hasRoomFor({0, 3, 0, 0}));
    EXPECT_FALSE(s.hasRoomFor({0, 0, 0, 2}));
    // The last bond row is kept for the bond being drawn: 899 finished bonds at most.
    EXPECT_FALSE(s.hasRoomFor({0, 0, 3, 0}));
    s.count.bonds = kMaxBonds - 1;
    EXPECT_TRUE(s.hasRoomFor({}));
    EXPECT_FALSE(s.hasRoomFor({0, 0, 1, 0}));
}

} // namespace
} // namespace qzx
