#include "chem/element_csv.h"

#include <charconv>
#include <cmath>
#include <sstream>
#include <vector>

namespace qzx {
namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        parts.push_back(part);
    if (!text.empty() && text.back() == separator) parts.emplace_back();
    return parts;
}

std::string trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool toInt(const std::string& text, std::int32_t& value) {
    const std::string t = trim(text);
    const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), value);
    return error == std::errc() && end == t.data() + t.size() && !t.empty();
}

bool toDouble(const std::string& text, double& value) {
    const std::string t = trim(text);
    const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), value);
    return error == std::errc() && end == t.data() + t.size() && !t.empty();
}

std::string readRow(const std::vector<std::string>& fields, ElementTable& table, int& number) {
    if (fields.size() != 8) return "expected 8 fields, found " + std::to_string(fields.size());
    if (!toInt(fields[0], number) || number < 1 || number > kElementCount)
        return "element number must be 1 to 83";
    ElementRecord& e = table[number];
    if (trim(fields[1]) != e.Symbol) return "element " + std::to_string(number) + " is " + e.Symbol;
    double exactMass = 0, principal = 0;
    if (!toInt(fields[2], e.NominalMass) || !toInt(fields[3], e.Valence) ||
        !toInt(fields[4], e.RdbClass) || !toDouble(fields[5], exactMass) ||
        !toDouble(fields[6], principal))
        return "a number cannot be read";
    if (e.RdbClass < 0 || e.RdbClass > 5) return "the RDB class must be 0 to 5";

    const std::vector<std::string> pairs = split(trim(fields[7]), ';');
    if (pairs.size() > static_cast<std::size_t>(kIsotopeSlots)) return "more than 9 isotopes";
    e.IsotopeCount = static_cast<std::int32_t>(pairs.size());
    e.Isotopes = {};
    double abundanceSum = 0, previousMass = 0;
    for (std::size_t j = 0; j < pairs.size(); ++j) {
        const std::vector<std::string> pair = split(pairs[j], ':');
        double mass = 0, abundance = 0;
        if (pair.size() != 2 || !toDouble(pair[0], mass) || !toDouble(pair[1], abundance))
            return "isotope " + std::to_string(j + 1) + " is not mass:abundance";
        if (mass <= previousMass) return "isotopes must be in ascending order of mass";
        previousMass = mass;
        abundanceSum += abundance;
        e.Isotopes[j + 1] = {static_cast<float>(mass), static_cast<float>(abundance)};
    }
    if (e.IsotopeCount > 0 && std::fabs(abundanceSum - 1.0) > 1e-3)
        return "the abundances add up to " + std::to_string(abundanceSum) + ", not 1";
    if (principal != std::floor(principal) || principal < 1 || principal > e.IsotopeCount)
        return "the principal isotope must name one of the listed isotopes";
    e.ExactMass = static_cast<float>(exactMass);
    e.PrincipalIsotope = static_cast<float>(principal);
    return {};
}

} // namespace

std::string parseElementCsv(const std::string& text, ElementTable& table) {
    ElementTable read = table;
    std::vector<bool> seen(kElementCount + 1, false);
    std::istringstream in(text);
    std::string line;
    for (int lineNumber = 1; std::getline(in, line); ++lineNumber) {
        const std::string content = trim(line);
        if (content.empty() || content.front() == '#') continue;
        int number = 0;
        if (std::string error = readRow(split(content, ','), read, number); !error.empty())
            return "Line " + std::to_string(lineNumber) + ": " + error + ".";
        if (seen[number])
            return "Line " + std::to_string(lineNumber) + ": element " + std::to_string(number) +
                   " appears twice.";
        seen[number] = true;
    }
    for (int n = 1; n <= kElementCount; ++n)
        if (!seen[n])
            return "Element " + std::to_string(n) + " (" + read[n].Symbol + ") is missing.";
    table = read;
    return {};
}

} // namespace qzx
