#include "windows/spectrum_window.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "chem/composition.h"
#include "chem/formula_text.h"
#include "chem/isotope_pattern.h"
#include "platform/help_browser.h"
#include "platform/prompter.h"
#include "render/comparison_report_pdf.h"
#include "render/picture_export.h"
#include "render/spectrum_plot_painter.h"
#include "spectrum/asc_file.h"
#include "spectrum/peak_explanation.h"
#include "spectrum/spectrum_match.h"
#include "spectrum/spectrum_plot.h"
#include "state/app_state.h"
#include "util/rounding.h"
#include "windows/command_handlers.h"
#include "windows/delta_mass_window.h"
#include "windows/page_setup_window.h"
#include "windows/peak_explanation_window.h"
#include "windows/print_choice_dialog.h"
#include "windows/spectrum_printing.h"
#include "windows/window_notices.h"
#include "windows/window_steering.h"

namespace qzx {
namespace {

constexpr int kHelpContext = 1086;
const QString kTitle = QStringLiteral("Spectrum");
const QString kAscFilter = QStringLiteral("ASC Files   (*.ASC)|*.ASC");

QString withLineBreaks(const std::string& text) {
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

/// The plot area: paints the spectrum at the window's zoom and hands mouse releases on.
class SpectrumPlotView : public QWidget {
public:
    explicit SpectrumPlotView(SpectrumWindow& window) : QWidget(&window), m_window(window) {
        setObjectName(QStringLiteral("PlotArea"));
        setMinimumSize(400, 300);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        Spectrum& spectrum = m_window.m_app.spectrum;
        if (spectrum.peakCount() > 0) spectrum.normalize();
        paintSpectrumPlot(painter, spectrumPlot(spectrum, width(), height(), m_window.m_zoom),
                          width(), height(), m_window.m_red);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        m_window.plotReleased(event->position().toPoint(), event->button(), event->modifiers());
    }

private:
    SpectrumWindow& m_window;
};

SpectrumWindow::SpectrumWindow(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_app(context.state), m_prompter(context.prompter), m_help(context.help),
      m_notices(context.notices), m_calculator(context.calculator),
      m_editor(context.spectrumEditor), m_windows(context.windows) {
    setObjectName(QStringLiteral("TSpecForm"));
    setWindowTitle(kTitle);
    resize(640, 520);
    auto* outer = new QVBoxLayout(this);
    buildMenu();

    auto* bar = new QHBoxLayout;
    const auto speedButton = [&](const char* name, const QString& hint, auto slot) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolTip(hint);
        button->setText(hint);
        connect(button, &QToolButton::clicked, this, slot);
        bar->addWidget(button);
        return button;
    };
    speedButton("SpeedButton4", QStringLiteral("Open file"), [this] { open(); });
    // Printing joins with the program's page setup; until then its button stays off.
    m_printButton = speedButton("SpeedButton5", QStringLiteral("Print"), [this] { printButton(); });
    m_printButton->setEnabled(false);
    speedButton("SpeedButton6", QStringLiteral("Redraw"), [this] { redraw(); });
    speedButton("SpeedButton7", QStringLiteral("Exit"), [this] {
        m_summary->setVisible(false);
        close();
    });
    m_fileName = new QLabel(this);
    m_fileName->setObjectName(QStringLiteral("Label1"));
    m_fileName->setStyleSheet(QStringLiteral("color: navy; font-weight: bold"));
    bar->addWidget(m_fileName, 1);
    speedButton("SpeedButton1", QStringLiteral("Expand Plot"), [this] {
        m_zoom = expandedZoom(m_zoom);
        redraw();
    });
    speedButton("SpeedButton2", QStringLiteral("Contract Plot"), [this] {
        m_zoom = contractedZoom(m_zoom);
        redraw();
    });
    speedButton("SpeedButton3", QStringLiteral("Home (Defaults)"), [this] {
        m_zoom = 1;
        redraw();
    });
    outer->addLayout(bar);

    m_comparePanel = new QWidget(this);
    m_comparePanel->setObjectName(QStringLiteral("Panel2"));
    auto* panel = new QHBoxLayout(m_comparePanel);
    m_compare = new QPushButton(QStringLiteral("Compare"), m_comparePanel);
    m_compare->setObjectName(QStringLiteral("BitBtn4"));
    m_compare->setEnabled(false);
    m_allowTransfers = new QCheckBox(QStringLiteral("Allow H Transfers"), m_comparePanel);
    m_allowTransfers->setObjectName(QStringLiteral("CheckBox1"));
    m_allowTransfers->setChecked(true);
    m_oneH = new QRadioButton(QStringLiteral("1H"), m_comparePanel);
    m_oneH->setObjectName(QStringLiteral("RadioButton1"));
    m_oneH->setChecked(true);
    m_twoH = new QRadioButton(QStringLiteral("2H"), m_comparePanel);
    m_twoH->setObjectName(QStringLiteral("RadioButton2"));
    for (QWidget* w : std::initializer_list<QWidget*>{m_compare, m_allowTransfers, m_oneH, m_twoH})
        panel->addWidget(w);
    panel->addStretch();
    m_comparePanel->hide();
    outer->addWidget(m_comparePanel);
    connect(m_compare, &QPushButton::clicked, this, &SpectrumWindow::compare);
    connect(m_allowTransfers, &QCheckBox::toggled, this, [this](bool on) {
        m_oneH->setVisible(on);
        m_twoH->setVisible(on);
    });

    m_plot = new SpectrumPlotView(*this);
    outer->addWidget(m_plot, 1);

    m_label = new QLineEdit(m_plot);
    m_label->setObjectName(QStringLiteral("Edit1"));
    m_label->setFrame(false);
    m_label->setStyleSheet(QStringLiteral(
        "color: blue; font-weight: bold; font-family: 'Times New Roman'; font-size: 19px; "
        "background: transparent"));
    m_label->setGeometry(120, 20, 300, 26);
    m_label->hide();
    m_label->installEventFilter(this);
    m_focusSink = new QLineEdit(this);
    m_focusSink->setObjectName(QStringLiteral("Edit2"));
    m_focusSink->setFixedSize(1, 1);
    connect(m_label, &QLineEdit::returnPressed, this, [this] { m_focusSink->setFocus(); });

    m_explanation = new PeakExplanationWindow(context.structureDisplay, this);

    // A new window starts without user labels and with the spectrum to be scaled.
    m_app.spectrum.PeakLabels.clear();
    m_app.spectrum.SpectrumNormalized = false;
}

void SpectrumWindow::buildMenu() {
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("Open..."), this, &SpectrumWindow::open)
        ->setObjectName(QStringLiteral("Open1"));
    QAction* save = file->addAction(QStringLiteral("Save..."), this, [this] {
        const QString name =
            m_prompter.saveFileName(this, QStringLiteral("Save"), QString(), kAscFilter);
        if (name.isEmpty()) return;
        const std::string error = saveAscFile(name.toStdString(), m_app.spectrum);
        if (!error.empty())
            m_prompter.message(this, kTitle, QString::fromStdString(error), Prompter::Icon::Error,
                               Prompter::Buttons::Ok);
    });
    save->setObjectName(QStringLiteral("Save1"));
    save->setEnabled(false); // the capture tool enables it
    m_save = save;
    file->addAction(QStringLiteral("Clear Spectrum"), this, &SpectrumWindow::clearSpectrum)
        ->setObjectName(QStringLiteral("ClearSpectrum1"));
    file->addAction(QStringLiteral("Printer Setup..."), this,
                    [this] { m_prompter.choosePrinter(this, m_app.print.printer()); })
        ->setObjectName(QStringLiteral("PrinterSetup1"));
    m_printMenu = file->addMenu(QStringLiteral("Print"));
    m_printMenu->setObjectName(QStringLiteral("Print1"));
    m_printMenu->menuAction()->setEnabled(false); // until a file is opened
    m_printMenu
        ->addAction(QStringLiteral("Print Spectrum..."), this, [this] { printSpectrum(true); })
        ->setObjectName(QStringLiteral("PrintSpectrum1"));
    m_printReport =
        m_printMenu->addAction(QStringLiteral("Print Report"), this, [this] { printReport(); });
    m_printReport->setObjectName(QStringLiteral("PrintReport1"));
    m_printReport->setEnabled(false); // until a comparison
    m_exportReport = file->addAction(QStringLiteral("Export Report as PDF..."), this,
                                     [this] { exportReport(); });
    m_exportReport->setObjectName(QStringLiteral("ExportReport1"));
    m_exportReport->setEnabled(false); // until a comparison
    file->addAction(QStringLiteral("Exit"), this, [this] {
        m_summary->setVisible(false);
        close();
    });
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->addAction(QStringLiteral("Copy"), this, &SpectrumWindow::copyPlot)
        ->setObjectName(QStringLiteral("Copy1"));
    QAction* editData = edit->addAction(QStringLiteral("Edit Data"), this, [this] {
        m_editor->editSpectrum();
        redraw();
    });
    editData->setObjectName(QStringLiteral("EditData1"));
    editData->setEnabled(m_editor != nullptr);
    edit->addAction(QStringLiteral("Spectrum Label"), this, &SpectrumWindow::toggleSpectrumLabel)
        ->setObjectName(QStringLiteral("SpectrumLabel1"));
    // After a comparison: the peak asked for (also a right click on its bar).
    m_explain = edit->addAction(QStringLiteral("Explain Peak..."), this, [this] {
        const Spectrum& spectrum = m_app.spectrum;
        if (spectrum.peakCount() == 0) return;
        int base = 1; // the base peak is offered first
        for (int k = 2; k <= spectrum.peakCount(); ++k)
            if (spectrum.peak(k).Abundance > spectrum.peak(base).Abundance) base = k;
        const std::optional<QString> answer = m_prompter.inputText(
            this, QStringLiteral("Explain Peak"), QStringLiteral("Mass of the peak (m/z)"),
            QString::number(static_cast<double>(spectrum.peak(base).Mass)));
        if (!answer) return;
        bool ok = false;
        const double mass = answer->trimmed().toDouble(&ok);
        int number = 0;
        for (int k = 1; ok && k <= spectrum.peakCount(); ++k)
            if (Round(spectrum.peak(k).Mass) == Round(mass)) number = k;
        if (number == 0) {
            m_prompter.message(this, kTitle,
                               QStringLiteral("The spectrum has no peak at m/z %1.").arg(*answer),
                               Prompter::Icon::Warning, Prompter::Buttons::Ok);
            return;
        }
        explainPeak(number);
    });
    m_explain->setObjectName(QStringLiteral("ExplainPeak1"));
    m_explain->setEnabled(false);
    bar->addAction(QStringLiteral("Delta Mass "), this,
                   [this] {
                       if (auto* table = m_windows ? m_windows->find<DeltaMassWindow>() : nullptr)
                           m_prompter.showModal(*table);
                   })
        ->setObjectName(QStringLiteral("DeltaMass1"));
    m_isotopeMatch =
        bar->addAction(QStringLiteral("Isotope Match "), this, &SpectrumWindow::isotopeMatch);
    m_isotopeMatch->setObjectName(QStringLiteral("IsotopeMatch1"));
    m_isotopeMatch->setVisible(false);
    m_summary = bar->addAction(QStringLiteral("Summary"), this, &SpectrumWindow::summary);
    m_summary->setObjectName(QStringLiteral("Summary1"));
    m_summary->setVisible(false);
    bar->addAction(QStringLiteral("&Help"), this, [this] { m_help.showContext(kHelpContext); })
        ->setObjectName(QStringLiteral("Help1"));
}

void SpectrumWindow::registerCommands(CommandHandlers& handlers) {
    handlers.add("m6SpecShow", [this] { m_prompter.showModal(*this); });
}

void SpectrumWindow::showForMatch() {
    m_comparePanel->show();
    m_isotopeMatch->setVisible(true);
    m_prompter.showModal(*this);
}

void SpectrumWindow::setSaveEnabled(bool on) {
    m_save->setEnabled(on);
}

void SpectrumWindow::hideMatch() {
    m_comparePanel->hide();
    m_isotopeMatch->setVisible(false);
}

QWidget* SpectrumWindow::plotArea() const {
    return m_plot;
}

void SpectrumWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    redraw();
}

int SpectrumWindow::structureMass() const {
    if (m_app.UseAccurateMass) return static_cast<int>(Round(m_app.structureMasses.monoMass));
    return m_app.structureMasses.nominalMass;
}

void SpectrumWindow::redraw() {
    m_red.clear();
    m_plot->update();
}

void SpectrumWindow::open() {
    const QString name =
        m_prompter.openFileName(this, QStringLiteral("Open"), QString(), kAscFilter);
    if (!name.isEmpty()) openFile(name);
}

void SpectrumWindow::openFile(const QString& fileName) {
    const AscLoadResult loaded = loadAscFile(fileName.toStdString(), m_app.spectrum);
    if (!loaded.error.empty()) {
        m_prompter.message(this, kTitle, QString::fromStdString(loaded.error),
                           Prompter::Icon::Warning, Prompter::Buttons::Ok);
        return;
    }
    for (const std::string& warning : loaded.warnings)
        m_prompter.message(this, kTitle, QString::fromStdString(warning), Prompter::Icon::Warning,
                           Prompter::Buttons::Ok);
    m_fileName->setText(QFileInfo(fileName).fileName().toLower());
    setFileCommandsEnabled(true);
    redraw();
}

void SpectrumWindow::setFileCommandsEnabled(bool opened) {
    m_compare->setEnabled(opened);
    m_printMenu->menuAction()->setEnabled(opened);
    m_printButton->setEnabled(opened);
}

void SpectrumWindow::clearSpectrum() {
    m_app.spectrum.clear();
    m_summary->setVisible(false);
    m_explain->setEnabled(false);
    redraw();
}

SpectrumPrintout SpectrumWindow::printout() {
    Spectrum& spectrum = m_app.spectrum;
    if (spectrum.peakCount() > 0) spectrum.normalize();
    SpectrumPrintout out;
    out.spectrum = &spectrum;
    out.report.allowHydrogenTransfers = m_allowTransfers->isChecked();
    out.report.hydrogens = m_twoH->isChecked() ? 2 : 1;
    out.report.structureLabel = m_app.structure.StructureLabel;
    out.report.nominalMass = m_app.structureMasses.nominalMass;
    out.report.monoMass = m_app.structureMasses.monoMass;
    out.report.composition = m_app.structureMasses.composition;
    out.report.accurateMass = m_app.UseAccurateMass;
    out.label = {m_label->text().toStdString(), m_label->x(), m_label->y(), m_plot->width(),
                 m_plot->height()};
    out.labelShown = m_label->isVisible();
    out.fileName = spectrum.SpectrumFileName;
    out.colorPrinter = m_app.settings.ColorPrinter;
    return out;
}

void SpectrumWindow::printSpectrum(bool marks) {
    auto* pageSetup = m_windows ? m_windows->find<PageSetupWindow>() : nullptr;
    if (!pageSetup) return;
    const std::optional<PageSetup> setup = pageSetup->ask(false);
    if (!setup) return;
    printSpectrumPage(m_prompter, this, m_app.print, *setup, marks && !m_red.empty(), false,
                      printout());
}

void SpectrumWindow::printReport() {
    // The report's layout is fixed: portrait, the spectrum in the upper half, the summary below.
    m_app.print.pageWidthUnits = 160;
    m_app.print.pageHeightUnits = 200;
    printSpectrumPage(m_prompter, this, m_app.print, reportPageSetup(), true, true, printout());
}

void SpectrumWindow::exportReport() {
    QString name = m_prompter.saveFileName(this, QStringLiteral("Export Report as PDF"), QString(),
                                           QStringLiteral("PDF Files   (*.pdf)|*.pdf"));
    if (name.isEmpty()) return;
    if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".pdf");
    ReportDocument document;
    document.spectrum = &m_app.spectrum;
    document.structure = &m_app.structure;
    document.elements = &m_app.elements;
    document.settings = &m_app.settings;
    document.fragments = &m_app.fragments;
    document.report = printout().report;
    const std::string error = writeComparisonReportPdf(name.toStdString(), document);
    if (!error.empty())
        m_prompter.message(this, kTitle, QString::fromStdString(error), Prompter::Icon::Error,
                           Prompter::Buttons::Ok);
}

