// qzx-calc explain: what explains one peak of a spectrum for a structure: its fragments with
// hydrogen transfers, the compositions its own atoms allow, losses from the molecular ion and
// the isotope clusters of fragments with Cl, Br, S or Si.
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "chem/autofragment.h"
#include "chem/fragments.h"
#include "cli_context.h"
#include "json_writer.h"
#include "spectrum/peak_explanation.h"
#include "spectrum/spectrum.h"
#include "spectrum/spectrum_formats.h"
#include "structure/mol_file.h"
#include "structure/structure.h"
#include "structure_input.h"

namespace qzx::cli {

namespace {

constexpr const char* kHelp =
    "Explains the peak at MASS of a spectrum with a structure, as the spectrum window's\n"
    "\"Explain Peak\" does after a comparison. The structure is autofragmented (\"1 + 2 Bonds\")\n"
    "first.\n"
    "\n"
    "  FILE              a structure file (.msd) or a MOL file (.mol), any letter case\n"
    "  SPECTRUM          a spectrum file: .asc, .msp, .jdx/.dx/.jcamp or two-column text\n"
    "  MASS              the peak's m/z (its nominal mass is the value rounded)\n"
    "  --entry NAME|N    the library entry of a .msp SPECTRUM\n"
    "  --tolerance U     compositions within U u of MASS (default 0.5)\n"
    "  --bond-length N   MOL bond length for reading a MOL file (default 100)\n"
    "\n"
    "Lists the fragments within two hydrogens of the peak (the transfer is the peak's mass\n"
    "minus the fragment's), the compositions of the structure's own elements, each at most as\n"
    "often as in the structure, strictly within the tolerance (the closest first, at most 50),\n"
    "the common losses and table neutrals of M minus the peak's mass, and for each matching\n"
    "fragment with Cl, Br, S or Si its nominal isotope cluster, scaled to the peak, beside the\n"
    "observed abundances. With --json exactly one object:\n"
    "  {\"peak\": 91, \"abundance\": 100, \"molecular_ion\": 92,\n"
    "   \"fragments\": [{\"fragment\": 5, \"mass\": 92, \"transfer\": -1, \"formula\": \"C7 H8\",\n"
    "     \"atoms\": [1, ...]}],\n"
    "   \"compositions\": [{\"formula\": \"C7 H7\", \"mass\": 91.0548, \"error\": 0.0548}],\n"
    "   \"compositions_left_out\": 0,\n"
    "   \"losses\": [{\"mass\": 15, \"name\": \"CH3\", \"source\": \"common loss\"}],\n"
    "   \"clusters\": [{\"fragment\": 7, \"formula\": \"C6 H5 Cl1\", \"transfer\": 0,\n"
    "     \"lines\": [{\"mass\": 112, \"predicted\": 80, \"observed\": 80}, ...]}]}\n"
    "\n"
    "Exit status: 0 on success; 1 when a file cannot be read or the structure gives no\n"
    "fragment; 2 for wrong arguments.\n";

struct Options {
    std::filesystem::path structure;
    std::filesystem::path spectrum;
    float mass = 0.0f;
    std::string entry;
    ExplainOptions explain;
    int bondLength = kDefaultMolBondLength;
    std::string error;
};

template <typename T> bool parseNumber(const std::string& text, T& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

Options parseOptions(const std::vector<std::string>& args) {
    Options options;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::string value = i + 1 < args.size() ? args[i + 1] : std::string();
        if (arg == "--entry") {
            options.entry = value;
            ++i;
        } else if (arg == "--tolerance") {
            double tolerance = 0.0;
            if (!parseNumber(value, tolerance) || !(tolerance > 0.0)) {
                options.error = "--tolerance needs a number above 0";
                return options;
            }
            options.explain.tolerance = tolerance;
            ++i;
        } else if (arg == "--bond-length") {
            if (!parseNumber(value, options.bondLength) || options.bondLength < 1) {
                options.error = "--bond-length needs a whole number of at least 1";
                return options;
            }
            ++i;
        } else if (arg.size() > 1 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9')) {
            options.error = "unknown option '" + arg + "'";
            return options;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 3) {
        options.error = "explain needs FILE SPECTRUM MASS; see qzx-calc --help explain";
        return options;
    }
    options.structure = positional[0];
    options.spectrum = positional[1];
    double mass = 0.0;
    if (!parseNumber(positional[2], mass) || !(mass > 0.0) || mass > 100000.0) {
        options.error = "MASS must be a number above 0 (m/z), not '" + positional[2] + "'";
        return options;
    }
    options.mass = static_cast<float>(mass);
    return options;
}

void printJson(CliContext& context, const PeakExplanation& e) {
    auto& out = context.out;
    const auto trimmed = [](std::string formula) {
        while (!formula.empty() && formula.back() == ' ')
            formula.pop_back();
        return formula;
    };
    out << "{\"peak\": " << jsonNumber(e.peakMass) << ", \"abundance\": " << jsonNumber(e.abundance)
        << ", \"molecular_ion\": " << e.moleculeMass << ", \"fragments\": [";
    for (std::size_t i = 0; i < e.fragments.size(); ++i) {
        const ExplainedFragment& f = e.fragments[i];
        out << (i ? ", " : "") << "{\"fragment\": " << f.fragment << ", \"mass\": " << f.mass
            << ", \"transfer\": " << f.hydrogenShift
            << ", \"formula\": " << jsonString(trimmed(f.formula)) << ", \"atoms\": [";
        for (std::size_t a = 0; a < f.atoms.size(); ++a)
            out << (a ? ", " : "") << f.atoms[a];
        out << "]}";
    }
    out << "], \"compositions\": [";
    for (std::size_t i = 0; i < e.compositions.size(); ++i) {
        const ExplainedComposition& c = e.compositions[i];
        out << (i ? ", " : "") << "{\"formula\": " << jsonString(trimmed(c.formula))
            << ", \"mass\": " << jsonNumber(c.exactMass) << ", \"error\": " << jsonNumber(c.error)
            << "}";
    }
    out << "], \"compositions_left_out\": " << e.compositionsLeftOut << ", \"losses\": [";
    for (std::size_t i = 0; i < e.losses.size(); ++i) {
        const ExplainedLoss& l = e.losses[i];
        out << (i ? ", " : "") << "{\"mass\": " << l.mass << ", \"name\": " << jsonString(l.name)
            << ", \"source\": " << jsonString(l.source) << "}";
    }
    out << "], \"clusters\": [";
    for (std::size_t i = 0; i < e.clusters.size(); ++i) {
        const ExplainedCluster& c = e.clusters[i];
        out << (i ? ", " : "") << "{\"fragment\": " << c.fragment
            << ", \"formula\": " << jsonString(trimmed(c.formula))
            << ", \"transfer\": " << c.hydrogenShift << ", \"lines\": [";
        for (std::size_t k = 0; k < c.lines.size(); ++k)
            out << (k ? ", " : "") << "{\"mass\": " << c.lines[k].mass
                << ", \"predicted\": " << jsonNumber(c.lines[k].predicted)
                << ", \"observed\": " << jsonNumber(c.lines[k].observed) << "}";
        out << "]}";
    }
    out << "]}\n";
}

void printText(CliContext& context, const PeakExplanation& e) {
    auto& out = context.out;
    out << "Peak: " << jsonNumber(e.peakMass) << "  abundance " << jsonNumber(e.abundance)
        << "  (M = " << e.moleculeMass << ")\n";
    out << "Fragments:\n";
    for (const ExplainedFragment& f : e.fragments)
        out << "  " << f.mass << "  " << f.formula << " transfer " << f.hydrogenShift << "\n";
    out << "Compositions:\n";
    for (const ExplainedComposition& c : e.compositions) {
        char numbers[64];
        std::snprintf(numbers, sizeof numbers, "%.4f  error %+.4f", c.exactMass, c.error);
        out << "  " << c.formula << " " << numbers << "\n";
    }
    if (e.compositionsLeftOut > 0) out << "  (" << e.compositionsLeftOut << " more not listed)\n";
    out << "Losses from M:\n";
    for (const ExplainedLoss& l : e.losses)
        out << "  M - " << l.mass << "  " << l.name << "  (" << l.source << ")\n";
    for (const ExplainedCluster& c : e.clusters) {
        out << "Isotope cluster of " << c.formula << "(transfer " << c.hydrogenShift << "):\n";
        for (const ClusterLine& line : c.lines) {
            char numbers[64];
            std::snprintf(numbers, sizeof numbers, "  predicted %.1f  observed %.1f",
                          static_cast<double>(line.predicted), static_cast<double>(line.observed));
            out << "  " << line.mass << numbers << "\n";
        }
    }
}

int runExplain(CliContext& context) {
    const Options options = parseOptions(context.args);
    if (!options.error.empty()) {
        context.err << "qzx-calc: " << options.error << "\n";
        return 2;
    }
    Structure structure;
    if (const std::string error =
            loadStructureInput(options.structure, options.bondLength, context.elements, structure);
        !error.empty())
        return fail(context, error);
    const SpectrumFileContents read = readSpectrumFile(options.spectrum, options.entry);
    if (!read.error.empty()) return fail(context, options.spectrum.string() + ": " + read.error);
    Spectrum spectrum;
    const std::vector<Peak> peaks = mostAbundantPeaks(read.peaks, kMaxPeaks);
    for (std::size_t k = 0; k < peaks.size(); ++k)
        spectrum.peak(static_cast<int>(k) + 1) = peaks[k];
    spectrum.setPeakCount(static_cast<int>(peaks.size()));

    FragmentTable fragments;
    const AutofragmentResult run = RunAutofragment(structure, context.elements, {}, fragments);
    if (run.status != AutofragmentStatus::Done) return fail(context, run.message);
    const PeakExplanation explanation = explainPeak(structure, context.elements, fragments,
                                                    spectrum, options.mass, options.explain);
    if (context.json)
        printJson(context, explanation);
    else
        printText(context, explanation);
    return 0;
}

} // namespace

extern const CliCommand kExplainCommand = {
    "explain", "explain FILE SPECTRUM MASS [--entry NAME|N] [--tolerance U] [--bond-length N]",
    kHelp, runExplain};

} // namespace qzx::cli
