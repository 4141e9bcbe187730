#include "render/picture_export.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

namespace qzx {

QByteArray svgPicture(QSize size, const std::function<void(QPainter&)>& paint) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(96); // drawing pixels at 96 dots per inch, as on the screen
    QPainter painter(&svg);
    paint(painter);
    painter.end();
    return bytes;
}

QImage imagePicture(QSize size, const std::function<void(QPainter&)>& paint) {
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter);
    painter.end();
    return image;
}

} // namespace qzx
