#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "structure/bond_geometry.h"

namespace qzx {

/// The drawing image's size in pixels. Every coordinate in the tables is a pixel of it.
constexpr int kDrawingWidth = 1600;
constexpr int kDrawingHeight = 1200;

/// Capacities of the structure tables (rows 1..capacity; row 0 holds nothing).
constexpr int kMaxDrawItems = 1800;
constexpr int kMaxAtoms = 900;
/// Includes the pending row of a bond being drawn, so at most 899 finished bonds.
constexpr int kMaxBonds = 900;
constexpr int kMaxAromaticRings = 150;
constexpr int kMaxSelectedAtoms = 500;

/// What a draw-list item paints.
enum DrawKind : std::int32_t {
    kDeletedItem = 0, ///< only transiently, inside delete
    kAtomItem = 1,
    kBondItem = 2,
    kRingItem = 3,  ///< aromatic ring circle
    kNitroItem = 4, ///< "NO2" label; Index is the bond leading to the nitro nitrogen
};

/// Limits of what the program can have stored in a row, for readers of files: coordinates
/// lie within four drawing images of the origin (the editor keeps atoms on the image), and an
/// atom carries at most 100 implicit hydrogens (the valence tool adds one a click).
constexpr int kCoordinateReach = 6400;
constexpr int kMaxStoredHydrogens = 100;

/// Whether a stored pixel value lies within kCoordinateReach of the origin.
constexpr bool plausibleCoordinate(std::int64_t value) {
    return value >= -kCoordinateReach && value <= kCoordinateReach;
}

/// One entry of the draw list (`Max`): the order in which the picture is painted.
struct DrawItem {
    std::int32_t Kind = 0;
    std::int32_t Index = 0; ///< row in Lax, Tax or Rax by kind
    bool operator==(const DrawItem&) const = default;
};

/// One atom (`Lax`), in pixels of the 1600 x 1200 drawing image.
struct Atom {
    std::int32_t Element = 0; ///< element number 1..83
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Hydrogens = 0;   ///< implicit hydrogens, never negative
    std::int32_t LabelShown = 0;  ///< 1: symbol and hydrogens painted
    std::int32_t RingState = 0;   ///< 0 chain, 1 ring, 2 aromatic ring
    std::int32_t NitroOxygen = 0; ///< 1 for the two hidden oxygens of a nitro group
    std::int32_t Reserved8 = 0;
    std::int32_t SavedHydrogens = 0;
    std::int32_t SavedLabelShown = 0;
    bool operator==(const Atom&) const = default;
};

/// One bond (`Tax`). The end points equal the positions of AtomA and AtomB.
struct Bond {
    std::int32_t X1 = 0;
    std::int32_t Y1 = 0;
    std::int32_t X2 = 0;
    std::int32_t Y2 = 0;
    std::int32_t Order = 0;     ///< 1, 2 or 3; aromatic bonds hold 2
    std::int32_t RingState = 0; ///< 0 chain, 1 ring, 2 aromatic
    std::int32_t AtomA = 0;
    std::int32_t AtomB = 0;
    std::int32_t RingX = 0; ///< RingState 1: ring centre x; RingState 2: row in Rax
    std::int32_t RingY = 0; ///< RingState 1: ring centre y
    std::int32_t Reserved11 = 0;
    std::int32_t Reserved12 = 0;
    bool operator==(const Bond&) const = default;
};

/// One aromatic six-membered ring (`Rax`).
struct AromaticRing {
    std::array<std::int32_t, 6> Atoms{}; ///< atom rows (fields 1 to 6)
    std::int32_t CentreX = 0;
    std::int32_t CentreY = 0;
    std::int32_t Radius = 0;
    std::int32_t Reserved10 = 0;
    bool operator==(const AromaticRing&) const = default;
};

/// The row counts of the four tables.
struct TableCounts {
    int drawItems = 0;
    int atoms = 0;
    int bonds = 0;
    int rings = 0;
    bool operator==(const TableCounts&) const = default;
};

/// The one-step record of an edit that changed a row in place.
struct UndoRecord {
    enum Kind { Appended = 0, ElementChanged = 1, BondRaised = 2 };
    int kind = Appended;
    int row = 0;          ///< atom row (kind 1) or bond row (kind 2)
    int oldValue = 0;     ///< old element (kind 1) or old order (kind 2)
    int oldHydrogens = 0; ///< kind 1
    bool operator==(const UndoRecord&) const = default;
};

/// The drawn molecule: four 1-based tables of 32-bit integers in drawing pixels, their
/// counters and the counters before the last appending edit. Rows above a counter keep their
/// data until overwritten; undo and redo rely on that.
class Structure {
public:
    Structure();

