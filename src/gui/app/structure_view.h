#pragma once

#include <QObject>
#include <memory>

#include "app/cursors.h"
#include "structure/fragment_cuts.h"

class QKeyEvent;
class QLabel;
class QMenu;
class QMouseEvent;
class QScrollArea;
class QWidget;

namespace qzx {

struct AppState;
class CommandHandlers;
class DrawingSurface;
class Editor;
class LabelField;
class Prompter;
enum class EditorCursor;
struct EditorEffects;
struct FragmentGesture;
struct WindowContext;

/// The structure on screen: the drawing surface in its scroll box with the label field, the
/// editor behind the mouse and keys, and the two status panels with the composition and mass.
/// It applies what the editor asks for (error signals, messages, cursors, repaints, R-group
/// insertion) and keeps the label field's text equal to the structure's `StructureLabel`.
/// The main window places its widgets and steers its modes.
class StructureView : public QObject {
    Q_OBJECT
public:
    StructureView(const WindowContext& context, QWidget* window);
    ~StructureView() override;

    Editor& editor() { return *m_editor; }
    const Editor& editor() const { return *m_editor; }
    DrawingSurface* surface() const { return m_surface; }
    /// The scroll box with the drawing surface (`ScrollBox1`).
    QScrollArea* scrollBox() const { return m_scrollBox; }
    /// The two status panels side by side (`Panel4` composition, `Panel5` mass).
    QWidget* statusPanels() const { return m_statusPanels; }
    QLabel* compositionPanel() const { return m_compositionPanel; }
    QLabel* massPanel() const { return m_massPanel; }

    /// Serves the structure commands of the Edit menu and the popup menu.
    void registerCommands(CommandHandlers& handlers);
    void setPopupMenu(QMenu* menu);

    /// Paints the structure afresh, shows its composition and mass, and tells the windows.
    void repaint();
    /// Makes the cut of a finished analyze-mode gesture and paints it over the structure:
    /// files it in the cut list, sorts the atoms into the two sides and shows the masses.
    CutOutcome cut(const FragmentGesture& gesture, const CutOptions& options);
    /// Paints the structure afresh and marks the atoms of an autofragment fragment on it.
    void showFragmentAtoms(const std::vector<std::int32_t>& atoms);
    /// Recomputes the composition and mass for the panels and tells the windows.
    void compose();
    /// The one way to an empty drawing (New, and after an R group was saved): structure,
    /// label, editor modes, panels and picture all start afresh.
    void clearDrawing();
    /// After a structure was read into the tables: modes reset, label shown, repainted.
    void showLoadedStructure();

    bool scrollBarsOn() const { return m_scrollBars; }
    void setScrollBars(bool on);
    bool labelShown() const { return m_labelShown; }
    /// Shows the label field in the "Background" colour, or hides it.
    void setLabelShown(bool shown);

    /// The next zoom step up (+1) or down (-1): 50, 75, 100, 125, 150, 200, 250, 300, 400 %.
    void stepZoom(int direction);

    /// The drawing keys (Esc, Delete, R, U, A) unless the label field is being typed in;
    /// true when the key was used.
    bool handleKey(QKeyEvent* event);
    /// Runs an editor call's effects.
    void apply(const EditorEffects& effects);

signals:
    /// The editor's modes, check marks or the structure changed: commands need refreshing.
    void commandsChanged();
    /// A region cut started: "SubFragment" and "Multi Fragment" go off.
    void fragmentRegionStarted();
    /// An analyze-mode gesture ended; the cut of that line, box or region is to be made.
    void fragmentCutDrawn(const FragmentGesture& gesture);
    /// The carbon count of the chain being dragged, or -1 when no chain is dragged.
    void chainLengthShown(int length);

private:
    enum class MousePhase { Press, Move, Release };
    void mouseEvent(QMouseEvent* event, MousePhase phase);
    void insertRGroup(const struct RGroupRequest& request);
    void paintMarks();
    void setEditorCursor(EditorCursor cursor);
    void showPanels();
    void errorSignal();

    AppState& m_app;
    Prompter& m_prompter;
    QWidget* m_window;
    std::unique_ptr<Editor> m_editor;
    CursorSet m_cursors;
    QScrollArea* m_scrollBox = nullptr;
    DrawingSurface* m_surface = nullptr;
    LabelField* m_labelField = nullptr;
    QWidget* m_statusPanels = nullptr;
    QLabel* m_compositionPanel = nullptr;
    QLabel* m_massPanel = nullptr;
    bool m_scrollBars = false;
    bool m_labelShown = false;
};

} // namespace qzx
