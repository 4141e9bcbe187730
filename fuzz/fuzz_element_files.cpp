// Element data files: the first 1,328 bytes are file A, the rest file B. A table that is
// accepted must give finite masses that every mass computation can use.
#include <cmath>
#include <cstdint>

#include "chem/element_data_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::size_t split = size < 1328 ? size : 1328;
    const qzx::Bytes a(data, data + split);
    const qzx::Bytes b(data + split, data + size);
    qzx::ElementTable table;
    if (!qzx::decodeElementFiles(a, b, table).empty()) return 0;
    double sum = 0;
    for (int n = 1; n <= qzx::kElementCount; ++n)
        for (int j = 1; j <= table[n].IsotopeCount; ++j)
            sum += std::nearbyint(table[n].Isotopes[j].Mass) * 1000.0;
    if (!std::isfinite(sum)) __builtin_trap();
    return 0;
}
