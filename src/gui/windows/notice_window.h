#pragma once

#include <QDialog>

#include "windows/program_window.h"
#include "windows/window_steering.h"

class QLabel;

namespace qzx {

/// The notice window (`TMsgForm`, caption "Notice"): one text set by the caller (`Label1`) and
/// an OK button (`BitBtn1`) that closes it. The isotope calculation shows its limitation
/// notices here, modally, after the error signal.
class NoticeWindow : public QDialog, public ProgramWindow, public NoticeDisplay {
    Q_OBJECT
public:
    explicit NoticeWindow(const WindowContext& context, QWidget* parent = nullptr);
    /// The notice serves no command of the main window.
    void registerCommands(CommandHandlers&) override {}

    /// Replaces the text; line breaks (LF, CR LF or CR) start new lines.
    void setNotice(const QString& text);
    /// The text as shown, its line breaks written as LF.
    QString notice() const;
    /// One system beep, then the text, modally.
    void showNotice(const QString& text) override;

private:
    Prompter& m_prompter;
    QLabel* m_label = nullptr;
};

} // namespace qzx
