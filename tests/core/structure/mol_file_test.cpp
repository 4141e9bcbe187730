// MOL files: the exported line layout, the pixel conversion, nitro pseudo-atoms, aromatic bonds
// and every way an imported file can be wrong.
#include "structure/mol_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "editor_test_support.h"
#include "scratch_folder.h"
#include "structure_builders.h"
#include "test_paths.h"
#include "util/safe_file.h"

namespace qzx {
namespace {
namespace fs = std::filesystem;
using test::elements;
using test::snapshot;

std::string encode(const Structure& s, int bondLength = kDefaultMolBondLength,
                   const std::string& title = "Title") {
    const MolText mol = encodeMolFile(s, elements(), bondLength, title);
    EXPECT_EQ(mol.error, "");
    return mol.text;
}

MolImportResult decode(const std::string& text, Structure& s,
                       int bondLength = kDefaultMolBondLength) {
    return decodeMolFile(text, s, elements(), bondLength);
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "every line ends with CR LF";
    return lines;
}

/// A MOL file with the given atom lines ("x y symbol") and bond lines ("a b type").
std::string molText(const std::vector<std::string>& atoms, const std::vector<std::string>& bonds,
                    const std::string& end = "\n", const std::string& properties = "") {
    std::ostringstream out;
    out << "Test molecule" << end << "  by hand" << end << end;
    char counts[16];
    std::snprintf(counts, sizeof counts, "%3zu%3zu", atoms.size(), bonds.size());
    out << counts << "  0  0  0  0  0  0  0  0999 V2000" << end;
    for (const std::string& atom : atoms) {
        double x = 0, y = 0;
        std::string symbol;
        std::istringstream(atom) >> x >> y >> symbol;
        char line[96];
        std::snprintf(line, sizeof line, "%10.4f%10.4f    0.0000 %-3s 0  0  0  0  0  0", x, y,
                      symbol.c_str());
        out << line << end;
    }
    for (const std::string& bond : bonds) {
        int a = 0, b = 0, type = 0;
        std::istringstream(bond) >> a >> b >> type;
        char line[64];
        std::snprintf(line, sizeof line, "%3d%3d%3d  0  0  0  0", a, b, type);
        out << line << end;
    }
    if (!properties.empty()) out << properties << end;
    out << "M  END" << end;
    return out.str();
}

/// Benzene as a ring of aromatic (type 4) bonds, 1 MOL unit per bond.
std::string aromaticBenzene() {
    return molText(
        {"0 1 C", "-0.866 0.5 C", "-0.866 -0.5 C", "0 -1 C", "0.866 -0.5 C", "0.866 0.5 C"},
        {"1 2 4", "2 3 4", "3 4 4", "4 5 4", "5 6 4", "6 1 4"});
}

/// Imports a file from the test data.
std::string loadFile(const std::string& name, Structure& s) {
    return importMolFile(fs::path(QZX_TEST_DATA_DIR) / "structures" / name, s, elements(),
                         kDefaultMolBondLength)
        .error;
}

std::vector<int> orders(const Structure& s) {
    std::vector<int> result;
    for (int row = 1; row <= s.count.bonds; ++row)
        result.push_back(s.bond(row).Order);
    return result;
}

TEST(MolExport, WritesTheFixedLineLayoutWithCrLf) {
    Structure s;
    const int c = test::addAtom(s, test::makeAtom(1, 320, 160, 3, 1, 0));
    const int cl = test::addAtom(s, test::makeAtom(6, 345, 140, 0, 1, 0));
    test::addBond(s, c, cl, 1);
    const std::vector<std::string> lines = linesOf(encode(s, 100, "Chloromethane"));
    const std::vector<std::string> expected = {
        "Chloromethane",
        "",
        "QZX Professional v4.0",
        "  2  1",
        "    0.0000    0.0000    0.0000 C  ",
        "    1.2500    1.0000    0.0000 Cl ",
        "  1  2  1   0.0",
        "M  END",
    };
    EXPECT_EQ(lines, expected);
    // Symbols fill columns 32 to 34, where the atom line of every MOL reader has them.
    EXPECT_EQ(lines[4].size(), 34u);

    // The title: Latin-1, one line, no trailing blanks (structure labels are padded to 60).
    EXPECT_EQ(linesOf(encode(s, 100, "Caf\xC3\xA9 \r\nlabel" + std::string(20, ' ')))[0],
              "Caf\xE9   label");
}

TEST(MolExport, PixelsBecomeMolUnitsThroughTheMolBondLength) {
    Structure s;
    test::addAtom(s, test::makeAtom(1, 340, 150, 4, 1, 0));
    test::addAtom(s, test::makeAtom(1, 300, 170, 4, 1, 0));
    test::addBond(s, 1, 2, 1);
    std::vector<std::string> lines = linesOf(encode(s, 50));
    EXPECT_EQ(lines[4].substr(0, 20), "    2.0000    1.0000");
    EXPECT_EQ(lines[5].substr(0, 20), "   -2.0000   -1.0000");
    lines = linesOf(encode(s, 3));
    EXPECT_EQ(lines[4].substr(0, 20), "   33.3333   16.6667") << "single precision, 4 decimals";

    for (const int bad : {0, -100}) {
        const MolText refused = encodeMolFile(s, elements(), bad, "x");
        EXPECT_EQ(refused.text, "");
        EXPECT_EQ(refused.error, "The MOL bond length must be a whole number of at least 1");
        Structure target;
        EXPECT_EQ(decode(encode(s), target, bad).status, MolImportStatus::CannotRead);
    }

    s.atom(1).X = 4000000; // beyond any drawing: the columns cannot hold it
    s.bond(1).X1 = 4000000;
    EXPECT_NE(encodeMolFile(s, elements(), 1, "x").error, "");
}

TEST(MolExport, ExportLeavesTheStructureAlone) {
    // Toluene with everything an export could be tempted to touch: history (the saved counters
    // lie before the methyl), an undo record and its saved label flag, a selection, a bond undo
    // took the aromatic state from, a row above the counters, a label whose trailing blanks
    // the title drops, and the file it came from.
    Structure s = test::toluene();
    s.atom(3).SavedLabelShown = 1;
    s.undo = UndoRecord{UndoRecord::ElementChanged, 3, 1, 1};
    s.SelectionList = {2, 3};
    s.deAromatisedBonds = {4};
    s.Lax[static_cast<std::size_t>(s.count.atoms) + 1] = test::makeAtom(6, 400, 400, 0, 1, 0);
    s.StructureLabel = "Toluene" + std::string(53, ' ');
    s.CurrentFile = "toluene.msd";
    const Structure before = s;
    ASSERT_NE(s.saved, s.count);

    const test::ScratchFolder scratch("qzx_mol_export_");
    const fs::path file = scratch.path() / "toluene.mol";
    ASSERT_EQ(exportMolFile(file, s, elements(), kDefaultMolBondLength), "");
    EXPECT_EQ(linesOf(test::readText(file)).at(0), "Toluene") << "the label, trimmed, is the title";
    EXPECT_TRUE(test::sameStructure(s, before));
    ASSERT_EQ(exportMolFile(file, s, elements(), 3, "Another title"), "");
    EXPECT_EQ(linesOf(test::readText(file)).at(0), "Another title");
    EXPECT_TRUE(test::sameStructure(s, before));
}

using MolEditor = test::EditorTest;

TEST_F(MolEditor, BenzeneFromTheToolExportsAlternatingBondTypes) {
    drag(kToolBenzene, {320, 140}, {320, 140});
    const std::vector<std::string> lines = linesOf(encode(s));
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[16], "M  END");
    EXPECT_EQ(lines[3], "  6  6");
    std::vector<std::string> types;
    for (std::size_t i = 10; i < 16; ++i)
        types.push_back(lines[i].substr(6, 3));
    EXPECT_EQ(types, (std::vector<std::string>{"  2", "  1", "  2", "  1", "  2", "  1"}));
    EXPECT_EQ(lines[10], "  1  2  2   0.0");
}

TEST_F(MolEditor, NitroGroupIsWrittenAsChargedAtomsAndComesBackAsTheToolDrawsIt) {
    drag(kToolBenzene, {320, 140}, {320, 140});
    drag(kToolNitro, {320, 140}, {320, 100});
    const std::string first = encode(s);
    const std::vector<std::string> lines = linesOf(first);
    ASSERT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines[3], "  9  9")
        << "every atom and bond of the structure, as other programs count";
    EXPECT_EQ(lines[10], "    0.0000    3.0000    0.0000 N  ");
    // The oxygens 120 degrees apart, one bond length from the nitrogen, away from the ring.
    EXPECT_EQ(lines[11], "    0.8500    3.5000    0.0000 O  ");
    EXPECT_EQ(lines[12], "   -0.8500    3.5000    0.0000 O  ");
    EXPECT_EQ(lines[19], "  1  7  1   0.0");
    EXPECT_EQ(lines[20], "  7  8  2   0.0");
    EXPECT_EQ(lines[21], "  7  9  1   0.0");
    EXPECT_EQ(lines[22], "M  CHG  2   7   1   9  -1");
    EXPECT_EQ(lines[23], "M  END");

