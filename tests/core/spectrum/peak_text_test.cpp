#include "spectrum/peak_text.h"

#include <gtest/gtest.h>

#include <string>

namespace qzx {
namespace {

using Numbers = std::vector<std::string>;

TEST(PeakText, NumbersAreRunsOfDigitsAndPoints) {
    EXPECT_EQ(numbersInText("41 100; 42 50;"), (Numbers{"41", "100", "42", "50"}));
    EXPECT_EQ(numbersInText("m/z 57.0 int 12"), (Numbers{"57.0", "12"}));
    EXPECT_EQ(numbersInText("-1.5E3"), (Numbers{"1.5", "3"}));
    EXPECT_EQ(numbersInText("57\t12\r\n58\t3\r59\t1\n60"),
              (Numbers{"57", "12", "58", "3", "59", "1", "60"}))
        << "tabs and every line end";
    EXPECT_EQ(numbersInText("12\n34"), (Numbers{"12", "34"})) << "a line end ends a number";
    EXPECT_TRUE(numbersInText("").empty());
}

TEST(PeakText, StripCountSkipsHeaderLinesAndAShortFileReadsNothing) {
    const PeakTextImport skipped = importPeakText("Title 2024\nm/z int\n41 100\n42 50\n", 2);
    EXPECT_FALSE(skipped.fileTooShort);
    EXPECT_EQ(skipped.numbers, (Numbers{"41", "100", "42", "50"}));
    const PeakTextImport shortFile = importPeakText("41 100\n42 50", 3);
    EXPECT_TRUE(shortFile.fileTooShort);
    EXPECT_TRUE(shortFile.numbers.empty());
    EXPECT_EQ(importPeakText("41 100\n42", 0).numbers.size(), 3u) << "an odd count stays odd";
}

const std::string kLibrary =
    "Name: Benzene\r\nFormula: C6H6\r\nNum Peaks: 3\r\n51 20; 52 15; 78 999;\r\n\r\n"
    "NAME: Toluene\nMW: 92\nNum Peaks: 4\n65\t80\n91\t999\n92 600 93 40\n\n"
    "name: Water\nNum Peaks: 2\n0.5 1; 18 999\nName: Next\n";

TEST(PeakText, TheLibraryListsItsNamesInAnyCaseOfTheTag) {
    EXPECT_EQ(mspCompoundNames(kLibrary), (Numbers{"Benzene", "Toluene", "Water", "Next"}));
    EXPECT_TRUE(mspCompoundNames("Formula: C6H6\n").empty());
}

TEST(PeakText, ACompoundsPeaksRunFromNumPeaksToTheBlankLineOrTheNextName) {
    EXPECT_EQ(mspCompoundPeaks(kLibrary, "Benzene").numbers,
              (Numbers{"51", "20", "52", "15", "78", "999"}));
    EXPECT_EQ(mspCompoundPeaks(kLibrary, "Toluene").numbers,
              (Numbers{"65", "80", "91", "999", "92", "600", "93", "40"}));
    // Peaks below m/z 1 and a compound ended by the next name rather than a blank line.
    EXPECT_EQ(mspCompoundPeaks(kLibrary, "Water").numbers, (Numbers{"0.5", "1", "18", "999"}));
}

TEST(PeakText, EverySearchStopsAtTheEndOfTheLibrary) {
    EXPECT_FALSE(mspCompoundPeaks(kLibrary, "Xenon").found);
    EXPECT_FALSE(mspCompoundPeaks(kLibrary, "Next").found) << "no Num Peaks line after it";
    EXPECT_FALSE(mspCompoundPeaks("", "Benzene").found);
    EXPECT_TRUE(mspCompoundPeaks(kLibrary, "Benzene").found);
}

TEST(PeakText, AnEntryChosenByItsPlaceIsTheOneLoadedEvenWhenAnEarlierNameHoldsItsName) {
    const std::string library = "Name: Benzene, methyl-\nNum Peaks: 1\n91 999\n\n"
                                "Name: Benzene\nNum Peaks: 1\n78 999\n";
    EXPECT_EQ(mspCompoundPeaks(library, "Benzene").numbers, (Numbers{"91", "999"}))
        << "a search by name stops at the first line holding it";
    EXPECT_EQ(mspEntryPeaks(library, 1).numbers, (Numbers{"78", "999"}));
    EXPECT_EQ(mspEntryPeaks(kLibrary, 2).numbers, (Numbers{"0.5", "1", "18", "999"}));
    EXPECT_FALSE(mspEntryPeaks(kLibrary, 3).found) << "the last entry has no Num Peaks line";
    EXPECT_FALSE(mspEntryPeaks(kLibrary, 4).found) << "no fifth entry";
    EXPECT_FALSE(mspEntryPeaks("Name: A\nName: B\nNum Peaks: 1\n1 2\n", 0).found)
        << "the next entry's Num Peaks line is not this entry's";
}

TEST(PeakText, ALibraryOfAHundredThousandEntriesListsEveryNameAndFindsTheLast) {
    std::string library;
    for (int i = 0; i < 100000; ++i)
        library += "Name: Compound " + std::to_string(i) +
                   "\nFormula: C10H22\nNum Peaks: 3\n43 999; 57 500; 71 120;\n\n";
    const Numbers names = mspCompoundNames(library);
    ASSERT_EQ(names.size(), 100000u);
    EXPECT_EQ(names.back(), "Compound 99999");
    const MspCompound last = mspCompoundPeaks(library, "Compound 99999");
    EXPECT_EQ(last.numbers, (Numbers{"43", "999", "57", "500", "71", "120"}));
    EXPECT_EQ(mspEntryPeaks(library, 99999).numbers, last.numbers);
}

} // namespace
} // namespace qzx
