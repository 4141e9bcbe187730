// The main window's menus, popup menu and the commands behind them.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QToolButton>

#include "app/app_state.h"
#include "app/app_windows.h"
#include "app/drawing_surface.h"
#include "app/element_pages.h"
#include "app/label_field.h"
#include "app/main_window.h"
#include "platform/help_browser.h"
#include "platform/prompter.h"
#include "render/colors.h"
#include "structure/editor.h"
#include "windows/about_box.h"
#include "windows/shortcuts_window.h"
#include "windows/splash_window.h"
#include "windows/status_window.h"

namespace qzx {
namespace {

/// Help topics of the main window's Help menu, by context number.
constexpr int kHelpContents = 1049;
constexpr int kHelpFirstUse = 1032;
constexpr int kHelpFaq = 1030;

QKeySequence ctrl(Qt::Key key) {
    return QKeySequence(Qt::CTRL | key);
}

} // namespace

QAction* MainWindow::addCommand(QMenu* menu, const QString& name, const QString& caption,
                                const QKeySequence& shortcut) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    registerControl(name, action);
    return action;
}

void MainWindow::buildMenus() {
    auto notYet = [this](QAction* action) {
        m_notAvailable.insert(action->objectName());
        action->setEnabled(false);
    };
    QMenuBar* bar = menuBar();

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("m1File"));
    connect(addCommand(file, QStringLiteral("m1New"), QStringLiteral("New"), ctrl(Qt::Key_N)),
            &QAction::triggered, this, &MainWindow::m1NewClick);
    connect(addCommand(file, QStringLiteral("m1Open"), QStringLiteral("Open..."), ctrl(Qt::Key_O)), &QAction::triggered, this, &MainWindow::m1OpenClick);
    connect(addCommand(file, QStringLiteral("m1Save"), QStringLiteral("Save"), ctrl(Qt::Key_S)), &QAction::triggered, this, &MainWindow::m1SaveClick);
    connect(addCommand(file, QStringLiteral("m1SaveAs"), QStringLiteral("Save As..."),
                      ctrl(Qt::Key_A)), &QAction::triggered, this, &MainWindow::m1SaveAsClick);
    file->addSeparator();
    connect(addCommand(file, QStringLiteral("m1Molimport"), QStringLiteral("Import Molfile...")), &QAction::triggered, this, &MainWindow::m1MolimportClick);
    connect(addCommand(file, QStringLiteral("m1Molexport"), QStringLiteral("Export Molfile...")), &QAction::triggered, this, &MainWindow::m1MolexportClick);
    connect(addCommand(file, QStringLiteral("m1MolBndLen"), QStringLiteral("Set MolBondLength")),
            &QAction::triggered, this, &MainWindow::m1MolBndLenClick);
    file->addSeparator();
    connect(addCommand(file, QStringLiteral("m1RLoad"), QStringLiteral("Load R Group...")), &QAction::triggered, this, &MainWindow::m1RLoadClick);
    connect(addCommand(file, QStringLiteral("m1RSave"), QStringLiteral("Save R Group...")), &QAction::triggered, this, &MainWindow::m1RSaveClick);
    file->addSeparator();
    connect(addCommand(file, QStringLiteral("m1Delete"), QStringLiteral("Delete File..."),
                       ctrl(Qt::Key_D)),
            &QAction::triggered, this, &MainWindow::m1DeleteClick);
    file->addSeparator();
    connect(addCommand(file, QStringLiteral("m1PrintSetup"), QStringLiteral("Print Setup...")),
            &QAction::triggered, this, &MainWindow::m1PrintSetupClick);
    notYet(
        addCommand(file, QStringLiteral("m1Print"), QStringLiteral("Print..."), ctrl(Qt::Key_P)));
    file->addSeparator();
    connect(addCommand(file, QStringLiteral("m1Exit"), QStringLiteral("Exit"), ctrl(Qt::Key_X)),
            &QAction::triggered, this, &MainWindow::m1ExitClick);

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("m2Edit"));
    connect(addCommand(edit, QStringLiteral("m2Select"), QStringLiteral("Select"),
                       QKeySequence(Qt::Key_F2)),
            &QAction::triggered, this, &MainWindow::m2SelectClick);
    notYet(addCommand(edit, QStringLiteral("m2Elements"), QStringLiteral("Elements")));
    QMenu* copy = edit->addMenu(QStringLiteral("Copy"));
    copy->setObjectName(QStringLiteral("m2CopyMenu"));
    registerControl(QStringLiteral("m2Copy"), copy->menuAction());
    copy->menuAction()->setObjectName(QStringLiteral("m2Copy"));
    notYet(addCommand(copy, QStringLiteral("m2CopyMetafile"), QStringLiteral("As Metafile")));
    notYet(addCommand(copy, QStringLiteral("m2CopyBitmap"), QStringLiteral("As Bitmap")));
    notYet(addCommand(edit, QStringLiteral("m2CopyWord"), QStringLiteral("Copy to WordPad")));
    QMenu* valence = edit->addMenu(QStringLiteral("Valence"));
    valence->setObjectName(QStringLiteral("m2ValenceMenu"));
    valence->menuAction()->setObjectName(QStringLiteral("m2Valence"));
    registerControl(QStringLiteral("m2Valence"), valence->menuAction());
    connect(addCommand(valence, QStringLiteral("m2ValAdd"), QStringLiteral("Add"),
                       QKeySequence(Qt::Key_F3)),
            &QAction::triggered, this, &MainWindow::puAddClick);
    connect(addCommand(valence, QStringLiteral("m2ValSub"), QStringLiteral("Subtract"),
                       QKeySequence(Qt::Key_F4)),
            &QAction::triggered, this, &MainWindow::puSubtractClick);
    connect(addCommand(edit, QStringLiteral("m2Bonds"), QStringLiteral("Reduce Bond")),
            &QAction::triggered, this, &MainWindow::m2BondsClick);

    QMenu* options = bar->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("m3Options"));
    notYet(addCommand(options, QStringLiteral("m3Loss"), QStringLiteral("Loss of..."),
                      ctrl(Qt::Key_L)));
    notYet(addCommand(options, QStringLiteral("m3Preferences"), QStringLiteral("Preferences"),
                      QKeySequence(Qt::Key_F5)));
    options->addSeparator();
    struct Toggle {
        const char* name;
        const char* caption;
        void (MainWindow::*handler)();
    };
    const Toggle toggles[] = {
        {"m3ShowAtoms", "Show All Atoms", &MainWindow::m3ShowAtomsClick},
        {"m3SubFrag", "SubFragment", &MainWindow::m3SubFragClick},
        {"m3MultiFrag", "Multi Fragment", &MainWindow::m3MultiFragClick},
        {"m3AccMass", "Use Accurate Mass", &MainWindow::m3AccMassClick},
        {"m3ShowFragComp", "Show Fragment Comp", &MainWindow::m3ShowFragCompClick},
        {"m3ShowBoxPopUp", "Show BoxFrag Popup", &MainWindow::m3ShowBoxPopUpClick},
        {"m3ShowLabel", "Show Label", &MainWindow::m3ShowLabelClick},
    };
    for (const Toggle& t : toggles) {
        QAction* action =
            addCommand(options, QString::fromLatin1(t.name), QString::fromLatin1(t.caption));
        action->setCheckable(true);
        // The handler sets the check mark itself, so it always agrees with the option.
        connect(action, &QAction::triggered, this, t.handler);
    }

    QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("m4Tools"));
    notYet(addCommand(tools, QStringLiteral("m4IsoPro"), QStringLiteral("Isotopic Profiler"),
                      ctrl(Qt::Key_I)));
    notYet(addCommand(tools, QStringLiteral("m4EFC"), QStringLiteral("Elemental Formula"),
                      ctrl(Qt::Key_E)));
    notYet(addCommand(tools, QStringLiteral("m4SpecCap"), QStringLiteral("Spectrum Capture")));

    QMenu* autofragment = bar->addMenu(QStringLiteral("&Autofragment"));
    autofragment->setObjectName(QStringLiteral("m5Autofragment"));
    notYet(addCommand(autofragment, QStringLiteral("m5AutoFragStart"),
                      QStringLiteral("Start Autofragment")));

    QMenu* spectrum = bar->addMenu(QStringLiteral("&Spectrum"));
    spectrum->setObjectName(QStringLiteral("m6Spectrum"));
    notYet(addCommand(spectrum, QStringLiteral("m6SpecShow"), QStringLiteral("Show Spectrum"),
                      QKeySequence(Qt::Key_F6)));
    notYet(addCommand(spectrum, QStringLiteral("m6SpecEdit"), QStringLiteral("Spectrum Editor"),
                      QKeySequence(Qt::Key_F7)));

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("m7Help"));
    connect(addCommand(help, QStringLiteral("m7HelpContents"), QStringLiteral("Help Contents"),
                       QKeySequence(Qt::Key_F1)),
            &QAction::triggered, this, [this] { showHelp(kHelpContents); });
    connect(
        addCommand(help, QStringLiteral("m7HelpSearch"), QStringLiteral("Search for Help on...")),
        &QAction::triggered, this, [this] {
            if (m_windows.help) m_windows.help->showSearch();
        });
    help->addSeparator();
    connect(addCommand(help, QStringLiteral("m7Status"), QStringLiteral("Status")),
            &QAction::triggered, this, [this] {
                if (m_windows.status) m_windows.status->exec();
            });
    connect(addCommand(help, QStringLiteral("m7FirstUse"), QStringLiteral("First Time User")),
            &QAction::triggered, this, [this] { showHelp(kHelpFirstUse); });
    connect(addCommand(help, QStringLiteral("m7ShortCuts"), QStringLiteral("Shortcuts"),
                       QKeySequence(Qt::Key_F8)),
            &QAction::triggered, this, [this] {
                if (m_windows.shortcuts) m_windows.shortcuts->exec();
            });
    connect(addCommand(help, QStringLiteral("FAQ1"), QStringLiteral("FAQ")), &QAction::triggered,
            this, [this] { showHelp(kHelpFaq); });
    help->addSeparator();
    connect(addCommand(help, QStringLiteral("m7About"), QStringLiteral("About QZX 4.0")),
            &QAction::triggered, this, [this] {
                if (m_windows.aboutBox) m_windows.aboutBox->exec();
            });
}

