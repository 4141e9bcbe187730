#include "render/spectrum_plot_painter.h"

#include <QPainter>
#include <QPen>
#include <algorithm>

#include "render/structure_painter.h"
#include "spectrum/spectrum_plot.h"

namespace qzx {

void paintSpectrumPlot(QPainter& painter, const SpectrumPlot& plot, int width, int height,
                       const std::vector<int>& red) {
    painter.save();
    painter.fillRect(0, 0, width, height, Qt::white);
    const int y0 = plot.baseline;
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(50, 45, 50, y0);
    painter.drawLine(50, y0, width - 50, y0);
    for (int y : plot.intensityTicks)
        painter.drawLine(45, y, 50, y);
    for (int x : plot.massTicks)
        painter.drawLine(x, y0, x, y0 + 5);
    const bool smooth = paintsSmoothly(painter);
    painter.setFont(labelFont(QStringLiteral("MS Sans Serif"), 8, false, smooth));
    for (const PlotText& t : plot.axisTexts)
        drawTextTopLeft(painter, {t.x, t.y}, QString::fromStdString(t.text));
    for (const PlotBar& bar : plot.bars) {
        const bool matched = std::find(red.begin(), red.end(), bar.peak) != red.end();
        painter.setPen(QPen(matched ? QColor(255, 0, 0) : QColor(0, 0, 128), 1));
        painter.drawLine(bar.x, y0, bar.x, y0 - bar.height);
    }
    painter.setPen(Qt::black);
    painter.setFont(labelFont(QStringLiteral("Small Fonts"), 7, false, smooth));
    for (const PlotText& t : plot.peakLabels)
        drawTextTopLeft(painter, {t.x, t.y}, QString::fromStdString(t.text));
    painter.restore();
}

} // namespace qzx
