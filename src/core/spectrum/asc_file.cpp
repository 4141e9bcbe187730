#include "spectrum/asc_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <span>
#include <system_error>

#include "util/heap_sort.h"
#include "util/rounding.h"
#include "util/safe_file.h"

namespace qzx {

namespace {

/// Rounds to a whole number, ties to even. From 2^23 on every float is whole already (and
/// beyond the range of a 64-bit integer the conversion would not be defined).
float roundWhole(float value) {
    if (!(std::fabs(value) < 8388608.0f)) return value;
    return static_cast<float>(Round(static_cast<double>(value)));
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

/// The number on a line, or nothing when the line holds no finite single-precision number.
std::optional<float> parseNumber(std::string_view line) {
    while (!line.empty() && isBlank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && isBlank(line.back()))
        line.remove_suffix(1);
    if (line.size() > 1 && line.front() == '+' && line[1] != '-') line.remove_prefix(1);
    float value = 0.0f;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (error != std::errc{} || end != line.data() + line.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

/// Splits at CR LF, LF or CR. A final line without an ending still counts.
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

bool blankLine(std::string_view line) {
    for (const char c : line)
        if (!isBlank(c)) return false;
    return true;
}

/// A whole number as decimal text: no sign for zero, "0" for what a float cannot say.
std::string integerText(float value) {
    double whole = static_cast<double>(roundWhole(value));
    if (!std::isfinite(whole) || whole == 0.0) whole = 0.0;
    char text[64];
    std::snprintf(text, sizeof text, "%.0f", whole);
    return text;
}

} // namespace

std::vector<std::string> AscContents::warnings() const {
    std::vector<std::string> texts;
    if (cutAt300) texts.emplace_back(kAscTooManyPeaksWarning);
    if (unpairedMass) texts.emplace_back(kAscCorruptWarning);
    return texts;
}

AscContents decodeAscFile(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::vector<std::string_view> lines = splitLines(text);
    while (!lines.empty() && blankLine(lines.back()))
        lines.pop_back();

    AscContents contents;
    Peak pending;
    bool haveMass = false;
    for (const std::string_view line : lines) {
        const std::optional<float> number = parseNumber(line);
        if (!number) ++contents.unreadableLines;
        const float value = number.value_or(0.0f);
        if (!haveMass) {
            pending.Mass = value;
            haveMass = true;
            continue;
        }
        pending.Abundance = value;
        haveMass = false;
        if (static_cast<int>(contents.peaks.size()) < kMaxPeaks)
            contents.peaks.push_back(pending);
        else
            contents.cutAt300 = true;
    }
    contents.unpairedMass = haveMass;

    for (Peak& peak : contents.peaks) {
        peak.Mass = roundWhole(peak.Mass);
        peak.Abundance = roundWhole(peak.Abundance);
    }
    // The sort works on 1-based lists: a leading unused slot.
    std::vector<Peak> oneBased(contents.peaks.size() + 1);
    std::copy(contents.peaks.begin(), contents.peaks.end(), oneBased.begin() + 1);
    HeapSortRecords(std::span<Peak>(oneBased), static_cast<int>(contents.peaks.size()),
                    [](const Peak& peak) { return peak.Mass; });
    std::copy(oneBased.begin() + 1, oneBased.end(), contents.peaks.begin());
    return contents;
}

void storeAscContents(const AscContents& contents, const std::string& fileName,
                      Spectrum& spectrum) {
    spectrum.PeakLabels.clear();
    spectrum.SpectrumNormalized = false;
    spectrum.SpectrumFileName = fileName;
    const int n = static_cast<int>(std::min<std::size_t>(contents.peaks.size(), kMaxPeaks));
    for (int i = 1; i <= n; ++i)
        spectrum.peak(i) = contents.peaks[static_cast<std::size_t>(i) - 1];
    spectrum.setPeakCount(n);
}

AscLoadResult loadAscFile(const std::filesystem::path& file, Spectrum& spectrum) {
    AscLoadResult result;
    std::error_code error;
    const std::string name = file.string();
    if (!std::filesystem::exists(file, error)) {
        result.error = "File: " + name + " does not exist";
        return result;
    }
    const std::optional<Bytes> bytes = readWholeFile(file);
    if (!bytes) {
        result.error = "File: " + name + " could not be read";
        return result;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    const AscContents contents = decodeAscFile(text);
    storeAscContents(contents, name, spectrum);
    result.warnings = contents.warnings();
    return result;
}

std::string encodeAscFile(const Spectrum& spectrum) {
    std::string text;
    const int n = spectrum.peakCount();
    for (int i = 1; i <= n; ++i) {
        const Peak& peak = spectrum.peak(i);
        text += integerText(peak.Mass) + "\r\n";
        text += integerText(peak.Abundance) + "\r\n";
    }
    return text;
}

std::string saveAscFile(const std::filesystem::path& file, const Spectrum& spectrum) {
    return writeFileSafely(file, encodeAscFile(spectrum));
}

} // namespace qzx
