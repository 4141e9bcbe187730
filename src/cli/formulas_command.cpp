// qzx-calc formulas: every elemental composition within a tolerance of a mass.
#include <unistd.h>

#include <cctype>
#include <charconv>
#include <chrono>
#include <iostream>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "chem/element_table.h"
#include "chem/formula_search.h"
#include "cli_context.h"
#include "json_writer.h"
#include "util/rounding.h"

namespace qzx::cli {

namespace {

constexpr const char* kHelp =
    "Lists every elemental composition whose exact mass lies within TOL of MASS, as the\n"
    "Elemental Formula calculator does, in its search order: carbon outermost, then oxygen,\n"
    "nitrogen and the three further rows, hydrogen innermost, each ascending. Hydrogen is\n"
    "bounded by saturation, so no result has negative rings plus double bonds.\n"
    "\n"
    "  MASS              measured molecular weight in u, from 1 to 15,000.\n"
    "  TOL               tolerance in u (0 or more): a composition counts when\n"
    "                    |mass - MASS| < TOL. The window limits it to 2; here it is free.\n"
    "  --rows LIST       the element rows, comma-separated SYMBOL:RANGE entries, e.g.\n"
    "                    C:1-40,H:0-80,O:0-20,N:0-10,Cl:0-4,Si:0-2,S:0-3\n"
    "                    RANGE is MIN-MAX, MIN- (no maximum) or N (exactly N); SYMBOL alone\n"
    "                    means minimum 0 (carbon 1) and no maximum; SYMBOL:off switches the\n"
    "                    row off, and so does a maximum of 0. C, H, O and N are the fixed\n"
    "                    rows; up to three other elements take rows 5, 6 and 7 in the order\n"
    "                    they are named (any element of the table). A row not named is off,\n"
    "                    except C and H, which are on as in a fresh window (C from 1, H from\n"
    "                    0). Without a maximum a row goes as far as the mass allows (hydrogen\n"
    "                    to 32,000).\n"
    "  --rdb MIN:MAX     keep only compositions whose rings plus double bonds, rounded, lie in\n"
    "                    MIN..MAX (whole numbers; MIN: alone means no maximum).\n"
    "  --molecular-ions  keep only whole-number rings plus double bonds.\n"
    "  --nitrogen-rule   an odd MASS (its whole part) needs an odd number of nitrogens, an\n"
    "                    even one an even number; compositions without nitrogen are kept.\n"
    "  --max-results N   stop after N results (default 1,000, the window's list). One more\n"
    "                    match ends the search with a \"List Overflow\" message on standard\n"
    "                    error; the first N results are still printed and the exit status\n"
    "                    is 0.\n"
    "\n"
    "Output: a heading, then one line per result as it is found (so any number of results\n"
    "takes little memory): composition, exact mass (4 decimals), difference from MASS\n"
    "(4 decimals), rings plus double bonds; last \"Found: N\" (\"No Matches\" before it when\n"
    "there is none). A composition lists C, H, O, N, then rows 5-7, each with its count, and\n"
    "leaves out counts of 0 (\"C1 H4\", \" H2 O1\" begins with a blank when there is no\n"
    "carbon). On a terminal, standard error shows how many results a long search has found.\n"
    "\n"
    "With --json:\n"
    "  {\"results\": [{\"composition\": \"C1 H4\", \"mass\": 16.0313,\n"
    "   \"difference\": 0.0013, \"rdb\": 0}], \"count\": 1}\n"
    "results in search order; mass is the sum of count x exact mass (single-precision element\n"
    "masses added in double precision), difference = |mass - MASS| rounded to 4 decimals.\n"
    "\n"
    "Exit status: 0 on success (also after a list overflow); 1 on bad input, including a\n"
    "MASS above 15,000 (\"Mass Overflow\").\n";

bool readNumber(const std::string& text, double& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && std::isfinite(value);
}

bool readWhole(std::string_view text, int& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && error == std::errc() && stop == end;
}

/// The element number of a symbol as typed ("cl", "CL" and "Cl" are chlorine), or 0.
int elementOf(const ElementTable& elements, std::string symbol) {
    if (int n = elements.findSymbol(symbol); n != 0) return n;
    for (std::size_t i = 0; i < symbol.size(); ++i)
        symbol[i] = static_cast<char>(i == 0 ? std::toupper(static_cast<unsigned char>(symbol[i]))
                                             : std::tolower(static_cast<unsigned char>(symbol[i])));
    return elements.findSymbol(symbol);
}

/// Reads the --rows list into the search input; an error text when it is wrong.
std::string readRows(const std::string& list, const ElementTable& elements,
                     FormulaSearchInput& input) {
    for (FormulaSearchRow& row : input.rows)
        row = {};
    input.rows[kRowC] = {true, 1, 0};
    input.rows[kRowH] = {true, 0, 0};
    bool named[kFormulaRows] = {};
    int nextFreeRow = kRow5;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t comma = list.find(',', start);
        if (comma == std::string::npos) comma = list.size();
        const std::string entry = list.substr(start, comma - start);
        start = comma + 1;
        if (entry.empty()) return "an empty entry in --rows";
        const std::size_t colon = entry.find(':');
        const std::string symbol = entry.substr(0, colon);
        const int element = elementOf(elements, symbol);
        if (element == 0) return "unknown element '" + symbol + "' in --rows";
        int row = element == 1   ? kRowC
                  : element == 2 ? kRowH
                  : element == 4 ? kRowO
                  : element == 3 ? kRowN
                                 : -1;
        if (row < 0) {
            for (int r = kRow5; r < nextFreeRow; ++r)
                if (input.rowElements[r] == element) row = r;
            if (row < 0) {
                if (nextFreeRow > kRow7)
                    return "--rows takes at most three elements besides C, H, O and N";
                row = nextFreeRow++;
                input.rowElements[row] = element;
            }
        }
        if (named[row]) return "element '" + symbol + "' is named twice in --rows";
        named[row] = true;

        // In the window a maximum of 0 means "no limit"; here a maximum is always a limit,
        // so a maximum of 0 switches the row off.
        FormulaSearchRow value{true, row == kRowC ? 1 : 0, 0};
        if (colon != std::string::npos) {
            const std::string range = entry.substr(colon + 1);
            const std::size_t dash = range.find('-');
            const std::string bad = "'" + entry + "' in --rows: expected MIN-MAX, MIN- or N, " +
                                    "whole numbers with 0 <= MIN <= MAX, or off";
            if (range == "off") {
                value.enabled = false;
            } else if (dash == std::string::npos) {
                if (!readWhole(range, value.minimum) || value.minimum < 0) return bad;
                value.maximum = value.minimum;
                value.enabled = value.maximum > 0;
            } else {
                const std::string_view low(range.data(), dash);
                const std::string_view high(range.data() + dash + 1, range.size() - dash - 1);
                if (!readWhole(low, value.minimum) || value.minimum < 0) return bad;
                if (!high.empty()) {
                    if (!readWhole(high, value.maximum) || value.maximum < value.minimum)
                        return bad;
                    value.enabled = value.maximum > 0;
                }
            }
        }
        input.rows[row] = value;
    }
    return "";
}

/// Prints each result as the search finds it, so memory stays small whatever the count.
class ResultPrinter : public FormulaSearchSink {
public:
    ResultPrinter(CliContext& context, double target) : m_context(context), m_target(target) {}

