// The main window on a real X screen of the size the test is started on (800 x 600,
// 1024 x 768, 1280 x 1024): the window lies inside the screen and nothing of the speed bar or
// the status panels is cut off.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <cstdio>

#include "app/command_table.h"
#include "gui_fixture.h"
#include "windows/splash_window.h"

namespace qzx {
namespace {

/// The part of `widget` that can be seen, in screen pixels.
QRect seenOnScreen(const QWidget& widget) {
    const QRect visible = widget.visibleRegion().boundingRect();
    return QRect(widget.mapToGlobal(visible.topLeft()), visible.size());
}

class ScreenFitUnderX11 : public test::ProgramTest {};

TEST_F(ScreenFitUnderX11, TheMainWindowAndEverySpeedButtonLieInsideTheScreen) {
    create();
    window->splash()->hide();
    window->showMaximized();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QTest::qWait(100);
    const QRect screen = window->screen()->geometry();
    SCOPED_TRACE(
        QStringLiteral("screen %1 x %2").arg(screen.width()).arg(screen.height()).toStdString());
    EXPECT_TRUE(screen.contains(window->frameGeometry()))
        << window->frameGeometry().width() << " x " << window->frameGeometry().height();

    int buttons = 0;
    for (const CommandSpec& command : commandTable()) {
        if (command.kind != CommandKind::SpeedButton) continue;
        const auto* b = qobject_cast<QToolButton*>(window->control(command.name));
        ASSERT_NE(b, nullptr) << command.name;
        ++buttons;
        EXPECT_TRUE(b->isVisible()) << command.name;
        EXPECT_EQ(b->visibleRegion().boundingRect(), b->rect()) << command.name << " is cut off";
        EXPECT_TRUE(screen.contains(seenOnScreen(*b))) << command.name;
    }
    EXPECT_EQ(buttons, 16);
    for (const char* panel : {"Panel4", "Panel5"}) {
        const auto* label = child<QLabel>(panel);
        EXPECT_EQ(label->visibleRegion().boundingRect(), label->rect()) << panel;
        EXPECT_TRUE(screen.contains(seenOnScreen(*label))) << panel;
    }
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
