#include "windows/preferences_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/help_browser.h"
#include "platform/prompter.h"
#include "render/colors.h"
#include "settings/preference_values.h"
#include "settings/settings_file.h"
#include "state/app_state.h"
#include "structure/structure_scaling.h"
#include "windows/command_handlers.h"
#include "windows/dialog_buttons.h"
#include "windows/window_steering.h"

namespace qzx {
namespace {

constexpr int kHelpContext = 1064;
constexpr std::int32_t kParchment = -2147483624;
constexpr std::int32_t kWhite = 16777215;
const QString kTitle = QStringLiteral("Preferences");

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

PreferencesWindow::PreferencesWindow(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_app(context.state), m_prompter(context.prompter), m_help(context.help),
      m_main(context.mainOptions), m_structure(context.structureDisplay) {
    setObjectName(QStringLiteral("TOptform"));
    setWindowTitle(kTitle);
    auto* layout = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    m_pages->addTab(buildScreenPage(), QStringLiteral("Screen"));
    m_pages->addTab(buildStartupPage(), QStringLiteral("Startup Options"));
    m_pages->addTab(buildPrinterPage(), QStringLiteral("Printer"));
    layout->addWidget(m_pages);

    auto* buttons = new QHBoxLayout;
    const auto button = [&](const char* name, const QString& caption, auto slot) {
        addCommandButton(this, buttons, name, caption, slot);
    };
    button("Button13", QStringLiteral("Close"), [this] { closePreferences(); });
    button("HelpBtn", QStringLiteral("&Help"), [this] { m_help.showContext(kHelpContext); });
    button("Button10", QStringLiteral("Defaults"), [this] { restoreDefaults(); });
    button("Button11", QStringLiteral("Save"), [this] { save(); });
    layout->addLayout(buttons);
    fillFromSettings();
}

QWidget* PreferencesWindow::buildScreenPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    Settings& s = m_app.settings;
    int row = 0;
    const auto spin = [&](const char* name, const QString& caption, int low, int high,
                          std::int32_t Settings::*value) {
        auto* box = new QSpinBox(page);
        box->setObjectName(QString::fromLatin1(name));
        box->setRange(low, high);
        grid->addWidget(new QLabel(caption, page), row, 0);
        grid->addWidget(box, row++, 1);
        m_fillers.push_back([box, &s, value] { box->setValue(s.*value); });
        connect(box, &QSpinBox::valueChanged, this, [this, value](int v) {
            if (!m_filling) m_app.settings.*value = v;
        });
    };
    // Arrows from 1; a length of 100 or more is not taken.
    spin("Edit3", QStringLiteral("Ring Bond Length"), 1, 99, &Settings::RingBondLength);
    {
        auto* edit = new QLineEdit(page);
        edit->setObjectName(QStringLiteral("Edit4"));
        grid->addWidget(new QLabel(QStringLiteral("Aliphatic Bond Length"), page), row, 0);
        grid->addWidget(edit, row++, 1);
        m_fillers.push_back([edit, &s] { edit->setText(QString::number(s.AlkBondLength)); });
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& t) {
            bool ok = false;
            const int length = t.trimmed().toInt(&ok);
            if (!m_filling && ok && length >= 1) m_app.settings.AlkBondLength = length;
        });
    }
    spin("Edit5", QStringLiteral("Pi Bond Offset"), 1, 6, &Settings::PiBond);
    spin("Edit6", QStringLiteral("Fragment Markers:"), 1, 10, &Settings::FragmentMarker);

    auto* width = new QGroupBox(QStringLiteral(" Bond Width "), page);
    auto* widthLayout = new QHBoxLayout(width);
    auto* normal = new QRadioButton(QStringLiteral("Normal"), width);
    normal->setObjectName(QStringLiteral("RadioButton1"));
    auto* thick = new QRadioButton(QStringLiteral("Thick"), width);
    thick->setObjectName(QStringLiteral("RadioButton2"));
    widthLayout->addWidget(normal);
    widthLayout->addWidget(thick);
    grid->addWidget(width, row++, 0, 1, 3);
    m_fillers.push_back([normal, thick, &s] {
        normal->setChecked(s.BondWidth);
        thick->setChecked(!s.BondWidth);
    });
    connect(normal, &QRadioButton::toggled, this, [this](bool on) {
        if (m_filling) return;
        m_app.settings.BondWidth = on;
        if (m_structure) m_structure->redrawStructure();
    });

