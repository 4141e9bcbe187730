#include "gui_fixture.h"
#include "windows/shortcuts_window.h"
#include "windows/splash_window.h"
namespace qzx {
namespace {
using Shot = test::GuiTest;
TEST_F(Shot, Take) {
    ShortcutsWindow w(context());
    w.show();
    QTest::qWait(50);
    w.grab().save("/tmp/shot.png");
}
} // namespace
} // namespace qzx
