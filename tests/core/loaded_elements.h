#pragma once

#include <gtest/gtest.h>

#include <string>

#include "chem/element_data_files.h"
#include "chem/element_table.h"
#include "test_paths.h"

namespace qzx::test {

/// The element table the build writes beside the program, loaded once for all tests; any
/// warning or failure fails the test that first asks for it.
inline const ElementTable& loadedElementTable() {
    static const ElementTable loaded = [] {
        ElementTable table;
        CalcElementSlots calcSlots{};
        EXPECT_TRUE(LoadElementTable(QZX_RUNTIME_DIR, table, calcSlots, [](const std::string& w) {
                        ADD_FAILURE() << w;
                    }).loaded);
        return table;
    }();
    return loaded;
}

} // namespace qzx::test
