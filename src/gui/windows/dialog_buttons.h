#pragma once

#include <QDialog>
#include <QPushButton>

namespace qzx {

/// The default button that closes an information window with an OK result.
inline QPushButton* makeAcceptButton(QDialog* dialog, const QString& caption = QStringLiteral("OK"),
                                     const QString& objectName = QStringLiteral("BitBtn1")) {
    auto* button = new QPushButton(caption, dialog);
    button->setObjectName(objectName);
    button->setDefault(true);
    QObject::connect(button, &QPushButton::clicked, dialog, &QDialog::accept);
    return button;
}

} // namespace qzx
