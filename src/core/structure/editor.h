#pragma once

#include <optional>
#include <string>
#include <vector>

#include "structure/bond_geometry.h"
#include "structure/selection_edits.h"
#include "structure/structure.h"

namespace qzx {

class ElementTable;
struct Settings;

enum class MouseButton { Left, Right };

struct KeyModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    /// Shift held without any other modifier: rings and lone atoms go in place.
    bool shiftAlone() const { return shift && !ctrl && !alt; }
};

/// The pointer shapes of the drawing surface; CrossHair is "XHAIR".
enum class EditorCursor { Default, CrossHair, ValencePlus, ValenceMinus, Move };

enum class EditorKey { Escape, Delete, R, U, A };

/// What the drawing surface overlays while a gesture is in progress, in drawing pixels.
struct EditorPreview {
    enum class Kind {
        None,
        RingOutline,        ///< closed polygon through `points`
        Line,               ///< bond line: points[0] to points[1]
        SelectionRectangle, ///< corners points[0] and points[1], green
        FragmentLine,       ///< cut line: points[0] to points[1]
        FragmentBox,        ///< cut box: corners points[0] and points[1]
        FragmentRegion,     ///< open polyline through `points`
    };
    Kind kind = Kind::None;
    std::vector<PixelPoint> points;
    int chainLength = -1; ///< carbon count beside "Length:" while the chain tool drags; -1 hidden
    bool operator==(const EditorPreview&) const = default;
};

/// A finished analyze-mode gesture, to be cut by shape (1 line, 2 box, 3 region).
struct FragmentGesture {
    int shape = 1;
    PixelPoint start;
    PixelPoint end;
    std::vector<PixelPoint> region; ///< the region's points, press point first (shape 3)
};

/// An R-group tool gesture that passed the click test: insert the active R group with its first
/// atom at `at`, bonded to `startAtom` (whose hydrogen the press already took; the insertion
/// gives it back when it fails).
struct RGroupRequest {
    int startAtom = 0;
    PixelPoint start; ///< the start atom's position
    PixelPoint at;    ///< the release point
};

/// What the window does after an editor call.
struct EditorEffects {
    int errorSignals = 0;        ///< error signals to give (each beeps `Sound` times)
    int plainBeeps = 0;          ///< plain system beeps (the two ring-fusion refusals)
    bool repaint = false;        ///< repaint the structure, which also recomposes
    bool compose = false;        ///< recompute the composition only
    bool previewChanged = false; ///< the overlay of preview() changed
    std::string message;         ///< message box text, empty for none
    std::optional<EditorCursor> cursor;
    bool commandsChanged = false; ///< check marks or the undo caption changed
    /// A region gesture started: forget earlier cuts, switch "SubFragment" and "Multi Fragment"
    /// off (the repaint comes with it).
    bool fragmentRegionStarted = false;
    std::optional<FragmentGesture> fragmentCut; ///< an analyze-mode gesture ended
    std::optional<RGroupRequest> rGroupInsert;
};

/// The drawing editor: every mouse gesture, mode and key of the drawing surface as a state
/// machine over integer pixel coordinates. It edits the Structure directly and tells the window
/// through EditorEffects what to show.
class Editor {
public:
    Editor(Structure& structure, const ElementTable& elements, const Settings& settings);

    /// 1..22; 0 only while a selection is made or moved (the chosen tool waits aside).
    int tool() const { return m_tool; }
    void setTool(int tool);
    int currentElement() const { return m_currentElement; }
    void setCurrentElement(int element) { m_currentElement = element; }
    bool analyzeMode() const { return m_analyze; }
    void setAnalyzeMode(bool on);
    /// 1 line, 2 box, 3 region.
    int fragmentShape() const { return m_fragmentShape; }
    void setFragmentShape(int shape);
    bool showAllAtoms() const { return m_showAllAtoms; }
    EditorEffects setShowAllAtoms(bool on);

    bool selectMode() const { return m_selectMode; }
    bool selectionPresent() const { return m_selectionPresent; }
    enum class Valence { Off, Add, Subtract };
    Valence valenceMode() const { return m_valence; }
    bool reduceBondMode() const { return m_reduceBond; }
    /// The popup's undo item reads "Redo" when true, "Undo" when false.
    bool undoShowsRedo() const { return m_undoShowsRedo; }

