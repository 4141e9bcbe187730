#pragma once

#include <QColor>
#include <QPoint>
#include <QString>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;

namespace qzx {

/// Every message box, input box, file, colour, print and page-setup dialog of the program, and
/// every window it shows modally, goes through a Prompter, so tests can answer them from a
/// script and no modal dialog ever blocks a test.
class Prompter {
public:
    enum class Icon { Information, Warning, Error, Question };
    enum class Buttons { Ok, OkCancel, YesNo };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Prompter() = default;

    /// A modal message box with the given title, text, icon and buttons.
    virtual Answer message(QWidget* parent, const QString& title, const QString& text, Icon icon,
                           Buttons buttons) = 0;
    /// The same box with its top-left corner at `topLeft` on the screen.
    virtual Answer messageAt(QWidget* parent, QPoint topLeft, const QString& title,
                             const QString& text, Icon icon, Buttons buttons) {
        (void)topLeft;
        return message(parent, title, text, icon, buttons);
    }
    /// A modal one-line input box; empty when the user cancels.
    virtual std::optional<QString> inputText(QWidget* parent, const QString& title,
                                             const QString& prompt, const QString& initial) = 0;
    /// The file chosen in an open dialog; empty when cancelled.
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& folder,
                                 const QString& filter) = 0;
    /// The file chosen in a save dialog (which asks before overwriting); empty when cancelled.
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& fileName,
                                 const QString& filter) = 0;
    /// A colour dialog starting at `initial`; empty when cancelled.
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QString& title,
                                              const QColor& initial) = 0;
    /// The print dialog for `printer` (printer choice, pages, print to file); true when the
    /// user chose to print, with the choices stored in `printer`.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
    /// The page-setup dialog for `printer` (paper, orientation, margins); true when accepted.
    virtual bool setUpPage(QWidget* parent, QPrinter& printer) = 0;
    /// Shows one of the program's windows modally and waits until it closes; returns its
    /// result (QDialog::Accepted or QDialog::Rejected).
    virtual int showModal(QDialog& window) = 0;
    /// One system beep.
    virtual void beep() = 0;
};

/// The real dialogs of the desktop.
class DialogPrompter : public Prompter {
public:
    Answer message(QWidget* parent, const QString& title, const QString& text, Icon icon,
                   Buttons buttons) override;
    Answer messageAt(QWidget* parent, QPoint topLeft, const QString& title, const QString& text,
                     Icon icon, Buttons buttons) override;
    std::optional<QString> inputText(QWidget* parent, const QString& title, const QString& prompt,
                                     const QString& initial) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& fileName,
                         const QString& filter) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QString& title,
                                      const QColor& initial) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    bool setUpPage(QWidget* parent, QPrinter& printer) override;
    int showModal(QDialog& window) override;
    void beep() override;
};

/// The error signal: the default beep, `times` times in a row (the "Sound" setting; 0 is
/// silent). It never shows a message by itself.
void ErrorSignal(Prompter& prompter, int times);

/// Converts a file-dialog filter of the form "Text (*.x)|*.x|All (*.*)|*.*" to Qt's form:
/// "Text (*.x *.X);;All (*)" (every extension in both cases, "*.*" as every file).
QString toQtFilter(const QString& pipeFilter);

} // namespace qzx
