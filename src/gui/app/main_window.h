#pragma once

#include <QHash>
#include <QMainWindow>
#include <memory>
#include <string_view>

#include "app/screen_fit.h"
#include "windows/command_handlers.h"
#include "windows/program_window.h"
#include "windows/window_steering.h"

class QAction;
class QMenu;

namespace qzx {

struct CommandSpec;
struct CommandView;
class DrawingSurface;
class Editor;
class FileCommands;
class PictureCommands;
class PrintCommands;
class HintSwitch;
class SpeedBar;
class SplashWindow;
class StructureView;
class ToolPanel;
class WindowRegistry;

/// The fragment options of the Options menu, read by the fragment cuts.
struct FragmentOptions {
    bool subFragment = false;
    bool multiFragment = false;
    bool showFragmentComposition = false;
    bool showBoxPopup = true;
};

/// The hub of the program (`TForm1`): the menus, popup menu and speed bar built from the
/// command table, the tool panel, the structure view and the status panels. It wires each
/// command to the handler that serves it and derives every command's enabled state and check
/// mark from the program's state. Construction performs the main window's part of start-up
/// (screen fit, settings applied, empty drawing, element buttons, start screen).
class MainWindow : public QMainWindow, public StructureDisplay, public MainWindowOptions {
    Q_OBJECT
public:
    MainWindow(const WindowContext& context, WindowRegistry& windows, QWidget* parent = nullptr);
    ~MainWindow() override;

    void redrawStructure() override;
    void showFragmentAtoms(const std::vector<std::int32_t>& atoms) override;

    void setAccurateMass(bool on) override;
    void setLabelShown(bool on) override;
    void setScrollBarsOn(bool on) override;
    void setShowFragmentComposition(bool on) override;
    void setShowBoxPopup(bool on) override;
    void setHintsShown(bool on) override;

    /// Where the windows register the commands they serve.
    CommandHandlers& commandHandlers() { return m_handlers; }
    /// Runs the handler of a command by name, as its menu item or button would.
    void runCommand(std::string_view name);
    /// Sets every command's enabled state, check mark and caption from the current state.
    void refreshCommands();

    Editor& editor();
    DrawingSurface* drawingSurface() const;
    StructureView& structureView() { return *m_view; }
    SplashWindow* splash() const { return m_splash; }
    const FragmentOptions& fragmentOptions() const { return m_options; }
    /// A command (menu item, popup item, speed button) or another control of the window by
    /// its name (e.g. "m1New", "SpeedButton53", "SpeedButton11"); nullptr when none has it.
    QObject* control(const QString& name) const;
    /// Whether the command of that name can be chosen now.
    bool isControlEnabled(const QString& name) const;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void buildCommands();
    void registerOwnCommands();
    void applySettings();
    void applyScreenFit();
    CommandView commandView() const;

    void m1NewClick();
    void m1ExitClick();
    void setAnalyzeMode(bool analyze);
    /// A cut gesture ended: the cut is made and shown, and a box or region cut fills the
    /// Fragments window.
    void endCut(const struct FragmentGesture& gesture);
    void enterDrawMode();
    void enterAnalyzeMode();
    void selectFragmentShape(int shape);
    void m3SubFragClick();
    void hideFragmentMasses();

    AppState& m_app;
    Prompter& m_prompter;
    HelpBrowser& m_help;
    WindowRegistry& m_windows;
    ScreenFit m_fit;
    FragmentOptions m_options;
    CommandHandlers m_handlers;
    QHash<QString, QObject*> m_controls;
    QMenu* m_popup = nullptr;
    SpeedBar* m_speedBar = nullptr;
    ToolPanel* m_toolPanel = nullptr;
    StructureView* m_view = nullptr;
    FileCommands* m_files = nullptr;
    PictureCommands* m_pictures = nullptr;
    PrintCommands* m_prints = nullptr;
    HintSwitch* m_hints = nullptr;
    SplashWindow* m_splash = nullptr;
};

} // namespace qzx
