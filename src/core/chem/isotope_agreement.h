#pragma once

#include <array>

namespace qzx {

struct IsotopePattern;
struct Spectrum;

/// How well a composition's isotope pattern agrees with a measured spectrum at M to M+4.
///
/// M is the lightest peak of the pattern. The predicted heights are the pattern's abundances
/// at M, M+1, ..., M+4 (0 where it has none); the observed heights are the spectrum's
/// abundances at those whole masses (its peaks rounded to the nearest whole mass, summed).
/// Both are scaled to add up to 1, and the score is their overlap, the sum over the five
/// masses of the smaller of the two shares, in percent: 100 when the spectrum shows exactly
/// the predicted cluster, 0 when they share no mass. The score compares the shape of the
/// cluster, so it does not depend on how tall the cluster is in the spectrum.
struct IsotopeAgreement {
    bool available = false; ///< false when the pattern is empty or the spectrum has no peak there
    int baseMass = 0;       ///< M
    std::array<double, 5> predicted{}; ///< shares of M .. M+4, adding up to 1
    std::array<double, 5> observed{};
    double percent = 0.0;
};

IsotopeAgreement isotopeAgreement(const IsotopePattern& pattern, const Spectrum& spectrum);

} // namespace qzx
