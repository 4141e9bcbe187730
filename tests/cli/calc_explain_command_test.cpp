// qzx-calc explain as a script sees it: the JSON shape on the sample toluene, a chlorine
// cluster beside its observed peaks, and the failures.
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "calc_run.h"

namespace {

namespace fs = std::filesystem;

using qzx::test::calc;
using qzx::test::CalcRun;
using qzx::test::scratch;

const std::string kStructures = QZX_STRUCTURES_DIR;
const std::string kSpectra = QZX_SPECTRA_DIR;

TEST(CalcExplain, TolueneNinetyOneIsTheMolecularIonLessAHydrogen) {
    const CalcRun run = calc("--json explain '" + kStructures + "/toluene.msd' '" + kSpectra +
                             "/toluene_webbook.jdx' 91");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("{\"peak\": 91, \"abundance\": 9999, \"molecular_ion\": 92, "
                            "\"fragments\": [{\"fragment\": ",
                            0),
              0u)
        << run.out;
    EXPECT_NE(run.out.find("\"mass\": 92, \"transfer\": -1, \"formula\": \"C7 H8\""),
              std::string::npos);
    EXPECT_NE(run.out.find("\"compositions\": [{\"formula\": \"C7 H7\", \"mass\": 91.05"),
              std::string::npos);
    EXPECT_NE(run.out.find("\"losses\": [], \"clusters\": []}"), std::string::npos);

    const CalcRun text =
        calc("explain '" + kStructures + "/toluene.msd' '" + kSpectra + "/toluene_webbook.jdx' 77");
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("  M - 15  CH3  (common loss)\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("  C6 H5  77.0391  error +0.0391\n"), std::string::npos) << text.out;
}

TEST(CalcExplain, AChlorineFragmentsClusterStandsBesideTheSpectrum) {
    const fs::path spectrum = scratch("chloro.txt");
    std::ofstream(spectrum) << "83 100\n118 30\n119 2\n120 10\n";
    const CalcRun run = calc("--json explain '" + kStructures + "/chlorocyclohexane.msd' '" +
                             spectrum.string() + "' 118");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\"clusters\": [{\"fragment\": "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"formula\": \"C6 H11 Cl1\", \"transfer\": 0, \"lines\": "
                           "[{\"mass\": 118, \"predicted\": 30, \"observed\": 30}"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("{\"mass\": 120, \"predicted\": 9.65"), std::string::npos) << run.out;
    fs::remove(spectrum);
}

TEST(CalcExplain, FailuresExitWithAMessage) {
    const std::string toluene = "'" + kStructures + "/toluene.msd' ";
    CalcRun run = calc("explain " + toluene + "'" + kSpectra + "/toluene_webbook.jdx' heavy");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("MASS must be a number above 0"), std::string::npos) << run.err;
    run = calc("explain " + toluene + "'/nonexistent/x.jdx' 91");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("does not exist"), std::string::npos) << run.err;
    run = calc("explain " + toluene);
    EXPECT_EQ(run.status, 2);
}

} // namespace
