// File-dialog filters as Linux file names need them, and where the help window first opens.
#include <gtest/gtest.h>

#include <QRect>

#include "platform/help_browser.h"
#include "platform/prompter.h"

namespace qzx {
namespace {

TEST(FileDialogFilter, AllFilesShowsNamesWithoutADotAndExtensionsMatchEitherCase) {
    // "*.*" means every file: on Linux that is "*", or names like "notes" stay hidden.
    EXPECT_EQ(toQtFilter(QStringLiteral("All Files   (*.*)|*.*")), "All Files (*)");
    // A structure saved as "toluene.msd" is found as well as "TOLUENE.MSD".
    EXPECT_EQ(toQtFilter(QStringLiteral("MSD Files   (*.MSD)|*.MSD")), "MSD Files (*.MSD *.msd)");
    EXPECT_EQ(toQtFilter(QStringLiteral("MOL Files   (*.mol)|*.mol")), "MOL Files (*.mol *.MOL)");
    EXPECT_EQ(toQtFilter(QStringLiteral("Spectra|*.asc;*.txt|All Files (*.*)|*.*")),
              "Spectra (*.asc *.ASC *.txt *.TXT);;All Files (*)");
}

TEST(HelpWindowPlace, OpensAgainstTheRightEdgeBesideTheToolPanel) {
    const QRect small = initialHelpGeometry(QRect(0, 0, 800, 600), QSize(860, 620));
    EXPECT_EQ(small.right(), 799);
    EXPECT_EQ(small.width(), 360) << "at most 45 % of the screen's width";
    EXPECT_GE(small.top(), 80) << "below the menu and speed bar";
    EXPECT_LE(small.bottom(), 599);
    const QRect large = initialHelpGeometry(QRect(0, 0, 2560, 1400), QSize(860, 620));
    EXPECT_EQ(large.size(), QSize(860, 620));
    EXPECT_EQ(large.right(), 2559);
    // A free area that does not start at the origin (a panel on the left or at the top).
    const QRect shifted = initialHelpGeometry(QRect(64, 30, 1216, 994), QSize(860, 620));
    EXPECT_EQ(shifted.right(), 1279);
    EXPECT_EQ(shifted.top(), 110);
}

} // namespace
} // namespace qzx
