// Draws in the real main window on an X display with the real pointer (XTest), and checks
// that the composition panel shows what the editor's own tests compute.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>

#include "app/drawing_surface.h"
#include "fake_pointer.h"
#include "gui_fixture.h"
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

    /// Lets the program take the events the X server sends it.
    static void settle() { QTest::qWait(60); }
    void dragOnSurface(QPoint from, QPoint to) {
        const QPoint a = surface->mapToGlobal(from), b = surface->mapToGlobal(to);
        pointer.moveTo(a.x(), a.y());
        settle();
        pointer.pressLeft();
        settle();
        pointer.moveTo((a.x() + b.x()) / 2, (a.y() + b.y()) / 2);
        settle();
        pointer.moveTo(b.x(), b.y());
        settle();
        pointer.releaseLeft();
        settle();
    }
    QString composition() const {
        return window->findChild<QLabel*>(QStringLiteral("Panel4"))->text();
    }

    DrawingSurface* surface = nullptr;
    test::FakePointer pointer;
};

TEST_F(DrawingUnderX11, GesturesGiveTheCompositionsOfTheEditorTests) {
    ASSERT_TRUE(pointer.available());
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
