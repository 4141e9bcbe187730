// Isotope clusters checked against published patterns and against computations written here
// independently of the program's: an exact convolution without pruning, a brute-force sum
// over every ordered choice of isotopes, and binomial probabilities from logarithms.
#include "chem/isotope_pattern.h"
#include "loaded_elements.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chem/composition.h"
#include "chem/element_data_files.h"
#include "chem/formula_text.h"
#include "chem/isotope_terms.h"
#include "test_paths.h"

namespace qzx {
namespace {

const ElementTable& table() {
    return test::elements();
}

Composition formula(std::string text) {
    Composition c;
    ParseFormulaText(c, text);
    return c;
}

struct Notices : IsotopeNotices {
    std::vector<std::string> texts;
    void notice(const std::string& text) override { texts.push_back(text); }
};

IsotopePattern nominal(const char* text, float threshold, Notices& notices) {
    return NominalIsotopePattern(formula(text), table(), {threshold}, notices);
}

IsotopePattern accurate(const char* text, float threshold, bool deuterium, Notices& notices) {
    return AccurateIsotopePattern(formula(text), table(), {threshold, deuterium}, notices);
}

/// The complete nominal distribution in long double, one atom at a time on a dense list of
/// whole masses, nothing dropped: nominal mass -> percent of the largest position.
std::map<int, long double> exactNominal(const Composition& c) {
    std::vector<long double> pattern{1.0L}, next;
    int low = 0;
    for (int e = 1; e <= kElementCount; ++e) {
        const ElementRecord& element = table()[e];
        const int lightest = static_cast<int>(std::lround(element.Isotopes[1].Mass));
        const int heaviest =
            static_cast<int>(std::lround(element.Isotopes[element.IsotopeCount].Mass));
        for (int atom = 0; atom < c[e]; ++atom) {
            next.assign(pattern.size() + heaviest - lightest, 0.0L);
            for (int j = 1; j <= element.IsotopeCount; ++j) {
                const int shift =
                    static_cast<int>(std::lround(element.Isotopes[j].Mass)) - lightest;
                for (std::size_t k = 0; k < pattern.size(); ++k)
                    next[k + shift] += pattern[k] * element.Isotopes[j].Abundance;
            }
            pattern.swap(next);
            low += lightest;
        }
    }
    const long double largest = *std::max_element(pattern.begin(), pattern.end());
    std::map<int, long double> percent;
    for (std::size_t k = 0; k < pattern.size(); ++k)
        if (pattern[k] > 0) percent[low + static_cast<int>(k)] = pattern[k] / largest * 100;
    return percent;
}

void expectAscendingWithLargest100(const IsotopePattern& pattern) {
    ASSERT_FALSE(pattern.peaks.empty());
    float largest = 0;
    for (std::size_t i = 0; i < pattern.peaks.size(); ++i) {
        if (i > 0) {
            EXPECT_LT(pattern.peaks[i - 1].mass, pattern.peaks[i].mass) << i;
        }
        largest = std::max(largest, pattern.peaks[i].abundance);
    }
    EXPECT_FLOAT_EQ(largest, 100.0f);
}

TEST(NominalIsotopePattern, MatchesAnExactConvolutionWhenNothingIsDropped) {
    for (const char* text : {"C H2 Cl2", "C6 H5 Br", "C10 H16 N2 O3 S", "Si2 O4 Sn", "C60"}) {
        SCOPED_TRACE(text);
        Notices notices;
        const IsotopePattern pattern = nominal(text, 0.0f, notices);
        EXPECT_TRUE(notices.texts.empty());
        expectAscendingWithLargest100(pattern);
        const std::map<int, long double> exact = exactNominal(formula(text));
        for (const IsotopePeak& peak : pattern.peaks) {
            const auto found = exact.find(static_cast<int>(peak.mass));
            ASSERT_NE(found, exact.end()) << peak.mass;
            EXPECT_NEAR(peak.abundance, found->second, 1e-4 + 1e-5 * found->second) << peak.mass;
        }
        // Every position above 1e-15 % is there, up to the 50th; only positions below 1e-18 %
        // of the largest may be trimmed away.
        const float last = pattern.peaks.back().mass;
        std::size_t present = 0, strong = 0;
        for (const auto& [mass, percent] : exact) {
            if (percent < 1e-15L || (pattern.peaks.size() == 50 && mass > last)) continue;
            ++strong;
            for (const IsotopePeak& peak : pattern.peaks)
                present += peak.mass == mass;
        }
        EXPECT_EQ(present, strong);
    }
}

TEST(NominalIsotopePattern, AgreesWithPublishedPatterns) {
    Notices notices;
    // Dichloromethane: M 100, M+2 64.0, M+4 10.2 (chlorine 75.76 / 24.24 %).
    const IsotopePattern ch2cl2 = nominal("C H2 Cl2", 0.0005f, notices);
    ASSERT_EQ(ch2cl2.peaks.size(), 6u); // and 89 at 0.11 %
    const float masses[] = {84, 85, 86, 87, 88};
    const float percents[] = {100.0f, 1.1f, 64.0f, 0.7f, 10.2f};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(ch2cl2.peaks[i].mass, masses[i]);
        EXPECT_NEAR(ch2cl2.peaks[i].abundance, percents[i], 0.06) << masses[i];
    }
    // Bromine: the 1 : 2 : 1 triplet of 158, 160, 162 as 51.4 : 100 : 48.6.
    const IsotopePattern br2 = nominal("Br2", 0.0005f, notices);
    ASSERT_EQ(br2.peaks.size(), 3u);
    EXPECT_NEAR(br2.peaks[0].abundance, 51.4f, 0.05);
    EXPECT_EQ(br2.peaks[1].mass, 160.0f);
    EXPECT_FLOAT_EQ(br2.peaks[1].abundance, 100.0f);
    EXPECT_NEAR(br2.peaks[2].abundance, 48.6f, 0.05);
    EXPECT_TRUE(notices.texts.empty());
}

TEST(NominalIsotopePattern, DropsWeakAndUnreachedPositionsAndKeepsTheLightest50) {
    Notices notices;
    // Cl2 reaches only 70, 72 and 74: the odd masses are no peaks even with threshold 0.
    const IsotopePattern cl2 = nominal("Cl2", 0.0f, notices);
    ASSERT_EQ(cl2.peaks.size(), 3u);
    EXPECT_EQ(cl2.peaks[0].mass, 70.0f);
    EXPECT_EQ(cl2.peaks[1].mass, 72.0f);
    EXPECT_EQ(cl2.peaks[2].mass, 74.0f);

    // A high threshold collapses methane to its single main position.
    const IsotopePattern methane = nominal("C H4", 0.5f, notices);
    ASSERT_EQ(methane.peaks.size(), 1u);
    EXPECT_EQ(methane.peaks[0].mass, 16.0f);
    EXPECT_EQ(methane.peaks[0].abundance, 100.0f);

    // Br60 reaches 61 positions, 4740 to 4860 in steps of 2; the lightest 50 are reported.
    const IsotopePattern br60 = nominal("Br60", 0.0f, notices);
    ASSERT_EQ(br60.peaks.size(), 50u);
    EXPECT_EQ(br60.peaks.front().mass, 4740.0f);
    EXPECT_EQ(br60.peaks.back().mass, 4838.0f);

    // Counts below 1 take no part; no atoms at all give no peaks.
    EXPECT_TRUE(nominal("C-2 H0", 0.0005f, notices).peaks.empty());
    EXPECT_TRUE(nominal("", 0.0005f, notices).peaks.empty());
    const IsotopePattern water = nominal("C-2 H2 O", 0.0005f, notices);
    ASSERT_FALSE(water.peaks.empty());
    EXPECT_EQ(water.peaks.front().mass, 18.0f);
    EXPECT_TRUE(notices.texts.empty());
}

/// Largest difference in points (percent of the largest peak) between a pattern and the
/// exact distribution reported at the same threshold, a missing position counting as 0; and
/// whether both report the same masses.
struct Comparison {
    double largestDifference = 0;
    bool sameMasses = true;
};

Comparison compareWithExact(const IsotopePattern& pattern, const Composition& c, float threshold) {
    std::vector<std::pair<int, long double>> expected;
    for (const auto& entry : exactNominal(c))
        if (entry.second >= threshold * 100.0L && expected.size() < 50) expected.push_back(entry);
    Comparison result;
    std::map<int, long double> ours, exact(expected.begin(), expected.end());
    for (const IsotopePeak& peak : pattern.peaks)
        ours[static_cast<int>(peak.mass)] = peak.abundance;
    result.sameMasses = ours.size() == exact.size();
    for (const auto& [mass, percent] : ours) {
        const auto found = exact.find(mass);
        result.sameMasses = result.sameMasses && found != exact.end();
        const long double other = found == exact.end() ? 0 : found->second;
        result.largestDifference =
            std::max(result.largestDifference, static_cast<double>(std::fabs(percent - other)));
    }
    for (const auto& [mass, percent] : exact)
        if (!ours.count(mass))
            result.largestDifference =
                std::max(result.largestDifference, static_cast<double>(percent));
    return result;
}

TEST(NominalIsotopePattern, EqualsTheCompleteDistributionAtEveryThreshold) {
    // From benzene to a 20 kDa protein, with halogens and sulfur: the threshold applies to
    // the finished cluster, and the trimming between steps stays far below a thousandth of a
    // point (its bound is 5e-5 points; single-precision output adds up to 4e-6).
    for (const char* text :
         {"C6 H6", "C60", "C6 H4 Cl2 Br2 S", "C20 H25 N3 O", "C257 H383 N65 O77 S6",
          "C444 H698 N122 O133 S4", "C1000 H2000 O200", "C890 H1400 N240 O270 S6"}) {
        const Composition c = formula(text);
        for (float threshold : {0.0f, 0.0001f, 0.005f, 0.05f}) {
            SCOPED_TRACE(std::string(text) + " at " + std::to_string(threshold));
            Notices notices;
            const IsotopePattern pattern = NominalIsotopePattern(c, table(), {threshold}, notices);
            EXPECT_TRUE(notices.texts.empty());
            expectAscendingWithLargest100(pattern);
            const Comparison comparison = compareWithExact(pattern, c, threshold);
            EXPECT_LT(comparison.largestDifference, 1e-4);
            // With a threshold of 0 only the trimmed far tails (below 1e-18 %) are missing.
            if (threshold > 0) {
                EXPECT_TRUE(comparison.sameMasses);
            }
        }
    }
}

TEST(NominalIsotopePattern, KeepsTheWeakEarlyPositionsThatFeedTheHeavySide) {
    // Dropping positions below the threshold after every atom would give benzene's M+2 as
    // 0.06 % instead of 0.18 % and C60's M+2 as 10.1 % instead of 20.7 %.
    Notices notices;
    const IsotopePattern benzene = nominal("C6 H6", 0.0005f, notices);
    ASSERT_EQ(benzene.peaks.size(), 3u);
    EXPECT_EQ(benzene.peaks[2].mass, 80.0f);
    EXPECT_NEAR(benzene.peaks[2].abundance, 0.18f, 0.01);
    // C60 with the formula calculator's 0.5 %: 100, 64.9, 20.7, 4.33 and 0.67.
    const IsotopePattern c60 = nominal("C60", 0.005f, notices);
    ASSERT_EQ(c60.peaks.size(), 5u);
    EXPECT_NEAR(c60.peaks[1].abundance, 64.9f, 0.05);
    EXPECT_NEAR(c60.peaks[2].abundance, 20.7f, 0.05);
    EXPECT_NEAR(c60.peaks[3].abundance, 4.33f, 0.01);
    EXPECT_NEAR(c60.peaks[4].abundance, 0.67f, 0.01);
    EXPECT_TRUE(notices.texts.empty());
}

TEST(NominalIsotopePattern, LargeMoleculesGetTheirPatternWithinTheWorkingSpace) {
    // Kept from the lightest to the heaviest isotope of every atom, C2000 H4000 would need
    // 6,001 places; trimmed between steps it fits and equals the complete distribution.
    Notices notices;
    const Composition c = formula("C2000 H4000");
    const IsotopePattern pattern = NominalIsotopePattern(c, table(), {0.0005f}, notices);
    EXPECT_TRUE(notices.texts.empty());
    expectAscendingWithLargest100(pattern);
    const Comparison comparison = compareWithExact(pattern, c, 0.0005f);
    EXPECT_LT(comparison.largestDifference, 1e-4);
    EXPECT_TRUE(comparison.sameMasses);
    // The cluster lies where 2,000 carbons put it: about 21 carbon-13 atoms above 28000.
    EXPECT_GT(pattern.peaks.front().mass, 28000.0f);
    EXPECT_LT(pattern.peaks.back().mass, 28050.0f);
}

TEST(NominalIsotopePattern, RefusesInputsBeyondItsWorkingLimits) {
    Notices notices;
    EXPECT_TRUE(nominal("C1000001", 0.0005f, notices).peaks.empty());
    ASSERT_EQ(notices.texts.size(), 1u);
    EXPECT_EQ(notices.texts[0], "Too Many Atoms!\r\nThe Maximum is 1,000,000");

    // 100,000 mercury atoms spread over more than 5,000 masses above 1e-20 of the largest.
    notices.texts.clear();
    EXPECT_TRUE(nominal("Hg100000", 0.0005f, notices).peaks.empty());
    ASSERT_EQ(notices.texts.size(), 1u);
    EXPECT_EQ(notices.texts[0],
              "The Isotope Pattern Is Too Wide!\r\nTry Using a Larger Minimum% Value");
    // A million carbons, the most atoms taken: sums of masses stay whole and in range, and
    // the lightest 50 reported positions lie around 1e6 x 12 + 10,700 carbon-13 atoms.
    notices.texts.clear();
    const IsotopePattern million = nominal("C1000000", 0.05f, notices);
    EXPECT_TRUE(notices.texts.empty());
    ASSERT_EQ(million.peaks.size(), 50u);
    for (std::size_t i = 0; i < million.peaks.size(); ++i) {
        EXPECT_TRUE(std::isfinite(million.peaks[i].abundance));
        EXPECT_GE(million.peaks[i].abundance, 5.0f);
        EXPECT_EQ(million.peaks[i].mass, million.peaks[0].mass + static_cast<float>(i));
    }
    EXPECT_GT(million.peaks.front().mass, 12010000.0f);
    EXPECT_LT(million.peaks.back().mass, 12011000.0f);
    // 5,000 of them fit even with a threshold of 0: the far tails are trimmed.
    notices.texts.clear();
    EXPECT_EQ(nominal("Hg5000", 0.0f, notices).peaks.size(), 50u);
    EXPECT_TRUE(notices.texts.empty());
}

TEST(NominalIsotopePattern, RefusesPeaksBeyondTheMassesASinglePrecisionPeakHoldsExactly) {
    const std::string tooWide =
        "The Isotope Pattern Is Too Wide!\r\nTry Using a Larger Minimum% Value";
    // Iodine has one isotope: 132,104 atoms make one peak at 16,777,208 u, still exact; one
    // atom more lies beyond 2^24 = 16,777,216 u, where a float skips odd whole numbers.
    Notices notices;
    const IsotopePattern fits = nominal("I132104", 0.0005f, notices);
    EXPECT_TRUE(notices.texts.empty());
    ASSERT_EQ(fits.peaks.size(), 1u);
    EXPECT_EQ(fits.peaks[0].mass, 16777208.0f);
    // Refused before the work when even the lightest isotopes pass it (the first three),
    // after it when the peaks do: C600000 I75400 weighs at least 16,775,800 u, but its
    // carbon-13 atoms put every peak above 16,781,000.
    for (const char* text : {"I132105", "I140000", "C400000 I100000", "C600000 I75400"}) {
        SCOPED_TRACE(text);
        notices.texts.clear();
        EXPECT_TRUE(nominal(text, 0.0005f, notices).peaks.empty());
        ASSERT_EQ(notices.texts.size(), 1u);
        EXPECT_EQ(notices.texts[0], tooWide);
    }
    // C600000 I75000 could weigh up to 17,325,000 u with every carbon a carbon-13, but its
    // peaks lie near 16,731,000, so the pattern is shown.
    notices.texts.clear();
    const IsotopePattern heavy = nominal("C600000 I75000", 0.05f, notices);
    EXPECT_TRUE(notices.texts.empty());
    ASSERT_FALSE(heavy.peaks.empty());
    EXPECT_GT(heavy.peaks.front().mass, 16725000.0f);
    EXPECT_LT(heavy.peaks.back().mass, 16777216.0f);
}

TEST(IsotopeTerms, EqualABruteForceSumOverOrderedChoices) {
    const ElementRecord& sulfur = table()[5];
    std::vector<float> masses, abundances;
    for (int j = 1; j <= sulfur.IsotopeCount; ++j) {
        masses.push_back(sulfur.Isotopes[j].Mass);
        abundances.push_back(sulfur.Isotopes[j].Abundance);
    }
    for (int atoms = 1; atoms <= 4; ++atoms) {
        SCOPED_TRACE(atoms);
        // Every ordered choice of isotopes, grouped by the sorted index sequence.
        std::map<std::vector<int>, long double> expected;
        std::vector<int> pick(atoms, 0);
        for (int code = 0; code < static_cast<int>(std::pow(4, atoms)); ++code) {
            long double p = 1;
            for (int k = 0, rest = code; k < atoms; ++k, rest /= 4) {
                pick[k] = rest % 4;
                p *= abundances[pick[k]];
            }
            std::vector<int> key = pick;
            std::sort(key.begin(), key.end());
            expected[key] += p;
        }
        const std::vector<IsotopeTerm> terms =
            isotopeTerms(masses.data(), abundances.data(), 4, atoms);
        ASSERT_EQ(terms.size(), expected.size());
        auto entry = expected.begin(); // lexicographic order, as the terms
        for (const IsotopeTerm& term : terms) {
            float mass = 0;
            for (int j : entry->first)
                mass += masses[j];
            EXPECT_NEAR(term.abundance, entry->second, 1e-7 * entry->second + 1e-12);
            EXPECT_NEAR(term.mass, mass, 1e-4);
            ++entry;
        }
    }
    // Two atoms of two isotopes: 1, 2, 1.
    const float m[] = {35.0f, 37.0f}, a[] = {0.75f, 0.25f};
    const std::vector<IsotopeTerm> pair = isotopeTerms(m, a, 2, 2);
    ASSERT_EQ(pair.size(), 3u);
    EXPECT_FLOAT_EQ(pair[0].abundance, 0.5625f);
    EXPECT_FLOAT_EQ(pair[1].abundance, 0.375f);
    EXPECT_FLOAT_EQ(pair[2].abundance, 0.0625f);
    EXPECT_FLOAT_EQ(pair[1].mass, 72.0f);
}

TEST(AccurateIsotopePattern, ChlorineTwoGivesThreeTermsOneTwoOne) {
    Notices notices;
    const IsotopePattern cl2 = accurate("Cl2", 0.0005f, false, notices);
    EXPECT_TRUE(notices.texts.empty());
    ASSERT_EQ(cl2.peaks.size(), 3u);
    const double a35 = 0.7576, a37 = 0.2424;
    EXPECT_NEAR(cl2.peaks[0].mass, 2 * 34.968852682, 1e-4);
    EXPECT_NEAR(cl2.peaks[1].mass, 34.968852682 + 36.965902602, 1e-4);
    EXPECT_NEAR(cl2.peaks[2].mass, 2 * 36.965902602, 1e-4);
    EXPECT_FLOAT_EQ(cl2.peaks[0].abundance, 100.0f);
    EXPECT_NEAR(cl2.peaks[1].abundance, 100 * 2 * a37 / a35, 1e-3);
    EXPECT_NEAR(cl2.peaks[2].abundance, 100 * a37 * a37 / (a35 * a35), 1e-3);
    EXPECT_EQ(cl2.message, "");
}

/// The real table with chlorine and bromine given made-up isotopes of the same masses.
ElementTable twinTable(float bromineHeavyMass, float lightAbundance) {
    ElementTable t = table();
    for (int e : {6, 8}) {
        t[e].IsotopeCount = 2;
        t[e].Isotopes[1] = {10.0f, lightAbundance};
        t[e].Isotopes[2] = {11.0f, 1.0f - lightAbundance};
    }
    t[8].Isotopes[2].Mass = bromineHeavyMass;
    return t;
}

TEST(AccurateIsotopePattern, MergesExactlyEqualMassesOnly) {
    Notices notices;
    // Cl 10 + Br 11 and Cl 11 + Br 10 weigh exactly the same: one peak of both.
    ElementTable twins = twinTable(11.0f, 0.5f);
    IsotopePattern pattern =
        AccurateIsotopePattern(formula("Cl Br"), twins, {0.0f, false}, notices);
    ASSERT_EQ(pattern.peaks.size(), 3u);
    EXPECT_EQ(pattern.peaks[1].mass, 21.0f);
    EXPECT_FLOAT_EQ(pattern.peaks[0].abundance, 50.0f);
    EXPECT_FLOAT_EQ(pattern.peaks[1].abundance, 100.0f);
    EXPECT_FLOAT_EQ(pattern.peaks[2].abundance, 50.0f);
    // 21 and the next single after it stay two peaks.
    twins = twinTable(std::nextafter(std::nextafter(11.0f, 12.0f), 12.0f), 0.5f);
    pattern = AccurateIsotopePattern(formula("Cl Br"), twins, {0.0f, false}, notices);
    ASSERT_EQ(pattern.peaks.size(), 4u);
    EXPECT_FLOAT_EQ(pattern.peaks[1].abundance, 100.0f);
    EXPECT_FLOAT_EQ(pattern.peaks[2].abundance, 100.0f);
    EXPECT_TRUE(notices.texts.empty());
}

TEST(AccurateIsotopePattern, DropsCombinationsBelowTheFloorEvenWithThresholdZero) {
    Notices notices;
    const auto withHeavy = [](float chlorine, float bromine) {
        ElementTable t = twinTable(11.0f, 0.5f);
        t[6].Isotopes[1].Abundance = 1.0f - chlorine;
        t[6].Isotopes[2].Abundance = chlorine;
        t[8].Isotopes[1].Abundance = 1.0f - bromine;
        t[8].Isotopes[2].Abundance = bromine;
        return t;
    };
    // Heavy chlorine with heavy bromine: 2e-4 x 1e-3, that is 0.00002 %: kept.
    IsotopePattern pattern =
        AccurateIsotopePattern(formula("Cl Br"), withHeavy(2e-4f, 1e-3f), {0.0f, false}, notices);
    ASSERT_EQ(pattern.peaks.size(), 3u);
    EXPECT_NEAR(pattern.peaks[2].abundance, 2e-4 * 1e-3 / (0.9998 * 0.999) * 100, 1e-10);
    // 5e-5 x 1e-3 is 0.000005 %, below the floor of 0.00001 %: dropped.
    pattern =
        AccurateIsotopePattern(formula("Cl Br"), withHeavy(5e-5f, 1e-3f), {0.0f, false}, notices);
    ASSERT_EQ(pattern.peaks.size(), 2u);
    EXPECT_EQ(pattern.peaks[1].mass, 21.0f);
    EXPECT_TRUE(notices.texts.empty());
}

TEST(AccurateIsotopePattern, HydrogenIsFixedUnlessDeuteriumIsIncluded) {
    Notices notices;
    // Without deuterium: 12CH4 and 13CH4 only, hydrogen at 1.00782503 in the fixed mass.
    const IsotopePattern plain = accurate("C H4", 0.0f, false, notices);
    ASSERT_EQ(plain.peaks.size(), 2u);
    EXPECT_NEAR(plain.peaks[0].mass, 12 + 4 * 1.00782503223, 1e-4);
    EXPECT_NEAR(plain.peaks[1].mass, 13.00335483507 + 4 * 1.00782503223, 1e-4);
    // With it, CH3D (17.0376) stands apart from 13CH4 (17.0346).
    const IsotopePattern withD = accurate("C H4", 0.0f, true, notices);
    ASSERT_GE(withD.peaks.size(), 3u);
    EXPECT_NEAR(withD.peaks[1].mass, 17.03465, 1e-4);
    EXPECT_NEAR(withD.peaks[2].mass, 17.03758, 1e-4);
    EXPECT_NEAR(withD.peaks[2].abundance, 100 * 4 * 0.000115 / 0.999885, 1e-4);
    // Hydrogen alone is no polyisotopic element.
    EXPECT_TRUE(accurate("H2", 0.0005f, false, notices).peaks.empty());
    EXPECT_TRUE(accurate("P F3", 0.0005f, false, notices).peaks.empty());
    ASSERT_EQ(notices.texts.size(), 2u);
    EXPECT_EQ(notices.texts[0],
              "There are no polyisotopic elements\r\n(excluding H) in this formula ");
    EXPECT_EQ(notices.texts[1], notices.texts[0]);
}

TEST(AccurateIsotopePattern, ExpandsAtMostFiveElements) {
    Notices notices;
    EXPECT_FALSE(accurate("C6 H6 N2 O2 S Cl", 0.0005f, false, notices).peaks.empty());
    EXPECT_TRUE(notices.texts.empty());
    EXPECT_TRUE(accurate("C6 H6 N2 O2 S Cl", 0.0005f, true, notices).peaks.empty());
    ASSERT_EQ(notices.texts.size(), 1u);
    EXPECT_EQ(notices.texts[0],
              "Too Many Polyisotopic Elements!\r\n              The Maximum is 5");
}

TEST(AccurateIsotopePattern, LimitsIsotopesOfLargerCountsWithNoticeAndReport) {
    Notices notices;
    // Four tin atoms: nine isotopes cut to six.
    const IsotopePattern sn4 = accurate("Sn4", 0.1f, false, notices);
    ASSERT_EQ(notices.texts.size(), 1u);
    EXPECT_EQ(notices.texts[0], "Sn will be limited to first 6 isotopes. \n");
    EXPECT_EQ(sn4.message, "Tin was limited to the first 6 isotopes.\n");
    expectAscendingWithLargest100(sn4);
    EXPECT_LT(sn4.peaks.back().mass, 4 * 119.0f); // nothing of 120Sn and above

    // Five oxygens and five silicons: three isotopes cut to two, one line each.
    notices.texts.clear();
    const IsotopePattern sio = accurate("O5 Si5", 0.0005f, false, notices);
    ASSERT_EQ(notices.texts.size(), 1u);
    EXPECT_EQ(notices.texts[0], "O will be limited to first 2 isotopes. \n"
                                "Si will be limited to first 2 isotopes. \n");
    EXPECT_EQ(sio.message,
              "Oxygen was limited to the first 2 isotopes.\nSilicon was limited to the first 2 "
              "isotopes.\n");
    // Three atoms keep every isotope.
    notices.texts.clear();
    EXPECT_EQ(accurate("O3 Si3", 0.01f, false, notices).message, "");
    EXPECT_TRUE(notices.texts.empty());
}

TEST(AccurateIsotopePattern, ReportsThirtyPeaksAndSaysWhenThereAreMore) {
    Notices notices;
    const IsotopePattern sn4 = accurate("Sn4", 0.0f, false, notices);
    ASSERT_EQ(sn4.peaks.size(), 30u);
    ASSERT_EQ(notices.texts.size(), 2u);
    EXPECT_EQ(notices.texts[1], "There Are More Entries Than Can Be Listed.\n"
                                "     Try Using a Larger Minimum% Value\n"
                                "           Or Turn Off Accurate Mass");
    for (std::size_t i = 1; i < sn4.peaks.size(); ++i)
        EXPECT_LT(sn4.peaks[i - 1].mass, sn4.peaks[i].mass);
}

TEST(AccurateIsotopePattern, ManyAtomsStayFiniteAndMatchBinomialProbabilities) {
    // 1,040 carbons: binomial factors and powers beyond double's range.
    Notices notices;
    const IsotopePattern c1040 = accurate("C1040", 0.0f, false, notices);
    ASSERT_EQ(c1040.peaks.size(), 30u); // more than 30 peaks qualify
    const double p13 = 0.0107;
    const auto logProbability = [&](int heavy) {
        return std::lgamma(1041.0) - std::lgamma(heavy + 1.0) - std::lgamma(1041.0 - heavy) +
               (1040 - heavy) * std::log(1 - p13) + heavy * std::log(p13);
    };
    const double top = logProbability(11); // the most probable count of carbon-13
    for (int heavy = 0; heavy < 30; ++heavy) {
        const IsotopePeak& peak = c1040.peaks[heavy];
        ASSERT_TRUE(std::isfinite(peak.abundance));
        EXPECT_NEAR(peak.mass, 12480 + heavy * 1.00335483507, 0.01);
        const double expected = 100 * std::exp(logProbability(heavy) - top);
        EXPECT_NEAR(peak.abundance, expected, 1e-4 * expected + 1e-6) << heavy;
    }
}

TEST(AccurateIsotopePattern, RefusesInputsBeyondItsWorkingLimits) {
    Notices notices;
    EXPECT_FALSE(accurate("C1050", 0.01f, false, notices).peaks.empty());
    EXPECT_TRUE(notices.texts.empty());
    EXPECT_TRUE(accurate("C1051", 0.01f, false, notices).peaks.empty());
    ASSERT_EQ(notices.texts.size(), 1u);
    EXPECT_EQ(notices.texts[0], "Too Many Atoms of C for Accurate Mass!\r\n"
                                "The Maximum is 1050 Atoms of an Element with Isotopes");

    notices.texts.clear();
    const IsotopePattern huge = accurate("C1000 H1000 N1000 O1000 Cl1000", 0.01f, true, notices);
    EXPECT_TRUE(huge.peaks.empty());
    ASSERT_EQ(notices.texts.size(), 2u); // the oxygen limitation, then the refusal
    EXPECT_EQ(notices.texts[1], "Too Many Isotope Combinations!\r\n"
                                "The Maximum is 32,000 - Try Turning Off Accurate Mass");
}

} // namespace
} // namespace qzx
