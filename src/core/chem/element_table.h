#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qzx {

/// Number of elements under the fixed element numbers 1..83.
constexpr int kElementCount = 83;
/// Isotope slots per element in the data files and the table.
constexpr int kIsotopeSlots = 9;

/// One isotope: exact mass in u and natural abundance as a fraction of 1.
struct IsotopeRecord {
    float Mass = 0.0f;
    float Abundance = 0.0f;
};

/// One element. Symbol and name are program constants; the numbers come from the data files.
struct ElementRecord {
    std::string Symbol;
    std::string Name;
    std::int32_t NominalMass = 0;
    std::int32_t Valence = 0;
    std::int32_t RdbClass = 0;     ///< 0..5, contribution to rings plus double bonds
    std::int32_t IsotopeCount = 0; ///< 0..9
    float ExactMass = 0.0f;
    float PrincipalIsotope = 0.0f; ///< 1-based isotope number, a whole number stored as a float
    /// Slots 1..9; slot 0 is never used. Only the first IsotopeCount slots are valid.
    std::array<IsotopeRecord, kIsotopeSlots + 1> Isotopes{};
};

/// The element table: rows 1..83 addressed by element number; row 0 is not an element.
class ElementTable {
public:
    /// A table with symbols and names filled and every number zero.
    ElementTable();

    ElementRecord& operator[](int elementNumber) { return m_rows.at(elementNumber); }
    const ElementRecord& operator[](int elementNumber) const { return m_rows.at(elementNumber); }

    /// Sets every numeric field of every element to zero; symbols and names stay.
    void clearNumbers();

    /// Element number of the symbol spelled exactly as in the table ("Cl", "C*"), or 0.
    int findSymbol(const std::string& symbol) const;

private:
    std::array<ElementRecord, kElementCount + 1> m_rows;
};

/// The fixed symbol of element n (1..83), e.g. "Cl" for 6.
const char* elementSymbol(int elementNumber);
/// The fixed name of element n (1..83), e.g. "Chlorine" for 6.
const char* elementName(int elementNumber);

} // namespace qzx
