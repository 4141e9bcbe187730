#pragma once

namespace qzx {

class ElementTable;
class Structure;

/// Undoes the last edit, or redoes it when it was just undone, from the history kept in the
/// structure (appended rows above the counters, the saved counters, the undo record). With
/// nothing to undo (saved counters equal to the counters, record kind 0) nothing changes.
/// Returns true when something changed.
bool undoRedo(Structure& structure, const ElementTable& elements);

enum class AromatizeResult {
    Done,
    WrongSelection, ///< not exactly six atoms selected: "Must Select 6 Ring Atoms to aromatize"
    NoRoom,         ///< the ring table or the draw list is full
};

/// Turns the six selected atoms into an aromatic ring (an appending edit: saves the counters
/// first). Changes nothing unless it returns Done.
AromatizeResult aromatize(Structure& structure, int ringBondLength);

} // namespace qzx
