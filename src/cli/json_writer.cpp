#include "json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace qzx::cli {

std::string jsonString(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
                quoted += escaped;
            } else {
                quoted += c;
            }
        }
    }
    return quoted + '"';
}

std::string jsonNumber(double value) {
    if (!std::isfinite(value)) return "null";
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc()) return "null";
    return std::string(buffer, end);
}

std::string jsonNumber(float value) {
    if (!std::isfinite(value)) return "null";
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc()) return "null";
    return std::string(buffer, end);
}

} // namespace qzx::cli
