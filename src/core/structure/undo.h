#pragma once

namespace qzx {

class ElementTable;
class Structure;

/// Undoes the last edit, or redoes it when it was just undone, from the history kept in the
/// structure (appended rows above the counters, the saved counters, the undo record). All four
/// counters, the aromatic ring counter included, are exchanged with their saved copies. With
/// nothing to undo (saved counters equal to the counters, record kind 0) nothing changes, and
/// a raised bond is not raised again when one of its atoms has no hydrogen left for it.
/// Returns true when something changed; the caller then switches "Undo"/"Redo" and repaints.
bool undoRedo(Structure& structure, const ElementTable& elements);

/// Records an element change of `atomRow` that is about to happen (undo record kind 1: old
/// element and hydrogens, the label flag in SavedLabelShown) and sets the saved counters equal
/// to the counters, so that no older redo survives the change.
void recordElementChange(Structure& structure, int atomRow);

enum class AromatizeResult {
    Done,
    /// Not six atoms selected, or one of them belongs to a nitro group; the editor shows
    /// "Must Select 6 Ring Atoms to aromatize".
    WrongSelection,
    NoRoom, ///< the ring table or the draw list is full
};

/// Turns the six selected atoms into an aromatic ring. It is an appending edit: it saves all
/// four counters first and sets the undo record to kind 0, so that Undo takes the ring away.
/// The six atoms' hydrogens are recomputed with the aromatic bond weight 1.5. The selection and
/// select mode are left to the caller. Changes nothing unless it returns Done.
AromatizeResult aromatize(Structure& structure, const ElementTable& elements, int ringBondLength);

} // namespace qzx
