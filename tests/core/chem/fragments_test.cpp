// One cleavage at a time: which pieces a broken bond or bond pair leaves, in which order they
// are recorded, which repeats are dropped, and the odd-electron test.
#include <gtest/gtest.h>

#include "chem/bond_cleavage.h"
#include "chem/fragments.h"
#include "fragment_test_support.h"

namespace qzx::test {
namespace {

using Rows = std::vector<std::pair<int, AtomSet>>;

TEST(CleaveBonds, ChainBondsGiveBothHalvesAndTerminalAtomsKeepTheirHydrogens) {
    const Structure butane = carbonChain(4);
    FragmentTable table;
    BondCleaver cleaver(butane, elements(), table);

    CleaveResult result = cleaver.CleaveBonds(2, 0);
    EXPECT_EQ(result.pieces, 2);
    EXPECT_EQ(result.newFragments, 2);
    EXPECT_EQ(tableRows(table), (Rows{{29, {1, 2}}, {29, {3, 4}}}));
    EXPECT_EQ(table.fragment(1).Mass + table.fragment(2).Mass, 58) << "halves add up to C4H10";

    // The terminal methyl comes after the piece the remaining bonds hold together.
    result = cleaver.CleaveBonds(1, 0);
    EXPECT_EQ(result.newFragments, 2);
    EXPECT_EQ(tableRows(table)[2], (std::pair<int, AtomSet>{43, {2, 3, 4}}));
    EXPECT_EQ(tableRows(table)[3], (std::pair<int, AtomSet>{15, {1}}));
    EXPECT_EQ(table.ResultsList, (std::vector<std::string>{"   29", "   29", "   43", "   15"}));
    EXPECT_EQ(table.MassOrder, (std::vector<std::int32_t>{0, 1, 2, 3, 4}));
}

TEST(CleaveBonds, ARingNeedsTwoBrokenBondsUnlessAnotherMoleculeIsBeside) {
    Structure ring = cyclohexane();
    FragmentTable table;
    BondCleaver cleaver(ring, elements(), table);
    const CleaveResult one = cleaver.CleaveBonds(1, 0);
    EXPECT_EQ(one.pieces, 1);
    EXPECT_EQ(table.FragmentCount, 0);
    EXPECT_TRUE(table.ResultsList.empty());

    const CleaveResult two = cleaver.CleaveBonds(1, 3); // atoms 2-3 cut out of the ring
    EXPECT_EQ(two.pieces, 2);
    EXPECT_EQ(tableRows(table), (Rows{{28, {2, 3}}, {56, {1, 4, 5, 6}}}));

    // With ethane drawn beside the ring, even one ring bond leaves two pieces: both molecules.
    const int c = firstCarbon(ring, 300, 100);
    drawMethylFrom(ring, c, 320, 100);
    FragmentTable both;
    CleaveBonds(ring, elements(), both, 2, 0);
    EXPECT_EQ(tableRows(both), (Rows{{84, {1, 2, 3, 4, 5, 6}}, {30, {7, 8}}}));
}

TEST(CleaveBonds, APieceFoundAgainIsStoredOnce) {
    const Structure propane = carbonChain(3);
    FragmentTable table;
    BondCleaver cleaver(propane, elements(), table);
    cleaver.CleaveBonds(1, 0);                           // {2,3}, {1}
    cleaver.CleaveBonds(2, 0);                           // {1,2}, {3}
    const CleaveResult pair = cleaver.CleaveBonds(1, 2); // {1}, {2}, {3}: only {2} is new
    EXPECT_EQ(pair.pieces, 3);
    EXPECT_EQ(pair.newFragments, 1);
    EXPECT_EQ(tableRows(table),
              (Rows{{29, {2, 3}}, {15, {1}}, {29, {1, 2}}, {15, {3}}, {14, {2}}}));

    // A cleaver set up on a filled table knows its fragments too.
    FragmentTable again = table;
    EXPECT_EQ(CleaveBonds(propane, elements(), again, 1, 0).newFragments, 0);
    EXPECT_EQ(again.FragmentCount, 5);
}

TEST(CleaveBonds, DifferentAtomSetsOfEqualMassAndEqualAtomProductAreBothKept) {
    // Hexane drawn as 1-6-4-5-3-2: cutting 6-4 gives {1,6}; cutting 4-5 and 5-3 gives {2,3}.
    // Both are CH3-CH2 (29) and 1 x 6 = 2 x 3, but they are different ends of the molecule:
    // a spectrum match or a marked structure needs both, so {2,3} is a fragment of its own.
    const Structure hexane = molecule(6, {{1, 6}, {6, 4}, {4, 5}, {5, 3}, {3, 2}});
    FragmentTable table;
    BondCleaver cleaver(hexane, elements(), table);
    cleaver.CleaveBonds(2, 0);
    const CleaveResult result = cleaver.CleaveBonds(3, 4);
    EXPECT_EQ(result.pieces, 3);
    EXPECT_EQ(result.newFragments, 3);
    EXPECT_EQ(tableRows(table),
              (Rows{{29, {1, 6}}, {57, {2, 3, 4, 5}}, {43, {1, 4, 6}}, {29, {2, 3}}, {14, {5}}}));
}

TEST(CleaveBonds, PiecesOfSeveralGroupsComeFirstThenSingleGroupsThenLoneAtoms) {
    // Bond rows: 1-2, 3-4, 5-6, 4-5, 2-3, 1-7. Walking them with 2-3 and 1-7 broken makes the
    // groups {1,2}, {3,4}, {5,6,4}; the last two overlap into the piece {3,4,5,6}, which comes
    // before {1,2} although its bonds come later; atom 7 is left alone and comes last.
    const Structure s = molecule(7, {{1, 2}, {3, 4}, {5, 6}, {4, 5}, {2, 3}, {1, 7}});
    FragmentTable table;
    CleaveBonds(s, elements(), table, 5, 6);
    EXPECT_EQ(tableRows(table), (Rows{{57, {3, 4, 5, 6}}, {28, {1, 2}}, {15, {7}}}));
    EXPECT_EQ(piecesByGrouping(s, 5, 6), (std::vector<AtomSet>{{3, 4, 5, 6}, {1, 2}, {7}}));
}

TEST(CleaveBonds, PiecesOfHundredsOfAtomsAreRecordedAndFoundAgain) {
    // Propane (atoms 1-3) and a separate chain of atoms 4..900: the chain is one piece of 897
    // atoms, recorded once however often a cleavage in propane leaves it.
    std::vector<BondRow> bonds{{1, 2}, {2, 3}};
    for (int a = 4; a < 900; ++a)
        bonds.push_back({a, a + 1});
    const Structure s = molecule(900, bonds);
    FragmentTable table;
    BondCleaver cleaver(s, elements(), table);
    EXPECT_EQ(cleaver.CleaveBonds(1, 0).newFragments, 3);
    EXPECT_EQ(cleaver.CleaveBonds(2, 0).newFragments, 2) << "the long chain again";
    ASSERT_EQ(table.FragmentCount, 5);
    EXPECT_EQ(tableRows(table)[0], (std::pair<int, AtomSet>{29, {2, 3}}));
    EXPECT_EQ(table.fragment(2).AtomCount(), 897);
    EXPECT_EQ(table.fragment(2).Mass, 897 * 14 + 2);
    EXPECT_EQ(tableRows(table)[2], (std::pair<int, AtomSet>{15, {1}}));

    // Cutting the long chain's first bond leaves propane whole, a piece that differs from the
    // chain by one atom and that atom: three new fragments.
    const CleaveResult cut = cleaver.CleaveBonds(3, 0);
    EXPECT_EQ(cut.pieces, 3);
    EXPECT_EQ(cut.newFragments, 3);
    EXPECT_EQ(tableRows(table)[5], (std::pair<int, AtomSet>{44, {1, 2, 3}}));
    EXPECT_EQ(table.fragment(7).AtomCount(), 896);
    EXPECT_EQ(tableRows(table)[7], (std::pair<int, AtomSet>{15, {4}}));
}

TEST(CleaveBonds, BondsAndRowsOutsideTheTablesBreakOrJoinNothing) {
    Structure s = carbonChain(3);
    s.bond(2).AtomB = 42; // names no atom: joins nothing, so atom 3 stands alone
    FragmentTable table;
    BondCleaver cleaver(s, elements(), table);
    EXPECT_EQ(cleaver.CleaveBonds(99, -1).pieces, 2);
    EXPECT_EQ(tableRows(table), (Rows{{29, {1, 2}}, {15, {3}}}));

    Structure empty;
    FragmentTable none;
    EXPECT_EQ(CleaveBonds(empty, elements(), none, 1, 0).pieces, 0);
    EXPECT_EQ(none.FragmentCount, 0);
}

TEST(Fragments, ListTextsAndOddElectronIons) {
    EXPECT_EQ(FragmentListText(15), "   15");
    EXPECT_EQ(FragmentListText(12345), "12345");
    EXPECT_EQ(std::string(kOddElectronMark), " \u00B7+");

    // CH2=C(Cl)-CH2-NH2: hydrogens 2, 0, 2, 0, 2. The sum starts at 1; C adds 1, N 0.5, Cl
    // -0.5, each hydrogen -0.5.
    const Structure s = molecule(5, {{1, 2, 2}, {2, 3}, {2, 4}, {3, 5}}, {1, 1, 1, 6, 3});
    auto odd = [&](AtomSet atoms) {
        return IsOddElectron(Fragment{0, {atoms.begin(), atoms.end()}}, s, elements());
    };
    EXPECT_TRUE(odd({1, 2, 3, 4, 5})) << "the closed-shell molecule C3H6ClN: 1";
    EXPECT_TRUE(odd({1, 2})) << "C2H2: 2";
    EXPECT_FALSE(odd({3, 5})) << "CH2NH2: 0.5";
    EXPECT_FALSE(odd({4})) << "Cl: 0.5";
    EXPECT_FALSE(odd({5})) << "NH2: 0.5";

    const Structure butane = carbonChain(4);
    auto oddInButane = [&](AtomSet atoms) {
        return IsOddElectron(Fragment{0, {atoms.begin(), atoms.end()}}, butane, elements());
    };
    EXPECT_FALSE(oddInButane({1})) << "CH3: 0.5";
    EXPECT_TRUE(oddInButane({2, 3})) << "C2H4: 1";
    EXPECT_TRUE(oddInButane({0, 9})) << "rows outside the structure count nothing: 1";
}

} // namespace
} // namespace qzx::test
