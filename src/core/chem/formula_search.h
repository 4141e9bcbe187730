#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "chem/element_data_files.h"

namespace qzx {

class ElementTable;

/// The seven rows of the formula calculator, in window order. Rows 5-7 take any element.
enum FormulaRow : int { kRowC = 0, kRowH, kRowO, kRowN, kRow5, kRow6, kRow7, kFormulaRows };

/// One element row as the calculator window holds it.
struct FormulaSearchRow {
    bool enabled = false;
    /// Min #. Carbon: a negative value is taken as 1. Other rows: a negative value as 0.
    int minimum = 0;
    /// Max #; 0 or less means no limit of the user's. Hydrogen without a limit stops at
    /// 32,000, the other rows at what the target mass leaves room for.
    int maximum = 0;
};

/// Everything the formula search reads when it starts.
struct FormulaSearchInput {
    double target = 0.0;    ///< measured molecular weight, u; 1.0 to 15,000
    double tolerance = 1.0; ///< u; a negative value is taken as 1
    /// Rows C, H, O, N, 5, 6, 7 (see FormulaRow). As in a fresh window: C on with minimum 1
    /// and H on with minimum 0, every other row off.
    std::array<FormulaSearchRow, kFormulaRows> rows{{{true, 1, 0}, {true, 0, 0}}};
    /// Element number of each row; rows 1-4 are always C, H, O, N.
    CalcElementSlots rowElements = kDefaultCalcElementSlots;
    bool rdbLimits = false; ///< "Limits": keep only round(RDB) within the two values below
    int rdbMinimum = 0;
    int rdbMaximum = 32000;
    bool molecularIonsOnly = false; ///< "Molecular Ions Only": whole-number RDB only
    bool nitrogenRule = false;      ///< "Nitrogen Rule On"
    /// Results kept before the list overflows; the window keeps 1,000, batch work may raise it.
    int maxResults = 1000;
};

/// One result, numbered in the order found.
struct FormulaCandidate {
    std::int32_t position = 0;                       ///< 1-based, in enumeration order
    std::array<std::int32_t, kFormulaRows> counts{}; ///< atoms of rows C, H, O, N, 5, 6, 7
    /// Element numbers of rows 5, 6 and 7 at search time (rows 1-4 are always C, H, O, N).
    std::array<std::int32_t, 3> elements{};
    std::int32_t difference = 0; ///< |mass - target| in units of 0.0001 u, rounded
    float rdb = 0.0f;            ///< rings plus double bonds
};

/// How a search ended.
enum class FormulaSearchEnd {
    Completed,    ///< every composition was tried
    TargetTooLow, ///< target below 1.0: nothing is searched and nothing is said
    MassOverflow, ///< target above 15,000: show kMassOverflowCaption / kMassOverflowText
    ListOverflow, ///< one more result than maxResults: show kListOverflowCaption / ...Text
    Stopped,      ///< the progress callback asked to stop; the results so far are kept
};

/// What a search returns.
struct FormulaSearchResult {
    FormulaSearchEnd end = FormulaSearchEnd::Completed;
    std::vector<FormulaCandidate> candidates; ///< in enumeration order; empty with a sink
    std::int64_t found = 0; ///< results found, whether kept in the list or given to a sink
    double tolerance = 0.0; ///< the tolerance used (1 when the input was negative)
};

inline constexpr const char* kMassOverflowCaption = "Mass Overflow";
inline constexpr const char* kMassOverflowText = "Maximum MW is 15,000";
inline constexpr const char* kListOverflowCaption = "List Overflow";
inline constexpr const char* kListOverflowText = "List terminated.  There are too many entries.\r"
                                                 "Try reducing the tolerance, or \r"
                                                 "reset the elements Min/Max values";

/// Lets a long search report its progress and be stopped.
class FormulaSearchProgress {
public:
    virtual ~FormulaSearchProgress() = default;
    /// Called after every 50 results and otherwise at least every 50 ms of work, with the
    /// number of results found so far. Returning false ends the search at once.
    virtual bool proceed(int found) = 0;
};

/// Takes the results of a search as they are found, for batch work that must not hold them
/// all: with a sink, the result's list stays empty and only `found` counts them.
class FormulaSearchSink {
public:
    virtual ~FormulaSearchSink() = default;
    /// One result, numbered in the order found. Returning false ends the search (Stopped).
    virtual bool take(const FormulaCandidate& candidate) = 0;
};

/// Every composition of the enabled rows whose exact mass lies strictly within the tolerance
/// of the target, in enumeration order: C outermost, then O, N, rows 5, 6, 7, each ascending,
/// hydrogen innermost and bounded by saturation (so no result has negative rings plus double
/// bonds). Filters: the RDB limits, "Molecular Ions Only", the nitrogen rule. A composition
/// without any atom is no result. Masses are the rows' `ExactMass` values widened to double.
FormulaSearchResult FormulaSearch(const FormulaSearchInput& input, const ElementTable& elements,
                                  FormulaSearchProgress* progress = nullptr,
                                  FormulaSearchSink* sink = nullptr);

/// The result's composition text: "C" + count when C > 0, then " H", " O", " N" and
/// " " + symbol for rows 5-7, each with its count when above 0 ("C6 H6 O1", " H2 O1").
std::string formulaCompositionText(const FormulaCandidate& candidate);

/// The exact mass of a result, u: the counts times the rows' `ExactMass` values, summed in the
/// search's order (C, O, N, rows 5-7, then H), so it is the very value the search compared.
double formulaCandidateMass(const FormulaCandidate& candidate, const ElementTable& elements);

/// The difference text: the absolute difference with 4 decimals in a field of 6 ("0.0013").
std::string formulaDifferenceText(double absoluteDifference);

} // namespace qzx
