// Structure files in both layouts: an accepted file gives tables that composing, writing and
// reading again handle.
#include <cstdint>

#include "fuzz_elements.h"
#include "structure/structure_composition.h"
#include "structure/structure.h"
#include "structure/structure_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qzx::Structure structure;
    const qzx::StructureFileStatus status =
        qzx::decodeStructureFile(qzx::Bytes(data, data + size), structure);
    if (status != qzx::StructureFileStatus::Loaded &&
        status != qzx::StructureFileStatus::OldLayoutLoaded)
        return 0;
    qzx::composeStructure(structure, qzx::fuzz::elements(), false);
    qzx::composeStructure(structure, qzx::fuzz::elements(), true);
    qzx::Structure again;
    if (qzx::decodeStructureFile(qzx::encodeStructureFile(structure), again) !=
        qzx::StructureFileStatus::Loaded)
        __builtin_trap(); // what the program writes, it must read
    return 0;
}
