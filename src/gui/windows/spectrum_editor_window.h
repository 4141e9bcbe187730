#pragma once

#include <QDialog>

#include "spectrum/peak_table.h"
#include "windows/program_window.h"
#include "windows/window_steering.h"

class QAction;
class QLabel;
class QListView;
class QStringListModel;
class QTableWidget;

namespace qzx {

class PeakGrid;

/// A cell of the editor's table: data row 0..298 (the table's rows 1..299), column 0 the mass
/// and 1 the abundance.
struct GridCell {
    int row = 0;
    int column = 0;
    bool operator==(const GridCell&) const = default;
};

/// Where Enter (Edit mode: one row down; Entry mode: as Tab), Tab (mass to abundance, then the
/// next row's mass) and Shift+Tab (the way back) go; never past row 299 or above row 1.
GridCell enterTarget(GridCell from, bool entryMode);
GridCell tabTarget(GridCell from);
GridCell backTabTarget(GridCell from);

/// The spectrum editor (`TSpecEdit`, caption "Spectrum Editor"): a table of masses and
/// abundances that edits the program's spectrum when a spectrum tool opens it, and otherwise
/// works on ASC files and imports peaks from any text, NIST library (.msp) and JCAMP-DX files.
/// The table is the window's own and keeps its rows between openings.
class SpectrumEditorWindow : public QDialog, public ProgramWindow, public SpectrumEditorDisplay {
    Q_OBJECT
public:
    explicit SpectrumEditorWindow(const WindowContext& context, QWidget* parent = nullptr);

    void registerCommands(CommandHandlers& handlers) override;
    /// Shows the editor modally bound to the spectrum: its peaks fill the table, and the table
    /// goes back into the spectrum when the editor first closes or opens a dialog.
    void editSpectrum() override;

    /// The table's rows 1..299 as the cells hold them.
    PeakRows rows() const;
    QTableWidget* table() const;
    /// The compound names of the last library import (`ListBox1`).
    QListView* libraryNames() const { return m_names; }
    /// Loads the `entry`-th compound of the library list, as a double-click on its name does.
    void loadLibraryEntry(int entry);
    /// The strip count: leading lines "Open..." and "Import File" skip.
    int stripCount() const { return m_strip; }

    bool entryMode() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;
    void changeEvent(QEvent* event) override;

private:
    void buildMenu();
    void buildSpeedBar();
    void open();
    void saveAs();
    void exportJcampDx();
    void print();
    void exitEditor();
    void clearTable();
    void deleteCurrentLine();
    void setEntryMode(bool entry);
    void askStripCount();
    void peek();
    void importFile();
    void importLibrary();
    void importJcampDx();
    /// Replaces the table's rows (every cell emptied first) and tells of values left out.
    void showRows(const PeakRowsFill& fill);
    void emptyTable();
    void setSaveAndPrintEnabled(bool on);
    /// Asks "OK to erase the current table contents?" when row 1 holds a mass.
    bool mayErase();
    /// The file's bytes, or an error message shown and nothing.
    std::optional<std::string> readFile(const QString& fileName);
    /// While bound to the spectrum: fills the table from it (activation) or writes it back
    /// (the first deactivation).
    void loadFromSpectrum();
    void writeBackToSpectrum();
    void warn(const QString& text);

    AppState& m_app;
    Prompter& m_prompter;
    HelpBrowser& m_help;
    PeakGrid* m_grid = nullptr;
    QListView* m_names = nullptr;
    QStringListModel* m_nameList = nullptr;
    QLabel* m_mode = nullptr;
    QAction* m_saveAs = nullptr;
    QAction* m_print = nullptr;
    QAction* m_exportJcamp = nullptr;
    QAction* m_deleteLine = nullptr;
    QAction* m_stripHeader = nullptr;
    QAction* m_editMode = nullptr;
    QAction* m_entryMode = nullptr;
    int m_strip = 0;
    QString m_libraryFile;
    bool m_boundToSpectrum = false; ///< the load-from-spectrum flag

    friend class PeakGrid;
};

} // namespace qzx
