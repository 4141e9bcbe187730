#pragma once

#include <cstdint>
#include <unordered_set>
#include <vector>

namespace qzx {

class ElementTable;
class Structure;
struct FragmentTable;

/// What one cleavage did.
struct CleaveResult {
    int pieces = 0;        ///< connected pieces left by the cleavage (1: nothing recorded)
    int newFragments = 0;  ///< pieces appended to the table
    bool tooLarge = false; ///< a piece's signature overflowed: the run must stop
};

/// Breaks bonds of the structure and records the pieces in a fragment table.
///
/// The pieces are the connected sets of atoms that the remaining bonds join, in this order:
/// walking the remaining bonds in row order builds groups (a bond touching the newest group
/// joins it, any other bond starts a new one); the pieces made of several overlapping groups
/// come first, by their first group, then the pieces that are one group, by that group, then
/// the atoms no remaining bond touches, by row. A cleavage that leaves one piece records nothing.
/// Otherwise each piece becomes a fragment unless a fragment of the same mass and the same
/// signature (product of its atom rows in double precision, ascending) is already in the table.
///
/// The cleaver keeps its working lists from one cleavage to the next, so a run of many
/// cleavages allocates only for the fragments it keeps.
class BondCleaver {
public:
    /// Reads the structure's atoms and bonds as they are now and the signatures of the
    /// fragments already in `table`. Bonds naming atoms outside the structure join nothing.
    BondCleaver(const Structure& structure, const ElementTable& elements, FragmentTable& table);

    /// Breaks bond rows `first` and `second` (`second` 0: only `first`; rows outside the bond
    /// table break nothing), appends the new fragments and their results-list lines. On a
    /// signature overflow the pieces before the overflowing one stay recorded.
    CleaveResult CleaveBonds(int first, int second);

private:
    struct SignatureKey {
        std::int32_t mass;
        double signature;
        bool operator==(const SignatureKey&) const = default;
    };
    struct SignatureHash {
        std::size_t operator()(const SignatureKey& key) const;
    };

    void labelComponents(int first, int second);
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
    std::unordered_set<SignatureKey, SignatureHash> m_signatures;

    // Working lists reused by every cleavage. Per atom row:
    std::vector<int> m_component;      ///< lowest atom row of the atom's piece; 0 before labelling
    std::vector<char> m_joined;        ///< per lowest row: a remaining bond touches the piece
    std::vector<int> m_groupsOf;       ///< per lowest row: how many groups the piece holds
    std::vector<int> m_pieceOf;        ///< per lowest row: the piece number (1-based)
    std::vector<std::int64_t> m_stamp; ///< newest group the atom was put into
    std::vector<int> m_stack;
    std::int64_t m_groupStamp = 0; ///< stamp of the newest group, over all cleavages
    // Per group: the lowest row of the piece whose first group it is, or 0.
    std::vector<int> m_firstGroupOf;
    // Per piece:
    std::vector<std::int64_t> m_pieceMass;
    std::vector<double> m_pieceSignature;
};

/// Breaks bonds `first` and `second` of the structure once and records the pieces in `table`
/// (see BondCleaver, which a run of many cleavages should keep instead).
CleaveResult CleaveBonds(const Structure& structure, const ElementTable& elements,
                         FragmentTable& table, int first, int second);

} // namespace qzx
