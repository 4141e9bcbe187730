#pragma once

#include <QDialog>

#include "windows/program_window.h"
#include "windows/window_steering.h"

class QLineEdit;
class QListWidget;

namespace qzx {

/// The autofragment results (`TAFragForm`, caption "Autofragment Results"): the last run's
/// fragments by mass, the selected one marked on the structure, and the ways on from it: the
/// evaluation of well-known ions, the comparison with the spectrum, the selected fragment's
/// isotope cluster, and a printed list. It stays open beside the main window, above it.
class AutofragmentResultsWindow : public QDialog,
                                  public ProgramWindow,
                                  public AutofragmentResultsDisplay {
    Q_OBJECT
public:
    explicit AutofragmentResultsWindow(const WindowContext& context, QWidget* parent = nullptr);

    void registerCommands(CommandHandlers&) override {}
    void showResults() override;

    QListWidget* list() const { return m_list; }
    /// Selects list row `row` and marks its fragment on the structure.
    void selectRow(int row);
    /// "Next" (`Button1`): the next row, row 0 after the last.
    void next();
    /// "Evaluate" (`Button2`), "Print" (`Button3`), "Match" (`Button4`), "Isotopes" (`Button5`)
    /// and "Exit" (`Button6`).
    void evaluate();
    void print();
    void match();
    void isotopes();
    void exitResults();

protected:
    void changeEvent(QEvent* event) override;

private:
    /// Marks the selected row's fragment on the structure.
    void showSelected();
    /// The atoms of the fragment list row `row` shows (fragment MassOrder entry row + 1).
    const std::vector<std::int32_t>* rowAtoms(int row) const;

    AppState& m_app;
    Prompter& m_prompter;
    StructureDisplay* m_structure;
    const WindowDirectory* m_windows;
    QListWidget* m_list = nullptr;
    QLineEdit* m_mass = nullptr;
    QLineEdit* m_count = nullptr;
};

} // namespace qzx
