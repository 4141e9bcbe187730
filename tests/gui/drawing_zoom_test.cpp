// The drawing surface's zoom: only the view scales; gestures, the drawing's pixels and the
// structure stay in drawing pixels.
#include <gtest/gtest.h>

#include <QTest>
#include <QWheelEvent>

#include "app/drawing_surface.h"
#include "gui_fixture.h"
#include "structure/structure_file.h"

namespace qzx::test {
namespace {

class DrawingZoom : public ProgramTest {
protected:
    void SetUp() override {
        create();
        surface = window->drawingSurface();
    }
    /// A single bond drawn from (x, y) to (x + 40, y) in drawing pixels, through the zoom.
    Bytes bondFileAt(double zoom) {
        action("m1New")->trigger();
        state->structure.clear();
        surface->setZoom(zoom);
        chooseTool(7);
        drag(QPoint(300, 300) * zoom, QPoint(340, 300) * zoom);
        return encodeStructureFile(state->structure);
    }
    void wheel(int delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(QPointF(100, 100), surface->mapToGlobal(QPointF(100, 100)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(surface, &event);
    }
    DrawingSurface* surface = nullptr;
};

TEST_F(DrawingZoom, StepsThroughTheZoomsWithinHalfToFourTimes) {
    EXPECT_EQ(surface->zoom(), 1.0) << "a 96-dpi screen starts at 100 %";
    action("m3ZoomIn")->trigger();
    EXPECT_EQ(surface->zoom(), 1.25);
    EXPECT_EQ(surface->size(), QSize(2000, 1500));
    action("m3ZoomOut")->trigger();
    action("m3ZoomOut")->trigger();
    EXPECT_EQ(surface->zoom(), 0.75);
    action("m3ZoomOut")->trigger();
    action("m3ZoomOut")->trigger();
    EXPECT_EQ(surface->zoom(), 0.5) << "never below 50 %";
    for (int i = 0; i < 12; ++i)
        action("m3ZoomIn")->trigger();
    EXPECT_EQ(surface->zoom(), 4.0) << "never above 400 %";
    action("m3ZoomActual")->trigger();
    EXPECT_EQ(surface->zoom(), 1.0);
    EXPECT_EQ(action("m3ZoomIn")->shortcut(), QKeySequence("Ctrl+="));
    EXPECT_EQ(action("m3ZoomOut")->shortcut(), QKeySequence("Ctrl+-"));
    EXPECT_EQ(action("m3ZoomActual")->shortcut(), QKeySequence("Ctrl+0"));

    wheel(120, Qt::ControlModifier);
    EXPECT_EQ(surface->zoom(), 1.25);
    wheel(-120, Qt::ControlModifier);
    EXPECT_EQ(surface->zoom(), 1.0);
    wheel(120, Qt::NoModifier);
    EXPECT_EQ(surface->zoom(), 1.0) << "a plain wheel turn scrolls";

    EXPECT_EQ(DrawingSurface::defaultZoom(96), 1.0);
    EXPECT_EQ(DrawingSurface::defaultZoom(144), 1.5);
    EXPECT_EQ(DrawingSurface::defaultZoom(192), 2.0);
    EXPECT_EQ(DrawingSurface::defaultZoom(1000), 4.0);
}

TEST_F(DrawingZoom, ABondDrawnAtAnyZoomGivesTheSameStructureFile) {
    const Bytes atActualSize = bondFileAt(1.0);
    ASSERT_EQ(state->structure.count.atoms, 2);
    EXPECT_EQ(state->structure.atom(2).X, 340);
    EXPECT_EQ(bondFileAt(2.0), atActualSize);
    EXPECT_EQ(bondFileAt(0.5), atActualSize);
    EXPECT_EQ(bondFileAt(2.5), atActualSize);
}

TEST_F(DrawingZoom, TheDrawingKeepsItsPixelsAndTheScreenShowsItScaled) {
    bondFileAt(2.0);
    const QImage& image = surface->image();
    EXPECT_EQ(image.size(), QSize(1600, 1200));
    EXPECT_EQ(image.pixelColor(330, 300), QColor(Qt::black)) << "the drawing at its own scale";
    const QImage shown = surface->grab().toImage();
    EXPECT_EQ(shown.size(), QSize(3200, 2400));
    // On screen the bond lies at twice its drawing coordinates: dark there, the background
    // at its drawing coordinates.
    EXPECT_LT(shown.pixelColor(660, 600).lightness(), 128);
    EXPECT_EQ(shown.pixelColor(330, 300), shown.pixelColor(40, 1000));
}

} // namespace
} // namespace qzx::test
