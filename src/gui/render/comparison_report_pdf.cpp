#include "render/comparison_report_pdf.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "printing/page_frame.h"
#include "printing/page_header.h"
#include "render/page_painter.h"
#include "render/structure_painter.h"
#include "render/structure_picture.h"
#include "spectrum/peak_explanation.h"
#include "spectrum/spectrum.h"
#include "util/safe_file.h"

namespace qzx {
namespace {

constexpr int kDotsPerInch = 300;
constexpr int kRowsPerPage = 44;

QFont pixelFont(const char* family, int pixels, bool bold = false) {
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

/// One row of the matched-peak table: mass, abundance and the explaining fragments, each
/// composition and transfer once, the first few of them.
QString peakRow(const Peak& peak, const PeakExplanation& explanation) {
    constexpr qsizetype kMostShown = 4;
    QStringList fragments;
    qsizetype more = 0;
    for (const ExplainedFragment& f : explanation.fragments) {
        QString transfer;
        if (f.hydrogenShift != 0)
            transfer = QStringLiteral(", %1%2 H")
                           .arg(f.hydrogenShift > 0 ? QStringLiteral("+") : QStringLiteral("-"))
                           .arg(std::abs(f.hydrogenShift));
        const QString entry = QStringLiteral("%1 (%2%3)")
                                  .arg(QString::fromStdString(f.formula).trimmed())
                                  .arg(f.mass)
                                  .arg(transfer);
        if (fragments.contains(entry)) continue;
        if (fragments.size() == kMostShown) {
            ++more;
            continue;
        }
        fragments << entry;
    }
    if (fragments.isEmpty()) fragments << QStringLiteral("isotope line of the molecular ion");
    QString list = fragments.join(QStringLiteral("; "));
    if (more > 0) list += QStringLiteral("; %1 more").arg(more);
    return QStringLiteral("%1  %2  %3")
        .arg(static_cast<double>(peak.Mass), 7, 'f', 1)
        .arg(static_cast<double>(peak.Abundance), 8, 'f', 1)
        .arg(list);
}

void reportPage(QPainter& painter, const QRect& page, const ReportDocument& d) {
    const PageSetup setup = reportPageSetup();
    const PageRect frame =
        pageFrame(setup, pageUnitsFor(PageOrientation::Portrait), page.width(), page.height());
    const SpectrumPageRequest request =
        printerPageRequest(frame, true, true, page.width(), kDotsPerInch, true);
    paintSpectrumPage(painter, spectrumPage(*d.spectrum, request, d.report));
    for (const PageText& text :
         pageHeaderTexts(setup, d.spectrum->SpectrumFileName, {}, page.width(), kDotsPerInch))
        paintPageText(painter, text);
}

/// The structure picture fitted into `area`, keeping its proportions.
void structurePicture(QPainter& painter, const QRect& area, const ReportDocument& d) {
    StructurePictureInput input;
    input.structure = d.structure;
    input.elements = d.elements;
    input.settings = d.settings;
    input.penWidth = 2;
    const QSize size = structurePictureSize(input);
    if (size.width() <= 0 || size.height() <= 0) return;
    const double scale = std::min(static_cast<double>(area.width()) / size.width(),
                                  static_cast<double>(area.height()) / size.height());
    painter.save();
    painter.translate(area.left() + (area.width() - scale * size.width()) / 2, area.top());
    painter.scale(scale, scale);
    BuildStructurePicture(painter, input);
    painter.restore();
}

} // namespace

std::string writeComparisonReportPdf(const std::filesystem::path& file, const ReportDocument& d) {
    if (!d.spectrum || !d.structure || !d.elements || !d.settings || !d.fragments)
        return "The report has nothing to show.";
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kDotsPerInch);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                      QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch));
        pdf.setTitle(QStringLiteral("Comparison Report"));
        pdf.setCreator(QStringLiteral("Quorin Professional"));
        QPainter painter;
        if (!painter.begin(&pdf)) return "The PDF could not be started.";
        const QRect page = pdf.pageLayout().paintRectPixels(kDotsPerInch);
        reportPage(painter, QRect(0, 0, page.width(), page.height()), d);

        // The matched peaks with the fragments that explain them.
        // The fragments within the hydrogen transfers the comparison allowed.
        ExplainOptions explain;
        explain.hydrogenTransfers = d.report.allowHydrogenTransfers ? d.report.hydrogens : 0;
        std::vector<QString> rows;
        for (int k = 1; k <= d.spectrum->peakCount() && k <= kMatchFlags; ++k) {
            if (!d.spectrum->PeakMatched[static_cast<std::size_t>(k)]) continue;
            const Peak& peak = d.spectrum->peak(k);
            rows.push_back(peakRow(peak, explainPeak(*d.structure, *d.elements, *d.fragments,
                                                     *d.spectrum, peak.Mass, explain)));
        }
        const QFont title = pixelFont("Times New Roman", 58, true);
        const QFont body = pixelFont("Courier New", 34);
        std::size_t next = 0;
        bool first = true;
        do {
            pdf.newPage();
            painter.setFont(title);
            drawTextTopLeft(painter, QPoint(150, 100),
                            first ? QStringLiteral("Matched Peaks")
                                  : QStringLiteral("Matched Peaks (continued)"));
            int y = 200;
            if (first) {
                structurePicture(painter, QRect(150, y, page.width() - 300, 900), d);
                y += 950;
            }
            painter.setFont(body);
            drawTextTopLeft(
                painter, QPoint(150, y),
                QStringLiteral("   m/z  Abundance  Fragments (nominal mass, hydrogen transfer)"));
            y += 70;
            const int fit = first ? kRowsPerPage - 22 : kRowsPerPage;
            for (int r = 0; r < fit && next < rows.size(); ++r, ++next, y += 50)
                drawTextTopLeft(painter, QPoint(150, y), rows[next]);
            if (rows.empty())
                drawTextTopLeft(painter, QPoint(150, y), QStringLiteral("No peak was matched."));
            first = false;
        } while (next < rows.size());
        painter.end();
    }
    const QByteArray bytes = buffer.data();
    return writeFileSafely(file,
                           std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace qzx
