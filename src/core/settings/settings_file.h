#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "settings/settings.h"

namespace qzx {

/// Name of the settings file in the program's folder.
inline constexpr const char* kSettingsFileName = "QZXPRO.INI";

/// Reads every key of `Settings` from INI text. A missing key, or a value that does not fit the
/// key's type, keeps the default: integers and colours must be signed 32-bit decimals, booleans
/// integers (not 0 is true), page-placement values whole numbers; paper sizes and the other
/// strings are taken as written.
Settings settingsFromIniText(std::string_view iniText);

/// Reads the settings file; a missing or unreadable file gives the defaults. Nothing is reported.
Settings loadSettings(const std::filesystem::path& iniFile);

/// Writes all 41 keys of `settings` into the settings file, in the order of the record, keeping
/// every other section and key already in the file. Returns an error text, empty on success;
/// on failure the old file is left as it was.
std::string saveSettings(const std::filesystem::path& iniFile, const Settings& settings);

/// Writes only [Settings] R_Group, the name of the R-group set in use, keeping everything else
/// in the file. Returns an error text, empty on success.
std::string saveRGroupSetting(const std::filesystem::path& iniFile, const std::string& name);

} // namespace qzx
