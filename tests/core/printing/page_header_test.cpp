#include "printing/page_header.h"

#include <gtest/gtest.h>

namespace qzx {
namespace {

TEST(PageFrameLines, HeaderAndDateLinesAreCentredAtTheirHeights) {
    PageSetup setup;
    auto lines = pageHeaderTexts(setup, "/data/benzene.asc", "3/14/2024", 2400, 300);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text(), "/data/benzene.asc");
    EXPECT_EQ(lines[0].y, 120);
    EXPECT_EQ(lines[1].text(), "3/14/2024");
    EXPECT_EQ(lines[1].y, 300);
    for (const PageText& line : lines) {
        EXPECT_EQ(line.x, 1200);
        EXPECT_EQ(line.anchor, PageText::Anchor::Centre);
        EXPECT_EQ(line.family, "Times New Roman");
        EXPECT_EQ(line.pixelSize, 58); // 14 points at 300 dots an inch
    }

    setup.header = PageHeader::None;
    lines = pageHeaderTexts(setup, "/data/benzene.asc", "3/14/2024", 2400, 300);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text(), "3/14/2024");
    EXPECT_EQ(lines[0].y, 120);

    setup.header = PageHeader::Custom;
    setup.customHeader = "Toluene run 4";
    setup.showDate = false;
    lines = pageHeaderTexts(setup, "/data/benzene.asc", "3/14/2024", 4801, 600);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text(), "Toluene run 4");
    EXPECT_EQ(lines[0].x, 2400);
    EXPECT_EQ(lines[0].pixelSize, 117);

    setup.header = PageHeader::None;
    EXPECT_TRUE(pageHeaderTexts(setup, "x", "y", 2400, 300).empty());
}

TEST(PageFrameLines, SpectrumLabelKeepsItsShareOfTheWindow) {
    const PageRect frame{300, 315, 1800, 1260};
    SpectrumLabel label{"Benzene", 300, 100, 600, 400};
    PageText text = spectrumLabelText(label, frame, true, 300);
    EXPECT_EQ(text.x, 300 + 900);
    EXPECT_EQ(text.y, 315 + 315);
    EXPECT_EQ(text.text(), "Benzene");
    EXPECT_EQ(text.pixelSize, 67); // 16 points
    EXPECT_TRUE(text.bold);
    EXPECT_EQ(text.colour, PageColour::Blue);
    // A window 1300 wide: half-way across the window is half-way across the frame.
    label = {"Benzene", 650, 0, 1300, 400};
    EXPECT_EQ(spectrumLabelText(label, frame, true, 300).x, 300 + 900);

    // On a picture the label is placed within the picture, in the window's 19-pixel font.
    label = {"Benzene", 250, 200, 1000, 800};
    text = spectrumLabelText(label, {0, 0, 500, 500}, false, 96);
    EXPECT_EQ(text.x, 125);
    EXPECT_EQ(text.y, 125);
    EXPECT_EQ(text.pixelSize, 19);
    // A window without size puts the label at the frame's corner.
    label = {"Benzene", 250, 200, 0, 0};
    text = spectrumLabelText(label, frame, true, 300);
    EXPECT_EQ(text.x, 300);
    EXPECT_EQ(text.y, 315);
}

TEST(PageFrameLines, CompositionLineLowersDigitsAndBlanks) {
    CompositionAndMass values{"C6 H6 ", 78, 78.0469f, false};
    auto lines = compositionAndMassTexts(values, 2400, 3150, 300);
    ASSERT_EQ(lines.size(), 2u);
    const PageText& composition = lines[0];
    EXPECT_EQ(composition.x, 240);
    EXPECT_EQ(composition.y, 2835);
    EXPECT_EQ(composition.pixelSize, 58);
    EXPECT_EQ(composition.loweredPixelSize, 50); // 12 points
    EXPECT_EQ(composition.loweredBy, 28);
    EXPECT_EQ(composition.runs, (std::vector<PageTextRun>{{"Elemental Composition = ", false},
                                                          {"C", false},
                                                          {"6 ", true},
                                                          {"H", false},
                                                          {"6 ", true}}));
    EXPECT_EQ(lines[1].x, 1680);
    EXPECT_EQ(lines[1].y, 2835);
    EXPECT_EQ(lines[1].text(), "Formula Weight = 78");

    values.accurateMass = true;
    values.composition = "C12 Cl1 ";
    lines = compositionAndMassTexts(values, 4800, 6300, 600);
    EXPECT_EQ(lines[1].text(), "Formula Weight = 78.0469");
    EXPECT_EQ(lines[0].loweredBy, 56);
    EXPECT_EQ(lines[0].runs[2], (PageTextRun{"12 ", true}));
    EXPECT_EQ(lines[0].runs[3], (PageTextRun{"Cl", false}));
}

TEST(PageFrameLines, FormulaWeightKeepsSevenSignificantDigits) {
    EXPECT_EQ(formulaWeightText(78.0469), "78.0469");
    EXPECT_EQ(formulaWeightText(1234.56789), "1234.5680");
    EXPECT_EQ(formulaWeightText(2.015649), "2.0156");
}

} // namespace
} // namespace qzx
