#include "chem/fragment_evaluation.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "chem/composition.h"
#include "chem/element_table.h"
#include "chem/fragments.h"
#include "structure/structure.h"

namespace qzx {

namespace {

// Element numbers the rules look at.
constexpr int kCarbon = 1;
constexpr int kHydrogen = 2;
constexpr int kNitrogen = 3;
constexpr int kOxygen = 4;
constexpr int kSilicon = 9;

/// An atom row of no element without hydrogens, standing in for rows outside the structure
/// (the list may be older than the latest edit).
const Atom kNoAtom{};

const Atom& atomAt(const Structure& structure, std::int32_t row) {
    if (row < 1 || row > structure.count.atoms) return kNoAtom;
    return structure.atom(row);
}

/// The atoms bonded to `row` through the used bonds, in bond order, with their bonds.
struct Neighbour {
    std::int32_t atom = 0;
    const Bond* bond = nullptr;
};

std::vector<Neighbour> neighboursOf(const Structure& structure, std::int32_t row) {
    std::vector<Neighbour> found;
    for (int b = 1; b <= structure.count.bonds; ++b) {
        const Bond& bond = structure.bond(b);
        if (bond.AtomA == row)
            found.push_back({bond.AtomB, &bond});
        else if (bond.AtomB == row)
            found.push_back({bond.AtomA, &bond});
    }
    return found;
}

bool bondedToElement(const Structure& structure, std::int32_t row, int element) {
    const std::vector<Neighbour> neighbours = neighboursOf(structure, row);
    return std::any_of(neighbours.begin(), neighbours.end(), [&](const Neighbour& n) {
        return atomAt(structure, n.atom).Element == element;
    });
}

/// Some atom of the structure other than `except` (0: none excepted) carries a hydrogen.
bool someAtomCarriesHydrogen(const Structure& structure, std::int32_t except = 0) {
    for (int a = 1; a <= structure.count.atoms; ++a)
        if (a != except && structure.atom(a).Hydrogens > 0) return true;
    return false;
}

int elementCount(const Structure& structure, int element) {
    int n = 0;
    for (int a = 1; a <= structure.count.atoms; ++a)
        if (structure.atom(a).Element == element) ++n;
    return n;
}

/// One list row's fragment with the sums the rules compare.
class FragmentView {
public:
    FragmentView(const Structure& structure, const EvaluationRow& row, std::int32_t mass)
        : m_structure(structure), m_atoms(row.atoms), m_mass(mass) {}

    const Structure& structure() const { return m_structure; }
    const std::vector<std::int32_t>& atomRows() const { return m_atoms; }
    std::int32_t mass() const { return m_mass; }
    int atomCount() const { return static_cast<int>(m_atoms.size()); }
    bool contains(std::int32_t row) const {
        return std::find(m_atoms.begin(), m_atoms.end(), row) != m_atoms.end();
    }
    std::int32_t firstRow() const { return m_atoms.empty() ? 0 : m_atoms.front(); }
    const Atom& first() const { return atomAt(m_structure, firstRow()); }

    /// Sum of the element numbers of the atoms.
    long long elementSum() const {
        return sum([](const Atom& a) { return a.Element; });
    }
    long long hydrogenSum() const {
        return sum([](const Atom& a) { return a.Hydrogens; });
    }
    long long ringStateSum() const {
        return sum([](const Atom& a) { return a.RingState; });
    }
    bool allOfElement(int element) const {
        return std::all_of(m_atoms.begin(), m_atoms.end(), [&](std::int32_t row) {
            return atomAt(m_structure, row).Element == element;
        });
    }
    int countOfElement(int element) const {
        return static_cast<int>(std::count_if(m_atoms.begin(), m_atoms.end(), [&](std::int32_t r) {
            return atomAt(m_structure, r).Element == element;
        }));
    }
    bool shape(int atoms, long long elements) const {
        return atomCount() == atoms && elementSum() == elements;
    }

private:
    template <class Field> long long sum(Field field) const {
        long long total = 0;
        for (const std::int32_t row : m_atoms)
            total += field(atomAt(m_structure, row));
        return total;
    }

    const Structure& m_structure;
    const std::vector<std::int32_t>& m_atoms;
    std::int32_t m_mass;
};

/// A row a rule adds: the mass column's number and the identity. The third column is always
/// M minus that number.
struct Named {
    std::int64_t mass = 0;
    std::string_view identity;
};

/// A rule of the evaluation: the masses that trigger it, whether its scan first moves back,
/// and the test of a fragment, which fills the rows it adds and says whether it matched.
struct Rule {
    std::int32_t trigger = 0;
    std::int32_t otherTrigger = 0; ///< a second trigger mass, or the same as `trigger`
    bool backTen = false;
    bool (*test)(const FragmentView& fragment, std::vector<Named>& rows) = nullptr;

