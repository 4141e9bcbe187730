// The editor's modes, keys and commands; the mouse gestures are in editor.cpp.
#include "chem/element_table.h"
#include "settings/settings.h"
#include "structure/editor.h"
#include "structure/editor_tools.h"
#include "structure/structure_delete.h"
#include "structure/undo.h"

namespace qzx {

void Editor::setTool(int tool) {
    if (tool < kToolCyclohexane || tool > kToolElement) return;
    // While a selection is made or moved the chosen tool waits aside.
    if (m_tool == kToolSelecting)
        m_keptTool = tool;
    else
        m_tool = tool;
}

void Editor::setAnalyzeMode(bool on) {
    if (!on && m_gesture == Gesture::Fragment) {
        m_gesture = Gesture::None;
        m_region.clear();
        m_preview = restingPreview();
    }
    m_analyze = on;
}

void Editor::setFragmentShape(int shape) {
    if (shape >= 1 && shape <= 3) m_fragmentShape = shape;
}

EditorEffects Editor::setShowAllAtoms(bool on) {
    EditorEffects fx;
    m_showAllAtoms = on;
    applyShowAllAtoms(m_s, on);
    fx.repaint = true;
    fx.commandsChanged = true;
    return fx;
}

EditorEffects Editor::toggleSelectMode() {
    EditorEffects fx;
    if (m_selectMode) {
        endSelectMode(fx);
    } else {
        m_selectMode = true;
        fx.commandsChanged = true;
        fx.cursor = EditorCursor::CrossHair;
    }
    return fx;
}

EditorEffects Editor::chooseValence(bool add) {
    EditorEffects fx;
    const Valence chosen = add ? Valence::Add : Valence::Subtract;
    if (m_valence == chosen) {
        m_valence = Valence::Off;
        fx.cursor = EditorCursor::Default;
    } else {
        m_valence = chosen;
        fx.cursor = add ? EditorCursor::ValencePlus : EditorCursor::ValenceMinus;
    }
    fx.commandsChanged = true;
    return fx;
}

EditorEffects Editor::startReduceBond() {
    EditorEffects fx;
    abandonGesture();
    m_reduceBond = true;
    fx.cursor = EditorCursor::CrossHair;
    fx.repaint = true; // shows the marks
    return fx;
}

std::vector<PixelPoint> Editor::reduceBondMarks() const {
    std::vector<PixelPoint> marks;
    if (!m_reduceBond) return marks;
    for (int row : reducibleBonds(m_s)) {
        const Bond& b = m_s.bond(row);
        marks.push_back({(b.X1 + b.X2) / 2, (b.Y1 + b.Y2) / 2});
    }
    return marks;
}

EditorEffects Editor::key(EditorKey key) {
    EditorEffects fx;
    switch (key) {
    case EditorKey::Escape:
        if (m_valence != Valence::Off) {
            m_valence = Valence::Off;
            fx.cursor = EditorCursor::Default;
            fx.commandsChanged = true;
        }
        if (m_selectMode) endSelectMode(fx);
        if (m_reduceBond) {
            m_reduceBond = false;
            fx.cursor = EditorCursor::Default;
            fx.repaint = true;
        }
        break;
    case EditorKey::Delete:
        if (m_selectionPresent) {
            abandonGesture();
            deleteSelectedAtoms(m_s, m_elements);
            setCaptionUndo(fx); // nothing is left to undo
            endSelectMode(fx);
        }
        break;
    case EditorKey::R:
        if (m_selectionPresent) {
            hideSelectedCarbonLabels(m_s);
            endSelectMode(fx);
        }
        break;
    case EditorKey::U:
        if (m_selectionPresent) {
            showSelectedLabels(m_s);
            endSelectMode(fx);
        }
        break;
    case EditorKey::A:
        if (m_selectionPresent) {
            abandonGesture();
            switch (aromatize(m_s, m_elements, m_settings.RingBondLength)) {
            case AromatizeResult::Done:
                m_s.undo.kind = UndoRecord::Appended; // undo takes the new ring away
                setCaptionUndo(fx);
                break;
            case AromatizeResult::WrongSelection:
                ++fx.errorSignals;
                fx.message = "Must Select 6 Ring Atoms to aromatize";
                break;
            case AromatizeResult::NoRoom:
                ++fx.errorSignals;
                break;
            }
            endSelectMode(fx);
        }
        break;
    }
    return fx;
}

EditorEffects Editor::undoRedo() {
    EditorEffects fx;
    abandonGesture();
    // Undo may hide the selected rows; the selection ends first.
    if (m_selectionPresent) endSelectMode(fx);
    if (qzx::undoRedo(m_s, m_elements)) {
        m_undoShowsRedo = !m_undoShowsRedo;
        fx.commandsChanged = true;
        fx.repaint = true;
    }
    return fx;
}

void Editor::reset() {
    m_gesture = Gesture::None;
    m_region.clear();
    m_startAtom = 0;
    m_takenHydrogens = 0;
    m_madeFirstAtom = false;
    m_selectMode = false;
    m_selectionPresent = false;
    m_s.SelectionList.clear();
    m_valence = Valence::Off;
    m_reduceBond = false;
    m_analyze = false;
    if (m_tool == kToolSelecting) m_tool = m_keptTool;
    m_undoShowsRedo = false;
    m_preview = {};
}

void Editor::endSelectMode(EditorEffects& fx) {
    abandonGesture();
    m_selectMode = false;
    m_selectionPresent = false;
    m_s.SelectionList.clear();
    if (m_tool == kToolSelecting) m_tool = m_keptTool;
    restPreview(fx);
    fx.commandsChanged = true;
    fx.cursor = EditorCursor::Default;
    fx.repaint = true;
}

void Editor::abandonGesture() {
    if (m_gesture == Gesture::Bond) giveBackStart();
    if (m_gesture == Gesture::SelectRectangle && m_tool == kToolSelecting) m_tool = m_keptTool;
    if (m_gesture != Gesture::None) m_preview = restingPreview();
    m_gesture = Gesture::None;
    m_region.clear();
}

EditorPreview Editor::restingPreview() const {
    EditorPreview resting;
    if (m_selectionPresent) {
        resting.kind = EditorPreview::Kind::SelectionRectangle;
        resting.points = {{m_selection.left, m_selection.top},
                          {m_selection.right, m_selection.bottom}};
    }
    return resting;
}

void Editor::restPreview(EditorEffects& fx) {
    const EditorPreview next = restingPreview();
    if (!(next == m_preview)) {
        m_preview = next;
        fx.previewChanged = true;
    }
}

} // namespace qzx
