#pragma once

// The X server's real pointer as a hand on the mouse: clicks and drags on widgets, with a
// pause after each step for the program to take the events the server sends it.

#include <QPoint>
#include <QTest>
#include <QWidget>
#include <functional>

#include "fake_pointer.h"
#include "structure/structure.h"

namespace qzx::test {

class PointerHands {
public:
    bool available() const { return m_pointer.available(); }
    static void settle() { QTest::qWait(70); }
    void click(QWidget* widget, QPoint at) {
        const QPoint global = widget->mapToGlobal(at);
        m_pointer.moveTo(global.x(), global.y());
        settle();
        m_pointer.pressLeft();
        settle();
        m_pointer.releaseLeft();
        settle();
    }
    void clickCentre(QWidget* widget) { click(widget, widget->rect().center()); }
    /// Press, move in two steps and release, all on `widget`.
    void drag(QWidget* widget, QPoint from, QPoint to) {
        const QPoint a = widget->mapToGlobal(from), b = widget->mapToGlobal(to);
        m_pointer.moveTo(a.x(), a.y());
        settle();
        m_pointer.pressLeft();
        settle();
        m_pointer.moveTo((a.x() + b.x()) / 2, (a.y() + b.y()) / 2);
        settle();
        m_pointer.moveTo(b.x(), b.y());
        settle();
        m_pointer.releaseLeft();
        settle();
    }

private:
    FakePointer m_pointer;
};

/// Toluene drawn with the pointer on the drawing surface: a benzene ring placed at (300, 200),
/// then a methyl dragged 30 pixels up from its top atom. `chooseTool` picks a drawing tool.
/// Returns the top atom's position.
inline QPoint drawTolueneWithPointer(PointerHands& hands, QWidget* surface,
                                     const Structure& structure,
                                     const std::function<void(int)>& chooseTool) {
    chooseTool(2);
    hands.drag(surface, QPoint(300, 200), QPoint(300, 200));
    int top = 1;
    for (int row = 2; row <= structure.count.atoms; ++row)
        if (structure.atom(row).Y < structure.atom(top).Y) top = row;
    const QPoint at(structure.atom(top).X, structure.atom(top).Y);
    chooseTool(7);
    hands.drag(surface, at, at - QPoint(0, 30));
    return at;
}

} // namespace qzx::test
