#include "spectrum/spectrum_match.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "chem/isotope_pattern.h"
#include "spectrum/spectrum.h"
#include "spectrum_builders.h"

namespace qzx {
namespace {

using test::spectrumOf;

IsotopePattern patternOf(std::initializer_list<IsotopePeak> lines) {
    IsotopePattern p;
    p.peaks = lines;
    return p;
}

const IsotopePattern kBenzene = patternOf({{78.0f, 100.0f}, {79.0f, 6.6f}});

TEST(IsotopeMatch, APerfectClusterScoresOneAndEveryLineIsFound) {
    const Spectrum s = spectrumOf({{51.0f, 20.0f}, {77.0f, 15.0f}, {78.0f, 50.0f}, {79.0f, 3.3f}});
    const IsotopeMatchOutcome m = isotopeMatch(s, 78, kBenzene);
    ASSERT_EQ(m.kind, IsotopeMatchOutcome::Kind::Index);
    EXPECT_NEAR(m.index, 1.0, 1e-6);
    EXPECT_EQ(m.expected, 2);
    EXPECT_EQ(m.found, 2);
    EXPECT_EQ(m.message, "The structure MW of 78 is present\r\n\r\nThe Isotope Match Index is "
                         "1.0000\r\n2 isotopes expected; 2 isotopes found");
}

TEST(IsotopeMatch, StrongPeaksAtOrAboveTheHeaviestLineCostAHundredthOfTheirHeight) {
    // 30 % at the heaviest line itself costs 0.3, as does 30 % above it; 9 % costs nothing.
    const IsotopeMatchOutcome atLine =
        isotopeMatch(spectrumOf({{78.0f, 100.0f}, {79.0f, 30.0f}}), 78, kBenzene);
    const double agreement = (100.0 + (6.6 - std::fabs(30.0 - 6.6))) / 106.6;
    EXPECT_NEAR(atLine.index, agreement - 0.3, 1e-5);
    const IsotopeMatchOutcome above =
        isotopeMatch(spectrumOf({{78.0f, 100.0f}, {79.0f, 6.6f}, {90.0f, 30.0f}}), 78, kBenzene);
    EXPECT_NEAR(above.index, 1.0 - 0.3, 1e-5);
    const IsotopeMatchOutcome weak =
        isotopeMatch(spectrumOf({{78.0f, 100.0f}, {79.0f, 6.6f}, {90.0f, 9.0f}}), 78, kBenzene);
    EXPECT_NEAR(weak.index, 1.0, 1e-5);
    // The index never goes below 0.
    EXPECT_EQ(
        isotopeMatch(spectrumOf({{78.0f, 100.0f}, {80.0f, 90.0f}, {95.0f, 100.0f}}), 78, kBenzene)
            .index,
        0.0);
}

TEST(IsotopeMatch, AMissingLineCountsFullyAgainstAndTheTextSaysHowManyWereFound) {
    const IsotopeMatchOutcome m = isotopeMatch(spectrumOf({{78.0f, 100.0f}}), 78, kBenzene);
    EXPECT_NEAR(m.index, 100.0 / 106.6, 1e-6);
    EXPECT_EQ(m.found, 1);
    EXPECT_NE(m.message.find("2 isotopes expected; 1 isotope found"), std::string::npos);
}

TEST(IsotopeMatch, WhatCannotBeComparedIsSaidInsteadOfDividingByZero) {
    EXPECT_EQ(isotopeMatch(Spectrum{}, 78, kBenzene).kind,
              IsotopeMatchOutcome::Kind::EmptySpectrum);
    const IsotopeMatchOutcome absent = isotopeMatch(spectrumOf({{77.0f, 100.0f}}), 78, kBenzene);
    EXPECT_EQ(absent.kind, IsotopeMatchOutcome::Kind::MassAbsent);
    EXPECT_EQ(absent.message,
              "The structure MW is 78\r\nThat mass is not present in this spectrum");
    EXPECT_EQ(isotopeMatch(spectrumOf({{78.0f, 100.0f}}), 78, IsotopePattern{}).kind,
              IsotopeMatchOutcome::Kind::NoPattern);
    // M is there, but only as 78.2: no peak lies exactly at a line of the pattern.
    const IsotopeMatchOutcome none = isotopeMatch(spectrumOf({{78.2f, 100.0f}}), 78, kBenzene);
    EXPECT_EQ(none.kind, IsotopeMatchOutcome::Kind::NoIsotopeFound);
    EXPECT_NE(none.message.find("none of its 2 isotope masses"), std::string::npos);
    const IsotopeMatchOutcome zero =
        isotopeMatch(spectrumOf({{78.0f, 0.0f}, {79.0f, 0.0f}}), 78, kBenzene);
    EXPECT_EQ(zero.kind, IsotopeMatchOutcome::Kind::NoIsotopeFound);
}

TEST(SpectrumComparison, FragmentsWithHydrogenTransfersAndIsotopeLinesMarkPeaks) {
    Spectrum s = spectrumOf({{51.0f, 20.0f},
                             {65.0f, 10.0f},
                             {77.0f, 40.0f},
                             {78.0f, 100.0f},
                             {79.0f, 6.6f},
                             {91.0f, 8.0f}});
    const std::vector<int> fragments{15, 77, 78, 63};
    ComparisonOptions exact;
    exact.allowHydrogenTransfers = false;
    exact.structureMass = 78;
    compareSpectrum(s, fragments, kBenzene, exact);
    EXPECT_TRUE(s.PeakMatched[3]);
    EXPECT_TRUE(s.PeakMatched[4]);
    EXPECT_TRUE(s.PeakMatched[5]) << "79 through the isotope pass";
    EXPECT_FALSE(s.PeakMatched[2]) << "65 is two above fragment 63";
    EXPECT_EQ(s.MatchCount, 3);

    ComparisonOptions two;
    two.hydrogens = 2;
    two.structureMass = 78;
    compareSpectrum(s, fragments, kBenzene, two);
    EXPECT_TRUE(s.PeakMatched[2]) << "within two hydrogens of 63";
    EXPECT_EQ(s.MatchCount, 4);

    // The index: matched mass x abundance over the total, less the unmatched 91 at M + 13.
    double total = 0.0;
    for (int i = 1; i <= 6; ++i)
        total += double(s.peak(i).Mass) * s.peak(i).Abundance;
    const double matched = 65.0 * 10 + 77.0 * 40 + 78.0 * 100 + 79.0 * 6.6f - 91.0 * 8;
    EXPECT_NEAR(s.MatchIndex, matched / total, 1e-6);
    char index[16];
    std::snprintf(index, sizeof index, "%.4f", static_cast<double>(s.MatchIndex));
    EXPECT_EQ(comparisonSummary(s),
              "There were 4 matched masses found\r\nThe total number of unmatched ions was 2\r\n"
              "    Percentage matched was 66.7%\r\nThe estimated match index is: " +
                  std::string(index));
}

TEST(SpectrumComparison, AnEmptySpectrumMatchesNothing) {
    Spectrum s;
    s.MatchIndex = 0.7f;
    EXPECT_TRUE(compareSpectrum(s, {78}, kBenzene, {}).empty());
    EXPECT_EQ(s.MatchIndex, 0.0f);
    EXPECT_EQ(comparisonSummary(s), "");
}

} // namespace
} // namespace qzx
