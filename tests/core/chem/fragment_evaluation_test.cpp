// The evaluation grid of the autofragment results: whole runs on molecules built in the test,
// whose expected rows are worked out by hand from their fragment lists, and hand-made lists for
// the order in which the rules scan. Also the "Isotopes" formula of a fragment.
#include <gtest/gtest.h>

#include <algorithm>

#include "chem/autofragment.h"
#include "chem/fragment_evaluation.h"
#include "chem/fragments.h"
#include "fragment_test_support.h"

namespace qzx::test {
namespace {

using Grid = std::vector<EvaluationGridRow>;

FragmentTable runOn(const Structure& s, bool markOdd = false) {
    FragmentTable table;
    const AutofragmentResult result =
        RunAutofragment(s, elements(), {false, markOdd, false}, table);
    EXPECT_EQ(result.status, AutofragmentStatus::Done);
    return table;
}

Grid evaluate(const Structure& s, bool markOdd = false) {
    return EvaluateFragments(evaluationInput(runOn(s, markOdd)), s);
}

bool hasIdentity(const Grid& grid, std::string_view identity) {
    return std::any_of(grid.begin(), grid.end(),
                       [&](const EvaluationGridRow& row) { return row[1] == identity; });
}

const EvaluationGridRow kHeadings{"Mass", "Identity", "M - Mass"};

// 2-hexanone CH3-CO-CH2-CH2-CH2-CH3: carbon 1, carbonyl carbon 2, oxygen 3, chain 4..7.
Structure hexan2one() {
    return molecule(7, {{1, 2}, {2, 3, 2}, {2, 4}, {4, 5}, {5, 6}, {6, 7}}, {1, 1, 4, 1, 1, 1, 1});
}

// CH3-O-Si(CH3)3: the silicon (row 3) comes before its methyls.
Structure methylTrimethylsilylEther() {
    return molecule(6, {{1, 2}, {2, 3}, {3, 4}, {3, 5}, {3, 6}}, {1, 4, 9, 1, 1, 1});
}

TEST(FragmentEvaluation, NumbersAreRightAlignedInFourCharacters) {
    EXPECT_EQ(evaluationNumberText(15), "  15");
    EXPECT_EQ(evaluationNumberText(1), "   1");
    EXPECT_EQ(evaluationNumberText(147), " 147");
    EXPECT_EQ(evaluationNumberText(-20), " -20");
    EXPECT_EQ(evaluationNumberText(12345), "12345");
    EXPECT_EQ(leadingMass("   43"), 43);
    EXPECT_EQ(leadingMass("   78" + std::string(kOddElectronMark)), 78);
    EXPECT_EQ(leadingMass("  100 x"), 100);
    EXPECT_EQ(leadingMass(""), 0);
    EXPECT_EQ(leadingMass("abc"), 0);
}

TEST(FragmentEvaluation, MethylKetoneGivesTheMcLaffertyProductAfterTheMolecularIon) {
    // CH3-CO-CH2 (57) was cut from a beta carbon whose gamma neighbour carries hydrogens:
    // the product takes one of them, 58. Then the rules in their order.
    const Grid grid = evaluate(hexan2one());
    const Grid expected{kHeadings,
                        {"  100", "Molecular Ion", "  ---"},
                        {"  58", "McLafferty Product", "  42"},
                        {"  15", "Methyl", "  85"},
                        {"  28", "Carbon Monoxide", "  72"},
                        {"  29", "Ethyl", "  71"},
                        {"  43", "Propyl", "  57"},
                        {"  42", "CH2=C=O", "  58"},
                        {"  43", "CH3C=O", "  57"},
                        {"  57", "C4H9", "  43"}};
    EXPECT_EQ(grid, expected);
}

TEST(FragmentEvaluation, McLaffertyNeedsABetaAtomCutOffAndASaturatedGammaHydrogen) {
    // Hexanal: the carbonyl carbon has one other neighbour; CH2-CHO (43) gives 44.
    const Structure hexanal =
        molecule(7, {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 7, 2}}, {1, 1, 1, 1, 1, 1, 4});
    const Grid aldehyde = evaluate(hexanal);
    ASSERT_GE(aldehyde.size(), 3u);
    EXPECT_EQ(aldehyde[2], (EvaluationGridRow{"  44", "McLafferty Product", "  56"}));

