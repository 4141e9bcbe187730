#pragma once

#include <QDialog>
#include <QStringList>

namespace qzx {

/// The shortcut list (`TShrtform`, caption "Shortcuts"): 21 fixed texts (`Label1`..`Label21`)
/// listing the keys the main window handles, and an OK button (`BitBtn1`) that closes it.
class ShortcutsWindow : public QDialog {
    Q_OBJECT
public:
    explicit ShortcutsWindow(QWidget* parent = nullptr);

    /// The 21 texts, top to bottom, exactly as the window shows them.
    static QStringList lines();
};

} // namespace qzx
