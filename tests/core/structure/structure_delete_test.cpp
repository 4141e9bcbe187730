// Deleting selected atoms and reducing bonds: what the tables look like afterwards.

#include <gtest/gtest.h>

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

/// Everything a compacting edit promises besides its own result.
void expectSettled(const Structure& s) {
    EXPECT_EQ(tableFaults(s, BondEnds::OnAtoms), "");
    EXPECT_TRUE(test::canonicalDrawList(s));
    EXPECT_EQ(s.saved, s.count);
    EXPECT_EQ(s.undo, UndoRecord{});
    EXPECT_TRUE(s.deAromatisedBonds.empty());
}

/// Benzene (atoms 1-6, ring 1) with a second upright benzene fused on its right edge: atoms
/// 7-10, ring 2 = 7, 6, 5, 8, 9, 10; bond 5 (atoms 5-6) is shared and names ring 2, as a
/// reused bond does after the fusion.
Structure naphthalene() {
    Structure s = test::benzene();
    s.saveCounters();
    const int a7 = addAtom(s, makeAtom(1, 140, 100, 1, 0, 2));
    const int a8 = addAtom(s, makeAtom(1, 140, 160, 1, 0, 2));
    const int a9 = addAtom(s, makeAtom(1, 160, 140, 1, 0, 2));
    const int a10 = addAtom(s, makeAtom(1, 160, 120, 1, 0, 2));
    s.atom(5).Hydrogens = 0;
    s.atom(6).Hydrogens = 0;
    for (const auto& [a, b] : {std::pair{a7, 6}, {5, a8}, {a8, a9}, {a9, a10}, {a10, a7}}) {
        const int row = addBond(s, a, b, 2);
        s.bond(row).RingState = 2;
        s.bond(row).RingX = 2;
    }
    s.bond(5).RingX = 2;
    AromaticRing ring;
    ring.Atoms = {a7, 6, 5, a8, a9, a10};
    ring.CentreX = 140;
    ring.CentreY = 130;
    ring.Radius = 14;
    s.appendItem(kRingItem, s.appendRing(ring));
    return s;
}

TEST(DeleteAtoms, OneAtomOfBenzeneOpensTheRingIntoAChain) {
    Structure s = test::benzene();
    s.undo = UndoRecord{UndoRecord::ElementChanged, 4, 1, 1};
    s.SelectionList = {1};
    deleteSelectedAtoms(s, elements());

    EXPECT_EQ(s.count, (TableCounts{9, 5, 4, 0}));
    expectSettled(s);
    EXPECT_TRUE(s.SelectionList.empty());
    for (int b = 1; b <= 4; ++b) {
        EXPECT_EQ(s.bond(b).Order, 1) << b;
        EXPECT_EQ(s.bond(b).RingState, 0) << b;
        EXPECT_EQ(s.bond(b).RingX, 0) << b;
    }
    // Old atoms 2..6 moved down one row, in order.
    EXPECT_EQ(s.atom(1).X, 80);
    EXPECT_EQ(s.atom(1).Y, 120);
    EXPECT_EQ(s.atom(5).X, 120);
    EXPECT_EQ(s.atom(5).Y, 120);
    // The broken ends are CH3 with labels; the middle carbons keep 2 H as hidden vertices.
    const int hydrogens[] = {3, 2, 2, 2, 3};
    const int ringState[] = {0, 2, 2, 2, 0};
    const int label[] = {1, 0, 0, 0, 1};
    for (int a = 1; a <= 5; ++a) {
        EXPECT_EQ(s.atom(a).Hydrogens, hydrogens[a - 1]) << a;
        EXPECT_EQ(s.atom(a).RingState, ringState[a - 1]) << a;
        EXPECT_EQ(s.atom(a).LabelShown, label[a - 1]) << a;
    }
    EXPECT_EQ(formula(s), "C5 H12 ");
    // Nothing is left to undo.
    EXPECT_FALSE(undoRedo(s, elements()));
    EXPECT_EQ(s.count, (TableCounts{9, 5, 4, 0}));
}

TEST(DeleteAtoms, FusedRingKeepsTheSharedBondAromaticUnderTheSurvivingCircle) {
    Structure s = naphthalene();
    ASSERT_EQ(tableFaults(s, BondEnds::OnAtoms), "");
    ASSERT_EQ(formula(s), "C10 H8 ");
    s.SelectionList = {9};
    deleteSelectedAtoms(s, elements());

    EXPECT_EQ(s.count.rings, 1);
    expectSettled(s);
    // The shared bond named the broken ring; it now names the surviving one.
    EXPECT_EQ(s.bond(5).RingState, 2);
    EXPECT_EQ(s.bond(5).RingX, 1);
    for (int b = 1; b <= 6; ++b)
        EXPECT_EQ(s.bond(b).Order, 2) << b;
    for (int b = 7; b <= s.count.bonds; ++b)
        EXPECT_EQ(s.bond(b).RingState, 0) << b;
    EXPECT_EQ(s.atom(5).Hydrogens, 0);
    EXPECT_EQ(s.atom(6).Hydrogens, 0);
    EXPECT_EQ(formula(s), "C9 H12 ");
}

