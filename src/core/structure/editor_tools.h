#pragma once

namespace qzx {

/// The drawing tools of the left panel; a button's tag is its tool code.
enum EditorTool : int {
    kToolSelecting = 0, ///< internal: a selection is being made or moved
    kToolCyclohexane = 1,
    kToolBenzene = 2,
    kToolCyclopentaneApexUp = 3,
    kToolCyclohexaneLying = 4,
    kToolBenzeneLying = 5,
    kToolCyclopentaneApexDown = 6,
    kToolSingleBond = 7,
    kToolDoubleBond = 8,
    kToolTripleBond = 9,
    kToolChain = 10,
    kToolRGroup = 11,
    kToolHydroxyl = 12,
    kToolAmino = 13,
    kToolKeto = 14,
    kToolNitro = 15,
    kToolChlorine = 16,
    kToolFluorine = 17,
    kToolBromine = 18,
    kToolIodine = 19,
    kToolSulfhydryl = 20,
    kToolDeuterium = 21,
    kToolElement = 22,
};

inline bool isRingTool(int tool) {
    return tool >= kToolCyclohexane && tool <= kToolCyclopentaneApexDown;
}
inline bool isBenzeneTool(int tool) {
    return tool == kToolBenzene || tool == kToolBenzeneLying;
}
/// Tools whose press takes hydrogens from a start atom: 7 to 21 (bonds, chain, groups).
inline bool isBondTool(int tool) {
    return tool >= kToolSingleBond && tool <= kToolDeuterium;
}

/// Bond order k of a bond-making tool: 2 for the double bond and the keto group, 3 for the
/// triple bond, 1 for the others (chain and R group included).
inline int bondOrderOfTool(int tool) {
    if (tool == kToolDoubleBond || tool == kToolKeto) return 2;
    return tool == kToolTripleBond ? 3 : 1;
}

} // namespace qzx
