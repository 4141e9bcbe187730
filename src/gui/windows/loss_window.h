#pragma once

#include <QDialog>

#include "windows/program_window.h"

class QCheckBox;
class QLineEdit;
class QMenu;

namespace qzx {

/// The "Loss of ..." window (`TLossForm`): the molecular mass minus a loss typed or picked from
/// the menu of common losses, in whole numbers. It stays open beside the main window.
class LossWindow : public QDialog, public ProgramWindow {
    Q_OBJECT
public:
    explicit LossWindow(const WindowContext& context, QWidget* parent = nullptr);

    void registerCommands(CommandHandlers& handlers) override;

    QLineEdit* molecularMassField() const { return m_molecular; }
    QLineEdit* lossField() const { return m_loss; }
    QLineEdit* resultField() const { return m_result; }
    /// The pop-up menu of "Common": the twelve losses and "<Cancel>".
    QMenu* commonMenu() const { return m_common; }
    /// Fills the molecular mass from the drawn structure, as on activation.
    void takeStructureMass();
    /// Field 3 := field 1 minus field 2, when both read as whole numbers.
    void compute();

protected:
    void changeEvent(QEvent* event) override;
    /// Closing (the Close button, Esc, the title bar) empties the fields it names.
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AppState& m_app;
    QLineEdit* m_molecular = nullptr;
    QLineEdit* m_loss = nullptr;
    QLineEdit* m_result = nullptr;
    QCheckBox* m_stayOnTop = nullptr;
    QMenu* m_common = nullptr;
};

} // namespace qzx
