#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace qzx {

/// The start screen (`TSplash`, caption "QZX Pro"): a stay-on-top dialog centred on the screen
/// with the product title. A click on the window, on any of its texts or on the button closes
/// it. The main window shows it without waiting at start-up, and modally with the button
/// captioned "Close" on exit.
class SplashWindow : public QDialog {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);

    /// Shows the window, raises it and paints it at once, without waiting for it to close.
    void showWithoutWaiting();
    /// The caption of the button ("OK" at first).
    QString buttonCaption() const;
    void setButtonCaption(const QString& caption);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void centreOnScreen();

    QPushButton* m_okButton = nullptr;
};

} // namespace qzx
