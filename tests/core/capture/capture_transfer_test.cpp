#include "capture/capture_transfer.h"

#include <gtest/gtest.h>

#include "capture/bar_detection.h"
#include "capture_pictures.h"

namespace qzx {
namespace {

Calibration yMinOnRow(int row) {
    Calibration c;
    c.place(AxisPoint::XMin, {10, row});
    c.place(AxisPoint::XMax, {210, row});
    c.place(AxisPoint::YMin, {10, row});
    c.place(AxisPoint::YMax, {10, 20});
    return c;
}

TEST(CaptureTransfer, AbundanceIsTheHeightAboveTheLowerOfTheYMinRowAndTheLowestPoint) {
    PointList list;
    list.append(20, 50, 41);
    list.append(30, 150, 43);
    Spectrum spectrum;
    CaptureTransfer t = transferToSpectrum(list, yMinOnRow(200), spectrum);
    EXPECT_EQ(t.base, 200);
    EXPECT_EQ(t.message, "");
    ASSERT_EQ(spectrum.peakCount(), 2);
    EXPECT_EQ(spectrum.peak(1), (Peak{41.0f, 75.0f}));
    EXPECT_EQ(spectrum.peak(2), (Peak{43.0f, 25.0f}));

    list.append(40, 250, 44); // below the YMin row: it becomes the base
    t = transferToSpectrum(list, yMinOnRow(200), spectrum);
    EXPECT_EQ(t.base, 250);
    ASSERT_EQ(spectrum.peakCount(), 3);
    EXPECT_EQ(spectrum.peak(1), (Peak{41.0f, 80.0f}));
    EXPECT_EQ(spectrum.peak(2), (Peak{43.0f, 40.0f}));
    EXPECT_EQ(spectrum.peak(3), (Peak{44.0f, 0.0f}));

    PointList top; // every point on the top row, YMin point there too
    top.append(20, 0, 41);
    t = transferToSpectrum(top, yMinOnRow(0), spectrum);
    EXPECT_EQ(spectrum.peakCount(), 1);
    EXPECT_EQ(spectrum.peak(1), (Peak{41.0f, 0.0f}));
}

TEST(CaptureTransfer, TheYAxisValuesDoNotChangeTheAbundances) {
    PointList list;
    list.append(20, 50, 41);
    list.append(30, 150, 43);
    Calibration c = yMinOnRow(200);
    Spectrum plain;
    transferToSpectrum(list, c, plain);
    c.setValue(AxisPoint::YMin, 20);
    c.setValue(AxisPoint::YMax, 1000);
    Spectrum typed;
    transferToSpectrum(list, c, typed);
    EXPECT_EQ(typed.Peaks, plain.Peaks);
    // Only the YMin point's row does.
    c.clear(AxisPoint::YMin);
    c.place(AxisPoint::YMin, {10, 250});
    transferToSpectrum(list, c, typed);
    EXPECT_EQ(typed.peak(1), (Peak{41.0f, 80.0f}));
}

TEST(CaptureTransfer, DeletedPointsStayOutAndTheRestArriveByMass) {
    PointList list;
    list.append(90, 60, 91);
    list.append(40, 20, 43);
    list.append(10, 100, 39);
    list.append(20, 180, 41);
    list.markDeleted(1);
    list.markDeleted(2); // the lowest point is gone: the YMin row is the base
    Spectrum spectrum;
    spectrum.SpectrumNormalized = true;
    spectrum.PeakLabels.count = 2;
    const CaptureTransfer t = transferToSpectrum(list, yMinOnRow(200), spectrum);
    EXPECT_EQ(t.base, 200);
    ASSERT_EQ(spectrum.peakCount(), 2);
    EXPECT_EQ(spectrum.peak(1), (Peak{41.0f, 10.0f}));
    EXPECT_EQ(spectrum.peak(2), (Peak{91.0f, 70.0f}));
    EXPECT_TRUE(spectrum.SpectrumNormalized);
    EXPECT_EQ(spectrum.PeakLabels.count, 2);

    list.finish(); // the same after "Done"
    Spectrum done;
    transferToSpectrum(list, yMinOnRow(200), done);
    EXPECT_EQ(done.Peaks, spectrum.Peaks);
}

TEST(CaptureTransfer, MoreThanThreeHundredPointsAreCutToTheFirstThreeHundredMasses) {
    PointList list;
    for (int i = 0; i < 301; ++i)
        list.append(10 + i, 100, 400 - i); // added highest mass first
    Spectrum spectrum;
    CaptureTransfer t = transferToSpectrum(list, yMinOnRow(200), spectrum);
    EXPECT_EQ(t.peakCount, 300);
    EXPECT_EQ(t.message, "The capture holds 301 peaks; the spectrum keeps only the first 300.");
    ASSERT_EQ(spectrum.peakCount(), 300);
    EXPECT_EQ(spectrum.peak(1).Mass, 100.0f);
    EXPECT_EQ(spectrum.peak(300).Mass, 399.0f);

    list.markDeleted(0); // 300 live points fit exactly
    t = transferToSpectrum(list, yMinOnRow(200), spectrum);
    EXPECT_EQ(t.peakCount, 300);
    EXPECT_EQ(t.message, "");
    EXPECT_EQ(spectrum.peak(300).Mass, 399.0f);

    t = transferToSpectrum(PointList{}, yMinOnRow(200), spectrum);
    EXPECT_EQ(t.peakCount, 0);
    EXPECT_EQ(spectrum.peakCount(), 0);
}

// A scanned bar graph, calibrated on its axes, digitised and transferred: the masses come back
// exactly and the abundances, scaled to the tallest peak, within one pixel's worth.
void expectRoundTrip(const test::BarGraph& graph, const DetectionOffsets& offsets) {
    const CaptureImage scan = test::renderBarGraph(graph);
    const Calibration calibration = test::calibrationOf(graph);
    const DetectionResult found = detectBars(scan, calibration, offsets);
    EXPECT_EQ(found.message, "");
    ASSERT_EQ(found.points.count(), static_cast<int>(graph.peaks.size()));
    for (std::size_t i = 0; i < graph.peaks.size(); ++i) {
        const CapturePoint& p = found.points.points()[i];
        EXPECT_EQ(p.mass, static_cast<int>(graph.peaks[i].Mass));
        EXPECT_EQ(p.y, graph.topOf(graph.peaks[i].Abundance)) << "mass " << p.mass;
    }

    Spectrum spectrum;
    const CaptureTransfer t = transferToSpectrum(found.points, calibration, spectrum);
    EXPECT_EQ(t.base, graph.axisRow);
    ASSERT_EQ(spectrum.peakCount(), static_cast<int>(graph.peaks.size()));
    spectrum.normalize();
    const float onePixel = 100.0f / static_cast<float>(graph.fullScale());
    for (std::size_t i = 0; i < graph.peaks.size(); ++i) {
        const Peak& p = spectrum.peak(static_cast<int>(i) + 1);
        EXPECT_EQ(p.Mass, graph.peaks[i].Mass);
        EXPECT_NEAR(p.Abundance, graph.peaks[i].Abundance, onePixel) << "mass " << p.Mass;
    }
}

TEST(CaptureRoundTrip, AScannedSpectrumWithDustComesBackPeakForPeak) {
    test::BarGraph graph;
    graph.peaks = {{15, 4},     {27, 18},  {28, 9},  {29, 33},  {39, 12},
                   {41, 57},    {43, 100}, {57, 71}, {71, 22},  {77, 1},
                   {91, 46.5f}, {105, 7},  {119, 2}, {129, 15}, {130, 61}};
    graph.dustPixels = 600;
    DetectionOffsets offsets;
    expectRoundTrip(graph, offsets); // Search 3 at start
    offsets.reset();                 // Search 1
    expectRoundTrip(graph, offsets);
}

TEST(CaptureRoundTrip, EveryMassOfARunOfNeighboursIsItsOwnBar) {
    test::BarGraph graph;
    graph.width = 400;
    graph.height = 300;
    graph.axisRow = 280;
    graph.fullScaleRow = 30;
    graph.firstMass = 49;
    graph.lastMass = 99;
    graph.pixelsPerMass = 6.5f;
    graph.dustPixels = 150;
    graph.seed = 7;
    for (int m = 50; m <= 99; ++m) // the tallest at mass 77, every other one below it
        graph.peaks.push_back(
            {static_cast<float>(m), m == 77 ? 100.0f : static_cast<float>(1 + (m * 37) % 99)});
    DetectionOffsets offsets;
    expectRoundTrip(graph, offsets);
}

TEST(CaptureRoundTrip, AScanOfFourHundredMassesFillsTheSpectrumWithTheFirstThreeHundred) {
    test::BarGraph graph;
    graph.width = 1300;
    graph.height = 200;
    graph.axisRow = 180;
    graph.fullScaleRow = 20;
    graph.firstMass = 0;
    graph.lastMass = 400;
    graph.pixelsPerMass = 3.0f;
    graph.barWidth = 1;
    for (int m = 1; m <= 400; ++m)
        graph.peaks.push_back({static_cast<float>(m), static_cast<float>(5 + m % 90)});
    const CaptureImage scan = test::renderBarGraph(graph);
    const Calibration calibration = test::calibrationOf(graph);
    DetectionOffsets offsets;
    offsets.reset();
    const DetectionResult found = detectBars(scan, calibration, offsets);
    ASSERT_EQ(found.points.count(), 400);
    Spectrum spectrum;
    const CaptureTransfer t = transferToSpectrum(found.points, calibration, spectrum);
    EXPECT_EQ(t.message, "The capture holds 400 peaks; the spectrum keeps only the first 300.");
    ASSERT_EQ(spectrum.peakCount(), 300);
    EXPECT_EQ(spectrum.peak(1).Mass, 1.0f);
    EXPECT_EQ(spectrum.peak(300).Mass, 300.0f);
    EXPECT_NEAR(spectrum.peak(300).Abundance,
                100.0f * static_cast<float>(graph.barHeight(35)) / 180.0f, 1e-4f);
}

} // namespace
} // namespace qzx
