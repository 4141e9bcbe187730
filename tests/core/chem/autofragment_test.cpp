// Whole autofragment runs: what the results list shows, the molecular ion, the failure cases,
// the gauge, and the fragments compared with two references written in the test.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "../structure/editor_test_support.h"
#include "chem/autofragment.h"
#include "chem/bond_cleavage.h"
#include "chem/fragments.h"
#include "fragment_test_support.h"
#include "settings/settings.h"
#include "structure/editor.h"
#include "structure/editor_tools.h"

namespace qzx::test {
namespace {

using Texts = std::vector<std::string>;
using FragmentSet = std::set<std::pair<int, AtomSet>>;

AutofragmentResult run(const Structure& s, FragmentTable& table, bool singleOnly,
                       bool markOdd = false) {
    return RunAutofragment(s, elements(), {singleOnly, markOdd, false}, table);
}

/// The rows a run must store before its molecular ion: every cleavage in the engine's order,
/// each split by the literal grouping procedure, repeats of the same atom set dropped.
std::vector<std::pair<int, AtomSet>> expectedRows(const Structure& s, bool pairs) {
    std::vector<std::pair<int, AtomSet>> rows;
    std::set<AtomSet> seen;
    auto cleave = [&](int first, int second) {
        const std::vector<AtomSet> pieces = piecesByGrouping(s, first, second);
        if (pieces.size() < 2) return;
        for (const AtomSet& piece : pieces)
            if (seen.insert(piece).second) rows.push_back({massOf(s, piece), piece});
    };
    const int b = s.count.bonds;
    for (int i = 1; i <= b; ++i)
        cleave(i, 0);
    if (pairs)
        for (int i = 1; i <= b; ++i)
            for (int j = i + 1; j <= b; ++j)
                cleave(i, j);
    return rows;
}

/// Drawn with the editor: a free benzene, a methyl up from its top carbon, a chain of four
/// from there, a hydroxyl on the chain's end and a chlorine on a ring carbon.
Structure drawnStructure() {
    Structure s;
    const Settings settings;
    Editor editor(s, elements(), settings);
    dragWith(editor, kToolBenzene, {300, 300}, {300, 300}, {true, false, false});
    dragWith(editor, kToolSingleBond, {300, 300}, {300, 240});
    dragWith(editor, kToolChain, {300, 240}, {425, 240});
    dragWith(editor, kToolHydroxyl, {425, 240}, {425, 180});
    dragWith(editor, kToolChlorine, {320, 340}, {380, 340});
    return s;
}

/// Random molecules of C, N, O and Cl: trees with a few ring bonds, sometimes in two parts,
/// bond rows shuffled so that groups form and overlap in every way.
Structure randomMolecule(std::mt19937& random) {
    const int atoms = 6 + static_cast<int>(random() % 10);
    std::vector<int> degree(static_cast<std::size_t>(atoms) + 1, 0);
    std::vector<BondRow> bonds;
    std::set<std::pair<int, int>> joined;
    auto join = [&](int a, int b) {
        if (a == b || degree[static_cast<std::size_t>(a)] >= 4 ||
            degree[static_cast<std::size_t>(b)] >= 4 ||
            !joined.insert({std::min(a, b), std::max(a, b)}).second)
            return;
        ++degree[static_cast<std::size_t>(a)];
        ++degree[static_cast<std::size_t>(b)];
        bonds.push_back(random() % 2 ? BondRow{a, b} : BondRow{b, a});
    };
    const int split = random() % 3 == 0 ? atoms / 2 : 0; // atoms beyond split: a second part
    for (int a = 2; a <= atoms; ++a) {
        const int low = (split != 0 && a > split + 1) ? split + 1 : 1;
        if (a == split + 1 && split != 0) continue;
        join(a, low + static_cast<int>(random() % static_cast<unsigned>(a - low)));
    }
    for (int extra = 0; extra < 2; ++extra)
        join(1 + static_cast<int>(random() % static_cast<unsigned>(atoms)),
             1 + static_cast<int>(random() % static_cast<unsigned>(atoms)));
    std::shuffle(bonds.begin(), bonds.end(), random);
    std::vector<int> elementOf;
    for (int a = 1; a <= atoms; ++a) {
        const unsigned pick = random() % 10;
        const int d = degree[static_cast<std::size_t>(a)];
        elementOf.push_back(pick == 0 && d <= 3   ? 3
                            : pick == 1 && d <= 2 ? 4
                            : pick == 2 && d <= 1 ? 6
                                                  : 1);
    }
    return molecule(atoms, bonds, elementOf);
}

/// A ladder of `rungs` rungs: rails 1..rungs and rungs+1..2*rungs, rail bonds first, then
/// the rungs; 3 * rungs - 2 bonds, rungs - 1 four-membered rings in a row.
Structure ladder(int rungs) {
    std::vector<BondRow> bonds;
    for (int a = 1; a < rungs; ++a)
        bonds.push_back({a, a + 1});
    for (int a = 1; a < rungs; ++a)
        bonds.push_back({rungs + a, rungs + a + 1});
    for (int a = 1; a <= rungs; ++a)
        bonds.push_back({a, rungs + a});
    return molecule(2 * rungs, bonds);
}

/// Ring-rich random molecules: a random tree of 10 to 40 atoms with up to a third as many
/// extra bonds, bond rows shuffled.
Structure randomRings(std::mt19937& random) {
    const int atoms = 10 + static_cast<int>(random() % 31);
    std::vector<int> degree(static_cast<std::size_t>(atoms) + 1, 0);
    std::set<std::pair<int, int>> joined;
    std::vector<BondRow> bonds;
    auto join = [&](int a, int b) {
        if (a == b || degree[static_cast<std::size_t>(a)] >= 4 ||
            degree[static_cast<std::size_t>(b)] >= 4 ||
            !joined.insert({std::min(a, b), std::max(a, b)}).second)
            return;
        ++degree[static_cast<std::size_t>(a)];
        ++degree[static_cast<std::size_t>(b)];
        bonds.push_back({a, b});
    };
    for (int a = 2; a <= atoms; ++a)
        join(a, 1 + static_cast<int>(random() % static_cast<unsigned>(a - 1)));
    for (int extra = 0; extra < atoms / 3; ++extra)
        join(1 + static_cast<int>(random() % static_cast<unsigned>(atoms)),
             1 + static_cast<int>(random() % static_cast<unsigned>(atoms)));
    std::shuffle(bonds.begin(), bonds.end(), random);
    return molecule(atoms, bonds);
}

/// Every distinct atom set that removing one bond, or one bond and then every later bond,
/// leaves as one of at least two pieces, with its mass: an adjacency list built once and a
/// plain depth-first search per cleavage. Fast enough for every pair of 450 bonds.
FragmentSet bruteForceFragments(const Structure& s) {
    const int n = s.count.atoms, b = s.count.bonds;
    std::vector<std::vector<std::pair<int, int>>> next(static_cast<std::size_t>(n) + 1);
    for (int k = 1; k <= b; ++k) {
        next[static_cast<std::size_t>(s.bond(k).AtomA)].push_back({s.bond(k).AtomB, k});
        next[static_cast<std::size_t>(s.bond(k).AtomB)].push_back({s.bond(k).AtomA, k});
    }
    std::set<AtomSet> found;
    std::vector<int> seenIn(static_cast<std::size_t>(n) + 1, 0);
    int stamp = 0;
    auto cleave = [&](int first, int second) {
        ++stamp;
        std::vector<AtomSet> pieces;
        for (int start = 1; start <= n; ++start) {
            if (seenIn[static_cast<std::size_t>(start)] == stamp) continue;
            AtomSet piece{start};
            seenIn[static_cast<std::size_t>(start)] = stamp;
            for (std::size_t k = 0; k < piece.size(); ++k)
                for (const auto& [atom, bond] : next[static_cast<std::size_t>(piece[k])])
                    if (bond != first && bond != second &&
                        seenIn[static_cast<std::size_t>(atom)] != stamp) {
                        seenIn[static_cast<std::size_t>(atom)] = stamp;
                        piece.push_back(atom);
                    }
            std::sort(piece.begin(), piece.end());
            pieces.push_back(std::move(piece));
        }
        if (pieces.size() < 2) return;
        for (AtomSet& piece : pieces)
            found.insert(std::move(piece));
    };
    for (int i = 1; i <= b; ++i)
        cleave(i, 0);
    for (int i = 1; i <= b; ++i)
        for (int j = i + 1; j <= b; ++j)
            cleave(i, j);
    FragmentSet fragments;
    for (const AtomSet& atoms : found)
        fragments.insert({massOf(s, atoms), atoms});
    return fragments;
}

/// The rows of a full enumeration, every pair cleaved, before the molecular ion.
std::vector<std::pair<int, AtomSet>> everyPairCleaved(const Structure& s) {
    FragmentTable table;
    BondCleaver cleaver(s, elements(), table);
    for (int i = 1; i <= s.count.bonds; ++i)
        cleaver.CleaveBonds(i, 0);
    for (int i = 1; i <= s.count.bonds; ++i)
        for (int j = i + 1; j <= s.count.bonds; ++j)
            cleaver.CleaveBonds(i, j);
    return tableRows(table);
}

struct Case {
    const char* name;
    Structure structure;
    const char* formula;
};

std::vector<Case> referenceCases() {
    std::vector<Case> cases;
    cases.push_back({"toluene", toluene(), "C7 H8 "});
    cases.push_back({"nitromethane", nitromethane(), "C1 H3 N1 O2 "});
    // Decalin with an oxygen and a nitrogen in it, bonds in no tidy order.
    cases.push_back({"bicycle",
                     molecule(10,
                              {{5, 6},
                               {1, 2},
                               {9, 10},
                               {3, 4},
                               {6, 7},
                               {2, 3},
                               {10, 1},
                               {4, 5},
                               {7, 8},
                               {1, 6},
                               {8, 9}},
                              {1, 1, 4, 1, 1, 1, 1, 3, 1, 1}),
                     "C8 H15 N1 O1 "});
    // Ethanol and methylcyclopropane drawn side by side.
    cases.push_back({"two molecules",
                     molecule(7, {{4, 5}, {1, 2}, {5, 6}, {2, 3}, {6, 4}, {4, 7}}, {1, 1, 4}),
                     "C6 H14 O1 "});
    cases.push_back({"drawn", drawnStructure(), "C11 H15 O1 Cl1 "});
    // Rows a file can hold but the editor never makes: a doubled bond, a bond from an atom to
    // itself, in a chain with a ring.
    cases.push_back(
        {"doubled and self bonds",
         molecule(7, {{1, 2}, {2, 3}, {2, 3}, {3, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 4}, {6, 7}}),
         ""});
    std::mt19937 random(2024);
    for (int i = 0; i < 12; ++i) {
        Structure s = randomMolecule(random);
        cases.push_back({"random", s, ""});
    }
    return cases;
}

TEST(Autofragment, PropaneSingleBondsGiveTwoMethylsTwoEthylsAndTheMolecularIon) {
    Structure s;
    const Settings settings;
    Editor editor(s, elements(), settings);
    editor.setTool(kToolSingleBond);
    editor.press(100, 100, MouseButton::Left, {});
    editor.release(160, 100, MouseButton::Left, {});
    editor.press(160, 100, MouseButton::Left, {});
    editor.release(220, 100, MouseButton::Left, {});
    ASSERT_EQ(formula(s), "C3 H8 ");

    FragmentTable table;
    const AutofragmentResult result = run(s, table, true);
    EXPECT_EQ(result.status, AutofragmentStatus::Done);
    EXPECT_EQ(result.message, "");
    EXPECT_EQ(table.FragmentCount, 5);
    EXPECT_EQ(table.ResultsList, (Texts{"   15", "   15", "   29", "   29", "   44"}));
    EXPECT_EQ(table.fragment(5).Atoms, (std::vector<std::int32_t>{1, 2, 3})) << "ion last";
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(FragmentListText(table.fragment(table.MassOrder[k + 1]).Mass),
                  table.ResultsList[k]);
}

TEST(Autofragment, AgreesWithTheGroupingProcedureAndWithAGraphSearch) {
    const std::vector<Case> cases = referenceCases();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(std::string(c.name) + " (case " + std::to_string(i) + ")");
        if (*c.formula != '\0') {
            ASSERT_EQ(formula(c.structure), c.formula);
        }
        for (const bool pairs : {false, true}) {
            FragmentTable table;
            const auto expected = expectedRows(c.structure, pairs);
            const AutofragmentStatus status = run(c.structure, table, !pairs).status;
            if (expected.empty()) { // no bond (or pair) splits the structure
                EXPECT_EQ(status, AutofragmentStatus::NoFragments);
                EXPECT_TRUE(fragmentsBySearch(c.structure, pairs).empty());
                continue;
            }
            ASSERT_EQ(status, AutofragmentStatus::Done);
            auto rows = tableRows(table);
            const auto ion = rows.back();
            rows.pop_back();
            EXPECT_EQ(rows, expected) << "pairs " << pairs;
            EXPECT_EQ(ion.second.size(), static_cast<std::size_t>(c.structure.count.atoms));
            EXPECT_EQ(ion.first, composeStructure(c.structure, elements(), false).nominalMass);

            // The search knows nothing of groups: the stored fragments are exactly the pieces
            // it finds, each once.
            const FragmentSet searched = fragmentsBySearch(c.structure, pairs);
            EXPECT_EQ(FragmentSet(rows.begin(), rows.end()), searched);
            EXPECT_EQ(rows.size(), searched.size());

            // Mass order: ascending masses, every fragment once, list rows beside it.
            std::vector<int> seen(static_cast<std::size_t>(table.FragmentCount) + 1, 0);
            for (int k = 1; k <= table.FragmentCount; ++k) {
                ++seen.at(static_cast<std::size_t>(table.MassOrder[k]));
                if (k > 1) {
                    EXPECT_LE(table.fragment(table.MassOrder[k - 1]).Mass,
                              table.fragment(table.MassOrder[k]).Mass);
                }
                EXPECT_EQ(table.ResultsList[k - 1],
                          FragmentListText(table.fragment(table.MassOrder[k]).Mass));
            }
            EXPECT_EQ(std::count(seen.begin() + 1, seen.end(), 1), table.FragmentCount);
        }
    }
}

TEST(Autofragment, NothingToCleaveGivesTheNoFragmentsMessage) {
    const std::vector<std::pair<const char*, Structure>> empties = {
        {"empty", Structure{}},
        {"lone atom", molecule(1, {})},
        {"lone ring, 1 Bond", cyclohexane()},
    };
    for (const auto& [name, s] : empties) {
        FragmentTable table;
        const AutofragmentResult result = run(s, table, true);
        EXPECT_EQ(result.status, AutofragmentStatus::NoFragments) << name;
        EXPECT_EQ(result.message, "No Fragments could be Generated") << name;
        EXPECT_EQ(table.FragmentCount, 0) << name;
        EXPECT_TRUE(table.ResultsList.empty()) << name;
    }
    FragmentTable table;
    EXPECT_EQ(run(cyclohexane(), table, false).status, AutofragmentStatus::Done);
    // Two ring bonds cut out every arc of 1 to 5 atoms, six of each length: 30 arcs, all
    // kept although arcs like {1,6} and {2,3} share mass and product, and the ion.
    EXPECT_EQ(table.FragmentCount, static_cast<int>(expectedRows(cyclohexane(), true).size()) + 1);
    EXPECT_EQ(table.FragmentCount, 31);

    // An acyclic structure always gives two pieces and the ion; a new run replaces the old.
    EXPECT_EQ(run(ethane(), table, true).status, AutofragmentStatus::Done);
    EXPECT_EQ(table.ResultsList, (Texts{"   15", "   15", "   30"}));
}

TEST(Autofragment, OddElectronIonsAreMarkedInTheirRows) {
    FragmentTable table;
    run(carbonChain(4), table, false, true);
    const std::string dot = " \u00B7+";
    EXPECT_EQ(table.ResultsList,
              (Texts{"   14" + dot, "   14" + dot, "   15", "   15", "   28" + dot, "   29",
                     "   29", "   43", "   43", "   58" + dot}));
    run(carbonChain(4), table, false, false);
    for (const std::string& text : table.ResultsList)
        EXPECT_EQ(text.size(), 5u) << text;
}

TEST(Autofragment, AccurateMassRoundsOnlyTheMolecularIon) {
    // C40H82: 562 nominal, 562.64 monoisotopic.
    const Structure s = carbonChain(40);
    FragmentTable table;
    RunAutofragment(s, elements(), {true, false, true}, table);
    EXPECT_EQ(table.fragment(table.FragmentCount).Mass, 563);
    EXPECT_EQ(table.ResultsList.back(), "  563");
    EXPECT_EQ(table.ResultsList[table.ResultsList.size() - 2], "  547") << "C39H79 stays nominal";
    RunAutofragment(s, elements(), {true, false, false}, table);
    EXPECT_EQ(table.ResultsList.back(), "  562");
}

TEST(Autofragment, GaugeReachesOneHundredWithTheLastCleavageAndCanStopTheRun) {
    FragmentTable table;
    std::vector<int> shown;
    AutofragmentResult result =
        RunAutofragment(carbonChain(3), elements(), {}, table, [&](int percent) {
            shown.push_back(percent);
            return true;
        });
    EXPECT_EQ(result.totalCleavages, 3);
    EXPECT_EQ(shown, (std::vector<int>{33, 67, 100}));

    // A larger run: the gauge never goes back and ends at 100.
    shown.clear();
    result = RunAutofragment(carbonChain(30), elements(), {}, table, [&](int percent) {
        shown.push_back(percent);
        return true;
    });
    EXPECT_EQ(result.totalCleavages, 29 + 29 * 28 / 2);
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
    EXPECT_EQ(shown.back(), 100);

    result = RunAutofragment(carbonChain(3), elements(), {}, table, [](int) { return false; });
    EXPECT_EQ(result.status, AutofragmentStatus::Cancelled);
    EXPECT_EQ(result.cleavages, 1);
    EXPECT_EQ(table.ResultsList, (Texts{"   15", "   29", "   44"}))
        << "the first cleavage's rows stay, with the molecular ion";
    EXPECT_EQ(table.fragment(table.MassOrder[3]).AtomCount(), 3) << "sorted by mass";

    result = RunAutofragment(carbonChain(2), elements(), {}, table, [](int) { return false; });
    EXPECT_EQ(result.status, AutofragmentStatus::Cancelled);
    EXPECT_EQ(table.ResultsList, (Texts{"   15", "   15", "   30"}))
        << "the one cleavage of ethane finished before the stop";
}

TEST(Autofragment, StructuresOfNineHundredAtomsAutofragment) {
    // Propane beside a chain of atoms 4..900: far beyond the 170 or so atoms whose product of
    // rows a double holds.
    std::vector<BondRow> bonds{{1, 2}, {2, 3}};
    for (int a = 4; a < 900; ++a)
        bonds.push_back({a, a + 1});
    const Structure s = molecule(900, bonds);
    FragmentTable table;
    const AutofragmentResult result = run(s, table, true);
    EXPECT_EQ(result.status, AutofragmentStatus::Done);
    EXPECT_EQ(result.message, "");
    auto rows = tableRows(table);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.back().second.size(), 900u) << "molecular ion";
    rows.pop_back();
    const FragmentSet searched = fragmentsBySearch(s, false);
    EXPECT_EQ(FragmentSet(rows.begin(), rows.end()), searched);
    EXPECT_EQ(rows.size(), searched.size());
}

