#include "app/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/app_state.h"
#include "app/app_windows.h"
#include "app/drawing_surface.h"
#include "app/element_pages.h"
#include "app/label_field.h"
#include "platform/app_style.h"
#include "platform/prompter.h"
#include "render/colors.h"
#include "render/tool_icons.h"
#include "settings/settings_file.h"
#include "structure/editor.h"
#include "windows/splash_window.h"

namespace qzx {
namespace {

/// Sizes of the layout designed for an 800 x 600 screen, in pixels before fitting.
constexpr int kToolButtonSize = 26;
constexpr int kElementButtonHeight = 20;
constexpr int kSpeedBarHeight = 28;
constexpr int kStatusPanelHeight = 22;

struct ToolButtonDesign {
    int tag;
    const char* hint;
    const char* caption; ///< empty for tools that show a picture
};

// The tool panel: rings, bonds and the chain show pictures; groups and atoms show captions.
constexpr ToolButtonDesign kToolButtons[] = {
    {1, "Cyclohexane", ""},
    {2, "Benzene", ""},
    {3, "Cyclopentane", ""},
    {4, "Cyclohexane", ""},
    {5, "Benzene", ""},
    {6, "Cyclopentane", ""},
    {7, "Single Bond", ""},
    {8, "Double Bond", ""},
    {9, "Triple Bond", ""},
    {10, "Add Alkyl Chain", ""},
    {11, "Add R Group", "--R"},
    {12, "Add Hydroxyl Group", "-OH"},
    {13, "Add Amino Group", "-NH2"},
    {14, "Add Keto Function", "=O"},
    {15, "Add Nitro Group", "-NO2"},
    {16, "Add Chlorine Atom", "--Cl"},
    {17, "Add Fluorine Atom", "--F"},
    {18, "Add Bromine Atom", "-Br"},
    {19, "Add Iodine Atom", "--I"},
    {20, "Add Sulfhydryl Group", "-SH"},
    {21, "Add A Deuterium Atom", "-D"},
};

/// Names for assistive tools that tell the two templates of a ring apart.
QString accessibleToolName(int tag, const QString& hint) {
    switch (tag) {
    case 1:
        return QStringLiteral("Cyclohexane (upright)");
    case 2:
        return QStringLiteral("Benzene (upright)");
    case 3:
        return QStringLiteral("Cyclopentane (apex up)");
    case 4:
        return QStringLiteral("Cyclohexane (lying)");
    case 5:
        return QStringLiteral("Benzene (lying)");
    case 6:
        return QStringLiteral("Cyclopentane (apex down)");
    default:
        return hint;
    }
}

int scaled(int pixels, double factor) {
    return static_cast<int>(pixels * factor + 0.5);
}

} // namespace

MainWindow::MainWindow(AppState& state, Prompter& prompter, AppWindows& windows, QWidget* parent)
    : QMainWindow(parent), m_app(state), m_prompter(prompter), m_windows(windows),
      m_printer(qEnvironmentVariableIsSet("NOPRN")
                    ? nullptr
                    : std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Quorin Professional"));
    if (m_printer) m_printer->setPageSize(QPageSize(QPageSize::Letter));
    FormCreate();
}

MainWindow::~MainWindow() = default;

void MainWindow::FormCreate() {
    m_editor = std::make_unique<Editor>(m_app.structure, m_app.elements, m_app.settings);
    // 1. Hints: main() installs the style that shows them after 300 ms; this switch hides them.
    m_hints = new HintSwitch(this);
    qApp->installEventFilter(m_hints);

    // The window's parts; fitting to the screen scales them.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect full = screen ? screen->geometry() : QRect(0, 0, 800, 600);
    const QRect available = screen ? screen->availableGeometry() : full;
    m_fit = fitToScreen(full.width(), screen ? static_cast<int>(screen->logicalDotsPerInch()) : 96,
                        available != full);

    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(buildSpeedBar());
    auto* middle = new QHBoxLayout;
    middle->setSpacing(0);
    middle->addWidget(buildToolPanel());
    m_scrollBox = new QScrollArea(central);
    m_scrollBox->setObjectName(QStringLiteral("ScrollBox1"));
    m_surface = new DrawingSurface;
    m_scrollBox->setWidget(m_surface);
    m_scrollBox->setWidgetResizable(false);
    middle->addWidget(m_scrollBox, 1);
    outer->addLayout(middle, 1);
    outer->addWidget(buildStatusPanels());
    setCentralWidget(central);

    m_labelField = new LabelField(m_surface);
    m_labelField->setGeometry(20, 10, 400, 22);
    m_labelField->hide();
    connect(m_labelField, &LabelField::labelEntered, this,
            [this](const QString& text) { m_app.structure.StructureLabel = text.toStdString(); });

    buildMenus();
    buildPopupMenu();
    m_surface->setPopupMenu(m_popup);
    connectDrawingSurface();
    for (const char* name : {"m2Select", "puSelect", "m2ValAdd", "m2ValSub", "puAdd", "puSubtract"})
        qobject_cast<QAction*>(control(QString::fromLatin1(name)))->setCheckable(true);

    // 2. Fit to the screen; the window opens maximised at the top left corner.
    applyScreenFit();
    setGeometry(available);
    move(0, 0);
    setWindowState(windowState() | Qt::WindowMaximized);

    // 3. The cursors were loaded with the window (m_cursors). 4. Settings.
    m_app.settings = loadSettings(m_app.settingsFile());
    // 5. Start values of the window's state.
    m_state = MainWindowState{};
    applySettingsToWindow();
    setAnalyzeMode(false);
    for (const QString& name : std::as_const(m_notAvailable))
        setControlEnabled(name, false);
    setStructureCommandsEnabled(false);
    // 6. An empty drawing in the background colour.
    m_surface->clear(colorFromValue(m_app.settings.Background));
    // 7. The element table; a missing or damaged data file leaves an all-zero table, and the
    //    rest of the start-up still runs so the program stays usable.
    loadElements();
    // 8. The element buttons show page 1.
    showElementPage();
    // 9. The start screen, shown without waiting unless the user asked to hide it.
    m_splash = new SplashWindow(this);
    if (!m_app.settings.HideSplashScreen) {
        if (qEnvironmentVariableIsSet("DEFER"))
            QMetaObject::invokeMethod(
                m_splash, [this] { m_splash->showWithoutWaiting(); }, Qt::QueuedConnection);
        else
            m_splash->showWithoutWaiting();
    }
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
    if (!FormKeyDown(event)) QMainWindow::keyPressEvent(event);
}

void MainWindow::applyScreenFit() {
    const double s = m_fit.contentScale;
    m_speedBar->setFixedHeight(scaled(kSpeedBarHeight, s * m_fit.speedBarScale));
    for (QAbstractButton* button : m_toolGroup->buttons()) {
        const int tag = button->property("tag").toInt();
        const bool element = button->property("element").toBool();
        if (element)
            button->setFixedSize(scaled(kToolButtonSize, s), scaled(kElementButtonHeight, s));
        else
            button->setFixedSize(scaled(kToolButtonSize, s) * (tag >= 11 ? 3 : 2) / 2,
                                 scaled(kToolButtonSize, s));
        if (!element && tag <= 10) button->setIconSize(QSize(scaled(20, s), scaled(20, s)));
        if (m_fit.smallGroupCaptions && tag >= 12 && tag <= 21 && !element) {
            QFont f = button->font();
            f.setPointSize(7);
            button->setFont(f);
        }
    }
    if (m_fit.smallGroupCaptions) {
        QFont small(QStringLiteral("Small Fonts"), 6);
        for (const char* name : {"SpeedButton49", "SpeedButton50"})
            if (auto* w = qobject_cast<QWidget*>(control(QString::fromLatin1(name))))
                w->setFont(small);
    }
    m_compositionPanel->setFixedHeight(scaled(kStatusPanelHeight, s));
    m_massPanel->setFixedHeight(scaled(kStatusPanelHeight, s));
    m_massPanel->setMinimumWidth(scaled(static_cast<int>(220 * m_fit.massPanelWiden), s));
}

void MainWindow::applySettingsToWindow() {
    const Settings& settings = m_app.settings;
    m_state.showFragmentComposition = settings.ShowFragComposition;
    setChecked(QStringLiteral("m3ShowFragComp"), settings.ShowFragComposition);
    m_state.showBoxPopup = settings.ShowPopBox;
    setChecked(QStringLiteral("m3ShowBoxPopUp"), settings.ShowPopBox);
    m_state.UseAccurateMass = settings.AccurateMass;
    setChecked(QStringLiteral("m3AccMass"), settings.AccurateMass);
    if (settings.ShowLabel) m3ShowLabelClick();
    if (settings.ScrollBarsOn) m_state.scrollBars = true;
    m_scrollBox->setHorizontalScrollBarPolicy(m_state.scrollBars ? Qt::ScrollBarAlwaysOn
                                                                 : Qt::ScrollBarAlwaysOff);
    m_scrollBox->setVerticalScrollBarPolicy(m_state.scrollBars ? Qt::ScrollBarAlwaysOn
                                                               : Qt::ScrollBarAlwaysOff);
    m_hints->setHintsShown(settings.ShowHints);
    if (auto* rGroup = qobject_cast<QWidget*>(control(QStringLiteral("SpeedButton11"))))
        rGroup->setToolTip(QStringLiteral("Add R Group = ") +
                           QString::fromStdString(settings.R_Group));
}

void MainWindow::loadElements() {
    const ElementLoadResult result =
        LoadElementTable(m_app.programDirectory, m_app.elements, m_app.calcElementSlots,
                         [this](const std::string& warning) {
                             errorSignal();
                             m_prompter.message(this, QStringLiteral("Quorin Professional"),
                                                QString::fromStdString(warning),
                                                Prompter::Icon::Warning, Prompter::Buttons::Ok);
                         });
    if (!result.error.empty()) {
        errorSignal();
        m_prompter.message(this, QStringLiteral("Quorin Professional"),
                           QString::fromStdString(result.error) +
                               QStringLiteral("\n\nThe element table stays empty: masses and "
                                              "compositions cannot be computed."),
                           Prompter::Icon::Error, Prompter::Buttons::Ok);
    }
}

QWidget* MainWindow::buildSpeedBar() {
    m_speedBar = new QWidget(this);
    m_speedBar->setObjectName(QStringLiteral("Panel3"));
    auto* row = new QHBoxLayout(m_speedBar);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(1);
    auto* modeGroup = new QButtonGroup(this);
    auto* shapeGroup = new QButtonGroup(this);

    auto add = [&](const char* name, const char* caption, const char* hint) {
        QToolButton* b = addSpeedButton(QString::fromLatin1(name), QString::fromLatin1(caption),
                                        QString::fromLatin1(hint));
        row->addWidget(b);
        return b;
    };
    QToolButton* draw = add("SpeedButton49", "Draw", "Draw");
    QToolButton* analyze = add("SpeedButton50", "Analyze", "Analyze");
    for (QToolButton* b : {draw, analyze}) {
        b->setCheckable(true);
        modeGroup->addButton(b);
    }
    connect(draw, &QToolButton::clicked, this, &MainWindow::SpeedButton49Click);
    connect(analyze, &QToolButton::clicked, this, &MainWindow::SpeedButton50Click);
    row->addSpacing(6);
    const char* shapes[][3] = {{"SpeedButton54", "Line", "Linear Mode"},
                               {"SpeedButton55", "Box", "Box Mode"},
                               {"SpeedButton56", "Region", "Region Mode"}};
    for (int i = 0; i < 3; ++i) {
        QToolButton* b = add(shapes[i][0], shapes[i][1], shapes[i][2]);
        b->setCheckable(true);
        b->setChecked(i == 0);
        shapeGroup->addButton(b);
        connect(b, &QToolButton::clicked, this, [this, i] { selectFragmentShape(i + 1); });
    }
    row->addSpacing(6);
    connect(add("SpeedButton51", "Open", "Open File"), &QToolButton::clicked, this,
            &MainWindow::m1OpenClick);
    connect(add("SpeedButton52", "Save As", "Save File As..."), &QToolButton::clicked, this,
            &MainWindow::m1SaveAsClick);
    connect(add("SpeedButton53", "Erase", "Erase Screen"), &QToolButton::clicked, this,
            &MainWindow::m1NewClick);
    row->addSpacing(6);
    add("SpeedButton57", "Isotopes", "Isotopic Profile");
    add("SpeedButton62", "Formulas", "Elemental Formulas");
    add("SpeedButton64", "Autofrag", "Autofragment");
    add("SpeedButton59", "Spectrum", "Show Spectrum");
    add("SpeedButton63", "Scan", "Import Scanned Spectrum");
    row->addSpacing(6);
    connect(add("SpeedButton58", "Scroll", "Scroll Bars"), &QToolButton::clicked, this,
            &MainWindow::SpeedButton58Click);
    connect(add("SpeedButton60", "Redraw", "Redraw Screen"), &QToolButton::clicked, this,
            &MainWindow::repaintStructure);
    row->addSpacing(6);
    m_chainLabel = new QLabel(QStringLiteral("Length:"), m_speedBar);
    m_chainLabel->setObjectName(QStringLiteral("Label2"));
    m_chainCount = new QLabel(m_speedBar);
    m_chainCount->setObjectName(QStringLiteral("Label3"));
    m_chainCount->setAccessibleDescription(QStringLiteral("Chain Length"));
    m_chainLabel->hide();
    m_chainCount->hide();
    row->addWidget(m_chainLabel);
    row->addWidget(m_chainCount);
    row->addStretch(1);
    connect(add("SpeedButton61", "Exit", "Exit"), &QToolButton::clicked, this,
            &MainWindow::m1ExitClick);
    // Commands whose windows the program does not have yet stay visible but unavailable.
    for (const char* name : {"SpeedButton57", "SpeedButton59",
                             "SpeedButton62", "SpeedButton63", "SpeedButton64"})
        m_notAvailable.insert(QString::fromLatin1(name));
    return m_speedBar;
}

QWidget* MainWindow::buildToolPanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(1);
    m_toolGroup = new QButtonGroup(this);
    m_toolGroup->setExclusive(true);

