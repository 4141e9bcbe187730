#pragma once

#include <vector>

namespace qzx {

/// One way to pick the isotopes of all atoms of one element, ignoring which atom has which.
struct IsotopeTerm {
    float abundance = 0.0f; ///< probability of that pick, multinomial factor included
    float mass = 0.0f;      ///< sum of the masses of the picked isotopes, u
};

/// The term list of `atoms` atoms of an element whose first `isotopes` isotopes have the given
/// masses and abundances (index 0 is the first isotope). Up to four atoms, every multiset of
/// isotopes in lexicographic order of ascending isotope indices (j1 <= j2 <= ...), each with
/// its multinomial factor (for example 1, 2, 1 for two atoms of two isotopes). From five atoms
/// on only the first two isotopes take part: one term per number t = 0..atoms of heavier
/// atoms, in that order, with the binomial factor. Products and sums are formed in extended
/// precision, so 1,050 atoms neither overflow nor underflow, and stored as singles.
std::vector<IsotopeTerm> isotopeTerms(const float* masses, const float* abundances, int isotopes,
                                      int atoms);

} // namespace qzx
