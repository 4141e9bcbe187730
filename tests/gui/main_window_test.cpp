#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <filesystem>
#include <fstream>

#include "app/cursors.h"
#include "app/drawing_surface.h"
#include "app/screen_fit.h"
#include "gui_fixture.h"
#include "platform/help_browser.h"
#include "render/colors.h"
#include "structure/editor.h"
#include "test_paths.h"
#include "windows/splash_window.h"

namespace qzx {
namespace {
namespace fs = std::filesystem;

class MainWindowTest : public test::ProgramTest {
protected:
    QColor pixel(int x, int y) { return window->drawingSurface()->image().pixelColor(x, y); }
};

TEST_F(MainWindowTest, StartsWithDefaultsAnEmptyDrawingAndTheStartScreen) {
    MainWindow& w = create();
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(state->settings, Settings{});
    EXPECT_EQ(state->elements[1].NominalMass, 12);
    EXPECT_EQ(state->calcElementSlots, kDefaultCalcElementSlots);
    EXPECT_EQ(w.windowTitle(), "Quorin Professional");
    EXPECT_EQ(child<QLabel>("Panel4")->text(), "   Composition:");
    EXPECT_EQ(child<QLabel>("Panel5")->text(), "   Formula Weight:");
    EXPECT_EQ(child<QLabel>("Panel4")->accessibleDescription(), "Composition");
    EXPECT_EQ(w.drawingSurface()->image().size(), QSize(1600, 1200));
    EXPECT_EQ(pixel(0, 0), colorFromValue(-2147483624));
    EXPECT_EQ(pixel(1599, 1199), colorFromValue(-2147483624));
    ASSERT_NE(w.splash(), nullptr);
    EXPECT_TRUE(w.splash()->isVisible());
    EXPECT_EQ(w.editor().tool(), 1);
    EXPECT_TRUE(button(QStringLiteral("SpeedButton1"))->isChecked());
    EXPECT_TRUE(button(QStringLiteral("SpeedButton49"))->isChecked());
    EXPECT_FALSE(w.editor().analyzeMode());
    EXPECT_FALSE(child<QLineEdit>("Edit1")->isVisible());
    EXPECT_EQ(child<QLineEdit>("Edit1")->maxLength(), 60);
    EXPECT_EQ(button(QStringLiteral("SpeedButton11"))->toolTip(), "Add R Group = {Default}");
    for (const char* name :
         {"m1Save", "m1SaveAs", "m1Molexport", "m1Print", "m1RSave", "m2Select", "m2Copy",
          "m2CopyWord", "m2Valence", "m2Bonds", "m3Loss", "SpeedButton52", "SpeedButton53"})
        EXPECT_FALSE(w.isControlEnabled(QString::fromLatin1(name))) << name;
    for (const char* name : {"m1New", "m1Open", "m1Molimport", "m1RLoad", "SpeedButton11",
                             "SpeedButton51", "m1Delete", "m1Exit", "m7HelpContents", "m7About",
                             "m1MolBndLen", "SpeedButton61", "puAnalyze", "puShow"})
        EXPECT_TRUE(w.isControlEnabled(QString::fromLatin1(name))) << name;
}

TEST_F(MainWindowTest, MenuItemsCarryTheirCaptionsAndShortcuts) {
    create();
    struct Item {
        const char* name;
        const char* caption;
        const char* shortcut;
    };
    const Item items[] = {
        {"m1New", "New", "Ctrl+N"},
        {"m1Open", "Open...", "Ctrl+O"},
        {"m1Save", "Save", "Ctrl+S"},
        {"m1SaveAs", "Save As...", "Ctrl+A"},
        {"m1Molimport", "Import Molfile...", ""},
        {"m1Molexport", "Export Molfile...", ""},
        {"m1MolBndLen", "Set MolBondLength", ""},
        {"m1RLoad", "Load R Group...", ""},
        {"m1RSave", "Save R Group...", ""},
        {"m1Delete", "Delete File...", "Ctrl+D"},
        {"m1PrintSetup", "Print Setup...", ""},
        {"m1Print", "Print...", "Ctrl+P"},
        {"m1Exit", "Exit", "Ctrl+X"},
        {"m2Select", "Select", "F2"},
        {"m2Elements", "Elements", ""},
        {"m2CopyMetafile", "As Metafile", ""},
        {"m2CopyBitmap", "As Bitmap", ""},
        {"m2CopyWord", "Copy to WordPad", ""},
        {"m2ValAdd", "Add", "F3"},
        {"m2ValSub", "Subtract", "F4"},
        {"m2Bonds", "Reduce Bond", ""},
        {"m3Loss", "Loss of...", "Ctrl+L"},
        {"m3Preferences", "Preferences", "F5"},
        {"m3ShowAtoms", "Show All Atoms", ""},
        {"m3SubFrag", "SubFragment", ""},
        {"m3MultiFrag", "Multi Fragment", ""},
        {"m3AccMass", "Use Accurate Mass", ""},
        {"m3ShowFragComp", "Show Fragment Comp", ""},
        {"m3ShowBoxPopUp", "Show BoxFrag Popup", ""},
        {"m3ShowLabel", "Show Label", ""},
        {"m4IsoPro", "Isotopic Profiler", "Ctrl+I"},
        {"m4EFC", "Elemental Formula", "Ctrl+E"},
        {"m4SpecCap", "Spectrum Capture", ""},
        {"m5AutoFragStart", "Start Autofragment", ""},
        {"m6SpecShow", "Show Spectrum", "F6"},
        {"m6SpecEdit", "Spectrum Editor", "F7"},
        {"m7HelpContents", "Help Contents", "F1"},
        {"m7HelpSearch", "Search for Help on...", ""},
        {"m7Status", "Status", ""},
        {"m7FirstUse", "First Time User", ""},
        {"m7ShortCuts", "Shortcuts", "F8"},
        {"FAQ1", "FAQ", ""},
        {"m7About", "About QZX 4.0", ""},
        {"puSelect", "Select", ""},
        {"puAdd", "Add", ""},
        {"puSubtract", "Subtract", ""},
        {"puUndo", "Undo", ""},
        {"puShow", "Show Atoms", ""},
        {"puAnalyze", "Analyze", ""},
        {"puCancel", "<Cancel>", ""},
    };
    for (const Item& item : items) {
        QAction* a = action(item.name);
        ASSERT_NE(a, nullptr) << item.name;
        EXPECT_EQ(a->text(), QString::fromLatin1(item.caption)) << item.name;
        EXPECT_EQ(a->shortcut().toString(), QString::fromLatin1(item.shortcut)) << item.name;
    }
}

TEST_F(MainWindowTest, ToolPanelHasTwentyOneToolsAndThreeElementPages) {
    MainWindow& w = create();
    const char* hints[] = {"Cyclohexane",
                           "Benzene",
                           "Cyclopentane",
                           "Cyclohexane",
                           "Benzene",
                           "Cyclopentane",
                           "Single Bond",
                           "Double Bond",
                           "Triple Bond",
                           "Add Alkyl Chain",
                           "Add R Group = {Default}",
                           "Add Hydroxyl Group",
                           "Add Amino Group",
                           "Add Keto Function",
                           "Add Nitro Group",
                           "Add Chlorine Atom",
                           "Add Fluorine Atom",
                           "Add Bromine Atom",
                           "Add Iodine Atom",
                           "Add Sulfhydryl Group",
                           "Add A Deuterium Atom"};
    const char* captions[] = {"--R", "-OH", "-NH2", "=O",  "-NO2", "--Cl",
                              "--F", "-Br", "--I",  "-SH", "-D"};
    QSet<QString> accessibleNames;
    for (int tag = 1; tag <= 21; ++tag) {
        QToolButton* b = button(QStringLiteral("SpeedButton%1").arg(tag));
        ASSERT_NE(b, nullptr) << tag;
        EXPECT_EQ(b->property("tag").toInt(), tag);
        EXPECT_EQ(b->toolTip(), QString::fromLatin1(hints[tag - 1]));
        if (tag >= 11)
            EXPECT_EQ(b->text(), QString::fromLatin1(captions[tag - 11]));
        else
            EXPECT_FALSE(b->icon().isNull());
        accessibleNames.insert(b->accessibleName());
        b->click();
        EXPECT_EQ(w.editor().tool(), tag);
    }
    EXPECT_EQ(accessibleNames.size(), 21) << "the two templates of each ring need distinct names";

    auto captionsOfPage = [&] {
        QStringList list;
        for (int t = 1; t <= 27; ++t)
            list << button(QStringLiteral("SpeedButton%1").arg(21 + t))->text();
        return list.join(u',');
    };
    const QString page1 = "C,N,O,S,Cl,F,Br,I,Si,P,B,Li,Be,Na,Mg,Al,K,Ca,Sc,Ti,V,Cr,Mn,Fe,Co,Ni,Cu";
    const QString page2 =
        "Zn,Ga,Ge,As,Se,Rb,Sr,Y,Zr,Nb,Mo,Ru,Rh,Pd,Ag,Cd,In,Sn,Sb,Te,Cs,Ba,Hf,Ta,W,Re,Os";
    const QString page3 =
        "Ir,Pt,Au,Hg,Tl,Pb,Bi,La,Ce,Pr,Nd,Pm,Sm,Eu,Gd,Tb,Dy,Ho,Er,Tm,Yb,Lu,Th,U,C13,N15,O18";
    QLabel* page = child<QLabel>("Label1");
    EXPECT_EQ(captionsOfPage(), page1);
    EXPECT_EQ(page->text(), "  1");
    button(QStringLiteral("SpinButton1Up"))->click();
    EXPECT_EQ(captionsOfPage(), page2);
    EXPECT_EQ(page->text(), "  2");
    button(QStringLiteral("SpinButton1Up"))->click();
    EXPECT_EQ(captionsOfPage(), page3);
    button(QStringLiteral("SpeedButton46"))->click(); // button 25 on page 3: C*
    EXPECT_EQ(w.editor().tool(), 22);
    EXPECT_EQ(w.editor().currentElement(), 13);
    button(QStringLiteral("SpinButton1Up"))->click();
    EXPECT_EQ(page->text(), "  1");
    button(QStringLiteral("SpinButton1Down"))->click();
    EXPECT_EQ(captionsOfPage(), page3);
    button(QStringLiteral("SpinButton1Down"))->click();
    button(QStringLiteral("SpinButton1Down"))->click();
    EXPECT_EQ(captionsOfPage(), page1);
    button(QStringLiteral("SpeedButton29"))->click(); // button 8 on page 1: iodine
    EXPECT_EQ(w.editor().currentElement(), 11);
}

TEST_F(MainWindowTest, SettingsFileIsAppliedAtStartUp) {
    writeIni("[Color]\r\nBackground=16777215\r\n[Settings]\r\nR_Group=Phenyl\r\n"
             "[Options]\r\nShowFragComposition=1\r\nShowPopBox=0\r\nAccurate Mass=1\r\n"
             "Show Label=1\r\nScroll Bars On=1\r\nShow Hints=0\r\nHideSplashScreen=1\r\n");
    MainWindow& w = create();
    EXPECT_TRUE(action("m3ShowFragComp")->isChecked());
    EXPECT_FALSE(action("m3ShowBoxPopUp")->isChecked());
    EXPECT_TRUE(action("m3AccMass")->isChecked());
    EXPECT_TRUE(state->UseAccurateMass);
    EXPECT_TRUE(action("m3ShowLabel")->isChecked());
    EXPECT_FALSE(child<QLineEdit>("Edit1")->isHidden());
    EXPECT_EQ(child<QScrollArea>("ScrollBox1")->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(button(QStringLiteral("SpeedButton11"))->toolTip(), "Add R Group = Phenyl");
    EXPECT_EQ(pixel(800, 600), QColor(255, 255, 255));
    EXPECT_FALSE(w.splash()->isVisible());

    // With hints switched off no tool tip appears.
    QToolButton* b = button(QStringLiteral("SpeedButton7"));
    QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), b->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(b, &tip);
    EXPECT_FALSE(QToolTip::isVisible());
}

TEST_F(MainWindowTest, HintsShowWhenSwitchedOn) {
    create();
    QToolButton* b = button(QStringLiteral("SpeedButton7"));
    QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), b->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(b, &tip);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "Single Bond");
    QToolTip::hideText();
}

