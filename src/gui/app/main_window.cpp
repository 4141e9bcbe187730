#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/command_table.h"
#include "app/drawing_surface.h"
#include "app/file_commands.h"
#include "app/picture_commands.h"
#include "app/print_commands.h"
#include "app/speed_bar.h"
#include "app/structure_view.h"
#include "app/tool_panel.h"
#include "app/window_registry.h"
#include "platform/app_style.h"
#include "platform/help_browser.h"
#include "platform/prompter.h"
#include "render/colors.h"
#include "state/app_state.h"
#include "structure/editor.h"
#include "windows/splash_window.h"
#include "windows/window_steering.h"

namespace qzx {
namespace {

constexpr int kStatusPanelHeight = 22; ///< pixels on the 800 x 600 design
constexpr int kMassPanelWidth = 220;

int scaled(double pixels, double factor) {
    return static_cast<int>(pixels * factor + 0.5);
}

} // namespace

MainWindow::MainWindow(const WindowContext& context, WindowRegistry& windows, QWidget* parent)
    : QMainWindow(parent), m_app(context.state), m_prompter(context.prompter), m_help(context.help),
      m_windows(windows) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Quorin Professional"));
    m_view = new StructureView(context, this);
    m_files = new FileCommands(context, *m_view, this);
    m_pictures = new PictureCommands(context, *m_view, this);
    m_prints = new PrintCommands(context, *m_view, this);
    FormCreate();
}

MainWindow::~MainWindow() = default;

void MainWindow::redrawStructure() {
    m_view->repaint();
}

void MainWindow::showFragmentAtoms(const std::vector<std::int32_t>& atoms) {
    m_view->showFragmentAtoms(atoms);
}

void MainWindow::setAccurateMass(bool on) {
    m_app.UseAccurateMass = on;
    m_view->compose();
    refreshCommands();
}

void MainWindow::setLabelShown(bool on) {
    m_view->setLabelShown(on);
    refreshCommands();
}

void MainWindow::setScrollBarsOn(bool on) {
    m_view->setScrollBars(on);
}

void MainWindow::setShowFragmentComposition(bool on) {
    m_options.showFragmentComposition = on;
    refreshCommands();
}

void MainWindow::setShowBoxPopup(bool on) {
    m_options.showBoxPopup = on;
    if (!on) hideFragmentMasses();
    refreshCommands();
}

void MainWindow::setHintsShown(bool on) {
    m_hints->setHintsShown(on);
}

Editor& MainWindow::editor() {
    return m_view->editor();
}

DrawingSurface* MainWindow::drawingSurface() const {
    return m_view->surface();
}

