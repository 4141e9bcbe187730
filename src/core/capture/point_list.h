#pragma once

#include <optional>
#include <string>
#include <vector>

#include "capture/calibration.h"

namespace qzx {

/// Records the point list holds.
constexpr int kMaxCapturePoints = 1000;

/// One digitised bar top: its pixel, its whole mass and its row again (the abundance is taken
/// from the row). A deleted point has x = -1.
struct CapturePoint {
    int x = 0;
    int y = 0;
    int mass = 0;
    int yAgain = 0;
    bool deleted() const { return x == -1; }
    bool operator==(const CapturePoint&) const = default;
};

/// The digitised points with the header the tool keeps: largest and smallest y of the points
/// appended (0 and 10000 while the list is empty).
class PointList {
public:
    const std::vector<CapturePoint>& points() const { return points_; }
    int count() const { return static_cast<int>(points_.size()); }
    bool full() const { return count() >= kMaxCapturePoints; }
    int largestY() const { return largestY_; }
    int smallestY() const { return smallestY_; }

    /// Appends (x, y, mass, y) and updates largest and smallest y; refused (false) when the list
    /// already holds 1000 points.
    bool append(int x, int y, int mass);

    /// Manual digitizing, left button: the point clicked, its mass read from the calibration.
    /// Returns the message to show when the list is full (empty when the point was added).
    std::string addClicked(int x, int y, const Calibration& calibration);

    /// The point a right click at (x, y) deletes: the nearest one by horizontal plus vertical
    /// pixel distance, the lowest index on a tie. Points already deleted are passed over; with no
    /// live point there is nothing to delete.
    std::optional<int> nearestTo(int x, int y) const;
    /// Marks a point deleted (x = -1); false when the index is out of range or already deleted.
    bool markDeleted(int index);
    /// Right click: deletes the nearest point and returns its index.
    std::optional<int> deleteNearest(int x, int y);

    /// "Done": drops the deleted points (keeping order) and sorts the rest by ascending mass, each
    /// point keeping its own rows; equal masses stay in the order they were added. Ignored (false)
    /// when the list holds exactly one point. The header follows the points that remain.
    bool finish();

    /// Empties the list and restores the header.
    void clear() { *this = PointList{}; }

private:
    void recountHeader();

    std::vector<CapturePoint> points_;
    int largestY_ = 0;
    int smallestY_ = 10000;
};

/// The text shown when a point is refused because the list is full.
std::string pointListFullMessage();

} // namespace qzx
