// R groups: the file layout with its relative coordinates, saving, loading the active group,
// and insertion by the R-group tool.
#include "structure/r_group_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor_test_support.h"
#include "scratch_folder.h"
#include "structure/editor.h"
#include "structure_builders.h"
#include "util/safe_file.h"

namespace qzx {
namespace {
namespace fs = std::filesystem;
using test::atomCounts;
using test::BondEnds;
using test::snapshot;
using test::tableFaults;

std::vector<std::int32_t> valuesOf(const Bytes& bytes) {
    std::vector<std::int32_t> values;
    for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) {
        std::uint32_t word = 0;
        for (int k = 3; k >= 0; --k)
            word = (word << 8) | bytes[i + static_cast<std::size_t>(k)];
        values.push_back(static_cast<std::int32_t>(word));
    }
    return values;
}

Bytes bytesOf(const std::vector<std::int32_t>& values) {
    LittleEndianWriter out;
    for (const std::int32_t v : values)
        out.writeInt32(v);
    return out.bytes();
}

/// The editor on an empty structure, with a program folder of its own for "default.rg$".
class RGroupTest : public test::EditorTest {
protected:
    /// Draws an ethyl group (atom 1 at (100, 100), atom 2 at (160, 100)), saves it as the
    /// active R group and clears the drawing.
    void saveEthyl() {
        drag(kToolSingleBond, {100, 100}, {160, 100});
        ASSERT_EQ(saveRGroup(folder / "Ethyl.RGF", folder, s), "");
        newDrawing();
    }
    void newDrawing() {
        s.clear();
        editor.reset();
    }
    /// An R-group gesture and the window's insertion of what it asks for.
    RGroupInsertOutcome insertWithTool(PixelPoint from, PixelPoint to) {
        const EditorEffects fx = drag(kToolRGroup, from, to);
        EXPECT_TRUE(fx.rGroupInsert.has_value());
        if (!fx.rGroupInsert) return {RGroupInsertStatus::BadStartAtom, 0, {}};
        return insertActiveRGroup(s, folder, *fx.rGroupInsert);
    }
    std::optional<Bytes> active() const { return readWholeFile(folder / kActiveRGroupFileName); }

