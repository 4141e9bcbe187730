#pragma once

#include <QMap>
#include <QWidget>

class QLabel;
class QToolButton;

namespace qzx {

struct ScreenFit;

/// The speed bar across the top of the main window (`Panel3`): one button for each speed-bar
/// command of the command table, in its order and groups, the chain length ("Length:" and
/// the count, `Label2` and `Label3`) while the chain tool drags, and Exit at the right end.
class SpeedBar : public QWidget {
    Q_OBJECT
public:
    explicit SpeedBar(QWidget* parent = nullptr);

    /// The buttons by object name ("SpeedButton49", ...).
    const QMap<QString, QToolButton*>& buttons() const { return m_buttons; }
    /// Shows "Length:" and `length`, or hides both when `length` is negative.
    void showChainLength(int length);
    void applyFit(const ScreenFit& fit);

private:
    QMap<QString, QToolButton*> m_buttons;
    QLabel* m_chainLabel = nullptr;
    QLabel* m_chainCount = nullptr;
};

} // namespace qzx
