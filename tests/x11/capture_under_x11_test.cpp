// The spectrum capture on an X display with the real dialogs and pointer: a bar graph saved as
// a bitmap is opened in the file dialog, calibrated by clicks on the picture, digitised, and
// "Plotted" shows the spectrum window with the peaks.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

#include "../core/capture/capture_pictures.h"
#include "program_under_x11.h"
#include "spectrum/spectrum_plot.h"
#include "windows/capture_setup_dialog.h"
#include "windows/capture_window.h"
#include "windows/spectrum_window.h"

namespace qzx {
namespace {

using CaptureUnderX11 = test::ProgramUnderX11;
using test::whenModal;

TEST_F(CaptureUnderX11, AScannedBitmapIsCalibratedByClicksDigitisedAndPlotted) {
    ASSERT_TRUE(hands.available());
    test::BarGraph graph;
    graph.width = 600;
    graph.height = 400;
    graph.axisRow = 360;
    graph.pixelsPerMass = 4.0f;
    graph.peaks = {{39, 30}, {65, 45}, {91, 100}, {92, 60}};
    graph.dustPixels = 10;
    const CaptureImage picture = test::renderBarGraph(graph);
    QImage bitmap(picture.width(), picture.height(), QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            bitmap.setPixel(x, y, 0xFF000000u | picture.rgb(x, y));
    const QString file = QString::fromStdString((folder / "scan.bmp").string());
    ASSERT_TRUE(bitmap.save(file));

    chooseFromMenu(QStringLiteral("Tools"), QStringLiteral("Spectrum Capture"));
    auto* capture = registry->find<CaptureWindow>();
    ASSERT_TRUE(capture->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(capture));

    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog));
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(file);
        clickCentre(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open));
    });
    clickCentre(capture->findChild<QToolButton*>(QStringLiteral("SpeedButton1")));
    ASSERT_EQ(capture->picture().width(), graph.width);

    clickCentre(capture->findChild<QToolButton*>(QStringLiteral("SpeedButton2")));
    auto* setup = registry->find<CaptureSetupDialog>();
    ASSERT_TRUE(setup->isVisible());
    setup->findChild<QLineEdit*>(QStringLiteral("Edit1"))
        ->setText(QString::number(graph.firstMass));
    setup->findChild<QLineEdit*>(QStringLiteral("Edit2"))->setText(QString::number(graph.lastMass));
    const Calibration points = test::calibrationOf(graph);
    for (std::size_t i = 0; i < kAxisPoints.size(); ++i) {
        clickCentre(setup->findChild<QPushButton*>(QStringLiteral("SpeedButton%1").arg(i + 1)));
        const PicturePoint p = points.point(kAxisPoints[i]);
        click(capture->pictureArea(), QPoint(p.x, p.y));
    }
    EXPECT_TRUE(capture->calibration().complete()) << "four clicks placed the axis points";
    clickCentre(setup->findChild<QPushButton*>(QStringLiteral("BitBtn1")));
    EXPECT_FALSE(setup->isVisible());
    clickCentre(capture->findChild<QToolButton*>(QStringLiteral("SpeedButton3")));
    ASSERT_EQ(capture->points().count(), 4);

    std::vector<QRgb> bars;
    whenModal<SpectrumWindow>([&](SpectrumWindow* shown) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(shown));
        settle();
        QWidget* area = shown->plotArea();
        const QImage plotPicture = area->grab().toImage();
        const SpectrumPlot plot = spectrumPlot(state->spectrum, area->width(), area->height(), 1);
        for (const PlotBar& bar : plot.bars)
            bars.push_back(plotPicture.pixel(bar.x, plot.baseline - bar.height / 2));
        shown->close();
    });
    chooseFromMenuOf(capture->findChild<QMenuBar*>(), QStringLiteral("Results"),
                     QStringLiteral("Plotted"));
    ASSERT_EQ(state->spectrum.peakCount(), 4);
    EXPECT_EQ(state->spectrum.peak(3).Mass, 91.0f);
    ASSERT_EQ(bars.size(), 4u);
    for (QRgb colour : bars)
        EXPECT_EQ(QColor(colour), QColor(0, 0, 128));
    capture->hide();
}

} // namespace
} // namespace qzx