    std::int32_t largestTrigger() const { return std::max(trigger, otherTrigger); }
    bool triggeredBy(std::int32_t mass) const { return mass == trigger || mass == otherTrigger; }
};

/// A rule that adds one fixed row when the fragment has `atoms` atoms whose element numbers
/// add up to `elements`.
template <int atoms, long long elements, std::int64_t mass, const std::string_view& identity>
bool shapeRule(const FragmentView& f, std::vector<Named>& rows) {
    if (!f.shape(atoms, elements)) return false;
    rows.push_back({mass, identity});
    return true;
}

constexpr std::string_view kC2H2 = "C2H2";
constexpr std::string_view kCarbonMonoxide = "Carbon Monoxide";
constexpr std::string_view kEthyl = "Ethyl";
constexpr std::string_view kNO = "NO";
constexpr std::string_view kMethoxy = "Methoxy";
constexpr std::string_view kImmonium30 = "CH2=NH2";
constexpr std::string_view kKetene = "CH2=C=O";
constexpr std::string_view kAcetyl = "CH3C=O";
constexpr std::string_view kCarbonDioxide = "Carbon Dioxide";
constexpr std::string_view kCarbamoyl = "O=C=NH2";
constexpr std::string_view kNitrogenDioxide = "Nitrogen Dioxide";
constexpr std::string_view kButyl = "C4H9";
constexpr std::string_view kImmonium72 = "C3H7CH=NH2";
constexpr std::string_view kImmonium86 = "C4H9CH=NH2";
constexpr std::string_view kNaphthyl = "C10H7+";
constexpr std::string_view kSilylOxyIon = "(CH3)3SiO-C3H4+";
constexpr std::string_view kTropylium = "Tropylium Ion";

bool methyl(const FragmentView& f, std::vector<Named>& rows) {
    if (f.first().Element != kCarbon || f.first().Hydrogens != 3) return false;
    rows.push_back({15, "Methyl"});
    return true;
}

bool water(const FragmentView& f, std::vector<Named>& rows) {
    const Atom& oxygen = f.first();
    if (oxygen.Element != kOxygen || oxygen.Hydrogens != 1) return false;
    const std::vector<Neighbour> neighbours = neighboursOf(f.structure(), f.firstRow());
    if (!neighbours.empty() && atomAt(f.structure(), neighbours.front().atom).RingState == 2)
        return false;
    if (!someAtomCarriesHydrogen(f.structure(), f.firstRow())) return false;
    rows.push_back({18, "Water"});
    return true;
}

bool hydrogenChloride(const FragmentView& f, std::vector<Named>& rows) {
    if (f.atomCount() != 1 || !someAtomCarriesHydrogen(f.structure())) return false;
    rows.push_back({36, "HCl"});
    return true;
}

bool propyl(const FragmentView& f, std::vector<Named>& rows) {
    if (f.atomCount() != 3 || !f.allOfElement(kCarbon)) return false;
    rows.push_back({43, "Propyl"});
    return true;
}

bool trimethylsilyl(const FragmentView& f, std::vector<Named>& rows) {
    if (f.atomCount() != 4 || f.first().Element != kSilicon || f.first().Hydrogens != 0)
        return false;
    rows.push_back({73, "Trimethylsilyl"});
    if (elementCount(f.structure(), kSilicon) >= 2) rows.push_back({147, "(CH3)2Si=OSi(CH3)2"});
    if (bondedToElement(f.structure(), f.firstRow(), kOxygen))
        rows.push_back({90, "Trimethylsilanol"});
    return true;
}

bool phenyl(const FragmentView& f, std::vector<Named>& rows) {
    if (!f.shape(6, 6)) return false;
    rows.push_back({f.mass(), "Phenyl"});
    rows.push_back({51, "C4H3"});
    // A ring carbon that bore the substituent, next to a carbon with at least two hydrogens
    // (a benzyl position): the ring may expand to the tropylium ion.
    const bool benzylic = std::any_of(f.atomRows().begin(), f.atomRows().end(), [&](auto row) {
        if (atomAt(f.structure(), row).Hydrogens != 0) return false;
        const std::vector<Neighbour> neighbours = neighboursOf(f.structure(), row);
        return std::any_of(neighbours.begin(), neighbours.end(), [&](const Neighbour& n) {
            const Atom& next = atomAt(f.structure(), n.atom);
            return next.Element == kCarbon && next.Hydrogens > 1;
        });
    });
    if (benzylic) rows.push_back({91, kTropylium});
    return true;
}

bool pyridyl(const FragmentView& f, std::vector<Named>& rows) {
    if (!f.shape(6, 8) || f.hydrogenSum() >= 6) return false;
    rows.push_back({f.mass(), "C6H5N"});
    return true;
}

bool hydrogenBromide(const FragmentView& f, std::vector<Named>& rows) {
    if (f.atomCount() != 1 || !someAtomCarriesHydrogen(f.structure())) return false;
    rows.push_back({80, "HBr"});
    return true;
}

bool tropylium(const FragmentView& f, std::vector<Named>& rows) {
    if (!f.shape(7, 7) || f.ringStateSum() <= 11) return false;
    rows.push_back({91, kTropylium});
    return true;
}

bool phenoxyOrAnilino(const FragmentView& f, std::vector<Named>& rows) {
    if (f.atomCount() != 7) return false;
    if (f.elementSum() == 10)
        rows.push_back({93, "C(6)H(5)O"});
    else if (f.elementSum() == 9)
        rows.push_back({92, "C6H6N"});
    else
        return false;
    return true;
}

bool hydrogenCyanide(const FragmentView& f, std::vector<Named>& rows) {
    if (f.atomCount() != 2 || f.countOfElement(kCarbon) != 1 || f.countOfElement(kNitrogen) != 1)
        return false;
    rows.push_back({27, "HCN"});
    return true;
}

/// The rules scanned one after another, each from where the previous one's scan ended: trigger
/// masses, whether the scan first moves back, and the test with the rows it adds. Hydrogen
/// cyanide, which looks at the whole list, comes after them.
constexpr Rule kScannedRules[] = {
    {15, 15, false, methyl},
    {17, 17, false, water},
    {26, 26, false, shapeRule<2, 2, 26, kC2H2>},
    {28, 28, false, shapeRule<2, 5, 28, kCarbonMonoxide>},
    {29, 29, false, shapeRule<2, 2, 29, kEthyl>},
    {30, 30, false, shapeRule<2, 7, 30, kNO>},
    {31, 31, false, shapeRule<2, 5, 31, kMethoxy>},
    {29, 30, true, shapeRule<2, 4, 30, kImmonium30>},
    {35, 35, false, hydrogenChloride},
    {43, 43, false, propyl},
    {42, 42, true, shapeRule<3, 6, 42, kKetene>},
    {43, 43, true, shapeRule<3, 6, 43, kAcetyl>},
    {44, 45, false, shapeRule<3, 9, 44, kCarbonDioxide>},
    {43, 44, true, shapeRule<3, 8, 44, kCarbamoyl>},
    {46, 46, false, shapeRule<3, 11, 46, kNitrogenDioxide>},
    {57, 57, false, shapeRule<4, 4, 57, kButyl>},
    {73, 73, false, trimethylsilyl},
    {73, 73, true, shapeRule<5, 7, 72, kImmonium72>},
    {76, 77, false, phenyl},
    {78, 79, true, pyridyl},
    {79, 79, true, hydrogenBromide},
    {87, 87, false, shapeRule<6, 8, 86, kImmonium86>},
    {91, 92, false, tropylium},
    {93, 94, true, phenoxyOrAnilino},
    {126, 127, false, shapeRule<10, 10, 127, kNaphthyl>},
    {130, 130, false, shapeRule<8, 19, 129, kSilylOxyIon>},
};
static_assert(std::size(kScannedRules) == 26);

/// How far a "back 10" rule moves its start before scanning; a scan that ended in the first ten
/// rows starts again at row 0, so the ions of small molecules (acetone's CH3CO) are not
/// skipped.
constexpr std::size_t kBackRows = 10;

/// Whether the fragment can give a McLafferty product: an oxygen without hydrogens, double
/// bonded to an atom C whose alpha side (its one other neighbour, or either of two other
/// neighbours that both lie in the fragment) was cut off by a chain bond from a beta atom that
/// has a further neighbour gamma with a hydrogen to hand over: gamma is saturated and not
/// aromatic. The element of C is not checked.
bool mcLaffertyCandidate(const FragmentView& f) {
    if (f.atomCount() <= 2) return false;
    const Structure& s = f.structure();
    const auto saturatedDonor = [&](std::int32_t gamma) {
        const Atom& atom = atomAt(s, gamma);
        if (atom.Hydrogens < 1 || atom.RingState == 2) return false;
        const std::vector<Neighbour> bonds = neighboursOf(s, gamma);
        return std::none_of(bonds.begin(), bonds.end(),
                            [](const Neighbour& n) { return n.bond->Order >= 2; });
    };
    const auto alphaQualifies = [&](std::int32_t alpha) {
        for (const Neighbour& beta : neighboursOf(s, alpha)) {
            if (beta.bond->RingState != 0 || f.contains(beta.atom)) continue;
            for (const Neighbour& gamma : neighboursOf(s, beta.atom))
                if (gamma.atom != alpha && saturatedDonor(gamma.atom)) return true;
        }
        return false;
    };
    for (const std::int32_t oxygen : f.atomRows()) {
        const Atom& o = atomAt(s, oxygen);
        if (o.Element != kOxygen || o.Hydrogens != 0) continue;
        for (const Neighbour& carbonyl : neighboursOf(s, oxygen)) {
            if (carbonyl.bond->Order != 2) continue;
            std::vector<std::int32_t> others;
            for (const Neighbour& n : neighboursOf(s, carbonyl.atom))
                if (n.atom != oxygen &&
                    std::find(others.begin(), others.end(), n.atom) == others.end())
                    others.push_back(n.atom);
            const bool oneSide = others.size() == 1;
            const bool twoInside =
                others.size() == 2 && f.contains(others[0]) && f.contains(others[1]);
            if (!oneSide && !twoInside) continue;
            if (std::any_of(others.begin(), others.end(), alphaQualifies)) return true;
        }
    }
    return false;
}

} // namespace

FragmentEvaluationInput evaluationInput(const FragmentTable& table) {
    FragmentEvaluationInput input;
    input.rows.reserve(table.ResultsList.size());
    for (std::size_t k = 0; k < table.ResultsList.size(); ++k) {
        EvaluationRow row;
        row.text = table.ResultsList[k];
        if (k + 1 < table.MassOrder.size()) {
            const std::int32_t number = table.MassOrder[k + 1];
            if (number >= 1 && number <= table.FragmentCount)
                row.atoms = table.fragment(number).Atoms;
        }
        input.rows.push_back(std::move(row));
    }
    return input;
}

std::int32_t leadingMass(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT32_MAX) return 0; // no list row is this heavy
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

std::string evaluationNumberText(std::int64_t value) {
    char text[32];
    std::snprintf(text, sizeof text, "%4lld", static_cast<long long>(value));
    return text;
}

std::vector<EvaluationGridRow> EvaluateFragments(const FragmentEvaluationInput& input,
                                                 const Structure& structure) {
    std::vector<EvaluationGridRow> grid;
    grid.push_back({std::string(kEvaluationMassHeading), std::string(kEvaluationIdentityHeading),
                    std::string(kEvaluationLossHeading)});
    const std::vector<EvaluationRow>& list = input.rows;
    if (list.empty()) return grid;

    std::vector<std::int32_t> masses;
    masses.reserve(list.size());
    for (const EvaluationRow& row : list)
        masses.push_back(leadingMass(row.text));
    const std::int64_t M = masses.back();
    grid.push_back(
        {list.back().text, std::string(kMolecularIonIdentity), std::string(kMolecularIonLoss)});
    const auto add = [&](const Named& named) {
        grid.push_back({evaluationNumberText(named.mass), std::string(named.identity),
                        evaluationNumberText(M - named.mass)});
    };
    const auto view = [&](std::size_t k) { return FragmentView(structure, list[k], masses[k]); };

    std::optional<std::int32_t> mcLafferty;
    for (std::size_t k = 0; k < list.size(); ++k)
        if (mcLaffertyCandidate(view(k)))
            mcLafferty = std::max(mcLafferty.value_or(masses[k]), masses[k]);
    if (mcLafferty) add({static_cast<std::int64_t>(*mcLafferty) + 1, "McLafferty Product"});

    // A scan ends on the row that satisfied its rule (the next rule looks at that row again),
    // on the first row above the largest trigger mass, or past the end of the list.
    std::vector<Named> found;
    std::size_t position = 0;
    for (const Rule& rule : kScannedRules) {
        if (rule.backTen) position = position > kBackRows ? position - kBackRows : 0;
        std::size_t k = position;
        for (; k < list.size() && masses[k] <= rule.largestTrigger(); ++k) {
            found.clear();
            if (rule.triggeredBy(masses[k]) && rule.test(view(k), found)) break;
        }
        for (const Named& named : found)
            add(named);
        found.clear();
        position = k;
    }

    // Hydrogen cyanide: any mass, the whole list from row 0.
    for (std::size_t k = 0; k < list.size(); ++k)
        if (hydrogenCyanide(view(k), found)) break;
    for (const Named& named : found)
        add(named);
    return grid;
}

std::string FragmentFormulaText(const Structure& structure, std::span<const std::int32_t> atoms) {
    return compositionText(FragmentComposition(structure, atoms), true);
}

Composition FragmentComposition(const Structure& structure, std::span<const std::int32_t> atoms) {
    Composition composition;
    for (const std::int32_t row : atoms) {
        if (row < 1 || row > structure.count.atoms) continue;
        const Atom& atom = structure.atom(row);
        if (atom.Element >= 1 && atom.Element <= kElementCount) ++composition[atom.Element];
        if (atom.Hydrogens > 0) composition[kHydrogen] += atom.Hydrogens;
    }
    return composition;
}

} // namespace qzx
