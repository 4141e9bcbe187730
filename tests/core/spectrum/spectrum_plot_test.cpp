#include "spectrum/spectrum_plot.h"

#include <gtest/gtest.h>

#include "spectrum/spectrum.h"
#include "spectrum_builders.h"

namespace qzx {
namespace {

using test::spectrumOf;

std::vector<std::string> labelTexts(const SpectrumPlot& plot) {
    std::vector<std::string> texts;
    for (const PlotText& t : plot.peakLabels)
        texts.push_back(t.text);
    return texts;
}

TEST(SpectrumPlot, AxesScaleAndBarsOfASmallSpectrum) {
    const Spectrum s = spectrumOf({{50.0f, 20.0f}, {78.0f, 100.0f}, {90.0f, 2.0f}});
    const SpectrumPlot plot = spectrumPlot(s, 610, 430, 1);
    EXPECT_EQ(plot.baseline, 350);
    EXPECT_EQ(plot.tick, 60);
    EXPECT_EQ(plot.plotWidth, 500);
    EXPECT_EQ(plot.intensityTicks, (std::vector<int>{50, 110, 170, 230, 290}));
    EXPECT_EQ(plot.massMin, 50);
    EXPECT_EQ(plot.massMax, 100);
    EXPECT_EQ(plot.massTicks, (std::vector<int>{55, 155, 255, 355, 455, 555}));
    EXPECT_EQ(plot.axisTexts[0], (PlotText{25, 43, "100"}));
    EXPECT_EQ(plot.axisTexts[1], (PlotText{25, 163, "60"}));
    EXPECT_EQ(plot.axisTexts[2], (PlotText{18, 190, "%"}));
    EXPECT_EQ(plot.axisTexts[3], (PlotText{27, 283, "20"}));
    EXPECT_EQ(plot.axisTexts[4], (PlotText{53, 355, "50"}));
    EXPECT_EQ(plot.axisTexts[5], (PlotText{148, 355, "60"}));
    EXPECT_EQ(plot.axisTexts.back(), (PlotText{265, 378, "Mass / Charge"}));
    ASSERT_EQ(plot.bars.size(), 3u);
    EXPECT_EQ(plot.bars[1].x, 55 + 280); // 28 u at 10 pixels a unit
    EXPECT_EQ(plot.bars[1].height, 300);
    EXPECT_EQ(plot.bars[0].height, 60);
    // Labels above 3 %, then the base peak again.
    EXPECT_EQ(labelTexts(plot), (std::vector<std::string>{"50", "78", "78"}));
    EXPECT_EQ(plot.peakLabels[1], (PlotText{328, 40, "78"}));
}

TEST(SpectrumPlot, ZoomDividesTheAxisAndLabelsEveryPeakAtFour) {
    const Spectrum s = spectrumOf({{50.0f, 1.0f}, {60.0f, 0.5f}, {78.0f, 100.0f}});
    const SpectrumPlot plot = spectrumPlot(s, 610, 430, 4);
    EXPECT_EQ(plot.axisTexts[0].text, "25");
    EXPECT_EQ(plot.axisTexts[1].text, "15");
    EXPECT_EQ(plot.axisTexts[3].text, "5");
    EXPECT_EQ(plot.bars[2].height, 1200) << "tall bars run past the top";
    EXPECT_EQ(labelTexts(plot).size(), 4u) << "all three, and the base peak";
    EXPECT_EQ(spectrumPlot(s, 610, 430, 11).zoom, 1) << "a zoom outside 1..10 is taken as 1";
    EXPECT_EQ(expandedZoom(1), 2);
    EXPECT_EQ(expandedZoom(8), 10);
    EXPECT_EQ(expandedZoom(10), 10);
    EXPECT_EQ(contractedZoom(4), 2);
    EXPECT_EQ(contractedZoom(2), 1);
}

TEST(SpectrumPlot, TwelvePeaksAreLabelledByGroupsOfFiveOnly) {
    Spectrum s;
    for (int i = 1; i <= 12; ++i)
        s.peak(i) = {static_cast<float>(40 + i), i == 3 ? 50.0f : (i == 8 ? 40.0f : 10.0f)};
    s.peak(12).Abundance = 100.0f;
    s.peak(11).Abundance = 60.0f;
    s.setPeakCount(12);
    // Groups 1-5 and 6-10: peaks 3 and 8; peak 11 is in no group; peak 12 is the base peak.
    EXPECT_EQ(labelTexts(spectrumPlot(s, 610, 430, 1)),
              (std::vector<std::string>{"43", "48", "52"}));
    s.PeakLabels.count = 2;
    s.PeakLabels.peaks[1] = 11;
    s.PeakLabels.peaks[2] = 11;
    EXPECT_EQ(labelTexts(spectrumPlot(s, 610, 430, 1)).size(), 5u) << "a user label twice";
}

TEST(SpectrumPlot, AnEmptySpectrumShowsTheTenToHundredTenScale) {
    const SpectrumPlot plot = spectrumPlot(Spectrum{}, 610, 430, 1);
    EXPECT_EQ(plot.massMin, 10);
    EXPECT_EQ(plot.massMax, 110);
    EXPECT_TRUE(plot.bars.empty());
    EXPECT_EQ(nearestPeak(Spectrum{}, 610, 100), 0);
}

TEST(SpectrumPlot, TheNearestPeakGoesByTheBarsXOnly) {
    const Spectrum s = spectrumOf({{50.0f, 20.0f}, {60.0f, 100.0f}, {70.0f, 2.0f}});
    // 500 pixels over 30 u: bars at 55, 222 and 388.
    EXPECT_EQ(nearestPeak(s, 610, 10), 1);
    EXPECT_EQ(nearestPeak(s, 610, 230), 2);
    EXPECT_EQ(nearestPeak(s, 610, 305), 2) << "the lower number on a tie";
    EXPECT_EQ(nearestPeak(s, 610, 600), 3);
}

} // namespace
} // namespace qzx
