#pragma once

#include <QDialog>

#include "windows/program_window.h"

namespace qzx {

struct SystemFacts;

/// The status window (`TStatform`, caption "Status"): seven lines about memory, operating
/// system, processor, folders and free disk space (`Label1`..`Label7`), filled once when the
/// window is created, and an OK button (`BitBtn1`) that closes it. Later changes of memory or
/// disk space do not show until the program starts again. "Status" (`m7Status`) shows it
/// modally.
class StatusWindow : public QDialog, public ProgramWindow {
    Q_OBJECT
public:
    /// Fills the lines from the given facts.
    StatusWindow(const WindowContext& context, const SystemFacts& facts, QWidget* parent = nullptr);
    /// Gathers the facts of this machine for the program's folder and fills the lines.
    explicit StatusWindow(const WindowContext& context, QWidget* parent = nullptr);

    void registerCommands(CommandHandlers& handlers) override;

private:
    Prompter& m_prompter;
};

} // namespace qzx
