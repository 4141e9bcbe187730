#include "app/drawing_surface.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>

namespace qzx {

DrawingSurface::DrawingSurface(QWidget* parent)
    : QWidget(parent), m_image(kWidth, kHeight, QImage::Format_RGB32) {
    setObjectName(QStringLiteral("Image1"));
    setAccessibleName(QStringLiteral("Drawing Surface"));
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_image.fill(Qt::white);
}

void DrawingSurface::clear(const QColor& color) {
    m_image.fill(color);
    update();
}

void DrawingSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), m_image, event->rect());
}

void DrawingSurface::contextMenuEvent(QContextMenuEvent* event) {
    if (m_popup) m_popup->popup(event->globalPos());
}

} // namespace qzx
