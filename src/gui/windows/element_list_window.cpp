#include "windows/element_list_window.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>

#include "chem/element_table.h"
#include "platform/prompter.h"
#include "state/app_state.h"

namespace qzx {

ElementListWindow::ElementListWindow(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_app(context.state), m_prompter(context.prompter) {
    setObjectName(QStringLiteral("TEltabfrm"));
    setWindowTitle(QStringLiteral("Element List"));
    auto* outer = new QHBoxLayout(this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListBox1"));
    for (int element = 1; element <= kElementCount; ++element)
        m_list->addItem(QString::fromStdString(m_app.elements[element].Name));
    outer->addWidget(m_list);

    auto* right = new QVBoxLayout;
    auto* fields = new QFormLayout;
    const auto field = [this, fields](const char* name, const QString& caption) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setReadOnly(true);
        fields->addRow(caption, edit);
        return edit;
    };
    m_symbol = field("Edit1", QStringLiteral("Symbol:"));
    m_name = field("Edit2", QStringLiteral("Name:"));
    m_mass = field("Edit3", QStringLiteral("Mass:"));
    right->addLayout(fields);
    right->addStretch();
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    right->addWidget(ok);
    right->addWidget(cancel);
    outer->addLayout(right);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QListWidget::currentRowChanged, this, &ElementListWindow::select);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    select(5); // Chlorine
}

void ElementListWindow::select(int row) {
    if (row < 0 || row >= kElementCount) return;
    if (m_list->currentRow() != row) m_list->setCurrentRow(row);
    const ElementRecord& element = m_app.elements[row + 1];
    m_symbol->setText(QString::fromStdString(element.Symbol));
    m_name->setText(QString::fromStdString(element.Name));
    char mass[64];
    std::snprintf(mass, sizeof mass, "%8.4f", static_cast<double>(element.ExactMass));
    m_mass->setText(QString::fromLatin1(mass));
}

int ElementListWindow::choose() {
    // The names follow the table, which the element editor does not rename; the mass may
    // have changed since the list was made.
    select(m_list->currentRow());
    if (m_prompter.showModal(*this) != QDialog::Accepted) return 0;
    return m_list->currentRow() + 1;
}

} // namespace qzx
