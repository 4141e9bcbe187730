#include "windows/spectrum_printing.h"

#include <QDate>
#include <QLocale>
#include <QPainter>
#include <QPrinter>

#include "platform/prompter.h"
#include "render/page_painter.h"
#include "state/print_state.h"

namespace qzx {

void printSpectrumPage(Prompter& prompter, QWidget* parent, PrintState& print,
                       const PageSetup& setup, bool marks, bool summary,
                       const SpectrumPrintout& printout) {
    QPrinter& printer = print.printer();
    const bool portrait = setup.orientation == PageOrientation::Portrait;
    printer.setPageOrientation(portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
    if (!prompter.choosePrinter(parent, printer)) return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        prompter.message(parent, QStringLiteral("Spectrum"),
                         QStringLiteral("The printer could not be started."), Prompter::Icon::Error,
                         Prompter::Buttons::Ok);
        return;
    }
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int dpi = printer.resolution();
    const PageUnits units =
        pageUnitsAtPrintTime({print.pageWidthUnits, print.pageHeightUnits}, setup.orientation);
    const PageRect frame = pageFrame(setup, units, page.width(), page.height());
    const SpectrumPageRequest request =
        printerPageRequest(frame, marks, summary, page.width(), dpi, printout.colorPrinter);
    paintSpectrumPage(painter, spectrumPage(*printout.spectrum, request, printout.report));
    const std::string date =
        QLocale().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
    for (const PageText& text : pageHeaderTexts(setup, printout.fileName, date, page.width(), dpi))
        paintPageText(painter, text);
    if (printout.labelShown)
        paintPageText(painter, spectrumLabelText(printout.label, frame, true, dpi));
    painter.end();
}

void paintSpectrumPicture(QPainter& painter, int width, int height, bool marks,
                          const SpectrumPrintout& printout) {
    painter.fillRect(0, 0, width, height, Qt::white);
    SpectrumPageRequest request;
    request.width = width;
    request.height = height;
    request.target = SpectrumTarget::Clipboard;
    request.showMatches = marks;
    request.dotsPerInch = 96;
    paintSpectrumPage(painter, spectrumPage(*printout.spectrum, request, printout.report));
    if (printout.labelShown)
        paintPageText(painter, spectrumLabelText(printout.label, {0, 0, width, height}, false, 96));
}

} // namespace qzx
