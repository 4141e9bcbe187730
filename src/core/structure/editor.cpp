#include "structure/editor.h"

#include "settings/settings.h"
#include "structure/bond_edits.h"
#include "structure/editor_tools.h"
#include "structure/hydrogens.h"
#include "structure/ring_edits.h"
#include "structure/structure_delete.h"

namespace qzx {

Editor::Editor(Structure& structure, const ElementTable& elements, const Settings& settings)
    : m_s(structure), m_elements(elements), m_settings(settings) {}

EditorEffects Editor::press(int x, int y, MouseButton button, KeyModifiers) {
    EditorEffects fx;
    const PixelPoint p{x, y};
    // The right button changes nothing here: the window opens the popup menu itself.
    if (button == MouseButton::Right) return fx;
    // A left press while a gesture is still open means its release never came (a popup took
    // the pointer): that gesture is given up first.
    abandonGesture();
    if (m_reduceBond) return fx;
    if (m_analyze) {
        m_gesture = Gesture::Fragment;
        m_start = p;
        m_region.clear();
        if (m_fragmentShape == 3) {
            fx.repaint = true;
            fx.fragmentRegionStarted = true;
            m_region.push_back(p);
        }
        updateDragPreview(p);
        fx.previewChanged = true;
        return fx;
    }
    if (m_selectMode)
        pressSelect(p, fx);
    else if (m_valence != Valence::Off)
        pressValence(p, fx);
    else
        pressTool(p, fx);
    return fx;
}

void Editor::pressSelect(PixelPoint p, EditorEffects& fx) {
    if (!m_selectionPresent) {
        if (m_tool != kToolSelecting) m_keptTool = m_tool;
        m_tool = kToolSelecting;
        m_gesture = Gesture::SelectRectangle;
        m_start = p;
        updateDragPreview(p);
        fx.previewChanged = true;
    } else if (strictlyInside(m_selection, p)) {
        m_gesture = Gesture::MoveSelection;
        m_pressPoint = p;
        m_moveOffset = {p.x - m_selection.left, p.y - m_selection.top};
    } else {
        endSelectMode(fx);
    }
}

void Editor::pressValence(PixelPoint p, EditorEffects& fx) {
    if (m_s.empty()) return;
    const int row = m_s.nearestAtom(p.x, p.y);
    if (isNitroAtom(m_s, row)) {
        ++fx.errorSignals;
        dropRedo(fx);
        return;
    }
    Atom& atom = m_s.atom(row);
    if (m_valence == Valence::Add)
        ++atom.Hydrogens;
    else if (atom.Hydrogens > 0)
        --atom.Hydrogens;
    else
        return;
    dropRedo(fx);
    fx.repaint = true;
}

void Editor::pressTool(PixelPoint p, EditorEffects& fx) {
    m_gestureTool = m_tool;
    if (isRingTool(m_tool)) {
        m_gesture = Gesture::Ring;
        m_start = p;
    } else if (isBondTool(m_tool)) {
        pressBondTool(p, fx);
        if (m_gesture == Gesture::None) return;
    } else if (m_tool == kToolElement) {
        m_gesture = Gesture::Element;
        m_start = p;
        return;
    } else {
        return;
    }
    updateDragPreview(p);
    fx.previewChanged = true;
}

void Editor::pressBondTool(PixelPoint p, EditorEffects& fx) {
    const int k = bondOrderOfTool(m_tool);
    m_countsBeforePress = m_s.count;
    m_madeFirstAtom = false;
    if (m_s.empty()) {
        // The first carbon of an empty structure is the gesture's first change.
        m_s.saveCounters();
        Atom first;
        first.Element = kCarbon;
        first.X = p.x;
        first.Y = p.y;
        first.Hydrogens = 4 - k;
        first.LabelShown = 1;
        m_startAtom = m_s.appendAtom(first);
        m_s.appendItem(kAtomItem, m_startAtom);
        m_takenHydrogens = 0;
        m_madeFirstAtom = true;
        fx.repaint = true;
    } else {
        const int row = m_s.nearestAtom(p.x, p.y);
        if (m_s.atom(row).Hydrogens < k) {
            ++fx.errorSignals;
            dropRedo(fx);
            return;
        }
        m_s.atom(row).Hydrogens -= k;
        m_startAtom = row;
        m_takenHydrogens = k;
    }
    m_start = m_s.position(m_startAtom);
    m_gesture = Gesture::Bond;
}

EditorEffects Editor::move(int x, int y, KeyModifiers) {
    EditorEffects fx;
    if (m_gesture == Gesture::None || m_gesture == Gesture::Element) return fx;
    updateDragPreview({x, y});
    fx.previewChanged = true;
    return fx;
}

void Editor::updateDragPreview(PixelPoint p) {
    using Kind = EditorPreview::Kind;
    EditorPreview next;
    switch (m_gesture) {
    case Gesture::Fragment:
        if (m_fragmentShape == 3) {
            if (m_region.empty() || !(m_region.back() == p)) m_region.push_back(p);
            next = {Kind::FragmentRegion, m_region, -1};
        } else {
            next = {
                m_fragmentShape == 2 ? Kind::FragmentBox : Kind::FragmentLine, {m_start, p}, -1};
        }
        break;
    case Gesture::SelectRectangle:
        next = {Kind::SelectionRectangle, {m_start, p}, -1};
        break;
    case Gesture::MoveSelection: {
        const PixelPoint corner{p.x - m_moveOffset.x, p.y - m_moveOffset.y};
        next = {Kind::SelectionRectangle,
                {corner,
                 {corner.x + m_selection.right - m_selection.left,
                  corner.y + m_selection.bottom - m_selection.top}},
                -1};
        break;
    }
    case Gesture::Ring:
        next = {Kind::RingOutline, ringTemplate(m_gestureTool, p, m_settings.RingBondLength), -1};
        break;
    case Gesture::Bond:
        next = {Kind::Line, {m_start, p}, -1};
        if (m_gestureTool == kToolChain)
            next.chainLength = chainCarbonCount(m_start, p, m_settings.AlkBondLength);
        break;
    case Gesture::Element:
    case Gesture::None:
        break;
    }
    m_preview = next;
}

EditorEffects Editor::release(int x, int y, MouseButton button, KeyModifiers modifiers) {
    EditorEffects fx;
    const PixelPoint p{x, y};
    if (button == MouseButton::Right) return fx;
    if (m_gesture == Gesture::Fragment) {
        fx.fragmentCut = FragmentGesture{m_fragmentShape, m_start, p, m_region};
        m_gesture = Gesture::None;
        m_region.clear();
        restPreview(fx);
        return fx;
    }
    if (m_reduceBond) {
        releaseReduceBond(p, fx);
        return fx;
    }
    switch (m_gesture) {
    case Gesture::None:
        return fx; // e.g. after a valence click or a refused press
    case Gesture::SelectRectangle:
        releaseSelectRectangle(p, fx);
        break;
    case Gesture::MoveSelection:
        releaseMoveSelection(p, fx);
        break;
    default:
        releaseTool(p, modifiers, fx);
        break;
    }
    return fx;
}

void Editor::releaseReduceBond(PixelPoint p, EditorEffects& fx) {
    abandonGesture();
    m_reduceBond = false;
    fx.cursor = EditorCursor::Default;
    fx.repaint = true;
    if (const int row = nearestReducibleBond(m_s, p.x, p.y); row != 0) {
        reduceBond(m_s, row);
        dropRedo(fx);
    }
}

void Editor::releaseSelectRectangle(PixelPoint p, EditorEffects& fx) {
    m_gesture = Gesture::None;
    const PixelRect rect = orderedRect(m_start, p);
    if (!selectAtomsInside(m_s, rect)) {
        // More atoms than the selection list holds: nothing is selected.
        ++fx.errorSignals;
        m_tool = m_keptTool;
        restPreview(fx);
        return;
    }
    m_selectionPresent = true;
    m_selection = rect;
    restPreview(fx);
    fx.cursor = EditorCursor::Move;
    fx.repaint = true; // marks the selected atoms
}

void Editor::releaseMoveSelection(PixelPoint p, EditorEffects& fx) {
    m_gesture = Gesture::None;
    moveSelectedAtoms(m_s, p.x - m_pressPoint.x, p.y - m_pressPoint.y, m_settings.RingBondLength);
    dropRedo(fx);
    m_s.SelectionList.clear();
    m_selectionPresent = false;
    m_tool = m_keptTool;
    restPreview(fx);
    fx.cursor = EditorCursor::CrossHair;
    fx.repaint = true;
}

void Editor::releaseTool(PixelPoint p, KeyModifiers modifiers, EditorEffects& fx) {
    const Gesture gesture = m_gesture;
    m_gesture = Gesture::None;
    restPreview(fx);
    m_s.undo.kind = UndoRecord::Appended;
    setCaptionUndo(fx);
    if (!m_madeFirstAtom) m_s.saveCounters();
    fx.repaint = true;
    if (gesture == Gesture::Ring)
        releaseRing(p, modifiers, fx);
    else if (gesture == Gesture::Element)
        releaseElement(p, modifiers, fx);
    else if (m_gestureTool == kToolChain)
        releaseChain(p, fx);
    else if (m_gestureTool == kToolRGroup) {
        if (isClick(m_start, p))
            refuseGesture(fx);
        else
            fx.rGroupInsert = RGroupRequest{m_startAtom, m_start, p};
    } else {
        releaseBond(p, fx);
    }
    m_startAtom = 0;
    m_takenHydrogens = 0;
    m_madeFirstAtom = false;
}

void Editor::releaseRing(PixelPoint p, KeyModifiers modifiers, EditorEffects& fx) {
    const int L = m_settings.RingBondLength;
    const RingResult result = (modifiers.shiftAlone() || m_s.empty())
                                  ? placeFreeRing(m_s, m_gestureTool, p, L, m_showAllAtoms)
                                  : fuseRing(m_s, m_gestureTool, p, L, m_showAllAtoms);
    if (result == RingResult::NoRoom)
        ++fx.errorSignals;
    else if (result != RingResult::Added)
        ++fx.plainBeeps;
}

void Editor::releaseBond(PixelPoint p, EditorEffects& fx) {
    switch (finishBond(m_s, m_gestureTool, m_startAtom, p)) {
    case BondResult::Added:
    case BondResult::Raised:
        break;
    case BondResult::Refused:
        refuseGesture(fx);
        break;
    case BondResult::Unchanged:
        giveBackStart();
        break;
    }
}

void Editor::releaseChain(PixelPoint p, EditorEffects& fx) {
    if (isClick(m_start, p)) {
        refuseGesture(fx);
        return;
    }
    switch (buildChain(m_s, m_startAtom, p, m_settings.AlkBondLength)) {
    case ChainResult::Added:
        break;
    case ChainResult::TooShort:
        giveBackStart();
        break;
    case ChainResult::NoRoom:
        refuseGesture(fx);
        break;
    }
}

void Editor::releaseElement(PixelPoint p, KeyModifiers modifiers, EditorEffects& fx) {
    const bool placed = (modifiers.shiftAlone() || m_s.empty())
                            ? placeLoneAtom(m_s, m_elements, m_currentElement, p)
                            : changeAtomElement(m_s, m_elements, m_s.nearestAtom(p.x, p.y),
                                                m_currentElement, m_showAllAtoms);
    if (!placed) ++fx.errorSignals;
}

void Editor::giveBackStart() {
    if (m_madeFirstAtom) {
        m_s.count = m_countsBeforePress;
        m_s.saved = m_s.count;
    } else if (m_startAtom >= 1 && m_startAtom <= m_s.count.atoms) {
        m_s.atom(m_startAtom).Hydrogens += m_takenHydrogens;
    }
    m_startAtom = 0;
    m_takenHydrogens = 0;
    m_madeFirstAtom = false;
}

void Editor::refuseGesture(EditorEffects& fx) {
    ++fx.errorSignals;
    giveBackStart();
    dropRedo(fx);
}

void Editor::dropRedo(EditorEffects& fx) {
    m_s.saved = m_s.count;
    if (m_s.undo.kind == UndoRecord::Appended) setCaptionUndo(fx);
}

void Editor::setCaptionUndo(EditorEffects& fx) {
    if (m_undoShowsRedo) {
        m_undoShowsRedo = false;
        fx.commandsChanged = true;
    }
}

} // namespace qzx
