#include "chem/isotope_agreement.h"

#include <gtest/gtest.h>

#include "../spectrum/spectrum_builders.h"
#include "chem/formula_results.h"
#include "chem/isotope_pattern.h"
#include "spectrum/spectrum.h"

namespace qzx {
namespace {

IsotopePattern chlorobenzene() {
    IsotopePattern p;
    p.peaks = {{112.0f, 100.0f}, {113.0f, 6.6f}, {114.0f, 32.0f}, {115.0f, 2.1f}};
    return p;
}

using test::spectrumOf;

TEST(IsotopeAgreement, TheSameClusterScoresAHundredWhateverItsHeight) {
    const Spectrum measured = spectrumOf({{77.0f, 100.0f},
                                          {112.0f, 50.0f},
                                          {113.0f, 3.3f},
                                          {114.0f, 16.0f},
                                          {115.0f, 1.05f},
                                          {140.0f, 5.0f}});
    const IsotopeAgreement a = isotopeAgreement(chlorobenzene(), measured);
    ASSERT_TRUE(a.available);
    EXPECT_EQ(a.baseMass, 112);
    EXPECT_NEAR(a.percent, 100.0, 1e-9);
    EXPECT_NEAR(a.predicted[0] + a.predicted[1] + a.predicted[2] + a.predicted[3], 1.0, 1e-12);
}

TEST(IsotopeAgreement, AMissingChlorineIsotopeLowersTheScoreByItsShare) {
    // Only M and M+1 seen, as benzene-like: the overlap is what the cluster puts at M and M+1.
    const IsotopeAgreement a =
        isotopeAgreement(chlorobenzene(), spectrumOf({{112.0f, 100.0f}, {113.0f, 6.6f}}));
    ASSERT_TRUE(a.available);
    const double total = 100.0 + 6.6 + 32.0 + 2.1;
    EXPECT_NEAR(a.percent, 100.0 * (100.0 + 6.6) / total, 1e-3);
    // Peaks between whole masses count at the nearest one.
    EXPECT_NEAR(
        isotopeAgreement(chlorobenzene(), spectrumOf({{111.8f, 100.0f}, {113.2f, 6.6f}})).percent,
        a.percent, 1e-3);
}

TEST(IsotopeAgreement, NoPeaksAtTheClusterOrNoClusterMeansNoScore) {
    EXPECT_FALSE(isotopeAgreement(chlorobenzene(), spectrumOf({{77.0f, 100.0f}})).available);
    EXPECT_FALSE(isotopeAgreement(chlorobenzene(), Spectrum{}).available);
    EXPECT_FALSE(isotopeAgreement(IsotopePattern{}, spectrumOf({{112.0f, 100.0f}})).available);
}

} // namespace
} // namespace qzx