TEST(Autofragment, TablesGrowBeyondThreeThousandFragmentsAndSeventyEightAtoms) {
    const Structure s = carbonChain(100);
    FragmentTable table;
    ASSERT_EQ(run(s, table, false).status, AutofragmentStatus::Done);
    EXPECT_GT(table.FragmentCount, 3000);
    EXPECT_EQ(table.fragment(1).AtomCount(), 99);
    auto rows = tableRows(table);
    rows.pop_back();
    const auto searched = fragmentsBySearch(s, true);
    EXPECT_EQ(FragmentSet(rows.begin(), rows.end()), searched);
    EXPECT_EQ(rows.size(), searched.size());
}

TEST(Autofragment, ChainsLaddersAndRandomRingsGiveExactlyTheBruteForcePieces) {
    std::vector<std::pair<std::string, Structure>> cases;
    for (const int bonds : {25, 150, 450})
        cases.push_back({"chain of " + std::to_string(bonds), carbonChain(bonds + 1)});
    for (const int rungs : {9, 50, 151})
        cases.push_back({"ladder of " + std::to_string(rungs) + " rungs", ladder(rungs)});
    std::mt19937 random(77);
    for (int i = 0; i < 20; ++i)
        cases.push_back({"random rings " + std::to_string(i), randomRings(random)});
    for (const auto& [name, s] : cases) {
        SCOPED_TRACE(name);
        FragmentTable table;
        ASSERT_EQ(run(s, table, false).status, AutofragmentStatus::Done);
        auto rows = tableRows(table);
        rows.pop_back();
        const FragmentSet expected = bruteForceFragments(s);
        EXPECT_EQ(rows.size(), expected.size()) << "every atom set once";
        EXPECT_TRUE(FragmentSet(rows.begin(), rows.end()) == expected);
    }
}

