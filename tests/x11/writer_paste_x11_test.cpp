// "Copy to WordPad" into LibreOffice Writer, where it is installed: the structure picture
// must arrive in the new document. Writer is asked to copy what it pasted, and the clipboard,
// now Writer's, must hold a picture.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include "../core/structure/structure_builders.h"
#include "app/structure_view.h"
#include "gui_fixture.h"
#include "qzxpro.h"
#include "windows/splash_window.h"

namespace qzx {
namespace {

class WriterUnderX11 : public test::ProgramTest {
protected:
    void TearDown() override {
        QProcess::execute(QStringLiteral("pkill"),
                          {QStringLiteral("-f"), QStringLiteral("soffice")});
        ProgramTest::TearDown();
    }
};

TEST_F(WriterUnderX11, TheStructurePictureArrivesInANewDocument) {
    if (QStandardPaths::findExecutable(QStringLiteral("libreoffice")).isEmpty())
        GTEST_SKIP() << "LibreOffice Writer is not installed here";
    create();
    window->splash()->hide();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    state->structure = test::toluene();
    window->structureView().showLoadedStructure();
    state->settings.PathToText = "libreoffice --norestore --nologo --writer";

    window->runCommand("m2CopyWord");
    ASSERT_TRUE(prompter.shown.empty()) << prompter.shown.front().text.toStdString();
    // Writer selects what it pasted; its copy takes the clipboard over from this program.
    QTest::qWait(3000);
    ASSERT_EQ(SendKeys("^C"), 0);
    ASSERT_TRUE(
        QTest::qWaitFor([] { return !QGuiApplication::clipboard()->ownsClipboard(); }, 10000));
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_TRUE(copied->hasImage()) << copied->formats().join(u' ').toStdString();
    const QImage picture = qvariant_cast<QImage>(copied->imageData());
    EXPECT_FALSE(picture.isNull());
}

} // namespace
} // namespace qzx
