// Draws in the real main window on an X display with the real pointer (XTest), and checks
// that the composition panel shows what the editor's own tests compute.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>

#include "app/drawing_surface.h"
#include "gui_fixture.h"
#include "pointer_hands.h"
#include "structure/structure_file.h"
#include "windows/fragments_window.h"
#include "windows/splash_window.h"

namespace qzx {
namespace {
namespace fs = std::filesystem;

class DrawingUnderX11 : public test::ProgramTest {
protected:
    void SetUp() override {
        create();
        window->splash()->hide();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        surface = window->drawingSurface();
    }

    static void settle() { test::PointerHands::settle(); }
    void dragOnSurface(QPoint from, QPoint to) { hands.drag(surface, from, to); }
    QString composition() const {
        return window->findChild<QLabel*>(QStringLiteral("Panel4"))->text();
    }

    DrawingSurface* surface = nullptr;
    test::PointerHands hands;
};

TEST_F(DrawingUnderX11, GesturesGiveTheCompositionsOfTheEditorTests) {
    ASSERT_TRUE(hands.available());
    chooseTool(7);
    dragOnSurface(QPoint(200, 200), QPoint(240, 200));
    EXPECT_EQ(composition(), "   Composition:  C2 H6 ");

    window->runCommand("m1New");
    chooseTool(2);
    dragOnSurface(QPoint(300, 150), QPoint(300, 150));
    dragOnSurface(QPoint(340, 150), QPoint(340, 150));
    EXPECT_EQ(composition(), "   Composition:  C10 H8 ");

    chooseTool(15); // a nitro group on the second ring
    dragOnSurface(QPoint(360, 170), QPoint(400, 150));
    EXPECT_EQ(composition(), "   Composition:  C10 H7 N1 O2 ");
}

/// What another program reads from the clipboard, run while this one keeps serving it.
QByteArray clipboardAsAnotherProgramSees(const QString& target) {
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                                          QStringLiteral("-t"), target, QStringLiteral("-o")});
    const QDeadlineTimer deadline(10000);
    while (xclip.state() != QProcess::NotRunning && !deadline.hasExpired())
        QTest::qWait(20); // our event loop answers the clipboard requests meanwhile
    return xclip.readAllStandardOutput();
}

class CutsUnderX11 : public DrawingUnderX11 {
protected:
    /// Toluene drawn with the mouse: a benzene ring, then a methyl 30 pixels above its top
    /// atom. Returns that top atom's position.
    QPoint drawToluene() {
        return test::drawTolueneWithPointer(hands, surface, state->structure,
                                            [this](int tool) { chooseTool(tool); });
    }
};

TEST_F(CutsUnderX11, ALineAndABoxCutTolueneIntoFifteenAndSeventySeven) {
    ASSERT_TRUE(hands.available());
    const QPoint top = drawToluene();
    ASSERT_EQ(composition(), "   Composition:  C7 H8 ");
    window->runCommand("SpeedButton50"); // Analyze
    dragOnSurface(top + QPoint(-60, -15), top + QPoint(60, -15));
    ASSERT_EQ(state->cuts.count, 1);
    EXPECT_EQ(state->cuts.entries[0].massA, 15.0f);
    EXPECT_EQ(state->cuts.entries[0].massB, 77.0f);

    window->runCommand("SpeedButton55"); // Box Mode
    dragOnSurface(top + QPoint(-20, -45), top + QPoint(20, -20));
    auto* fragments = registry->find<FragmentsWindow>();
    ASSERT_TRUE(fragments->isVisible());
    EXPECT_EQ(fragments->findChild<QLabel*>(QStringLiteral("Label3"))->text(), "15");
    EXPECT_EQ(fragments->findChild<QLabel*>(QStringLiteral("Label4"))->text(), "77");
}

TEST_F(CutsUnderX11, AnotherProgramReadsThePictureAsSvgAndPng) {
    ASSERT_TRUE(hands.available());
    drawToluene();
    window->runCommand("m2CopyMetafile");
    const QByteArray targets = clipboardAsAnotherProgramSees(QStringLiteral("TARGETS"));
    EXPECT_TRUE(targets.contains("image/svg+xml")) << targets.toStdString();
    EXPECT_TRUE(targets.contains("image/png")) << targets.toStdString();

    QSvgRenderer svg(clipboardAsAnotherProgramSees(QStringLiteral("image/svg+xml")));
    ASSERT_TRUE(svg.isValid());
    QImage shown(svg.viewBox().size(), QImage::Format_RGB32);
    shown.fill(Qt::white);
    QPainter painter(&shown);
    svg.render(&painter);
    painter.end();
    int dark = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            dark += shown.pixelColor(x, y).lightness() < 100;
    EXPECT_GT(dark, 100) << "the ring's bonds and the label are drawn";

    const QImage png = QImage::fromData(clipboardAsAnotherProgramSees(QStringLiteral("image/png")));
    EXPECT_EQ(png.size(), shown.size());
}

TEST_F(CutsUnderX11, ABondDrawnWithTheMouseAtTwiceTheZoomGivesTheSameFile) {
    ASSERT_TRUE(hands.available());
    chooseTool(7);
    dragOnSurface(QPoint(200, 200), QPoint(240, 200));
    const Bytes atActualSize = encodeStructureFile(state->structure);
    window->runCommand("m1New");
    surface->setZoom(2.0);
    settle();
    chooseTool(7);
    dragOnSurface(QPoint(400, 400), QPoint(480, 400));
    EXPECT_EQ(encodeStructureFile(state->structure), atActualSize);
}

} // namespace
} // namespace qzx

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "No X display: the X11 tests are skipped.\n");
        return 77;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
