// Previews, select and move, keys, valence, reduce bond, analyze gestures and precedence.
#include "editor_test_support.h"

namespace qzx::test {
namespace {

using EditorModes = EditorTest;
using Kind = EditorPreview::Kind;
constexpr KeyModifiers kShift{true, false, false};

TEST_F(EditorModes, PreviewsFollowThePointer) {
    editor.setTool(kToolBenzene);
    editor.press(100, 100, MouseButton::Left, {});
    editor.move(150, 150, {});
    EXPECT_EQ(editor.preview().kind, Kind::RingOutline);
    EXPECT_EQ(editor.preview().points.front(), (PixelPoint{150, 150}));
    EXPECT_EQ(editor.preview().points[3], (PixelPoint{150, 210}));
    editor.release(100, 100, MouseButton::Left, {});
    EXPECT_EQ(editor.preview().kind, Kind::None);

    drag(kToolSingleBond, {100, 100}, {100, 40}); // a methyl on atom 1
    editor.press(300, 300, MouseButton::Left, {});
    editor.move(200, 200, {});
    EXPECT_EQ(editor.preview(), (EditorPreview{Kind::Line, {{100, 160}, {200, 200}}, -1}))
        << "from the start atom's exact position (the lower row on ties)";
    editor.release(200, 200, MouseButton::Left, {});
    EXPECT_EQ(atomCounts(s), "C8 H10");
}

TEST_F(EditorModes, MovingASelectionShiftsAtomsBondEndsAndRingCentres) {
    drag(kToolBenzene, {100, 100}, {100, 100});
    drag(kToolBenzeneLying, {300, 100}, {300, 100}, kShift);
    drag(kToolCyclohexane, {100, 300}, {100, 300}, kShift);
    select({50, 50}, {400, 200});
    ASSERT_TRUE(editor.selectionPresent());
    EXPECT_EQ(s.SelectionList.size(), 12u);
    EXPECT_EQ(editor.tool(), kToolSelecting);

    editor.press(200, 100, MouseButton::Left, {});
    editor.move(230, 120, {});
    EXPECT_EQ(editor.preview(),
              (EditorPreview{Kind::SelectionRectangle, {{80, 70}, {430, 220}}, -1}));
    const EditorEffects fx = editor.release(230, 120, MouseButton::Left, {});
    EXPECT_EQ(at(1), (PixelPoint{130, 120}));
    EXPECT_EQ((PixelPoint{s.bond(6).X1, s.bond(6).Y1}), at(6));
    EXPECT_EQ((PixelPoint{s.ring(1).CentreX, s.ring(1).CentreY}), (PixelPoint{130, 150}));
    EXPECT_EQ((PixelPoint{s.ring(2).CentreX, s.ring(2).CentreY}), (PixelPoint{360, 120}));
    EXPECT_EQ(at(13), (PixelPoint{100, 300})) << "outside the selection";
    EXPECT_EQ(fx.cursor, EditorCursor::CrossHair);
    EXPECT_TRUE(editor.selectMode());
    EXPECT_FALSE(editor.selectionPresent());
    EXPECT_EQ(editor.tool(), kToolCyclohexane);

    // Only the ring bonds touching moved atoms take their centre along.
    select({60, 330}, {140, 370});
    drag(0, {100, 350}, {100, 360});
    EXPECT_EQ(s.bond(14).RingY, 340);
    EXPECT_EQ(s.bond(13).RingY, 330);
    EXPECT_EQ(tableFaults(s, BondEnds::AsDrawn), "");

    // A press outside the selection cancels it and leaves select mode.
    select({60, 330}, {140, 380});
    const EditorEffects cancel = editor.press(500, 500, MouseButton::Left, {});
    EXPECT_FALSE(editor.selectMode());
    EXPECT_EQ(cancel.cursor, EditorCursor::Default);
    EXPECT_EQ(editor.tool(), kToolCyclohexane);
}

TEST_F(EditorModes, KeysActOnTheSelectionAndEndSelectMode) {
    drag(kToolBenzene, {100, 100}, {100, 100});
    drag(kToolSingleBond, {100, 100}, {100, 40});
    select({0, 0}, {300, 300});
    editor.key(EditorKey::U);
    EXPECT_FALSE(editor.selectMode());
    for (int a = 1; a <= 7; ++a)
        EXPECT_EQ(s.atom(a).LabelShown, 1);
    select({0, 0}, {300, 300});
    editor.key(EditorKey::R);
    for (int a = 1; a <= 7; ++a)
        EXPECT_EQ(s.atom(a).LabelShown, 0);

    select({90, 30}, {110, 50});
    editor.key(EditorKey::Delete);
    EXPECT_EQ(atomCounts(s), "C6 H6");
    EXPECT_FALSE(editor.selectMode());
    EXPECT_EQ(editor.tool(), kToolSingleBond);

    s.clear();
    drag(kToolCyclohexane, {100, 100}, {100, 100});
    select({70, 90}, {130, 160}); // five atoms: (100, 160) lies on the edge
    const Snapshot before = snapshot(s);
    EditorEffects fx = editor.key(EditorKey::A);
    EXPECT_EQ(fx.errorSignals, 1);
    EXPECT_EQ(fx.message, "Must Select 6 Ring Atoms to aromatize");
    EXPECT_EQ(snapshot(s), before);
    select({70, 90}, {130, 170});
    fx = editor.key(EditorKey::A);
    EXPECT_EQ(s.count.rings, 1);
    EXPECT_EQ(s.bond(1).RingState, 2);
    EXPECT_EQ(atomCounts(s), "C6 H6") << "an aromatized cyclohexane is benzene";
    EXPECT_FALSE(editor.selectMode());
}

TEST_F(EditorModes, ValenceToolsAddAndRemoveHydrogensButNotOnNitroAtoms) {
    drag(kToolNitro, {100, 100}, {160, 100});
    EXPECT_EQ(editor.chooseValence(true).cursor, EditorCursor::ValencePlus);
    click({99, 99});
    EXPECT_EQ(atomCounts(s), "C1 H4 N1 O2");
    EXPECT_EQ(editor.chooseValence(false).cursor, EditorCursor::ValenceMinus);
    click({99, 99});
    click({99, 99});
    EXPECT_EQ(hydrogens(1), 2);
    const Snapshot before = snapshot(s);
    EXPECT_EQ(click({180, 100}).errorSignals, 1);
    EXPECT_EQ(click({160, 100}).errorSignals, 1);
    EXPECT_EQ(snapshot(s), before);
    editor.setTool(kToolElement);
    EXPECT_EQ(click({181, 100}).errorSignals, 1) << "valence mode takes precedence";
    EXPECT_EQ(editor.key(EditorKey::Escape).cursor, EditorCursor::Default);
    EXPECT_EQ(editor.valenceMode(), Editor::Valence::Off);
    EXPECT_EQ(click({181, 100}).errorSignals, 1) << "the element tool refuses a nitro oxygen";
    EXPECT_EQ(click({160, 101}).errorSignals, 1) << "and the nitro nitrogen";
    EXPECT_EQ(snapshot(s), before);
}

TEST_F(EditorModes, ReduceBondLowersOrRemovesTheMarkedBondNearestTheRelease) {
    drag(kToolDoubleBond, {100, 100}, {160, 100});
    editor.startReduceBond();
    EXPECT_EQ(editor.reduceBondMarks(), (std::vector<PixelPoint>{{130, 100}}));
    EXPECT_EQ(click({131, 101}).cursor, EditorCursor::Default);
    EXPECT_EQ(atomCounts(s), "C2 H6");
    EXPECT_FALSE(editor.reduceBondMode());
    EXPECT_TRUE(editor.reduceBondMarks().empty());
    editor.startReduceBond();
    click({500, 500});
    EXPECT_EQ(atomCounts(s), "C2 H8");
    EXPECT_EQ(s.count.bonds, 0);
    EXPECT_EQ(tableFaults(s, BondEnds::AsDrawn), "");
}

TEST_F(EditorModes, PressPrecedenceAndAnalyzeGestures) {
    drag(kToolSingleBond, {100, 100}, {160, 100});
    const Snapshot ethane = snapshot(s);
    editor.press(300, 300, MouseButton::Right, {});
    EXPECT_EQ(editor.release(300, 300, MouseButton::Right, {}).repaint, false);

    editor.toggleSelectMode();
    editor.chooseValence(true);
    click({158, 100});
    EXPECT_EQ(snapshot(s), ethane) << "select mode before valence";
    EXPECT_TRUE(editor.selectionPresent());
    editor.key(EditorKey::Escape);
    EXPECT_FALSE(editor.selectMode());
    EXPECT_EQ(editor.valenceMode(), Editor::Valence::Off);

    editor.setAnalyzeMode(true);
    editor.toggleSelectMode();
    EditorEffects fx = drag(kToolSingleBond, {10, 10}, {50, 60});
    ASSERT_TRUE(fx.fragmentCut.has_value());
    EXPECT_EQ(fx.fragmentCut->shape, 1);
    EXPECT_EQ(fx.fragmentCut->start, (PixelPoint{10, 10}));
    EXPECT_EQ(fx.fragmentCut->end, (PixelPoint{50, 60}));

    editor.setFragmentShape(3);
    EXPECT_TRUE(editor.press(10, 10, MouseButton::Left, {}).fragmentRegionStarted);
    editor.move(20, 10, {});
    editor.move(20, 20, {});
    EXPECT_EQ(editor.preview().kind, Kind::FragmentRegion);
    fx = editor.release(10, 20, MouseButton::Left, {});
    ASSERT_TRUE(fx.fragmentCut.has_value());
    EXPECT_EQ(fx.fragmentCut->region, (std::vector<PixelPoint>{{10, 10}, {20, 10}, {20, 20}}));

    editor.startReduceBond(); // before analyze: the press does nothing, the release reduces
    EXPECT_FALSE(drag(0, {130, 100}, {130, 100}).fragmentCut.has_value());
    EXPECT_EQ(atomCounts(s), "C2 H8");
}

TEST_F(EditorModes, AGestureCutShortByACommandGivesItsHydrogensBack) {
    drag(kToolSingleBond, {100, 100}, {160, 100});
    const Snapshot ethane = snapshot(s);
    editor.press(100, 100, MouseButton::Left, {});
    editor.move(100, 160, {});
    editor.startReduceBond();
    editor.key(EditorKey::Escape);
    editor.release(100, 160, MouseButton::Left, {});
    EXPECT_EQ(snapshot(s), ethane);

    s.clear();
    editor.press(100, 100, MouseButton::Left, {});
    editor.undoRedo();
    editor.release(100, 160, MouseButton::Left, {});
    EXPECT_EQ(s.count.atoms, 0) << "the carbon the press made goes again";
}

} // namespace
} // namespace qzx::test
