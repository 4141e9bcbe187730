#pragma once

#include <gtest/gtest.h>

#include <string>

#include "chem/element_data_files.h"
#include "chem/element_table.h"
#include "test_paths.h"

namespace qzx::test {

/// The element table the build writes beside the program (C 4, N 3, O 2, Cl 1), loaded once
/// for all tests; any warning or failure fails the test that first asks for it.
inline const ElementTable& elements() {
    static const ElementTable loaded = [] {
        ElementTable table;
        CalcElementSlots calcSlots{};
        const ElementLoadResult result = LoadElementTable(
            QZX_RUNTIME_DIR, table, calcSlots, [](const std::string& w) { ADD_FAILURE() << w; });
        EXPECT_TRUE(result.loaded) << result.error;
        EXPECT_EQ(result.error, "");
        return table;
    }();
    return loaded;
}

} // namespace qzx::test
