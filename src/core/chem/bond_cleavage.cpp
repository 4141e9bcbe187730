#include "chem/bond_cleavage.h"

#include <algorithm>
#include <utility>

#include "chem/element_table.h"
#include "chem/fragments.h"
#include "structure/structure.h"

namespace qzx {

namespace {
std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

/// A well-mixed 64-bit value for each input (the SplitMix64 finaliser): fixed, so runs are
/// reproducible, and different for every input.
std::uint64_t mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

std::uint64_t atomHashOf(std::int64_t row) {
    return mix(static_cast<std::uint64_t>(row) * 2 + 1);
}
} // namespace

BondCleaver::BondCleaver(const Structure& structure, const ElementTable& elements,
                         FragmentTable& table)
    : m_table(table), m_atoms(std::max(0, structure.count.atoms)),
      m_bonds(std::max(0, structure.count.bonds)) {
    const std::size_t atomRows = at(m_atoms) + 1;
    m_weight.assign(atomRows, 0);
    for (int a = 1; a <= m_atoms; ++a) {
        const Atom& atom = structure.atom(a);
        const bool known = atom.Element >= 1 && atom.Element <= kElementCount;
        m_weight[at(a)] = (known ? elements[atom.Element].NominalMass : 0) + atom.Hydrogens;
    }

    m_bondA.assign(at(m_bonds) + 1, 0);
    m_bondB.assign(at(m_bonds) + 1, 0);
    std::vector<int> degree(atomRows + 1, 0);
    for (int b = 1; b <= m_bonds; ++b) {
        const Bond& bond = structure.bond(b);
        if (bond.AtomA < 1 || bond.AtomA > m_atoms || bond.AtomB < 1 || bond.AtomB > m_atoms)
            continue;
        m_bondA[at(b)] = bond.AtomA;
        m_bondB[at(b)] = bond.AtomB;
        ++degree[at(bond.AtomA)];
        ++degree[at(bond.AtomB)];
    }
    m_adjacentStart.assign(atomRows + 1, 0);
    for (int a = 1; a <= m_atoms; ++a)
        m_adjacentStart[at(a) + 1] = m_adjacentStart[at(a)] + degree[at(a)];
    m_adjacent.resize(at(m_adjacentStart[atomRows]));
    std::vector<int> filled(m_adjacentStart.begin(), m_adjacentStart.end());
    for (int b = 1; b <= m_bonds; ++b) {
        const int a = m_bondA[at(b)], z = m_bondB[at(b)];
        if (a == 0) continue;
        m_adjacent[at(filled[at(a)]++)] = {z, b};
        m_adjacent[at(filled[at(z)]++)] = {a, b};
    }

    m_atomHash.assign(atomRows, 0);
    for (int a = 1; a <= m_atoms; ++a)
        m_atomHash[at(a)] = atomHashOf(a);
    labelCuts();

    // Fragments already in the table count for the de-duplication like those found here.
    // Chains give about one new fragment per cleavage: room for that many from the start.
    const std::size_t cleavages = at(m_bonds) * (at(m_bonds) + 1) / 2;
    m_newestWithKey.reserve(std::min<std::size_t>(cleavages, 1u << 20) + at(table.FragmentCount));
    m_olderWithKey.assign(at(table.FragmentCount) + 1, 0);
    for (int f = 1; f <= table.FragmentCount; ++f) {
        const Fragment& fragment = table.fragment(f);
        std::uint64_t hash = 0;
        for (const std::int32_t row : fragment.Atoms)
            hash += atomHashOf(row);
        remember(f, lookupKey(fragment.Mass, hash));
    }

    m_component.assign(atomRows, 0);
    // Piece labels are atom rows, and m_atoms + 1 for the piece a pair cuts off.
    m_joined.assign(atomRows + 1, 0);
    m_groupsOf.assign(atomRows + 1, 0);
    m_pieceOf.assign(atomRows + 1, 0);
    m_stamp.assign(atomRows, 0);
    m_stack.assign(atomRows, 0);
    m_firstGroupOf.assign(at(m_bonds) + 2, 0);
    m_pieceMass.assign(atomRows + 1, 0);
    m_pieceHash.assign(atomRows + 1, 0);
    m_pieceSize.assign(atomRows + 1, 0);
    m_pieceRoot.assign(atomRows + 1, 0);
    m_rootMass.assign(atomRows + 1, 0);
    m_rootHash.assign(atomRows + 1, 0);
    m_rootSize.assign(atomRows + 1, 0);
    m_sideQueue[0].assign(atomRows, 0);
    m_sideQueue[1].assign(atomRows, 0);
    m_seenBy[0].assign(atomRows, 0);
    m_seenBy[1].assign(atomRows, 0);
}

void BondCleaver::labelCuts() {
    // A spanning forest by breadth-first search; every other bond closes a cycle and gets a
    // random non-zero label. A forest bond gets the XOR of the labels of the cycles through
    // it, which is the XOR over the atoms below it of the labels touching them. A bridge lies
    // on no cycle and gets 0. Every set of bonds whose removal cuts a piece off crosses each
    // cycle an even number of times, so its labels XOR to 0: two non-zero bonds that cut
    // something off together have equal labels. Equal labels of bonds that do not (chance
    // 2^-64 per pair) only cost a cleavage.
    m_cutLabel.assign(at(m_bonds) + 1, 0);
    std::vector<char> forest(at(m_bonds) + 1, 0);
    std::vector<int> parentBond(at(m_atoms) + 1, 0);
    std::vector<int> order;
    order.reserve(at(m_atoms));
    std::vector<char> seen(at(m_atoms) + 1, 0);
    for (int root = 1; root <= m_atoms; ++root) {
        if (seen[at(root)]) continue;
        seen[at(root)] = 1;
        const std::size_t start = order.size();
        order.push_back(root);
        for (std::size_t k = start; k < order.size(); ++k) {
            const int a = order[k];
            for (int n = m_adjacentStart[at(a)]; n < m_adjacentStart[at(a) + 1]; ++n) {
                const Neighbour next = m_adjacent[at(n)];
                if (seen[at(next.atom)]) continue;
                seen[at(next.atom)] = 1;
                forest[at(next.bond)] = 1;
                parentBond[at(next.atom)] = next.bond;
                order.push_back(next.atom);
            }
        }
    }
    std::vector<std::uint64_t> below(at(m_atoms) + 1, 0);
    for (int b = 1; b <= m_bonds; ++b) {
        if (m_bondA[at(b)] == 0 || forest[at(b)]) continue;
        std::uint64_t label = mix(0x5EED0000ull + static_cast<std::uint64_t>(b));
        if (label == 0) label = 1;
        m_cutLabel[at(b)] = label;
        below[at(m_bondA[at(b)])] ^= label;
        below[at(m_bondB[at(b)])] ^= label;
    }
    for (auto k = order.size(); k-- > 0;) {
        const int a = order[k];
        const int bond = parentBond[at(a)];
        if (bond == 0) continue;
        m_cutLabel[at(bond)] = below[at(a)];
        const int parent = m_bondA[at(bond)] == a ? m_bondB[at(bond)] : m_bondA[at(bond)];
        below[at(parent)] ^= below[at(a)];
    }
}

bool BondCleaver::pairCanSplit(int first, int second) const {
    if (m_bondA[at(first)] == 0 || m_bondA[at(second)] == 0) return false;
    const std::uint64_t a = m_cutLabel[at(first)], b = m_cutLabel[at(second)];
    return a == 0 || b == 0 || a == b;
}

std::uint64_t BondCleaver::lookupKey(std::int64_t mass, std::uint64_t atomHash) const {
    return atomHash ^ mix(static_cast<std::uint64_t>(mass));
}

void BondCleaver::remember(int fragment, std::uint64_t key) {
    if (m_olderWithKey.size() <= at(fragment)) m_olderWithKey.resize(at(fragment) + 1, 0);
    int& newest = m_newestWithKey[key];
    m_olderWithKey[at(fragment)] = newest;
    newest = fragment;
}

bool BondCleaver::sameAtoms(int fragment, int piece) const {
    const std::vector<std::int32_t>& atoms = m_table.fragment(fragment).Atoms;
    if (atoms.size() != at(m_pieceSize[at(piece)])) return false;
    for (const std::int32_t a : atoms)
        if (a < 1 || a > m_atoms || m_pieceOf[at(m_component[at(a)])] != piece) return false;
    return true;
}

void BondCleaver::labelAll(int first, int second) {
    std::fill(m_component.begin(), m_component.end(), 0);
    int* const stack = m_stack.data(); // room for every atom: each is pushed at most once
    for (int root = 1; root <= m_atoms; ++root) {
        if (m_component[at(root)] != 0) continue;
        // A depth-first search from the lowest unlabelled row labels the piece with that row
        // and sums its mass, atom hash and size.
        m_component[at(root)] = root;
        std::int64_t mass = m_weight[at(root)];
        std::uint64_t hash = m_atomHash[at(root)];
        int size = 1;
        bool joined = false;
        int top = 0;
        stack[top++] = root;
        while (top > 0) {
            const int a = stack[--top];
            const int end = m_adjacentStart[at(a) + 1];
            for (int k = m_adjacentStart[at(a)]; k < end; ++k) {
                const Neighbour next = m_adjacent[at(k)];
                if (next.bond == first || next.bond == second) continue;
                joined = true;
                if (m_component[at(next.atom)] != 0) continue;
                m_component[at(next.atom)] = root;
                mass += m_weight[at(next.atom)];
                hash += m_atomHash[at(next.atom)];
                ++size;
                stack[top++] = next.atom;
            }
        }
        m_joined[at(root)] = joined ? 1 : 0;
        m_rootMass[at(root)] = mass;
        m_rootHash[at(root)] = hash;
        m_rootSize[at(root)] = size;
    }
}

void BondCleaver::labelComponents(int first, int second) {
    std::fill(m_groupsOf.begin(), m_groupsOf.end(), 0);
    if (second == 0 || first != m_baseBond) {
        labelAll(first, 0);
        m_baseBond = second == 0 ? -1 : first;
        m_cutOff = {};
    } else {
        undoCutOff();
    }
    if (second == 0) return;
    // Pairs come in runs with the same first bond: the pieces without the first bond are
    // labelled once per run, and each pair only looks at the piece its second bond lies in.
    if (second < 1 || second > m_bonds || m_bondA[at(second)] == 0 || second == first) return;
    cutOff(first, second);
}

void BondCleaver::cutOff(int first, int second) {
    // Searches from both ends of the second bond, one atom from each side in turn: if they
    // meet, the bond splits nothing; otherwise the side that runs out first is the part cut
    // off and gets a label of its own. The search stops then, so a cut costs about the size
    // of its smaller part, not of the whole piece.
    const int ends[2] = {m_bondA[at(second)], m_bondB[at(second)]};
    if (ends[0] == ends[1]) return;
    ++m_searchStamp;
    int head[2] = {0, 0}, tail[2] = {1, 1};
    bool joined[2] = {false, false};
    for (int side = 0; side < 2; ++side) {
        m_sideQueue[side][0] = ends[side];
        m_seenBy[side][at(ends[side])] = m_searchStamp;
    }
    int finished = -1;
    while (finished < 0) {
        for (int side = 0; side < 2 && finished < 0; ++side) {
            if (head[side] == tail[side]) {
                finished = side;
                break;
            }
            const int a = m_sideQueue[side][at(head[side]++)];
            const int end = m_adjacentStart[at(a) + 1];
            for (int k = m_adjacentStart[at(a)]; k < end; ++k) {
                const Neighbour next = m_adjacent[at(k)];
                if (next.bond == first || next.bond == second) continue;
                joined[side] = true;
                if (m_seenBy[1 - side][at(next.atom)] == m_searchStamp) return; // they meet
                if (m_seenBy[side][at(next.atom)] == m_searchStamp) continue;
                m_seenBy[side][at(next.atom)] = m_searchStamp;
                m_sideQueue[side][at(tail[side]++)] = next.atom;
            }
            if (head[side] == tail[side]) finished = side;
        }
    }
    const int piece = m_component[at(ends[0])];
    const int label = m_atoms + 1;
    m_cutOff = {piece,
                m_rootMass[at(piece)],
                m_rootHash[at(piece)],
                m_rootSize[at(piece)],
                m_joined[at(piece)],
                finished,
                tail[finished]};
    std::int64_t mass = 0;
    std::uint64_t hash = 0;
    for (int k = 0; k < tail[finished]; ++k) {
        const int a = m_sideQueue[finished][at(k)];
        m_component[at(a)] = label;
        mass += m_weight[at(a)];
        hash += m_atomHash[at(a)];
    }
    m_rootMass[at(label)] = mass;
    m_rootHash[at(label)] = hash;
    m_rootSize[at(label)] = tail[finished];
    m_joined[at(label)] = joined[finished] ? 1 : 0;
    m_rootMass[at(piece)] -= mass;
    m_rootHash[at(piece)] -= hash;
    m_rootSize[at(piece)] -= tail[finished];
    // The rest holds the other end; a lone atom there is joined only by a bond to itself.
    if (m_rootSize[at(piece)] == 1) {
        const int rest = ends[1 - finished];
        bool any = false;
        for (int k = m_adjacentStart[at(rest)]; k < m_adjacentStart[at(rest) + 1]; ++k)
            any = any || (m_adjacent[at(k)].bond != first && m_adjacent[at(k)].bond != second);
        m_joined[at(piece)] = any ? 1 : 0;
    }
}

void BondCleaver::undoCutOff() {
    if (m_cutOff.piece == 0) return;
    const int piece = m_cutOff.piece;
    for (int k = 0; k < m_cutOff.count; ++k)
        m_component[at(m_sideQueue[m_cutOff.side][at(k)])] = piece;
    m_rootMass[at(piece)] = m_cutOff.mass;
    m_rootHash[at(piece)] = m_cutOff.hash;
    m_rootSize[at(piece)] = m_cutOff.size;
    m_joined[at(piece)] = m_cutOff.joined;
    m_cutOff = {};
}

int BondCleaver::scanGroups(int first, int second) {
    // The newest group holds exactly the atoms stamped with the newest stamp, so "has an end
    // in the newest group" needs no list of the group.
    int groups = 0;
    for (int b = 1; b <= m_bonds; ++b) {
        const int a = m_bondA[at(b)], z = m_bondB[at(b)];
        if (b == first || b == second || a == 0) continue;
        if (groups == 0 || (m_stamp[at(a)] != m_groupStamp && m_stamp[at(z)] != m_groupStamp)) {
            ++m_groupStamp;
            ++groups;
            const int piece = m_component[at(a)];
            m_firstGroupOf[at(groups)] = m_groupsOf[at(piece)]++ == 0 ? piece : 0;
        }
        m_stamp[at(a)] = m_stamp[at(z)] = m_groupStamp;
    }
    return groups;
}

int BondCleaver::orderPieces(int groups) {
    // Pieces of several overlapping groups first, by their first group; then single groups;
    // then lone atoms by row.
    int pieces = 0;
    for (int g = 1; g <= groups; ++g) {
        const int piece = m_firstGroupOf[at(g)];
        if (piece != 0 && m_groupsOf[at(piece)] >= 2) {
            m_pieceOf[at(piece)] = ++pieces;
            m_pieceRoot[at(pieces)] = piece;
        }
    }
    for (int g = 1; g <= groups; ++g) {
        const int piece = m_firstGroupOf[at(g)];
        if (piece != 0 && m_groupsOf[at(piece)] == 1) {
            m_pieceOf[at(piece)] = ++pieces;
            m_pieceRoot[at(pieces)] = piece;
        }
    }
    for (int a = 1; a <= m_atoms; ++a)
        if (const int piece = m_component[at(a)];
            m_rootSize[at(piece)] == 1 && !m_joined[at(piece)]) {
            m_pieceOf[at(piece)] = ++pieces;
            m_pieceRoot[at(pieces)] = piece;
        }
    return pieces;
}

void BondCleaver::sumPieces(int pieces) {
    for (int p = 1; p <= pieces; ++p) {
        const int root = m_pieceRoot[at(p)];
        m_pieceMass[at(p)] = m_rootMass[at(root)];
        m_pieceHash[at(p)] = m_rootHash[at(root)];
        m_pieceSize[at(p)] = m_rootSize[at(root)];
    }
}

std::vector<std::int32_t> BondCleaver::pieceAtoms(int piece) const {
    std::vector<std::int32_t> atoms;
    for (int a = 1; a <= m_atoms; ++a)
        if (m_pieceOf[at(m_component[at(a)])] == piece) atoms.push_back(a);
    return atoms;
}

CleaveResult BondCleaver::CleaveBonds(int first, int second) {
    CleaveResult result;
    if (m_atoms == 0) return result;
    labelComponents(first, second);
    const int groups = scanGroups(first, second);
    result.pieces = orderPieces(groups);
    if (result.pieces < 2) return result;
    sumPieces(result.pieces);

    for (int p = 1; p <= result.pieces; ++p) {
        const auto mass = static_cast<std::int32_t>(m_pieceMass[at(p)]);
        const std::uint64_t key = lookupKey(mass, m_pieceHash[at(p)]);
        bool known = false;
        if (const auto found = m_newestWithKey.find(key); found != m_newestWithKey.end())
            for (int f = found->second; f != 0 && !known; f = m_olderWithKey[at(f)])
                known = m_table.fragment(f).Mass == mass && sameAtoms(f, p);
        if (known) continue;
        remember(m_table.append(Fragment{mass, pieceAtoms(p)}), key);
        ++result.newFragments;
    }
    return result;
}

CleaveResult CleaveBonds(const Structure& structure, const ElementTable& elements,
                         FragmentTable& table, int first, int second) {
    BondCleaver cleaver(structure, elements, table);
    return cleaver.CleaveBonds(first, second);
}

} // namespace qzx
