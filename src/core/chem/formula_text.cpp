#include "chem/formula_text.h"

#include <array>
#include <cstdint>
#include <limits>
#include <string_view>

#include "chem/composition.h"
#include "chem/element_table.h"

namespace qzx {
namespace {

/// One row of the symbol recognition: an upper-case first letter, whether the letter alone is
/// an element, and the second characters that complete a two-character symbol with it.
struct SymbolRow {
    char first;
    bool hasDefault;
    std::string_view seconds;
};

// Every two-character symbol is spelled as the first letter followed by the second character in
// lower case ("Cl"), or by '*' for the heavy isotopes ("C*"), so the rows need no symbol texts.
constexpr std::array<SymbolRow, 19> kRows{{
    {'A', false, "GLSU"},    {'B', true, "AEIR"},  {'C', true, "LADEORSU*"}, {'D', true, "Y"},
    {'E', false, "RU"},      {'F', true, "E"},     {'G', false, "ADE"},      {'H', true, "FGO"},
    {'I', true, "NR"},       {'L', false, "AIU"},  {'M', false, "GNO"},      {'N', true, "ABDI*"},
    {'O', true, "S*"},       {'P', true, "BDMRT"}, {'R', false, "BEHU"},     {'S', true, "BCEIMNR"},
    {'T', false, "ABEHILM"}, {'Y', true, "B"},     {'Z', false, "NR"},
}};

const SymbolRow* findRow(unsigned char c) {
    for (const SymbolRow& row : kRows)
        if (static_cast<unsigned char>(row.first) == c) return &row;
    return nullptr;
}

/// Element number of a symbol spelled as in the table, or 0.
int elementOf(std::string_view symbol) {
    for (int element = 1; element <= kElementCount; ++element)
        if (symbol == elementSymbol(element)) return element;
    return 0;
}

/// The element named by an upper-case first letter and a listed second character.
int twoCharacterElement(char first, char second) {
    const char symbol[2] = {first, second == '*' ? '*' : static_cast<char>(second - 'A' + 'a')};
    return elementOf(std::string_view(symbol, 2));
}

/// Whether a count text starts with a number: an optional sign, then a decimal digit.
bool startsWithNumber(std::string_view text) {
    const std::size_t digit = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    return digit < text.size() && text[digit] >= '0' && text[digit] <= '9';
}

/// The leading integer of a count text: an optional sign and decimal digits, reading stops at
/// the first other character. Values beyond 32 bits are clamped.
std::int32_t leadingInteger(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    constexpr std::int64_t limit = std::numeric_limits<std::int32_t>::max() + std::int64_t{1};
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (value < limit) value = value * 10 + (text[i] - '0');
    if (value > limit) value = limit;
    if (negative) return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(value == limit ? limit - 1 : value);
}

bool isLetter(unsigned char c) {
    return c > 64;
}

/// Words are separated by blanks and by tabs and the other control characters, which is what
/// a formula pasted from a table or a text file brings along.
bool isSeparator(unsigned char c) {
    return c <= ' ';
}

/// The first separator at or after `from`, or the end of the text.
std::size_t nextSeparator(std::string_view text, std::size_t from) {
    while (from < text.size() && !isSeparator(static_cast<unsigned char>(text[from])))
        ++from;
    return from;
}

} // namespace

void ParseFormulaText(Composition& composition, std::string& text,
                      const std::function<void()>& beep) {
    composition = Composition{};

    // Trailing white space means every control character and the blank (codes up to 32).
    std::size_t length = text.size();
    while (length > 0 && static_cast<unsigned char>(text[length - 1]) <= ' ')
        --length;
    std::string upper = text.substr(0, length);
    // Only a..z change: the text is 8-bit and characters above 127 never name an element.
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');

    const auto fail = [&] {
        if (beep) beep();
        text = "Err";
    };

    std::string normalised;
    std::size_t i = 0;
    while (i < length) {
        const auto c = static_cast<unsigned char>(upper[i]);
        int element = 0;
        std::size_t next = i + 1; // first character after the symbol
        if (const SymbolRow* row = findRow(c)) {
            if (row->hasDefault) element = elementOf(std::string_view(&upper[i], 1));
            if (next < length && row->seconds.find(upper[next]) != std::string_view::npos) {
                element = twoCharacterElement(upper[i], upper[next]);
                ++next;
            }
            // A letter that only starts two-character symbols names no element on its own
            // ("A2", "ZX"); such a word is rejected like a symbol followed by a letter.
            if (element == 0) return fail();
        } else if (c <= 64) {
            ++i; // digits, blanks and punctuation between words
            continue;
        } else {
            element = elementOf(std::string_view(&upper[i], 1)); // K, V, W and U
            if (element == 0) {
                ++i;
                continue;
            }
        }

        normalised += elementSymbol(element);
        if (next == length) {
            composition[element] = 1;
            normalised += ' ';
            break;
        }
        const auto after = static_cast<unsigned char>(upper[next]);
        if (isLetter(after)) return fail();
        if (isSeparator(after)) {
            composition[element] = 1;
            normalised += ' ';
            i = next + 1;
            continue;
        }
        const std::size_t end = nextSeparator(std::string_view(upper).substr(0, length), next);
        const std::string_view countText(&upper[next], end - next);
        // A count that is no number ("C@6", "C-") would silently be no atoms at all.
        if (!startsWithNumber(countText)) return fail();
        composition[element] = leadingInteger(countText);
        normalised += countText;
        normalised += ' ';
        i = end;
    }
    text = normalised;
}

} // namespace qzx
