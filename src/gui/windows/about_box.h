#pragma once

#include <QDialog>

#include "windows/program_window.h"

namespace qzx {

/// The about window (`TAboutBox`, caption "About QZX Pro"): the product title "Quorin
/// Professional" in a panel, the version and the Qt version in use, and an OK button
/// (`BitBtn1`) that closes it. "About QZX 4.0" (`m7About`) shows it modally.
class AboutBox : public QDialog, public ProgramWindow {
    Q_OBJECT
public:
    explicit AboutBox(const WindowContext& context, QWidget* parent = nullptr);
    void registerCommands(CommandHandlers& handlers) override;

private:
    Prompter& m_prompter;
};

} // namespace qzx
