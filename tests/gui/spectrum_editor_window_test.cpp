// The spectrum editor in the whole program: ASC files, the table's keys and lines, the text and
// library imports, printing, and the binding to the spectrum through the spectrum window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QTableWidget>
#include <QTest>

#include "gui_fixture.h"
#include "windows/spectrum_editor_window.h"
#include "windows/spectrum_window.h"

namespace qzx::test {
namespace {

class SpectrumEditor : public ProgramTest {
protected:
    void SetUp() override {
        create();
        editor = registry->find<SpectrumEditorWindow>();
        ASSERT_NE(editor, nullptr);
    }
    QString path(const char* name) const {
        return QDir(QString::fromStdString(state->programDirectory.string())).filePath(name);
    }
    QString write(const char* name, const QByteArray& bytes) const {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    QAction* item(const char* name) const {
        return editor->findChild<QAction*>(QString::fromLatin1(name));
    }
    QString cell(int row, int column) const { return editor->table()->item(row, column)->text(); }
    void setCell(int row, int column, const char* text) const {
        editor->table()->item(row, column)->setText(QString::fromLatin1(text));
    }
    /// Opens a file through the command's file dialog.
    void run(const char* command, const QString& file) {
        prompter.files.push_back(file);
        item(command)->trigger();
    }
    SpectrumEditorWindow* editor = nullptr;
};

TEST_F(SpectrumEditor, OpensFromTheMainWindowAndKeepsAscFilesAsWritten) {
    EXPECT_TRUE(window->isControlEnabled(QStringLiteral("m6SpecEdit")));
    window->runCommand("m6SpecEdit");
    EXPECT_EQ(prompter.modalWindows, QStringList{"TSpecEdit"});
    EXPECT_EQ(editor->windowTitle(), "Spectrum Editor");
    EXPECT_EQ(editor->table()->horizontalHeaderItem(0)->text(), "      Mass");
    EXPECT_EQ(editor->table()->verticalHeaderItem(298)->text(), " 299");
    EXPECT_FALSE(item("Saveas1")->isEnabled());
    EXPECT_FALSE(item("Print1")->isEnabled());

    run("Open1", write("a.asc", "41\r\n100\r\n42.5\r\n7\r\n"));
    EXPECT_EQ(prompter.fileDialogs.back(), "Open|ASC Files   (*.ASC)|*.ASC");
    EXPECT_EQ(cell(1, 0), "42.5") << "cells keep the text as written";
    EXPECT_TRUE(item("Saveas1")->isEnabled());
    EXPECT_TRUE(item("Print1")->isEnabled());

    run("Saveas1", path("copy"));
    QFile saved(path("copy.ASC"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << "the default extension is added";
    EXPECT_EQ(saved.readAll(), "41\r\n100\r\n42.5\r\n7\r\n");

    item("ClearTable1")->trigger();
    EXPECT_EQ(cell(0, 0), "");
    EXPECT_FALSE(item("Saveas1")->isEnabled());
}

TEST_F(SpectrumEditor, EnterTabAndShiftTabMoveAsTheModeSays) {
    EXPECT_EQ(enterTarget({4, 0}, false), (GridCell{5, 0}));
    EXPECT_EQ(enterTarget({298, 1}, false), (GridCell{298, 1})) << "not past row 299";
    EXPECT_EQ(enterTarget({4, 0}, true), (GridCell{4, 1}));
    EXPECT_EQ(tabTarget({4, 1}), (GridCell{5, 0}));
    EXPECT_EQ(backTabTarget({4, 0}), (GridCell{3, 1}));
    EXPECT_EQ(backTabTarget({0, 0}), (GridCell{0, 0})) << "not above row 1";

    editor->show();
    QApplication::setActiveWindow(editor);
    QTableWidget* table = editor->table();
    table->setFocus();
    table->setCurrentCell(0, 0);
    // The first key opens the cell's editor, which takes the keys after it.
    const auto type = [table](const char* text) {
        QTest::keyClick(table, text[0]);
        QTest::keyClicks(QApplication::focusWidget(), text + 1);
    };
    type("57");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(cell(0, 0), "57");
    EXPECT_EQ(table->currentRow(), 1) << "Enter in Edit mode goes one row down";
    EXPECT_EQ(table->currentColumn(), 0);

    item("Entry1")->trigger();
    EXPECT_EQ(editor->findChild<QLabel*>(QStringLiteral("Label1"))->text(), "Mode:  ENTRY");
    EXPECT_FALSE(item("Edit2")->isChecked());
    type("58");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(table->currentRow(), 1);
    EXPECT_EQ(table->currentColumn(), 1) << "Enter in Entry mode goes as Tab";
    type("12");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(cell(1, 1), "12");
    EXPECT_EQ(table->currentRow(), 2);
    EXPECT_EQ(table->currentColumn(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(table->currentRow(), 1);
    EXPECT_EQ(table->currentColumn(), 1);
    EXPECT_TRUE(item("Saveas1")->isEnabled()) << "a key enables saving";
}

TEST_F(SpectrumEditor, DeleteLineNamesTheRowAndMovesTheRowsBelowUp) {
    for (int r = 0; r < 4; ++r)
        editor->table()->item(r, 0)->setText(QString::number(40 + r));
    editor->table()->setCurrentCell(1, 1);
    auto* edit = qobject_cast<QMenu*>(item("DeleteCurrentLine1")->associatedObjects().value(0));
    ASSERT_NE(edit, nullptr);
    emit edit->aboutToShow();
    EXPECT_EQ(item("DeleteCurrentLine1")->text(), "Delete Line 2");
    item("DeleteCurrentLine1")->trigger();
    EXPECT_EQ(cell(0, 0), "40");
    EXPECT_EQ(cell(1, 0), "42");
    EXPECT_EQ(cell(2, 0), "43");
    EXPECT_EQ(cell(3, 0), "");
}

TEST_F(SpectrumEditor, TextImportStripsHeaderLinesAndAsksBeforeErasing) {
    prompter.inputAnswers.push_back(QStringLiteral("3"));
    item("StripHeader1")->trigger();
    ASSERT_EQ(prompter.inputs.size(), 1u);
    EXPECT_EQ(prompter.inputs[0],
              (QStringList{"Strip Header", "Enter the number of initial lines to strip", "0"}));
    EXPECT_EQ(item("StripHeader1")->text(), "Strip Header (3)");
    EXPECT_EQ(editor->stripCount(), 3);

    setCell(0, 0, "99");
    prompter.answers.push_back(Prompter::Answer::Ok);
    run("ImportFile1", write("short.txt", "41 100\n42 50\n"));
    EXPECT_EQ(prompter.shown.back().text, "OK to erase the current table contents?");
    EXPECT_EQ(prompter.shown.back().title, "Confirm Erase");
    EXPECT_EQ(cell(0, 0), "99") << "strip 3 on a 2-line file changes nothing";

    prompter.answers.push_back(Prompter::Answer::Ok);
    item("ImportFile1")->trigger(); // the file dialog is cancelled
    EXPECT_EQ(cell(0, 0), "99") << "a cancelled dialog leaves the table";

    prompter.answers.push_back(Prompter::Answer::Ok);
    run("ImportFile1", write("peaks.txt", "Sample\nrun 7\nm/z int\nm/z 57.0 int 12\n41 100; 42"));
    EXPECT_EQ(prompter.fileDialogs.back(),
              "Import File|All Files   (*.*)|*.*|ASC Files   (*.ASC)|*.ASC");
    EXPECT_EQ(cell(0, 0), "57.0");
    EXPECT_EQ(cell(0, 1), "12");
    EXPECT_EQ(cell(1, 0), "41");
    EXPECT_EQ(cell(2, 0), "42");
    EXPECT_EQ(cell(2, 1), "");

    prompter.answers.push_back(Prompter::Answer::Cancel);
    item("ImportFile1")->trigger();
    EXPECT_EQ(cell(0, 0), "57.0") << "Cancel in the question keeps the table";
}

TEST_F(SpectrumEditor, ValuesBeyondRow299AreReportedNotDroppedSilently) {
    QByteArray text;
    for (int k = 1; k <= 300; ++k)
        text += QByteArray::number(k) + " 10\n";
    run("ImportFile1", write("many.txt", text));
    EXPECT_EQ(cell(298, 0), "299");
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_EQ(prompter.shown.back().text,
              "The table holds 299 peaks; 2 values after row 299 could not be shown and were "
              "left out.");
}

TEST_F(SpectrumEditor, TheLibraryListsItsNamesAndLoadsTheChosenEntry) {
    run("ImportNISTLibrary1",
        write("lib.msp", "Name: Benzene, methyl-\r\nNum Peaks: 2\r\n91 999; 92 600;\r\n\r\n"
                         "Name: Benzene\r\nMW: 78\r\nNum Peaks: 3\r\n51\t20\r\n52 15 78 999\r\n"));
    EXPECT_EQ(prompter.fileDialogs.back(), "Import NIST Library|msp Files   (*.msp)|*.msp");
    QListView* names = editor->libraryNames();
    ASSERT_EQ(names->model()->rowCount(), 2);
    EXPECT_EQ(names->model()->index(1, 0).data().toString(), "Benzene");
    EXPECT_FALSE(names->isHidden());

    editor->loadLibraryEntry(1);
    EXPECT_TRUE(names->isHidden());
    EXPECT_EQ(cell(0, 0), "51");
    EXPECT_EQ(cell(2, 0), "78");
    EXPECT_EQ(cell(2, 1), "999");
    EXPECT_EQ(cell(3, 0), "");
    EXPECT_TRUE(item("Saveas1")->isEnabled());
}

TEST_F(SpectrumEditor, JcampDxSpectraComeInAndGoOutWithTheirValues) {
    run("ImportJCAMPDX1", write("t.jdx", "##TITLE=Toluene\r\n##JCAMP-DX=4.24\r\n"
                                         "##DATA TYPE=MASS SPECTRUM\r\n##YFACTOR=0.5\r\n"
                                         "##PEAK TABLE=(XY..XY)\r\n91,200 92,120.5\r\n"
                                         "65,24\r\n##END=\r\n"));
    EXPECT_EQ(cell(0, 0), "65") << "sorted by mass";
    EXPECT_EQ(cell(2, 0), "92");
    EXPECT_EQ(cell(2, 1), "60.25") << "the factor applied";
    EXPECT_TRUE(prompter.shown.empty());

    setCell(3, 0, "93.5");
    setCell(3, 1, "4");
    run("ExportJCAMPDX1", path("out"));
    QFile written(path("out.jdx"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray text = written.readAll();
    EXPECT_TRUE(text.contains("##DATA TYPE=MASS SPECTRUM\r\n"));
    EXPECT_TRUE(text.contains("\r\n92,60.25\r\n93.5,4\r\n"));

    setCell(1, 1, "n/a");
    const qsizetype dialogs = prompter.fileDialogs.size();
    item("ExportJCAMPDX1")->trigger();
    EXPECT_EQ(prompter.fileDialogs.size(), dialogs) << "refused before the file is asked for";
    EXPECT_EQ(prompter.shown.back().text, "Row 2: \"n/a\" is not a number. Nothing was written.");

    prompter.answers.push_back(Prompter::Answer::Ok);
    run("ImportJCAMPDX1", write("ir.jdx", "##TITLE=IR\r\n##DATA TYPE=INFRARED SPECTRUM\r\n"
                                          "##XYDATA=(X++(Y..Y))\r\n1 2 3\r\n##END=\r\n"));
    EXPECT_TRUE(prompter.shown.back().text.startsWith("The file holds no mass spectrum"))
        << prompter.shown.back().text.toStdString();
    EXPECT_EQ(cell(0, 0), "65") << "a refused file leaves the table";
}

TEST_F(SpectrumEditor, PeekShowsTheFirstTenLines) {
    run("Peek1", write("p.txt", "a\nb\n"));
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_EQ(prompter.shown.back().text, "Line1-> a\nLine2-> b\n");
    EXPECT_EQ(cell(0, 0), "");
}

TEST_F(SpectrumEditor, EditDataFillsTheTableAndTakesTheEditsBackAsWholeNumbers) {
    Spectrum& spectrum = state->spectrum;
    spectrum.peak(1) = {41.0f, 100.0f};
    spectrum.peak(2) = {42.0f, 7.5f};
    spectrum.setPeakCount(2);
    setCell(5, 0, "120"); // an old row below the peaks
    auto* spectrumWindow = registry->find<SpectrumWindow>();
    ASSERT_NE(spectrumWindow, nullptr);
    prompter.onModal = [&](QDialog& shown) {
        EXPECT_EQ(shown.objectName(), "TSpecEdit");
        EXPECT_EQ(cell(0, 0), "41");
        EXPECT_EQ(cell(1, 1), "8");
        EXPECT_EQ(cell(5, 0), "") << "rows below the peaks are emptied";
        setCell(2, 0, "43.6");
        setCell(2, 1, "5");
        return int(QDialog::Accepted);
    };
    spectrumWindow->findChild<QAction*>(QStringLiteral("EditData1"))->trigger();
    ASSERT_EQ(spectrum.peakCount(), 3);
    EXPECT_EQ(spectrum.peak(2), (Peak{42.0f, 8.0f}));
    EXPECT_EQ(spectrum.peak(3), (Peak{44.0f, 5.0f}));

    prompter.onModal = nullptr;
    setCell(0, 0, "1");
    window->runCommand("m6SpecEdit");
    EXPECT_EQ(spectrum.peak(1).Mass, 41.0f) << "opened from the main window it is not bound";
}

TEST_F(SpectrumEditor, PrintsTheTableInColumnsOfFifty) {
    QByteArray asc;
    for (int k = 1; k <= 151; ++k)
        asc += QByteArray::number(k) + "\r\n100\r\n";
    run("Open1", write("t.asc", asc));
    const QString pdf = path("table.pdf");
    QPrinter& printer = state->print.printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    prompter.acceptPrintDialogs = true;
    item("Print1")->trigger();
    EXPECT_EQ(prompter.printDialogs, 1);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!text.waitForFinished(20000) || text.exitCode() != 0)
        GTEST_SKIP() << "pdftotext is not available";
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(printed.contains(QStringLiteral("SPECTRUM DATA")));
    EXPECT_TRUE(printed.contains(QStringLiteral("Page: 2")));
    EXPECT_TRUE(printed.contains(QStringLiteral("151")));
    EXPECT_EQ(printed.count(QStringLiteral("Abundance")), 4);
}

} // namespace
} // namespace qzx::test
