// The cuts made with the mouse in Analyze mode, the Fragments window, and the structure's
// pictures on the clipboard, on the whole program.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QSvgRenderer>
#include <QTest>

#include "../core/structure/structure_builders.h"
#include "app/drawing_surface.h"
#include "app/structure_view.h"
#include "gui_fixture.h"
#include "render/colors.h"
#include "windows/fragments_window.h"

namespace qzx::test {
namespace {

class StructureCuts : public ProgramTest {
protected:
    void SetUp() override {
        create();
        state->structure = toluene();
        window->structureView().showLoadedStructure();
        button(QStringLiteral("SpeedButton50"))->click(); // Analyze
    }
    const QImage& image() const { return window->drawingSurface()->image(); }
    /// Pixels of `color` inside `area` of the drawing.
    int pixelsOf(QRect area, QColor color) const {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += image().pixelColor(x, y) == color;
        return n;
    }
    QColor colorA() const { return colorFromValue(state->settings.FragmentA); }
    QColor colorB() const { return colorFromValue(state->settings.FragmentB); }
    FragmentsWindow* fragmentsWindow() const { return registry->find<FragmentsWindow>(); }
    QString fragmentsText(const char* name) const {
        return fragmentsWindow()->findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
};

TEST_F(StructureCuts, ALineBetweenRingAndMethylShowsFifteenAndSeventySevenBesideIt) {
    drag(QPoint(40, 90), QPoint(160, 90));
    ASSERT_EQ(state->cuts.count, 1);
    EXPECT_EQ(state->cuts.entries[0].massA, 15.0f);
    EXPECT_EQ(state->cuts.entries[0].massB, 77.0f);
    EXPECT_EQ(image().pixelColor(60, 90), QColor(Qt::red)) << "the cut line";
    // Label A ("15") right of the line's start, label B ("77") below its end, in their colours.
    EXPECT_GT(pixelsOf(QRect(45, 85, 30, 16), colorA()), 10);
    EXPECT_GT(pixelsOf(QRect(160, 95, 30, 16), colorB()), 10);
    // The ring's atoms are marked in B's colour.
    EXPECT_GT(pixelsOf(QRect(78, 138, 5, 5), colorB()), 0);
    EXPECT_FALSE(fragmentsWindow()->isVisible()) << "a line cut opens no window";

    // Without "Multi Fragment" the next cut replaces the first and its marks go.
    drag(QPoint(40, 130), QPoint(160, 130));
    EXPECT_EQ(state->cuts.count, 1);
    EXPECT_NE(image().pixelColor(60, 90), QColor(Qt::red));
}

TEST_F(StructureCuts, ABoxAroundTheMethylOpensTheFragmentsWindow) {
    button(QStringLiteral("SpeedButton55"))->click(); // Box Mode
    drag(QPoint(70, 60), QPoint(130, 95));
    ASSERT_EQ(state->cuts.count, 1);
    EXPECT_LT(state->cuts.entries[0].x1, 0.0f) << "a box keeps its left edge negated";
    FragmentsWindow* fragments = fragmentsWindow();
    ASSERT_TRUE(fragments->isVisible());
    EXPECT_EQ(fragments->windowTitle(), "Fragments");
    EXPECT_EQ(fragmentsText("Label1"), "mass1:");
    EXPECT_EQ(fragmentsText("Label3"), "15");
    EXPECT_EQ(fragmentsText("Label2"), "M - mass1");
    EXPECT_EQ(fragmentsText("Label4"), "77");
    EXPECT_FALSE(fragments->isModal());

    // Switching the pop-up off, or going back to Draw mode, hides it.
    action("m3ShowBoxPopUp")->trigger();
    EXPECT_FALSE(fragments->isVisible());
    action("m3ShowBoxPopUp")->trigger();
    drag(QPoint(70, 60), QPoint(130, 95));
    EXPECT_TRUE(fragments->isVisible());
    button(QStringLiteral("SpeedButton49"))->click();
    EXPECT_FALSE(fragments->isVisible());
}

TEST_F(StructureCuts, SubFragmentBoxesShowTheResidualInTheWindow) {
    action("m3SubFrag")->trigger();
    EXPECT_TRUE(action("m3MultiFrag")->isChecked());
    drag(QPoint(60, 70), QPoint(140, 110));
    drag(QPoint(70, 75), QPoint(130, 95));
    EXPECT_EQ(state->cuts.count, 2);
    EXPECT_EQ(fragmentsText("Label2"), "Residual:");
    EXPECT_EQ(fragmentsText("Label4"), "12");
}

TEST_F(StructureCuts, ARegionAroundTheMethylFillsTheWindowAndLeavesTheListEmpty) {
    button(QStringLiteral("SpeedButton56"))->click(); // Region Mode
    // The region's points: press, the corners passed, release near the start.
    QWidget* surface = window->drawingSurface();
    QTest::mousePress(surface, Qt::LeftButton, Qt::NoModifier, QPoint(80, 70));
    for (const QPoint p : {QPoint(120, 70), QPoint(120, 90), QPoint(80, 90)})
        QTest::mouseMove(surface, p);
    QTest::mouseRelease(surface, Qt::LeftButton, Qt::NoModifier, QPoint(80, 72));
    ASSERT_TRUE(fragmentsWindow()->isVisible());
    EXPECT_EQ(fragmentsText("Label3"), "15");
    EXPECT_EQ(fragmentsText("Label2"), "M - mass1");
    EXPECT_EQ(fragmentsText("Label4"), "77");
    EXPECT_EQ(state->cuts.count, 0);
    EXPECT_GT(pixelsOf(QRect(98, 78, 5, 5), colorA()), 0) << "the methyl marked as side A";
}

TEST_F(StructureCuts, AsMetafilePutsAnSvgAndAPngOfTheExtentPlusThirtyPixels) {
    drag(QPoint(40, 90), QPoint(160, 90));
    action("m2CopyMetafile")->trigger();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    ASSERT_TRUE(data->hasFormat("image/svg+xml"));
    ASSERT_TRUE(data->hasImage());
    // Atoms 80..120 x 80..160, widened in Analyze mode by the cut from x 40 to 160.
    QSvgRenderer svg(data->data("image/svg+xml"));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox(), QRect(0, 0, 150, 110)) << "in drawing pixels";
    const QImage png = qvariant_cast<QImage>(data->imageData());
    EXPECT_EQ(png.size(), QSize(150, 110));
    // The ring's left bond (x 80) lands 40 pixels right of the origin's 10.
    EXPECT_EQ(png.pixelColor(50, 90 - 80 + 10 + 40), QColor(Qt::black));