    // Acetone: no beta atom; 4-penten-2-one: the gamma carbon has a double bond.
    const Structure acetone = molecule(4, {{1, 2}, {2, 3, 2}, {2, 4}}, {1, 1, 4, 1});
    const Structure pentenone =
        molecule(6, {{1, 2}, {2, 3, 2}, {2, 4}, {4, 5}, {5, 6, 2}}, {1, 1, 4, 1, 1, 1});
    EXPECT_FALSE(hasIdentity(evaluate(acetone), "McLafferty Product"));
    EXPECT_TRUE(hasIdentity(evaluate(acetone), "CH3C=O"))
        << "a list too short to move back ten rows is scanned from its first row";
    EXPECT_FALSE(hasIdentity(evaluate(pentenone), "McLafferty Product"));
    // Hexan-2-one with its alpha-beta bond marked as a ring bond.
    Structure ringBond = hexan2one();
    ringBond.bond(4).RingState = 1;
    EXPECT_FALSE(hasIdentity(evaluate(ringBond), "McLafferty Product"));

    // Of several candidates the heaviest counts: hand-made rows of hexan-2-one's atoms.
    const Structure ketone = hexan2one();
    FragmentEvaluationInput input;
    input.rows = {
        {"   57", {1, 2, 3, 4}}, {"   61", {1, 2, 3, 4}}, {"  100", {1, 2, 3, 4, 5, 6, 7}}};
    const Grid grid = EvaluateFragments(input, ketone);
    EXPECT_EQ(grid[2], (EvaluationGridRow{"  62", "McLafferty Product", "  38"}));
}

TEST(FragmentEvaluation, TolueneGivesPhenylAndTropyliumIon) {
    // Toluene's list: ring arcs of 13, 26, ... and arcs with the methyl-bearing carbon; phenyl
    // 77 bears no hydrogen on the carbon bonded to CH3, so rule 19 adds C4H3 and the
    // tropylium ion; the molecular ion (7 atoms, ring states 12) is one as well.
    const Structure s = toluene();
    const Grid grid = evaluate(s);
    const Grid expected{kHeadings,
                        {"   92", "Molecular Ion", "  ---"},
                        {"  15", "Methyl", "  77"},
                        {"  26", "C2H2", "  66"},
                        {"  77", "Phenyl", "  15"},
                        {"  51", "C4H3", "  41"},
                        {"  91", "Tropylium Ion", "   1"},
                        {"  91", "Tropylium Ion", "   1"}};
    EXPECT_EQ(grid, expected);
    EXPECT_EQ(evaluate(s), grid) << "evaluating twice gives the same grid";
}

TEST(FragmentEvaluation, ChlorobenzeneGivesHydrogenChlorideAndPhenylWithoutTropylium) {
    Structure s = benzene();
    s.atom(1).Hydrogens = 0;
    addAtom(s, makeAtom(6, 100, 80, 0, 1, 0));
    addBond(s, 1, 7, 1);
    const Grid expected{kHeadings,
                        {"  112", "Molecular Ion", "  ---"},
                        {"  26", "C2H2", "  86"},
                        {"  36", "HCl", "  76"},
                        {"  77", "Phenyl", "  35"},
                        {"  51", "C4H3", "  61"}};
    EXPECT_EQ(evaluate(s), expected);
}

TEST(FragmentEvaluation, TrimethylsilylEthersGiveSilylAndSilanol) {
    Grid grid = evaluate(methylTrimethylsilylEther()); // M 104
    auto silyl = std::find_if(grid.begin(), grid.end(),
                              [](const EvaluationGridRow& r) { return r[1] == "Trimethylsilyl"; });
    ASSERT_NE(silyl, grid.end());
    EXPECT_EQ(*silyl, (EvaluationGridRow{"  73", "Trimethylsilyl", "  31"}));
    ASSERT_NE(silyl + 1, grid.end());
    EXPECT_EQ(*(silyl + 1), (EvaluationGridRow{"  90", "Trimethylsilanol", "  14"}));
    EXPECT_FALSE(hasIdentity(grid, "(CH3)2Si=OSi(CH3)2")) << "one silicon only";

    // Hexamethyldisiloxane (M 162): two silicons add the 147 ion before the silanol.
    grid = evaluate(molecule(9, {{1, 2}, {1, 3}, {1, 4}, {1, 5}, {5, 6}, {6, 7}, {6, 8}, {6, 9}},
                             {9, 1, 1, 1, 4, 9, 1, 1, 1}));
    silyl = std::find_if(grid.begin(), grid.end(),
                         [](const EvaluationGridRow& r) { return r[1] == "Trimethylsilyl"; });
    ASSERT_GE(std::distance(silyl, grid.end()), 3);
    EXPECT_EQ(*silyl, (EvaluationGridRow{"  73", "Trimethylsilyl", "  89"}));
    EXPECT_EQ(*(silyl + 1), (EvaluationGridRow{" 147", "(CH3)2Si=OSi(CH3)2", "  15"}));
    EXPECT_EQ(*(silyl + 2), (EvaluationGridRow{"  90", "Trimethylsilanol", "  72"}));

    // Tetramethylsilane: the silicon is bonded to no oxygen.
    EXPECT_FALSE(hasIdentity(evaluate(molecule(5, {{1, 2}, {1, 3}, {1, 4}, {1, 5}}, {9})),
                             "Trimethylsilanol"));
}

TEST(FragmentEvaluation, WaterNeedsAnAliphaticHydroxylAndAnotherHydrogen) {
    const Structure ethanol = molecule(3, {{1, 2}, {2, 3}}, {1, 1, 4});
    const Grid grid = evaluate(ethanol);
    EXPECT_NE(std::find(grid.begin(), grid.end(), EvaluationGridRow{"  18", "Water", "  28"}),
              grid.end());
    // Phenol: the hydroxyl's bond leads to an aromatic carbon.
    Structure phenol = benzene();
    phenol.atom(1).Hydrogens = 0;
    addAtom(phenol, makeAtom(4, 100, 80, 1, 1, 0));
    addBond(phenol, 1, 7, 1);
    EXPECT_FALSE(hasIdentity(evaluate(phenol), "Water"));
    // Cl3C-OH: no hydrogen besides the hydroxyl's.
    EXPECT_FALSE(hasIdentity(
        evaluate(molecule(5, {{1, 2}, {1, 3}, {1, 4}, {1, 5}}, {1, 4, 6, 6, 6})), "Water"));
}

TEST(FragmentEvaluation, AFifteenWithoutThreeHydrogensOnCarbonIsNoMethyl) {
    // Piperidine: its NH, cut out of the ring, weighs 15; no carbon carries three hydrogens.
    const Structure piperidine =
        molecule(6, {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 1}}, {3, 1, 1, 1, 1, 1});
    const FragmentTable table = runOn(piperidine);
    ASSERT_NE(std::find(table.ResultsList.begin(), table.ResultsList.end(), "   15"),
              table.ResultsList.end());
    EXPECT_FALSE(hasIdentity(EvaluateFragments(evaluationInput(table), piperidine), "Methyl"));

