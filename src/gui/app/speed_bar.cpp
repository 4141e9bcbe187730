#include "app/speed_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include "app/command_table.h"
#include "app/screen_fit.h"
#include "render/speed_bar_icons.h"

namespace qzx {
namespace {

constexpr int kSpeedBarHeight = 28; ///< pixels on the 800 x 600 design
constexpr int kIconSize = 20;       ///< pixels on the 800 x 600 design
constexpr int kGroupGap = 6;

} // namespace

SpeedBar::SpeedBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Panel3"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(1);

    m_chainLabel = new QLabel(QStringLiteral("Length:"), this);
    m_chainLabel->setObjectName(QStringLiteral("Label2"));
    m_chainCount = new QLabel(this);
    m_chainCount->setObjectName(QStringLiteral("Label3"));
    m_chainCount->setAccessibleDescription(QStringLiteral("Chain Length"));
    showChainLength(-1);

    QList<QToolButton*> order;
    for (const CommandSpec& command : commandTable()) {
        if (command.kind != CommandKind::SpeedButton) continue;
        auto* b = new QToolButton(this);
        const QString name = QString::fromLatin1(command.name);
        b->setObjectName(name);
        b->setText(QString::fromLatin1(command.caption));
        b->setToolTip(QString::fromLatin1(command.hint));
        b->setAccessibleName(QString::fromLatin1(command.hint));
        b->setAutoRaise(true);
        b->setCheckable(command.checkable());
        // Pictures keep the bar within an 800-pixel screen; Draw and Analyze show their words.
        const QIcon icon = speedButtonIcon(name, 48);
        if (!icon.isNull()) {
            b->setIcon(icon);
            b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        }
        b->setProperty("groupStart", command.groupStart);
        m_buttons.insert(name, b);
        order << b;
    }
    // The last button (Exit) sits at the right end, after the chain length.
    QToolButton* exit = order.isEmpty() ? nullptr : order.takeLast();
    for (QToolButton* b : order) {
        if (b->property("groupStart").toBool()) row->addSpacing(kGroupGap);
        row->addWidget(b);
    }
    row->addSpacing(kGroupGap);
    row->addWidget(m_chainLabel);
    row->addWidget(m_chainCount);
    row->addStretch(1);
    if (exit) row->addWidget(exit);
}

void SpeedBar::showChainLength(int length) {
    m_chainLabel->setVisible(length >= 0);
    m_chainCount->setVisible(length >= 0);
    if (length >= 0) m_chainCount->setText(QString::number(length));
}

void SpeedBar::applyFit(const ScreenFit& fit) {
    const double scale = fit.contentScale * fit.speedBarScale;
    setFixedHeight(static_cast<int>(kSpeedBarHeight * scale + 0.5));
    const int iconSide = static_cast<int>(kIconSize * scale + 0.5);
    for (QToolButton* b : std::as_const(m_buttons))
        b->setIconSize(QSize(iconSide, iconSide));
    if (!fit.smallGroupCaptions) return;
    const QFont small(QStringLiteral("Small Fonts"), 6);
    for (const char* name : {"SpeedButton49", "SpeedButton50"})
        if (QToolButton* b = m_buttons.value(QString::fromLatin1(name))) b->setFont(small);
}

} // namespace qzx