    auto* background = new QComboBox(page);
    background->setObjectName(QStringLiteral("ComboBox1"));
    background->addItems({QStringLiteral("parchment"), QStringLiteral("white")});
    grid->addWidget(new QLabel(QStringLiteral("Background (Canvas) color"), page), row, 0);
    grid->addWidget(background, row++, 1);
    m_fillers.push_back(
        [background, &s] { background->setCurrentIndex(s.Background == kWhite ? 1 : 0); });
    connect(background, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_filling || index < 0) return;
        m_app.settings.Background = index == 1 ? kWhite : kParchment;
        if (m_structure) m_structure->redrawStructure();
    });

    addColorRow(grid, row++, QStringLiteral("Bond Color"), "Shape1", "Button3", &Settings::Bonds);
    addColorRow(grid, row++, QStringLiteral("Fragment A Color"), "Shape4", "Button4",
                &Settings::FragmentA);
    addColorRow(grid, row++, QStringLiteral("Fragment B Color"), "Shape5", "Button5",
                &Settings::FragmentB);
    addColorRow(grid, row++, QStringLiteral("Region Fragment Color"), "Shape7", "Button8",
                &Settings::Region);

    auto* font = new QGroupBox(QStringLiteral(" Font "), page);
    auto* fontGrid = new QGridLayout(font);
    auto* size = new QSpinBox(font);
    size->setObjectName(QStringLiteral("Edit7"));
    size->setRange(8, 14);
    fontGrid->addWidget(new QLabel(QStringLiteral("Size"), font), 0, 0);
    fontGrid->addWidget(size, 0, 1);
    m_fillers.push_back([size, &s] { size->setValue(s.FontSize); });
    connect(size, &QSpinBox::valueChanged, this, [this](int v) {
        if (m_filling) return;
        m_app.settings.FontSize = v;
        if (m_structure) m_structure->redrawStructure();
    });
    addColorRow(fontGrid, 1, QStringLiteral("Color"), "Shape2", "Button6", &Settings::FontColor);
    addColorRow(fontGrid, 2, QStringLiteral("IsoColor"), "Shape3", "Button7",
                &Settings::IsotopeColor);
    auto* bold = new QCheckBox(QStringLiteral("Font Bold"), font);
    bold->setObjectName(QStringLiteral("CheckBox3"));
    fontGrid->addWidget(bold, 3, 0, 1, 2);
    m_fillers.push_back([bold, &s] { bold->setChecked(s.FontBold); });
    connect(bold, &QCheckBox::toggled, this, [this](bool on) {
        if (m_filling) return;
        m_app.settings.FontBold = on;
        if (m_structure) m_structure->redrawStructure();
    });
    grid->addWidget(font, row++, 0, 1, 3);
    return page;
}

void PreferencesWindow::addColorRow(QGridLayout* grid, int row, const QString& caption,
                                    const char* swatchName, const char* buttonName,
                                    std::int32_t Settings::*value) {
    QWidget* owner = grid->parentWidget();
    auto* swatch = new QFrame(owner);
    swatch->setObjectName(QString::fromLatin1(swatchName));
    swatch->setFixedSize(40, 18);
    swatch->setFrameShape(QFrame::Box);
    swatch->setAutoFillBackground(true);
    const auto paint = [swatch](std::int32_t colour) {
        QPalette palette = swatch->palette();
        palette.setColor(QPalette::Window, colorFromValue(colour));
        swatch->setPalette(palette);
    };
    auto* edit = new QPushButton(QStringLiteral("Edit"), owner);
    edit->setObjectName(QString::fromLatin1(buttonName));
    edit->setAutoDefault(false);
    grid->addWidget(new QLabel(caption, owner), row, 0);
    grid->addWidget(swatch, row, 1);
    grid->addWidget(edit, row, 2);
    m_fillers.push_back([this, paint, value] { paint(m_app.settings.*value); });
    connect(edit, &QPushButton::clicked, this, [this, paint, value, caption] {
        const std::optional<QColor> chosen =
            m_prompter.chooseColor(this, caption, colorFromValue(m_app.settings.*value));
        if (!chosen) return;
        m_app.settings.*value = valueFromColor(*chosen);
        paint(m_app.settings.*value);
        if (m_structure) m_structure->redrawStructure();
    });
}

