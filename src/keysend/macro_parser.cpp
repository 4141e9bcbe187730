#include "macro_parser.h"

#include <array>
#include <string>

#include "key_codes.h"

namespace qzx::keysend {
namespace {

struct SpecialKey {
    std::string_view name; ///< upper case, braces included
    std::int16_t code;     ///< virtual-key code
};

constexpr std::array<SpecialKey, 39> SpecialKeys{{
    {"{TAB}", 9},          {"{ENTER}", 13},    {"{ESCAPE}", 27},   {"{ESC}", 27},
    {"{BS}", 8},           {"{BACKSPACE}", 8}, {"{BREAK}", 3},     {"{CAPSLOCK}", 20},
    {"{CLEAR}", 12},       {"{DEL}", 46},      {"{DELETE}", 46},   {"{DOWN}", 40},
    {"{END}", 35},         {"{HELP}", 47},     {"{HOME}", 36},     {"{INS}", 45},
    {"{INSERT}", 45},      {"{LEFT}", 37},     {"{NUMLOCK}", 144}, {"{PGDN}", 34},
    {"{PAGEDOWN}", 34},    {"{PGUP}", 33},     {"{PAGEUP}", 33},   {"{PRTSC}", 44},
    {"{PRINTSCREEN}", 44}, {"{RIGHT}", 39},    {"{UP}", 38},       {"{F1}", 112},
    {"{F2}", 113},         {"{F3}", 114},      {"{F4}", 115},      {"{F5}", 116},
    {"{F6}", 117},         {"{F7}", 118},      {"{F8}", 119},      {"{F9}", 120},
    {"{F10}", 121},        {"{F11}", 122},     {"{F12}", 123},
}};

/// The virtual-key code of a special key's name (upper case, with its braces); -1 if unknown.
int specialKeyCode(std::string_view name) {
    for (const SpecialKey& key : SpecialKeys)
        if (key.name == name) return key.code;
    return -1;
}

} // namespace

int ParseMacro(std::string_view sMacro, EventList& list) {
    bool ctrl = false, shift = false, alt = false;
    std::size_t i = 0;
    while (i < sMacro.size()) {
        const char c = sMacro[i];
        if (c == '^') {
            ctrl = true;
            ++i;
            continue;
        }
        if (c == '+') {
            shift = true;
            ++i;
            continue;
        }
        if (c == '%') {
            alt = true;
            ++i;
            continue;
        }
        std::int16_t code = 0;
        if (c == '{') {
            const std::size_t close = sMacro.find('}', i + 1);
            if (close == std::string_view::npos) return QZX_ERROR_CLOSING_BRACE;
            std::string name(sMacro.substr(i, close - i + 1));
            // ASCII only: the names are ASCII, and the program's locale must not change them.
            for (char& ch : name)
                if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
            const int special = specialKeyCode(name);
            if (special < 0) return QZX_ERROR_SPECIAL_CHARACTER;
            code = static_cast<std::int16_t>(special);
            i = close + 1;
        } else {
            const std::int16_t scan = vkKeyScan(c);
            // A character no key types would play as a meaningless code 255: refuse the macro
            // instead, so the user sees an error rather than losing the character.
            if (scan == -1) return QZX_ERROR_SPECIAL_CHARACTER;
            code = static_cast<std::int16_t>(scan & 0xFF);
            ++i;
        }
        SimulateKeyPress(list, code, alt, shift, ctrl);
        ctrl = shift = alt = false;
    }
    return 0;
}

} // namespace qzx::keysend
