#include "structure/mol_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numbers>
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

/// Where another program should see the two oxygens of a nitro group: 120 degrees from the
/// bond to the nitrogen's neighbour and from each other, one ring bond (20 pixels) from the
/// nitrogen. (In the structure they are hidden and sit beside the nitrogen.)
std::array<PixelPoint, 2> nitroOxygenPlaces(PixelPoint nitrogen, PixelPoint neighbour) {
    double dx = nitrogen.x - neighbour.x;
    double dy = nitrogen.y - neighbour.y;
    const double length = std::hypot(dx, dy);
    if (length == 0) {
        dx = 0;
        dy = -kNitroOxygenOffset;
    } else {
        dx *= kNitroOxygenOffset / length;
        dy *= kNitroOxygenOffset / length;
    }
    std::array<PixelPoint, 2> places;
    for (int side = 0; side < 2; ++side) {
        const double angle = (side == 0 ? 1 : -1) * std::numbers::pi / 3;
        const double rx = dx * std::cos(angle) - dy * std::sin(angle);
        const double ry = dx * std::sin(angle) + dy * std::cos(angle);
        places[static_cast<std::size_t>(side)] = {nitrogen.x + static_cast<int>(Round(rx)),
                                                  nitrogen.y + static_cast<int>(Round(ry))};
    }
    return places;
}

