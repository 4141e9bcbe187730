#pragma once

#include <QDialog>
#include <QStringList>

#include "windows/program_window.h"

namespace qzx {

/// The shortcut list (`TShrtform`, caption "Shortcuts"): 21 fixed texts (`Label1`..`Label21`)
/// listing the keys the main window handles, and an OK button (`BitBtn1`) that closes it.
class ShortcutsWindow : public QDialog, public ProgramWindow {
    Q_OBJECT
public:
    explicit ShortcutsWindow(const WindowContext& context, QWidget* parent = nullptr);
    /// Serves "Shortcuts" (`m7ShortCuts`, F8): shows the window modally.
    void registerCommands(CommandHandlers& handlers) override;

    /// The 21 texts, top to bottom, exactly as the window shows them.
    static QStringList lines();

private:
    Prompter& m_prompter;
};

} // namespace qzx
