#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

class QPainter;

namespace qzx {

class ElementTable;
class Structure;
struct CutList;
struct Settings;

/// Where the structure picture comes from: the structure, the cuts drawn with it (in Analyze
/// mode) and the scale and placement of the picture.
struct StructurePictureInput {
    const Structure* structure = nullptr;
    const ElementTable* elements = nullptr;
    const Settings* settings = nullptr;
    const CutList* cuts = nullptr; ///< drawn (and widening the extent) when given
    int scaleX = 100;              ///< percent
    int scaleY = 100;
    QPoint origin{10, 10}; ///< where the structure's top-left corner goes
    int penWidth = 1;      ///< 2 on the printer
    /// 2 when the current printer's page is exactly 4,800 pixels wide, else 1: text sizes
    /// follow the printer even in the clipboard picture.
    int textFactor = 1;
};

/// The smallest and largest atom coordinates, widened by the given cuts' end points (a box's
/// first x by its magnitude); an empty structure without cuts gives the starting values
/// (9,999,999 for the minima, 0 for the maxima).
QRect structureExtent(const Structure& structure, const CutList* cuts);

/// The picture's size: the extent plus 30 pixels each way at 100 %, times 100 / scale, rounded.
QSize structurePictureSize(const StructurePictureInput& input);

/// Draws the picture with `painter`: the structure moved so that its top-left corner lands at
/// the origin, the bonds, ring circles and nitro labels in draw-list order, the shown atom
/// labels in "Arial" 9 points times the text factor, then the stored cuts with their masses.
/// Nothing of the background is painted.
void BuildStructurePicture(QPainter& painter, const StructurePictureInput& input);

/// The picture as an SVG document of its size, for the clipboard's "image/svg+xml".
QByteArray structurePictureSvg(const StructurePictureInput& input);

/// The picture on white as an image of its size, for the clipboard's PNG.
QImage structurePictureImage(const StructurePictureInput& input);

} // namespace qzx
