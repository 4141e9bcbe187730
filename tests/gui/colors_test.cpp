#include <gtest/gtest.h>

#include "render/colors.h"

namespace qzx {
namespace {

TEST(StoredColours, PlainValuesAreRedGreenBlueFromTheLowByte) {
    EXPECT_EQ(colorFromValue(255), QColor(255, 0, 0));
    EXPECT_EQ(colorFromValue(16711680), QColor(0, 0, 255));
    EXPECT_EQ(colorFromValue(8388736), QColor(128, 0, 128));
    EXPECT_EQ(colorFromValue(32768), QColor(0, 128, 0));
    EXPECT_EQ(valueFromColor(QColor(128, 0, 128)), 8388736);
    EXPECT_EQ(valueFromColor(colorFromValue(16777215)), 16777215);
}

TEST(StoredColours, NegativeValuesNameSystemColours) {
    // The default background is the tooltip background, a pale parchment.
    const QColor parchment = colorFromValue(-2147483624);
    EXPECT_EQ(parchment, QColor(255, 255, 225));
    EXPECT_NE(parchment, colorFromValue(16777215));
}

} // namespace
} // namespace qzx
