#pragma once

#include <cmath>
#include <cstdint>

namespace qzx {

/// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
inline std::int64_t Round(double value) {
    return static_cast<std::int64_t>(std::nearbyint(value));
}

} // namespace qzx