TEST(DeleteAtoms, RingsAndBondsAfterTheDeletedRowsAreRenumbered) {
    // Toluene with a second benzene far away: deleting the whole first ring and its methyl
    // leaves ring 2 as ring 1 with its bonds and atoms renumbered.
    Structure s = test::toluene();
    test::placeRing(s, 300, 100, true);
    s.SelectionList = {1, 2, 3, 4, 5, 6, 7};
    deleteSelectedAtoms(s, elements());

    EXPECT_EQ(s.count, (TableCounts{13, 6, 6, 1}));
    expectSettled(s);
    EXPECT_EQ(s.ring(1).Atoms, (std::array<std::int32_t, 6>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(s.ring(1).CentreX, 300);
    for (int b = 1; b <= 6; ++b) {
        EXPECT_EQ(s.bond(b).RingState, 2);
        EXPECT_EQ(s.bond(b).RingX, 1);
    }
    EXPECT_EQ(formula(s), "C6 H6 ");
}

TEST(DeleteAtoms, NitroGroupGoesWithItsNitrogenOrItsCarrier) {
    // CH3-CH2-NO2: deleting the nitrogen takes both hidden oxygens; the carbon gets its
    // hydrogen back.
    Structure nitroethane = test::ethane();
    test::drawNitroFrom(nitroethane, 2, 140, 100);
    ASSERT_EQ(formula(nitroethane), "C2 H5 N1 O2 ");
    Structure s = nitroethane;
    s.SelectionList = {3};
    deleteSelectedAtoms(s, elements());
    EXPECT_EQ(s.count, (TableCounts{3, 2, 1, 0}));
    expectSettled(s);
    EXPECT_EQ(formula(s), "C2 H6 ");

    // Deleting the carrying carbon removes the group too: without its drawn bond it could
    // neither be seen nor edited.
    Structure carrier = test::nitromethane();
    carrier.SelectionList = {1};
    deleteSelectedAtoms(carrier, elements());
    EXPECT_EQ(carrier.count, (TableCounts{}));
    EXPECT_EQ(formula(carrier), "");

    // The hidden oxygens selected alone (a rectangle around their shared position) leave the
    // group as it was.
    Structure oxygens = nitroethane;
    oxygens.SelectionList = {4, 5};
    deleteSelectedAtoms(oxygens, elements());
    EXPECT_EQ(snapshot(oxygens), snapshot(nitroethane));
    EXPECT_TRUE(oxygens.SelectionList.empty());
}

TEST(DeleteAtoms, SurvivingNitroGroupKeepsItsRepresentation) {
    // O2N-CH2-CH2-NO2 with the second carbon after both groups in the tables.
    Structure s;
    const int c1 = test::firstCarbon(s, 100, 100);
    test::drawNitroFrom(s, c1, 100, 80);
    const int c2 = test::drawMethylFrom(s, c1, 120, 100);
    const int n2 = test::drawNitroFrom(s, c2, 140, 100);
    ASSERT_EQ(n2, 6);
    ASSERT_EQ(tableFaults(s, BondEnds::OnAtoms), "");
    s.SelectionList = {c1};
    deleteSelectedAtoms(s, elements());

    // Left: CH3-NO2 as the nitro tool makes it, with the label last in the draw list.
    EXPECT_EQ(s.count, (TableCounts{3, 4, 3, 0}));
    expectSettled(s);
    EXPECT_EQ(s.item(1), (DrawItem{kAtomItem, 1}));
    EXPECT_EQ(s.item(2), (DrawItem{kBondItem, 1}));
    EXPECT_EQ(s.item(3), (DrawItem{kNitroItem, 1}));
    EXPECT_EQ(s.bond(1).AtomB, 2);
    EXPECT_EQ(s.atom(2).Element, 3);
    EXPECT_EQ(s.atom(3).NitroOxygen, 1);
    EXPECT_EQ(s.atom(4).NitroOxygen, 1);
    EXPECT_EQ(formula(s), "C1 H3 N1 O2 ");
}

TEST(DeleteAtoms, NothingSelectedChangesNothing) {
    Structure s = test::toluene();
    const Structure before = s;
    s.SelectionList = {};
    deleteSelectedAtoms(s, elements());
    EXPECT_EQ(snapshot(s), snapshot(before));
    EXPECT_EQ(s.saved, before.saved);
}

/// Propane with uneven bond lengths: C1 (100, 100), C2 (121, 100), C3 (142, 100).
Structure propane() {
    Structure s;
    const int c1 = test::firstCarbon(s, 100, 100);
    const int c2 = test::drawMethylFrom(s, c1, 121, 100);
    test::drawMethylFrom(s, c2, 142, 100);
    return s;
}

TEST(ReduceBond, CandidatesAreChainAndRingBondsButNoNitroOrAromaticBonds) {
    EXPECT_EQ(reducibleBonds(test::toluene()), (std::vector<int>{7}));
    EXPECT_EQ(reducibleBonds(test::cyclohexane()), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(reducibleBonds(test::nitromethane()).empty());
    EXPECT_EQ(nearestReducibleBond(test::benzene(), 100, 130), 0);

    Structure nitroethane = test::ethane();
    test::drawNitroFrom(nitroethane, 2, 140, 100);
    EXPECT_EQ(reducibleBonds(nitroethane), (std::vector<int>{1}));
    EXPECT_EQ(nearestReducibleBond(nitroethane, 160, 100), 1);
    const Structure before = nitroethane;
    reduceBond(nitroethane, 3); // a hidden N=O bond: refused
    reduceBond(nitroethane, 2); // the drawn bond to the nitrogen: refused
    EXPECT_EQ(snapshot(nitroethane), snapshot(before));
    EXPECT_EQ(formula(nitroethane), "C2 H5 N1 O2 ");
}

TEST(ReduceBond, NearestMidpointUsesIntegerHalvesAndTheLowerRowOnTies) {
    // Midpoints (110, 100) and (131, 100): from (121, 100) bond 2 is nearer, although the
    // exact midpoint 110.5 would tie.
    EXPECT_EQ(nearestReducibleBond(propane(), 121, 100), 2);
    EXPECT_EQ(nearestReducibleBond(propane(), 120, 100), 1);
    // From the centre of cyclohexane, bonds 2 and 5 are both 20 away.
    EXPECT_EQ(nearestReducibleBond(test::cyclohexane(), 100, 130), 2);
}

TEST(ReduceBond, DoubleBondLosesOneOrderAndGivesHydrogensBack) {
    Structure s = propane();
    s.bond(1).Order = 2;
    s.atom(1).Hydrogens = 2;
    s.atom(2).Hydrogens = 1;
    const TableCounts saved = s.saved;
    reduceBond(s, 1);
    EXPECT_EQ(s.bond(1).Order, 1);
    EXPECT_EQ(s.atom(1).Hydrogens, 3);
    EXPECT_EQ(s.atom(2).Hydrogens, 2);
    EXPECT_EQ(s.count.bonds, 2);
    EXPECT_EQ(s.saved, saved);
}

TEST(ReduceBond, SingleBondIsRemovedAndNothingIsLeftToUndo) {
    Structure s = propane();
    reduceBond(s, 1);
    EXPECT_EQ(s.count, (TableCounts{4, 3, 1, 0}));
    expectSettled(s);
    EXPECT_EQ(s.bond(1).AtomA, 2);
    EXPECT_EQ(s.bond(1).AtomB, 3);
    EXPECT_EQ(s.atom(1).Hydrogens, 4);
    EXPECT_EQ(s.atom(2).Hydrogens, 3);
    EXPECT_EQ(formula(s), "C3 H10 ");

    // The appended methyl's atom row is no longer beyond a saved counter: Undo must not drop
    // the atom that the remaining bond still names.
    const test::Snapshot after = snapshot(s);
    EXPECT_FALSE(undoRedo(s, elements()));
    EXPECT_EQ(snapshot(s), after);
}

TEST(ReduceBond, RemovalRenumbersNitroLabelsAndRingBonds) {
    Structure s = test::ethane();
    test::drawNitroFrom(s, 2, 140, 100);
    reduceBond(s, 1);
    EXPECT_EQ(s.count, (TableCounts{4, 5, 3, 0}));
    expectSettled(s);
    EXPECT_EQ(s.item(3), (DrawItem{kBondItem, 1}));
    EXPECT_EQ(s.item(4), (DrawItem{kNitroItem, 1}));
    EXPECT_EQ(formula(s), "C2 H7 N1 O2 ");

    // An open ring bond of cyclohexane: the other five keep their centre.
    Structure ring = test::cyclohexane();
    reduceBond(ring, 6);
    EXPECT_EQ(ring.count, (TableCounts{11, 6, 5, 0}));
    expectSettled(ring);
    EXPECT_EQ(ring.atom(1).Hydrogens, 3);
    EXPECT_EQ(ring.atom(6).Hydrogens, 3);
    EXPECT_EQ(ring.bond(5).RingX, 100);
    EXPECT_EQ(ring.bond(5).RingY, 130);
}

} // namespace
} // namespace qzx
