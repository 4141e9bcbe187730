// The printed autofragment results and evaluation.
#include <gtest/gtest.h>

#include <algorithm>

#include "chem/autofragment.h"
#include "chem/fragment_printouts.h"
#include "chem/fragments.h"
#include "fragment_test_support.h"

namespace qzx::test {
namespace {

const PrintLine* lineWith(const std::vector<PrintLine>& lines, const std::string& text) {
    const auto found = std::find_if(lines.begin(), lines.end(),
                                    [&](const PrintLine& line) { return line.text == text; });
    return found == lines.end() ? nullptr : &*found;
}

TEST(FragmentPrintouts, TheResultsListPrintsEveryRowWithItsFormula) {
    const Structure s = toluene();
    FragmentTable table;
    ASSERT_EQ(RunAutofragment(s, elements(), {}, table).status, AutofragmentStatus::Done);
    const std::vector<PrintLine> lines = fragmentListPrintLines(table, s, 1);
    EXPECT_EQ(lines[0].text, "AUTOFRAGMENT RESULTS");
    EXPECT_EQ(lines[1].text, "Fragments: " + std::to_string(table.FragmentCount));
    const PrintLine* ion = lineWith(lines, "   92     C7 H8 ");
    ASSERT_NE(ion, nullptr) << "the molecular ion with its formula";
    EXPECT_EQ(ion->x, 200);
    EXPECT_EQ(ion->y, 430 + 50 * (table.FragmentCount - 1));
    EXPECT_NE(lineWith(lines, "   77     C6 H5 "), nullptr);
}

TEST(FragmentPrintouts, LongListsGoOnInASecondColumnAndPage) {
    FragmentTable table;
    for (int k = 0; k < 101; ++k)
        table.append({15, {1}});
    const std::vector<PrintLine> lines = fragmentListPrintLines(table, carbonChain(1), 2);
    const auto heading = [](const PrintLine& line) { return line.text == "   Mass   Formula"; };
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), heading), 3);
    const PrintLine* page = lineWith(lines, "Page: 2");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->page, 2);
    EXPECT_EQ(lines.back().page, 2) << "row 101 opens the second page";
    EXPECT_EQ(lines.back().x, 400);
    EXPECT_EQ(lines[53].x, 2 * 1300) << "row 51 heads the second column";
}

TEST(FragmentPrintouts, TheEvaluationPrintsEveryGridRowInColumns) {
    const std::vector<PrintLine> lines =
        evaluationPrintLines({{"Mass", "Identity", "M - Mass"}, {"  15", "Methyl", "  77"}}, 1);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text, "AUTOFRAGMENT EVALUATION");
    EXPECT_EQ(lines[1].text, "Mass    Identity                    M - Mass");
    EXPECT_EQ(lines[2].text, "  15    Methyl                        77");
    EXPECT_EQ(lines[2].y, 430);
}

} // namespace
} // namespace qzx::test
