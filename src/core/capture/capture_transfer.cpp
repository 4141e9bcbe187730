#include "capture/capture_transfer.h"

#include <algorithm>
#include <vector>

namespace qzx {

std::string captureCutMessage(int points) {
    return "The capture holds " + std::to_string(points) +
           " peaks; the spectrum keeps only the first " + std::to_string(kMaxPeaks) + ".";
}

CaptureTransfer transferToSpectrum(const PointList& points, const Calibration& calibration,
                                   Spectrum& spectrum) {
    std::vector<CapturePoint> live;
    for (const CapturePoint& p : points.points())
        if (!p.deleted()) live.push_back(p);
    std::stable_sort(live.begin(), live.end(),
                     [](const CapturePoint& a, const CapturePoint& b) { return a.mass < b.mass; });

    CaptureTransfer transfer;
    transfer.base = calibration.point(AxisPoint::YMin).y;
    for (const CapturePoint& p : live)
        transfer.base = std::max(transfer.base, p.y);

    const int total = static_cast<int>(live.size());
    transfer.peakCount = std::min(total, kMaxPeaks);
    if (total > kMaxPeaks) transfer.message = captureCutMessage(total);

    const float base = static_cast<float>(transfer.base);
    for (int i = 1; i <= transfer.peakCount; ++i) {
        const CapturePoint& p = live[static_cast<std::size_t>(i - 1)];
        Peak& peak = spectrum.peak(i);
        peak.Mass = static_cast<float>(p.mass);
        peak.Abundance =
            transfer.base > 0 ? 100.0f * (base - static_cast<float>(p.y)) / base : 0.0f;
    }
    spectrum.setPeakCount(transfer.peakCount);
    return transfer;
}

} // namespace qzx
