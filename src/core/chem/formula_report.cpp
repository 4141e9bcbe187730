#include "chem/formula_report.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "chem/element_table.h"
#include "chem/formula_results.h"
#include "util/rounding.h"

namespace qzx {
namespace {

constexpr int kLinesPerPage = 50;
constexpr const char* kFixedNames[] = {"Carbon:", "Hydrogen:", "Oxygen:", "Nitrogen:"};
constexpr const char* kFixedHeadings[] = {"    C", "    H", "    O", "    N"};

std::string format(const char* pattern, const std::string& value) {
    char text[256];
    std::snprintf(text, sizeof text, pattern, value.c_str());
    return text;
}

std::string rowLine(const std::string& name, const FormulaReportInput::Row& row) {
    std::string line = format("%14s", name);
    line += row.minimum.empty() ? "   0 [Min]" : format("%4s", row.minimum) + "  [Min]";
    if (!row.maximum.empty()) line += "  To  " + format("%3s", row.maximum) + "  [Max]";
    return line;
}

} // namespace

int formulaReportPages(int count) {
    return static_cast<int>(Round((count - 30) * 0.02)) + 2;
}

std::string formulaReportQuestion(int count) {
    return "There are " + std::to_string(count) + " results to print, or about\r\n" +
           std::to_string(formulaReportPages(count)) + " pages.  OK to continue?";
}

std::vector<ReportLine> formulaReportLines(const FormulaReportInput& input,
                                           const ElementTable& elements) {
    std::vector<ReportLine> lines;
    lines.push_back({1, 830, 110, "ELEMENTAL COMPOSITION", true, true, false});
    int y = 310;
    const auto add = [&](int page, int x, int at, std::string text, bool bold = false,
                         bool underline = false) {
        lines.push_back({page, x, at, std::move(text), false, bold, underline});
    };
    add(1, 160, y,
        "Mass:  " + input.weight + "               Tolerance:  " + input.tolerance +
            "               Found:  " + input.found);
    if (input.molecularIons || input.nitrogenRule) {
        y += 100;
        std::string options = input.molecularIons ? "Restrict to Molecular Ions" : "";
        if (input.nitrogenRule)
            options += input.molecularIons ? "        Nitrogen Rule is On" : "Nitrogen Rule Is On";
        add(1, 160, y, options);
    }
    if (input.limits) {
        y += 100;
        add(1, 160, y,
            "Limit to Structures with Rings + Double Bonds from " +
                std::to_string(input.rdbMinimum) + "  to  " + std::to_string(input.rdbMaximum));
    }
    y += 100;
    std::string heading;
    for (int r = 0; r < kFormulaRows; ++r) {
        const auto& row = input.rows[static_cast<std::size_t>(r)];
        if (!row.checked) continue;
        const int element = input.elements[static_cast<std::size_t>(r)];
        const std::string name = r < kRow5 ? kFixedNames[r] : elements[element].Name + ":";
        add(1, 160, y, rowLine(name, row));
        y += 50;
        heading += r < kRow5 ? kFixedHeadings[r] : format("%5s", elements[element].Symbol);
    }
    heading += "      Mass     Defect   R+DB    Parity  ";
    y += 50;
    add(1, 160, y, heading, true, true);
    y += 100;

    // The defect is measured from the target's whole number.
    const double wholeTarget = std::trunc(std::strtod(input.weight.c_str(), nullptr));
    int page = 1;
    int onPage = 0;
    for (std::size_t i = 0; i < input.results.size(); ++i) {
        if (onPage == kLinesPerPage) {
            ++page;
            onPage = 0;
            add(page, 1050, 100, "Page: " + std::to_string(page));
            add(page, 160, 200, heading, true, true);
            y = 310;
        }
        const FormulaCandidate& c = input.results[i];
        std::string line;
        for (int r = 0; r < kFormulaRows; ++r) {
            if (!input.rows[static_cast<std::size_t>(r)].checked) continue;
            const int count = c.counts[static_cast<std::size_t>(r)];
            line += count == 0 ? "     " : format("%5s", std::to_string(count));
        }
        const double mass = formulaCandidateMass(c, elements);
        char numbers[128];
        std::snprintf(numbers, sizeof numbers, "    %8.4f   %.4f%6d", mass,
                      std::abs(mass - wholeTarget), shownRdb(c.rdb));
        line += numbers;
        line += c.rdb == std::floor(c.rdb) ? "       Odd" : "       Even";
        add(page, 160, y, line, true);
        y += 50;
        ++onPage;
        if ((i + 1) % 10 == 0 && onPage < kLinesPerPage) {
            add(page, 160, y, std::string(70, '-'));
            y += 50;
            ++onPage;
        }
    }
    return lines;
}

} // namespace qzx
