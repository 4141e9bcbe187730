#include "render/cut_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <cmath>

#include "render/colors.h"
#include "render/structure_painter.h"
#include "settings/settings.h"
#include "structure/fragment_cuts.h"
#include "structure/structure.h"

namespace qzx {
namespace {

constexpr int kCutRed = 255; ///< the colour value of pure red

void markSide(QPainter& painter, const std::vector<int>& atoms, const Structure& structure,
              QColor color, int width) {
    painter.setPen(QPen(color, width));
    for (int row : atoms) {
        const Atom& atom = structure.atom(row);
        painter.drawEllipse(QRect(atom.X - 1, atom.Y - 1, 2, 2));
    }
}

/// An unfilled rectangle as the desktop draws one between two corners: the outline runs
/// along the first corner's row and column and just inside the second's.
void drawCornerRectangle(QPainter& painter, QPoint first, QPoint second) {
    painter.drawRect(
        QRect(first.x(), first.y(), second.x() - first.x() - 1, second.y() - first.y() - 1));
}

QPoint pointOf(float x, float y) {
    return {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
}

} // namespace

void paintCutOutcome(QPainter& painter, const CutOutcome& cut, const Structure& structure,
                     const Settings& settings) {
    painter.save();
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setBrush(Qt::NoBrush);
    const int penWidth = settings.BondWidth ? 1 : 2;
    painter.setPen(QPen(colorFromValue(kCutRed), penWidth));
    const QPoint from(cut.from.x, cut.from.y);
    const QPoint to(cut.to.x, cut.to.y);
    if (cut.shape == CutShape::Line) painter.drawLine(from, to);
    if (cut.shape == CutShape::Box) drawCornerRectangle(painter, from, to);

    const QColor colorA = colorFromValue(settings.FragmentA);
    const QColor colorB = colorFromValue(settings.FragmentB);
    markSide(painter, cut.sideA.atoms, structure, colorA, settings.FragmentMarker);
    markSide(painter, cut.sideB.atoms, structure, colorB, settings.FragmentMarker);

    painter.setFont(
        labelFont(QStringLiteral("Arial"), settings.FontSize, true, paintsSmoothly(painter)));
    int labelAEnd = 0;
    for (std::size_t i = 0; i < cut.labels.size(); ++i) {
        const CutLabel& label = cut.labels[i];
        const QString text = QString::fromStdString(label.text);
        QPoint at(label.at.x, label.at.y);
        if (label.afterFirstLabel) at.rx() = labelAEnd + label.at.x;
        painter.setPen(i == 0 ? colorA : colorB);
        drawTextTopLeft(painter, at, text);
        if (i == 0) labelAEnd = cut.from.x + painter.fontMetrics().horizontalAdvance(text);
    }
    painter.restore();
}

void paintFragmentAtoms(QPainter& painter, const std::vector<std::int32_t>& atoms,
                        const Structure& structure, const Settings& settings) {
    painter.save();
    const QColor color = colorFromValue(settings.FragmentA);
    painter.setPen(QPen(color, settings.FragmentMarker));
    painter.setBrush(color);
    for (const std::int32_t row : atoms) {
        if (row < 1 || row > structure.count.atoms) continue;
        const Atom& atom = structure.atom(row);
        painter.drawEllipse(QRect(atom.X - 1, atom.Y - 1, 2, 2));
    }
    painter.restore();
}

void paintStoredCuts(QPainter& painter, const CutList& cuts, QPoint shift) {
    for (int i = 0; i < cuts.count && i < kMaxCuts; ++i) {
        const CutEntry& cut = cuts.entries[static_cast<std::size_t>(i)];
        const QString a = QString::fromStdString(pictureMassText(cut.massA));
        const QString b = QString::fromStdString(pictureMassText(cut.massB));
        const QPoint first = pointOf(cut.left(), cut.y1) - shift;
        const QPoint second = pointOf(cut.x2, cut.y2) - shift;
        if (cut.isBox()) {
            drawCornerRectangle(painter, first, second);
            // The labels' top-left corners: 10 pixels above the top edge, the second 10
            // pixels after the first.
            const QPoint labelA(first.x(), first.y() - 10);
            drawTextTopLeft(painter, labelA, a);
            const int afterA = labelA.x() + painter.fontMetrics().horizontalAdvance(a) + 10;
            drawTextTopLeft(painter, QPoint(afterA, labelA.y()), b);
        } else {
            painter.drawLine(first, second);
            drawTextTopLeft(painter, first + QPoint(5, 0), a);
            drawTextTopLeft(painter, second + QPoint(5, 0), b);
        }
    }
}

} // namespace qzx
