#pragma once

// Shared by the fragment and autofragment tests, whose molecules come from
// structure_builders.h: two references written independently of the engine — the pieces of a
// cleavage by plain graph search, and the grouping procedure of the cleavage step by step
// (groups from the newest group only, overlapping pairs, merged sets), slow but literal.

#include <algorithm>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "../structure/structure_builders.h"
#include "chem/fragments.h"

namespace qzx::test {

using AtomSet = std::vector<int>; ///< ascending atom rows

/// Nominal mass of a set of atoms with their hydrogens, summed independently of the engine.
inline int massOf(const Structure& s, const AtomSet& atoms) {
    int mass = 0;
    for (const int a : atoms)
        mass += elements()[s.atom(a).Element].NominalMass + s.atom(a).Hydrogens;
    return mass;
}

/// The connected pieces after removing bonds `first` and `second`, found by depth-first search
/// over an adjacency list; pieces ascending inside, in no particular order.
inline std::vector<AtomSet> piecesBySearch(const Structure& s, int first, int second) {
    const int n = s.count.atoms;
    std::vector<std::vector<int>> neighbours(static_cast<std::size_t>(n) + 1);
    for (int b = 1; b <= s.count.bonds; ++b) {
        if (b == first || b == second) continue;
        neighbours[static_cast<std::size_t>(s.bond(b).AtomA)].push_back(s.bond(b).AtomB);
        neighbours[static_cast<std::size_t>(s.bond(b).AtomB)].push_back(s.bond(b).AtomA);
    }
    std::vector<bool> seen(static_cast<std::size_t>(n) + 1, false);
    std::vector<AtomSet> pieces;
    for (int start = 1; start <= n; ++start) {
        if (seen[static_cast<std::size_t>(start)]) continue;
        AtomSet piece;
        std::vector<int> stack{start};
        seen[static_cast<std::size_t>(start)] = true;
        while (!stack.empty()) {
            const int a = stack.back();
            stack.pop_back();
            piece.push_back(a);
            for (const int next : neighbours[static_cast<std::size_t>(a)])
                if (!seen[static_cast<std::size_t>(next)]) {
                    seen[static_cast<std::size_t>(next)] = true;
                    stack.push_back(next);
                }
        }
        std::sort(piece.begin(), piece.end());
        pieces.push_back(piece);
    }
    return pieces;
}

/// Every distinct (mass, atom set) that some single cleavage (or, with pairs, some cleavage of
/// one or two bonds) leaves as one of at least two pieces.
inline std::set<std::pair<int, AtomSet>> fragmentsBySearch(const Structure& s, bool pairs) {
    std::set<std::pair<int, AtomSet>> found;
    const int b = s.count.bonds;
    auto cleave = [&](int first, int second) {
        const std::vector<AtomSet> pieces = piecesBySearch(s, first, second);
        if (pieces.size() < 2) return;
        for (const AtomSet& piece : pieces)
            found.insert({massOf(s, piece), piece});
    };
    for (int i = 1; i <= b; ++i)
        cleave(i, 0);
    if (pairs)
        for (int i = 1; i <= b; ++i)
            for (int j = i + 1; j <= b; ++j)
                cleave(i, j);
    return found;
}

/// The pieces of one cleavage in the program's order, computed literally: groups from the
/// newest group only, overlapping pairs (i ascending, then j), sets merged into the earlier
/// one until none share a group, then the sets, the unpaired groups and the lone atoms.
inline std::vector<AtomSet> piecesByGrouping(const Structure& s, int first, int second) {
    std::vector<std::vector<int>> groups;
    for (int b = 1; b <= s.count.bonds; ++b) {
        if (b == first || b == second) continue;
        const int a = s.bond(b).AtomA, z = s.bond(b).AtomB;
        if (!groups.empty()) {
            std::vector<int>& last = groups.back();
            const bool hasA = std::find(last.begin(), last.end(), a) != last.end();
            const bool hasZ = std::find(last.begin(), last.end(), z) != last.end();
            if (hasA && hasZ) continue;
            if (hasA || hasZ) {
                last.push_back(hasA ? z : a);
                continue;
            }
        }
        groups.push_back({a, z});
    }
    auto overlap = [](const std::vector<int>& x, const std::vector<int>& y) {
        for (const int a : x)
            if (std::find(y.begin(), y.end(), a) != y.end()) return true;
        return false;
    };
    std::vector<std::set<int>> sets;
    for (std::size_t i = 0; i < groups.size(); ++i)
        for (std::size_t j = i + 1; j < groups.size(); ++j)
            if (overlap(groups[i], groups[j]))
                sets.push_back({static_cast<int>(i), static_cast<int>(j)});
    for (bool merged = true; merged;) {
        merged = false;
        for (std::size_t i = 0; i < sets.size() && !merged; ++i)
            for (std::size_t j = i + 1; j < sets.size() && !merged; ++j) {
                if (sets[i].empty() || sets[j].empty()) continue;
                const bool share = std::any_of(sets[j].begin(), sets[j].end(),
                                               [&](int g) { return sets[i].count(g) != 0; });
                if (!share) continue;
                sets[i].insert(sets[j].begin(), sets[j].end());
                sets[j].clear();
                merged = true;
            }
    }
    std::vector<AtomSet> pieces;
    std::set<int> inPiece;
    std::set<int> paired;
    auto addPiece = [&](std::set<int> atoms) {
        inPiece.insert(atoms.begin(), atoms.end());
        pieces.emplace_back(atoms.begin(), atoms.end());
    };
    for (const std::set<int>& set : sets) {
        if (set.empty()) continue;
        std::set<int> atoms;
        for (const int g : set) {
            paired.insert(g);
            atoms.insert(groups[static_cast<std::size_t>(g)].begin(),
                         groups[static_cast<std::size_t>(g)].end());
        }
        addPiece(atoms);
    }
    for (std::size_t g = 0; g < groups.size(); ++g)
        if (paired.count(static_cast<int>(g)) == 0)
            addPiece(std::set<int>(groups[g].begin(), groups[g].end()));
    for (int a = 1; a <= s.count.atoms; ++a)
        if (inPiece.count(a) == 0) addPiece({a});
    return pieces;
}

/// The fragments of a table, rows 1..count, as (mass, atoms).
inline std::vector<std::pair<int, AtomSet>> tableRows(const FragmentTable& table) {
    std::vector<std::pair<int, AtomSet>> rows;
    for (int f = 1; f <= table.FragmentCount; ++f)
        rows.push_back({table.fragment(f).Mass,
                        AtomSet(table.fragment(f).Atoms.begin(), table.fragment(f).Atoms.end())});
    return rows;
}

} // namespace qzx::test
