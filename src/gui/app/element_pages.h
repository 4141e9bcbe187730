#pragma once

#include <array>

namespace qzx {

/// Number of element buttons on the tool panel and of element pages behind them.
constexpr int kElementButtons = 27;
constexpr int kElementPages = 3;

/// The element number shown by each element button (1..27) on each page (1..3).
/// Page 1 holds the common organic and light elements, page 3 ends with C*, N* and O*.
constexpr std::array<std::array<int, kElementButtons>, kElementPages> kElementPageRows{{
    {1,  3,  4,  5,  6,  7,  8,  11, 9,  10, 16, 17, 18, 19,
     20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32},
    {33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46,
     47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59},
    {60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73,
     74, 75, 76, 77, 78, 79, 80, 81, 82, 83, 13, 14, 15},
}};

/// Element number of button `button` (1..27) on page `page` (1..3).
constexpr int elementOnButton(int page, int button) {
    return kElementPageRows[page - 1][button - 1];
}

/// The caption of an element button: the symbol, except for the labelled isotopes, which the
/// buttons show as "C13", "N15" and "O18".
inline const char* elementButtonCaption(int elementNumber, const char* symbol) {
    switch (elementNumber) {
    case 13:
        return "C13";
    case 14:
        return "N15";
    case 15:
        return "O18";
    default:
        return symbol;
    }
}

/// The page after `page` going up (1 -> 2 -> 3 -> 1) or down (3 -> 2 -> 1 -> 3).
constexpr int nextElementPage(int page, bool up) {
    return up ? page % kElementPages + 1 : (page + kElementPages - 2) % kElementPages + 1;
}

} // namespace qzx
