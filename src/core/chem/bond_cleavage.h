#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace qzx {

class ElementTable;
class Structure;
struct FragmentTable;

/// What one cleavage did.
struct CleaveResult {
    int pieces = 0;       ///< connected pieces left by the cleavage (1: nothing recorded)
    int newFragments = 0; ///< pieces appended to the table
};

/// Breaks bonds of the structure and records the pieces in a fragment table.
///
/// The pieces are the connected sets of atoms that the remaining bonds join, in this order:
/// walking the remaining bonds in row order builds groups (a bond touching the newest group
/// joins it, any other bond starts a new one); the pieces made of several overlapping groups
/// come first, by their first group, then the pieces that are one group, by that group, then
/// the atoms no remaining bond touches, by row. A cleavage that leaves one piece records nothing.
/// Otherwise each piece becomes a fragment unless a fragment of the same mass and exactly the
/// same atoms is already in the table. Pieces are found again by a 64-bit hash of their atom
/// set and then compared atom by atom, so structures of any size are handled and two
/// different atom sets are never taken for one another.
///
/// The cleaver keeps its working lists from one cleavage to the next, so a run of many
/// cleavages allocates only for the fragments it keeps.
class BondCleaver {
public:
    /// Reads the structure's atoms and bonds as they are now and the fragments already in
    /// `table`. Bonds naming atoms outside the structure join nothing.
    BondCleaver(const Structure& structure, const ElementTable& elements, FragmentTable& table);

    /// Breaks bond rows `first` and `second` (`second` 0: only `first`; rows outside the bond
    /// table break nothing), appends the new fragments and their results-list lines.
    CleaveResult CleaveBonds(int first, int second);

    /// False when breaking bond rows `first` and `second` (both in 1..bond count) together
    /// certainly leaves the same pieces as breaking `first` alone: neither bond is a bridge
    /// and no cycle of the structure runs through both (or one of them joins nothing). Such a
    /// pair can record nothing once the single cleavages have run. True may be returned for a
    /// pair that splits nothing; false is never returned for one that splits.
    bool pairCanSplit(int first, int second) const;

private:
    void labelCuts();
    bool sameAtoms(int fragment, int piece) const;
    std::uint64_t lookupKey(std::int64_t mass, std::uint64_t atomHash) const;
    void remember(int fragment, std::uint64_t key);

    void labelComponents(int first, int second);
    void labelAll(int first, int second);
    void cutOff(int first, int second);
    void undoCutOff();
    int scanGroups(int first, int second);
    int orderPieces(int groups);
    void sumPieces(int pieces);
    std::vector<std::int32_t> pieceAtoms(int piece) const;

    FragmentTable& m_table;
    int m_atoms = 0;
    int m_bonds = 0;
    std::vector<std::int32_t> m_bondA, m_bondB; ///< 0 for a bond that joins nothing
    std::vector<std::int64_t> m_weight;         ///< nominal mass of each atom with its hydrogens
    /// Neighbours of each atom with the bond rows that join them: atom a's entries are
    /// m_adjacent[m_adjacentStart[a] .. m_adjacentStart[a + 1]).
    struct Neighbour {
        std::int32_t atom;
        std::int32_t bond;
    };
    std::vector<int> m_adjacentStart;
    std::vector<Neighbour> m_adjacent;
    std::vector<std::uint64_t> m_atomHash; ///< random 64-bit value of each atom row
    /// Per bond: 0 for a bridge (and a bond that joins nothing), otherwise the XOR of the
    /// random labels of the cycles through it; see labelCuts.
    std::vector<std::uint64_t> m_cutLabel;
    /// Fragments by lookup key (mass and atom-set hash): the newest one with the key, and per
    /// fragment number the next older one with the same key, 0 ending the chain.
    std::unordered_map<std::uint64_t, int> m_newestWithKey;
    std::vector<int> m_olderWithKey;

    // Working lists reused by every cleavage. Per atom row:
    std::vector<int> m_component; ///< label of the atom's piece: an atom row of it, or m_atoms + 1;
                                  ///< 0 before labelling
    std::vector<char> m_joined;   ///< per label: a remaining bond touches the piece
    std::vector<int> m_groupsOf;  ///< per label: how many groups the piece holds
    std::vector<int> m_pieceOf;   ///< per label: the piece number (1-based)
    std::vector<std::int64_t> m_stamp; ///< newest group the atom was put into
    std::vector<int> m_stack;
    std::int64_t m_groupStamp = 0; ///< stamp of the newest group, over all cleavages
    // Per group: the label of the piece whose first group it is, or 0.
    std::vector<int> m_firstGroupOf;
    // Per piece:
    std::vector<std::int64_t> m_pieceMass;
    std::vector<std::uint64_t> m_pieceHash; ///< sum of the atoms' hashes, modulo 2^64
    std::vector<int> m_pieceSize;
    std::vector<int> m_pieceRoot; ///< label of the piece
    // Per label: the piece's mass, atom hash and atom count.
    std::vector<std::int64_t> m_rootMass;
    std::vector<std::uint64_t> m_rootHash;
    std::vector<int> m_rootSize;
    /// While pairs with first bond m_baseBond are cleaved, the labels are those without that
    /// bond alone, except for the part the last pair cut off, which m_cutOff restores.
    int m_baseBond = -1;
    struct CutOff {
        int piece = 0; ///< label the part was cut from; 0: nothing to restore
        std::int64_t mass = 0;
        std::uint64_t hash = 0;
        int size = 0;
        char joined = 0;
        int side = 0; ///< the part's atoms are m_sideQueue[side][0 .. count)
        int count = 0;
    };
    CutOff m_cutOff;
    std::vector<int> m_sideQueue[2];
    std::vector<std::int64_t> m_seenBy[2];
    std::int64_t m_searchStamp = 0;
};

/// Breaks bonds `first` and `second` of the structure once and records the pieces in `table`
/// (see BondCleaver, which a run of many cleavages should keep instead).
CleaveResult CleaveBonds(const Structure& structure, const ElementTable& elements,
                         FragmentTable& table, int first, int second);

} // namespace qzx