    const test::ScratchFolder scratch{"qzx_rgroup_"};
    const fs::path folder = scratch.path();
};

TEST_F(RGroupTest, EthylIsStoredRelativeToItsFirstAtomWithOneHydrogenLess) {
    drag(kToolSingleBond, {100, 100}, {160, 100});
    ASSERT_EQ(saveRGroup(folder / "Ethyl.RGF", folder, s), "");
    const std::optional<Bytes> file = readWholeFile(folder / "Ethyl.RGF");
    ASSERT_TRUE(file.has_value());
    const std::vector<std::int32_t> v = valuesOf(*file);
    ASSERT_EQ(v.size(), 2u + 2 * 11 + 1 + 13);
    EXPECT_EQ(std::vector<std::int32_t>(v.begin(), v.begin() + 7),
              (std::vector<std::int32_t>{999, 2, 0, 1, 100, 100, 2}))
        << "marker, N, atom 1 absolute with 3 - 1 hydrogens";
    EXPECT_EQ(std::vector<std::int32_t>(v.begin() + 13, v.begin() + 18),
              (std::vector<std::int32_t>{0, 1, 60, 0, 3}))
        << "atom 2 relative to atom 1";
    EXPECT_EQ(v[24], 1) << "B";
    EXPECT_EQ(std::vector<std::int32_t>(v.begin() + 25, v.begin() + 34),
              (std::vector<std::int32_t>{0, 100, 100, 60, 0, 1, 0, 1, 2}))
        << "start absolute (it is atom 1), end relative";
    EXPECT_EQ(active(), file) << "the saved group becomes the active one";
    EXPECT_EQ(s.atom(1).Hydrogens, 3) << "only the file has the hydrogen less";
}

TEST_F(RGroupTest, InsertingFromARingCarbonBondsTheGroupByItsFirstAtom) {
    saveEthyl();
    drag(kToolCyclohexane, {300, 100}, {300, 100});
    const RGroupInsertOutcome outcome = insertWithTool({300, 100}, {300, 40});
    EXPECT_EQ(outcome.status, RGroupInsertStatus::Inserted);
    EXPECT_EQ(outcome.errorSignals, 0);
    EXPECT_EQ(atomCounts(s), "C8 H16");
    EXPECT_EQ(tableFaults(s, BondEnds::AsDrawn), "");
    EXPECT_EQ(at(7), (PixelPoint{300, 40}));
    EXPECT_EQ(at(8), (PixelPoint{360, 40}));
    EXPECT_EQ(hydrogens(1), 1);
    EXPECT_EQ(hydrogens(7), 2) << "one hydrogen less than in the drawing";
    EXPECT_EQ(s.bond(7).AtomA, 1);
    EXPECT_EQ(s.bond(7).AtomB, 7);
    EXPECT_EQ(s.bond(8).AtomA, 7) << "group atom numbers shifted by the atoms before";
    EXPECT_EQ(s.bond(8).AtomB, 8);

    editor.undoRedo();
    EXPECT_EQ(atomCounts(s), "C6 H12") << "undo takes the whole group away";
    editor.undoRedo();
    EXPECT_EQ(atomCounts(s), "C8 H16");
}

TEST_F(RGroupTest, RingCentresAreKeptRelativeToTheirBondAndMovedWithTheGroup) {
    drag(kToolCyclohexane, {100, 100}, {100, 100});
    ASSERT_EQ(s.bond(1).RingState, 1);
    const Structure drawn = s;
    ASSERT_EQ(saveRGroup(folder / "Cyclohexyl.RGF", folder, s), "");
    const std::vector<std::int32_t> v = valuesOf(*active());
    const std::size_t bonds = 2 + 6 * 11 + 1;
    for (int k = 0; k < 6; ++k) {
        const Bond& b = drawn.bond(k + 1);
        const std::size_t row = bonds + static_cast<std::size_t>(k) * 13;
        EXPECT_EQ(v[row + 9], b.RingX - b.X1) << "bond " << k + 1;
        EXPECT_EQ(v[row + 10], b.RingY - b.Y1) << "bond " << k + 1;
    }

    newDrawing();
    drag(kToolSingleBond, {200, 300}, {260, 300});
    ASSERT_EQ(insertWithTool({260, 300}, {260, 240}).status, RGroupInsertStatus::Inserted);
    EXPECT_EQ(atomCounts(s), "C8 H16");
    EXPECT_EQ(tableFaults(s, BondEnds::AsDrawn), "");
    const PixelPoint offset{260 - 100, 240 - 100};
    for (int k = 1; k <= 6; ++k) {
        const Bond& inserted = s.bond(2 + k);
        EXPECT_EQ(inserted.AtomA, drawn.bond(k).AtomA + 2);
        EXPECT_EQ(inserted.RingX, drawn.bond(k).RingX + offset.x) << "bond " << k;
        EXPECT_EQ(inserted.RingY, drawn.bond(k).RingY + offset.y) << "bond " << k;
    }
}

TEST_F(RGroupTest, SavingIsRefusedForAromaticRingsNitroGroupsEmptyDrawingsAndAFullAtomOne) {
    const std::string aromaticOrNitro = "R Groups cannot contain aromatic rings or Nitro groups";
    const std::vector<std::pair<std::function<void()>, std::string>> cases = {
        {[&] {
             drag(kToolBenzene, {100, 100}, {100, 100});
         },
         aromaticOrNitro},
        {[&] {
             drag(kToolNitro, {100, 100}, {160, 100});
         },
         aromaticOrNitro},
        {[] {}, "There is no structure to save as an R Group"},
        {[&] {
             drag(kToolTripleBond, {100, 100}, {160, 100}); // atom 1 keeps one hydrogen
             drag(kToolSingleBond, {100, 100}, {100, 160}); // which this bond takes
         },
         "The first atom of an R Group attaches it and needs a hydrogen for that bond"},
    };
    for (const auto& [draw, message] : cases) {
        newDrawing();
        draw();
        EXPECT_EQ(rGroupSaveRefusal(s), message);
        EXPECT_EQ(saveRGroup(folder / "Refused.RGF", folder, s), message);
        EXPECT_FALSE(fs::exists(folder / "Refused.RGF")) << message;
        EXPECT_FALSE(active().has_value()) << message;
    }
}

TEST_F(RGroupTest, FailedInsertionsGiveTheStartAtomItsHydrogenBack) {
    drag(kToolSingleBond, {100, 100}, {160, 100});
    const test::Snapshot ethane = snapshot(s);

    RGroupInsertOutcome outcome = insertWithTool({160, 100}, {160, 40});
    EXPECT_EQ(outcome.status, RGroupInsertStatus::NoActiveGroup);
    EXPECT_EQ(outcome.errorSignals, 1);
    EXPECT_EQ(outcome.error, "No R Group Structure is Currently Defined");
    EXPECT_EQ(snapshot(s), ethane);

    std::ofstream(folder / kActiveRGroupFileName, std::ios::binary) << "not an R group";
    outcome = insertWithTool({160, 100}, {160, 40});
    EXPECT_EQ(outcome.status, RGroupInsertStatus::NotAnRGroup);
    EXPECT_EQ(outcome.errorSignals, 1);
    EXPECT_EQ(outcome.error, "") << "a file without the marker: the error signal only";
    EXPECT_EQ(snapshot(s), ethane);

    // On an empty drawing the press made the first carbon; a failure takes it away again.
    fs::remove(folder / kActiveRGroupFileName);
    newDrawing();
    outcome = insertWithTool({100, 100}, {160, 100});
    EXPECT_EQ(outcome.status, RGroupInsertStatus::NoActiveGroup);
    EXPECT_EQ(s.count, TableCounts{});
}

TEST_F(RGroupTest, OnAnEmptyDrawingTheGroupHangsOnTheCarbonThePressMade) {
    saveEthyl();
    ASSERT_EQ(insertWithTool({100, 100}, {160, 100}).status, RGroupInsertStatus::Inserted);
    EXPECT_EQ(atomCounts(s), "C3 H8");
    EXPECT_EQ(tableFaults(s, BondEnds::AsDrawn), "");
    editor.undoRedo();
    EXPECT_EQ(s.count.atoms, 0) << "undo takes the carbon and the group";
}

TEST(RGroupInsert, AnInsertionThatWouldOverflowATableIsRefused) {
    RGroup ethyl;
    ethyl.atoms.resize(2);
    ethyl.atoms[0].atom = test::makeAtom(1, 0, 0, 2, 1, 0);
    ethyl.atoms[1].atom = test::makeAtom(1, 60, 0, 3, 1, 0);
    ethyl.bonds.resize(1);
    ethyl.bonds[0].bond.Order = 1;
    ethyl.bonds[0].bond.AtomA = 1;
    ethyl.bonds[0].bond.AtomB = 2;

    Structure manyAtoms;
    while (manyAtoms.count.atoms < kMaxAtoms - 1)
        test::addAtom(manyAtoms, test::makeAtom(1, 100, 100, 4, 1, 0));
    Structure manyBonds = test::ethane();
    while (manyBonds.count.bonds < kMaxBonds - 2)
        manyBonds.appendBond(test::makeBond(manyBonds, 1, 2, 1));
    for (Structure* s : {&manyAtoms, &manyBonds}) {
        s->saveCounters();
        s->atom(1).Hydrogens -= 1; // what the press took
        const int hydrogens = s->atom(1).Hydrogens;
        const TableCounts counts = s->count;
        EXPECT_EQ(insertRGroup(*s, ethyl, 1, {100, 100}, {160, 100}), RGroupInsertStatus::NoRoom);
        EXPECT_EQ(s->count, counts);
        EXPECT_EQ(s->atom(1).Hydrogens, hydrogens + 1);
    }

    // One row less and it fits.
    Structure room = test::ethane();
    while (room.count.bonds < kMaxBonds - 3)
        room.appendBond(test::makeBond(room, 1, 2, 1));
    room.saveCounters();
    EXPECT_EQ(insertRGroup(room, ethyl, 1, {100, 100}, {160, 100}), RGroupInsertStatus::Inserted);
    EXPECT_EQ(room.count.bonds, kMaxBonds - 1);
}

TEST(RGroupFile, DamagedFilesAreRefusedBeforeAnythingIsUsed) {
    Structure s = test::cyclohexane();
    const Bytes valid = encodeRGroupFile(s);
    RGroup group;
    ASSERT_EQ(decodeRGroupFile(valid, group), RGroupFileStatus::Valid);
    ASSERT_EQ(group.atoms.size(), 6u);
    ASSERT_EQ(group.bonds.size(), 6u);

    const std::vector<std::int32_t> values = valuesOf(valid);
    const std::size_t bondCount = 2 + 6 * 11;
    const std::size_t bond1 = bondCount + 1;
    struct Damage {
        const char* what;
        std::size_t at;
        std::int32_t value;
        RGroupFileStatus status;
    };
    const std::vector<Damage> damages = {
        {"no marker", 0, 998, RGroupFileStatus::NoMarker},
        {"no atoms", 1, 0, RGroupFileStatus::Damaged},
        {"more atoms than the file holds", 1, 7, RGroupFileStatus::Damaged},
        {"901 atoms", 1, 901, RGroupFileStatus::Damaged},
        {"a negative atom count", 1, -5, RGroupFileStatus::Damaged},
        {"element 0", 3, 0, RGroupFileStatus::Damaged},
        {"atom 1 with -1 hydrogens", 6, -1, RGroupFileStatus::Damaged},
        {"a nitro oxygen", 2 + 11 + 7, 1, RGroupFileStatus::Damaged},
        {"more bonds than the file holds", bondCount, 7, RGroupFileStatus::Damaged},
        {"899 bonds", bondCount, 899, RGroupFileStatus::Damaged},
        {"a bond to atom 7 of 6", bond1 + 8, 7, RGroupFileStatus::Damaged},
        {"a bond from an atom to itself", bond1 + 8, 1, RGroupFileStatus::Damaged},
        {"order 4", bond1 + 5, 4, RGroupFileStatus::Damaged},
        {"an aromatic bond", bond1 + 6, 2, RGroupFileStatus::Damaged},
    };
    for (const Damage& damage : damages) {
        std::vector<std::int32_t> damaged = values;
        damaged.at(damage.at) = damage.value;
        RGroup kept = group;
        EXPECT_EQ(decodeRGroupFile(bytesOf(damaged), kept), damage.status) << damage.what;
        EXPECT_EQ(kept.atoms.size(), 6u) << damage.what;
    }
    for (std::size_t length = 0; length < valid.size(); ++length) {
        const Bytes cut(valid.begin(), valid.begin() + static_cast<long>(length));
        EXPECT_NE(decodeRGroupFile(cut, group), RGroupFileStatus::Valid) << length;
    }
}

TEST_F(RGroupTest, LoadingCopiesAValidFileToTheActiveGroupAndNamesIt) {
    drag(kToolSingleBond, {100, 100}, {160, 100});
    const Bytes ethyl = encodeRGroupFile(s);
    ASSERT_EQ(writeFileSafely(folder / "my.ethyl.rgf", ethyl), "");
    RGroupLoadResult loaded = loadRGroup(folder / "my.ethyl.rgf", folder);
    EXPECT_EQ(loaded.error, "");
    EXPECT_EQ(loaded.name, "my");
    EXPECT_EQ(active(), ethyl);

    ASSERT_EQ(writeFileSafely(folder / "Broken.RGF", std::string("999 is text here")), "");
    loaded = loadRGroup(folder / "Broken.RGF", folder);
    EXPECT_NE(loaded.error.find("is not a valid R Group file"), std::string::npos);
    EXPECT_EQ(loaded.name, "");
    EXPECT_EQ(active(), ethyl) << "the active group stays";

    loaded = loadRGroup(folder / "Missing.RGF", folder);
    EXPECT_EQ(loaded.error, "File: " + (folder / "Missing.RGF").string() + " does not exist");
    EXPECT_EQ(rGroupNameOf("/some/where/Peptide.RGF"), "Peptide");
}

} // namespace
} // namespace qzx
