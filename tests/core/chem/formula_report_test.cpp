#include "chem/formula_report.h"

#include <gtest/gtest.h>

#include "loaded_elements.h"

namespace qzx {
namespace {

FormulaReportInput benzeneSearch(int results) {
    FormulaReportInput in;
    in.weight = "78.047";
    in.tolerance = "0.01";
    in.found = std::to_string(results);
    in.rows[kRowC] = {true, "1", ""};
    in.rows[kRowH] = {true, "", "12"};
    for (int i = 0; i < results; ++i) {
        FormulaCandidate c;
        c.counts = {6, 6, 0, 0, 0, 0, 0};
        c.elements = {6, 9, 5};
        c.rdb = 4.0f;
        in.results.push_back(c);
    }
    return in;
}

const ReportLine* lineAt(const std::vector<ReportLine>& lines, int page, int y) {
    for (const ReportLine& l : lines)
        if (l.page == page && l.y == y && !l.title) return &l;
    return nullptr;
}

TEST(FormulaReport, TheHeaderRowsAndResultLinesAsThePageHasThem) {
    FormulaReportInput in = benzeneSearch(1);
    in.molecularIons = true;
    in.nitrogenRule = true;
    const std::vector<ReportLine> lines = formulaReportLines(in, test::elements());
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0].text, "ELEMENTAL COMPOSITION");
    EXPECT_TRUE(lines[0].title);
    EXPECT_EQ(lines[0].x, 830);
    EXPECT_EQ(lineAt(lines, 1, 310)->text,
              "Mass:  78.047               Tolerance:  0.01               Found:  1");
    EXPECT_EQ(lineAt(lines, 1, 410)->text, "Restrict to Molecular Ions        Nitrogen Rule is On");
    EXPECT_EQ(lineAt(lines, 1, 510)->text, "       Carbon:   1  [Min]");
    EXPECT_EQ(lineAt(lines, 1, 560)->text, "     Hydrogen:   0 [Min]  To   12  [Max]");
    const ReportLine* heading = lineAt(lines, 1, 660);
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->text, "    C    H      Mass     Defect   R+DB    Parity  ");
    EXPECT_TRUE(heading->bold && heading->underline);
    const ReportLine* result = lineAt(lines, 1, 760);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->text, "    6    6     78.0470   0.0470     4       Odd");
    EXPECT_TRUE(result->bold);

    in.molecularIons = false;
    EXPECT_EQ(lineAt(formulaReportLines(in, test::elements()), 1, 410)->text,
              "Nitrogen Rule Is On");
}

TEST(FormulaReport, TenResultsAreFollowedByARuleAndFiftyLinesFillAPage) {
    const std::vector<ReportLine> lines = formulaReportLines(benzeneSearch(60), test::elements());
    // Without option lines the heading stands at 560 and the first result at 660; the rule
    // follows the tenth.
    EXPECT_EQ(lineAt(lines, 1, 660 + 10 * 50)->text, std::string(70, '-'));
    int onFirstPage = 0;
    for (const ReportLine& l : lines)
        onFirstPage += l.page == 1 && l.y >= 660;
    EXPECT_EQ(onFirstPage, 50);
    const ReportLine* pageNumber = lineAt(lines, 2, 100);
    ASSERT_NE(pageNumber, nullptr);
    EXPECT_EQ(pageNumber->text, "Page: 2");
    EXPECT_EQ(pageNumber->x, 1050);
    EXPECT_TRUE(lineAt(lines, 2, 200)->underline) << "the heading again";
    EXPECT_NE(lineAt(lines, 2, 310), nullptr) << "results go on at 310";
}

TEST(FormulaReport, TheConfirmationCountsThePages) {
    EXPECT_EQ(formulaReportPages(31), 2);
    EXPECT_EQ(formulaReportPages(130), 4);
    EXPECT_EQ(formulaReportQuestion(130),
              "There are 130 results to print, or about\r\n4 pages.  OK to continue?");
}

} // namespace
} // namespace qzx