void MainWindow::buildPopupMenu() {
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu1"));
    connect(addCommand(m_popup, QStringLiteral("puSelect"), QStringLiteral("Select")),
            &QAction::triggered, this, &MainWindow::m2SelectClick);
    QMenu* valence = m_popup->addMenu(QStringLiteral("Valence"));
    valence->menuAction()->setObjectName(QStringLiteral("puValence"));
    registerControl(QStringLiteral("puValence"), valence->menuAction());
    connect(addCommand(valence, QStringLiteral("puAdd"), QStringLiteral("Add")),
            &QAction::triggered, this, &MainWindow::puAddClick);
    connect(addCommand(valence, QStringLiteral("puSubtract"), QStringLiteral("Subtract")),
            &QAction::triggered, this, &MainWindow::puSubtractClick);
    connect(addCommand(m_popup, QStringLiteral("puUndo"), QStringLiteral("Undo")),
            &QAction::triggered, this, &MainWindow::puUndoClick);
    QAction* show = addCommand(m_popup, QStringLiteral("puShow"), QStringLiteral("Show Atoms"));
    show->setCheckable(true);
    connect(show, &QAction::triggered, this, &MainWindow::m3ShowAtomsClick);
    QAction* analyze = addCommand(m_popup, QStringLiteral("puAnalyze"), QStringLiteral("Analyze"));
    analyze->setCheckable(true);
    connect(analyze, &QAction::triggered, this, &MainWindow::puAnalyzeClick);
    connect(addCommand(m_popup, QStringLiteral("puRedraw"), QStringLiteral("Redraw Screen")),
            &QAction::triggered, this, &MainWindow::repaintStructure);
    m_popup->addSeparator();
    connect(addCommand(m_popup, QStringLiteral("puCancel"), QStringLiteral("<Cancel>")),
            &QAction::triggered, m_popup, &QMenu::close);
}

