// Structure files: the byte layout, the old 16-bit layout, and refusal of damaged files.
#include "structure/structure_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "editor_test_support.h"
#include "scratch_folder.h"
#include "structure/undo.h"
#include "structure_builders.h"
#include "test_paths.h"
#include "util/safe_file.h"

namespace qzx {
namespace {
namespace fs = std::filesystem;
using test::snapshot;

std::int32_t valueAt(const Bytes& bytes, std::size_t offset) {
    std::uint32_t word = 0;
    for (int i = 3; i >= 0; --i)
        word = (word << 8) | bytes.at(offset + static_cast<std::size_t>(i));
    return static_cast<std::int32_t>(word);
}

void putValue(Bytes& bytes, std::size_t offset, std::int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes.at(offset + static_cast<std::size_t>(i)) =
            static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
}

std::string textAt(const Bytes& bytes, std::size_t offset, std::size_t length) {
    return std::string(bytes.begin() + static_cast<long>(offset),
                       bytes.begin() + static_cast<long>(offset + length));
}

/// Whether every row number in the used rows names a used row.
bool referencesValid(const Structure& s) {
    const TableCounts& c = s.count;
    const auto in = [](int row, int count) { return row >= 1 && row <= count; };
    for (int i = 1; i <= c.drawItems; ++i) {
        const DrawItem& d = s.item(i);
        const int limit = d.Kind == kAtomItem ? c.atoms : d.Kind == kRingItem ? c.rings : c.bonds;
        if (d.Kind < kAtomItem || d.Kind > kNitroItem || !in(d.Index, limit)) return false;
    }
    for (int i = 1; i <= c.bonds; ++i) {
        const Bond& b = s.bond(i);
        if (!in(b.AtomA, c.atoms) || !in(b.AtomB, c.atoms)) return false;
        if (b.RingState == 2 && !in(b.RingX, c.rings)) return false;
    }
    for (int i = 1; i <= c.rings; ++i)
        for (const int a : s.ring(i).Atoms)
            if (!in(a, c.atoms)) return false;
    return true;
}

/// Toluene with a nitro group at the para position, drawn as the tools leave it.
Structure nitrotoluene() {
    Structure s = test::toluene();
    test::drawNitroFrom(s, 4, 100, 180);
    s.StructureLabel = "4-Nitrotoluene";
    return s;
}

/// Bytes of an old-layout file: 69 header bytes with "3WRT" at 4, then 16-bit values.
Bytes oldLayout(const std::vector<std::int16_t>& counts, const std::vector<std::int16_t>& rows) {
    Bytes bytes(69, ' ');
    std::memcpy(bytes.data() + 4, "3WRT", 4);
    for (const auto& list : {counts, rows})
        for (const std::int16_t v : list) {
            bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(v) & 0xFF));
            bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(v) >> 8));
        }
    return bytes;
}

TEST(StructureFile, EmptyStructureIsAn84ByteFileThatReadsBackEmpty) {
    const Bytes bytes = encodeStructureFile(Structure{});
    ASSERT_EQ(bytes.size(), 84u);
    EXPECT_EQ(textAt(bytes, 0, 8), "QZXV40RW");
    EXPECT_EQ(textAt(bytes, 8, 60), std::string(60, ' '));
    for (std::size_t offset = 68; offset < 84; offset += 4)
        EXPECT_EQ(valueAt(bytes, offset), 0);

    Structure loaded = test::toluene();
    EXPECT_EQ(decodeStructureFile(bytes, loaded), StructureFileStatus::Loaded);
    EXPECT_EQ(loaded.count, TableCounts{});
    EXPECT_EQ(loaded.Lax[1], Atom{}) << "no row of the previous structure survives";
    EXPECT_EQ(loaded.Max[1], DrawItem{});
}

