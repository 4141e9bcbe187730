#include "spectrum/peak_text.h"

#include <algorithm>
#include <cctype>

#include "util/text_lines.h"

namespace qzx {
namespace {

bool isNumberCharacter(char c) {
    return (c >= '0' && c <= '9') || c == '.';
}

void addNumbers(std::string_view line, std::vector<std::string>& numbers) {
    std::size_t i = 0;
    while (i < line.size()) {
        if (!isNumberCharacter(line[i])) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < line.size() && isNumberCharacter(line[i]))
            ++i;
        numbers.emplace_back(line.substr(start, i - start));
    }
}

bool containsNameTag(std::string_view line) {
    static constexpr std::string_view kTag = "NAME:";
    if (line.size() < kTag.size()) return false;
    for (std::size_t i = 0; i + kTag.size() <= line.size(); ++i) {
        bool same = true;
        for (std::size_t k = 0; k < kTag.size() && same; ++k)
            same = std::toupper(static_cast<unsigned char>(line[i + k])) == kTag[k];
        if (same) return true;
    }
    return false;
}

bool beginsWithNameTag(std::string_view line) {
    return line.size() >= 5 && containsNameTag(line.substr(0, 5));
}

} // namespace

std::vector<std::string> numbersInText(std::string_view text) {
    std::vector<std::string> numbers;
    TextLines lines(text);
    for (std::string_view line; lines.next(line);)
        addNumbers(line, numbers);
    return numbers;
}

PeakTextImport importPeakText(std::string_view text, int stripLines) {
    PeakTextImport import;
    TextLines lines(text);
    std::string_view line;
    for (int skipped = 0; skipped < stripLines; ++skipped)
        if (!lines.next(line)) {
            import.fileTooShort = true;
            return import;
        }
    while (lines.next(line))
        addNumbers(line, import.numbers);
    return import;
}

std::vector<std::string> mspCompoundNames(std::string_view library) {
    std::vector<std::string> names;
    TextLines lines(library);
    for (std::string_view line; lines.next(line);)
        if (beginsWithNameTag(line)) names.emplace_back(line.size() > 6 ? line.substr(6) : "");
    return names;
}

MspCompound mspCompoundPeaks(std::string_view library, std::string_view name) {
    MspCompound compound;
    TextLines lines(library);
    std::string_view line;
    // Every search stops at the end of the library.
    do {
        if (!lines.next(line)) return compound;
    } while (line.find(name) == std::string_view::npos);
    do {
        if (!lines.next(line)) return compound;
    } while (line.find("Num Peaks:") == std::string_view::npos);
    compound.found = true;
    while (lines.next(line) && !line.empty() && !containsNameTag(line))
        addNumbers(line, compound.numbers);
    return compound;
}

MspCompound mspEntryPeaks(std::string_view library, std::size_t entry) {
    MspCompound compound;
    TextLines lines(library);
    std::string_view line;
    for (std::size_t seen = 0;;) {
        if (!lines.next(line)) return compound;
        if (beginsWithNameTag(line) && seen++ == entry) break;
    }
    do {
        if (!lines.next(line) || containsNameTag(line)) return compound;
    } while (line.find("Num Peaks:") == std::string_view::npos);
    compound.found = true;
    while (lines.next(line) && !line.empty() && !containsNameTag(line))
        addNumbers(line, compound.numbers);
    return compound;
}

} // namespace qzx