    void begin() {
        if (m_context.json)
            m_context.out << "{\"results\": [";
        else
            m_context.out << "Composition                           Mass  Difference     RDB\n";
    }

    bool take(const FormulaCandidate& c) override {
        const double mass = formulaCandidateMass(c, m_context.elements);
        if (m_context.json) {
            m_context.out << (c.position > 1 ? ", " : "")
                          << "{\"composition\": " << jsonString(formulaCompositionText(c))
                          << ", \"mass\": " << jsonNumber(mass)
                          << ", \"difference\": " << jsonNumber(c.difference / 10000.0)
                          << ", \"rdb\": " << jsonNumber(c.rdb) << "}";
        } else {
            char line[160];
            std::snprintf(line, sizeof line, "%-30s%12.4f%12s%8s\n",
                          formulaCompositionText(c).c_str(), mass,
                          formulaDifferenceText(std::abs(mass - m_target)).c_str(),
                          jsonNumber(c.rdb).c_str());
            m_context.out << line;
        }
        return static_cast<bool>(m_context.out); // a closed pipe ends the search
    }

    void end(std::int64_t found) {
        if (m_context.json) {
            m_context.out << "], \"count\": " << found << "}\n";
        } else {
            if (found == 0) m_context.out << "No Matches\n";
            m_context.out << "Found: " << found << "\n";
        }
    }

private:
    CliContext& m_context;
    double m_target;
};

/// On a terminal, a line on standard error with the results found so far, twice a second.
class TerminalProgress : public FormulaSearchProgress {
public:
    explicit TerminalProgress(std::ostream& err)
        : m_err(err), m_shown(&err == &std::cerr && isatty(STDERR_FILENO) == 1),
          m_last(std::chrono::steady_clock::now()) {}

