#include "windows/status_window.h"

#include "windows/dialog_buttons.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/app_state.h"
#include "platform/system_facts.h"

namespace qzx {

StatusWindow::StatusWindow(const SystemFacts& facts, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TStatform"));
    setWindowTitle(QStringLiteral("Status"));

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(20, 16, 20, 12);
    layout->setSpacing(6);

    // The texts are computed here, once; nothing refreshes them later.
    const QStringList lines = statusLines(facts);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        auto* label = new QLabel(lines[i], this);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        label->setTextFormat(Qt::PlainText);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(label);
    }

    QPushButton* ok = makeAcceptButton(this);
    layout->addSpacing(8);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

StatusWindow::StatusWindow(const AppState& state, QWidget* parent)
    : StatusWindow(gatherSystemFacts(state.programDirectory), parent) {}

} // namespace qzx
