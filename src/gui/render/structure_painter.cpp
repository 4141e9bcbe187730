#include "render/structure_painter.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "chem/element_table.h"
#include "render/colors.h"
#include "settings/settings.h"
#include "structure/bond_geometry.h"
#include "structure/structure.h"
#include "util/rounding.h"

namespace qzx {
namespace {

const QString kLabelFamily = QStringLiteral("Arial");
const QString kCountFamily = QStringLiteral("Small Fonts");

/// Pixels by which a ring double bond's inner line is moved toward the ring centre.
constexpr int kInnerShift = 4;
/// Pixels by which one end of a slanted ring double bond's inner line is moved.
constexpr int kInnerSlantShift = 5;
/// Half the side of the square that hides the bond ends under a nitro label.
constexpr int kNitroBlank = 5;
/// Element rows of the labelled isotopes D, C*, N* and O*.
constexpr int kFirstIsotope = 12;
constexpr int kLastIsotope = 15;

/// Windows point-to-pixel conversion at 96 dpi: MulDiv(points, 96, 72), halves away from 0.
int pixelsFromPoints(int points) {
    // Sizes come from the INI file unchecked; keep the product in range.
    const int scaled = std::clamp(points, -1000, 1000) * 96;
    return scaled >= 0 ? (scaled + 36) / 72 : (scaled - 36) / 72;
}

/// Half the side of the square that hides the bonds under an atom label, by font size.
int labelHalfSize(int fontSize) {
    if (fontSize < 10) return 5;
    if (fontSize == 10) return 8;
    return 9;
}

/// A rectangle given by its corners the way the desktop fills it: the right and bottom edges
/// are not part of it.
QRect cornerRect(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

QPoint toQPoint(PixelPoint p) {
    return {p.x, p.y};
}
PixelPoint toPixelPoint(QPoint p) {
    return {p.x(), p.y()};
}

QPen bondPen(const Settings& settings) {
    // A 1-pixel line leaves out its last pixel and a 2-pixel line has round ends, as the
    // desktop's pens do.
    const int width = settings.BondWidth ? 1 : 2;
    return QPen(colorFromValue(settings.Bonds), width, Qt::SolidLine,
                width == 1 ? Qt::FlatCap : Qt::RoundCap, Qt::RoundJoin);
}

void paintBond(QPainter& painter, const Bond& bond, int piBond) {
    const QLine line(bond.X1, bond.Y1, bond.X2, bond.Y2);
    if (bond.Order == 2 && bond.RingState == 1) {
        painter.drawLine(line);
        painter.drawLine(ringInnerLine(bond));
    } else if ((bond.Order == 2 || bond.Order == 3) && bond.RingState < 2) {
        for (const QLine& l : multipleBondLines(line.p1(), line.p2(), bond.Order, piBond))
            painter.drawLine(l);
    } else {
        painter.drawLine(line);
    }
}

void paintRingCircle(QPainter& painter, const AromaticRing& ring) {
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPoint(ring.CentreX, ring.CentreY), ring.Radius, ring.Radius);
}

/// "NO" with a subscript "2" over the end of the bond that leads to the nitro nitrogen.
void paintNitroLabel(QPainter& painter, const Bond& bond, const Settings& settings) {
    const int x = bond.X2;
    const int y = bond.Y2;
    painter.fillRect(cornerRect(x - kNitroBlank, y - kNitroBlank, x + kNitroBlank, y + kNitroBlank),
                     colorFromValue(settings.Background));

    const QPen bonds = painter.pen();
    painter.setPen(colorFromValue(settings.FontColor));
    painter.setFont(
        labelFont(kLabelFamily, settings.FontSize, settings.FontBold, paintsSmoothly(painter)));
    const QString no = QStringLiteral("NO");
    drawTextTopLeft(painter, {x - 4, y - 6}, no);
    const QFontMetrics metrics = painter.fontMetrics();
    const QPoint subscript(x - 4 + metrics.horizontalAdvance(no), y + metrics.height() / 5);
    painter.setFont(
        labelFont(kLabelFamily, settings.FontSize - 3, settings.FontBold, paintsSmoothly(painter)));
    drawTextTopLeft(painter, subscript, QStringLiteral("2"));
    painter.setPen(bonds);
}

QString symbolOf(const ElementTable& elements, int element) {
    if (element < 1 || element > kElementCount) return {};
    return QString::fromStdString(elements[element].Symbol);
}

/// The symbol, "H" and the hydrogen count of one atom over a blanked area: the square around
/// the atom and everything the texts cover as the fonts measure them, so no bond runs
/// through a label or its count.
void paintAtomLabel(QPainter& painter, const Atom& atom, const ElementTable& elements,
                    const Settings& settings) {
    const int x = atom.X;
    const int y = atom.Y;
    const int h = atom.Hydrogens;
    const int s = labelHalfSize(settings.FontSize);
    const QRect blank = h == 0 ? cornerRect(x - s, y - s, x + s, y + s)
                               : cornerRect(x + 2 - s, y - s, x + 6 + s, y + s);

    const QString symbol = symbolOf(elements, atom.Element);
    const QString text = h > 0 ? symbol + QLatin1Char('H') : symbol;
    const QPoint textCell(x - 4, y - 6);
    const QFont font =
        labelFont(kLabelFamily, settings.FontSize, settings.FontBold, paintsSmoothly(painter));
    const QFont countFont =
        labelFont(kCountFamily, settings.FontSize - 2, settings.FontBold, paintsSmoothly(painter));
    const QFontMetrics metrics(font, painter.device());
    const QFontMetrics countMetrics(countFont, painter.device());
    const QString count = h > 1 ? QString::number(h) : QString();
    // The count starts at the atom's x plus the text width, a little right of the "H".
    const QPoint countCell(x + metrics.horizontalAdvance(text), y + metrics.height() / 5);
    const QColor background = colorFromValue(settings.Background);
    painter.fillRect(blank, background);
    // The text's line reaches to the end of the count, so no bond shows between "H" and it.
    const int countEnd = countCell.x() + countMetrics.horizontalAdvance(count);
    const int lineEnd = count.isEmpty() ? textCell.x() + metrics.horizontalAdvance(text) : countEnd;
    painter.fillRect(QRect(textCell, QSize(lineEnd - textCell.x(), metrics.height())), background);
    if (!count.isEmpty())
        painter.fillRect(
            QRect(countCell, QSize(countMetrics.horizontalAdvance(count), countMetrics.height())),
            background);

    painter.setFont(font);
    painter.setPen(colorFromValue(settings.FontColor));
    drawTextTopLeft(painter, textCell, text);
    if (!count.isEmpty()) {
        painter.setFont(countFont);
        drawTextTopLeft(painter, countCell, count);
        painter.setFont(font);
    }
    if (atom.Element >= kFirstIsotope && atom.Element <= kLastIsotope) {
        painter.setPen(colorFromValue(settings.IsotopeColor));
        drawTextTopLeft(painter, textCell, symbol);
    }
}

} // namespace

int ringDoubleBondSide(const Bond& bond) {
    const int cx = bond.RingX;
    const int cy = bond.RingY;
    if (bond.X1 == bond.X2) return bond.X1 < cx ? 1 : 2;
    if (bond.Y1 == bond.Y2) return bond.Y1 < cy ? 3 : 4;
    // Integer division truncates toward zero, as the midpoint rule needs.
    const auto mx = (static_cast<long long>(bond.X1) + bond.X2) / 2;
    const auto my = (static_cast<long long>(bond.Y1) + bond.Y2) / 2;
    if (mx < cx) return my < cy ? 5 : 6;
    return my < cy ? 7 : 8;
}

QLine ringInnerLine(const Bond& b) {
    constexpr int d = kInnerShift;
    constexpr int e = kInnerSlantShift;
    switch (ringDoubleBondSide(b)) {
    case 1:
        return {b.X1 + d, b.Y1, b.X2 + d, b.Y2};
    case 2:
        return {b.X1 - d, b.Y1, b.X2 - d, b.Y2};
    case 3:
        return {b.X1, b.Y1 + d, b.X2, b.Y2 + d};
    case 4:
        return {b.X1, b.Y1 - d, b.X2, b.Y2 - d};
    case 5:
        return {b.X1, b.Y1 + e, b.X2 + e, b.Y2};
    case 6:
        return {b.X1 + e, b.Y1, b.X2, b.Y2 - e};
    case 7:
        return {b.X1 - e, b.Y1, b.X2, b.Y2 + e};
    default:
        return {b.X1, b.Y1 - e, b.X2 - e, b.Y2};
    }
}

std::vector<QLine> multipleBondLines(QPoint start, QPoint end, int order, int piBond) {
    const int o = order == 3 ? piBond + 1 : piBond;
    const StraightenedBond bond = straightenBond(toPixelPoint(start), toPixelPoint(end));
    const QPoint a = toQPoint(bond.start);
    const QPoint b = toQPoint(bond.end);
    std::vector<QLine> lines;
    switch (bond.axis) {
    case BondAxis::Vertical:
        for (int dx : {-o, o})
            lines.emplace_back(a + QPoint(dx, 0), b + QPoint(dx, 0));
        break;
    case BondAxis::Horizontal:
        for (int dy : {-o, o})
            lines.emplace_back(a + QPoint(0, dy), b + QPoint(0, dy));
        break;
    case BondAxis::Angled: {
        // The slope in single precision, the angles in double.
        const float m = static_cast<float>(b.y() - a.y()) / static_cast<float>(b.x() - a.x());
        const double slope = std::atan(static_cast<double>(m));
        for (double theta : {slope - std::numbers::pi / 2, slope + std::numbers::pi / 2}) {
            const QPoint shift(static_cast<int>(Round(o * std::cos(theta))),
                               static_cast<int>(Round(o * std::sin(theta))));
            lines.emplace_back(a + shift, b + shift);
        }
        break;
    }
    }
    if (order == 3) lines.emplace_back(a, b);
    return lines;
}

QPoint straightenedEnd(QPoint start, QPoint end) {
    return toQPoint(straightenedBondEnd(toPixelPoint(start), toPixelPoint(end)));
}

QFont labelFont(const QString& family, int points, bool bold, bool smooth) {
    QFont font(family);
    // Sized in pixels so the label keeps its size in drawing pixels on any device.
    font.setPixelSize(std::max(1, pixelsFromPoints(points)));
    font.setBold(bold);
    font.setStyleStrategy(smooth ? QFont::PreferAntialias : QFont::NoAntialias);
    return font;
}

bool paintsSmoothly(const QPainter& painter) {
    return painter.testRenderHint(QPainter::Antialiasing);
}

void drawTextTopLeft(QPainter& painter, QPoint topLeft, const QString& text) {
    painter.drawText(topLeft + QPoint(0, painter.fontMetrics().ascent()), text);
}

void clearStructureImage(QPainter& painter, const Settings& settings) {
    const QPaintDevice* device = painter.device();
    if (!device) return;
    painter.save();
    painter.resetTransform();
    const QRect all(0, 0, device->width(), device->height());
    painter.fillRect(all, Qt::white);
    painter.fillRect(all, colorFromValue(settings.Background));
    painter.restore();
}

void paintStructureContents(QPainter& painter, const Structure& structure,
                            const ElementTable& elements, const Settings& settings) {
    painter.save();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(bondPen(settings));
    painter.setBrush(Qt::NoBrush);

    const auto validRow = [](int row, int count) { return row >= 1 && row <= count; };
    const int items = std::min(structure.count.drawItems, kMaxDrawItems);
    for (int row = 1; row <= items; ++row) {
        const DrawItem& item = structure.item(row);
        switch (item.Kind) {
        case kBondItem:
            if (validRow(item.Index, structure.count.bonds))
                paintBond(painter, structure.bond(item.Index), settings.PiBond);
            break;
        case kRingItem:
            if (validRow(item.Index, structure.count.rings))
                paintRingCircle(painter, structure.ring(item.Index));
            break;
        case kNitroItem:
            if (validRow(item.Index, structure.count.bonds))
                paintNitroLabel(painter, structure.bond(item.Index), settings);
            break;
        default: // atoms are labelled below, over the bonds
            break;
        }
    }

    const int atoms = std::min(structure.count.atoms, kMaxAtoms);
    for (int row = 1; row <= atoms; ++row) {
        const Atom& atom = structure.atom(row);
        if (atom.LabelShown == 1) paintAtomLabel(painter, atom, elements, settings);
    }
    painter.restore();
}

void paintStructure(QPainter& painter, const Structure& structure, const ElementTable& elements,
                    const Settings& settings) {
    clearStructureImage(painter, settings);
    paintStructureContents(painter, structure, elements, settings);
}

} // namespace qzx
