#include "settings/preference_values.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace qzx {

std::optional<std::string> convertPaperSize(std::string_view text, bool toMillimetres) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    const std::size_t last = text.find_last_not_of(' ');
    double value = 0.0;
    const char* end = text.data() + last + 1;
    const auto [stop, error] = std::from_chars(text.data() + first, end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
    const double converted = toMillimetres ? value * 25.4 : value * (1.0 / 25.4);
    char out[64];
    std::snprintf(out, sizeof out, "%.1f", converted);
    return std::string(out);
}

std::optional<std::string> placementFieldValue(std::string_view text) {
    const std::size_t last = text.find_last_not_of(' ');
    if (last == std::string_view::npos) return std::nullopt;
    const std::string_view trimmed = text.substr(0, last + 1);
    int value = 0;
    const auto [stop, error] =
        std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    if (error != std::errc() || stop != trimmed.data() + trimmed.size()) return std::nullopt;
    return std::to_string(value);
}

Settings defaultPreferences(const Settings& current) {
    Settings defaults;
    defaults.R_Group = current.R_Group;
    defaults.PathToPaint = "C:\\Program Files\\Accessories\\MSpaint.exe";
    return defaults;
}

} // namespace qzx
