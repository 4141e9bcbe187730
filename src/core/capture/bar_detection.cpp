#include "capture/bar_detection.h"

#include <algorithm>

namespace qzx {

namespace {

/// Rows between the YMax point and the first row searched, and the band below the YMax point in
/// which a find in the first column counts as the vertical axis.
constexpr int kAxisMargin = 10;

bool blackInRange(const CaptureImage& picture, int column, int search, int y) {
    for (int x = column - search; x <= column + search; ++x)
        if (picture.isBlack(x, y)) return true;
    return false;
}

} // namespace

void DetectionOffsets::setSearch(int value) {
    search = std::clamp(value, kSearchMin, kSearchMax);
}

void DetectionOffsets::setBaseline(int value) {
    baseline = std::clamp(value, kBaselineMin, kBaselineMax);
}

void DetectionOffsets::reset() {
    search = 1;
    baseline = 2;
}

bool isBarTopRow(const CaptureImage& picture, int column, int search, int y) {
    return blackInRange(picture, column, search, y) &&
           (blackInRange(picture, column, search, y + 1) ||
            blackInRange(picture, column, search, y + 2));
}

std::optional<int> findBarTop(const CaptureImage& picture, const Calibration& calibration,
                              const DetectionOffsets& offsets, int column) {
    const int first = std::max(calibration.point(AxisPoint::YMax).y - kAxisMargin, 0);
    const int last =
        std::min(calibration.point(AxisPoint::YMin).y - offsets.baseline, picture.height() - 1);
    for (int y = first; y <= last; ++y)
        if (isBarTopRow(picture, column, offsets.search, y)) return y;
    return std::nullopt;
}

DetectionResult detectBars(const CaptureImage& picture, const Calibration& calibration,
                           const DetectionOffsets& offsets, const ColumnDone& columnDone) {
    DetectionResult result;
    result.message = calibration.problem();
    if (!result.message.empty()) return result;

    const long long range = calibration.massRange();
    const int xMinValue = calibration.value(AxisPoint::XMin);
    const int axisRow = calibration.point(AxisPoint::YMax).y + kAxisMargin;
    for (long long k = 0; k <= range; ++k) {
        const int column = calibration.columnOf(k);
        if (result.points.full()) {
            result.message = "The point list is full at " + std::to_string(kMaxCapturePoints) +
                             " points; masses from " + std::to_string(xMinValue + k) +
                             " on were not searched.";
            break;
        }
        const CapturePoint* found = nullptr;
        if (const std::optional<int> top = findBarTop(picture, calibration, offsets, column)) {
            if (k != 0 || *top > axisRow) {
                result.points.append(column, *top, static_cast<int>(xMinValue + k));
                found = &result.points.points().back();
            }
        }
        if (columnDone && !columnDone(k, found)) break;
    }
    return result;
}

} // namespace qzx