TEST(StructureFile, LabelIsPaddedWithBlanksCutTo60AndStoredAsLatin1) {
    Structure s = test::ethane();
    s.StructureLabel = "Ethane";
    Bytes bytes = encodeStructureFile(s);
    EXPECT_EQ(textAt(bytes, 8, 60), "Ethane" + std::string(54, ' '));
    Structure loaded;
    ASSERT_EQ(decodeStructureFile(bytes, loaded), StructureFileStatus::Loaded);
    EXPECT_EQ(loaded.StructureLabel, "Ethane" + std::string(54, ' '));

    s.StructureLabel = std::string(70, 'x');
    EXPECT_EQ(textAt(encodeStructureFile(s), 8, 60), std::string(60, 'x'));
    EXPECT_EQ(encodeStructureFile(s).size(), bytes.size()) << "a long label never shifts rows";

    s.StructureLabel = "\xC3\x84thanol \xE2\x82\xAC"; // "Äthanol €": € has no Latin-1 byte
    bytes = encodeStructureFile(s);
    EXPECT_EQ(textAt(bytes, 8, 9), "\xC4thanol ?");
    ASSERT_EQ(decodeStructureFile(bytes, loaded), StructureFileStatus::Loaded);
    EXPECT_EQ(loaded.StructureLabel.substr(0, 10), "\xC3\x84thanol ?");
}

TEST(StructureFile, RowsFollowTheCountsValueByValueLittleEndian) {
    const Structure s = nitrotoluene();
    const Bytes bytes = encodeStructureFile(s);
    const TableCounts& c = s.count;
    ASSERT_EQ(bytes.size(), 84u + 8u * c.drawItems + 40u * c.atoms + 48u * c.bonds + 40u * c.rings);
    EXPECT_EQ(valueAt(bytes, 68), c.drawItems);
    EXPECT_EQ(valueAt(bytes, 72), c.atoms);
    EXPECT_EQ(valueAt(bytes, 76), c.bonds);
    EXPECT_EQ(valueAt(bytes, 80), 1);
    EXPECT_EQ(bytes[84], kBondItem) << "the ring tool appends its bonds first";
    const std::size_t atoms = 84 + 8u * c.drawItems;
    EXPECT_EQ(valueAt(bytes, atoms + 4), 100) << "atom 1 X";
    EXPECT_EQ(valueAt(bytes, atoms + 8), 100) << "atom 1 Y";
    const std::size_t oxygen = atoms + 40u * 8; // atom 9: the first hidden nitro oxygen
    EXPECT_EQ(valueAt(bytes, oxygen), 4);
    EXPECT_EQ(valueAt(bytes, oxygen + 4), 120);
    EXPECT_EQ(valueAt(bytes, oxygen + 24), 1) << "NitroOxygen";
    const std::size_t bonds = atoms + 40u * c.atoms;
    EXPECT_EQ(valueAt(bytes, bonds + 16), 2) << "aromatic bonds hold order 2";
    EXPECT_EQ(valueAt(bytes, bonds + 20), 2);
    EXPECT_EQ(valueAt(bytes, bonds + 32), 1) << "RingX: the ring row";
    const std::size_t ring = bonds + 48u * c.bonds;
    EXPECT_EQ(valueAt(bytes, ring + 24), 100) << "CentreX";
    EXPECT_EQ(valueAt(bytes, ring + 28), 130) << "CentreY";
    EXPECT_EQ(valueAt(bytes, ring + 32), 14) << "Radius";
}

using StructureFileEditor = test::EditorTest;

TEST_F(StructureFileEditor, DrawnStructureSavedReopenedAndSavedAgainGivesAnIdenticalFile) {
    drag(kToolBenzene, {300, 100}, {300, 100});
    drag(kToolSingleBond, {300, 100}, {300, 60});
    drag(kToolNitro, {300, 160}, {300, 200});
    drag(kToolChain, {300, 60}, {400, 60});
    drag(kToolCyclohexane, {341, 101}, {341, 101}); // fused onto the benzene
    drag(kToolHydroxyl, {400, 60}, {430, 40});
    ASSERT_EQ(test::tableFaults(s, test::BondEnds::AsDrawn), "");
    s.StructureLabel = "Drawn";

    const test::ScratchFolder scratch("qzx_msd_");
    const fs::path folder = scratch.path();
    const fs::path first = folder / "first.msd";
    const fs::path second = folder / "second.msd";
    ASSERT_EQ(saveStructureFile(first, s), "");
    Structure reopened;
    ASSERT_EQ(loadStructureFile(first, reopened).error, "");
    EXPECT_EQ(snapshot(reopened), snapshot(s));
    EXPECT_EQ(reopened.CurrentFile, first.string());
    ASSERT_EQ(saveStructureFile(second, reopened), "");
    EXPECT_EQ(reopened.CurrentFile, first.string()) << "saving keeps the file last opened";
    EXPECT_EQ(readWholeFile(first), readWholeFile(second));
}

