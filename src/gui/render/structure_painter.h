#pragma once

#include <QFont>
#include <QLine>
#include <QPoint>
#include <QString>
#include <vector>

class QPainter;

namespace qzx {

class ElementTable;
class Structure;
struct Bond;
struct Settings;

/// Paints the structure from scratch: fills the whole paint device with the "Background"
/// colour, walks the draw list (bonds, aromatic ring circles, nitro labels), then paints the
/// label of every atom whose label is shown, in row order, over the bonds. Coordinates are
/// pixels of the 1600 x 1200 drawing image; fonts are sized in those pixels as well (points at
/// 96 dpi), so a printer or SVG painter only needs a scale transform. Lines and labels are
/// aliased, as on the desktop the program was drawn for, unless the painter comes with
/// antialiasing on (the zoomed screen view). The painter's state is restored afterwards.
void paintStructure(QPainter& painter, const Structure& structure, const ElementTable& elements,
                    const Settings& settings);

/// The clearing step of paintStructure alone: the whole device in the "Background" colour.
void clearStructureImage(QPainter& painter, const Settings& settings);

/// paintStructure without clearing, for pictures that bring their own background.
void paintStructureContents(QPainter& painter, const Structure& structure,
                            const ElementTable& elements, const Settings& settings);

/// Which side of a ring double bond (`Order` 2, `RingState` 1) its inner line lies on, 1..8,
/// from the bond's direction and its ring centre (`RingX`, `RingY`): 1/2 vertical bond left /
/// right of the centre, 3/4 horizontal bond above / below it, 5..8 slanted bonds by the
/// quadrant of their midpoint (halves truncated toward zero) about the centre.
int ringDoubleBondSide(const Bond& bond);

/// The inner line of a ring double bond: the bond shifted 4 pixels toward the ring centre, or
/// for a slanted bond with one end moved 5 pixels along an axis.
QLine ringInnerLine(const Bond& bond);

/// The lines of a double (order 2) or triple (order 3) bond, in drawing order: two lines
/// `piBond` pixels (one more for a triple bond) either side of the bond, straightened to an
/// axis when nearly vertical or horizontal, then for a triple bond the centre line.
std::vector<QLine> multipleBondLines(QPoint start, QPoint end, int order, int piBond);

/// Where the bond tools put the new atom of a double or triple bond drawn from `start` to
/// `end`: the straightened end point of multipleBondLines.
QPoint straightenedEnd(QPoint start, QPoint end);

/// A label font: `family` ("Arial", "Small Fonts") at `points` on a 96 dpi surface, without
/// antialiasing unless `smooth`. Sizes below 1 pixel become 1 pixel.
QFont labelFont(const QString& family, int points, bool bold, bool smooth = false);

/// Whether the painter was set up to antialias: the painters then smooth their text as well.
bool paintsSmoothly(const QPainter& painter);

/// Writes `text` in the painter's font and pen colour with `topLeft` as the top-left corner of
/// its text cell (the baseline lies one font ascent lower).
void drawTextTopLeft(QPainter& painter, QPoint topLeft, const QString& text);

} // namespace qzx