    Structure imported;
    ASSERT_EQ(decode(first, imported).error, "");
    EXPECT_EQ(test::tableFaults(imported, test::BondEnds::OnAtoms), "");
    EXPECT_EQ(test::tableFaults(imported, test::BondEnds::AsDrawn), "");
    EXPECT_EQ(test::formula(imported), "C6 H5 N1 O2 ");
    const int nitrogen = 7;
    EXPECT_EQ(imported.atom(nitrogen).Element, 3);
    EXPECT_EQ(imported.atom(nitrogen).NitroOxygen, 0);
    EXPECT_EQ(imported.atom(nitrogen).LabelShown, 0);
    EXPECT_EQ((PixelPoint{imported.atom(nitrogen).X, imported.atom(nitrogen).Y}),
              (PixelPoint{320, 100}));
    for (const int oxygen : {8, 9}) {
        EXPECT_EQ(imported.atom(oxygen).NitroOxygen, 1);
        EXPECT_EQ((PixelPoint{imported.atom(oxygen).X, imported.atom(oxygen).Y}),
                  (PixelPoint{340, 100}));
    }
    EXPECT_EQ(imported.item(imported.count.drawItems).Kind, kNitroItem);
    EXPECT_EQ(encode(imported), first) << "import, export, import is stable";
}

