#include "windows/shortcuts_window.h"

#include "platform/prompter.h"
#include "windows/command_handlers.h"
#include "windows/dialog_buttons.h"
#include "windows/shortcut_line.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qzx {

namespace {

// The dot leaders and the uneven blanks are part of the texts as designed; keep them.
constexpr int kFunctionKeyLines = 8;
constexpr int kControlKeyLines = 10;

/// Room between a group's widest key and its descriptions: a leader of a few dots.
int leaderGap(const QWidget& line) {
    return line.fontMetrics().horizontalAdvance(QStringLiteral(" ...... "));
}

} // namespace

QStringList ShortcutsWindow::lines() {
    return {
        QStringLiteral("F1 = Help .................... Access the Help System"),
        QStringLiteral("F2 = Select ..................Used to Move or Delete Substructures"),
        QStringLiteral("F3 =  Valence +  ...........Used to increase the valence of an atom"),
        QStringLiteral("F4 = Valence -  .............Used to decrease the valence of an  atom"),
        QStringLiteral("F5 = Preferences ..........Access the Preferences window"),
        QStringLiteral("F6 = Spectrum ............. Access the Spectrum window"),
        QStringLiteral("F7 = Spectrum Editor .... Access the Spectrum Editor window"),
        QStringLiteral("F8 = Shortcuts ............. Show this screen"),
        QStringLiteral("<Ctrl>-A   Save As..."),
        QStringLiteral("<Ctrl>-D   Delete File..."),
        QStringLiteral("<Ctrl>-E   Elemental Formula"),
        QStringLiteral("<Ctrl>-I    Isotopic Profiler"),
        QStringLiteral("<Ctrl>-L   Loss off..."),
        QStringLiteral("<Ctrl>-N   New"),
        QStringLiteral("<Ctrl>-O   Open (file)"),
        QStringLiteral("<Ctrl>-P   Print"),
        QStringLiteral("<Ctrl>-S   Save (file)"),
        QStringLiteral("<Ctrl>-X   Exit Program"),
        QStringLiteral("Also:"),
        QStringLiteral("<Esc> ... Cancels Select or Valence when they are active"),
        QStringLiteral("<Shift> ... Force a Draw in Place - Prevent Merging"),
    };
}

ShortcutsWindow::ShortcutsWindow(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_prompter(context.prompter) {
    setObjectName(QStringLiteral("TShrtform"));
    setWindowTitle(QStringLiteral("Shortcuts"));

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(20, 16, 20, 12);
    layout->setSpacing(3);

    // Three groups, a gap between them: the function keys, the control keys, the notes. The
    // descriptions of a group start in one column, a little right of its widest key.
    const QStringList texts = lines();
    const int groupStarts[] = {0, kFunctionKeyLines, kFunctionKeyLines + kControlKeyLines,
                               static_cast<int>(texts.size())};
    for (int group = 0; group < 3; ++group) {
        if (group > 0) layout->addSpacing(10);
        QList<ShortcutLine*> members;
        int widestKey = 0;
        for (int i = groupStarts[group]; i < groupStarts[group + 1]; ++i) {
            auto* line = new ShortcutLine(texts[i], this);
            line->setObjectName(QStringLiteral("Label%1").arg(i + 1));
            layout->addWidget(line);
            members << line;
            widestKey = std::max(widestKey, line->keyWidth());
        }
        const int column = widestKey + leaderGap(*members.first());
        for (ShortcutLine* line : members)
            line->setDescriptionColumn(column);
    }

    QPushButton* ok = makeAcceptButton(this);
    layout->addSpacing(8);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

void ShortcutsWindow::registerCommands(CommandHandlers& handlers) {
    handlers.add("m7ShortCuts", [this] { m_prompter.showModal(*this); });
}

} // namespace qzx