TEST_F(MainWindowTest, MissingElementFilesWarnAThenBAndStartUpStillCompletes) {
    fs::remove(folder / "QZXPROA.DAT");
    fs::remove(folder / "QZXPROB.DAT");
    writeIni("[Settings]\nSound=2\n");
    MainWindow& w = create();
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[0].text, "WARNING! File QZXPROA.DAT was Not Found");
    EXPECT_EQ(prompter.shown[1].text, "WARNING! File QZXPROB.DAT was Not Found");
    EXPECT_EQ(prompter.shown[0].icon, Prompter::Icon::Warning);
    EXPECT_EQ(prompter.beeps, 4);
    EXPECT_EQ(state->elements[1].NominalMass, 0);
    EXPECT_EQ(state->elements[1].Symbol, "C");
    EXPECT_EQ(button(QStringLiteral("SpeedButton22"))->text(), "C");
    ASSERT_NE(w.splash(), nullptr);
    EXPECT_TRUE(w.splash()->isVisible());
}

TEST_F(MainWindowTest, DamagedElementFileIsRefusedWithItsName) {
    fs::resize_file(folder / "QZXPROB.DAT", 100);
    create();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].text.contains("QZXPROB.DAT"))
        << prompter.shown[0].text.toStdString();
    EXPECT_EQ(prompter.shown[0].icon, Prompter::Icon::Error);
    EXPECT_EQ(state->elements[1].NominalMass, 0);
    EXPECT_EQ(state->elements[8].Isotopes[1].Mass, 0.0f);
}

