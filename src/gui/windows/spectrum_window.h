#pragma once

#include <QDialog>
#include <vector>

#include "windows/program_window.h"
#include "windows/window_steering.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QToolButton;
class QWidget;

namespace qzx {

class FormulaCalculatorDisplay;
class NoticeDisplay;
class PeakExplanationWindow;
class SpectrumEditorDisplay;
struct IsotopePattern;
class SpectrumPlotView;
struct SpectrumPrintout;

/// The spectrum window (`TSpecForm`, caption "Spectrum"): the spectrum as a bar plot with its
/// mass scale and labels, ASC files, the zoom, the mouse commands (Ctrl-click to the formula
/// calculator, Shift-click to label a peak, Shift-right-click to remove the label), the
/// spectrum label, and the comparison with the drawn structure: the isotope match, the
/// comparison with the fragments (matched bars red) and its summary.
class SpectrumWindow : public QDialog,
                       public ProgramWindow,
                       public SpectrumMatchDisplay,
                       public SpectrumSaveSwitch {
    Q_OBJECT
public:
    explicit SpectrumWindow(const WindowContext& context, QWidget* parent = nullptr);

    void registerCommands(CommandHandlers& handlers) override;
    void showForMatch() override;
    void hideMatch() override;
    void setSaveEnabled(bool on) override;

    /// The plot's zoom: 1, 2, 4, 6, 8 or 10.
    int zoom() const { return m_zoom; }
    /// The peaks the last comparison drew red.
    const std::vector<int>& redPeaks() const { return m_red; }
    /// The plot area, whose mouse releases are the peak commands.
    QWidget* plotArea() const;
    /// Opens an ASC file as "Open..." does after its dialog.
    void openFile(const QString& fileName);
    /// The mouse commands on the plot, at a position of the plot area.
    void plotReleased(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    /// "Isotope Match ", "Compare" and "Summary".
    void isotopeMatch();
    void compare();
    void summary();
    /// "Explain Peak..." and a right click on a bar after a comparison: what may explain the
    /// spectrum's peak `number` (1-based).
    void explainPeak(int number);
    PeakExplanationWindow* explanationWindow() const { return m_explanation; }
    /// The structure's mass M: nominal, or the monoisotopic mass rounded while accurate
    /// masses are on.
    int structureMass() const;

    /// The spectrum label (`Edit1`), shown by "Spectrum Label".
    QLineEdit* spectrumLabel() const { return m_label; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    void redraw();
    void toggleSpectrumLabel();
    void clearSpectrum();
    void copyPlot();
    void open();
    void setFileCommandsEnabled(bool opened);
    /// "Print Spectrum..." (matched peaks marked when `marks` and a comparison was made),
    /// "Print Report", and the print button with its choice of the two.
    void printSpectrum(bool marks);
    void printReport();
    void printButton();
    /// "Export Report as PDF...": the report page, then the structure and the matched peaks.
    void exportReport();
    /// The spectrum page's contents besides the spectrum: the report values, the label.
    SpectrumPrintout printout();
    /// The drawn structure's nominal isotope pattern at threshold 0.005.
    IsotopePattern structurePattern();

    AppState& m_app;
    Prompter& m_prompter;
    HelpBrowser& m_help;
    NoticeDisplay* m_notices;
    FormulaCalculatorDisplay* m_calculator;
    SpectrumEditorDisplay* m_editor;
    const WindowDirectory* m_windows;
    SpectrumPlotView* m_plot = nullptr;
    QLabel* m_fileName = nullptr;
    QWidget* m_comparePanel = nullptr;
    QPushButton* m_compare = nullptr;
    QCheckBox* m_allowTransfers = nullptr;
    QRadioButton* m_oneH = nullptr;
    QRadioButton* m_twoH = nullptr;
    QLineEdit* m_label = nullptr;
    QLineEdit* m_focusSink = nullptr;
    QAction* m_isotopeMatch = nullptr;
    QAction* m_summary = nullptr;
    QAction* m_explain = nullptr;
    QAction* m_save = nullptr;
    QMenu* m_printMenu = nullptr;
    QAction* m_printReport = nullptr;
    QAction* m_exportReport = nullptr;
    QToolButton* m_printButton = nullptr;
    PeakExplanationWindow* m_explanation = nullptr;
    int m_zoom = 1;
    std::vector<int> m_red;
    bool m_labelDragged = false; ///< the label follows the pointer
    QPoint m_dragOrigin;

    friend class SpectrumPlotView;
};

} // namespace qzx