TEST(MolImport, NitroGroupsWrittenAsAtomsBecomeNitroGroups) {
    // R-[N+](=O)[O-] with charges, and the neutral R-N(=O)=O some programs write.
    const std::vector<std::string> atoms = {"0 0 C", "1 0 N", "1.5 0.87 O", "1.5 -0.87 O"};
    Structure separated, neutral;
    ASSERT_EQ(decode(molText(atoms, {"1 2 1", "2 3 2", "2 4 1"}, "\n", "M  CHG  2   2   1   4  -1"),
                     separated)
                  .error,
              "");
    ASSERT_EQ(decode(molText(atoms, {"1 2 1", "2 3 2", "2 4 2"}), neutral).error, "");
    for (const Structure* s : {&separated, &neutral}) {
        EXPECT_EQ(test::formula(*s), "C1 H3 N1 O2 ");
        EXPECT_EQ(s->count.atoms, 4);
        EXPECT_EQ(s->atom(2).LabelShown, 0) << "the nitro label paints the nitrogen";
        EXPECT_EQ(s->atom(3).NitroOxygen, 1);
        EXPECT_EQ(s->item(s->count.drawItems).Kind, kNitroItem);
        EXPECT_EQ(test::tableFaults(*s, test::BondEnds::AsDrawn), "");
    }
    // An N-oxide or a nitrite ester is not a nitro group and keeps its atoms.
    Structure nitrite;
    ASSERT_EQ(
        decode(molText({"0 0 C", "1 0 O", "2 0 N", "3 0 O"}, {"1 2 1", "2 3 1", "3 4 2"}), nitrite)
            .error,
        "");
    EXPECT_EQ(test::formula(nitrite), "C1 H3 N1 O2 ");
    EXPECT_EQ(nitrite.atom(3).LabelShown, 1);
    EXPECT_EQ(nitrite.count.drawItems, 7);
}

