#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <functional>

class QPainter;

namespace qzx {

/// A picture drawn by `paint` as an SVG document of `size` drawing pixels (96 dpi).
QByteArray svgPicture(QSize size, const std::function<void(QPainter&)>& paint);

/// The same picture on white as an image of `size` pixels at 96 dpi.
QImage imagePicture(QSize size, const std::function<void(QPainter&)>& paint);

} // namespace qzx
