#include "structure/mol_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include "chem/element_table.h"
#include "structure/hydrogens.h"
#include "structure/structure.h"
#include "structure/structure_file.h"
#include "util/rounding.h"
#include "util/safe_file.h"

namespace qzx {

namespace {

constexpr char kLineEnd[] = "\r\n";
/// A MOL coordinate is kMolScale times its pixel distance divided by the MOL bond length MB.
constexpr int kMolScale = 5;
/// The import's pixels per scaled MOL unit: 1 / kMolScale, written as the import has always
/// multiplied, so that every position rounds as before.
constexpr double kPixelsPerScaledUnit = 0.2;
/// The drawing pixel where the MOL origin lies. The conversions use it scaled, 5 x 320 = 1600
/// and 5 x 160 = 800; that 1600 equals the drawing width only by chance.
constexpr int kMolOriginX = 320;
constexpr int kMolOriginY = 160;
/// Largest coordinate accepted from a file, in MOL units; far beyond any drawable molecule.
constexpr double kLargestMolCoordinate = 100000.0;

std::string badBondLength() {
    return "The MOL bond length must be a whole number of at least 1";
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string trimmedRight(std::string text) {
    text.erase(text.find_last_not_of(" \t") + 1);
    return text;
}

std::string upperCase(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

/// Columns `first`..`first + width - 1` (1-based) of a line, shorter when the line ends.
std::string columns(const std::string& line, std::size_t first, std::size_t width) {
    if (line.size() < first) return {};
    return line.substr(first - 1, width);
}

std::string format(const char* pattern, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

std::string threeColumns(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%3d", value);
    return buffer;
}

// ---------------------------------------------------------------------------------------------
// Export

/// "%10.4f" of numerator / MB in single precision; empty when it needs more than the 10
/// columns a coordinate has.
std::string coordinate(std::int64_t numerator, int bondLength) {
    const float value = static_cast<float>(numerator) / static_cast<float>(bondLength);
    std::string text = format("%10.4f", static_cast<double>(value));
    return text.size() == 10 ? text : std::string();
}

} // namespace

MolText encodeMolFile(const Structure& s, const ElementTable& elements, int bondLength,
                      const std::string& title) {
    if (bondLength < 1) return {{}, badBondLength()};
    const TableCounts& c = s.count;
    const auto inRange = [](int row, int count) { return row >= 1 && row <= count; };

    // MOL atom numbers in draw-list order: atom items, and the nitrogen of each nitro label.
    std::vector<int> number(static_cast<std::size_t>(c.atoms) + 1, 0);
    std::vector<int> order; // atom rows in MOL order
    std::vector<bool> nitrogen(static_cast<std::size_t>(c.atoms) + 1, false);
    int bondCount = 0;
    for (int row = 1; row <= c.drawItems; ++row) {
        const DrawItem& d = s.item(row);
        int atom = 0;
        if (d.Kind == kAtomItem && inRange(d.Index, c.atoms)) atom = d.Index;
        if (d.Kind == kNitroItem && inRange(d.Index, c.bonds)) {
            atom = s.bond(d.Index).AtomB;
            if (!inRange(atom, c.atoms)) atom = 0;
            if (atom != 0) nitrogen[static_cast<std::size_t>(atom)] = true;
        }
        if (d.Kind == kBondItem && inRange(d.Index, c.bonds)) ++bondCount;
        if (atom == 0 || number[static_cast<std::size_t>(atom)] != 0) continue;
        order.push_back(atom);
        number[static_cast<std::size_t>(atom)] = static_cast<int>(order.size());
    }

    std::string cleanTitle = utf8ToLatin1(title);
    std::replace(cleanTitle.begin(), cleanTitle.end(), '\r', ' ');
    std::replace(cleanTitle.begin(), cleanTitle.end(), '\n', ' ');
    std::string text = trimmedRight(cleanTitle) + kLineEnd;
    text += kLineEnd;
    text += std::string("QZX Professional v4.0") + kLineEnd;
    text += threeColumns(static_cast<int>(order.size())) + threeColumns(bondCount) + kLineEnd;

    for (const int row : order) {
        const Atom& a = s.atom(row);
        const std::string x = coordinate(
            kMolScale * static_cast<std::int64_t>(a.X) - kMolScale * kMolOriginX, bondLength);
        const std::string y = coordinate(
            kMolScale * kMolOriginY - kMolScale * static_cast<std::int64_t>(a.Y), bondLength);
        if (x.empty() || y.empty())
            return {{},
                    "The atom at (" + std::to_string(a.X) + ", " + std::to_string(a.Y) +
                        ") lies too far out for the columns of a MOL file"};
        std::string symbol = "NO2";
        if (!nitrogen[static_cast<std::size_t>(row)]) {
            if (!inRange(a.Element, kElementCount))
                return {{}, "Atom " + std::to_string(row) + " has no valid element"};
            symbol = elements[a.Element].Symbol;
        }
        // The symbol fills its three columns (32 to 34): readers such as Open Babel refuse an
        // atom line that ends inside them.
        symbol.resize(std::max<std::size_t>(symbol.size(), 3), ' ');
        text += x + y + "    0.0000 " + symbol + kLineEnd;
    }

    // An aromatic ring is written with alternating double and single bonds: a bond becomes
    // double when neither of its atoms has one yet.
    std::vector<bool> hasDouble(static_cast<std::size_t>(c.atoms) + 1, false);
    for (int row = 1; row <= c.drawItems; ++row) {
        const DrawItem& d = s.item(row);
        if (d.Kind != kBondItem || !inRange(d.Index, c.bonds)) continue;
        const Bond& b = s.bond(d.Index);
        const int first = inRange(b.AtomA, c.atoms) ? number[static_cast<std::size_t>(b.AtomA)] : 0;
        const int second =
            inRange(b.AtomB, c.atoms) ? number[static_cast<std::size_t>(b.AtomB)] : 0;
        if (first == 0 || second == 0)
            return {{}, "Bond " + std::to_string(d.Index) + " joins an atom that is not drawn"};
        int type = b.Order;
        if (b.RingState == 2) {
            auto&& markA = hasDouble[static_cast<std::size_t>(b.AtomA)];
            auto&& markB = hasDouble[static_cast<std::size_t>(b.AtomB)];
            type = (!markA && !markB) ? 2 : 1;
            if (type == 2) markA = markB = true;
        }
        text +=
            threeColumns(first) + threeColumns(second) + threeColumns(type) + "   0.0" + kLineEnd;
    }
    return {text, {}};
}

std::string exportMolFile(const std::filesystem::path& path, const Structure& structure,
                          const ElementTable& elements, int bondLength) {
    return exportMolFile(path, structure, elements, bondLength, structure.StructureLabel);
}

std::string exportMolFile(const std::filesystem::path& path, const Structure& structure,
                          const ElementTable& elements, int bondLength, const std::string& title) {
    const MolText mol = encodeMolFile(structure, elements, bondLength, title);
    if (!mol.error.empty()) return mol.error;
    return writeFileSafely(path, mol.text);
}

// ---------------------------------------------------------------------------------------------
// Import

namespace {

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '\r' || ch == '\n') {
            lines.push_back(line);
            line.clear();
            if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            line += ch;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

/// A whole number filling a field apart from blanks; empty when it is anything else.
std::optional<int> wholeNumber(const std::string& field) {
    const std::string t = trimmed(field);
    if (t.empty() || t.size() > 9) return std::nullopt;
    std::size_t start = (t[0] == '-' || t[0] == '+') ? 1 : 0;
    if (start == t.size()) return std::nullopt;
    for (std::size_t i = start; i < t.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(t[i]))) return std::nullopt;
    return std::stoi(t);
}

std::optional<double> decimalNumber(const std::string& field) {
    const std::string t = trimmed(field);
    if (t.empty()) return std::nullopt;
    for (const char ch : t)
        if (!std::isdigit(static_cast<unsigned char>(ch)) && ch != '.' && ch != '-' && ch != '+' &&
            ch != 'e' && ch != 'E')
            return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(t.c_str(), &end);
    if (end != t.c_str() + t.size() || !std::isfinite(value)) return std::nullopt;
    if (std::fabs(value) > kLargestMolCoordinate) return std::nullopt;
    return value;
}

struct MolAtom {
    double x = 0;
    double y = 0;
    int element = 0; ///< 0 for the "NO2" pseudo-atom
    int charge = 0;
    int line = 0;
};

struct MolBond {
    int a = 0;
    int b = 0;
    int type = 0;
};

/// The charge of the atom block's charge column: 1..3 are +3..+1, 5..7 are -1..-3.
int chargeFromColumn(const std::string& field) {
    const std::optional<int> code = wholeNumber(field);
    if (!code || *code < 1 || *code > 7 || *code == 4) return 0;
    return 4 - *code;
}

/// "M  CHG  n aaa vvv ..." lines, which replace every charge of the atom block.
void applyChargeLines(const std::vector<std::string>& lines, std::size_t first,
                      std::vector<MolAtom>& atoms) {
    bool any = false;
    std::vector<int> charges(atoms.size(), 0);
    for (std::size_t i = first; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.rfind("M  END", 0) == 0 || line.rfind("$$$$", 0) == 0) break;
        if (line.rfind("M  CHG", 0) != 0) continue;
        any = true;
        std::vector<int> values;
        std::size_t pos = 6;
        while (pos < line.size()) {
            const std::size_t start = line.find_first_not_of(' ', pos);
            if (start == std::string::npos) break;
            const std::size_t end = std::min(line.find(' ', start), line.size());
            const std::optional<int> value = wholeNumber(line.substr(start, end - start));
            if (!value) break;
            values.push_back(*value);
            pos = end;
        }
        if (values.empty()) continue;
        const std::size_t pairs = std::min<std::size_t>(
            static_cast<std::size_t>(std::max(values[0], 0)), (values.size() - 1) / 2);
        for (std::size_t k = 0; k < pairs; ++k) {
            const int atom = values[1 + 2 * k];
            if (atom >= 1 && atom <= static_cast<int>(atoms.size()))
                charges[static_cast<std::size_t>(atom - 1)] = values[2 + 2 * k];
        }
    }
    if (!any) return;
    for (std::size_t i = 0; i < atoms.size(); ++i)
        atoms[i].charge = charges[i];
}

/// The valence a charged atom uses for its hydrogens: like its isoelectronic neighbour.
int chargedValence(int element, int valence, int charge) {
    if (charge == 0) return valence;
    static const std::array<const char*, 8> kCarbonLike = {"C",  "C*", "Si", "Ge",
                                                           "Sn", "Pb", "H",  "D"};
    static const std::array<const char*, 16> kElectronRich = {
        "N", "N*", "P", "As", "Sb", "Bi", "O", "O*", "S", "Se", "Te", "F", "Cl", "Br", "I", "At"};
    const std::string symbol = elementSymbol(element);
    const auto among = [&symbol](const auto& list) {
        return std::any_of(list.begin(), list.end(),
                           [&symbol](const char* s) { return symbol == s; });
    };
    if (among(kCarbonLike)) return valence - std::abs(charge);
    if (among(kElectronRich)) return valence + charge;
    return valence - charge; // boron, metals: a cation has fewer bonds, an anion more
}

int elementBySymbol(const ElementTable& elements, const std::string& symbol) {
    const std::string wanted = upperCase(symbol);
    for (int element = 1; element <= kElementCount; ++element)
        if (upperCase(elements[element].Symbol) == wanted) return element;
    return 0;
}

MolImportResult failure(MolImportStatus status, std::string error) {
    return {status, std::move(error), {}};
}

std::string lineName(int line) {
    return "line " + std::to_string(line);
}

/// One axis of the bring-into-view rule: the shift that puts [low, high] inside
/// [margin, size - margin], 0 when it lies there already; empty when it is too long.
std::optional<std::int64_t> viewShift(std::int64_t low, std::int64_t high, int size) {
    const std::int64_t first = kMolImportMargin;
    const std::int64_t last = size - kMolImportMargin;
    if (high - low > last - first) return std::nullopt;
    if (low >= first && high <= last) return 0;
    return first - low;
}

} // namespace

MolImportResult decodeMolFile(const std::string& text, Structure& structure,
                              const ElementTable& elements, int bondLength) {
    using Status = MolImportStatus;
    if (bondLength < 1) return failure(Status::CannotRead, badBondLength());
    const std::vector<std::string> lines = splitLines(text);
    if (lines.size() < 4) return failure(Status::TooShort, "The file ends before its counts line");

    const std::string& countsLine = lines[3];
    if (countsLine.find("V3000") != std::string::npos)
        return failure(Status::NoAtomsOrBonds,
                       "V3000 MOL files cannot be read; save the molecule as a V2000 MOL file");
    const std::optional<int> atomCount = wholeNumber(columns(countsLine, 1, 3));
    const std::optional<int> bondCount = wholeNumber(columns(countsLine, 4, 3));
    if (!atomCount || !bondCount || *atomCount < 1 || *bondCount < 1)
        return failure(Status::NoAtomsOrBonds,
                       "The counts line (line 4) needs at least one atom and one bond");
    if (*atomCount > kMaxAtoms || *bondCount > kMaxBonds - 1)
        return failure(Status::TooLarge, "The molecule has more than 900 atoms or 899 bonds");
    const auto n = static_cast<std::size_t>(*atomCount);
    const auto b = static_cast<std::size_t>(*bondCount);
    if (lines.size() < 4 + n + b)
        return failure(Status::TooShort, "The file ends before its " +
                                             std::string(lines.size() < 4 + n ? "atom" : "bond") +
                                             " lines are complete");

    std::vector<MolAtom> atoms(n);
    int nitroCount = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const std::string& line = lines[4 + i];
        MolAtom& atom = atoms[i];
        atom.line = static_cast<int>(5 + i);
        const std::optional<double> x = decimalNumber(columns(line, 1, 10));
        const std::optional<double> y = decimalNumber(columns(line, 11, 10));
        if (!x || !y)
            return failure(Status::BadContent, "The atom in " + lineName(atom.line) +
                                                   " has no usable x and y coordinates");
        atom.x = *x;
        atom.y = *y;
        const std::string symbol = trimmed(columns(line, 32, 3));
        if (upperCase(symbol) == "NO2") {
            ++nitroCount;
        } else {
            atom.element = elementBySymbol(elements, symbol);
            if (atom.element == 0)
                return failure(Status::BadContent, "Unknown atom symbol \"" + latin1ToUtf8(symbol) +
                                                       "\" in " + lineName(atom.line));
        }
        atom.charge = chargeFromColumn(columns(line, 37, 3));
    }

