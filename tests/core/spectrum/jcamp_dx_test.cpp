#include "spectrum/jcamp_dx.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "test_paths.h"
#include "util/safe_file.h"

namespace qzx {
namespace {

using Peaks = std::vector<Peak>;

std::string sample(const std::string& name) {
    const std::optional<Bytes> bytes =
        readWholeFile(std::filesystem::path(QZX_TEST_DATA_DIR) / "spectra" / name);
    EXPECT_TRUE(bytes) << name;
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

/// A one-block mass spectrum around the given table records.
std::string massSpectrum(const std::string& records) {
    return "##TITLE=Test\r\n##JCAMP-DX=4.24\r\n##DATA TYPE=MASS SPECTRUM\r\n" + records +
           "##END=\r\n";
}

TEST(JcampDx, ReadsADatabaseExportWithSeveralPairsALine) {
    const JcampDxContents toluene = decodeJcampDx(sample("toluene_webbook.jdx"));
    ASSERT_EQ(toluene.error, "");
    EXPECT_EQ(toluene.title, "Toluene");
    EXPECT_TRUE(toluene.warnings.empty());
    ASSERT_EQ(toluene.peaks.size(), 18u) << "##NPOINTS=18";
    EXPECT_EQ(toluene.peaks.front(), (Peak{27, 180}));
    EXPECT_EQ(toluene.peaks[15], (Peak{91, 9999})) << "the sixteenth pair, on the fourth line";
    EXPECT_EQ(toluene.peaks.back(), (Peak{93, 440}));
    // Private labels (##$...) and records after the header do not end up in the table.
    for (const Peak& peak : toluene.peaks)
        EXPECT_GE(peak.Mass, 27.0f);
}

TEST(JcampDx, ReadsEveryWayOfWritingLabelsAndPairs) {
    // One pair a line with tabs, other spellings of the labels, comments after the values.
    const JcampDxContents benzene = decodeJcampDx(sample("benzene_pairs.dx"));
    ASSERT_EQ(benzene.error, "");
    EXPECT_EQ(benzene.title, "Benzene") << "blanks and the comment cut off";
    EXPECT_EQ(benzene.peaks, (Peaks{{50, 14}, {51, 18}, {52, 19}, {74, 4}, {77, 14}, {78, 100}}))
        << "the digits of \"C4H3+\" in a comment are no peak";
    EXPECT_TRUE(benzene.warnings.empty());

    const Peaks expected{{41, 100}, {42, 50}, {43.5f, 7.25f}, {44, 3}};
    for (const std::string& records : {
             std::string("##PEAK TABLE=(XY..XY)\r\n41,100 42,50\r\n43.5,7.25 44,3\r\n"),
             std::string("##PEAKTABLE=(XY..XY)\r\n41 100\r\n42 50\r\n43.5 7.25\r\n44 3\r\n"),
             std::string("##Peak_Table=(XY..XY)\r\n41.0, 100.0; 42,50;\r\n43.5,7.25;44,3\r\n"),
             std::string("##XYPOINTS=(XY..XY)\r\n41\t100\r\n42\t50\r\n43.5\t7.25\r\n44\t3\r\n"),
             std::string("##peak-table= (XY..XY)\r\n+41,1E2 42,5.0e1\r\n\r\n43.5,7.25 44,3\r\n"),
             std::string("##PEAK TABLE=(XYW..XYW)\r\n41,100,1 42,50,1\r\n43.5,7.25,1 44,3,1\r\n"),
         }) {
        const JcampDxContents read = decodeJcampDx(massSpectrum(records));
        EXPECT_EQ(read.error, "") << records;
        EXPECT_EQ(read.peaks, expected) << records;
    }
    // Data type and labels in lower case, "##DATATYPE=" without a blank.
    const JcampDxContents lower =
        decodeJcampDx("##title=x\n##datatype=mass spectrum\n##peak table=(xy..xy)\n1,2\n##end=\n");
    EXPECT_EQ(lower.error, "");
    EXPECT_EQ(lower.peaks, (Peaks{{1, 2}}));
}

TEST(JcampDx, FactorsMultiplyMassesAndAbundances) {
    const JcampDxContents acetone = decodeJcampDx(sample("acetone_factors.jdx"));
    ASSERT_EQ(acetone.error, "");
    EXPECT_EQ(acetone.peaks, (Peaks{{15, 25}, {42, 8}, {43, 100}, {58, 27.5f}}));

    // A factor may come after the table; a factor that is no number refuses the file.
    const JcampDxContents late =
        decodeJcampDx(massSpectrum("##PEAK TABLE=(XY..XY)\r\n10,3\r\n##YFACTOR=2\r\n"));
    EXPECT_EQ(late.peaks, (Peaks{{10, 6}}));
    const JcampDxContents bad = decodeJcampDx(
        massSpectrum("##XFACTOR=1\r\n##YFACTOR=one\r\n##PEAK TABLE=(XY..XY)\r\n10,3\r\n"));
    EXPECT_EQ(bad.error, "Line 5 of the file: the factor \"one\" is not a number.");
    EXPECT_TRUE(bad.peaks.empty());
}

TEST(JcampDx, OfSeveralBlocksTheFirstMassSpectrumIsReadAndNamed) {
    const JcampDxContents link = decodeJcampDx(sample("ethanol_link.jdx"));
    ASSERT_EQ(link.error, "") << "the infrared block's continuous data is not in the way";
    EXPECT_EQ(link.title, "Ethanol MS");
    EXPECT_EQ(link.peaks, (Peaks{{27, 24}, {29, 23}, {31, 100}, {45, 51}, {46, 17}}));
    EXPECT_EQ(link.warnings, (std::vector<std::string>{
                                 "The file holds 2 data blocks; the first mass spectrum (block 2, "
                                 "\"Ethanol MS\") was read."}));

    // Blocks one after the other, two of them mass spectra: the first of those.
    const std::string three = "##TITLE=UV\n##DATA TYPE=UV/VIS SPECTRUM\n##XYPOINTS=(XY..XY)\n"
                              "200,1\n##END=\n"
                              "##TITLE=First MS\n##DATA TYPE=MASS SPECTRUM\n"
                              "##PEAK TABLE=(XY..XY)\n15,1 16,2\n##END=\n"
                              "##TITLE=Second MS\n##DATA TYPE=MASS SPECTRUM\n"
                              "##PEAK TABLE=(XY..XY)\n99,9\n##END=\n";
    const JcampDxContents first = decodeJcampDx(three);
    EXPECT_EQ(first.title, "First MS");
    EXPECT_EQ(first.peaks, (Peaks{{15, 1}, {16, 2}}));
    ASSERT_EQ(first.warnings.size(), 1u);
    EXPECT_EQ(first.warnings[0], "The file holds 3 data blocks; the first mass spectrum (block 2, "
                                 "\"First MS\") was read.");

    // A block whose ##END= is missing takes the next block in; its own table still counts.
    const JcampDxContents unended =
        decodeJcampDx("##TITLE=A\n##DATA TYPE=MASS SPECTRUM\n##PEAK TABLE=(XY..XY)\n1,2\n"
                      "##TITLE=B\n##DATA TYPE=MASS SPECTRUM\n##PEAK TABLE=(XY..XY)\n3,4\n##END=\n");
    EXPECT_EQ(unended.title, "A");
    EXPECT_EQ(unended.peaks, (Peaks{{1, 2}}));
}

TEST(JcampDx, AFileCutShortIsReadWithWarningsThatSaySo) {
    const JcampDxContents cut = decodeJcampDx(sample("propanol_truncated.jdx"));
    ASSERT_EQ(cut.error, "");
    EXPECT_EQ(cut.peaks, (Peaks{{27, 16}, {29, 15}, {31, 100}, {42, 8}, {59, 10}}));
    EXPECT_EQ(cut.warnings,
              (std::vector<std::string>{
                  "The peak table ends with a mass that has no abundance; that mass was left out.",
                  "The file says it holds 6 peaks (##NPOINTS=), but 5 were read.",
                  "The file ends before the spectrum's ##END=; it may have been cut short."}));

    // Every prefix of a file reads without harm: a message or some of its peaks.
    const std::string whole = sample("toluene_webbook.jdx");
    for (std::size_t length = 0; length <= whole.size(); ++length) {
        const JcampDxContents part = decodeJcampDx(std::string_view(whole).substr(0, length));
        EXPECT_NE(part.error.empty(), part.peaks.empty()) << length;
        EXPECT_LE(part.peaks.size(), 18u);
    }
}

TEST(JcampDx, RefusesWhatHoldsNoPeakTableWithAClearMessage) {
    EXPECT_EQ(decodeJcampDx(sample("profile_continuous.jdx")).error,
              "The mass spectrum in the file is compressed continuous data "
              "(##XYDATA=(X++(Y..Y))), not a peak table; only a peak table (XY..XY) can be read.");
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {massSpectrum("##XUNITS=M/Z\r\n"),
         "The mass spectrum in the file has no peak table (##PEAK TABLE= or ##XYPOINTS=)."},
        {"##TITLE=IR\r\n##DATA TYPE=INFRARED SPECTRUM\r\n##XYPOINTS=(XY..XY)\r\n1,2\r\n##END=\r\n",
         "The file holds no mass spectrum (its data type is INFRARED SPECTRUM)."},
        {"41 100\r\n42 50\r\n",
         "The file is not a JCAMP-DX file: it has no ##TITLE= or other labelled record."},
        {"", "The file is not a JCAMP-DX file: it has no ##TITLE= or other labelled record."},
        {massSpectrum("##PEAK TABLE=(XY..XY)\r\n##END=\r\n"),
         "The peak table of the mass spectrum holds no peaks."},
        {massSpectrum("##PEAK TABLE=(XY..XY)\r\n41,100\r\n42,5O\r\n"),
         "Line 6 of the file: \"5O\" is not a number."},
        {massSpectrum("##PEAK TABLE=(XY..XY)\r\n41,?\r\n"),
         "Line 5 of the file: \"?\" is not a number."},
        {massSpectrum("##PEAK TABLE=(XY..XY)\r\n41,1e39\r\n"),
         "Line 5 of the file: \"1e39\" is too large for a spectrum."},
        {massSpectrum("##PEAK TABLE=(XYZ..XYZ)\r\n1,2,3\r\n"),
         "The peak table of the file has the form (XYZ..XYZ), which cannot be read; only "
         "(XY..XY) and (XYW..XYW) can."},
        {massSpectrum("##NTUPLES=MASS SPECTRUM\r\n##PEAK TABLE=(XY..XY)\r\n1,2\r\n"),
         "The mass spectrum in the file is a series of spectra (##NTUPLES=); only a single "
         "peak table can be read."},
    };
    for (const auto& c : cases) {
        const JcampDxContents read = decodeJcampDx(c.text);
        EXPECT_EQ(read.error, c.error) << c.text;
        EXPECT_TRUE(read.peaks.empty()) << c.text;
        EXPECT_TRUE(read.warnings.empty()) << c.text;
    }
    EXPECT_EQ(decodeJcampDx("##TITLE=x\n##DATA TYPE=NMR SPECTRUM\n##END=\n##TITLE=y\n##DATA "
                            "TYPE=IR SPECTRUM\n##END=\n")
                  .error,
              kJcampNoMassSpectrumError);
}

TEST(JcampDx, AFileWithoutADataTypeIsReadAsAMassSpectrumWithAWarning) {
    const JcampDxContents read = decodeJcampDx("##TITLE=Old file\n##PEAK TABLE=(XY..XY)\n"
                                               "15,2 16,10\n##END=\n");
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(read.peaks, (Peaks{{15, 2}, {16, 10}}));
    EXPECT_EQ(read.warnings,
              (std::vector<std::string>{"The file does not say what it holds (no ##DATA TYPE=); "
                                        "its peak table was read as a mass spectrum."}));
}

TEST(JcampDx, EveryLineEndAndAByteOrderMarkReadAlike) {
    const std::string lf = "##TITLE=Methane\n##DATA TYPE=MASS SPECTRUM\n##PEAK TABLE=(XY..XY)\n"
                           "14,16\n15,86\n16,100\n##END=\n";
    std::string crlf, cr;
    for (const char c : lf) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        cr += c == '\n' ? '\r' : c;
    }
    const Peaks expected{{14, 16}, {15, 86}, {16, 100}};
    for (const std::string& text : {lf, crlf, cr, "\xEF\xBB\xBF" + crlf}) {
        const JcampDxContents read = decodeJcampDx(text);
        EXPECT_EQ(read.error, "");
        EXPECT_EQ(read.title, "Methane");
        EXPECT_EQ(read.peaks, expected);
        EXPECT_TRUE(read.warnings.empty()) << "no ##END= missing, however the lines end";
    }
    // Line numbers in messages count a CR LF as one line end.
    EXPECT_EQ(decodeJcampDx(massSpectrum("##PEAK TABLE=(XY..XY)\r\n\r\nx\r\n")).error,
              "Line 6 of the file: \"x\" is not a number.");
}

TEST(JcampDx, PeaksAreSortedByMassAndAllAreKeptBeyond300) {
    std::string table;
    for (int mass = 400; mass >= 1; --mass)
        table += std::to_string(mass) + "," + std::to_string(mass % 7) + "\r\n";
    table += "200,99\r\n"; // a second peak at 200, after the first in the file
    const JcampDxContents read = decodeJcampDx(massSpectrum("##PEAK TABLE=(XY..XY)\r\n" + table));
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.peaks.size(), 401u);
    EXPECT_TRUE(std::is_sorted(read.peaks.begin(), read.peaks.end(),
                               [](const Peak& a, const Peak& b) { return a.Mass < b.Mass; }));
    EXPECT_EQ(read.peaks[199], (Peak{200, 200 % 7})) << "equal masses keep the file's order";
    EXPECT_EQ(read.peaks[200], (Peak{200, 99}));
    EXPECT_EQ(read.warnings, (std::vector<std::string>{std::string(kJcampTooManyPeaksWarning)}));
}

