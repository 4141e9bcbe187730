// What explains a peak of the spectrum: fragments with hydrogen transfers, compositions
// within the molecule's own element counts, losses from the molecular ion, and the isotope
// clusters of fragments with heavy isotopes beside the observed peaks.
#include "spectrum/peak_explanation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "../structure/structure_builders.h"
#include "chem/autofragment.h"
#include "chem/fragments.h"
#include "spectrum_builders.h"

namespace qzx::test {
namespace {

struct Case {
    Structure structure;
    FragmentTable fragments;
    Spectrum spectrum;
};

Case prepare(Structure structure, std::initializer_list<Peak> peaks) {
    Case c{std::move(structure), {}, spectrumOf(peaks)};
    EXPECT_EQ(RunAutofragment(c.structure, elements(), {}, c.fragments).status,
              AutofragmentStatus::Done);
    return c;
}

PeakExplanation explain(const Case& c, float mass) {
    return explainPeak(c.structure, elements(), c.fragments, c.spectrum, mass);
}

std::vector<std::string> formulas(const std::vector<ExplainedComposition>& found) {
    std::vector<std::string> texts;
    for (const ExplainedComposition& c : found)
        texts.push_back(c.formula);
    return texts;
}

bool hasLoss(const PeakExplanation& e, const std::string& name, const std::string& source) {
    return std::any_of(e.losses.begin(), e.losses.end(), [&](const ExplainedLoss& loss) {
        return loss.name == name && loss.source == source;
    });
}

/// C6H5Cl: the ring with alternating bonds, chlorine on atom 1.
Structure chlorobenzene() {
    return molecule(7, {{1, 2, 2}, {2, 3}, {3, 4, 2}, {4, 5}, {5, 6, 2}, {6, 1}, {1, 7}},
                    {1, 1, 1, 1, 1, 1, 6});
}

TEST(PeakExplanation, TolueneExplainsItsPeaksByFragmentsTransfersAndLosses) {
    const Case c = prepare(toluene(), {{65, 12}, {77, 20}, {91, 100}, {92, 60}});
    const PeakExplanation at91 = explain(c, 91.0f);
    EXPECT_EQ(at91.moleculeMass, 92);
    EXPECT_EQ(at91.abundance, 100.0f);
    ASSERT_FALSE(at91.fragments.empty());
    EXPECT_EQ(at91.fragments.front().mass, 92) << "the molecular ion less one hydrogen";
    EXPECT_EQ(at91.fragments.front().hydrogenShift, -1);
    EXPECT_EQ(at91.fragments.front().formula, "C7 H8 ");
    EXPECT_EQ(formulas(at91.compositions), std::vector<std::string>{"C7 H7 "});
    EXPECT_NEAR(at91.compositions[0].error, 91.0548 - 91.0, 1e-3);
    EXPECT_TRUE(at91.losses.empty()) << "a loss of 1 is in neither table";
    EXPECT_TRUE(at91.clusters.empty());

    const PeakExplanation at77 = explain(c, 77.0f);
    ASSERT_FALSE(at77.fragments.empty());
    EXPECT_EQ(at77.fragments.front().hydrogenShift, 0);
    EXPECT_EQ(at77.fragments.front().formula, "C6 H5 ");
    EXPECT_EQ(formulas(at77.compositions), std::vector<std::string>{"C6 H5 "});
    EXPECT_TRUE(hasLoss(at77, "CH3", "common loss"));
    EXPECT_TRUE(hasLoss(at77, "CH3", "neutral table"));
    for (const ExplainedFragment& f : at77.fragments)
        EXPECT_LE(std::abs(f.hydrogenShift), 2);
}

TEST(PeakExplanation, ChlorobenzenesClusterStandsBesideTheObservedPeaks) {
    const Case c = prepare(chlorobenzene(), {{77, 100}, {112, 80}, {113, 5}, {114, 26}});
    const PeakExplanation ion = explain(c, 112.0f);
    ASSERT_FALSE(ion.fragments.empty());
    EXPECT_EQ(ion.fragments.front().formula, "C6 H5 Cl1 ");
    ASSERT_EQ(ion.clusters.size(), 1u);
    const std::vector<ClusterLine>& lines = ion.clusters[0].lines;
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0].mass, 112);
    EXPECT_FLOAT_EQ(lines[0].predicted, 80.0f) << "scaled to the explained peak";
    EXPECT_EQ(lines[2].mass, 114);
    EXPECT_EQ(lines[2].observed, 26.0f);
    // 37Cl/35Cl = 24.23/75.77: the M+2 line is about a third of M.
    EXPECT_NEAR(lines[2].predicted, 80.0f * 0.3244f, 0.8f);
    EXPECT_EQ(lines[1].observed, 5.0f);

    const PeakExplanation phenyl = explain(c, 77.0f);
    EXPECT_TRUE(hasLoss(phenyl, "CL", "neutral table"));
    EXPECT_TRUE(phenyl.clusters.empty()) << "C6H5 holds no chlorine";
}

TEST(PeakExplanation, BromomethanesTwinPeaksAndTheLossOfBromine) {
    // CH3Br: carbon 1, bromine 2.
    const Case c = prepare(molecule(2, {{1, 2}}, {1, 8}), {{15, 10}, {94, 100}, {96, 97}});
    const PeakExplanation ion = explain(c, 94.0f);
    ASSERT_EQ(ion.clusters.size(), 1u);
    const std::vector<ClusterLine>& lines = ion.clusters[0].lines;
    const auto at96 =
        std::find_if(lines.begin(), lines.end(), [](const ClusterLine& l) { return l.mass == 96; });
    ASSERT_NE(at96, lines.end());
    EXPECT_NEAR(at96->predicted, 97.0f, 1.5f) << "81Br almost as common as 79Br";
    EXPECT_EQ(at96->observed, 97.0f);

    const PeakExplanation methyl = explain(c, 15.0f);
    EXPECT_TRUE(hasLoss(methyl, "Br", "neutral table"));
    EXPECT_EQ(formulas(methyl.compositions), std::vector<std::string>{"C1 H3 "});
}

TEST(PeakExplanation, CompositionsStayWithinTheMoleculesCountsAndTheTolerance) {
    const Case c = prepare(toluene(), {{50, 1}});
    ExplainOptions wide;
    wide.tolerance = 2.0;
    const PeakExplanation e =
        explainPeak(c.structure, elements(), c.fragments, c.spectrum, 50.0f, wide);
    EXPECT_EQ(e.abundance, 1.0f);
    for (const ExplainedComposition& found : e.compositions) {
        EXPECT_LT(std::fabs(found.error), 2.0);
        EXPECT_EQ(found.formula.find('N'), std::string::npos);
    }
    // Strictly between 48 and 52 u: C4H1, C4H2 and C4H3, the closest first; C4 (48.000) and
    // C4H4 (52.031) lie outside, and three carbons with at most 8 hydrogens stay below 48.
    EXPECT_EQ(formulas(e.compositions), (std::vector<std::string>{"C4 H2 ", "C4 H1 ", "C4 H3 "}));
    ExplainOptions few = wide;
    few.maxCompositions = 1;
    const PeakExplanation cut =
        explainPeak(c.structure, elements(), c.fragments, c.spectrum, 50.0f, few);
    EXPECT_EQ(cut.compositions.size(), 1u);
    EXPECT_EQ(cut.compositionsLeftOut, 2u);
    EXPECT_EQ(explain(c, 500.0f).compositions.size(), 0u) << "heavier than the molecule";
}

} // namespace
} // namespace qzx::test
