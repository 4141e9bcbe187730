#pragma once

// The whole program on an X display with the desktop's real dialogs, steered with the X
// server's real pointer.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/drawing_surface.h"
#include "gui_fixture.h"
#include "platform/prompter.h"
#include "pointer_hands.h"
#include "windows/splash_window.h"

namespace qzx::test {

/// Calls `step` once the modal window on top is a `T` (polled, as it opens in a nested loop).
template <typename T> void whenModal(std::function<void(T*)> step) {
    auto* timer = new QTimer;
    timer->setInterval(50);
    QObject::connect(timer, &QTimer::timeout, [timer, step] {
        auto* shown = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!shown || !shown->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        step(shown);
    });
    timer->start();
}

class ProgramUnderX11 : public GuiTest {
protected:
    void SetUp() override {
        loadState();
        registry = std::make_unique<WindowRegistry>(*state, dialogs);
        window = &registry->mainWindow();
        window->splash()->hide();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    void TearDown() override { registry.reset(); }
    static void settle() { PointerHands::settle(); }
    void click(QWidget* widget, QPoint at) { hands.click(widget, at); }
    void clickCentre(QWidget* widget) { hands.clickCentre(widget); }
    void dragOnSurface(QPoint from, QPoint to) { hands.drag(window->drawingSurface(), from, to); }
    void chooseTool(int tag) {
        clickCentre(window->findChild<QToolButton*>(QStringLiteral("SpeedButton%1").arg(tag)));
    }
    /// Chooses `item` of the main window's menu `menuTitle` with the pointer; returns when the
    /// command (and any modal window it opens) has finished.
    void chooseFromMenu(const QString& menuTitle, const QString& item) {
        chooseFromMenuOf(window->menuBar(), menuTitle, item);
    }
    /// The same on another window's menu bar.
    void chooseFromMenuOf(QMenuBar* bar, const QString& menuTitle, const QString& item) {
        QAction* menuAction = nullptr;
        for (QAction* action : bar->actions())
            if (action->text().remove(u'&') == menuTitle) menuAction = action;
        ASSERT_NE(menuAction, nullptr) << menuTitle.toStdString();
        click(bar, bar->actionGeometry(menuAction).center());
        QMenu* menu = menuAction->menu();
        ASSERT_TRUE(menu->isVisible());
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions())
            if (action->text().remove(u'&').startsWith(item)) chosen = action;
        ASSERT_NE(chosen, nullptr) << item.toStdString();
        click(menu, menu->actionGeometry(chosen).center());
    }

    DialogPrompter dialogs;
    std::unique_ptr<WindowRegistry> registry;
    MainWindow* window = nullptr;
    PointerHands hands;
};

} // namespace qzx::test
