#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/drawing_surface.h"
#include "app/main_window.h"
#include "app/window_registry.h"
#include "platform/help_browser.h"
#include "program_folder.h"
#include "scripted_prompter.h"
#include "state/app_state.h"
#include "windows/program_window.h"

namespace qzx::test {

/// A window test's world: a temporary program folder with the element data files, the
/// start-up records loaded from it, a scripted prompter and a help window, so that a window
/// is made with `context()` in one line.
class GuiTest : public ::testing::Test {
protected:
    /// Writes QZXPRO.INI into the program folder (before loadState()).
    void writeIni(const std::string& text) {
        std::ofstream(folder / "QZXPRO.INI", std::ios::binary) << text;
    }
    /// Loads the records as the program's start-up does.
    AppState& loadState() {
        m_state = loadAppState(folder, prompter);
        state = m_state.get();
        return *state;
    }
    /// What a window is made with; loads the records first when that has not happened yet.
    WindowContext context() {
        if (!state) loadState();
        if (!m_help) m_help = std::make_unique<HelpBrowser>(folder);
        return WindowContext{*state, prompter, *m_help};
    }

    ProgramFolder programFolder{"qzx_gui_"};
    const std::filesystem::path& folder = programFolder.path();
    ScriptedPrompter prompter;
    AppState* state = nullptr;

private:
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<HelpBrowser> m_help;
};

/// The whole program as start-up makes it: the records, then every window in order.
class ProgramTest : public GuiTest {
protected:
    void TearDown() override { registry.reset(); }
    /// Starts the program in the test's folder; the start screen stays as start-up left it.
    MainWindow& create() {
        if (!state) loadState();
        registry = std::make_unique<WindowRegistry>(*state, prompter);
        window = &registry->mainWindow();
        return *window;
    }
    QAction* action(const char* name) const {
        return qobject_cast<QAction*>(window->control(QString::fromLatin1(name)));
    }
    QToolButton* button(const QString& name) const {
        if (auto* b = qobject_cast<QToolButton*>(window->control(name))) return b;
        return window->findChild<QToolButton*>(name);
    }
    template <typename T> T* child(const char* name) const {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    void chooseTool(int tag) const { button(QStringLiteral("SpeedButton%1").arg(tag))->click(); }
    /// Press, drag in two steps and release with the left button on the drawing surface.
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QWidget* surface = window->drawingSurface();
        QTest::mousePress(surface, Qt::LeftButton, modifiers, from);
        QTest::mouseMove(surface, (from + to) / 2);
        QTest::mouseMove(surface, to);
        QTest::mouseRelease(surface, Qt::LeftButton, modifiers, to);
    }

    std::unique_ptr<WindowRegistry> registry;
    MainWindow* window = nullptr;
};

} // namespace qzx::test
