#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <vector>

#include "chem/element_table.h"
#include "render/colors.h"
#include "render/structure_painter.h"
#include "settings/settings.h"
#include "structure/bond_geometry.h"
#include "structure/structure.h"

namespace qzx {
namespace {

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0); // the default isotope colour

constexpr int kCarbon = 1;
constexpr int kNitrogen = 3;
constexpr int kOxygen = 4;
constexpr int kDeuterium = 12;
constexpr int kCarbon13 = 13;

Bond makeBond(int x1, int y1, int x2, int y2, int order = 1, int ringState = 0, int ringX = 0,
              int ringY = 0) {
    Bond b;
    b.X1 = x1;
    b.Y1 = y1;
    b.X2 = x2;
    b.Y2 = y2;
    b.Order = order;
    b.RingState = ringState;
    b.RingX = ringX;
    b.RingY = ringY;
    return b;
}

int addAtom(Structure& s, int element, int x, int y, int hydrogens, int labelShown = 1) {
    Atom a;
    a.Element = element;
    a.X = x;
    a.Y = y;
    a.Hydrogens = hydrogens;
    a.LabelShown = labelShown;
    const int row = s.appendAtom(a);
    s.appendItem(kAtomItem, row);
    return row;
}

int addBond(Structure& s, const Bond& bond, bool withItem = true) {
    const int row = s.appendBond(bond);
    if (withItem) s.appendItem(kBondItem, row);
    return row;
}

/// Pixel x positions in row y, x0..x1, that have colour c.
std::vector<int> columnsWith(const QImage& image, int y, int x0, int x1, const QColor& c) {
    std::vector<int> found;
    for (int x = x0; x <= x1; ++x)
        if (image.pixelColor(x, y) == c) found.push_back(x);
    return found;
}

/// Pixel y positions in column x, y0..y1, that have colour c.
std::vector<int> rowsWith(const QImage& image, int x, int y0, int y1, const QColor& c) {
    std::vector<int> found;
    for (int y = y0; y <= y1; ++y)
        if (image.pixelColor(x, y) == c) found.push_back(y);
    return found;
}

int countPixels(const QImage& image, const QRect& area, const QColor& c) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == c) ++n;
    return n;
}

/// The bounding box of the pixels of colour c inside the area (null when there are none).
QRect inkBox(const QImage& image, const QRect& area, const QColor& c) {
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == c) box |= QRect(x, y, 1, 1);
    return box;
}

class StructurePainterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        QFont::insertSubstitution(QStringLiteral("Small Fonts"), QStringLiteral("Liberation Sans"));
    }

    StructurePainterTest() {
        settings.Background = valueFromColor(kWhite);
        settings.Bonds = valueFromColor(kBlack);
        settings.FontColor = valueFromColor(kRed);
    }

    QImage paint() const {
        QImage image(1600, 1200, QImage::Format_RGB32);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        image.fill(Qt::blue); // anything the clear step must paint over
        QPainter painter(&image);
        paintStructure(painter, structure, elements, settings);
        return image;
    }

    /// Width in pixels of a label text in the label font.
    int textWidth(const QString& text) const {
        return QFontMetrics(
                   labelFont(QStringLiteral("Arial"), settings.FontSize, settings.FontBold))
            .horizontalAdvance(text);
    }

    ElementTable elements;
    Settings settings;
    Structure structure;
};

