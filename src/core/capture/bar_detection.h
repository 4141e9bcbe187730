#pragma once

#include <functional>
#include <optional>
#include <string>

#include "capture/calibration.h"
#include "capture/capture_image.h"
#include "capture/point_list.h"

namespace qzx {

/// The setup dialog's "MS Auto Offsets".
struct DetectionOffsets {
    static constexpr int kSearchMin = 0;
    static constexpr int kSearchMax = 5;
    static constexpr int kBaselineMin = -1;
    static constexpr int kBaselineMax = 8;

    /// Half-width in pixels of the column searched around each mass position.
    int search = 3;
    /// Pixels above the YMin point where the downward search stops.
    int baseline = 2;

    /// Values outside their ranges are brought to the nearest end.
    void setSearch(int value);
    void setBaseline(int value);
    /// The setup dialog's "Reset": Search 1, Baseline 2.
    void reset();
};

/// Whether row y holds a bar top in the pixel range x_k - s .. x_k + s: a black pixel there with
/// some black pixel of the same range one or two rows below. A lone pixel is dust, not a bar.
bool isBarTopRow(const CaptureImage& picture, int column, int search, int y);

/// The first bar top of one mass column, scanning rows from 10 above the YMax point down to
/// `baseline` above the YMin point; nothing when the column is empty.
std::optional<int> findBarTop(const CaptureImage& picture, const Calibration& calibration,
                              const DetectionOffsets& offsets, int column);

/// Called after each mass column with k (0..XMax value - Xmin value) and the point recorded
/// for it, if any, so the window can mark it and repaint. Returning false stops the search.
using ColumnDone = std::function<bool(long long k, const CapturePoint* found)>;

/// What automatic detection found and what to tell the user (empty when nothing to say).
struct DetectionResult {
    PointList points;
    std::string message;
};

/// "Digitize": one search per whole mass Xmin value + k, k = 0..XMax value - Xmin value, at
/// column x of XMin + round(k x scale). For k = 0 a bar top at or above 10 rows below the YMax
/// point is the vertical axis and is not recorded. Refused (the calibration's problem as the
/// message, no points) while the calibration is not usable. Stops with a message when the point
/// list is full.
DetectionResult detectBars(const CaptureImage& picture, const Calibration& calibration,
                           const DetectionOffsets& offsets, const ColumnDone& columnDone = {});

} // namespace qzx
