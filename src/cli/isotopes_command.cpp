// qzx-calc isotopes: the isotope cluster of a formula, nominal or accurate.
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "chem/composition.h"
#include "chem/formula_text.h"
#include "chem/isotope_pattern.h"
#include "cli_context.h"
#include "json_writer.h"
#include "util/rounding.h"

namespace qzx::cli {

namespace {

constexpr const char* kHelp =
    "Computes the isotope cluster of a molecular formula, as the Isotopic Profiler does.\n"
    "\n"
    "  FORMULA         element symbols with counts, one word per element: \"C6 H12 O6\" or\n"
    "                  C6 H12 O6 (several words are joined with blanks). Symbols are read\n"
    "                  regardless of case; a count of 1 may be left out.\n"
    "  --accurate      exact masses: every element with more than one isotope is expanded\n"
    "                  (at most 5 elements; with 4 atoms at most 6 isotopes, with 5 or more\n"
    "                  atoms the first 2), at most 30 peaks. Without it: nominal masses, the\n"
    "                  complete distribution (--min applies to the finished cluster), at\n"
    "                  most 50 peaks.\n"
    "  --deuterium     with --accurate: expand hydrogen into 1H and 2H too; otherwise every\n"
    "                  hydrogen counts as 1H.\n"
    "  --min PCT       smallest peak to report, in percent of the largest (0 to 100;\n"
    "                  default 0.05, as the profiler starts).\n"
    "\n"
    "Output: the formula as read, its nominal mass (the sum of count x mass of each\n"
    "element's most abundant isotope, rounded per element), and one line per peak: mass\n"
    "(accurate: 4 decimals) and abundance in percent of the largest peak (2 decimals).\n"
    "Notices (too many elements, isotopes limited, more peaks than can be listed, inputs\n"
    "beyond the working limits) follow the peaks; a notice is not an error.\n"
    "\n"
    "With --json:\n"
    "  {\"formula\": \"C6 H12 O6\", \"nominal_mass\": 180,\n"
    "   \"peaks\": [{\"mass\": 180, \"abundance\": 100}, ...], \"notice\": \"\"}\n"
    "peaks in ascending mass, masses and abundances as single-precision values; notice holds\n"
    "the notice texts (several are separated by a line feed), or \"\" when there was none.\n"
    "\n"
    "Exit status: 0, also after a notice; 1 when the formula cannot be read or an option is\n"
    "wrong.\n";

/// Gathers the notices for the output instead of showing them.
struct CollectedNotices : IsotopeNotices {
    std::string text;
    void notice(const std::string& notice) override {
        if (!text.empty()) text += '\n';
        text += notice;
    }
};

std::string shortest(float value) {
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc() || !std::isfinite(value)) return "null";
    return std::string(buffer, end);
}

std::string fixed(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

/// Sum over the elements of round(count x mass of the element's most abundant isotope).
long long nominalMass(const Composition& composition, const ElementTable& elements) {
    long long sum = 0;
    for (int e = 1; e <= kElementCount; ++e) {
        if (composition[e] <= 0) continue;
        const ElementRecord& element = elements[e];
        int principal = static_cast<int>(element.PrincipalIsotope);
        if (principal < 1 || principal > kIsotopeSlots) principal = 1;
        sum += Round(static_cast<double>(composition[e]) * element.Isotopes[principal].Mass);
    }
    return sum;
}

bool readNumber(const std::string& text, double& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && std::isfinite(value);
}

int runIsotopes(CliContext& context) {
    bool accurate = false;
    bool deuterium = false;
    double minimumPercent = 0.05;
    std::string formulaText;
    const std::vector<std::string>& args = context.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--accurate") {
            accurate = true;
        } else if (arg == "--deuterium") {
            deuterium = true;
        } else if (arg == "--min") {
            if (i + 1 >= args.size() || !readNumber(args[i + 1], minimumPercent) ||
                minimumPercent < 0 || minimumPercent > 100)
                return fail(context, "--min needs a percentage from 0 to 100");
            ++i;
        } else if (arg.size() > 1 && arg[0] == '-' &&
                   !std::isdigit(static_cast<unsigned char>(arg[1]))) {
            return fail(context, "unknown option '" + arg + "'; see qzx-calc --help isotopes");
        } else {
            if (!formulaText.empty()) formulaText += ' ';
            formulaText += arg;
        }
    }
    if (deuterium && !accurate) return fail(context, "--deuterium needs --accurate");
    if (formulaText.find_first_not_of(" \t") == std::string::npos)
        return fail(context, "isotopes needs a FORMULA; see qzx-calc --help isotopes");

    Composition composition;
    std::string normalised = formulaText;
    ParseFormulaText(composition, normalised);
    if (normalised == "Err")
        return fail(context, "cannot read the formula '" + formulaText +
                                 "': a symbol is followed by a letter or is not an element");
    while (!normalised.empty() && normalised.back() == ' ')
        normalised.pop_back();
    if (normalised.empty())
        return fail(context, "no element symbol in the formula '" + formulaText + "'");

    const auto threshold = static_cast<float>(minimumPercent * 0.01);
    CollectedNotices notices;
    const IsotopePattern pattern =
        accurate
            ? AccurateIsotopePattern(composition, context.elements, {threshold, deuterium}, notices)
            : NominalIsotopePattern(composition, context.elements, {threshold}, notices);
    const long long nominal = nominalMass(composition, context.elements);

    std::string out;
    if (context.json) {
        out = "{\"formula\": " + jsonString(normalised) +
              ", \"nominal_mass\": " + std::to_string(nominal) + ", \"peaks\": [";
        for (std::size_t i = 0; i < pattern.peaks.size(); ++i) {
            if (i > 0) out += ", ";
            out += "{\"mass\": " + shortest(pattern.peaks[i].mass) +
                   ", \"abundance\": " + shortest(pattern.peaks[i].abundance) + "}";
        }
        out += "], \"notice\": " + jsonString(notices.text) + "}\n";
    } else {
        out = "Formula: " + normalised + "\nNominal mass: " + std::to_string(nominal) + "\n";
        out += pattern.peaks.empty() ? "No peaks\n" : "        Mass   Rel Abund\n";
        char line[96];
        for (const IsotopePeak& peak : pattern.peaks) {
            const std::string mass = accurate ? fixed(peak.mass, 4) : fixed(peak.mass, 0);
            std::snprintf(line, sizeof line, "%12s %11s\n", mass.c_str(),
                          fixed(peak.abundance, 2).c_str());
            out += line;
        }
        if (!notices.text.empty()) {
            std::string text;
            for (char c : notices.text)
                if (c != '\r') text += c;
            out += "Notice: " + text + "\n";
        }
    }
    context.out << out;
    return 0;
}

} // namespace

extern const CliCommand kIsotopesCommand{
    "isotopes", "isotopes FORMULA [--accurate] [--deuterium] [--min PCT]", kHelp, runIsotopes};

} // namespace qzx::cli
