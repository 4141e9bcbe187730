#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "structure/bond_geometry.h"
#include "structure/structure.h"
#include "util/binary_io.h"

namespace qzx {

struct RGroupRequest;

/// First record of every R group file (".RGF").
constexpr std::int32_t kRGroupMarker = 999;
/// The active R group: a copy of the chosen file in the program's folder.
constexpr char kActiveRGroupFileName[] = "default.rg$";

/// An R group as its file holds it. Atom 1 (the attachment atom) has absolute X, Y and one
/// hydrogen less than in the drawing; atoms 2..N are relative to atom 1. Bond rows keep the
/// file's values; insertion takes their end points from the atoms.
struct RGroup {
    struct AtomRow {
        std::int32_t field0 = 0;
        Atom atom;
    };
    struct BondRow {
        std::int32_t field0 = 0;
        Bond bond; ///< RingX, RingY relative to the bond's absolute X1, Y1 when RingState > 0
    };
    std::vector<AtomRow> atoms;
    std::vector<BondRow> bonds;
};

/// Why the structure cannot be saved as an R group, empty when it can: aromatic rings and nitro
/// groups cannot be part of one ("R Groups cannot contain aromatic rings or Nitro groups"), an
/// empty structure has nothing to save, and atom 1 needs a hydrogen to give up for the bond
/// that attaches the group.
std::string rGroupSaveRefusal(const Structure& structure);

/// The file image: 999, N, the atoms (11 values each), B, the bonds (13 values each), all
/// 32-bit little-endian. Only for structures that rGroupSaveRefusal lets through.
Bytes encodeRGroupFile(const Structure& structure);

enum class RGroupFileStatus {
    Valid,
    NoMarker, ///< the first record is not 999 (or the file is shorter than one record)
    Damaged,  ///< counts beyond the tables or the file, or rows that name nothing
};

/// Decodes an R group file image. The atom count must be 1..900 and the bond count leave room
/// for the attaching bond (at most 898); the file must hold every row; elements must be
/// 1..83, hydrogens not negative, no nitro oxygens; bonds must join two different atoms of the
/// group with order 1 to 3 and no aromatic state. `out` is only changed on success.
RGroupFileStatus decodeRGroupFile(const Bytes& bytes, RGroup& out, std::string* detail = nullptr);

/// "default.rg$" in the program's folder (an existing file of that name in any letter case).
std::filesystem::path activeRGroupPath(const std::filesystem::path& programDirectory);

/// The R group's name: the file name from its first character up to its first ".".
std::string rGroupNameOf(const std::filesystem::path& file);

/// Save R Group: refuses as rGroupSaveRefusal says, otherwise writes `file` and makes it the
/// active R group (replacing "default.rg$" safely). Returns the error to show, empty on
/// success; the window then clears the structure.
std::string saveRGroup(const std::filesystem::path& file,
                       const std::filesystem::path& programDirectory, const Structure& structure);

/// The outcome of Load R Group.
struct RGroupLoadResult {
    std::string error; ///< empty on success
    std::string name;  ///< the new R group name on success; empty otherwise
};

/// Load R Group: checks that the chosen file is an R group, then copies it over
/// "default.rg$". A file that is not one leaves the active R group as it was.
RGroupLoadResult loadRGroup(const std::filesystem::path& file,
                            const std::filesystem::path& programDirectory);

enum class RGroupInsertStatus {
    Inserted,
    NoActiveGroup, ///< "default.rg$" is missing
    NotAnRGroup,   ///< the active file is not a valid R group
    NoRoom,        ///< the group would not fit into the tables
    BadStartAtom,  ///< the start atom is not a row in use (nothing is changed)
};

/// Inserts the group with its first atom at `at`, bonded by a single bond to `startAtom` at
/// `start` (its position), as the R-group tool's release does: the atoms with a draw item
/// each, the attaching bond, then the group's bonds (atom numbers shifted by the atom count
/// before the insertion, end points from their atoms, ring centres made absolute). The start
/// atom's hydrogen for the attaching bond was taken by the press, and the editor has already
/// saved the counters; when the insertion fails this function gives the hydrogen back (or,
/// when the press made the first carbon of an empty structure, which leaves the saved atom
/// count at 0, takes that carbon away again, as the other bond tools do).
RGroupInsertStatus insertRGroup(Structure& structure, const RGroup& group, int startAtom,
                                PixelPoint start, PixelPoint at);

struct RGroupInsertOutcome {
    RGroupInsertStatus status = RGroupInsertStatus::Inserted;
    int errorSignals = 0;
    std::string error; ///< "No R Group Structure is Currently Defined" or empty
};

/// The window's side of the R-group tool's release: reads "default.rg$" from the program's
/// folder and inserts it, giving the start atom back its hydrogen on every failure.
RGroupInsertOutcome insertActiveRGroup(Structure& structure,
                                       const std::filesystem::path& programDirectory,
                                       const RGroupRequest& request);

} // namespace qzx