    std::vector<MolBond> bonds(b);
    std::vector<int> nitroBonds(n, 0);
    for (std::size_t i = 0; i < b; ++i) {
        const std::string& line = lines[4 + n + i];
        const int lineNumber = static_cast<int>(5 + n + i);
        const std::optional<int> first = wholeNumber(columns(line, 1, 3));
        const std::optional<int> second = wholeNumber(columns(line, 4, 3));
        const std::optional<int> type = wholeNumber(columns(line, 7, 3));
        const auto isAtom = [&](const std::optional<int>& v) {
            return v && *v >= 1 && *v <= *atomCount;
        };
        if (!isAtom(first) || !isAtom(second) || *first == *second)
            return failure(Status::BadContent,
                           "The bond in " + lineName(lineNumber) + " does not join two atoms");
        if (!type || *type < 1 || *type > 4)
            return failure(Status::BadContent, "The bond in " + lineName(lineNumber) +
                                                   " has a type other than 1, 2, 3 or 4");
        bonds[i] = {*first, *second, *type};
        const bool nitroA = atoms[static_cast<std::size_t>(*first - 1)].element == 0;
        const bool nitroB = atoms[static_cast<std::size_t>(*second - 1)].element == 0;
        if (nitroA || nitroB) {
            if ((nitroA && nitroB) || *type != 1)
                return failure(Status::BadContent,
                               "An NO2 group must hang on another atom by a single bond (" +
                                   lineName(lineNumber) + ")");
            ++nitroBonds[static_cast<std::size_t>((nitroA ? *first : *second) - 1)];
        }
    }
    for (std::size_t i = 0; i < n; ++i)
        if (atoms[i].element == 0 && nitroBonds[i] != 1)
            return failure(Status::BadContent, "The NO2 group in " + lineName(atoms[i].line) +
                                                   " must have exactly one bond");
    if (*atomCount + 2 * nitroCount > kMaxAtoms || *bondCount + 2 * nitroCount > kMaxBonds - 1)
        return failure(Status::TooLarge, "With its nitro groups the molecule has more than "
                                         "900 atoms or 899 bonds");
    applyChargeLines(lines, 4 + n + b, atoms);

