#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qzx {

class ElementTable;
class Structure;

/// Information message of a run that found no fragment.
inline constexpr std::string_view kNoFragmentsGenerated = "No Fragments could be Generated";
/// Appended to a results-list row of an odd-electron ion: a blank, the middle dot (U+00B7,
/// in UTF-8) and a plus sign.
inline constexpr std::string_view kOddElectronMark = " \xC2\xB7+";

/// A connected piece of the drawn structure that remains after one or two bonds are broken.
struct Fragment {
    /// Nominal mass: for each atom the NominalMass of its element plus its implicit hydrogens.
    std::int32_t Mass = 0;
    /// Rows in `Lax` of the piece's atoms, ascending, without repeats. Any number of atoms.
    std::vector<std::int32_t> Atoms;

    int AtomCount() const { return static_cast<int>(Atoms.size()); }
    bool operator==(const Fragment&) const = default;
};

/// The fragments of the last autofragment run. Fragment numbers are 1-based and follow the
/// order in which the run found them, the molecular ion last. The table grows as needed: a
/// structure may give more than 3,000 fragments, and a fragment more than 78 atoms.
struct FragmentTable {
    /// Rows 1..FragmentCount; row 0 holds nothing.
    std::vector<Fragment> Fragments{1};
    int FragmentCount = 0;
    /// Entry k (1-based) names the fragment of the k-th lowest mass once a run has finished.
    std::vector<std::int32_t> MassOrder{0};
    /// The rows of the results list, row 0 first: while cleaving, one line per new fragment in
    /// the order found; after a run, ordered by text, which is mass order (row k shows
    /// fragment MassOrder[k + 1]).
    std::vector<std::string> ResultsList;

    const Fragment& fragment(int number) const {
        return Fragments.at(static_cast<std::size_t>(number));
    }
    /// Empties the table and the results list.
    void clear();
    /// Appends a fragment as number FragmentCount + 1, writes that number into MassOrder at
    /// the same position and adds its line to the results list. Returns the number.
    int append(Fragment fragment);
};

/// A results-list line: the mass right-aligned in five characters ("   43").
std::string FragmentListText(std::int32_t mass);

/// Whether the fragment is an odd-electron ion: starting from 1, each atom adds its element's
/// rings-plus-double-bonds share (RdbClass 1: +1, 2: -0.5, 3: +0.5, 4: +1.5, 5: +2, else 0) and
/// -0.5 per implicit hydrogen, summed in single precision; odd when the sum is whole.
/// Atom rows outside the structure count nothing.
bool IsOddElectron(const Fragment& fragment, const Structure& structure,
                   const ElementTable& elements);

} // namespace qzx
