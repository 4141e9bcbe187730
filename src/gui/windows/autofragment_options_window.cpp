#include "windows/autofragment_options_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "chem/autofragment.h"
#include "chem/fragments.h"
#include "platform/prompter.h"
#include "state/app_state.h"
#include "windows/command_handlers.h"
#include "windows/window_steering.h"

namespace qzx {

AutofragmentOptionsWindow::AutofragmentOptionsWindow(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_app(context.state), m_prompter(context.prompter),
      m_windows(context.windows) {
    setObjectName(QStringLiteral("TAFDoForm"));
    setWindowTitle(QStringLiteral("Autofragment"));
    auto* layout = new QVBoxLayout(this);
    m_gauge = new QProgressBar(this);
    m_gauge->setObjectName(QStringLiteral("Gauge1"));
    m_gauge->setRange(0, 100);
    m_gauge->setValue(0);
    layout->addWidget(m_gauge);

    auto* bonds = new QGroupBox(this);
    auto* bondChoice = new QVBoxLayout(bonds);
    m_oneBond = new QRadioButton(QStringLiteral("1 Bond"), bonds);
    m_oneBond->setObjectName(QStringLiteral("RadioButton1"));
    m_twoBonds = new QRadioButton(QStringLiteral("1 + 2 Bonds"), bonds);
    m_twoBonds->setObjectName(QStringLiteral("RadioButton2"));
    m_twoBonds->setChecked(true);
    bondChoice->addWidget(m_oneBond);
    bondChoice->addWidget(m_twoBonds);
    layout->addWidget(bonds);

    // The caption ends in the mark the results list gives odd-electron ions.
    m_markOdd = new QCheckBox(QStringLiteral("Mark Odd Electron Ions ") + QStringLiteral(" (") +
                                  QChar(0x00B7) + QStringLiteral("+)"),
                              this);
    m_markOdd->setObjectName(QStringLiteral("CheckBox1"));
    layout->addWidget(m_markOdd);

    auto* buttons = new QHBoxLayout;
    m_start = new QPushButton(QStringLiteral("Start"), this);
    m_start->setObjectName(QStringLiteral("Button1"));
    m_start->setEnabled(false);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("Button2"));
    buttons->addWidget(m_start);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
    connect(m_start, &QPushButton::clicked, this, &AutofragmentOptionsWindow::start);
    // During a run Cancel stops it; the fragments found so far are kept.
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        if (m_running)
            m_stopAsked = true;
        else
            close();
    });
}

void AutofragmentOptionsWindow::registerCommands(CommandHandlers& handlers) {
    handlers.add("m5AutoFragStart", [this] { open(); });
}

void AutofragmentOptionsWindow::open() {
    m_start->setEnabled(m_app.structure.count.atoms > 0 &&
                        !m_app.structureMasses.composition.empty());
    m_gauge->setValue(0);
    m_prompter.showModal(*this);
}

void AutofragmentOptionsWindow::showEvent(QShowEvent* event) {
    m_gauge->setValue(0);
    QDialog::showEvent(event);
}

void AutofragmentOptionsWindow::closeEvent(QCloseEvent* event) {
    // Closing the window during a run stops the run first; it closes when the run has ended.
    if (m_running) {
        m_stopAsked = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void AutofragmentOptionsWindow::start() {
    if (m_running) return;
    m_running = true;
    m_stopAsked = false;
    m_start->setEnabled(false);
    AutofragmentOptions options;
    options.singleOnly = m_oneBond->isChecked();
    options.markOddElectron = m_markOdd->isChecked();
    options.accurateMass = m_app.UseAccurateMass;
    const AutofragmentResult result = RunAutofragment(m_app.structure, m_app.elements, options,
                                                      m_app.fragments, [this](int percent) {
                                                          m_gauge->setValue(percent);
                                                          QCoreApplication::processEvents();
                                                          return !m_stopAsked;
                                                      });
    m_running = false;
    m_start->setEnabled(true);

    if (result.status == AutofragmentStatus::NoFragments) {
        ErrorSignal(m_prompter, m_app.settings.Sound);
        m_prompter.message(this, QStringLiteral("Autofragment"),
                           QString::fromStdString(result.message), Prompter::Icon::Information,
                           Prompter::Buttons::Ok);
        reject();
        return;
    }
    reject();
    if (m_app.fragments.FragmentCount == 0) return; // stopped before any fragment was found
    if (auto* results = m_windows ? m_windows->find<AutofragmentResultsDisplay>() : nullptr)
        results->showResults();
}

} // namespace qzx
