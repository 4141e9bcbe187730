#include "render/speed_bar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace qzx {
namespace {

// Every picture is drawn on a 24 x 24 grid and scaled to the button's size.
constexpr double kGrid = 24.0;

const QColor kInk(0, 0, 0);
const QColor kNavy(0, 0, 128);
const QColor kFolder(230, 190, 80);
const QColor kPaper(255, 255, 255);
const QColor kRed(192, 0, 0);

void bars(QPainter& p, std::initializer_list<double> heights, double left, double step) {
    double x = left;
    for (double h : heights) {
        p.drawLine(QPointF(x, 20), QPointF(x, 20 - h));
        x += step;
    }
}

void drawPicture(QPainter& p, int button) {
    switch (button) {
    case 54: // cut line
        p.setPen(QPen(kRed, 2));
        p.drawLine(QPointF(4, 20), QPointF(20, 4));
        break;
    case 55: // cut box
        p.setPen(QPen(kRed, 1.5, Qt::DashLine));
        p.drawRect(QRectF(4, 6, 16, 12));
        break;
    case 56: // cut region
        p.setPen(QPen(kRed, 1.5));
        p.drawPolygon(QPolygonF({{4, 12}, {9, 4}, {19, 6}, {20, 16}, {11, 20}}));
        break;
    case 51: // open: a folder
        p.setBrush(kFolder);
        p.drawPolygon(QPolygonF({{2, 7}, {9, 7}, {11, 9}, {22, 9}, {22, 20}, {2, 20}}));
        break;
    case 52: { // save as: a diskette
        p.setBrush(kNavy);
        p.drawRect(QRectF(3, 3, 18, 18));
        p.setBrush(kPaper);
        p.drawRect(QRectF(7, 3, 10, 7));
        p.drawRect(QRectF(6, 14, 12, 7));
        break;
    }
    case 53: // erase: a blank sheet
        p.setBrush(kPaper);
        p.drawPolygon(QPolygonF({{5, 2}, {15, 2}, {19, 6}, {19, 22}, {5, 22}}));
        p.drawPolyline(QPolygonF({{15, 2}, {15, 6}, {19, 6}}));
        break;
    case 57: // isotopic profile: a cluster of falling sticks
        p.setPen(QPen(kNavy, 2.5));
        bars(p, {16, 7, 3}, 6, 6);
        break;
    case 62: { // elemental formulas: letters
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(11);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRectF(0, 0, kGrid, kGrid), Qt::AlignCenter, QStringLiteral("CHN"));
        break;
    }
    case 64: { // autofragment: a chain broken in two
        p.setPen(QPen(kInk, 1.5));
        p.drawPolyline(QPolygonF({{2, 15}, {6, 10}, {10, 15}}));
        p.drawPolyline(QPolygonF({{14, 10}, {18, 15}, {22, 10}}));
        p.setPen(QPen(kRed, 1.5));
        p.drawLine(QPointF(12, 4), QPointF(12, 21));
        break;
    }
    case 59: // show spectrum: bars of a mass spectrum
        p.setPen(QPen(kNavy, 2));
        bars(p, {6, 14, 4, 9, 17, 3, 7}, 3, 3);
        p.setPen(QPen(kInk, 1));
        p.drawLine(QPointF(1, 21), QPointF(23, 21));
        break;
    case 63: // import a scanned spectrum: a page with bars and the scan line
        p.setBrush(kPaper);
        p.drawRect(QRectF(3, 2, 18, 20));
        p.setPen(QPen(kInk, 1.5));
        bars(p, {8, 12, 5}, 8, 4);
        p.setPen(QPen(kRed, 1));
        p.drawLine(QPointF(1, 11), QPointF(23, 11));
        break;
    case 58: { // scroll bars: arrows to all four sides
        p.setBrush(kInk);
        p.drawPolygon(QPolygonF({{12, 1}, {16, 6}, {8, 6}}));
        p.drawPolygon(QPolygonF({{12, 23}, {16, 18}, {8, 18}}));
        p.drawPolygon(QPolygonF({{1, 12}, {6, 8}, {6, 16}}));
        p.drawPolygon(QPolygonF({{23, 12}, {18, 8}, {18, 16}}));
        p.drawLine(QPointF(12, 6), QPointF(12, 18));
        p.drawLine(QPointF(6, 12), QPointF(18, 12));
        break;
    }
    case 60: { // redraw: a circular arrow
        p.setPen(QPen(kNavy, 2));
        p.drawArc(QRectF(4, 4, 16, 16), 60 * 16, 290 * 16);
        p.setBrush(kNavy);
        p.drawPolygon(QPolygonF({{14, 1}, {19, 5}, {13, 8}}));
        break;
    }
    case 61: // exit: a door with an arrow leaving it
        p.setBrush(kFolder);
        p.drawRect(QRectF(3, 2, 11, 20));
        p.setPen(QPen(kRed, 2));
        p.drawLine(QPointF(10, 12), QPointF(22, 12));
        p.drawPolyline(QPolygonF({{18, 8}, {22, 12}, {18, 16}}));
        break;
    default:
        break;
    }
}

} // namespace

QIcon speedButtonIcon(const QString& name, int size) {
    bool ok = false;
    const int button = name.mid(QStringLiteral("SpeedButton").size()).toInt(&ok);
    if (!ok || !name.startsWith(QStringLiteral("SpeedButton")) || button == 49 || button == 50)
        return {};
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kGrid, size / kGrid);
    p.setPen(QPen(kInk, 1));
    drawPicture(p, button);
    p.end();
    return QIcon(pixmap);
}

} // namespace qzx