TEST(JcampDx, WritesJcampDx424WithCrLfAndShortestNumbers) {
    const std::string text =
        encodeJcampDx({{92, 62.5f}, {39, 15}, {91, 100}, {57.5f, 0.125f}}, "Toluene");
    EXPECT_EQ(text, "##TITLE=Toluene\r\n"
                    "##JCAMP-DX=4.24\r\n"
                    "##DATA TYPE=MASS SPECTRUM\r\n"
                    "##ORIGIN=Quorin Professional for Linux\r\n"
                    "##OWNER=\r\n"
                    "##XUNITS=M/Z\r\n"
                    "##YUNITS=RELATIVE ABUNDANCE\r\n"
                    "##XFACTOR=1\r\n"
                    "##YFACTOR=1\r\n"
                    "##FIRSTX=39\r\n"
                    "##LASTX=92\r\n"
                    "##MAXY=100\r\n"
                    "##NPOINTS=4\r\n"
                    "##PEAK TABLE=(XY..XY)\r\n"
                    "39,15\r\n"
                    "57.5,0.125\r\n"
                    "91,100\r\n"
                    "92,62.5\r\n"
                    "##END=\r\n");
    EXPECT_EQ(spectrumNumberText(0.1f), "0.1");
    EXPECT_EQ(spectrumNumberText(1e-5f), "0.00001") << "no exponent";
    EXPECT_EQ(spectrumNumberText(-0.0f), "0");
    EXPECT_EQ(spectrumNumberText(std::nanf("")), "0");

    // The title is written in Latin-1 on one line and read back as UTF-8.
    const std::string latin = encodeJcampDx({{1, 1}}, "\xC3\x96lsäure\nC18");
    EXPECT_EQ(latin.substr(0, 21), "##TITLE=\xD6ls\xE4ure C18\r\n");
    EXPECT_EQ(decodeJcampDx(latin).title, "\xC3\x96lsäure C18");
    EXPECT_EQ(decodeJcampDx(encodeJcampDx({{1, 1}}, "Ölsäure")).title, "Ölsäure");
}

