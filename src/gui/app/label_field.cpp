#include "app/label_field.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace qzx {

LabelField::LabelField(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("Edit1"));
    setAccessibleName(QStringLiteral("Structure Label"));
    setMaxLength(kMaxLength);
    setPlaceholderText(placeholder());
    setFrame(true);
    // A title, once typed, stands on the drawing without a box around it.
    connect(this, &QLineEdit::textChanged, this,
            [this](const QString& text) { setFrame(text.isEmpty()); });
}

void LabelField::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier)) {
        m_dragging = true;
        m_pressOffset = event->position().toPoint();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void LabelField::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging) {
        move(mapToParent(event->position().toPoint()) - m_pressOffset);
        return;
    }
    QLineEdit::mouseMoveEvent(event);
}

void LabelField::mouseReleaseEvent(QMouseEvent* event) {
    if (m_dragging) {
        m_dragging = false;
        clearFocus(); // the label stops editing once it has been placed
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void LabelField::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        clearFocus();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace qzx