void MainWindow::FormCreate() {
    // 1. Hints: main() installs the style that shows them after 300 ms; this switch hides them.
    m_hints = new HintSwitch(this);
    qApp->installEventFilter(m_hints);

    // The window's parts: speed bar, tool panel beside the drawing, status panels below.
    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    m_speedBar = new SpeedBar(central);
    outer->addWidget(m_speedBar);
    auto* middle = new QHBoxLayout;
    middle->setSpacing(0);
    m_toolPanel = new ToolPanel(central);
    middle->addWidget(m_toolPanel);
    middle->addWidget(m_view->scrollBox(), 1);
    outer->addLayout(middle, 1);
    outer->addWidget(m_view->statusPanels());
    setCentralWidget(central);
    buildCommands();
    registerOwnCommands();

    connect(m_toolPanel, &ToolPanel::toolChosen, this,
            [this](int tool) { editor().setTool(tool); });
    connect(m_toolPanel, &ToolPanel::elementChosen, this, [this](int element) {
        editor().setTool(22);
        editor().setCurrentElement(element);
    });
    connect(m_view, &StructureView::commandsChanged, this, &MainWindow::refreshCommands);
    connect(m_view, &StructureView::chainLengthShown, m_speedBar, &SpeedBar::showChainLength);
    connect(m_view, &StructureView::fragmentRegionStarted, this, [this] {
        // A region cut starts afresh: no sub-fragments, no earlier cuts kept.
        m_options.subFragment = false;
        m_options.multiFragment = false;
        refreshCommands();
    });
    connect(m_view, &StructureView::fragmentCutDrawn, this, &MainWindow::endCut);
    connect(m_files, &FileCommands::structureLoaded, this, [this] {
        enterDrawMode();
        refreshCommands();
    });
    connect(&m_app.changes, &StateNotifier::structureChanged, this, &MainWindow::refreshCommands);
    connect(&m_app.changes, &StateNotifier::settingsChanged, this,
            [this] { m_toolPanel->setRGroupName(QString::fromStdString(m_app.settings.R_Group)); });

    // 2. Fit to the screen; the window opens maximised at the top left corner.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect full = screen ? screen->geometry() : QRect(0, 0, 800, 600);
    const QRect available = screen ? screen->availableGeometry() : full;
    m_fit = fitToScreen(full.width(), screen ? static_cast<int>(screen->logicalDotsPerInch()) : 96,
                        available != full);
    applyScreenFit();
    setGeometry(available);
    move(0, 0);
    setWindowState(windowState() | Qt::WindowMaximized);

    // 3. The cursors were loaded with the structure view. 4. The settings, read at start-up.
    applySettings();
    // 5. Start values: draw mode, no structure.
    setAnalyzeMode(false);
    // 6. An empty drawing in the background colour.
    m_view->surface()->clear(colorFromValue(m_app.settings.Background));
    // 7. The element table was loaded at start-up. 8. The element buttons show page 1.
    refreshCommands();
    // 9. The start screen, shown without waiting unless the user asked to hide it.
    m_splash = new SplashWindow(this);
    if (!m_app.settings.HideSplashScreen) m_splash->showWithoutWaiting();
}

void MainWindow::buildCommands() {
    QHash<QString, QMenu*> menus;
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu1"));
    menus.insert(m_popup->objectName(), m_popup);
    m_view->setPopupMenu(m_popup);

    for (const CommandSpec& command : commandTable()) {
        const QString name = QString::fromLatin1(command.name);
        const QString caption = QString::fromLatin1(command.caption);
        const std::string_view commandName = command.name;
        QMenu* parentMenu = menus.value(QString::fromLatin1(command.place));
        if (parentMenu && command.groupStart) parentMenu->addSeparator();
        switch (command.kind) {
        case CommandKind::Menu: {
            QMenu* menu = menuBar()->addMenu(caption);
            menu->setObjectName(name);
            menus.insert(name, menu);
            m_controls.insert(name, menu->menuAction());
            break;
        }
        case CommandKind::Submenu: {
            QMenu* menu = parentMenu->addMenu(caption);
            menu->setObjectName(name + QStringLiteral("Menu"));
            menu->menuAction()->setObjectName(name);
            menus.insert(name, menu);
            m_controls.insert(name, menu->menuAction());
            break;
        }
        case CommandKind::Action: {
            QAction* action = parentMenu->addAction(caption);
            action->setObjectName(name);
            if (*command.shortcut) {
                action->setShortcut(QKeySequence(QString::fromLatin1(command.shortcut)));
                action->setShortcutContext(Qt::WindowShortcut);
            }
            action->setCheckable(command.checkable());
            connect(action, &QAction::triggered, this,
                    [this, commandName] { runCommand(commandName); });
            m_controls.insert(name, action);
            break;
        }
        case CommandKind::SpeedButton: {
            QToolButton* button = m_speedBar->buttons().value(name);
            connect(button, &QToolButton::clicked, this,
                    [this, commandName] { runCommand(commandName); });
            m_controls.insert(name, button);
            break;
        }
        }
    }
}

