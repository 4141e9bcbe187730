#include "chem/isotope_terms.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace qzx {
namespace {

// 1,050 atoms: binomial factors reach 1e315 and powers of 0.0107 fall to 1e-2072, far outside
// double; the 80-bit (or wider) long double holds both.
static_assert(std::numeric_limits<long double>::max_exponent10 >= 4000,
              "isotope terms need an extended-precision long double");

/// Every non-decreasing sequence of isotope indices for up to four atoms, in lexicographic
/// order, with the multinomial factor q! / (product of the multiplicities' factorials).
void appendMultisets(const float* masses, const float* abundances, int isotopes, int atoms,
                     std::vector<IsotopeTerm>& terms) {
    std::array<int, 4> index{};
    const auto emit = [&] {
        long double product = 1.0L;
        long double mass = 0.0L;
        long double factor = 1.0L;
        for (int k = 1; k <= atoms; ++k)
            factor *= k; // q!
        int run = 1;
        for (int k = 0; k < atoms; ++k) {
            product *= abundances[index[k]];
            mass += masses[index[k]];
            if (k > 0 && index[k] == index[k - 1]) {
                factor /= ++run; // divides by the multiplicity's factorial step by step
            } else {
                run = 1;
            }
        }
        terms.push_back({static_cast<float>(product * factor), static_cast<float>(mass)});
    };
    // Odometer over non-decreasing sequences: the last index moves fastest.
    while (true) {
        emit();
        int k = atoms - 1;
        while (k >= 0 && index[k] == isotopes - 1)
            --k;
        if (k < 0) break;
        ++index[k];
        for (int r = k + 1; r < atoms; ++r)
            index[r] = index[k];
    }
}

} // namespace

std::vector<IsotopeTerm> isotopeTerms(const float* masses, const float* abundances, int isotopes,
                                      int atoms) {
    std::vector<IsotopeTerm> terms;
    if (atoms < 1 || isotopes < 1) return terms;
    if (atoms <= 4 || isotopes == 1) {
        if (isotopes == 1) {
            terms.push_back(
                {static_cast<float>(std::pow(static_cast<long double>(abundances[0]), atoms)),
                 static_cast<float>(static_cast<long double>(masses[0]) * atoms)});
            return terms;
        }
        appendMultisets(masses, abundances, isotopes, atoms, terms);
        return terms;
    }
    const long double a1 = abundances[0], a2 = abundances[1];
    const long double m1 = masses[0], m2 = masses[1];
    terms.reserve(static_cast<std::size_t>(atoms) + 1);
    long double binomial = 1.0L;
    for (int t = 0; t <= atoms; ++t) {
        if (t > 0) binomial = binomial * (atoms - t + 1) / t;
        const long double abundance = binomial * std::pow(a1, atoms - t) * std::pow(a2, t);
        const long double mass = (atoms - t) * m1 + t * m2;
        terms.push_back({static_cast<float>(abundance), static_cast<float>(mass)});
    }
    return terms;
}

} // namespace qzx
