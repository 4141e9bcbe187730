#pragma once

#include <QObject>
#include <QProxyStyle>

namespace qzx {

/// The application's style: the desktop style with a 300-millisecond pause before hints.
class AppStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

/// Switches tool-tip hints off or on for the whole program by swallowing their events.
class HintSwitch : public QObject {
    Q_OBJECT
public:
    explicit HintSwitch(QObject* parent = nullptr) : QObject(parent) {}
    void setHintsShown(bool shown) { m_shown = shown; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_shown = true;
};

} // namespace qzx