TEST_F(MainWindowTest, NewAsksOnlyWhenConfirmNewIsOn) {
    MainWindow& w = create();
    QLineEdit* label = child<QLineEdit>("Edit1");
    label->setText("Aspirin");
    action("m1New")->trigger();
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(prompter.beeps, 0);
    EXPECT_EQ(label->text(), "");

    state->settings.ConfirmNew = true;
    state->settings.Sound = 3;
    label->setText("Aspirin");
    prompter.answers.push_back(Prompter::Answer::Cancel);
    action("m1New")->trigger();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].title, "Confirm Erase");
    EXPECT_EQ(prompter.shown[0].text, "OK To Erase Structure?");
    EXPECT_EQ(prompter.shown[0].buttons, Prompter::Buttons::OkCancel);
    EXPECT_EQ(prompter.beeps, 3);
    EXPECT_EQ(label->text(), "Aspirin");

    prompter.answers.push_back(Prompter::Answer::Ok);
    button(QStringLiteral("SpeedButton50"))->click();
    action("m1New")->trigger();
    EXPECT_EQ(label->text(), "");
    EXPECT_FALSE(w.editor().analyzeMode());
    EXPECT_TRUE(button(QStringLiteral("SpeedButton49"))->isChecked());

    state->settings.Sound = 0;
    prompter.beeps = 0;
    prompter.answers.push_back(Prompter::Answer::Ok);
    action("m1New")->trigger();
    EXPECT_EQ(prompter.beeps, 0) << "Sound 0 silences the error signal";
}

