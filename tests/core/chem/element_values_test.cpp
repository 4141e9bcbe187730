// Checks the element data files that the build writes from data/elements.csv, read back
// through the program's own loader: the published isotope values chemists rely on, and the
// rules every element row must obey for formula, RDB and isotope-pattern calculations.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>

#include "chem/element_data_files.h"
#include "loaded_elements.h"
#include "test_paths.h"

namespace {

constexpr double kMassTolerance = 5e-5;      // u
constexpr double kAbundanceTolerance = 1e-4; // fraction of 1

const qzx::ElementRecord& element(const char* symbol) {
    const qzx::ElementTable& t = qzx::test::elements();
    const int n = t.findSymbol(symbol);
    EXPECT_NE(n, 0) << symbol;
    return t[n == 0 ? 1 : n];
}

/// The isotope of `e` whose mass number is `massNumber`, or nullptr.
const qzx::IsotopeRecord* isotope(const qzx::ElementRecord& e, int massNumber) {
    for (int j = 1; j <= e.IsotopeCount && j <= qzx::kIsotopeSlots; ++j)
        if (std::lround(e.Isotopes[j].Mass) == massNumber) return &e.Isotopes[j];
    return nullptr;
}

/// RDB class code for a valence: 0 for 2, 1 for 4, 2 for 1, 3 for 3, 4 for 5, 5 for 6.
int rdbClassForValence(int valence) {
    switch (valence) {
    case 1:
        return 2;
    case 2:
        return 0;
    case 3:
        return 3;
    case 4:
        return 1;
    case 5:
        return 4;
    case 6:
        return 5;
    default:
        return -1;
    }
}

struct PublishedIsotope {
    const char* symbol;
    int massNumber;
    double mass;      // u
    double abundance; // fraction of 1
};

} // namespace

TEST(ElementValues, BuiltFilesHaveTheSizesTheirRecordsCallFor) {
    const qzx::ElementTable& t = qzx::test::elements();
    const std::filesystem::path dir = QZX_RUNTIME_DIR;
    std::uintmax_t isotopePairs = 0;
    for (int n = 1; n <= qzx::kElementCount; ++n)
        isotopePairs += static_cast<std::uintmax_t>(t[n].IsotopeCount);

    EXPECT_EQ(std::filesystem::file_size(dir / "QZXPROA.DAT"), 1328u);
    EXPECT_EQ(std::filesystem::file_size(dir / "QZXPROB.DAT"), 83u * 8u + 8u * isotopePairs);
}

TEST(ElementValues, IsotopesMatchPublishedMassesAndAbundances) {
    // NIST "Atomic Weights and Isotopic Compositions"; 120Sn is renormalised without 115Sn.
    const PublishedIsotope panel[] = {
        {"C", 12, 12.0, 0.9893},
        {"C", 13, 13.00335483507, 0.0107},
        {"H", 1, 1.00782503223, 0.999885},
        {"H", 2, 2.01410177812, 0.000115},
        {"N", 14, 14.00307400443, 0.99636},
        {"N", 15, 15.00010889888, 0.00364},
        {"O", 16, 15.99491461957, 0.99757},
        {"O", 18, 17.99915961286, 0.00205},
        {"S", 32, 31.9720711744, 0.9499},
        {"S", 34, 33.967867004, 0.0425},
        {"Cl", 35, 34.968852682, 0.7576},
        {"Cl", 37, 36.965902602, 0.2424},
        {"F", 19, 18.99840316273, 1.0},
        {"Br", 79, 78.9183376, 0.5069},
        {"Br", 81, 80.9162897, 0.4931},
        {"Si", 28, 27.97692653465, 0.92223},
        {"P", 31, 30.97376199842, 1.0},
        {"I", 127, 126.9044719, 1.0},
        {"Na", 23, 22.989769282, 1.0},
        {"K", 39, 38.9637064864, 0.932581},
        {"Fe", 56, 55.93493633, 0.91754},
        {"Cu", 63, 62.92959772, 0.6915},
        {"Se", 80, 79.9165218, 0.4961},
        {"B", 10, 10.01293695, 0.199},
        {"B", 11, 11.00930536, 0.801},
        {"Sn", 120, 119.90220163, 0.3258 / 0.9966},
        {"Pt", 195, 194.9647917, 0.3378},
        {"Hg", 202, 201.9706434, 0.2986},
        {"Pb", 208, 207.9766525, 0.524},
    };
    for (const PublishedIsotope& p : panel) {
        SCOPED_TRACE(std::string(p.symbol) + "-" + std::to_string(p.massNumber));
        const qzx::IsotopeRecord* iso = isotope(element(p.symbol), p.massNumber);
        ASSERT_NE(iso, nullptr);
        EXPECT_NEAR(iso->Mass, p.mass, kMassTolerance);
        EXPECT_NEAR(iso->Abundance, p.abundance, kAbundanceTolerance);
    }
}

