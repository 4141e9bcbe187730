// qzx-calc spectrum as a script sees it: conversions by extension, the JSON shape, the
// printed peak list, warnings and failures.
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
using qzx::test::slurp;

fs::path samplePath(const std::string& name) {
    return fs::path(QZX_SPECTRA_DIR) / name;
}

/// A path quoted for the shell.
std::string quotedPath(const fs::path& path) {
    std::string quoted = "'";
    quoted += path.string();
    quoted += '\'';
    return quoted;
}

std::string sample(const std::string& name) {
    return quotedPath(samplePath(name));
}

TEST(CalcSpectrum, ConvertsAmongTheFormatsByExtension) {
    const fs::path msp = scratch("toluene.msp"), jdx = scratch("toluene.jdx");
    CalcRun run = calc("spectrum " + sample("toluene_webbook.jdx") + " " + quotedPath(msp));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, msp.string() + ": 18 peaks\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(slurp(msp).rfind("Name: Toluene\r\nNum Peaks: 18\r\n27 180; 38 270; 39 1520; ", 0),
              0u);

    // Back to JCAMP-DX: the same peaks and title as the original.
    run = calc("spectrum " + quotedPath(msp) + " " + quotedPath(jdx));
    EXPECT_EQ(run.status, 0) << run.err;
    const CalcRun original = calc("--json spectrum " + sample("toluene_webbook.jdx") + " -");
    const CalcRun converted = calc("--json spectrum " + quotedPath(jdx) + " -");
    const auto peaksOf = [](const std::string& json) {
        return json.substr(json.find("\"title\""));
    };
    EXPECT_EQ(peaksOf(converted.out), peaksOf(original.out));
    EXPECT_NE(slurp(jdx).find("##PEAK TABLE=(XY..XY)\r\n27,180\r\n"), std::string::npos);

    // A library entry by name into an ASC file; an ASC file into plain text.
    const fs::path asc = scratch("pyridine.asc"), txt = scratch("pyridine.txt");
    run = calc("spectrum " + sample("library.msp") + " " + quotedPath(asc) + " --entry Pyridine");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(slurp(asc), "51\r\n30\r\n52\r\n62\r\n78\r\n11\r\n79\r\n100\r\n80\r\n6\r\n");
    run = calc("spectrum " + quotedPath(asc) + " " + quotedPath(txt));
    EXPECT_EQ(slurp(txt), "51\t30\r\n52\t62\r\n78\t11\r\n79\t100\r\n80\t6\r\n");
    for (const fs::path& file : {msp, jdx, asc, txt})
        fs::remove(file);
}

TEST(CalcSpectrum, PrintsTheJsonShapeOrThePeakList) {
    CalcRun run = calc("--json spectrum " + sample("acetone_factors.jdx") + " -");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "{\"input\": \"" + samplePath("acetone_factors.jdx").string() +
                  "\", \"output\": null, \"format\": \"jcamp-dx\", \"title\": \"Acetone\", "
                  "\"count\": 4, \"peaks\": [{\"mass\": 15, \"abundance\": 25}, "
                  "{\"mass\": 42, \"abundance\": 8}, {\"mass\": 43, \"abundance\": 100}, "
                  "{\"mass\": 58, \"abundance\": 27.5}], \"warnings\": []}\n");

    // Warnings of reading and of writing, in the JSON object and nowhere else.
    const fs::path asc = scratch("ethanol.asc");
    run = calc("--json spectrum " + sample("ethanol_link.jdx") + " " + quotedPath(asc));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("\"output\": \"" + asc.string() +
                           "\", \"format\": \"jcamp-dx\", "
                           "\"title\": \"Ethanol MS\", \"count\": 5, "),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\"warnings\": [\"The file holds 2 data blocks; the first mass "
                           "spectrum (block 2, \\\"Ethanol MS\\\") was read.\"]}\n"),
              std::string::npos)
        << run.out;
    fs::remove(asc);

    // Without --json: OUT - prints the title, count and peaks; warnings go to standard error.
    run = calc("spectrum " + sample("library.msp") + " -");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Title: Methane\nPeaks: 4\n13\t8\n14\t16\n15\t86\n16\t100\n");
    EXPECT_EQ(run.err, "qzx-calc: warning: The library holds 3 entries; the first, \"Methane\", "
                       "was read.\n");
    run = calc("spectrum " + sample("library.msp") + " - --entry 2");
    EXPECT_EQ(run.out.rfind("Title: Toluene\nPeaks: 6\n39\t15\n", 0), 0u);
    EXPECT_EQ(run.err, "");

    run = calc("--help spectrum");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("usage: qzx-calc spectrum IN OUT [--entry NAME|N]"), std::string::npos);
}

TEST(CalcSpectrum, BadInputFailsWithAMessageAndLeavesTheOutputAlone) {
    const fs::path out = scratch("kept.jdx");
    std::ofstream(out, std::ios::binary) << "old contents";
    const struct {
        std::string arguments;
        std::string message;
    } cases[] = {
        {"spectrum " + sample("profile_continuous.jdx") + " " + quotedPath(out),
         "is compressed continuous data (##XYDATA=(X++(Y..Y))), not a peak table"},
        {"spectrum " + sample("library.msp") + " " + quotedPath(out) + " --entry Benzene",
         "The library has no entry named or numbered \"Benzene\" (it holds 3 entries)."},
        {"spectrum " + sample("toluene_webbook.jdx") + " " + quotedPath(out) + " --entry 1",
         "Only a library (.msp) has entries to choose from."},
        {"spectrum " + quotedPath(scratch("none.jdx")) + " " + quotedPath(out), "does not exist"},
        {"spectrum " + sample("library.msp"), "spectrum needs IN and OUT"},
        {"spectrum " + sample("library.msp") + " " + quotedPath(out) + " --entry",
         "--entry needs a library entry's name or number"},
        {"spectrum " + sample("library.msp") + " " + quotedPath(out) + " --peaks",
         "unknown option '--peaks'"},
    };
    for (const auto& c : cases) {
        const CalcRun run = calc(c.arguments);
        EXPECT_EQ(run.status, 1) << c.arguments;
        EXPECT_EQ(run.out, "") << c.arguments;
        EXPECT_EQ(run.err.rfind("qzx-calc: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(slurp(out), "old contents") << c.arguments;
    }
    // An output that cannot be written: exit code 1, no file.
    const fs::path unwritable = scratch("no-such-folder") / "x.msp";
    const CalcRun run =
        calc("spectrum " + sample("benzene_pairs.dx") + " " + quotedPath(unwritable));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(unwritable.string() + ": "), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(unwritable));
    fs::remove(out);
}

} // namespace
