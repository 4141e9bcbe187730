#include "render/structure_picture.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "render/colors.h"
#include "render/cut_painter.h"
#include "render/picture_export.h"
#include "render/structure_painter.h"
#include "settings/settings.h"
#include "structure/fragment_cuts.h"
#include "structure/structure.h"

namespace qzx {
namespace {

constexpr int kNoMinimum = 9999999;
constexpr int kPictureFontPoints = 9;

void widen(QRect& extent, int x, int y) {
    extent.setLeft(std::min(extent.left(), x));
    extent.setTop(std::min(extent.top(), y));
    extent.setRight(std::max(extent.right(), x));
    extent.setBottom(std::max(extent.bottom(), y));
}

int rounded(double value) {
    return static_cast<int>(std::nearbyint(value));
}

} // namespace

QRect structureExtent(const Structure& structure, const CutList* cuts) {
    // Left/top hold the minima and right/bottom the maxima, as plain numbers.
    QRect extent(QPoint(kNoMinimum, kNoMinimum), QPoint(0, 0));
    for (int row = 1; row <= std::min(structure.count.atoms, kMaxAtoms); ++row)
        widen(extent, structure.atom(row).X, structure.atom(row).Y);
    if (cuts != nullptr) {
        for (int i = 0; i < std::min(cuts->count, kMaxCuts); ++i) {
            const CutEntry& cut = cuts->entries[static_cast<std::size_t>(i)];
            widen(extent, rounded(cut.left()), rounded(cut.y1));
            widen(extent, rounded(cut.x2), rounded(cut.y2));
        }
    }
    return extent;
}

QSize structurePictureSize(const StructurePictureInput& input) {
    const QRect extent = structureExtent(*input.structure, input.cuts);
    const int spanX = std::max(extent.right() - extent.left(), 0);
    const int spanY = std::max(extent.bottom() - extent.top(), 0);
    const double sx = 100.0 / std::max(input.scaleX, 1);
    const double sy = 100.0 / std::max(input.scaleY, 1);
    return {rounded(sx * (spanX + 30)), rounded(sy * (spanY + 30))};
}

void BuildStructurePicture(QPainter& painter, const StructurePictureInput& input) {
    const QRect extent = structureExtent(*input.structure, input.cuts);
    const QPoint shift = extent.right() >= extent.left() ? QPoint(extent.left() - input.origin.x(),
                                                                  extent.top() - input.origin.y())
                                                         : QPoint(0, 0);
    Settings settings = *input.settings;
    settings.FontSize = kPictureFontPoints * input.textFactor;
    // Labels blank the bonds under them in the colour of the paper the picture lands on, not
    // in the drawing's background colour.
    settings.Background = valueFromColor(Qt::white);
    settings.BondWidth = input.penWidth <= 1;

    painter.save();
    painter.scale(input.scaleX / 100.0, input.scaleY / 100.0);
    painter.translate(-shift);
    paintStructureContents(painter, *input.structure, *input.elements, settings);
    painter.restore();

    if (input.cuts != nullptr) {
        painter.save();
        painter.scale(input.scaleX / 100.0, input.scaleY / 100.0);
        painter.setPen(QPen(colorFromValue(settings.Bonds), input.penWidth));
        painter.setBrush(Qt::NoBrush);
        painter.setFont(labelFont(QStringLiteral("Arial"), settings.FontSize, settings.FontBold));
        paintStoredCuts(painter, *input.cuts, shift);
        painter.restore();
    }
}

QByteArray structurePictureSvg(const StructurePictureInput& input) {
    return svgPicture(structurePictureSize(input),
                      [&](QPainter& painter) { BuildStructurePicture(painter, input); });
}

QImage structurePictureImage(const StructurePictureInput& input) {
    return imagePicture(structurePictureSize(input),
                        [&](QPainter& painter) { BuildStructurePicture(painter, input); });
}

} // namespace qzx
