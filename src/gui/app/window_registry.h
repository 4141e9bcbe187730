#pragma once

#include <QStringList>
#include <QWidget>
#include <memory>
#include <vector>

#include "windows/program_window.h"

namespace qzx {

class HelpBrowser;
class MainWindow;

/// Owns every window of the program, made in the fixed start-up order with the main window
/// first, each with the shared records and the prompter. The main window asks it for the
/// windows it steers, by the interface it needs (`find<FragmentMassDisplay>()`, ...), so no
/// window holds a pointer to another.
class WindowRegistry {
public:
    /// Creates the help window, the main window and then every other window, and lets each
    /// register the main-window commands it serves.
    WindowRegistry(AppState& state, Prompter& prompter);
    ~WindowRegistry();
    WindowRegistry(const WindowRegistry&) = delete;
    WindowRegistry& operator=(const WindowRegistry&) = delete;

    MainWindow& mainWindow() { return *m_main; }
    HelpBrowser& help() { return *m_help; }
    /// The object names of the main window and the windows after it, in creation order.
    QStringList windowNames() const;

    /// The first window that is a `T` (a window class or a steering interface), or nullptr
    /// when no such window is part of the program.
    template <typename T> T* find() const {
        for (const Entry& entry : m_windows)
            if (auto* found = dynamic_cast<T*>(entry.program)) return found;
        return nullptr;
    }

private:
    struct Entry {
        std::unique_ptr<QWidget> widget;
        ProgramWindow* program;
    };
    /// Takes a new window into the registry, in creation order.
    template <typename W> void add(std::unique_ptr<W> window) {
        ProgramWindow* program = window.get();
        m_directory.add(program);
        m_windows.push_back({std::move(window), program});
    }
    void createWindows();

    /// Hands a notice to the notice window, which is made after some windows that send them.
    class NoticeForwarder;
    std::unique_ptr<NoticeForwarder> m_noticeForwarder;
    /// Opens the element windows for the windows made before them.
    class ElementWindowsForwarder;
    std::unique_ptr<ElementWindowsForwarder> m_elementForwarder;
    std::unique_ptr<HelpBrowser> m_help;
    WindowDirectory m_directory;
    WindowContext m_context;
    std::unique_ptr<MainWindow> m_main;
    /// Destroyed before the main window, their parent.
    std::vector<Entry> m_windows;
};

} // namespace qzx
