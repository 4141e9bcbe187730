#include "windows/element_editor_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cstdio>

#include "chem/element_data_files.h"
#include "chem/element_table.h"

namespace qzx {
namespace {

/// Four decimals after rounding to seven significant digits.
QString fixed4(float value) {
    char rounded[64];
    std::snprintf(rounded, sizeof rounded, "%.6e", static_cast<double>(value));
    return QString::number(QString::fromLatin1(rounded).toDouble(), 'f', 4);
}

} // namespace

ElementEditorWindow::ElementEditorWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TEditElem"));
    setWindowTitle(QStringLiteral("Element Editor"));
    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    m_symbol = new QLabel(this);
    m_symbol->setObjectName(QStringLiteral("Label2"));
    m_name = new QLabel(this);
    m_name->setObjectName(QStringLiteral("Label4"));
    for (QLabel* label : {m_symbol, m_name}) {
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        label->setStyleSheet(QStringLiteral("color: navy"));
        top->addWidget(label);
    }
    top->addStretch();
    outer->addLayout(top);

    auto* grid = new QGridLayout;
    const auto field = [this](const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        // Any key typed in a field counts as an edit and makes Cancel meaningful.
        connect(edit, &QLineEdit::textEdited, this, [this] {
            m_typed = true;
            m_cancel->setEnabled(true);
        });
        return edit;
    };
    grid->addWidget(new QLabel(QStringLiteral("Nominal Mass:"), this), 0, 0, 1, 2);
    m_nominalMass = field("Edit1");
    grid->addWidget(m_nominalMass, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Isotopes:"), this), 1, 0, 1, 2);
    m_isotopes = field("Edit2");
    grid->addWidget(m_isotopes, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Mass"), this), 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Abundance"), this), 2, 2);
    for (int i = 0; i < 9; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        m_choice[slot] = new QRadioButton(this);
        m_choice[slot]->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
        m_mass[slot] = field(qPrintable(QStringLiteral("Edit%1").arg(i + 3)));
        m_abundance[slot] = field(qPrintable(QStringLiteral("Edit%1").arg(i + 12)));
        grid->addWidget(m_choice[slot], 3 + i, 0);
        grid->addWidget(m_mass[slot], 3 + i, 1);
        grid->addWidget(m_abundance[slot], 3 + i, 2);
    }
    outer->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("CancelBtn"));
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(m_cancel);
    outer->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        m_typed = false;
        reject();
    });
}

void ElementEditorWindow::fill(const ElementRecord& element) {
    m_typed = false;
    m_cancel->setEnabled(false);
    m_symbol->setText(QString::fromStdString(element.Symbol));
    m_name->setText(QString::fromStdString(element.Name));
    m_nominalMass->setText(QString::number(element.NominalMass));
    m_isotopes->setText(QString::number(element.IsotopeCount));
    int largest = 0;
    for (int i = 0; i < 9; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        const bool present = i < element.IsotopeCount;
        const IsotopeRecord& isotope = element.Isotopes[slot + 1];
        m_mass[slot]->setText(present ? fixed4(isotope.Mass) : QString());
        m_abundance[slot]->setText(present ? fixed4(isotope.Abundance) : QString());
        if (present &&
            isotope.Abundance > element.Isotopes[static_cast<std::size_t>(largest) + 1].Abundance)
            largest = i;
    }
    m_choice[static_cast<std::size_t>(largest)]->setChecked(true);
}

QString ElementEditorWindow::store(ElementRecord& element) const {
    ElementRecord edited = element;
    bool ok = false;
    edited.NominalMass = m_nominalMass->text().trimmed().toInt(&ok);
    if (!ok) return QStringLiteral("Nominal Mass must be a whole number.");
    edited.IsotopeCount = m_isotopes->text().trimmed().toInt(&ok);
    if (!ok) return QStringLiteral("Isotopes must be a whole number.");
    if (edited.IsotopeCount < 0 || edited.IsotopeCount > 9)
        return QStringLiteral("Isotopes must be from 0 to 9: the table holds nine isotopes.");
    for (int i = 0; i < edited.IsotopeCount; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        IsotopeRecord& isotope = edited.Isotopes[slot + 1];
        isotope.Mass = m_mass[slot]->text().trimmed().toFloat(&ok);
        if (!ok) return QStringLiteral("The mass of isotope %1 must be a number.").arg(i + 1);
        isotope.Abundance = m_abundance[slot]->text().trimmed().toFloat(&ok);
        if (!ok) return QStringLiteral("The abundance of isotope %1 must be a number.").arg(i + 1);
    }
    // Values the data files could not give back are refused here, before the next start
    // would refuse the whole table.
    if (const std::string fault = implausibleValues(edited); !fault.empty())
        return QStringLiteral("These values would give ") +
               QString::fromStdString(fault.substr(fault.find(' ') + 1)) + QStringLiteral(".");
    element = edited;
    return {};
}

} // namespace qzx
