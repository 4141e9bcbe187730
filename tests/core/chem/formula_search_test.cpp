#include "chem/formula_search.h"
#include "loaded_elements.h"

#include <chrono>
#include <cmath>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chem/element_data_files.h"
#include "chem/element_table.h"
#include "test_paths.h"

namespace qzx {
namespace {

const ElementTable& table() {
    return test::elements();
}

FormulaSearchInput query(double target, double tolerance) {
    FormulaSearchInput input;
    input.target = target;
    input.tolerance = tolerance;
    return input;
}

void setRow(FormulaSearchInput& input, int row, int minimum, int maximum, int element = 0) {
    input.rows[row] = {true, minimum, maximum};
    if (element != 0) input.rowElements[row] = element;
}

std::vector<std::string> texts(const FormulaSearchResult& result) {
    std::vector<std::string> list;
    for (const FormulaCandidate& c : result.candidates)
        list.push_back(formulaCompositionText(c));
    return list;
}

/// The search as the calculator describes it, without any pruning: every count of every row
/// up to what the target leaves room for, hydrogen innermost up to saturation.
class UnprunedSearch {
public:
    explicit UnprunedSearch(const FormulaSearchInput& in) : m_in(in) {
        const double upper = in.target + in.tolerance;
        for (int row = 0; row < kFormulaRows; ++row) {
            const int element = row < kRow5 ? std::array{1, 2, 4, 3}[row] : in.rowElements[row];
            const FormulaSearchRow& r = in.rows[row];
            m_mass[row] = table()[element].ExactMass;
            if (row >= kRow5 && r.enabled) m_class[row] = table()[element].RdbClass;
            m_low[row] = !r.enabled                      ? 0
                         : row == kRowC && r.minimum < 0 ? 1
                                                         : std::max(r.minimum, 0);
            m_high[row] = !r.enabled      ? 0
                          : r.maximum > 0 ? r.maximum
                          : row == kRowH  ? 32000
                                          : int(upper / m_mass[row]) + 1;
        }
    }

    std::vector<std::string> run() {
        level(0);
        return m_found;
    }

private:
    void level(int i) {
        static constexpr int kOrder[] = {kRowC, kRowO, kRowN, kRow5, kRow6, kRow7};
        if (i == 6) return hydrogens();
        const int row = kOrder[i];
        for (m_k[row] = m_low[row]; m_k[row] <= m_high[row]; ++m_k[row])
            level(i + 1);
    }

    void hydrogens() {
        double partial = 0.0;
        for (int row : {kRowC, kRowO, kRowN, kRow5, kRow6, kRow7})
            partial += m_k[row] * m_mass[row];
        int saturation = 2 * m_k[kRowC] + m_k[kRowN] + 2;
        for (int row : {kRow5, kRow6, kRow7}) {
            const int c = m_class[row], n = m_k[row];
            saturation += c == 1 ? 2 * n : c == 2 ? -n : c == 3 ? n : c >= 4 ? (c - 1) * n : 0;
        }
        for (m_k[kRowH] = m_low[kRowH]; m_k[kRowH] <= std::min(m_high[kRowH], saturation);
             ++m_k[kRowH]) {
            const double mass = partial + m_k[kRowH] * m_mass[kRowH];
            if (std::abs(mass - m_in.target) < m_in.tolerance && accepted()) {
                FormulaCandidate c;
                for (int row = 0; row < kFormulaRows; ++row)
                    c.counts[row] = m_k[row];
                c.elements = {m_in.rowElements[kRow5], m_in.rowElements[kRow6],
                              m_in.rowElements[kRow7]};
                if (!formulaCompositionText(c).empty())
                    m_found.push_back(formulaCompositionText(c));
            }
        }
    }

    bool accepted() const {
        // C-like, H-like, N-like, class 4, class 5.
        double like[5] = {double(m_k[kRowC]), double(m_k[kRowH]), double(m_k[kRowN]), 0, 0};
        for (int row : {kRow5, kRow6, kRow7}) {
            const int c = m_class[row];
            if (c >= 1 && c <= 5) like[c == 1 ? 0 : c == 2 ? 1 : c - 1] += m_k[row];
        }
        const double rdb = like[0] - like[1] / 2 + like[2] / 2 + like[3] * 1.5 + 2 * like[4] + 1;
        if (m_in.rdbLimits &&
            (std::nearbyint(rdb) < m_in.rdbMinimum || std::nearbyint(rdb) > m_in.rdbMaximum))
            return false;
        if (m_in.molecularIonsOnly && rdb != std::floor(rdb)) return false;
        if (m_in.nitrogenRule && m_k[kRowN] > 0 && (long(m_in.target) - m_k[kRowN]) % 2 != 0)
            return false;
        return true;
    }

