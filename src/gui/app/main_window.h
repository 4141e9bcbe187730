#pragma once

#include <QHash>
#include <QMainWindow>
#include <QSet>
#include <memory>
#include <string>

#include "app/cursors.h"
#include "app/screen_fit.h"

class QAbstractButton;
class QKeyEvent;
class QAction;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QMenu;
class QPainter;
class QPrinter;
class QScrollArea;
class QToolButton;

namespace qzx {

struct AppState;
struct EditorEffects;
struct RGroupRequest;
class Editor;
enum class EditorCursor;
struct AppWindows;
class DrawingSurface;
class HintSwitch;
class LabelField;
class Prompter;
class SplashWindow;

/// The main window's own state: tool, element, modes and options.
/// The tool, element, modes and fragment shape live in the editor (`MainWindow::editor()`).
struct MainWindowState {
    int elementPage = 1; ///< 1..3, the page of element buttons shown
    bool showBoxPopup = true;
    bool subFragment = false;
    bool multiFragment = false;
    bool showFragmentComposition = false;
    bool UseAccurateMass = false;
    int molBondLength = 100; ///< pixels per MOL-file bond length unit
    bool scrollBars = false;
    bool labelShown = false;
};

/// The hub of the program: menus, tool panel, speed bar, drawing surface and status panels.
/// Construction performs the program's start-up work (settings, element table, splash).
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(AppState& state, Prompter& prompter, AppWindows& windows, QWidget* parent = nullptr);
    ~MainWindow() override;

    const MainWindowState& mainState() const { return m_state; }
    /// The drawing editor: tool, modes and the gestures on the drawing surface.
    Editor& editor() { return *m_editor; }
    DrawingSurface* drawingSurface() const { return m_surface; }
    SplashWindow* splash() const { return m_splash; }
    /// A menu item, popup item or button by its name (e.g. "m1New", "SpeedButton53").
    QObject* control(const QString& name) const { return m_controls.value(name); }
    /// Whether the command of that name can be chosen now.
    bool isControlEnabled(const QString& name) const;

    // Commands of the menus, speed bar and popup menu.
    void m1NewClick();
    void m1OpenClick();
    void m1SaveClick();
    void m1SaveAsClick();
    void m1MolimportClick();
    void m1MolexportClick();
    void m1RLoadClick();
    void m1RSaveClick();
    void m1DeleteClick();
    void m1MolBndLenClick();
    void m1PrintSetupClick();
    void m1ExitClick();
    void SpeedButton49Click(); ///< draw mode
    void SpeedButton50Click(); ///< analyze mode
    void puAnalyzeClick();
    void selectFragmentShape(int shape);
    void SpeedButton58Click(); ///< scroll bars on or off
    void repaintStructure();
    void m3ShowAtomsClick();
    void m3SubFragClick();
    void m3MultiFragClick();
    void m3AccMassClick();
    void m3ShowFragCompClick();
    void m3ShowBoxPopUpClick();
    void m3ShowLabelClick();
    void SpeedButton1Click(int tool);    ///< tools 1..21
    void SpeedButton22Click(int button); ///< element buttons 1..27
    void SpinButton1UpClick();
    void SpinButton1DownClick();

    void m2SelectClick();
    void puAddClick();
    void puSubtractClick();
    void m2BondsClick();
    void puUndoClick();
    /// Paints the structure afresh and shows its composition and mass.
    void composeAndShow();

    /// Enables or disables every command that needs a drawn structure.
    void setStructureCommandsEnabled(bool enabled);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void buildMenus();
    void buildPopupMenu();
    QWidget* buildSpeedBar();
    QWidget* buildToolPanel();
    QWidget* buildStatusPanels();
    void applySettingsToWindow();
    void applyScreenFit();
    void loadElements();
    void showElementPage();
    void setAnalyzeMode(bool analyze);

    QAction* addCommand(QMenu* menu, const QString& name, const QString& caption,
                        const QKeySequence& shortcut = {});
    QToolButton* addSpeedButton(const QString& name, const QString& caption, const QString& hint);
    void registerControl(const QString& name, QObject* control);
    void setControlEnabled(const QString& name, bool enabled);
    void setChecked(const QString& name, bool checked);
    void showHelp(int context);
    void errorSignal();

    /// The error signal and an error box with a file command's message.
    void showFileMessage(const std::string& message);
    /// Inserts the active R group where the R-group tool was released.
    void insertRGroup(const RGroupRequest& request);

    // The structure editor on the drawing surface.
    void connectDrawingSurface();
    void applyEditorEffects(const EditorEffects& effects);
    void paintPreview(QPainter& painter);
    void paintMarks();
    void setEditorCursor(EditorCursor cursor);
    void syncEditorCommands();
    /// The window's key handler, which sees keys before the controls; true when it used the key.
    bool FormKeyDown(QKeyEvent* event);

    AppState& m_app;
    Prompter& m_prompter;
    AppWindows& m_windows;
    MainWindowState m_state;
    CursorSet m_cursors;
    ScreenFit m_fit;

    QHash<QString, QObject*> m_controls;
    /// Commands whose windows are not part of the program yet: shown, but never enabled.
    QSet<QString> m_notAvailable;
    QMenu* m_popup = nullptr;
    QScrollArea* m_scrollBox = nullptr;
    DrawingSurface* m_surface = nullptr;
    LabelField* m_labelField = nullptr;
    QLabel* m_compositionPanel = nullptr;
    QLabel* m_massPanel = nullptr;
    QLabel* m_pageLabel = nullptr;
    QButtonGroup* m_toolGroup = nullptr;
    QList<QToolButton*> m_elementButtons;
    QWidget* m_speedBar = nullptr;
    HintSwitch* m_hints = nullptr;
    SplashWindow* m_splash = nullptr;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<Editor> m_editor;
    QLabel* m_chainLabel = nullptr; ///< "Length:" while the chain tool drags
    QLabel* m_chainCount = nullptr;
};

} // namespace qzx
