// qzx-calc isotopes and formulas as a script sees them: output shapes, exit codes, messages.
#include <string>

#include <gtest/gtest.h>

#include "calc_run.h"

namespace {

using qzx::test::calc;
using qzx::test::CalcRun;

TEST(CalcFormulas, PrintsTheJsonShapeInSearchOrder) {
    CalcRun run = calc("--json formulas 16.03 0.01");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "{\"results\": [{\"composition\": \"C1 H4\", \"mass\": "
                       "16.03130006790161, \"difference\": 0.0013, \"rdb\": 0}], \"count\": 1}\n");

    // Rows beyond C, H, O, N take rows 5-7 in the order named; compositions list them so.
    run = calc("--json formulas 119.0084 0.005 --rows C:0-6,H,S:1-1,P:1");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\"C4 H8 S1 P1\""), std::string::npos) << run.out;

    // Without carbon a composition begins with a blank; a maximum of 0 switches a row off.
    run = calc("--json formulas 18.0106 0.01 --rows C:0-0,H,O:0-2");
    EXPECT_EQ(run.out.rfind("{\"results\": [{\"composition\": \" H2 O1\", ", 0), 0u);
    EXPECT_NE(run.out.find("], \"count\": 1}\n"), std::string::npos);

    run = calc("formulas 16.03 0.01");
    // Each line is printed as the search finds it, the count last.
    EXPECT_EQ(run.out, "Composition                           Mass  Difference     RDB\n"
                       "C1 H4                              16.0313      0.0013       0\n"
                       "Found: 1\n");
    run = calc("formulas 16.5 0.01");
    EXPECT_EQ(run.out, "Composition                           Mass  Difference     RDB\n"
                       "No Matches\n"
                       "Found: 0\n");
}

TEST(CalcFormulas, FiltersAndTheListLimit) {
    // Nitrogen rule at 121: no result with an even number of nitrogens.
    CalcRun run = calc("--json formulas 121.05 0.05 --rows C,H,N:0-4 --nitrogen-rule");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.find(" N2\""), std::string::npos);
    EXPECT_NE(run.out.find(" N1\""), std::string::npos);

    run = calc("--json formulas 300 0.5 --rows C,H,O,N --max-results 3");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("], \"count\": 3}\n"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("List Overflow: List terminated."), std::string::npos);

    // Results are printed as they are found, so a limit beyond any list costs no memory.
    run = calc("--json formulas 300 0.5 --rows C,H,O,N --max-results 2000000000");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.err.empty()) << run.err;
    EXPECT_NE(run.out.find("], \"count\": "), std::string::npos);

    // Without limits C20 H12 O3 (15), C21 H16 O2 (14) and C21 O3 (22) come too.
    run = calc("--json formulas 300 0.5 --rows C:20-21,H,O:0-3 --rdb 5:7");
    EXPECT_NE(run.out.find("], \"count\": 2}\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"C20 H28 O2\""), std::string::npos);
    EXPECT_NE(run.out.find("\"C21 H32 O1\""), std::string::npos);

    // C10 H1 has 10.5 rings plus double bonds: no molecular ion.
    run = calc("--json formulas 121.05 0.05 --rows C,H,N:0-4");
    EXPECT_NE(run.out.find("\"C10 H1\""), std::string::npos);
    run = calc("--json formulas 121.05 0.05 --rows C,H,N:0-4 --molecular-ions");
    EXPECT_EQ(run.out.find("\"C10 H1\""), std::string::npos);
    EXPECT_NE(run.out.find("\"C6 H7 N3\""), std::string::npos);
}

TEST(CalcFormulas, RefusesBadInputWithAMessage) {
    const struct {
        const char* arguments;
        const char* message;
    } cases[] = {
        {"formulas 15000.01 1", "Mass Overflow: Maximum MW is 15,000"},
        {"formulas 0.5 1", "MASS must be at least 1"},
        {"formulas abc 1", "MASS must be a number"},
        {"formulas 100 -1", "TOL must be a number of 0 or more"},
        {"formulas 100", "formulas needs MASS and TOL"},
        {"formulas 100 1 --rows Xq:0-2", "unknown element 'Xq'"},
        {"formulas 100 1 --rows C:5-2", "expected MIN-MAX"},
        {"formulas 100 1 --rows C,C:0-2", "named twice"},
        {"formulas 100 1 --rows Cl,Br,I,F", "at most three elements"},
        {"formulas 100 1 --rdb 5", "--rdb needs MIN:MAX"},
        {"formulas 100 1 --max-results 0", "--max-results needs a whole number"},
        {"formulas 100 1 --fast", "unknown option '--fast'"},
    };
    for (const auto& c : cases) {
        const CalcRun run = calc(c.arguments);
        EXPECT_EQ(run.status, 1) << c.arguments;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << ": " << run.err;
        EXPECT_EQ(run.out, "") << c.arguments;
    }
}

TEST(CalcIsotopes, PrintsTheJsonShapeAndNotices) {
    CalcRun run = calc("--json isotopes cl2 --accurate");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("{\"formula\": \"Cl2\", \"nominal_mass\": 70, \"peaks\": "
                            "[{\"mass\": 69.937706, \"abundance\": 100}, ",
                            0),
              0u)
        << run.out;
    EXPECT_NE(run.out.find("], \"notice\": \"\"}\n"), std::string::npos);

    run = calc("--json isotopes C6 H6 N2 O2 S Cl --accurate --deuterium");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "{\"formula\": \"C6 H6 N2 O2 S Cl\", \"nominal_mass\": 205, \"peaks\": "
                       "[], \"notice\": \"Too Many Polyisotopic Elements!\\r\\n              "
                       "The Maximum is 5\"}\n");

    run = calc("isotopes 'C H2 Cl2' --min 1");
    EXPECT_EQ(run.out, "Formula: C H2 Cl2\nNominal mass: 84\n"
                       "        Mass   Rel Abund\n"
                       "          84      100.00\n"
                       "          85        1.10\n"
                       "          86       63.99\n"
                       "          88       10.24\n");
}

TEST(CalcIsotopes, RefusesBadInputWithAMessage) {
    const struct {
        const char* arguments;
        const char* message;
    } cases[] = {
        {"isotopes", "isotopes needs a FORMULA"},
        {"isotopes Cx2", "cannot read the formula 'Cx2'"},
        {"isotopes Xx2", "no element symbol"},
        {"isotopes C6 --deuterium", "--deuterium needs --accurate"},
        {"isotopes C6 --min 101", "--min needs a percentage from 0 to 100"},
        {"isotopes C6 --min", "--min needs a percentage"},
        {"isotopes C6 --exact", "unknown option '--exact'"},
    };
    for (const auto& c : cases) {
        const CalcRun run = calc(c.arguments);
        EXPECT_EQ(run.status, 1) << c.arguments;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << ": " << run.err;
    }
}

} // namespace
