// qzx-calc fragments: the autofragment results of a structure file or MOL file.
#include <charconv>
#include <filesystem>
#include <string>
#include <vector>

#include "chem/autofragment.h"
#include "chem/fragments.h"
#include "cli_context.h"
#include "json_writer.h"
#include "structure/mol_file.h"
#include "structure/structure.h"
#include "structure_input.h"

namespace qzx::cli {

namespace {

constexpr const char* kHelp =
    "Autofragments a structure as the Autofragment window does: every bond is broken, and\n"
    "unless --single every pair of bonds, and each connected piece that remains is listed once\n"
    "with its nominal mass, followed by the molecular ion, sorted by mass.\n"
    "\n"
    "  FILE              a structure file (.msd) or a MOL file (.mol), any letter case\n"
    "  --single          \"1 Bond\": single bonds only (default \"1 + 2 Bonds\")\n"
    "  --odd             \"Mark Odd Electron Ions\": mark their lines with \" \u00B7+\"\n"
    "  --accurate        \"Use Accurate Mass\": the molecular ion's mass is the monoisotopic\n"
    "                    mass rounded to the nearest whole number (fragments stay nominal)\n"
    "  --bond-length N   MOL bond length for reading a MOL file (whole number >= 1, default\n"
    "                    100)\n"
    "\n"
    "A piece's mass is, over its atoms, the element's nominal mass plus the atom's implicit\n"
    "hydrogens. A piece found again by another cleavage is listed once; different sets of\n"
    "atoms are different fragments, even at equal mass. A piece is an odd-electron ion when 1 + "
    "its rings-plus-double-bonds\n"
    "shares (C +1, N +0.5, H and halogens -0.5, ...) is a whole number.\n"
    "\n"
    "Output: \"Fragments: N\" (the molecular ion included), then the results list, one line\n"
    "per fragment: the mass right-aligned in 5 characters, with --odd followed by \" \u00B7+\" "
    "for\n"
    "an odd-electron ion. With --json exactly\n"
    "  {\"molecular_ion\": 44, \"fragments\": [{\"mass\": 15, \"atoms\": [1],\n"
    "   \"odd_electron\": false}, ..., {\"mass\": 44, \"atoms\": [1, 2, 3],\n"
    "   \"odd_electron\": true}]}\n"
    "fragments in the order of the results list (ascending mass; equal masses in the order of\n"
    "the program's heap sort), atoms as 1-based atom rows of the structure's tables in\n"
    "ascending order (the molecular ion lists every atom), odd_electron always computed.\n"
    "\n"
    "Exit status: 0 on success; 1 when the file cannot be read or when no fragment can be\n"
    "generated (\"No Fragments could be Generated\": no bond, or only ring bonds with\n"
    "--single); 2 for wrong arguments.\n";

struct Options {
    std::filesystem::path file;
    AutofragmentOptions run;
    int bondLength = kDefaultMolBondLength;
    std::string error;
};

Options parseOptions(const std::vector<std::string>& args) {
    Options options;
    bool haveFile = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--single") {
            options.run.singleOnly = true;
        } else if (arg == "--odd") {
            options.run.markOddElectron = true;
        } else if (arg == "--accurate") {
            options.run.accurateMass = true;
        } else if (arg == "--bond-length") {
            const std::string text = i + 1 < args.size() ? args[++i] : std::string();
            int value = 0;
            const auto [end, error] =
                std::from_chars(text.data(), text.data() + text.size(), value);
            if (error != std::errc() || end != text.data() + text.size() || value < 1) {
                options.error = "--bond-length needs a whole number of at least 1";
                return options;
            }
            options.bondLength = value;
        } else if (arg.size() > 1 && arg[0] == '-') {
            options.error = "unknown option '" + arg + "'";
            return options;
        } else if (haveFile) {
            options.error = "fragments takes one FILE";
            return options;
        } else {
            options.file = arg;
            haveFile = true;
        }
    }
    if (!haveFile) options.error = "fragments needs a FILE; see qzx-calc --help fragments";
    return options;
}

void printJson(CliContext& context, const FragmentTable& table, const Structure& structure) {
    auto& out = context.out;
    out << "{\"molecular_ion\": " << table.fragment(table.FragmentCount).Mass
        << ", \"fragments\": [";
    for (int k = 1; k <= table.FragmentCount; ++k) {
        const Fragment& fragment = table.fragment(table.MassOrder[static_cast<std::size_t>(k)]);
        out << (k > 1 ? ", " : "") << "{\"mass\": " << fragment.Mass << ", \"atoms\": [";
        for (std::size_t a = 0; a < fragment.Atoms.size(); ++a)
            out << (a > 0 ? ", " : "") << fragment.Atoms[a];
        out << "], \"odd_electron\": "
            << (IsOddElectron(fragment, structure, context.elements) ? "true" : "false") << "}";
    }
    out << "]}\n";
}

int runFragments(CliContext& context) {
    const Options options = parseOptions(context.args);
    if (!options.error.empty()) {
        context.err << "qzx-calc: " << options.error << "\n";
        return 2;
    }
    Structure structure;
    if (const std::string error =
            loadStructureInput(options.file, options.bondLength, context.elements, structure);
        !error.empty())
        return fail(context, error);

    FragmentTable table;
    const AutofragmentResult result =
        RunAutofragment(structure, context.elements, options.run, table);
    if (result.status != AutofragmentStatus::Done) return fail(context, result.message);

    if (context.json) {
        printJson(context, table, structure);
        return 0;
    }
    context.out << "Fragments: " << table.FragmentCount << "\n";
    for (const std::string& line : table.ResultsList)
        context.out << line << "\n";
    return 0;
}

} // namespace

extern const CliCommand kFragmentsCommand = {
    "fragments", "fragments FILE [--single] [--odd] [--accurate] [--bond-length N]", kHelp,
    runFragments};

} // namespace qzx::cli
