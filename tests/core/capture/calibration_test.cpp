#include "capture/calibration.h"

#include <gtest/gtest.h>

namespace qzx {
namespace {

Calibration markedAxes(PicturePoint xMin, PicturePoint xMax, int xMinValue, int xMaxValue) {
    Calibration c;
    c.place(AxisPoint::XMin, xMin);
    c.place(AxisPoint::XMax, xMax);
    c.place(AxisPoint::YMin, {xMin.x, xMin.y});
    c.place(AxisPoint::YMax, {xMin.x, 20});
    c.setValue(AxisPoint::XMin, xMinValue);
    c.setValue(AxisPoint::XMax, xMaxValue);
    return c;
}

TEST(Calibration, PointsArePlacedOnceClearedAndResetWithTheValues) {
    Calibration c;
    EXPECT_EQ(c.value(AxisPoint::XMin), 1);
    EXPECT_EQ(c.value(AxisPoint::XMax), 100);
    EXPECT_EQ(c.value(AxisPoint::YMin), 0);
    EXPECT_EQ(c.value(AxisPoint::YMax), 100);
    EXPECT_TRUE(c.place(AxisPoint::YMin, {30, 400}));
    EXPECT_FALSE(c.place(AxisPoint::YMin, {31, 401})); // a set point stays where it is
    EXPECT_EQ(c.point(AxisPoint::YMin), (PicturePoint{30, 400}));
    EXPECT_TRUE(c.clear(AxisPoint::YMin));
    EXPECT_FALSE(c.clear(AxisPoint::YMin));
    EXPECT_TRUE(c.place(AxisPoint::YMin, {31, 401}));
    EXPECT_EQ(c.point(AxisPoint::YMin), (PicturePoint{31, 401}));

    c = markedAxes({30, 400}, {530, 400}, 40, 140);
    EXPECT_TRUE(c.complete());
    c.setValue(AxisPoint::YMax, 50);
    c.reset();
    for (AxisPoint p : kAxisPoints) {
        EXPECT_FALSE(c.isSet(p));
        EXPECT_EQ(c.value(p), axisPointLook(p).defaultValue);
    }
    EXPECT_FALSE(c.complete());
}

TEST(Calibration, ScaleIsPixelsPerMassAndOneWithoutAUsableCalibration) {
    Calibration c = markedAxes({30, 400}, {530, 400}, 40, 140);
    EXPECT_EQ(c.problem(), "");
    EXPECT_FLOAT_EQ(c.scale(), 5.0f);
    EXPECT_EQ(c.massRange(), 100);

    c.clear(AxisPoint::YMax);
    EXPECT_EQ(c.problem(), "Mark all four axis points first.");
    EXPECT_FLOAT_EQ(c.scale(), 1.0f);

    c = markedAxes({30, 400}, {530, 400}, 140, 140); // would divide by zero
    EXPECT_EQ(c.problem(), "The XMax value must be larger than the Xmin value.");
    EXPECT_FLOAT_EQ(c.scale(), 1.0f);
    c = markedAxes({30, 400}, {530, 400}, 150, 140);
    EXPECT_EQ(c.problem(), "The XMax value must be larger than the Xmin value.");

    c = markedAxes({30, 400}, {30, 100}, 40, 140); // both x points in one column
    EXPECT_EQ(c.problem(), "The XMin and XMax points must not lie in the same column.");
    EXPECT_FLOAT_EQ(c.scale(), 1.0f);
}

TEST(Calibration, MassesAndColumnsRoundHalvesToTheEvenNeighbour) {
    // 2 pixels per mass: half a mass lies on every odd pixel.
    Calibration c = markedAxes({10, 300}, {210, 300}, 1, 101);
    EXPECT_EQ(c.massAt(10), 1);
    EXPECT_EQ(c.massAt(15), 3); // 2.5 -> 2
    EXPECT_EQ(c.massAt(17), 5); // 3.5 -> 4
    EXPECT_EQ(c.massAt(5), -1); // left of XMin: -2.5 -> -2
    EXPECT_EQ(c.massAt(210), 101);
    // 2.5 pixels per mass.
    c = markedAxes({10, 300}, {260, 300}, 1, 101);
    EXPECT_EQ(c.columnOf(0), 10);
    EXPECT_EQ(c.columnOf(1), 12); // 2.5 -> 2
    EXPECT_EQ(c.columnOf(3), 18); // 7.5 -> 8
    EXPECT_EQ(c.columnOf(100), 260);
    EXPECT_EQ(c.massAt(c.columnOf(37)), 38);
}

TEST(Calibration, TheYAxisValuesGiveNoMasses) {
    Calibration c = markedAxes({10, 300}, {260, 300}, 1, 101);
    const float scale = c.scale();
    const int mass = c.massAt(123);
    c.setValue(AxisPoint::YMin, -500);
    c.setValue(AxisPoint::YMax, 7);
    EXPECT_EQ(c.problem(), "");
    EXPECT_EQ(c.scale(), scale);
    EXPECT_EQ(c.massAt(123), mass);
}

} // namespace
} // namespace qzx
