// MOL files: an imported molecule can be composed and exported again.
#include <cstdint>
#include <string>

#include "fuzz_elements.h"
#include "structure/mol_file.h"
#include "structure/structure.h"
#include "structure/structure_composition.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qzx::Structure structure;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (qzx::decodeMolFile(text, structure, qzx::fuzz::elements(), 100).status !=
        qzx::MolImportStatus::Read)
        return 0;
    qzx::composeStructure(structure, qzx::fuzz::elements(), true);
    qzx::encodeMolFile(structure, qzx::fuzz::elements(), 100, "fuzz");
    return 0;
}
