// qzx-calc fragments as a script sees it: the JSON shape, the text list, exit codes.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "calc_run.h"

namespace {

namespace fs = std::filesystem;

using qzx::test::calc;
using qzx::test::CalcRun;
using qzx::test::scratch;

/// A MOL file of a carbon chain or ring of n atoms, one unit apart.
fs::path molFile(const std::string& name, int n, bool ring) {
    std::ostringstream text;
    const int bonds = ring ? n : n - 1;
    text << name << "\r\n  test\r\n\r\n";
    char line[128];
    std::snprintf(line, sizeof line, "%3d%3d  0  0  0  0  0  0  0  0999 V2000\r\n", n, bonds);
    text << line;
    for (int i = 0; i < n; ++i) {
        std::snprintf(line, sizeof line, "%10.4f%10.4f    0.0000 C   0  0  0  0  0  0\r\n",
                      static_cast<double>(i % 4), static_cast<double>(i / 4));
        text << line;
    }
    for (int i = 1; i <= bonds; ++i) {
        std::snprintf(line, sizeof line, "%3d%3d  1  0\r\n", i, i % n + 1);
        text << line;
    }
    text << "M  END\r\n";
    const fs::path file = scratch(name + ".mol");
    std::ofstream(file, std::ios::binary) << text.str();
    return file;
}

TEST(CalcFragments, PrintsTheResultsListAndTheJsonShapeInMassOrder) {
    const fs::path propane = molFile("propane", 3, false);
    CalcRun run = calc("--json fragments '" + propane.string() + "' --single");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "{\"molecular_ion\": 44, \"fragments\": ["
                       "{\"mass\": 15, \"atoms\": [1], \"odd_electron\": false}, "
                       "{\"mass\": 15, \"atoms\": [3], \"odd_electron\": false}, "
                       "{\"mass\": 29, \"atoms\": [1, 2], \"odd_electron\": false}, "
                       "{\"mass\": 29, \"atoms\": [2, 3], \"odd_electron\": false}, "
                       "{\"mass\": 44, \"atoms\": [1, 2, 3], \"odd_electron\": true}]}\n");

    run = calc("fragments '" + propane.string() + "' --odd");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Fragments: 6\n   14 \u00B7+\n   15\n   15\n   29\n   29\n   44 \u00B7+\n");
    fs::remove(propane);
}

TEST(CalcFragments, FailuresExitWithAMessage) {
    const fs::path ring = molFile("ring", 6, true);
    CalcRun run = calc("fragments '" + ring.string() + "' --single");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "qzx-calc: No Fragments could be Generated\n");
    EXPECT_EQ(calc("fragments '" + ring.string() + "'").status, 0) << "pairs open the ring";

    // A chain of 190 atoms, beyond what a product of atom rows in a double could tell apart.
    const fs::path large = molFile("large", 190, false);
    run = calc("fragments '" + large.string() + "' --single --bond-length 20");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("Fragments: 379\n", 0), 0u) << run.out.substr(0, 40);

    EXPECT_EQ(calc("fragments").status, 2);
    EXPECT_EQ(calc("fragments '" + ring.string() + "' --both").status, 2);
    run = calc("fragments '" + scratch("missing.msd").string() + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("does not exist"), std::string::npos) << run.err;
    EXPECT_EQ(calc("fragments notes.txt").status, 1);
    fs::remove(ring);
    fs::remove(large);
}

} // namespace
