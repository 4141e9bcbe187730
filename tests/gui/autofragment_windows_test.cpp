// The autofragment windows, the loss window and the delta-mass table in the whole program.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "../core/structure/structure_builders.h"
#include "app/drawing_surface.h"
#include "app/structure_view.h"
#include "chem/fragments.h"
#include "gui_fixture.h"
#include "render/colors.h"
#include "windows/autofragment_evaluation_window.h"
#include "windows/autofragment_options_window.h"
#include "windows/autofragment_results_window.h"
#include "windows/delta_mass_window.h"
#include "windows/loss_window.h"

namespace qzx::test {
namespace {

class AutofragmentWindows : public ProgramTest {
protected:
    void SetUp() override {
        create();
        options = registry->find<AutofragmentOptionsWindow>();
        results = registry->find<AutofragmentResultsWindow>();
        ASSERT_NE(options, nullptr);
        ASSERT_NE(results, nullptr);
    }
    void TearDown() override {
        results->hide();
        ProgramTest::TearDown();
    }
    void draw(const Structure& structure) {
        state->structure = structure;
        window->structureView().showLoadedStructure();
    }
    template <typename T> T* part(QWidget* w, const char* name) const {
        return w->findChild<T*>(QString::fromLatin1(name));
    }
    /// "Start Autofragment" with Start pressed in the options window.
    void autofragment() {
        prompter.onModal = [this](QDialog& shown) {
            if (shown.objectName() == "TAFDoForm") part<QPushButton>(&shown, "Button1")->click();
            return int(QDialog::Rejected);
        };
        window->runCommand("m5AutoFragStart");
        prompter.onModal = nullptr;
    }
    QStringList listed() const {
        QStringList rows;
        for (int r = 0; r < results->list()->count(); ++r)
            rows << results->list()->item(r)->text();
        return rows;
    }
    AutofragmentOptionsWindow* options = nullptr;
    AutofragmentResultsWindow* results = nullptr;
};

TEST_F(AutofragmentWindows, TheOptionsWindowRunsTheEngineAndTheResultsListTheFragments) {
    EXPECT_EQ(part<QCheckBox>(options, "CheckBox1")->text(),
              QString::fromUtf8("Mark Odd Electron Ions  (\u00B7+)"));
    EXPECT_TRUE(part<QRadioButton>(options, "RadioButton2")->isChecked()) << "1 + 2 Bonds";
    bool startUsable = true;
    prompter.onModal = [&](QDialog& shown) {
        startUsable = part<QPushButton>(&shown, "Button1")->isEnabled();
        return int(QDialog::Rejected);
    };
    window->runCommand("m5AutoFragStart");
    EXPECT_FALSE(startUsable) << "no structure drawn";

    draw(toluene());
    autofragment();
    EXPECT_EQ(options->gauge()->value(), 100);
    ASSERT_TRUE(results->isVisible()) << "shown beside the main window";
    EXPECT_TRUE(results->windowFlags() & Qt::WindowStaysOnTopHint);
    QStringList expected;
    for (const std::string& row : state->fragments.ResultsList)
        expected << QString::fromStdString(row);
    EXPECT_EQ(listed(), expected);
    EXPECT_EQ(listed().back(), "   92") << "the molecular ion last";
    EXPECT_EQ(part<QLineEdit>(results, "Edit2")->text(),
              QString::number(state->fragments.FragmentCount));
    EXPECT_EQ(part<QLineEdit>(results, "Edit1")->text(), listed().front());
}

TEST_F(AutofragmentWindows, TheSelectedFragmentIsMarkedAndNextWrapsToTheFirstRow) {
    draw(toluene());
    autofragment();
    const int last = results->list()->count() - 1;
    results->selectRow(last);
    // The molecular ion holds every atom: each carries the fragment colour.
    const QImage& image = window->drawingSurface()->image();
    const Atom& methyl = state->structure.atom(state->structure.count.atoms);
    EXPECT_EQ(QColor(image.pixel(methyl.X, methyl.Y)), colorFromValue(state->settings.FragmentA));
    part<QPushButton>(results, "Button1")->click();
    EXPECT_EQ(results->list()->currentRow(), 0) << "Next on the last row selects row 0";
    EXPECT_EQ(part<QLineEdit>(results, "Edit1")->text(), results->list()->item(0)->text());
    part<QPushButton>(results, "Button6")->click();
    EXPECT_FALSE(results->isVisible());
    EXPECT_NE(QColor(window->drawingSurface()->image().pixel(methyl.X, methyl.Y)),
              colorFromValue(state->settings.FragmentA))
        << "Exit redraws the structure without marks";
}

TEST_F(AutofragmentWindows, EvaluateIsotopesAndMatchOpenTheirWindows) {
    draw(toluene());
    autofragment();
    QStringList evaluated;
    QString formula;
    bool comparePanelShown = false;
    prompter.onModal = [&](QDialog& shown) {
        if (shown.objectName() == "TEvalForm") {
            auto* grid = part<QTableWidget>(&shown, "StringGrid1");
            for (int r = 0; r < grid->rowCount(); ++r)
                if (grid->item(r, 1)) evaluated << grid->item(r, 1)->text();
        }
        if (shown.objectName() == "TIPForm") formula = part<QLineEdit>(&shown, "Edit1")->text();
        if (shown.objectName() == "TSpecForm")
            comparePanelShown = !part<QWidget>(&shown, "Panel2")->isHidden();
        return int(QDialog::Rejected);
    };
    part<QPushButton>(results, "Button2")->click();
    EXPECT_EQ(evaluated.value(0), "Molecular Ion");
    EXPECT_TRUE(evaluated.contains("Tropylium Ion"));
    part<QPushButton>(results, "Button2")->click();
    EXPECT_EQ(evaluated.count("Molecular Ion"), 2) << "the grid is cleared before it is filled";

    results->selectRow(results->list()->count() - 1);
    part<QPushButton>(results, "Button5")->click();
    EXPECT_EQ(formula, "C7 H8 ");
    part<QPushButton>(results, "Button4")->click();
    EXPECT_TRUE(comparePanelShown);
    EXPECT_EQ(prompter.modalWindows.mid(prompter.modalWindows.size() - 4),
              (QStringList{"TEvalForm", "TEvalForm", "TIPForm", "TSpecForm"}));
}

TEST_F(AutofragmentWindows, ALoneAtomGivesTheMessageAndNoResults) {
    draw(molecule(1, {}));
    autofragment();
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_EQ(prompter.shown.back().text, "No Fragments could be Generated");
    EXPECT_FALSE(results->isVisible());
}

TEST_F(AutofragmentWindows, CancelStopsALongRunAndKeepsTheFragmentsFound) {
    draw(carbonChain(300));
    prompter.onModal = [this](QDialog& shown) {
        // Cancel waits in the event queue until the run lets the window take its events.
        QTimer::singleShot(0, &shown, [&shown, this] {
            EXPECT_TRUE(options->running());
            part<QPushButton>(&shown, "Button2")->click();
        });
        part<QPushButton>(&shown, "Button1")->click();
        return int(QDialog::Rejected);
    };
    window->runCommand("m5AutoFragStart");
    EXPECT_FALSE(options->running());
    EXPECT_LT(options->gauge()->value(), 100);
    ASSERT_TRUE(results->isVisible());
    EXPECT_GE(results->list()->count(), 3);
    EXPECT_EQ(results->list()->item(results->list()->count() - 1)->text(),
              QString::fromStdString(FragmentListText(state->structureMasses.nominalMass)))
        << "the molecular ion closes the list";
}

TEST_F(AutofragmentWindows, TheLossWindowSubtractsTypedAndCommonLosses) {
    auto* loss = registry->find<LossWindow>();
    ASSERT_NE(loss, nullptr);
    draw(toluene());
    window->runCommand("m3Loss");
    EXPECT_TRUE(loss->isVisible());
    EXPECT_EQ(loss->molecularMassField()->text(), "92");
    loss->molecularMassField()->setText(QStringLiteral("100"));
    QMenu* common = loss->commonMenu();
    ASSERT_EQ(common->actions().size(), 13);
    EXPECT_EQ(common->actions().last()->text(), "<Cancel>");
    common->actions()[6]->trigger(); // C6H5
    EXPECT_EQ(loss->lossField()->text(), "77");
    EXPECT_EQ(loss->resultField()->text(), "23");
    QTest::keyClicks(loss->lossField(), "x");
    EXPECT_EQ(loss->resultField()->text(), "23") << "a letter changes nothing";
    loss->lossField()->clear();
    QTest::keyClicks(loss->lossField(), "120");
    EXPECT_EQ(loss->resultField()->text(), "-20");
    part<QPushButton>(loss, "Button2")->click();
    EXPECT_FALSE(loss->isVisible());
    EXPECT_EQ(loss->lossField()->text(), "");
    EXPECT_EQ(loss->resultField()->text(), "");
}

TEST_F(AutofragmentWindows, DeltaMassListsTheCommonNeutralsOfTheDifference) {
    auto* delta = registry->find<DeltaMassWindow>();
    ASSERT_NE(delta, nullptr);
    const auto enter = [&](const char* first, const char* second) {
        delta->firstMass()->setText(QString::fromLatin1(first));
        delta->secondMass()->setText(QString::fromLatin1(second));
        QTest::keyClick(delta->secondMass(), Qt::Key_Return);
    };
    const auto names = [&] {
        QStringList shown;
        for (int r = 0; r < delta->neutrals()->count(); ++r)
            shown << delta->neutrals()->item(r)->text();
        return shown;
    };
    enter("78", "60");
    EXPECT_EQ(delta->difference()->text(), "18");
    EXPECT_EQ(names(), QStringList{"H20"});
    enter("200", "143");
    EXPECT_EQ(names(), (QStringList{"HNCO", "C2H3NO", "C4H9", "C2H5CO"}));
    enter("100", "63");
    EXPECT_EQ(delta->difference()->text(), "37");
    EXPECT_TRUE(names().isEmpty());
    enter("", "63");
    EXPECT_EQ(delta->difference()->text(), "37") << "an empty mass changes nothing";
    part<QPushButton>(delta, "Button2")->click();
    EXPECT_EQ(delta->firstMass()->text(), "");
    EXPECT_TRUE(names().isEmpty());
}

} // namespace
} // namespace qzx::test
