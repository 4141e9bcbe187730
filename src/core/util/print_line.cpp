#include "util/print_line.h"

namespace qzx {

void addColumnPrintLines(std::vector<PrintLine>& lines, const std::vector<std::string>& rows,
                         const ColumnLayout& layout, int unit) {
    constexpr int kRowsPerColumn = 50;
    int page = 1;
    int column = 0;
    const auto heading = [&] {
        lines.push_back({page, (200 + layout.columnStep * column) * unit, 330 * unit,
                         layout.heading, PrintLine::Font::Heading});
    };
    heading();
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int inColumn = static_cast<int>(r % kRowsPerColumn);
        if (r > 0 && inColumn == 0) {
            if (++column == layout.columnsPerPage) {
                column = 0;
                ++page;
                lines.push_back({page, 1050 * unit, 110 * unit, "Page: " + std::to_string(page),
                                 PrintLine::Font::Body});
            }
            heading();
        }
        lines.push_back({page, (200 + layout.columnStep * column) * unit,
                         (430 + 50 * inColumn) * unit, rows[r], PrintLine::Font::Body});
    }
}

} // namespace qzx
