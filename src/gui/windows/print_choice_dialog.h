#pragma once

#include <QDialog>

#include "windows/program_window.h"

namespace qzx {

/// The spectrum window's print choice (`TSpecDlgForm`, caption "Print Selection"): "Print
/// Report" (1), "Print Spectrum Only" (2) or "Cancel" (3), kept in the shared records for the
/// print command that asked.
class PrintChoiceDialog : public QDialog, public ProgramWindow {
    Q_OBJECT
public:
    explicit PrintChoiceDialog(const WindowContext& context, QWidget* parent = nullptr);
    void registerCommands(CommandHandlers&) override {}

private:
    AppState& m_app;
};

} // namespace qzx