TEST(BondGeometry, NearlyAxialEndsSnapToTheLargerCoordinate) {
    struct Case {
        PixelPoint start, end, expected;
    };
    const Case cases[] = {
        {{100, 100}, {105, 160}, {105, 160}}, // end already has the larger x
        {{105, 100}, {100, 160}, {105, 160}}, // the start's larger x wins
        {{100, 107}, {160, 100}, {160, 107}}, // nearly horizontal: larger y
        {{100, 100}, {109, 105}, {109, 105}}, // both small: vertical first
        {{104, 100}, {100, 105}, {104, 105}},
        {{100, 100}, {110, 160}, {110, 160}}, // 10 pixels is not nearly vertical
        {{100, 100}, {160, 110}, {160, 110}},
        {{100, 100}, {140, 130}, {140, 130}},
    };
    for (const Case& c : cases) {
        const PixelPoint got = straightenedBondEnd(c.start, c.end);
        EXPECT_EQ(got, c.expected) << c.start.x << "," << c.start.y << " -> " << c.end.x << ","
                                   << c.end.y << " gave " << got.x << "," << got.y;
        EXPECT_EQ(straightenedEnd({c.start.x, c.start.y}, {c.end.x, c.end.y}),
                  QPoint(c.expected.x, c.expected.y));
    }
}

TEST(StructurePainterGeometry, RingDoubleBondSideAndInnerLineInEveryDirection) {
    struct Case {
        Bond bond;
        int side;
        QLine inner;
    };
    // Edges of an upright and a flat hexagon about (300, 300).
    const Case cases[] = {
        {makeBond(283, 290, 283, 310, 2, 1, 300, 300), 1, {287, 290, 287, 310}},
        {makeBond(317, 290, 317, 310, 2, 1, 300, 300), 2, {313, 290, 313, 310}},
        {makeBond(290, 283, 310, 283, 2, 1, 300, 300), 3, {290, 287, 310, 287}},
        {makeBond(290, 317, 310, 317, 2, 1, 300, 300), 4, {290, 313, 310, 313}},
        {makeBond(283, 290, 300, 280, 2, 1, 300, 300), 5, {283, 295, 305, 280}},
        {makeBond(283, 310, 300, 320, 2, 1, 300, 300), 6, {288, 310, 300, 315}},
        {makeBond(300, 280, 317, 290, 2, 1, 300, 300), 7, {295, 280, 317, 295}},
        {makeBond(300, 320, 317, 310, 2, 1, 300, 300), 8, {300, 315, 312, 310}},
        // A vertical bond through the centre counts as right of it.
        {makeBond(300, 290, 300, 310, 2, 1, 300, 300), 2, {296, 290, 296, 310}},
        // Midpoints are halved with truncation toward zero: 30.5 -> 30, -1.5 -> -1.
        {makeBond(20, 50, 41, 60, 2, 1, 31, 100), 5, {20, 55, 46, 60}},
        {makeBond(-3, 50, 0, 60, 2, 1, -1, 0), 8, {-3, 45, -5, 60}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ringDoubleBondSide(c.bond), c.side) << "side " << c.side;
        EXPECT_EQ(ringInnerLine(c.bond), c.inner) << "side " << c.side;
    }
}

TEST(StructurePainterGeometry, DoubleAndTripleBondLines) {
    using Lines = std::vector<QLine>;
    // Nearly vertical / horizontal: straightened to the larger coordinate, offset by P
    // (P + 1 for a triple bond, which adds the centre line last).
    EXPECT_EQ(multipleBondLines({400, 100}, {405, 160}, 2, 2),
              (Lines{{403, 100, 403, 160}, {407, 100, 407, 160}}));
    EXPECT_EQ(multipleBondLines({100, 207}, {160, 200}, 3, 2),
              (Lines{{100, 204, 160, 204}, {100, 210, 160, 210}, {100, 207, 160, 207}}));
    // Slanted 3-4-5 bonds: offsets Round(o cos t), Round(o sin t) at atan(m) -/+ 90 degrees.
    EXPECT_EQ(multipleBondLines({0, 0}, {30, 40}, 2, 2), (Lines{{2, -1, 32, 39}, {-2, 1, 28, 41}}));
    EXPECT_EQ(multipleBondLines({0, 0}, {30, 40}, 3, 2),
              (Lines{{2, -2, 32, 38}, {-2, 2, 28, 42}, {0, 0, 30, 40}}));
    EXPECT_EQ(multipleBondLines({0, 0}, {30, -40}, 2, 2),
              (Lines{{-2, -1, 28, -41}, {2, 1, 32, -39}}));
    EXPECT_EQ(multipleBondLines({0, 0}, {30, 40}, 2, 5), (Lines{{4, -3, 34, 37}, {-4, 3, 26, 43}}));
}

