#include "windows/autofragment_evaluation_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "chem/fragment_printouts.h"
#include "state/app_state.h"
#include "windows/print_job.h"

namespace qzx {

AutofragmentEvaluationWindow::AutofragmentEvaluationWindow(const WindowContext& context,
                                                           QWidget* parent)
    : QDialog(parent), m_app(context.state), m_prompter(context.prompter) {
    setObjectName(QStringLiteral("TEvalForm"));
    setWindowTitle(QStringLiteral("Autofragment Evaluation"));
    auto* layout = new QVBoxLayout(this);
    // The heading row is the grid's fixed first row: the table's header.
    m_grid = new QTableWidget(kEvaluationGridRows - 1, 3, this);
    m_grid->setObjectName(QStringLiteral("StringGrid1"));
    m_grid->setHorizontalHeaderLabels(
        {QString::fromUtf8(kEvaluationMassHeading.data(), kEvaluationMassHeading.size()),
         QString::fromUtf8(kEvaluationIdentityHeading.data(), kEvaluationIdentityHeading.size()),
         QString::fromUtf8(kEvaluationLossHeading.data(), kEvaluationLossHeading.size())});
    m_grid->verticalHeader()->hide();
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setFont(QFont(QStringLiteral("Courier New")));
    for (int c = 0; c < 3; ++c)
        m_grid->setColumnWidth(c, 130);
    layout->addWidget(m_grid, 1);
    auto* buttons = new QHBoxLayout;
    auto* print = new QPushButton(QStringLiteral("Print"), this);
    print->setObjectName(QStringLiteral("BitBtn1"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(print, &QPushButton::clicked, this, &AutofragmentEvaluationWindow::print);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(3 * 130 + 40, 420);
}

void AutofragmentEvaluationWindow::evaluate(const FragmentEvaluationInput& input,
                                            const Structure& structure) {
    m_rows = EvaluateFragments(input, structure);
    m_grid->clearContents();
    // Row 0 of the evaluation is the header; the grid shows the next 29 rows.
    for (int r = 1; r < kEvaluationGridRows && r < static_cast<int>(m_rows.size()); ++r)
        for (int c = 0; c < 3; ++c)
            m_grid->setItem(r - 1, c,
                            new QTableWidgetItem(QString::fromStdString(
                                m_rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)])));
}

void AutofragmentEvaluationWindow::print() {
    const std::vector<EvaluationGridRow> rows = m_rows;
    printTextPages(m_prompter, this, m_app.print.printer(), windowTitle(),
                   [&rows](int unit) { return evaluationPrintLines(rows, unit); });
}

} // namespace qzx
