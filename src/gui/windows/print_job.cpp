#include "windows/print_job.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "platform/prompter.h"

namespace qzx {

void paintPrintLines(QPrinter& printer, QPainter& painter, const std::vector<PrintLine>& lines) {
    int page = 1;
    for (const PrintLine& line : lines) {
        if (line.page != page) {
            printer.newPage();
            page = line.page;
        }
        QFont font(line.font == PrintLine::Font::Body ? QStringLiteral("Courier New")
                                                      : QStringLiteral("Times New Roman"));
        font.setPointSize(line.font == PrintLine::Font::Title ? 12 : 11);
        font.setBold(line.font != PrintLine::Font::Body);
        font.setUnderline(line.font == PrintLine::Font::Heading);
        painter.setFont(font);
        painter.drawText(QPoint(line.x, line.y + painter.fontMetrics().ascent()),
                         QString::fromStdString(line.text));
    }
}

int printUnit(const QPrinter& printer) {
    return std::max(1, printer.pageLayout().paintRectPixels(printer.resolution()).width() / 2400);
}

void printTextPages(Prompter& prompter, QWidget* parent, QPrinter& printer, const QString& title,
                    const std::function<std::vector<PrintLine>(int unit)>& layout) {
    printer.setPageOrientation(QPageLayout::Portrait);
    if (!prompter.choosePrinter(parent, printer)) return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        prompter.message(parent, title, QStringLiteral("The printer could not be started."),
                         Prompter::Icon::Error, Prompter::Buttons::Ok);
        return;
    }
    paintPrintLines(printer, painter, layout(printUnit(printer)));
    painter.end();
}

} // namespace qzx
