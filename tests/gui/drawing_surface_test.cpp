// Drawing with real mouse events on the main window's drawing surface.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <filesystem>

#include "app/drawing_surface.h"
#include "gui_fixture.h"
#include "render/colors.h"
#include "structure/editor.h"
#include "windows/splash_window.h"

namespace qzx {
namespace {
namespace fs = std::filesystem;

class DrawingSurfaceTest : public test::ProgramTest {
protected:
    void SetUp() override {
        create();
        window->splash()->hide();
        surface = window->drawingSurface();
    }

    QString composition() const { return child<QLabel>("Panel4")->text(); }
    QString mass() const { return child<QLabel>("Panel5")->text(); }
    QColor pixel(int x, int y) const { return surface->image().pixelColor(x, y); }

    DrawingSurface* surface = nullptr;
};

TEST_F(DrawingSurfaceTest, SingleBondFromEmptySpaceIsEthane) {
    chooseTool(7);
    drag(QPoint(300, 300), QPoint(340, 300));
    EXPECT_EQ(composition(), "   Composition:  C2 H6 ");
    EXPECT_EQ(mass(), "   Nominal Mass:  30");
    EXPECT_TRUE(window->isControlEnabled(QStringLiteral("m2Select")));
    EXPECT_TRUE(window->isControlEnabled(QStringLiteral("SpeedButton53")));
    // The bond line shows between the two "CH3" labels, in the bond colour.
    EXPECT_EQ(pixel(330, 300), colorFromValue(state->settings.Bonds));

    action("m3AccMass")->trigger();
    EXPECT_EQ(mass(), "   Monoisotopic Mass:  30.0469");
}

TEST_F(DrawingSurfaceTest, FusedBenzenesAreNaphthaleneWithBothCircles) {
    chooseTool(2);
    drag(QPoint(400, 300), QPoint(400, 300));
    EXPECT_EQ(composition(), "   Composition:  C6 H6 ");
    // The second ring's left edge is the first ring's right edge.
    drag(QPoint(440, 300), QPoint(440, 300));
    EXPECT_EQ(composition(), "   Composition:  C10 H8 ");
    const QColor bond = colorFromValue(state->settings.Bonds);
    // Circles of radius 14 about (400, 330) and (440, 330).
    EXPECT_EQ(pixel(400, 316), bond);
    EXPECT_EQ(pixel(440, 344), bond);
    EXPECT_EQ(state->structure.count.rings, 2);
}

TEST_F(DrawingSurfaceTest, UndoRedoFromThePopupRestoresTheTables) {
    chooseTool(1);
    drag(QPoint(300, 200), QPoint(300, 200));
    chooseTool(7);
    drag(QPoint(320, 260), QPoint(360, 300));
    const Structure before = state->structure;
    const QString text = composition();
    EXPECT_EQ(text, "   Composition:  C7 H14 ");
    action("puUndo")->trigger();
    EXPECT_EQ(composition(), "   Composition:  C6 H12 ");
    EXPECT_EQ(action("puUndo")->text(), "Redo");
    action("puUndo")->trigger();
    EXPECT_EQ(action("puUndo")->text(), "Undo");
    EXPECT_EQ(composition(), text);
    EXPECT_EQ(state->structure.count, before.count);
    // Field 9 is the history's own copy of the hydrogens, which undo takes; every other
    // field, the hydrogens included, is as drawn.
    for (int row = 1; row <= before.count.atoms; ++row) {
        Atom restored = state->structure.atom(row);
        restored.SavedHydrogens = before.atom(row).SavedHydrogens;
        EXPECT_EQ(restored, before.atom(row)) << row;
    }
    for (int row = 1; row <= before.count.bonds; ++row)
        EXPECT_EQ(state->structure.bond(row), before.bond(row)) << row;
}

TEST_F(DrawingSurfaceTest, SelectAndDeleteWithTheKeyboard) {
    chooseTool(7);
    drag(QPoint(300, 300), QPoint(340, 300));
    drag(QPoint(340, 300), QPoint(380, 300));
    EXPECT_EQ(composition(), "   Composition:  C3 H8 ");
    action("m2Select")->trigger();
    EXPECT_TRUE(action("m2Select")->isChecked());
    drag(QPoint(360, 280), QPoint(400, 320));
    EXPECT_TRUE(window->editor().selectionPresent());
    EXPECT_EQ(pixel(380, 300), QColor(255, 0, 255)) << "selected atoms are marked in magenta";
    QTest::keyClick(window, Qt::Key_Delete);
    EXPECT_EQ(composition(), "   Composition:  C2 H6 ");
    EXPECT_FALSE(action("m2Select")->isChecked());
}

TEST_F(DrawingSurfaceTest, RefusedBondBeepsAndNewClearsEverything) {
    state->settings.Sound = 2;
    chooseTool(9);
    drag(QPoint(300, 300), QPoint(340, 340));
    EXPECT_EQ(composition(), "   Composition:  C2 H2 ");
    // The carbons of ethyne have no hydrogens left for a second triple bond.
    drag(QPoint(340, 340), QPoint(400, 400));
    EXPECT_EQ(prompter.beeps, 2);
    EXPECT_EQ(composition(), "   Composition:  C2 H2 ");

    action("m1New")->trigger();
    EXPECT_EQ(composition(), "   Composition:");
    EXPECT_EQ(mass(), "   Formula Weight:");
    EXPECT_TRUE(state->structure.empty());
    EXPECT_FALSE(window->isControlEnabled(QStringLiteral("m1SaveAs")));
    EXPECT_EQ(pixel(320, 320), colorFromValue(state->settings.Background));
}

TEST_F(DrawingSurfaceTest, ElementButtonChangesAnAtom) {
    chooseTool(7);
    drag(QPoint(300, 300), QPoint(340, 300));
    chooseTool(23); // element button 2 on page 1: nitrogen
    drag(QPoint(342, 301), QPoint(342, 301));
    EXPECT_EQ(composition(), "   Composition:  C1 H5 N1 ");
}

} // namespace
} // namespace qzx