void MainWindow::registerOwnCommands() {
    CommandHandlers& h = m_handlers;
    m_view->registerCommands(h);
    m_files->registerCommands(h);
    m_pictures->registerCommands(h);
    m_prints->registerCommands(h);
    h.add("m1New", [this] { m1NewClick(); });
    h.add("m1Exit", [this] { m1ExitClick(); });
    h.add("SpeedButton49", [this] { enterDrawMode(); });
    h.add("SpeedButton50", [this] { enterAnalyzeMode(); });
    h.add("puAnalyze", [this] { editor().analyzeMode() ? enterDrawMode() : enterAnalyzeMode(); });
    h.add("SpeedButton54", [this] { selectFragmentShape(1); });
    h.add("SpeedButton55", [this] { selectFragmentShape(2); });
    h.add("SpeedButton56", [this] { selectFragmentShape(3); });
    h.add("SpeedButton58", [this] { m_view->setScrollBars(!m_view->scrollBarsOn()); });
    h.add("m3SubFrag", [this] { m3SubFragClick(); });
    h.add("m3MultiFrag", [this] { m_options.multiFragment = !m_options.multiFragment; });
    h.add("m3AccMass", [this] {
        m_app.UseAccurateMass = !m_app.UseAccurateMass;
        m_view->compose();
    });
    h.add("m3ShowFragComp",
          [this] { m_options.showFragmentComposition = !m_options.showFragmentComposition; });
    h.add("m3ShowBoxPopUp", [this] {
        m_options.showBoxPopup = !m_options.showBoxPopup;
        if (!m_options.showBoxPopup) hideFragmentMasses();
    });
    h.add("m3ShowLabel", [this] { m_view->setLabelShown(!m_view->labelShown()); });
    h.add("m7HelpContents", [this] { m_help.showContext(HelpContext::Contents); });
    h.add("m7HelpSearch", [this] { m_help.showSearch(); });
    h.add("m7FirstUse", [this] { m_help.showContext(HelpContext::FirstTimeUser); });
    h.add("FAQ1", [this] { m_help.showContext(HelpContext::Faq); });
    h.add("puCancel", [this] { m_popup->close(); });
}

void MainWindow::runCommand(std::string_view name) {
    const CommandSpec* command = findCommand(name);
    if (const CommandHandlers::Handler* handler =
            m_handlers.find(command ? command->handlerName() : name))
        (*handler)();
    refreshCommands();
}

CommandView MainWindow::commandView() const {
    const Editor& e = m_view->editor();
    CommandView v;
    v.structurePresent = m_app.structure.count.atoms > 0;
    v.analyzeMode = e.analyzeMode();
    v.fragmentShape = e.fragmentShape();
    v.selectMode = e.selectMode();
    v.valenceAdd = e.valenceMode() == Editor::Valence::Add;
    v.valenceSubtract = e.valenceMode() == Editor::Valence::Subtract;
    v.showAllAtoms = e.showAllAtoms();
    v.subFragment = m_options.subFragment;
    v.multiFragment = m_options.multiFragment;
    v.accurateMass = m_app.UseAccurateMass;
    v.showFragmentComposition = m_options.showFragmentComposition;
    v.showBoxPopup = m_options.showBoxPopup;
    v.showLabel = m_view->labelShown();
    v.undoShowsRedo = e.undoShowsRedo();
    return v;
}

void MainWindow::refreshCommands() {
    const CommandView view = commandView();
    for (const CommandSpec& command : commandTable()) {
        QObject* control = m_controls.value(QString::fromLatin1(command.name));
        const bool enabled =
            commandEnabled(command, view, m_handlers.serves(command.handlerName()));
        if (auto* action = qobject_cast<QAction*>(control)) {
            action->setEnabled(enabled);
            if (command.checkable()) action->setChecked(commandChecked(command, view));
            if (command.kind == CommandKind::Action)
                action->setText(QString::fromLatin1(commandCaption(command, view)));
        } else if (auto* button = qobject_cast<QToolButton*>(control)) {
            button->setEnabled(enabled);
            if (command.checkable()) button->setChecked(commandChecked(command, view));
        }
    }
}

QObject* MainWindow::control(const QString& name) const {
    if (QObject* command = m_controls.value(name)) return command;
    return findChild<QObject*>(name);
}