    EditorEffects press(int x, int y, MouseButton button, KeyModifiers modifiers);
    /// The pointer moved, with or without a held button.
    EditorEffects move(int x, int y, KeyModifiers modifiers);
    EditorEffects release(int x, int y, MouseButton button, KeyModifiers modifiers);
    EditorEffects key(EditorKey key);

    EditorEffects toggleSelectMode();      ///< F2, m2Select, puSelect
    EditorEffects chooseValence(bool add); ///< F3 / F4, puAdd / puSubtract
    EditorEffects startReduceBond();       ///< m2Bonds
    EditorEffects undoRedo();              ///< puUndo
    /// After New: every mode and gesture off, the tool kept, the caption "Undo".
    void reset();

    const EditorPreview& preview() const { return m_preview; }
    /// Midpoints of the bonds that reduce-bond mode offers (olive squares), empty when off.
    std::vector<PixelPoint> reduceBondMarks() const;

private:
    enum class Gesture { None, Ring, Bond, Element, SelectRectangle, MoveSelection, Fragment };

    void pressTool(PixelPoint p, EditorEffects& fx);
    void pressBondTool(PixelPoint p, EditorEffects& fx);
    void pressSelect(PixelPoint p, EditorEffects& fx);
    void pressValence(PixelPoint p, EditorEffects& fx);
    void releaseReduceBond(PixelPoint p, EditorEffects& fx);
    void releaseSelectRectangle(PixelPoint p, EditorEffects& fx);
    void releaseMoveSelection(PixelPoint p, EditorEffects& fx);
    void releaseTool(PixelPoint p, KeyModifiers modifiers, EditorEffects& fx);
    void releaseRing(PixelPoint p, KeyModifiers modifiers, EditorEffects& fx);
    void releaseBond(PixelPoint p, EditorEffects& fx);
    void releaseChain(PixelPoint p, EditorEffects& fx);
    void releaseElement(PixelPoint p, KeyModifiers modifiers, EditorEffects& fx);
    void updateDragPreview(PixelPoint p);

    /// Gives the start atom back what the press took (or drops the atom the press made on an
    /// empty structure), leaving the tables as before the press.
    void giveBackStart();
    /// Refuses the gesture: error signal, start atom restored, no redo left behind.
    void refuseGesture(EditorEffects& fx);
    /// Forgets a pending redo: the saved counters become the current ones.
    void dropRedo(EditorEffects& fx);
    void setCaptionUndo(EditorEffects& fx);
    void endSelectMode(EditorEffects& fx);
    /// Abandons a gesture in progress (its hydrogens back), for mode changes mid-gesture.
    void abandonGesture();
    /// The overlay between gestures: the selection rectangle while a selection exists.
    void restPreview(EditorEffects& fx);
    EditorPreview restingPreview() const;

    Structure& m_s;
    const ElementTable& m_elements;
    const Settings& m_settings;

    int m_tool = 1;
    int m_keptTool = 1;
    int m_currentElement = 1;
    bool m_analyze = false;
    int m_fragmentShape = 1;
    bool m_showAllAtoms = false;
    bool m_selectMode = false;
    bool m_selectionPresent = false;
    PixelRect m_selection;   ///< the rectangle the selection was made with
    PixelPoint m_moveOffset; ///< press point minus the rectangle's top-left corner
    Valence m_valence = Valence::Off;
    bool m_reduceBond = false;
    bool m_undoShowsRedo = false;

    Gesture m_gesture = Gesture::None;
    int m_gestureTool = 0; ///< the tool the gesture started with
    PixelPoint m_start;    ///< (x1, y1): the press point or the start atom's position
    PixelPoint m_pressPoint;
    int m_startAtom = 0;          ///< the pending bond's AtomA
    int m_takenHydrogens = 0;     ///< taken from the start atom by the press
    bool m_madeFirstAtom = false; ///< the press made atom 1 of an empty structure
    TableCounts m_countsBeforePress;
    std::vector<PixelPoint> m_region;
    EditorPreview m_preview;
};

} // namespace qzx
