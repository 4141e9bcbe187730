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
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "fake_pointer.h"
#include "gui_fixture.h"
#include "platform/prompter.h"
#include "spectrum/spectrum_plot.h"
#include "windows/spectrum_window.h"
#include "windows/splash_window.h"

namespace qzx {
namespace {

/// Calls `step` once the modal window on top is a `T` (polled, as it opens in a nested loop).
template <typename T> void whenModal(std::function<void(T*)> step) {
    auto* timer = new QTimer;
    timer->setInterval(50);
    QObject::connect(timer, &QTimer::timeout, [timer, step] {
        auto* shown = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!shown || !shown->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        step(shown);
    });
    timer->start();
}

class SpectrumUnderX11 : public test::GuiTest {
protected:
    void SetUp() override {
        loadState();
        registry = std::make_unique<WindowRegistry>(*state, dialogs);
        window = &registry->mainWindow();
        window->splash()->hide();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    void TearDown() override { registry.reset(); }
    static void settle() { QTest::qWait(80); }
    void click(QWidget* widget, QPoint at) {
        const QPoint global = widget->mapToGlobal(at);
        pointer.moveTo(global.x(), global.y());
        settle();
        pointer.pressLeft();
        settle();
        pointer.releaseLeft();
        settle();
    }
    void clickCentre(QWidget* widget) { click(widget, widget->rect().center()); }

    DialogPrompter dialogs;
    std::unique_ptr<WindowRegistry> registry;
    MainWindow* window = nullptr;
    test::FakePointer pointer;
};

TEST_F(SpectrumUnderX11, ShowSpectrumOpensTheWindowAndAnAscFileChosenInItsDialogIsPlotted) {
    ASSERT_TRUE(pointer.available());
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

    const QMenuBar* bar = window->menuBar();
    QAction* spectrumMenu = nullptr;
    for (QAction* action : bar->actions())
        if (action->text().remove(u'&') == QStringLiteral("Spectrum")) spectrumMenu = action;
    ASSERT_NE(spectrumMenu, nullptr);
    click(window->menuBar(), bar->actionGeometry(spectrumMenu).center());
    QMenu* menu = spectrumMenu->menu();
    ASSERT_TRUE(menu->isVisible());
    QAction* show = nullptr;
    for (QAction* action : menu->actions())
        if (action->text().startsWith(QStringLiteral("Show Spectrum"))) show = action;
    ASSERT_NE(show, nullptr);
    click(menu, menu->actionGeometry(show).center()); // returns when the window is closed

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
