#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "chem/element_csv.h"
#include "chem/element_data_files.h"
#include "scratch_folder.h"
#include "util/safe_file.h"

namespace qzx {
namespace {
namespace fs = std::filesystem;

/// A small table with distinct values in every field and a varying number of isotopes.
ElementTable sampleTable() {
    ElementTable table;
    for (int n = 1; n <= kElementCount; ++n) {
        ElementRecord& e = table[n];
        e.NominalMass = 10 + n;
        e.Valence = n % 5;
        e.RdbClass = n % 6;
        e.IsotopeCount = n % 4;
        e.ExactMass = 10.5f + static_cast<float>(n);
        e.PrincipalIsotope = 1.0f;
        for (int j = 1; j <= e.IsotopeCount; ++j)
            e.Isotopes[j] = {static_cast<float>(n + j),
                             1.0f / static_cast<float>(e.IsotopeCount)}; // adding up to 1
    }
    return table;
}

int isotopeSum(const ElementTable& table) {
    int sum = 0;
    for (int n = 1; n <= kElementCount; ++n)
        sum += table[n].IsotopeCount;
    return sum;
}

class ElementFilesTest : public ::testing::Test {
protected:
    const test::ScratchFolder scratch{"qzx_elements_"};

    void write(const std::string& name, const Bytes& bytes) {
        ASSERT_EQ(writeFileSafely(folder / name, bytes), "");
    }
    ElementLoadResult load(ElementTable& table) {
        warnings.clear();
        CalcElementSlots slots{};
        auto result = LoadElementTable(folder, table, slots,
                                       [this](const std::string& w) { warnings.push_back(w); });
        EXPECT_EQ(slots, kDefaultCalcElementSlots);
        return result;
    }
    static bool allNumbersZero(const ElementTable& table) {
        for (int n = 1; n <= kElementCount; ++n) {
            const ElementRecord& e = table[n];
            if (e.NominalMass || e.Valence || e.RdbClass || e.IsotopeCount || e.ExactMass ||
                e.PrincipalIsotope || e.Isotopes[1].Mass)
                return false;
        }
        return true;
    }

