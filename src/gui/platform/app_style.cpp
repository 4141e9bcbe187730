#include "platform/app_style.h"

#include <QEvent>

namespace qzx {

int AppStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                        QStyleHintReturn* returnData) const {
    if (hint == SH_ToolTip_WakeUpDelay) return 300;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

bool HintSwitch::eventFilter(QObject* watched, QEvent* event) {
    if (!m_shown && event->type() == QEvent::ToolTip) return true;
    return QObject::eventFilter(watched, event);
}

} // namespace qzx
