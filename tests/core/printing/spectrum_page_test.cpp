#include "printing/spectrum_page.h"

#include <gtest/gtest.h>

#include "spectrum/spectrum.h"
#include "spectrum/spectrum_builders.h"

namespace qzx {
namespace {

using test::spectrumOf;

Spectrum threePeaks() {
    return spectrumOf({{50.0f, 20.0f}, {78.0f, 100.0f}, {90.0f, 2.0f}});
}

const PageText* textAt(const SpectrumPage& page, int y) {
    for (const PageText& t : page.texts)
        if (t.y == y) return &t;
    return nullptr;
}

TEST(SpectrumPage, MatchAndHydrogenLines) {
    EXPECT_EQ(matchLineText(7, 20), "There were 7 matches of 20 ions (35.0%)");
    EXPECT_EQ(matchLineText(1, 3), "There were 1 matches of 3 ions (33.3%)");
    EXPECT_EQ(matchLineText(5, 100), "There were 5 matches of 100 ions ( 5.0%)");
    EXPECT_EQ(matchLineText(20, 20), "There were 20 matches of 20 ions (100.0%)");
    EXPECT_EQ(matchLineText(0, 0), "There were 0 matches of 0 ions ( 0.0%)");
    EXPECT_EQ(hydrogenTransferText(false, 2), "No Hydrogen Transfers Allowed");
    EXPECT_EQ(hydrogenTransferText(true, 1), "Hydrogen Transfers (1) Were Permitted");
    EXPECT_EQ(hydrogenTransferText(true, 2), "Hydrogen Transfers (2) Were Permitted");
}

TEST(SpectrumPage, ClipboardPicturePlot) {
    const SpectrumPageRequest request; // a 500 x 500 picture at (0, 0)
    const SpectrumPage page = spectrumPage(threePeaks(), request, {});
    EXPECT_DOUBLE_EQ(page.textScale, 1.0);
    EXPECT_EQ(page.plotPoints, 9);
    EXPECT_EQ(page.penWidth, 1);
    ASSERT_GE(page.axes.size(), 2u + 5u + 6u);
    EXPECT_EQ(page.axes[0], (PageLine{50, 45, 50, 420, 1, PageColour::Black}));
    EXPECT_EQ(page.axes[1], (PageLine{50, 420, 450, 420, 1, PageColour::Black}));
    EXPECT_EQ(page.axes[3], (PageLine{45, 124, 50, 124, 1, PageColour::Black})); // s = 74
    EXPECT_EQ(page.axes[8], (PageLine{133, 420, 133, 425, 1, PageColour::Black}));

    // Intensity texts right-aligned on x 40 from y0 = 25000 / 500.
    ASSERT_GE(page.texts.size(), 4u + 6u + 1u);
    const int ys[] = {50, 198, 235, 346};
    const char* labels[] = {"100 ", " 60 ", "% ", " 20 "};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(page.texts[i].text(), labels[i]);
        EXPECT_EQ(page.texts[i].y, ys[i]);
        EXPECT_EQ(page.texts[i].x, 40);
        EXPECT_EQ(page.texts[i].anchor, PageText::Anchor::Right);
        EXPECT_EQ(page.texts[i].pixelSize, 12);
    }
    // Masses 50 to 100 on ticks 78 pixels apart.
    EXPECT_EQ(page.texts[4].text(), "50");
    EXPECT_EQ(page.texts[4].x, 53);
    EXPECT_EQ(page.texts[4].y, 425);
    EXPECT_EQ(page.texts[5].text(), "60");
    EXPECT_EQ(page.texts[5].x, 126);
    EXPECT_EQ(page.texts[9].text(), "100");
    EXPECT_EQ(page.texts[10].text(), "Mass / Charge");
    EXPECT_EQ(page.texts[10].x, 211);
    EXPECT_EQ(page.texts[10].y, 450);
    EXPECT_EQ(page.texts.size(), 11u);

