// The "Loss of ..." computation and the Delta Mass lookup with their common-loss and
// common-neutral tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "chem/neutral_losses.h"

namespace qzx {
namespace {

using Names = std::vector<std::string_view>;

TEST(NeutralLossTable, HoldsTheHundredAndFiveEntriesInAscendingMassOrder) {
    const auto table = NeutralTable();
    ASSERT_EQ(table.size(), 105u);
    EXPECT_TRUE(std::is_sorted(table.begin(), table.end(),
                               [](const auto& a, const auto& b) { return a.mass < b.mass; }));
    EXPECT_EQ(table.front().mass, 14);
    EXPECT_EQ(table.front().name, "CH2");
    EXPECT_EQ(table.back().mass, 121);
    EXPECT_EQ(table.back().name, "C7H5O2");
    // The names as shown, with their odd spellings.
    EXPECT_EQ(NeutralsOfMass(18), Names{"H20"});
    EXPECT_EQ(NeutralsOfMass(35), (Names{"CL", "HF + CH3"}));
    EXPECT_EQ(NeutralsOfMass(36), (Names{"HCL", "2(H2O)"}));
    EXPECT_EQ(NeutralsOfMass(48), (Names{"H2SiOH ", "H2S + CH2"}));
    EXPECT_EQ(NeutralsOfMass(60), (Names{"C3H7OH", "CO + CH3OH", "C3COOH", "COS"}));
    EXPECT_EQ(NeutralsOfMass(16), (Names{"CH4", "NH2", "O"}));
    EXPECT_EQ(NeutralsOfMass(76), (Names{"C3H6 + H2S", "C2H5SiOH"}));
    EXPECT_EQ(NeutralsOfMass(121), Names{"C7H5O2"});
    // Every mass from 0 to 130 together names each entry exactly once.
    std::size_t named = 0;
    for (int mass = 0; mass <= 130; ++mass)
        named += NeutralsOfMass(mass).size();
    EXPECT_EQ(named, table.size());
}

TEST(NeutralLoss, CommonLossMenuInItsOrder) {
    const auto losses = CommonLosses();
    ASSERT_EQ(losses.size(), 12u);
    const std::vector<std::pair<std::string_view, int>> expected{
        {"CH3", 15},  {"H2O", 18}, {"C2H5", 29}, {"OCH3", 31},    {"CH3OH", 32}, {"C3H7", 43},
        {"C6H5", 77}, {"NO2", 46}, {"CO2", 44},  {"CO/C2H4", 28}, {"TMS", 73},   {"TMS-OH", 90}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(losses[i].name, expected[i].first);
        EXPECT_EQ(losses[i].mass, expected[i].second);
    }
}

TEST(NeutralLoss, ResultIsMassMinusLossAndANonNumberKeepsTheLastResult) {
    const int phenyl = std::find_if(CommonLosses().begin(), CommonLosses().end(), [](auto& l) {
                           return l.name == "C6H5";
                       })->mass;
    EXPECT_EQ(ComputeLoss("100", std::to_string(phenyl)), "23");
    EXPECT_EQ(ComputeLoss("100", "120"), "-20");
    EXPECT_EQ(ComputeLoss(" 100 ", "+15"), "85");
    EXPECT_EQ(ComputeLoss("100", ""), "") << "an empty loss clears the result";
    EXPECT_EQ(ComputeLoss("100", "  "), "");
    EXPECT_EQ(ComputeLoss("100", "a"), std::nullopt) << "a letter leaves the result as it was";
    EXPECT_EQ(ComputeLoss("100", "1a"), std::nullopt);
    EXPECT_EQ(ComputeLoss("100", "15.5"), std::nullopt);
    EXPECT_EQ(ComputeLoss("", "15"), std::nullopt);
    EXPECT_EQ(ComputeLoss("-2147483648", "2147483647"), "-4294967295");
}

TEST(NeutralLoss, MolecularMassIsNominalOrRoundedMonoisotopic) {
    EXPECT_EQ(LossWindowMolecularMass(324, 0.0f, false), 324);
    EXPECT_EQ(LossWindowMolecularMass(0, 324.6f, true), 325);
    EXPECT_EQ(LossWindowMolecularMass(0, 78.0469513f, true), 78);
    EXPECT_EQ(LossWindowMolecularMass(0, 2.5f, true), 2) << "halves go to the even neighbour";
}

TEST(NeutralLoss, DeltaMassListsTheNeutralsOfTheDifference) {
    auto result = LookUpDeltaMass("78", "60");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->differenceText(), "18");
    EXPECT_EQ(result->neutrals, Names{"H20"});
    result = LookUpDeltaMass("60", "78");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->differenceText(), "18");
    EXPECT_EQ(result->neutrals, Names{"H20"});

    result = LookUpDeltaMass("200", "143");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->difference, 57);
    EXPECT_EQ(result->neutrals, (Names{"HNCO", "C2H3NO", "C4H9", "C2H5CO"}));

    result = LookUpDeltaMass("100", "63"); // 37: no entry
    ASSERT_TRUE(result);
    EXPECT_EQ(result->difference, 37);
    EXPECT_TRUE(result->neutrals.empty());
    result = LookUpDeltaMass("90", "90");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->differenceText(), "0");
    EXPECT_TRUE(result->neutrals.empty());
    result = LookUpDeltaMass("500", "100"); // beyond the heaviest entry
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->neutrals.empty());
}

TEST(NeutralLoss, DeltaMassChangesNothingUnlessBothMassesAreAtLeastOne) {
    EXPECT_EQ(LookUpDeltaMass("", "60"), std::nullopt) << "an empty field reads as 0";
    EXPECT_EQ(LookUpDeltaMass("78", ""), std::nullopt);
    EXPECT_EQ(LookUpDeltaMass("0", "18"), std::nullopt);
    EXPECT_EQ(LookUpDeltaMass("-5", "13"), std::nullopt);
    EXPECT_EQ(LookUpDeltaMass("78", "sixty"), std::nullopt);
    EXPECT_EQ(LookUpDeltaMass("78.5", "60"), std::nullopt);
    EXPECT_TRUE(LookUpDeltaMass("1", "15"));
}

} // namespace
} // namespace qzx
