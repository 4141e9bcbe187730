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
    std::vector<PrintLine> lines;
    lines.push_back({1, 940 * unit, 110 * unit, "AUTOFRAGMENT RESULTS", PrintLine::Font::Title});
    lines.push_back({1, 200 * unit, 220 * unit,
                     "Fragments: " + std::to_string(table.ResultsList.size()),
                     PrintLine::Font::Body});
    std::vector<std::string> texts;
    for (std::size_t r = 0; r < table.ResultsList.size(); ++r) {
        std::string text = padded(table.ResultsList[r], 10);
        if (r + 1 < table.MassOrder.size()) {
            const std::int32_t number = table.MassOrder[r + 1];
            if (number >= 1 && number < static_cast<std::int32_t>(table.Fragments.size()))
                text += FragmentFormulaText(structure, table.fragment(number).Atoms);
        }
        texts.push_back(std::move(text));
    }
    addColumnPrintLines(lines, texts, {"   Mass   Formula", 1100, 2}, unit);
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
