#include "render/editor_overlay.h"

#include <QPainter>
#include <QPolygon>

#include "structure/editor.h"
#include "structure/structure.h"

namespace qzx {
namespace {

const QColor kSelectionMark(255, 0, 255);  // magenta (16711935)
const QColor kReduceBondMark(128, 128, 0); // olive (32896)
const QColor kSelectionFrame(0, 128, 0);   // green (32768)

} // namespace

void paintEditorPreview(QPainter& painter, const EditorPreview& preview) {
    if (preview.kind == EditorPreview::Kind::None || preview.points.empty()) return;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::NoBrush);
    QPolygon polygon;
    for (PixelPoint p : preview.points)
        polygon << QPoint(p.x, p.y);
    switch (preview.kind) {
    case EditorPreview::Kind::RingOutline:
        painter.drawPolygon(polygon);
        break;
    case EditorPreview::Kind::Line:
    case EditorPreview::Kind::FragmentLine:
    case EditorPreview::Kind::FragmentRegion:
        painter.drawPolyline(polygon);
        break;
    case EditorPreview::Kind::SelectionRectangle:
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setPen(QPen(kSelectionFrame, 1));
        [[fallthrough]];
    case EditorPreview::Kind::FragmentBox:
        if (polygon.size() >= 2) painter.drawRect(QRect(polygon[0], polygon[1]).normalized());
        break;
    case EditorPreview::Kind::None:
        break;
    }
    painter.restore();
}

void paintEditorMarks(QPainter& painter, const Structure& structure, bool selection,
                      const std::vector<PixelPoint>& reduceBondMarks) {
    if (!selection && reduceBondMarks.empty()) return;
    painter.save();
    painter.setPen(Qt::NoPen);
    if (selection) {
        painter.setBrush(kSelectionMark);
        for (int row : structure.SelectionList) {
            const Atom& a = structure.atom(row);
            painter.drawEllipse(QPoint(a.X, a.Y), 3, 3);
        }
    }
    painter.setBrush(kReduceBondMark);
    for (PixelPoint p : reduceBondMarks)
        painter.drawRect(p.x - 2, p.y - 2, 5, 5);
    painter.restore();
}

} // namespace qzx