QWidget* PreferencesWindow::buildStartupPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    Settings& s = m_app.settings;
    int row = 0;
    const auto path = [&](const char* editName, const char* buttonName, const QString& caption,
                          std::string Settings::*value) {
        auto* edit = new QLineEdit(page);
        edit->setObjectName(QString::fromLatin1(editName));
        auto* browse = new QPushButton(QStringLiteral("Browse..."), page);
        browse->setObjectName(QString::fromLatin1(buttonName));
        browse->setAutoDefault(false);
        grid->addWidget(new QLabel(caption, page), row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(browse, row++, 2);
        m_fillers.push_back([edit, &s, value] { edit->setText(text(s.*value)); });
        connect(edit, &QLineEdit::textChanged, this, [this, value](const QString& t) {
            if (!m_filling) m_app.settings.*value = t.toStdString();
        });
        connect(browse, &QPushButton::clicked, this, [this, edit, caption] {
            const QString file = m_prompter.openFileName(this, caption, QString(),
                                                         QStringLiteral("All Files (*.*)|*.*"));
            if (!file.isEmpty()) edit->setText(file);
        });
    };
    path("Edit2", "Button1", QStringLiteral("Text Editor:"), &Settings::PathToText);
    path("Edit1", "Button2", QStringLiteral("Paint Program:"), &Settings::PathToPaint);

    auto* sound = new QSpinBox(page);
    sound->setObjectName(QStringLiteral("Edit8"));
    sound->setRange(0, 999);
    auto* test = new QPushButton(QStringLiteral("Test"), page);
    test->setObjectName(QStringLiteral("Button9"));
    test->setAutoDefault(false);
    grid->addWidget(new QLabel(QStringLiteral("Sound Level"), page), row, 0);
    grid->addWidget(sound, row, 1);
    grid->addWidget(test, row++, 2);
    grid->addWidget(new QLabel(QStringLiteral("( 0 = Off )"), page), row++, 1);
    m_fillers.push_back([sound, &s] { sound->setValue(s.Sound); });
    connect(sound, &QSpinBox::valueChanged, this, [this](int v) {
        if (!m_filling) m_app.settings.Sound = v;
    });
    connect(test, &QPushButton::clicked, this,
            [this] { ErrorSignal(m_prompter, m_app.settings.Sound); });

    const auto check = [&](const char* name, const QString& caption, bool Settings::*value,
                           void (MainWindowOptions::*effect)(bool)) {
        auto* box = new QCheckBox(caption, page);
        box->setObjectName(QString::fromLatin1(name));
        grid->addWidget(box, row++, 0, 1, 3);
        m_fillers.push_back([box, &s, value] { box->setChecked(s.*value); });
        connect(box, &QCheckBox::toggled, this, [this, value, effect](bool on) {
            if (m_filling) return;
            m_app.settings.*value = on;
            if (effect && m_main) (m_main->*effect)(on);
        });
    };
    check("CheckBox1", QStringLiteral("Confirm  NEW"), &Settings::ConfirmNew, nullptr);
    check("CheckBox2", QStringLiteral("Confirm  QUIT"), &Settings::ConfirmQuit, nullptr);
    check("CheckBox4", QStringLiteral("Accurate Mass"), &Settings::AccurateMass,
          &MainWindowOptions::setAccurateMass);
    check("CheckBox5", QStringLiteral("Show Label"), &Settings::ShowLabel,
          &MainWindowOptions::setLabelShown);
    check("CheckBox6", QStringLiteral("Scroll Bars On"), &Settings::ScrollBarsOn,
          &MainWindowOptions::setScrollBarsOn);
    check("CheckBox7", QStringLiteral("Show Fragment Composition"), &Settings::ShowFragComposition,
          &MainWindowOptions::setShowFragmentComposition);
    check("CheckBox8", QStringLiteral("Hints On"), &Settings::ShowHints,
          &MainWindowOptions::setHintsShown);
    check("CheckBox9", QStringLiteral("Show Popup Box Fragment Form"), &Settings::ShowPopBox,
          &MainWindowOptions::setShowBoxPopup);
    check("CheckBox11", QStringLiteral("Hide Start Screen"), &Settings::HideSplashScreen, nullptr);
    return page;
}

