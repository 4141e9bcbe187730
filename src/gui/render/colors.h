#pragma once

#include <QColor>
#include <cstdint>

namespace qzx {

/// Turns a stored 32-bit colour value into a QColor. Values with the top bit set name a
/// system colour by their low byte (24 is the tooltip background, shown as parchment);
/// other values hold red in the low byte, then green, then blue.
QColor colorFromValue(std::int32_t value);

/// The stored 32-bit value of a plain RGB colour.
std::int32_t valueFromColor(const QColor& color);

} // namespace qzx
