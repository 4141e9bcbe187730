#pragma once

#include <QBoxLayout>

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

/// A push button named `name` at the end of `row` that runs `slot`; Enter in a field does not
/// press it.
template <typename Slot> QPushButton* addCommandButton(QWidget* parent, QBoxLayout* row,
                                                       const char* name, const QString& caption,
                                                       Slot slot) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, parent, slot);
    row->addWidget(button);
    return button;
}

} // namespace qzx