TEST(ElementValues, EveryElementIsConsistentWithItsIsotopes) {
    const qzx::ElementTable& t = qzx::test::elements();
    for (int n = 1; n <= qzx::kElementCount; ++n) {
        const qzx::ElementRecord& e = t[n];
        SCOPED_TRACE(std::to_string(n) + " " + e.Symbol);
        ASSERT_GE(e.IsotopeCount, 1);
        ASSERT_LE(e.IsotopeCount, qzx::kIsotopeSlots);

        double sum = 0;
        int mostAbundant = 1;
        for (int j = 1; j <= e.IsotopeCount; ++j) {
            const qzx::IsotopeRecord& iso = e.Isotopes[j];
            // An isotope mass lies within 0.1 u of its mass number; a slipped digit does not.
            EXPECT_LT(std::fabs(iso.Mass - std::round(iso.Mass)), 0.1) << "isotope " << j;
            EXPECT_GT(iso.Abundance, 0.0f) << "isotope " << j;
            if (j > 1) {
                EXPECT_GT(iso.Mass, e.Isotopes[j - 1].Mass) << "isotope " << j;
            }
            if (iso.Abundance > e.Isotopes[mostAbundant].Abundance) mostAbundant = j;
            sum += iso.Abundance;
        }
        EXPECT_NEAR(sum, 1.0, kAbundanceTolerance);

        EXPECT_EQ(e.PrincipalIsotope, static_cast<float>(mostAbundant));
        EXPECT_EQ(e.ExactMass, e.Isotopes[mostAbundant].Mass);
        EXPECT_EQ(e.NominalMass, std::lround(e.Isotopes[mostAbundant].Mass));

        EXPECT_EQ(e.RdbClass, rdbClassForValence(e.Valence)) << "valence " << e.Valence;
    }
    // The formula and RDB arithmetic rests on these three.
    EXPECT_EQ(element("C").RdbClass, 1);
    EXPECT_EQ(element("H").RdbClass, 2);
    EXPECT_EQ(element("N").RdbClass, 3);
    EXPECT_EQ(element("C").Valence, 4);
    EXPECT_EQ(element("H").Valence, 1);
    EXPECT_EQ(element("N").Valence, 3);
    EXPECT_EQ(element("O").Valence, 2);
}

TEST(ElementValues, LabelledElementsAreTheMatchingPureIsotope) {
    struct Label {
        const char* label;
        const char* parent;
        int massNumber;
    };
    for (const Label& l :
         {Label{"D", "H", 2}, Label{"C*", "C", 13}, Label{"N*", "N", 15}, Label{"O*", "O", 18}}) {
        SCOPED_TRACE(l.label);
        const qzx::ElementRecord& e = element(l.label);
        const qzx::ElementRecord& parent = element(l.parent);
        const qzx::IsotopeRecord* natural = isotope(parent, l.massNumber);
        ASSERT_NE(natural, nullptr);
        ASSERT_EQ(e.IsotopeCount, 1);
        EXPECT_EQ(e.Isotopes[1].Mass, natural->Mass);
        EXPECT_EQ(e.Isotopes[1].Abundance, 1.0f);
        EXPECT_EQ(e.NominalMass, l.massNumber);
        EXPECT_EQ(e.Valence, parent.Valence);
        EXPECT_EQ(e.RdbClass, parent.RdbClass);
    }
}

TEST(ElementValues, TinAndElementsWithoutStableIsotopesUseTheRecordedChoices) {
    const qzx::ElementRecord& tin = element("Sn");
    EXPECT_EQ(tin.IsotopeCount, 9);
    EXPECT_EQ(isotope(tin, 115), nullptr);
    for (int massNumber : {112, 114, 116, 117, 118, 119, 120, 122, 124})
        EXPECT_NE(isotope(tin, massNumber), nullptr) << massNumber;
    EXPECT_EQ(tin.NominalMass, 120);

    const qzx::ElementRecord& pm = element("Pm");
    ASSERT_EQ(pm.IsotopeCount, 1);
    EXPECT_NEAR(pm.Isotopes[1].Mass, 144.9127559, kMassTolerance);
    EXPECT_EQ(pm.NominalMass, 145);

    const qzx::ElementRecord& th = element("Th");
    ASSERT_EQ(th.IsotopeCount, 1);
    EXPECT_NEAR(th.Isotopes[1].Mass, 232.0380558, kMassTolerance);

    const qzx::ElementRecord& u = element("U");
    ASSERT_EQ(u.IsotopeCount, 3);
    const qzx::IsotopeRecord* u235 = isotope(u, 235);
    ASSERT_NE(u235, nullptr);
    EXPECT_NEAR(u235->Abundance, 0.007204, 1e-6);
    EXPECT_NEAR(u.ExactMass, 238.0507884, kMassTolerance);
    EXPECT_EQ(u.PrincipalIsotope, 3.0f);
}
