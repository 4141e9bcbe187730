#pragma once

#include <string>

namespace qzx {

/// Formats like the picture "####.####" with `maxDecimals` hash places after the point: no
/// leading zero (0.5 -> ".5"), at most `maxDecimals` decimals rounded half away from zero on
/// the value's 15 significant digits, trailing zeros and a bare point dropped (78.0 -> "78").
/// A value that rounds to zero gives "0" rather than an empty text, so a panel never shows a
/// bare caption. NaN and infinities give "NAN", "INF" and "-INF".
std::string formatOptionalDecimals(double value, int maxDecimals);

/// The "####.####" picture used for masses: formatOptionalDecimals(value, 4).
inline std::string formatHashPattern4(double value) {
    return formatOptionalDecimals(value, 4);
}

} // namespace qzx
