#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qzx {

/// Atom counts of a molecular formula, indexed by element number 1..83 (the numbering of the
/// element table). Entry 0 is not an element and stays 0. Counts may be 0 or negative when the
/// text they came from said so.
struct Composition {
    std::array<std::int32_t, 84> count{};

    std::int32_t& operator[](int elementNumber) { return count.at(elementNumber); }
    std::int32_t operator[](int elementNumber) const { return count.at(elementNumber); }

    bool operator==(const Composition&) const = default;
};

/// The composition as formula text: every element with a positive count in element-number
/// order (C, H, N, O, S, Cl, ...), each as symbol, count and one blank, e.g. "C6 H5 N O2 ".
/// A count of 1 is left out unless `writeOnes` is set; the structure's composition and the
/// isotopic profiler write it ("C6 H5 N1 O2 "). `ParseFormulaText` reads either form back.
std::string compositionText(const Composition& composition, bool writeOnes = false);

} // namespace qzx
