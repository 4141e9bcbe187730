#include "settings/settings_file.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <exception>
#include <optional>
#include <system_error>

#include "settings/ini_file.h"
#include "util/safe_file.h"

namespace qzx {
namespace {

/// How a key's value is read and written.
enum class Kind {
    Integer,     ///< signed decimal; colours too
    Boolean,     ///< written 1 or 0; any integer but 0 reads as true
    Text,        ///< taken as written
    WholeNumber, ///< a string that must hold a whole number (page placement in the printer setup)
};

struct Key {
    const char* section;
    const char* name;
    Kind kind;
    std::int32_t Settings::*integer = nullptr;
    bool Settings::*boolean = nullptr;
    std::string Settings::*text = nullptr;
};

constexpr Key integerKey(const char* section, const char* name, std::int32_t Settings::*field) {
    return {section, name, Kind::Integer, field, nullptr, nullptr};
}
constexpr Key booleanKey(const char* section, const char* name, bool Settings::*field) {
    return {section, name, Kind::Boolean, nullptr, field, nullptr};
}
constexpr Key textKey(const char* section, const char* name, std::string Settings::*field,
                      Kind kind = Kind::Text) {
    return {section, name, kind, nullptr, nullptr, field};
}
constexpr Key placementKey(const char* section, const char* name, std::string Settings::*field) {
    return textKey(section, name, field, Kind::WholeNumber);
}

// The keys in the order they are written; names and sections are exact, blanks included.
constexpr std::array kKeys{
    integerKey("Bonds", "RingBondLength", &Settings::RingBondLength),
    integerKey("Bonds", "AlkBondLength", &Settings::AlkBondLength),
    integerKey("Bonds", "PiBond", &Settings::PiBond),
    booleanKey("Bonds", "BondWidth", &Settings::BondWidth),
    integerKey("Color", "Background", &Settings::Background),
    integerKey("Color", "Bonds", &Settings::Bonds),
    integerKey("Color", "FragmentA", &Settings::FragmentA),
    integerKey("Color", "FragmentB", &Settings::FragmentB),
    integerKey("Color", "Region", &Settings::Region),
    integerKey("Font", "FontSize", &Settings::FontSize),
    integerKey("Font", "FontColor", &Settings::FontColor),
    integerKey("Font", "IsotopeColor", &Settings::IsotopeColor),
    booleanKey("Font", "FontBold", &Settings::FontBold),
    integerKey("Settings", "Sound", &Settings::Sound),
    integerKey("Settings", "FragmentMarker", &Settings::FragmentMarker),
    textKey("Settings", "R_Group", &Settings::R_Group),
    textKey("Paths", "PathToText", &Settings::PathToText),
    textKey("Paths", "PathToPaint", &Settings::PathToPaint),
    booleanKey("Options", "ConfirmNew", &Settings::ConfirmNew),
    booleanKey("Options", "ConfirmQuit", &Settings::ConfirmQuit),
    booleanKey("Options", "ShowFragComposition", &Settings::ShowFragComposition),
    booleanKey("Options", "ShowPopBox", &Settings::ShowPopBox),
    booleanKey("Options", "Accurate Mass", &Settings::AccurateMass),
    booleanKey("Options", "Show Label", &Settings::ShowLabel),
    booleanKey("Options", "Scroll Bars On", &Settings::ScrollBarsOn),
    booleanKey("Options", "Show Hints", &Settings::ShowHints),
    booleanKey("Options", "HideSplashScreen", &Settings::HideSplashScreen),
    textKey("Printer", "Paper Width", &Settings::PaperWidth),
    textKey("Printer", "Paper Height", &Settings::PaperHeight),
    booleanKey("Printer", "Inches", &Settings::Inches),
    integerKey("Printer", "Spectrum_Orientation", &Settings::Spectrum_Orientation),
    integerKey("Printer", "Structure_Orientation", &Settings::Structure_Orientation),
    booleanKey("Printer", "Color Printer", &Settings::ColorPrinter),
    placementKey("Printer", "SpectrumTop", &Settings::SpectrumTop),
    placementKey("Printer", "SpectrumLeft", &Settings::SpectrumLeft),
    placementKey("Printer", "SpectrumWidth", &Settings::SpectrumWidth),
    placementKey("Printer", "SpectrumHeight", &Settings::SpectrumHeight),
    placementKey("Printer", "StructureTop", &Settings::StructureTop),
    placementKey("Printer", "StructureLeft", &Settings::StructureLeft),
    placementKey("Printer", "StructureWidth", &Settings::StructureWidth),
    placementKey("Printer", "StructureHeight", &Settings::StructureHeight),
};
static_assert(kKeys.size() == 41);

/// A signed 32-bit decimal filling the whole text (an optional sign, then digits only).
std::optional<std::int32_t> wholeNumber(std::string_view text) {
    const bool plus = !text.empty() && text.front() == '+';
    if (plus) text.remove_prefix(1);
    if (text.empty() || (plus && text.front() == '-')) return std::nullopt;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

void readKey(const IniFile& file, const Key& key, Settings& settings) {
    const std::optional<std::string> value = file.value(key.section, key.name);
    if (!value) return;
    switch (key.kind) {
    case Kind::Integer:
        if (const auto number = wholeNumber(*value)) settings.*key.integer = *number;
        break;
    case Kind::Boolean:
        if (const auto number = wholeNumber(*value)) settings.*key.boolean = *number != 0;
        break;
    case Kind::Text:
        settings.*key.text = *value;
        break;
    case Kind::WholeNumber:
        // The INI reader has already dropped the blanks around the value.
        if (wholeNumber(*value)) settings.*key.text = *value;
        break;
    }
}

std::string keyValue(const Key& key, const Settings& settings) {
    switch (key.kind) {
    case Kind::Integer:
        return std::to_string(settings.*key.integer);
    case Kind::Boolean:
        return std::string(1, settings.*key.boolean ? '1' : '0');
    case Kind::Text:
    case Kind::WholeNumber:
        break;
    }
    return settings.*key.text;
}

void writeKey(IniFile& file, const Key& key, const Settings& settings) {
    file.setValue(key.section, key.name, keyValue(key, settings));
}

/// The bytes of the settings file as text; nothing when it is missing, not a regular file or
/// unreadable. A folder of that name must not make reading throw.
std::optional<std::string> readIniText(const std::filesystem::path& iniFile) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(iniFile, error)) return std::nullopt;
    try {
        const std::optional<Bytes> bytes = readWholeFile(iniFile);
        if (!bytes) return std::nullopt;
        return std::string(bytes->begin(), bytes->end());
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

/// Opens the settings file for rewriting: its present contents, or an empty file when there is
/// none yet. Anything else under that name, or a file that cannot be read, is an error, so the
/// user's other entries are never overwritten.
std::optional<IniFile> openForUpdate(const std::filesystem::path& iniFile, std::string& error) {
    std::error_code ignored;
    if (!std::filesystem::exists(iniFile, ignored)) return IniFile{};
    const std::optional<std::string> text = readIniText(iniFile);
    if (!text) {
        error = "Cannot read " + iniFile.string();
        return std::nullopt;
    }
    return IniFile::parse(*text);
}

} // namespace

Settings settingsFromIniText(std::string_view iniText) {
    const IniFile file = IniFile::parse(iniText);
    Settings settings;
    for (const Key& key : kKeys)
        readKey(file, key, settings);
    return settings;
}

Settings loadSettings(const std::filesystem::path& iniFile) {
    const std::optional<std::string> text = readIniText(iniFile);
    return text ? settingsFromIniText(*text) : Settings{};
}

std::string saveSettings(const std::filesystem::path& iniFile, const Settings& settings) {
    std::string error;
    std::optional<IniFile> file = openForUpdate(iniFile, error);
    if (!file) return error;
    for (const Key& key : kKeys)
        writeKey(*file, key, settings);
    return writeFileSafely(iniFile, file->text());
}

std::string saveRGroupSetting(const std::filesystem::path& iniFile, const std::string& name) {
    std::string error;
    std::optional<IniFile> file = openForUpdate(iniFile, error);
    if (!file) return error;
    file->setValue("Settings", "R_Group", name);
    return writeFileSafely(iniFile, file->text());
}

} // namespace qzx
