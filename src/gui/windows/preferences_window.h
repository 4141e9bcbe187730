#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "settings/settings.h"
#include "windows/program_window.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace qzx {

class MainWindowOptions;
class StructureDisplay;

/// The preferences (`TOptform`, caption "Preferences"): the settings on three pages, "Screen",
/// "Startup Options" and "Printer". Every control writes its setting the moment it changes,
/// some also switch a main-window option at once; "Save" writes the settings file,
/// "Defaults" restores the factory values after asking, and "Close" rescales the drawing when
/// the ring bond length was changed.
class PreferencesWindow : public QDialog, public ProgramWindow {
    Q_OBJECT
public:
    explicit PreferencesWindow(const WindowContext& context, QWidget* parent = nullptr);

    void registerCommands(CommandHandlers& handlers) override;

    /// The main window's "Preferences": remembers the ring bond length, then shows the window.
    void open();
    /// "Defaults" (`Button10`), "Save" (`Button11`) and "Close" (`Button13`).
    void restoreDefaults();
    void save();
    void closePreferences();
    QTabWidget* pages() const { return m_pages; }

private:
    QWidget* buildScreenPage();
    QWidget* buildStartupPage();
    QWidget* buildPrinterPage();
    /// Every control shown from the settings, without its change handler running.
    void fillFromSettings();
    /// The page placement the "Printer" page edits: the structure's or the spectrum's.
    void showPlacement(bool spectrum);
    void choosePaperUnits(bool millimetres);
    /// A colour swatch with its "Edit" button for the setting at `value`.
    void addColorRow(QGridLayout* grid, int row, const QString& caption,
                     const char* swatchName, const char* buttonName, std::int32_t Settings::*value);

    AppState& m_app;
    Prompter& m_prompter;
    HelpBrowser& m_help;
    MainWindowOptions* m_main;
    StructureDisplay* m_structure;
    QTabWidget* m_pages = nullptr;
    bool m_filling = false; ///< controls are being filled: their handlers write nothing
    std::int32_t m_rememberedRingBond = 0;
    bool m_placementIsSpectrum = false;
    /// How each control is shown from the settings, run by fillFromSettings().
    std::vector<std::function<void()>> m_fillers;
    QRadioButton* m_inches = nullptr;
    QRadioButton* m_millimetres = nullptr;
    QLineEdit* m_paperWidth = nullptr;
    QLineEdit* m_paperLength = nullptr;
    QGroupBox* m_placementGroup = nullptr;
    QRadioButton* m_structurePlacement = nullptr;
    QRadioButton* m_spectrumPlacement = nullptr;
    QLineEdit* m_placement[4] = {};
    QRadioButton* m_portrait = nullptr;
    QRadioButton* m_landscape = nullptr;
};

} // namespace qzx
