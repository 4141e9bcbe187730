// The structure picture as the clipboard and the printer get it: extent, shift and the cuts.
#include <gtest/gtest.h>

#include <QImage>

#include "../core/structure/structure_builders.h"
#include "render/structure_picture.h"
#include "settings/settings.h"
#include "structure/fragment_cuts.h"

namespace qzx::test {
namespace {

class StructurePicture : public ::testing::Test {
protected:
    StructurePictureInput input() {
        StructurePictureInput in;
        in.structure = &structure;
        in.elements = &elements();
        in.settings = &settings;
        return in;
    }
    Structure structure;
    Settings settings;
};

int darkIn(const QImage& image, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixelColor(x, y).lightness() < 100;
    return n;
}

TEST_F(StructurePicture, TheExtentPlusThirtyPixelsWithTheStructureAtTheOrigin) {
    addAtom(structure, makeAtom(1, 500, 400, 0, 0, 0));
    addAtom(structure, makeAtom(1, 560, 440, 0, 0, 0));
    addBond(structure, 1, 2, 1);
    const QImage image = structurePictureImage(input());
    EXPECT_EQ(image.size(), QSize(90, 70));
    EXPECT_LT(image.pixelColor(10, 10).lightness(), 100) << "the first atom at the origin";
    EXPECT_GT(darkIn(image, QRect(66, 46, 4, 4)), 0)
        << "the bond on to the second, 60 x 40 further";
    EXPECT_EQ(darkIn(image, QRect(0, 0, 9, 70)), 0) << "nothing left of the origin";

    StructurePictureInput half = input();
    half.scaleX = 50;
    half.scaleY = 200;
    EXPECT_EQ(structurePictureSize(half), QSize(180, 35));
}

TEST_F(StructurePicture, ABoxCutIsDrawnByTheMagnitudeOfItsStoredLeftEdge) {
    addAtom(structure, makeAtom(1, 220, 120, 0, 0, 0));
    addAtom(structure, makeAtom(1, 240, 120, 0, 0, 0));
    addBond(structure, 1, 2, 1);
    CutList cuts;
    cuts.count = 1;
    cuts.entries[0] = {-200.0f, 100.0f, 15.0f, 260.0f, 140.0f, 77.0f};
    StructurePictureInput in = input();
    in.cuts = &cuts;
    // The box widens the extent to x 200..260 and y 100..140.
    const QImage image = structurePictureImage(in);
    ASSERT_EQ(image.size(), QSize(90, 70));
    // Its left edge at the origin, its right edge just inside 60 pixels further, 10..49 high.
    EXPECT_GE(darkIn(image, QRect(10, 12, 1, 36)), 36);
    EXPECT_GE(darkIn(image, QRect(69, 12, 1, 36)), 36);
    // The masses stand above the top edge: "15" then "77".
    EXPECT_GT(darkIn(image, QRect(10, 0, 30, 10)), 5);

    // The same entry as a line (left edge not negated) reaches from 200 to 260 as well.
    cuts.entries[0].x1 = 200.0f;
    EXPECT_EQ(structurePictureImage(in).size(), QSize(90, 70));
    in.cuts = nullptr; // outside Analyze mode: the atoms alone
    EXPECT_EQ(structurePictureImage(in).size(), QSize(50, 30));
}

TEST_F(StructurePicture, LabelsBlankOnWhiteWhateverTheDrawingsBackground) {
    settings.Background = 0x00C0FFFF; // a parchment drawing
    settings.FontColor = 0;
    addAtom(structure, makeAtom(1, 300, 300, 3, 1, 0));
    const QImage image = structurePictureImage(input());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            ASSERT_TRUE(c.red() == c.green() && c.green() == c.blue()) << x << "," << y;
        }
}

TEST_F(StructurePicture, TheSvgHoldsThePictureInDrawingPixels) {
    addAtom(structure, makeAtom(1, 300, 300, 4, 1, 0));
    const QByteArray svg = structurePictureSvg(input());
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 30 30\"")) << svg.left(400).toStdString();
    EXPECT_TRUE(svg.contains("<svg"));
}

} // namespace
} // namespace qzx::test
