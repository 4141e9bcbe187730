#include "chem/bond_cleavage.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>

#include "chem/element_table.h"
#include "chem/fragments.h"
#include "structure/structure.h"

namespace qzx {

namespace {
std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}
} // namespace

std::size_t BondCleaver::SignatureHash::operator()(const SignatureKey& key) const {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(key.signature);
    return std::hash<std::uint64_t>{}(
        bits ^ (static_cast<std::uint64_t>(key.mass) * 0x9E3779B97F4A7C15ull));
}

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

    // Fragments already in the table count for the de-duplication like those found here.
    // Chains give about one new fragment per cleavage: room for that many from the start.
    const std::size_t cleavages = at(m_bonds) * (at(m_bonds) + 1) / 2;
    m_signatures.reserve(std::min<std::size_t>(cleavages, 1u << 20) + at(table.FragmentCount));
    for (int f = 1; f <= table.FragmentCount; ++f) {
        const Fragment& fragment = table.fragment(f);
        double signature = 1.0;
        for (const std::int32_t row : fragment.Atoms)
            signature *= static_cast<double>(row);
        m_signatures.insert({fragment.Mass, signature});
    }

    m_component.assign(atomRows, 0);
    m_joined.assign(atomRows, 0);
    m_groupsOf.assign(atomRows, 0);
    m_pieceOf.assign(atomRows, 0);
    m_stamp.assign(atomRows, 0);
    m_stack.assign(atomRows, 0);
    m_firstGroupOf.assign(at(m_bonds) + 2, 0);
    m_pieceMass.assign(atomRows + 1, 0);
    m_pieceSignature.assign(atomRows + 1, 1.0);
}

void BondCleaver::labelComponents(int first, int second) {
    std::fill(m_component.begin(), m_component.end(), 0);
    int* const stack = m_stack.data(); // room for every atom: each is pushed at most once
    for (int root = 1; root <= m_atoms; ++root) {
        if (m_component[at(root)] != 0) continue;
        // A depth-first search from the lowest unlabelled row labels the piece with that row.
        m_component[at(root)] = root;
        m_groupsOf[at(root)] = 0;
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
                stack[top++] = next.atom;
            }
        }
        m_joined[at(root)] = joined ? 1 : 0;
    }
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
        if (piece != 0 && m_groupsOf[at(piece)] >= 2) m_pieceOf[at(piece)] = ++pieces;
    }
    for (int g = 1; g <= groups; ++g) {
        const int piece = m_firstGroupOf[at(g)];
        if (piece != 0 && m_groupsOf[at(piece)] == 1) m_pieceOf[at(piece)] = ++pieces;
    }
    for (int a = 1; a <= m_atoms; ++a)
        if (m_component[at(a)] == a && !m_joined[at(a)]) m_pieceOf[at(a)] = ++pieces;
    return pieces;
}

void BondCleaver::sumPieces(int pieces) {
    // Atoms in ascending row order, so each signature is multiplied in ascending order too.
    std::fill(m_pieceMass.begin(), m_pieceMass.begin() + pieces + 1, 0);
    std::fill(m_pieceSignature.begin(), m_pieceSignature.begin() + pieces + 1, 1.0);
    for (int a = 1; a <= m_atoms; ++a) {
        const int piece = m_pieceOf[at(m_component[at(a)])];
        m_pieceMass[at(piece)] += m_weight[at(a)];
        m_pieceSignature[at(piece)] *= static_cast<double>(a);
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
        if (std::isinf(m_pieceSignature[at(p)])) {
            result.tooLarge = true;
            return result;
        }
        const SignatureKey key{static_cast<std::int32_t>(m_pieceMass[at(p)]),
                               m_pieceSignature[at(p)]};
        if (!m_signatures.insert(key).second) continue;
        m_table.append(Fragment{key.mass, pieceAtoms(p)});
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
