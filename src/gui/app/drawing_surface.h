#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

#include "structure/structure.h"

class QMenu;

namespace qzx {

/// The drawing surface: shows the 1600 x 1200 drawing image at its natural size inside the
/// main window's scroll box, passes mouse gestures on in image pixels, draws the gesture
/// previews over the image, and opens the popup menu on a right click.
class DrawingSurface : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = kDrawingWidth;
    static constexpr int kHeight = kDrawingHeight;

    explicit DrawingSurface(QWidget* parent = nullptr);

    /// The image everything is drawn on (pixels of the drawing surface).
    QImage& image() { return m_image; }
    const QImage& image() const { return m_image; }

    /// Fills the whole image with `color` and shows it.
    void clear(const QColor& color);

    void setPopupMenu(QMenu* menu) { m_popup = menu; }
    /// Paints the preview of the gesture in progress over the image (not into it).
    void setOverlayPainter(std::function<void(QPainter&)> painter) {
        m_overlay = std::move(painter);
    }

signals:
    void mousePressed(QMouseEvent* event);
    void mouseMoved(QMouseEvent* event);
    void mouseReleased(QMouseEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override { emit mousePressed(event); }
    void mouseMoveEvent(QMouseEvent* event) override { emit mouseMoved(event); }
    void mouseReleaseEvent(QMouseEvent* event) override { emit mouseReleased(event); }

private:
    QImage m_image;
    QMenu* m_popup = nullptr;
    std::function<void(QPainter&)> m_overlay;
};

} // namespace qzx
