#pragma once

namespace qzx {

struct AppState;
class CommandHandlers;
class ElementWindows;
class FormulaCalculatorDisplay;
class SpectrumEditorDisplay;
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
};

/// A window that lives from start to exit beside the main window. After every window exists
/// it registers the main-window commands it serves (its menu items and speed buttons).
class ProgramWindow {
public:
    virtual ~ProgramWindow() = default;
    virtual void registerCommands(CommandHandlers& handlers) = 0;
};

} // namespace qzx
