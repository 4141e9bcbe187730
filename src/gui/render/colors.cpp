#include "render/colors.h"

namespace qzx {
namespace {

/// Desktop colours for the system colour numbers that the program's settings can hold.
QColor systemColor(int index) {
    switch (index) {
    case 5:
        return QColor(255, 255, 255); // window background
    case 8:
        return QColor(0, 0, 0); // window text
    case 15:
        return QColor(240, 240, 240); // button face
    case 23:
        return QColor(0, 0, 0); // tooltip text
    case 24:
        return QColor(255, 255, 225); // tooltip background ("parchment")
    default:
        return QColor(192, 192, 192);
    }
}

} // namespace

QColor colorFromValue(std::int32_t value) {
    const auto word = static_cast<std::uint32_t>(value);
    if (word & 0x80000000u) return systemColor(static_cast<int>(word & 0xFFu));
    return QColor(static_cast<int>(word & 0xFF), static_cast<int>((word >> 8) & 0xFF),
                  static_cast<int>((word >> 16) & 0xFF));
}

std::int32_t valueFromColor(const QColor& color) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(color.red()) |
                                     (static_cast<std::uint32_t>(color.green()) << 8) |
                                     (static_cast<std::uint32_t>(color.blue()) << 16));
}

} // namespace qzx
