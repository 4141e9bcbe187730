#include "render/tool_icons.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <cmath>
#include <numbers>

namespace qzx {
namespace {

/// A regular polygon with `sides` corners around the centre; `startDegrees` places the first
/// corner (90 puts it at the top).
QPolygonF regularPolygon(QPointF centre, double radius, int sides, double startDegrees) {
    QPolygonF polygon;
    for (int i = 0; i < sides; ++i) {
        const double angle = (startDegrees + 360.0 * i / sides) * std::numbers::pi / 180.0;
        polygon << QPointF(centre.x() + radius * std::cos(angle),
                           centre.y() - radius * std::sin(angle));
    }
    return polygon;
}

void drawBond(QPainter& p, double s, int lines) {
    const double offset = s * 0.09;
    for (int i = 0; i < lines; ++i) {
        const double d = (i - (lines - 1) / 2.0) * offset;
        p.drawLine(QPointF(s * 0.18 + d, s * 0.82 + d), QPointF(s * 0.82 + d, s * 0.18 + d));
    }
}

} // namespace

QIcon toolIcon(int tool, int size) {
    if (tool < 1 || tool > 10) return {};
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, std::max(1.0, size / 24.0)));
    const double s = size;
    const QPointF centre(s / 2, s / 2);
    const double r = s * 0.36;
    switch (tool) {
    case 1:
        p.drawPolygon(regularPolygon(centre, r, 6, 90));
        break; // upright hexagon
    case 2:
        p.drawPolygon(regularPolygon(centre, r, 6, 90));
        p.drawEllipse(centre, r * 0.55, r * 0.55);
        break;
    case 3:
        p.drawPolygon(regularPolygon(centre, r, 5, 90));
        break; // apex up
    case 4:
        p.drawPolygon(regularPolygon(centre, r, 6, 0));
        break; // lying hexagon
    case 5:
        p.drawPolygon(regularPolygon(centre, r, 6, 0));
        p.drawEllipse(centre, r * 0.55, r * 0.55);
        break;
    case 6:
        p.drawPolygon(regularPolygon(centre, r, 5, 270));
        break; // apex down
    case 7:
        drawBond(p, s, 1);
        break;
    case 8:
        drawBond(p, s, 2);
        break;
    case 9:
        drawBond(p, s, 3);
        break;
    case 10: {
        QPolygonF zigzag;
        for (int i = 0; i < 5; ++i)
            zigzag << QPointF(s * (0.12 + 0.19 * i), i % 2 ? s * 0.35 : s * 0.65);
        p.drawPolyline(zigzag);
        break;
    }
    default:
        break;
    }
    return QIcon(pixmap);
}

} // namespace qzx
