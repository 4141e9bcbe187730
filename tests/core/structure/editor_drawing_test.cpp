// Drawing with the bond, group, chain, ring and element tools, by pixel coordinates.
#include "editor_test_support.h"

#include <vector>

namespace qzx::test {
namespace {

using EditorDrawing = EditorTest;

TEST_F(EditorDrawing, BondsStartAtTheNearestAtomAndEndOnAtomsWithinTenPixels) {
    drag(kToolSingleBond, {100, 100}, {160, 109});
    EXPECT_EQ(atomCounts(s), "C2 H6");
    EXPECT_EQ(at(2), (PixelPoint{160, 100})) << "levelled with the first carbon";

    // Far from every atom the bond starts at the nearest atom's exact position.
    drag(kToolSingleBond, {500, 500}, {160, 160});
    EXPECT_EQ(s.bond(2).AtomA, 2);
    EXPECT_EQ((PixelPoint{s.bond(2).X1, s.bond(2).Y1}), at(2));
    EXPECT_EQ(at(3), (PixelPoint{160, 160}));

    drag(kToolSingleBond, {100, 100}, {169, 160}); // 9 px right of atom 3: ends on it
    EXPECT_EQ(s.count.atoms, 3);
    EXPECT_EQ(s.bond(3).AtomB, 3);
    EXPECT_EQ(atomCounts(s), "C3 H6");

    drag(kToolSingleBond, {100, 100}, {170, 160}); // 10 px: a new atom level with atom 3
    EXPECT_EQ(s.count.atoms, 4);
    EXPECT_EQ(at(4), (PixelPoint{170, 160}));
    EXPECT_EQ(atomCounts(s), "C4 H8");
}

TEST_F(EditorDrawing, ClicksLoopsAndNitroOntoAtomsAreRefusedWithTheHydrogensBack) {
    EditorEffects fx = drag(kToolSingleBond, {50, 50}, {53, 54});
    EXPECT_EQ(fx.errorSignals, 1);
    EXPECT_EQ(s.count.atoms, 0) << "the carbon the press made goes again";

    drag(kToolSingleBond, {100, 100}, {160, 100});
    const Snapshot ethane = snapshot(s);
    const std::vector<std::pair<int, PixelPoint>> refused = {
        {kToolSingleBond, {167, 107}}, // a click
        {kToolSingleBond, {169, 100}}, // back onto its own start atom
        {kToolChain, {163, 105}},      // a chain click
        {kToolRGroup, {162, 101}},     // an R-group click
        {kToolNitro, {100, 101}},      // a nitro group onto an existing atom
    };
    for (const auto& [tool, release] : refused) {
        fx = drag(tool, {160, 100}, release);
        EXPECT_EQ(fx.errorSignals, 1) << tool;
        EXPECT_FALSE(fx.rGroupInsert.has_value());
        EXPECT_EQ(snapshot(s), ethane) << tool;
    }
}

TEST_F(EditorDrawing, GroupToolsMakeTheirAtomsFromAnEmptyStructure) {
    const std::vector<std::pair<int, const char*>> cases = {
        {kToolSingleBond, "C2 H6"},   {kToolDoubleBond, "C2 H4"},    {kToolTripleBond, "C2 H2"},
        {kToolHydroxyl, "C1 H4 O1"},  {kToolAmino, "C1 H5 N1"},      {kToolKeto, "C1 H2 O1"},
        {kToolChlorine, "C1 H3 Cl1"}, {kToolFluorine, "C1 H3 F1"},   {kToolBromine, "C1 H3 Br1"},
        {kToolIodine, "C1 H3 I1"},    {kToolSulfhydryl, "C1 H4 S1"}, {kToolDeuterium, "C1 H3 D1"},
        {kToolNitro, "C1 H3 N1 O2"}};
    for (const auto& [tool, expected] : cases) {
        s.clear();
        editor.reset();
        drag(tool, {100, 100}, {160, 100});
        EXPECT_EQ(atomCounts(s), expected) << tool;
        EXPECT_EQ(tableFaults(s, BondEnds::AsDrawn), "") << tool;
    }
    // The nitro group: one label item, hidden nitrogen, two hidden oxygens 20 px to its right.
    EXPECT_EQ(s.count.drawItems, 3);
    EXPECT_EQ(s.item(3).Kind, kNitroItem);
    EXPECT_EQ(s.atom(2).LabelShown, 0);
    EXPECT_EQ(at(3), (PixelPoint{180, 100}));
    EXPECT_EQ(s.atom(4).NitroOxygen, 1);
    EXPECT_EQ(s.bond(3).Order, 2);
}

TEST_F(EditorDrawing, MultipleBondAtomGoesToTheStraightenedEndButTheBondKeepsTheDrawnPoints) {
    editor.setTool(kToolElement);
    click({100, 100});
    click({130, 200}, {true, false, false});
    drag(kToolDoubleBond, {100, 100}, {95, 195}); // nearest to the release: atom 2
    EXPECT_EQ(at(3), (PixelPoint{100, 200}));
    EXPECT_EQ((PixelPoint{s.bond(1).X2, s.bond(1).Y2}), (PixelPoint{95, 200}));
    EXPECT_EQ(atomCounts(s), "C3 H8");
}

TEST_F(EditorDrawing, ChainsZigzagAcrossTheirDirection) {
    editor.setTool(kToolChain);
    editor.press(100, 100, MouseButton::Left, {});
    editor.move(195, 100, {});
    EXPECT_EQ(editor.preview().chainLength, 3);
    editor.release(195, 100, MouseButton::Left, {});
    EXPECT_EQ(atomCounts(s), "C4 H10");
    EXPECT_EQ(at(2), (PixelPoint{132, 95}));
    EXPECT_EQ(at(3), (PixelPoint{163, 105}));
    EXPECT_EQ(at(4), (PixelPoint{195, 95}));
    EXPECT_EQ(editor.preview().chainLength, -1);

    drag(kToolChain, {195, 95}, {195, 190}); // downwards from the last carbon: 3 more
    EXPECT_EQ(at(5), (PixelPoint{190, 127}));
    EXPECT_EQ(at(6), (PixelPoint{200, 158}));
    EXPECT_EQ(at(7), (PixelPoint{190, 190}));
    EXPECT_EQ(atomCounts(s), "C7 H16");

    const Snapshot before = snapshot(s);
    EXPECT_EQ(drag(kToolChain, {190, 190}, {210, 190}).errorSignals, 0); // shorter than A
    EXPECT_EQ(snapshot(s), before);
}

TEST_F(EditorDrawing, ElementToolChangesTheNearestAtomOrPlacesALoneAtom) {
    drag(kToolSingleBond, {100, 100}, {160, 100});
    editor.setTool(kToolElement);
    editor.setCurrentElement(4);
    click({158, 101});
    EXPECT_EQ(atomCounts(s), "C1 H4 O1");
    EXPECT_EQ(s.undo.kind, UndoRecord::ElementChanged);
    editor.undoRedo();
    EXPECT_EQ(atomCounts(s), "C2 H6");
    EXPECT_TRUE(editor.undoShowsRedo());
    editor.undoRedo();
    EXPECT_EQ(atomCounts(s), "C1 H4 O1");

    // Shift places a lone atom even on top of the structure.
    editor.setCurrentElement(5);
    click({160, 100}, {true, false, false});
    EXPECT_EQ(s.count.atoms, 3);
    EXPECT_EQ(hydrogens(3), 2);
    EXPECT_EQ(s.atom(3).RingState, 1);
    EXPECT_EQ(s.atom(3).LabelShown, 1);

    // Chlorine cannot replace a carbon that holds two bonds.
    drag(kToolCyclohexane, {300, 300}, {300, 300}, {true, false, false});
    const Snapshot before = snapshot(s);
    editor.setTool(kToolElement);
    editor.setCurrentElement(6);
    EXPECT_EQ(click({300, 300}).errorSignals, 1);
    EXPECT_EQ(snapshot(s), before);
}

struct RingCase {
    int tool;
    const char* formula;
    std::vector<PixelPoint> vertices;
    PixelPoint centre;
};

TEST_F(EditorDrawing, FreeRingsFollowTheirTemplates) {
    const std::vector<RingCase> cases = {
        {kToolCyclohexane,
         "C6 H12",
         {{100, 100}, {80, 120}, {80, 140}, {100, 160}, {120, 140}, {120, 120}},
         {100, 130}},
        {kToolBenzene,
         "C6 H6",
         {{100, 100}, {80, 120}, {80, 140}, {100, 160}, {120, 140}, {120, 120}},
         {100, 130}},
        {kToolCyclopentaneApexUp,
         "C5 H10",
         {{100, 100}, {100, 120}, {140, 120}, {140, 100}, {120, 80}},
         {120, 100}},
        {kToolCyclohexaneLying,
         "C6 H12",
         {{100, 100}, {120, 120}, {140, 120}, {160, 100}, {140, 80}, {120, 80}},
         {130, 100}},
        {kToolBenzeneLying,
         "C6 H6",
         {{100, 100}, {120, 120}, {140, 120}, {160, 100}, {140, 80}, {120, 80}},
         {130, 100}},
        {kToolCyclopentaneApexDown,
         "C5 H10",
         {{100, 100}, {100, 120}, {120, 140}, {140, 120}, {140, 100}},
         {120, 120}}};
    for (const RingCase& c : cases) {
        s.clear();
        drag(c.tool, {400, 400}, {100, 100});
        EXPECT_EQ(atomCounts(s), c.formula) << c.tool;
        const int n = static_cast<int>(c.vertices.size());
        const bool benzene = isBenzeneTool(c.tool);
        for (int i = 0; i < n; ++i) {
            EXPECT_EQ(at(i + 1), c.vertices[static_cast<std::size_t>(i)]) << c.tool;
            EXPECT_EQ(s.bond(i + 1).AtomA, i + 1);
            EXPECT_EQ(s.bond(i + 1).AtomB, i + 1 == n ? 1 : i + 2);
            EXPECT_EQ(s.item(i + 1).Kind, kBondItem) << "bonds come first";
        }
        const PixelPoint centre = benzene ? PixelPoint{s.ring(1).CentreX, s.ring(1).CentreY}
                                          : PixelPoint{s.bond(1).RingX, s.bond(1).RingY};
        EXPECT_EQ(centre, c.centre) << c.tool;
        EXPECT_EQ(s.count.rings, benzene ? 1 : 0);
        if (benzene) {
            EXPECT_EQ(s.item(n + 1).Kind, kRingItem) << "the circle before the atoms";
            EXPECT_EQ(s.ring(1).Radius, 14);
        }
        EXPECT_EQ(tableFaults(s, BondEnds::AsDrawn), "");
    }
}

} // namespace
} // namespace qzx::test
