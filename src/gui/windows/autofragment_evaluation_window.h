#pragma once

#include <QDialog>

#include "chem/fragment_evaluation.h"
#include "windows/program_window.h"

class QTableWidget;

namespace qzx {

/// The autofragment evaluation (`TEvalForm`, caption "Autofragment Evaluation"): the
/// well-known ions and neutral losses named among the fragments, in a grid of 30 rows under
/// the headings "Mass", "Identity", "M - Mass", with its printout.
class AutofragmentEvaluationWindow : public QDialog, public ProgramWindow {
    Q_OBJECT
public:
    explicit AutofragmentEvaluationWindow(const WindowContext& context, QWidget* parent = nullptr);

    void registerCommands(CommandHandlers&) override {}

    /// Empties the grid and fills it with the evaluation of the results list.
    void evaluate(const FragmentEvaluationInput& input, const Structure& structure);
    QTableWidget* grid() const { return m_grid; }
    /// Every row the last evaluation found, the heading row first (the grid shows 30).
    const std::vector<EvaluationGridRow>& rows() const { return m_rows; }

private:
    void print();

    AppState& m_app;
    Prompter& m_prompter;
    QTableWidget* m_grid = nullptr;
    std::vector<EvaluationGridRow> m_rows;
};

} // namespace qzx
