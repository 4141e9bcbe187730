// The File menu's structure, MOL and R-group commands, answered by a scripted prompter.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <fstream>

#include "app/drawing_surface.h"
#include "gui_fixture.h"
#include "settings/settings_file.h"
#include "util/safe_file.h"
#include "windows/splash_window.h"

namespace qzx {
namespace {
namespace fs = std::filesystem;

class FileCommandsTest : public test::ProgramTest {
protected:
    void SetUp() override {
        create();
        window->splash()->hide();
    }

    QString composition() const { return child<QLabel>("Panel4")->text(); }
    QLineEdit* labelField() const { return child<QLineEdit>("Edit1"); }
    QString file(const char* name) const {
        return QString::fromStdString((folder / name).string());
    }
    void run(const char* command) const { window->runCommand(command); }
};

TEST_F(FileCommandsTest, SaveAsOpenAndSaveAgainGiveTheSameFile) {
    chooseTool(2);
    drag(QPoint(300, 200), QPoint(300, 200));
    chooseTool(7);
    drag(QPoint(320, 220), QPoint(360, 200));
    const QString drawn = composition();
    labelField()->setText("Toluene");

    prompter.files.push_back(file("toluene")); // the default extension is added
    run("m1SaveAs");
    ASSERT_TRUE(fs::exists(folder / "toluene.MSD"));
    EXPECT_EQ(prompter.fileDialogs.back(), "Save As|MSD Files   (*.MSD)|*.MSD");
    EXPECT_TRUE(state->structure.CurrentFile.empty()) << "Save As keeps the file last opened";
    const auto first = readWholeFile(folder / "toluene.MSD");

    run("m1New");
    EXPECT_EQ(composition(), "   Composition:");
    prompter.files.push_back(file("toluene.MSD"));
    run("m1Open");
    EXPECT_EQ(composition(), drawn);
    EXPECT_EQ(labelField()->text().trimmed(), "Toluene");
    EXPECT_EQ(state->structure.CurrentFile, (folder / "toluene.MSD").string());

    // Save asks about the current file, and writes the same bytes again.
    prompter.answers.push_back(Prompter::Answer::Yes);
    run("m1Save");
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_EQ(prompter.shown.back().text, "Save to file: " + file("toluene.MSD"));
    EXPECT_EQ(readWholeFile(folder / "toluene.MSD"), first);
}

TEST_F(FileCommandsTest, AFileThatIsNoStructureLeavesTheDrawingAndTheCurrentFile) {
    chooseTool(7);
    drag(QPoint(300, 300), QPoint(340, 300));
    std::ofstream(folder / "notes.MSD") << "shopping list";
    prompter.files.push_back(file("notes.MSD"));
    run("m1Open");
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Not a Valid QZX Datafile");
    EXPECT_EQ(composition(), "   Composition:  C2 H6 ");
    EXPECT_TRUE(state->structure.CurrentFile.empty())
        << "Save must not be pointed at a file that is not a structure";

    prompter.files.push_back(file("missing.MSD"));
    run("m1Open");
    EXPECT_EQ(prompter.shown.back().text, "File: " + file("missing.MSD") + " does not exist");
    EXPECT_EQ(composition(), "   Composition:  C2 H6 ");
}

TEST_F(FileCommandsTest, MolExportAndImportKeepTheComposition) {
    chooseTool(2);
    drag(QPoint(300, 200), QPoint(300, 200));
    chooseTool(15);
    drag(QPoint(320, 220), QPoint(360, 200));
    const QString drawn = composition();
    EXPECT_EQ(drawn, "   Composition:  C6 H5 N1 O2 ");
    prompter.files.push_back(file("nitrobenzene"));
    run("m1Molexport");
    ASSERT_TRUE(fs::exists(folder / "nitrobenzene.mol"));
    EXPECT_EQ(prompter.fileDialogs.back(), "Export MOLfile|MOL Files   (*.mol)|*.mol");

    run("m1New");
    prompter.files.push_back(file("nitrobenzene.mol"));
    run("m1Molimport");
    EXPECT_EQ(composition(), drawn);

    std::ofstream(folder / "empty.mol") << "title\r\n\r\nprogram\r\n  0  0\r\n";
    prompter.files.push_back(file("empty.mol"));
    run("m1Molimport");
    EXPECT_FALSE(prompter.shown.empty());
    EXPECT_EQ(composition(), drawn) << "a refused import leaves the structure";
}

TEST_F(FileCommandsTest, RGroupIsSavedLoadedAndInserted) {
    // Ethyl: the first drawn carbon is the attachment atom.
    chooseTool(7);
    drag(QPoint(300, 300), QPoint(340, 300));
    prompter.files.push_back(file("ethyl.RGF"));
    run("m1RSave");
    EXPECT_EQ(prompter.fileDialogs.back(), "Save R Group|RGF Files   (*.RGF)|*.RGF");
    EXPECT_TRUE(state->structure.empty()) << "saving an R group clears the drawing";
    EXPECT_EQ(composition(), "   Composition:");

    prompter.files.push_back(file("ethyl.RGF"));
    run("m1RLoad");
    EXPECT_EQ(state->settings.R_Group, "ethyl");
    EXPECT_EQ(
        qobject_cast<QToolButton*>(window->control(QStringLiteral("SpeedButton11")))->toolTip(),
        "Add R Group = ethyl");
    EXPECT_EQ(loadSettings(folder / "QZXPRO.INI").R_Group, "ethyl");

    // Benzene plus the ethyl group from a ring carbon: ethylbenzene.
    chooseTool(2);
    drag(QPoint(300, 200), QPoint(300, 200));
    chooseTool(11);
    drag(QPoint(320, 220), QPoint(370, 220));
    EXPECT_EQ(composition(), "   Composition:  C8 H10 ");
}

TEST_F(FileCommandsTest, RGroupToolWithoutAnActiveGroupSaysSoAndChangesNothing) {
    chooseTool(7);
    drag(QPoint(300, 300), QPoint(340, 300));
    chooseTool(11);
    drag(QPoint(340, 300), QPoint(380, 300));
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_EQ(prompter.shown.back().text, "No R Group Structure is Currently Defined");
    EXPECT_EQ(composition(), "   Composition:  C2 H6 ");

    // Cancelling Load R Group still writes the name.
    run("m1RLoad");
    EXPECT_EQ(loadSettings(folder / "QZXPRO.INI").R_Group, "{Default}");
    EXPECT_TRUE(fs::exists(folder / "QZXPRO.INI"));
}

TEST_F(FileCommandsTest, TheLabelFieldIsTheStructureLabel) {
    chooseTool(7);
    drag(QPoint(300, 300), QPoint(340, 300));
    // Typed without Enter, the title is still the one Save writes.
    labelField()->setText("Ethane, first try");
    EXPECT_EQ(state->structure.StructureLabel, "Ethane, first try");
    prompter.files.push_back(file("ethane.MSD"));
    run("m1SaveAs");
    prompter.files.push_back(file("ethane.MSD"));
    run("m1Open");
    prompter.answers.push_back(Prompter::Answer::Yes);
    labelField()->setText("Ethane");
    run("m1Save");
    run("m1New");
    EXPECT_EQ(labelField()->text(), "");
    EXPECT_EQ(state->structure.StructureLabel, "");
    prompter.files.push_back(file("ethane.MSD"));
    run("m1Open");
    EXPECT_EQ(labelField()->text().trimmed(), "Ethane");
    EXPECT_EQ(state->structure.StructureLabel, labelField()->text().toStdString());

    // Saving an R group clears the drawing and its title together.
    prompter.files.push_back(file("ethyl.RGF"));
    run("m1RSave");
    EXPECT_EQ(labelField()->text(), "");
    EXPECT_EQ(state->structure.StructureLabel, "");
}

} // namespace
} // namespace qzx