    int row = 0, column = 0;
    for (const ToolButtonDesign& design : kToolButtons) {
        auto* b = new QToolButton(panel);
        const QString name = QStringLiteral("SpeedButton%1").arg(design.tag);
        const QString hint = QString::fromLatin1(design.hint);
        b->setObjectName(name);
        b->setProperty("tag", design.tag);
        b->setCheckable(true);
        b->setToolTip(hint);
        b->setAccessibleName(accessibleToolName(design.tag, hint));
        if (design.tag <= 10)
            b->setIcon(toolIcon(design.tag, 40));
        else
            b->setText(QString::fromLatin1(design.caption));
        m_toolGroup->addButton(b);
        registerControl(name, b);
        connect(b, &QToolButton::clicked, this,
                [this, tag = design.tag] { SpeedButton1Click(tag); });
        // Rings and bonds three to a row, groups and atoms two to a row.
        const int perRow = design.tag <= 10 ? 3 : 2;
        if (design.tag == 11) row += column ? 1 : 0, column = 0;
        grid->addWidget(b, row, column * (design.tag <= 10 ? 2 : 3), 1, design.tag <= 10 ? 2 : 3);
        if (++column == perRow) column = 0, ++row;
    }
    if (column) ++row;
    qobject_cast<QAbstractButton*>(control(QStringLiteral("SpeedButton1")))->setChecked(true);

