#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

/// Reads a field typed as a whole number, the way the windows read their integer fields:
/// blanks at either end are dropped, then an optional sign and decimal digits must make up
/// the rest and fit a signed 32-bit integer. Empty or blank text, letters, a decimal point or
/// an overflow give nothing.
std::optional<std::int32_t> readWholeNumberField(std::string_view text);

} // namespace qzx
