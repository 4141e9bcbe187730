// The page setup window and the spectrum window's printouts, printed to PDF and read back.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "../core/structure/structure_builders.h"
#include "app/structure_view.h"
#include "chem/autofragment.h"
#include "gui_fixture.h"
#include "printing/page_frame.h"
#include "render/structure_picture.h"
#include "windows/page_setup_window.h"
#include "windows/spectrum_window.h"

namespace qzx::test {
namespace {

class Printing : public ProgramTest {
protected:
    void SetUp() override {
        create();
        pageSetup = registry->find<PageSetupWindow>();
        spectrum = registry->find<SpectrumWindow>();
        ASSERT_NE(pageSetup, nullptr);
        ASSERT_NE(spectrum, nullptr);
    }
    QString path(const char* name) const {
        return QDir(QString::fromStdString(state->programDirectory.string())).filePath(name);
    }
    void openToluene() {
        QFile file(path("Toluene.ASC"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("39\r\n15\r\n65\r\n12\r\n91\r\n100\r\n92\r\n60\r\n");
        file.close();
        spectrum->openFile(path("Toluene.ASC"));
    }
    /// Prints to a PDF file and gives back its text, or an empty text without pdftotext.
    QString printedText(const std::function<void()>& print) {
        const QString pdf = path("out.pdf");
        QFile::remove(pdf);
        QPrinter& printer = state->print.printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        prompter.acceptPrintDialogs = true;
        print();
        EXPECT_TRUE(QFile::exists(pdf));
        QProcess text;
        text.start(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        if (!text.waitForFinished(20000) || text.exitCode() != 0) return {};
        return QString::fromUtf8(text.readAllStandardOutput());
    }
    template <typename T> T* part(const char* name) const {
        return pageSetup->findChild<T*>(QString::fromLatin1(name));
    }
    PageSetupWindow* pageSetup = nullptr;
    SpectrumWindow* spectrum = nullptr;
};

TEST_F(Printing, ThePageSetupStartsFromTheStructurePlacementAndRestoresDefaults) {
    const PageSetup initial = pageSetup->setup();
    EXPECT_EQ(initial.orientation, PageOrientation::Landscape);
    EXPECT_EQ(initial.top, 60);
    EXPECT_EQ(initial.height, 60) << "Height from StructureWidth";
    EXPECT_EQ(initial.width, 70) << "Width from StructureHeight";
    prompter.onModal = [&](QDialog&) {
        part<QPushButton>("Button4")->click(); // Defaults, for a spectrum
        EXPECT_EQ(part<QSpinBox>("SpinEdit1")->value(), 50);
        EXPECT_EQ(part<QSpinBox>("SpinEdit3")->value(), 120);
        EXPECT_TRUE(part<QRadioButton>("RadioButton4")->isChecked()) << "Portrait";
        EXPECT_EQ(pageSetup->preview().dateTop, 24);
        part<QRadioButton>("RadioButton2")->setChecked(true); // no header
        EXPECT_EQ(pageSetup->preview().dateTop, 9);
        return int(QDialog::Rejected);
    };
    EXPECT_FALSE(pageSetup->ask(false).has_value()) << "Cancel stops the print command";
    EXPECT_EQ(state->print.pageWidthUnits, 160);
    EXPECT_EQ(state->print.pageHeightUnits, 200);
}

TEST_F(Printing, TheSpectrumPrintsWithItsFileNameAndTheReportWithItsSummary) {
    state->structure = toluene();
    window->structureView().showLoadedStructure();
    openToluene();
    prompter.onModal = [&](QDialog& shown) {
        EXPECT_EQ(shown.objectName(), "TPageForm");
        part<QPushButton>("Button1")->click();
        return int(QDialog::Accepted);
    };
    const QString page = printedText(
        [&] { spectrum->findChild<QAction*>(QStringLiteral("PrintSpectrum1"))->trigger(); });
    EXPECT_EQ(prompter.printDialogs, 1);
    if (page.isEmpty()) GTEST_SKIP() << "pdftotext is not available";
    EXPECT_TRUE(page.contains(QStringLiteral("Toluene.ASC"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("39"))) << "the mass scale";
    EXPECT_TRUE(page.contains(QStringLiteral("100"))) << "the intensity scale";

    EXPECT_FALSE(spectrum->findChild<QAction*>(QStringLiteral("PrintReport1"))->isEnabled());
    ASSERT_EQ(RunAutofragment(state->structure, state->elements, {}, state->fragments).status,
              AutofragmentStatus::Done);
    spectrum->compare();
    prompter.onModal = nullptr;
    const QString report = printedText(
        [&] { spectrum->findChild<QAction*>(QStringLiteral("PrintReport1"))->trigger(); });
    EXPECT_FALSE(prompter.modalWindows.contains("TPageForm") &&
                 prompter.modalWindows.count("TPageForm") > 1)
        << "the report asks no page setup";
    EXPECT_TRUE(report.contains(QStringLiteral("Comparison Summary"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("There were")));
    EXPECT_TRUE(report.contains(QStringLiteral("The Spectrum Match Index was:")));

    prompter.files.push_back(path("report"));
    spectrum->findChild<QAction*>(QStringLiteral("ExportReport1"))->trigger();
    QFile exported(path("report.pdf"));
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly)) << "the extension is added";
    EXPECT_TRUE(exported.read(5) == "%PDF-");
    EXPECT_EQ(prompter.printDialogs, 2) << "written without the print dialog";
}

TEST_F(Printing, TheStructurePagePrintsThePictureWithItsCompositionAndMass) {
    state->structure = toluene();
    state->structure.StructureLabel = "Toluene   ";
    window->structureView().showLoadedStructure();
    QString header;
    prompter.onModal = [&](QDialog& shown) {
        EXPECT_EQ(shown.objectName(), "TPageForm");
        EXPECT_TRUE(part<QCheckBox>("CheckBox2")->isEnabled()) << "a structure is printed";
        header = part<QLineEdit>("Edit1")->text();
        part<QRadioButton>("RadioButton3")->setChecked(true); // the custom header
        part<QCheckBox>("CheckBox2")->setChecked(true);
        part<QPushButton>("Button1")->click();
        return int(QDialog::Accepted);
    };
    const QString page = printedText([&] { window->runCommand("m1Print"); });
    EXPECT_EQ(header, "Toluene") << "the structure's name without its trailing blanks";
    EXPECT_EQ(part<QLineEdit>("Edit1")->text(), "Header") << "and back afterwards";
    if (page.isEmpty()) GTEST_SKIP() << "pdftotext is not available";
    EXPECT_TRUE(page.contains(QStringLiteral("Toluene"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("Elemental Composition =")));
    EXPECT_TRUE(page.contains(QStringLiteral("Formula Weight = 92")));

    // The drawing lies in the frame the page arithmetic gives, read back at 50 dots per inch.
    QProcess render;
    render.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"),
                  QStringLiteral("-singlefile"), path("out.pdf"), path("page")});
    ASSERT_TRUE(render.waitForFinished(20000));
    const QImage sheet(path("page.png"));
    ASSERT_FALSE(sheet.isNull());
    StructurePictureInput input;
    input.structure = &state->structure;
    input.elements = &state->elements;
    input.settings = &state->settings;
    input.origin = QPoint(10, 0);
    const QSize picture = structurePictureSize(input);
    PageSetup chosen = pageSetup->setup();
    const PageRect frame = structurePageFrame(chosen, pageUnitsFor(chosen.orientation), 2400, 3150,
                                              picture.width(), picture.height());
    // The margin is a quarter inch (75 printer pixels); a few pixels of slack for the atom
    // labels, which the picture's origin at y 0 lets reach just above its top edge.
    const double toSheet = 50.0 / 300.0;
    const QRect expected(static_cast<int>((75 + frame.left) * toSheet) - 5,
                         static_cast<int>((75 + frame.top) * toSheet) - 5,
                         static_cast<int>(frame.width * toSheet) + 10,
                         static_cast<int>(frame.height * toSheet) + 10);
    int inside = 0, outside = 0;
    for (int y = static_cast<int>(500 * toSheet); y < static_cast<int>(2800 * toSheet); ++y)
        for (int x = 0; x < sheet.width(); ++x) {
            if (qGray(sheet.pixel(x, y)) > 128) continue;
            (expected.contains(x, y) ? inside : outside)++;
        }
    EXPECT_GT(inside, 20) << "the bonds are drawn in the frame";
    EXPECT_EQ(outside, 0) << "and nowhere else between the header and the composition line";

    prompter.onModal = [&](QDialog&) { return int(QDialog::Rejected); };
    const int dialogs = prompter.printDialogs;
    window->runCommand("m1Print");
    EXPECT_EQ(prompter.printDialogs, dialogs) << "Cancel in the page setup prints nothing";
    window->runCommand("m1PrintSetup");
    EXPECT_EQ(prompter.printDialogs, dialogs + 1) << "Print Setup chooses the printer";
}

TEST_F(Printing, ThePrintableLetterPageIs2400By3150Pixels) {
    QPrinter& printer = state->print.printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageOrientation(QPageLayout::Portrait);
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    EXPECT_EQ(page.size(), QSize(2400, 3150));
    EXPECT_EQ(state->print.pictureTextFactor(), 1);
}

TEST_F(Printing, ThePrintButtonAsksWhatToPrint) {
    openToluene();
    prompter.onModal = [&](QDialog& shown) {
        if (shown.objectName() == "TSpecDlgForm")
            shown.findChild<QPushButton*>(QStringLiteral("Button3"))->click(); // Cancel
        return int(QDialog::Rejected);
    };
    spectrum->findChild<QToolButton*>(QStringLiteral("SpeedButton5"))->click();
    EXPECT_EQ(prompter.modalWindows, QStringList{"TSpecDlgForm"});
    EXPECT_EQ(state->spectrumPrintChoice, 3);
    EXPECT_EQ(prompter.printDialogs, 0);
}

} // namespace
} // namespace qzx::test
