#include "chem/element_table.h"

namespace qzx {
namespace {

struct SymbolAndName {
    const char* symbol;
    const char* name;
};

// The element numbering is part of every stored composition, atom and file: never reorder.
constexpr std::array<SymbolAndName, kElementCount + 1> kNames{{
    {"", ""},
    {"C", "Carbon"},
    {"H", "Hydrogen"},
    {"N", "Nitrogen"},
    {"O", "Oxygen"},
    {"S", "Sulfur"},
    {"Cl", "Chlorine"},
    {"F", "Fluorine"},
    {"Br", "Bromine"},
    {"Si", "Silicon"},
    {"P", "Phosphorus"},
    {"I", "Iodine"},
    {"D", "Deuterium"},
    {"C*", "C13"},
    {"N*", "N15"},
    {"O*", "O18"},
    {"B", "Boron"},
    {"Li", "Lithium"},
    {"Be", "Beryllium"},
    {"Na", "Sodium"},
    {"Mg", "Magnesium"},
    {"Al", "Aluminum"},
    {"K", "Potassium"},
    {"Ca", "Calcium"},
    {"Sc", "Scandium"},
    {"Ti", "Titanium"},
    {"V", "Vanadium"},
    {"Cr", "Chromium"},
    {"Mn", "Manganese"},
    {"Fe", "Iron"},
    {"Co", "Cobalt"},
    {"Ni", "Nickel"},
    {"Cu", "Copper"},
    {"Zn", "Zinc"},
    {"Ga", "Gallium"},
    {"Ge", "Germanium"},
    {"As", "Arsenic"},
    {"Se", "Selenium"},
    {"Rb", "Rubidium"},
    {"Sr", "Strontium"},
    {"Y", "Yttrium"},
    {"Zr", "Zirconium"},
    {"Nb", "Niobium"},
    {"Mo", "Molybdenum"},
    {"Ru", "Ruthenium"},
    {"Rh", "Rhodium"},
    {"Pd", "Palladium"},
    {"Ag", "Silver"},
    {"Cd", "Cadmium"},
    {"In", "Indium"},
    {"Sn", "Tin"},
    {"Sb", "Antimony"},
    {"Te", "Tellurium"},
    {"Cs", "Cesium"},
    {"Ba", "Barium"},
    {"Hf", "Hafnium"},
    {"Ta", "Tantalum"},
    {"W", "Tungsten"},
    {"Re", "Rhenium"},
    {"Os", "Osmium"},
    {"Ir", "Iridium"},
    {"Pt", "Platinum"},
    {"Au", "Gold"},
    {"Hg", "Mercury"},
    {"Tl", "Thallium"},
    {"Pb", "Lead"},
    {"Bi", "Bismuth"},
    {"La", "Lanthum"},
    {"Ce", "Cerium"},
    {"Pr", "Praseodymium"},
    {"Nd", "Neodymium"},
    {"Pm", "Promethium"},
    {"Sm", "Samarium"},
    {"Eu", "Europium"},
    {"Gd", "Gadolinium"},
    {"Tb", "Terbium"},
    {"Dy", "Dysprosium"},
    {"Ho", "Holmium"},
    {"Er", "Erbium"},
    {"Tm", "Thulium"},
    {"Yb", "Ytterbium"},
    {"Lu", "Lutecium"},
    {"Th", "Thorium"},
    {"U", "Uranium"},
}};

} // namespace

const char* elementSymbol(int elementNumber) {
    return kNames.at(elementNumber).symbol;
}
const char* elementName(int elementNumber) {
    return kNames.at(elementNumber).name;
}

ElementTable::ElementTable() {
    for (int n = 1; n <= kElementCount; ++n) {
        m_rows[n].Symbol = kNames[n].symbol;
        m_rows[n].Name = kNames[n].name;
    }
}

void ElementTable::clearNumbers() {
    for (auto& row : m_rows) {
        row.NominalMass = row.Valence = row.RdbClass = row.IsotopeCount = 0;
        row.ExactMass = row.PrincipalIsotope = 0.0f;
        row.Isotopes = {};
    }
}

int ElementTable::findSymbol(const std::string& symbol) const {
    for (int n = 1; n <= kElementCount; ++n)
        if (m_rows[n].Symbol == symbol) return n;
    return 0;
}

} // namespace qzx
