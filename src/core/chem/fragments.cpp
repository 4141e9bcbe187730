#include "chem/fragments.h"

#include <cmath>
#include <cstdio>
#include <utility>

#include "chem/element_table.h"
#include "structure/structure.h"

namespace qzx {

void FragmentTable::clear() {
    Fragments.assign(1, Fragment{});
    FragmentCount = 0;
    MassOrder.assign(1, 0);
    ResultsList.clear();
}

int FragmentTable::append(Fragment fragment) {
    const int number = FragmentCount + 1;
    ResultsList.push_back(FragmentListText(fragment.Mass));
    Fragments.resize(static_cast<std::size_t>(number));
    Fragments.push_back(std::move(fragment));
    MassOrder.resize(static_cast<std::size_t>(number));
    MassOrder.push_back(number);
    FragmentCount = number;
    return number;
}

std::string FragmentListText(std::int32_t mass) {
    char text[16];
    std::snprintf(text, sizeof text, "%5d", static_cast<int>(mass));
    return text;
}

namespace {

/// Share of one atom of the element class in the rings-plus-double-bonds sum.
float rdbShare(std::int32_t rdbClass) {
    switch (rdbClass) {
    case 1:
        return 1.0f;
    case 2:
        return -0.5f;
    case 3:
        return 0.5f;
    case 4:
        return 1.5f;
    case 5:
        return 2.0f;
    default:
        return 0.0f;
    }
}

} // namespace

bool IsOddElectron(const Fragment& fragment, const Structure& structure,
                   const ElementTable& elements) {
    float sum = 1.0f;
    for (const std::int32_t row : fragment.Atoms) {
        if (row < 1 || row > structure.count.atoms) continue;
        const Atom& atom = structure.atom(row);
        if (atom.Element >= 1 && atom.Element <= kElementCount)
            sum += rdbShare(elements[atom.Element].RdbClass);
        sum -= 0.5f * static_cast<float>(atom.Hydrogens);
    }
    return sum == std::trunc(sum);
}

} // namespace qzx