TEST(JcampDx, ReadingWhatWasWrittenGivesBackTheSamePeaks) {
    std::mt19937 random(20240611);
    std::uniform_real_distribution<float> mass(1.0f, 2000.0f);
    std::uniform_real_distribution<float> exponent(-30.0f, 30.0f);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int round = 0; round < 50; ++round) {
        Peaks peaks;
        const int n = 1 + static_cast<int>(random() % 420);
        for (int i = 0; i < n; ++i)
            peaks.push_back({mass(random), unit(random) * std::pow(10.0f, exponent(random))});
        peaks.push_back({std::nextafter(1000.0f, 2000.0f), 3.4e38f});
        peaks.push_back({0.0f, 1.17549435e-38f});
        std::stable_sort(peaks.begin(), peaks.end(),
                         [](const Peak& a, const Peak& b) { return a.Mass < b.Mass; });
        const JcampDxContents read = decodeJcampDx(encodeJcampDx(peaks, "Random"));
        ASSERT_EQ(read.error, "");
        ASSERT_EQ(read.peaks.size(), peaks.size());
        for (std::size_t i = 0; i < peaks.size(); ++i) {
            ASSERT_EQ(read.peaks[i].Mass, peaks[i].Mass) << round << " " << i;
            ASSERT_EQ(read.peaks[i].Abundance, peaks[i].Abundance) << round << " " << i;
        }
    }
}

} // namespace
} // namespace qzx
