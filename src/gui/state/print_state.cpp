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
        // The pages are laid out in pixels of a 300-dpi page (about 2,400 across); fonts in
        // points follow the same resolution.
        m_printer->setResolution(300);
        // Quarter-inch margins leave the printable 2,400 x 3,150 pixels the layouts expect.
        m_printer->setPageMargins(QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
    }
    return *m_printer;
}

int PrintState::pictureTextFactor() {
    QPrinter& p = printer();
    return p.pageLayout().paintRectPixels(p.resolution()).width() == 4800 ? 2 : 1;
}

} // namespace qzx
