// ASC spectrum files: reading text into the store, writing it back, and the store itself.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "scratch_folder.h"
#include "spectrum/asc_file.h"
#include "spectrum/spectrum.h"

namespace qzx {
namespace {

namespace fs = std::filesystem;
using Peaks = std::vector<Peak>;

using test::readText;
using test::writeText;

TEST(AscRead, PairsAreRoundedToEvenAndSortedByMass) {
    AscContents c = decodeAscFile("120\r\n50\r\n100\r\n999\r\n");
    EXPECT_EQ(c.peaks, (Peaks{{100, 999}, {120, 50}}));
    EXPECT_TRUE(c.warnings().empty());

    c = decodeAscFile("57.5\r\n12.5\r\n56.5\r\n13.5\r\n2.5e1\r\n-0.4\r\n");
    EXPECT_EQ(c.peaks, (Peaks{{25, -0.0f}, {56, 14}, {58, 12}}));

    // Any line ending, blanks around the number, a plus sign, a byte-order mark.
    c = decodeAscFile("\xEF\xBB\xBF 44 \n+1.5E2\r77.\n\t.5");
    EXPECT_EQ(c.peaks, (Peaks{{44, 150}, {77, 0}}));
    EXPECT_EQ(c.unreadableLines, 0);
}

TEST(AscRead, OddLineCountsWarnAndKeepTheCompletePairs) {
    AscContents c = decodeAscFile("120\r\n50\r\n100\r\n");
    EXPECT_EQ(c.peaks, (Peaks{{120, 50}}));
    EXPECT_TRUE(c.unpairedMass);
    EXPECT_EQ(c.warnings(), (std::vector<std::string>{"File may contain corrupt information."}));

    c = decodeAscFile("");
    EXPECT_TRUE(c.peaks.empty());
    EXPECT_TRUE(c.warnings().empty());

    // Blank lines that an editor leaves at the end are not data; one inside is a 0.
    c = decodeAscFile("120\r\n50\r\n\r\n  \r\n");
    EXPECT_EQ(c.peaks, (Peaks{{120, 50}}));
    EXPECT_TRUE(c.warnings().empty());
    c = decodeAscFile("120\r\n\r\n100\r\n7\r\n");
    EXPECT_EQ(c.peaks, (Peaks{{100, 7}, {120, 0}}));
    EXPECT_EQ(c.unreadableLines, 1);
}

TEST(AscRead, NonNumericLinesReadAsZero) {
    const AscContents c = decodeAscFile(
        "abc\r\n5\r\n10\r\n12,5\r\n20\r\n1e99\r\n30\r\nnan\r\n40\r\n30x\r\n50\r\n+\r\n");
    EXPECT_EQ(c.peaks, (Peaks{{0, 5}, {10, 0}, {20, 0}, {30, 0}, {40, 0}, {50, 0}}));
    EXPECT_EQ(c.unreadableLines, 6);
    EXPECT_TRUE(c.warnings().empty()) << "unreadable lines are not reported";
}

TEST(AscRead, MoreThanThreeHundredPairsKeepTheFirstThreeHundred) {
    std::string text;
    for (int i = 1; i <= 305; ++i)
        text += std::to_string(1000 - i) + "\r\n" + std::to_string(i) + "\r\n";
    text += "5\r\n"; // and an unpaired mass
    const AscContents c = decodeAscFile(text);
    ASSERT_EQ(c.peaks.size(), 300u);
    EXPECT_EQ(c.peaks.front(), (Peak{700, 300})) << "the 301st pair (mass 699) is left out";
    EXPECT_EQ(c.peaks.back(), (Peak{999, 1}));
    EXPECT_EQ(c.warnings(), (std::vector<std::string>{
                                "The file holds more than 300 peaks; only the first 300 were read.",
                                "File may contain corrupt information."}));
}

TEST(AscRead, NoInputCrashesOrOverfillsTheStore) {
    std::mt19937 random(11);
    const std::string alphabet = "0123456789.eE+- \t\r\nx\xB7";
    for (int round = 0; round < 300; ++round) {
        std::string text(static_cast<std::size_t>(random() % 4000), ' ');
        for (char& c : text)
            c = alphabet[random() % alphabet.size()];
        const AscContents c = decodeAscFile(text);
        ASSERT_LE(c.peaks.size(), 300u);
        for (std::size_t i = 1; i < c.peaks.size(); ++i)
            ASSERT_LE(c.peaks[i - 1].Mass, c.peaks[i].Mass);
    }
}

TEST(AscFile, OpenFillsTheStoreAndAMissingFileLeavesItAlone) {
    const test::ScratchFolder scratch("qzx_asc_open_");
    const fs::path folder = scratch.path();
    Spectrum spectrum;
    spectrum.PeakLabels.count = 3;
    spectrum.SpectrumNormalized = true;
    writeText(folder / "a.asc", "120\r\n50\r\n100\r\n999\r\n77\r\n");

    AscLoadResult result = loadAscFile(folder / "a.asc", spectrum);
    EXPECT_EQ(result.error, "");
    EXPECT_EQ(result.warnings, (std::vector<std::string>{"File may contain corrupt information."}));
    EXPECT_EQ(spectrum.peakCount(), 2);
    EXPECT_EQ(spectrum.Peaks[0].Abundance, 2.0f);
    EXPECT_EQ(spectrum.peak(1), (Peak{100, 999}));
    EXPECT_EQ(spectrum.peak(2), (Peak{120, 50}));
    EXPECT_EQ(spectrum.PeakLabels.count, 0);
    EXPECT_FALSE(spectrum.SpectrumNormalized);
    EXPECT_EQ(spectrum.SpectrumFileName, (folder / "a.asc").string());

    const Spectrum before = spectrum;
    result = loadAscFile(folder / "missing.asc", spectrum);
    EXPECT_EQ(result.error, "File: " + (folder / "missing.asc").string() + " does not exist");
    result = loadAscFile(folder, spectrum); // a folder cannot be read as a file
    EXPECT_NE(result.error, "");
    EXPECT_EQ(spectrum.SpectrumFileName, before.SpectrumFileName);
    EXPECT_EQ(spectrum.Peaks, before.Peaks);
}

TEST(AscFile, SaveWritesWholeNumbersWithCrLfAndReopensTheSame) {
    const test::ScratchFolder scratch("qzx_asc_save_");
    const fs::path folder = scratch.path();
    Spectrum spectrum;
    spectrum.peak(1) = {43.0f, 20.0f};
    spectrum.peak(2) = {58.0f, 80.0f};
    spectrum.peak(3) = {59.0f, 2.5f};
    spectrum.setPeakCount(3);
    EXPECT_TRUE(spectrum.normalize());
    EXPECT_EQ(spectrum.peak(1).Abundance, 25.0f);
    EXPECT_EQ(spectrum.peak(3).Abundance, 3.125f);
    EXPECT_TRUE(spectrum.SpectrumNormalized);
    EXPECT_FALSE(spectrum.normalize()) << "only once per load";

    ASSERT_EQ(saveAscFile(folder / "s.asc", spectrum), "");
    EXPECT_EQ(readText(folder / "s.asc"), "43\r\n25\r\n58\r\n100\r\n59\r\n3\r\n");
    Spectrum reopened;
    loadAscFile(folder / "s.asc", reopened);
    EXPECT_EQ(reopened.peak(3), (Peak{59, 3})) << "saving rounded the abundance";

    spectrum.clear();
    EXPECT_EQ(encodeAscFile(spectrum), "");
    spectrum.peak(1) = {-0.2f, 1e30f};
    spectrum.setPeakCount(1);
    EXPECT_EQ(encodeAscFile(spectrum), "0\r\n1000000015047466219876688855040\r\n");
}

TEST(Spectrum, CountIsAFloatRoundedWhenRead) {
    Spectrum spectrum;
    EXPECT_EQ(spectrum.peakCount(), 0);
    spectrum.Peaks[0].Abundance = 2.5f;
    EXPECT_EQ(spectrum.peakCount(), 2);
    spectrum.Peaks[0].Abundance = 3.5f;
    EXPECT_EQ(spectrum.peakCount(), 4);
    spectrum.Peaks[0].Abundance = -7.0f;
    EXPECT_EQ(spectrum.peakCount(), 0);
    spectrum.Peaks[0].Abundance = 1e9f;
    EXPECT_EQ(spectrum.peakCount(), 300) << "never beyond the slots";

    spectrum.setPeakCount(2);
    spectrum.peak(1).Abundance = 0.0f;
    spectrum.peak(2).Abundance = 0.0f;
    spectrum.PeakLabels.count = 4;
    EXPECT_FALSE(spectrum.normalize()) << "nothing to scale by";
    EXPECT_EQ(spectrum.peak(2).Abundance, 0.0f);
    spectrum.clear();
    EXPECT_EQ(spectrum.peakCount(), 0);
    EXPECT_EQ(spectrum.PeakLabels.count, 0);
}

} // namespace
} // namespace qzx