    bool shown() const { return m_shown; }

    bool proceed(int found) override {
        const auto now = std::chrono::steady_clock::now();
        if (now - m_last < std::chrono::milliseconds(500)) return true;
        m_last = now;
        m_err << "\rSearching: " << found << " found" << std::flush;
        m_written = true;
        return true;
    }

    void clear() {
        if (m_written) m_err << "\r\033[K" << std::flush;
    }

private:
    std::ostream& m_err;
    bool m_shown;
    bool m_written = false;
    std::chrono::steady_clock::time_point m_last;
};

int runFormulas(CliContext& context) {
    FormulaSearchInput input;
    std::vector<std::string> positional;
    const std::vector<std::string>& args = context.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--rows") {
            if (!hasValue) return fail(context, "--rows needs a list such as C:1-40,H:0-80");
            if (std::string error = readRows(args[++i], context.elements, input); !error.empty())
                return fail(context, error);
        } else if (arg == "--rdb") {
            const std::string text = hasValue ? args[++i] : "";
            const std::size_t colon = text.find(':');
            std::string_view low, high;
            if (colon != std::string::npos) {
                low = std::string_view(text).substr(0, colon);
                high = std::string_view(text).substr(colon + 1);
            }
            if (colon == std::string::npos || !readWhole(low, input.rdbMinimum) ||
                (!high.empty() && !readWhole(high, input.rdbMaximum)) ||
                (!high.empty() && input.rdbMaximum < input.rdbMinimum))
                return fail(context, "--rdb needs MIN:MAX, whole numbers with MIN <= MAX");
            input.rdbLimits = true;
        } else if (arg == "--molecular-ions") {
            input.molecularIonsOnly = true;
        } else if (arg == "--nitrogen-rule") {
            input.nitrogenRule = true;
        } else if (arg == "--max-results") {
            if (!hasValue || !readWhole(args[i + 1], input.maxResults) || input.maxResults < 1)
                return fail(context, "--max-results needs a whole number of at least 1");
            ++i;
        } else if (arg.size() > 1 && arg[0] == '-' &&
                   !std::isdigit(static_cast<unsigned char>(arg[1])) && arg[1] != '.') {
            return fail(context, "unknown option '" + arg + "'; see qzx-calc --help formulas");
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2)
        return fail(context, "formulas needs MASS and TOL; see qzx-calc --help formulas");
    if (!readNumber(positional[0], input.target))
        return fail(context, "MASS must be a number, not '" + positional[0] + "'");
    if (!readNumber(positional[1], input.tolerance) || input.tolerance < 0)
        return fail(context, "TOL must be a number of 0 or more, not '" + positional[1] + "'");
    if (input.target < 1.0) return fail(context, "MASS must be at least 1");

    if (input.target > 15000.0)
        return fail(context, std::string(kMassOverflowCaption) + ": " + kMassOverflowText);

    ResultPrinter printer(context, input.target);
    TerminalProgress progress(context.err);
    printer.begin();
    const FormulaSearchResult result =
        FormulaSearch(input, context.elements, progress.shown() ? &progress : nullptr, &printer);
    progress.clear();
    printer.end(result.found);
    if (result.end == FormulaSearchEnd::ListOverflow) {
        std::string text = kListOverflowText;
        for (char& c : text)
            if (c == '\r') c = ' ';
        context.err << "qzx-calc: " << kListOverflowCaption << ": " << text
                    << " (or raise --max-results)\n";
    }
    return 0;
}

} // namespace

extern const CliCommand kFormulasCommand{
    "formulas",
    "formulas MASS TOL [--rows C:1-40,H:0-80,O:0-20,N:0-10,Cl:..,Si:..,S:..] [--rdb MIN:MAX] "
    "[--molecular-ions] [--nitrogen-rule] [--max-results N]",
    kHelp, runFormulas};

} // namespace qzx::cli
