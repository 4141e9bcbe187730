#pragma once

#include <array>
#include <string>
#include <vector>

#include "chem/formula_search.h"

namespace qzx {

class ElementTable;

/// The printed list of the formula calculator, as lines placed on pages, apart from any
/// printer. Coordinates are page units before the printer's scale.
struct ReportLine {
    int page = 1;
    int x = 0;
    int y = 0;
    std::string text;
    bool title = false; ///< "Times New Roman" 12 point bold; otherwise "Courier New" 11 point
    bool bold = false;
    bool underline = false;
};

/// What the window shows that the printout repeats.
struct FormulaReportInput {
    std::string weight;    ///< the Molecular Weight field
    std::string tolerance; ///< the Tolerance field
    std::string found;     ///< the Found field
    bool molecularIons = false;
    bool nitrogenRule = false;
    bool limits = false;
    int rdbMinimum = 0;
    int rdbMaximum = 0;
    struct Row {
        bool checked = false;
        std::string minimum; ///< the fields as typed
        std::string maximum;
    };
    std::array<Row, kFormulaRows> rows{};
    /// The results in the order the grid shows them.
    std::vector<FormulaCandidate> results;
    /// The element numbers of the rows (C, H, O, N, then rows 5-7).
    CalcElementSlots elements = kDefaultCalcElementSlots;
};

/// Every line of the printout: title, the mass line, options and limits, one line per checked
/// row, the column heading (bold, underlined), then one bold line per result, a line of 70
/// hyphens after every tenth, and with 50 result lines on a page a new page with "Page: " + n,
/// the heading again at 200 and the results from 310.
std::vector<ReportLine> formulaReportLines(const FormulaReportInput& input,
                                           const ElementTable& elements);

/// The page count the confirmation names for more than 30 results: round((count - 30) x 0.02)
/// + 2.
int formulaReportPages(int count);

/// The confirmation text for printing `count` results.
std::string formulaReportQuestion(int count);

} // namespace qzx
