#include "util/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qzx {

namespace {

/// Adds one unit in the last place of a string of decimal digits; returns true when the
/// carry runs out of the front (all nines).
bool incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return false;
        }
        *it = '0';
    }
    return true;
}

} // namespace

std::string formatOptionalDecimals(double value, int maxDecimals) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (maxDecimals < 0) maxDecimals = 0;

    // 15 significant digits, as the value would be printed before rounding to the picture.
    constexpr int kSignificant = 15;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", kSignificant - 1, std::fabs(value));
    std::string all;
    all.reserve(kSignificant);
    const char* p = buffer;
    for (; *p != 'e' && *p != '\0'; ++p)
        if (*p >= '0' && *p <= '9') all.push_back(*p);
    const int exponent = (*p == 'e') ? std::atoi(p + 1) : 0;
    const int point = exponent + 1; // digits of `all` before the decimal point

    std::string whole;
    std::string fraction;
    if (value == 0.0) {
        // both stay empty
    } else if (point <= 0) {
        fraction = std::string(static_cast<std::size_t>(-point), '0') + all;
    } else if (point >= static_cast<int>(all.size())) {
        whole = all + std::string(static_cast<std::size_t>(point) - all.size(), '0');
    } else {
        whole = all.substr(0, static_cast<std::size_t>(point));
        fraction = all.substr(static_cast<std::size_t>(point));
    }

    if (fraction.size() > static_cast<std::size_t>(maxDecimals)) {
        const bool roundUp = fraction[static_cast<std::size_t>(maxDecimals)] >= '5';
        fraction.resize(static_cast<std::size_t>(maxDecimals));
        if (roundUp) {
            std::string digits = whole + fraction;
            if (incrementDigits(digits)) digits.insert(digits.begin(), '1');
            whole = digits.substr(0, digits.size() - fraction.size());
            fraction = digits.substr(whole.size());
        }
    }
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    const std::size_t firstNonZero = whole.find_first_not_of('0');
    whole = firstNonZero == std::string::npos ? std::string() : whole.substr(firstNonZero);

    if (whole.empty() && fraction.empty()) return "0";
    std::string text = value < 0 ? "-" : "";
    text += whole;
    if (!fraction.empty()) text += "." + fraction;
    return text;
}

std::optional<std::int32_t> readWholeNumberField(std::string_view text) {
    const auto blank = [](char ch) { return ch == ' ' || ch == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    // from_chars takes a minus sign but no plus sign.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    if (text.empty()) return std::nullopt;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

} // namespace qzx
