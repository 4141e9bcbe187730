// qzx-calc report: the comparison report of a structure with a spectrum as a PDF, as the
// spectrum window's "Export Report as PDF..." writes it, drawn offscreen.
#include <QGuiApplication>
#include <charconv>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "chem/autofragment.h"
#include "chem/composition.h"
#include "chem/formula_text.h"
#include "chem/fragments.h"
#include "chem/isotope_pattern.h"
#include "cli_context.h"
#include "json_writer.h"
#include "render/comparison_report_pdf.h"
#include "settings/settings_file.h"
#include "spectrum/spectrum.h"
#include "spectrum/spectrum_formats.h"
#include "spectrum/spectrum_match.h"
#include "structure/mol_file.h"
#include "structure/structure.h"
#include "structure/structure_composition.h"
#include "structure_input.h"

namespace qzx::cli {

namespace {

constexpr const char* kHelp =
    "Compares a structure with a spectrum as the spectrum window's \"Compare\" does and writes\n"
    "the comparison report as a PDF: the report page (the spectrum with its matched peaks and\n"
    "the comparison summary), then the structure and every matched peak with the fragments\n"
    "that explain it. The structure is autofragmented (\"1 + 2 Bonds\") first.\n"
    "\n"
    "  FILE              a structure file (.msd) or a MOL file (.mol), any letter case\n"
    "  SPECTRUM          a spectrum file: .asc, .msp, .jdx/.dx/.jcamp or two-column text\n"
    "  OUT               the PDF to write (replaced safely: a failed write keeps an old file)\n"
    "  --entry NAME|N    the library entry of a .msp SPECTRUM\n"
    "  --2h              hydrogen transfers of up to two hydrogens (default one)\n"
    "  --no-transfers    no hydrogen transfers\n"
    "  --bond-length N   MOL bond length for reading a MOL file (default 100)\n"
    "\n"
    "Output: \"OUT: M of N peaks matched, match index I\". With --json exactly\n"
    "  {\"output\": \"OUT\", \"peaks\": 18, \"matches\": 7, \"match_index\": 0.8123}\n"
    "Exit status: 0 on success; 1 when a file cannot be read or written or the structure\n"
    "gives no fragment; 2 for wrong arguments.\n";

struct Options {
    std::vector<std::string> files;
    std::string entry;
    ComparisonOptions compare;
    int bondLength = kDefaultMolBondLength;
    std::string error;
};

Options parseOptions(const std::vector<std::string>& args) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--entry" && i + 1 < args.size()) {
            options.entry = args[++i];
        } else if (arg == "--2h") {
            options.compare.hydrogens = 2;
        } else if (arg == "--no-transfers") {
            options.compare.allowHydrogenTransfers = false;
        } else if (arg == "--bond-length" && i + 1 < args.size()) {
            const std::string& text = args[++i];
            const auto [end, error] =
                std::from_chars(text.data(), text.data() + text.size(), options.bondLength);
            if (error != std::errc() || end != text.data() + text.size() ||
                options.bondLength < 1) {
                options.error = "--bond-length needs a whole number of at least 1";
                return options;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            options.error = "unknown option '" + arg + "'";
            return options;
        } else {
            options.files.push_back(arg);
        }
    }
    if (options.files.size() != 3)
        options.error = "report needs FILE SPECTRUM OUT; see qzx-calc --help report";
    return options;
}

/// Fonts and painting need a GUI application; without a display it draws offscreen.
std::unique_ptr<QGuiApplication> guiApplication() {
    if (QGuiApplication::instance() != nullptr) return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "qzx-calc";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

/// Nothing to tell: the calculation notices have no window here.
class QuietNotices : public IsotopeNotices {
public:
    void notice(const std::string&) override {}
};

int runReport(CliContext& context) {
    const Options options = parseOptions(context.args);
    if (!options.error.empty()) {
        context.err << "qzx-calc: " << options.error << "\n";
        return 2;
    }
    const std::filesystem::path structureFile = options.files[0];
    const std::filesystem::path spectrumFile = options.files[1];
    const std::filesystem::path out = options.files[2];
    Structure structure;
    if (const std::string error =
            loadStructureInput(structureFile, options.bondLength, context.elements, structure);
        !error.empty())
        return fail(context, error);
    const SpectrumFileContents read = readSpectrumFile(spectrumFile, options.entry);
    if (!read.error.empty()) return fail(context, spectrumFile.string() + ": " + read.error);
    Spectrum spectrum;
    const std::vector<Peak> peaks = mostAbundantPeaks(read.peaks, kMaxPeaks);
    for (std::size_t k = 0; k < peaks.size(); ++k)
        spectrum.peak(static_cast<int>(k) + 1) = peaks[k];
    spectrum.setPeakCount(static_cast<int>(peaks.size()));
    spectrum.SpectrumFileName = spectrumFile.string();
    spectrum.normalize(); // as the spectrum window does before it first draws it

    FragmentTable fragments;
    const AutofragmentResult run = RunAutofragment(structure, context.elements, {}, fragments);
    if (run.status != AutofragmentStatus::Done) return fail(context, run.message);
    const StructureMasses masses = composeStructure(structure, context.elements, false);
    std::string formula = masses.composition;
    Composition composition;
    ParseFormulaText(composition, formula);
    QuietNotices notices;
    NominalIsotopeOptions patternOptions;
    patternOptions.threshold = 0.005f;
    const IsotopePattern pattern =
        NominalIsotopePattern(composition, context.elements, patternOptions, notices);
    std::vector<int> fragmentMasses;
    for (int f = 1; f <= fragments.FragmentCount; ++f)
        fragmentMasses.push_back(fragments.fragment(f).Mass);
    ComparisonOptions compare = options.compare;
    compare.structureMass = masses.nominalMass;
    compareSpectrum(spectrum, fragmentMasses, pattern, compare);

    const auto app = guiApplication();
    const Settings settings = loadSettings(context.programDirectory / kSettingsFileName);
    ReportDocument document;
    document.spectrum = &spectrum;
    document.structure = &structure;
    document.elements = &context.elements;
    document.settings = &settings;
    document.fragments = &fragments;
    document.report.allowHydrogenTransfers = compare.allowHydrogenTransfers;
    document.report.hydrogens = compare.hydrogens;
    document.report.structureLabel = structure.StructureLabel;
    document.report.nominalMass = masses.nominalMass;
    document.report.composition = masses.composition;
    if (const std::string error = writeComparisonReportPdf(out, document); !error.empty())
        return fail(context, out.string() + ": " + error);
    if (context.json) {
        context.out << "{\"output\": " << jsonString(out.string())
                    << ", \"peaks\": " << spectrum.peakCount()
                    << ", \"matches\": " << spectrum.MatchCount
                    << ", \"match_index\": " << jsonNumber(spectrum.MatchIndex) << "}\n";
        return 0;
    }
    context.out << out.string() << ": " << spectrum.MatchCount << " of " << spectrum.peakCount()
                << " peaks matched, match index " << jsonNumber(spectrum.MatchIndex) << "\n";
    return 0;
}

} // namespace

extern const CliCommand kReportCommand = {
    "report", "report FILE SPECTRUM OUT.pdf [--entry NAME|N] [--2h] [--no-transfers]", kHelp,
    runReport};

} // namespace qzx::cli
