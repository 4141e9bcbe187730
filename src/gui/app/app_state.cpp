#include "app/app_state.h"

#include <QCoreApplication>

namespace qzx {

std::filesystem::path applicationFolder() {
    return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
}

} // namespace qzx
