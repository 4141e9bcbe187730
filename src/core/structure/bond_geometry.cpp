#include "structure/bond_geometry.h"

#include <algorithm>
#include <cstdlib>

namespace qzx {
namespace {

/// A multiple bond whose x (or y) difference is below this many pixels snaps to that axis.
constexpr int kStraightenLimit = 10;

} // namespace

StraightenedBond straightenBond(PixelPoint start, PixelPoint end) {
    if (std::abs(start.x - end.x) < kStraightenLimit) {
        const int x = std::max(start.x, end.x);
        return {{x, start.y}, {x, end.y}, BondAxis::Vertical};
    }
    if (std::abs(start.y - end.y) < kStraightenLimit) {
        const int y = std::max(start.y, end.y);
        return {{start.x, y}, {end.x, y}, BondAxis::Horizontal};
    }
    return {start, end, BondAxis::Angled};
}

PixelPoint straightenedBondEnd(PixelPoint start, PixelPoint end) {
    return straightenBond(start, end).end;
}

} // namespace qzx