TEST(MolImport, MoleculesWithoutBondsAreRead) {
    Structure water, methane, ion;
    ASSERT_EQ(decode(molText({"0 0 O"}, {}), water).error, "");
    EXPECT_EQ(test::formula(water), "H2 O1 ");
    ASSERT_EQ(decode("t\n\n\n  1  0\n    0.0000    0.0000    0.0000 C  \n", methane).error, "");
    EXPECT_EQ(test::formula(methane), "C1 H4 ");
    ASSERT_EQ(decode(molText({"0 0 N"}, {}, "\n", "M  CHG  1   1   1"), ion).error, "");
    EXPECT_EQ(test::formula(ion), "H4 N1 ") << "ammonium";
    EXPECT_EQ(ion.count.bonds, 0);
    EXPECT_EQ(ion.count.drawItems, 1);
}

TEST(MolImport, OriginOfTheFileLandsAt320By160) {
    Structure s;
    ASSERT_EQ(decode(molText({"0 0 C", "1 0 O"}, {"1 2 1"}), s).error, "");
    EXPECT_EQ((PixelPoint{s.atom(1).X, s.atom(1).Y}), (PixelPoint{320, 160}));
    EXPECT_EQ((PixelPoint{s.atom(2).X, s.atom(2).Y}), (PixelPoint{340, 160}));
    EXPECT_EQ(test::formula(s), "C1 H4 O1 ");
    EXPECT_EQ(s.StructureLabel, "Test molecule");

    Structure wide;
    ASSERT_EQ(decode(molText({"0 0 C", "1 -1 O"}, {"1 2 1"}), wide, 200).error, "");
    EXPECT_EQ((PixelPoint{wide.atom(2).X, wide.atom(2).Y}), (PixelPoint{360, 200}));
}

TEST(MolImport, ReplacesTheWholeStructureWithOneWithoutHistory) {
    Structure s = test::toluene();
    s.atom(9).Element = 6; // a row above what the import fills
    s.CurrentFile = "toluene.msd";
    s.SelectionList = {1};
    ASSERT_EQ(decode(molText({"0 0 C", "1 0 C"}, {"1 2 2"}), s).error, "");
    EXPECT_EQ(s.count, (TableCounts{3, 2, 1, 0}));
    EXPECT_EQ(s.saved, s.count);
    EXPECT_EQ(s.atom(9), Atom{});
    EXPECT_EQ(s.Rax[1], AromaticRing{});
    EXPECT_EQ(s.CurrentFile, "") << "Save must not overwrite the old structure file";
    EXPECT_TRUE(s.SelectionList.empty());
    EXPECT_EQ(test::formula(s), "C2 H4 ");
}

TEST(MolImport, AromaticBondsAlternateAndWeighOneAndAHalf) {
    Structure s;
    ASSERT_EQ(decode(aromaticBenzene(), s).error, "");
    EXPECT_EQ(orders(s), (std::vector<int>{2, 1, 2, 1, 2, 1}));
    EXPECT_EQ(test::formula(s), "C6 H6 ");
    EXPECT_EQ(s.count.rings, 0) << "no aromatic ring circle";
    for (int row = 1; row <= s.count.bonds; ++row)
        EXPECT_EQ(s.bond(row).RingState, 0);

    // The ring carbon that carries the methyl keeps no hydrogen; pyridine's N has none.
    Structure toluene;
    ASSERT_EQ(loadFile("toluene_aromatic.mol", toluene), "");
    EXPECT_EQ(test::formula(toluene), "C7 H8 ");
    EXPECT_EQ(toluene.atom(1).Hydrogens, 0);
    Structure pyridine;
    ASSERT_EQ(decode(molText({"0 1 N", "-0.866 0.5 C", "-0.866 -0.5 C", "0 -1 C", "0.866 -0.5 C",
                              "0.866 0.5 C"},
                             {"1 2 4", "2 3 4", "3 4 4", "4 5 4", "5 6 4", "6 1 4"}),
                     pyridine)
                  .error,
              "");
    EXPECT_EQ(test::formula(pyridine), "C5 H5 N1 ");
}

