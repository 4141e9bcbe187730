#include "spectrum/peak_table.h"

#include <gtest/gtest.h>

#include "spectrum/peak_text.h"
#include "spectrum_builders.h"

namespace qzx {
namespace {

using test::spectrumOf;

TEST(PeakTable, LibraryAndTextNumbersFillMassAndAbundanceRowByRow) {
    EXPECT_EQ(peakRowsFromNumbers(numbersInText("41 100; 42 50;")).rows,
              (PeakRows{{"41", "100"}, {"42", "50"}}));
    EXPECT_EQ(peakRowsFromNumbers(numbersInText("m/z 57.0 int 12")).rows,
              (PeakRows{{"57.0", "12"}}));
    EXPECT_EQ(peakRowsFromNumbers({"41", "100", "43"}).rows, (PeakRows{{"41", "100"}, {"43", ""}}))
        << "an odd count leaves the last abundance empty";
}

TEST(PeakTable, ValuesBeyondRow299AreCountedAndTheUserIsTold) {
    std::vector<std::string> numbers;
    for (int k = 1; k <= 301; ++k) {
        numbers.push_back(std::to_string(k));
        numbers.push_back("5");
    }
    numbers.push_back("999");
    const PeakRowsFill fill = peakRowsFromNumbers(numbers);
    ASSERT_EQ(fill.rows.size(), 299u);
    EXPECT_EQ(fill.rows.back(), (PeakRow{"299", "5"}));
    EXPECT_EQ(fill.valuesLeftOut, 5u);
    EXPECT_EQ(leftOutMessage(fill.valuesLeftOut),
              "The table holds 299 peaks; 5 values after row 299 could not be shown and were "
              "left out.");
    EXPECT_EQ(leftOutMessage(0), "");
    EXPECT_EQ(peakRowsFromNumbers(std::vector<std::string>(598, "1")).valuesLeftOut, 0u);
}

TEST(PeakTable, AscOpenTakesLinePairsAfterTheStrippedLinesAsWritten) {
    EXPECT_EQ(ascTableRows("header\r\n41\r\n100\r\n 42.5 \r\n50\r\n", 1).rows,
              (PeakRows{{"41", "100"}, {" 42.5 ", "50"}}));
    EXPECT_TRUE(ascTableRows("41\n100\n", 3).rows.empty()) << "strip 3 on a 2-line file";
    EXPECT_EQ(ascTableRows("41\n100\n42", 0).rows, (PeakRows{{"41", "100"}, {"42", ""}}));
}

TEST(PeakTable, SaveWritesThePeakListUpToTheFirstEmptyMass) {
    const PeakRows rows{{"41", "100"}, {"42", ""}, {"", "7"}, {"44", "3"}};
    EXPECT_EQ(peakListLength(rows), 2u);
    EXPECT_EQ(peakTableAscText(rows), "41\r\n100\r\n42\r\n\r\n");
    EXPECT_EQ(peakTableAscText({}), "");
}

TEST(PeakTable, TheSpectrumGoesInAsWholeNumbersAndComesBackUnchanged) {
    Spectrum spectrum = spectrumOf({{41.0f, 100.0f}, {42.4f, 2.5f}, {43.0f, 3.5f}});
    spectrum.peak(3).Abundance = 12345678.0f;
    const PeakRows rows = rowsFromSpectrum(spectrum);
    EXPECT_EQ(rows, (PeakRows{{"41", "100"}, {"42", "2"}, {"43", "12345680"}}))
        << "seven significant digits, then ties to even";

    Spectrum back = spectrumOf({{1.0f, 1.0f}, {2.0f, 2.0f}, {3.0f, 3.0f}, {4.0f, 4.0f}});
    EXPECT_EQ(writeRowsToSpectrum(rows, back), 3);
    EXPECT_EQ(back.peakCount(), 3);
    EXPECT_EQ(back.peak(2), (Peak{42.0f, 2.0f}));
    EXPECT_EQ(rowsFromSpectrum(back), rows) << "opening and closing at once keeps the peaks";
}

TEST(PeakTable, CellsThatAreNoNumberGiveZeroAndDecimalsAreRoundedNotDropped) {
    Spectrum spectrum;
    writeRowsToSpectrum({{"57.0", "12.5"}, {"abc", "-3"}, {" 58.6 ", "1e2"}, {"5x", ""}}, spectrum);
    ASSERT_EQ(spectrum.peakCount(), 4);
    EXPECT_EQ(spectrum.peak(1), (Peak{57.0f, 12.0f}));
    EXPECT_EQ(spectrum.peak(2), (Peak{0.0f, -3.0f}));
    EXPECT_EQ(spectrum.peak(3), (Peak{59.0f, 100.0f}));
    EXPECT_EQ(spectrum.peak(4), (Peak{0.0f, 0.0f}));
    writeRowsToSpectrum({}, spectrum);
    EXPECT_EQ(spectrum.peakCount(), 0);
}

TEST(PeakTable, SpectrumFilePeaksGoInAsShortestTextsAndComeOutExactly) {
    const PeakRowsFill fill = rowsFromPeaks({{41.0f, 100.0f}, {57.1f, 0.25f}});
    EXPECT_EQ(fill.rows, (PeakRows{{"41", "100"}, {"57.1", "0.25"}}));
    const TablePeaks back = peaksFromRows(fill.rows);
    EXPECT_EQ(back.error, "");
    EXPECT_EQ(back.peaks, (std::vector<Peak>{{41.0f, 100.0f}, {57.1f, 0.25f}}));

    const TablePeaks bad = peaksFromRows({{"41", "100"}, {"42", "5x"}, {"", "1"}});
    EXPECT_EQ(bad.error, "Row 2: \"5x\" is not a number.");
    EXPECT_TRUE(bad.peaks.empty());
    EXPECT_EQ(peaksFromRows({{"43", ""}}).error, "Row 1: \"\" is not a number.")
        << "a mass without an abundance is not written as 0";
}

TEST(PeakTable, PeekShowsAtMostTenNumberedLines) {
    EXPECT_EQ(peekLines("a\r\nb\nc"), "Line1-> a\rLine2-> b\rLine3-> c\r");
    std::string twelve;
    for (int k = 1; k <= 12; ++k)
        twelve += std::to_string(k) + "\n";
    const std::string shown = peekLines(twelve);
    EXPECT_NE(shown.find("Line10-> 10\r"), std::string::npos);
    EXPECT_EQ(shown.find("Line11"), std::string::npos);
    EXPECT_EQ(peekLines(""), "");
}

TEST(PeakTable, PrintedColumnsHoldFiftyRowsThreeToAPage) {
    PeakRows rows;
    for (int k = 1; k <= 151; ++k)
        rows.push_back({std::to_string(k), std::to_string(1000 + k)});
    const std::vector<PrintLine> lines = peakTablePrintLines(rows, 1);
    ASSERT_EQ(lines.size(), 1u + 4u + 151u + 1u) << "title, four headings, rows, page number";
    EXPECT_EQ(lines[0].text, "SPECTRUM DATA");
    EXPECT_EQ(lines[0].x, 940);
    EXPECT_EQ(lines[1].text, "  Mass         Abundance  ");
    EXPECT_EQ(lines[1].y, 330);
    EXPECT_EQ(lines[2].text, "   1      1001");
    EXPECT_EQ(lines[2].y, 430);
    const auto find = [&](const std::string& text) {
        for (const PrintLine& line : lines)
            if (line.text == text) return line;
        ADD_FAILURE() << text;
        return PrintLine{};
    };
    const PrintLine row51 = find("  51      1051");
    EXPECT_EQ(row51.x, 900);
    EXPECT_EQ(row51.y, 430);
    EXPECT_EQ(find(" 150      1150").y, 430 + 49 * 50);
    const PrintLine page2 = find("Page: 2");
    EXPECT_EQ(page2.page, 2);
    EXPECT_EQ(page2.x, 1050);
    const PrintLine row151 = find(" 151      1151");
    EXPECT_EQ(row151.page, 2);
    EXPECT_EQ(row151.x, 200);
    EXPECT_EQ(peakTablePrintLines(rows, 2)[0].y, 220) << "positions are multiples of the unit";
}

} // namespace
} // namespace qzx