TEST(Autofragment, SkippingPairsThatCannotSplitLeavesTheTableAsEveryPairGives) {
    std::vector<std::pair<std::string, Structure>> cases;
    cases.push_back({"ladder", ladder(12)});
    cases.push_back({"drawn", drawnStructure()});
    // Two naphthalenes linked by a bond, with ethane drawn beside: pairs in different rings
    // are skipped, and every cleavage leaves ethane as a piece.
    cases.push_back({"linked rings and ethane",
                     molecule(22, {{1, 2},   {2, 3},   {3, 4},   {4, 5},   {5, 6},   {6, 1},
                                   {5, 7},   {7, 8},   {8, 9},   {9, 10},  {10, 4},  {11, 12},
                                   {12, 13}, {13, 14}, {14, 15}, {15, 16}, {16, 11}, {15, 17},
                                   {17, 18}, {18, 19}, {19, 20}, {20, 14}, {9, 11},  {21, 22}})});
    std::mt19937 random(5);
    for (int i = 0; i < 20; ++i)
        cases.push_back({"random rings " + std::to_string(i), randomRings(random)});
    for (const auto& [name, s] : cases) {
        SCOPED_TRACE(name);
        FragmentTable table;
        ASSERT_EQ(run(s, table, false).status, AutofragmentStatus::Done);
        auto rows = tableRows(table);
        rows.pop_back();
        EXPECT_EQ(rows, everyPairCleaved(s)) << "same fragments in the same order";
    }
}