QWidget* PreferencesWindow::buildPrinterPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    Settings& s = m_app.settings;

    auto* paper = new QGroupBox(QStringLiteral(" Standard Paper Size "), page);
    auto* paperGrid = new QGridLayout(paper);
    m_paperWidth = new QLineEdit(paper);
    m_paperWidth->setObjectName(QStringLiteral("Edit9"));
    m_paperLength = new QLineEdit(paper);
    m_paperLength->setObjectName(QStringLiteral("Edit10"));
    paperGrid->addWidget(new QLabel(QStringLiteral("  Width  "), paper), 0, 0);
    paperGrid->addWidget(m_paperWidth, 0, 1);
    paperGrid->addWidget(new QLabel(QStringLiteral("  Length  "), paper), 1, 0);
    paperGrid->addWidget(m_paperLength, 1, 1);
    m_inches = new QRadioButton(QStringLiteral("Inches"), paper);
    m_inches->setObjectName(QStringLiteral("RadioButton3"));
    m_millimetres = new QRadioButton(QStringLiteral("Millimeters"), paper);
    m_millimetres->setObjectName(QStringLiteral("RadioButton4"));
    paperGrid->addWidget(m_inches, 0, 2);
    paperGrid->addWidget(m_millimetres, 1, 2);
    layout->addWidget(paper);
    m_fillers.push_back([this, &s] {
        m_paperWidth->setText(text(s.PaperWidth));
        m_paperLength->setText(text(s.PaperHeight));
        m_inches->setChecked(s.Inches);
        m_millimetres->setChecked(!s.Inches);
    });
    connect(m_paperWidth, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (!m_filling) m_app.settings.PaperWidth = t.toStdString();
    });
    connect(m_paperLength, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (!m_filling) m_app.settings.PaperHeight = t.toStdString();
    });
    connect(m_millimetres, &QRadioButton::toggled, this, [this](bool on) {
        if (!m_filling) choosePaperUnits(on);
    });

    auto* color = new QCheckBox(QStringLiteral("Use Color Printer"), page);
    color->setObjectName(QStringLiteral("CheckBox10"));
    layout->addWidget(color);
    m_fillers.push_back([color, &s] { color->setChecked(s.ColorPrinter); });
    connect(color, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_filling) m_app.settings.ColorPrinter = on;
    });

    auto* which = new QHBoxLayout;
    m_structurePlacement = new QRadioButton(QStringLiteral("Structure"), page);
    m_structurePlacement->setObjectName(QStringLiteral("RadioButton7"));
    m_spectrumPlacement = new QRadioButton(QStringLiteral("Spectrum"), page);
    m_spectrumPlacement->setObjectName(QStringLiteral("RadioButton8"));
    which->addWidget(m_structurePlacement);
    which->addWidget(m_spectrumPlacement);
    layout->addLayout(which);
    connect(m_spectrumPlacement, &QRadioButton::toggled, this, [this](bool on) {
        if (!m_filling) showPlacement(on);
    });

    m_placementGroup = new QGroupBox(page);
    auto* placement = new QGridLayout(m_placementGroup);
    const QString captions[4] = {QStringLiteral("Image TOP"), QStringLiteral("Image LEFT"),
                                 QStringLiteral("Image WIDTH"), QStringLiteral("Image HEIGHT")};
    for (int i = 0; i < 4; ++i) {
        m_placement[i] = new QLineEdit(m_placementGroup);
        m_placement[i]->setObjectName(QStringLiteral("MaskEdit%1").arg(i + 1));
        m_placement[i]->setMaxLength(3);
        placement->addWidget(new QLabel(captions[i], m_placementGroup), i, 0);
        placement->addWidget(m_placement[i], i, 1);
        // Taken when the field is left, and only a whole number.
        connect(m_placement[i], &QLineEdit::editingFinished, this, [this, i] {
            const std::optional<std::string> value =
                placementFieldValue(m_placement[i]->text().toStdString());
            if (!value) return;
            static constexpr std::string Settings::*kStructure[4] = {
                &Settings::StructureTop, &Settings::StructureLeft, &Settings::StructureWidth,
                &Settings::StructureHeight};
            static constexpr std::string Settings::*kSpectrum[4] = {
                &Settings::SpectrumTop, &Settings::SpectrumLeft, &Settings::SpectrumWidth,
                &Settings::SpectrumHeight};
            m_app.settings.*(m_placementIsSpectrum ? kSpectrum : kStructure)[i] = *value;
        });
    }
    m_portrait = new QRadioButton(QStringLiteral("Portrait"), m_placementGroup);
    m_portrait->setObjectName(QStringLiteral("RadioButton5"));
    m_landscape = new QRadioButton(QStringLiteral("Landscape"), m_placementGroup);
    m_landscape->setObjectName(QStringLiteral("RadioButton6"));
    placement->addWidget(m_portrait, 0, 2);
    placement->addWidget(m_landscape, 1, 2);
    connect(m_portrait, &QRadioButton::toggled, this, [this](bool on) {
        if (m_filling) return;
        (m_placementIsSpectrum ? m_app.settings.Spectrum_Orientation
                               : m_app.settings.Structure_Orientation) = on ? 1 : 2;
    });
    layout->addWidget(m_placementGroup);
    m_fillers.push_back([this] { showPlacement(false); });
    layout->addStretch();
    return page;
}

