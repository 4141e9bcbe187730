// Files that once made the readers compute with overflowed integers, NaN or huge values, or
// lost a settings section: each is refused with a message and changes nothing, or (the
// settings file) reads as its sections say.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "chem/element_data_files.h"
#include "settings/settings_file.h"
#include "structure/r_group_file.h"
#include "structure/structure_builders.h"
#include "structure/structure_file.h"
#include "test_paths.h"
#include "util/binary_io.h"
#include "util/safe_file.h"

namespace qzx {
namespace {

Bytes finding(const std::string& name) {
    const std::optional<Bytes> bytes =
        readWholeFile(std::filesystem::path(QZX_TEST_DATA_DIR) / "fuzz-regressions" / name);
    EXPECT_TRUE(bytes) << name;
    return bytes.value_or(Bytes{});
}

TEST(FuzzFindings, StructureFilesWithValuesTheProgramNeverWritesAreRefused) {
    // msd-1 a bond order of 2^30+1, msd-2 2^31-2 hydrogens, msd-3 carbons at +-2e9,
    // msd-4 INT_MIN hydrogens.
    for (const char* name : {"msd-1", "msd-2", "msd-3", "msd-4"}) {
        Structure s = test::toluene();
        const Structure before = s;
        std::string detail;
        EXPECT_EQ(decodeStructureFile(finding(name), s, &detail),
                  StructureFileStatus::NotStructureFile)
            << name;
        EXPECT_FALSE(detail.empty()) << name;
        EXPECT_TRUE(test::sameStructure(s, before)) << name;
    }
}

TEST(FuzzFindings, RGroupsWithValuesTheProgramNeverWritesAreRefused) {
    // rgf-1 atom 2 at 2^31-16 px, rgf-2 a ring bond centre at 2^31-16, rgf-3 2^31-2 hydrogens.
    for (const char* name : {"rgf-1", "rgf-2", "rgf-3"}) {
        RGroup group;
        std::string detail;
        EXPECT_NE(decodeRGroupFile(finding(name), group, &detail), RGroupFileStatus::Valid) << name;
        EXPECT_FALSE(detail.empty()) << name;
        EXPECT_TRUE(group.atoms.empty()) << name;
    }
}

TEST(FuzzFindings, ElementFilesWithImpossibleMassesAreRefused) {
    // elements-1 a carbon isotope of 1e30 u, elements-2 nitrogen's exact mass NaN,
    // elements-3 carbon isotopes at -2.1e9 and +2.1e9. Each file is A (1,328 bytes) then B.
    for (const char* name : {"elements-1", "elements-2", "elements-3"}) {
        const Bytes both = finding(name);
        ASSERT_GT(both.size(), 1328u) << name;
        const Bytes a(both.begin(), both.begin() + 1328);
        const Bytes b(both.begin() + 1328, both.end());
        ElementTable table;
        table[1].NominalMass = 12;
        const std::string error = decodeElementFiles(a, b, table);
        EXPECT_NE(error.find("QZXPROB.DAT"), std::string::npos) << name << ": " << error;
        EXPECT_EQ(table[1].NominalMass, 12) << name << ": the table is left as it was";
    }
}

TEST(FuzzFindings, SettingsAfterTwoByteOrderMarksAreRead) {
    const Bytes bytes = finding("ini-1");
    const Settings settings = settingsFromIniText(std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(settings.RingBondLength, 25) << "the first section, [Bonds], is seen";
}

} // namespace
} // namespace qzx