TEST(StructureFile, LoadedStructureHasNoHistory) {
    Structure drawn = test::toluene(); // saved counters: before the methyl
    ASSERT_NE(drawn.saved, drawn.count);
    Structure loaded;
    loaded.undo = UndoRecord{UndoRecord::ElementChanged, 3, 1, 2};
    loaded.SelectionList = {1, 2};
    ASSERT_EQ(decodeStructureFile(encodeStructureFile(drawn), loaded), StructureFileStatus::Loaded);
    EXPECT_EQ(loaded.saved, loaded.count);
    EXPECT_EQ(loaded.undo, UndoRecord{});
    EXPECT_TRUE(loaded.SelectionList.empty());
    const test::Snapshot before = snapshot(loaded);
    EXPECT_FALSE(undoRedo(loaded, test::elements())) << "nothing to undo after a load";
    EXPECT_EQ(snapshot(loaded), before);
}

TEST(StructureFile, OldLayoutIsReadWithItsCoordinatesConverted) {
    // Two atoms, one bond, one ring; 16-bit values, coordinates 20 times finer.
    const Bytes bytes =
        oldLayout({3, 2, 1, 1}, {
                                    1,    1,    2,    1,   3, 1,                   //
                                    1,    2000, 4000, 3,   1, 0, 0, 0,    0,    0, // atom 1
                                    8,    -30,  810,  0,   1, 0, 0, 0,    0,    0, // atom 2
                                    2000, 4000, -30,  810, 1, 1, 1, 2,    2345, 678, 0,
                                    0,    1,    2,    1,   2, 1, 2, 3000, 1000, 290, 0, // ring
                                });
    Structure s = test::benzene();
    ASSERT_EQ(decodeStructureFile(bytes, s), StructureFileStatus::OldLayoutLoaded);
    EXPECT_EQ(s.count, (TableCounts{3, 2, 1, 1}));
    EXPECT_EQ(s.atom(1).X, 200);
    EXPECT_EQ(s.atom(1).Y, 200);
    EXPECT_EQ(s.atom(2).X, 99) << "-30 / 20 truncates toward zero";
    EXPECT_EQ(s.atom(2).Y, 40);
    EXPECT_EQ(s.atom(2).Element, 8);
    const Bond& b = s.bond(1);
    EXPECT_EQ((std::vector<int>{b.X1, b.Y1, b.X2, b.Y2}), (std::vector<int>{200, 200, 99, 40}));
    EXPECT_EQ(b.RingX, 2345) << "taken unchanged";
    EXPECT_EQ(b.RingY, 678);
    EXPECT_EQ(s.ring(1).CentreX, 250);
    EXPECT_EQ(s.ring(1).CentreY, 50);
    EXPECT_EQ(s.ring(1).Radius, 14);
    EXPECT_EQ(s.StructureLabel, "") << "the old header holds no label";
}

