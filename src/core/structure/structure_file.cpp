#include "structure/structure_file.h"

#include <cstdint>
#include <optional>
#include <system_error>
#include <utility>

#include "chem/element_table.h"
#include "structure/structure.h"
#include "util/safe_file.h"

namespace qzx {

namespace {

constexpr char kMagic[] = "QZXV";
constexpr char kVersionTag[] = "40RW";
constexpr char kOldVersionTag[] = "3WRT";
constexpr std::size_t kHeaderBytes = 84;    ///< tags, label, four counts
constexpr std::size_t kOldHeaderBytes = 77; ///< 69 bytes of header, four 16-bit counts
constexpr char kNotValid[] = "Not a Valid QZX Datafile";

bool tagAt(const Bytes& bytes, std::size_t offset, const char* tag) {
    if (bytes.size() < offset + 4) return false;
    for (std::size_t i = 0; i < 4; ++i)
        if (bytes[offset + i] != static_cast<std::uint8_t>(tag[i])) return false;
    return true;
}

/// Reads consecutive little-endian values of 2 or 4 bytes. The caller has checked the length.
class ValueReader {
public:
    ValueReader(const Bytes& bytes, std::size_t offset, int width)
        : m_bytes(bytes), m_position(offset), m_width(width) {}

    std::int32_t next() {
        std::uint32_t word = 0;
        for (int i = m_width - 1; i >= 0; --i)
            word = (word << 8) | m_bytes[m_position + static_cast<std::size_t>(i)];
        m_position += static_cast<std::size_t>(m_width);
        if (m_width == 2) return static_cast<std::int16_t>(word);
        return static_cast<std::int32_t>(word);
    }

private:
    const Bytes& m_bytes;
    std::size_t m_position;
    int m_width;
};

/// Whether the counts fit the tables; the bond table keeps its last row for a bond being drawn.
std::string checkCounts(const TableCounts& c) {
    if (c.drawItems < 0 || c.atoms < 0 || c.bonds < 0 || c.rings < 0) return "a negative count";
    if (c.drawItems > kMaxDrawItems) return "more draw items than the table holds";
    if (c.atoms > kMaxAtoms) return "more atoms than the table holds";
    if (c.bonds > kMaxBonds - 1) return "more bonds than the table holds";
    if (c.rings > kMaxAromaticRings) return "more aromatic rings than the table holds";
    return {};
}

/// Bytes the rows of the counts take, at `width` bytes per value.
std::uint64_t rowBytes(const TableCounts& c, int width) {
    const auto w = static_cast<std::uint64_t>(width);
    return w *
           (2u * static_cast<std::uint64_t>(c.drawItems) +
            10u * static_cast<std::uint64_t>(c.atoms) + 12u * static_cast<std::uint64_t>(c.bonds) +
            10u * static_cast<std::uint64_t>(c.rings));
}

void readRows(ValueReader& in, Structure& s) {
    for (int row = 1; row <= s.count.drawItems; ++row) {
        DrawItem& d = s.item(row);
        d.Kind = in.next();
        d.Index = in.next();
    }
    for (int row = 1; row <= s.count.atoms; ++row) {
        Atom& a = s.atom(row);
        for (std::int32_t* field :
             {&a.Element, &a.X, &a.Y, &a.Hydrogens, &a.LabelShown, &a.RingState, &a.NitroOxygen,
              &a.Reserved8, &a.SavedHydrogens, &a.SavedLabelShown})
            *field = in.next();
    }
    for (int row = 1; row <= s.count.bonds; ++row) {
        Bond& b = s.bond(row);
        for (std::int32_t* field : {&b.X1, &b.Y1, &b.X2, &b.Y2, &b.Order, &b.RingState, &b.AtomA,
                                    &b.AtomB, &b.RingX, &b.RingY, &b.Reserved11, &b.Reserved12})
            *field = in.next();
    }
    for (int row = 1; row <= s.count.rings; ++row) {
        AromaticRing& r = s.ring(row);
        for (std::int32_t& atom : r.Atoms)
            atom = in.next();
        r.CentreX = in.next();
        r.CentreY = in.next();
        r.Radius = in.next();
        r.Reserved10 = in.next();
    }
}

/// Row numbers that name no used row would make later edits read outside the tables.
std::string checkReferences(const Structure& s) {
    const TableCounts& c = s.count;
    const auto inRange = [](int row, int count) { return row >= 1 && row <= count; };
    for (int row = 1; row <= c.drawItems; ++row) {
        const DrawItem& d = s.item(row);
        const bool valid = (d.Kind == kAtomItem && inRange(d.Index, c.atoms)) ||
                           (d.Kind == kBondItem && inRange(d.Index, c.bonds)) ||
                           (d.Kind == kRingItem && inRange(d.Index, c.rings)) ||
                           (d.Kind == kNitroItem && inRange(d.Index, c.bonds));
        if (!valid) return "draw item " + std::to_string(row) + " names no row";
    }
    // Values the editor cannot have written are refused too: every later edit and
    // computation may then add to them without overflowing.
    const auto flag = [](std::int32_t v) { return v == 0 || v == 1; };
    for (int row = 1; row <= c.atoms; ++row) {
        const Atom& a = s.atom(row);
        const std::string which = "atom " + std::to_string(row);
        if (!inRange(a.Element, kElementCount)) return which + " has no valid element";
        if (!plausibleCoordinate(a.X) || !plausibleCoordinate(a.Y))
            return which + " lies far outside the drawing";
        if (a.Hydrogens < 0 || a.Hydrogens > kMaxStoredHydrogens)
            return which + " has " + std::to_string(a.Hydrogens) + " hydrogens";
        if (!flag(a.LabelShown) || a.RingState < 0 || a.RingState > 2 || !flag(a.NitroOxygen))
            return which + " has a state the program does not write";
    }
    for (int row = 1; row <= c.bonds; ++row) {
        const Bond& b = s.bond(row);
        const std::string which = "bond " + std::to_string(row);
        if (!inRange(b.AtomA, c.atoms) || !inRange(b.AtomB, c.atoms))
            return which + " joins atoms that do not exist";
        if (b.Order < 1 || b.Order > 3) return which + " has order " + std::to_string(b.Order);
        if (b.RingState < 0 || b.RingState > 2)
            return which + " has a ring state the program does not write";
        if (!plausibleCoordinate(b.X1) || !plausibleCoordinate(b.Y1) ||
            !plausibleCoordinate(b.X2) || !plausibleCoordinate(b.Y2))
            return which + " lies far outside the drawing";
        if (b.RingState == 2 && !inRange(b.RingX, c.rings))
            return "aromatic " + which + " names no ring";
        if (b.RingState == 1 && (!plausibleCoordinate(b.RingX) || !plausibleCoordinate(b.RingY)))
            return "ring " + which + " has its ring centre far outside the drawing";
    }
    for (int row = 1; row <= c.rings; ++row) {
        const AromaticRing& ring = s.ring(row);
        for (const int atom : ring.Atoms)
            if (!inRange(atom, c.atoms))
                return "aromatic ring " + std::to_string(row) +
                       " names an atom that does not exist";
        if (!plausibleCoordinate(ring.CentreX) || !plausibleCoordinate(ring.CentreY) ||
            ring.Radius < 0 || ring.Radius > kCoordinateReach)
            return "aromatic ring " + std::to_string(row) + " lies far outside the drawing";
    }
    return {};
}

/// The old layout kept twenty times finer coordinates, 100 pixels further left.
void convertOldCoordinates(Structure& s) {
    for (int row = 1; row <= s.count.atoms; ++row) {
        Atom& a = s.atom(row);
        a.X = a.X / 20 + 100;
        a.Y = a.Y / 20;
    }
    for (int row = 1; row <= s.count.bonds; ++row) {
        Bond& b = s.bond(row);
        b.X1 = b.X1 / 20 + 100;
        b.Y1 = b.Y1 / 20;
        b.X2 = b.X2 / 20 + 100;
        b.Y2 = b.Y2 / 20;
    }
    for (int row = 1; row <= s.count.rings; ++row) {
        AromaticRing& r = s.ring(row);
        r.CentreX = r.CentreX / 20 + 100;
        r.CentreY = r.CentreY / 20;
        r.Radius = r.Radius / 20;
    }
}

/// Characters as 4-byte records, first character in the lowest byte, so they land in the
/// file in their own order. The length is a multiple of 4.
void writeCharacters(LittleEndianWriter& out, const std::string& text) {
    for (std::size_t i = 0; i + 4 <= text.size(); i += 4) {
        std::uint32_t word = 0;
        for (std::size_t k = 4; k-- > 0;)
            word = (word << 8) | static_cast<unsigned char>(text[i + k]);
        out.writeInt32(static_cast<std::int32_t>(word));
    }
}

StructureFileStatus refuse(std::string* detail, const std::string& why) {
    if (detail != nullptr) *detail = why;
    return StructureFileStatus::NotStructureFile;
}

} // namespace

Bytes encodeStructureFile(const Structure& s) {
    LittleEndianWriter out;
    std::string header = std::string(kMagic) + kVersionTag + utf8ToLatin1(s.StructureLabel);
    header.resize(8 + kStructureLabelLength, ' ');
    writeCharacters(out, header);

    const TableCounts& c = s.count;
    for (const int n : {c.drawItems, c.atoms, c.bonds, c.rings})
        out.writeInt32(n);
    for (int row = 1; row <= c.drawItems; ++row) {
        out.writeInt32(s.item(row).Kind);
        out.writeInt32(s.item(row).Index);
    }
    for (int row = 1; row <= c.atoms; ++row) {
        const Atom& a = s.atom(row);
        for (const std::int32_t v :
             {a.Element, a.X, a.Y, a.Hydrogens, a.LabelShown, a.RingState, a.NitroOxygen,
              a.Reserved8, a.SavedHydrogens, a.SavedLabelShown})
            out.writeInt32(v);
    }
    for (int row = 1; row <= c.bonds; ++row) {
        const Bond& b = s.bond(row);
        for (const std::int32_t v : {b.X1, b.Y1, b.X2, b.Y2, b.Order, b.RingState, b.AtomA, b.AtomB,
                                     b.RingX, b.RingY, b.Reserved11, b.Reserved12})
            out.writeInt32(v);
    }
    for (int row = 1; row <= c.rings; ++row) {
        const AromaticRing& r = s.ring(row);
        for (const std::int32_t v : r.Atoms)
            out.writeInt32(v);
        for (const std::int32_t v : {r.CentreX, r.CentreY, r.Radius, r.Reserved10})
            out.writeInt32(v);
    }
    return out.bytes();
}

StructureFileStatus decodeStructureFile(const Bytes& bytes, Structure& out, std::string* detail) {
    const bool current = tagAt(bytes, 0, kMagic) && tagAt(bytes, 4, kVersionTag);
    const bool old = !current && tagAt(bytes, 4, kOldVersionTag);
    if (!current && !old) return refuse(detail, "no structure file tags");

    const std::size_t header = current ? kHeaderBytes : kOldHeaderBytes;
    const int width = current ? 4 : 2;
    if (bytes.size() < header) return refuse(detail, "the file ends inside its header");

    ValueReader counts(bytes, header - 4u * static_cast<std::size_t>(width), width);
    TableCounts c;
    c.drawItems = counts.next();
    c.atoms = counts.next();
    c.bonds = counts.next();
    c.rings = counts.next();
    if (const std::string why = checkCounts(c); !why.empty()) return refuse(detail, why);
    if (rowBytes(c, width) > bytes.size() - header)
        return refuse(detail, "the file is shorter than its counts promise");

    Structure fresh;
    fresh.count = c;
    ValueReader rows(bytes, header, width);
    readRows(rows, fresh);
    if (old) convertOldCoordinates(fresh);
    if (const std::string why = checkReferences(fresh); !why.empty()) return refuse(detail, why);

    if (current)
        fresh.StructureLabel = latin1ToUtf8(std::string(bytes.begin() + 8, bytes.begin() + 68));
    fresh.saved = fresh.count; // a loaded structure has no history to undo
    fresh.CurrentFile = out.CurrentFile;
    out = std::move(fresh);
    return current ? StructureFileStatus::Loaded : StructureFileStatus::OldLayoutLoaded;
}

StructureLoadResult loadStructureFile(const std::filesystem::path& path, Structure& structure) {
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return {StructureFileStatus::Missing, "File: " + path.string() + " does not exist"};
    const std::optional<Bytes> bytes = readWholeFile(path);
    if (!bytes)
        return {StructureFileStatus::ReadFailed, "File: " + path.string() + " cannot be read"};
    const StructureFileStatus status = decodeStructureFile(*bytes, structure);
    if (status == StructureFileStatus::NotStructureFile) return {status, kNotValid};
    structure.CurrentFile = path.string();
    return {status, {}};
}

std::string saveStructureFile(const std::filesystem::path& path, const Structure& structure) {
    return writeFileSafely(path, encodeStructureFile(structure));
}

std::string utf8ToLatin1(const std::string& text) {
    std::string latin1;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            latin1 += static_cast<char>(byte);
            ++i;
            continue;
        }
        // The length of the sequence from its lead byte; continuation bytes are 10xxxxxx.
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        bool wellFormed = length > 1 && i + length <= text.size();
        for (std::size_t k = 1; wellFormed && k < length; ++k)
            wellFormed = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        if (wellFormed && length == 2 && byte >= 0xC2 && byte <= 0xC3) {
            const int code =
                ((byte & 0x1F) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F);
            latin1 += static_cast<char>(code);
        } else {
            latin1 += '?';
        }
        i += wellFormed ? length : 1;
    }
    return latin1;
}

std::string latin1ToUtf8(const std::string& text) {
    std::string utf8;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

} // namespace qzx
