// qzx-calc report as a script sees it: a two-page PDF whose text holds the summary lines and
// the matched masses, and the failures that write nothing.
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "calc_run.h"

namespace {

namespace fs = std::filesystem;

using qzx::test::calc;
using qzx::test::CalcRun;
using qzx::test::scratch;
using qzx::test::slurp;

const std::string kStructures = QZX_STRUCTURES_DIR;
const std::string kSpectra = QZX_SPECTRA_DIR;

/// The text of a PDF as pdftotext reads it; empty without pdftotext.
std::string pdfText(const fs::path& pdf) {
    const fs::path text = scratch("report.txt");
    const std::string command =
        "pdftotext -layout '" + pdf.string() + "' '" + text.string() + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) return {};
    std::string out = slurp(text);
    fs::remove(text);
    return out;
}

TEST(CalcReport, WritesTheReportPageAndTheMatchedPeaks) {
    const fs::path pdf = scratch("report.pdf");
    const CalcRun run = calc("--json report '" + kStructures + "/toluene.msd' '" + kSpectra +
                             "/toluene_webbook.jdx' '" + pdf.string() + "'");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\"peaks\": 18, \"matches\": 10"), std::string::npos) << run.out;
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_EQ(slurp(pdf).rfind("%PDF-", 0), 0u);
    const std::string text = pdfText(pdf);
    if (text.empty()) GTEST_SKIP() << "pdftotext is not available";
    for (const char* line :
         {"Comparison Summary", "There were 10 matches of 18 ions (55.6%)",
          "The Spectrum Match Index was:", "Matched Peaks", "C7 H8 (92, -1 H)", "  91.0"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    EXPECT_NE(text.find('\f'), std::string::npos) << "two pages";
    fs::remove(pdf);
}

TEST(CalcReport, FailuresWriteNothing) {
    const fs::path pdf = scratch("none.pdf");
    CalcRun run =
        calc("report '" + kStructures + "/toluene.msd' '/nonexistent.jdx' '" + pdf.string() + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(fs::exists(pdf));
    run = calc("report '" + kStructures + "/toluene.msd'");
    EXPECT_EQ(run.status, 2);
}

} // namespace
