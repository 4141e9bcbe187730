#pragma once

#include <QCursor>
#include <array>

namespace qzx {

/// The program's own cursors, numbered as the drawing modes use them.
enum class CursorNumber { XHair = 1, ValPlus = 2, ValMinus = 3, Move = 4, Eraser = 5 };

/// The five cursors loaded from the program's resources ("XHAIR", "VALPLUS", "VALMINUS",
/// "MOVE", "ERASER").
class CursorSet {
public:
    CursorSet();
    const QCursor& cursor(CursorNumber number) const {
        return m_cursors.at(static_cast<std::size_t>(number) - 1);
    }

private:
    std::array<QCursor, 5> m_cursors;
};

} // namespace qzx
