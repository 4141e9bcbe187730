#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "util/print_line.h"

class QPainter;
class QPrinter;
class QWidget;

namespace qzx {

class Prompter;

/// Paints laid-out print lines on the printer, each text with its top-left corner at the
/// line's position, starting a new sheet whenever the page number changes.
void paintPrintLines(QPrinter& printer, QPainter& painter, const std::vector<PrintLine>& lines);

/// The layout unit of a printout: the printable width in printer pixels divided by 2400, at
/// least 1.
int printUnit(const QPrinter& printer);

/// Prints a laid-out text printout in portrait: the print dialog first (nothing happens when
/// the user cancels it), then the lines `layout` gives for the printer's unit (printable width
/// / 2400). A printer that cannot be started is reported under `title`.
void printTextPages(Prompter& prompter, QWidget* parent, QPrinter& printer, const QString& title,
                    const std::function<std::vector<PrintLine>(int unit)>& layout);

} // namespace qzx
