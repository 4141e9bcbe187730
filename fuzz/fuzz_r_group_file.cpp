// R-group files: an accepted group can be inserted into a drawn ethane and composed.
#include <cstdint>

#include "fuzz_elements.h"
#include "structure/r_group_file.h"
#include "structure/structure_composition.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qzx::RGroup group;
    if (qzx::decodeRGroupFile(qzx::Bytes(data, data + size), group) != qzx::RGroupFileStatus::Valid)
        return 0;
    qzx::Structure structure;
    qzx::Atom carbon;
    carbon.Element = 1;
    carbon.X = 300;
    carbon.Y = 300;
    carbon.Hydrogens = 3;
    carbon.LabelShown = 1;
    const int row = structure.appendAtom(carbon);
    structure.appendItem(qzx::kAtomItem, row);
    qzx::insertRGroup(structure, group, row, {300, 300}, {340, 300});
    qzx::composeStructure(structure, qzx::fuzz::elements(), true);
    return 0;
}
