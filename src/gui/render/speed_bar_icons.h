#pragma once

#include <QIcon>
#include <QString>

namespace qzx {

/// The picture on a speed-bar button, by the button's name ("SpeedButton51" is a folder,
/// "SpeedButton57" an isotope cluster, ...), drawn `size` pixels square. "Draw" and
/// "Analyze" (`SpeedButton49`, `SpeedButton50`) show their captions and get an empty icon.
QIcon speedButtonIcon(const QString& name, int size);

} // namespace qzx
