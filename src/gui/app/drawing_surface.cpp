#include "app/drawing_surface.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

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
    m_steps.push_back({{}, [](QPainter& p) { p.fillRect(0, 0, kWidth, kHeight, Qt::white); }});
}

void DrawingSurface::clear(const QColor& color) {
    paint([color](QPainter& p) { p.fillRect(0, 0, kWidth, kHeight, color); }, true);
}

void DrawingSurface::paint(PaintStep step, bool wholeDrawing, const std::string& name) {
    {
        QPainter painter(&m_image);
        step(painter);
    }
    if (wholeDrawing) m_steps.clear();
    const auto named = name.empty() ? m_steps.end()
                                    : std::find_if(m_steps.begin(), m_steps.end(),
                                                   [&](const Step& s) { return s.name == name; });
    if (named != m_steps.end())
        named->paint = std::move(step);
    else
        m_steps.push_back({name, std::move(step)});
    update();
}

void DrawingSurface::setZoom(double zoom) {
    m_zoom = std::clamp(zoom, kSmallestZoom, kLargestZoom);
    setFixedSize(static_cast<int>(std::lround(kWidth * m_zoom)),
                 static_cast<int>(std::lround(kHeight * m_zoom)));
    update();
}

double DrawingSurface::defaultZoom(double logicalDotsPerInch) {
    const double quarters = std::round(logicalDotsPerInch / 96.0 * 4.0) / 4.0;
    return std::clamp(quarters, kSmallestZoom, kLargestZoom);
}

void DrawingSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setClipRect(event->rect());
    // The drawing replayed from its steps: smooth lines and text at any zoom and on any
    // screen density, where the image's pixels would show as steps and blur.
    painter.scale(m_zoom, m_zoom);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const Step& step : m_steps) {
        painter.save();
        step.paint(painter);
        painter.restore();
    }
    if (m_overlay) m_overlay(painter);
}

void DrawingSurface::contextMenuEvent(QContextMenuEvent* event) {
    if (m_popup) m_popup->popup(event->globalPos());
}

QMouseEvent DrawingSurface::inImagePixels(const QMouseEvent& event) const {
    // Each image pixel covers a square of m_zoom screen pixels; the one under the pointer.
    const QPointF at(std::floor(event.position().x() / m_zoom),
                     std::floor(event.position().y() / m_zoom));
    return QMouseEvent(event.type(), at, event.scenePosition(), event.globalPosition(),
                       event.button(), event.buttons(), event.modifiers(), event.pointingDevice());
}

void DrawingSurface::mousePressEvent(QMouseEvent* event) {
    QMouseEvent mapped = inImagePixels(*event);
    emit mousePressed(&mapped);
}

void DrawingSurface::mouseMoveEvent(QMouseEvent* event) {
    QMouseEvent mapped = inImagePixels(*event);
    emit mouseMoved(&mapped);
}

void DrawingSurface::mouseReleaseEvent(QMouseEvent* event) {
    QMouseEvent mapped = inImagePixels(*event);
    emit mouseReleased(&mapped);
}

void DrawingSurface::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier) || event->angleDelta().y() == 0) {
        event->ignore(); // the scroll box scrolls
        return;
    }
    emit zoomStepped(event->angleDelta().y() > 0 ? 1 : -1);
    event->accept();
}

} // namespace qzx