TEST_F(MainWindowTest, DrawAnalyzeAndFragmentShapes) {
    MainWindow& w = create();
    button(QStringLiteral("SpeedButton50"))->click();
    EXPECT_TRUE(w.editor().analyzeMode());
    EXPECT_TRUE(action("puAnalyze")->isChecked());
    EXPECT_FALSE(button(QStringLiteral("SpeedButton49"))->isChecked());
    action("puAnalyze")->trigger();
    EXPECT_FALSE(w.editor().analyzeMode());
    EXPECT_FALSE(action("puAnalyze")->isChecked());
    EXPECT_TRUE(button(QStringLiteral("SpeedButton49"))->isChecked());

    button(QStringLiteral("SpeedButton56"))->click();
    EXPECT_EQ(w.editor().fragmentShape(), 3);
    EXPECT_TRUE(w.editor().analyzeMode());
    button(QStringLiteral("SpeedButton49"))->click();

    // Sub-fragments need multi-fragment, box mode and analyze mode.
    action("m3SubFrag")->trigger();
    EXPECT_TRUE(w.fragmentOptions().subFragment);
    EXPECT_TRUE(w.fragmentOptions().multiFragment);
    EXPECT_TRUE(action("m3MultiFrag")->isChecked());
    EXPECT_EQ(w.editor().fragmentShape(), 2);
    EXPECT_TRUE(button(QStringLiteral("SpeedButton55"))->isChecked());
    EXPECT_TRUE(w.editor().analyzeMode());
    action("m3SubFrag")->trigger();
    EXPECT_FALSE(w.fragmentOptions().subFragment);
    EXPECT_TRUE(w.fragmentOptions().multiFragment);

    // Menu and popup keep one "show all atoms" option.
    action("puShow")->trigger();
    EXPECT_TRUE(action("m3ShowAtoms")->isChecked());
    action("m3ShowAtoms")->trigger();
    EXPECT_FALSE(action("puShow")->isChecked());
    EXPECT_FALSE(w.editor().showAllAtoms());
}

