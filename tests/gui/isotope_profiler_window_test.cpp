// The isotopic profiler window in the whole program: controls, Calculate, Clear, labels,
// notices, the clipboard and the printed page.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>

#include "../core/structure/structure_builders.h"
#include "app/structure_view.h"
#include "chem/composition.h"
#include "chem/formula_text.h"
#include "chem/isotope_pattern.h"
#include "chem/isotope_profile.h"
#include "gui_fixture.h"
#include "render/isotope_plot.h"
#include "windows/isotope_profiler_window.h"

namespace qzx::test {
namespace {

class IsotopeProfiler : public ProgramTest {
protected:
    void SetUp() override {
        create();
        profiler = registry->find<IsotopeProfilerWindow>();
        ASSERT_NE(profiler, nullptr);
    }
    template <typename T> T* part(const char* name) const {
        return profiler->findChild<T*>(QString::fromLatin1(name));
    }
    QLineEdit* field(const char* name) const { return part<QLineEdit>(name); }
    QAction* item(const char* name) const { return part<QAction>(name); }
    QTableWidget* grid() const { return part<QTableWidget>("StringGrid1"); }
    QString cell(int row, int column) const { return grid()->item(row, column)->text(); }
    void calculate(const QString& formula) {
        field("Edit1")->setText(formula);
        part<QPushButton>("BitBtn1")->click();
    }
    bool outputsEnabled() const {
        return item("Print1")->isEnabled() && item("CopytoClipboard1")->isEnabled() &&
               item("CopytoWordPad1")->isEnabled();
    }
    bool outputsDisabled() const {
        return !item("Print1")->isEnabled() && !item("CopytoClipboard1")->isEnabled() &&
               !item("CopytoWordPad1")->isEnabled();
    }
    IsotopeProfilerWindow* profiler = nullptr;
};

/// Dark pixels (stick or text) in an area of an image.
int darkIn(const QImage& image, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixelColor(x, y).lightness() < 100;
    return n;
}

TEST_F(IsotopeProfiler, StartsWithItsControlsAndTheOutputsOff) {
    EXPECT_EQ(profiler->windowTitle(), "Isotopic Profiler");
    EXPECT_EQ(field("Edit3")->text(), "0.05");
    EXPECT_TRUE(field("Edit2")->isReadOnly());
    EXPECT_TRUE(field("Edit2")->font().bold());
    EXPECT_EQ(grid()->item(0, 0)->text(), "         Mass");
    EXPECT_EQ(grid()->item(0, 1)->text(), "  Rel Abund");
    EXPECT_TRUE(outputsDisabled());
    EXPECT_TRUE(item("ShowLabels1")->isChecked());

    auto* accurate = part<QCheckBox>("CheckBox1");
    auto* deuterium = part<QCheckBox>("CheckBox2");
    EXPECT_FALSE(deuterium->isEnabled());
    accurate->setChecked(true);
    EXPECT_TRUE(deuterium->isEnabled());
    deuterium->setChecked(true);
    accurate->setChecked(false);
    EXPECT_FALSE(deuterium->isEnabled());
    EXPECT_FALSE(deuterium->isChecked());
}

TEST_F(IsotopeProfiler, CalculateFillsTheMassTheTableAndThePlot) {
    calculate(QStringLiteral("c6 h6"));
    EXPECT_EQ(field("Edit1")->text(), "c6 h6") << "the field keeps what was typed";
    EXPECT_EQ(field("Edit2")->text(), "78");
    ASSERT_GE(grid()->rowCount(), 3);
    EXPECT_EQ(grid()->item(1, 0)->text(), "     78");
    EXPECT_EQ(grid()->item(1, 1)->text(), "   100.00");
    EXPECT_EQ(grid()->item(2, 0)->text(), "     79");
    EXPECT_TRUE(grid()->item(2, 1)->text().startsWith("       6.")) << "M+1 of benzene, 6.5 %";
    EXPECT_TRUE(outputsEnabled());

    const QImage plot = profiler->plotImage();
    EXPECT_EQ(plot.size(), QSize(254, 211));
    EXPECT_EQ(plot.pixelColor(40, 100), QColor(Qt::red)) << "the intensity axis";
    EXPECT_GE(darkIn(plot, QRect(59, 31, 2, 148)), 140) << "the 100 % stick, 150 pixels tall";
    EXPECT_GT(darkIn(plot, QRect(70, 160, 12, 19)), 10) << "M+1, 16 pixels further";
    EXPECT_GT(darkIn(plot, QRect(50, 18, 25, 10)), 3) << "the label above the base peak";

    // Accurate masses: four decimals in the table.
    part<QCheckBox>("CheckBox1")->setChecked(true);
    part<QPushButton>("BitBtn1")->click();
    EXPECT_EQ(grid()->item(1, 0)->text(), "     78.0470");
}

TEST_F(IsotopeProfiler, TheTableIsTheSoundNominalPatternAtTheMinimumGiven) {
    struct NoNotices : IsotopeNotices {
        void notice(const std::string& text) override { ADD_FAILURE() << text; }
    } notices;
    for (const char* formula : {"C2 H6 Cl2", "C6 H6", "C60", "C6 H4 Br2"}) {
        calculate(QString::fromLatin1(formula));
        std::string text = formula;
        Composition composition;
        ParseFormulaText(composition, text);
        const IsotopePattern expected =
            NominalIsotopePattern(composition, state->elements, {0.0005f}, notices);
        ASSERT_EQ(grid()->rowCount() - 1, static_cast<int>(expected.peaks.size())) << formula;
        for (std::size_t i = 0; i < expected.peaks.size(); ++i) {
            const int row = static_cast<int>(i) + 1;
            EXPECT_EQ(cell(row, 0).toStdString(), profileMassCell(expected.peaks[i].mass, false));
            EXPECT_EQ(cell(row, 1).toStdString(), profileAbundanceCell(expected.peaks[i].abundance))
                << formula << " row " << row;
        }
    }
}

TEST_F(IsotopeProfiler, AnEmptyFormulaDoesNothingAndClearTurnsTheOutputsOff) {
    calculate(QString());
    EXPECT_EQ(grid()->rowCount(), 1);
    EXPECT_TRUE(outputsDisabled());
    calculate(QStringLiteral("C2 H6 O1"));
    ASSERT_TRUE(outputsEnabled());
    part<QPushButton>("BitBtn2")->click();
    EXPECT_EQ(field("Edit1")->text(), "");
    EXPECT_EQ(field("Edit2")->text(), "");
    EXPECT_EQ(grid()->rowCount(), 1);
    EXPECT_TRUE(outputsDisabled());
    EXPECT_EQ(darkIn(profiler->plotImage(), QRect(50, 30, 200, 149)), 0) << "no sticks";
}

TEST_F(IsotopeProfiler, ANoticeLeavesTheTableEmptyButShowsTheNominalMass) {
    part<QCheckBox>("CheckBox1")->setChecked(true);
    // Six polyisotopic elements are more than the accurate pattern takes.
    calculate(QStringLiteral("C6 H6 N1 O1 S1 Cl1 Br1"));
    EXPECT_EQ(prompter.modalWindows, QStringList{"TMsgForm"}) << "shown in the notice window";
    EXPECT_EQ(prompter.beeps, 1);
    EXPECT_EQ(grid()->rowCount(), 1);
    EXPECT_TRUE(outputsDisabled());
    EXPECT_FALSE(field("Edit2")->text().isEmpty());
}

TEST_F(IsotopeProfiler, ShowLabelsWritesEveryMassOrNone) {
    calculate(QStringLiteral("C6 H6"));
    item("ShowLabels1")->trigger(); // off: the sticks alone
    EXPECT_FALSE(item("ShowLabels1")->isChecked());
    const QImage bare = profiler->plotImage();
    EXPECT_EQ(darkIn(bare, QRect(50, 18, 25, 10)), 0);
    item("ShowLabels1")->trigger(); // on again: every peak, the small ones too
    const QImage all = profiler->plotImage();
    EXPECT_GT(darkIn(all, QRect(50, 18, 25, 10)), 3);
    EXPECT_GT(darkIn(all, QRect(85, 150, 25, 25)), darkIn(bare, QRect(85, 150, 25, 25)))
        << "M+2 below 1 % is labelled now";
}

TEST_F(IsotopeProfiler, TheMainWindowsCommandProfilesTheDrawnStructure) {
    state->structure = toluene();
    window->structureView().showLoadedStructure();
    EXPECT_TRUE(window->isControlEnabled(QStringLiteral("m4IsoPro")));
    window->runCommand("SpeedButton57");
    EXPECT_TRUE(profiler->isVisible());
    EXPECT_EQ(field("Edit1")->text(), "C7 H8 ");
    EXPECT_EQ(field("Edit2")->text(), "92");
    EXPECT_EQ(grid()->item(1, 0)->text(), "     92");
}

TEST_F(IsotopeProfiler, CopiesThePlotAndTheTable) {
    calculate(QStringLiteral("C6 H6"));
    item("CopytoClipboard1")->trigger();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    EXPECT_TRUE(data->hasFormat("image/svg+xml"));
    EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).size(), QSize(254, 211));