    // Pixels: file units scaled by MB / 5 about the MOL origin (320, 160), less the centre shift,
    // which is reckoned in file units.
    double minX = atoms[0].x, maxX = minX, minY = atoms[0].y, maxY = minY;
    for (const MolAtom& a : atoms) {
        minX = std::min(minX, a.x);
        maxX = std::max(maxX, a.x);
        minY = std::min(minY, a.y);
        maxY = std::max(maxY, a.y);
    }
    std::int64_t sx = Round((minX + maxX) * 0.5);
    std::int64_t sy = Round((minY + maxY) * 0.5);
    if (std::llabs(sx) < 10) sx = 0;
    if (std::llabs(sy) < 10) sy = 0;
    std::vector<std::int64_t> px(n), py(n);
    for (std::size_t i = 0; i < n; ++i) {
        px[i] =
            Round((bondLength * atoms[i].x + kMolScale * kMolOriginX) * kPixelsPerScaledUnit) - sx;
        py[i] =
            Round(-(bondLength * atoms[i].y - kMolScale * kMolOriginY) * kPixelsPerScaledUnit) + sy;
    }
    const auto [loX, hiX] = std::minmax_element(px.begin(), px.end());
    const auto [loY, hiY] = std::minmax_element(py.begin(), py.end());
    const std::optional<std::int64_t> viewX = viewShift(*loX, *hiX, kDrawingWidth);
    const std::optional<std::int64_t> viewY = viewShift(*loY, *hiY, kDrawingHeight);
    if (!viewX || !viewY)
        return failure(Status::BadContent,
                       "The molecule is larger than the drawing surface at MOL bond length " +
                           std::to_string(bondLength) + "; import it with a smaller one");