    // The tables, indexed 1..capacity. Row 0 exists and holds zeros.
    std::vector<DrawItem> Max;
    std::vector<Atom> Lax;
    std::vector<Bond> Tax;
    std::vector<AromaticRing> Rax;

    TableCounts count;              ///< rows in use
    TableCounts saved;              ///< rows in use before the last appending edit
    std::vector<int> SelectionList; ///< selected atom rows, ascending
    UndoRecord undo;
    std::vector<int> deAromatisedBonds; ///< bonds whose aromatic state undo took away
    std::string StructureLabel;         ///< at most 60 characters
    std::string CurrentFile;

    DrawItem& item(int row) { return Max.at(static_cast<std::size_t>(row)); }
    const DrawItem& item(int row) const { return Max.at(static_cast<std::size_t>(row)); }
    Atom& atom(int row) { return Lax.at(static_cast<std::size_t>(row)); }
    const Atom& atom(int row) const { return Lax.at(static_cast<std::size_t>(row)); }
    Bond& bond(int row) { return Tax.at(static_cast<std::size_t>(row)); }
    const Bond& bond(int row) const { return Tax.at(static_cast<std::size_t>(row)); }
    AromaticRing& ring(int row) { return Rax.at(static_cast<std::size_t>(row)); }
    const AromaticRing& ring(int row) const { return Rax.at(static_cast<std::size_t>(row)); }
    /// Where an atom row sits.
    PixelPoint position(int atomRow) const { return {atom(atomRow).X, atom(atomRow).Y}; }

    bool empty() const { return count.atoms == 0; }

    /// Zeroes every row, all counters and saved counters, the selection, the undo record and
    /// the label. CurrentFile is left to the caller.
    void clear();

    /// The atom nearest to (x, y) by |dx| + |dy|, the lower row on ties; atom 1 when the
    /// structure has fewer than two atoms.
    int nearestAtom(int x, int y) const;

    /// Whether `extra` more rows fit into each table (the bond table keeps one row for the
    /// pending bond).
    bool hasRoomFor(const TableCounts& extra) const;

    /// Appending edits call this first: remembers the counters for undo (the ring counter
    /// too, so that undo and redo exchange all four).
    void saveCounters() { saved = count; }

    /// Append one row, writing every field; return the new row. The caller has checked room.
    int appendItem(std::int32_t kind, std::int32_t index);
    int appendAtom(const Atom& atom);
    int appendBond(const Bond& bond);
    int appendRing(const AromaticRing& ring);

    /// A bond's row joining atoms a and b in either direction among the used bonds, or 0.
    int bondBetween(int a, int b) const;
};

/// The bond row that joins atom row `atomA` at `from` to atom row `atomB` at `to` with `order`,
/// as a chain bond (RingState 0, no ring fields); every edit that joins two atoms starts from
/// it. The points are normally the two atoms' positions; a new double or triple bond keeps its
/// end as drawn while its new atom takes the straightened end.
Bond makeBondRow(PixelPoint from, PixelPoint to, int order, int atomA, int atomB);

} // namespace qzx
