#pragma once

#include <string>
#include <vector>

namespace qzx {

/// One text of a printed page, at printer pixels, as the program's printouts lay them out.
struct PrintLine {
    enum class Font {
        Title,   ///< "Times New Roman" 12 point bold
        Heading, ///< "Times New Roman" 11 point bold, underlined
        Body     ///< "Courier New" 11 point
    };
    int page = 1;
    int x = 0;
    int y = 0;
    std::string text;
    Font font = Font::Body;
};

/// Rows of text printed in columns of 50 rows: each column under `heading` (at y 330 units,
/// rows from 430 units, 50 apart), columns `columnStep` units apart from x 200, and after
/// `columnsPerPage` columns a new page headed "Page: 2", ... at (1050, 110). Positions are in
/// units of `unit` printer pixels.
struct ColumnLayout {
    std::string heading;
    int columnStep = 700;
    int columnsPerPage = 3;
};
void addColumnPrintLines(std::vector<PrintLine>& lines, const std::vector<std::string>& rows,
                         const ColumnLayout& layout, int unit);

} // namespace qzx
