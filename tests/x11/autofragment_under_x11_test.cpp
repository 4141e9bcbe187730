// Autofragmenting a molecule drawn with the pointer, with the real windows on an X display:
// the gauge moves, and the results window lists what qzx-calc fragments lists for the same
// structure.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <fstream>

#include "program_under_x11.h"
#include "structure/structure_file.h"
#include "windows/autofragment_options_window.h"
#include "windows/autofragment_results_window.h"

namespace qzx {
namespace {

using AutofragmentUnderX11 = test::ProgramUnderX11;
using test::whenModal;

TEST_F(AutofragmentUnderX11, ADrawnMoleculeAutofragmentsAsTheCommandLineToolDoes) {
    ASSERT_TRUE(hands.available());
    drawTolueneWithPointer(hands, window->drawingSurface(), state->structure,
                           [this](int tool) { chooseTool(tool); });
    ASSERT_EQ(state->structure.count.atoms, 7);

    std::vector<int> gauge;
    whenModal<AutofragmentOptionsWindow>([&](AutofragmentOptionsWindow* options) {
        QObject::connect(options->gauge(), &QProgressBar::valueChanged,
                         [&gauge](int value) { gauge.push_back(value); });
        clickCentre(options->findChild<QPushButton*>(QStringLiteral("Button1")));
    });
    chooseFromMenu(QStringLiteral("Autofragment"), QStringLiteral("Start Autofragment"));
    settle();

    auto* results = registry->find<AutofragmentResultsWindow>();
    ASSERT_TRUE(results->isVisible());
    ASSERT_GE(gauge.size(), 3u) << "the gauge moves during the run";
    EXPECT_TRUE(std::is_sorted(gauge.begin(), gauge.end()));
    EXPECT_EQ(gauge.back(), 100);

    const std::filesystem::path file = folder / "drawn.msd";
    const Bytes bytes = encodeStructureFile(state->structure);
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    QProcess calc;
    calc.start(QStringLiteral(QZX_CALC),
               {QStringLiteral("fragments"), QString::fromStdString(file.string())});
    ASSERT_TRUE(calc.waitForFinished(30000));
    QStringList expected =
        QString::fromUtf8(calc.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(expected.takeFirst(), QStringLiteral("Fragments: %1").arg(results->list()->count()));
    QStringList listed;
    for (int r = 0; r < results->list()->count(); ++r)
        listed << results->list()->item(r)->text();
    EXPECT_EQ(listed, expected);
    results->hide();
}

} // namespace
} // namespace qzx