void SpectrumWindow::printButton() {
    auto* choice = m_windows ? m_windows->find<PrintChoiceDialog>() : nullptr;
    if (!choice) return;
    m_app.spectrumPrintChoice = 3;
    m_prompter.showModal(*choice);
    if (m_app.spectrumPrintChoice == 1 && m_printReport->isEnabled()) printReport();
    if (m_app.spectrumPrintChoice == 2) printSpectrum(false);
}

void SpectrumWindow::copyPlot() {
    const QSize size(500, 500);
    const SpectrumPrintout picture = printout();
    const bool marks = !m_red.empty();
    const auto paint = [&picture, marks](QPainter& painter) {
        paintSpectrumPicture(painter, 500, 500, marks, picture);
    };
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/svg+xml"), svgPicture(size, paint));
    data->setImageData(imagePicture(size, paint));
    QGuiApplication::clipboard()->setMimeData(data);
}

bool SpectrumWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_label) return QDialog::eventFilter(watched, event);
    auto* mouse = dynamic_cast<QMouseEvent*>(event);
    if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton &&
        (mouse->modifiers() & Qt::ControlModifier)) {
        // Ctrl and the left button drag the label over the plot.
        m_labelDragged = true;
        m_dragOrigin = mouse->position().toPoint();
        return true;
    }
    if (event->type() == QEvent::MouseMove && m_labelDragged) {
        m_label->move(m_label->pos() + mouse->position().toPoint() - m_dragOrigin);
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && m_labelDragged) {
        m_labelDragged = false;
        m_focusSink->setFocus();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void SpectrumWindow::toggleSpectrumLabel() {
    if (m_label->isVisible()) {
        m_label->hide();
        return;
    }
    if (m_label->text().isEmpty()) {
        const QString stem = m_fileName->text().section(u'.', 0, 0);
        m_label->setText(stem.isEmpty() ? QStringLiteral("Spectrum Label") : stem);
    }
    m_label->show();
}

void SpectrumWindow::plotReleased(QPoint at, Qt::MouseButton button,
                                  Qt::KeyboardModifiers modifiers) {
    Spectrum& spectrum = m_app.spectrum;
    const int n = spectrum.peakCount();
    if (n == 0) return;
    const int peak = nearestPeak(spectrum, m_plot->width(), at.x());
    const Qt::KeyboardModifiers keys = modifiers & (Qt::ShiftModifier | Qt::ControlModifier);
    if (button == Qt::LeftButton && keys == Qt::ControlModifier) {
        if (!m_calculator) return;
        const Peak& here = spectrum.peak(peak);
        QString note;
        if (peak < n) {
            const Peak& next = spectrum.peak(peak + 1);
            if (next.Mass == here.Mass + 1.0f && here.Abundance > 0.0f) {
                const double ratio = 100.0 * next.Abundance / here.Abundance;
                if (ratio < 50.0)
                    note = QString(42, u' ') + QStringLiteral("Target (M+1)% =") +
                           QString::number(ratio, 'f', 2);
            }
        }
        m_calculator->showForPeak(static_cast<int>(Round(here.Mass)), note);
        return;
    }
    if (button == Qt::LeftButton && keys == Qt::ShiftModifier) {
        PeakLabelList& labels = spectrum.PeakLabels;
        if (labels.count >= kMaxPeakLabels) return;
        labels.peaks[static_cast<std::size_t>(++labels.count)] = peak;
        m_plot->update();
        return;
    }
    if (button == Qt::RightButton && keys == Qt::NoModifier) {
        if (m_explain->isEnabled()) explainPeak(peak);
        return;
    }
    if (button == Qt::RightButton && keys == Qt::ShiftModifier) {
        PeakLabelList& labels = spectrum.PeakLabels;
        for (int k = 1; k <= labels.count; ++k) {
            if (labels.peaks[static_cast<std::size_t>(k)] != peak) continue;
            for (int m = k; m < labels.count; ++m)
                labels.peaks[static_cast<std::size_t>(m)] =
                    labels.peaks[static_cast<std::size_t>(m) + 1];
            --labels.count;
            break;
        }
        redraw();
    }
}

IsotopePattern SpectrumWindow::structurePattern() {
    std::string formula = m_app.structureMasses.composition;
    Composition composition;
    ParseFormulaText(composition, formula);
    WindowNotices notices(m_notices, m_prompter, this);
    NominalIsotopeOptions options;
    options.threshold = 0.005f;
    return NominalIsotopePattern(composition, m_app.elements, options, notices);
}

void SpectrumWindow::isotopeMatch() {
    if (m_app.spectrum.peakCount() == 0) return;
    const IsotopeMatchOutcome outcome =
        qzx::isotopeMatch(m_app.spectrum, structureMass(), structurePattern());
    if (!outcome.message.empty())
        m_prompter.message(this, kTitle, withLineBreaks(outcome.message),
                           Prompter::Icon::Information, Prompter::Buttons::Ok);
}

void SpectrumWindow::compare() {
    redraw();
    std::vector<int> fragmentMasses;
    for (std::size_t i = 1; i < m_app.fragments.Fragments.size(); ++i)
        fragmentMasses.push_back(m_app.fragments.Fragments[i].Mass);
    const IsotopePattern pattern = structurePattern();
    ComparisonOptions options;
    options.allowHydrogenTransfers = m_allowTransfers->isChecked();
    options.hydrogens = m_twoH->isChecked() ? 2 : 1;
    options.structureMass = structureMass();
    m_red = compareSpectrum(m_app.spectrum, fragmentMasses, pattern, options);
    m_plot->update();
    m_summary->setVisible(true);
    m_explain->setEnabled(true);
    m_printReport->setEnabled(true);
    m_exportReport->setEnabled(true);
}

void SpectrumWindow::explainPeak(int number) {
    const Spectrum& spectrum = m_app.spectrum;
    if (number < 1 || number > spectrum.peakCount()) return;
    m_explanation->showExplanation(qzx::explainPeak(
        m_app.structure, m_app.elements, m_app.fragments, spectrum, spectrum.peak(number).Mass));
    m_prompter.showModal(*m_explanation);
}

void SpectrumWindow::summary() {
    const std::string text = comparisonSummary(m_app.spectrum);
    if (!text.empty())
        m_prompter.message(this, kTitle, withLineBreaks(text), Prompter::Icon::Information,
                           Prompter::Buttons::Ok);
}

} // namespace qzx
