// The spectrum capture in the whole program: a bar graph drawn by the test, saved as BMP and
// PNG, opened, calibrated by clicks, digitised and handed to the spectrum window and editor.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "../core/capture/capture_pictures.h"
#include "gui_fixture.h"
#include "windows/capture_setup_dialog.h"
#include "windows/capture_window.h"

namespace qzx::test {
namespace {

QImage qImageOf(const CaptureImage& image) {
    QImage picture(image.width(), image.height(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            picture.setPixel(x, y, 0xFF000000u | image.rgb(x, y));
    return picture;
}

class Capture : public ProgramTest {
protected:
    void SetUp() override {
        create();
        capture = registry->find<CaptureWindow>();
        setup = registry->find<CaptureSetupDialog>();
        ASSERT_NE(capture, nullptr);
        ASSERT_NE(setup, nullptr);
        graph.peaks = {{15, 20}, {39, 40}, {51, 30}, {91, 100}, {92, 60}};
        graph.dustPixels = 20;
    }
    QString save(const char* name) const {
        const QString path =
            QDir(QString::fromStdString(state->programDirectory.string())).filePath(name);
        EXPECT_TRUE(qImageOf(renderBarGraph(graph)).save(path));
        return path;
    }
    QAction* item(const char* name) const {
        return capture->findChild<QAction*>(QString::fromLatin1(name));
    }
    /// The setup dialog with the four axis points clicked on the graph and its values typed.
    void calibrate(bool manual = false) {
        capture->findChild<QToolButton*>(QStringLiteral("SpeedButton2"))->click();
        ASSERT_TRUE(setup->isVisible()) << "shown beside the picture";
        if (manual)
            setup->findChild<QRadioButton*>(QStringLiteral("RadioButton2"))->setChecked(true);
        setup->findChild<QLineEdit*>(QStringLiteral("Edit1"))
            ->setText(QString::number(graph.firstMass));
        setup->findChild<QLineEdit*>(QStringLiteral("Edit2"))
            ->setText(QString::number(graph.lastMass));
        const Calibration points = calibrationOf(graph);
        for (std::size_t i = 0; i < kAxisPoints.size(); ++i) {
            setup->findChild<QPushButton*>(QStringLiteral("SpeedButton%1").arg(i + 1))->click();
            const PicturePoint p = points.point(kAxisPoints[i]);
            capture->pictureReleased(QPoint(p.x, p.y), Qt::LeftButton);
        }
        setup->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        EXPECT_FALSE(setup->isVisible());
    }
    void TearDown() override {
        capture->hide();
        setup->hide();
        ProgramTest::TearDown();
    }
    CaptureWindow* capture = nullptr;
    CaptureSetupDialog* setup = nullptr;
    BarGraph graph;
};

TEST_F(Capture, AScannedGraphIsDigitisedBackToItsPeaksAndPlotted) {
    EXPECT_TRUE(window->isControlEnabled(QStringLiteral("m4SpecCap")));
    window->runCommand("m4SpecCap");
    EXPECT_TRUE(capture->isVisible()) << "shown without waiting";
    EXPECT_TRUE(prompter.modalWindows.isEmpty());
    EXPECT_FALSE(item("Digitize1")->isEnabled());
    EXPECT_FALSE(item("Plotted1")->isEnabled());
    for (const char* file : {"graph.bmp", "graph.png"}) {
        capture->openPicture(save(file));
        EXPECT_EQ(capture->picture().width(), graph.width) << file;
    }
    EXPECT_TRUE(item("Rotate1")->isEnabled());
    EXPECT_FALSE(item("Digitize1")->isEnabled()) << "not until calibrated";
    calibrate();
    ASSERT_TRUE(item("Digitize1")->isEnabled());
    item("Digitize1")->trigger();
    EXPECT_EQ(capture->points().count(), 5);
    EXPECT_TRUE(item("Plotted1")->isEnabled());

    item("Plotted1")->trigger();
    EXPECT_EQ(prompter.modalWindows.back(), "TSpecForm");
    const Spectrum& s = state->spectrum;
    ASSERT_EQ(s.peakCount(), 5);
    const float pixel = 100.0f / static_cast<float>(graph.axisRow);
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(s.peak(k).Mass, graph.peaks[static_cast<std::size_t>(k - 1)].Mass);
        // Abundances are relative to the axis row: 100 x (axis - top) / axis.
        const float expected = 100.0f *
                               static_cast<float>(graph.barHeight(
                                   graph.peaks[static_cast<std::size_t>(k - 1)].Abundance)) /
                               static_cast<float>(graph.axisRow);
        EXPECT_NEAR(s.peak(k).Abundance, expected, pixel) << k;
    }

    item("Tabulated1")->trigger();
    EXPECT_EQ(prompter.modalWindows.back(), "TSpecEdit");
}

TEST_F(Capture, ManualPointsDeletedByRightClickNeverReachTheSpectrum) {
    capture->openPicture(save("graph.png"));
    calibrate(true);
    EXPECT_EQ(capture->findChild<QLabel*>(QStringLiteral("Label2"))->text(), "Manual Mode ON");
    for (int mass : {91, 39, 51}) {
        const int x = graph.columnOf(mass);
        capture->pictureReleased(QPoint(x, graph.topOf(50)), Qt::LeftButton);
    }
    capture->pictureReleased(QPoint(graph.columnOf(51) + 1, graph.topOf(50)), Qt::RightButton);
    capture->findChild<QPushButton*>(QStringLiteral("Button1"))->click(); // Done
    item("Plotted1")->trigger();
    ASSERT_EQ(state->spectrum.peakCount(), 2);
    EXPECT_EQ(state->spectrum.peak(1).Mass, 39.0f) << "sorted by mass";
    EXPECT_EQ(state->spectrum.peak(2).Mass, 91.0f);
}

TEST_F(Capture, RotationAsksFirstAndKeepsTheWholePicture) {
    capture->openPicture(save("graph.bmp"));
    item("Rotate1")->trigger(); // answered Cancel
    EXPECT_EQ(prompter.shown.back().text, "Warning! Rotation is time-consuming.  OK to continue?");
    EXPECT_EQ(capture->picture().width(), graph.width);
    prompter.answers.push_back(Prompter::Answer::Ok);
    item("Rotate1")->trigger();
    EXPECT_EQ(capture->picture().width(), graph.height);
    EXPECT_EQ(capture->picture().height(), graph.width);
}

TEST_F(Capture, TooLargeOrUnreadablePicturesAreRefused) {
    const QString path =
        QDir(QString::fromStdString(state->programDirectory.string())).filePath("big.png");
    QImage big(3001, 10, QImage::Format_RGB32);
    big.fill(Qt::white);
    ASSERT_TRUE(big.save(path));
    capture->openPicture(path);
    EXPECT_TRUE(prompter.shown.back().text.startsWith("The picture is 3001 x 10 pixels"));
    EXPECT_TRUE(capture->picture().isNull());
    capture->openPicture(path + QStringLiteral(".none"));
    EXPECT_TRUE(prompter.shown.back().text.endsWith("could not be read as a picture."));
    EXPECT_FALSE(item("CloseFile1")->isEnabled());
}

TEST_F(Capture, TheEraserPaintsWhite) {
    graph.peaks = {{50, 100}};
    capture->openPicture(save("one.png"));
    const int x = graph.columnOf(50), y = graph.topOf(100) + 5;
    ASSERT_EQ(capture->picture().pixel(x, y) & 0xFFFFFFu, 0u);
    item("Eraser1")->trigger();
    EXPECT_EQ(capture->findChild<QLabel*>(QStringLiteral("Label2"))->text(), "ERASER ON");
    capture->picturePressed(QPoint(x, y), Qt::LeftButton);
    capture->pictureReleased(QPoint(x, y), Qt::LeftButton);
    EXPECT_EQ(capture->picture().pixel(x, y) & 0xFFFFFFu, 0xFFFFFFu);
    item("Eraser1")->trigger();
    EXPECT_TRUE(capture->findChild<QLabel*>(QStringLiteral("Label2"))->isHidden());
}

} // namespace
} // namespace qzx::test