bool MainWindow::isControlEnabled(const QString& name) const {
    QObject* c = control(name);
    if (auto* action = qobject_cast<QAction*>(c)) return action->isEnabled();
    if (auto* widget = qobject_cast<QWidget*>(c)) return widget->isEnabled();
    return false;
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The start screen was shown while the main window was still being created; keep it in
    // front now that the main window appears.
    if (m_splash && m_splash->isVisible()) {
        m_splash->raise();
        m_splash->activateWindow();
    }
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (m_view->handleKey(event)) {
        refreshCommands();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::applyScreenFit() {
    m_speedBar->applyFit(m_fit);
    m_toolPanel->applyFit(m_fit);
    const int panelHeight = scaled(kStatusPanelHeight, m_fit.contentScale);
    m_view->compositionPanel()->setFixedHeight(panelHeight);
    m_view->massPanel()->setFixedHeight(panelHeight);
    m_view->massPanel()->setMinimumWidth(
        scaled(kMassPanelWidth * m_fit.massPanelWiden, m_fit.contentScale));
}

void MainWindow::applySettings() {
    const Settings& settings = m_app.settings;
    m_options.showFragmentComposition = settings.ShowFragComposition;
    m_options.showBoxPopup = settings.ShowPopBox;
    if (settings.ShowLabel) m_view->setLabelShown(true);
    m_view->setScrollBars(settings.ScrollBarsOn);
    m_hints->setHintsShown(settings.ShowHints);
    m_toolPanel->setRGroupName(QString::fromStdString(settings.R_Group));
}

void MainWindow::m1NewClick() {
    if (m_app.settings.ConfirmNew) {
        ErrorSignal(m_prompter, m_app.settings.Sound);
        if (m_prompter.message(this, QStringLiteral("Confirm Erase"),
                               QStringLiteral("OK To Erase Structure?"), Prompter::Icon::Question,
                               Prompter::Buttons::OkCancel) != Prompter::Answer::Ok)
            return;
    }
    enterDrawMode();
    m_view->clearDrawing();
}

void MainWindow::m1ExitClick() {
    ErrorSignal(m_prompter, m_app.settings.Sound);
    m_splash->setButtonCaption(QStringLiteral("Close"));
    m_prompter.showModal(*m_splash);
    close();
    QApplication::quit();
}

void MainWindow::setAnalyzeMode(bool analyze) {
    editor().setAnalyzeMode(analyze);
}

void MainWindow::enterDrawMode() {
    setAnalyzeMode(false);
    hideFragmentMasses();
    m_view->repaint();
}

void MainWindow::enterAnalyzeMode() {
    setAnalyzeMode(true);
}

void MainWindow::selectFragmentShape(int shape) {
    editor().setFragmentShape(shape);
    if (!editor().analyzeMode()) enterAnalyzeMode();
    hideFragmentMasses();
}

void MainWindow::m3SubFragClick() {
    m_options.subFragment = !m_options.subFragment;
    if (!m_options.subFragment) return;
    m_options.multiFragment = true;
    if (editor().fragmentShape() != 2) selectFragmentShape(2);
    if (!editor().analyzeMode()) enterAnalyzeMode();
}

void MainWindow::endCut(const FragmentGesture& gesture) {
    const CutOptions options{m_options.multiFragment, m_options.subFragment,
                             m_options.showFragmentComposition, m_options.showBoxPopup,
                             m_app.UseAccurateMass};
    const CutOutcome outcome = m_view->cut(gesture, options);
    if (!outcome.showFragmentsWindow) return;
    if (auto* display = m_windows.find<FragmentMassDisplay>())
        display->showFragmentMasses(QString::fromStdString(outcome.fragments.firstValue),
                                    QString::fromStdString(outcome.fragments.secondCaption),
                                    QString::fromStdString(outcome.fragments.secondValue));
}

void MainWindow::hideFragmentMasses() {
    if (auto* display = m_windows.find<FragmentMassDisplay>()) display->hideFragmentMasses();
}

} // namespace qzx