    // The scan goes on past a 15 that is not methyl and finds the next one.
    const Structure methylamine = molecule(2, {{1, 2}}, {3, 1}); // NH2 row 1, CH3 row 2
    FragmentEvaluationInput input;
    input.rows = {{"   15", {1}}, {"   15", {2}}, {"   31", {1, 2}}};
    const Grid grid = EvaluateFragments(input, methylamine);
    EXPECT_TRUE(hasIdentity(grid, "Methyl"));
}

/// Hand-made list over acetaldehyde's atoms (CH3 1, C 2, O 3): `lighter` rows of 12, the
/// ketene-shaped 42 (C, C, O), `filler` one-atom rows of 43 that no rule takes, a 50 that ends
/// the propyl scan, and the molecular ion 50.
FragmentEvaluationInput keteneList(int lighter, int filler) {
    FragmentEvaluationInput input;
    for (int i = 0; i < lighter; ++i)
        input.rows.push_back({"   12", {2}});
    input.rows.push_back({"   42", {1, 2, 3}});
    for (int i = 0; i < filler; ++i)
        input.rows.push_back({"   43", {2}});
    input.rows.push_back({"   50", {1, 2, 3}});
    return input;
}

TEST(FragmentEvaluation, BackTenRulesLookAtMostTenRowsBelowThePreviousScan) {
    const Structure acetaldehyde = molecule(3, {{1, 2}, {2, 3, 2}}, {1, 1, 4});
    const EvaluationGridRow ketene{"  42", "CH2=C=O", "   8"};
    // The propyl scan ends at the 50 in row 15: back to row 5, where the 42 lies.
    const Grid tenBelow = EvaluateFragments(keteneList(5, 9), acetaldehyde);
    EXPECT_NE(std::find(tenBelow.begin(), tenBelow.end(), ketene), tenBelow.end());
    // Ending at row 16, the scan starts again at row 6, above the 42 in row 5.
    const Grid elevenBelow = EvaluateFragments(keteneList(5, 10), acetaldehyde);
    EXPECT_FALSE(hasIdentity(elevenBelow, "CH2=C=O"));
    // A scan that ended at row 10 or before starts again at row 0.
    const Grid shortList = EvaluateFragments(keteneList(0, 3), acetaldehyde);
    EXPECT_TRUE(hasIdentity(shortList, "CH2=C=O"));
}

