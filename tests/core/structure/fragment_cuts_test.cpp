#include "structure/fragment_cuts.h"

#include <gtest/gtest.h>

#include "chem/element_table.h"
#include "structure_builders.h"

namespace qzx {
namespace {

using test::L;

// Toluene of the builders: the ring's top carbon at (100, 100), the others down to y 160
// between x 80 and 120, the methyl at (100, 80).

CutOutcome cut(CutShape shape, PixelPoint a, PixelPoint b, CutList& cuts, const Structure& s,
               const CutOptions& options = {}, const std::vector<PixelPoint>& region = {}) {
    return EndCut(shape, a, b, region, cuts, s, test::elements(), options);
}

std::vector<std::string> labelTexts(const CutOutcome& out) {
    std::vector<std::string> texts;
    for (const CutLabel& label : out.labels)
        texts.push_back(label.text);
    return texts;
}

TEST(FragmentCuts, LineSidesFollowTheScreenAndPutAtomsOnTheLineOnSideB) {
    const CutEntry vertical{100, 0, 0, 100, 300, 0};
    EXPECT_TRUE(lineSideA(vertical, {99, 50}));
    EXPECT_FALSE(lineSideA(vertical, {100, 50})); // on the line: B
    EXPECT_FALSE(lineSideA(vertical, {101, 50}));

    const CutEntry horizontal{0, 90, 0, 300, 90, 0};
    EXPECT_TRUE(lineSideA(horizontal, {10, 89}));
    EXPECT_FALSE(lineSideA(horizontal, {10, 90}));

    // y = x: side A lies above the line on the screen (smaller y); the line itself is B.
    const CutEntry diagonal{0, 0, 0, 200, 200, 0};
    EXPECT_TRUE(lineSideA(diagonal, {50, 49}));
    EXPECT_FALSE(lineSideA(diagonal, {50, 50}));
    EXPECT_FALSE(lineSideA(diagonal, {50, 51}));
    // Drawn the other way round, the same sides.
    const CutEntry reversed{200, 200, 0, 0, 0, 0};
    EXPECT_TRUE(lineSideA(reversed, {50, 49}));
    EXPECT_FALSE(lineSideA(reversed, {50, 51}));
}

TEST(FragmentCuts, BoxSideIsStrictlyInsideAndRegionUsesTheAlternateRule) {
    EXPECT_TRUE(boxSideA({10, 10}, {50, 50}, {11, 49}));
    EXPECT_FALSE(boxSideA({10, 10}, {50, 50}, {10, 30})); // left edge
    EXPECT_FALSE(boxSideA({50, 50}, {10, 10}, {30, 50})); // bottom edge, corners swapped
    EXPECT_TRUE(boxSideA({50, 50}, {10, 10}, {30, 30}));

    const std::vector<PixelPoint> square{{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    EXPECT_TRUE(regionSideA(square, {50, 50}));
    EXPECT_FALSE(regionSideA(square, {150, 50}));
    // A figure of eight whose loops overlap: the overlap is outside by the alternate rule.
    const std::vector<PixelPoint> overlapping{{0, 0},   {60, 0},   {60, 60},  {40, 60},
                                              {40, 20}, {100, 20}, {100, 40}, {0, 40}};
    EXPECT_TRUE(regionSideA(overlapping, {10, 10}));
    EXPECT_FALSE(regionSideA(overlapping, {50, 30}));
    EXPECT_FALSE(regionSideA({{0, 0}, {10, 10}}, {5, 5})); // fewer than three points
}

TEST(FragmentCuts, ALineBetweenRingAndMethylGivesFifteenAndSeventySeven) {
    const Structure toluene = test::toluene();
    CutList cuts;
    const CutOutcome out = cut(CutShape::Line, {40, 90}, {160, 90}, cuts, toluene);
    EXPECT_EQ(out.sideA.atoms, std::vector<int>{7});
    EXPECT_EQ(out.sideB.atoms.size(), 6u);
    EXPECT_EQ(labelTexts(out), (std::vector<std::string>{"15", "77"}));
    EXPECT_EQ(out.labels[0].at, (PixelPoint{45, 85}));
    EXPECT_EQ(out.labels[1].at, (PixelPoint{160, 95}));
    EXPECT_TRUE(out.redrawFirst);
    EXPECT_FALSE(out.showFragmentsWindow);
    ASSERT_EQ(cuts.count, 1);
    const CutEntry& e = cuts.entries[0];
    EXPECT_EQ((std::array<float, 6>{e.x1, e.y1, e.massA, e.x2, e.y2, e.massB}),
              (std::array<float, 6>{40, 90, 15, 160, 90, 77}));
    EXPECT_FALSE(e.isBox());

    CutOptions comp;
    comp.showComposition = true;
    EXPECT_EQ(labelTexts(cut(CutShape::Line, {40, 90}, {160, 90}, cuts, toluene, comp)),
              (std::vector<std::string>{"15  ( C1 H3)", "77  ( C6 H5)"}));
}

TEST(FragmentCuts, AccurateSidesAddUpToTheStructuresMonoisotopicMass) {
    const Structure toluene = test::toluene();
    CutOptions accurate;
    accurate.accurateMass = true;
    CutList cuts;
    const CutOutcome out = cut(CutShape::Line, {40, 130}, {160, 130}, cuts, toluene, accurate);
    const float whole = composeStructure(toluene, test::elements(), true).monoMass;
    EXPECT_NEAR(out.sideA.mass + out.sideB.mass, whole, 1e-4f);
    EXPECT_EQ(out.sideA.massText.size(), 7u);
    EXPECT_EQ(out.sideA.massText.find('.'), 2u); // "xx.xxxx"
    EXPECT_EQ(cutMassText(15.0235f, true), "15.0235");
    EXPECT_EQ(cutMassText(1.5f, true), " 1.5000");
    EXPECT_EQ(cutMassText(77.0f, false), "77");
}

TEST(FragmentCuts, ABoxIsStoredWithItsLeftEdgeNegatedAndLabelledByTheOptions) {
    const Structure toluene = test::toluene();
    CutList cuts;
    // Drawn from the bottom right to the top left: the corners are put in order.
    const CutOutcome out = cut(CutShape::Box, {130, 95}, {70, 60}, cuts, toluene);
    const CutEntry& e = cuts.entries[0];
    EXPECT_TRUE(e.isBox());
    EXPECT_EQ((std::array<float, 6>{e.x1, e.y1, e.massA, e.x2, e.y2, e.massB}),
              (std::array<float, 6>{-70, 60, 15, 130, 95, 77}));
    EXPECT_EQ(out.from, (PixelPoint{70, 60}));
    EXPECT_EQ(out.to, (PixelPoint{130, 95}));
    EXPECT_EQ(labelTexts(out), (std::vector<std::string>{"15", "(77)"}));
    EXPECT_EQ(out.labels[0].at, (PixelPoint{75, 45}));
    EXPECT_TRUE(out.labels[1].afterFirstLabel);
    EXPECT_EQ(out.labels[1].at, (PixelPoint{15, 45}));
    ASSERT_TRUE(out.showFragmentsWindow);
    EXPECT_EQ(out.fragments.firstValue, "15");
    EXPECT_EQ(out.fragments.secondCaption, "M - mass1");
    EXPECT_EQ(out.fragments.secondValue, "77");

    CutOptions o;
    o.showComposition = true;
    EXPECT_EQ(labelTexts(cut(CutShape::Box, {70, 60}, {130, 95}, cuts, toluene, o)),
              (std::vector<std::string>{"15  ( C1 H3)", "77  ( C6 H5)"}));
    o.accurateMass = true;
    const CutOutcome accurate = cut(CutShape::Box, {70, 60}, {130, 95}, cuts, toluene, o);
    EXPECT_EQ(labelTexts(accurate)[1], "(" + accurate.sideB.massText + "    C6 H5)");
    o.showComposition = false;
    o.showBoxPopup = false;
    const CutOutcome plain = cut(CutShape::Box, {70, 60}, {130, 95}, cuts, toluene, o);
    EXPECT_EQ(labelTexts(plain)[1], "(" + plain.sideB.massText + ")");
    EXPECT_FALSE(plain.showFragmentsWindow);
    // A box from the image's left edge keeps its mark: -0.
    cut(CutShape::Box, {0, 60}, {130, 95}, cuts, toluene);
    EXPECT_TRUE(cuts.entries[0].isBox());
    EXPECT_EQ(cuts.entries[0].left(), 0.0f);
}

TEST(FragmentCuts, ABoxInsideThePreviousBoxShowsTheResidual) {
    const Structure toluene = test::toluene();
    CutOptions sub;
    sub.subFragment = true;
    sub.multiFragment = true;
    CutList cuts;
    // The outer box holds the methyl and the ring carbon that bears it: C2 H3, 27.
    const CutOutcome outer = cut(CutShape::Box, {60, 70}, {140, 110}, cuts, toluene, sub);
    EXPECT_EQ(outer.sideA.mass, 27.0f);
    const CutOutcome inner = cut(CutShape::Box, {70, 75}, {130, 95}, cuts, toluene, sub);
    EXPECT_TRUE(inner.residual);
    EXPECT_EQ(labelTexts(inner), (std::vector<std::string>{"15", "( r= 12)"}));
    EXPECT_EQ(inner.fragments.secondCaption, "Residual:");
    EXPECT_EQ(inner.fragments.secondValue, "12");
    EXPECT_EQ(cuts.entries[1].massB, 77.0f); // the stored B stays the rest

    CutOptions subComp = sub;
    subComp.showComposition = true;
    cuts = {};
    cut(CutShape::Box, {60, 70}, {140, 110}, cuts, toluene, subComp);
    EXPECT_EQ(labelTexts(cut(CutShape::Box, {70, 75}, {130, 95}, cuts, toluene, subComp))[1],
              "  r= 12  ( C6 H5)");
    subComp.accurateMass = true;
    cuts = {};
    const CutOutcome outerAcc = cut(CutShape::Box, {60, 70}, {140, 110}, cuts, toluene, subComp);
    const CutOutcome innerAcc = cut(CutShape::Box, {70, 75}, {130, 95}, cuts, toluene, subComp);
    EXPECT_EQ(labelTexts(innerAcc)[1],
              "( r= " + cutMassText(outerAcc.sideA.mass - innerAcc.sideA.mass, true) +
                  "    C6 H5)");

    // Overlapping the previous box without lying inside it: the ordinary label.
    cuts = {};
    cut(CutShape::Box, {60, 70}, {140, 110}, cuts, toluene, sub);
    const CutOutcome overlap = cut(CutShape::Box, {70, 75}, {150, 95}, cuts, toluene, sub);
    EXPECT_FALSE(overlap.residual);
    EXPECT_EQ(labelTexts(overlap)[1], "(77)");
    // Sharing an edge with the previous box is not strictly inside either.
    cuts = {};
    cut(CutShape::Box, {60, 70}, {140, 110}, cuts, toluene, sub);
    EXPECT_FALSE(cut(CutShape::Box, {60, 75}, {130, 95}, cuts, toluene, sub).residual);
}

TEST(FragmentCuts, TheListHoldsTheLatestCutOrTenWithTheTenthReused) {
    const Structure toluene = test::toluene();
    CutList cuts;
    for (int i = 0; i < 3; ++i)
        cut(CutShape::Line, {40, 90 + i}, {160, 90}, cuts, toluene);
    EXPECT_EQ(cuts.count, 1);
    EXPECT_EQ(cuts.entries[0].y1, 92.0f);

    CutOptions multi;
    multi.multiFragment = true;
    cuts = {};
    for (int i = 1; i <= 11; ++i)
        cut(CutShape::Line, {i, 90}, {160, 90}, cuts, toluene, multi);
    EXPECT_EQ(cuts.count, 10);
    EXPECT_EQ(cuts.entries[8].x1, 9.0f);
    EXPECT_EQ(cuts.entries[9].x1, 11.0f); // the eleventh replaced the tenth
    EXPECT_FALSE(cut(CutShape::Line, {1, 90}, {160, 90}, cuts, toluene, multi).redrawFirst);
}

TEST(FragmentCuts, ARegionCutShowsBothMassesAndTakesNoPlaceInTheList) {
    const Structure toluene = test::toluene();
    CutList cuts;
    cut(CutShape::Line, {40, 90}, {160, 90}, cuts, toluene);
    const std::vector<PixelPoint> aroundMethyl{{80, 70}, {120, 70}, {120, 90}, {80, 90}};
    const CutOutcome out =
        cut(CutShape::Region, {80, 70}, {80, 90}, cuts, toluene, {}, aroundMethyl);
    EXPECT_EQ(out.sideA.atoms, std::vector<int>{7});
    EXPECT_TRUE(out.labels.empty());
    EXPECT_FALSE(out.redrawFirst);
    ASSERT_TRUE(out.showFragmentsWindow);
    EXPECT_EQ(out.fragments.firstValue, "15");
    EXPECT_EQ(out.fragments.secondCaption, "M - mass1");
    EXPECT_EQ(out.fragments.secondValue, "77");
    EXPECT_EQ(cuts.count, 0); // without "Multi Fragment" the earlier cut went
}

TEST(FragmentCuts, PictureMassesAreWholeWhenTheyAreWholeAndElseFourDecimals) {
    EXPECT_EQ(pictureMassText(78.0f), "78");
    EXPECT_EQ(pictureMassText(78.047f), " 78.0470");
    EXPECT_EQ(pictureMassText(0.0f), "0");
}

} // namespace
} // namespace qzx
