#include "app/cursors.h"

#include <QPixmap>

/// The resources are linked into a static library, so they must be registered by hand.
static void registerProgramResources() {
    Q_INIT_RESOURCE(qzx);
}

namespace qzx {

CursorSet::CursorSet() {
    registerProgramResources();
    struct Source {
        const char* resource;
        int hotX, hotY;
    };
    // Hot spots: the centre of the cross hairs and of the move arrows, the eraser's corner.
    constexpr std::array<Source, 5> sources{{{":/cursors/XHAIR", 15, 15},
                                             {":/cursors/VALPLUS", 15, 15},
                                             {":/cursors/VALMINUS", 15, 15},
                                             {":/cursors/MOVE", 15, 15},
                                             {":/cursors/ERASER", 4, 20}}};
    for (std::size_t i = 0; i < sources.size(); ++i)
        m_cursors[i] = QCursor(QPixmap(QString::fromLatin1(sources[i].resource), "XPM"),
                               sources[i].hotX, sources[i].hotY);
}

} // namespace qzx
