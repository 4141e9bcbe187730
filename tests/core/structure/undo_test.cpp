// One step of history kept inside the structure: undo and redo of appended rows, element
// changes and raised bonds, and Aromatize as an edit that can be undone.

#include <gtest/gtest.h>

#include "structure/hydrogens.h"
#include "structure/structure.h"
#include "structure/structure_delete.h"
#include "structure/undo.h"
#include "structure_builders.h"

namespace qzx {
namespace {

using test::addAtom;
using test::addBond;
using test::BondEnds;
using test::elements;
using test::formula;
using test::makeAtom;
using test::snapshot;
using test::tableFaults;

TEST(UndoAppended, BondFromMethaneUndoneAndRedoneExactly) {
    Structure s;
    test::firstCarbon(s, 100, 100);
    const test::Snapshot methane = snapshot(s);
    test::drawMethylFrom(s, 1, 120, 100);
    const test::Snapshot ethane = snapshot(s);

    ASSERT_TRUE(undoRedo(s, elements()));
    EXPECT_EQ(snapshot(s), methane);
    EXPECT_EQ(formula(s), "C1 H4 ");
    EXPECT_EQ(s.atom(2).Element, 1); // stays stored above the counter for redo

    ASSERT_TRUE(undoRedo(s, elements()));
    EXPECT_EQ(snapshot(s), ethane);
    ASSERT_TRUE(undoRedo(s, elements()));
    EXPECT_EQ(snapshot(s), methane);
}

TEST(UndoAppended, RingCounterIsExchangedWithTheOthers) {
    Structure s = test::ethane();
    const test::Snapshot before = snapshot(s);
    test::placeRing(s, 300, 100, true);
    const test::Snapshot after = snapshot(s);

    ASSERT_TRUE(undoRedo(s, elements()));
    EXPECT_EQ(snapshot(s), before);
    EXPECT_EQ(s.count.rings, 0); // a file saved now holds no hidden ring
    EXPECT_EQ(tableFaults(s, BondEnds::OnAtoms), "");
    ASSERT_TRUE(undoRedo(s, elements()));
    EXPECT_EQ(snapshot(s), after);
    EXPECT_EQ(tableFaults(s, BondEnds::OnAtoms), "");
}

TEST(UndoAppended, MethylOnBenzeneRecomputesWithAromaticWeights) {
    Structure s = test::toluene();
    const test::Snapshot toluene = snapshot(s);
    ASSERT_TRUE(undoRedo(s, elements()));
    EXPECT_EQ(snapshot(s), snapshot(test::benzene()));
    ASSERT_TRUE(undoRedo(s, elements()));
    EXPECT_EQ(snapshot(s), toluene);
}

TEST(UndoAppended, NothingAppendedSinceTheLastDeleteDoesNothing) {
    // Toluene, delete the methyl, Undo: the benzene stays aromatic with its circle.
    Structure s = test::toluene();
    s.SelectionList = {7};
    deleteSelectedAtoms(s, elements());
    const test::Snapshot benzene = snapshot(s);
    ASSERT_EQ(formula(s), "C6 H6 ");

    EXPECT_FALSE(undoRedo(s, elements()));
    EXPECT_EQ(snapshot(s), benzene);
    EXPECT_EQ(formula(s), "C6 H6 ");

    Structure empty;
    EXPECT_FALSE(undoRedo(empty, elements()));
}

TEST(UndoElementChange, AlternatesBetweenTheTwoElements) {
    Structure s = test::ethane();
    recordElementChange(s, 2);
    EXPECT_EQ(s.saved, s.count); // no older redo survives the change
    ASSERT_TRUE(changeElement(s, elements(), 2, 4, false));
    EXPECT_EQ(formula(s), "C1 H4 O1 ");

    ASSERT_TRUE(undoRedo(s, elements()));
    EXPECT_EQ(s.atom(2).Element, 1);
    EXPECT_EQ(s.atom(2).Hydrogens, 3);
    ASSERT_TRUE(undoRedo(s, elements()));
    EXPECT_EQ(s.atom(2).Element, 4);
    EXPECT_EQ(s.atom(2).Hydrogens, 1);
    EXPECT_EQ(s.count, s.saved);

    // The label flag goes back and forth too: a hidden ring carbon made into nitrogen.
    Structure ring = test::cyclohexane();
    recordElementChange(ring, 3);
    ASSERT_TRUE(changeElement(ring, elements(), 3, 3, false));
    EXPECT_EQ(ring.atom(3).LabelShown, 1);
    ASSERT_TRUE(undoRedo(ring, elements()));
    EXPECT_EQ(ring.atom(3).LabelShown, 0);
    EXPECT_EQ(snapshot(ring), snapshot(test::cyclohexane()));
    ASSERT_TRUE(undoRedo(ring, elements()));
    EXPECT_EQ(ring.atom(3).LabelShown, 1);
    EXPECT_EQ(ring.atom(3).Hydrogens, 1);
}

TEST(UndoBondRaise, LowersAndRaisesAgainMovingHydrogens) {
    Structure s = test::ethane();
    // A single bond drawn again over bond 1: the counters are saved before the bond was found.
    s.saveCounters();
    s.undo = UndoRecord{UndoRecord::BondRaised, 1, 1, 0};
    s.bond(1).Order = 2;
    s.atom(1).Hydrogens -= 1;
    s.atom(2).Hydrogens -= 1;
    const test::Snapshot ethene = snapshot(s);

    ASSERT_TRUE(undoRedo(s, elements()));
    EXPECT_EQ(snapshot(s), snapshot(test::ethane()));
    ASSERT_TRUE(undoRedo(s, elements()));
    EXPECT_EQ(snapshot(s), ethene);
    ASSERT_TRUE(undoRedo(s, elements()));

    // Hydrogens taken away meanwhile (valence tool): raising again would go negative.
    s.atom(2).Hydrogens = 0;
    const test::Snapshot before = snapshot(s);
    EXPECT_FALSE(undoRedo(s, elements()));
    EXPECT_EQ(snapshot(s), before);
}

TEST(Aromatize, CyclohexaneBecomesBenzeneWithItsHydrogens) {
    Structure s = test::cyclohexane();
    const test::Snapshot cyclohexane = snapshot(s);
    s.SelectionList = {1, 2, 3, 4, 5, 6};
    ASSERT_EQ(aromatize(s, elements(), test::L), AromatizeResult::Done);

    EXPECT_EQ(s.count, (TableCounts{13, 6, 6, 1}));
    EXPECT_EQ(s.saved, cyclohexane.count);
    EXPECT_EQ(s.item(13), (DrawItem{kRingItem, 1}));
    EXPECT_EQ(s.ring(1).Atoms, (std::array<std::int32_t, 6>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(s.ring(1).CentreX, 100);
    EXPECT_EQ(s.ring(1).CentreY, 130);
    EXPECT_EQ(s.ring(1).Radius, 14);
    for (int b = 1; b <= 6; ++b) {
        EXPECT_EQ(s.bond(b).Order, 2);
        EXPECT_EQ(s.bond(b).RingState, 2);
        EXPECT_EQ(s.bond(b).RingX, 1);
    }
    for (int a = 1; a <= 6; ++a) {
        EXPECT_EQ(s.atom(a).Hydrogens, 1) << "an aromatic carbon of benzene";
        EXPECT_EQ(s.atom(a).RingState, 2);
        EXPECT_EQ(s.atom(a).LabelShown, 0);
    }
    EXPECT_EQ(tableFaults(s, BondEnds::OnAtoms), "");
    EXPECT_EQ(s.SelectionList.size(), 6u); // the editor ends select mode
    const test::Snapshot aromatic = snapshot(s);

    // Undo gives back the plain ring, its bonds around their centre again; redo the circle.
    ASSERT_TRUE(undoRedo(s, elements()));
    EXPECT_EQ(snapshot(s), cyclohexane);
    ASSERT_TRUE(undoRedo(s, elements()));
    EXPECT_EQ(snapshot(s), aromatic);
}

TEST(Aromatize, CentreRadiusAndLabelsFromTheSelectedAtoms) {
    // A ring atom made nitrogen shows its label; halves round to the even neighbour.
    Structure s = test::cyclohexane(101, 101);
    ASSERT_TRUE(changeElement(s, elements(), 4, 3, false));
    s.atom(1).Y = 100;                    // y from 100 to 161: 130.5
    s.atom(5).X = 122;                    // x from 81 to 122: 101.5
    s.SelectionList = {6, 5, 4, 3, 2, 1}; // the ring lists them in ascending rows
    ASSERT_EQ(aromatize(s, elements(), 25), AromatizeResult::Done);
    EXPECT_EQ(s.ring(1).Atoms, (std::array<std::int32_t, 6>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(s.ring(1).CentreX, 102);
    EXPECT_EQ(s.ring(1).CentreY, 130);
    EXPECT_EQ(s.ring(1).Radius, 18); // 17.5
    EXPECT_EQ(s.atom(4).LabelShown, 1);
    EXPECT_EQ(s.atom(1).LabelShown, 0);
    EXPECT_EQ(s.atom(4).Hydrogens, 0) << "the ring nitrogen of pyridine carries no hydrogen";
}

TEST(Aromatize, ARingDrawnWithDoubleBondsKeepsItsHydrogens) {
    // Cyclohexatriene: alternating double bonds, one hydrogen per carbon, and a methyl.
    Structure s = test::cyclohexane();
    for (int b : {1, 3, 5}) {
        s.bond(b).Order = 2;
        --s.atom(s.bond(b).AtomA).Hydrogens;
        --s.atom(s.bond(b).AtomB).Hydrogens;
    }
    const int methyl = addAtom(s, makeAtom(1, 100, 60, 3, 1, 0));
    addBond(s, 1, methyl, 1);
    --s.atom(1).Hydrogens;
    s.saveCounters();
    s.SelectionList = {1, 2, 3, 4, 5, 6};
    ASSERT_EQ(aromatize(s, elements(), test::L), AromatizeResult::Done);
    EXPECT_EQ(test::formula(s), "C7 H8 ") << "toluene";
    EXPECT_EQ(s.atom(1).Hydrogens, 0);
    for (int a = 2; a <= 6; ++a)
        EXPECT_EQ(s.atom(a).Hydrogens, 1) << a;
}

TEST(Aromatize, WrongSelectionOrNoRoomChangesNothing) {
    Structure s = test::cyclohexane();
    s.SelectionList = {1, 2, 3, 4, 5};
    const test::Snapshot before = snapshot(s);
    const TableCounts saved = s.saved;
    EXPECT_EQ(aromatize(s, elements(), test::L), AromatizeResult::WrongSelection);
    EXPECT_EQ(snapshot(s), before);
    EXPECT_EQ(s.saved, saved);

    s.SelectionList = {1, 2, 3, 4, 5, 6, 6};
    EXPECT_EQ(aromatize(s, elements(), test::L), AromatizeResult::WrongSelection);
    s.SelectionList = {1, 1, 2, 3, 4, 5};
    EXPECT_EQ(aromatize(s, elements(), test::L), AromatizeResult::WrongSelection);

    Structure nitro = test::nitromethane();
    addAtom(nitro, makeAtom(1, 200, 200, 4, 1, 1));
    addAtom(nitro, makeAtom(1, 220, 200, 4, 1, 1));
    nitro.SelectionList = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(aromatize(nitro, elements(), test::L), AromatizeResult::WrongSelection);

    s.SelectionList = {1, 2, 3, 4, 5, 6};
    s.count.rings = kMaxAromaticRings;
    EXPECT_EQ(aromatize(s, elements(), test::L), AromatizeResult::NoRoom);
    s.count.rings = 0;
    EXPECT_EQ(snapshot(s), before);
}

TEST(Aromatize, UndoBesideAnOlderRingKeepsTheSharedBondInIt) {
    // Benzene with a cyclohexane fused on its right edge (atoms 5 and 6, bond 5 shared).
    Structure s = test::benzene();
    s.saveCounters();
    const int a7 = addAtom(s, makeAtom(1, 140, 100, 2, 0, 1));
    const int a8 = addAtom(s, makeAtom(1, 140, 160, 2, 0, 1));
    const int a9 = addAtom(s, makeAtom(1, 160, 140, 2, 0, 1));
    const int a10 = addAtom(s, makeAtom(1, 160, 120, 2, 0, 1));
    s.atom(5).Hydrogens = 0;
    s.atom(6).Hydrogens = 0;
    for (const auto& [a, b] : {std::pair{a7, 6}, {5, a8}, {a8, a9}, {a9, a10}, {a10, a7}}) {
        const int row = addBond(s, a, b, 1);
        s.bond(row).RingState = 1;
        s.bond(row).RingX = 140;
        s.bond(row).RingY = 130;
    }
    ASSERT_EQ(tableFaults(s, BondEnds::OnAtoms), "");
    ASSERT_EQ(formula(s), "C10 H12 ");
    const test::Snapshot fused = snapshot(s);

    s.SelectionList = {5, 6, a7, a8, a9, a10};
    ASSERT_EQ(aromatize(s, elements(), test::L), AromatizeResult::Done);
    EXPECT_EQ(s.bond(5).RingX, 2);
    const test::Snapshot aromatic = snapshot(s);

    ASSERT_TRUE(undoRedo(s, elements()));
    EXPECT_EQ(tableFaults(s, BondEnds::OnAtoms), "");
    EXPECT_EQ(snapshot(s), fused);
    ASSERT_TRUE(undoRedo(s, elements()));
    EXPECT_EQ(snapshot(s), aromatic);
    EXPECT_EQ(tableFaults(s, BondEnds::OnAtoms), "");
}

} // namespace
} // namespace qzx
