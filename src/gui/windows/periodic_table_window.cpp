#include "windows/periodic_table_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "chem/element_data_files.h"
#include "chem/element_table.h"
#include "platform/help_browser.h"
#include "platform/prompter.h"
#include "state/app_state.h"
#include "windows/command_handlers.h"
#include "windows/element_editor_window.h"

namespace qzx {
namespace {

constexpr int kHelpContext = 1026;

/// The layout: element numbers by row, then column; 0 is an empty cell.
using Layout =
    std::array<std::array<const char*, PeriodicTableWindow::kColumns>, PeriodicTableWindow::kRows>;
constexpr Layout kLayout = {{
    {"H"},
    {"Li", "Be", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     nullptr, "B", "C", "N", "O", "F"},
    {"Na", "Mg", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     nullptr, "Al", "Si", "P", "S", "Cl"},
    {"K", "Ca", "Sc", "Ti", "V", "Cr", "Mn", "Fe", "Co", "Ni", "Cu", "Zn", "Ga", "Ge", "As", "Se",
     "Br"},
    {"Rb", "Sr", "Y", "Zr", "Nb", "Mo", nullptr, "Ru", "Rh", "Pd", "Ag", "Cd", "In", "Sn", "Sb",
     "Te", "I"},
    {"Cs", "Ba", "La", "Hf", "Ta", "W", "Re", "Os", "Ir", "Pt", "Au", "Hg", "Tl", "Pb", "Bi"},
    {},
    {nullptr, nullptr, "Ce", "Pr", "Nd", "Pm", "Sm", "Eu", "Gd", "Tb", "Dy", "Ho", "Er", "Tm", "Yb",
     "Lu"},
    {nullptr, nullptr, "Th", nullptr, "U"},
    {},
}};

} // namespace

int PeriodicTableWindow::elementAt(int column, int row) {
    if (column < 0 || column >= kColumns || row < 0 || row >= kRows) return 0;
    const char* symbol = kLayout[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    if (symbol == nullptr) return 0;
    for (int element = 1; element <= kElementCount; ++element)
        if (std::string_view(elementSymbol(element)) == symbol) return element;
    return 0;
}

PeriodicTableWindow::PeriodicTableWindow(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_app(context.state), m_prompter(context.prompter), m_help(context.help) {
    setObjectName(QStringLiteral("TPeriodTab"));
    setWindowTitle(QStringLiteral("Elements"));
    auto* outer = new QVBoxLayout(this);
    m_grid = new QTableWidget(kRows, kColumns, this);
    m_grid->setObjectName(QStringLiteral("StringGrid1"));
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->horizontalHeader()->setMinimumSectionSize(23);
    // Two bold letters fill a 23-pixel cell: no padding and no ellipsis.
    m_grid->setTextElideMode(Qt::ElideNone);
    m_grid->setStyleSheet(QStringLiteral("QTableWidget::item { padding: 0px; }"));
    QFont bold = m_grid->font();
    bold.setBold(true);
    bold.setPointSize(8);
    for (int column = 0; column < kColumns; ++column) {
        m_grid->setColumnWidth(column, 23);
        for (int row = 0; row < kRows; ++row) {
            const int element = elementAt(column, row);
            auto* cell = new QTableWidgetItem(element ? QString::fromLatin1(elementSymbol(element))
                                                      : QString());
            cell->setFont(bold);
            cell->setForeground(QColor(128, 0, 0)); // maroon
            cell->setTextAlignment(Qt::AlignCenter);
            m_grid->setItem(row, column, cell);
        }
    }
    for (int row = 0; row < kRows; ++row)
        m_grid->setRowHeight(row, 22);
    m_grid->setFixedSize(kColumns * 23 + 4, kRows * 22 + 4);
    outer->addWidget(m_grid);
    connect(m_grid, &QTableWidget::cellClicked, this,
            [this](int row, int column) { editCell(column, row); });

    auto* buttons = new QHBoxLayout;
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("OKBtn"));
    m_save = new QPushButton(QStringLiteral("Save"), this);
    m_save->setObjectName(QStringLiteral("SaveBtn"));
    m_save->setEnabled(false);
    auto* help = new QPushButton(QStringLiteral("Help"), this);
    help->setObjectName(QStringLiteral("HlpButton"));
    for (QPushButton* b : {close, m_save, help}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    outer->addLayout(buttons);
    connect(close, &QPushButton::clicked, this, [this] {
        m_save->setEnabled(false);
        accept();
    });
    connect(m_save, &QPushButton::clicked, this, &PeriodicTableWindow::save);
    connect(help, &QPushButton::clicked, this, [this] { m_help.showContext(kHelpContext); });

    m_editor = new ElementEditorWindow(this);
}

void PeriodicTableWindow::registerCommands(CommandHandlers& handlers) {
    handlers.add("m2Elements", [this] { m_prompter.showModal(*this); });
}

void PeriodicTableWindow::editCell(int column, int row) {
    const int element = elementAt(column, row);
    if (element == 0) return;
    m_editor->fill(m_app.elements[element]);
    m_prompter.showModal(*m_editor);
    if (!m_editor->typed()) return;
    const QString refused = m_editor->store(m_app.elements[element]);
    if (!refused.isEmpty()) {
        m_prompter.message(this, QStringLiteral("Element Editor"),
                           refused + QStringLiteral(" Nothing of this edit was stored."),
                           Prompter::Icon::Warning, Prompter::Buttons::Ok);
        return;
    }
    m_save->setEnabled(true);
}

void PeriodicTableWindow::save() {
    const std::string error = SaveElementTable(m_app.programDirectory, m_app.elements);
    if (!error.empty())
        m_prompter.message(this, QStringLiteral("Elements"), QString::fromStdString(error),
                           Prompter::Icon::Error, Prompter::Buttons::Ok);
}

} // namespace qzx
