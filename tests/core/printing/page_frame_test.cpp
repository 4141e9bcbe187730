#include "printing/page_frame.h"

#include <gtest/gtest.h>

#include "settings/settings.h"

namespace qzx {
namespace {

PageSetup placed(int top, int left, int height, int width, PageOrientation orientation) {
    PageSetup setup;
    setup.top = top;
    setup.left = left;
    setup.height = height;
    setup.width = width;
    setup.orientation = orientation;
    return setup;
}

TEST(PageFrame, UnitsFollowTheOrientationAndFillInAtPrintTime) {
    EXPECT_EQ(pageUnitsFor(PageOrientation::Portrait), (PageUnits{160, 200}));
    EXPECT_EQ(pageUnitsFor(PageOrientation::Landscape), (PageUnits{200, 160}));
    EXPECT_EQ(pageUnitsAtPrintTime({0, 0}, PageOrientation::Portrait), (PageUnits{160, 200}));
    EXPECT_EQ(pageUnitsAtPrintTime({0, 0}, PageOrientation::Landscape), (PageUnits{200, 160}));
    // Only a unit still 0 is filled in; one already set stays.
    EXPECT_EQ(pageUnitsAtPrintTime({0, 200}, PageOrientation::Landscape), (PageUnits{200, 200}));
    EXPECT_EQ(pageUnitsAtPrintTime({160, 0}, PageOrientation::Landscape), (PageUnits{160, 160}));
}

TEST(PageFrame, FrameInPrinterPixels) {
    const PageSetup portrait = placed(40, 10, 140, 140, PageOrientation::Portrait);
    EXPECT_EQ(pageFrame(portrait, {160, 200}, 2400, 3200), (PageRect{150, 640, 2100, 2240}));
    // Units not yet set are those of the orientation.
    EXPECT_EQ(pageFrame(portrait, {0, 0}, 2400, 3200), (PageRect{150, 640, 2100, 2240}));
    // Landscape on Letter: 10/200 x 3150 = 157.5 goes to the even 158.
    const PageSetup landscape = placed(40, 10, 140, 140, PageOrientation::Landscape);
    EXPECT_EQ(pageFrame(landscape, {200, 160}, 3150, 2400), (PageRect{158, 600, 2205, 2100}));
}

TEST(PageFrame, PrintReportForcesItsLayout) {
    PageSetup report = reportPageSetup();
    EXPECT_EQ(report.top, 20);
    EXPECT_EQ(report.left, 20);
    EXPECT_EQ(report.height, 80);
    EXPECT_EQ(report.width, 120);
    EXPECT_EQ(report.orientation, PageOrientation::Portrait);
    EXPECT_EQ(report.header, PageHeader::Filename);
    EXPECT_FALSE(report.showDate);
    EXPECT_EQ(pageFrame(report, pageUnitsFor(report.orientation), 2400, 3150),
              (PageRect{300, 315, 1800, 1260}));
    EXPECT_EQ(pageFrame(report, pageUnitsFor(report.orientation), 4800, 6300),
              (PageRect{600, 630, 3600, 2520}));
}

TEST(PageFrame, CreationAndDefaultsReadThePageSettings) {
    Settings settings;
    const PageSetup created = pageSetupOnCreation(settings);
    EXPECT_EQ(created.orientation, PageOrientation::Landscape);
    EXPECT_EQ(created.top, 60);
    EXPECT_EQ(created.left, 60);
    EXPECT_EQ(created.height, 60); // StructureWidth
    EXPECT_EQ(created.width, 70);  // StructureHeight

    PageSetup current = created;
    current.header = PageHeader::Custom;
    current.customHeader = "Benzene";
    const PageSetup spectrum = pageSetupDefaults(settings, false, current);
    EXPECT_EQ(spectrum.top, 50);
    EXPECT_EQ(spectrum.left, 20);
    EXPECT_EQ(spectrum.height, 120);
    EXPECT_EQ(spectrum.width, 120);
    EXPECT_EQ(spectrum.orientation, PageOrientation::Portrait);
    EXPECT_EQ(spectrum.header, PageHeader::Custom);
    EXPECT_EQ(spectrum.customHeader, "Benzene");

    const PageSetup structure = pageSetupDefaults(settings, true, spectrum);
    EXPECT_EQ(structure.height, 60);
    EXPECT_EQ(structure.width, 70);
    EXPECT_EQ(structure.orientation, PageOrientation::Landscape);

    // Settings that are no whole number keep the box; the boxes hold 0..200.
    settings.SpectrumTop = "abc";
    settings.SpectrumLeft = "250";
    settings.SpectrumWidth = "-5";
    settings.Spectrum_Orientation = 3;
    const PageSetup odd = pageSetupDefaults(settings, false, placed(33, 1, 2, 3, {}));
    EXPECT_EQ(odd.top, 33);
    EXPECT_EQ(odd.left, 200);
    EXPECT_EQ(odd.height, 0);
    EXPECT_EQ(odd.orientation, PageOrientation::Landscape);
}

TEST(PageFrame, StructurePageIsCentredAndKeptInsideTheMargins) {
    PageSetup setup = placed(40, 10, 10, 10, PageOrientation::Portrait);
    // a = 160/1600 x 160 = 16, b = 200/2000 x 200 = 20; w = 10/16 x 2400, h = 10/20 x 3150.
    EXPECT_EQ(structurePageFrame(setup, {160, 200}, 2400, 3150, 1600, 2000),
              (PageRect{450, 788, 1500, 1575}));
    // Too large: a = 80, b = 100, w = 4200, h = 4410, held 100/200 from the top-left and
    // 100 from the right and bottom.
    setup.width = 140;
    setup.height = 140;
    EXPECT_EQ(structurePageFrame(setup, {160, 200}, 2400, 3150, 320, 400),
              (PageRect{100, 200, 2200, 2850}));
    // A 4800-pixel page doubles the top-left margins only.
    EXPECT_EQ(structurePageFrame(setup, {160, 200}, 4800, 6300, 320, 400),
              (PageRect{200, 400, 4500, 5800}));
    // Top and Left of the setup play no part.
    PageSetup moved = setup;
    moved.top = 0;
    moved.left = 190;
    EXPECT_EQ(structurePageFrame(moved, {160, 200}, 2400, 3150, 320, 400),
              structurePageFrame(setup, {160, 200}, 2400, 3150, 320, 400));
}

TEST(PageFrame, StructurePageNeverDividesByZeroOrGoesNegative) {
    const PageSetup setup = placed(40, 10, 140, 140, PageOrientation::Portrait);
    // An empty picture: nothing to stretch, an empty rectangle at the centre.
    EXPECT_EQ(structurePageFrame(setup, {160, 200}, 2400, 3150, 0, 0),
              (PageRect{1200, 1575, 0, 0}));
    // A picture so wide that its share rounds to 0 fills the page's width.
    EXPECT_EQ(structurePageFrame(setup, {160, 200}, 2400, 3150, 100000, 400).width, 2200);
    // A page smaller than its margins.
    const PageRect tiny = structurePageFrame(setup, {160, 200}, 150, 250, 320, 400);
    EXPECT_EQ(tiny.left, 100);
    EXPECT_EQ(tiny.top, 200);
    EXPECT_EQ(tiny.width, 0);
    EXPECT_EQ(tiny.height, 0);
}

TEST(PageFrame, PreviewLabelsFollowTheHeaderAndDateChoices) {
    PageSetup setup = placed(40, 10, 140, 120, PageOrientation::Portrait);
    setup.showCompositionAndMass = true;
    PagePreview preview = pagePreview(setup);
    EXPECT_EQ(preview.headerLabel, "<Filename>");
    EXPECT_TRUE(preview.dateShown);
    EXPECT_EQ(preview.dateTop, 24);
    EXPECT_TRUE(preview.compositionShown);
    EXPECT_EQ(preview.image, (PageRect{10, 40, 120, 140}));

    setup.header = PageHeader::None;
    preview = pagePreview(setup);
    EXPECT_EQ(preview.headerLabel, "");
    EXPECT_EQ(preview.dateTop, 9);

    setup.header = PageHeader::Custom;
    setup.showDate = false;
    preview = pagePreview(setup);
    EXPECT_EQ(preview.headerLabel, "<Custom>");
    EXPECT_EQ(preview.dateTop, 24);
    EXPECT_FALSE(preview.dateShown);
}

} // namespace
} // namespace qzx
