#include "chem/isotope_agreement.h"

#include <algorithm>
#include <cmath>

#include "chem/isotope_pattern.h"
#include "spectrum/spectrum.h"

namespace qzx {

IsotopeAgreement isotopeAgreement(const IsotopePattern& pattern, const Spectrum& spectrum) {
    IsotopeAgreement result;
    if (pattern.peaks.empty()) return result;
    result.baseMass = static_cast<int>(std::lround(pattern.peaks.front().mass));
    std::array<double, 5> predicted{};
    std::array<double, 5> observed{};
    for (const IsotopePeak& peak : pattern.peaks) {
        const long k = std::lround(peak.mass) - result.baseMass;
        if (k >= 0 && k < 5) predicted[static_cast<std::size_t>(k)] += peak.abundance;
    }
    for (int n = 1; n <= spectrum.peakCount(); ++n) {
        const Peak& peak = spectrum.peak(n);
        const long k = std::lround(peak.Mass) - result.baseMass;
        if (k >= 0 && k < 5 && peak.Abundance > 0.0f)
            observed[static_cast<std::size_t>(k)] += peak.Abundance;
    }
    double predictedSum = 0.0, observedSum = 0.0;
    for (int k = 0; k < 5; ++k) {
        predictedSum += predicted[static_cast<std::size_t>(k)];
        observedSum += observed[static_cast<std::size_t>(k)];
    }
    if (!(predictedSum > 0.0) || !(observedSum > 0.0)) return result;
    result.available = true;
    for (std::size_t k = 0; k < 5; ++k) {
        result.predicted[k] = predicted[k] / predictedSum;
        result.observed[k] = observed[k] / observedSum;
        result.percent += 100.0 * std::min(result.predicted[k], result.observed[k]);
    }
    return result;
}

} // namespace qzx
