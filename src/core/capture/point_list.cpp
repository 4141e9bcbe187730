#include "capture/point_list.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace qzx {

std::string pointListFullMessage() {
    return "The point list is full: it holds at most " + std::to_string(kMaxCapturePoints) +
           " points.";
}

bool PointList::append(int x, int y, int mass) {
    if (full()) return false;
    points_.push_back(CapturePoint{x, y, mass, y});
    largestY_ = std::max(largestY_, y);
    smallestY_ = std::min(smallestY_, y);
    return true;
}

std::string PointList::addClicked(int x, int y, const Calibration& calibration) {
    if (!append(x, y, calibration.massAt(x))) return pointListFullMessage();
    return {};
}

std::optional<int> PointList::nearestTo(int x, int y) const {
    std::optional<int> nearest;
    long long best = std::numeric_limits<long long>::max();
    for (int i = 0; i < count(); ++i) {
        const CapturePoint& p = points_[static_cast<std::size_t>(i)];
        if (p.deleted()) continue;
        const long long distance = std::llabs(static_cast<long long>(p.x) - x) +
                                   std::llabs(static_cast<long long>(p.y) - y);
        if (distance < best) {
            best = distance;
            nearest = i;
        }
    }
    return nearest;
}

bool PointList::markDeleted(int index) {
    if (index < 0 || index >= count()) return false;
    CapturePoint& p = points_[static_cast<std::size_t>(index)];
    if (p.deleted()) return false;
    p.x = -1;
    return true;
}

std::optional<int> PointList::deleteNearest(int x, int y) {
    const std::optional<int> nearest = nearestTo(x, y);
    if (nearest) markDeleted(*nearest);
    return nearest;
}

bool PointList::finish() {
    if (count() == 1) return false;
    std::erase_if(points_, [](const CapturePoint& p) { return p.deleted(); });
    std::stable_sort(points_.begin(), points_.end(),
                     [](const CapturePoint& a, const CapturePoint& b) { return a.mass < b.mass; });
    recountHeader();
    return true;
}

void PointList::recountHeader() {
    largestY_ = 0;
    smallestY_ = 10000;
    for (const CapturePoint& p : points_) {
        largestY_ = std::max(largestY_, p.y);
        smallestY_ = std::min(smallestY_, p.y);
    }
}

} // namespace qzx
