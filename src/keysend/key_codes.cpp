#include "key_codes.h"

#include <array>

namespace qzx::keysend {
namespace {

constexpr std::int16_t Shifted = 0x100;

/// Punctuation of the US layout: the character without Shift, the one with Shift, and the
/// virtual-key code of their key.
struct PunctuationKey {
    char plain;
    char shifted;
    std::int16_t virtualKey;
};

constexpr std::array<PunctuationKey, 11> Punctuation{{
    {';', ':', 0xBA},
    {'=', '+', 0xBB},
    {',', '<', 0xBC},
    {'-', '_', 0xBD},
    {'.', '>', 0xBE},
    {'/', '?', 0xBF},
    {'`', '~', 0xC0},
    {'[', '{', 0xDB},
    {'\\', '|', 0xDC},
    {']', '}', 0xDD},
    {'\'', '"', 0xDE},
}};

/// The characters above the digit keys 0..9 on a US keyboard.
constexpr std::array<char, 10> ShiftedDigits{')', '!', '@', '#', '$', '%', '^', '&', '*', '('};

} // namespace

std::int16_t vkKeyScan(char character) {
    const unsigned char c = static_cast<unsigned char>(character);
    if (c >= 'a' && c <= 'z') return static_cast<std::int16_t>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return static_cast<std::int16_t>(Shifted | c);
    if (c >= '0' && c <= '9') return static_cast<std::int16_t>(c);
    for (int digit = 0; digit < 10; ++digit)
        if (ShiftedDigits[static_cast<std::size_t>(digit)] == character)
            return static_cast<std::int16_t>(Shifted | ('0' + digit));
    for (const PunctuationKey& key : Punctuation) {
        if (key.plain == character) return key.virtualKey;
        if (key.shifted == character) return static_cast<std::int16_t>(Shifted | key.virtualKey);
    }
    switch (c) {
    case ' ':
        return 32;
    case '\t':
        return 9;
    case '\r':
        return 13;
    case '\n':
        return 0x20D; // Ctrl+Return, as the platform reports a line feed
    case '\b':
        return 8;
    default:
        return -1;
    }
}

std::uint8_t mapVirtualKey(int virtualKey) {
    // Letters in alphabetical order, then the digits 0..9.
    static constexpr std::array<std::uint8_t, 26> Letters{
        0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32,
        0x31, 0x18, 0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
    static constexpr std::array<std::uint8_t, 10> Digits{0x0B, 0x02, 0x03, 0x04, 0x05,
                                                         0x06, 0x07, 0x08, 0x09, 0x0A};
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return Letters[static_cast<std::size_t>(virtualKey - 'A')];
    if (virtualKey >= '0' && virtualKey <= '9')
        return Digits[static_cast<std::size_t>(virtualKey - '0')];
    if (virtualKey >= 112 && virtualKey <= 121) // F1..F10
        return static_cast<std::uint8_t>(0x3B + virtualKey - 112);
    switch (virtualKey) {
    case 3: // Break shares its scan code with Scroll Lock
        return 0x46;
    case 8:
        return 0x0E;
    case 9:
        return 0x0F;
    case 12: // Clear is keypad 5
        return 0x4C;
    case 13:
        return 0x1C;
    case VkShift:
        return 0x2A;
    case VkControl:
        return 0x1D;
    case VkMenu:
        return 0x38;
    case 20:
        return 0x3A;
    case 27:
        return 0x01;
    case 32:
        return 0x39;
    case 33:
        return 0x49;
    case 34:
        return 0x51;
    case 35:
        return 0x4F;
    case 36:
        return 0x47;
    case 37:
        return 0x4B;
    case 38:
        return 0x48;
    case 39:
        return 0x4D;
    case 40:
        return 0x50;
    case 44: // Print Screen answers with the SysRq code
        return 0x54;
    case 45:
        return 0x52;
    case 46:
        return 0x53;
    case 122:
        return 0x57;
    case 123:
        return 0x58;
    case 144:
        return 0x45;
    case 0xBA:
        return 0x27;
    case 0xBB:
        return 0x0D;
    case 0xBC:
        return 0x33;
    case 0xBD:
        return 0x0C;
    case 0xBE:
        return 0x34;
    case 0xBF:
        return 0x35;
    case 0xC0:
        return 0x29;
    case 0xDB:
        return 0x1A;
    case 0xDC:
        return 0x2B;
    case 0xDD:
        return 0x1B;
    case 0xDE:
        return 0x28;
    default: // Help (47) and everything else has no key on a PC keyboard
        return 0;
    }
}

} // namespace qzx::keysend
