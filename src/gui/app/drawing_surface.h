#pragma once

#include <QImage>
#include <QWidget>

class QMenu;

namespace qzx {

/// The drawing surface: shows the 1600 x 1200 drawing image at its natural size inside the
/// main window's scroll box, and opens the popup menu on a right click.
class DrawingSurface : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 1600;
    static constexpr int kHeight = 1200;

    explicit DrawingSurface(QWidget* parent = nullptr);

    /// The image everything is drawn on (pixels of the drawing surface).
    QImage& image() { return m_image; }
    const QImage& image() const { return m_image; }

    /// Fills the whole image with `color` and shows it.
    void clear(const QColor& color);

    void setPopupMenu(QMenu* menu) { m_popup = menu; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QImage m_image;
    QMenu* m_popup = nullptr;
};

} // namespace qzx
