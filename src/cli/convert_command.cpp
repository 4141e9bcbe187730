// qzx-calc convert and info: structure files (.msd) and MOL files (.mol) from the command line.
#include <charconv>
#include <filesystem>
#include <optional>
#include <string>

#include "cli_context.h"
#include "json_writer.h"
#include "structure/mol_file.h"
#include "structure/structure.h"
#include "structure/structure_composition.h"
#include "structure/structure_file.h"
#include "structure_input.h"
#include "util/number_format.h"

namespace qzx::cli {

namespace {

/// The positional arguments and the MOL bond length of a command line; an error text when the
/// arguments are wrong.
struct Arguments {
    std::vector<std::string> files;
    int bondLength = kDefaultMolBondLength;
    std::string error;
};

Arguments parseArguments(const std::vector<std::string>& args) {
    Arguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--bond-length") {
            if (i + 1 >= args.size()) {
                parsed.error = "--bond-length needs a whole number of at least 1";
                return parsed;
            }
            const std::string& text = args[++i];
            int value = 0;
            const auto [end, error] =
                std::from_chars(text.data(), text.data() + text.size(), value);
            if (error != std::errc() || end != text.data() + text.size() || value < 1) {
                parsed.error =
                    "--bond-length needs a whole number of at least 1, not '" + text + "'";
                return parsed;
            }
            parsed.bondLength = value;
        } else if (arg.size() > 1 && arg[0] == '-') {
            parsed.error = "unknown option '" + arg + "'";
            return parsed;
        } else {
            parsed.files.push_back(arg);
        }
    }
    return parsed;
}

std::string withoutTrailingBlanks(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::string shortestFloat(float value) {
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc()) return jsonNumber(static_cast<double>(value));
    return std::string(buffer, end);
}

int runConvert(CliContext& context) {
    const Arguments args = parseArguments(context.args);
    if (!args.error.empty()) return fail(context, args.error);
    if (args.files.size() != 2)
        return fail(context, "convert needs IN and OUT; see qzx-calc --help convert");
    const std::filesystem::path in = args.files[0];
    const std::filesystem::path out = args.files[1];
    if (structureFileKind(out) == StructureFileKind::Other)
        return fail(context, out.string() + ": not a .msd or .mol file");

    Structure structure;
    if (std::string error = loadStructureInput(in, args.bondLength, context.elements, structure);
        !error.empty())
        return fail(context, error);
    const std::string error = structureFileKind(out) == StructureFileKind::Msd
                                  ? saveStructureFile(out, structure)
                                  : exportMolFile(out, structure, context.elements, args.bondLength,
                                                  withoutTrailingBlanks(structure.StructureLabel));
    if (!error.empty()) return fail(context, error);

    if (context.json)
        context.out << "{\"output\": " << jsonString(out.string())
                    << ", \"atoms\": " << structure.count.atoms
                    << ", \"bonds\": " << structure.count.bonds << "}\n";
    else
        context.out << out.string() << ": " << structure.count.atoms << " atoms, "
                    << structure.count.bonds << " bonds\n";
    return 0;
}

int runInfo(CliContext& context) {
    const Arguments args = parseArguments(context.args);
    if (!args.error.empty()) return fail(context, args.error);
    if (args.files.size() != 1)
        return fail(context, "info needs one FILE; see qzx-calc --help info");

    Structure structure;
    if (std::string error =
            loadStructureInput(args.files[0], args.bondLength, context.elements, structure);
        !error.empty())
        return fail(context, error);
    const StructureMasses nominal = composeStructure(structure, context.elements, false);
    const StructureMasses accurate = composeStructure(structure, context.elements, true);
    const std::string composition = withoutTrailingBlanks(nominal.composition);

    if (context.json)
        context.out << "{\"composition\": " << jsonString(composition)
                    << ", \"nominal_mass\": " << nominal.nominalMass
                    << ", \"monoisotopic_mass\": " << shortestFloat(accurate.monoMass)
                    << ", \"atoms\": " << structure.count.atoms
                    << ", \"bonds\": " << structure.count.bonds << "}\n";
    else
        context.out << "Composition: " << composition << "\n"
                    << "Nominal mass: " << nominal.nominalMass << "\n"
                    << "Monoisotopic mass: " << formatHashPattern4(accurate.monoMass) << "\n"
                    << "Atoms: " << structure.count.atoms << "\n"
                    << "Bonds: " << structure.count.bonds << "\n";
    return 0;
}

} // namespace

extern const CliCommand kConvertCommand = {
    "convert", "convert IN OUT [--bond-length N]",
    "Converts between the program's structure files (.msd) and MDL MOL files (.mol); the\n"
    "extensions (any letter case) say which is which. Both may be of the same kind.\n\n"
    "  IN, OUT            the file to read and the file to write (replaced safely)\n"
    "  --bond-length N    the MOL bond length: d pixels are 5d / N MOL units (whole number\n"
    "                     >= 1, default 100, so the 20-pixel ring bond is 1.0)\n\n"
    "The MOL title is the structure's label; a structure file gets the MOL title as label.\n"
    "A nitro group is written as one \"NO2\" pseudo-atom and expanded again on reading.\n\n"
    "Output: \"OUT: N atoms, B bonds\"; with --json\n"
    "  {\"output\": \"OUT\", \"atoms\": N, \"bonds\": B}\n"
    "where atoms and bonds are the rows of the structure's tables (the two oxygens and two\n"
    "N=O bonds of each nitro group included). Exit code 1 with a message on standard error\n"
    "when a file cannot be read or written or is not a structure or MOL file.\n",
    runConvert};

extern const CliCommand kInfoCommand = {
    "info", "info FILE [--bond-length N]",
    "Reads a structure file (.msd) or a MOL file (.mol) and prints its composition, nominal\n"
    "mass, monoisotopic mass and the number of atoms and bonds.\n\n"
    "  FILE               the .msd or .mol file\n"
    "  --bond-length N    MOL bond length for reading a MOL file (whole number >= 1, default\n"
    "                     100); a molecule larger than the drawing surface is refused\n\n"
    "Output, one line each: \"Composition: C6 H6\", \"Nominal mass: 78\",\n"
    "\"Monoisotopic mass: 78.047\", \"Atoms: 6\", \"Bonds: 6\". With --json exactly\n"
    "  {\"composition\": \"C6 H6\", \"nominal_mass\": 78, \"monoisotopic_mass\": 78.04695,\n"
    "   \"atoms\": 6, \"bonds\": 6}\n"
    "composition: symbol and count per element in element-number order (C, H, N, O, S, Cl,\n"
    "...), implicit hydrogens included; nominal_mass: sum of each element's nominal mass;\n"
    "monoisotopic_mass: single-precision sum of each element's exact mass; atoms, bonds:\n"
    "rows of the structure's tables (the hidden oxygens and N=O bonds of a nitro group\n"
    "included, implicit hydrogens not). Exit code 1 with a message on standard error when the\n"
    "file cannot be read or is not a structure or MOL file.\n",
    runInfo};

} // namespace qzx::cli
