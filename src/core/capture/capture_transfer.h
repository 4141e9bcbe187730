#pragma once

#include <string>

#include "capture/calibration.h"
#include "capture/point_list.h"
#include "spectrum/spectrum.h"

namespace qzx {

/// What "Tabulated" and "Plotted" wrote into the spectrum.
struct CaptureTransfer {
    /// Peaks now in the spectrum.
    int peakCount = 0;
    /// The row taken as zero abundance.
    int base = 0;
    /// What to tell the user: empty unless peaks had to be left out.
    std::string message;
};

/// The text shown when a capture of `points` peaks is cut to the spectrum's 300.
std::string captureCutMessage(int points);

/// Writes the digitised points into the spectrum as its peaks: `Mass` the point's mass,
/// `Abundance` 100 x (base - y) / base in single precision, base being the larger of the YMin
/// point's row and the largest y of the points. Deleted points are left out and the others go in
/// by ascending mass, as "Done" leaves them. Only the first 300 fit; the rest are cut and the
/// message says so. A base of 0 (every point on the top row) gives abundance 0. The spectrum's
/// normalised flag, labels and comparison results are left as they are.
CaptureTransfer transferToSpectrum(const PointList& points, const Calibration& calibration,
                                   Spectrum& spectrum);

} // namespace qzx