    // Back in Draw mode the cuts leave the picture: the atoms alone.
    button(QStringLiteral("SpeedButton49"))->click();
    action("m2CopyMetafile")->trigger();
    EXPECT_EQ(qvariant_cast<QImage>(QGuiApplication::clipboard()->mimeData()->imageData()).size(),
              QSize(70, 110));
}

TEST_F(StructureCuts, AsBitmapCopiesTheDrawingEightyPixelsAroundTheAtoms) {
    action("m2CopyBitmap")->trigger();
    const QImage copied = QGuiApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), QSize(40 + 160, 80 + 160));
    EXPECT_EQ(copied.pixelColor(80, 80), image().pixelColor(80, 80)) << "the drawing as it is";
}

TEST_F(StructureCuts, CopyToWordPadWithAMissingProgramSaysSoAndKeepsThePicture) {
    state->settings.PathToText = "qzx-no-such-word-processor";
    action("m2CopyWord")->trigger();
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_EQ(prompter.shown.back().text, "File qzx-no-such-word-processor not found");
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat("image/svg+xml"));
}

TEST_F(StructureCuts, ASingleAtomGivesAThirtyPixelSquarePicture) {
    button(QStringLiteral("SpeedButton49"))->click();
    Structure single;
    addAtom(single, makeAtom(1, 300, 300, 4, 1, 0));
    state->structure = single;
    window->structureView().showLoadedStructure();
    action("m2CopyMetafile")->trigger();
    const QImage png = qvariant_cast<QImage>(QGuiApplication::clipboard()->mimeData()->imageData());
    EXPECT_EQ(png.size(), QSize(30, 30));
}

} // namespace
} // namespace qzx::test
