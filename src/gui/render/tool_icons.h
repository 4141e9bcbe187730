#pragma once

#include <QIcon>

namespace qzx {

/// The picture on a ring, bond or chain tool button (tools 1 to 10): the ring template or
/// bond it draws. Other tools have text captions and get an empty icon.
QIcon toolIcon(int tool, int size);

} // namespace qzx
