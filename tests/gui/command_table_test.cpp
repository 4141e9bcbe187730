// The main window's command table, the enabling rules derived from it, and how windows
// register the commands they serve.
#include <gtest/gtest.h>

#include <QKeySequence>
#include <QLabel>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <string>

#include "app/command_table.h"
#include "gui_fixture.h"
#include "windows/about_box.h"
#include "windows/splash_window.h"
#include "windows/window_steering.h"

namespace qzx {
namespace {

const CommandSpec& command(const char* name) {
    const CommandSpec* found = findCommand(name);
    EXPECT_NE(found, nullptr) << name;
    static const CommandSpec none{"", "", "", ""};
    return found ? *found : none;
}

TEST(CommandTable, NamesPlacesHandlersAndShortcutsAreConsistent) {
    QSet<QString> names, containers{QStringLiteral("PopupMenu1"), QStringLiteral("Panel3")},
        shortcuts;
    for (const CommandSpec& c : commandTable()) {
        const QString name = QString::fromLatin1(c.name);
        EXPECT_FALSE(names.contains(name)) << c.name << " is listed twice";
        names.insert(name);
        if (c.kind == CommandKind::Menu) {
            EXPECT_STREQ(c.place, "") << c.name;
        } else {
            // Every item comes after the menu, submenu or bar it is placed in.
            EXPECT_TRUE(containers.contains(QString::fromLatin1(c.place))) << c.name;
        }
        if (c.kind == CommandKind::Menu || c.kind == CommandKind::Submenu) containers.insert(name);
        if (c.kind == CommandKind::SpeedButton) {
            EXPECT_STREQ(c.place, "Panel3") << c.name;
            EXPECT_STRNE(c.hint, "") << c.name << " needs a hint";
        }
        if (*c.runs) {
            // A repeated command runs an item or button that has a handler of its own.
            const CommandSpec* target = findCommand(c.runs);
            ASSERT_NE(target, nullptr) << c.name << " runs " << c.runs;
            EXPECT_TRUE(target->kind == CommandKind::Action ||
                        target->kind == CommandKind::SpeedButton)
                << c.runs;
            EXPECT_STREQ(target->runs, "") << c.runs;
        }
        if (*c.shortcut) {
            const QKeySequence keys(QString::fromLatin1(c.shortcut));
            EXPECT_EQ(keys.toString(), QString::fromLatin1(c.shortcut)) << c.name;
            EXPECT_FALSE(shortcuts.contains(keys.toString())) << c.shortcut << " is used twice";
            shortcuts.insert(keys.toString());
        }
    }
    EXPECT_EQ(std::string(command("SpeedButton53").handlerName()), "m1New");
    EXPECT_EQ(std::string(command("m1New").handlerName()), "m1New");
    EXPECT_EQ(findCommand("m9Nothing"), nullptr);
}

TEST(CommandTable, EnablingFollowsTheStructureTheModeAndTheServingWindow) {
    struct Case {
        const char* name;
        bool noStructure, drawing, analyzing;
    };
    // Served in each case; with a structure unless "noStructure".
    const Case cases[] = {
        {"m1New", true, true, true},          {"m1Save", false, true, true},
        {"SpeedButton53", false, true, true}, {"m2Copy", false, true, true},
        {"m2Select", false, true, false},     {"m1RSave", false, true, false},
        {"m2Valence", false, true, false},    {"puSelect", true, true, false},
        {"puUndo", true, true, false},        {"puShow", true, true, true},
        {"m1Molimport", true, true, true},
    };
    for (const Case& c : cases) {
        const CommandSpec& entry = command(c.name);
        CommandView view;
        EXPECT_EQ(commandEnabled(entry, view, true), c.noStructure) << c.name;
        view.structurePresent = true;
        EXPECT_EQ(commandEnabled(entry, view, true), c.drawing) << c.name;
        view.analyzeMode = true;
        EXPECT_EQ(commandEnabled(entry, view, true), c.analyzing) << c.name;
    }
    // A command nobody serves is never enabled; a menu is always open to choose from.
    CommandView ready;
    ready.structurePresent = true;
    EXPECT_FALSE(commandEnabled(command("m4IsoPro"), ready, false));
    EXPECT_FALSE(commandEnabled(command("m1Save"), ready, false));
    EXPECT_TRUE(commandEnabled(command("m4Tools"), ready, false));
    EXPECT_TRUE(commandEnabled(command("m2Copy"), ready, false));
}

TEST(CommandTable, CheckMarksAndTheUndoCaptionFollowTheState) {
    CommandView view;
    EXPECT_TRUE(commandChecked(command("SpeedButton49"), view));
    EXPECT_FALSE(commandChecked(command("puAnalyze"), view));
    EXPECT_TRUE(commandChecked(command("SpeedButton54"), view));
    EXPECT_TRUE(commandChecked(command("m3ShowBoxPopUp"), view));
    EXPECT_FALSE(commandChecked(command("m1New"), view));
    view.analyzeMode = true;
    view.fragmentShape = 3;
    view.valenceSubtract = true;
    view.showAllAtoms = true;
    EXPECT_FALSE(commandChecked(command("SpeedButton49"), view));
    EXPECT_TRUE(commandChecked(command("SpeedButton50"), view));
    EXPECT_TRUE(commandChecked(command("puAnalyze"), view));
    EXPECT_FALSE(commandChecked(command("SpeedButton54"), view));
    EXPECT_TRUE(commandChecked(command("SpeedButton56"), view));
    EXPECT_TRUE(commandChecked(command("puSubtract"), view));
    EXPECT_FALSE(commandChecked(command("m2ValAdd"), view));
    EXPECT_TRUE(commandChecked(command("puShow"), view));
    EXPECT_TRUE(commandChecked(command("m3ShowAtoms"), view));

    EXPECT_STREQ(commandCaption(command("puUndo"), view), "Undo");
    view.undoShowsRedo = true;
    EXPECT_STREQ(commandCaption(command("puUndo"), view), "Redo");
    EXPECT_STREQ(commandCaption(command("m1New"), view), "New");
}

class ProgramCommands : public test::ProgramTest {
protected:
    void SetUp() override {
        create();
        window->splash()->hide();
    }
    bool enabled(const char* name) const {
        return window->isControlEnabled(QString::fromLatin1(name));
    }
};

TEST_F(ProgramCommands, WhatCanBeChosenFollowsTheStructureAndTheMode) {
    const char* structureCommands[] = {"m1Save",        "m1SaveAs",     "m1Molexport", "m1RSave",
                                       "m2Select",      "m2Copy",       "m2Valence",   "m2Bonds",
                                       "SpeedButton52", "SpeedButton53"};
    for (const char* name : structureCommands)
        EXPECT_FALSE(enabled(name)) << name;
    // Draw mode alone does not make an empty drawing savable.
    button(QStringLiteral("SpeedButton49"))->click();
    EXPECT_FALSE(enabled("m2Select"));

    chooseTool(7);
    drag(QPoint(300, 300), QPoint(340, 300));
    for (const char* name : structureCommands)
        EXPECT_TRUE(enabled(name)) << name;

    button(QStringLiteral("SpeedButton50"))->click();
    for (const char* name :
         {"m2Select", "m2Valence", "m1RSave", "m2Bonds", "puUndo", "puSelect", "puValence"})
        EXPECT_FALSE(enabled(name)) << name << " in analyze mode";
    for (const char* name : {"m1Save", "m2Copy", "SpeedButton53", "puShow", "puAnalyze"})
        EXPECT_TRUE(enabled(name)) << name << " in analyze mode";
    // Composing again in analyze mode (accurate mass) keeps the draw-mode commands off.
    action("m3AccMass")->trigger();
    EXPECT_FALSE(enabled("m2Select"));

    action("puAnalyze")->trigger();
    EXPECT_TRUE(enabled("m2Select"));
    EXPECT_TRUE(enabled("puUndo"));

    // Deleting every atom leaves nothing to save.
    action("m2Select")->trigger();
    drag(QPoint(280, 280), QPoint(360, 320));
    QTest::keyClick(window, Qt::Key_Delete);
    EXPECT_EQ(child<QLabel>("Panel4")->text(), "   Composition:  ");
    EXPECT_FALSE(enabled("m1Save"));
    EXPECT_FALSE(enabled("SpeedButton53"));

    // With a structure drawn again, the commands that need one come back.
    chooseTool(7);
    drag(QPoint(300, 300), QPoint(340, 300));
    for (const char* name : {"m5AutoFragStart", "SpeedButton64", "m3Loss", "m4SpecCap",
                             "SpeedButton63", "m1Print", "m1Save"})
        EXPECT_TRUE(enabled(name)) << name;
}

TEST_F(ProgramCommands, EveryCommandHasAWindowThatServesItAndALaterOneReplacesIt) {
    for (const CommandSpec& command : commandTable()) {
        if (command.kind != CommandKind::Action && command.kind != CommandKind::SpeedButton)
            continue;
        EXPECT_TRUE(window->commandHandlers().serves(command.handlerName())) << command.name;
    }
    int runs = 0;
    window->commandHandlers().add("m4SpecCap", [&runs] { ++runs; });
    window->refreshCommands();
    button(QStringLiteral("SpeedButton63"))->click(); // the speed button runs the same command
    action("m4SpecCap")->trigger();
    EXPECT_EQ(runs, 2);
}

TEST_F(ProgramCommands, WindowsAreMadeInStartUpOrderAndFoundByWhatTheyAre) {
    EXPECT_EQ(registry->windowNames(),
              (QStringList{"TForm1",    "TAboutBox",  "TEFCMain",   "TEltabfrm",    "TIPForm",
                           "TMsgForm",  "TOptform",   "TPeriodTab", "TStatform",    "TFragMassForm",
                           "TAFDoForm", "TAFragForm", "TEvalForm",  "TSpecEdit",    "TSpecForm",
                           "TNeutForm", "TSetForm",   "TLossForm",  "TSpecDlgForm", "TPageForm",
                           "TZPXForm",  "TShrtform"}));
    AboutBox* about = registry->find<AboutBox>();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->parentWidget(), window) << "shown over the main window";
    EXPECT_FALSE(about->isVisible());
    auto* fragments = registry->find<FragmentMassDisplay>();
    ASSERT_NE(fragments, nullptr);
    EXPECT_EQ(dynamic_cast<QWidget*>(fragments)->objectName(), "TFragMassForm");
}

TEST_F(ProgramCommands, ChangesOfTheSharedRecordsAreSignalled) {
    QSignalSpy structure(&state->changes, &StateNotifier::structureChanged);
    QSignalSpy settings(&state->changes, &StateNotifier::settingsChanged);
    chooseTool(7);
    drag(QPoint(300, 300), QPoint(340, 300));
    EXPECT_GE(structure.count(), 1);
    const int afterDrawing = structure.count();
    action("m1New")->trigger();
    EXPECT_GT(structure.count(), afterDrawing);
    EXPECT_EQ(state->structureMasses.composition, "");
    EXPECT_EQ(settings.count(), 0);
}

} // namespace
} // namespace qzx