TEST_F(MainWindowTest, OptionTogglesKeepTheirCheckMarks) {
    MainWindow& w = create();
    action("m3AccMass")->trigger();
    EXPECT_TRUE(state->UseAccurateMass);
    EXPECT_TRUE(action("m3AccMass")->isChecked());
    action("m3ShowBoxPopUp")->trigger();
    EXPECT_FALSE(w.fragmentOptions().showBoxPopup);
    EXPECT_FALSE(action("m3ShowBoxPopUp")->isChecked());
    action("m3ShowLabel")->trigger();
    QLineEdit* label = child<QLineEdit>("Edit1");
    EXPECT_FALSE(label->isHidden());
    EXPECT_EQ(label->palette().color(QPalette::Base), colorFromValue(state->settings.Background));
    action("m3ShowLabel")->trigger();
    EXPECT_TRUE(label->isHidden());
    button(QStringLiteral("SpeedButton58"))->click();
    EXPECT_EQ(child<QScrollArea>("ScrollBox1")->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    button(QStringLiteral("SpeedButton58"))->click();
    EXPECT_EQ(child<QScrollArea>("ScrollBox1")->horizontalScrollBarPolicy(),
              Qt::ScrollBarAlwaysOff);
}

TEST_F(MainWindowTest, AShownLabelFieldCanBeSeenUntilATitleIsTyped) {
    create();
    action("m3ShowLabel")->trigger();
    QLineEdit* label = child<QLineEdit>("Edit1");
    EXPECT_TRUE(label->hasFrame());
    EXPECT_FALSE(label->placeholderText().isEmpty());
    label->setText(QStringLiteral("Caffeine"));
    EXPECT_FALSE(label->hasFrame()) << "a typed title stands on the drawing alone";
    EXPECT_EQ(state->structure.StructureLabel, "Caffeine") << "the placeholder is never the title";
    label->clear();
    EXPECT_TRUE(label->hasFrame());
    EXPECT_EQ(state->structure.StructureLabel, "");
}

TEST_F(MainWindowTest, ScrollBarsOffReturnsTheViewToTheDrawingsCorner) {
    MainWindow& w = create();
    w.resize(800, 600);
    auto* box = child<QScrollArea>("ScrollBox1");
    button(QStringLiteral("SpeedButton58"))->click();
    ASSERT_GT(box->horizontalScrollBar()->maximum(), 0);
    box->horizontalScrollBar()->setValue(box->horizontalScrollBar()->maximum());
    box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
    ASSERT_GT(box->horizontalScrollBar()->value(), 0);
    button(QStringLiteral("SpeedButton58"))->click();
    EXPECT_EQ(box->horizontalScrollBar()->value(), 0);
    EXPECT_EQ(box->verticalScrollBar()->value(), 0);
    // Without bars the view does not scroll away again (a wheel turn, say).
    box->verticalScrollBar()->setValue(200);
    EXPECT_EQ(box->verticalScrollBar()->value(), 0);
}

TEST_F(MainWindowTest, PanelsTellTheirTextToAssistiveToolsAfterEveryChange) {
    create();
    chooseTool(7);
    drag(QPoint(300, 300), QPoint(340, 300));
    auto* composition = child<QLabel>("Panel4");
    auto* mass = child<QLabel>("Panel5");
    EXPECT_EQ(composition->accessibleName(), composition->text());
    EXPECT_EQ(mass->accessibleName(), "   Nominal Mass:  30");
    prompter.files.push_back(QString::fromStdString((folder / "ethyl.RGF").string()));
    action("m1RSave")->trigger();
    EXPECT_EQ(composition->text(), "   Composition:");
    EXPECT_EQ(composition->accessibleName(), composition->text());
    EXPECT_EQ(mass->accessibleName(), "   Formula Weight:");
}

TEST_F(MainWindowTest, DeleteFileAsksAndDeletesOnlyOnYes) {
    create();
    const fs::path victim = folder / "old.msd";
    std::ofstream(victim) << "x";
    const QString name = QString::fromStdString(victim.string());

    prompter.files.push_back(name);
    prompter.answers.push_back(Prompter::Answer::No);
    action("m1Delete")->trigger();
    EXPECT_TRUE(fs::exists(victim));
    ASSERT_EQ(prompter.fileDialogs.size(), 1);
    EXPECT_EQ(prompter.fileDialogs[0], "Delete File|All Files   (*.*)|*.*");
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "WARNING! About to Delete:  " + name +
                                          "\n\n   Press Yes to Confirm Delete, or No To Cancel");
    EXPECT_EQ(prompter.shown[0].buttons, Prompter::Buttons::YesNo);
    EXPECT_EQ(prompter.beeps, 30);

    prompter.files.push_back(name);
    prompter.answers.push_back(Prompter::Answer::Yes);
    action("m1Delete")->trigger();
    EXPECT_FALSE(fs::exists(victim));

    // Cancelling the file dialog asks nothing.
    prompter.shown.clear();
    action("m1Delete")->trigger();
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(MainWindowTest, MolBondLengthTakesWholeNumbersFromOne) {
    create();
    prompter.inputAnswers = {QStringLiteral("250"), QStringLiteral("0"), QStringLiteral("abc"),
                             QStringLiteral("-5"), QString()};
    action("m1MolBndLen")->trigger();
    ASSERT_EQ(prompter.inputs.size(), 1u);
    EXPECT_EQ(prompter.inputs[0],
              (QStringList{"MOLFile Bond Length", "Enter the Bond Length", "100"}));
    for (int i = 0; i < 4; ++i)
        action("m1MolBndLen")->trigger();
    // Each box shows the length in force: 250 after the first answer, kept by the refusals.
    ASSERT_EQ(prompter.inputs.size(), 5u);
    for (std::size_t i = 1; i < 5; ++i)
        EXPECT_EQ(prompter.inputs[i][2], "250") << i;
    EXPECT_EQ(prompter.beeps, 3 * 30) << "each refused length gives the error signal";
}

TEST_F(MainWindowTest, ExitShowsTheStartScreenModallyWithClose) {
    MainWindow& w = create();
    w.splash()->hide();
    QString captionSeen;
    prompter.onModal = [&](QDialog& shown) {
        captionSeen = qobject_cast<SplashWindow*>(&shown)->buttonCaption();
        return int(QDialog::Accepted);
    };
    action("m1Exit")->trigger();
    EXPECT_EQ(prompter.modalWindows, QStringList{"TSplash"});
    EXPECT_EQ(captionSeen, "Close");
    EXPECT_EQ(prompter.beeps, 30);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(MainWindowTest, HelpMenuOpensTopicsAndInformationWindows) {
    fs::copy(fs::path(QZX_RUNTIME_DIR) / "help", folder / "help");
    create();
    HelpBrowser& help = registry->help();
    const std::pair<const char*, const char*> topics[] = {
        {"m7HelpContents", "Help Contents"}, {"m7FirstUse", "First Time User"}, {"FAQ1", "FAQ"}};
    for (const auto& [command, title] : topics) {
        action(command)->trigger();
        EXPECT_TRUE(help.isVisible());
        EXPECT_EQ(help.currentTitle(), QString::fromLatin1(title)) << command;
    }
    action("m7Status")->trigger();
    action("m7ShortCuts")->trigger();
    action("m7About")->trigger();
    EXPECT_EQ(prompter.modalWindows, (QStringList{"TStatform", "TShrtform", "TAboutBox"}));
}

TEST(Cursors, AllFiveAreLoadedFromTheProgramResources) {
    const CursorSet cursors;
    for (CursorNumber n : {CursorNumber::XHair, CursorNumber::ValPlus, CursorNumber::ValMinus,
                           CursorNumber::Move, CursorNumber::Eraser}) {
        const QPixmap picture = cursors.cursor(n).pixmap();
        ASSERT_FALSE(picture.isNull()) << static_cast<int>(n);
        EXPECT_EQ(picture.size(), QSize(32, 32));
    }
    EXPECT_EQ(cursors.cursor(CursorNumber::XHair).hotSpot(), QPoint(15, 15));
    EXPECT_NE(cursors.cursor(CursorNumber::ValPlus).pixmap().toImage(),
              cursors.cursor(CursorNumber::ValMinus).pixmap().toImage());
}

TEST(ScreenFit, FactorsForScreenSizesTaskBarsAndDensity) {
    const ScreenFit design = fitToScreen(800, 96, false);
    EXPECT_DOUBLE_EQ(design.contentScale, 1.0);
    EXPECT_FALSE(design.smallGroupCaptions);

    const ScreenFit small = fitToScreen(640, 96, false);
    EXPECT_DOUBLE_EQ(small.contentScale, 0.8);
    EXPECT_DOUBLE_EQ(small.speedBarScale, 1.25);
    EXPECT_TRUE(small.smallGroupCaptions);

    const ScreenFit smallWithBar = fitToScreen(640, 96, true);
    EXPECT_DOUBLE_EQ(smallWithBar.contentScale, 0.8 * 0.90);
    EXPECT_DOUBLE_EQ(smallWithBar.massPanelWiden, 1.12);

    EXPECT_DOUBLE_EQ(fitToScreen(1024, 96, true).contentScale, 1.28 * 0.95);
    EXPECT_DOUBLE_EQ(fitToScreen(800, 120, false).contentScale, 0.85);
    EXPECT_DOUBLE_EQ(fitToScreen(1024, 120, false).contentScale, 1.28 * 0.90);
    EXPECT_DOUBLE_EQ(fitToScreen(1280, 120, false).contentScale, 1.6 * 0.95);
    EXPECT_DOUBLE_EQ(fitToScreen(640, 120, false).contentScale, 0.8 * 0.95);
}

} // namespace
} // namespace qzx
