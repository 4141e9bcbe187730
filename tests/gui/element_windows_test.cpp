// The periodic table, the element editor and the element list in the whole program.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <filesystem>

#include "chem/element_table.h"
#include "gui_fixture.h"
#include "windows/element_editor_window.h"
#include "windows/element_list_window.h"
#include "windows/formula_calculator_window.h"
#include "windows/isotope_profiler_window.h"
#include "windows/periodic_table_window.h"

namespace qzx::test {
namespace {

class ElementWindows : public ProgramTest {
protected:
    void SetUp() override {
        create();
        periodic = registry->find<PeriodicTableWindow>();
        ASSERT_NE(periodic, nullptr);
    }
    template <typename T> T* in(QWidget* window, const char* name) const {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    /// Plays the user in the element editor: types `text` into field `name`, then presses
    /// `button` ("OKBtn" or "CancelBtn").
    void typeInEditor(const char* name, const QString& text, const char* button) {
        prompter.onModal = [this, name, text, button](QDialog& window) {
            if (window.objectName() != "TEditElem") return int(QDialog::Rejected);
            QLineEdit* field = in<QLineEdit>(&window, name);
            field->selectAll();
            QTest::keyClicks(field, text);
            in<QPushButton>(&window, button)->click();
            return window.result();
        };
    }
    int column(const char* symbol) const {
        for (int r = 0; r < PeriodicTableWindow::kRows; ++r)
            for (int c = 0; c < PeriodicTableWindow::kColumns; ++c)
                if (PeriodicTableWindow::elementAt(c, r) == state->elements.findSymbol(symbol))
                    return c;
        return -1;
    }
    PeriodicTableWindow* periodic = nullptr;
};

TEST_F(ElementWindows, TheLayoutPlacesTheElementsOnSeventeenByTen) {
    EXPECT_EQ(periodic->windowTitle(), "Elements");
    const ElementTable& e = state->elements;
    EXPECT_EQ(PeriodicTableWindow::elementAt(0, 0), e.findSymbol("H"));
    EXPECT_EQ(PeriodicTableWindow::elementAt(13, 1), e.findSymbol("C"));
    EXPECT_EQ(PeriodicTableWindow::elementAt(16, 2), e.findSymbol("Cl"));
    EXPECT_EQ(PeriodicTableWindow::elementAt(6, 4), 0) << "the gap after Mo";
    EXPECT_EQ(PeriodicTableWindow::elementAt(7, 4), e.findSymbol("Ru"));
    EXPECT_EQ(PeriodicTableWindow::elementAt(14, 5), e.findSymbol("Bi"));
    EXPECT_EQ(PeriodicTableWindow::elementAt(4, 8), e.findSymbol("U"));
    int filled = 0;
    for (int r = 0; r < PeriodicTableWindow::kRows; ++r)
        for (int c = 0; c < PeriodicTableWindow::kColumns; ++c)
            filled += PeriodicTableWindow::elementAt(c, r) != 0;
    EXPECT_EQ(filled, 79) << "every element but D, C*, N* and O*";
    QTableWidget* grid = in<QTableWidget>(periodic, "StringGrid1");
    EXPECT_EQ(grid->item(1, 13)->text(), "C");
    EXPECT_TRUE(grid->item(1, 13)->font().bold());
    EXPECT_EQ(grid->item(1, 13)->foreground().color(), QColor(128, 0, 0));
    EXPECT_FALSE(in<QPushButton>(periodic, "SaveBtn")->isEnabled());
}

TEST_F(ElementWindows, TheEditorShowsTheIsotopesAndMarksTheMostAbundant) {
    prompter.onModal = [this](QDialog& window) {
        EXPECT_EQ(in<QLabel>(&window, "Label2")->text(), "O");
        EXPECT_EQ(in<QLabel>(&window, "Label4")->text(), "Oxygen");
        EXPECT_EQ(in<QLineEdit>(&window, "Edit2")->text(), "3");
        EXPECT_FALSE(in<QLineEdit>(&window, "Edit5")->text().isEmpty()) << "third isotope";
        EXPECT_TRUE(in<QLineEdit>(&window, "Edit6")->text().isEmpty()) << "fourth row empty";
        EXPECT_EQ(in<QLineEdit>(&window, "Edit3")->text(), "15.9949");
        EXPECT_TRUE(in<QRadioButton>(&window, "RadioButton1")->isChecked());
        EXPECT_FALSE(in<QPushButton>(&window, "CancelBtn")->isEnabled());
        return int(QDialog::Accepted);
    };
    const ElementRecord before = state->elements[4];
    periodic->editCell(15, 1); // O
    EXPECT_EQ(prompter.modalWindows, QStringList{"TEditElem"});
    EXPECT_EQ(state->elements[4].NominalMass, before.NominalMass) << "nothing typed";
    EXPECT_FALSE(in<QPushButton>(periodic, "SaveBtn")->isEnabled());

    periodic->editCell(6, 4); // the empty cell
    EXPECT_EQ(prompter.modalWindows.size(), 1) << "an empty cell opens nothing";
}

TEST_F(ElementWindows, TypedValuesAreStoredAndSavedWithTheOldFilesKept) {
    const int chlorine = state->elements.findSymbol("Cl");
    typeInEditor("Edit1", QStringLiteral("36"), "OKBtn");
    periodic->editCell(16, 2);
    EXPECT_EQ(state->elements[chlorine].NominalMass, 36);
    QPushButton* save = in<QPushButton>(periodic, "SaveBtn");
    ASSERT_TRUE(save->isEnabled());
    save->click();
    EXPECT_TRUE(prompter.shown.empty());
    const std::filesystem::path folder = state->programDirectory;
    EXPECT_TRUE(std::filesystem::exists(folder / "QZXPROA.BAK"));
    EXPECT_TRUE(std::filesystem::exists(folder / "QZXPROB.BAK"));
    ElementTable reread;
    CalcElementSlots calcSlots{};
    const ElementLoadResult loaded =
        LoadElementTable(folder, reread, calcSlots, [](const std::string&) {});
    ASSERT_TRUE(loaded.loaded) << loaded.error;
    EXPECT_EQ(reread[chlorine].NominalMass, 36);

    // Cancel after typing stores nothing.
    typeInEditor("Edit1", QStringLiteral("99"), "CancelBtn");
    periodic->editCell(16, 2);
    EXPECT_EQ(state->elements[chlorine].NominalMass, 36);

    // Abundances that no longer add up to 1 would make the next start refuse the files.
    typeInEditor("Edit12", QStringLiteral("0.7600"), "OKBtn");
    periodic->editCell(16, 2);
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_EQ(prompter.shown.back().text,
              "These values would give Cl abundances that do not add up to 1. Nothing of this "
              "edit was stored.");
    EXPECT_NE(state->elements[chlorine].Isotopes[1].Abundance, 0.76f);
}

TEST_F(ElementWindows, CountsAboveNineAndTextThatIsNoNumberAreRefused) {
    const int carbon = state->elements.findSymbol("C");
    const ElementRecord before = state->elements[carbon];
    typeInEditor("Edit2", QStringLiteral("12"), "OKBtn");
    periodic->editCell(13, 1);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].text.startsWith("Isotopes must be from 0 to 9"));
    EXPECT_EQ(state->elements[carbon].IsotopeCount, before.IsotopeCount);