void PreferencesWindow::showPlacement(bool spectrum) {
    const bool filling = m_filling;
    m_filling = true;
    m_placementIsSpectrum = spectrum;
    const Settings& s = m_app.settings;
    m_structurePlacement->setChecked(!spectrum);
    m_spectrumPlacement->setChecked(spectrum);
    m_placementGroup->setTitle(spectrum ? QStringLiteral("Spectrum Page Setup")
                                        : QStringLiteral("Structure Page Setup"));
    const std::string* values[4] = {spectrum ? &s.SpectrumTop : &s.StructureTop,
                                    spectrum ? &s.SpectrumLeft : &s.StructureLeft,
                                    spectrum ? &s.SpectrumWidth : &s.StructureWidth,
                                    spectrum ? &s.SpectrumHeight : &s.StructureHeight};
    for (int i = 0; i < 4; ++i)
        m_placement[i]->setText(text(*values[i]));
    const int orientation = spectrum ? s.Spectrum_Orientation : s.Structure_Orientation;
    m_portrait->setChecked(orientation == 1);
    m_landscape->setChecked(orientation != 1);
    m_filling = filling;
}

void PreferencesWindow::choosePaperUnits(bool millimetres) {
    // Both boxes converted; their change handlers pass the new texts to the settings.
    for (QLineEdit* box : {m_paperWidth, m_paperLength})
        if (const std::optional<std::string> converted =
                convertPaperSize(box->text().toStdString(), millimetres))
            box->setText(text(*converted));
    m_app.settings.Inches = !millimetres;
}

void PreferencesWindow::fillFromSettings() {
    m_filling = true;
    for (const auto& fill : m_fillers)
        fill();
    m_filling = false;
}

void PreferencesWindow::registerCommands(CommandHandlers& handlers) {
    handlers.add("m3Preferences", [this] { open(); });
}

void PreferencesWindow::open() {
    m_rememberedRingBond = m_app.settings.RingBondLength;
    fillFromSettings();
    m_prompter.showModal(*this);
}

void PreferencesWindow::restoreDefaults() {
    if (m_prompter.message(
            this, kTitle, QStringLiteral("OK to reset all values to their default settings?"),
            Prompter::Icon::Information, Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
        return;
    m_app.settings = defaultPreferences(m_app.settings);
    fillFromSettings();
    // What the check boxes switch in the main window follows the restored values.
    if (m_main) {
        const Settings& s = m_app.settings;
        m_main->setAccurateMass(s.AccurateMass);
        m_main->setLabelShown(s.ShowLabel);
        m_main->setScrollBarsOn(s.ScrollBarsOn);
        m_main->setShowFragmentComposition(s.ShowFragComposition);
        m_main->setShowBoxPopup(s.ShowPopBox);
        m_main->setHintsShown(s.ShowHints);
    }
    if (m_structure) m_structure->redrawStructure();
}

void PreferencesWindow::save() {
    const std::string error = saveSettings(m_app.settingsFile(), m_app.settings);
    if (!error.empty())
        m_prompter.message(this, kTitle, text(error), Prompter::Icon::Error, Prompter::Buttons::Ok);
}

void PreferencesWindow::closePreferences() {
    const std::int32_t ringBond = m_app.settings.RingBondLength;
    if (ringBond != m_rememberedRingBond && m_rememberedRingBond > 0 &&
        m_app.structure.count.atoms > 0) {
        rescaleAboutFirstAtom(m_app.structure,
                              static_cast<double>(ringBond) / m_rememberedRingBond);
        if (m_structure) m_structure->redrawStructure();
    }
    m_rememberedRingBond = ringBond;
    accept();
}

} // namespace qzx