    ASSERT_EQ(page.peaks.size(), 3u);
    EXPECT_EQ(page.peaks[0], (PageLine{55, 420, 55, 346, 1, PageColour::Black}));
    EXPECT_EQ(page.peaks[1], (PageLine{273, 420, 273, 50, 1, PageColour::Black}));
    EXPECT_EQ(page.peaks[2], (PageLine{367, 420, 367, 413, 1, PageColour::Black}));
    EXPECT_TRUE(page.rules.empty());
}

TEST(SpectrumPage, PrinterPlotIsPlacedInItsFrame) {
    SpectrumPageRequest request;
    request.target = SpectrumTarget::Printer;
    request.width = 1800;
    request.height = 1260;
    request.left = 300;
    request.top = 315;
    const SpectrumPage page = spectrumPage(threePeaks(), request, {});
    EXPECT_DOUBLE_EQ(page.textScale, 3.6);
    EXPECT_EQ(page.plotPoints, 32);
    EXPECT_EQ(page.penWidth, 2);
    EXPECT_EQ(page.axes[0], (PageLine{350, 360, 350, 1495, 2, PageColour::Black}));
    EXPECT_EQ(page.texts[0].y, 315 + 20); // 25000 / 1260 rounded
    EXPECT_EQ(page.texts[0].pixelSize, 43);
    // The axis title under the middle of the plot, 28 k below the axis.
    EXPECT_EQ(page.texts[10].text(), "Mass / Charge");
    EXPECT_EQ(page.texts[10].x, 300 + 900 - 111);
    EXPECT_EQ(page.texts[10].y, 315 + 1180 + 101);
    // Peak 78 of 50..100 over 1690 pixels: 55 + 946.4.
    EXPECT_EQ(page.peaks[1].x1, 300 + 55 + 946);
    EXPECT_EQ(page.peaks[1].y2, 315 + 50);
    // No summary was asked for.
    EXPECT_TRUE(page.rules.empty());
    EXPECT_EQ(textAt(page, 1850), nullptr);
}

TEST(SpectrumPage, MatchedPeaksAreRedOrThick) {
    Spectrum s = threePeaks();
    s.PeakMatched[2] = true;
    SpectrumPageRequest request;
    request.showMatches = true;
    auto page = spectrumPage(s, request, {});
    EXPECT_EQ(page.peaks[1].colour, PageColour::Red);
    EXPECT_EQ(page.peaks[1].penWidth, 1);
    EXPECT_EQ(page.peaks[0].colour, PageColour::Black);

    request.target = SpectrumTarget::Printer;
    page = spectrumPage(s, request, {});
    EXPECT_EQ(page.peaks[1].colour, PageColour::Black);
    EXPECT_EQ(page.peaks[1].penWidth, 4);
    EXPECT_EQ(page.peaks[0].penWidth, 2);

    request.colorPrinter = true;
    page = spectrumPage(s, request, {});
    EXPECT_EQ(page.peaks[1].colour, PageColour::Red);
    EXPECT_EQ(page.peaks[1].penWidth, 2);
    EXPECT_EQ(page.peaks[0].colour, PageColour::Black);

    // Without marks a colour printer draws every peak in navy, matched or not.
    request.showMatches = false;
    page = spectrumPage(s, request, {});
    for (const PageLine& peak : page.peaks) {
        EXPECT_EQ(peak.colour, PageColour::Navy);
        EXPECT_EQ(peak.penWidth, 2);
    }
    request.target = SpectrumTarget::Clipboard;
    page = spectrumPage(s, request, {});
    for (const PageLine& peak : page.peaks)
        EXPECT_EQ(peak.colour, PageColour::Black);
}

SpectrumPageRequest reportRequest(int pageWidth) {
    SpectrumPageRequest request;
    request.target = SpectrumTarget::Printer;
    request.showMatches = true;
    request.withSummary = true;
    request.pageWidth = pageWidth;
    request.dotsPerInch = pageWidth == 4800 ? 600 : 300;
    const int f = pageWidth == 4800 ? 2 : 1;
    request.width = 1800 * f;
    request.height = 1260 * f;
    request.left = 300 * f;
    request.top = 315 * f;
    return request;
}

Spectrum twentyPeaksSevenMatched() {
    Spectrum s;
    for (int i = 1; i <= 20; ++i)
        s.peak(i) = {static_cast<float>(10 * i), 5.0f * i};
    s.setPeakCount(20);
    for (int i : {2, 3, 5, 8, 13, 17, 20})
        s.PeakMatched[static_cast<std::size_t>(i)] = true;
    s.MatchCount = 7;
    s.MatchIndex = 0.43215f;
    return s;
}

TEST(SpectrumPage, ComparisonSummaryLines) {
    ComparisonReport report;
    report.allowHydrogenTransfers = true;
    report.hydrogens = 2;
    report.structureLabel = "Benzene   ";
    report.nominalMass = 78;
    report.monoMass = 78.04695f;
    report.composition = "C6 H6 ";
    const SpectrumPage page = spectrumPage(twentyPeaksSevenMatched(), reportRequest(2400), report);

    const PageText* title = textAt(page, 1850);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), "Comparison Summary");
    EXPECT_TRUE(title->bold);
    EXPECT_EQ(title->anchor, PageText::Anchor::Centre);
    EXPECT_EQ(title->x, 1200);
    EXPECT_EQ(title->pixelSize, 50); // 12 points

    const std::pair<int, const char*> lines[] = {
        {1950, "* STRUCTURE *         Benzene"},
        {2050, "Mass: 78"},
        {2150, "Elemental Composition:  C6 H6 "},
        {2250, "Fragments:  7"},
        {2450, "* MATCH *"},
        {2550, "There were 7 matches of 20 ions (35.0%)"},
        {2650, "Hydrogen Transfers (2) Were Permitted"},
        {2750, "The Spectrum Match Index was:  0.4322"},
    };
    for (const auto& [y, text] : lines) {
        const PageText* line = textAt(page, y);
        ASSERT_NE(line, nullptr) << y;
        EXPECT_EQ(line->text(), text);
        EXPECT_EQ(line->x, 350);
        EXPECT_EQ(line->pixelSize, 43);
        EXPECT_EQ(line->italic, y == 1950 || y == 2450) << y;
    }
    const PageText* composition = textAt(page, 2150);
    EXPECT_EQ(composition->runs, (std::vector<PageTextRun>{{"Elemental Composition:  C", false},
                                                           {"6", true},
                                                           {" H", false},
                                                           {"6", true},
                                                           {" ", false}}));
    EXPECT_EQ(composition->loweredPixelSize, 33);
    EXPECT_EQ(composition->loweredBy, 10);
    ASSERT_EQ(page.rules.size(), 1u);
    EXPECT_EQ(page.rules[0], (PageLine{350, 2375, 2050, 2375, 2, PageColour::Black}));
    // The matched peaks are drawn thick on a black-and-white printer.
    EXPECT_EQ(page.peaks[1].penWidth, 4);
    EXPECT_EQ(page.peaks[0].penWidth, 2);
}

