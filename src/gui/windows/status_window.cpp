#include "windows/status_window.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/prompter.h"
#include "platform/system_facts.h"
#include "state/app_state.h"
#include "windows/command_handlers.h"
#include "windows/dialog_buttons.h"

namespace qzx {

StatusWindow::StatusWindow(const WindowContext& context, const SystemFacts& facts, QWidget* parent)
    : QDialog(parent), m_prompter(context.prompter) {
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

StatusWindow::StatusWindow(const WindowContext& context, QWidget* parent)
    : StatusWindow(context, gatherSystemFacts(context.state.programDirectory), parent) {}

void StatusWindow::registerCommands(CommandHandlers& handlers) {
    handlers.add("m7Status", [this] { m_prompter.showModal(*this); });
}

} // namespace qzx