    state->settings.PathToText = "qzx-no-such-word-processor";
    item("CopytoWordPad1")->trigger();
    data = QGuiApplication::clipboard()->mimeData();
    EXPECT_TRUE(data->hasImage());
    EXPECT_TRUE(data->text().startsWith("     78   "
                                        "   100.00\n"))
        << data->text().toStdString();
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_EQ(prompter.shown.back().text, "File qzx-no-such-word-processor not found");
}

TEST_F(IsotopeProfiler, TheBadMinimumIsRefusedWithAMessage) {
    field("Edit3")->setText(QStringLiteral("five"));
    calculate(QStringLiteral("C6 H6"));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Minimum % must be a number, such as 0.05.");
    EXPECT_EQ(grid()->rowCount(), 1);
}

TEST(IsotopeProfilePage, TitleCompositionPlotAndTableBlocksLandWhereThePageSays) {
    QImage page(2550, 3300, QImage::Format_RGB32);
    page.setDotsPerMeterX(11811); // 300 dpi
    page.setDotsPerMeterY(11811);
    page.fill(Qt::white);
    IsotopeProfilePage content;
    content.elements = {{"C", "60"}};
    content.nominalMass = "720";
    content.minimumAbundance = "0.05";
    for (int i = 0; i < 12; ++i) {
        content.sticks.push_back({0, 0, 720.0f + i, i == 0 ? 100.0f : 50.0f});
        content.rows.emplace_back(QStringLiteral("     %1").arg(720 + i), "   100.00");
    }
    content.labels = true;
    QPainter painter(&page);
    paintIsotopeProfilePage(painter, content, 1);
    painter.end();
    EXPECT_GT(darkIn(page, QRect(940, 110, 400, 60)), 100) << "ISOTOPE PROFILE";
    EXPECT_GT(darkIn(page, QRect(200, 330, 300, 60)), 100) << "Composition:";
    EXPECT_GE(darkIn(page, QRect(700, 580, 2, 748)), 700) << "the base peak, 750 units tall";
    // Twelve rows: ten in the first block, two in the second, none in the third.
    EXPECT_GT(darkIn(page, QRect(300, 1700 + 9 * 100, 300, 50)), 20);
    EXPECT_EQ(darkIn(page, QRect(300, 1700 + 10 * 100, 300, 50)), 0);
    EXPECT_GT(darkIn(page, QRect(1000, 1700 + 1 * 100, 300, 50)), 20);
    EXPECT_EQ(darkIn(page, QRect(1700, 1600, 500, 400)), 0);
}

} // namespace
} // namespace qzx::test
