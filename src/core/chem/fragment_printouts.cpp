#include "chem/fragment_printouts.h"

#include <string>

#include "chem/fragments.h"

namespace qzx {
namespace {

std::string padded(const std::string& text, std::size_t width) {
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

} // namespace

std::vector<PrintLine> fragmentListPrintLines(const FragmentTable& table,
                                              const Structure& structure, int unit) {
    using Font = PrintLine::Font;
    constexpr int kRowsPerColumn = 50;
    constexpr int kColumnsPerPage = 2;
    const int rows = static_cast<int>(table.ResultsList.size());
    std::vector<PrintLine> lines;
    lines.push_back({1, 940 * unit, 110 * unit, "AUTOFRAGMENT RESULTS", Font::Title});
    lines.push_back({1, 200 * unit, 220 * unit, "Fragments: " + std::to_string(rows), Font::Body});
    int page = 1;
    int column = 0;
    const auto heading = [&] {
        lines.push_back(
            {page, (200 + 1100 * column) * unit, 330 * unit, "   Mass   Formula", Font::Heading});
    };
    heading();
    for (int r = 0; r < rows; ++r) {
        if (r > 0 && r % kRowsPerColumn == 0) {
            if (++column == kColumnsPerPage) {
                column = 0;
                ++page;
                lines.push_back(
                    {page, 1050 * unit, 110 * unit, "Page: " + std::to_string(page), Font::Body});
            }
            heading();
        }
        std::string text = padded(table.ResultsList[static_cast<std::size_t>(r)], 10);
        const auto entry = static_cast<std::size_t>(r) + 1;
        if (entry < table.MassOrder.size()) {
            const std::int32_t number = table.MassOrder[entry];
            if (number >= 1 && number < static_cast<std::int32_t>(table.Fragments.size()))
                text += FragmentFormulaText(structure, table.fragment(number).Atoms);
        }
        lines.push_back({page, (200 + 1100 * column) * unit,
                         (430 + 50 * (r % kRowsPerColumn)) * unit, text, Font::Body});
    }
    return lines;
}

std::vector<PrintLine> evaluationPrintLines(const std::vector<EvaluationGridRow>& grid, int unit) {
    using Font = PrintLine::Font;
    std::vector<PrintLine> lines;
    lines.push_back({1, 900 * unit, 110 * unit, "AUTOFRAGMENT EVALUATION", Font::Title});
    int y = 330;
    for (std::size_t r = 0; r < grid.size(); ++r) {
        const EvaluationGridRow& row = grid[r];
        lines.push_back(
            {1, 200 * unit, y * unit, padded(row[0], 8) + padded(row[1], 28) + row[2], Font::Body});
        y += r == 0 ? 100 : 50;
    }
    return lines;
}

} // namespace qzx