TEST(Autofragment, OnlyPairsOfBridgesOrOfBondsOnTheSameCyclesAreCleaved) {
    auto splitting = [](const Structure& s) {
        FragmentTable table;
        const BondCleaver cleaver(s, elements(), table);
        int count = 0;
        for (int i = 1; i <= s.count.bonds; ++i)
            for (int j = i + 1; j <= s.count.bonds; ++j)
                count += cleaver.pairCanSplit(i, j) ? 1 : 0;
        return count;
    };
    // A chain is all bridges: every pair is cleaved.
    EXPECT_EQ(splitting(carbonChain(20)), 19 * 18 / 2);
    // A ladder of 9 rungs (25 bonds, 300 pairs): the two rails of each inner square cut
    // together (6 pairs), and at each end the end rung with the two rails beside it (3 + 3).
    EXPECT_EQ(splitting(ladder(9)), 6 + 3 + 3);
    // One ring: every pair of its bonds cuts it.
    EXPECT_EQ(splitting(cyclohexane()), 15);

    // On random ring structures no skipped pair would have split more than the bonds alone.
    std::mt19937 random(11);
    for (int i = 0; i < 30; ++i) {
        const Structure s = randomRings(random);
        FragmentTable table;
        const BondCleaver cleaver(s, elements(), table);
        const std::size_t whole = piecesBySearch(s, 0, 0).size();
        for (int a = 1; a <= s.count.bonds; ++a)
            for (int b = a + 1; b <= s.count.bonds; ++b)
                if (!cleaver.pairCanSplit(a, b)) {
                    EXPECT_EQ(piecesBySearch(s, a, b).size(), whole)
                        << "case " << i << ", bonds " << a << " and " << b;
                }
    }
}

} // namespace
} // namespace qzx::test
