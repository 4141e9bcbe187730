#include "render/page_painter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "render/structure_painter.h"

namespace qzx {
namespace {

QColor colourOf(PageColour colour) {
    switch (colour) {
    case PageColour::Navy:
        return QColor(0, 0, 128);
    case PageColour::Red:
        return QColor(255, 0, 0);
    case PageColour::Blue:
        return QColor(0, 0, 255);
    case PageColour::Black:
        break;
    }
    return QColor(0, 0, 0);
}

QFont fontOf(const PageText& text, bool lowered) {
    QFont font(QString::fromStdString(text.family));
    font.setPixelSize(
        std::max(1, lowered && text.loweredPixelSize > 0 ? text.loweredPixelSize : text.pixelSize));
    font.setBold(text.bold);
    font.setItalic(text.italic);
    return font;
}

} // namespace

void paintPageText(QPainter& painter, const PageText& text) {
    painter.save();
    painter.setPen(colourOf(text.colour));
    int width = 0;
    for (const PageTextRun& run : text.runs)
        width += QFontMetrics(fontOf(text, run.lowered), painter.device())
                     .horizontalAdvance(QString::fromStdString(run.text));
    int x = text.x;
    if (text.anchor == PageText::Anchor::Centre) x -= width / 2;
    if (text.anchor == PageText::Anchor::Right) x -= width;
    for (const PageTextRun& run : text.runs) {
        const QFont font = fontOf(text, run.lowered);
        painter.setFont(font);
        const QString piece = QString::fromStdString(run.text);
        const int y = text.y + (run.lowered ? text.loweredBy : 0);
        drawTextTopLeft(painter, QPoint(x, y), piece);
        x += QFontMetrics(font, painter.device()).horizontalAdvance(piece);
    }
    painter.restore();
}

void paintPageLine(QPainter& painter, const PageLine& line) {
    painter.save();
    painter.setPen(QPen(colourOf(line.colour), line.penWidth));
    painter.drawLine(line.x1, line.y1, line.x2, line.y2);
    painter.restore();
}

void paintSpectrumPage(QPainter& painter, const SpectrumPage& page) {
    for (const PageLine& line : page.axes)
        paintPageLine(painter, line);
    for (const PageLine& line : page.peaks)
        paintPageLine(painter, line);
    for (const PageText& text : page.texts)
        paintPageText(painter, text);
    for (const PageLine& line : page.rules)
        paintPageLine(painter, line);
}

} // namespace qzx