TEST(FragmentEvaluation, HydrogenCyanideIsSoughtOverTheWholeListLast) {
    // Hand-made rows over dimethylamine's atoms (CH3 1, NH 2, CH3 3). The CN row lies below
    // everything the rules scanned up to; HCN is still found and is the last row.
    const Structure s = molecule(3, {{1, 2}, {2, 3}}, {1, 3, 1});
    FragmentEvaluationInput input;
    input.rows = {{"   15", {1}}, {"   26", {2, 3}}, {"   29", {1, 2}}, {"   41", {1, 2, 3}}};
    const Grid grid = EvaluateFragments(input, s);
    ASSERT_GE(grid.size(), 4u);
    EXPECT_EQ(grid[2], (EvaluationGridRow{"  15", "Methyl", "  26"}));
    EXPECT_EQ(grid.back(), (EvaluationGridRow{"  27", "HCN", "  14"}));
    EXPECT_EQ(std::count_if(grid.begin(), grid.end(),
                            [](const EvaluationGridRow& r) { return r[1] == "HCN"; }),
              1);
}

TEST(FragmentEvaluation, OddElectronMarksStayInTheIonRowAndMassesComeFromTheNumbers) {
    const Structure s = hexan2one();
    const Grid marked = evaluate(s, true);
    const Grid plain = evaluate(s, false);
    ASSERT_EQ(marked.size(), plain.size());
    EXPECT_EQ(marked[1][0], "  100" + std::string(kOddElectronMark));
    for (std::size_t r = 2; r < plain.size(); ++r)
        EXPECT_EQ(marked[r], plain[r]);
}

TEST(FragmentEvaluation, EmptyListsAndStaleAtomRowsAreHarmless) {
    const Structure s = toluene();
    EXPECT_EQ(EvaluateFragments({}, s), Grid{kHeadings});
    // The list of an earlier run, evaluated after the drawing was cleared: the atoms name rows
    // that no longer exist, so only the molecular ion row is left.
    const FragmentTable table = runOn(s);
    const Grid grid = EvaluateFragments(evaluationInput(table), Structure{});
    EXPECT_EQ(grid, (Grid{kHeadings, {"   92", "Molecular Ion", "  ---"}}));
}

