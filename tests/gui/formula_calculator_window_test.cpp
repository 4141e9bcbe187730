// The elemental formula calculator window in the whole program.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "gui_fixture.h"
#include "windows/formula_calculator_window.h"
#include "windows/splash_window.h"

namespace qzx::test {
namespace {

class FormulaCalculator : public ProgramTest {
protected:
    void SetUp() override {
        create();
        window->splash()->hide();
        calculator = registry->find<FormulaCalculatorWindow>();
        ASSERT_NE(calculator, nullptr);
        calculator->show();
        // The offscreen platform activates no window by itself.
        QApplication::setActiveWindow(calculator);
        ASSERT_TRUE(QTest::qWaitForWindowActive(calculator));
    }
    template <typename T> T* part(const char* name) const {
        return calculator->findChild<T*>(QString::fromLatin1(name));
    }
    QLineEdit* field(const char* name) const { return part<QLineEdit>(name); }
    QCheckBox* box(const char* name) const { return part<QCheckBox>(name); }
    QAction* item(const char* name) const { return part<QAction>(name); }
    QTableWidget* grid() const { return part<QTableWidget>("StringGrid1"); }
    QString cell(int row, int column) const { return grid()->item(row, column)->text(); }
    void search(const QString& weight, const QString& tolerance) {
        field("Edit1")->setText(weight);
        field("Edit2")->setText(tolerance);
        part<QPushButton>("BitBtn1")->click();
    }
    /// A release of the left button on a grid cell.
    void clickCell(int row, int column) {
        const QRect cellRect = grid()->visualRect(grid()->model()->index(row, column));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, Qt::NoModifier, cellRect.center());
    }
    FormulaCalculatorWindow* calculator = nullptr;
};

TEST_F(FormulaCalculator, StartsWithCarbonAndHydrogenAndEveryResultCommandOff) {
    EXPECT_EQ(calculator->windowTitle(), "Elemental Formula");
    EXPECT_EQ(field("Edit2")->text(), "1");
    EXPECT_TRUE(field("Edit3")->isReadOnly());
    EXPECT_TRUE(box("CheckBox1")->isChecked());
    EXPECT_EQ(field("Edit4")->text(), "1");
    EXPECT_TRUE(box("CheckBox2")->isChecked());
    EXPECT_EQ(field("Edit6")->text(), "0");
    for (const char* name : {"CheckBox3", "CheckBox4", "CheckBox5", "CheckBox6", "CheckBox7"})
        EXPECT_FALSE(box(name)->isChecked()) << name;
    EXPECT_EQ(part<QLabel>("Label17")->text(), "Cl");
    EXPECT_EQ(part<QLabel>("Label18")->text(), "Si");
    EXPECT_EQ(part<QLabel>("Label19")->text(), "S");
    for (const char* name :
         {"Print1", "Clear1", "ResetAll1", "CopytoClipboard1", "CopytoWordPad1", "Sort1"})
        EXPECT_FALSE(item(name)->isEnabled()) << name;
    EXPECT_FALSE(part<QSpinBox>("SpinEdit1")->isEnabled());
    EXPECT_FALSE(part<QLabel>("Label11")->isVisible());
    EXPECT_EQ(cell(0, 0), "       Composition");
    EXPECT_EQ(cell(0, 1), " Difference");
}

TEST_F(FormulaCalculator, RowsFollowTheirLabelsFieldsAndBoxes) {
    QTest::mouseClick(part<QLabel>("Label15"), Qt::LeftButton); // O
    EXPECT_TRUE(box("CheckBox3")->isChecked());
    EXPECT_EQ(field("Edit8")->text(), "0");
    field("Edit9")->setText(QStringLiteral("4"));
    box("CheckBox3")->setChecked(false);
    EXPECT_EQ(field("Edit8")->text(), "");
    EXPECT_EQ(field("Edit9")->text(), "") << "unchecking empties both fields";

    // Leaving a field that holds text checks its row.
    field("Edit11")->setFocus();
    field("Edit11")->setText(QStringLiteral("2"));
    field("Edit1")->setFocus();
    EXPECT_TRUE(box("CheckBox4")->isChecked());

    // Enter walks the fields, from S Max back to C Min.
    field("Edit16")->setFocus();
    QTest::keyClick(field("Edit16"), Qt::Key_Return);
    EXPECT_TRUE(field("Edit17")->hasFocus());
    QTest::keyClick(field("Edit17"), Qt::Key_Return);
    EXPECT_TRUE(field("Edit4")->hasFocus());

    box("CheckBox8")->setChecked(true);
    EXPECT_TRUE(part<QSpinBox>("SpinEdit1")->isEnabled());
    EXPECT_TRUE(part<QSpinBox>("SpinEdit2")->isEnabled());
    box("CheckBox9")->setChecked(true); // N is checked: the nitrogen rule goes with it
    EXPECT_TRUE(box("CheckBox10")->isChecked());

    QTest::mouseDClick(part<QLabel>("Label20"), Qt::LeftButton);
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_EQ(prompter.shown.back().text, "Here it is");
}

TEST_F(FormulaCalculator, CalculateListsTheCompositionsAndEnablesTheResultCommands) {
    search(QStringLiteral("78.047"), QStringLiteral("0.01"));
    ASSERT_GE(grid()->rowCount(), 2);
    EXPECT_EQ(cell(1, 0), "C6 H6");
    EXPECT_EQ(cell(1, 1), "0.0000");
    EXPECT_EQ(field("Edit3")->text(), QString::number(grid()->rowCount() - 1));
    EXPECT_TRUE(part<QLabel>("Label11")->isVisible());
    EXPECT_EQ(part<QPushButton>("BitBtn1")->text(), "Calculate");
    for (const char* name :
         {"Print1", "Clear1", "ResetAll1", "CopytoClipboard1", "CopytoWordPad1", "Sort1"})
        EXPECT_TRUE(item(name)->isEnabled()) << name;

    item("Clear1")->trigger();
    EXPECT_EQ(grid()->rowCount(), 1);
    EXPECT_EQ(field("Edit3")->text(), "");
    EXPECT_FALSE(item("CopytoClipboard1")->isEnabled());
    EXPECT_TRUE(item("ResetAll1")->isEnabled());
}

TEST_F(FormulaCalculator, TheGridIsTheSearchOfTheSameInputs) {
    box("CheckBox3")->setChecked(true);
    box("CheckBox4")->setChecked(true);
    search(QStringLiteral("250.12"), QStringLiteral("0.02"));
    FormulaSearchInput input;
    input.target = 250.12;
    input.tolerance = 0.02;
    input.rows[kRowO] = {true, 0, 0};
    input.rows[kRowN] = {true, 0, 0};
    const FormulaSearchResult expected = FormulaSearch(input, state->elements);
    ASSERT_FALSE(expected.candidates.empty());
    ASSERT_EQ(grid()->rowCount() - 1, static_cast<int>(expected.candidates.size()));
    for (std::size_t i = 0; i < expected.candidates.size(); ++i) {
        const FormulaCandidate& c = expected.candidates[i];
        EXPECT_EQ(cell(static_cast<int>(i) + 1, 0).toStdString(), formulaCompositionText(c));
        EXPECT_EQ(
            cell(static_cast<int>(i) + 1, 1).toStdString(),
            formulaDifferenceText(std::abs(formulaCandidateMass(c, state->elements) - 250.12)));
    }
}

TEST_F(FormulaCalculator, HeadingsSortByDifferenceAndBackWithABeepWhenThereIsNothingToDo) {
    box("CheckBox3")->setChecked(true);
    box("CheckBox4")->setChecked(true);
    search(QStringLiteral("180.06"), QStringLiteral("0.05"));
    const int results = grid()->rowCount() - 1;
    ASSERT_GE(results, 3);
    const QString firstFound = cell(1, 0);
    clickCell(0, 1);
    EXPECT_TRUE(item("SortbyDifference1")->isChecked());
    for (int r = 2; r <= results; ++r)
        EXPECT_LE(cell(r - 1, 1).toDouble(), cell(r, 1).toDouble()) << r;
    clickCell(0, 1);
    EXPECT_EQ(prompter.beeps, 1) << "already sorted by difference";
    clickCell(0, 0);
    EXPECT_EQ(cell(1, 0), firstFound);
    EXPECT_TRUE(item("SortbyComposition1")->isChecked());
}

TEST_F(FormulaCalculator, AResultOpensItsDetailsAt200200AndCopiesAsColumns) {
    search(QStringLiteral("78.047"), QStringLiteral("0.01"));
    clickCell(1, 0);
    ASSERT_FALSE(prompter.shown.empty());
    const auto& detail = prompter.shown.back();
    EXPECT_TRUE(detail.text.startsWith("Composition is: C6 H6\n\nMolecular Weight:   78.0470"))
        << detail.text.toStdString();
    EXPECT_TRUE(detail.text.endsWith("Odd Electron"));
    EXPECT_EQ(detail.at, QPoint(200, 200));

    // With a spectrum, the details end with the isotope match.
    state->spectrum.peak(1) = {78.0f, 100.0f};
    state->spectrum.peak(2) = {79.0f, 6.5f};
    state->spectrum.setPeakCount(2);
    clickCell(1, 0);
    EXPECT_TRUE(prompter.shown.back().text.contains("Isotope match with the spectrum (M to M+4):"));

    item("CopytoClipboard1")->trigger();
    const QString lines = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(lines.startsWith("C6 H6" + QString(25, u' ') + "    0.0000     4   Odd\n"))
        << lines.toStdString();
}

TEST_F(FormulaCalculator, ResetAllRestoresTheRowsAndTheTolerance) {
    box("CheckBox3")->setChecked(true);
    box("CheckBox9")->setChecked(true);
    search(QStringLiteral("78.047"), QStringLiteral("5"));
    EXPECT_EQ(field("Edit2")->text(), "2") << "a tolerance above 2 is taken as 2";
    item("ResetAll1")->trigger();
    EXPECT_EQ(field("Edit2")->text(), "1");
    EXPECT_EQ(field("Edit1")->text(), "");
    EXPECT_FALSE(box("CheckBox3")->isChecked());
    EXPECT_FALSE(box("CheckBox9")->isChecked());
    EXPECT_EQ(part<QLabel>("Label17")->text(), "Cl");
    EXPECT_FALSE(item("ResetAll1")->isEnabled());
}

TEST_F(FormulaCalculator, NothingFoundMassOverflowAndBadFieldsAreSaid) {
    search(QStringLiteral("1.5"), QStringLiteral("0.001"));
    EXPECT_EQ(cell(1, 0), "No Matches");
    search(QStringLiteral("15000.01"), QStringLiteral("1"));
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_EQ(prompter.shown.back().title, "Mass Overflow");
    EXPECT_EQ(prompter.shown.back().text, "Maximum MW is 15,000");
    field("Edit4")->setText(QStringLiteral("one"));
    search(QStringLiteral("78"), QStringLiteral("1"));
    EXPECT_EQ(prompter.shown.back().text, "C Min # must be a whole number.");
}

TEST_F(FormulaCalculator, PrintAsksFirstForLongListsAndWritesThePages) {
    for (const char* name : {"CheckBox3", "CheckBox4"})
        box(name)->setChecked(true);
    search(QStringLiteral("300.1"), QStringLiteral("0.5"));
    const int results = grid()->rowCount() - 1;
    ASSERT_GT(results, 30);
    prompter.answers.push_back(Prompter::Answer::No);
    item("Print1")->trigger();
    EXPECT_TRUE(prompter.shown.back().text.startsWith(
        QStringLiteral("There are %1 results to print, or about\n").arg(results)));
    EXPECT_EQ(prompter.printDialogs, 0) << "No prints nothing";

    const QString pdf = QDir(QString::fromStdString(state->programDirectory.string()))
                            .filePath(QStringLiteral("list.pdf"));
    QPrinter& printer = state->print.printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    prompter.acceptPrintDialogs = true;
    prompter.answers.push_back(Prompter::Answer::Yes);
    item("Print1")->trigger();
    EXPECT_EQ(prompter.printDialogs, 1);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
}

TEST_F(FormulaCalculator, StopEndsALongSearchAndKeepsTheWindowAlive) {
    // Every row open near 14,000 u: thousands of results, reported every fifty. The press of
    // Stop waits in the event queue for the first report.
    for (const char* name : {"CheckBox3", "CheckBox4", "CheckBox5", "CheckBox6", "CheckBox7"})
        box(name)->setChecked(true);
    QTimer::singleShot(0, calculator, [this] {
        EXPECT_TRUE(calculator->searching());
        EXPECT_EQ(part<QPushButton>("BitBtn1")->text(), "Stop");
        part<QPushButton>("BitBtn1")->click();
    });
    search(QStringLiteral("14000"), QStringLiteral("0.00001"));
    EXPECT_FALSE(calculator->searching());
    EXPECT_EQ(calculator->results().end, FormulaSearchEnd::Stopped);
    EXPECT_GE(calculator->results().candidates.size(), 50u);
    EXPECT_LT(calculator->results().candidates.size(), 1000u);
    EXPECT_EQ(field("Edit3")->text(), QString::number(calculator->results().candidates.size()));
    EXPECT_EQ(part<QPushButton>("BitBtn1")->text(), "Calculate");
    EXPECT_GE(prompter.beeps, 1);
}

} // namespace
} // namespace qzx::test