    typeInEditor("Edit13", QStringLiteral("plenty"), "OKBtn");
    periodic->editCell(13, 1);
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[1].text,
              "The abundance of isotope 2 must be a number. Nothing of this edit was stored.");
    EXPECT_EQ(state->elements[carbon].Isotopes[2].Abundance, before.Isotopes[2].Abundance);
    EXPECT_FALSE(in<QPushButton>(periodic, "SaveBtn")->isEnabled());
}

TEST_F(ElementWindows, TheListStartsOnChlorineAndServesTheCalculatorsRows) {
    auto* list = registry->find<ElementListWindow>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(in<QLineEdit>(list, "Edit1")->text(), "Cl");
    EXPECT_EQ(in<QLineEdit>(list, "Edit2")->text(), "Chlorine");
    EXPECT_EQ(in<QLineEdit>(list, "Edit3")->text().size(), 8);

    const int bromine = state->elements.findSymbol("Br");
    prompter.onModal = [this, bromine](QDialog& window) {
        in<QListWidget>(&window, "ListBox1")->setCurrentRow(bromine - 1);
        EXPECT_EQ(in<QLineEdit>(&window, "Edit1")->text(), "Br");
        return int(QDialog::Accepted);
    };
    auto* calculator = registry->find<FormulaCalculatorWindow>();
    QTest::mouseClick(in<QLabel>(calculator, "Label18"), Qt::RightButton);
    EXPECT_EQ(in<QLabel>(calculator, "Label18")->text(), "Br");
    EXPECT_TRUE(in<QCheckBox>(calculator, "CheckBox6")->isChecked());
    EXPECT_EQ(state->calcElementSlots[kRow6], bromine);
}

TEST_F(ElementWindows, TheProfilersElementsCommandShowsThePeriodicTable) {
    auto* profiler = registry->find<IsotopeProfilerWindow>();
    QAction* elements = in<QAction>(profiler, "Elements1");
    ASSERT_TRUE(elements->isEnabled());
    elements->trigger();
    EXPECT_EQ(prompter.modalWindows, QStringList{"TPeriodTab"});
    window->runCommand("m2Elements");
    EXPECT_EQ(prompter.modalWindows.size(), 2);
}

} // namespace
} // namespace qzx::test
