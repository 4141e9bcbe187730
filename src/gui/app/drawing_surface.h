#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "structure/structure.h"

class QMenu;

namespace qzx {

/// The drawing surface: the 1600 x 1200 drawing image in the main window's scroll box. What is
/// drawn goes into the image (its pixels are the drawing, as "As Bitmap" copies it) and is
/// kept as a list of paint steps, which the screen replays antialiased at the view's zoom.
/// Mouse gestures are passed on in image pixels whatever the zoom; the gesture previews are
/// drawn over the drawing, and a right click opens the popup menu.
class DrawingSurface : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = kDrawingWidth;
    static constexpr int kHeight = kDrawingHeight;
    static constexpr double kSmallestZoom = 0.5;
    static constexpr double kLargestZoom = 4.0;

    using PaintStep = std::function<void(QPainter&)>;

    explicit DrawingSurface(QWidget* parent = nullptr);

    /// The image everything is drawn on (pixels of the drawing surface).
    const QImage& image() const { return m_image; }

    /// Fills the whole image with `color` and shows it.
    void clear(const QColor& color);
    /// Draws `step` into the image and keeps it for the screen. A step that covers the whole
    /// drawing (`wholeDrawing`) replaces every step before it; a step with a `name` replaces
    /// the earlier step of that name (marks that are painted again and again).
    void paint(PaintStep step, bool wholeDrawing = false, const std::string& name = {});

    /// The view's scale: 1 shows a drawing pixel as one screen pixel.
    double zoom() const { return m_zoom; }
    /// Sets the scale, held within 50 % to 400 %; the drawing keeps its pixels.
    void setZoom(double zoom);
    /// The zoom a screen of this logical resolution starts with: its dots per inch over 96,
    /// to the nearest quarter, within the zoom's range.
    static double defaultZoom(double logicalDotsPerInch);

    void setPopupMenu(QMenu* menu) { m_popup = menu; }
    /// Paints the preview of the gesture in progress over the image (not into it).
    void setOverlayPainter(std::function<void(QPainter&)> painter) {
        m_overlay = std::move(painter);
    }

signals:
    void mousePressed(QMouseEvent* event);
    void mouseMoved(QMouseEvent* event);
    void mouseReleased(QMouseEvent* event);
    /// Ctrl and the mouse wheel asked for a larger (+1) or smaller (-1) view.
    void zoomStepped(int direction);

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    struct Step {
        std::string name;
        PaintStep paint;
    };
    /// The event with its position in image pixels.
    QMouseEvent inImagePixels(const QMouseEvent& event) const;

    QImage m_image;
    std::vector<Step> m_steps;
    double m_zoom = 1.0;
    QMenu* m_popup = nullptr;
    std::function<void(QPainter&)> m_overlay;
};

} // namespace qzx
