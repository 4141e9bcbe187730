#include "windows/shortcut_line.h"

#include <QPainter>
#include <QRegularExpression>

namespace qzx {

std::optional<ShortcutColumns> splitShortcutLine(const QString& text) {
    // A dot leader divides the line where there is one; otherwise the first run of blanks.
    static const QRegularExpression dotted(QStringLiteral("^(.*?\\S)\\s*\\.{3,}\\s*(\\S.*)$"));
    static const QRegularExpression blanks(QStringLiteral("^(.*?\\S)\\s{2,}(\\S.*)$"));
    if (const QRegularExpressionMatch m = dotted.match(text); m.hasMatch())
        return ShortcutColumns{m.captured(1), m.captured(2), true};
    if (const QRegularExpressionMatch m = blanks.match(text); m.hasMatch())
        return ShortcutColumns{m.captured(1), m.captured(2), false};
    return std::nullopt;
}

ShortcutLine::ShortcutLine(const QString& text, QWidget* parent)
    : QLabel(text, parent), m_columns(splitShortcutLine(text)) {
    // Plain text, so "<Ctrl>", "<Esc>" and "<Shift>" are never taken for markup.
    setTextFormat(Qt::PlainText);
}

int ShortcutLine::keyWidth() const {
    return m_columns ? fontMetrics().horizontalAdvance(m_columns->key) : 0;
}

void ShortcutLine::setDescriptionColumn(int x) {
    m_column = x;
    updateGeometry();
    update();
}

QSize ShortcutLine::sizeHint() const {
    if (!m_columns || m_column <= 0) return QLabel::sizeHint();
    const QMargins m = contentsMargins();
    return {m.left() + m_column + fontMetrics().horizontalAdvance(m_columns->description) +
                m.right(),
            QLabel::sizeHint().height()};
}

void ShortcutLine::paintEvent(QPaintEvent* event) {
    if (!m_columns || m_column <= 0) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const QRect area = contentsRect();
    const QFontMetrics metrics = fontMetrics();
    const int baseline = area.top() + (area.height() + metrics.ascent() - metrics.descent()) / 2;
    painter.drawText(area.left(), baseline, m_columns->key);
    if (m_columns->dotted) {
        const int from = area.left() + keyWidth() + metrics.horizontalAdvance(u' ');
        const int to = area.left() + m_column - metrics.horizontalAdvance(u' ');
        const int dot = std::max(1, metrics.horizontalAdvance(u'.'));
        const QString dots((to - from) / dot > 0 ? (to - from) / dot : 0, u'.');
        painter.drawText(to - metrics.horizontalAdvance(dots), baseline, dots);
    }
    painter.drawText(area.left() + m_column, baseline, m_columns->description);
}

} // namespace qzx
