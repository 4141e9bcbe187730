// Shared by the editor tests: a loaded element table, gestures by coordinates, the drawn
// formula, a readable dump of the tables and a checker of their consistency.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "chem/element_data_files.h"
#include "settings/settings.h"
#include "structure/bond_geometry.h"
#include "structure/editor.h"
#include "structure/editor_tools.h"
#include "structure/structure.h"
#include "test_paths.h"

namespace qzx::editor_test {

inline const ElementTable& loadedElements() {
    static const ElementTable table = [] {
        ElementTable t;
        CalcElementSlots slots{};
        LoadElementTable(QZX_RUNTIME_DIR, t, slots,
                         [](const std::string& warning) { ADD_FAILURE() << warning; });
        return t;
    }();
    return table;
}

/// Atoms and their hydrogens per element in element-number order, e.g. "C2 H6".
inline std::string formula(const Structure& s) {
    std::map<int, int> counts;
    for (int row = 1; row <= s.count.atoms; ++row) {
        ++counts[s.atom(row).Element];
        counts[2] += s.atom(row).Hydrogens;
    }
    std::string text;
    for (const auto& [element, n] : counts) {
        if (n == 0) continue;
        if (!text.empty()) text += ' ';
        text += elementSymbol(element);
        text += std::to_string(n);
    }
    return text;
}

/// The rows in use, without the copies only undo reads (SavedHydrogens, SavedLabelShown).
inline std::string dump(const Structure& s) {
    std::ostringstream out;
    out << "counts " << s.count.drawItems << ' ' << s.count.atoms << ' ' << s.count.bonds << ' '
        << s.count.rings << '\n';
    for (int r = 1; r <= s.count.drawItems; ++r)
        out << "item " << r << ": " << s.item(r).Kind << ' ' << s.item(r).Index << '\n';
    for (int r = 1; r <= s.count.atoms; ++r) {
        const Atom& a = s.atom(r);
        out << "atom " << r << ": " << a.Element << " (" << a.X << ',' << a.Y << ") H"
            << a.Hydrogens << " L" << a.LabelShown << " R" << a.RingState << " N" << a.NitroOxygen
            << ' ' << a.Reserved8 << '\n';
    }
    for (int r = 1; r <= s.count.bonds; ++r) {
        const Bond& b = s.bond(r);
        out << "bond " << r << ": " << b.AtomA << '-' << b.AtomB << " (" << b.X1 << ',' << b.Y1
            << ")-(" << b.X2 << ',' << b.Y2 << ") O" << b.Order << " R" << b.RingState << " ["
            << b.RingX << ',' << b.RingY << "]\n";
    }
    for (int r = 1; r <= s.count.rings; ++r) {
        const AromaticRing& g = s.ring(r);
        out << "ring " << r << ':';
        for (int a : g.Atoms)
            out << ' ' << a;
        out << " (" << g.CentreX << ',' << g.CentreY << ") " << g.Radius << '\n';
    }
    return out.str();
}

/// Everything that breaks the rules the tables must keep; empty when they hold.
inline std::string tableFaults(const Structure& s) {
    std::ostringstream f;
    const TableCounts& c = s.count;
    if (c.drawItems > kMaxDrawItems || c.atoms > kMaxAtoms || c.bonds >= kMaxBonds ||
        c.rings > kMaxAromaticRings)
        return "counts beyond capacity";
    std::map<int, int> atomItems, bondItems, nitroNitrogens;
    for (int r = 1; r <= c.drawItems; ++r) {
        const DrawItem& d = s.item(r);
        const int limit = d.Kind == kAtomItem ? c.atoms : d.Kind == kRingItem ? c.rings : c.bonds;
        if (d.Kind < kAtomItem || d.Kind > kNitroItem || d.Index < 1 || d.Index > limit) {
            f << "item " << r << " names no row; ";
            continue;
        }
        if (d.Kind == kAtomItem) ++atomItems[d.Index];
        if (d.Kind == kBondItem) ++bondItems[d.Index];
        if (d.Kind == kNitroItem) ++nitroNitrogens[s.bond(d.Index).AtomB];
    }
    for (int r = 1; r <= c.atoms; ++r) {
        const Atom& a = s.atom(r);
        const bool hidden = a.NitroOxygen == 1 || nitroNitrogens.count(r) != 0;
        if (a.Hydrogens < 0) f << "atom " << r << " has " << a.Hydrogens << " H; ";
        if (atomItems[r] != (hidden ? 0 : 1))
            f << "atom " << r << " has " << atomItems[r] << " items; ";
    }
    for (int r = 1; r <= c.bonds; ++r) {
        const Bond& b = s.bond(r);
        if (b.AtomA < 1 || b.AtomA > c.atoms || b.AtomB < 1 || b.AtomB > c.atoms ||
            b.AtomA == b.AtomB) {
            f << "bond " << r << " joins " << b.AtomA << '-' << b.AtomB << "; ";
            continue;
        }
        const PixelPoint a{s.atom(b.AtomA).X, s.atom(b.AtomA).Y};
        const PixelPoint e{s.atom(b.AtomB).X, s.atom(b.AtomB).Y};
        // A multiple bond's new atom sits where the painted (straightened) bond ends.
        if (!(a == PixelPoint{b.X1, b.Y1}) ||
            !(e == PixelPoint{b.X2, b.Y2} || e == straightenedBondEnd(a, {b.X2, b.Y2})))
            f << "bond " << r << " ends off its atoms; ";
        if (b.Order < 1 || b.Order > 3 || (b.RingState == 2 && (b.RingX < 1 || b.RingX > c.rings)))
            f << "bond " << r << " order/ring " << b.Order << '/' << b.RingX << "; ";
        const bool hidden = s.atom(b.AtomB).NitroOxygen == 1;
        if (bondItems[r] != (hidden ? 0 : 1))
            f << "bond " << r << " has " << bondItems[r] << " items; ";
    }
    for (int r = 1; r <= c.rings; ++r)
        for (int a : s.ring(r).Atoms)
            if (a < 1 || a > c.atoms) f << "ring " << r << " names atom " << a << "; ";
    for (int a : s.SelectionList)
        if (a < 1 || a > c.atoms) f << "selection names atom " << a << "; ";
    return f.str();
}

/// An editor on an empty structure with the default settings (L = 20, A = 30).
class EditorTest : public ::testing::Test {
protected:
    Structure s;
    Settings settings;
    Editor editor{s, loadedElements(), settings};

    /// Press, drag and release with the left button; signals and beeps of all three summed.
    EditorEffects drag(int tool, PixelPoint from, PixelPoint to, KeyModifiers m = {}) {
        if (tool != 0) editor.setTool(tool);
        const EditorEffects pressed = editor.press(from.x, from.y, MouseButton::Left, m);
        editor.move(to.x, to.y, m);
        EditorEffects fx = editor.release(to.x, to.y, MouseButton::Left, m);
        fx.errorSignals += pressed.errorSignals;
        fx.plainBeeps += pressed.plainBeeps;
        return fx;
    }
    EditorEffects click(PixelPoint at, KeyModifiers m = {}) { return drag(0, at, at, m); }
    PixelPoint at(int atomRow) const { return {s.atom(atomRow).X, s.atom(atomRow).Y}; }
    int hydrogens(int atomRow) const { return s.atom(atomRow).Hydrogens; }
    /// Selects by a rectangle in select mode (switching it on first).
    void select(PixelPoint from, PixelPoint to) {
        if (!editor.selectMode()) editor.toggleSelectMode();
        drag(0, from, to);
    }
};

} // namespace qzx::editor_test
