#pragma once

#include <QDialog>

#include "windows/program_window.h"

class QLineEdit;
class QListWidget;

namespace qzx {

/// The element list (`TEltabfrm`, caption "Element List"): the 83 element names with the
/// selected one's symbol, name and exact mass. The formula calculator picks the element of
/// one of its rows 5-7 here.
class ElementListWindow : public QDialog, public ProgramWindow {
    Q_OBJECT
public:
    explicit ElementListWindow(const WindowContext& context, QWidget* parent = nullptr);

    void registerCommands(CommandHandlers&) override {}
    /// Shows the list modally; the element chosen with OK or a double click, or 0.
    int choose();
    /// Selects the element at `row` (0-based) and shows its symbol, name and mass.
    void select(int row);

private:
    AppState& m_app;
    Prompter& m_prompter;
    QListWidget* m_list = nullptr;
    QLineEdit* m_symbol = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_mass = nullptr;
};

} // namespace qzx