    Structure fresh;
    std::vector<int> halfBonds(n, 0); // bond weights in half units: aromatic 3, others 2 x type
    for (const MolBond& bond : bonds) {
        const int weight = bond.type == 4 ? 3 : 2 * bond.type;
        halfBonds[static_cast<std::size_t>(bond.a - 1)] += weight;
        halfBonds[static_cast<std::size_t>(bond.b - 1)] += weight;
    }
    for (std::size_t i = 0; i < n; ++i) {
        const MolAtom& m = atoms[i];
        Atom atom;
        atom.X = static_cast<std::int32_t>(px[i] + *viewX);
        atom.Y = static_cast<std::int32_t>(py[i] + *viewY);
        if (m.element == 0) {
            atom.Element = kNitrogen; // hidden: the nitro label paints it
        } else {
            atom.Element = m.element;
            const int valence = chargedValence(m.element, elements[m.element].Valence, m.charge);
            const int half = 2 * valence - halfBonds[i];
            atom.Hydrogens = std::max(0, static_cast<int>(Round(half * 0.5)));
            atom.LabelShown = 1;
        }
        const int row = fresh.appendAtom(atom);
        if (m.element != 0) fresh.appendItem(kAtomItem, row);
    }

    bool nextAromaticDouble = true;
    std::vector<int> leadBond(n, 0);
    for (const MolBond& m : bonds) {
        int atomA = m.a;
        int atomB = m.b;
        // A nitro label names the bond whose AtomB is the nitrogen.
        if (atoms[static_cast<std::size_t>(m.a - 1)].element == 0) std::swap(atomA, atomB);
        int order = m.type;
        if (m.type == 4) {
            order = nextAromaticDouble ? 2 : 1;
            nextAromaticDouble = !nextAromaticDouble;
        }
        const int row = fresh.appendBond(
            makeBondRow(fresh.position(atomA), fresh.position(atomB), order, atomA, atomB));
        fresh.appendItem(kBondItem, row);
        if (atoms[static_cast<std::size_t>(atomB - 1)].element == 0)
            leadBond[static_cast<std::size_t>(atomB - 1)] = row;
    }

    for (std::size_t i = 0; i < n; ++i) {
        if (atoms[i].element != 0) continue;
        completeNitroGroup(fresh, leadBond[i], static_cast<int>(i + 1));
    }

    MolImportResult result;
    result.title = latin1ToUtf8(trimmedRight(lines[0]));
    fresh.StructureLabel = latin1ToUtf8(trimmedRight(lines[0]).substr(0, kStructureLabelLength));
    fresh.saved = fresh.count; // an imported structure has no history
    structure = std::move(fresh);
    return result;
}

MolImportResult importMolFile(const std::filesystem::path& path, Structure& structure,
                              const ElementTable& elements, int bondLength) {
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return failure(MolImportStatus::CannotRead, "File: " + path.string() + " does not exist");
    const std::optional<Bytes> bytes = readWholeFile(path);
    if (!bytes)
        return failure(MolImportStatus::CannotRead, "File: " + path.string() + " cannot be read");
    MolImportResult result =
        decodeMolFile(std::string(bytes->begin(), bytes->end()), structure, elements, bondLength);
    if (result.status != MolImportStatus::Read) result.error = path.string() + ": " + result.error;
    return result;
}

} // namespace qzx
