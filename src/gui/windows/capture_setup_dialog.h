#pragma once

#include <QDialog>
#include <array>
#include <optional>

#include "capture/calibration.h"
#include "windows/program_window.h"

class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace qzx {

struct DetectionOffsets;

/// What the capture setup changes in the capture window.
class CaptureSetupHost {
public:
    virtual ~CaptureSetupHost() = default;
    virtual Calibration& calibration() = 0;
    virtual DetectionOffsets& offsets() = 0;
    /// "Manual" (true) or "Automatic" chosen.
    virtual void modeChosen(bool manual) = 0;
    /// "Reset": the calibration and the point list start afresh.
    virtual void setupReset() = 0;
    /// OK with all four axis points set.
    virtual void setupAccepted() = 0;
};

/// The capture setup (`TSetForm`): automatic or manual mode, the four axis buttons with their
/// values, and the automatic search's offsets. The axis button pressed is the point the next
/// click on the picture places.
class CaptureSetupDialog : public QDialog, public ProgramWindow {
    Q_OBJECT
public:
    explicit CaptureSetupDialog(const WindowContext& context, QWidget* parent = nullptr);
    void registerCommands(CommandHandlers&) override {}

    /// Shows the dialog for `host`, without waiting: the clicks that place the axis points go
    /// to the capture window's picture while it is open.
    void showFor(CaptureSetupHost& host);
    /// The axis point whose button is pressed, if any.
    std::optional<AxisPoint> currentAxis() const;
    /// Shows the axis button's caption bold (point set) or normal.
    void markAxis(AxisPoint which, bool set);
    bool manualMode() const;
    /// Back to the state of a fresh tool: buttons released, values 1, 100, 0, 100, Search 1,
    /// Baseline 2 (what "Reset" and a newly opened picture do).
    void resetControls();

private:
    void pressAxis(AxisPoint which);
    void takeValues();

    Prompter& m_prompter;
    HelpBrowser& m_help;
    CaptureSetupHost* m_host = nullptr;
    QRadioButton* m_automatic = nullptr;
    QRadioButton* m_manual = nullptr;
    std::array<QPushButton*, 4> m_axisButtons{};
    std::array<QLineEdit*, 4> m_values{};
    QSpinBox* m_search = nullptr;
    QSpinBox* m_baseline = nullptr;
};

} // namespace qzx
