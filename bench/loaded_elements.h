#pragma once

#include <cstdlib>
#include <string>

#include "chem/element_data_files.h"
#include "chem/element_table.h"

namespace qzx::bench {

/// The element table the build writes beside the program, loaded once; a benchmark without
/// it would measure nothing, so a failure stops the program.
inline const ElementTable& loadedElementTable() {
    static const ElementTable loaded = [] {
        ElementTable table;
        CalcElementSlots calcSlots{};
        if (!LoadElementTable(QZX_RUNTIME_DIR, table, calcSlots, [](const std::string&) {
                 std::abort();
             }).loaded)
            std::abort();
        return table;
    }();
    return loaded;
}

} // namespace qzx::bench
