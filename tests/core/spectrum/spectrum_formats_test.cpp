// Spectrum files by extension: reading ASC, JCAMP-DX, library and text files into one peak
// list, and writing a peak list in each of them.
#include "spectrum/spectrum_formats.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "scratch_folder.h"
#include "spectrum/asc_file.h"
#include "spectrum/jcamp_dx.h"
#include "test_paths.h"

namespace qzx {
namespace {

namespace fs = std::filesystem;
using Peaks = std::vector<Peak>;
using Texts = std::vector<std::string>;

fs::path sample(const std::string& name) {
    return fs::path(QZX_TEST_DATA_DIR) / "spectra" / name;
}

TEST(SpectrumFormats, TheExtensionSaysTheFormatInAnyCase) {
    EXPECT_EQ(spectrumFormatOf("a/b/toluene.ASC"), SpectrumFormat::Asc);
    EXPECT_EQ(spectrumFormatOf("lib.Msp"), SpectrumFormat::Msp);
    for (const char* name : {"x.jdx", "x.DX", "x.JCAMP", "dir.jdx/x.Jdx"})
        EXPECT_EQ(spectrumFormatOf(name), SpectrumFormat::JcampDx) << name;
    for (const char* name : {"x.txt", "x.csv", "x", "x.jdx.bak", "jdx"})
        EXPECT_EQ(spectrumFormatOf(name), SpectrumFormat::Text) << name;
    EXPECT_EQ(spectrumFormatName(SpectrumFormat::JcampDx), "jcamp-dx");
}

TEST(SpectrumFormats, ALibraryGivesTheEntryNamedOrNumberedOrTheFirstWithAWarning) {
    const SpectrumFileContents first = readSpectrumFile(sample("library.msp"));
    ASSERT_EQ(first.error, "");
    EXPECT_EQ(first.title, "Methane");
    EXPECT_EQ(first.peaks, (Peaks{{13, 8}, {14, 16}, {15, 86}, {16, 100}}));
    EXPECT_EQ(first.warnings,
              (Texts{"The library holds 3 entries; the first, \"Methane\", was read."}));

    const SpectrumFileContents toluene = readSpectrumFile(sample("library.msp"), "Toluene");
    EXPECT_EQ(toluene.peaks, (Peaks{{39, 15}, {63, 9}, {65, 13}, {89, 4}, {91, 100}, {92, 63}}))
        << "pairs on two lines";
    EXPECT_TRUE(toluene.warnings.empty());

    // The third entry: tab-separated lines, LF line ends, annotations in quotes left out.
    const SpectrumFileContents pyridine = readSpectrumFile(sample("library.msp"), "3");
    EXPECT_EQ(pyridine.title, "Pyridine");
    EXPECT_EQ(pyridine.peaks, (Peaks{{51, 30}, {52, 62}, {78, 11}, {79, 100}, {80, 6}}));
    EXPECT_TRUE(pyridine.warnings.empty());

    for (const char* missing : {"Tolu", "0", "4", "toluene"}) {
        const SpectrumFileContents none = readSpectrumFile(sample("library.msp"), missing);
        EXPECT_EQ(none.error, std::string("The library has no entry named or numbered \"") +
                                  missing + "\" (it holds 3 entries).");
        EXPECT_TRUE(none.peaks.empty());
    }
}

TEST(SpectrumFormats, ALibraryEntryIsReadFromItsOwnLinesOnly) {
    // The name of the second entry appears in the first; a name that is a number is found
    // by name before it is taken for a number.
    const std::string library = "Name: Toluene\r\nSynon: Benzene, methyl-\r\nNum Peaks: 2\r\n"
                                "91 100; 92 60\r\n\r\n"
                                "Name: Benzene\r\nNum Peaks: 2\r\n78 100; 77 20\r\n\r\n"
                                "Name: 1\r\nNum Peaks: 1\r\n15 100\r\n";
    const SpectrumFileContents benzene =
        decodeSpectrumText(library, SpectrumFormat::Msp, "Benzene");
    EXPECT_EQ(benzene.peaks, (Peaks{{77, 20}, {78, 100}})) << "sorted by mass";
    EXPECT_EQ(decodeSpectrumText(library, SpectrumFormat::Msp, "1").peaks, (Peaks{{15, 100}}));
    EXPECT_EQ(decodeSpectrumText(library, SpectrumFormat::Msp, "2").title, "Benzene");

    // An entry without "Num Peaks:" does not take the next entry's peaks.
    const std::string noCount = "Name: Broken\nMW: 10\n\nName: Next\nNum Peaks: 1\n10 5\n";
    EXPECT_EQ(decodeSpectrumText(noCount, SpectrumFormat::Msp, "Broken").error,
              "Entry \"Broken\" of the library has no \"Num Peaks:\" line.");
    EXPECT_EQ(decodeSpectrumText(noCount, SpectrumFormat::Msp, "Next").peaks, (Peaks{{10, 5}}));

    const struct {
        std::string text;
        std::string error;
    } refused[] = {
        {"Formula: CH4\nNum Peaks: 1\n16 100\n",
         "The file holds no library entry (no \"Name:\" line)."},
        {"Name: Empty\nNum Peaks: 0\n\n", "Entry \"Empty\" of the library holds no peaks."},
        {"Name: Exp\nNum Peaks: 2\n41.02 1.5E+04\n43.1 200\n",
         "Entry \"Exp\": \"1.5E+04\" is written with an exponent; only plain decimals can be "
         "read."},
        {"Name: Dots\nNum Peaks: 1\n41..5 100\n", "Entry \"Dots\": \"41..5\" is not a number."},
    };
    for (const auto& r : refused) {
        const SpectrumFileContents read = decodeSpectrumText(r.text, SpectrumFormat::Msp);
        EXPECT_EQ(read.error, r.error) << r.text;
        EXPECT_TRUE(read.peaks.empty());
        EXPECT_TRUE(read.warnings.empty());
    }

    const SpectrumFileContents miscounted =
        decodeSpectrumText("Name: Odd\nNum Peaks: 3\n41 100 42 50 43\n", SpectrumFormat::Msp);
    EXPECT_EQ(miscounted.peaks, (Peaks{{41, 100}, {42, 50}}));
    EXPECT_EQ(miscounted.warnings,
              (Texts{"The peaks end with a mass that has no abundance; that mass was left out.",
                     "Entry \"Odd\" says it has 3 peaks (Num Peaks:), but 2 were read."}));
}

TEST(SpectrumFormats, TextAndAscFilesAreReadAsPairsOfNumbers) {
    const SpectrumFileContents text = readSpectrumFile(sample("naphthalene.txt"));
    ASSERT_EQ(text.error, "");
    EXPECT_EQ(text.title, "naphthalene") << "the file name without extension";
    EXPECT_EQ(text.peaks.size(), 7u);
    EXPECT_EQ(text.peaks[5], (Peak{128, 100}));

    const SpectrumFileContents pairs = decodeSpectrumText("\xEF\xBB\xBF"
                                                          "57.5\t12\r\n41 100; 43,7\r44",
                                                          SpectrumFormat::Text);
    EXPECT_EQ(pairs.peaks, (Peaks{{41, 100}, {43, 7}, {57.5f, 12}}));
    EXPECT_EQ(pairs.warnings,
              (Texts{"The peaks end with a mass that has no abundance; that mass was left out."}));
    EXPECT_EQ(decodeSpectrumText("no numbers here", SpectrumFormat::Text).error,
              "The file holds no peaks.");
    EXPECT_EQ(decodeSpectrumText("41 100", SpectrumFormat::Text, "1").error,
              "Only a library (.msp) has entries to choose from.");

    const SpectrumFileContents asc =
        decodeSpectrumText("92\r\n60.4\r\n91\r\nabc\r\n", SpectrumFormat::Asc);
    EXPECT_EQ(asc.peaks, (Peaks{{91, 0}, {92, 60}}));
    EXPECT_EQ(asc.warnings, (Texts{"1 line of the file held no number and read as 0."}));
    EXPECT_EQ(decodeSpectrumText("", SpectrumFormat::Asc).error, "The file holds no peaks.");

    const SpectrumFileContents missing = readSpectrumFile(sample("nothing-here.jdx"));
    EXPECT_EQ(missing.error, "File: " + sample("nothing-here.jdx").string() + " does not exist");
}

TEST(SpectrumFormats, MoreThan300PeaksAreKeptAndAnAscFileGetsTheMostAbundant) {
    Peaks peaks;
    for (int i = 1; i <= 350; ++i)
        peaks.push_back({static_cast<float>(i), static_cast<float>((i * 37) % 350) + 0.5f});
    std::string text;
    for (const Peak& peak : peaks)
        text += spectrumNumberText(peak.Mass) + " " + spectrumNumberText(peak.Abundance) + "\n";
    const SpectrumFileContents read = decodeSpectrumText(text, SpectrumFormat::Text);
    EXPECT_EQ(read.peaks.size(), 350u);
    EXPECT_EQ(read.warnings, (Texts{std::string(kTooManyPeaksWarning)}));

    const SpectrumFileText asc = encodeSpectrumText(read.peaks, "", SpectrumFormat::Asc);
    EXPECT_EQ(asc.warnings,
              (Texts{"An ASC file holds at most 300 peaks; the 300 most abundant of 350 were "
                     "written.",
                     "An ASC file holds whole numbers; masses and abundances were rounded."}));
    const AscContents back = decodeAscFile(asc.text);
    ASSERT_EQ(back.peaks.size(), 300u);
    EXPECT_FALSE(back.cutAt300);
    // The 50 weakest (abundances 0.5 .. 49.5) are gone; ASC rounds the rest to even.
    for (const Peak& peak : back.peaks)
        EXPECT_GE(peak.Abundance, 50.0f) << peak.Mass;
    EXPECT_TRUE(std::is_sorted(back.peaks.begin(), back.peaks.end(),
                               [](const Peak& a, const Peak& b) { return a.Mass < b.Mass; }));

    // Of equal abundance the lower mass stays; the result is in ascending mass.
    EXPECT_EQ(mostAbundantPeaks({{50, 5}, {10, 1}, {40, 5}, {30, 9}, {20, 5}}, 3),
              (Peaks{{20, 5}, {30, 9}, {40, 5}}));
    EXPECT_EQ(mostAbundantPeaks({{2, 1}, {1, 1}}, 300), (Peaks{{1, 1}, {2, 1}}));
}

TEST(SpectrumFormats, EachWrittenFormatReadsBackAsWritten) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> mass(0.5f, 1500.0f);
    std::uniform_real_distribution<float> abundance(0.0f, 10000.0f);
    Peaks peaks;
    for (int i = 0; i < 120; ++i)
        peaks.push_back({mass(random), abundance(random)});
    peaks.push_back({1e-5f, 3e30f});
    Peaks sorted = peaks;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Peak& a, const Peak& b) { return a.Mass < b.Mass; });

    for (const SpectrumFormat format :
         {SpectrumFormat::JcampDx, SpectrumFormat::Msp, SpectrumFormat::Text}) {
        const SpectrumFileText written = encodeSpectrumText(peaks, "Sample 1", format);
        EXPECT_TRUE(written.warnings.empty());
        EXPECT_EQ(written.text.find('\n'), written.text.find("\r\n") + 1) << "CR LF";
        const SpectrumFileContents read = decodeSpectrumText(written.text, format);
        ASSERT_EQ(read.error, "") << spectrumFormatName(format);
        EXPECT_EQ(read.peaks, sorted) << spectrumFormatName(format);
        EXPECT_TRUE(read.warnings.empty()) << spectrumFormatName(format);
        EXPECT_EQ(read.title, format == SpectrumFormat::Text ? "" : "Sample 1");
    }
    const SpectrumFileContents asc = decodeSpectrumText(
        encodeSpectrumText(peaks, "", SpectrumFormat::Asc).text, SpectrumFormat::Asc);
    // ASC holds whole numbers; peaks whose masses round alike may change places.
    const auto byMassThenAbundance = [](const Peak& a, const Peak& b) {
        return a.Mass != b.Mass ? a.Mass < b.Mass : a.Abundance < b.Abundance;
    };
    Peaks whole;
    for (const Peak& peak : peaks)
        whole.push_back({std::nearbyint(peak.Mass), std::nearbyint(peak.Abundance)});
    std::sort(whole.begin(), whole.end(), byMassThenAbundance);
    Peaks ascPeaks = asc.peaks;
    std::sort(ascPeaks.begin(), ascPeaks.end(), byMassThenAbundance);
    EXPECT_EQ(ascPeaks, whole);
}

