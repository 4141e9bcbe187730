#include "capture/bar_detection.h"

#include <gtest/gtest.h>

#include <vector>

namespace qzx {
namespace {

// A 60 x 60 picture calibrated for masses 1..5 at columns 10, 20, 30, 40 and 50; the YMax point
// on row 20 (search from row 10, axis band down to row 30), the YMin point on row 50.
struct SmallScan {
    CaptureImage picture{60, 60};
    Calibration calibration;
    DetectionOffsets offsets;

    SmallScan() {
        calibration.place(AxisPoint::XMin, {10, 52});
        calibration.place(AxisPoint::XMax, {50, 52});
        calibration.place(AxisPoint::YMin, {10, 50});
        calibration.place(AxisPoint::YMax, {10, 20});
        calibration.setValue(AxisPoint::XMin, 1);
        calibration.setValue(AxisPoint::XMax, 5);
        offsets.setSearch(1);
    }
    void black(int x, int y) { picture.setRgb(x, y, kCaptureBlack); }
    std::vector<CapturePoint> points() const {
        return detectBars(picture, calibration, offsets).points.points();
    }
    std::optional<int> topAt(int column) const {
        return findBarTop(picture, calibration, offsets, column);
    }
};

TEST(BarDetection, ALonePixelIsDustAndAPixelWithBlackOneOrTwoRowsBelowIsABar) {
    SmallScan s;
    s.black(20, 35);
    EXPECT_EQ(s.topAt(20), std::nullopt);
    s.black(20, 38); // three rows below: still alone
    EXPECT_EQ(s.topAt(20), std::nullopt);
    s.black(20, 37); // two rows below 35: a bar top
    EXPECT_EQ(s.topAt(20), 35);
    s.black(20, 36);
    EXPECT_EQ(s.topAt(20), 35);
    // The black below may lie anywhere in the searched range, not under the top pixel.
    s.black(29, 40);
    s.black(31, 41);
    EXPECT_EQ(s.topAt(30), 40);
    // Dark grey is not black.
    s.picture.fillRect(40, 30, 41, 45, 0x010101);
    EXPECT_EQ(s.topAt(40), std::nullopt);
}

TEST(BarDetection, ATwoPixelLineIsFoundInEveryColumnAndTheFirstColumnOnlyBelowTheAxisBand) {
    SmallScan s;
    s.picture.fillRect(0, 40, 59, 41, kCaptureBlack);
    std::vector<CapturePoint> found = s.points();
    ASSERT_EQ(found.size(), 5u);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(found[static_cast<std::size_t>(k)], (CapturePoint{10 + 10 * k, 40, 1 + k, 40}));

    // A line within 10 rows of the YMax point is the vertical axis in the first column only.
    SmallScan high;
    high.picture.fillRect(0, 30, 59, 31, kCaptureBlack);
    found = high.points();
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(found.front(), (CapturePoint{20, 30, 2, 30}));
    high.picture.fillRect(0, 30, 59, 31, kCaptureWhite);
    high.picture.fillRect(0, 31, 59, 32, kCaptureBlack);
    found = high.points();
    ASSERT_EQ(found.size(), 5u);
    EXPECT_EQ(found.front(), (CapturePoint{10, 31, 1, 31}));
}

TEST(BarDetection, TheFirstBarTopFromTheTopEndsTheColumn) {
    SmallScan s;
    s.picture.fillRect(30, 0, 31, 49, kCaptureBlack); // reaches above the first row searched
    s.picture.fillRect(40, 25, 40, 49, kCaptureBlack);
    s.black(40, 22); // dust three rows above the bar
    const std::vector<CapturePoint> found = s.points();
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0], (CapturePoint{30, 10, 3, 10}));
    EXPECT_EQ(found[1], (CapturePoint{40, 25, 4, 25}));
}

