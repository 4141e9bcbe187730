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
    setMouseTracking(true); // previews follow the pointer
    // Text sizes on the image are points at 96 dots per inch, as on the screen.
    m_image.setDotsPerMeterX(3780);
    m_image.setDotsPerMeterY(3780);
    m_image.fill(Qt::white);
}

void DrawingSurface::clear(const QColor& color) {
    m_image.fill(color);
    update();
}

void DrawingSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), m_image, event->rect());
    if (m_overlay) m_overlay(painter);
}

void DrawingSurface::contextMenuEvent(QContextMenuEvent* event) {
    if (m_popup) m_popup->popup(event->globalPos());
}

} // namespace qzx
