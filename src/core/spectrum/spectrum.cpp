#include "spectrum/spectrum.h"

#include <algorithm>

#include "util/rounding.h"

namespace qzx {

int Spectrum::peakCount() const {
    const float n = Peaks[0].Abundance;
    if (!(n > 0.0f)) return 0;
    if (n >= static_cast<float>(kMaxPeaks)) return kMaxPeaks;
    return static_cast<int>(Round(static_cast<double>(n)));
}

void Spectrum::setPeakCount(int n) {
    Peaks[0].Mass = 0.0f;
    Peaks[0].Abundance = static_cast<float>(std::clamp(n, 0, kMaxPeaks));
}

void Spectrum::clear() {
    setPeakCount(0);
    PeakLabels.clear();
}

bool Spectrum::normalize() {
    if (SpectrumNormalized) return false;
    const int n = peakCount();
    if (n == 0) return false;
    SpectrumNormalized = true;
    float largest = Peaks[1].Abundance;
    for (int i = 2; i <= n; ++i)
        largest = std::max(largest, Peaks[static_cast<std::size_t>(i)].Abundance);
    // All abundances zero (or negative) would give NaN or flip the spectrum: leave them.
    if (!(largest > 0.0f)) return false;
    for (int i = 1; i <= n; ++i) {
        float& abundance = Peaks[static_cast<std::size_t>(i)].Abundance;
        abundance = abundance / largest * 100.0f;
    }
    return true;
}

} // namespace qzx