TEST(SpectrumFormats, TheLibraryAndTextLayouts) {
    const Peaks peaks{{39, 15}, {51, 7.5f}, {63, 9}, {65, 13}, {91, 100}, {92, 62.5f}};
    EXPECT_EQ(encodeSpectrumText(peaks, "Toluene", SpectrumFormat::Msp).text,
              "Name: Toluene\r\nNum Peaks: 6\r\n"
              "39 15; 51 7.5; 63 9; 65 13; 91 100;\r\n92 62.5;\r\n\r\n");
    EXPECT_EQ(encodeSpectrumText({{92, 62.5f}, {91, 100}}, "", SpectrumFormat::Text).text,
              "91\t100\r\n92\t62.5\r\n");
    EXPECT_EQ(encodeSpectrumText({{91, 100}}, "", SpectrumFormat::Asc).text, "91\r\n100\r\n");
    // Five peaks fill one line exactly; the title is kept on one line.
    EXPECT_EQ(
        encodeSpectrumText({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}}, "a\r\nb", SpectrumFormat::Msp)
            .text,
        "Name: a  b\r\nNum Peaks: 5\r\n1 1; 2 2; 3 3; 4 4; 5 5;\r\n\r\n");
}

TEST(SpectrumFormats, WritingGoesThroughATemporaryFile) {
    const test::ScratchFolder folder("qzx_spectrum_formats_");
    const fs::path out = folder.path() / "toluene.JDX";
    const Peaks peaks{{91, 100}, {92, 60}};
    SpectrumWriteResult written = writeSpectrumFile(out, peaks, "Toluene");
    ASSERT_EQ(written.error, "");
    EXPECT_EQ(test::readText(out), encodeJcampDx(peaks, "Toluene"));
    const SpectrumFileContents read = readSpectrumFile(out);
    EXPECT_EQ(read.peaks, peaks);
    EXPECT_EQ(read.title, "Toluene");

    written = writeSpectrumFile(folder.path() / "toluene.asc", {{91.4f, 99.6f}}, "");
    EXPECT_EQ(written.warnings,
              (Texts{"An ASC file holds whole numbers; masses and abundances were rounded."}));
    EXPECT_EQ(test::readText(folder.path() / "toluene.asc"), "91\r\n100\r\n");

    // A folder that does not exist: an error, and nothing is left behind.
    const SpectrumWriteResult failed =
        writeSpectrumFile(folder.path() / "missing" / "x.msp", peaks, "x");
    EXPECT_NE(failed.error, "");
    EXPECT_TRUE(failed.warnings.empty());
    EXPECT_FALSE(fs::exists(folder.path() / "missing"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2)
        << "no temporary file stays";
}

} // namespace
} // namespace qzx
