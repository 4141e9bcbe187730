// The spectrum window on an X display with the real dialogs: Spectrum > Show Spectrum chosen
// with the pointer, an ASC file chosen in the file dialog, its peaks drawn as bars.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

#include "program_under_x11.h"
#include "spectrum/spectrum_plot.h"
#include "windows/spectrum_window.h"

namespace qzx {
namespace {

using SpectrumUnderX11 = test::ProgramUnderX11;
using test::whenModal;

TEST_F(SpectrumUnderX11, ShowSpectrumOpensTheWindowAndAnAscFileChosenInItsDialogIsPlotted) {
    ASSERT_TRUE(hands.available());
    const QString file = QString::fromStdString((folder / "Toluene.ASC").string());
    {
        QFile asc(file);
        ASSERT_TRUE(asc.open(QIODevice::WriteOnly));
        asc.write("39\r\n15\r\n65\r\n12\r\n91\r\n100\r\n92\r\n60\r\n");
    }
    auto* spectrumWindow = registry->find<SpectrumWindow>();
    ASSERT_NE(spectrumWindow, nullptr);

    bool opened = false;
    QString shownName;
    std::vector<QRgb> barColours;
    QRgb backgroundColour = 0;
    whenModal<SpectrumWindow>([&](SpectrumWindow* shown) {
        opened = true;
        EXPECT_TRUE(QTest::qWaitForWindowExposed(shown));
        whenModal<QFileDialog>([&](QFileDialog* dialog) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog));
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(file);
            auto* buttons = dialog->findChild<QDialogButtonBox*>();
            clickCentre(buttons->button(QDialogButtonBox::Open));
        });
        clickCentre(shown->findChild<QToolButton*>(QStringLiteral("SpeedButton4")));
        // The dialog ran in the click; the plot is drawn on the next paint.
        settle();
        shownName = shown->findChild<QLabel*>(QStringLiteral("Label1"))->text();
        QWidget* plotArea = shown->plotArea();
        const QImage picture = plotArea->grab().toImage();
        const SpectrumPlot plot =
            spectrumPlot(state->spectrum, plotArea->width(), plotArea->height(), shown->zoom());
        for (const PlotBar& bar : plot.bars)
            barColours.push_back(picture.pixel(bar.x, plot.baseline - bar.height / 2));
        if (!plot.bars.empty())
            backgroundColour = picture.pixel(plot.bars.front().x + 3, plot.baseline - 2);
        shown->close();
    });

    chooseFromMenu(QStringLiteral("Spectrum"), QStringLiteral("Show Spectrum"));

    EXPECT_TRUE(opened);
    EXPECT_EQ(shownName, "toluene.asc");
    EXPECT_EQ(state->spectrum.peakCount(), 4);
    ASSERT_EQ(barColours.size(), 4u);
    for (QRgb colour : barColours)
        EXPECT_EQ(QColor(colour), QColor(0, 0, 128)) << "navy bars at the peaks' masses";
    EXPECT_EQ(QColor(backgroundColour), QColor(Qt::white));
}

} // namespace
} // namespace qzx