    const FormulaSearchInput& m_in;
    double m_mass[kFormulaRows]{};
    int m_low[kFormulaRows]{}, m_high[kFormulaRows]{}, m_k[kFormulaRows]{};
    int m_class[kFormulaRows] = {1, 2, 0, 3, 0, 0, 0};
    std::vector<std::string> m_found;
};

TEST(FormulaSearch, MethaneIsTheOnlyCarbonAndHydrogenFormulaAt16_03) {
    const FormulaSearchResult result = FormulaSearch(query(16.03, 0.01), table());
    EXPECT_EQ(result.end, FormulaSearchEnd::Completed);
    ASSERT_EQ(texts(result), std::vector<std::string>{"C1 H4"});
    const FormulaCandidate& methane = result.candidates[0];
    EXPECT_EQ(methane.position, 1);
    const double mass = formulaCandidateMass(methane, table());
    EXPECT_NEAR(mass, 16.0313, 1e-4);
    EXPECT_EQ(methane.difference, 13);
    EXPECT_EQ(formulaDifferenceText(std::abs(mass - 16.03)), "0.0013");
    EXPECT_EQ(formulaDifferenceText(1.23456), "1.2346");
    EXPECT_EQ(methane.rdb, 0.0f);
}

TEST(FormulaSearch, TargetsOutsideOneTo15000AreNotSearched) {
    FormulaSearchResult result = FormulaSearch(query(0.5, 1.0), table());
    EXPECT_EQ(result.end, FormulaSearchEnd::TargetTooLow);
    EXPECT_TRUE(result.candidates.empty());
    EXPECT_EQ(FormulaSearch(query(15000.01, 0.01), table()).end, FormulaSearchEnd::MassOverflow);
    EXPECT_STREQ(kMassOverflowCaption, "Mass Overflow");
    EXPECT_STREQ(kMassOverflowText, "Maximum MW is 15,000");

    FormulaSearchInput top = query(15000.0, 0.0005);
    setRow(top, kRowC, 1000, 0);
    result = FormulaSearch(top, table());
    EXPECT_EQ(result.end, FormulaSearchEnd::Completed);
    EXPECT_FALSE(result.candidates.empty());
    for (const FormulaCandidate& c : result.candidates)
        EXPECT_LT(std::abs(formulaCandidateMass(c, table()) - 15000.0), 0.0005);
}

TEST(FormulaSearch, ADisabledCarbonRowMeansNoCarbonAndTextsThenStartWithABlank) {
    FormulaSearchInput input = query(18.0106, 0.01);
    input.rows[kRowC] = {false, 1, 0};
    setRow(input, kRowO, 0, 0);
    EXPECT_EQ(texts(FormulaSearch(input, table())), std::vector<std::string>{" H2 O1"});

    // Around 16: oxygen alone without carbon, methane as well with it.
    input.target = 16.0;
    input.tolerance = 0.05;
    EXPECT_EQ(texts(FormulaSearch(input, table())), std::vector<std::string>{" O1"});
    input.rows[kRowC] = {true, 0, 0};
    EXPECT_EQ(texts(FormulaSearch(input, table())), (std::vector<std::string>{" O1", "C1 H4"}));
}

TEST(FormulaSearch, CompositionTextsOfEveryCountWidthAgreeWithAPlainlyBuiltText) {
    // Counts of one to five digits in every row, absent rows, two-letter symbols in rows 5-7.
    const int widths[] = {0, 1, 9, 10, 99, 100, 255, 256, 999, 1000, 1023, 1024, 32000};
    const char* fixed[] = {"C", "H", "O", "N"};
    FormulaCandidate c;
    c.elements = {table().findSymbol("Cl"), table().findSymbol("Br"), table().findSymbol("S")};
    const char* changeable[] = {"Cl", "Br", "S"};
    std::mt19937 random(7);
    for (int trial = 0; trial < 3000; ++trial) {
        std::string expected;
        for (int row = 0; row < kFormulaRows; ++row) {
            const int count = widths[random() % std::size(widths)];
            c.counts[row] = count;
            if (count == 0) continue;
            if (row != kRowC) expected += ' ';
            expected += row < kRow5 ? fixed[row] : changeable[row - kRow5];
            expected += std::to_string(count);
        }
        ASSERT_EQ(formulaCompositionText(c), expected);
    }
    c.counts = {};
    EXPECT_EQ(formulaCompositionText(c), "");
}

TEST(FormulaSearch, AgreesWithTheUnprunedEnumerationInOrderAndContent) {
    std::vector<FormulaSearchInput> queries;
    FormulaSearchInput chno = query(300.1, 0.05);
    setRow(chno, kRowC, 0, 30);
    setRow(chno, kRowO, 0, 10);
    setRow(chno, kRowN, 0, 5);
    queries.push_back(chno);
    // Chlorine lowers the saturation, silicon raises it, sulfur leaves it.
    FormulaSearchInput halo = chno;
    setRow(halo, kRow5, 0, 4);
    setRow(halo, kRow6, 0, 2);
    setRow(halo, kRow7, 0, 3);
    queries.push_back(halo);
    // Rows 5-7 with other elements: phosphorus (class 3), molybdenum (class 5), bromine.
    FormulaSearchInput other = chno;
    setRow(other, kRow5, 0, 2, table().findSymbol("P"));
    setRow(other, kRow6, 0, 1, table().findSymbol("Mo"));
    setRow(other, kRow7, 0, 2, table().findSymbol("Br"));
    queries.push_back(other);
    // Every filter at once, and minimums above 0.
    FormulaSearchInput filtered = halo;
    filtered.rdbLimits = true;
    filtered.rdbMinimum = 2;
    filtered.rdbMaximum = 9;
    filtered.molecularIonsOnly = true;
    filtered.nitrogenRule = true;
    filtered.rows[kRowO].minimum = 1;
    filtered.rows[kRowH] = {true, 4, 40};
    queries.push_back(filtered);
    // A tolerance of 2 u and no user limits at all.
    FormulaSearchInput wide = query(121.3, 2.0);
    setRow(wide, kRowO, 0, 0);
    setRow(wide, kRowN, 0, 0);
    queries.push_back(wide);

    for (std::size_t q = 0; q < queries.size(); ++q) {
        SCOPED_TRACE(q);
        queries[q].maxResults = 1000000;
        const FormulaSearchResult result = FormulaSearch(queries[q], table());
        EXPECT_EQ(result.end, FormulaSearchEnd::Completed);
        const std::vector<std::string> expected = UnprunedSearch(queries[q]).run();
        EXPECT_GT(expected.size(), 10u);
        EXPECT_EQ(texts(result), expected);
        for (std::size_t i = 0; i < result.candidates.size(); ++i) {
            const FormulaCandidate& c = result.candidates[i];
            EXPECT_EQ(c.position, static_cast<int>(i + 1));
            EXPECT_GE(c.rdb, 0.0f);
            // The mass of a result is the one the search compared: strictly in the window.
            const double mass = formulaCandidateMass(c, table());
            EXPECT_LT(std::abs(mass - queries[q].target), queries[q].tolerance);
            EXPECT_EQ(c.difference, std::lround(std::abs(mass - queries[q].target) * 1e4));
        }
    }
}

/// Every composition the rows allow, tried one by one: each heavy row from its minimum until
/// the mass leaves the window, hydrogen from its minimum to saturation and its maximum, every
/// candidate built in full as the search stores it.
std::vector<FormulaCandidate> bruteForce(const FormulaSearchInput& in) {
    const std::array<int, kFormulaRows> element = {
        1, 2, 4, 3, in.rowElements[kRow5], in.rowElements[kRow6], in.rowElements[kRow7]};
    std::array<double, kFormulaRows> mass{};
    std::array<int, kFormulaRows> low{}, high{}, rdbClass{1, 2, 0, 3, 0, 0, 0};
    for (int row = 0; row < kFormulaRows; ++row) {
        const FormulaSearchRow& r = in.rows[row];
        mass[row] = table()[element[row]].ExactMass;
        if (row >= kRow5 && r.enabled) rdbClass[row] = table()[element[row]].RdbClass;
        low[row] = r.enabled ? std::max(r.minimum, 0) : 0;
        high[row] = !r.enabled ? 0 : r.maximum > 0 ? r.maximum : 100000;
    }
    const double upper = in.target + in.tolerance;
    std::vector<FormulaCandidate> found;
    std::array<std::int32_t, kFormulaRows> k{};
    auto hydrogens = [&](double partial) {
        int saturation = 2 * k[kRowC] + k[kRowN] + 2;
        double like[5] = {double(k[kRowC]), 0, double(k[kRowN]), 0, 0}; // C, H, N, 4, 5
        for (int row : {kRow5, kRow6, kRow7}) {
            const int c = rdbClass[row];
            saturation += c == 1   ? 2 * k[row]
                          : c == 2 ? -k[row]
                          : c == 3 ? k[row]
                          : c >= 4 ? (c - 1) * k[row]
                                   : 0;
            if (c >= 1 && c <= 5) like[c == 1 ? 0 : c == 2 ? 1 : c - 1] += k[row];
        }
        for (k[kRowH] = low[kRowH]; k[kRowH] <= std::min(high[kRowH], saturation); ++k[kRowH]) {
            const double m = partial + k[kRowH] * mass[kRowH];
            if (!(std::abs(m - in.target) < in.tolerance)) continue;
            const float rdb = static_cast<float>(like[0] - (like[1] + k[kRowH]) * 0.5 +
                                                 like[2] * 0.5 + like[3] * 1.5 + 2 * like[4] + 1);
            if (in.rdbLimits &&
                (std::nearbyint(rdb) < in.rdbMinimum || std::nearbyint(rdb) > in.rdbMaximum))
                continue;
            if (in.molecularIonsOnly && rdb != std::floor(rdb)) continue;
            if (in.nitrogenRule && k[kRowN] > 0 && (long(in.target) - k[kRowN]) % 2 != 0) continue;
            FormulaCandidate c;
            c.counts = k;
            if (std::all_of(k.begin(), k.end(), [](int n) { return n == 0; })) continue;
            c.position = static_cast<int>(found.size() + 1);
            c.elements = {element[kRow5], element[kRow6], element[kRow7]};
            c.difference = static_cast<int>(std::nearbyint(std::abs(m - in.target) * 1e4));
            c.rdb = rdb;
            found.push_back(c);
        }
    };
    auto level = [&](auto& self, int i, double partial) -> void {
        if (i == 6) return hydrogens(partial);
        const int row = std::array{kRowC, kRowO, kRowN, kRow5, kRow6, kRow7}[i];
        for (k[row] = low[row]; k[row] <= high[row]; ++k[row]) {
            const double m = partial + k[row] * mass[row];
            if (m > upper + 1e-6) break; // more atoms only add mass
            self(self, i + 1, m);
        }
        k[row] = 0;
    };
    level(level, 0, 0.0);
    return found;
}

TEST(FormulaSearch, RandomQueriesGiveExactlyTheBruteForceListUpToTheOverflow) {
    std::mt19937 random(20261209);
    auto uniform = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(random); };
    auto real = [&](double a, double b) {
        return std::uniform_real_distribution<double>(a, b)(random);
    };
    const int changeable[] = {table().findSymbol("Cl"), table().findSymbol("Br"),
                              table().findSymbol("F"),  table().findSymbol("S"),
                              table().findSymbol("P"),  table().findSymbol("Si"),
                              table().findSymbol("I"),  table().findSymbol("Na")};
    int overflows = 0, withResults = 0, narrowWithResults = 0;
    for (int q = 0; q < 300; ++q) {
        FormulaSearchInput in =
            query(real(50.0, 1500.0), std::exp(real(std::log(0.001), std::log(1.5))));
        // Limits that keep the brute force to about 10^5 heavy combinations.
        setRow(in, kRowC, uniform(0, 2), uniform(0, 3) == 0 ? 0 : uniform(5, 110));
        in.rows[kRowH] = {uniform(0, 9) != 0, uniform(0, 3),
                          uniform(0, 3) == 0 ? 0 : uniform(1, 220)};
        if (uniform(0, 4) != 0) setRow(in, kRowO, uniform(0, 1), uniform(0, 30));
        if (uniform(0, 4) != 0) setRow(in, kRowN, 0, uniform(0, 20));
        for (int row : {kRow5, kRow6, kRow7})
            if (uniform(0, 2) == 0) setRow(in, row, 0, uniform(1, 6), changeable[uniform(0, 7)]);
        in.rdbLimits = uniform(0, 3) == 0;
        in.rdbMinimum = uniform(-2, 5);
        in.rdbMaximum = in.rdbMinimum + uniform(0, 30);
        in.molecularIonsOnly = uniform(0, 3) == 0;
        in.nitrogenRule = uniform(0, 2) == 0;
        double combinations = 1;
        for (int row : {kRowC, kRowO, kRowN, kRow5, kRow6, kRow7})
            if (in.rows[row].enabled)
                combinations *=
                    (in.rows[row].maximum > 0 ? in.rows[row].maximum : in.target / 12) + 1;
        if (combinations > 2e5) {
            --q; // draw again: too slow for the brute force
            continue;
        }
        SCOPED_TRACE(testing::Message()
                     << "query " << q << " target " << in.target << " +- " << in.tolerance);
        const std::vector<FormulaCandidate> expected = bruteForce(in);
        const FormulaSearchResult result = FormulaSearch(in, table()); // 1,000 results at most
        const std::size_t kept = std::min<std::size_t>(expected.size(), 1000);
        EXPECT_EQ(result.end, expected.size() > 1000 ? FormulaSearchEnd::ListOverflow
                                                     : FormulaSearchEnd::Completed);
        ASSERT_EQ(result.candidates.size(), kept);
        for (std::size_t i = 0; i < kept; ++i) {
            const FormulaCandidate &a = result.candidates[i], &b = expected[i];
            ASSERT_EQ(formulaCompositionText(a), formulaCompositionText(b)) << "result " << i;
            EXPECT_EQ(a.position, b.position);
            EXPECT_EQ(a.counts, b.counts);
            EXPECT_EQ(a.elements, b.elements);
            EXPECT_EQ(a.difference, b.difference);
            EXPECT_EQ(a.rdb, b.rdb);
        }
        overflows += expected.size() > 1000;
        withResults += !expected.empty();
        narrowWithResults += !expected.empty() && in.tolerance < 0.05;
    }
    // The draw must reach both ends: narrow windows with results, and lists that overflow.
    EXPECT_GT(withResults, 100);
    EXPECT_GT(narrowWithResults, 50);
    EXPECT_GT(overflows, 5);
}

TEST(FormulaSearch, RingsPlusDoubleBondsCountEachRowByItsClass) {
    // Chlorobenzene, C6 H5 Cl: 4; trimethylsilanol C3 H10 O Si: 0; thiophene C4 H4 S: 3.
    struct Case {
        const char* text;
        double mass;
        float rdb;
    };
    for (const Case& c : {Case{"C6 H5 Cl1", 112.00798, 4.0f}, Case{"C3 H10 O1 Si1", 90.05009, 0.0f},
                          Case{"C4 H4 S1", 84.00337, 3.0f}}) {
        FormulaSearchInput input = query(c.mass, 0.0001);
        setRow(input, kRowO, 0, 0);
        setRow(input, kRow5, 0, 0);
        setRow(input, kRow6, 0, 0);
        setRow(input, kRow7, 0, 0);
        const FormulaSearchResult result = FormulaSearch(input, table());
        bool seen = false;
        for (const FormulaCandidate& candidate : result.candidates) {
            if (formulaCompositionText(candidate) != c.text) continue;
            seen = true;
            EXPECT_EQ(candidate.rdb, c.rdb) << c.text;
        }
        EXPECT_TRUE(seen) << c.text;
    }
}

TEST(FormulaSearch, MolecularIonsKeepWholeNumberRdbOnly) {
    // C3 H4 N (RDB 2.5) and C4 H4 (RDB 3) at their own masses.
    FormulaSearchInput radical = query(54.03437, 0.0005);
    setRow(radical, kRowN, 0, 0);
    FormulaSearchInput butatriene = query(52.03130, 0.0005);
    const auto has = [](const FormulaSearchResult& r, const std::string& text) {
        for (const FormulaCandidate& c : r.candidates)
            if (formulaCompositionText(c) == text) return true;
        return false;
    };
    EXPECT_TRUE(has(FormulaSearch(radical, table()), "C3 H4 N1"));
    EXPECT_TRUE(has(FormulaSearch(butatriene, table()), "C4 H4"));
    radical.molecularIonsOnly = butatriene.molecularIonsOnly = true;
    EXPECT_FALSE(has(FormulaSearch(radical, table()), "C3 H4 N1"));
    EXPECT_TRUE(has(FormulaSearch(butatriene, table()), "C4 H4"));
}

TEST(FormulaSearch, NitrogenRuleWantsOddNitrogenForAnOddWeight) {
    FormulaSearchInput input = query(121.5, 0.5);
    setRow(input, kRowO, 0, 4);
    setRow(input, kRowN, 0, 4);
    std::set<int> nitrogensOff, nitrogensOn;
    for (const FormulaCandidate& c : FormulaSearch(input, table()).candidates)
        nitrogensOff.insert(c.counts[kRowN]);
    input.nitrogenRule = true;
    for (const FormulaCandidate& c : FormulaSearch(input, table()).candidates)
        nitrogensOn.insert(c.counts[kRowN]);
    EXPECT_EQ(nitrogensOff, (std::set<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(nitrogensOn, (std::set<int>{0, 1, 3}));
}

TEST(FormulaSearch, ListOverflowKeepsExactlyTheFirstResults) {
    FormulaSearchInput input = query(500.0, 1.0);
    setRow(input, kRowO, 0, 0);
    setRow(input, kRowN, 0, 0);
    input.maxResults = 1000000;
    const FormulaSearchResult all = FormulaSearch(input, table());
    const auto total = static_cast<int>(all.candidates.size());
    ASSERT_GT(total, 1000);

    input.maxResults = 1000; // the window's list
    FormulaSearchResult result = FormulaSearch(input, table());
    EXPECT_EQ(result.end, FormulaSearchEnd::ListOverflow);
    ASSERT_EQ(result.candidates.size(), 1000u);
    EXPECT_EQ(formulaCompositionText(result.candidates[999]),
              formulaCompositionText(all.candidates[999]));

    input.maxResults = total; // exactly as many as there are ends normally
    result = FormulaSearch(input, table());
    EXPECT_EQ(result.end, FormulaSearchEnd::Completed);
    EXPECT_EQ(static_cast<int>(result.candidates.size()), total);
    input.maxResults = total - 1;
    EXPECT_EQ(FormulaSearch(input, table()).end, FormulaSearchEnd::ListOverflow);
    EXPECT_STREQ(kListOverflowText, "List terminated.  There are too many entries.\r"
                                    "Try reducing the tolerance, or \rreset the elements Min/Max "
                                    "values");
}

struct RecordingProgress : FormulaSearchProgress {
    std::vector<int> calls;
    int stopAfter = -1; ///< number of calls after which to stop; -1 never
    bool proceed(int found) override {
        calls.push_back(found);
        return stopAfter < 0 || static_cast<int>(calls.size()) < stopAfter;
    }
};

TEST(FormulaSearch, ASinkTakesEveryResultInOrderAndTheListStaysEmpty) {
    struct Collect : FormulaSearchSink {
        std::vector<FormulaCandidate> taken;
        std::size_t stopAfter = SIZE_MAX;
        bool take(const FormulaCandidate& c) override {
            taken.push_back(c);
            return taken.size() < stopAfter;
        }
    };
    FormulaSearchInput input = query(500.0, 1.0);
    setRow(input, kRowO, 0, 0);
    setRow(input, kRowN, 0, 0);
    input.maxResults = 1000000;
    const FormulaSearchResult listed = FormulaSearch(input, table());
    ASSERT_GT(listed.candidates.size(), 1000u);

    Collect sink;
    const FormulaSearchResult streamed = FormulaSearch(input, table(), nullptr, &sink);
    EXPECT_EQ(streamed.end, FormulaSearchEnd::Completed);
    EXPECT_TRUE(streamed.candidates.empty());
    EXPECT_EQ(streamed.found, static_cast<std::int64_t>(listed.candidates.size()));
    ASSERT_EQ(sink.taken.size(), listed.candidates.size());
    for (std::size_t i = 0; i < sink.taken.size(); ++i) {
        EXPECT_EQ(sink.taken[i].position, listed.candidates[i].position);
        EXPECT_EQ(sink.taken[i].counts, listed.candidates[i].counts);
        EXPECT_EQ(sink.taken[i].difference, listed.candidates[i].difference);
    }

    // The limit still ends the search after maxResults, and a sink can stop it.
    input.maxResults = 700;
    Collect limited;
    EXPECT_EQ(FormulaSearch(input, table(), nullptr, &limited).end, FormulaSearchEnd::ListOverflow);
    EXPECT_EQ(limited.taken.size(), 700u);
    input.maxResults = 1000000;
    Collect stopping;
    stopping.stopAfter = 123;
    const FormulaSearchResult stopped = FormulaSearch(input, table(), nullptr, &stopping);
    EXPECT_EQ(stopped.end, FormulaSearchEnd::Stopped);
    EXPECT_EQ(stopped.found, 123);
    EXPECT_EQ(stopping.taken.size(), 123u);
}

TEST(FormulaSearch, ReportsEveryFiftyResultsAndStopsWhenAsked) {
    FormulaSearchInput input = query(250.0, 0.5);
    setRow(input, kRowO, 0, 0);
    setRow(input, kRowN, 0, 0);
    input.maxResults = 230;
    RecordingProgress progress;
    FormulaSearchResult result = FormulaSearch(input, table(), &progress);
    std::vector<int> counted;
    for (int found : progress.calls)
        if (found % 50 == 0 && found > 0) counted.push_back(found);
    EXPECT_EQ(counted, (std::vector<int>{50, 100, 150, 200}));

    RecordingProgress stopper;
    stopper.stopAfter = 1;
    result = FormulaSearch(input, table(), &stopper);
    EXPECT_EQ(result.end, FormulaSearchEnd::Stopped);
    EXPECT_EQ(result.candidates.size(), 50u);
}

TEST(FormulaSearch, LongSearchesWithoutResultsStillReportAndCanBeStopped) {
    // Every row open to the highest target and an RDB window nothing reaches: hours of work
    // and never a stored result. Only the 50 ms reports let a Stop through.
    FormulaSearchInput input = query(14999.0, 2.0);
    for (int row = kRowO; row < kFormulaRows; ++row)
        setRow(input, row, 0, 0);
    input.rdbLimits = true;
    input.rdbMinimum = input.rdbMaximum = 100000;
    RecordingProgress stopper;
    stopper.stopAfter = 3;
    const auto start = std::chrono::steady_clock::now();
    const FormulaSearchResult result = FormulaSearch(input, table(), &stopper);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(result.end, FormulaSearchEnd::Stopped);
    EXPECT_EQ(stopper.calls, (std::vector<int>{0, 0, 0}));
    EXPECT_TRUE(result.candidates.empty());
    EXPECT_GE(elapsed, std::chrono::milliseconds(150));
    EXPECT_LT(elapsed, std::chrono::seconds(5));
}

TEST(FormulaSearch, OddInputsAreTakenAsTheWindowDoes) {
    // A negative tolerance is 1.
    FormulaSearchInput input = query(16.03, -3);
    FormulaSearchResult result = FormulaSearch(input, table());
    EXPECT_EQ(result.tolerance, 1.0);
    input.tolerance = 1.0;
    EXPECT_EQ(texts(result), texts(FormulaSearch(input, table())));

    // A negative carbon minimum is 1; a negative minimum of another row is 0.
    input = query(44.0, 0.1);
    setRow(input, kRowC, -5, 0);
    setRow(input, kRowO, -5, 0);
    result = FormulaSearch(input, table());
    ASSERT_FALSE(result.candidates.empty());
    for (const FormulaCandidate& c : result.candidates) {
        EXPECT_GE(c.counts[kRowC], 1);
        EXPECT_GE(c.counts[kRowO], 0);
    }

    // A formula without atoms (mass 0) is never a result, however wide the tolerance.
    input = query(1.5, 2.0);
    input.rows[kRowC].enabled = false;
    EXPECT_EQ(texts(FormulaSearch(input, table())), (std::vector<std::string>{" H1", " H2"}));
}

} // namespace
} // namespace qzx
