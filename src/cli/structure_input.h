#pragma once

#include <filesystem>
#include <string>

namespace qzx {
class ElementTable;
class Structure;
} // namespace qzx

namespace qzx::cli {

/// The structure files the commands read and write, told apart by extension in any letter case.
enum class StructureFileKind { Msd, Mol, Other };

StructureFileKind structureFileKind(const std::filesystem::path& path);

/// Reads a structure file (.msd) or a MOL file (.mol, at MOL bond length `bondLength`) into
/// `structure`. Returns the error text to print, empty on success.
std::string loadStructureInput(const std::filesystem::path& path, int bondLength,
                               const ElementTable& elements, Structure& structure);

} // namespace qzx::cli
