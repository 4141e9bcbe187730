#include "capture/point_list.h"

#include <gtest/gtest.h>

namespace qzx {
namespace {

Calibration twoPixelsPerMass() {
    Calibration c;
    c.place(AxisPoint::XMin, {10, 300});
    c.place(AxisPoint::XMax, {210, 300});
    c.place(AxisPoint::YMin, {10, 300});
    c.place(AxisPoint::YMax, {10, 20});
    c.setValue(AxisPoint::XMin, 40);
    c.setValue(AxisPoint::XMax, 140);
    return c;
}

TEST(CapturePointList, ClicksTakeTheirMassFromTheCalibrationAndKeepTheHeader) {
    const Calibration c = twoPixelsPerMass();
    PointList list;
    EXPECT_EQ(list.largestY(), 0);
    EXPECT_EQ(list.smallestY(), 10000);
    EXPECT_EQ(list.addClicked(37, 120, c), "");
    EXPECT_EQ(list.addClicked(15, 250, c), "");
    EXPECT_EQ(list.addClicked(210, 90, c), "");
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.points()[0], (CapturePoint{37, 120, 54, 120})); // 13.5 -> 14
    EXPECT_EQ(list.points()[1], (CapturePoint{15, 250, 42, 250})); // 2.5 -> 2
    EXPECT_EQ(list.points()[2], (CapturePoint{210, 90, 140, 90}));
    EXPECT_EQ(list.largestY(), 250);
    EXPECT_EQ(list.smallestY(), 90);
}

TEST(CapturePointList, ARightClickDeletesTheNearestLivePointByRowsPlusColumns) {
    PointList list;
    list.append(0, 10, 1);              // 10 from the click at (0, 0); straight-line 10
    list.append(7, 7, 2);               // 14 from it; straight-line 9.9
    list.append(10, 0, 3);              // 10 from it too
    EXPECT_EQ(list.nearestTo(0, 0), 0); // the lower number wins a tie
    EXPECT_EQ(list.deleteNearest(0, 0), 0);
    EXPECT_TRUE(list.points()[0].deleted());
    EXPECT_EQ(list.points()[0].y, 10);      // only x marks the deletion
    EXPECT_EQ(list.deleteNearest(0, 0), 2); // the deleted point is passed over
    EXPECT_EQ(list.deleteNearest(0, 0), 1);
    EXPECT_EQ(list.deleteNearest(0, 0), std::nullopt);
    EXPECT_FALSE(list.markDeleted(1));
    EXPECT_FALSE(list.markDeleted(3));
    EXPECT_EQ(PointList{}.nearestTo(5, 5), std::nullopt);
}

TEST(CapturePointList, DoneDropsDeletedPointsAndSortsTheRestByMass) {
    PointList list;
    list.append(100, 50, 91);
    list.append(40, 300, 43);
    list.append(60, 400, 57); // deleted below: the largest y goes with it
    list.append(20, 80, 41);
    list.append(41, 200, 43); // same mass as the second: stays after it
    list.markDeleted(2);
    EXPECT_EQ(list.largestY(), 400);
    ASSERT_TRUE(list.finish());
    ASSERT_EQ(list.count(), 4);
    EXPECT_EQ(list.points()[0], (CapturePoint{20, 80, 41, 80}));
    EXPECT_EQ(list.points()[1], (CapturePoint{40, 300, 43, 300}));
    EXPECT_EQ(list.points()[2], (CapturePoint{41, 200, 43, 200}));
    EXPECT_EQ(list.points()[3], (CapturePoint{100, 50, 91, 50}));
    EXPECT_EQ(list.largestY(), 300);
    EXPECT_EQ(list.smallestY(), 50);
}

TEST(CapturePointList, DoneIgnoresAListOfOnePointAndTheListHoldsAThousand) {
    PointList one;
    one.append(5, 5, 9);
    one.markDeleted(0);
    EXPECT_FALSE(one.finish());
    EXPECT_EQ(one.count(), 1);

    const Calibration c = twoPixelsPerMass();
    PointList list;
    for (int i = 0; i < kMaxCapturePoints; ++i)
        ASSERT_EQ(list.addClicked(10 + i % 200, 100, c), "");
    EXPECT_TRUE(list.full());
    EXPECT_EQ(list.addClicked(50, 100, c), "The point list is full: it holds at most 1000 points.");
    EXPECT_EQ(list.count(), 1000);
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.smallestY(), 10000);
}

} // namespace
} // namespace qzx