TEST(MolImport, ChargedAtomsGetTheHydrogensOfTheirIsoelectronicNeighbour) {
    // Nitrobenzene as Open Babel writes it: N+ and O-, in the atom block and in "M  CHG".
    const std::string atomBlock =
        "   -1.7321   -2.0000    0.0000 O   0  5  0  0  0  0  0  0  0  0  0  0\n"
        "   -0.8660   -1.5000    0.0000 N   0  3  0  0  0  0  0  0  0  0  0  0\n"
        "   -0.0000   -2.0000    0.0000 O   0  0  0  0  0  0  0  0  0  0  0  0\n"
        "   -0.8660   -0.5000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
        "   -1.7321   -0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
        "   -1.7321    1.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
        "   -0.8660    1.5000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
        "   -0.0000    1.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
        "    0.0000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n";
    const std::string bondBlock = "  1  2  1  0  0  0  0\n  2  3  2  0  0  0  0\n"
                                  "  2  4  1  0  0  0  0\n  4  9  2  0  0  0  0\n"
                                  "  4  5  1  0  0  0  0\n  5  6  2  0  0  0  0\n"
                                  "  6  7  1  0  0  0  0\n  7  8  2  0  0  0  0\n"
                                  "  8  9  1  0  0  0  0\n";
    const std::string head =
        "\n OpenBabel12092600372D\n\n  9  9  0  0  0  0  0  0  0  0999 V2000\n";
    Structure s;
    ASSERT_EQ(decode(head + atomBlock + bondBlock + "M  CHG  2   1  -1   2   1\nM  END\n", s).error,
              "");
    EXPECT_EQ(test::formula(s), "C6 H5 N1 O2 ");
    EXPECT_EQ(decode(head + atomBlock + bondBlock + "M  END\n", s).error, "");
    EXPECT_EQ(test::formula(s), "C6 H5 N1 O2 ") << "the charge column alone";

    // "M  CHG" replaces the atom block's charges: here it names none of them.
    ASSERT_EQ(decode(head + atomBlock + bondBlock + "M  CHG  1   5   0\nM  END\n", s).error, "");
    EXPECT_EQ(test::formula(s), "C6 H6 N1 O2 ") << "uncharged: the O- becomes OH";

    const std::vector<std::pair<std::string, std::string>> ions = {
        {"N 1", "C1 H6 N1 "},  // methylammonium
        {"O -1", "C1 H3 O1 "}, // methoxide
        {"C 1", "C2 H5 "},     // ethyl cation
        {"C -1", "C2 H5 "},    // ethyl anion
        {"B -1", "C1 H6 B1 "}, // methyl borohydride
    };
    for (const auto& [atom, expected] : ions) {
        std::istringstream in(atom);
        std::string symbol;
        int charge = 0;
        in >> symbol >> charge;
        const std::string text = molText({"0 0 C", "1 0 " + symbol}, {"1 2 1"});
        const std::string charged = text.substr(0, text.rfind("M  END")) + "M  CHG  1   2" +
                                    (charge < 0 ? "  " : "   ") + std::to_string(charge) +
                                    "\nM  END\n";
        ASSERT_EQ(decode(charged, s).error, "") << atom;
        EXPECT_EQ(test::formula(s), expected) << atom;
    }
}

