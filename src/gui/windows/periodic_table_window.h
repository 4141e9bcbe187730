#pragma once

#include <QDialog>
#include <array>

#include "windows/program_window.h"

class QPushButton;
class QTableWidget;

namespace qzx {

class ElementEditorWindow;

/// The periodic table window (`TPeriodTab`, caption "Elements"): the elements of the table in
/// a 17 x 10 grid of bold maroon symbols. Clicking an element opens it in the element editor;
/// what was typed there goes into the element table, and "Save" writes the data files.
class PeriodicTableWindow : public QDialog, public ProgramWindow {
    Q_OBJECT
public:
    static constexpr int kColumns = 17;
    static constexpr int kRows = 10;

    explicit PeriodicTableWindow(const WindowContext& context, QWidget* parent = nullptr);

    void registerCommands(CommandHandlers& handlers) override;
    /// The element number in a cell of the layout, 0 for an empty cell.
    static int elementAt(int column, int row);
    /// A click on a cell: the element there in the editor, modally, then stored when typed in.
    void editCell(int column, int row);
    ElementEditorWindow& editor() { return *m_editor; }

private:
    void save();

    AppState& m_app;
    Prompter& m_prompter;
    HelpBrowser& m_help;
    QTableWidget* m_grid = nullptr;
    QPushButton* m_save = nullptr;
    ElementEditorWindow* m_editor = nullptr;
};

} // namespace qzx
