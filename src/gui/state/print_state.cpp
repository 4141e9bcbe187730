#include "state/print_state.h"

#include <QPageSize>
#include <QPrinter>

namespace qzx {

PrintState::PrintState() = default;
PrintState::~PrintState() = default;

QPrinter& PrintState::printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setPageSize(QPageSize(QPageSize::Letter));
    }
    return *m_printer;
}

int PrintState::pictureTextFactor() {
    QPrinter& p = printer();
    return p.pageLayout().paintRectPixels(p.resolution()).width() == 4800 ? 2 : 1;
}

} // namespace qzx
