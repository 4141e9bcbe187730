#include "chem/formula_results.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chem/element_table.h"
#include "chem/isotope_pattern.h"
#include "loaded_elements.h"
#include "spectrum/spectrum.h"

namespace qzx {
namespace {

struct NoNotices : IsotopeNotices {
    void notice(const std::string& text) override { ADD_FAILURE() << text; }
};

FormulaCandidate candidate(int c, int h, int o, int n, float rdb, std::int32_t difference = 0) {
    FormulaCandidate r;
    r.counts = {c, h, o, n, 0, 0, 0};
    r.elements = {6, 9, 5};
    r.rdb = rdb;
    r.difference = difference;
    return r;
}

TEST(FormulaResults, TheDetailTextNamesMassRdbMPlusOneAndParity) {
    NoNotices notices;
    const std::string text =
        formulaDetailText(candidate(6, 6, 0, 0, 4.0f), test::elements(), notices);
    EXPECT_EQ(text.substr(0, 23), "Composition is: C6 H6\r\r");
    EXPECT_NE(text.find("Molecular Weight:   78.0470\r\r"), std::string::npos) << text;
    EXPECT_NE(text.find("Rings + Double Bonds: 4\r\r"), std::string::npos);
    EXPECT_NE(text.find("(M+1)%  =  6."), std::string::npos) << "benzene's M+1 is 6.5 %";
    EXPECT_EQ(text.substr(text.size() - 14), "\r\rOdd Electron");

    const std::string half =
        formulaDetailText(candidate(7, 7, 0, 0, 4.5f), test::elements(), notices);
    EXPECT_EQ(half.substr(half.size() - 15), "\r\rEven Electron");
    // A negative RDB reads 0.
    EXPECT_NE(formulaDetailText(candidate(0, 4, 1, 0, -1.0f), test::elements(), notices)
                  .find("Rings + Double Bonds: 0\r\r"),
              std::string::npos);
}

TEST(FormulaResults, WithASpectrumTheDetailsSayHowWellTheIsotopesAgree) {
    NoNotices notices;
    Spectrum spectrum;
    EXPECT_EQ(formulaDetailText(candidate(6, 6, 0, 0, 4.0f), test::elements(), notices, &spectrum)
                  .find("Isotope match"),
              std::string::npos)
        << "no spectrum, no line";
    spectrum.peak(1) = {78.0f, 100.0f};
    spectrum.peak(2) = {79.0f, 6.5f};
    spectrum.setPeakCount(2);
    const std::string text =
        formulaDetailText(candidate(6, 6, 0, 0, 4.0f), test::elements(), notices, &spectrum);
    EXPECT_NE(text.find("\r\rIsotope match with the spectrum (M to M+4):  "), std::string::npos)
        << text;
    EXPECT_EQ(text.substr(text.size() - 2), " %");
    spectrum.peak(1) = {50.0f, 100.0f};
    spectrum.setPeakCount(1);
    EXPECT_NE(formulaDetailText(candidate(6, 6, 0, 0, 4.0f), test::elements(), notices, &spectrum)
                  .find("Isotope match: the spectrum has no peaks at M to M+4"),
              std::string::npos);
}

TEST(FormulaResults, CopyLinesPadTheirColumns) {
    EXPECT_EQ(formulaCopyLine("C6 H6", "0.0013", 4.0f),
              "C6 H6" + std::string(25, ' ') + "    0.0013" + "     4" + "   Odd");
    EXPECT_EQ(formulaCopyLine("C7 H7", "0.0100", 4.5f).substr(30), "    0.0100     4   Even");
    EXPECT_EQ(formulaCopyLine("C1 H5 N1", "0.5000", 0.5f).substr(40), "     0   Even")
        << "0.5 rounds to the even 0";
}

TEST(FormulaResults, DifferenceOrderSortsByTheKeyAndKeepsEveryResult) {
    std::vector<FormulaCandidate> results;
    for (int key : {30, 10, 20, 10, 5})
        results.push_back(candidate(1, 0, 0, 0, 0.0f, key));
    const std::vector<int> order = differenceOrder(results);
    ASSERT_EQ(order.size(), 5u);
    EXPECT_EQ(order[0], 4);
    EXPECT_EQ(results[static_cast<std::size_t>(order[1])].difference, 10);
    EXPECT_EQ(results[static_cast<std::size_t>(order[2])].difference, 10);
    EXPECT_EQ(order[3], 2);
    EXPECT_EQ(order[4], 0);
    EXPECT_TRUE(differenceOrder({}).empty());
    EXPECT_EQ(formulaDifferenceCell(13), "0.0013");
    EXPECT_EQ(formulaDifferenceCell(12345), "1.2345");
}

TEST(FormulaResults, ToleranceAboveTwoBecomesTwo) {
    EXPECT_EQ(clampedToleranceText("0.005"), "0.005");
    EXPECT_EQ(clampedToleranceText("2.9"), "2.9") << "its whole number is 2";
    EXPECT_EQ(clampedToleranceText("3"), "2");
    EXPECT_EQ(clampedToleranceText("15.5"), "2");
    EXPECT_EQ(clampedToleranceText("abc"), "abc");
}

} // namespace
} // namespace qzx