/// Atoms for a list in which every rule finds its fragment: 1 CH3; 2 OH (no bonds); 3..12
/// aromatic carbons without hydrogens; 13, 14 N; 15, 16 O; 17..19 CH2 (19 bonded to 3);
/// 20 Si bonded to oxygen 15 with methyls 21..23; 24 a second Si; 25 C=O 26 with alpha 27,
/// beta 28 and gamma 29 (CH2).
Structure everyRuleStructure() {
    Structure s;
    const auto atom = [&](int element, int hydrogens, int ringState = 0) {
        addAtom(s, makeAtom(element, 20 * (s.count.atoms + 1), 100, hydrogens, 1, ringState));
    };
    atom(1, 3);
    atom(4, 1);
    for (int i = 3; i <= 12; ++i)
        atom(1, 0, 2);
    atom(3, 0);
    atom(3, 0);
    atom(4, 0);
    atom(4, 0);
    for (int i = 17; i <= 19; ++i)
        atom(1, 2);
    atom(9, 0);
    for (int i = 21; i <= 23; ++i)
        atom(1, 3);
    atom(9, 0);
    atom(1, 0);
    atom(4, 0);
    atom(1, 2);
    atom(1, 2);
    atom(1, 2);
    addBond(s, 3, 19, 1);
    addBond(s, 20, 15, 1);
    addBond(s, 25, 26, 2);
    addBond(s, 25, 27, 1);
    addBond(s, 27, 28, 1);
    addBond(s, 28, 29, 1);
    return s;
}