    const fs::path folder = scratch.path();
    std::vector<std::string> warnings;
};

TEST_F(ElementFilesTest, LayoutsHaveTheFixedLengths) {
    const ElementTable table = sampleTable();
    EXPECT_EQ(encodeElementFileA(table).size(), 1328u);
    EXPECT_EQ(encodeElementFileB(table).size(),
              static_cast<std::size_t>(83 * 8 + 8 * isotopeSum(table)));
    // Element 1's record in file A: NominalMass 11, Valence 1, RdbClass 1, IsotopeCount 1.
    const Bytes a = encodeElementFileA(table);
    EXPECT_EQ(Bytes(a.begin(), a.begin() + 16),
              (Bytes{11, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}));
}

TEST_F(ElementFilesTest, SaveThenLoadGivesTheSameTableAndBytes) {
    const ElementTable table = sampleTable();
    ASSERT_EQ(SaveElementTable(folder, table), "");
    ElementTable loaded;
    const ElementLoadResult result = load(loaded);
    ASSERT_TRUE(result.loaded) << result.error;
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(encodeElementFileA(loaded), encodeElementFileA(table));
    EXPECT_EQ(encodeElementFileB(loaded), encodeElementFileB(table));
    EXPECT_EQ(loaded[6].Symbol, "Cl");
    EXPECT_EQ(loaded[3].Isotopes[3].Mass, 6.0f);
    EXPECT_EQ(readWholeFile(folder / "QZXPROA.DAT"), encodeElementFileA(table));
}

TEST_F(ElementFilesTest, SavingKeepsOneBackupGeneration) {
    ElementTable first = sampleTable();
    ASSERT_EQ(SaveElementTable(folder, first), "");
    ElementTable second = first;
    second[1].NominalMass = 99;
    second[1].IsotopeCount = 3; // file B grows: file A was saved from the same counts
    second[1].Isotopes[1] = {2.0f, 0.25f};
    second[1].Isotopes[2] = {3.0f, 0.5f};
    second[1].Isotopes[3] = {4.0f, 0.25f};
    ASSERT_EQ(SaveElementTable(folder, second), "");
    ElementTable third = second;
    third[2].NominalMass = 77;
    ASSERT_EQ(SaveElementTable(folder, third), "");

    EXPECT_EQ(readWholeFile(folder / "QZXPROA.BAK"), encodeElementFileA(second));
    EXPECT_EQ(readWholeFile(folder / "QZXPROB.BAK"), encodeElementFileB(second));
    ElementTable loaded;
    ASSERT_TRUE(load(loaded).loaded);
    EXPECT_EQ(loaded[1].IsotopeCount, 3);
    EXPECT_EQ(loaded[2].NominalMass, 77);
    EXPECT_EQ(loaded[1].Isotopes[3].Abundance, 0.25f);
}

TEST_F(ElementFilesTest, LowerCaseFilesFromAnOlderInstallAreReadAndReplaced) {
    write("qzxproa.dat", encodeElementFileA(sampleTable()));
    write("qzxprob.dat", encodeElementFileB(sampleTable()));
    ElementTable loaded;
    ASSERT_TRUE(load(loaded).loaded);
    ASSERT_EQ(SaveElementTable(folder, loaded), "");
    EXPECT_FALSE(fs::exists(folder / "qzxproa.dat"));
    EXPECT_TRUE(fs::exists(folder / "QZXPROA.DAT"));
    EXPECT_TRUE(fs::exists(folder / "QZXPROA.BAK"));
}

TEST_F(ElementFilesTest, MissingFilesWarnInOrderAAndBAndLeaveAZeroTable) {
    ElementTable table = sampleTable();
    ElementLoadResult result = load(table);
    EXPECT_FALSE(result.loaded);
    EXPECT_EQ(warnings, (std::vector<std::string>{"WARNING! File QZXPROA.DAT was Not Found",
                                                  "WARNING! File QZXPROB.DAT was Not Found"}));
    EXPECT_TRUE(allNumbersZero(table));
    EXPECT_EQ(table[83].Symbol, "U");

    write("QZXPROA.DAT", encodeElementFileA(sampleTable()));
    result = load(table);
    EXPECT_EQ(warnings, std::vector<std::string>{"WARNING! File QZXPROB.DAT was Not Found"});
    EXPECT_TRUE(allNumbersZero(table)) << "file A alone must not leave half a table";
}

TEST_F(ElementFilesTest, BadFilesAreRefusedWithAMessageNamingTheFile) {
    const ElementTable good = sampleTable();
    Bytes shortA = encodeElementFileA(good);
    shortA.resize(1000);
    Bytes longB = encodeElementFileB(good);
    longB.push_back(0);
    ElementTable badCount = good;
    badCount[40].IsotopeCount = 10;
    ElementTable negativeCount = good;
    negativeCount[2].IsotopeCount = -1;

    struct Case {
        Bytes a, b;
        std::string fileNamed;
    };
    const std::vector<Case> cases{
        {shortA, encodeElementFileB(good), "QZXPROA.DAT"},
        {Bytes{}, encodeElementFileB(good), "QZXPROA.DAT"},
        {encodeElementFileA(good), longB, "QZXPROB.DAT"},
        {encodeElementFileA(good), Bytes(17, 0), "QZXPROB.DAT"},
        {encodeElementFileA(badCount), encodeElementFileB(good), "QZXPROA.DAT"},
        {encodeElementFileA(negativeCount), encodeElementFileB(good), "QZXPROA.DAT"},
    };
    for (const Case& c : cases) {
        write("QZXPROA.DAT", c.a);
        write("QZXPROB.DAT", c.b);
        ElementTable table = good;
        const ElementLoadResult result = load(table);
        EXPECT_FALSE(result.loaded);
        EXPECT_NE(result.error.find(c.fileNamed), std::string::npos) << result.error;
        EXPECT_TRUE(allNumbersZero(table));
        EXPECT_TRUE(warnings.empty());
    }
}

TEST(ElementCsv, RefusesMalformedSourcesAndKeepsTheTable) {
    ElementTable table;
    table[1].NominalMass = 5;
    const std::vector<std::string> bad{
        "1,C,12,4,1,12.0,1,12.0:1.0\n",                             // 82 elements missing
        "1,H,12,4,1,12.0,1,12.0:1.0\n",                             // wrong symbol
        "1,C,12,4,1,12.0,1,13.0:0.5;12.0:0.5\n",                    // descending masses
        "1,C,12,4,1,12.0,1,12.0:0.5;13.0:0.4\n",                    // abundances do not add to 1
        "1,C,12,4,1,12.0,2,12.0:1.0\n",                             // principal isotope not listed
        "1,C,12,4,9,12.0,1,12.0:1.0\n",                             // RDB class out of range
        "1,C,12,4,1,12.0,1,12.0:1.0\n1,C,12,4,1,12.0,1,12.0:1.0\n", // twice
    };
    for (const std::string& text : bad) {
        EXPECT_NE(parseElementCsv(text, table), "") << text;
        EXPECT_EQ(table[1].NominalMass, 5);
    }
}

} // namespace
} // namespace qzx