TEST(MolImport, BadFilesAreRefusedWithTheirStatusAndAMessageNamingTheProblem) {
    std::vector<std::string> manyAtoms, chain;
    for (int i = 0; i < 899; ++i) {
        manyAtoms.push_back(std::to_string(i % 30 * 0.5) + " " + std::to_string(i / 30 * 0.5) +
                            " C");
        if (i > 0) chain.push_back(std::to_string(i) + " " + std::to_string(i + 1) + " 1");
    }
    std::vector<std::string> nitroAtoms = manyAtoms;
    nitroAtoms.push_back("20 20 NO2");
    std::vector<std::string> nitroChain = chain;
    nitroChain.push_back("899 900 1");

    struct Case {
        std::string text;
        MolImportStatus status;
        std::string says;
    };
    using S = MolImportStatus;
    const std::vector<Case> cases = {
        {"", S::TooShort, "counts line"},
        {"title\n\nprogram", S::TooShort, "counts line"},
        {"t\n\n\n  0  1\n", S::NoAtomsOrBonds, "at least one atom"},
        {"t\n\n\n  0  0\n", S::NoAtomsOrBonds, "at least one atom"},
        {"t\n\n\n  1 -1\n    0.0000    0.0000    0.0000 C  \n", S::NoAtomsOrBonds, "bond count"},
        {"t\n\n\n -3 -2\n", S::NoAtomsOrBonds, "at least one atom"},
        {"t\n\n\nabcdef\n", S::NoAtomsOrBonds, "at least one atom"},
        {"t\n\n\n  0  0  0     0  0            999 V3000\n", S::NoAtomsOrBonds, "V3000"},
        {"t\n\n\n901  1\n", S::TooLarge, "900 atoms"},
        {"t\n\n\n  2900\n", S::TooLarge, "899 bonds"},
        {molText(nitroAtoms, nitroChain), S::TooLarge, "nitro groups"},
        {"t\n\n\n  2  1\n    0.0000    0.0000    0.0000 C  \n", S::TooShort, "atom"},
        {"t\n\n\n  2  1\n    0.0000    0.0000    0.0000 C  \n    1.0000    0.0000    0.0000 C  \n",
         S::TooShort, "bond"},
        {molText({"0 0 C", "1 0 Xx"}, {"1 2 1"}), S::BadContent, "\"Xx\" in line 6"},
        {molText({"0 0 C", "1 0 *"}, {"1 2 1"}), S::BadContent, "Unknown atom symbol \"*\""},
        {molText({"0 0 C", "1 0 C"}, {"1 3 1"}), S::BadContent, "line 7 does not join"},
        {molText({"0 0 C", "1 0 C"}, {"1 1 1"}), S::BadContent, "does not join two atoms"},
        {molText({"0 0 C", "1 0 C"}, {"1 2 5"}), S::BadContent, "type other than 1, 2, 3 or 4"},
        {"t\n\n\n  2  1\n    0.0000      nan     0.0000 C  \n    1.0000    0.0000    0.0000 C  \n"
         "  1  2  1\n",
         S::BadContent, "line 5 has no usable x and y"},
        {molText({"0 0 C", "1 0 NO2", "2 0 C"}, {"1 2 1", "2 3 1"}), S::BadContent,
         "exactly one bond"},
        {molText({"0 0 C", "1 0 NO2"}, {"1 2 2"}), S::BadContent, "single bond"},
        {molText({"0 0 NO2", "1 0 NO2"}, {"1 2 1"}), S::BadContent, "single bond"},
        {molText({"0 0 C", "1 0 C", "2 0 NO2"}, {"1 2 1"}), S::BadContent, "exactly one bond"},
        {molText({"-50 0 C", "50 0 C"}, {"1 2 1"}), S::BadContent, "larger than the drawing"},
    };
    for (const Case& c : cases) {
        Structure s = test::toluene();
        const test::Snapshot before = snapshot(s);
        const MolImportResult result = decode(c.text, s);
        EXPECT_EQ(result.status, c.status) << c.text.substr(0, 120);
        EXPECT_NE(result.error.find(c.says), std::string::npos) << result.error << " / " << c.says;
        EXPECT_EQ(snapshot(s), before) << c.says;
    }

    // At the limits the same files load: 899 atoms and 898 bonds, and the wide molecule with a
    // smaller MOL bond length.
    Structure s;
    EXPECT_EQ(decode(molText(manyAtoms, chain), s).error, "");
    EXPECT_EQ(s.count.atoms, 899);
    EXPECT_EQ(decode(molText({"-50 0 C", "50 0 C"}, {"1 2 1"}), s, 10).error, "");
}

TEST(MolImport, MoleculesFarFromTheOriginAreBroughtIntoView) {
    Structure s;
    ASSERT_EQ(decode(molText({"100 100 C", "101 100 C", "101 99 O"}, {"1 2 1", "2 3 1"}), s).error,
              "");
    for (int row = 1; row <= s.count.atoms; ++row) {
        EXPECT_GE(s.atom(row).X, kMolImportMargin);
        EXPECT_LE(s.atom(row).X, kDrawingWidth - kMolImportMargin);
        EXPECT_GE(s.atom(row).Y, kMolImportMargin);
        EXPECT_LE(s.atom(row).Y, kDrawingHeight - kMolImportMargin);
    }
    EXPECT_EQ(s.atom(1).X, kMolImportMargin) << "the smallest x sits on the margin";
    EXPECT_EQ(s.atom(1).Y, kMolImportMargin);
    EXPECT_EQ(s.atom(2).X - s.atom(1).X, 20) << "bond lengths stay";
    EXPECT_EQ(s.atom(3).Y - s.atom(2).Y, 20);
    EXPECT_EQ(test::tableFaults(s, test::BondEnds::OnAtoms), "");

    // Within view the centre shift of the file applies as it always did, in file units, and
    // only from 10 units on.
    ASSERT_EQ(decode(molText({"12 0 C", "13 0 C"}, {"1 2 1"}), s).error, "");
    EXPECT_EQ(s.atom(1).X, 320 + 240 - 12);
    ASSERT_EQ(decode(molText({"8 0 C", "9 0 C"}, {"1 2 1"}), s).error, "");
    EXPECT_EQ(s.atom(1).X, 320 + 160);
}

