#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/settings.h"

namespace qzx {

/// A paper size text converted between inches and millimetres: the value times 25.4 (to
/// millimetres) or divided by it (to inches), written with one decimal ("8.5" -> "215.9",
/// "279.4" -> "11.0"). Nothing when the text is no number, so the box keeps what it shows.
std::optional<std::string> convertPaperSize(std::string_view text, bool toMillimetres);

/// A page-placement field when it is left: its whole number after trailing blanks are
/// removed, as the setting stores it; nothing (the setting keeps its value) when the field
/// is empty, blank or holds anything else.
std::optional<std::string> placementFieldValue(std::string_view text);

/// The settings "Defaults" restores: every value of a fresh record (the word processor is the
/// program's own default, LibreOffice Writer), the paint program
/// "C:\Program Files\Accessories\MSpaint.exe", and the R group in use kept.
Settings defaultPreferences(const Settings& current);

} // namespace qzx
