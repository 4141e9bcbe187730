#pragma once

#include <cstdint>

namespace qzx::keysend {

/// Virtual-key codes of the modifier keys.
inline constexpr int VkShift = 16;
inline constexpr int VkControl = 17;
inline constexpr int VkMenu = 18; ///< the Alt key

/// The key that types `character` on a US keyboard: the virtual-key code in the low byte and
/// the shift state it needs in the high byte (1 Shift, 2 Ctrl, 4 Alt); -1 when no key types
/// it (control characters other than tab, return, line feed and backspace; bytes above 126).
/// Capital and small letters share their key: 'A' gives 0x141, 'a' gives 0x41.
std::int16_t vkKeyScan(char character);

/// The PC scan code (set 1, without the 0xE0 prefix of the extended keys) of a virtual-key
/// code; 0 for a code without a key.
std::uint8_t mapVirtualKey(int virtualKey);

} // namespace qzx::keysend
