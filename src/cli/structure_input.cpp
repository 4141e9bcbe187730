#include "structure_input.h"

#include <algorithm>
#include <cctype>

#include "structure/mol_file.h"
#include "structure/structure.h"
#include "structure/structure_file.h"

namespace qzx::cli {

StructureFileKind structureFileKind(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".msd") return StructureFileKind::Msd;
    if (extension == ".mol") return StructureFileKind::Mol;
    return StructureFileKind::Other;
}

std::string loadStructureInput(const std::filesystem::path& path, int bondLength,
                               const ElementTable& elements, Structure& structure) {
    switch (structureFileKind(path)) {
    case StructureFileKind::Msd:
        return loadStructureFile(path, structure).error;
    case StructureFileKind::Mol:
        return importMolFile(path, structure, elements, bondLength).error;
    case StructureFileKind::Other:
        break;
    }
    return path.string() + ": not a .msd or .mol file";
}

} // namespace qzx::cli