TEST(MolImport, AcceptsCrLfLfAndCrLineEnds) {
    Structure crlf, lf, cr;
    ASSERT_EQ(decode(molText({"0 0 C", "1 0 C", "1 1 Cl"}, {"1 2 1", "2 3 1"}, "\r\n"), crlf).error,
              "");
    ASSERT_EQ(decode(molText({"0 0 C", "1 0 C", "1 1 Cl"}, {"1 2 1", "2 3 1"}, "\n"), lf).error,
              "");
    ASSERT_EQ(decode(molText({"0 0 C", "1 0 C", "1 1 Cl"}, {"1 2 1", "2 3 1"}, "\r"), cr).error,
              "");
    EXPECT_EQ(snapshot(lf), snapshot(crlf));
    EXPECT_EQ(snapshot(cr), snapshot(crlf));
    EXPECT_EQ(test::formula(cr), "C2 H5 Cl1 ");

    Structure nitro; // CR only, the NO2 pseudo-atom first and first in its bond line
    ASSERT_EQ(loadFile("nitrobenzene_cr.mol", nitro), "");
    EXPECT_EQ(test::formula(nitro), "C6 H5 N1 O2 ");
    EXPECT_EQ(test::tableFaults(nitro, test::BondEnds::AsDrawn), "");
    EXPECT_EQ(nitro.bond(1).AtomB, 1) << "the nitro label's bond leads to the nitrogen";
    EXPECT_EQ(nitro.StructureLabel, "Nitrobenzene, pseudo-atom first");
}

TEST(MolImport, TruncatedOrScrambledFilesNeverCrashAndFailCleanly) {
    const std::string valid = aromaticBenzene();
    for (std::size_t length = 0; length <= valid.size(); ++length) {
        Structure s = test::ethane();
        const MolImportResult result = decode(valid.substr(0, length), s);
        if (result.status == MolImportStatus::Read)
            EXPECT_EQ(test::tableFaults(s, test::BondEnds::OnAtoms), "") << length;
        else
            EXPECT_EQ(snapshot(s), snapshot(test::ethane())) << length;
    }
    std::mt19937 random(4711);
    const std::string alphabet = " 0123456789.-+CNOHX\r\n";
    for (int round = 0; round < 3000; ++round) {
        std::string text = valid;
        for (int k = 0; k < 1 + static_cast<int>(random() % 6); ++k)
            text[random() % text.size()] = alphabet[random() % alphabet.size()];
        Structure s;
        if (decode(text, s).status == MolImportStatus::Read) {
            ASSERT_EQ(test::tableFaults(s, test::BondEnds::OnAtoms), "") << text;
        } else {
            ASSERT_EQ(s.count, TableCounts{}) << text;
        }
    }
}

TEST(MolImport, FileMessagesNameTheFile) {
    Structure s;
    const fs::path missing = fs::temp_directory_path() / "qzx_no_such_file.mol";
    EXPECT_EQ(importMolFile(missing, s, elements(), 100).error,
              "File: " + missing.string() + " does not exist");
    const MolImportResult bad = importMolFile(
        fs::path(QZX_TEST_DATA_DIR) / "structures" / "toluene.msd", s, elements(), 100);
    EXPECT_NE(bad.status, MolImportStatus::Read);
    EXPECT_EQ(
        bad.error.rfind((fs::path(QZX_TEST_DATA_DIR) / "structures" / "toluene.msd").string(), 0),
        0u);
}

} // namespace
} // namespace qzx
