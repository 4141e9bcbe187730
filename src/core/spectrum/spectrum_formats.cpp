#include "spectrum/spectrum_formats.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <numeric>
#include <optional>
#include <system_error>

#include "spectrum/asc_file.h"
#include "spectrum/jcamp_dx.h"
#include "spectrum/peak_text.h"
#include "structure/structure_file.h"
#include "util/safe_file.h"

namespace qzx {

namespace {

std::string lowerCase(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string inQuotesText(std::string_view text) {
    std::string quoted(1, '"');
    quoted.append(text);
    quoted += '"';
    return quoted;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

void sortByMass(std::vector<Peak>& peaks) {
    std::stable_sort(peaks.begin(), peaks.end(),
                     [](const Peak& a, const Peak& b) { return a.Mass < b.Mass; });
}

/// Pairs the numbers of a peak text or library entry into peaks. `where` begins an error text
/// ("The file" or "Entry \"Benzene\""). Returns false (with the error set) on a run of digits
/// and points that is no number.
bool pairNumbers(const std::vector<std::string>& numbers, const std::string& where,
                 SpectrumFileContents& contents) {
    std::vector<float> values;
    values.reserve(numbers.size());
    for (const std::string& number : numbers) {
        float value = 0.0f;
        const auto [end, error] =
            std::from_chars(number.data(), number.data() + number.size(), value);
        if (error != std::errc{} || end != number.data() + number.size() || !std::isfinite(value)) {
            contents.error = where + ": " + inQuotesText(number) + " is not a number.";
            return false;
        }
        values.push_back(value);
    }
    for (std::size_t i = 0; i + 1 < values.size(); i += 2)
        contents.peaks.push_back({values[i], values[i + 1]});
    if (values.size() % 2 != 0)
        contents.warnings.emplace_back(
            "The peaks end with a mass that has no abundance; that mass was left out.");
    sortByMass(contents.peaks);
    return true;
}

bool beginsWithNameTag(std::string_view line) {
    static constexpr std::string_view kTag = "NAME:";
    if (line.size() < kTag.size()) return false;
    for (std::size_t k = 0; k < kTag.size(); ++k)
        if (std::toupper(static_cast<unsigned char>(line[k])) != kTag[k]) return false;
    return true;
}

/// The lines of the library's entry `index` (0-based): from its name line to the next. The
/// walk stops there, so a large library is not split into lines as a whole.
std::vector<std::string_view> entryLines(std::string_view library, std::size_t index) {
    std::vector<std::string_view> lines;
    std::size_t entry = 0;
    bool inside = false;
    std::size_t at = 0;
    while (at < library.size()) {
        std::size_t end = library.find_first_of("\r\n", at);
        if (end == std::string_view::npos) end = library.size();
        const std::string_view line = library.substr(at, end - at);
        at = end + 1;
        if (end < library.size() && library[end] == '\r' && at < library.size() &&
            library[at] == '\n')
            ++at;
        if (beginsWithNameTag(line)) {
            if (inside) break;
            inside = entry++ == index;
        }
        if (inside) lines.push_back(line);
    }
    return lines;
}

/// A peak line without its annotations: every part in double quotes is left out, so that
/// `41 100 "C3H5+"` keeps only its peak.
std::string withoutAnnotations(std::string_view line) {
    std::string text;
    bool inQuotes = false;
    for (const char c : line) {
        if (c == '"')
            inQuotes = !inQuotes;
        else if (!inQuotes)
            text += c;
    }
    return text;
}

/// The first word of a line that writes a number with an exponent ("1.2E+05"), or nothing.
std::optional<std::string> exponentWord(std::string_view line) {
    for (std::size_t i = 1; i + 1 < line.size(); ++i) {
        if (line[i] != 'e' && line[i] != 'E') continue;
        const char before = line[i - 1];
        std::size_t after = i + 1;
        if (line[after] == '+' || line[after] == '-') ++after;
        if (!(std::isdigit(static_cast<unsigned char>(before)) || before == '.') ||
            after >= line.size() || !std::isdigit(static_cast<unsigned char>(line[after])))
            continue;
        std::size_t start = line.find_last_of(" \t;,", i);
        start = start == std::string_view::npos ? 0 : start + 1;
        const std::size_t end = line.find_first_of(" \t;,", i);
        return std::string(line.substr(start, end == std::string_view::npos ? end : end - start));
    }
    return std::nullopt;
}

SpectrumFileContents decodeLibrary(std::string_view library, std::string_view entry) {
    SpectrumFileContents contents;
    const std::vector<std::string> names = mspCompoundNames(library);
    if (names.empty()) {
        contents.error = "The file holds no library entry (no \"Name:\" line).";
        return contents;
    }
    std::size_t index = names.size();
    const std::string_view wanted = trimmed(entry);
    if (!wanted.empty()) {
        for (std::size_t i = 0; i < names.size() && index == names.size(); ++i)
            if (trimmed(names[i]) == wanted) index = i;
        std::size_t number = 0;
        const auto [end, error] =
            std::from_chars(wanted.data(), wanted.data() + wanted.size(), number);
        if (index == names.size() && error == std::errc{} && end == wanted.data() + wanted.size() &&
            number >= 1 && number <= names.size())
            index = number - 1;
        if (index == names.size()) {
            contents.error = "The library has no entry named or numbered " + inQuotesText(wanted) +
                             " (it holds " + std::to_string(names.size()) + " entries).";
            return contents;
        }
    } else {
        index = 0;
        if (names.size() > 1)
            contents.warnings.push_back(
                "The library holds " + std::to_string(names.size()) + " entries; the first, " +
                inQuotesText(spectrumTextToUtf8(trimmed(names[0]))) + ", was read.");
    }
    const std::string name = spectrumTextToUtf8(trimmed(names[index]));
    contents.title = name;
    const std::string where = "Entry " + inQuotesText(name);

    // The entry alone, its peak lines without annotations, for the library reader.
    std::string text;
    bool peakLines = false;
    std::string declared;
    bool nameLine = true;
    for (const std::string_view line : entryLines(library, index)) {
        if (!peakLines) {
            text.append(line);
            const std::size_t tag = nameLine ? std::string_view::npos : line.find("Num Peaks:");
            nameLine = false;
            if (tag != std::string_view::npos) {
                peakLines = true;
                declared = std::string(trimmed(line.substr(tag + 10)));
            }
        } else {
            const std::string peaks = withoutAnnotations(line);
            if (const std::optional<std::string> word = exponentWord(peaks)) {
                contents.error = where + ": " + inQuotesText(*word) +
                                 " is written with an exponent; only plain decimals can be read.";
                contents.warnings.clear();
                return contents;
            }
            text += peaks;
        }
        text += '\n';
    }
    const MspCompound compound = mspCompoundPeaks(text, names[index]);
    if (!compound.found) {
        contents.error = where + " of the library has no \"Num Peaks:\" line.";
        contents.warnings.clear();
        return contents;
    }
    if (!pairNumbers(compound.numbers, where, contents)) {
        contents.warnings.clear();
        return contents;
    }
    if (contents.peaks.empty()) {
        contents.error = where + " of the library holds no peaks.";
        contents.warnings.clear();
        return contents;
    }
    std::size_t count = 0;
    const auto [end, error] =
        std::from_chars(declared.data(), declared.data() + declared.size(), count);
    if (error != std::errc{} || end != declared.data() + declared.size() ||
        count != contents.peaks.size())
        contents.warnings.push_back(where + " says it has " + declared +
                                    " peaks (Num Peaks:), but " +
                                    std::to_string(contents.peaks.size()) + " were read.");
    return contents;
}

/// "An ASC file ..." warnings of writing these peaks to an ASC file.
std::vector<std::string> ascWarnings(const std::vector<Peak>& peaks) {
    std::vector<std::string> warnings;
    if (peaks.size() > static_cast<std::size_t>(kMaxPeaks))
        warnings.push_back("An ASC file holds at most 300 peaks; the 300 most abundant of " +
                           std::to_string(peaks.size()) + " were written.");
    const bool fractions = std::any_of(peaks.begin(), peaks.end(), [](const Peak& peak) {
        return std::nearbyint(peak.Mass) != peak.Mass ||
               std::nearbyint(peak.Abundance) != peak.Abundance;
    });
    if (fractions)
        warnings.emplace_back(
            "An ASC file holds whole numbers; masses and abundances were rounded.");
    return warnings;
}

std::string oneLine(const std::string& title) {
    std::string line = utf8ToLatin1(title);
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line;
}

} // namespace

SpectrumFormat spectrumFormatOf(const std::filesystem::path& file) {
    const std::string extension = lowerCase(file.extension().string());
    if (extension == ".asc") return SpectrumFormat::Asc;
    if (extension == ".msp") return SpectrumFormat::Msp;
    if (extension == ".jdx" || extension == ".dx" || extension == ".jcamp")
        return SpectrumFormat::JcampDx;
    return SpectrumFormat::Text;
}

std::string_view spectrumFormatName(SpectrumFormat format) {
    switch (format) {
    case SpectrumFormat::Asc:
        return "asc";
    case SpectrumFormat::Msp:
        return "msp";
    case SpectrumFormat::JcampDx:
        return "jcamp-dx";
    case SpectrumFormat::Text:
        break;
    }
    return "text";
}

SpectrumFileContents decodeSpectrumText(std::string_view text, SpectrumFormat format,
                                        std::string_view entry) {
    SpectrumFileContents contents;
    if (!entry.empty() && format != SpectrumFormat::Msp) {
        contents.error = "Only a library (.msp) has entries to choose from.";
        return contents;
    }
    switch (format) {
    case SpectrumFormat::Asc: {
        const AscContents asc = decodeAscFile(text);
        contents.peaks = asc.peaks;
        contents.warnings = asc.warnings();
        if (asc.unreadableLines > 0)
            contents.warnings.push_back(std::to_string(asc.unreadableLines) +
                                        (asc.unreadableLines == 1 ? " line" : " lines") +
                                        " of the file held no number and read as 0.");
        break;
    }
    case SpectrumFormat::JcampDx: {
        JcampDxContents jcamp = decodeJcampDx(text);
        if (!jcamp.error.empty()) {
            contents.error = jcamp.error;
            return contents;
        }
        contents.peaks = std::move(jcamp.peaks);
        contents.title = std::move(jcamp.title);
        contents.warnings = std::move(jcamp.warnings);
        return contents; // JCAMP-DX says itself when there are more than 300 peaks
    }
    case SpectrumFormat::Msp:
        contents = decodeLibrary(text, entry);
        if (!contents.error.empty()) return contents;
        break;
    case SpectrumFormat::Text:
        if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
        if (!pairNumbers(numbersInText(text), "The file", contents)) {
            contents.warnings.clear();
            return contents;
        }
        break;
    }
    if (contents.peaks.empty()) {
        contents.error = "The file holds no peaks.";
        contents.warnings.clear();
        return contents;
    }
    if (format != SpectrumFormat::Asc &&
        contents.peaks.size() > static_cast<std::size_t>(kMaxPeaks))
        contents.warnings.emplace_back(kTooManyPeaksWarning);
    return contents;
}

SpectrumFileContents readSpectrumFile(const std::filesystem::path& file, std::string_view entry) {
    std::error_code error;
    const std::string name = file.string();
    if (!std::filesystem::exists(file, error)) {
        SpectrumFileContents contents;
        contents.error = "File: " + name + " does not exist";
        return contents;
    }
    const std::optional<Bytes> bytes = readWholeFile(file);
    if (!bytes) {
        SpectrumFileContents contents;
        contents.error = "File: " + name + " could not be read";
        return contents;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    const SpectrumFormat format = spectrumFormatOf(file);
    SpectrumFileContents contents = decodeSpectrumText(text, format, entry);
    if (contents.error.empty() && (format == SpectrumFormat::Asc || format == SpectrumFormat::Text))
        contents.title = file.stem().string();
    return contents;
}

std::vector<Peak> mostAbundantPeaks(const std::vector<Peak>& peaks, std::size_t count) {
    std::vector<std::size_t> order(peaks.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    if (peaks.size() > count) {
        // Strongest first; of equal abundance the lower mass, then the earlier peak.
        std::stable_sort(order.begin(), order.end(), [&peaks](std::size_t a, std::size_t b) {
            if (peaks[a].Abundance != peaks[b].Abundance)
                return peaks[a].Abundance > peaks[b].Abundance;
            return peaks[a].Mass < peaks[b].Mass;
        });
        order.resize(count);
        std::sort(order.begin(), order.end());
    }
    std::vector<Peak> kept;
    kept.reserve(order.size());
    for (const std::size_t i : order)
        kept.push_back(peaks[i]);
    sortByMass(kept);
    return kept;
}

SpectrumFileText encodeSpectrumText(const std::vector<Peak>& peaks, const std::string& title,
                                    SpectrumFormat format) {
    SpectrumFileText file;
    switch (format) {
    case SpectrumFormat::Asc: {
        const std::vector<Peak> kept = mostAbundantPeaks(peaks, kMaxPeaks);
        Spectrum spectrum;
        for (std::size_t i = 0; i < kept.size(); ++i)
            spectrum.peak(static_cast<int>(i) + 1) = kept[i];
        spectrum.setPeakCount(static_cast<int>(kept.size()));
        file.text = encodeAscFile(spectrum);
        file.warnings = ascWarnings(peaks);
        break;
    }
    case SpectrumFormat::JcampDx:
        file.text = encodeJcampDx(peaks, title);
        break;
    case SpectrumFormat::Msp: {
        std::vector<Peak> sorted = peaks;
        sortByMass(sorted);
        file.text = "Name: " + oneLine(title) + "\r\n";
        file.text += "Num Peaks: " + std::to_string(sorted.size()) + "\r\n";
        for (std::size_t i = 0; i < sorted.size(); ++i) {
            file.text += spectrumNumberText(sorted[i].Mass) + " " +
                         spectrumNumberText(sorted[i].Abundance) + ";";
            file.text += (i % 5 == 4 || i + 1 == sorted.size()) ? "\r\n" : " ";
        }
        file.text += "\r\n";
        break;
    }
    case SpectrumFormat::Text: {
        std::vector<Peak> sorted = peaks;
        sortByMass(sorted);
        for (const Peak& peak : sorted)
            file.text +=
                spectrumNumberText(peak.Mass) + "\t" + spectrumNumberText(peak.Abundance) + "\r\n";
        break;
    }
    }
    return file;
}

SpectrumWriteResult writeSpectrumFile(const std::filesystem::path& file,
                                      const std::vector<Peak>& peaks, const std::string& title) {
    SpectrumFileText text = encodeSpectrumText(peaks, title, spectrumFormatOf(file));
    SpectrumWriteResult result;
    result.error = writeFileSafely(file, text.text);
    if (result.error.empty()) result.warnings = std::move(text.warnings);
    return result;
}

} // namespace qzx