TEST(FragmentEvaluation, EveryRuleInItsOrderAndAllRowsKeptBeyondTheGrid) {
    const Structure s = everyRuleStructure();
    FragmentEvaluationInput input;
    const auto row = [&](int mass, std::vector<std::int32_t> atoms) {
        input.rows.push_back({FragmentListText(mass), std::move(atoms)});
    };
    for (int i = 0; i < 10; ++i) // light rows, so that the back-10 rules can move back
        row(1, {1});
    row(15, {1});
    row(17, {2});
    row(26, {3, 4});
    row(28, {3, 15});
    row(29, {3, 4});
    row(30, {13, 15});
    row(30, {3, 13});
    row(31, {3, 15});
    row(35, {1});
    row(42, {3, 4, 15});
    row(43, {3, 4, 5});
    row(43, {3, 4, 16});
    row(44, {3, 15, 16});
    row(44, {3, 13, 15});
    row(46, {13, 15, 16});
    row(57, {3, 4, 5, 6});
    row(60, {25, 26, 27});
    row(73, {20, 21, 22, 23});
    row(73, {3, 4, 5, 6, 13});
    row(77, {3, 4, 5, 6, 7, 8});
    row(78, {3, 4, 5, 6, 7, 13});
    row(79, {1});
    row(87, {3, 4, 5, 6, 7, 13});
    row(91, {3, 4, 5, 6, 7, 8, 9});
    row(93, {3, 4, 5, 6, 7, 8, 15});
    row(127, {3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    row(130, {3, 4, 5, 6, 7, 8, 15, 20});
    std::vector<std::int32_t> all(29);
    for (int a = 1; a <= 29; ++a)
        all[static_cast<std::size_t>(a - 1)] = a;
    row(200, all);

    const Grid expected{kHeadings,
                        {"  200", "Molecular Ion", "  ---"},
                        {"  61", "McLafferty Product", " 139"},
                        {"  15", "Methyl", " 185"},
                        {"  18", "Water", " 182"},
                        {"  26", "C2H2", " 174"},
                        {"  28", "Carbon Monoxide", " 172"},
                        {"  29", "Ethyl", " 171"},
                        {"  30", "NO", " 170"},
                        {"  31", "Methoxy", " 169"},
                        {"  30", "CH2=NH2", " 170"},
                        {"  36", "HCl", " 164"},
                        {"  43", "Propyl", " 157"},
                        {"  42", "CH2=C=O", " 158"},
                        {"  43", "CH3C=O", " 157"},
                        {"  44", "Carbon Dioxide", " 156"},
                        {"  44", "O=C=NH2", " 156"},
                        {"  46", "Nitrogen Dioxide", " 154"},
                        {"  57", "C4H9", " 143"},
                        {"  73", "Trimethylsilyl", " 127"},
                        {" 147", "(CH3)2Si=OSi(CH3)2", "  53"},
                        {"  90", "Trimethylsilanol", " 110"},
                        {"  72", "C3H7CH=NH2", " 128"},
                        {"  77", "Phenyl", " 123"},
                        {"  51", "C4H3", " 149"},
                        {"  91", "Tropylium Ion", " 109"},
                        {"  78", "C6H5N", " 122"},
                        {"  80", "HBr", " 120"},
                        {"  86", "C4H9CH=NH2", " 114"},
                        {"  91", "Tropylium Ion", " 109"},
                        {"  93", "C(6)H(5)O", " 107"},
                        {" 127", "C10H7+", "  73"},
                        {" 129", "(CH3)3SiO-C3H4+", "  71"},
                        {"  27", "HCN", " 173"}};
    const Grid grid = EvaluateFragments(input, s);
    EXPECT_EQ(grid, expected);
    EXPECT_GT(grid.size(), static_cast<std::size_t>(kEvaluationGridRows));

    // The 7-atom row of sum 9 names the other ion of rule 24.
    FragmentEvaluationInput changed = input;
    changed.rows[34] = {FragmentListText(93), {3, 4, 5, 6, 7, 8, 13}};
    EXPECT_TRUE(hasIdentity(EvaluateFragments(changed, s), "C6H6N"));
    // C5N with six hydrogens (CH2 17, 18, 19) is not C6H5N.
    changed = input;
    changed.rows[30] = {FragmentListText(78), {3, 4, 13, 17, 18, 19}};
    EXPECT_FALSE(hasIdentity(EvaluateFragments(changed, s), "C6H5N"));
}

TEST(FragmentFormula, CountsTheFragmentsAtomsAndHydrogensInElementOrder) {
    const Structure tol = toluene();
    EXPECT_EQ(FragmentFormulaText(tol, std::vector<std::int32_t>{1, 2, 3, 4, 5, 6}), "C6 H5 ");
    EXPECT_EQ(FragmentFormulaText(tol, std::vector<std::int32_t>{7}), "C1 H3 ");
    // CHBrCl-OH: chlorine (6) after oxygen (4), bromine (8) after it, the hydroxyl hydrogen
    // counted with the carbon's.
    const Structure s = molecule(4, {{1, 2}, {1, 3}, {1, 4}}, {1, 8, 6, 4});
    EXPECT_EQ(FragmentFormulaText(s, std::vector<std::int32_t>{1, 2, 3, 4}), "C1 H2 O1 Cl1 Br1 ");
    // A nitro group's oxygens are atoms of the fragment already; nothing more is added.
    const Structure nitro = nitromethane();
    EXPECT_EQ(FragmentFormulaText(nitro, std::vector<std::int32_t>{1, 2, 3, 4}), "C1 H3 N1 O2 ");
    EXPECT_EQ(FragmentFormulaText(nitro, std::vector<std::int32_t>{2, 3, 4}), "N1 O2 ");
    // Rows the structure no longer holds count nothing.
    EXPECT_EQ(FragmentFormulaText(tol, std::vector<std::int32_t>{7, 99}), "C1 H3 ");
    EXPECT_EQ(FragmentFormulaText(tol, {}), "");
}

} // namespace
} // namespace qzx::test
