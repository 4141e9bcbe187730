// Whole autofragment runs: what the results list shows, the molecular ion, the failure cases,
// the gauge, and the fragments compared with two references written in the test.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "../structure/editor_test_support.h"
#include "chem/autofragment.h"
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

/// The rows a run must store before its molecular ion: the cleavages in the engine's order,
/// each split by the literal grouping procedure, repeats dropped by mass and product.
std::vector<std::pair<int, AtomSet>> expectedRows(const Structure& s, bool pairs) {
    std::vector<std::pair<int, AtomSet>> rows;
    std::set<std::pair<int, double>> seen;
    auto cleave = [&](int first, int second) {
        const std::vector<AtomSet> pieces = piecesByGrouping(s, first, second);
        if (pieces.size() < 2) return;
        for (const AtomSet& piece : pieces) {
            double product = 1.0;
            for (const int a : piece)
                product *= a;
            if (seen.insert({massOf(s, piece), product}).second)
                rows.push_back({massOf(s, piece), piece});
        }
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

/// The (mass, atom product) of each fragment: what tells fragments apart.
std::set<std::pair<int, double>> keysOf(const FragmentSet& fragments) {
    std::set<std::pair<int, double>> keys;
    for (const auto& [mass, atoms] : fragments) {
        double product = 1.0;
        for (const int a : atoms)
            product *= a;
        keys.insert({mass, product});
    }
    return keys;
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

            // The search knows nothing of groups or signatures: every stored fragment is a
            // piece it finds, and every piece it finds is stored or shares mass and atom
            // product with exactly one stored fragment.
            const FragmentSet searched = fragmentsBySearch(c.structure, pairs);
            for (const auto& row : rows)
                EXPECT_EQ(searched.count(row), 1u) << "not a piece: mass " << row.first;
            EXPECT_EQ(keysOf(FragmentSet(rows.begin(), rows.end())).size(), rows.size());
            EXPECT_EQ(keysOf(FragmentSet(rows.begin(), rows.end())), keysOf(searched));

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
    // Two ring bonds cut out every arc of 1 to 5 atoms; arcs like {1,6} and {2,3} share mass
    // and product and count once.
    EXPECT_EQ(table.FragmentCount, static_cast<int>(expectedRows(cyclohexane(), true).size()) + 1);
    EXPECT_LT(table.FragmentCount, 31);

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
    EXPECT_EQ(table.ResultsList, (Texts{"   15", "   29"})) << "the first cleavage's rows stay";
}

TEST(Autofragment, TooLargeStopsTheRunAndKeepsTheRowsFound) {
    std::vector<BondRow> bonds{{1, 2}, {2, 3}};
    for (int a = 4; a < 183; ++a)
        bonds.push_back({a, a + 1});
    FragmentTable table;
    const AutofragmentResult result = run(molecule(183, bonds), table, false);
    EXPECT_EQ(result.status, AutofragmentStatus::TooLarge);
    EXPECT_EQ(result.message, "Structure is Too Large to Autofragment.");
    EXPECT_EQ(table.FragmentCount, 1) << "no molecular ion after a stop";
    EXPECT_EQ(table.ResultsList, (Texts{"   29"}));
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

} // namespace
} // namespace qzx::test