TEST(BarDetection, SearchZeroExaminesOnlyTheExactColumn) {
    SmallScan s;
    s.picture.fillRect(21, 35, 21, 49, kCaptureBlack); // one pixel right of mass 2
    s.picture.fillRect(30, 35, 30, 49, kCaptureBlack); // on mass 3
    s.offsets.setSearch(0);
    std::vector<CapturePoint> found = s.points();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].mass, 3);
    s.offsets.setSearch(1);
    found = s.points();
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0], (CapturePoint{20, 35, 2, 35}));
}

TEST(BarDetection, TheSearchStopsBaselinePixelsAboveTheYMinPoint) {
    SmallScan s;
    s.picture.fillRect(0, 50, 59, 51, kCaptureBlack);  // the horizontal axis on the YMin row
    s.picture.fillRect(20, 48, 20, 49, kCaptureBlack); // a bar two pixels high
    s.picture.fillRect(30, 49, 30, 49, kCaptureBlack); // a bar one pixel high
    EXPECT_EQ(s.offsets.baseline, 2);
    std::vector<CapturePoint> found = s.points();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], (CapturePoint{20, 48, 2, 48}));
    s.offsets.setBaseline(1);
    found = s.points(); // row 49 is searched: the bar one pixel high counts
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[1], (CapturePoint{30, 49, 3, 49}));
    s.offsets.setBaseline(0);
    found = s.points(); // the axis itself shows under every column, the first one too
    ASSERT_EQ(found.size(), 5u);
    EXPECT_EQ(found[0], (CapturePoint{10, 50, 1, 50}));
    EXPECT_EQ(found[3], (CapturePoint{40, 50, 4, 50}));
}

TEST(BarDetection, OffsetsKeepToTheirRangesAndResetToSearchOne) {
    DetectionOffsets o;
    EXPECT_EQ(o.search, 3);
    EXPECT_EQ(o.baseline, 2);
    o.setSearch(9);
    o.setBaseline(-4);
    EXPECT_EQ(o.search, 5);
    EXPECT_EQ(o.baseline, -1);
    o.setSearch(-1);
    o.setBaseline(12);
    EXPECT_EQ(o.search, 0);
    EXPECT_EQ(o.baseline, 8);
    o.reset();
    EXPECT_EQ(o.search, 1);
    EXPECT_EQ(o.baseline, 2);
}

TEST(BarDetection, RefusedWithoutAUsableCalibrationAndStoppedWhenTheListIsFull) {
    SmallScan s;
    s.picture.fillRect(0, 40, 59, 41, kCaptureBlack);
    s.calibration.clear(AxisPoint::YMin);
    DetectionResult r = detectBars(s.picture, s.calibration, s.offsets);
    EXPECT_EQ(r.message, "Mark all four axis points first.");
    EXPECT_EQ(r.points.count(), 0);

    // One pixel per mass over 1200 columns: every column sees the line.
    CaptureImage wide(1200, 40);
    wide.fillRect(0, 30, 1199, 31, kCaptureBlack);
    Calibration c;
    c.place(AxisPoint::XMin, {50, 35});
    c.place(AxisPoint::XMax, {1149, 35});
    c.place(AxisPoint::YMin, {50, 35});
    c.place(AxisPoint::YMax, {50, 5});
    c.setValue(AxisPoint::XMin, 1);
    c.setValue(AxisPoint::XMax, 1100);
    DetectionOffsets o;
    o.setSearch(0);
    long long columnsDone = 0;
    r = detectBars(wide, c, o, [&](long long k, const CapturePoint* found) {
        EXPECT_EQ(k, columnsDone++);
        EXPECT_NE(found, nullptr);
        return true;
    });
    EXPECT_EQ(columnsDone, 1000);
    EXPECT_EQ(r.points.count(), 1000);
    EXPECT_EQ(r.points.points().back().mass, 1000);
    EXPECT_EQ(r.message, "The point list is full at 1000 points; masses from 1001 on were not "
                         "searched.");

    // The window can stop the search after any column.
    r = detectBars(wide, c, o, [](long long k, const CapturePoint*) { return k < 9; });
    EXPECT_EQ(r.points.count(), 10);
    EXPECT_EQ(r.message, "");
}

} // namespace
} // namespace qzx
