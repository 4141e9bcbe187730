#pragma once

#include <string_view>

namespace qzx {

/// Walks the lines of a text whose lines end in CR LF, LF or CR, each without its line end.
/// A line end at the very end of the text starts no further line.
class TextLines {
public:
    explicit TextLines(std::string_view text) : m_text(text) {}
    bool next(std::string_view& line) {
        if (m_at >= m_text.size()) return false;
        std::size_t end = m_text.find_first_of("\r\n", m_at);
        if (end == std::string_view::npos) end = m_text.size();
        line = m_text.substr(m_at, end - m_at);
        m_at = end + 1;
        if (end < m_text.size() && m_text[end] == '\r' && m_at < m_text.size() &&
            m_text[m_at] == '\n')
            ++m_at;
        return true;
    }

private:
    std::string_view m_text;
    std::size_t m_at = 0;
};

} // namespace qzx
