#include "render/isotope_plot.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "render/structure_painter.h"

namespace qzx {
namespace {

/// A font of `points` on the painter's device (the plot is 96 dpi, a printer its own).
QFont pointFont(const QString& family, int points, bool bold, bool italic = false) {
    QFont font(family);
    font.setPointSize(std::max(points, 1));
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

} // namespace

void paintIsotopePlot(QPainter& painter, const std::vector<ProfileStick>& sticks, bool accurate,
                      PlotLabels labels) {
    painter.save();
    painter.fillRect(0, 0, kIsotopePlotWidth, kIsotopePlotHeight, Qt::white);
    painter.setPen(QPen(Qt::red, 1));
    painter.drawLine(40, 30, 40, kProfileBaseline);
    painter.drawLine(40, kProfileBaseline, 220, kProfileBaseline);
    painter.setPen(Qt::black);
    painter.setFont(labelFont(QStringLiteral("Times New Roman"), 8, true));
    drawTextTopLeft(painter, {85, 185}, QStringLiteral("Mass/Charge"));
    drawTextTopLeft(painter, {30, 170}, QStringLiteral("1"));
    drawTextTopLeft(painter, {25, 100}, QStringLiteral("50"));
    drawTextTopLeft(painter, {20, 25}, QStringLiteral("100"));

    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::FlatCap));
    for (const ProfileStick& s : sticks)
        painter.drawLine(s.x, kProfileBaseline, s.x, kProfileBaseline - s.height);
    if (labels != PlotLabels::None) {
        painter.setPen(Qt::black);
        painter.setFont(labelFont(QStringLiteral("Small Fonts"), 6, false));
        for (const ProfileStick& s : sticks) {
            if (labels == PlotLabels::AboveOnePercent && !(s.abundance > 1.0f)) continue;
            drawTextTopLeft(painter, {s.x - 7, kProfileBaseline - s.height - 10},
                            QString::fromStdString(profileLabelText(s.mass, accurate)));
        }
    }
    painter.restore();
}

