#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qzx {

/// One common loss of the "Loss of ..." window's pop-up menu.
struct CommonLoss {
    std::string_view name;
    std::int32_t mass = 0;
};

/// The twelve common losses in menu order, "CH3" (15) to "TMS-OH" (90). The menu's last item,
/// which only closes it, belongs to the window.
std::span<const CommonLoss> CommonLosses();

/// The molecular mass the "Loss of ..." window shows on activation: the structure's nominal
/// mass, or while "Use Accurate Mass" is on its monoisotopic mass rounded to the nearest whole
/// number (halves to even).
std::int32_t LossWindowMolecularMass(std::int32_t nominalMass, float monoMass, bool accurateMass);

/// The result field of the "Loss of ..." window after a compute. An empty (or blank) loss
/// field clears it (an empty text); otherwise it becomes molecular mass minus loss, both read
/// as whole numbers, and may be negative. Nothing (the field keeps its last text) when either
/// field holds something that is not a whole number.
std::optional<std::string> ComputeLoss(std::string_view molecularMass, std::string_view loss);

/// One entry of the common-neutrals table: a nominal mass and its display name, shown
/// exactly as stored.
struct NeutralEntry {
    std::int32_t mass = 0;
    std::string_view name;
};

/// The 105 common neutrals in ascending order of mass, names of equal mass in display order.
std::span<const NeutralEntry> NeutralTable();

/// The names of the table entries of exactly this mass, in table order; the walk stops at the
/// first heavier entry. Empty for a mass the table does not hold.
std::vector<std::string_view> NeutralsOfMass(std::int64_t mass);

/// What the Delta Mass window shows after Enter in "Mass-2".
struct DeltaMassResult {
    std::int64_t difference = 0; ///< |Mass-1 - Mass-2|
    std::vector<std::string_view> neutrals;

    /// The "Difference" field's text.
    std::string differenceText() const { return std::to_string(difference); }
};

/// Reads both masses as whole numbers (an empty field reads as 0) and, when both are at least
/// 1, gives their difference and its common neutrals. Nothing, so that the window changes
/// nothing, when either reads below 1 or is not a whole number.
std::optional<DeltaMassResult> LookUpDeltaMass(std::string_view mass1, std::string_view mass2);

} // namespace qzx
