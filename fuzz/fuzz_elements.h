#pragma once

#include <fstream>
#include <sstream>

#include "chem/element_csv.h"
#include "chem/element_table.h"

namespace qzx::fuzz {

/// The program's element table, read once from the element data the build uses.
inline const ElementTable& elements() {
    static const ElementTable table = [] {
        ElementTable t;
        std::ifstream in(QZX_ELEMENT_CSV);
        std::stringstream text;
        text << in.rdbuf();
        if (!parseElementCsv(text.str(), t).empty()) __builtin_trap();
        return t;
    }();
    return table;
}

} // namespace qzx::fuzz