void paintIsotopeProfilePage(QPainter& painter, const IsotopeProfilePage& page, int scale) {
    const auto at = [scale](int x, int y) { return QPoint(x * scale, y * scale); };
    const auto text = [&](int x, int y, const QString& t) {
        drawTextTopLeft(painter, at(x, y), t);
    };
    painter.save();
    painter.setPen(Qt::black);

    painter.setFont(pointFont(QStringLiteral("Arial"), 12, true));
    text(940, 110, QStringLiteral("ISOTOPE PROFILE"));

    // The composition: each symbol, its count 30 units lower in 8 point, then a gap by the
    // count's length.
    const QFont symbolFont = pointFont(QStringLiteral("Arial"), 11, false);
    const QFont countFont = pointFont(QStringLiteral("Arial"), 8, false);
    painter.setFont(symbolFont);
    const QString opening = QStringLiteral("Composition:   ");
    text(200, 330, opening);
    int x = 200 * scale + painter.fontMetrics().horizontalAdvance(opening);
    for (const auto& [symbol, count] : page.elements) {
        painter.setFont(symbolFont);
        drawTextTopLeft(painter, QPoint(x, 330 * scale), symbol);
        x += painter.fontMetrics().horizontalAdvance(symbol);
        painter.setFont(countFont);
        drawTextTopLeft(painter, QPoint(x, 360 * scale), count);
        const int n = count.toInt();
        const QString gap = n >= 100 ? QStringLiteral("     ")
                                     : (n >= 10 ? QStringLiteral("    ") : QStringLiteral("  "));
        x += painter.fontMetrics().horizontalAdvance(count + gap);
    }
    painter.setFont(pointFont(QStringLiteral("Arial"), 12, false));
    drawTextTopLeft(painter, QPoint(std::max(x, 940 * scale), 330 * scale),
                    QStringLiteral("    Nominal Mass:  ") + page.nominalMass +
                        QStringLiteral("        Minimum Abundance:  ") + page.minimumAbundance +
                        QStringLiteral("%"));

    // The plot.
    painter.setPen(QPen(Qt::red, scale));
    painter.drawLine(at(580, 570), at(580, 1330));
    painter.drawLine(at(580, 1330), at(1680, 1330));
    for (int y : {580, 768, 955, 1143})
        painter.drawLine(at(560, y), at(580, y));
    painter.setPen(Qt::black);
    painter.setFont(pointFont(QStringLiteral("Arial"), 9, false));
    text(490, 560, QStringLiteral("100"));
    text(510, 748, QStringLiteral("75"));
    text(510, 935, QStringLiteral("50"));
    text(510, 1123, QStringLiteral("25"));
    painter.setFont(pointFont(QStringLiteral("Arial"), 11, false));
    text(1050, 1360, QStringLiteral("Mass/Charge"));

    const auto peaks = static_cast<int>(page.sticks.size());
    const int step = peaks < 11 ? 100 : static_cast<int>(std::nearbyint(1000.0 / peaks));
    for (int i = 0; i < peaks; ++i) {
        const ProfileStick& s = page.sticks[static_cast<std::size_t>(i)];
        const int px = 700 + i * step;
        const auto height = static_cast<int>(std::nearbyint(s.abundance * 0.01 * 750.0));
        painter.setPen(QPen(Qt::black, 2 * scale, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(at(px, 1330), at(px, 1330 - height));
        if (page.labels && s.abundance > 20.0f) {
            painter.setPen(Qt::black);
            const QString label = page.accurate ? QString::number(s.mass, 'f', 4)
                                                : QString::number(std::nearbyint(s.mass), 'f', 0);
            text(px - 30, 1300 - height, label);
        }
    }

    // The table: one block of up to 10 rows, or blocks of 10 (up to 30 peaks) or 20.
    struct Block {
        int heading, ruleA1, ruleA2, ruleB1, ruleB2, massX, abundanceX;
    };
    constexpr Block kBlocks[] = {{350, 330, 490, 610, 860, 300, 640},
                                 {1050, 1030, 1190, 1310, 1560, 1000, 1340},
                                 {1750, 1730, 1890, 2010, 2260, 1700, 2040}};
    const auto rows = static_cast<int>(page.rows.size());
    const int perBlock = rows > 30 ? 20 : 10;
    const int spacing = rows > 30 ? 50 : 100;
    for (int b = 0; b < 3 && b * perBlock < rows; ++b) {
        const Block& block = kBlocks[b];
        painter.setPen(Qt::black);
        painter.setFont(pointFont(QStringLiteral("Arial"), 11, true, true));
        text(block.heading, 1600, QStringLiteral("Mass               Abundance"));
        painter.setPen(QPen(Qt::black, 2 * scale));
        painter.drawLine(at(block.ruleA1, 1660), at(block.ruleA2, 1660));
        painter.drawLine(at(block.ruleB1, 1660), at(block.ruleB2, 1660));
        painter.setPen(QPen(Qt::black, scale));
        painter.setFont(pointFont(QStringLiteral("Arial"), 11, false));
        const int last = b == 2 ? rows : std::min(rows, (b + 1) * perBlock);
        for (int r = b * perBlock; r < last; ++r) {
            const int y = 1700 + (r - b * perBlock) * spacing;
            text(block.massX, y, page.rows[static_cast<std::size_t>(r)].first);
            text(block.abundanceX, y, page.rows[static_cast<std::size_t>(r)].second);
        }
    }
    painter.restore();
}

QString isotopeTableText(const std::vector<std::pair<QString, QString>>& rows) {
    QStringList lines;
    for (const auto& [mass, abundance] : rows)
        lines << mass + QStringLiteral("   ") + abundance;
    return lines.join(u'\n') + (lines.isEmpty() ? QString() : QStringLiteral("\n"));
}

} // namespace qzx