TEST_F(StructurePainterTest, ClearsTheWholeImageWithTheBackgroundColour) {
    settings.Background = Settings{}.Background; // the parchment system colour
    QImage image = paint();
    const QColor parchment(255, 255, 225);
    for (const QPoint p : {QPoint(0, 0), QPoint(1599, 0), QPoint(800, 600), QPoint(1599, 1199)})
        EXPECT_EQ(image.pixelColor(p), parchment) << p.x() << "," << p.y();

    settings.Background = valueFromColor(kWhite);
    image = paint();
    EXPECT_EQ(countPixels(image, image.rect(), kWhite), 1600 * 1200);
}

TEST_F(StructurePainterTest, RingDoubleBondOnTheLeftEdgeHasItsInnerLineFourPixelsRight) {
    addBond(structure, makeBond(283, 290, 283, 310, 2, 1, 300, 300));
    const QImage image = paint();
    for (int y = 291; y <= 308; ++y)
        EXPECT_EQ(columnsWith(image, y, 270, 300, kBlack), (std::vector<int>{283, 287})) << y;
}

TEST_F(StructurePainterTest, DoubleBondFiveOffVerticalIsTwoVerticalLinesAtTheLargerX) {
    addBond(structure, makeBond(400, 100, 405, 160, 2));
    const QImage image = paint();
    for (int y = 101; y <= 158; ++y)
        EXPECT_EQ(columnsWith(image, y, 390, 420, kBlack), (std::vector<int>{403, 407})) << y;
}

TEST_F(StructurePainterTest, TripleBondAddsACentreLineAndWidensTheOffset) {
    addBond(structure, makeBond(500, 100, 500, 160, 2));
    addBond(structure, makeBond(600, 100, 600, 160, 3));
    settings.PiBond = 3;
    const QImage image = paint();
    for (int y = 101; y <= 158; ++y) {
        EXPECT_EQ(columnsWith(image, y, 490, 510, kBlack), (std::vector<int>{497, 503})) << y;
        EXPECT_EQ(columnsWith(image, y, 590, 610, kBlack), (std::vector<int>{596, 600, 604})) << y;
    }
}

TEST_F(StructurePainterTest, AromaticRingIsACircleAndItsBondsSingleLines) {
    AromaticRing ring;
    ring.CentreX = 600;
    ring.CentreY = 300;
    ring.Radius = 14;
    structure.appendItem(kRingItem, structure.appendRing(ring));
    const int aromatic = addBond(structure, makeBond(700, 100, 700, 160, 2, 2));
    structure.bond(aromatic).RingX = 1; // aromatic bonds name their ring
    const QImage image = paint();

    EXPECT_EQ(columnsWith(image, 300, 570, 630, kBlack), (std::vector<int>{586, 614}));
    EXPECT_EQ(rowsWith(image, 600, 270, 330, kBlack), (std::vector<int>{286, 314}));
    for (int y = 101; y <= 158; ++y)
        EXPECT_EQ(columnsWith(image, y, 690, 710, kBlack), (std::vector<int>{700})) << y;
}

TEST_F(StructurePainterTest, BondWidthOffDrawsTwoPixelLines) {
    addBond(structure, makeBond(100, 400, 200, 400));
    addBond(structure, makeBond(300, 400, 300, 500));
    EXPECT_EQ(rowsWith(paint(), 150, 390, 410, kBlack), (std::vector<int>{400}));

    settings.BondWidth = false;
    const QImage image = paint();
    const std::vector<int> rows = rowsWith(image, 150, 390, 410, kBlack);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1] - rows[0], 1);
    EXPECT_EQ(columnsWith(image, 450, 290, 310, kBlack).size(), 2u);
}

