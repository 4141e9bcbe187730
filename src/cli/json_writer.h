#pragma once

#include <string>
#include <string_view>

namespace qzx::cli {

/// Quotes and escapes a text as a JSON string.
std::string jsonString(std::string_view text);

/// A number as JSON: shortest text that reads back as the same double, "null" for NaN and
/// infinities (which JSON cannot hold).
std::string jsonNumber(double value);
/// A single-precision value as JSON: the shortest text that reads back as the same float.
std::string jsonNumber(float value);

} // namespace qzx::cli
