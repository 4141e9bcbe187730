// The preferences window in the whole program: settings written as controls change, the
// main-window options switched at once, the paper units, Defaults, Save and the ring-bond
// rescale on Close.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "../core/structure/structure_builders.h"
#include "app/structure_view.h"
#include "gui_fixture.h"
#include "render/colors.h"
#include "settings/settings_file.h"
#include "structure/structure_file.h"
#include "windows/preferences_window.h"

namespace qzx::test {
namespace {

class Preferences : public ProgramTest {
protected:
    void SetUp() override {
        create();
        preferences = registry->find<PreferencesWindow>();
        ASSERT_NE(preferences, nullptr);
    }
    template <typename T> T* part(const char* name) const {
        return preferences->findChild<T*>(QString::fromLatin1(name));
    }
    /// "Preferences" from the main window with `user` playing the user's part.
    void openWith(const std::function<void()>& user) {
        prompter.onModal = [&](QDialog&) {
            user();
            return int(QDialog::Accepted);
        };
        window->runCommand("m3Preferences");
        prompter.onModal = nullptr;
    }
    PreferencesWindow* preferences = nullptr;
};

TEST_F(Preferences, ControlsWriteTheirSettingsAndSwitchTheMainWindow) {
    EXPECT_EQ(registry->windowNames().indexOf("TOptform"),
              registry->windowNames().indexOf("TMsgForm") + 1);
    openWith([&] {
        part<QSpinBox>("Edit5")->setValue(4);
        part<QLineEdit>("Edit4")->setText(QStringLiteral("35"));
        part<QRadioButton>("RadioButton2")->setChecked(true);
        part<QComboBox>("ComboBox1")->setCurrentIndex(1);
        part<QCheckBox>("CheckBox4")->setChecked(true);
        part<QCheckBox>("CheckBox7")->setChecked(true);
        part<QCheckBox>("CheckBox9")->setChecked(false);
    });
    const Settings& s = state->settings;
    EXPECT_EQ(s.PiBond, 4);
    EXPECT_EQ(s.AlkBondLength, 35);
    EXPECT_FALSE(s.BondWidth) << "Thick";
    EXPECT_EQ(s.Background, 16777215);
    EXPECT_TRUE(s.AccurateMass);
    EXPECT_TRUE(state->UseAccurateMass) << "the main window's accurate mass follows";
    EXPECT_TRUE(action("m3AccMass")->isChecked());
    EXPECT_TRUE(action("m3ShowFragComp")->isChecked());
    EXPECT_FALSE(action("m3ShowBoxPopUp")->isChecked());
    EXPECT_EQ(prompter.modalWindows.back(), "TOptform");
}

TEST_F(Preferences, ColourEditsPaintTheSwatchAndCancelKeepsTheColour) {
    prompter.colorAnswers.push_back(QColor(0, 128, 255));
    prompter.colorAnswers.push_back(std::nullopt);
    openWith([&] {
        part<QPushButton>("Button4")->click();
        part<QPushButton>("Button4")->click();
    });
    EXPECT_EQ(state->settings.FragmentA, valueFromColor(QColor(0, 128, 255)));
    EXPECT_EQ(part<QWidget>("Shape4")->palette().color(QPalette::Window), QColor(0, 128, 255));
    EXPECT_EQ(prompter.colorDialogs.size(), 2u);
}

TEST_F(Preferences, MillimetresAndBack) {
    openWith([&] {
        part<QRadioButton>("RadioButton4")->setChecked(true);
        EXPECT_EQ(part<QLineEdit>("Edit9")->text(), "215.9");
        EXPECT_EQ(part<QLineEdit>("Edit10")->text(), "279.4");
        EXPECT_EQ(state->settings.PaperWidth, "215.9");
        EXPECT_FALSE(state->settings.Inches);
        part<QRadioButton>("RadioButton3")->setChecked(true);
    });
    EXPECT_EQ(state->settings.PaperWidth, "8.5");
    EXPECT_EQ(state->settings.PaperHeight, "11.0");
    EXPECT_TRUE(state->settings.Inches);
}

TEST_F(Preferences, PagePlacementsTakeWholeNumbersWhenTheFieldIsLeft) {
    openWith([&] {
        QLineEdit* top = part<QLineEdit>("MaskEdit1");
        EXPECT_EQ(top->text(), "60");
        top->setText(QStringLiteral("75 "));
        emit top->editingFinished();
        top->setText(QStringLiteral("   "));
        emit top->editingFinished();
        part<QRadioButton>("RadioButton8")->setChecked(true); // the spectrum's placement
        EXPECT_EQ(part<QLineEdit>("MaskEdit3")->text(), "120");
        EXPECT_TRUE(part<QRadioButton>("RadioButton5")->isChecked()) << "spectrum portrait";
        part<QRadioButton>("RadioButton6")->setChecked(true);
    });
    EXPECT_EQ(state->settings.StructureTop, "75") << "blanks only keep the setting";
    EXPECT_EQ(state->settings.Spectrum_Orientation, 2);
    EXPECT_EQ(state->settings.Structure_Orientation, 2);
}

TEST_F(Preferences, DefaultsAskFirstAndNoChangesNothing) {
    state->settings.RingBondLength = 25;
    state->settings.Sound = 0;
    const Settings before = state->settings;
    openWith([&] { part<QPushButton>("Button10")->click(); }); // answered No
    EXPECT_EQ(prompter.shown.back().text, "OK to reset all values to their default settings?");
    EXPECT_EQ(state->settings, before);

    prompter.answers.push_back(Prompter::Answer::Yes);
    state->settings.R_Group = "amide";
    openWith([&] {
        part<QPushButton>("Button10")->click();
        EXPECT_EQ(part<QSpinBox>("Edit3")->value(), 20);
        EXPECT_EQ(part<QSpinBox>("Edit8")->value(), 30);
    });
    EXPECT_EQ(state->settings.RingBondLength, 20);
    EXPECT_EQ(state->settings.Sound, 30);
    EXPECT_EQ(state->settings.R_Group, "amide") << "the R group is not reset";
}

TEST_F(Preferences, SaveThenLoadKeepsEveryValue) {
    openWith([&] {
        part<QSpinBox>("Edit6")->setValue(7);
        part<QCheckBox>("CheckBox1")->setChecked(true);
        part<QLineEdit>("Edit2")->setText(QStringLiteral("abiword"));
        part<QPushButton>("Button11")->click();
    });
    const Settings loaded = loadSettings(state->settingsFile());
    EXPECT_EQ(loaded, state->settings);
    EXPECT_EQ(loaded.FragmentMarker, 7);
    EXPECT_TRUE(loaded.ConfirmNew);
    EXPECT_EQ(loaded.PathToText, "abiword");
}

TEST_F(Preferences, ARingBondOfThirtyEnlargesTheDrawingByHalfAboutItsFirstAtom) {
    state->structure = toluene();
    window->structureView().showLoadedStructure();
    const Structure before = state->structure;
    openWith([&] {
        part<QSpinBox>("Edit3")->setValue(30);
        part<QPushButton>("Button13")->click();
    });
    const Atom& first = state->structure.atom(1);
    EXPECT_EQ(first.X, before.atom(1).X);
    const Atom& last = state->structure.atom(before.count.atoms);
    EXPECT_NEAR(last.Y - first.Y, 1.5 * (before.atom(before.count.atoms).Y - before.atom(1).Y),
                0.5);
    EXPECT_EQ(state->settings.RingBondLength, 30);

    const Bytes scaled = encodeStructureFile(state->structure);
    openWith([&] { part<QPushButton>("Button13")->click(); });
    EXPECT_EQ(encodeStructureFile(state->structure), scaled)
        << "an unchanged length leaves the drawing";
}

} // namespace
} // namespace qzx::test