void MainWindow::showHelp(int context) {
    if (m_windows.help) m_windows.help->showContext(context);
}

void MainWindow::m1NewClick() {
    if (m_app.settings.ConfirmNew) {
        errorSignal();
        if (m_prompter.message(this, QStringLiteral("Confirm Erase"),
                               QStringLiteral("OK To Erase Structure?"), Prompter::Icon::Question,
                               Prompter::Buttons::OkCancel) != Prompter::Answer::Ok)
            return;
    }
    m_app.structure.clear();
    m_app.structureMasses = {};
    m_editor->reset();
    m_labelField->clear();
    SpeedButton49Click();
    setStructureCommandsEnabled(false);
    for (const char* name : {"puSelect", "puValence", "puUndo", "puShow"})
        setControlEnabled(QString::fromLatin1(name), true);
    m_compositionPanel->setText(QStringLiteral("   Composition:"));
    m_massPanel->setText(QStringLiteral("   Formula Weight:"));
    m_compositionPanel->setAccessibleName(m_compositionPanel->text());
    m_massPanel->setAccessibleName(m_massPanel->text());
    m_surface->clear(colorFromValue(m_app.settings.Background));
}

void MainWindow::m1DeleteClick() {
    const QString file = m_prompter.openFileName(this, QStringLiteral("Delete File"), QString(),
                                                 QStringLiteral("All Files   (*.*)|*.*"));
    if (file.isEmpty()) return;
    errorSignal();
    if (m_prompter.message(
            this, QStringLiteral("Delete File"),
            QStringLiteral("WARNING! About to Delete:  ") + file +
                QStringLiteral("\n\n   Press Yes to Confirm Delete, or No To Cancel"),
            Prompter::Icon::Warning, Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
        return;
    if (!QFile::remove(file)) {
        errorSignal();
        m_prompter.message(this, QStringLiteral("Delete File"),
                           QStringLiteral("The file ") + file +
                               QStringLiteral(" could not be deleted."),
                           Prompter::Icon::Error, Prompter::Buttons::Ok);
    }
}

void MainWindow::m1MolBndLenClick() {
    const std::optional<QString> answer = m_prompter.inputText(
        this, QStringLiteral("MOLFile Bond Length"), QStringLiteral("Enter the Bond Length"),
        QString::number(m_state.molBondLength));
    if (!answer) return;
    // A length below one pixel per unit would make every exported coordinate meaningless.
    bool ok = false;
    const int length = answer->trimmed().toInt(&ok);
    if (!ok || length < 1) {
        errorSignal();
        return;
    }
    m_state.molBondLength = length;
}

void MainWindow::m1PrintSetupClick() {
    QPageSetupDialog dialog(m_printer.get(), this);
    dialog.exec();
}

void MainWindow::m1ExitClick() {
    errorSignal();
    m_splash->showModalWithCaption(QStringLiteral("Close"));
    close();
    QApplication::quit();
}

void MainWindow::setAnalyzeMode(bool analyze) {
    m_editor->setAnalyzeMode(analyze);
    qobject_cast<QAbstractButton*>(control(QStringLiteral("SpeedButton49")))->setChecked(!analyze);
    qobject_cast<QAbstractButton*>(control(QStringLiteral("SpeedButton50")))->setChecked(analyze);
    setChecked(QStringLiteral("puAnalyze"), analyze);
}

void MainWindow::SpeedButton49Click() {
    setAnalyzeMode(false);
    for (const char* name : {"m2Select", "m2Copy", "m2CopyWord", "m2Valence", "m1RSave", "m2Bonds",
                             "puSelect", "puValence", "puUndo"})
        setControlEnabled(QString::fromLatin1(name), true);
    repaintStructure();
}

void MainWindow::SpeedButton50Click() {
    setAnalyzeMode(true);
    for (const char* name :
         {"m2Select", "m2Valence", "m1RSave", "m2Bonds", "puUndo", "puSelect", "puValence"})
        setControlEnabled(QString::fromLatin1(name), false);
}

void MainWindow::puAnalyzeClick() {
    if (m_editor->analyzeMode())
        SpeedButton49Click();
    else
        SpeedButton50Click();
}

void MainWindow::selectFragmentShape(int shape) {
    m_editor->setFragmentShape(shape);
    const QString name = QStringLiteral("SpeedButton%1").arg(53 + shape);
    qobject_cast<QAbstractButton*>(control(name))->setChecked(true);
    if (!m_editor->analyzeMode()) SpeedButton50Click();
}

void MainWindow::SpeedButton58Click() {
    m_state.scrollBars = !m_state.scrollBars;
    const Qt::ScrollBarPolicy policy =
        m_state.scrollBars ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    m_scrollBox->setHorizontalScrollBarPolicy(policy);
    m_scrollBox->setVerticalScrollBarPolicy(policy);
}

void MainWindow::m3ShowAtomsClick() {
    const bool on = !m_editor->showAllAtoms();
    setChecked(QStringLiteral("m3ShowAtoms"), on);
    setChecked(QStringLiteral("puShow"), on);
    applyEditorEffects(m_editor->setShowAllAtoms(on));
    repaintStructure();
}

void MainWindow::m3SubFragClick() {
    m_state.subFragment = !m_state.subFragment;
    setChecked(QStringLiteral("m3SubFrag"), m_state.subFragment);
    if (!m_state.subFragment) return;
    if (!m_state.multiFragment) m3MultiFragClick();
    if (m_editor->fragmentShape() != 2) selectFragmentShape(2);
    if (!m_editor->analyzeMode()) SpeedButton50Click();
}

void MainWindow::m3MultiFragClick() {
    m_state.multiFragment = !m_state.multiFragment;
    setChecked(QStringLiteral("m3MultiFrag"), m_state.multiFragment);
}

void MainWindow::m3AccMassClick() {
    m_state.UseAccurateMass = !m_state.UseAccurateMass;
    setChecked(QStringLiteral("m3AccMass"), m_state.UseAccurateMass);
    composeAndShow();
}

void MainWindow::m3ShowFragCompClick() {
    m_state.showFragmentComposition = !m_state.showFragmentComposition;
    setChecked(QStringLiteral("m3ShowFragComp"), m_state.showFragmentComposition);
}

void MainWindow::m3ShowBoxPopUpClick() {
    m_state.showBoxPopup = !m_state.showBoxPopup;
    setChecked(QStringLiteral("m3ShowBoxPopUp"), m_state.showBoxPopup);
}

void MainWindow::m3ShowLabelClick() {
    m_state.labelShown = !m_state.labelShown;
    setChecked(QStringLiteral("m3ShowLabel"), m_state.labelShown);
    if (m_state.labelShown) {
        QPalette palette = m_labelField->palette();
        palette.setColor(QPalette::Base, colorFromValue(m_app.settings.Background));
        m_labelField->setPalette(palette);
        m_labelField->show();
    } else {
        m_labelField->hide();
    }
}

void MainWindow::SpeedButton1Click(int tool) {
    m_editor->setTool(tool);
}

void MainWindow::SpeedButton22Click(int button) {
    m_editor->setTool(22);
    m_editor->setCurrentElement(elementOnButton(m_state.elementPage, button));
}

void MainWindow::SpinButton1UpClick() {
    m_state.elementPage = nextElementPage(m_state.elementPage, true);
    showElementPage();
}

void MainWindow::SpinButton1DownClick() {
    m_state.elementPage = nextElementPage(m_state.elementPage, false);
    showElementPage();
}

} // namespace qzx
