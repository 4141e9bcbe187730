#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qzx {

/// A Windows INI file held as its lines, so that rewriting it keeps every section, key, comment
/// and unreadable line the program does not know about.
///
/// Reading: "[Name]" lines start sections, "key=value" lines are entries; section and key names
/// compare regardless of ASCII case, blanks and tabs around names and values are dropped, but
/// blanks inside them stay ("Scroll Bars On"). Lines may end in CR LF, LF or CR; blank lines,
/// comment lines starting with ';', lines without '=' and entries before the first section are
/// kept but never found. When a section or key appears twice, the first one counts. Values are
/// taken as written: quotes around a value are part of it.
///
/// Writing: every line ends in CR LF, as the Windows programs that share the file expect; lines
/// that were read come back byte for byte apart from their line ends. Text is 8-bit and is not
/// converted.
class IniFile {
public:
    /// An empty file.
    IniFile() = default;

    /// Reads INI text from a buffer; never fails, whatever the bytes are.
    static IniFile parse(std::string_view text);

    /// The value of `key` in `section`, or nothing when either is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    /// Sets `key` in `section`: an existing entry is rewritten in place as key=value with the
    /// given spelling of the key, a missing one is added after the section's last entry, and a
    /// missing section is added at the end of the file. Line breaks in `value` become blanks, so
    /// a value can never add lines of its own.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    /// The whole file, each line ending in CR LF.
    std::string text() const;

private:
    struct Line {
        std::string text; ///< the line as read or written, without its line end
        std::string key;  ///< entry name with blanks trimmed; empty when the line is no entry
    };
    struct Section {
        std::string name;        ///< trimmed name between the brackets
        bool hasHeader = false;  ///< false only for the lines before the first section
        std::vector<Line> lines; ///< the header line first, when there is one
    };

    Section* findSection(std::string_view name);
    const Section* findSection(std::string_view name) const;

    std::vector<Section> m_sections;
};

} // namespace qzx
