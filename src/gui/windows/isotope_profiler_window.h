#pragma once

#include <QDialog>
#include <vector>

#include "chem/isotope_profile.h"
#include "render/isotope_plot.h"
#include "windows/program_window.h"
#include "windows/window_steering.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace qzx {

class ElementWindows;
class NoticeDisplay;

/// The isotopic profiler (`TIPForm`, caption "Isotopic Profiler"): a formula typed in
/// "Composition" (`Edit1`), its isotope cluster, nominal or accurate, as a stick plot
/// (`Image1`) and a two-column table (`StringGrid1`), the nominal mass (`Edit2`), and the
/// plot's copy to the clipboard or the word processor and its printed page. The main window's
/// "Isotopic Profiler" opens it with the drawn structure's composition, already calculated.
class IsotopeProfilerWindow : public QDialog, public ProgramWindow, public IsotopeProfilerDisplay {
    Q_OBJECT
public:
    explicit IsotopeProfilerWindow(const WindowContext& context, QWidget* parent = nullptr);

    void registerCommands(CommandHandlers& handlers) override;
    void showProfileOf(const QString& formula) override;

    /// "Calculate" (`BitBtn1`).
    void calculate();
    /// "Clear" (`BitBtn2`).
    void clear();
    /// "Show Labels" of the Edit menu.
    void toggleLabels();
    /// The plot as it stands, 254 x 211 pixels.
    QImage plotImage() const;
    /// The grid's rows below the heading: mass cell and abundance cell.
    std::vector<std::pair<QString, QString>> tableRows() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildMenu();
    void paintPlot();
    void setOutputsEnabled(bool enabled);
    void copyToClipboard();
    void copyToWordPad();
    void print();
    /// The main window's command: the structure's composition, calculated, in front.
    void showStructureProfile();

    AppState& m_app;
    Prompter& m_prompter;
    HelpBrowser& m_help;
    NoticeDisplay* m_notices;
    ElementWindows* m_elementWindows;
    QLineEdit* m_composition = nullptr;
    QLineEdit* m_nominalMass = nullptr;
    QLineEdit* m_minimum = nullptr;
    QCheckBox* m_accurate = nullptr;
    QCheckBox* m_deuterium = nullptr;
    QLabel* m_plot = nullptr;
    QTableWidget* m_grid = nullptr;
    QPushButton* m_calculate = nullptr;
    QAction* m_print = nullptr;
    QAction* m_copy = nullptr;
    QAction* m_copyWord = nullptr;
    QAction* m_showLabels = nullptr;
    /// What the plot shows, kept for redrawing, labels and printing.
    std::vector<ProfileStick> m_sticks;
    bool m_plottedAccurate = false;
    PlotLabels m_labels = PlotLabels::None;
};

} // namespace qzx
