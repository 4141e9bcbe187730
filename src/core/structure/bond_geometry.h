#pragma once

namespace qzx {

/// A point in pixels of the 1600 x 1200 drawing image.
struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

/// How a double or triple bond is laid out on screen.
enum class BondAxis {
    Vertical,   ///< |dx| < 10: drawn as exactly vertical lines at the larger x
    Horizontal, ///< |dy| < 10 (and not vertical): drawn at the larger y
    Angled,     ///< drawn as offset copies of the line between the points
};

/// The end points a double or triple bond is drawn between.
struct StraightenedBond {
    PixelPoint start;
    PixelPoint end;
    BondAxis axis = BondAxis::Angled;
};

/// Nearly vertical or horizontal multiple bonds snap to the axis: when |dx| < 10 both points
/// take the larger x, else when |dy| < 10 both take the larger y; otherwise the points stay.
/// The vertical test wins when both differences are small.
StraightenedBond straightenBond(PixelPoint start, PixelPoint end);

/// Where the new atom goes when a bond tool adds a double or triple bond from `start` towards
/// `end`: the straightened end point. The bond row itself keeps the points as drawn.
PixelPoint straightenedBondEnd(PixelPoint start, PixelPoint end);

} // namespace qzx
