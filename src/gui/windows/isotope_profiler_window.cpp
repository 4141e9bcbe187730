#include "windows/isotope_profiler_window.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "chem/composition.h"
#include "chem/formula_text.h"
#include "platform/help_browser.h"
#include "platform/prompter.h"
#include "platform/word_processor.h"
#include "render/picture_export.h"
#include "state/app_state.h"
#include "windows/command_handlers.h"
#include "windows/window_notices.h"
#include "windows/window_steering.h"

namespace qzx {
namespace {

constexpr int kHelpContext = 1040;
const QString kTitle = QStringLiteral("Isotopic Profiler");

QLineEdit* addField(QGridLayout* grid, int row, const QString& caption, const QString& name,
                    QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    label->setBuddy(field);
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    return field;
}

QPushButton* addButton(QHBoxLayout* row, const QString& caption, const QString& name,
                       QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

} // namespace

IsotopeProfilerWindow::IsotopeProfilerWindow(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_app(context.state), m_prompter(context.prompter), m_help(context.help),
      m_notices(context.notices), m_elementWindows(context.elementWindows) {
    setObjectName(QStringLiteral("TIPForm"));
    setWindowTitle(kTitle);

    auto* outer = new QVBoxLayout(this);
    buildMenu();

    auto* middle = new QHBoxLayout;
    auto* fields = new QGridLayout;
    m_composition =
        addField(fields, 0, QStringLiteral("Composition"), QStringLiteral("Edit1"), this);
    m_composition->setMinimumWidth(180);
    m_nominalMass =
        addField(fields, 1, QStringLiteral("Nominal Mass:"), QStringLiteral("Edit2"), this);
    m_nominalMass->setReadOnly(true);
    QFont bold = m_nominalMass->font();
    bold.setBold(true);
    m_nominalMass->setFont(bold);
    m_minimum = addField(fields, 2, QStringLiteral("Minimum %"), QStringLiteral("Edit3"), this);
    m_minimum->setText(QStringLiteral("0.05"));
    m_accurate = new QCheckBox(QStringLiteral("Accurate Mass"), this);
    m_accurate->setObjectName(QStringLiteral("CheckBox1"));
    m_deuterium = new QCheckBox(QStringLiteral("Include Deuterium"), this);
    m_deuterium->setObjectName(QStringLiteral("CheckBox2"));
    m_deuterium->setEnabled(false);
    fields->addWidget(m_accurate, 3, 0, 1, 2);
    fields->addWidget(m_deuterium, 4, 0, 1, 2);
    fields->setRowStretch(5, 1);
    middle->addLayout(fields);

    m_plot = new QLabel(this);
    m_plot->setObjectName(QStringLiteral("Image1"));
    m_plot->setFixedSize(kIsotopePlotWidth + 4, kIsotopePlotHeight + 4);
    m_plot->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_plot->setAlignment(Qt::AlignCenter);
    middle->addWidget(m_plot);

    m_grid = new QTableWidget(1, 2, this);
    m_grid->setObjectName(QStringLiteral("StringGrid1"));
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setItem(0, 0, new QTableWidgetItem(QStringLiteral("         Mass")));
    m_grid->setItem(0, 1, new QTableWidgetItem(QStringLiteral("  Rel Abund")));
    m_grid->setColumnWidth(0, 110);
    m_grid->setColumnWidth(1, 90);
    m_grid->setFont(QFont(QStringLiteral("Liberation Mono")));
    m_grid->setMinimumWidth(220);
    middle->addWidget(m_grid, 1);
    outer->addLayout(middle, 1);

    auto* buttons = new QHBoxLayout;
    m_calculate = addButton(buttons, QStringLiteral("Calculate"), QStringLiteral("BitBtn1"), this);
    QPushButton* clearButton =
        addButton(buttons, QStringLiteral("Clear"), QStringLiteral("BitBtn2"), this);
    QPushButton* help = addButton(buttons, QStringLiteral("Help"), QStringLiteral("BitBtn3"), this);
    QPushButton* close =
        addButton(buttons, QStringLiteral("Close"), QStringLiteral("BitBtn4"), this);
    outer->addLayout(buttons);

    connect(m_calculate, &QPushButton::clicked, this, &IsotopeProfilerWindow::calculate);
    connect(clearButton, &QPushButton::clicked, this, &IsotopeProfilerWindow::clear);
    connect(help, &QPushButton::clicked, this, [this] { m_help.showContext(kHelpContext); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    // Enter in the formula moves on to Calculate, which Enter then presses.
    connect(m_composition, &QLineEdit::returnPressed, this, [this] { m_calculate->setFocus(); });
    connect(m_accurate, &QCheckBox::toggled, this, [this](bool on) {
        m_deuterium->setEnabled(on);
        if (!on) m_deuterium->setChecked(false);
    });

    paintPlot();
    setOutputsEnabled(false);
}

void IsotopeProfilerWindow::buildMenu() {
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    m_print = file->addAction(QStringLiteral("Print"), this, &IsotopeProfilerWindow::print);
    m_print->setObjectName(QStringLiteral("Print1"));
    file->addAction(QStringLiteral("Close"), this, &QDialog::close)
        ->setObjectName(QStringLiteral("Close1"));
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    QAction* elements = edit->addAction(QStringLiteral("Elements..."), this, [this] {
        if (m_elementWindows) m_elementWindows->showPeriodicTable();
    });
    elements->setObjectName(QStringLiteral("Elements1"));
    elements->setEnabled(m_elementWindows != nullptr);
    m_copy = edit->addAction(QStringLiteral("Copy to Clipboard"), this,
                             &IsotopeProfilerWindow::copyToClipboard);
    m_copy->setObjectName(QStringLiteral("CopytoClipboard1"));
    m_copyWord = edit->addAction(QStringLiteral("Copy to WordPad"), this,
                                 &IsotopeProfilerWindow::copyToWordPad);
    m_copyWord->setObjectName(QStringLiteral("CopytoWordPad1"));
    m_showLabels =
        edit->addAction(QStringLiteral("Show Labels"), this, &IsotopeProfilerWindow::toggleLabels);
    m_showLabels->setObjectName(QStringLiteral("ShowLabels1"));
    m_showLabels->setCheckable(true);
    m_showLabels->setChecked(true);
    bar->addAction(QStringLiteral("&Help"), this, [this] { m_help.showContext(kHelpContext); })
        ->setObjectName(QStringLiteral("Help1"));
}

void IsotopeProfilerWindow::registerCommands(CommandHandlers& handlers) {
    handlers.add("m4IsoPro", [this] { showStructureProfile(); });
}

void IsotopeProfilerWindow::showStructureProfile() {
    m_composition->setText(QString::fromStdString(m_app.structureMasses.composition));
    calculate();
    show();
    raise();
    activateWindow();
}

void IsotopeProfilerWindow::showProfileOf(const QString& formula) {
    m_composition->setText(formula);
    calculate();
    m_prompter.showModal(*this);
}

void IsotopeProfilerWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_composition->setFocus();
}

void IsotopeProfilerWindow::calculate() {
    if (m_composition->text().isEmpty()) return;
    bool isNumber = false;
    const double minimum = m_minimum->text().trimmed().toDouble(&isNumber);
    if (!isNumber) {
        m_prompter.message(this, kTitle,
                           QStringLiteral("Minimum % must be a number, such as 0.05."),
                           Prompter::Icon::Warning, Prompter::Buttons::Ok);
        return;
    }
    // The reader works on a copy: the field keeps what was typed.
    std::string text = m_composition->text().toStdString();
    Composition composition;
    ParseFormulaText(composition, text, [this] { m_prompter.beep(); });

    m_sticks.clear();
    m_labels = PlotLabels::None;
    paintPlot();
    const auto threshold = static_cast<float>(minimum * 0.01);
    m_plottedAccurate = m_accurate->isChecked();
    WindowNotices notices(m_notices, m_prompter, this);
    const IsotopePattern pattern =
        m_plottedAccurate
            ? AccurateIsotopePattern(composition, m_app.elements,
                                     {threshold, m_deuterium->isChecked()}, notices)
            : NominalIsotopePattern(composition, m_app.elements, {threshold}, notices);
    m_nominalMass->setText(QString::number(profileNominalMass(composition, m_app.elements)));

    m_grid->setRowCount(1 + static_cast<int>(pattern.peaks.size()));
    for (std::size_t i = 0; i < pattern.peaks.size(); ++i) {
        const IsotopePeak& peak = pattern.peaks[i];
        const int row = static_cast<int>(i) + 1;
        m_grid->setItem(row, 0,
                        new QTableWidgetItem(
                            QString::fromStdString(profileMassCell(peak.mass, m_plottedAccurate))));
        m_grid->setItem(
            row, 1,
            new QTableWidgetItem(QString::fromStdString(profileAbundanceCell(peak.abundance))));
    }
    setOutputsEnabled(!pattern.peaks.empty());
    m_sticks = profileSticks(pattern, m_plottedAccurate);
    m_labels = m_showLabels->isChecked() ? PlotLabels::AboveOnePercent : PlotLabels::None;
    paintPlot();
}

void IsotopeProfilerWindow::clear() {
    m_composition->clear();
    m_nominalMass->clear();
    m_grid->setRowCount(1);
    m_sticks.clear();
    m_labels = PlotLabels::None;
    paintPlot();
    setOutputsEnabled(false);
    m_composition->setFocus();
}

void IsotopeProfilerWindow::toggleLabels() {
    // The action has already changed its check mark: checked now means it was unchecked.
    m_labels = m_showLabels->isChecked() ? PlotLabels::All : PlotLabels::None;
    paintPlot();
}

QImage IsotopeProfilerWindow::plotImage() const {
    return imagePicture({kIsotopePlotWidth, kIsotopePlotHeight}, [this](QPainter& painter) {
        paintIsotopePlot(painter, m_sticks, m_plottedAccurate, m_labels);
    });
}

std::vector<std::pair<QString, QString>> IsotopeProfilerWindow::tableRows() const {
    std::vector<std::pair<QString, QString>> rows;
    for (int row = 1; row < m_grid->rowCount(); ++row)
        rows.emplace_back(m_grid->item(row, 0)->text(), m_grid->item(row, 1)->text());
    return rows;
}

void IsotopeProfilerWindow::paintPlot() {
    m_plot->setPixmap(QPixmap::fromImage(plotImage()));
}

void IsotopeProfilerWindow::setOutputsEnabled(bool enabled) {
    for (QAction* action : {m_print, m_copy, m_copyWord})
        action->setEnabled(enabled);
}

void IsotopeProfilerWindow::copyToClipboard() {
    const QSize size(kIsotopePlotWidth, kIsotopePlotHeight);
    const auto paint = [this](QPainter& painter) {
        paintIsotopePlot(painter, m_sticks, m_plottedAccurate, m_labels);
    };
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/svg+xml"), svgPicture(size, paint));
    data->setImageData(imagePicture(size, paint));
    QGuiApplication::clipboard()->setMimeData(data);
}

void IsotopeProfilerWindow::copyToWordPad() {
    copyToClipboard();
    // The table goes with the picture, for programs that paste text.
    auto* data = new QMimeData;
    const QMimeData* picture = QGuiApplication::clipboard()->mimeData();
    for (const QString& format : picture->formats())
        data->setData(format, picture->data(format));
    data->setImageData(picture->imageData());
    data->setText(isotopeTableText(tableRows()));
    QGuiApplication::clipboard()->setMimeData(data);
    RunInWordProcessor(QStringLiteral("^V"), QString::fromStdString(m_app.settings.PathToText),
                       m_prompter, this);
}

void IsotopeProfilerWindow::print() {
    QPrinter& printer = m_app.print.printer();
    if (!m_prompter.choosePrinter(this, printer)) return;
    IsotopeProfilePage page;
    std::string text = m_composition->text().toStdString();
    Composition composition;
    ParseFormulaText(composition, text);
    for (int element = 1; element <= kElementCount; ++element)
        if (composition[element] > 0)
            page.elements.emplace_back(QString::fromStdString(m_app.elements[element].Symbol),
                                       QString::number(composition[element]));
    page.nominalMass = m_nominalMass->text();
    page.minimumAbundance = m_minimum->text();
    page.sticks = m_sticks;
    page.accurate = m_plottedAccurate;
    page.labels = m_showLabels->isChecked();
    page.rows = tableRows();
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_prompter.message(this, kTitle, QStringLiteral("The printer could not be started."),
                           Prompter::Icon::Error, Prompter::Buttons::Ok);
        return;
    }
    const int scale =
        printer.pageLayout().paintRectPixels(printer.resolution()).width() == 4800 ? 2 : 1;
    paintIsotopeProfilePage(painter, page, scale);
    painter.end();
}

} // namespace qzx