TEST(SpectrumPage, SummaryVariants) {
    ComparisonReport report;
    report.accurateMass = true;
    report.monoMass = 78.04695f;
    Spectrum s = twentyPeaksSevenMatched();
    auto page = spectrumPage(s, reportRequest(2400), report);
    EXPECT_EQ(textAt(page, 1950)->text(), "* STRUCTURE *");
    EXPECT_EQ(textAt(page, 2050)->text(), "Mass:  78.0470");
    EXPECT_EQ(textAt(page, 2650)->text(), "No Hydrogen Transfers Allowed");
    report.monoMass = 2.01565f;
    report.structureLabel = "   ";
    page = spectrumPage(s, reportRequest(2400), report);
    EXPECT_EQ(textAt(page, 2050)->text(), "Mass:   2.0157");
    EXPECT_EQ(textAt(page, 1950)->text(), "* STRUCTURE *");

    // Before any comparison: no marks, no matches, index 0.
    Spectrum fresh = threePeaks();
    page = spectrumPage(fresh, reportRequest(2400), report);
    EXPECT_EQ(textAt(page, 2250)->text(), "Fragments:  0");
    EXPECT_EQ(textAt(page, 2550)->text(), "There were 0 matches of 3 ions ( 0.0%)");
    EXPECT_EQ(textAt(page, 2750)->text(), "The Spectrum Match Index was:  0.0000");

    // A 4800-pixel page doubles the heights; the text stays inside the doubled pitch.
    page = spectrumPage(s, reportRequest(4800), report);
    ASSERT_NE(textAt(page, 3700), nullptr);
    EXPECT_EQ(textAt(page, 3700)->text(), "Comparison Summary");
    EXPECT_EQ(textAt(page, 3700)->pixelSize, 100);
    EXPECT_EQ(textAt(page, 5500)->text(), "The Spectrum Match Index was:  0.4322");
    EXPECT_EQ(textAt(page, 5500)->pixelSize, 87);
    EXPECT_EQ(page.rules[0].y1, 4750);

    // A frame so wide that the plot font outgrows the line pitch.
    SpectrumPageRequest wide = reportRequest(2400);
    wide.width = 3300;
    page = spectrumPage(s, wide, report);
    EXPECT_EQ(page.texts[0].pixelSize, 79);
    EXPECT_EQ(textAt(page, 2550)->pixelSize, 75);

    // The summary belongs to printed pages only.
    SpectrumPageRequest picture = reportRequest(2400);
    picture.target = SpectrumTarget::Clipboard;
    page = spectrumPage(s, picture, report);
    EXPECT_TRUE(page.rules.empty());
    EXPECT_EQ(textAt(page, 2550), nullptr);
}

TEST(SpectrumPage, EmptySpectrumDrawsItsAxesOnly) {
    Spectrum empty;
    const SpectrumPage page = spectrumPage(empty, reportRequest(2400), {});
    EXPECT_TRUE(page.peaks.empty());
    EXPECT_EQ(page.texts[4].text(), "10");
    EXPECT_EQ(page.texts[9].text(), "110");
    EXPECT_EQ(textAt(page, 2550)->text(), "There were 0 matches of 0 ions ( 0.0%)");
}

} // namespace
} // namespace qzx
