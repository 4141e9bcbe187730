#include "windows/formula_calculator_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "chem/element_table.h"
#include "chem/formula_report.h"
#include "chem/formula_results.h"
#include "chem/isotope_pattern.h"
#include "platform/help_browser.h"
#include "platform/prompter.h"
#include "platform/word_processor.h"
#include "state/app_state.h"
#include "windows/command_handlers.h"
#include "windows/window_notices.h"
#include "windows/window_steering.h"

namespace qzx {
namespace {

constexpr int kHelpContext = 1024;
const QString kTitle = QStringLiteral("Elemental Formula");

/// The window's names of each row's label, check box and two fields.
struct RowNames {
    const char* label;
    const char* check;
    const char* minimum;
    const char* maximum;
};
constexpr RowNames kRowNames[kFormulaRows] = {
    {"Label20", "CheckBox1", "Edit4", "Edit5"},   {"Label14", "CheckBox2", "Edit6", "Edit7"},
    {"Label15", "CheckBox3", "Edit8", "Edit9"},   {"Label16", "CheckBox4", "Edit10", "Edit11"},
    {"Label17", "CheckBox5", "Edit12", "Edit13"}, {"Label18", "CheckBox6", "Edit14", "Edit15"},
    {"Label19", "CheckBox7", "Edit16", "Edit17"}};

/// What a row is called in the messages about its fields.
QString rowSymbol(const QLabel* label) {
    return label->text();
}

} // namespace

/// Shows "Found" counting up while the search runs and lets the window take the user's
/// input, so that "Stop" ends the search at once.
class CalculatorProgress : public FormulaSearchProgress {
public:
    CalculatorProgress(QLineEdit* found, const bool& stopRequested)
        : m_found(found), m_stopRequested(stopRequested) {}
    bool proceed(int found) override {
        m_found->setText(QString::number(found - found % 50));
        QApplication::processEvents();
        return !m_stopRequested;
    }

private:
    QLineEdit* m_found;
    const bool& m_stopRequested;
};

FormulaCalculatorWindow::FormulaCalculatorWindow(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_app(context.state), m_prompter(context.prompter), m_help(context.help),
      m_notices(context.notices), m_elementWindows(context.elementWindows) {
    setObjectName(QStringLiteral("TEFCMain"));
    setWindowTitle(kTitle);
    auto* outer = new QVBoxLayout(this);
    buildMenu();

    auto* columns = new QHBoxLayout;
    auto* left = new QGridLayout;
    const auto addField = [&](int row, const QString& caption, const char* name) {
        auto* label = new QLabel(caption, this);
        auto* field = new QLineEdit(this);
        field->setObjectName(QString::fromLatin1(name));
        label->setBuddy(field);
        left->addWidget(label, row, 0, 1, 2);
        left->addWidget(field, row, 2, 1, 2);
        return field;
    };
    m_weight = addField(0, QStringLiteral("Molecular Weight"), "Edit1");
    m_tolerance = addField(1, QStringLiteral("Tolerance"), "Edit2");
    m_tolerance->setText(QStringLiteral("1"));
    left->addWidget(new QLabel(QStringLiteral("Min #"), this), 2, 2);
    left->addWidget(new QLabel(QStringLiteral("Max #"), this), 2, 3);
    buildRows(left);

    m_limits = new QCheckBox(QStringLiteral("Limits"), this);
    m_limits->setObjectName(QStringLiteral("CheckBox8"));
    m_rdbMinimum = new QSpinBox(this);
    m_rdbMinimum->setObjectName(QStringLiteral("SpinEdit1"));
    m_rdbMaximum = new QSpinBox(this);
    m_rdbMaximum->setObjectName(QStringLiteral("SpinEdit2"));
    for (QSpinBox* spin : {m_rdbMinimum, m_rdbMaximum}) {
        spin->setRange(-1000, 32000);
        spin->setEnabled(false);
    }
    left->addWidget(new QLabel(QStringLiteral("Rings + DB"), this), 10, 0, 1, 2);
    left->addWidget(m_limits, 11, 0, 1, 2);
    left->addWidget(m_rdbMinimum, 11, 2);
    left->addWidget(m_rdbMaximum, 11, 3);
    m_molecularIons = new QCheckBox(QStringLiteral("Molecular Ions Only"), this);
    m_molecularIons->setObjectName(QStringLiteral("CheckBox9"));
    m_nitrogenRule = new QCheckBox(QStringLiteral("Nitrogen Rule On"), this);
    m_nitrogenRule->setObjectName(QStringLiteral("CheckBox10"));
    left->addWidget(m_molecularIons, 12, 0, 1, 4);
    left->addWidget(m_nitrogenRule, 13, 0, 1, 4);
    columns->addLayout(left);

    auto* right = new QVBoxLayout;
    auto* foundRow = new QHBoxLayout;
    foundRow->addWidget(new QLabel(QStringLiteral("Found:"), this));
    m_found = new QLineEdit(this);
    m_found->setObjectName(QStringLiteral("Edit3"));
    m_found->setReadOnly(true);
    foundRow->addWidget(m_found);
    foundRow->addStretch();
    right->addLayout(foundRow);
    m_grid = new QTableWidget(1, 2, this);
    m_grid->setObjectName(QStringLiteral("StringGrid1"));
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setItem(0, 0, new QTableWidgetItem(QStringLiteral("       Composition")));
    m_grid->setItem(0, 1, new QTableWidgetItem(QStringLiteral(" Difference")));
    m_grid->setMinimumSize(300, 300);
    m_grid->viewport()->installEventFilter(this);
    right->addWidget(m_grid, 1);
    m_hint = new QLabel(QStringLiteral("Click on any result for more information"), this);
    m_hint->setObjectName(QStringLiteral("Label11"));
    m_hint->hide();
    right->addWidget(m_hint);
    columns->addLayout(right, 1);
    outer->addLayout(columns, 1);

    auto* buttons = new QHBoxLayout;
    const auto addButton = [&](const QString& caption, const char* name) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        buttons->addWidget(button);
        return button;
    };
    m_calculate = addButton(QStringLiteral("Calculate"), "BitBtn1");
    m_clear = addButton(QStringLiteral("Clear"), "BitBtn2");
    QPushButton* help = addButton(QStringLiteral("Help"), "BitBtn4");
    QPushButton* close = addButton(QStringLiteral("&Close"), "BitBtn3");
    outer->addLayout(buttons);

    connect(m_calculate, &QPushButton::clicked, this, &FormulaCalculatorWindow::calculateOrStop);
    connect(m_clear, &QPushButton::clicked, this, &FormulaCalculatorWindow::clearResults);
    connect(help, &QPushButton::clicked, this, [this] { m_help.showContext(kHelpContext); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_limits, &QCheckBox::toggled, this, [this](bool on) {
        m_rdbMinimum->setEnabled(on);
        m_rdbMaximum->setEnabled(on);
    });
    connect(m_molecularIons, &QCheckBox::toggled, this, [this](bool on) {
        if (on && m_rows[kRowN].check->isChecked()) m_nitrogenRule->setChecked(true);
    });
    setResultCommandsEnabled(false);
    m_resetAll->setEnabled(false);
}

void FormulaCalculatorWindow::buildMenu() {
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    m_print = file->addAction(QStringLiteral("Print"), this, &FormulaCalculatorWindow::print);
    m_print->setObjectName(QStringLiteral("Print1"));
    file->addAction(QStringLiteral("Close"), this, &QDialog::close)
        ->setObjectName(QStringLiteral("Close1"));
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    m_clearItem =
        edit->addAction(QStringLiteral("Clear"), this, &FormulaCalculatorWindow::clearResults);
    m_clearItem->setObjectName(QStringLiteral("Clear1"));
    m_resetAll =
        edit->addAction(QStringLiteral("Reset All"), this, &FormulaCalculatorWindow::resetAll);
    m_resetAll->setObjectName(QStringLiteral("ResetAll1"));
    m_copy = edit->addAction(QStringLiteral("Copy to Clipboard"), this,
                             &FormulaCalculatorWindow::copyToClipboard);
    m_copy->setObjectName(QStringLiteral("CopytoClipboard1"));
    m_copyWord = edit->addAction(QStringLiteral("Copy to WordPad"), this,
                                 &FormulaCalculatorWindow::copyToWordPad);
    m_copyWord->setObjectName(QStringLiteral("CopytoWordPad1"));
    QMenu* sort = edit->addMenu(QStringLiteral("Sort"));
    m_sort = sort->menuAction();
    m_sort->setObjectName(QStringLiteral("Sort1"));
    m_sortByDifference = sort->addAction(QStringLiteral("Sort by Difference"), this,
                                         &FormulaCalculatorWindow::sortByDifference);
    m_sortByDifference->setObjectName(QStringLiteral("SortbyDifference1"));
    m_sortByComposition = sort->addAction(QStringLiteral("Sort by Composition"), this,
                                          &FormulaCalculatorWindow::sortByComposition);
    m_sortByComposition->setObjectName(QStringLiteral("SortbyComposition1"));
    for (QAction* a : {m_sortByDifference, m_sortByComposition})
        a->setCheckable(true);
    m_sortByComposition->setChecked(true);
    bar->addAction(QStringLiteral("&Help"), this, [this] { m_help.showContext(kHelpContext); })
        ->setObjectName(QStringLiteral("Help1"));
    m_menuNote = bar->addAction(QString());
    m_menuNote->setObjectName(QStringLiteral("MenuNote"));
    m_menuNote->setEnabled(false);
    m_menuNote->setVisible(false);
}

void FormulaCalculatorWindow::showForPeak(int mass, const QString& menuNote) {
    hide();
    m_weight->setText(QString::number(mass));
    m_tolerance->setText(QStringLiteral("0.5"));
    m_rows[kRowO].check->setChecked(true);
    m_rows[kRowN].check->setChecked(true);
    m_menuNote->setText(menuNote);
    m_menuNote->setVisible(!menuNote.isEmpty());
    m_prompter.showModal(*this);
    m_menuNote->setVisible(false);
}

void FormulaCalculatorWindow::buildRows(QGridLayout* grid) {
    for (int r = 0; r < kFormulaRows; ++r) {
        Row& row = m_rows[static_cast<std::size_t>(r)];
        const RowNames& names = kRowNames[r];
        const int element = m_app.calcElementSlots[static_cast<std::size_t>(r)];
        row.label = new QLabel(QString::fromLatin1(elementSymbol(element)), this);
        row.label->setObjectName(QString::fromLatin1(names.label));
        row.label->installEventFilter(this);
        row.check = new QCheckBox(this);
        row.check->setObjectName(QString::fromLatin1(names.check));
        row.minimum = new QLineEdit(this);
        row.minimum->setObjectName(QString::fromLatin1(names.minimum));
        row.maximum = new QLineEdit(this);
        row.maximum->setObjectName(QString::fromLatin1(names.maximum));
        for (QLineEdit* field : {row.minimum, row.maximum}) {
            field->setMaximumWidth(60);
            field->installEventFilter(this);
        }
        grid->addWidget(row.label, 3 + r, 0);
        grid->addWidget(row.check, 3 + r, 1);
        grid->addWidget(row.minimum, 3 + r, 2);
        grid->addWidget(row.maximum, 3 + r, 3);
        connect(row.check, &QCheckBox::toggled, this, [this, r](bool on) { rowChecked(r, on); });
        // Enter walks the fields C Min, C Max, H Min, ... S Max and back to C Min.
        connect(row.minimum, &QLineEdit::returnPressed, this,
                [this, r] { m_rows[static_cast<std::size_t>(r)].maximum->setFocus(); });
        connect(row.maximum, &QLineEdit::returnPressed, this, [this, r] {
            m_rows[static_cast<std::size_t>((r + 1) % kFormulaRows)].minimum->setFocus();
        });
    }
    m_rows[kRowC].check->setChecked(true);
    m_rows[kRowH].check->setChecked(true);
}

void FormulaCalculatorWindow::rowChecked(int r, bool on) {
    Row& row = m_rows[static_cast<std::size_t>(r)];
    if (!on) {
        row.minimum->clear();
        row.maximum->clear();
        return;
    }
    if (row.minimum->text().isEmpty()) {
        if (r == kRowC) row.minimum->setText(QStringLiteral("1"));
        if (r == kRowH || r == kRowO) row.minimum->setText(QStringLiteral("0"));
    }
}

bool FormulaCalculatorWindow::eventFilter(QObject* watched, QEvent* event) {
    for (int r = 0; r < kFormulaRows; ++r) {
        Row& row = m_rows[static_cast<std::size_t>(r)];
        if (watched == row.label) {
            if (event->type() == QEvent::MouseButtonRelease &&
                static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                row.check->toggle();
                return true;
            }
            if (event->type() == QEvent::MouseButtonRelease &&
                static_cast<QMouseEvent*>(event)->button() == Qt::RightButton && r >= kRow5 &&
                m_elementWindows != nullptr) {
                chooseRowElement(r);
                return true;
            }
            if (event->type() == QEvent::MouseButtonDblClick && r == kRowC) {
                row.check->toggle();
                m_prompter.message(this, kTitle, QStringLiteral("Here it is"),
                                   Prompter::Icon::Information, Prompter::Buttons::Ok);
                return true;
            }
        }
        if ((watched == row.minimum || watched == row.maximum) &&
            event->type() == QEvent::FocusOut &&
            !static_cast<QLineEdit*>(watched)->text().isEmpty())
            row.check->setChecked(true);
    }
    if (watched == m_grid->viewport() && event->type() == QEvent::Resize) {
        // The composition takes three quarters of the grid, the difference the rest.
        const int width = m_grid->viewport()->width();
        m_grid->setColumnWidth(0, width * 3 / 4);
        m_grid->setColumnWidth(1, width - width * 3 / 4);
    }
    if (watched == m_grid->viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            const QModelIndex at = m_grid->indexAt(mouse->position().toPoint());
            if (at.isValid() && at.row() == 0)
                at.column() == 0 ? sortByComposition() : sortByDifference();
            else if (at.isValid() && !m_results.candidates.empty())
                showDetails(at.row());
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FormulaCalculatorWindow::chooseRowElement(int r) {
    const int element = m_elementWindows->chooseElement();
    if (element < 1 || element > kElementCount) return;
    Row& row = m_rows[static_cast<std::size_t>(r)];
    row.label->setText(QString::fromLatin1(elementSymbol(element)));
    row.check->toggle(); // as a click on the label does
    m_app.calcElementSlots[static_cast<std::size_t>(r)] = element;
}

void FormulaCalculatorWindow::registerCommands(CommandHandlers& handlers) {
    handlers.add("m4EFC", [this] {
        show();
        raise();
        activateWindow();
        m_weight->setFocus();
    });
}

bool FormulaCalculatorWindow::readInput(FormulaSearchInput& input) {
    const auto refuse = [this](const QString& what) {
        m_prompter.message(this, kTitle, what, Prompter::Icon::Warning, Prompter::Buttons::Ok);
        return false;
    };
    bool ok = true;
    const QString weight = m_weight->text().trimmed();
    input.target = weight.isEmpty() ? 0.0 : weight.toDouble(&ok);
    if (!ok) return refuse(QStringLiteral("Molecular Weight must be a number."));
    input.tolerance = m_tolerance->text().trimmed().toDouble(&ok);
    if (!ok) return refuse(QStringLiteral("Tolerance must be a number."));
    for (int r = 0; r < kFormulaRows; ++r) {
        const Row& row = m_rows[static_cast<std::size_t>(r)];
        FormulaSearchRow& searched = input.rows[static_cast<std::size_t>(r)];
        searched.enabled = row.check->isChecked();
        searched.minimum = 0;
        searched.maximum = 0;
        if (!searched.enabled) continue;
        const auto whole = [&](const QLineEdit* field, const QString& name, int& value) {
            const QString text = field->text().trimmed();
            if (text.isEmpty()) return true;
            bool isWhole = false;
            value = text.toInt(&isWhole);
            if (!isWhole)
                refuse(rowSymbol(row.label) + QStringLiteral(" ") + name +
                       QStringLiteral(" must be a whole number."));
            return isWhole;
        };
        if (!whole(row.minimum, QStringLiteral("Min #"), searched.minimum)) return false;
        if (!whole(row.maximum, QStringLiteral("Max #"), searched.maximum)) return false;
    }
    input.rowElements = m_app.calcElementSlots;
    input.rdbLimits = m_limits->isChecked();
    input.rdbMinimum = m_rdbMinimum->value();
    input.rdbMaximum = m_rdbMaximum->value();
    input.molecularIonsOnly = m_molecularIons->isChecked();
    input.nitrogenRule = m_nitrogenRule->isChecked();
    input.maxResults = 1000;
    return true;
}

void FormulaCalculatorWindow::calculateOrStop() {
    if (m_searching) {
        // The search sees the request at its next report and ends, keeping what it found.
        m_stopRequested = true;
        return;
    }
    if (!m_results.candidates.empty()) clearResults();
    m_tolerance->setText(
        QString::fromStdString(clampedToleranceText(m_tolerance->text().toStdString())));
    FormulaSearchInput input;
    if (!readInput(input)) return;
    m_target = input.target;

    m_hint->hide();
    m_calculate->setText(QStringLiteral("Stop"));
    m_calculate->setStyleSheet(QStringLiteral("color: red"));
    m_grid->setStyleSheet(QStringLiteral("color: white"));
    m_clear->setEnabled(false);
    m_sortByComposition->setChecked(true);
    m_sortByDifference->setChecked(false);
    m_found->clear();
    m_searching = true;
    m_stopRequested = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CalculatorProgress progress(m_found, m_stopRequested);
    m_results = FormulaSearch(input, m_app.elements, &progress);
    QApplication::restoreOverrideCursor();
    m_searching = false;

    switch (m_results.end) {
    case FormulaSearchEnd::MassOverflow:
        m_prompter.beep();
        m_prompter.message(this, QString::fromLatin1(kMassOverflowCaption),
                           QString::fromLatin1(kMassOverflowText), Prompter::Icon::Warning,
                           Prompter::Buttons::Ok);
        break;
    case FormulaSearchEnd::ListOverflow:
        m_prompter.beep();
        m_prompter.message(this, QString::fromLatin1(kListOverflowCaption),
                           QString::fromLatin1(kListOverflowText).replace(u'\r', u'\n'),
                           Prompter::Icon::Warning, Prompter::Buttons::Ok);
        break;
    case FormulaSearchEnd::Stopped:
        m_prompter.beep();
        break;
    default:
        break;
    }
    showResults();
    m_calculate->setText(QStringLiteral("Calculate"));
    m_calculate->setStyleSheet(QString());
    m_grid->setStyleSheet(QString());
    if (m_rdbMaximum->value() < m_rdbMinimum->value())
        m_rdbMaximum->setValue(m_rdbMinimum->value());
}

void FormulaCalculatorWindow::showResults() {
    const std::vector<FormulaCandidate>& results = m_results.candidates;
    m_sortedByDifference = false;
    m_order.clear();
    if (m_results.end == FormulaSearchEnd::TargetTooLow ||
        m_results.end == FormulaSearchEnd::MassOverflow) {
        m_clear->setEnabled(true);
        return;
    }
    if (results.empty()) {
        m_grid->setRowCount(2);
        m_grid->setItem(1, 0, new QTableWidgetItem(QStringLiteral("No Matches")));
        m_grid->setItem(1, 1, new QTableWidgetItem(QString()));
        m_found->setText(QStringLiteral("0"));
        m_clear->setEnabled(true);
        return;
    }
    m_grid->setRowCount(1 + static_cast<int>(results.size()));
    for (std::size_t i = 0; i < results.size(); ++i) {
        const FormulaCandidate& c = results[i];
        m_order.push_back(static_cast<int>(i));
        m_grid->setItem(static_cast<int>(i) + 1, 0,
                        new QTableWidgetItem(QString::fromStdString(formulaCompositionText(c))));
        m_grid->setItem(static_cast<int>(i) + 1, 1, new QTableWidgetItem(differenceText(c)));
    }
    m_found->setText(QString::number(results.size()));
    m_hint->show();
    m_clear->setEnabled(true);
    setResultCommandsEnabled(true);
}

void FormulaCalculatorWindow::setResultCommandsEnabled(bool enabled) {
    for (QAction* a : {m_clearItem, m_copy, m_copyWord, m_sort})
        a->setEnabled(enabled);
    if (enabled) m_resetAll->setEnabled(true);
    m_print->setEnabled(enabled);
}

void FormulaCalculatorWindow::clearResults() {
    m_grid->setRowCount(1);
    m_results = FormulaSearchResult{};
    m_order.clear();
    m_sortedByDifference = false;
    m_sortByComposition->setChecked(true);
    m_sortByDifference->setChecked(false);
    m_found->clear();
    m_clear->setEnabled(true);
    setResultCommandsEnabled(false);
    m_resetAll->setEnabled(true);
    m_hint->hide();
    m_weight->setFocus();
}

void FormulaCalculatorWindow::resetAll() {
    clearResults();
    for (int r : {kRowO, kRowN, kRow5, kRow6, kRow7})
        m_rows[static_cast<std::size_t>(r)].check->setChecked(false);
    for (QCheckBox* box : {m_limits, m_molecularIons, m_nitrogenRule})
        box->setChecked(false);
    m_weight->clear();
    m_tolerance->setText(QStringLiteral("1"));
    for (int r : {kRow5, kRow6, kRow7}) {
        const auto slot = static_cast<std::size_t>(r);
        m_app.calcElementSlots[slot] = kDefaultCalcElementSlots[slot];
        m_rows[slot].label->setText(
            QString::fromLatin1(elementSymbol(kDefaultCalcElementSlots[slot])));
    }
    m_resetAll->setEnabled(false);
}

QString FormulaCalculatorWindow::differenceText(const FormulaCandidate& c) const {
    return QString::fromStdString(
        formulaDifferenceText(std::abs(formulaCandidateMass(c, m_app.elements) - m_target)));
}

const FormulaCandidate& FormulaCalculatorWindow::shownResult(int row) const {
    const auto index = static_cast<std::size_t>(m_order.at(static_cast<std::size_t>(row - 1)));
    return m_results.candidates.at(index);
}

void FormulaCalculatorWindow::sortByDifference() {
    if (m_results.candidates.size() < 2 || m_sortedByDifference) {
        m_prompter.beep();
        return;
    }
    m_sortByDifference->setChecked(true);
    m_sortByComposition->setChecked(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_order = differenceOrder(m_results.candidates);
    m_sortedByDifference = true;
    for (std::size_t r = 0; r < m_order.size(); ++r) {
        const FormulaCandidate& c = m_results.candidates[static_cast<std::size_t>(m_order[r])];
        m_grid->item(static_cast<int>(r) + 1, 0)
            ->setText(QString::fromStdString(formulaCompositionText(c)));
        m_grid->item(static_cast<int>(r) + 1, 1)
            ->setText(QString::fromStdString(formulaDifferenceCell(c.difference)));
    }
    QApplication::restoreOverrideCursor();
}

void FormulaCalculatorWindow::sortByComposition() {
    if (m_results.candidates.size() < 2 || !m_sortedByDifference) {
        m_prompter.beep();
        m_sortByComposition->setChecked(!m_sortedByDifference);
        return;
    }
    m_sortByComposition->setChecked(true);
    m_sortByDifference->setChecked(false);
    m_sortedByDifference = false;
    for (std::size_t i = 0; i < m_results.candidates.size(); ++i) {
        const FormulaCandidate& c = m_results.candidates[i];
        m_order[i] = static_cast<int>(i);
        m_grid->item(static_cast<int>(i) + 1, 0)
            ->setText(QString::fromStdString(formulaCompositionText(c)));
        m_grid->item(static_cast<int>(i) + 1, 1)->setText(differenceText(c));
    }
}

void FormulaCalculatorWindow::showDetails(int row) {
    if (row < 1 || row > static_cast<int>(m_order.size())) return;
    WindowNotices notices(m_notices, m_prompter, this);
    QString text = QString::fromStdString(
        formulaDetailText(shownResult(row), m_app.elements, notices, &m_app.spectrum));
    text.replace(u'\r', u'\n');
    m_prompter.messageAt(this, QPoint(200, 200), QStringLiteral("Information"), text,
                         Prompter::Icon::Information, Prompter::Buttons::Ok);
}

QString FormulaCalculatorWindow::resultLines() const {
    QStringList lines;
    for (int r = 1; r <= static_cast<int>(m_order.size()); ++r)
        lines << QString::fromStdString(formulaCopyLine(m_grid->item(r, 0)->text().toStdString(),
                                                        m_grid->item(r, 1)->text().toStdString(),
                                                        shownResult(r).rdb));
    return lines.join(u'\n') + (lines.isEmpty() ? QString() : QStringLiteral("\n"));
}

void FormulaCalculatorWindow::copyToClipboard() {
    QApplication::clipboard()->setText(resultLines());
}

void FormulaCalculatorWindow::print() {
    const auto count = static_cast<int>(m_order.size());
    if (count > 30) {
        const QString question = QString::fromStdString(formulaReportQuestion(count))
                                     .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (m_prompter.message(this, kTitle, question, Prompter::Icon::Question,
                               Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
            return;
    }
    QPrinter& printer = m_app.print.printer();
    if (!m_prompter.choosePrinter(this, printer)) return;

    FormulaReportInput input;
    input.weight = m_weight->text().toStdString();
    input.tolerance = m_tolerance->text().toStdString();
    input.found = m_found->text().toStdString();
    input.molecularIons = m_molecularIons->isChecked();
    input.nitrogenRule = m_nitrogenRule->isChecked();
    input.limits = m_limits->isChecked();
    input.rdbMinimum = m_rdbMinimum->value();
    input.rdbMaximum = m_rdbMaximum->value();
    for (int r = 0; r < kFormulaRows; ++r) {
        const Row& row = m_rows[static_cast<std::size_t>(r)];
        input.rows[static_cast<std::size_t>(r)] = {row.check->isChecked(),
                                                   row.minimum->text().toStdString(),
                                                   row.maximum->text().toStdString()};
    }
    input.elements = m_app.calcElementSlots;
    for (int r = 1; r <= count; ++r)
        input.results.push_back(shownResult(r));

    QPainter painter;
    if (!painter.begin(&printer)) {
        m_prompter.message(this, kTitle, QStringLiteral("The printer could not be started."),
                           Prompter::Icon::Error, Prompter::Buttons::Ok);
        return;
    }
    const int scale =
        printer.pageLayout().paintRectPixels(printer.resolution()).width() == 4800 ? 2 : 1;
    QFont title(QStringLiteral("Times New Roman"));
    title.setPointSize(12);
    title.setBold(true);
    int page = 1;
    for (const ReportLine& line : formulaReportLines(input, m_app.elements)) {
        if (line.page != page) {
            printer.newPage();
            page = line.page;
        }
        QFont font(QStringLiteral("Courier New"));
        font.setPointSize(11);
        font.setBold(line.bold);
        font.setUnderline(line.underline);
        painter.setFont(line.title ? title : font);
        painter.drawText(QPoint(line.x * scale, line.y * scale + painter.fontMetrics().ascent()),
                         QString::fromStdString(line.text));
    }
    painter.end();
}

void FormulaCalculatorWindow::copyToWordPad() {
    copyToClipboard();
    RunInWordProcessor(QStringLiteral("^V"), QString::fromStdString(m_app.settings.PathToText),
                       m_prompter, this);
}

} // namespace qzx