TEST_F(StructurePainterTest, MethylShowsCAndHAndASmallerLoweredThree) {
    // A methyl carbon at the corner of two bonds, both of which the label hides.
    addBond(structure, makeBond(240, 500, 300, 500));
    addBond(structure, makeBond(300, 500, 300, 560));
    addAtom(structure, kCarbon, 300, 500, 3);
    addBond(structure, makeBond(250, 495, 350, 495)); // runs through the label's top rows
    const QImage image = paint();

    // The bonds are blanked under the fixed square (x 297..310, y 495..504) and under the
    // whole text as the fonts measure it: "CH" from x 296 and y 494, then the lowered "3".
    const QFontMetrics metrics(labelFont(QStringLiteral("Arial"), settings.FontSize, false));
    const int textBottom = 494 + metrics.height() - 1;
    const QRect countInk =
        inkBox(image, QRect(296 + textWidth(QStringLiteral("CH")) + 1, 480, 20, 40), kRed);
    ASSERT_FALSE(countInk.isNull());
    const int blankRight = std::max(310, countInk.right());
    EXPECT_EQ(countPixels(image, QRect(296, 495, blankRight - 296 + 1, 10), kBlack), 0);
    EXPECT_EQ(image.pixelColor(295, 500), kBlack);
    EXPECT_EQ(rowsWith(image, 300, 495, textBottom, kBlack), std::vector<int>{});
    EXPECT_EQ(image.pixelColor(300, textBottom + 1), kBlack);
    EXPECT_EQ(image.pixelColor(295, 495), kBlack);
    EXPECT_EQ(image.pixelColor(blankRight + 3, 495), kBlack);

    const int textEnd = 296 + textWidth(QStringLiteral("CH"));
    const QRect symbolInk = inkBox(image, QRect(296, 480, textEnd - 296, 40), kRed);
    const QRect digitInk = inkBox(image, QRect(textEnd + 1, 480, 20, 40), kRed);
    ASSERT_FALSE(symbolInk.isNull());
    ASSERT_FALSE(digitInk.isNull());
    EXPECT_GE(digitInk.left(), 300 + textWidth(QStringLiteral("CH")));
    EXPECT_LT(digitInk.height(), symbolInk.height());
    EXPECT_GT(digitInk.top(), symbolInk.top());
    EXPECT_GT(digitInk.bottom(), symbolInk.bottom());
    // The "H" has ink of its own between the "C" and the digit.
    const int cWidth = textWidth(QStringLiteral("C"));
    EXPECT_GT(countPixels(image, QRect(296 + cWidth, 480, textEnd - 296 - cWidth, 40), kRed), 10);

    const int regularInk = countPixels(image, QRect(280, 480, 60, 40), kRed);
    settings.FontBold = true;
    EXPECT_GT(countPixels(paint(), QRect(280, 480, 60, 40), kRed), regularInk);
}

TEST_F(StructurePainterTest, HydroxylHasNoDigitBareCarbonNoHAndHiddenLabelsNothing) {
    addBond(structure, makeBond(100, 700, 160, 700));
    addAtom(structure, kOxygen, 160, 700, 1);
    addAtom(structure, kCarbon, 400, 700, 0);
    addBond(structure, makeBond(600, 650, 600, 750));
    addAtom(structure, kCarbon, 600, 700, 2, 0); // a ring carbon: only a bond vertex
    const QImage image = paint();

    const int ohEnd = 156 + textWidth(QStringLiteral("OH"));
    EXPECT_GT(countPixels(image, QRect(156, 690, ohEnd - 156, 25), kRed), 0);
    EXPECT_EQ(countPixels(image, QRect(ohEnd + 1, 680, 30, 40), kRed), 0);

    const int cEnd = 396 + textWidth(QStringLiteral("C"));
    EXPECT_GT(countPixels(image, QRect(396, 690, cEnd - 396, 25), kRed), 0);
    EXPECT_EQ(countPixels(image, QRect(cEnd + 1, 680, 30, 40), kRed), 0);

    EXPECT_EQ(countPixels(image, QRect(580, 680, 40, 40), kRed), 0);
    EXPECT_EQ(rowsWith(image, 600, 690, 710, kBlack).size(), 21u);
}

