#pragma once

#include <QAction>
#include <QMenu>
#include <QString>

namespace qzx {

/// Adds a menu item with its object name (the name tests and the program find it by) that
/// runs `slot` on `receiver`.
template <typename Slot>
QAction* addNamedItem(QMenu* menu, const QString& caption, const char* name, QObject* receiver,
                      Slot slot) {
    QAction* action = menu->addAction(caption, receiver, slot);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace qzx