    for (int t = 1; t <= kElementButtons; ++t) {
        auto* b = new QToolButton(panel);
        const QString name = QStringLiteral("SpeedButton%1").arg(21 + t);
        b->setObjectName(name);
        b->setProperty("tag", t);
        b->setProperty("element", true);
        b->setCheckable(true);
        m_toolGroup->addButton(b);
        m_elementButtons << b;
        registerControl(name, b);
        connect(b, &QToolButton::clicked, this, [this, t] { SpeedButton22Click(t); });
        grid->addWidget(b, row + (t - 1) / 3, ((t - 1) % 3) * 2, 1, 2);
    }
    row += kElementButtons / 3;

    auto* down = new QToolButton(panel);
    down->setObjectName(QStringLiteral("SpinButton1Down"));
    down->setArrowType(Qt::DownArrow);
    down->setAccessibleName(QStringLiteral("Previous Element Page"));
    auto* up = new QToolButton(panel);
    up->setObjectName(QStringLiteral("SpinButton1Up"));
    up->setArrowType(Qt::UpArrow);
    up->setAccessibleName(QStringLiteral("Next Element Page"));
    connect(up, &QToolButton::clicked, this, &MainWindow::SpinButton1UpClick);
    connect(down, &QToolButton::clicked, this, &MainWindow::SpinButton1DownClick);
    m_pageLabel = new QLabel(panel);
    m_pageLabel->setObjectName(QStringLiteral("Label1"));
    m_pageLabel->setAccessibleDescription(QStringLiteral("Element Page"));
    grid->addWidget(down, row, 0, 1, 2);
    grid->addWidget(m_pageLabel, row, 2, 1, 2, Qt::AlignCenter);
    grid->addWidget(up, row, 4, 1, 2);
    grid->setRowStretch(row + 1, 1);
    return panel;
}

