// qzx-calc spectrum: converts mass spectra among ASC, JCAMP-DX, NIST library and plain text.
#include <charconv>
#include <cmath>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "cli_context.h"
#include "json_writer.h"
#include "spectrum/jcamp_dx.h"
#include "spectrum/spectrum_formats.h"

namespace qzx::cli {

namespace {

constexpr const char* kHelp =
    "Reads a mass spectrum and writes it in another format; the extensions (any letter case)\n"
    "say which is which:\n"
    "  .asc               one number a line, mass and abundance alternating; whole numbers,\n"
    "                     at most 300 peaks (the 300 most abundant are written)\n"
    "  .jdx .dx .jcamp    JCAMP-DX: read from ##PEAK TABLE=(XY..XY) or ##XYPOINTS=(XY..XY)\n"
    "                     of the first mass spectrum; written as JCAMP-DX 4.24\n"
    "  .msp               NIST library text: one entry is read, one entry written\n"
    "  anything else      plain text: read as mass and abundance pairs of numbers, written\n"
    "                     as \"mass<TAB>abundance\" a line\n\n"
    "  IN                 the spectrum file to read\n"
    "  OUT                the file to write (replaced safely: a failed write keeps an old\n"
    "                     file), or - to write nothing and only print\n"
    "  --entry NAME|N     the library entry of a .msp IN: the entry named NAME exactly, else\n"
    "                     the N-th entry (from 1). Without it the first is read, with a\n"
    "                     warning when the library holds more.\n\n"
    "Output: \"OUT: N peaks\" (with OUT -, the title, the peak count and the peaks as\n"
    "\"mass<TAB>abundance\" lines); each warning on standard error after \"qzx-calc: warning: \".\n"
    "With --json exactly\n"
    "  {\"input\": \"IN\", \"output\": \"OUT\", \"format\": \"jcamp-dx\", \"title\": \"Toluene\",\n"
    "   \"count\": 2, \"peaks\": [{\"mass\": 91, \"abundance\": 100}, {\"mass\": 92,\n"
    "   \"abundance\": 62.5}], \"warnings\": []}\n"
    "output is null for OUT -; format is the format of IN (asc, jcamp-dx, msp or text);\n"
    "peaks are the peaks read from IN in ascending mass, each number the shortest that\n"
    "reads back as the same single-precision value; count is their number; title is the\n"
    "JCAMP-DX title or library name, else IN's file name without extension; warnings are\n"
    "those of reading and of writing, in that order. Exit code 1 with a message on standard\n"
    "error when IN cannot be read or holds no usable spectrum, or OUT cannot be written.\n";

struct Arguments {
    std::vector<std::string> files;
    std::string entry;
    std::string error;
};

Arguments parseArguments(const std::vector<std::string>& args) {
    Arguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--entry") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                parsed.error = "--entry needs a library entry's name or number";
                return parsed;
            }
            parsed.entry = args[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            parsed.error = "unknown option '" + arg + "'";
            return parsed;
        } else {
            parsed.files.push_back(arg);
        }
    }
    if (parsed.error.empty() && parsed.files.size() != 2)
        parsed.error = "spectrum needs IN and OUT; see qzx-calc --help spectrum";
    return parsed;
}

std::string numberText(float value) {
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc()) return jsonNumber(static_cast<double>(value));
    return std::string(buffer, end);
}

std::string jsonNumberOf(float value) {
    // JSON holds no NaN or infinity; the readers never give them, but say null if they did.
    if (!std::isfinite(value)) return "null";
    return numberText(value);
}

int runSpectrum(CliContext& context) {
    const Arguments args = parseArguments(context.args);
    if (!args.error.empty()) return fail(context, args.error);
    const std::filesystem::path in = args.files[0];
    const std::string out = args.files[1];

    const SpectrumFileContents spectrum = readSpectrumFile(in, args.entry);
    if (!spectrum.error.empty()) return fail(context, in.string() + ": " + spectrum.error);
    std::vector<std::string> warnings = spectrum.warnings;
    if (out != "-") {
        const SpectrumWriteResult written = writeSpectrumFile(out, spectrum.peaks, spectrum.title);
        if (!written.error.empty()) return fail(context, out + ": " + written.error);
        warnings.insert(warnings.end(), written.warnings.begin(), written.warnings.end());
    }

    const std::size_t count = spectrum.peaks.size();
    if (context.json) {
        context.out << "{\"input\": " << jsonString(in.string())
                    << ", \"output\": " << (out == "-" ? "null" : jsonString(out))
                    << ", \"format\": " << jsonString(spectrumFormatName(spectrumFormatOf(in)))
                    << ", \"title\": " << jsonString(spectrum.title) << ", \"count\": " << count
                    << ", \"peaks\": [";
        for (std::size_t i = 0; i < count; ++i)
            context.out << (i == 0 ? "" : ", ")
                        << "{\"mass\": " << jsonNumberOf(spectrum.peaks[i].Mass)
                        << ", \"abundance\": " << jsonNumberOf(spectrum.peaks[i].Abundance) << "}";
        context.out << "], \"warnings\": [";
        for (std::size_t i = 0; i < warnings.size(); ++i)
            context.out << (i == 0 ? "" : ", ") << jsonString(warnings[i]);
        context.out << "]}\n";
        return 0;
    }
    for (const std::string& warning : warnings)
        context.err << "qzx-calc: warning: " << warning << "\n";
    if (out != "-") {
        context.out << out << ": " << count << (count == 1 ? " peak" : " peaks") << "\n";
        return 0;
    }
    context.out << "Title: " << spectrum.title << "\n"
                << "Peaks: " << count << "\n";
    for (const Peak& peak : spectrum.peaks)
        context.out << spectrumNumberText(peak.Mass) << "\t" << spectrumNumberText(peak.Abundance)
                    << "\n";
    return 0;
}

} // namespace

extern const CliCommand kSpectrumCommand = {"spectrum", "spectrum IN OUT [--entry NAME|N]", kHelp,
                                            runSpectrum};

} // namespace qzx::cli
