#pragma once

#include <vector>

namespace qzx {

struct AppState;
class CommandHandlers;
class ElementWindows;
class FormulaCalculatorDisplay;
class SpectrumEditorDisplay;
class StructureDisplay;
class MainWindowOptions;
class WindowDirectory;
class HelpBrowser;
class NoticeDisplay;
class Prompter;

/// What every window of the program is made with: the shared records, the seam for dialogs
/// and modal windows, and the help window its Help command opens.
struct WindowContext {
    AppState& state;
    Prompter& prompter;
    HelpBrowser& help;
    /// Where notices go (the notice window, found when a notice comes); none in tests that
    /// make a window alone, where the prompter shows them.
    NoticeDisplay* notices = nullptr;
    /// The periodic table and the element list, found when asked for; none in tests that
    /// make a window alone.
    ElementWindows* elementWindows = nullptr;
    /// The formula calculator, for the windows made after it.
    FormulaCalculatorDisplay* calculator = nullptr;
    /// The spectrum editor, for the windows made after it.
    SpectrumEditorDisplay* spectrumEditor = nullptr;
    /// The main window's structure, for the windows that mark fragments on it.
    StructureDisplay* structureDisplay = nullptr;
    /// The main window's options, for the preferences.
    MainWindowOptions* mainOptions = nullptr;
    /// Every window of the program, to be searched once all exist (when a command runs, not
    /// while windows are being made).
    const WindowDirectory* windows = nullptr;
};

/// A window that lives from start to exit beside the main window. After every window exists
/// it registers the main-window commands it serves (its menu items and speed buttons).
class ProgramWindow {
public:
    virtual ~ProgramWindow() = default;
    virtual void registerCommands(CommandHandlers& handlers) = 0;
};

/// The program's windows as other windows find them by the interface they need.
class WindowDirectory {
public:
    void add(ProgramWindow* window) { m_windows.push_back(window); }
    /// The first window that is a `T`, or nullptr when none is part of the program.
    template <typename T> T* find() const {
        for (ProgramWindow* window : m_windows)
            if (auto* found = dynamic_cast<T*>(window)) return found;
        return nullptr;
    }

private:
    std::vector<ProgramWindow*> m_windows;
};

} // namespace qzx
