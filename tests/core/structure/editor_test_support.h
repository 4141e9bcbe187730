// Shared by the editor tests: gestures by coordinates, an editor fixture on an empty structure
// and a count of the drawn atoms written independently of the composition code.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "settings/settings.h"
#include "structure/bond_geometry.h"
#include "structure/editor.h"
#include "structure/editor_tools.h"
#include "structure/structure.h"
#include "structure_builders.h"

namespace qzx::test {

/// Atoms and their hydrogens per element in element-number order, e.g. "C2 H6".
inline std::string atomCounts(const Structure& s) {
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

/// Press, drag and release with the left button (tool 0 keeps the editor's tool); the signals
/// and beeps of all three summed into the release's effects.
inline EditorEffects dragWith(Editor& editor, int tool, PixelPoint from, PixelPoint to,
                              KeyModifiers m = {}) {
    if (tool != 0) editor.setTool(tool);
    const EditorEffects pressed = editor.press(from.x, from.y, MouseButton::Left, m);
    editor.move(to.x, to.y, m);
    EditorEffects fx = editor.release(to.x, to.y, MouseButton::Left, m);
    fx.errorSignals += pressed.errorSignals;
    fx.plainBeeps += pressed.plainBeeps;
    return fx;
}

/// An editor on an empty structure with the default settings (L = 20, A = 30).
class EditorTest : public ::testing::Test {
protected:
    Structure s;
    Settings settings;
    Editor editor{s, elements(), settings};

    EditorEffects drag(int tool, PixelPoint from, PixelPoint to, KeyModifiers m = {}) {
        return dragWith(editor, tool, from, to, m);
    }
    EditorEffects click(PixelPoint at, KeyModifiers m = {}) { return drag(0, at, at, m); }
    PixelPoint at(int atomRow) const { return s.position(atomRow); }
    int hydrogens(int atomRow) const { return s.atom(atomRow).Hydrogens; }
    /// Selects by a rectangle in select mode (switching it on first).
    void select(PixelPoint from, PixelPoint to) {
        if (!editor.selectMode()) editor.toggleSelectMode();
        drag(0, from, to);
    }
};

} // namespace qzx::test