TEST(StructureFile, FilesThatDoNotFitTheirCountsOrTheTablesAreRefusedUntouched) {
    const Structure good = nitrotoluene();
    const Bytes valid = encodeStructureFile(good);
    const TableCounts& c = good.count;
    const std::size_t atoms = 84 + 8u * c.drawItems;
    const std::size_t bonds = atoms + 40u * c.atoms;
    const std::size_t rings = bonds + 48u * c.bonds;
    struct Damage {
        const char* what;
        std::function<void(Bytes&)> apply;
    };
    const std::vector<Damage> damages = {
        {"wrong magic", [](Bytes& b) { b[0] = 'X'; }},
        {"wrong version", [](Bytes& b) { b[7] = 'X'; }},
        {"more draw items than the file holds",
         [&](Bytes& b) { putValue(b, 68, c.drawItems + 1); }},
        {"more atoms than the file holds", [&](Bytes& b) { putValue(b, 72, c.atoms + 1); }},
        {"1801 draw items", [](Bytes& b) { putValue(b, 68, 1801); }},
        {"901 atoms", [](Bytes& b) { putValue(b, 72, 901); }},
        {"900 bonds (the last row is the pending bond's)", [](Bytes& b) { putValue(b, 76, 900); }},
        {"151 rings", [](Bytes& b) { putValue(b, 80, 151); }},
        {"a negative count", [](Bytes& b) { putValue(b, 72, -1); }},
        {"a huge count", [](Bytes& b) { putValue(b, 68, 0x7FFFFFFF); }},
        {"an item of kind 5", [](Bytes& b) { putValue(b, 84, 5); }},
        {"an item naming no row", [](Bytes& b) { putValue(b, 88, 1000); }},
        {"element 0", [&](Bytes& b) { putValue(b, atoms, 0); }},
        {"element 84", [&](Bytes& b) { putValue(b, atoms, 84); }},
        {"a bond to atom 0", [&](Bytes& b) { putValue(b, bonds + 24, 0); }},
        {"a bond beyond the atoms", [&](Bytes& b) { putValue(b, bonds + 28, c.atoms + 1); }},
        {"an aromatic bond naming ring 2", [&](Bytes& b) { putValue(b, bonds + 32, 2); }},
        {"a ring atom beyond the atoms", [&](Bytes& b) { putValue(b, rings + 20, 900); }},
    };
    for (const Damage& damage : damages) {
        Bytes bytes = valid;
        damage.apply(bytes);
        Structure s = test::cyclohexane();
        s.StructureLabel = "kept";
        const test::Snapshot before = snapshot(s);
        std::string detail;
        EXPECT_EQ(decodeStructureFile(bytes, s, &detail), StructureFileStatus::NotStructureFile)
            << damage.what;
        EXPECT_FALSE(detail.empty()) << damage.what;
        EXPECT_EQ(snapshot(s), before) << damage.what;
        EXPECT_EQ(s.StructureLabel, "kept") << damage.what;
    }

    // One row beyond a capacity, with the row present in the file, is refused; the capacities
    // themselves load.
    const auto withExtraRow = [](const Structure& base, std::size_t countOffset,
                                 std::size_t rowOffset, const std::vector<std::int32_t>& row) {
        Bytes bytes = encodeStructureFile(base);
        putValue(bytes, countOffset, valueAt(bytes, countOffset) + 1);
        Bytes extra(row.size() * 4);
        for (std::size_t i = 0; i < row.size(); ++i)
            putValue(extra, 4 * i, row[i]);
        bytes.insert(bytes.begin() + static_cast<long>(rowOffset), extra.begin(), extra.end());
        return bytes;
    };
    Structure atoms900, items1800, rings150;
    while (atoms900.count.atoms < kMaxAtoms)
        atoms900.appendAtom(test::makeAtom(1, 100, 100, 4, 1, 0));
    items1800.appendAtom(test::makeAtom(1, 100, 100, 4, 1, 0));
    while (items1800.count.drawItems < kMaxDrawItems)
        items1800.appendItem(kAtomItem, 1);
    rings150.appendAtom(test::makeAtom(1, 100, 100, 4, 1, 0));
    while (rings150.count.rings < kMaxAromaticRings)
        rings150.appendRing(AromaticRing{{1, 1, 1, 1, 1, 1}, 100, 100, 14, 0});
    const std::vector<std::pair<const char*, Bytes>> overfull = {
        {"901 atoms",
         withExtraRow(atoms900, 72, 84 + 40 * 900, {1, 100, 100, 4, 1, 0, 0, 0, 0, 0})},
        {"1801 draw items", withExtraRow(items1800, 68, 84 + 8 * 1800, {1, 1})},
        {"151 rings",
         withExtraRow(rings150, 80, 84 + 40 + 40 * 150, {1, 1, 1, 1, 1, 1, 100, 100, 14, 0})},
    };
    for (const auto& [what, bytes] : overfull) {
        Structure s;
        EXPECT_EQ(decodeStructureFile(bytes, s), StructureFileStatus::NotStructureFile) << what;
        EXPECT_EQ(s.count, TableCounts{}) << what;
    }
    for (const Structure* full : {&atoms900, &items1800, &rings150}) {
        Structure s;
        EXPECT_EQ(decodeStructureFile(encodeStructureFile(*full), s), StructureFileStatus::Loaded);
        EXPECT_EQ(s.count, full->count);
    }
    Structure bonds900; // the table's last row belongs to the bond being drawn
    bonds900.appendAtom(test::makeAtom(1, 100, 100, 0, 1, 0));
    bonds900.appendAtom(test::makeAtom(1, 120, 100, 0, 1, 0));
    while (bonds900.count.bonds < kMaxBonds)
        bonds900.appendBond(test::makeBond(bonds900, 1, 2, 1));
    Structure refused;
    EXPECT_EQ(decodeStructureFile(encodeStructureFile(bonds900), refused),
              StructureFileStatus::NotStructureFile);
    Structure full;
    full.appendAtom(test::makeAtom(1, 100, 100, 0, 1, 0));
    full.appendAtom(test::makeAtom(1, 120, 100, 0, 1, 0));
    while (full.count.bonds < kMaxBonds - 1)
        full.appendBond(test::makeBond(full, 1, 2, 1));
    Structure loaded;
    EXPECT_EQ(decodeStructureFile(encodeStructureFile(full), loaded), StructureFileStatus::Loaded);
    EXPECT_EQ(loaded.count.bonds, 899);

    // The old layout is held to the same limits.
    Structure s = test::benzene();
    const test::Snapshot before = snapshot(s);
    EXPECT_EQ(decodeStructureFile(oldLayout({0, 901, 0, 0}, {}), s),
              StructureFileStatus::NotStructureFile);
    EXPECT_EQ(decodeStructureFile(oldLayout({1, 1, 0, 0}, {1, 1}), s),
              StructureFileStatus::NotStructureFile)
        << "the atom row is missing";
    EXPECT_EQ(decodeStructureFile(oldLayout({0, -1, 0, 0}, {}), s),
              StructureFileStatus::NotStructureFile);
    EXPECT_EQ(snapshot(s), before);
}