TEST_F(StructurePainterTest, BlankingSquareGrowsWithTheFontSize) {
    addBond(structure, makeBond(200, 300, 400, 300));
    addAtom(structure, kCarbon, 300, 300, 0);
    struct Case {
        int fontSize, half;
    };
    for (const Case c : {Case{9, 5}, Case{10, 8}, Case{12, 9}}) {
        settings.FontSize = c.fontSize;
        const QImage image = paint();
        EXPECT_EQ(columnsWith(image, 300, 300 - c.half, 299 + c.half, kBlack).size(), 0u)
            << c.fontSize;
        EXPECT_EQ(image.pixelColor(300 - c.half - 1, 300), kBlack) << c.fontSize;
        EXPECT_EQ(image.pixelColor(300 + c.half, 300), kBlack) << c.fontSize;
    }
}

TEST_F(StructurePainterTest, LabelledIsotopesRepaintTheirSymbolInTheIsotopeColour) {
    addAtom(structure, kDeuterium, 300, 900, 0);
    addAtom(structure, kCarbon13, 500, 900, 3);
    const QImage image = paint();

    // Deuterium: the second, green symbol covers the first one exactly.
    const QRect deuterium(290, 885, 30, 30);
    EXPECT_GT(countPixels(image, deuterium, kGreen), 10);
    EXPECT_EQ(countPixels(image, deuterium, kRed), 0);

    // C*H3: only "C*" turns green; "H" and the digit keep the font colour.
    const int starEnd = 496 + textWidth(QStringLiteral("C*"));
    EXPECT_GT(countPixels(image, QRect(496, 885, starEnd - 496, 30), kGreen), 10);
    EXPECT_EQ(countPixels(image, QRect(496, 885, starEnd - 496, 30), kRed), 0);
    EXPECT_EQ(countPixels(image, QRect(starEnd, 880, 40, 40), kGreen), 0);
    EXPECT_GT(countPixels(image, QRect(starEnd, 880, 40, 40), kRed), 10);
}

TEST_F(StructurePainterTest, NitroLabelHidesTheBondEndAndWritesNOWithASubscriptTwo) {
    // C-N drawn by the user, the nitro label on it; the nitrogen, its two oxygens and the two
    // N=O bonds have no draw items.
    addAtom(structure, kCarbon, 100, 900, 3);
    const int drawn = addBond(structure, makeBond(100, 900, 160, 900));
    for (const int element : {kNitrogen, kOxygen, kOxygen}) {
        Atom a;
        a.Element = element;
        a.X = element == kNitrogen ? 160 : 180;
        a.Y = 900;
        a.NitroOxygen = element == kOxygen ? 1 : 0;
        structure.appendAtom(a);
        if (element == kOxygen) addBond(structure, makeBond(160, 900, 180, 900, 2), false);
    }
    structure.appendItem(kNitroItem, drawn);
    const QImage image = paint();

    EXPECT_EQ(image.pixelColor(154, 900), kBlack);
    EXPECT_EQ(countPixels(image, QRect(155, 895, 10, 10), kBlack), 0);
    EXPECT_EQ(countPixels(image, QRect(165, 880, 40, 40), kBlack), 0); // no N=O lines

    const int noEnd = 156 + textWidth(QStringLiteral("NO"));
    const QRect letters = inkBox(image, QRect(156, 880, noEnd - 156, 40), kRed);
    const QRect two = inkBox(image, QRect(noEnd, 880, 20, 40), kRed);
    ASSERT_FALSE(letters.isNull());
    ASSERT_FALSE(two.isNull());
    EXPECT_LT(two.height(), letters.height());
    EXPECT_GT(two.bottom(), letters.bottom());
}

} // namespace
} // namespace qzx
