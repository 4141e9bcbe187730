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

} // namespace qzx