QWidget* MainWindow::buildStatusPanels() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 1, 0, 1);
    row->setSpacing(2);
    m_compositionPanel = new QLabel(QStringLiteral("   Composition:"), bar);
    m_compositionPanel->setObjectName(QStringLiteral("Panel4"));
    m_compositionPanel->setAccessibleDescription(QStringLiteral("Composition"));
    m_massPanel = new QLabel(QStringLiteral("   Formula Weight:"), bar);
    m_massPanel->setObjectName(QStringLiteral("Panel5"));
    m_massPanel->setAccessibleDescription(QStringLiteral("Mass"));
    for (QLabel* panel : {m_compositionPanel, m_massPanel}) {
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setAccessibleName(panel->text());
    }
    row->addWidget(m_compositionPanel, 3);
    row->addWidget(m_massPanel, 1);
    return bar;
}

QToolButton* MainWindow::addSpeedButton(const QString& name, const QString& caption,
                                        const QString& hint) {
    auto* b = new QToolButton(m_speedBar);
    b->setObjectName(name);
    b->setText(caption);
    b->setToolTip(hint);
    b->setAccessibleName(hint);
    b->setAutoRaise(true);
    registerControl(name, b);
    return b;
}

void MainWindow::registerControl(const QString& name, QObject* control) {
    m_controls.insert(name, control);
}

