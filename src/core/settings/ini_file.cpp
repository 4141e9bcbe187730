#include "settings/ini_file.h"

#include <algorithm>
#include <utility>

namespace qzx {
namespace {

std::string_view trimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

/// Windows compares section and key names without regard to case.
bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}

/// The trimmed name of a "[Name]" line; nothing when the line is no section header.
std::optional<std::string_view> headerName(std::string_view line) {
    line = trimBlanks(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trimBlanks(line.substr(1, close - 1));
}

/// The trimmed key of a "key=value" line; empty for comments, junk and lines without a key.
std::string entryKey(std::string_view line) {
    const std::string_view trimmed = trimBlanks(line);
    if (trimmed.empty() || trimmed.front() == ';') return {};
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return {};
    return std::string(trimBlanks(line.substr(0, equals)));
}

} // namespace

IniFile IniFile::parse(std::string_view text) {
    IniFile file;
    file.m_sections.push_back(Section{}); // lines before the first header
    // A byte order mark some editors put in front of the first line would hide the first header.
    // Byte-order marks at the start (editors have been seen to write two) are not text.
    while (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);

    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end;
        if (start < text.size() && text[start] == '\r') ++start;
        if (start < text.size() && text[start] == '\n') ++start;

        if (const auto name = headerName(line)) {
            file.m_sections.push_back(Section{std::string(*name), true, {}});
            file.m_sections.back().lines.push_back(Line{std::string(line), {}});
        } else {
            file.m_sections.back().lines.push_back(Line{std::string(line), entryKey(line)});
        }
    }
    return file;
}

const IniFile::Section* IniFile::findSection(std::string_view name) const {
    for (const Section& section : m_sections)
        if (section.hasHeader && sameName(section.name, name)) return &section;
    return nullptr;
}

IniFile::Section* IniFile::findSection(std::string_view name) {
    return const_cast<Section*>(std::as_const(*this).findSection(name));
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
    const Section* found = findSection(section);
    if (!found) return std::nullopt;
    for (const Line& line : found->lines) {
        if (line.key.empty() || !sameName(line.key, key)) continue;
        const std::string_view text = line.text;
        return std::string(trimBlanks(text.substr(text.find('=') + 1)));
    }
    return std::nullopt;
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value) {
    std::string entry = std::string(key) + '=' + std::string(value);
    std::replace_if(
        entry.begin(), entry.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    Line line{entry, std::string(trimBlanks(key))};

    Section* found = findSection(section);
    if (!found) {
        const std::string name(trimBlanks(section));
        m_sections.push_back(Section{name, true, {Line{'[' + name + ']', {}}}});
        found = &m_sections.back();
    }
    std::size_t insertAt = 1; // after the header when the section has no entries yet
    for (std::size_t i = 0; i < found->lines.size(); ++i) {
        if (found->lines[i].key.empty()) continue;
        if (sameName(found->lines[i].key, key)) {
            found->lines[i] = std::move(line);
            return;
        }
        insertAt = i + 1;
    }
    found->lines.insert(found->lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                        std::move(line));
}

std::string IniFile::text() const {
    std::string text;
    for (const Section& section : m_sections)
        for (const Line& line : section.lines) {
            text += line.text;
            text += "\r\n";
        }
    return text;
}

} // namespace qzx
