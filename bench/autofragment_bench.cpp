// How long "1 + 2 Bonds" autofragmentation takes for structures of 50 to 450 bonds drawn with
// the editor: a long chain, benzene rings fused in pairs and linked by single bonds, and a
// peptide-like backbone with carbonyls and side chains; and a ladder of four-membered rings,
// where nearly every bond lies on a cycle. A chain of 300 bonds (45,150 cleavages) should stay
// under 150 ms.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "chem/autofragment.h"
#include "chem/element_data_files.h"
#include "chem/fragments.h"
#include "loaded_elements.h"
#include "settings/settings.h"
#include "structure/editor.h"
#include "structure/editor_tools.h"
#include "structure/structure.h"

namespace {

using qzx::KeyModifiers;
using qzx::MouseButton;

const qzx::ElementTable& elements() {
    return qzx::bench::loadedElementTable();
}

/// Draws on a structure with the editor's gestures, in drawing pixels.
class Drawing {
public:
    qzx::Structure s;

    void drag(int tool, int x1, int y1, int x2, int y2, KeyModifiers m = {}) {
        m_editor.setTool(tool);
        m_editor.press(x1, y1, MouseButton::Left, m);
        m_editor.move(x2, y2, m);
        m_editor.release(x2, y2, MouseButton::Left, m);
    }
    void click(int tool, int x, int y, KeyModifiers m = {}) { drag(tool, x, y, x, y, m); }
    void setElement(int element) { m_editor.setCurrentElement(element); }
    int x(int atom) const { return s.atom(atom).X; }
    int y(int atom) const { return s.atom(atom).Y; }

private:
    qzx::Settings m_settings;
    qzx::Editor m_editor{s, elements(), m_settings};
};

constexpr KeyModifiers kShift{true, false, false};
constexpr int kAlk = 30; // the chain tool's bond length, pixels

/// A chain tool drag of k bonds from atom `from` along (dx, dy) (one of them 0, the other 1
/// or -1); returns the new end atom.
int chainFrom(Drawing& d, int from, int k, int dx, int dy) {
    const int length = k * kAlk + 5;
    d.drag(qzx::kToolChain, d.x(from), d.y(from), d.x(from) + dx * length, d.y(from) + dy * length);
    return d.s.count.atoms;
}

/// A serpentine chain of exactly `bonds` bonds: rows of up to 45 bonds joined by 3 bonds down.
qzx::Structure chain(int bonds) {
    Drawing d;
    d.drag(qzx::kToolSingleBond, 40, 60, 100, 60);
    int end = 2;
    int direction = 1;
    while (d.s.count.bonds < bonds) {
        end = chainFrom(d, end, std::min(45, bonds - d.s.count.bonds), direction, 0);
        if (d.s.count.bonds < bonds)
            end = chainFrom(d, end, std::min(3, bonds - d.s.count.bonds), 0, 1);
        direction = -direction;
    }
    return d.s;
}

/// Naphthalenes (two fused benzene rings, 11 bonds) in rows, each joined to the one before by
/// a single bond, then methyls on free ring carbons until the structure has `bonds` bonds.
qzx::Structure fusedAndLinkedRings(int bonds) {
    Drawing d;
    std::vector<int> firstAtoms; // first atom of each naphthalene
    for (int unit = 0; d.s.count.bonds + 12 <= bonds; ++unit) {
        const int x = 60 + (unit % 12) * 120, y = 60 + (unit / 12) * 160;
        firstAtoms.push_back(d.s.count.atoms + 1);
        d.click(qzx::kToolBenzene, x, y, kShift);
        d.click(qzx::kToolBenzene, x + 41, y + 1); // fused on the right edge
        if (unit == 0) continue;
        // Link: the previous unit's right-most atom to this unit's left-most one. In a row that
        // is a short horizontal bond; at a row start it runs diagonally back.
        const int previous = firstAtoms[firstAtoms.size() - 2];
        const int from = previous + 9, to = firstAtoms.back() + 1; // (x+60, y+20), (x-20, y+20)
        d.drag(qzx::kToolSingleBond, d.x(from), d.y(from), d.x(to), d.y(to));
    }
    // Methyls up from the top atoms (x, y), (x+40, y) and down from the bottom ones (x, y+60),
    // (x+40, y+60), in unit order.
    for (const int first : firstAtoms)
        for (const int offset : {0, 3, 6, 7}) {
            if (d.s.count.bonds >= bonds) break;
            const int atom = first + offset;
            const int dy = offset == 0 || offset == 6 ? -40 : 40;
            d.drag(qzx::kToolSingleBond, d.x(atom), d.y(atom), d.x(atom), d.y(atom) + dy);
        }
    return d.s;
}

/// A peptide-like molecule: a zigzag backbone in serpentine rows 185 pixels apart, every third atom
/// turned into nitrogen, the next one an alpha carbon with a side chain (alternately CH3 and
/// CH2-OH), the next a carbonyl carbon; decorations stop when the structure has `bonds` bonds.
qzx::Structure peptide(int bonds) {
    Drawing d;
    const int backbone = bonds * 3 / 5;
    d.drag(qzx::kToolSingleBond, 40, 150, 100, 150);
    std::vector<int> rowAtoms{1, 2}; // backbone atoms in horizontal rows, in order
    int end = 2;
    int direction = 1;
    while (d.s.count.bonds < backbone) {
        const int before = d.s.count.atoms;
        end = chainFrom(d, end, std::min(45, backbone - d.s.count.bonds), direction, 0);
        for (int a = before + 1; a <= end; ++a)
            rowAtoms.push_back(a);
        if (d.s.count.bonds >= backbone) break;
        end = chainFrom(d, end, 6, 0, 1); // 6 bonds down to the next row, left bare
        direction = -direction;
    }
    int residue = 0;
    for (std::size_t i = 0; i < rowAtoms.size() && d.s.count.bonds < bonds; ++i) {
        const int atom = rowAtoms[i];
        const int side = d.y(atom) <= d.y(rowAtoms[i == 0 ? 1 : i - 1]) ? -1 : 1;
        switch (i % 3) {
        case 0: // nitrogen
            d.setElement(3);
            d.click(qzx::kToolElement, d.x(atom), d.y(atom));
            break;
        case 1: // alpha carbon and its side chain
            d.drag(qzx::kToolSingleBond, d.x(atom), d.y(atom), d.x(atom), d.y(atom) + side * 40);
            if (++residue % 2 == 0 && d.s.count.bonds < bonds) {
                const int beta = d.s.count.atoms;
                d.drag(qzx::kToolHydroxyl, d.x(beta), d.y(beta), d.x(beta), d.y(beta) + side * 40);
            }
            break;
        default: // carbonyl
            d.drag(qzx::kToolKeto, d.x(atom), d.y(atom), d.x(atom), d.y(atom) + side * 40);
            break;
        }
    }
    return d.s;
}

/// A ladder of `rungs` rungs, 3 * rungs - 2 bonds: two rails of carbons 10 pixels apart,
/// joined at every atom; the corner carbons carry two hydrogens, the others one.
qzx::Structure ladder(int rungs) {
    qzx::Structure s;
    for (int rail = 0; rail < 2; ++rail)
        for (int i = 0; i < rungs; ++i) {
            qzx::Atom atom;
            atom.Element = 1;
            atom.X = 20 + 10 * i;
            atom.Y = 100 + 10 * rail;
            atom.Hydrogens = i == 0 || i == rungs - 1 ? 2 : 1;
            s.appendItem(qzx::kAtomItem, s.appendAtom(atom));
        }
    auto join = [&s](int a, int b) {
        qzx::Bond bond;
        bond.X1 = s.atom(a).X;
        bond.Y1 = s.atom(a).Y;
        bond.X2 = s.atom(b).X;
        bond.Y2 = s.atom(b).Y;
        bond.Order = 1;
        bond.RingState = 1;
        bond.AtomA = a;
        bond.AtomB = b;
        s.appendItem(qzx::kBondItem, s.appendBond(bond));
    };
    for (int i = 1; i < rungs; ++i) {
        join(i, i + 1);
        join(rungs + i, rungs + i + 1);
        join(i, rungs + i);
    }
    join(rungs, 2 * rungs);
    return s;
}

void runAutofragment(benchmark::State& state, const qzx::Structure& s, long long bonds) {
    if (s.count.bonds != bonds) {
        state.SkipWithError(("drawn with " + std::to_string(s.count.bonds) + " bonds").c_str());
        return;
    }
    qzx::FragmentTable table;
    for (auto _ : state) {
        const qzx::AutofragmentResult result =
            qzx::RunAutofragment(s, elements(), qzx::AutofragmentOptions{}, table);
        if (result.status != qzx::AutofragmentStatus::Done) {
            state.SkipWithError(result.message.c_str());
            return;
        }
        benchmark::DoNotOptimize(table.FragmentCount);
    }
    state.counters["atoms"] = s.count.atoms;
    state.counters["fragments"] = table.FragmentCount;
    state.counters["bonds"] = static_cast<double>(bonds);
    state.counters["cleavages"] = static_cast<double>(bonds + bonds * (bonds - 1) / 2);
}

void BM_AutofragmentChain(benchmark::State& state) {
    runAutofragment(state, chain(static_cast<int>(state.range(0))), state.range(0));
}
BENCHMARK(BM_AutofragmentChain)
    ->Arg(50)
    ->Arg(100)
    ->Arg(150)
    ->Arg(300)
    ->Arg(450)
    ->Unit(benchmark::kMillisecond);

void BM_AutofragmentRings(benchmark::State& state) {
    runAutofragment(state, fusedAndLinkedRings(static_cast<int>(state.range(0))), state.range(0));
}
BENCHMARK(BM_AutofragmentRings)->Arg(50)->Arg(100)->Arg(150)->Unit(benchmark::kMillisecond);

void BM_AutofragmentPeptide(benchmark::State& state) {
    runAutofragment(state, peptide(static_cast<int>(state.range(0))), state.range(0));
}
BENCHMARK(BM_AutofragmentPeptide)->Arg(50)->Arg(100)->Arg(150)->Unit(benchmark::kMillisecond);

/// Argument: rungs; 50, 100 and 150 rungs are 148, 298 and 448 bonds.
void BM_AutofragmentLadder(benchmark::State& state) {
    const int rungs = static_cast<int>(state.range(0));
    runAutofragment(state, ladder(rungs), 3LL * rungs - 2);
}
BENCHMARK(BM_AutofragmentLadder)->Arg(50)->Arg(100)->Arg(150)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