TEST(StructureFile, TruncatedAndScrambledFilesNeverCrashTheReader) {
    const Bytes valid = encodeStructureFile(nitrotoluene());
    for (std::size_t length = 0; length < valid.size(); ++length) {
        Structure s = test::ethane();
        const Bytes cut(valid.begin(), valid.begin() + static_cast<long>(length));
        EXPECT_EQ(decodeStructureFile(cut, s), StructureFileStatus::NotStructureFile) << length;
        EXPECT_EQ(snapshot(s), snapshot(test::ethane())) << length;
    }
    std::mt19937 random(12345);
    for (int round = 0; round < 3000; ++round) {
        Bytes bytes = valid;
        const int flips = 1 + static_cast<int>(random() % 4);
        for (int f = 0; f < flips; ++f) {
            const std::size_t at = 68 + random() % (bytes.size() - 68);
            bytes[at] = static_cast<std::uint8_t>(random());
        }
        Structure s;
        if (decodeStructureFile(bytes, s) != StructureFileStatus::Loaded) continue;
        ASSERT_TRUE(referencesValid(s)) << "whatever loads names only rows that exist";
    }
}

TEST(StructureFile, ReadingReportsMissingAndForeignFilesWithTheirMessages) {
    const test::ScratchFolder scratch("qzx_msd_read_");
    const fs::path folder = scratch.path();
    Structure s = test::toluene();
    s.CurrentFile = "earlier.msd";
    const test::Snapshot before = snapshot(s);

    const fs::path missing = folder / "missing.msd";
    const StructureLoadResult gone = loadStructureFile(missing, s);
    EXPECT_EQ(gone.status, StructureFileStatus::Missing);
    EXPECT_EQ(gone.error, "File: " + missing.string() + " does not exist");

    const fs::path text = folder / "notes.msd";
    std::ofstream(text) << "These are my notes, not a structure.\n";
    const StructureLoadResult foreign = loadStructureFile(text, s);
    EXPECT_EQ(foreign.status, StructureFileStatus::NotStructureFile);
    EXPECT_EQ(foreign.error, "Not a Valid QZX Datafile");
    EXPECT_EQ(snapshot(s), before);
    EXPECT_EQ(s.CurrentFile, "earlier.msd") << "a failed open keeps the file name";
}

TEST(StructureFile, ShippedStructuresLoadWithTheirFormulas) {
    const std::vector<std::pair<const char*, const char*>> files = {
        {"toluene.msd", "C7 H8 "},         {"nitrobenzene.msd", "C6 H5 N1 O2 "},
        {"ethanol.msd", "C2 H6 O1 "},      {"chlorocyclohexane.msd", "C6 H11 Cl1 "},
        {"acetophenone.msd", "C8 H8 O1 "},
    };
    for (const auto& [name, formula] : files) {
        Structure s;
        const fs::path path = fs::path(QZX_TEST_DATA_DIR) / "structures" / name;
        ASSERT_EQ(loadStructureFile(path, s).error, "") << name;
        EXPECT_EQ(test::formula(s), formula) << name;
        EXPECT_EQ(test::tableFaults(s, test::BondEnds::AsDrawn), "") << name;
        EXPECT_EQ(encodeStructureFile(s), readWholeFile(path)) << name;
    }
}

} // namespace
} // namespace qzx
