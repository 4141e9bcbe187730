#pragma once

#include <QDialog>

#include "windows/program_window.h"

class QLineEdit;
class QListWidget;

namespace qzx {

/// The "Delta Mass" window (`TNeutForm`): the difference of two masses and the common neutral
/// fragments of that nominal mass. The spectrum window opens it modally.
class DeltaMassWindow : public QDialog, public ProgramWindow {
    Q_OBJECT
public:
    explicit DeltaMassWindow(const WindowContext& context, QWidget* parent = nullptr);

    void registerCommands(CommandHandlers&) override {}

    QLineEdit* firstMass() const { return m_first; }
    QLineEdit* secondMass() const { return m_second; }
    QLineEdit* difference() const { return m_difference; }
    QListWidget* neutrals() const { return m_neutrals; }
    /// Enter in "Mass-2": the difference and its neutrals, when both masses are at least 1.
    void lookUp();
    /// "Reset": the three fields and the list emptied.
    void reset();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    /// Closing (the Close button, Esc, the title bar) empties the fields it names.
    void done(int result) override;

private:
    QLineEdit* m_first = nullptr;
    QLineEdit* m_second = nullptr;
    QLineEdit* m_difference = nullptr;
    QListWidget* m_neutrals = nullptr;
};

} // namespace qzx
