#include "structure/r_group_file.h"

#include <optional>
#include <system_error>

#include "chem/element_table.h"
#include "structure/editor.h"
#include "util/safe_file.h"

namespace qzx {

namespace {

constexpr int kValuesPerAtom = 11;
constexpr int kValuesPerBond = 13;
/// The group's own bonds leave one row for the bond that attaches it.
constexpr int kMaxGroupBonds = kMaxBonds - 2;

/// Reads 32-bit little-endian values; the caller has checked the length.
class Values {
public:
    explicit Values(const Bytes& bytes) : m_bytes(bytes) {}
    std::int32_t next() {
        std::uint32_t word = 0;
        for (int i = 3; i >= 0; --i)
            word = (word << 8) | m_bytes[m_position + static_cast<std::size_t>(i)];
        m_position += 4;
        return static_cast<std::int32_t>(word);
    }

private:
    const Bytes& m_bytes;
    std::size_t m_position = 0;
};

RGroupFileStatus damaged(std::string* detail, const std::string& why) {
    if (detail != nullptr) *detail = why;
    return RGroupFileStatus::Damaged;
}

std::string checkRows(const RGroup& g) {
    const int n = static_cast<int>(g.atoms.size());
    for (int i = 0; i < n; ++i) {
        const Atom& a = g.atoms[static_cast<std::size_t>(i)].atom;
        const std::string which = "atom " + std::to_string(i + 1);
        if (a.Element < 1 || a.Element > kElementCount) return which + " has no valid element";
        if (a.Hydrogens < 0) return which + " has negative hydrogens";
        if (a.Hydrogens > kMaxStoredHydrogens) return which + " has too many hydrogens";
        // Atom 1 is absolute, the others relative to it: both stay within reach of the image.
        if (!plausibleCoordinate(a.X) || !plausibleCoordinate(a.Y))
            return which + " lies far outside the drawing";
        if (a.NitroOxygen != 0) return which + " belongs to a nitro group";
    }
    for (std::size_t i = 0; i < g.bonds.size(); ++i) {
        const Bond& b = g.bonds[i].bond;
        const std::string which = "bond " + std::to_string(i + 1);
        if (b.AtomA < 1 || b.AtomA > n || b.AtomB < 1 || b.AtomB > n || b.AtomA == b.AtomB)
            return which + " does not join two atoms of the group";
        if (b.Order < 1 || b.Order > 3) return which + " has no valid order";
        if (b.RingState < 0 || b.RingState > 1) return which + " is aromatic";
        if (!plausibleCoordinate(b.X1) || !plausibleCoordinate(b.Y1) ||
            !plausibleCoordinate(b.X2) || !plausibleCoordinate(b.Y2) ||
            !plausibleCoordinate(b.RingX) || !plausibleCoordinate(b.RingY))
            return which + " lies far outside the drawing";
    }
    return {};
}

/// Undoes what the R-group tool's press did to the start atom.
void giveBackStart(Structure& s, int startAtom) {
    if (s.count.atoms == 1 && s.saved.atoms == 0) {
        s.count = s.saved; // the press made this carbon on an empty structure
        return;
    }
    if (startAtom >= 1 && startAtom <= s.count.atoms) s.atom(startAtom).Hydrogens += 1;
}

} // namespace

std::string rGroupSaveRefusal(const Structure& s) {
    for (int row = 1; row <= s.count.drawItems; ++row)
        if (s.item(row).Kind == kRingItem || s.item(row).Kind == kNitroItem)
            return "R Groups cannot contain aromatic rings or Nitro groups";
    for (int row = 1; row <= s.count.bonds; ++row)
        if (s.bond(row).RingState == 2)
            return "R Groups cannot contain aromatic rings or Nitro groups";
    if (s.count.atoms < 1) return "There is no structure to save as an R Group";
    if (s.atom(1).Hydrogens < 1)
        return "The first atom of an R Group attaches it and needs a hydrogen for that bond";
    return {};
}

Bytes encodeRGroupFile(const Structure& s) {
    LittleEndianWriter out;
    out.writeInt32(kRGroupMarker);
    out.writeInt32(s.count.atoms);
    const std::int32_t x0 = s.count.atoms >= 1 ? s.atom(1).X : 0;
    const std::int32_t y0 = s.count.atoms >= 1 ? s.atom(1).Y : 0;
    for (int row = 1; row <= s.count.atoms; ++row) {
        const Atom& a = s.atom(row);
        const bool first = row == 1;
        out.writeInt32(0);
        out.writeInt32(a.Element);
        out.writeInt32(first ? a.X : a.X - x0);
        out.writeInt32(first ? a.Y : a.Y - y0);
        out.writeInt32(first ? a.Hydrogens - 1 : a.Hydrogens);
        for (const std::int32_t v : {a.LabelShown, a.RingState, a.NitroOxygen, a.Reserved8,
                                     a.SavedHydrogens, a.SavedLabelShown})
            out.writeInt32(v);
    }
    out.writeInt32(s.count.bonds);
    for (int row = 1; row <= s.count.bonds; ++row) {
        const Bond& b = s.bond(row);
        out.writeInt32(0);
        out.writeInt32(b.AtomA == 1 ? b.X1 : b.X1 - x0);
        out.writeInt32(b.AtomA == 1 ? b.Y1 : b.Y1 - y0);
        out.writeInt32(b.AtomB == 1 ? b.X2 : b.X2 - x0);
        out.writeInt32(b.AtomB == 1 ? b.Y2 : b.Y2 - y0);
        for (const std::int32_t v : {b.Order, b.RingState, b.AtomA, b.AtomB})
            out.writeInt32(v);
        out.writeInt32(b.RingState > 0 ? b.RingX - b.X1 : b.RingX);
        out.writeInt32(b.RingState > 0 ? b.RingY - b.Y1 : b.RingY);
        out.writeInt32(b.Reserved11);
        out.writeInt32(b.Reserved12);
    }
    return out.bytes();
}

RGroupFileStatus decodeRGroupFile(const Bytes& bytes, RGroup& out, std::string* detail) {
    const std::size_t records = bytes.size() / 4;
    Values in(bytes);
    if (records < 1 || in.next() != kRGroupMarker) return RGroupFileStatus::NoMarker;
    if (records < 2) return damaged(detail, "the file ends before the atom count");
    const std::int32_t n = in.next();
    if (n < 1 || n > kMaxAtoms) return damaged(detail, "the atom count is not 1 to 900");
    const std::size_t bondCountRecord = 2 + static_cast<std::size_t>(n) * kValuesPerAtom;
    if (records < bondCountRecord + 1) return damaged(detail, "the file ends inside the atoms");

    RGroup group;
    group.atoms.resize(static_cast<std::size_t>(n));
    for (RGroup::AtomRow& row : group.atoms) {
        Atom& a = row.atom;
        row.field0 = in.next();
        for (std::int32_t* field :
             {&a.Element, &a.X, &a.Y, &a.Hydrogens, &a.LabelShown, &a.RingState, &a.NitroOxygen,
              &a.Reserved8, &a.SavedHydrogens, &a.SavedLabelShown})
            *field = in.next();
    }
    const std::int32_t b = in.next();
    if (b < 0 || b > kMaxGroupBonds) return damaged(detail, "the bond count is not 0 to 898");
    if (records < bondCountRecord + 1 + static_cast<std::size_t>(b) * kValuesPerBond)
        return damaged(detail, "the file ends inside the bonds");
    group.bonds.resize(static_cast<std::size_t>(b));
    for (RGroup::BondRow& row : group.bonds) {
        Bond& bond = row.bond;
        row.field0 = in.next();
        for (std::int32_t* field :
             {&bond.X1, &bond.Y1, &bond.X2, &bond.Y2, &bond.Order, &bond.RingState, &bond.AtomA,
              &bond.AtomB, &bond.RingX, &bond.RingY, &bond.Reserved11, &bond.Reserved12})
            *field = in.next();
    }
    if (const std::string why = checkRows(group); !why.empty()) return damaged(detail, why);
    out = std::move(group);
    return RGroupFileStatus::Valid;
}

std::filesystem::path activeRGroupPath(const std::filesystem::path& programDirectory) {
    return findFileIgnoringCase(programDirectory, kActiveRGroupFileName);
}

std::string rGroupNameOf(const std::filesystem::path& file) {
    const std::string name = file.filename().string();
    return name.substr(0, name.find('.'));
}

std::string saveRGroup(const std::filesystem::path& file,
                       const std::filesystem::path& programDirectory, const Structure& structure) {
    if (std::string refusal = rGroupSaveRefusal(structure); !refusal.empty()) return refusal;
    const Bytes bytes = encodeRGroupFile(structure);
    if (std::string error = writeFileSafely(file, bytes); !error.empty()) return error;
    return writeFileSafely(activeRGroupPath(programDirectory), bytes);
}

RGroupLoadResult loadRGroup(const std::filesystem::path& file,
                            const std::filesystem::path& programDirectory) {
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        return {"File: " + file.string() + " does not exist", {}};
    const std::optional<Bytes> bytes = readWholeFile(file);
    if (!bytes) return {"File: " + file.string() + " cannot be read", {}};
    RGroup group;
    std::string detail;
    if (decodeRGroupFile(*bytes, group, &detail) != RGroupFileStatus::Valid)
        return {file.string() + " is not a valid R Group file" +
                    (detail.empty() ? std::string() : " (" + detail + ")"),
                {}};
    if (std::string written = writeFileSafely(activeRGroupPath(programDirectory), *bytes);
        !written.empty())
        return {written, {}};
    return {{}, rGroupNameOf(file)};
}

RGroupInsertStatus insertRGroup(Structure& s, const RGroup& group, int startAtom, PixelPoint start,
                                PixelPoint at) {
    if (startAtom < 1 || startAtom > s.count.atoms) return RGroupInsertStatus::BadStartAtom;
    const int n = static_cast<int>(group.atoms.size());
    const int b = static_cast<int>(group.bonds.size());
    if (n < 1 || !checkRows(group).empty()) {
        giveBackStart(s, startAtom);
        return RGroupInsertStatus::NotAnRGroup;
    }
    if (b > kMaxGroupBonds || !s.hasRoomFor({n + b + 1, n, b + 1, 0})) {
        giveBackStart(s, startAtom);
        return RGroupInsertStatus::NoRoom;
    }

    const int before = s.count.atoms; // group atom k becomes row before + k
    for (int i = 0; i < n; ++i) {
        Atom atom = group.atoms[static_cast<std::size_t>(i)].atom;
        if (i == 0) {
            atom.X = at.x;
            atom.Y = at.y;
        } else {
            atom.X += at.x;
            atom.Y += at.y;
        }
        s.appendItem(kAtomItem, s.appendAtom(atom));
    }

    s.appendItem(kBondItem, s.appendBond(makeBondRow(start, at, 1, startAtom, before + 1)));

    for (const RGroup::BondRow& row : group.bonds) {
        Bond bond = row.bond;
        bond.AtomA += before;
        bond.AtomB += before;
        bond.X1 = s.atom(bond.AtomA).X;
        bond.Y1 = s.atom(bond.AtomA).Y;
        bond.X2 = s.atom(bond.AtomB).X;
        bond.Y2 = s.atom(bond.AtomB).Y;
        if (bond.RingState > 0) {
            bond.RingX += bond.X1;
            bond.RingY += bond.Y1;
        }
        s.appendItem(kBondItem, s.appendBond(bond));
    }
    return RGroupInsertStatus::Inserted;
}

RGroupInsertOutcome insertActiveRGroup(Structure& structure,
                                       const std::filesystem::path& programDirectory,
                                       const RGroupRequest& request) {
    const std::filesystem::path active = activeRGroupPath(programDirectory);
    std::error_code error;
    if (!std::filesystem::exists(active, error)) {
        giveBackStart(structure, request.startAtom);
        return {RGroupInsertStatus::NoActiveGroup, 1, "No R Group Structure is Currently Defined"};
    }
    RGroup group;
    const std::optional<Bytes> bytes = readWholeFile(active);
    if (!bytes || decodeRGroupFile(*bytes, group) != RGroupFileStatus::Valid) {
        giveBackStart(structure, request.startAtom);
        return {RGroupInsertStatus::NotAnRGroup, 1, {}};
    }
    const RGroupInsertStatus status =
        insertRGroup(structure, group, request.startAtom, request.start, request.at);
    return {status, status == RGroupInsertStatus::Inserted ? 0 : 1, {}};
}

} // namespace qzx
