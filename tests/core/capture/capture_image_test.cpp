#include "capture/capture_image.h"

#include <gtest/gtest.h>

#include "capture_pictures.h"

namespace qzx {
namespace {

TEST(CaptureImage, OnlyPureBlackIsBlackAndOutsideIsWhite) {
    CaptureImage picture(4, 3);
    picture.setRgb(0, 0, 0x000000);
    picture.setRgb(1, 0, 0x000001);
    picture.setRgb(2, 0, 0x010000);
    picture.setRgb(3, 0, 0xFF000000); // only the colour counts, not what lies above it
    EXPECT_TRUE(picture.isBlack(0, 0));
    EXPECT_FALSE(picture.isBlack(1, 0));
    EXPECT_FALSE(picture.isBlack(2, 0));
    EXPECT_TRUE(picture.isBlack(3, 0));
    EXPECT_FALSE(picture.isBlack(0, 1));
    picture.setRgb(-1, 0, kCaptureBlack); // ignored
    picture.setRgb(4, 2, kCaptureBlack);
    EXPECT_EQ(picture.rgb(-1, 0), kCaptureWhite);
    EXPECT_EQ(picture.rgb(0, 3), kCaptureWhite);
    EXPECT_FALSE(picture.isBlack(4, 2));
}

TEST(CaptureImage, FillAndEraserAreCutToThePicture) {
    CaptureImage picture(20, 20, kCaptureBlack);
    eraseAt(picture, 2, 10); // x - 4 .. x + 4 reaches past the left edge
    EXPECT_EQ(picture.rgb(0, 6), kCaptureWhite);
    EXPECT_EQ(picture.rgb(6, 14), kCaptureWhite);
    EXPECT_TRUE(picture.isBlack(7, 10));
    EXPECT_TRUE(picture.isBlack(2, 5));
    EXPECT_TRUE(picture.isBlack(2, 15));
    picture.fillRect(25, 25, 15, 18, 0x123456); // corners in either order
    EXPECT_EQ(picture.rgb(19, 19), 0x123456u);
    EXPECT_EQ(picture.rgb(15, 18), 0x123456u);
    EXPECT_TRUE(picture.isBlack(14, 18));
}

TEST(CaptureImage, RotationTurnsANonSquareScanCounterClockwiseWithoutLosingAnything) {
    CaptureImage picture(5, 3);
    picture.setRgb(0, 0, 0x000001); // top left
    picture.setRgb(4, 0, 0x000002); // top right
    picture.setRgb(0, 2, 0x000003); // bottom left
    picture.setRgb(4, 2, 0x000004); // bottom right
    picture.setRgb(1, 2, 0x000005);
    const CaptureImage turned = rotateQuarterTurnCounterClockwise(picture);
    ASSERT_EQ(turned.width(), 3);
    ASSERT_EQ(turned.height(), 5);
    EXPECT_EQ(turned.rgb(0, 0), 0x000002u); // top right goes to top left
    EXPECT_EQ(turned.rgb(0, 4), 0x000001u); // top left goes to bottom left
    EXPECT_EQ(turned.rgb(2, 4), 0x000003u);
    EXPECT_EQ(turned.rgb(2, 0), 0x000004u);
    EXPECT_EQ(turned.rgb(2, 3), 0x000005u);
}

TEST(CaptureImage, FourTurnsGiveAScanBackAndOneTurnMovesItsBars) {
    test::BarGraph graph;
    graph.peaks = {{41, 100}, {43, 35}, {57, 60}};
    graph.dustPixels = 50;
    const CaptureImage scan = test::renderBarGraph(graph);
    CaptureImage turned = rotateQuarterTurnCounterClockwise(scan);
    EXPECT_EQ(turned.width(), scan.height());
    EXPECT_EQ(turned.height(), scan.width());
    // The 100 % bar at mass 41 now lies along a row, starting from the bottom-left axis.
    const int x41 = graph.columnOf(41);
    const int row = scan.width() - 1 - x41;
    EXPECT_TRUE(turned.isBlack(graph.fullScaleRow, row));
    EXPECT_TRUE(turned.isBlack(graph.axisRow - 1, row));
    EXPECT_FALSE(turned.isBlack(graph.fullScaleRow - 1, row));
    EXPECT_NE(turned, scan);
    for (int i = 0; i < 3; ++i)
        turned = rotateQuarterTurnCounterClockwise(turned);
    EXPECT_EQ(turned, scan);
}

} // namespace
} // namespace qzx
