#pragma once

#include <QDialog>

#include "windows/program_window.h"

class QCheckBox;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace qzx {

/// The autofragment options window (`TAFDoForm`, caption "Autofragment"): one bond or one and
/// two bonds, the odd-electron marks, and the run itself with its gauge. A run can be stopped
/// with Cancel; the fragments found until then are kept and listed.
class AutofragmentOptionsWindow : public QDialog, public ProgramWindow {
    Q_OBJECT
public:
    explicit AutofragmentOptionsWindow(const WindowContext& context, QWidget* parent = nullptr);

    void registerCommands(CommandHandlers& handlers) override;

    /// "Start" (`Button1`): runs the autofragment engine with the window's choices.
    void start();
    bool running() const { return m_running; }
    QProgressBar* gauge() const { return m_gauge; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    /// The main window's "Start Autofragment": Start is usable only with a structure drawn.
    void open();

    AppState& m_app;
    Prompter& m_prompter;
    const WindowDirectory* m_windows;
    QProgressBar* m_gauge = nullptr;
    QRadioButton* m_oneBond = nullptr;
    QRadioButton* m_twoBonds = nullptr;
    QCheckBox* m_markOdd = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_cancel = nullptr;
    bool m_running = false;
    bool m_stopAsked = false;
};

} // namespace qzx
