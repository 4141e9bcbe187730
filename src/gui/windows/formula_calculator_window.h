#pragma once

#include <QDialog>
#include <array>
#include <vector>

#include "chem/formula_search.h"
#include "windows/program_window.h"
#include "windows/window_steering.h"

class QAction;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace qzx {

class ElementWindows;
class NoticeDisplay;

/// The elemental formula calculator (`TEFCMain`, caption "Elemental Formula"): a measured
/// molecular weight and tolerance, seven element rows with their count ranges, the rings plus
/// double bonds limits and the two filters; Calculate lists every composition in the grid,
/// which can be sorted, opened for details and copied. The search keeps the window alive: it
/// counts "Found" up by 50 and sees a press of "Stop" at once.
class FormulaCalculatorWindow : public QDialog,
                                public ProgramWindow,
                                public FormulaCalculatorDisplay {
    Q_OBJECT
public:
    explicit FormulaCalculatorWindow(const WindowContext& context, QWidget* parent = nullptr);

    void registerCommands(CommandHandlers& handlers) override;
    void showForPeak(int mass, const QString& menuNote) override;

    /// "Calculate" (`BitBtn1`), or "Stop" while a search runs.
    void calculateOrStop();
    void clearResults();
    void resetAll();
    void sortByDifference();
    void sortByComposition();
    /// The detail box of the result shown in grid row `row` (1-based).
    void showDetails(int row);
    /// The lines "Copy to Clipboard" puts on the clipboard.
    QString resultLines() const;
    const FormulaSearchResult& results() const { return m_results; }
    bool searching() const { return m_searching; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Row {
        QLabel* label = nullptr;
        QCheckBox* check = nullptr;
        QLineEdit* minimum = nullptr;
        QLineEdit* maximum = nullptr;
    };
    void buildMenu();
    void buildRows(QGridLayout* grid);
    void rowChecked(int row, bool on);
    /// A right click on the label of row 5, 6 or 7: its element from the element list.
    void chooseRowElement(int row);
    /// Reads the window into a search input; false (after a message) when a field is not a
    /// number.
    bool readInput(FormulaSearchInput& input);
    void runSearch();
    void showResults();
    void setResultCommandsEnabled(bool enabled);
    void copyToClipboard();
    void copyToWordPad();
    /// The printed list, after the confirmation for more than 30 results and the print dialog.
    void print();
    /// The grid's difference text of a result: its distance from the target, 4 decimals.
    QString differenceText(const FormulaCandidate& c) const;
    /// The result shown in grid row `row` (1-based), through the sort order.
    const FormulaCandidate& shownResult(int row) const;

    AppState& m_app;
    Prompter& m_prompter;
    HelpBrowser& m_help;
    NoticeDisplay* m_notices;
    ElementWindows* m_elementWindows;
    QLineEdit* m_weight = nullptr;
    QLineEdit* m_tolerance = nullptr;
    QLineEdit* m_found = nullptr;
    std::array<Row, kFormulaRows> m_rows;
    QCheckBox* m_limits = nullptr;
    QSpinBox* m_rdbMinimum = nullptr;
    QSpinBox* m_rdbMaximum = nullptr;
    QCheckBox* m_molecularIons = nullptr;
    QCheckBox* m_nitrogenRule = nullptr;
    QTableWidget* m_grid = nullptr;
    QLabel* m_hint = nullptr;
    QPushButton* m_calculate = nullptr;
    QPushButton* m_clear = nullptr;
    QAction* m_print = nullptr;
    QAction* m_clearItem = nullptr;
    QAction* m_resetAll = nullptr;
    QAction* m_copy = nullptr;
    QAction* m_copyWord = nullptr;
    QAction* m_sort = nullptr;
    QAction* m_sortByDifference = nullptr;
    QAction* m_sortByComposition = nullptr;
    QAction* m_menuNote = nullptr; ///< the spectrum window's "Target (M+1)% =" text
    FormulaSearchResult m_results;
    double m_target = 0.0; ///< the target of the search that found them
    bool m_sortedByDifference = false;
    std::vector<int> m_order; ///< grid row r shows m_results.candidates[m_order[r - 1]]
    bool m_searching = false;
    bool m_stopRequested = false;
};

} // namespace qzx
