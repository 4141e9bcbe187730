// Rings fused onto the drawing: shared atoms and bonds, the two refusals and the roll-back.
#include "editor_test_support.h"

#include <array>

namespace qzx::test {
namespace {

using EditorFusion = EditorTest;
constexpr KeyModifiers kShift{true, false, false};

TEST_F(EditorFusion, SecondBenzeneOnTheRightEdgeSharesTwoAtomsAndOneBond) {
    drag(kToolBenzene, {100, 100}, {100, 100});
    const EditorEffects fx = drag(kToolBenzene, {141, 101}, {141, 101});
    EXPECT_EQ(fx.plainBeeps + fx.errorSignals, 0);
    EXPECT_EQ(atomCounts(s), "C10 H8");
    EXPECT_EQ(s.count.atoms, 10);
    EXPECT_EQ(s.count.bonds, 11);
    EXPECT_EQ(s.count.rings, 2);
    for (int shared : {5, 6}) {
        EXPECT_EQ(hydrogens(shared), 0);
        EXPECT_EQ(s.atom(shared).RingState, 2);
    }
    for (int b = 1; b <= s.count.bonds; ++b)
        EXPECT_EQ(s.bond(b).RingState, 2) << b;
    EXPECT_EQ(s.bond(5).RingX, 1) << "the shared bond stays in the first ring";
    EXPECT_EQ(s.ring(2).Atoms, (std::array<std::int32_t, 6>{7, 6, 5, 8, 9, 10}));
    EXPECT_EQ((PixelPoint{s.ring(2).CentreX, s.ring(2).CentreY}), (PixelPoint{140, 130}));
    EXPECT_EQ(s.item(s.count.drawItems), (DrawItem{kRingItem, 2})) << "the circle comes last";
    EXPECT_EQ(tableFaults(s, BondEnds::AsDrawn), "");

    // With Shift the same ring goes in place, sharing nothing.
    drag(kToolBenzene, {141, 101}, {141, 101}, kShift);
    EXPECT_EQ(s.count.atoms, 16);
}

TEST_F(EditorFusion, BenzeneOntoAPlainRingMakesTheSharedBondAromaticInTheNewRing) {
    drag(kToolCyclohexane, {100, 100}, {100, 100});
    drag(kToolBenzene, {141, 101}, {141, 101});
    EXPECT_EQ(atomCounts(s), "C10 H12");
    const Bond& shared = s.bond(5);
    EXPECT_EQ(shared.RingState, 2);
    EXPECT_EQ(shared.Order, 2);
    EXPECT_EQ(shared.RingX, 1);
    EXPECT_EQ(tableFaults(s, BondEnds::AsDrawn), "");
}

TEST_F(EditorFusion, CyclopentaneOntoAChainEndSharesThatAtom) {
    drag(kToolSingleBond, {100, 100}, {160, 100});
    drag(kToolCyclopentaneApexUp, {163, 98}, {163, 98});
    EXPECT_EQ(s.count.atoms, 6);
    EXPECT_EQ(atomCounts(s), "C6 H12");
    EXPECT_EQ(s.atom(2).RingState, 1);
    EXPECT_EQ(s.atom(2).LabelShown, 0);
}

TEST_F(EditorFusion, BenzeneRefusesAChainAtomWithFewerThanThreeHydrogens) {
    drag(kToolChain, {100, 100}, {195, 100});
    const Snapshot butane = snapshot(s);
    const EditorEffects fx = drag(kToolBenzene, {132, 95}, {132, 95});
    EXPECT_EQ(fx.plainBeeps, 1);
    EXPECT_EQ(fx.errorSignals, 0);
    EXPECT_EQ(snapshot(s), butane);
    EXPECT_EQ(s.saved, s.count);
}

TEST_F(EditorFusion, RollBackRestoresSharedAtomsAndBondsWhenHydrogensRunOut) {
    drag(kToolCyclohexane, {100, 100}, {100, 100});
    select({110, 110}, {130, 150}); // atoms 5 and 6
    editor.key(EditorKey::U);
    editor.chooseValence(false);
    click({121, 119});
    click({121, 119});
    editor.chooseValence(false);
    ASSERT_EQ(hydrogens(6), 0);
    const Snapshot before = snapshot(s);

    const EditorEffects fx = drag(kToolBenzene, {141, 101}, {141, 101});
    EXPECT_EQ(fx.plainBeeps, 1);
    EXPECT_EQ(snapshot(s), before) << "labels, ring states, bond order and RingX restored";
    EXPECT_EQ(s.saved, s.count);
}

TEST_F(EditorFusion, FusionNeedingMoreRowsThanTheTablesHoldIsRefused) {
    drag(kToolCyclohexane, {100, 100}, {100, 100});
    while (s.count.atoms < kMaxAtoms - 4)
        s.appendItem(kAtomItem, s.appendAtom(Atom{1, 1000, 1000, 4, 1, 1}));
    const Snapshot before = snapshot(s);
    EXPECT_EQ(drag(kToolCyclohexane, {100, 160}, {100, 160}).errorSignals, 1) << "5 new atoms";
    EXPECT_EQ(drag(kToolBenzene, {400, 400}, {400, 400}, kShift).errorSignals, 1);
    EXPECT_EQ(snapshot(s), before);
    // Sharing an edge, four new atoms fill the table exactly.
    EXPECT_EQ(drag(kToolCyclohexane, {141, 101}, {141, 101}).errorSignals, 0);
    EXPECT_EQ(s.count.atoms, kMaxAtoms);
}

} // namespace
} // namespace qzx::test
