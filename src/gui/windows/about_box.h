#pragma once

#include <QDialog>

namespace qzx {

/// The about window (`TAboutBox`, caption "About QZX Pro"): the product title "Quorin
/// Professional" in a panel, the version and the Qt version in use, and an OK button
/// (`BitBtn1`) that closes it. The main window shows it modally.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);
};

} // namespace qzx
