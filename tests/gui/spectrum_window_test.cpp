// The spectrum window in the whole program: files, zoom, the peak commands, the label, the
// isotope match and the comparison.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "../core/structure/structure_builders.h"
#include "app/drawing_surface.h"
#include "app/structure_view.h"
#include "chem/autofragment.h"
#include "gui_fixture.h"
#include "render/colors.h"
#include "spectrum/spectrum_plot.h"
#include "windows/spectrum_window.h"

namespace qzx::test {
namespace {

class SpectrumWindowTest : public ProgramTest {
protected:
    void SetUp() override {
        create();
        spectrum = registry->find<SpectrumWindow>();
        ASSERT_NE(spectrum, nullptr);
        spectrum->resize(640, 520);
        spectrum->show();
    }
    /// Writes an ASC file of mass and abundance lines and opens it.
    void openPeaks(const std::vector<std::pair<int, int>>& peaks,
                   const char* name = "Toluene.ASC") {
        const QString path = QString::fromStdString((state->programDirectory / name).string());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (const auto& [mass, abundance] : peaks)
            file.write(QByteArray::number(mass) + "\r\n" + QByteArray::number(abundance) + "\r\n");
        file.close();
        spectrum->openFile(path);
    }
    /// The plot x of peak `number`.
    int xOf(int number) const {
        const SpectrumPlot plot = spectrumPlot(state->spectrum, spectrum->plotArea()->width(),
                                               spectrum->plotArea()->height(), spectrum->zoom());
        return plot.bars[static_cast<std::size_t>(number - 1)].x;
    }
    void release(int peak, Qt::MouseButton button, Qt::KeyboardModifiers keys) {
        spectrum->plotReleased(QPoint(xOf(peak), 100), button, keys);
    }
    template <typename T> T* part(QWidget* w, const char* name) const {
        return w->findChild<T*>(QString::fromLatin1(name));
    }
    SpectrumWindow* spectrum = nullptr;
};

const std::vector<std::pair<int, int>> kToluene = {{39, 15},  {51, 10}, {65, 12},
                                                   {91, 100}, {92, 60}, {93, 4}};

TEST_F(SpectrumWindowTest, OpensFromTheMainWindowAndReadsAnAscFile) {
    EXPECT_TRUE(window->isControlEnabled(QStringLiteral("m6SpecShow")));
    window->runCommand("m6SpecShow");
    EXPECT_EQ(prompter.modalWindows, QStringList{"TSpecForm"});
    EXPECT_FALSE(part<QPushButton>(spectrum, "BitBtn4")->isEnabled());
    openPeaks(kToluene);
    EXPECT_EQ(part<QLabel>(spectrum, "Label1")->text(), "toluene.asc");
    EXPECT_TRUE(part<QPushButton>(spectrum, "BitBtn4")->isEnabled());
    EXPECT_EQ(state->spectrum.peakCount(), 6);

    part<QAction>(spectrum, "ClearSpectrum1")->trigger();
    EXPECT_EQ(state->spectrum.peakCount(), 0);

    part<QAction>(spectrum, "DeltaMass1")->trigger();
    EXPECT_EQ(prompter.modalWindows.back(), "TNeutForm");
}

TEST_F(SpectrumWindowTest, TheZoomStepsThroughOneTwoFourAndBack) {
    QToolButton* expand = part<QToolButton>(spectrum, "SpeedButton1");
    expand->click();
    EXPECT_EQ(spectrum->zoom(), 2);
    expand->click();
    EXPECT_EQ(spectrum->zoom(), 4);
    part<QToolButton>(spectrum, "SpeedButton2")->click();
    EXPECT_EQ(spectrum->zoom(), 2);
    part<QToolButton>(spectrum, "SpeedButton2")->click();
    EXPECT_EQ(spectrum->zoom(), 1);
    expand->click();
    part<QToolButton>(spectrum, "SpeedButton3")->click();
    EXPECT_EQ(spectrum->zoom(), 1);
}

TEST_F(SpectrumWindowTest, ShiftClicksAddAndRemoveLabelsUpToTwentyFive) {
    openPeaks(kToluene);
    release(2, Qt::LeftButton, Qt::ShiftModifier);
    release(2, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(state->spectrum.PeakLabels.count, 2) << "no check for duplicates";
    release(2, Qt::RightButton, Qt::ShiftModifier);
    EXPECT_EQ(state->spectrum.PeakLabels.count, 1) << "one copy removed";
    for (int i = 0; i < 30; ++i)
        release(3, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(state->spectrum.PeakLabels.count, 25);
    release(1, Qt::LeftButton, Qt::NoModifier);
    EXPECT_EQ(state->spectrum.PeakLabels.count, 25) << "a plain click does nothing";
}

TEST_F(SpectrumWindowTest, CtrlClickOpensTheCalculatorForThePeak) {
    openPeaks(kToluene);
    QString note;
    prompter.onModal = [&](QDialog& window) {
        EXPECT_EQ(window.objectName(), "TEFCMain");
        EXPECT_EQ(part<QLineEdit>(&window, "Edit1")->text(), "92");
        EXPECT_EQ(part<QLineEdit>(&window, "Edit2")->text(), "0.5");
        EXPECT_TRUE(part<QCheckBox>(&window, "CheckBox3")->isChecked());
        EXPECT_TRUE(part<QCheckBox>(&window, "CheckBox4")->isChecked());
        note = part<QAction>(&window, "MenuNote")->text();
        return int(QDialog::Rejected);
    };
    release(5, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(prompter.modalWindows, QStringList{"TEFCMain"});
    EXPECT_EQ(note, QString(42, u' ') + "Target (M+1)% =6.67") << "93 is 6.67 % of 92";
}

TEST_F(SpectrumWindowTest, IsotopeMatchAndComparisonAgainstTheDrawnToluene) {
    state->structure = toluene();
    window->structureView().showLoadedStructure();
    openPeaks(kToluene);
    spectrum->isotopeMatch();
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_TRUE(prompter.shown.back().text.startsWith(
        "The structure MW of 92 is present\n\nThe Isotope Match Index is "))
        << prompter.shown.back().text.toStdString();

    state->fragments.Fragments.resize(3);
    state->fragments.Fragments[1].Mass = 91;
    state->fragments.Fragments[2].Mass = 15;
    spectrum->compare();
    EXPECT_TRUE(part<QAction>(spectrum, "Summary1")->isVisible());
    EXPECT_TRUE(state->spectrum.PeakMatched[4]) << "91 from a fragment";
    EXPECT_TRUE(state->spectrum.PeakMatched[5]) << "92 within one hydrogen of 91";
    EXPECT_FALSE(state->spectrum.PeakMatched[1]);
    EXPECT_FALSE(spectrum->redPeaks().empty());
    part<QAction>(spectrum, "Summary1")->trigger();
    EXPECT_TRUE(prompter.shown.back().text.startsWith("There were "));
}

TEST_F(SpectrumWindowTest, ARightClickAfterAComparisonExplainsThePeak) {
    state->structure = toluene();
    window->structureView().showLoadedStructure();
    openPeaks(kToluene);
    release(4, Qt::RightButton, Qt::NoModifier);
    EXPECT_TRUE(prompter.modalWindows.isEmpty()) << "nothing to explain before a comparison";
    EXPECT_FALSE(part<QAction>(spectrum, "ExplainPeak1")->isEnabled());

    ASSERT_EQ(RunAutofragment(state->structure, state->elements, {}, state->fragments).status,
              AutofragmentStatus::Done);
    spectrum->compare();
    QStringList rows;
    prompter.onModal = [&](QDialog& shown) {
        auto* tree = shown.findChild<QTreeWidget*>(QStringLiteral("Explanation"));
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            rows << (*it)->text(0) + u'|' + (*it)->text(1) + u'|' + (*it)->text(2);
            if ((*it)->text(1) == "C7 H8") tree->setCurrentItem(*it); // marks it on the structure
        }
        return int(QDialog::Rejected);
    };
    release(4, Qt::RightButton, Qt::NoModifier); // the bar of 91
    EXPECT_EQ(prompter.modalWindows.back(), "PeakExplanation");
    EXPECT_TRUE(rows.contains("92|C7 H8|-1 H")) << rows.join(u'\n').toStdString();
    EXPECT_TRUE(rows.contains("91.0548|C7 H7|error 0.0548")) << rows.join(u'\n').toStdString();
    const Atom& methyl = state->structure.atom(state->structure.count.atoms);
    EXPECT_EQ(QColor(window->drawingSurface()->image().pixel(methyl.X, methyl.Y)),
              colorFromValue(state->settings.FragmentA));

    rows.clear();
    prompter.inputAnswers.push_back(QStringLiteral("65"));
    part<QAction>(spectrum, "ExplainPeak1")->trigger();
    EXPECT_EQ(prompter.inputs.back().value(2), "91") << "the base peak is offered";
    EXPECT_TRUE(rows.contains("M - 27|HCN|neutral table")) << rows.join(u'\n').toStdString();

    prompter.inputAnswers.push_back(QStringLiteral("300"));
    part<QAction>(spectrum, "ExplainPeak1")->trigger();
    EXPECT_EQ(prompter.shown.back().text, "The spectrum has no peak at m/z 300.");
}

TEST_F(SpectrumWindowTest, TheLabelTakesTheFileNameAndCopyPutsThePlot) {
    openPeaks(kToluene);
    part<QAction>(spectrum, "SpectrumLabel1")->trigger();
    EXPECT_TRUE(spectrum->spectrumLabel()->isVisible());
    EXPECT_EQ(spectrum->spectrumLabel()->text(), "toluene");
    part<QAction>(spectrum, "SpectrumLabel1")->trigger();
    EXPECT_FALSE(spectrum->spectrumLabel()->isVisible());

    part<QAction>(spectrum, "Copy1")->trigger();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    EXPECT_TRUE(data->hasFormat("image/svg+xml"));
    EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).size(), QSize(500, 500));
}

} // namespace
} // namespace qzx::test
