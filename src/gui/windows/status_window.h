#pragma once

#include <QDialog>

namespace qzx {

struct AppState;
struct SystemFacts;

/// The status window (`TStatform`, caption "Status"): seven lines about memory, operating
/// system, processor, folders and free disk space (`Label1`..`Label7`), filled once when the
/// window is created, and an OK button (`BitBtn1`) that closes it. Later changes of memory or
/// disk space do not show until the program starts again.
class StatusWindow : public QDialog {
    Q_OBJECT
public:
    /// Fills the lines from the given facts.
    explicit StatusWindow(const SystemFacts& facts, QWidget* parent = nullptr);
    /// Gathers the facts of this machine for the program folder of `state` and fills the lines.
    explicit StatusWindow(const AppState& state, QWidget* parent = nullptr);
};

} // namespace qzx
