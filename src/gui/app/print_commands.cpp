#include "app/print_commands.h"

#include <QDate>
#include <QLocale>
#include <QPainter>
#include <QPrinter>

#include "app/structure_view.h"
#include "platform/prompter.h"
#include "printing/page_header.h"
#include "render/page_painter.h"
#include "render/structure_picture.h"
#include "state/app_state.h"
#include "structure/editor.h"
#include "windows/command_handlers.h"
#include "windows/page_setup_window.h"

namespace qzx {

PrintCommands::PrintCommands(const WindowContext& context, StructureView& view, QWidget* window)
    : QObject(window), m_context(context), m_app(context.state), m_prompter(context.prompter),
      m_view(view), m_window(window) {}

void PrintCommands::registerCommands(CommandHandlers& handlers) {
    handlers.add("m1Print", [this] { printStructure(); });
    // The printer choice of the platform's print dialog; the paper comes with the printer.
    handlers.add("m1PrintSetup",
                 [this] { m_prompter.choosePrinter(m_window, m_app.print.printer()); });
}

void PrintCommands::printStructure() {
    auto* pageSetup = m_context.windows ? m_context.windows->find<PageSetupWindow>() : nullptr;
    if (!pageSetup) return;
    QString label = QString::fromStdString(m_app.structure.StructureLabel);
    while (label.endsWith(u' '))
        label.chop(1);
    const std::optional<PageSetup> setup = pageSetup->ask(true, label);
    if (!setup) return;
    QPrinter& printer = m_app.print.printer();
    printer.setPageOrientation(setup->orientation == PageOrientation::Portrait
                                   ? QPageLayout::Portrait
                                   : QPageLayout::Landscape);
    if (!m_prompter.choosePrinter(m_window, printer)) return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_prompter.message(m_window, QStringLiteral("Print"),
                           QStringLiteral("The printer could not be started."),
                           Prompter::Icon::Error, Prompter::Buttons::Ok);
        return;
    }
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int dpi = printer.resolution();
    StructurePictureInput input;
    input.structure = &m_app.structure;
    input.elements = &m_app.elements;
    input.settings = &m_app.settings;
    input.cuts = m_view.editor().analyzeMode() ? &m_app.cuts : nullptr;
    input.origin = QPoint(10, 0);
    input.penWidth = 2;
    input.textFactor = m_app.print.pictureTextFactor();
    const QSize picture = structurePictureSize(input);
    const PageUnits units = pageUnitsAtPrintTime(
        {m_app.print.pageWidthUnits, m_app.print.pageHeightUnits}, setup->orientation);
    const PageRect frame = structurePageFrame(*setup, units, page.width(), page.height(),
                                               picture.width(), picture.height());
    if (picture.width() > 0 && picture.height() > 0 && frame.width > 0 && frame.height > 0) {
        // The picture stretched into its rectangle.
        painter.save();
        painter.translate(frame.left, frame.top);
        painter.scale(static_cast<double>(frame.width) / picture.width(),
                      static_cast<double>(frame.height) / picture.height());
        BuildStructurePicture(painter, input);
        painter.restore();
    }
    const std::string date =
        QLocale().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
    for (const PageText& text :
         pageHeaderTexts(*setup, m_app.structure.CurrentFile, date, page.width(), dpi))
        paintPageText(painter, text);
    if (setup->showCompositionAndMass) {
        const StructureMasses& masses = m_app.structureMasses;
        const CompositionAndMass values{masses.composition, masses.nominalMass, masses.monoMass,
                                        m_app.UseAccurateMass};
        for (const PageText& text :
             compositionAndMassTexts(values, page.width(), page.height(), dpi))
            paintPageText(painter, text);
    }
    painter.end();
}

} // namespace qzx
