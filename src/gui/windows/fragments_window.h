#pragma once

#include <QDialog>

#include "windows/program_window.h"
#include "windows/window_steering.h"

class QLabel;

namespace qzx {

/// The fragment mass window (`TFragMassForm`, caption "Fragments"): the two masses of the
/// latest box or region cut under "mass1:" and "M - mass1:" (or "Residual:"), a separator and
/// "&Close". It stays on top of the other windows and never blocks the main window.
class FragmentsWindow : public QDialog, public ProgramWindow, public FragmentMassDisplay {
    Q_OBJECT
public:
    explicit FragmentsWindow(const WindowContext& context, QWidget* parent = nullptr);

    void registerCommands(CommandHandlers& handlers) override;
    void showFragmentMasses(const QString& firstValue, const QString& secondCaption,
                            const QString& secondValue) override;
    void hideFragmentMasses() override { hide(); }

private:
    QLabel* m_firstValue = nullptr;
    QLabel* m_secondCaption = nullptr;
    QLabel* m_secondValue = nullptr;
};

} // namespace qzx