bool MainWindow::isControlEnabled(const QString& name) const {
    QObject* c = control(name);
    if (auto* action = qobject_cast<QAction*>(c)) return action->isEnabled();
    if (auto* widget = qobject_cast<QWidget*>(c)) return widget->isEnabled();
    return false;
}

void MainWindow::setControlEnabled(const QString& name, bool enabled) {
    enabled = enabled && !m_notAvailable.contains(name);
    QObject* c = control(name);
    if (auto* action = qobject_cast<QAction*>(c))
        action->setEnabled(enabled);
    else if (auto* widget = qobject_cast<QWidget*>(c))
        widget->setEnabled(enabled);
}

void MainWindow::setChecked(const QString& name, bool checked) {
    if (auto* action = qobject_cast<QAction*>(control(name))) action->setChecked(checked);
}

void MainWindow::setStructureCommandsEnabled(bool enabled) {
    for (const char* name :
         {"m1Save", "m1SaveAs", "m1Molexport", "m1Print", "m1RSave", "m2Select", "m2Copy",
          "m2CopyWord", "m2Valence", "m2Bonds", "m3Loss", "SpeedButton52", "SpeedButton53"})
        setControlEnabled(QString::fromLatin1(name), enabled);
}

void MainWindow::showElementPage() {
    m_pageLabel->setText(QStringLiteral("  %1").arg(m_state.elementPage));
    m_pageLabel->setAccessibleName(m_pageLabel->text());
    for (int t = 1; t <= kElementButtons; ++t) {
        const int element = elementOnButton(m_state.elementPage, t);
        const QString caption =
            QString::fromLatin1(elementButtonCaption(element, elementSymbol(element)));
        m_elementButtons[t - 1]->setText(caption);
        m_elementButtons[t - 1]->setToolTip(QString::fromLatin1(elementName(element)));
        m_elementButtons[t - 1]->setAccessibleName(QString::fromLatin1(elementName(element)));
    }
}

void MainWindow::errorSignal() {
    ErrorSignal(m_prompter, m_app.settings.Sound);
}

} // namespace qzx