/// "M  CHG" lines for (atom number, charge) pairs, at most eight pairs a line.
std::string chargeLines(const std::vector<std::pair<int, int>>& charges) {
    std::string text;
    for (std::size_t first = 0; first < charges.size(); first += 8) {
        const std::size_t count = std::min<std::size_t>(8, charges.size() - first);
        text += "M  CHG" + threeColumns(static_cast<int>(count));
        for (std::size_t k = first; k < first + count; ++k) {
            char pair[16];
            std::snprintf(pair, sizeof pair, " %3d %3d", charges[k].first, charges[k].second);
            text += pair;
        }
        text += kLineEnd;
    }
    return text;
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
    int bondCount = 0;
    for (int row = 1; row <= c.drawItems; ++row) {
        const DrawItem& d = s.item(row);
        int atom = 0;
        if (d.Kind == kAtomItem && inRange(d.Index, c.atoms)) atom = d.Index;
        if (d.Kind == kNitroItem && inRange(d.Index, c.bonds)) {
            atom = s.bond(d.Index).AtomB;
            if (!inRange(atom, c.atoms)) atom = 0;
        }
        if (d.Kind == kBondItem && inRange(d.Index, c.bonds)) ++bondCount;
        if (atom == 0 || number[static_cast<std::size_t>(atom)] != 0) continue;
        order.push_back(atom);
        number[static_cast<std::size_t>(atom)] = static_cast<int>(order.size());
    }

    // Each nitro group is written as the charge-separated group other programs know,
    // R-[N+](=O)[O-]: its two hidden oxygens follow the drawn atoms, its two N-O bonds the
    // drawn bonds, and the charges go to "M  CHG" lines.
    struct WrittenNitro {
        int nitrogen = 0;
        std::array<int, 2> oxygens{};
        std::array<PixelPoint, 2> places{};
    };
    std::vector<WrittenNitro> nitros;
    for (const NitroGroup& group : findNitroGroups(s)) {
        if (!inRange(group.nitrogen, c.atoms) || group.oxygens.size() != 2 ||
            number[static_cast<std::size_t>(group.nitrogen)] == 0)
            continue;
        WrittenNitro written;
        written.nitrogen = group.nitrogen;
        const int neighbour = s.bond(group.leadBond).AtomA;
        written.places = nitroOxygenPlaces(
            s.position(group.nitrogen),
            inRange(neighbour, c.atoms) ? s.position(neighbour) : s.position(group.nitrogen));
        for (std::size_t k = 0; k < 2; ++k) {
            const int oxygen = group.oxygens[k];
            if (!inRange(oxygen, c.atoms) || number[static_cast<std::size_t>(oxygen)] != 0)
                return {{},
                        "The nitro group on atom " + std::to_string(group.nitrogen) +
                            " has damaged oxygens"};
            written.oxygens[k] = oxygen;
            order.push_back(oxygen);
            number[static_cast<std::size_t>(oxygen)] = static_cast<int>(order.size());
        }
        nitros.push_back(written);
        bondCount += 2;
    }
    std::vector<PixelPoint> place(static_cast<std::size_t>(c.atoms) + 1);
    for (int row = 1; row <= c.atoms; ++row)
        place[static_cast<std::size_t>(row)] = s.position(row);
    for (const WrittenNitro& nitro : nitros)
        for (std::size_t k = 0; k < 2; ++k)
            place[static_cast<std::size_t>(nitro.oxygens[k])] = nitro.places[k];

    std::string cleanTitle = utf8ToLatin1(title);
    std::replace(cleanTitle.begin(), cleanTitle.end(), '\r', ' ');
    std::replace(cleanTitle.begin(), cleanTitle.end(), '\n', ' ');
    std::string text = trimmedRight(cleanTitle) + kLineEnd;
    text += kLineEnd;
    text += std::string("QZX Professional v4.0") + kLineEnd;
    text += threeColumns(static_cast<int>(order.size())) + threeColumns(bondCount) + kLineEnd;

    for (const int row : order) {
        const Atom& a = s.atom(row);
        const PixelPoint at = place[static_cast<std::size_t>(row)];
        const std::string x = coordinate(
            kMolScale * static_cast<std::int64_t>(at.x) - kMolScale * kMolOriginX, bondLength);
        const std::string y = coordinate(
            kMolScale * kMolOriginY - kMolScale * static_cast<std::int64_t>(at.y), bondLength);
        if (x.empty() || y.empty())
            return {{},
                    "The atom at (" + std::to_string(at.x) + ", " + std::to_string(at.y) +
                        ") lies too far out for the columns of a MOL file"};
        if (!inRange(a.Element, kElementCount))
            return {{}, "Atom " + std::to_string(row) + " has no valid element"};
        std::string symbol = elements[a.Element].Symbol;
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
    std::vector<std::pair<int, int>> charges;
    for (const WrittenNitro& nitro : nitros) {
        const int n = number[static_cast<std::size_t>(nitro.nitrogen)];
        const int doubleO = number[static_cast<std::size_t>(nitro.oxygens[0])];
        const int singleO = number[static_cast<std::size_t>(nitro.oxygens[1])];
        text += threeColumns(n) + threeColumns(doubleO) + threeColumns(2) + "   0.0" + kLineEnd;
        text += threeColumns(n) + threeColumns(singleO) + threeColumns(1) + "   0.0" + kLineEnd;
        charges.emplace_back(n, 1);
        charges.emplace_back(singleO, -1);
    }
    // "M  END" closes the file: strict readers such as RDKit refuse a file without it.
    text += chargeLines(charges) + "M  END" + kLineEnd;
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
    int line = 0;
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

/// Finds nitro groups written as atoms, R-[N+](=O)[O-] or R-N(=O)=O, and turns each into the
/// "NO2" pseudo-atom form the import expands: the nitrogen becomes the pseudo-atom and its two
/// oxygens with their bonds are dropped, so the group comes back as the nitro tool draws it.
void foldWrittenNitroGroups(std::vector<MolAtom>& atoms, std::vector<MolBond>& bonds) {
    const std::size_t n = atoms.size();
    std::vector<std::vector<std::size_t>> bondsOf(n);
    for (std::size_t i = 0; i < bonds.size(); ++i) {
        bondsOf[static_cast<std::size_t>(bonds[i].a - 1)].push_back(i);
        bondsOf[static_cast<std::size_t>(bonds[i].b - 1)].push_back(i);
    }
    std::vector<bool> dropAtom(n, false), dropBond(bonds.size(), false);
    for (std::size_t i = 0; i < n; ++i) {
        if (atoms[i].element != kNitrogen || bondsOf[i].size() != 3) continue;
        std::vector<std::size_t> oxygenBonds, otherBonds;
        for (const std::size_t k : bondsOf[i]) {
            const std::size_t other = static_cast<std::size_t>(
                (bonds[k].a - 1 == static_cast<int>(i) ? bonds[k].b : bonds[k].a) - 1);
            const bool terminalOxygen =
                atoms[other].element == kOxygen && bondsOf[other].size() == 1 && !dropAtom[other];
            (terminalOxygen ? oxygenBonds : otherBonds).push_back(k);
        }
        if (oxygenBonds.size() != 2 || bonds[otherBonds[0]].type != 1) continue;
        const auto oxygenOf = [&](std::size_t k) {
            return static_cast<std::size_t>(
                (bonds[k].a - 1 == static_cast<int>(i) ? bonds[k].b : bonds[k].a) - 1);
        };
        const int typeSum = bonds[oxygenBonds[0]].type + bonds[oxygenBonds[1]].type;
        const int oxygenCharge =
            atoms[oxygenOf(oxygenBonds[0])].charge + atoms[oxygenOf(oxygenBonds[1])].charge;
        const bool separated = typeSum == 3 && atoms[i].charge == 1 && oxygenCharge == -1;
        const bool neutral = typeSum == 4 && atoms[i].charge == 0 && oxygenCharge == 0;
        if (!separated && !neutral) continue;
        atoms[i].element = 0;
        atoms[i].charge = 0;
        for (const std::size_t k : oxygenBonds) {
            dropAtom[oxygenOf(k)] = true;
            dropBond[k] = true;
        }
    }
    std::vector<int> renumbered(n, 0);
    std::vector<MolAtom> keptAtoms;
    for (std::size_t i = 0; i < n; ++i) {
        if (dropAtom[i]) continue;
        keptAtoms.push_back(atoms[i]);
        renumbered[i] = static_cast<int>(keptAtoms.size());
    }
    std::vector<MolBond> keptBonds;
    for (std::size_t k = 0; k < bonds.size(); ++k) {
        if (dropBond[k]) continue;
        MolBond bond = bonds[k];
        bond.a = renumbered[static_cast<std::size_t>(bond.a - 1)];
        bond.b = renumbered[static_cast<std::size_t>(bond.b - 1)];
        keptBonds.push_back(bond);
    }
    atoms = std::move(keptAtoms);
    bonds = std::move(keptBonds);
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
    // A molecule may have no bonds (water, methane, an ion, a noble-gas atom), not no atoms.
    if (!atomCount || !bondCount || *atomCount < 1 || *bondCount < 0)
        return failure(Status::NoAtomsOrBonds,
                       "The counts line (line 4) needs at least one atom and no negative bond "
                       "count");
    if (*atomCount > kMaxAtoms || *bondCount > kMaxBonds - 1)
        return failure(Status::TooLarge, "The molecule has more than 900 atoms or 899 bonds");
    const auto fileAtoms = static_cast<std::size_t>(*atomCount);
    const auto fileBonds = static_cast<std::size_t>(*bondCount);
    if (lines.size() < 4 + fileAtoms + fileBonds)
        return failure(Status::TooShort,
                       "The file ends before its " +
                           std::string(lines.size() < 4 + fileAtoms ? "atom" : "bond") +
                           " lines are complete");

    std::vector<MolAtom> atoms(fileAtoms);
    for (std::size_t i = 0; i < fileAtoms; ++i) {
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
        if (upperCase(symbol) != "NO2") {
            atom.element = elementBySymbol(elements, symbol);
            if (atom.element == 0)
                return failure(Status::BadContent, "Unknown atom symbol \"" + latin1ToUtf8(symbol) +
                                                       "\" in " + lineName(atom.line));
        }
        atom.charge = chargeFromColumn(columns(line, 37, 3));
    }

    std::vector<MolBond> bonds(fileBonds);
    for (std::size_t i = 0; i < fileBonds; ++i) {
        const std::string& line = lines[4 + fileAtoms + i];
        const int lineNumber = static_cast<int>(5 + fileAtoms + i);
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
        bonds[i] = {*first, *second, *type, lineNumber};
    }
    applyChargeLines(lines, 4 + fileAtoms + fileBonds, atoms);
    foldWrittenNitroGroups(atoms, bonds);
    const std::size_t n = atoms.size();
    std::vector<int> nitroBonds(n, 0);
    int nitroCount = 0;
    for (const MolBond& bond : bonds) {
        const bool nitroA = atoms[static_cast<std::size_t>(bond.a - 1)].element == 0;
        const bool nitroB = atoms[static_cast<std::size_t>(bond.b - 1)].element == 0;
        if (!nitroA && !nitroB) continue;
        if ((nitroA && nitroB) || bond.type != 1)
            return failure(Status::BadContent,
                           "An NO2 group must hang on another atom by a single bond (" +
                               lineName(bond.line) + ")");
        ++nitroBonds[static_cast<std::size_t>((nitroA ? bond.a : bond.b) - 1)];
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (atoms[i].element == 0) ++nitroCount;
    }
    for (std::size_t i = 0; i < n; ++i)
        if (atoms[i].element == 0 && nitroBonds[i] != 1)
            return failure(Status::BadContent, "The NO2 group in " + lineName(atoms[i].line) +
                                                   " must have exactly one bond");
    const auto atomRows = static_cast<int>(n) + 2 * nitroCount;
    const auto bondRows = static_cast<int>(bonds.size()) + 2 * nitroCount;
    if (atomRows > kMaxAtoms || bondRows > kMaxBonds - 1)
        return failure(Status::TooLarge, "With its nitro groups the molecule has more than "
                                         "900 atoms or 899 bonds");

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
