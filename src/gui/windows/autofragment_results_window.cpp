#include "windows/autofragment_results_window.h"

#include <QEvent>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "chem/fragment_evaluation.h"
#include "chem/fragment_printouts.h"
#include "chem/fragments.h"
#include "platform/prompter.h"
#include "state/app_state.h"
#include "windows/autofragment_evaluation_window.h"
#include "windows/print_job.h"

namespace qzx {

AutofragmentResultsWindow::AutofragmentResultsWindow(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_app(context.state), m_prompter(context.prompter),
      m_structure(context.structureDisplay), m_windows(context.windows) {
    setObjectName(QStringLiteral("TAFragForm"));
    setWindowTitle(QStringLiteral("Autofragment Results"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(false);
    auto* layout = new QHBoxLayout(this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListBox1"));
    m_list->setUniformItemSizes(true);
    m_list->setFont(QFont(QStringLiteral("Courier New")));
    layout->addWidget(m_list, 1);
    // A row picked with the mouse or reached with a key shows its fragment.
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) selectRow(row);
    });

    auto* side = new QVBoxLayout;
    auto* fields = new QFormLayout;
    m_mass = new QLineEdit(this);
    m_mass->setObjectName(QStringLiteral("Edit1"));
    m_count = new QLineEdit(this);
    m_count->setObjectName(QStringLiteral("Edit2"));
    m_count->setReadOnly(true);
    fields->addRow(QStringLiteral("Mass:"), m_mass);
    fields->addRow(QStringLiteral("Fragments:"), m_count);
    side->addLayout(fields);
    const auto button = [&](const char* name, const QString& caption,
                            void (AutofragmentResultsWindow::*slot)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        side->addWidget(b);
    };
    button("Button1", QStringLiteral("Next"), &AutofragmentResultsWindow::next);
    button("Button2", QStringLiteral("Evaluate"), &AutofragmentResultsWindow::evaluate);
    button("Button3", QStringLiteral("Print"), &AutofragmentResultsWindow::print);
    button("Button4", QStringLiteral("Match"), &AutofragmentResultsWindow::match);
    button("Button5", QStringLiteral("Isotopes"), &AutofragmentResultsWindow::isotopes);
    button("Button6", QStringLiteral("Exit"), &AutofragmentResultsWindow::exitResults);
    side->addStretch();
    layout->addLayout(side);

    resize(300, 380);
    move(14, y());
    if (const QScreen* screen = QGuiApplication::primaryScreen();
        screen && screen->geometry().width() == 640)
        move(9, 226);
}

void AutofragmentResultsWindow::showResults() {
    const FragmentTable& table = m_app.fragments;
    m_list->blockSignals(true);
    m_list->clear();
    QStringList rows;
    for (const std::string& text : table.ResultsList)
        rows << QString::fromStdString(text);
    m_list->addItems(rows);
    m_list->blockSignals(false);
    m_count->setText(QString::number(table.FragmentCount));
    show();
    raise();
    if (m_list->count() > 0) selectRow(0);
}

const std::vector<std::int32_t>* AutofragmentResultsWindow::rowAtoms(int row) const {
    const FragmentTable& table = m_app.fragments;
    const auto entry = static_cast<std::size_t>(row) + 1;
    if (row < 0 || entry >= table.MassOrder.size()) return nullptr;
    const std::int32_t number = table.MassOrder[entry];
    if (number < 1 || number >= static_cast<std::int32_t>(table.Fragments.size())) return nullptr;
    return &table.fragment(number).Atoms;
}

void AutofragmentResultsWindow::selectRow(int row) {
    if (row < 0 || row >= m_list->count()) return;
    if (m_list->currentRow() != row) {
        m_list->blockSignals(true);
        m_list->setCurrentRow(row);
        m_list->blockSignals(false);
    }
    m_mass->setText(m_list->item(row)->text());
    showSelected();
}

void AutofragmentResultsWindow::showSelected() {
    const std::vector<std::int32_t>* atoms = rowAtoms(m_list->currentRow());
    if (atoms && m_structure) m_structure->showFragmentAtoms(*atoms);
}

void AutofragmentResultsWindow::next() {
    if (m_list->count() == 0) return;
    const int row = m_list->currentRow() + 1;
    selectRow(row >= m_list->count() ? 0 : row);
}

void AutofragmentResultsWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        showSelected();
    QDialog::changeEvent(event);
}

void AutofragmentResultsWindow::evaluate() {
    auto* evaluation = m_windows ? m_windows->find<AutofragmentEvaluationWindow>() : nullptr;
    if (!evaluation) return;
    evaluation->evaluate(evaluationInput(m_app.fragments), m_app.structure);
    m_prompter.showModal(*evaluation);
}

void AutofragmentResultsWindow::print() {
    const FragmentTable& table = m_app.fragments;
    const Structure& structure = m_app.structure;
    printTextPages(m_prompter, this, m_app.print.printer(), windowTitle(),
                   [&](int unit) { return fragmentListPrintLines(table, structure, unit); });
}

void AutofragmentResultsWindow::match() {
    if (auto* spectrum = m_windows ? m_windows->find<SpectrumMatchDisplay>() : nullptr)
        spectrum->showForMatch();
}

void AutofragmentResultsWindow::isotopes() {
    const std::vector<std::int32_t>* atoms = rowAtoms(m_list->currentRow());
    auto* profiler = m_windows ? m_windows->find<IsotopeProfilerDisplay>() : nullptr;
    if (!atoms || !profiler) return;
    profiler->showProfileOf(QString::fromStdString(FragmentFormulaText(m_app.structure, *atoms)));
}

void AutofragmentResultsWindow::exitResults() {
    if (auto* spectrum = m_windows ? m_windows->find<SpectrumMatchDisplay>() : nullptr)
        spectrum->hideMatch();
    if (m_structure) m_structure->redrawStructure();
    close();
}

} // namespace qzx
